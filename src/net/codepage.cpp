#include "net/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/unorm2.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>

#include "text/byte_text.h"

namespace morvessa {
namespace {

// ICU's table for code page 936 has the Windows mapping (0x80 is the euro sign, 0xFF maps to U+F8F5).
constexpr const char* GBK_CONVERTER_NAME = "windows-936-2000";
constexpr const char* UTF8_CONVERTER_NAME = "UTF-8";
// The code page's default character for what it lacks, as WideCharToMultiByte writes it.
constexpr char DEFAULT_CHARACTER[] = "?";
constexpr char16_t BYTE_ORDER_MARK = 0xFEFF;
// Names that the Windows charset database reads as code page 936; ICU would give GB2312 a stricter table.
constexpr std::array<std::string_view, 9> GBK_CHARSET_NAMES = {
    "gb2312", "gbk", "cp936", "x-gbk", "gb_2312-80", "csgb2312", "chinese", "ms936", "windows-936",
};

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter open_converter(const std::string& name) {
  if (name.empty()) return nullptr;  // ICU would hand out its default converter
  UErrorCode error = U_ZERO_ERROR;
  Converter converter(ucnv_open(name.c_str(), &error));
  if (U_FAILURE(error)) return nullptr;
  if (ucnv_getType(converter.get()) != UCNV_UTF8) {
    ucnv_setSubstChars(converter.get(), DEFAULT_CHARACTER, 1, &error);
  }
  return converter;
}

Converter open_code_page(int code_page) {
  if (code_page == CP_UTF8) return open_converter(UTF8_CONVERTER_NAME);
  // The system default is taken to be the Chinese one the program was made for.
  if (code_page == CP_GBK || code_page == CP_SYSTEM_DEFAULT) return open_converter(GBK_CONVERTER_NAME);
  for (const char* prefix : {"windows-", "cp", "ibm-"}) {
    if (Converter converter = open_converter(prefix + std::to_string(code_page))) return converter;
  }
  return nullptr;
}

UChar* as_uchar(char16_t* p) {
  return reinterpret_cast<UChar*>(p);
}
const UChar* as_uchar(const char16_t* p) {
  return reinterpret_cast<const UChar*>(p);
}

// Malformed input becomes U+FFFD (ICU's substitution for multi-byte and UTF-8 converters).
std::u16string bytes_to_units(UConverter* converter, std::string_view bytes, std::vector<int>* byte_offsets) {
  std::u16string units(bytes.size() + 16, u'\0');
  std::vector<int32_t> offsets;
  if (byte_offsets != nullptr) offsets.resize(units.size());
  const char* source = bytes.data();
  const char* const source_end = source + bytes.size();
  std::size_t written = 0;
  for (;;) {
    const auto consumed_before = static_cast<int32_t>(source - bytes.data());
    UChar* target = as_uchar(units.data()) + written;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, as_uchar(units.data()) + units.size(), &source, source_end,
                   byte_offsets != nullptr ? offsets.data() + written : nullptr, true, &error);
    const std::size_t now_written = static_cast<std::size_t>(target - as_uchar(units.data()));
    for (std::size_t i = written; byte_offsets != nullptr && i < now_written; ++i)
      offsets[i] += consumed_before;
    written = now_written;
    if (error != U_BUFFER_OVERFLOW_ERROR) break;
    units.resize(units.size() * 2);
    if (byte_offsets != nullptr) offsets.resize(units.size());
  }
  units.resize(written);
  if (byte_offsets != nullptr) {
    byte_offsets->assign(offsets.begin(), offsets.begin() + static_cast<std::ptrdiff_t>(written));
    byte_offsets->push_back(static_cast<int>(bytes.size()));
  }
  return units;
}

// Characters the target lacks become its substitution ("?", or U+FFFD's bytes in UTF-8).
std::string units_to_bytes(UConverter* converter, std::u16string_view units) {
  std::string bytes(units.size() * 2 + 16, '\0');
  const UChar* source = as_uchar(units.data());
  const UChar* const source_end = source + units.size();
  std::size_t written = 0;
  for (;;) {
    char* target = bytes.data() + written;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_fromUnicode(converter, &target, bytes.data() + bytes.size(), &source, source_end, nullptr, true,
                     &error);
    written = static_cast<std::size_t>(target - bytes.data());
    if (error != U_BUFFER_OVERFLOW_ERROR) break;
    bytes.resize(bytes.size() * 2);
  }
  bytes.resize(written);
  return bytes;
}

// Straight from one byte encoding to another through ICU's pivot, without a whole wide copy.
std::string transcode(UConverter* to, UConverter* from, std::string_view bytes) {
  std::string out(bytes.size() + 16, '\0');
  std::array<UChar, 4096> pivot{};
  UChar* pivot_source = pivot.data();
  UChar* pivot_target = pivot.data();
  const char* source = bytes.data();
  const char* const source_end = source + bytes.size();
  std::size_t written = 0;
  bool reset = true;
  for (;;) {
    char* target = out.data() + written;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_convertEx(to, from, &target, out.data() + out.size(), &source, source_end, pivot.data(),
                   &pivot_source, &pivot_target, pivot.data() + pivot.size(), reset, true, &error);
    reset = false;
    written = static_cast<std::size_t>(target - out.data());
    if (error != U_BUFFER_OVERFLOW_ERROR) break;
    out.resize(out.size() * 2);
  }
  out.resize(written);
  return out;
}

std::string units_to_le_bytes(std::u16string_view units) {
  std::string bytes(units.size() * 2, '\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
  }
  return bytes;
}

// Exactly size / 2 units; a trailing odd byte is no unit.
std::u16string le_bytes_to_units(std::string_view bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return units;
}

std::u16string_view until_zero_unit(std::u16string_view units) {
  const std::size_t zero = units.find(u'\0');
  return zero == std::u16string_view::npos ? units : units.substr(0, zero);
}

bool gbk_can_encode(UConverter* gbk_converter, char16_t unit) {
  std::array<char, 8> bytes{};
  char* target = bytes.data();
  const UChar* source = as_uchar(&unit);
  UErrorCode error = U_ZERO_ERROR;
  ucnv_reset(gbk_converter);
  ucnv_setFromUCallBack(gbk_converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
  ucnv_fromUnicode(gbk_converter, &target, bytes.data() + bytes.size(), &source, source + 1, nullptr, true,
                   &error);
  return U_SUCCESS(error);
}

// A base character followed by a combining mark becomes the precomposed character when code page 936 has it,
// as WC_COMPOSITECHECK does; otherwise both stay.
std::u16string compose_pairs(std::u16string_view units) {
  std::u16string out;
  out.reserve(units.size());
  UErrorCode error = U_ZERO_ERROR;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&error);
  Converter probe = U_SUCCESS(error) ? open_converter(GBK_CONVERTER_NAME) : nullptr;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (probe && i + 1 < units.size()) {
      const UChar32 composed = unorm2_composePair(nfc, units[i], units[i + 1]);
      if (composed >= 0 && composed <= 0xFFFF &&
          gbk_can_encode(probe.get(), static_cast<char16_t>(composed))) {
        out.push_back(static_cast<char16_t>(composed));
        ++i;
        continue;
      }
    }
    out.push_back(units[i]);
  }
  return out;
}

