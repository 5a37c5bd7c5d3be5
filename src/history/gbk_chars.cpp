#include "history/gbk_chars.h"

namespace morvessa {
namespace {

constexpr unsigned char LEAD_FIRST = 0x81;
constexpr unsigned char LEAD_LAST = 0xFE;

bool matches_at(std::string_view text, std::size_t pos, std::string_view needle) {
  return text[pos] == needle[0] && text.compare(pos, needle.size(), needle) == 0;
}

}  // namespace

std::size_t gbk_char_size(std::string_view text, std::size_t pos) {
  auto byte = static_cast<unsigned char>(text[pos]);
  return byte >= LEAD_FIRST && byte <= LEAD_LAST && pos + 1 < text.size() ? 2 : 1;
}

std::size_t gbk_find(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return std::string_view::npos;
  for (std::size_t pos = from; pos + needle.size() <= text.size(); pos += gbk_char_size(text, pos))
    if (matches_at(text, pos, needle)) return pos;
  return std::string_view::npos;
}

std::size_t gbk_rfind(std::string_view text, std::string_view needle, std::size_t from) {
  std::size_t last = std::string_view::npos;
  for (std::size_t pos = gbk_find(text, needle, from); pos != std::string_view::npos;
       pos = gbk_find(text, needle, pos + gbk_char_size(text, pos)))
    last = pos;
  return last;
}

std::vector<std::string_view> gbk_split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t at = gbk_find(text, separator); at != std::string_view::npos;
       at = gbk_find(text, separator, start)) {
    pieces.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

std::string gbk_ascii_lower(std::string_view text) {
  std::string folded(text);
  for (std::size_t pos = 0; pos < folded.size();) {
    std::size_t size = gbk_char_size(folded, pos);
    if (size == 1 && folded[pos] >= 'A' && folded[pos] <= 'Z')
      folded[pos] = static_cast<char>(folded[pos] - 'A' + 'a');
    pos += size;
  }
  return folded;
}

}  // namespace morvessa
