#pragma once
// Reading the page number typed into the jump box.

#include <cstdint>
#include <optional>
#include <string_view>

namespace morvessa {

// The window toolkit's reading of a text as a number: full-width ASCII characters of code page 936 (A3 A1 to
// A3 FE) and the ideographic space (A1 A1) count as their ASCII forms; then a decimal number is read as atof
// reads it in the "C" locale (leading white space, sign, digits, point, exponent; it stops at the first
// character that does not fit). A text without a number at its start gives 0.
double text_to_number(std::string_view text);

// The page a jump goes to: the number truncated toward zero, or nothing when that is below 1, beyond the
// 32-bit range, or when the text has no number at all.
std::optional<std::int32_t> jump_page_number(std::string_view text);

}  // namespace morvessa
