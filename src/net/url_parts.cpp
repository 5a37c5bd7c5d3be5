#include "net/url_parts.h"

#include <algorithm>
#include <cctype>

namespace morvessa {
namespace {

constexpr std::string_view SCHEME_END = "://";
constexpr std::string_view HTTP_SCHEME = "http";
constexpr std::string_view HTTPS_SCHEME = "https";
constexpr std::string_view HOST_PUNCTUATION = "-._~%!$&'()*+,;=";
constexpr std::string_view UNSAFE_IN_REQUEST_LINE = "\"<>\\^`{|}";
constexpr int MAX_PORT = 65535;

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool is_host_name(std::string_view host) {
  return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || HOST_PUNCTUATION.find(c) != std::string_view::npos;
  });
}

bool is_ipv6_literal(std::string_view host) {
  if (host.size() < 3 || host.front() != '[' || host.back() != ']') return false;
  return std::all_of(host.begin() + 1, host.end() - 1, [](char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
  });
}

// Empty means the default; otherwise 1 to 65535 in decimal digits.
std::optional<int> parse_port(std::string_view digits, int default_port) {
  if (digits.empty()) return default_port;
  if (digits.size() > 5) return std::nullopt;
  int port = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    port = port * 10 + (c - '0');
  }
  if (port < 1 || port > MAX_PORT) return std::nullopt;
  return port;
}

bool needs_escape(unsigned char byte) {
  return byte <= 0x20 || byte >= 0x7F ||
         UNSAFE_IN_REQUEST_LINE.find(static_cast<char>(byte)) != std::string_view::npos;
}

}  // namespace

std::optional<UrlParts> split_url(std::string_view url) {
  const std::size_t scheme_end = url.find(SCHEME_END);
  if (scheme_end == std::string_view::npos) return std::nullopt;
  const std::string_view scheme = url.substr(0, scheme_end);
  UrlParts parts;
  if (equals_ignoring_case(scheme, HTTPS_SCHEME)) {
    parts.secure = true;
  } else if (!equals_ignoring_case(scheme, HTTP_SCHEME)) {
    return std::nullopt;
  }

  std::string_view rest = url.substr(scheme_end + SCHEME_END.size());
  const std::size_t authority_end = std::min(rest.find_first_of("/?#"), rest.size());
  std::string_view authority = rest.substr(0, authority_end);
  rest.remove_prefix(authority_end);
  // User name and password in the address are not used for the request.
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
    authority.remove_prefix(at + 1);

  std::string_view host = authority;
  std::string_view port_digits;
  const std::size_t host_end = authority.starts_with('[') ? authority.find(']') : std::string_view::npos;
  const std::size_t colon =
      authority.starts_with('[')
          ? (host_end == std::string_view::npos ? host_end : authority.find(':', host_end))
          : authority.rfind(':');
  if (colon != std::string_view::npos) {
    host = authority.substr(0, colon);
    port_digits = authority.substr(colon + 1);
  }
  if (!is_host_name(host) && !is_ipv6_literal(host)) return std::nullopt;
  const std::optional<int> port =
      parse_port(port_digits, parts.secure ? HTTPS_DEFAULT_PORT : HTTP_DEFAULT_PORT);
  if (!port) return std::nullopt;
  parts.host = std::string(host);
  parts.port = *port;

  const std::size_t fragment_at = std::min(rest.find('#'), rest.size());
  parts.fragment = std::string(rest.substr(fragment_at));
  rest = rest.substr(0, fragment_at);
  const std::size_t query_at = std::min(rest.find('?'), rest.size());
  parts.path = std::string(rest.substr(0, query_at));
  parts.query = std::string(rest.substr(query_at));
  return parts;
}

std::string object_name(const UrlParts& parts) {
  std::string name = parts.path.empty() ? "/" : parts.path;
  name += parts.query;
  return name;
}

std::string transport_url(const UrlParts& parts) {
  static constexpr char HEX[] = "0123456789ABCDEF";
  std::string url = parts.secure ? "https://" : "http://";
  url += parts.host;
  if (parts.port != (parts.secure ? HTTPS_DEFAULT_PORT : HTTP_DEFAULT_PORT))
    url += ":" + std::to_string(parts.port);
  for (char c : object_name(parts)) {
    const auto byte = static_cast<unsigned char>(c);
    if (needs_escape(byte)) {
      url += '%';
      url += HEX[byte >> 4];
      url += HEX[byte & 0x0F];
    } else {
      url += c;
    }
  }
  return url;
}

}  // namespace morvessa
