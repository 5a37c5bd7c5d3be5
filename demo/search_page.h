#pragma once
// The search page: every title matching the keyword, and a main-picture block for the best match.

#include <string>
#include <string_view>

#include "demo/catalogue.h"

namespace morvessa::demo {

inline constexpr std::size_t SEARCH_RESULT_LIMIT = 20;

// "/index.php?kw=" and the percent-encoded UTF-8 keyword
std::string search_page_path(std::string_view keyword);

// The page for a keyword (UTF-8, already percent-decoded), its addresses on host.
std::string render_search_page(const Catalogue& catalogue, std::string_view host, std::string_view keyword);

}  // namespace morvessa::demo
