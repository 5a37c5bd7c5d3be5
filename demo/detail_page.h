#pragma once
// The detail page of a title, in the layout of its category: numbered episodes for series, dated issues for
// variety shows, viewing sources for films.

#include <string>
#include <string_view>

#include "demo/catalogue.h"

namespace morvessa::demo {

// The page's bytes, in the charset of the title's category (which the page declares in its head).
std::string render_detail_page(const Catalogue& catalogue, std::string_view host, const Title& title);

}  // namespace morvessa::demo
