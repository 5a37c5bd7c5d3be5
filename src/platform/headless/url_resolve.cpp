#include "platform/headless/url_resolve.h"

#include <cctype>
#include <optional>
#include <vector>

namespace morvessa {
namespace {

struct UrlParts {
  std::optional<std::string> scheme;
  std::optional<std::string> authority;
  std::string path;
  std::optional<std::string> query;
  std::optional<std::string> fragment;
};

bool is_scheme_char(char c, bool first) {
  unsigned char u = static_cast<unsigned char>(c);
  return std::isalpha(u) || (!first && (std::isdigit(u) || c == '+' || c == '-' || c == '.'));
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool is_web_scheme(const std::optional<std::string>& scheme) {
  return scheme && (*scheme == "http" || *scheme == "https");
}

UrlParts split(std::string_view s) {
  UrlParts p;
  std::size_t colon = s.find(':');
  if (colon != std::string_view::npos && colon > 0) {
    bool ok = true;
    for (std::size_t k = 0; k < colon && ok; ++k) ok = is_scheme_char(s[k], k == 0);
    if (ok) {
      p.scheme = lower(std::string(s.substr(0, colon)));
      s.remove_prefix(colon + 1);
    }
  }
  if (std::size_t hash = s.find('#'); hash != std::string_view::npos) {
    p.fragment = std::string(s.substr(hash + 1));
    s = s.substr(0, hash);
  }
  if (std::size_t q = s.find('?'); q != std::string_view::npos) {
    p.query = std::string(s.substr(q + 1));
    s = s.substr(0, q);
  }
  if (s.substr(0, 2) == "//") {
    s.remove_prefix(2);
    std::size_t slash = s.find('/');
    p.authority = std::string(s.substr(0, slash));
    s = slash == std::string_view::npos ? std::string_view{} : s.substr(slash);
  }
  p.path = std::string(s);
  return p;
}

std::string remove_dot_segments(std::string_view path) {
  std::vector<std::string_view> out;
  bool absolute = !path.empty() && path.front() == '/';
  if (absolute) path.remove_prefix(1);
  bool trailing_slash = false;
  while (true) {
    std::size_t slash = path.find('/');
    std::string_view segment = path.substr(0, slash);
    bool last = slash == std::string_view::npos;
    if (segment == "..") {
      if (!out.empty()) out.pop_back();
      trailing_slash = true;
    } else if (segment == ".") {
      trailing_slash = true;
    } else {
      out.push_back(segment);
      trailing_slash = false;
    }
    if (last) break;
    path.remove_prefix(slash + 1);
  }
  std::string result = absolute ? "/" : "";
  for (std::size_t k = 0; k < out.size(); ++k) {
    if (k > 0) result += '/';
    result += out[k];
  }
  if (trailing_slash && !out.empty()) result += '/';
  return result;
}

// Host names compare without case, and a port that is the scheme's own is not written.
std::string normal_authority(const std::string& authority, const std::string& scheme) {
  std::size_t at = authority.rfind('@');
  std::string user = at == std::string::npos ? "" : authority.substr(0, at + 1);
  std::string host = lower(authority.substr(at == std::string::npos ? 0 : at + 1));
  std::string_view default_port = scheme == "http" ? ":80" : scheme == "https" ? ":443" : "";
  if (!default_port.empty() && host.size() > default_port.size() &&
      host.compare(host.size() - default_port.size(), default_port.size(), default_port) == 0)
    host.resize(host.size() - default_port.size());
  return user + host;
}

void append_encoded(std::string& out, std::string_view s, std::string_view also) {
  static constexpr char HEX[] = "0123456789ABCDEF";
  for (char c : s) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u >= 0x7F || c == '"' || c == '<' || c == '>' || c == '`' ||
        also.find(c) != std::string_view::npos) {
      out += '%';
      out += HEX[u >> 4];
      out += HEX[u & 15];
    } else {
      out += c;
    }
  }
}

std::string join(const UrlParts& p) {
  std::string out;
  if (p.scheme) out += *p.scheme + ":";
  if (p.authority) {
    out += "//";
    append_encoded(out, normal_authority(*p.authority, p.scheme.value_or("")), "");
  }
  append_encoded(out, p.path.empty() && is_web_scheme(p.scheme) ? "/" : p.path, "{}");
  if (p.query) {
    out += '?';
    append_encoded(out, *p.query, "");
  }
  if (p.fragment) {
    out += '#';
    append_encoded(out, *p.fragment, "");
  }
  return out;
}

// What a browser does to an attribute value before reading it as an address.
std::string clean(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20) s.remove_suffix(1);
  std::string out;
  for (char c : s)
    if (c != '\t' && c != '\n' && c != '\r') out += c;
  return out;
}

}  // namespace

std::string resolve_url(std::string_view base_text, std::string_view reference_text) {
  std::string reference = clean(reference_text);
  UrlParts base = split(clean(base_text));
  UrlParts ref = split(reference);
  // Web addresses take a backslash for a slash.
  auto slashes = [](std::string& s) {
    for (char& c : s)
      if (c == '\\') c = '/';
  };
  if (is_web_scheme(ref.scheme) || (!ref.scheme && is_web_scheme(base.scheme))) {
    std::size_t stop = reference.find_first_of("?#");
    std::string head = reference.substr(0, stop);
    slashes(head);
    ref = split(head + (stop == std::string::npos ? "" : reference.substr(stop)));
  }

  UrlParts target;
  if (ref.scheme && !(is_web_scheme(ref.scheme) && ref.scheme == base.scheme && !ref.authority)) {
    target = ref;
    target.path = remove_dot_segments(ref.path);
  } else {
    if (!base.scheme || !base.authority) return reference;
    target.scheme = base.scheme;
    if (ref.authority) {
      target.authority = ref.authority;
      target.path = remove_dot_segments(ref.path);
      target.query = ref.query;
    } else {
      target.authority = base.authority;
      if (ref.path.empty()) {
        target.path = base.path;
        target.query = ref.query ? ref.query : base.query;
      } else {
        if (ref.path.front() == '/') {
          target.path = remove_dot_segments(ref.path);
        } else {
          std::string merged =
              base.path.empty() ? "/" + ref.path : base.path.substr(0, base.path.rfind('/') + 1) + ref.path;
          target.path = remove_dot_segments(merged);
        }
        target.query = ref.query;
      }
    }
    target.fragment = ref.fragment;
  }
  return join(target);
}

}  // namespace morvessa
