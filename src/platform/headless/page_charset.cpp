#include "platform/headless/page_charset.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "net/codepage.h"

namespace morvessa {
namespace {

// A browser looks for the meta tag within this many bytes.
constexpr std::size_t META_PROBE_BYTES = 1024;
constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";
constexpr std::string_view UTF16LE_BOM = "\xFF\xFE";
constexpr std::string_view UTF16BE_BOM = "\xFE\xFF";
// Browsers read all of these as GBK, which is code page 936, the program's own.
constexpr std::array<std::string_view, 8> GBK_LABELS = {
    "gbk", "gb2312", "x-gbk", "gb_2312-80", "chinese", "csgb2312", "csiso58gb231280", "iso-ir-58"};
constexpr std::array<std::string_view, 3> UTF8_LABELS = {"utf-8", "utf8", "unicode-1-1-utf-8"};

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool is_name_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' || c == ':';
}

// The name after "charset", "=", and blanks or a quote, in a lower-cased text.
std::string charset_after(std::string_view lowered, std::size_t at) {
  at += std::string_view("charset").size();
  while (at < lowered.size() && std::isspace(static_cast<unsigned char>(lowered[at]))) ++at;
  if (at >= lowered.size() || lowered[at] != '=') return {};
  ++at;
  while (at < lowered.size() &&
         (std::isspace(static_cast<unsigned char>(lowered[at])) || lowered[at] == '"' || lowered[at] == '\''))
    ++at;
  std::size_t end = at;
  while (end < lowered.size() && is_name_char(lowered[end])) ++end;
  return std::string(lowered.substr(at, end - at));
}

template <std::size_t N>
bool is_one_of(const std::string& label, const std::array<std::string_view, N>& labels) {
  return std::find(labels.begin(), labels.end(), label) != labels.end();
}

std::string decode(std::string_view bytes, const std::string& charset) {
  if (charset.empty() || is_one_of(charset, UTF8_LABELS)) return std::string(bytes);
  if (is_one_of(charset, GBK_LABELS)) return to_utf8(bytes);
  std::string text;
  if (!decode_charset(bytes, charset, text)) return std::string(bytes);
  return to_utf8(text);
}

}  // namespace

std::string charset_of_content_type(std::string_view content_type) {
  std::string lowered = lower(content_type);
  std::size_t at = lowered.find("charset");
  return at == std::string::npos ? std::string() : charset_after(lowered, at);
}

std::string charset_of_meta(std::string_view page) {
  std::string lowered = lower(page.substr(0, META_PROBE_BYTES));
  for (std::size_t meta = lowered.find("<meta"); meta != std::string::npos;
       meta = lowered.find("<meta", meta + 1)) {
    std::size_t close = lowered.find('>', meta);
    std::string_view tag =
        std::string_view(lowered).substr(meta, close == std::string::npos ? close : close - meta);
    for (std::size_t at = tag.find("charset"); at != std::string_view::npos; at = tag.find("charset", at + 1))
      if (std::string name = charset_after(tag, at); !name.empty()) return name;
  }
  return {};
}

std::string decode_page_as_browser(std::string_view bytes, std::string_view content_type) {
  if (bytes.substr(0, UTF8_BOM.size()) == UTF8_BOM) return std::string(bytes.substr(UTF8_BOM.size()));
  if (bytes.substr(0, UTF16LE_BOM.size()) == UTF16LE_BOM) return decode(bytes.substr(2), "utf-16le");
  if (bytes.substr(0, UTF16BE_BOM.size()) == UTF16BE_BOM) return decode(bytes.substr(2), "utf-16be");
  std::string charset = charset_of_content_type(content_type);
  if (charset.empty()) {
    charset = charset_of_meta(bytes);
    // A page that could declare itself in a meta tag is no UTF-16 page, whatever the tag says.
    if (charset.starts_with("utf-16")) charset.clear();
  }
  return decode(bytes, charset);
}

}  // namespace morvessa
