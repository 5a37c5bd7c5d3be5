#include "search/detail_pages.h"

#include <vector>

#include "app/app.h"
#include "app/layout.h"
#include "net/codepage.h"
#include "net/http_request.h"
#include "search/web_page.h"
#include "text/extract.h"

namespace morvessa {
namespace {

constexpr ControlRef SEARCH_RESULTS = main_control("超级列表框1");
constexpr ControlRef EPISODE_LIST = main_control("超级列表框2");
constexpr ControlRef POSTER_SEARCH_BOX = main_control("超文本浏览框1");
constexpr ControlRef CHOSEN_TITLE = main_control("透明标签32");
constexpr int PLAY_TAB = 1;
constexpr std::string_view MAIN_PICTURE_KEY = "b-mainpic";
constexpr std::string_view ADDRESS_SCHEME = "http://";
constexpr std::string_view SOURCE_LABEL_HEAD = "观看来源";

// Markers of the three page layouts, byte for byte, Chinese characters as code page 936.
struct Marker {
  std::string left;
  std::string right;
};
struct ParserMarkers {
  Marker block;
  Marker labels;  // parsers 1 and 2
  Marker addresses;
};

std::string blanks(std::size_t n) {
  return std::string(n, ' ');
}

const ParserMarkers& episode_markers() {
  static const ParserMarkers markers{
      {blanks(20) + R"(<div class="num-tab-main)",
       gbk(R"(<div data-block="tj-xiangguan" class="shipin p-mod g-clear " monitor-desc="相关视频">)")},
      {blanks(68) + R"(<a data-num=")", R"(" data-daochu="to=)"},
      {R"(" href="http://)", "\">\r\n" + blanks(10)},
  };
  return markers;
}

const ParserMarkers& issue_markers() {
  static const ParserMarkers markers{
      {blanks(8) + "\t" + R"(<ul class="list w-newfigure-list g-clear js-year-page" style="display:block;">)",
       blanks(8) + gbk(R"(<div class="juji-page"><div monitor-desc='分页' id='js-ew-page' )"
                       R"(data-block='js-ew-page'  class='ew-page'></div></div>)")},
      {R"(<li  title=')", R"(' class='w-newfigure w-newfigure-180x153'>)"},
      {R"(<a href='http://)", R"(' data-daochu=to=)"},
  };
  return markers;
}

const ParserMarkers& source_markers() {
  static const ParserMarkers markers{
      {gbk(R"(<span class="txt">站点排序：</span>)"),
       blanks(8) + gbk(R"(<span class="p-mod-label">相关视频</span>)")},
      {},
      {R"(" href="http://)", R"(">)"},
  };
  return markers;
}

std::vector<std::string> extract(const std::string& block, const Marker& marker) {
  std::vector<std::string> found;
  extract_between(block, marker.left, marker.right, found);
  return found;
}

// Fetches the page and cuts out the parser's block. The fetch may take long: only a current lookup
// shows its title afterwards.
std::string fetch_block(const DetailLookup& lookup, const ParserMarkers& markers) {
  std::string page = http_request(*lookup.http, lookup.address);
  if (lookup.title && lookup.ticket.is_current()) lookup.ui->set_text(CHOSEN_TITLE, *lookup.title);
  return text_between(page, markers.block.left, markers.block.right);
}

// Appends a row (label, "http://" address) while the lookup is current; false once it is stale.
bool add_row(const DetailLookup& lookup, const std::string& label, const std::string& address) {
  if (!lookup.ticket.is_current()) return false;
  UiToolkit& ui = *lookup.ui;
  int row = ui.list_insert_row(EPISODE_LIST);
  ui.list_set_cell(EPISODE_LIST, row, 0, label);
  ui.list_set_cell(EPISODE_LIST, row, 1, std::string(ADDRESS_SCHEME) + address);
  return true;
}

// Parsers 1 and 2: labelled rows; a row without an address is left out. Returns whether labels were found.
bool list_labelled_rows(const DetailLookup& lookup, const ParserMarkers& markers) {
  std::string block = fetch_block(lookup, markers);
  std::vector<std::string> labels = extract(block, markers.labels);
  std::vector<std::string> addresses = extract(block, markers.addresses);
  for (std::size_t i = 0; i < labels.size() && i < addresses.size(); ++i)
    if (!add_row(lookup, labels[i], addresses[i])) break;
  return !labels.empty();
}

void start_next(const DetailLookup& lookup, void (*parser)(const DetailLookup&)) {
  if (!lookup.ticket.is_current()) return;
  lookup.workers->start([lookup, parser] { parser(lookup); });
}

}  // namespace

void parse_episode_list(const DetailLookup& lookup) {
  if (!list_labelled_rows(lookup, episode_markers())) start_next(lookup, parse_issue_list);
}

void parse_issue_list(const DetailLookup& lookup) {
  if (!list_labelled_rows(lookup, issue_markers())) start_next(lookup, parse_source_list);
}

void parse_source_list(const DetailLookup& lookup) {
  std::string block = fetch_block(lookup, source_markers());
  std::vector<std::string> addresses = extract(block, source_markers().addresses);
  static const std::string label_head = gbk(SOURCE_LABEL_HEAD);
  for (std::size_t i = 0; i < addresses.size(); ++i)
    if (!add_row(lookup, label_head + std::to_string(i + 1), addresses[i])) break;
}

void open_selected_result(App& app, const EventArgs&) {
  UiToolkit& ui = app.ui();
  RequestSerial::Ticket ticket = app.serials.detail.begin();
  ui.list_clear(EPISODE_LIST);
  // The row is read once, here: the chain keeps to it however the selection moves meanwhile.
  int row = ui.list_selected_row(SEARCH_RESULTS);
  DetailLookup lookup{app.ui_ptr(),
                      app.http_ptr(),
                      app.workers().shared_from_this(),
                      ui.list_get_cell(SEARCH_RESULTS, row, 1),
                      ui.list_get_cell(SEARCH_RESULTS, row, 0),
                      ticket};
  app.workers().start([lookup] { parse_episode_list(lookup); });
  ui.set_current_tab(PLAY_TAB);
}

void poster_document_ready(App& app, const EventArgs&) {
  UiToolkit& ui = app.ui();
  if (!app.state.web_page) return;
  WebPage& page = *app.state.web_page;
  RequestSerial::Ticket ticket = app.serials.detail.begin();
  page.attach_window(ui.native_handle(POSTER_SEARCH_BOX));
  page.write_html(page.div_outer_html(std::string(MAIN_PICTURE_KEY)));
  // Only a link of this document may name the title: without one the lookup ends here, without a row.
  if (page.collect_links(app.state.detail_link_urls) > 0) {
    DetailLookup lookup{
        app.ui_ptr(), app.http_ptr(), app.workers().shared_from_this(), app.state.detail_link_urls.back(),
        std::nullopt, ticket};
    app.workers().start([lookup] { parse_episode_list(lookup); });
  }
  ui.set_current_tab(PLAY_TAB);
}

}  // namespace morvessa
