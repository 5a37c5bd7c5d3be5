#pragma once
// The platform's HTTP client, as the logic sees it. One session may serve many requests over one
// connection; sessions are not shared between threads.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace morvessa {

inline constexpr std::size_t MAX_BODY_BYTES = 64u * 1024u * 1024u;
inline constexpr long DEFAULT_PHASE_TIMEOUT_MS = 30000;

struct TransportRequest {
  std::string url;                        // absolute http:// or https:// address
  std::string method = "GET";             // GET, POST, HEAD, PUT
  std::vector<std::string> header_lines;  // "Name: value", sent in this order; none for a plain GET
  std::string body;
  long timeout_ms = DEFAULT_PHASE_TIMEOUT_MS;  // for each phase
  bool follow_redirects = true;
  bool cookie_engine = false;
  std::string server_user, server_password;
  std::string proxy;  // empty: no proxy
  std::string proxy_user, proxy_password;
  std::size_t max_body_bytes = MAX_BODY_BYTES;  // the body is cut at this size
};

enum class TransportFailure {
  none,
  bad_url,      // the address could not be used at all
  send,         // no connection, or the request could not be sent
  no_response,  // nothing came back in time
  read,         // the response broke off while the body was read
  // An option of the request could not be set before anything was sent.
  timeouts_option,
  credentials_option,
  cookies_option,
  redirects_option,
  headers_option,
};

struct TransportResponse {
  TransportFailure failure = TransportFailure::none;
  std::string header_block;  // raw header block of the final response, lines ended by CR LF
  std::string body;          // whatever body bytes arrived
  bool body_capped = false;  // the body reached max_body_bytes and the rest was not read
};

class HttpSession {
 public:
  virtual ~HttpSession() = default;
  virtual TransportResponse perform(const TransportRequest& request) = 0;
};

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;
  virtual std::unique_ptr<HttpSession> open_session() = 0;
};

}  // namespace morvessa
