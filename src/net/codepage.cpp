// Placeholder conversions until the full code-page module lands.
#include "net/codepage.h"

#include <unicode/ucnv.h>

#include <vector>

namespace morvessa {
namespace {

std::string convert(std::string_view in, const char* from, const char* to) {
  in = in.substr(0, in.find('\0'));
  if (in.empty()) return {};
  UErrorCode status = U_ZERO_ERROR;
  std::vector<char> out(in.size() * 4 + 16);
  int32_t n = ucnv_convert(to, from, out.data(), static_cast<int32_t>(out.size()), in.data(),
                           static_cast<int32_t>(in.size()), &status);
  if (U_FAILURE(status)) return {};
  return std::string(out.data(), static_cast<std::size_t>(n));
}

}  // namespace

std::string multibyte_to_wide(std::string_view, int, bool) {
  return {};
}
std::string wide_to_multibyte(std::string_view, int, bool) {
  return {};
}
std::string decode_utf8_page(std::string_view utf8) {
  return convert(utf8, "UTF-8", "windows-936");
}
std::string text_to_utf16(std::string_view, bool) {
  return {};
}
std::string utf16_to_text(std::string_view) {
  return {};
}
std::string gbk(std::string_view utf8) {
  return convert(utf8, "UTF-8", "windows-936");
}
std::string to_utf8(std::string_view text) {
  return convert(text, "windows-936", "UTF-8");
}
bool decode_charset(std::string_view, std::string_view, std::string&) {
  return false;
}

}  // namespace morvessa
