#include "net/http_request.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

#include "net/codepage.h"
#include "net/cookies.h"
#include "net/http_failure.h"
#include "net/http_request_steps.h"
#include "net/url_parts.h"
#include "text/byte_text.h"
#include "text/extract.h"
#include "text/find_text.h"
#include "text/regex_object.h"

namespace morvessa {
namespace {

constexpr int DEFAULT_TIMEOUT_SECONDS = 30;
constexpr long MILLISECONDS_PER_SECOND = 1000;
constexpr std::string_view CRLF = "\r\n";
constexpr std::string_view COOKIE_CHECK = "Cookie: ";
constexpr std::string_view HTTP_PROXY_PREFIX = "http=";
constexpr std::string_view PROXY_SCHEME_HTTP = "http";
constexpr std::string_view PROXY_SCHEME_HTTPS = "https";
constexpr std::string_view PROXY_SEPARATORS = "; \t";
constexpr std::size_t STATUS_TEXT_START = 9;  // the 10th character of "HTTP/1.1 200 OK"
constexpr std::string_view SET_COOKIE = "Set-Cookie";
constexpr std::string_view SET_COOKIE_FIELD = "Set-Cookie:";
constexpr std::string_view COOKIE_END = ";";
constexpr std::string_view COOKIE_SEPARATOR = "; ";
constexpr std::string_view LOCATION_FIELD = "Location: ";
constexpr std::size_t CHARSET_PROBE_BYTES = 1024;
constexpr std::string_view CHARSET_PATTERN = "<meta.+?charset=[^\\w]?([-\\w]+)";
// Pages that declare these (exactly so) are already in the program's code page and stay as they came.
constexpr std::array<std::string_view, 2> UNDECODED_CHARSETS = {"gbk", "gb2312"};
constexpr std::array<std::string_view, 4> VERBS = {"GET", "POST", "HEAD", "PUT"};

struct DefaultHeader {
  std::string_view check;
  bool ignore_case;
  std::string_view line;
};
constexpr std::array<DefaultHeader, 6> DEFAULT_HEADERS = {{
    {"User-Agent: ", true,
     "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)"},
    {"Accept: ", true, "Accept: text/html, application/xhtml+xml, */*"},
    {"Accept-Encoding: ", true, "Accept-Encoding: gbk, GB2312"},
    {"Accept-Language: ", true, "Accept-Language: zh-cn"},
    {"Content-Type:", false, "Content-Type: application/x-www-form-urlencoded"},
    {"Cache-Control: ", true, "Cache-Control: no-cache"},
}};

struct FailureText {
  HttpFailure failure;
  std::string_view utf8;
};
constexpr std::array<FailureText, 13> FAILURE_TEXTS = {{
    {HttpFailure::platform, "700 当前系统不支持WinHttp服务!"},
    {HttpFailure::url, "701 解析URL地址失败!"},
    {HttpFailure::session, "702 创建WinHttp会话失败!"},
    {HttpFailure::connection, "703 创建WinHttp连接失败!"},
    {HttpFailure::request, "704 创建WinHttp请求失败!"},
    {HttpFailure::timeouts, "705 设置超时时间失败!"},
    {HttpFailure::credentials, "707 设置代理凭证失败!"},
    {HttpFailure::cookies, "708 禁止自动设置Cookies失败!"},
    {HttpFailure::redirects, "709 重定向设置失败!"},
    {HttpFailure::headers, "710 设置协议头失败!"},
    {HttpFailure::send, "711 发送请求失败!"},
    {HttpFailure::no_response, "712 服务器未响应!"},
    {HttpFailure::read, "713 读取数据失败!"},
}};

bool is_token_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) ||
         std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Every occurrence of the word in any case, found character by character, becomes the replacement.
std::string replace_ignoring_case(std::string_view text, std::string_view word,
                                  std::string_view replacement) {
  std::string out;
  std::size_t pos = 0;
  for (std::size_t found = find_text(text, word, 0, true); found != TEXT_NOT_FOUND;
       found = find_text(text, word, pos, true)) {
    out += text.substr(pos, found - pos);
    out += replacement;
    pos = found + word.size();
  }
  out += text.substr(std::min(pos, text.size()));
  return out;
}

std::optional<HttpFailure> failure_of(TransportFailure failure) {
  switch (failure) {
    case TransportFailure::none:
      return std::nullopt;
    case TransportFailure::bad_url:
      return HttpFailure::url;
    case TransportFailure::send:
      return HttpFailure::send;
    case TransportFailure::no_response:
      return HttpFailure::no_response;
    case TransportFailure::read:
      return HttpFailure::read;
    case TransportFailure::timeouts_option:
      return HttpFailure::timeouts;
    case TransportFailure::credentials_option:
      return HttpFailure::credentials;
    case TransportFailure::cookies_option:
      return HttpFailure::cookies;
    case TransportFailure::redirects_option:
      return HttpFailure::redirects;
    case TransportFailure::headers_option:
      return HttpFailure::headers;
  }
  return HttpFailure::send;
}

// Steps 14 to 17: cookies and the redirect address from the header lines.
void read_header_lines(HttpRequestParams& params) {
  params.response_headers = replace_ignoring_case(params.response_headers, SET_COOKIE, SET_COOKIE);
  std::string collected;
  for (const std::string& line : split_items(params.response_headers, CRLF)) {
    if (find_text(line, SET_COOKIE, 0, false) != TEXT_NOT_FOUND) {
      const std::string part = line.find(COOKIE_END) != std::string::npos
                                   ? text_between(line, SET_COOKIE_FIELD, COOKIE_END)
                                   : replace_ignoring_case(line, SET_COOKIE_FIELD, "");
      collected += trim_blanks(part);
      collected += COOKIE_SEPARATOR;
    }
    if (line.size() >= LOCATION_FIELD.size() &&
        equals_ignoring_case(std::string_view(line).substr(0, LOCATION_FIELD.size()), LOCATION_FIELD)) {
      params.redirect_location = line.substr(LOCATION_FIELD.size());
    }
  }
  if (!collected.empty()) collected.resize(collected.size() - COOKIE_SEPARATOR.size());
  params.response_cookies = collected;
  if (params.request_cookies) merge_cookies(*params.request_cookies, params.response_cookies);
}

// Step 19: the charset that the page names in a meta tag near its top.
std::string decoded_page(const std::string& page_text, const std::string& body, RegexObject& finder) {
  const std::string_view probe = std::string_view(page_text).substr(0, CHARSET_PROBE_BYTES);
  if (!finder.create(CHARSET_PATTERN, probe)) return page_text;
  const std::string charset = finder.submatch_text(1, 1);
  if (charset.empty()) return page_text;
  if (std::find(UNDECODED_CHARSETS.begin(), UNDECODED_CHARSETS.end(), charset) != UNDECODED_CHARSETS.end()) {
    return page_text;
  }
  std::string decoded;
  return decode_charset(body, charset, decoded) ? decoded : page_text;
}

}  // namespace

