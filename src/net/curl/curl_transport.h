#pragma once
// HttpTransport on libcurl. The only place that includes curl headers.

#include <memory>

#include "net/http_transport.h"

namespace morvessa {

std::shared_ptr<HttpTransport> make_curl_transport();

}  // namespace morvessa
