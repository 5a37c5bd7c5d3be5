#pragma once
// The one stylesheet of the demo's pages.

#include <string_view>

namespace morvessa::demo {

std::string_view site_stylesheet();

}  // namespace morvessa::demo
