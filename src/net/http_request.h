#pragma once
// The full request engine: default browser-like headers, cookies, credentials, proxy, per-phase time-outs,
// numbered failure texts, and decoding from the charset that the page declares.

#include <optional>
#include <string>

#include "net/http_transport.h"

namespace morvessa {

// Inputs, and the outputs written in place. An output that a path does not reach keeps what the caller put.
struct HttpRequestParams {
  std::string url;
  int method = 0;  // 0 GET, 1 POST, 2 HEAD, 3 PUT, else GET
  std::string post_text;
  std::optional<std::string> request_cookies;  // given or left out; receives the merged cookies when given
  std::string response_cookies;
  std::string extra_headers;
  std::string response_headers;
  bool no_redirect = false;
  std::string server_user, server_password;
  std::string proxy_address, proxy_user, proxy_password;
  int timeout_seconds = 0;
  std::string redirect_location;
  std::string status_text;
  std::string response_bytes;
};

std::string http_request(HttpTransport& transport, HttpRequestParams& params);

// The call the detail pages make: the address alone, every default.
std::string http_request(HttpTransport& transport, const std::string& url);

}  // namespace morvessa
