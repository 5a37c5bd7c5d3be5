// Placeholder until the full fetch module lands.
#include "net/page_fetch.h"

namespace morvessa {

std::string fetch_page_bytes(HttpTransport& transport, std::string_view url) {
  std::string address(url);
  if (address.size() < 7 || (address.substr(0, 7) != "http://" && address.substr(0, 7) != "HTTP://"))
    address = "http://" + address;
  auto session = transport.open_session();
  if (!session) return {};
  TransportRequest request;
  request.url = address;
  std::string body = session->perform(request).body;
  return body.substr(0, body.find('\0'));
}

std::string download_bytes(HttpSession& session, std::string_view url) {
  TransportRequest request;
  request.url = std::string(url);
  TransportResponse response = session.perform(request);
  return response.failure == TransportFailure::none ? response.body : std::string();
}

}  // namespace morvessa
