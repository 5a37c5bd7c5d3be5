#include "net/curl/curl_transport.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <mutex>
#include <string_view>

namespace morvessa {
namespace {

using Clock = std::chrono::steady_clock;

constexpr long MAX_REDIRECTS = 10;
constexpr const char* ALLOWED_PROTOCOLS = "http,https";
constexpr std::string_view STATUS_LINE_PREFIX = "HTTP/";
constexpr std::string_view LOCATION_FIELD = "location";
constexpr std::string_view CRLF = "\r\n";
constexpr int HTTP_NOT_MODIFIED = 304;
// curl adds these unless told not to ("Name:" removes its own line); we send only what the caller asks for.
constexpr std::string_view CURL_DEFAULT_FIELDS[] = {"Accept", "Expect", "Content-Type"};

std::string_view field_name(std::string_view line) {
  const std::size_t colon = line.find(':');
  return colon == std::string_view::npos ? std::string_view{} : line.substr(0, colon);
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view trim_line_end(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

// "HTTP/1.1 200 OK" gives 200; 0 when the line has no status code.
int status_code(std::string_view status_line) {
  const std::size_t blank = status_line.find(' ');
  if (blank == std::string_view::npos) return 0;
  int code = 0;
  for (std::size_t i = blank + 1;
       i < status_line.size() && std::isdigit(static_cast<unsigned char>(status_line[i])); ++i) {
    code = code * 10 + (status_line[i] - '0');
    if (code > 999) return 0;
  }
  return code;
}

// What happened so far in one perform, as curl's callbacks report it.
struct Transfer {
  explicit Transfer(const TransportRequest& r) : request(r), last_activity(Clock::now()) {}

  const TransportRequest& request;
  TransportResponse response;
  std::string headers;  // the header block of the response now arriving
  bool in_headers = false;
  int status = 0;
  bool has_location = false;
  bool request_started = false;  // connected, and the request is being sent
  bool response_seen = false;    // some response (perhaps a redirect or 1xx) has begun
  bool final_headers_done = false;
  bool stalled = false;
  curl_off_t uploaded = 0;
  curl_off_t received = 0;
  Clock::time_point last_activity;

  void touch() { last_activity = Clock::now(); }
};

// A followed redirect or an interim 1xx answer is not the response the caller gets.
bool is_final(const Transfer& t) {
  if (t.status >= 100 && t.status < 200) return false;
  const bool redirect = t.status >= 300 && t.status < 400 && t.status != HTTP_NOT_MODIFIED && t.has_location;
  return !(redirect && t.request.follow_redirects);
}

std::size_t on_header(char* data, std::size_t size, std::size_t count, void* user) {
  auto& t = *static_cast<Transfer*>(user);
  const std::size_t length = size * count;
  t.touch();
  const std::string_view line = trim_line_end(std::string_view(data, length));
  if (line.starts_with(STATUS_LINE_PREFIX)) {
    t.headers.clear();
    t.in_headers = true;
    t.status = status_code(line);
    t.has_location = false;
    t.response_seen = true;
    t.final_headers_done = false;
  }
  if (!t.in_headers) return length;  // trailers after a chunked body
  t.headers += line;
  t.headers += CRLF;
  if (line.empty()) {
    t.in_headers = false;
    if (is_final(t)) {
      t.final_headers_done = true;
      t.response.header_block = t.headers;
    }
  } else if (equals_ignoring_case(field_name(line), LOCATION_FIELD)) {
    t.has_location = true;
  }
  return length;
}

// Keeps the body up to the cap; a short count then makes curl stop reading.
std::size_t on_body(char* data, std::size_t size, std::size_t count, void* user) {
  auto& t = *static_cast<Transfer*>(user);
  const std::size_t length = size * count;
  t.touch();
  const std::size_t room =
      t.request.max_body_bytes - std::min(t.request.max_body_bytes, t.response.body.size());
  if (length > room) {
    t.response.body.append(data, room);
    t.response.body_capped = true;
    return 0;
  }
  t.response.body.append(data, length);
  return length;
}

int on_prereq(void* user, char*, char*, int, int) {
  auto& t = *static_cast<Transfer*>(user);
  t.request_started = true;
  t.touch();
  return CURL_PREREQFUNC_OK;
}

// Each phase after the connection gets the time-out as the longest stretch without a byte moving.
int on_progress(void* user, curl_off_t, curl_off_t received, curl_off_t, curl_off_t uploaded) {
  auto& t = *static_cast<Transfer*>(user);
  if (received != t.received || uploaded != t.uploaded) {
    t.received = received;
    t.uploaded = uploaded;
    t.touch();
  }
  if (!t.request_started) return 0;  // the connect time-out covers that phase
  if (Clock::now() - t.last_activity >= std::chrono::milliseconds(t.request.timeout_ms)) {
    t.stalled = true;
    return 1;
  }
  return 0;
}

TransportFailure failure_of(CURLcode code, const Transfer& t) {
  if (code == CURLE_OK) return TransportFailure::none;
  if (code == CURLE_WRITE_ERROR && t.response.body_capped) return TransportFailure::none;
  if (!t.request_started && (code == CURLE_URL_MALFORMAT || code == CURLE_UNSUPPORTED_PROTOCOL)) {
    return TransportFailure::bad_url;
  }
  if (t.final_headers_done) return TransportFailure::read;
  if (t.response_seen) return TransportFailure::no_response;
  const bool body_unsent = t.uploaded < static_cast<curl_off_t>(t.request.body.size());
  if (!t.request_started || code == CURLE_SEND_ERROR || (t.stalled && body_unsent))
    return TransportFailure::send;
  return TransportFailure::no_response;
}

struct SlistFree {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, SlistFree>;

// The caller's lines in order, then the removal of curl's own defaults that the caller did not set.
bool build_header_list(const std::vector<std::string>& lines, HeaderList& list) {
  auto append = [&list](const std::string& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (grown == nullptr) return false;
    (void)list.release();
    list.reset(grown);
    return true;
  };
  for (const std::string& line : lines) {
    std::string_view value =
        std::string_view(line).substr(std::min(line.size(), field_name(line).size() + 1));
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    // curl reads "Name:" as "remove this line"; "Name;" is how it sends an empty value.
    const std::string sent =
        value.empty() && !field_name(line).empty() ? std::string(field_name(line)) + ";" : line;
    if (!append(sent)) return false;
  }
  for (std::string_view name : CURL_DEFAULT_FIELDS) {
    const bool given = std::any_of(lines.begin(), lines.end(), [name](const std::string& line) {
      return equals_ignoring_case(field_name(line), name);
    });
    if (!given && !append(std::string(name) + ":")) return false;
  }
  return true;
}

class CurlSession final : public HttpSession {
 public:
  explicit CurlSession(CURL* handle) : handle_(handle) {}
  ~CurlSession() override { curl_easy_cleanup(handle_); }
  CurlSession(const CurlSession&) = delete;
  CurlSession& operator=(const CurlSession&) = delete;

  TransportResponse perform(const TransportRequest& request) override {
    Transfer transfer(request);
    curl_easy_reset(handle_);  // keeps the open connection for the next request
    HeaderList headers;
    const TransportFailure setup = configure(request, transfer, headers);
    if (setup != TransportFailure::none) {
      transfer.response.failure = setup;
      return std::move(transfer.response);
    }
    const CURLcode code = curl_easy_perform(handle_);
    transfer.response.failure = failure_of(code, transfer);
    curl_easy_setopt(handle_, CURLOPT_HTTPHEADER, nullptr);
    return std::move(transfer.response);
  }

 private:
  template <typename T>
  bool set(CURLoption option, T value) {
    return curl_easy_setopt(handle_, option, value) == CURLE_OK;
  }

  TransportFailure configure(const TransportRequest& request, Transfer& transfer, HeaderList& headers) {
    const bool basics =
        set(CURLOPT_URL, request.url.c_str()) && set(CURLOPT_NOSIGNAL, 1L) &&
        set(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1)) &&
        set(CURLOPT_PROTOCOLS_STR, ALLOWED_PROTOCOLS) && set(CURLOPT_PATH_AS_IS, 1L) &&
        set(CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L) && set(CURLOPT_HEADERFUNCTION, on_header) &&
        set(CURLOPT_HEADERDATA, static_cast<void*>(&transfer)) && set(CURLOPT_WRITEFUNCTION, on_body) &&
        set(CURLOPT_WRITEDATA, static_cast<void*>(&transfer)) && set(CURLOPT_PREREQFUNCTION, on_prereq) &&
        set(CURLOPT_PREREQDATA, static_cast<void*>(&transfer)) &&
        set(CURLOPT_XFERINFOFUNCTION, on_progress) &&
        set(CURLOPT_XFERINFODATA, static_cast<void*>(&transfer)) && set(CURLOPT_NOPROGRESS, 0L) &&
        set_method(request) && set_proxy(request);
    if (!basics) return TransportFailure::bad_url;
    if (!set(CURLOPT_CONNECTTIMEOUT_MS, std::max(1L, request.timeout_ms)))
      return TransportFailure::timeouts_option;
    if (!set_credentials(request)) return TransportFailure::credentials_option;
    if (request.cookie_engine && !set(CURLOPT_COOKIEFILE, "")) return TransportFailure::cookies_option;
    const bool redirects = set(CURLOPT_FOLLOWLOCATION, request.follow_redirects ? 1L : 0L) &&
                           set(CURLOPT_MAXREDIRS, MAX_REDIRECTS) &&
                           set(CURLOPT_REDIR_PROTOCOLS_STR, ALLOWED_PROTOCOLS);
    if (!redirects) return TransportFailure::redirects_option;
    if (!build_header_list(request.header_lines, headers) || !set(CURLOPT_HTTPHEADER, headers.get())) {
      return TransportFailure::headers_option;
    }
    return TransportFailure::none;
  }

  bool set_method(const TransportRequest& request) {
    const std::string& method = request.method;
    if (method == "HEAD") return set(CURLOPT_NOBODY, 1L);
    const bool has_body = !request.body.empty() || method == "POST" || method == "PUT";
    if (!has_body)
      return set(CURLOPT_HTTPGET, 1L) && (method == "GET" || set(CURLOPT_CUSTOMREQUEST, method.c_str()));
    // POST turns into GET on a 301 to 303 redirect as browsers do; any other verb is kept.
    return set(CURLOPT_POST, 1L) &&
           set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size())) &&
           set(CURLOPT_POSTFIELDS, request.body.data()) &&
           (method == "POST" || set(CURLOPT_CUSTOMREQUEST, method.c_str()));
  }

  // An empty proxy string also keeps curl from taking one from the environment.
  bool set_proxy(const TransportRequest& request) {
    return set(CURLOPT_PROXY, request.proxy.c_str()) && set(CURLOPT_NOPROXY, "");
  }

  bool set_credentials(const TransportRequest& request) {
    if (!request.server_user.empty() && !(set(CURLOPT_USERNAME, request.server_user.c_str()) &&
                                          set(CURLOPT_PASSWORD, request.server_password.c_str()) &&
                                          set(CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC)))) {
      return false;
    }
    if (!request.proxy_user.empty() && !(set(CURLOPT_PROXYUSERNAME, request.proxy_user.c_str()) &&
                                         set(CURLOPT_PROXYPASSWORD, request.proxy_password.c_str()) &&
                                         set(CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC)))) {
      return false;
    }
    return true;
  }

  CURL* handle_;
};

class CurlTransport final : public HttpTransport {
 public:
  std::unique_ptr<HttpSession> open_session() override {
    CURL* handle = curl_easy_init();
    if (handle == nullptr) return nullptr;
    return std::make_unique<CurlSession>(handle);
  }
};

}  // namespace

std::shared_ptr<HttpTransport> make_curl_transport() {
  static std::once_flag global_init;
  static bool ready = false;
  std::call_once(global_init, [] { ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
  if (!ready) return nullptr;
  return std::make_shared<CurlTransport>();
}

}  // namespace morvessa