const std::string& http_failure_text(HttpFailure failure) {
  static const std::array<std::string, FAILURE_TEXTS.size()> texts = [] {
    std::array<std::string, FAILURE_TEXTS.size()> converted;
    for (std::size_t i = 0; i < FAILURE_TEXTS.size(); ++i) converted[i] = gbk(FAILURE_TEXTS[i].utf8);
    return converted;
  }();
  for (std::size_t i = 0; i < FAILURE_TEXTS.size(); ++i) {
    if (FAILURE_TEXTS[i].failure == failure) return texts[i];
  }
  return texts[0];
}

long phase_timeout_ms(int timeout_seconds) {
  const long long seconds = timeout_seconds > 0 ? timeout_seconds : DEFAULT_TIMEOUT_SECONDS;
  return static_cast<long>(
      std::min<long long>(seconds * MILLISECONDS_PER_SECOND, std::numeric_limits<long>::max()));
}

std::string request_verb(int method) {
  const bool known = method >= 0 && method < static_cast<int>(VERBS.size());
  return std::string(VERBS[known ? static_cast<std::size_t>(method) : 0]);
}

std::string build_request_header_text(std::string_view extra_headers,
                                      const std::optional<std::string>& request_cookies) {
  std::string text(until_zero(extra_headers));
  if (!text.empty()) text += CRLF;
  for (const DefaultHeader& header : DEFAULT_HEADERS) {
    if (find_text(text, header.check, 0, header.ignore_case) == TEXT_NOT_FOUND) {
      text += header.line;
      text += CRLF;
    }
  }
  if (request_cookies && !request_cookies->empty() &&
      find_text(text, COOKIE_CHECK, 0, true) == TEXT_NOT_FOUND) {
    text += COOKIE_CHECK;
    text += until_zero(*request_cookies);
    text += CRLF;
  }
  return text;
}

std::optional<std::vector<std::string>> request_header_lines(std::string_view header_text) {
  struct Line {
    std::string name;
    std::string text;
  };
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < header_text.size()) {
    // CR and LF end a line wherever they stand, so no line can carry a line break onto the wire.
    const std::size_t end = std::min(header_text.find_first_of("\r\n", pos), header_text.size());
    const std::string_view line = header_text.substr(pos, end - pos);
    pos = end + 1;
    if (line.empty()) continue;
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos ||
        !std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(colon), is_token_char)) {
      return std::nullopt;
    }
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
    if (std::any_of(value.begin(), value.end(), [](char c) { return c >= 0 && c < 0x20 && c != '\t'; })) {
      return std::nullopt;
    }
    const std::string name(line.substr(0, colon));
    const auto same = std::find_if(lines.begin(), lines.end(), [&name](const Line& earlier) {
      return equals_ignoring_case(earlier.name, name);
    });
    if (value.empty()) {
      if (same != lines.end()) lines.erase(same);
      continue;
    }
    std::string text = name + ": ";
    text += value;
    if (same != lines.end()) {
      *same = Line{name, std::move(text)};
    } else {
      lines.push_back(Line{name, std::move(text)});
    }
  }
  std::vector<std::string> out;
  for (Line& line : lines) out.push_back(std::move(line.text));
  return out;
}

