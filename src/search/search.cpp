#include "search/search.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "app/app.h"
#include "app/layout.h"
#include "net/codepage.h"
#include "net/endpoints.h"
#include "net/page_fetch.h"
#include "text/extract.h"

namespace morvessa {
namespace {

constexpr ControlRef SEARCH_BOX = main_control("编辑框2");
constexpr ControlRef SEARCH_RESULTS = main_control("超级列表框1");
constexpr ControlRef EPISODE_LIST = main_control("超级列表框2");
constexpr ControlRef POSTER_SEARCH_BOX = main_control("超文本浏览框1");
constexpr ControlRef CHOSEN_TITLE = main_control("透明标签32");
constexpr int SEARCH_TAB = 2;

// Both pairs belong to the anchor of each result: its address, then its title attribute, then data-logger.
constexpr std::string_view TITLE_LEFT_MARKER = R"(.html" class="g-playicon js-playicon" title=")";
constexpr std::string_view TITLE_RIGHT_MARKER = R"(" data-logger='ctype=detail')";
constexpr std::string_view PATH_RIGHT_MARKER = R"(.html" class="g-playicon js-playicon")";
// Four blanks, then the anchor up to the slash after the main host.
constexpr std::string_view PATH_LEFT_MARKER_HEAD = R"(    <a href="http://)";

std::string path_left_marker(const Endpoints& endpoints) {
  std::string marker(PATH_LEFT_MARKER_HEAD);
  marker += endpoints.main_host;
  marker += '/';
  return marker;
}

void run_typed_search(App& app) {
  UiToolkit& ui = app.ui();
  RequestSerial::Ticket ticket = app.serials.search.begin();
  ui.list_clear(SEARCH_RESULTS);
  std::string address = search_page_url(app.endpoints(), encode_keyword(ui.get_text(SEARCH_BOX)));
  app.state.page_html =
      std::make_shared<const std::string>(decode_utf8_page(fetch_page_bytes(app.http(), address)));
  app.workers().start([ui = app.ui_ptr(), page = app.state.page_html, endpoints = app.endpoints(), ticket] {
    fill_search_results(*ui, *page, endpoints, ticket);
  });
}

// The poster search proper, for the caption label of the cell that was used.
void search_poster_title(App& app, ControlRef label) {
  UiToolkit& ui = app.ui();
  // The list is emptied for a new lookup: a lookup still running must not add to it any more.
  app.serials.detail.begin();
  ui.list_clear(EPISODE_LIST);
  ui.navigate(POSTER_SEARCH_BOX, search_page_url(app.endpoints(), encode_keyword(ui.get_text(label))));
  ui.set_text(CHOSEN_TITLE, ui.get_text(label));
}

}  // namespace

std::string encode_keyword(std::string_view text) {
  if (text.empty()) return {};
  static constexpr char HEX[] = "0123456789ABCDEF";
  std::string utf8 = wide_to_multibyte(multibyte_to_wide(text, CP_GBK, true), CP_UTF8, true);
  std::string encoded;
  encoded.reserve(utf8.size() * 3);
  for (char c : utf8) {
    auto byte = static_cast<unsigned char>(c);
    encoded += '%';
    encoded += HEX[byte >> 4];
    encoded += HEX[byte & 15];
  }
  return encoded;
}

void fill_search_results(UiToolkit& ui, const std::string& page_html, const Endpoints& endpoints,
                         const RequestSerial::Ticket& ticket) {
  std::vector<std::string> titles;
  std::vector<std::string> paths;
  extract_between(page_html, TITLE_LEFT_MARKER, TITLE_RIGHT_MARKER, titles);
  extract_between(page_html, path_left_marker(endpoints), PATH_RIGHT_MARKER, paths);
  for (std::size_t i = 0; i < titles.size() && i < paths.size(); ++i) {
    if (!ticket.is_current()) return;
    int row = ui.list_insert_row(SEARCH_RESULTS);
    ui.list_set_cell(SEARCH_RESULTS, row, 0, titles[i]);
    ui.list_set_cell(SEARCH_RESULTS, row, 1, detail_page_url(endpoints, paths[i]));
  }
}

void search_from_link(App& app, const EventArgs&) {
  run_typed_search(app);
}

void search_box_key(App& app, const EventArgs& args) {
  if (args.key != KEY_ENTER) return;
  run_typed_search(app);
  app.ui().set_current_tab(SEARCH_TAB);
}

void clear_search_box(App& app, const EventArgs&) {
  app.ui().set_text(SEARCH_BOX, {});
}

void poster_search_from_label(App& app, const EventArgs&) {
  if (std::optional<FoundControl> source = app.ui().event_source()) search_poster_title(app, source->control);
}

void poster_search_from_picture(App& app, const EventArgs&) {
  UiToolkit& ui = app.ui();
  if (std::optional<FoundControl> source = ui.event_source()) {
    int cell = std::atoi(ui.get_tag(source->control).c_str()) - PICTURE_TAG_OFFSET;
    std::optional<FoundControl> label;
    if (cell >= 1 && cell <= POSTER_CELL_COUNT) label = ui.find_control_by_tag(WindowId::main, cell);
    if (label && label->kind == ControlKind::TransparentLabel) search_poster_title(app, label->control);
  }
  app.state.drag_active = false;
}

}  // namespace morvessa
