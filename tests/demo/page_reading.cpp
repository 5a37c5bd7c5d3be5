#include "page_reading.h"

#include <unicode/ucnv.h>

#include <regex>

namespace morvessa::demo_test {
namespace {

constexpr std::size_t CHARSET_PROBE_BYTES = 1024;

std::string convert(std::string_view text, const char* to, const char* from) {
  if (text.empty()) return {};
  std::string out(text.size() * 4 + 4, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t written = ucnv_convert(to, from, out.data(), static_cast<int32_t>(out.size()), text.data(),
                                       static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<std::size_t>(written));
  return out;
}

}  // namespace

std::string gbk(std::string_view utf8_text) {
  return convert(utf8_text, "windows-936", "UTF-8");
}
std::string utf8(std::string_view gbk_text) {
  return convert(gbk_text, "UTF-8", "windows-936");
}

bool round_trips_through_gbk(std::string_view utf8_text) {
  const std::string there = gbk(utf8_text);
  return !there.empty() && there.find('?') == std::string::npos && utf8(there) == utf8_text;
}

bool is_valid_utf8(std::string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* converter = ucnv_open("UTF-8", &status);
  if (U_FAILURE(status)) return false;
  ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  std::u16string out(text.size() + 1, u'\0');
  ucnv_toUChars(converter, out.data(), static_cast<int32_t>(out.size()), text.data(),
                static_cast<int32_t>(text.size()), &status);
  ucnv_close(converter);
  return U_SUCCESS(status);
}

std::vector<std::string> all_between(std::string_view text, std::string_view left, std::string_view right) {
  std::vector<std::string> found;
  std::size_t from = 0;
  while (true) {
    const std::size_t l = text.find(left, from);
    if (l == std::string_view::npos) break;
    const std::size_t start = l + left.size();
    const std::size_t r = text.find(right, start);
    if (r == std::string_view::npos) break;
    found.emplace_back(text.substr(start, r - start));
    from = r;
  }
  return found;
}

std::string first_between(std::string_view text, std::string_view left, std::string_view right) {
  const std::size_t l = text.find(left);
  if (l == std::string_view::npos) return {};
  const std::size_t start = l + left.size();
  const std::size_t r = text.find(right, start);
  if (r == std::string_view::npos) return {};
  return std::string{text.substr(start, r - start)};
}

std::string declared_charset(std::string_view page) {
  const std::string probe{page.substr(0, CHARSET_PROBE_BYTES)};
  // ECMAScript's dot stops at line breaks, so the tag must stand on one line, as the engine requires.
  static const std::regex pattern(R"(<meta.+?charset=[^\w]?([-\w]+))", std::regex::icase);
  std::smatch match;
  if (!std::regex_search(probe, match, pattern)) return {};
  return match[1].str();
}

std::string engine_text(std::string_view page) {
  const std::string charset = declared_charset(page);
  if (charset.empty() || charset == "gbk" || charset == "gb2312") return std::string{page};
  return convert(page, "windows-936", charset.c_str());
}

std::vector<std::string> links_in_div(std::string_view page, std::string_view class_name) {
  const std::string open = "<div class=\"" + std::string{class_name} + "\">";
  const std::size_t start = page.find(open);
  if (start == std::string_view::npos) return {};
  // The block ends where its own closing tag balances the DIVs opened inside it.
  std::size_t at = start + open.size();
  int depth = 1;
  while (depth > 0) {
    const std::size_t next_open = page.find("<div", at);
    const std::size_t next_close = page.find("</div>", at);
    if (next_close == std::string_view::npos) return {};
    if (next_open < next_close) {
      ++depth;
      at = next_open + 4;
    } else {
      --depth;
      at = next_close + 6;
    }
  }
  const std::string block{page.substr(start, at - start)};
  static const std::regex anchor(R"re(<a\s[^>]*href="([^"]*)")re");
  std::vector<std::string> links;
  for (auto it = std::sregex_iterator(block.begin(), block.end(), anchor); it != std::sregex_iterator();
       ++it) {
    links.push_back((*it)[1].str());
  }
  return links;
}

std::string encode_keyword(std::string_view gbk_text) {
  constexpr std::string_view HEX = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : utf8(gbk_text)) {
    out += '%';
    out += HEX[b >> 4];
    out += HEX[b & 0xF];
  }
  return out;
}

}  // namespace morvessa::demo_test
