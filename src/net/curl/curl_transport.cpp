#include "net/curl/curl_transport.h"

namespace morvessa {

std::shared_ptr<HttpTransport> make_curl_transport() { return nullptr; }

}  // namespace morvessa
