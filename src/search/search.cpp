#include "search/search.h"

namespace morvessa {

std::string encode_keyword(std::string_view) {
  return {};
}
void search_from_link(App&, const EventArgs&) {}
void search_box_key(App&, const EventArgs&) {}
void clear_search_box(App&, const EventArgs&) {}
void poster_search_from_label(App&, const EventArgs&) {}
void poster_search_from_picture(App&, const EventArgs&) {}

}  // namespace morvessa
