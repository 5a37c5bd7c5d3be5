#include "search/detail_pages.h"

namespace morvessa {

void open_selected_result(App&, const EventArgs&) {}
void poster_document_ready(App&, const EventArgs&) {}

}  // namespace morvessa
