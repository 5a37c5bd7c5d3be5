#pragma once
// Splitting an absolute http or https address into the pieces a request needs (what WinHttpCrackUrl does
// for the request engine), and building the address handed to the transport from them.

#include <optional>
#include <string>
#include <string_view>

namespace morvessa {

inline constexpr int HTTP_DEFAULT_PORT = 80;
inline constexpr int HTTPS_DEFAULT_PORT = 443;

struct UrlParts {
  bool secure = false;   // https
  std::string host;      // as written; an IPv6 address keeps its brackets
  int port = 0;          // the default port of the scheme when none is written
  std::string path;      // empty, or beginning with "/"
  std::string query;     // empty, or beginning with "?"
  std::string fragment;  // empty, or beginning with "#"; never sent
};

// Nothing for an address that is not an absolute http or https URL with a usable host and port.
std::optional<UrlParts> split_url(std::string_view url);

// The object name a request asks for: "/" when the path is empty, then the query.
std::string object_name(const UrlParts& parts);

// scheme://host[:port]/object, with the bytes that may not stand in a request line percent-escaped.
std::string transport_url(const UrlParts& parts);

}  // namespace morvessa
