#include "text/find_text.h"

#include <cstring>

#include "text/byte_text.h"

namespace morvessa {
namespace {

char fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Single-byte characters compare with folded case, the bytes of double-byte characters exactly.
bool matches_folded(std::string_view text, std::size_t pos, std::string_view needle) {
  if (text.size() - pos < needle.size()) return false;
  for (std::size_t i = 0; i < needle.size();) {
    const std::size_t length = gbk_char_length(needle, i);
    if (length == 2) {
      if (text[pos + i] != needle[i] || text[pos + i + 1] != needle[i + 1]) return false;
    } else if (fold(text[pos + i]) != fold(needle[i])) {
      return false;
    }
    i += length;
  }
  return true;
}

std::size_t find_exact(std::string_view text, std::string_view needle, std::size_t from) {
  std::size_t boundary = from;  // always the start of a character
  while (boundary < text.size()) {
    const std::size_t candidate = text.find(needle, boundary);
    if (candidate == std::string_view::npos) return TEXT_NOT_FOUND;
    while (boundary < candidate) boundary += gbk_char_length(text, boundary);
    if (boundary == candidate) return candidate;
    // The candidate began inside a double-byte character; look again from the next character.
  }
  return TEXT_NOT_FOUND;
}

}  // namespace

std::size_t find_text(std::string_view text, std::string_view needle, std::size_t from, bool ignore_case) {
  if (needle.empty() || from >= text.size() || text.size() - from < needle.size()) return TEXT_NOT_FOUND;
  if (!ignore_case) return find_exact(text, needle, from);
  for (std::size_t pos = from; pos < text.size(); pos += gbk_char_length(text, pos)) {
    if (matches_folded(text, pos, needle)) return pos;
  }
  return TEXT_NOT_FOUND;
}

}  // namespace morvessa
