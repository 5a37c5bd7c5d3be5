#pragma once
// The demo site's root page: what it serves, for a person looking at it in a browser.

#include <array>
#include <string>
#include <string_view>

#include "demo/catalogue.h"
#include "demo/player_page.h"

namespace morvessa::demo {

std::string render_home_page(const Catalogue& catalogue, std::string_view host,
                             const std::array<std::string, PARSE_LINE_COUNT>& line_prefixes);

}  // namespace morvessa::demo
