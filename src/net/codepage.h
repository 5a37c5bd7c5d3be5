#pragma once
// Conversions between UTF-8, UTF-16 and code page 936, with the results of the Windows conversion routines:
// malformed input becomes U+FFFD, characters that the target lacks become "?". Byte texts end at their
// first zero byte. Wide text is UTF-16LE held in a std::string, two bytes a unit.

#include <string>
#include <string_view>
#include <vector>

namespace morvessa {

inline constexpr int CP_SYSTEM_DEFAULT = 0;
inline constexpr int CP_GBK = 936;
inline constexpr int CP_UTF8 = 65001;

// Wide text with its zero unit; the input is read up to and including its first zero byte.
std::string multibyte_to_wide(std::string_view text, int code_page, bool use_code_page);
// Byte text, cut at its first zero byte; the wide text is read up to its first zero unit.
std::string wide_to_multibyte(std::string_view wide, int code_page, bool use_code_page);
// UTF-8 page bytes to code page 936 page text.
std::string decode_utf8_page(std::string_view utf8);
// UTF-16 units of a code page 936 text, with the zero unit unless drop_terminator; empty for the empty text.
std::string text_to_utf16(std::string_view text, bool drop_terminator = false);
// Code page 936 text of exactly the given units, cut at its first zero byte.
std::string utf16_to_text(std::string_view utf16);

// Edge helpers: texts written in UTF-8 (source constants, the driver, Qt) to and from code page 936.
std::string gbk(std::string_view utf8);
std::string to_utf8(std::string_view gbk_text);
// Decode bytes from a charset named by a page (ICU's converter names), to code page 936.
// Returns false when ICU knows no converter of that name.
// The text is cut at its first zero character; a leading byte-order mark is dropped.
bool decode_charset(std::string_view bytes, std::string_view charset, std::string& out);

// Code page 936 text to UTF-16 and back, for code that works on wide text in memory. byte_offsets, when
// given, receives for each unit the offset of the byte where its character starts, plus one entry for the
// end.
std::u16string gbk_to_u16(std::string_view text, std::vector<int>* byte_offsets = nullptr);
std::string u16_to_gbk(std::u16string_view units);

}  // namespace morvessa
