#pragma once
// Scanning code page 936 text character by character, so that a pattern never matches across the two
// bytes of a double-byte character (its trail byte may equal an ASCII byte such as ']' or 'A').

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace morvessa {

// 2 when text[pos] is a lead byte (0x81 to 0xFE) with a byte after it, else 1.
std::size_t gbk_char_size(std::string_view text, std::size_t pos);

// First occurrence of needle that starts on a character boundary at or after from (itself a boundary).
std::size_t gbk_find(std::string_view text, std::string_view needle, std::size_t from = 0);
// Last such occurrence at or after from.
std::size_t gbk_rfind(std::string_view text, std::string_view needle, std::size_t from = 0);

// The pieces between the separators, matched on character boundaries; text without a separator is one piece.
std::vector<std::string_view> gbk_split(std::string_view text, std::string_view separator);

// ASCII letters folded to lower case; double-byte characters are left as they are.
std::string gbk_ascii_lower(std::string_view text);

}  // namespace morvessa
