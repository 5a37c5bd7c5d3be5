#pragma once
// Typed search and poster search.

#include <string>
#include <string_view>

#include "app/events.h"
#include "app/request_serial.h"

namespace morvessa {

class App;
class UiToolkit;
struct Endpoints;

// Percent-encoded UTF-8 of a code page 936 text; every byte escaped.
std::string encode_keyword(std::string_view text);

// The search worker: one row of 超级列表框1 (title, detail address) per result of the search page, in page
// order. A result without an address is left out; nothing more is written once the ticket is stale.
void fill_search_results(UiToolkit& ui, const std::string& page_html, const Endpoints& endpoints,
                         const RequestSerial::Ticket& ticket);

void search_from_link(App& app, const EventArgs& args);            // 超级链接框8 pressed
void search_box_key(App& app, const EventArgs& args);              // key in 编辑框2
void clear_search_box(App& app, const EventArgs& args);            // press in 编辑框2
void poster_search_from_label(App& app, const EventArgs& args);    // a caption label pressed
void poster_search_from_picture(App& app, const EventArgs& args);  // released over a poster picture

}  // namespace morvessa
