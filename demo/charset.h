#pragma once
// The one character-set conversion the demo needs: its GBK pages are written in UTF-8 and converted once.

#include <string>
#include <string_view>

namespace morvessa::demo {

// UTF-8 to GBK (code page 936); a character that GBK lacks becomes "?".
std::string utf8_to_gbk(std::string_view utf8);

}  // namespace morvessa::demo
