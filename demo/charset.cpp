#include "demo/charset.h"

#include <unicode/ucnv.h>

namespace morvessa::demo {

std::string utf8_to_gbk(std::string_view utf8) {
  if (utf8.empty()) return {};
  // GBK never takes more bytes than UTF-8 for the same text; one spare byte for ICU's terminator.
  std::string out(utf8.size() + 1, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t written = ucnv_convert("windows-936", "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                                       utf8.data(), static_cast<int32_t>(utf8.size()), &status);
  if (U_FAILURE(status) || written < 0) return {};
  out.resize(static_cast<std::size_t>(written));
  return out;
}

}  // namespace morvessa::demo
