#pragma once
// Listing the episodes, issues or viewing sources of a title from its detail page.

#include "app/events.h"

namespace morvessa {

class App;

void open_selected_result(App& app, const EventArgs& args);   // 超级列表框1 double-clicked
void poster_document_ready(App& app, const EventArgs& args);  // 超文本浏览框1 document ready

}  // namespace morvessa
