#pragma once
// Character-wise search in code page 936 text: a double-byte character is stepped over whole, so a match
// only begins where a character begins.

#include <cstddef>
#include <string_view>

namespace morvessa {

inline constexpr std::size_t TEXT_NOT_FOUND = std::string_view::npos;

// Offset of the first occurrence of needle at or after from (which is taken as the start of a character);
// TEXT_NOT_FOUND when there is none or the needle is empty. ignore_case folds ASCII letters only.
std::size_t find_text(std::string_view text, std::string_view needle, std::size_t from, bool ignore_case);

}  // namespace morvessa
