#pragma once
// The ranked list pages of the catalogue: one page of 30 titles with their posters.

#include <string>
#include <string_view>

#include "demo/catalogue.h"

namespace morvessa::demo {

// "/SLUG/list?rank=rankhot&cat=all&area=all&act=all&year=all&pageno=N"
std::string list_page_path(std::string_view slug, int page);

// Page n of a category, its addresses on host (host[:port]). A page past either end is a page without titles.
std::string render_list_page(const Catalogue& catalogue, std::string_view host, int category, int page);

}  // namespace morvessa::demo
