#include "catalogue/page_number.h"

#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <limits>
#include <string>

namespace morvessa {
namespace {

constexpr unsigned char FULL_WIDTH_LEAD = 0xA3;
constexpr unsigned char FULL_WIDTH_FIRST = 0xA1;  // A3 A1 is "!", A3 FE is "~"
constexpr unsigned char FULL_WIDTH_LAST = 0xFE;
constexpr unsigned char FULL_WIDTH_TO_ASCII = 0x80;
constexpr unsigned char IDEOGRAPHIC_SPACE_LEAD = 0xA1;
constexpr unsigned char IDEOGRAPHIC_SPACE_TRAIL = 0xA1;
constexpr unsigned char DOUBLE_BYTE_LEAD_FIRST = 0x81;

// Walks the text character by character, so a trail byte is never read as a character of its own.
std::string to_narrow_ascii(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < DOUBLE_BYTE_LEAD_FIRST || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    if (lead == FULL_WIDTH_LEAD && trail >= FULL_WIDTH_FIRST && trail <= FULL_WIDTH_LAST) {
      out += static_cast<char>(trail - FULL_WIDTH_TO_ASCII);
    } else if (lead == IDEOGRAPHIC_SPACE_LEAD && trail == IDEOGRAPHIC_SPACE_TRAIL) {
      out += ' ';
    } else {
      out += text.substr(i, 2);
    }
    ++i;
  }
  return out;
}

bool is_c_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t skip_digits(std::string_view s, std::size_t i) {
  while (i < s.size() && is_digit(s[i])) ++i;
  return i;
}

// The longest decimal number at the start of s: [sign] digits [. digits] [e [sign] digits]. Hexadecimal
// forms, "inf" and "nan" are not numbers here. Empty when there is none.
std::string_view decimal_prefix(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t int_start = i;
  i = skip_digits(s, i);
  bool digits = i > int_start;
  if (i < s.size() && s[i] == '.') {
    const std::size_t frac_start = i + 1;
    const std::size_t frac_end = skip_digits(s, frac_start);
    if (digits || frac_end > frac_start) {
      digits = true;
      i = frac_end;
    }
  }
  if (!digits) return {};
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t exp_end = skip_digits(s, j);
    if (exp_end > j) i = exp_end;
  }
  return s.substr(0, i);
}

}  // namespace

double text_to_number(std::string_view text) {
  const std::string ascii = to_narrow_ascii(text.substr(0, text.find('\0')));
  std::string_view s = ascii;
  std::size_t start = 0;
  while (start < s.size() && is_c_space(s[start])) ++start;
  const std::string number(decimal_prefix(s.substr(start)));
  if (number.empty()) return 0.0;
  // strtod in the "C" locale: the decimal point is "." whatever locale the program runs in, and out-of-range
  // numbers give atof's results (HUGE_VAL, or a value next to zero).
  static const locale_t C_LOCALE = newlocale(LC_ALL_MASK, "C", locale_t{});
  return strtod_l(number.c_str(), nullptr, C_LOCALE ? C_LOCALE : LC_GLOBAL_LOCALE);
}

std::optional<std::int32_t> jump_page_number(std::string_view text) {
  const double page = std::trunc(text_to_number(text));
  // Pages start at 1; a number past the 32-bit range names no page we can request.
  if (!(page >= 1.0 && page <= static_cast<double>(std::numeric_limits<std::int32_t>::max())))
    return std::nullopt;
  return static_cast<std::int32_t>(page);
}

}  // namespace morvessa
