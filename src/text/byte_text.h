#pragma once
// Small helpers for byte texts in code page 936: they end at their first zero byte, and a double-byte
// character starts with a lead byte from 0x81 to 0xFE.

#include <cstring>
#include <string_view>

namespace morvessa {

// The text as far as its first zero byte.
inline std::string_view until_zero(std::string_view text) {
  const void* zero = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size());
  if (zero == nullptr) return text;
  return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - text.data()));
}

inline bool is_gbk_lead_byte(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return b >= 0x81 && b <= 0xFE;
}

// Bytes taken by the character that starts at pos (1 or 2; a lead byte at the very end stands alone).
inline std::size_t gbk_char_length(std::string_view text, std::size_t pos) {
  return is_gbk_lead_byte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

}  // namespace morvessa
