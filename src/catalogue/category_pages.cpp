#include "catalogue/category_pages.h"

#include <limits>

#include "app/app.h"
#include "app/layout.h"
#include "catalogue/page_number.h"
#include "catalogue/poster_grid.h"
#include "net/codepage.h"
#include "net/endpoints.h"
#include "net/page_fetch.h"

namespace morvessa {
namespace {

constexpr ControlRef PAGE_LABEL = main_control("透明标签26");
constexpr ControlRef JUMP_BOX = main_control("编辑框1");
constexpr int FIRST_PAGE = 1;
constexpr int CATEGORY_WORKERS = 3;
constexpr int PAGING_WORKERS = 3;
constexpr int JUMP_WORKERS = 1;
constexpr int GRID_TAB = 0;

// The page label, the page itself, then the workers that fill the grid from it.
void show_page(App& app, int workers) {
  AppState& state = app.state;
  app.ui().set_text(PAGE_LABEL, page_label_text(state.total_pages_text, state.current_page));
  load_list_page(app, list_page_url(app.endpoints(), state.category_slug, state.current_page));
  start_grid_workers(app, workers);
}

}  // namespace

std::string page_label_text(std::string_view total, int page) {
  std::string label = gbk("共有：");
  label += total;
  label += gbk("页/当前：第");
  label += std::to_string(page);
  label += gbk("页");
  return label;
}

void load_list_page(App& app, const std::string& address) {
  app.state.page_html =
      std::make_shared<const std::string>(decode_utf8_page(fetch_page_bytes(app.http(), address)));
}

void choose_category(App& app, const EventArgs& args) {
  if (args.arg < 0 || args.arg >= static_cast<int>(CATEGORIES.size())) return;
  const Category& category = CATEGORIES[static_cast<std::size_t>(args.arg)];
  app.state.category_slug = std::string(category.slug);
  app.state.current_page = FIRST_PAGE;
  app.state.total_pages_text = std::string(category.total_pages);
  show_page(app, CATEGORY_WORKERS);
  app.ui().set_current_tab(GRID_TAB);
}

// No upper bound: the total is a fixed text, and the site may have more pages. Only the integer's own end
// stops it.
void next_page(App& app, const EventArgs&) {
  if (app.state.current_page == std::numeric_limits<std::int32_t>::max()) return;
  ++app.state.current_page;
  show_page(app, PAGING_WORKERS);
}

// There is no page before the first: on page 1 nothing happens.
void previous_page(App& app, const EventArgs&) {
  if (app.state.current_page <= FIRST_PAGE) return;
  --app.state.current_page;
  show_page(app, PAGING_WORKERS);
}

// A text that names no page from 1 up (no number, below 1, beyond the 32-bit range) changes nothing.
void jump_to_page(App& app, const EventArgs&) {
  const std::optional<std::int32_t> page = jump_page_number(app.ui().get_text(JUMP_BOX));
  if (!page) return;
  app.state.current_page = *page;
  show_page(app, JUMP_WORKERS);
}

}  // namespace morvessa
