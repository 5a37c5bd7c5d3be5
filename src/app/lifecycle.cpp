#include "app/lifecycle.h"

#include "app/app.h"
#include "app/layout.h"
#include "catalogue/category_pages.h"
#include "catalogue/poster_grid.h"
#include "history/history_store.h"
#include "net/codepage.h"
#include "net/endpoints.h"

namespace morvessa {
namespace {

constexpr ControlRef SEARCH_RESULTS = main_control("超级列表框1");
constexpr ControlRef PAGE_LABEL = main_control("透明标签26");
constexpr ControlRef FIRST_CELL_PICTURE = main_control("图片框1");
constexpr ControlRef FIRST_CELL_LABEL = main_control("透明标签1");

// Every poster cell's events run the handlers of cell 1, which ask event_source for the real control.
void wire_poster_grid(UiToolkit& ui) {
  for (int k = 2; k <= POSTER_CELL_COUNT; ++k) {
    if (auto picture = ui.find_control_by_tag(WindowId::main, k + PICTURE_TAG_OFFSET))
      ui.redirect_events(picture->control, FIRST_CELL_PICTURE);
    if (auto label = ui.find_control_by_tag(WindowId::main, k))
      ui.redirect_events(label->control, FIRST_CELL_LABEL);
  }
}

}  // namespace

void start_up(App& app, const EventArgs&) {
  UiToolkit& ui = app.ui();
  app.state.drag_active = false;
  ui.list_clear(SEARCH_RESULTS);
  load_history(app);
  clear_browser_data(app);
  wire_poster_grid(ui);
  app.state.current_page = 1;
  app.state.total_pages_text = std::string(START_TOTAL_PAGES);
  app.state.category_slug = std::string(START_CATEGORY_SLUG);
  load_list_page(app, list_page_url(app.endpoints(), START_CATEGORY_SLUG, 1));
  ui.set_text(PAGE_LABEL, page_label_text(app.state.total_pages_text, 1));
  start_grid_workers(app, START_GRID_WORKERS);
}

void on_main_destroyed(App& app, const EventArgs&) {
  save_history(app);
}

void drag_press(App& app, const EventArgs& args) {
  app.state.drag_active = true;
  app.state.drag_origin_x = args.x;
  app.state.drag_origin_y = args.y;
}

void drag_release(App& app, const EventArgs&) {
  app.state.drag_active = false;
}

void drag_lost_focus(App& app, const EventArgs&) {
  app.state.drag_active = false;
}

// Left first, then top, as two moves: the pointer ends at the origin again, so the window follows it.
void drag_move(App& app, const EventArgs& args) {
  if (!app.state.drag_active) return;
  UiToolkit& ui = app.ui();
  WindowPos pos = ui.get_window_pos(WindowId::main);
  ui.set_window_pos(WindowId::main, pos.left + (args.x - app.state.drag_origin_x), pos.top);
  pos = ui.get_window_pos(WindowId::main);
  ui.set_window_pos(WindowId::main, pos.left, pos.top + (args.y - app.state.drag_origin_y));
}

void minimise_main(App& app, const EventArgs&) {
  app.ui().minimise_window(WindowId::main);
}

void close_with_confirmation(App& app, const EventArgs&) {
  int answer =
      app.ui().message_box(gbk(CLOSE_CONFIRM_TEXT), MessageButtons::ok_cancel, gbk(CLOSE_CONFIRM_TITLE));
  if (answer == 0) app.ui().destroy_window(WindowId::main);
}

void show_tab(App& app, const EventArgs& args) {
  app.ui().set_current_tab(args.arg);
}

void clear_browser_data(App& app) {
  if (BrowserData* data = app.browser_data()) {
    data->clear_cache();
    data->clear_cookies();
  }
}

}  // namespace morvessa