std::string ascii_lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
  return lower;
}

}  // namespace

std::string multibyte_to_wide(std::string_view text, int code_page, bool use_code_page) {
  Converter converter = open_code_page(use_code_page ? code_page : CP_UTF8);
  if (!converter) return {};
  std::u16string units = bytes_to_units(converter.get(), until_zero(text), nullptr);
  units.push_back(u'\0');
  return units_to_le_bytes(units);
}

std::string wide_to_multibyte(std::string_view wide, int code_page, bool use_code_page) {
  Converter converter = open_code_page(use_code_page ? code_page : CP_SYSTEM_DEFAULT);
  if (!converter) return {};
  const std::u16string units = le_bytes_to_units(wide);
  return std::string(until_zero(units_to_bytes(converter.get(), until_zero_unit(units))));
}

std::string decode_utf8_page(std::string_view utf8) {
  return gbk(utf8);
}

std::string text_to_utf16(std::string_view text, bool drop_terminator) {
  const std::string_view input = until_zero(text);
  if (input.empty()) return {};
  Converter converter = open_converter(GBK_CONVERTER_NAME);
  if (!converter) return {};
  std::u16string units = bytes_to_units(converter.get(), input, nullptr);
  if (!drop_terminator) units.push_back(u'\0');
  return units_to_le_bytes(units);
}

std::string utf16_to_text(std::string_view utf16) {
  Converter converter = open_converter(GBK_CONVERTER_NAME);
  if (!converter) return {};
  const std::u16string units = compose_pairs(le_bytes_to_units(utf16));
  return std::string(until_zero(units_to_bytes(converter.get(), units)));
}

std::string gbk(std::string_view utf8) {
  Converter from = open_converter(UTF8_CONVERTER_NAME);
  Converter to = open_converter(GBK_CONVERTER_NAME);
  if (!from || !to) return {};
  return transcode(to.get(), from.get(), until_zero(utf8));
}

std::string to_utf8(std::string_view gbk_text) {
  Converter from = open_converter(GBK_CONVERTER_NAME);
  Converter to = open_converter(UTF8_CONVERTER_NAME);
  if (!from || !to) return {};
  return transcode(to.get(), from.get(), until_zero(gbk_text));
}

bool decode_charset(std::string_view bytes, std::string_view charset, std::string& out) {
  const std::string name{until_zero(charset)};
  const std::string lower = ascii_lower(name);
  const bool is_gbk =
      std::find(GBK_CHARSET_NAMES.begin(), GBK_CHARSET_NAMES.end(), lower) != GBK_CHARSET_NAMES.end();
  Converter from = open_converter(is_gbk ? GBK_CONVERTER_NAME : name);
  Converter to = open_converter(GBK_CONVERTER_NAME);
  if (!from || !to) return false;
  std::u16string_view units;
  const std::u16string decoded = bytes_to_units(from.get(), bytes, nullptr);
  units = decoded;
  if (!units.empty() && units.front() == BYTE_ORDER_MARK) units.remove_prefix(1);
  out = units_to_bytes(to.get(), until_zero_unit(units));
  return true;
}

std::u16string gbk_to_u16(std::string_view text, std::vector<int>* byte_offsets) {
  Converter converter = open_converter(GBK_CONVERTER_NAME);
  if (!converter) {
    if (byte_offsets != nullptr) byte_offsets->assign(1, 0);
    return {};
  }
  return bytes_to_units(converter.get(), text, byte_offsets);
}

std::string u16_to_gbk(std::u16string_view units) {
  Converter converter = open_converter(GBK_CONVERTER_NAME);
  if (!converter) return {};
  return units_to_bytes(converter.get(), units);
}

}  // namespace morvessa