std::string proxy_name(std::string_view proxy_address, bool secure) {
  std::string name = secure ? std::string() : std::string(HTTP_PROXY_PREFIX);
  name += proxy_address;
  return name;
}

std::string proxy_for_scheme(std::string_view name, bool secure) {
  const std::string_view wanted = secure ? PROXY_SCHEME_HTTPS : PROXY_SCHEME_HTTP;
  std::string for_any;
  std::size_t pos = 0;
  while (pos < name.size()) {
    const std::size_t end = std::min(name.find_first_of(PROXY_SEPARATORS, pos), name.size());
    std::string_view entry = name.substr(pos, end - pos);
    pos = end + 1;
    if (entry.empty()) continue;
    std::string_view scheme;
    if (const std::size_t equals = entry.find('='); equals != std::string_view::npos) {
      scheme = entry.substr(0, equals);
      entry.remove_prefix(equals + 1);
    }
    if (const std::size_t marker = entry.find("://"); marker != std::string_view::npos) {
      entry.remove_prefix(marker + 3);
    }
    if (entry.empty()) continue;
    const std::string proxy = "http://" + std::string(entry);
    if (equals_ignoring_case(scheme, wanted)) return proxy;
    if (scheme.empty() && for_any.empty()) for_any = proxy;
  }
  return for_any;
}

std::string status_from_header_block(std::string_view header_block) {
  if (header_block.size() <= STATUS_TEXT_START) return {};
  const std::size_t end = header_block.find(CRLF, STATUS_TEXT_START);
  return std::string(
      header_block.substr(STATUS_TEXT_START, end == std::string_view::npos ? end : end - STATUS_TEXT_START));
}

std::string http_request(HttpTransport& transport, HttpRequestParams& params) {
  RegexObject charset_finder;
  auto fail = [&params](HttpFailure failure) {
    params.status_text = http_failure_text(failure);
    return std::string();
  };

  const std::optional<UrlParts> parts = split_url(until_zero(params.url));
  if (!parts) return fail(HttpFailure::url);
  const std::unique_ptr<HttpSession> session = transport.open_session();
  if (!session) return fail(HttpFailure::session);

  TransportRequest request;
  request.url = transport_url(*parts);
  request.method = request_verb(params.method);
  request.timeout_ms = phase_timeout_ms(params.timeout_seconds);
  if (!params.server_user.empty() && !params.server_password.empty()) {
    request.server_user = params.server_user;
    request.server_password = params.server_password;
  }
  if (!params.proxy_address.empty()) {
    request.proxy =
        proxy_for_scheme(proxy_name(until_zero(params.proxy_address), parts->secure), parts->secure);
    if (!params.proxy_user.empty() && !params.proxy_password.empty()) {
      request.proxy_user = params.proxy_user;
      request.proxy_password = params.proxy_password;
    }
  }
  // Cookies the server sets on the way through redirects are kept only when the caller carries cookies.
  request.cookie_engine = params.request_cookies.has_value();
  request.follow_redirects = !params.no_redirect;
  std::optional<std::vector<std::string>> lines =
      request_header_lines(build_request_header_text(params.extra_headers, params.request_cookies));
  if (!lines) return fail(HttpFailure::headers);
  request.header_lines = std::move(*lines);
  request.body = std::string(until_zero(params.post_text));

  TransportResponse response = session->perform(request);
  if (const std::optional<HttpFailure> failure = failure_of(response.failure)) {
    params.status_text = http_failure_text(*failure);
    // A failed read still hands on the bytes that arrived; every other failure ends the call.
    if (*failure != HttpFailure::read) return {};
  }
  if (response.header_block.empty()) return {};

  params.response_headers = std::string(until_zero(response.header_block));
  params.status_text = status_from_header_block(params.response_headers);
  read_header_lines(params);
  params.response_bytes = std::move(response.body);
  const std::string page_text(until_zero(params.response_bytes));
  return decoded_page(page_text, params.response_bytes, charset_finder);
}

std::string http_request(HttpTransport& transport, const std::string& url) {
  HttpRequestParams params;
  params.url = url;
  return http_request(transport, params);
}

}  // namespace morvessa
