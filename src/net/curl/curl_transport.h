#pragma once
// HttpTransport on libcurl. The only place that includes curl headers.

#include <memory>

#include "net/http_transport.h"

namespace morvessa {

// Null when libcurl cannot be initialised. Requests go out as HTTP/1.1 with only the header lines asked for
// (and Host); each session keeps one connection open for the requests that follow.
std::shared_ptr<HttpTransport> make_curl_transport();

}  // namespace morvessa
