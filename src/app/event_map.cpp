#include "app/event_map.h"

#include <array>

#include "app/layout.h"
#include "app/lifecycle.h"
#include "catalogue/category_pages.h"
#include "history/history_store.h"
#include "player/play_lines.h"
#include "player/playback.h"
#include "search/detail_pages.h"
#include "search/search.h"

namespace morvessa {
namespace {

using E = EventKind;
constexpr WindowId MAIN = WindowId::main;
constexpr WindowId LINE = WindowId::line;

constexpr EventBinding BINDINGS[] = {
    {MAIN, "", E::created, start_up},
    {MAIN, "", E::will_be_destroyed, on_main_destroyed},
    {MAIN, "", E::left_press, drag_press},
    {MAIN, "", E::mouse_move, drag_move},
    {MAIN, "", E::left_release, drag_release},
    {MAIN, "", E::lost_focus, drag_lost_focus},
    {MAIN, "图片框39", E::left_press, minimise_main},
    {MAIN, "图片框38", E::left_press, close_with_confirmation},
    {MAIN, "超级按钮1", E::clicked, show_tab, 0},
    {MAIN, "超级按钮2", E::clicked, show_tab, 1},
    {MAIN, "超级按钮3", E::clicked, show_tab, 2},
    {MAIN, "超级按钮4", E::clicked, show_tab, 3},
    {MAIN, "透明标签36", E::left_press, show_tab, 3},
    {MAIN, "超级链接框3", E::left_press, choose_category, 0},
    {MAIN, "超级链接框4", E::left_press, choose_category, 1},
    {MAIN, "超级链接框5", E::left_press, choose_category, 2},
    {MAIN, "超级链接框6", E::left_press, choose_category, 3},
    {MAIN, "超级链接框1", E::left_press, previous_page},
    {MAIN, "超级链接框2", E::left_press, next_page},
    {MAIN, "超级链接框7", E::left_press, jump_to_page},
    {MAIN, "图片框1", E::left_release, poster_search_from_picture},
    {MAIN, "透明标签1", E::left_press, poster_search_from_label},
    {MAIN, "编辑框2", E::left_press, clear_search_box},
    {MAIN, "编辑框2", E::key_pressed, search_box_key},
    {MAIN, "超级链接框8", E::left_press, search_from_link},
    {MAIN, "超级列表框1", E::double_clicked, open_selected_result},
    {MAIN, "超文本浏览框1", E::document_ready, poster_document_ready},
    {MAIN, "超级列表框2", E::clicked, play_episode},
    {MAIN, "超级列表框3", E::clicked, replay_history_entry},
    {MAIN, "超级链接框9", E::left_press, play_typed_address},
    {MAIN, "透明标签38", E::left_press, open_line_window},
    {MAIN, "超级链接框10", E::left_press, clear_history_pressed},
    {LINE, "超级按钮1", E::clicked, apply_line_choice},
};

constexpr bool every_control_is_in_the_layout() {
  for (const EventBinding& b : BINDINGS)
    if (!b.control.empty()) find_control(b.window, b.control);  // throws, so fails to compile, when missing
  return true;
}
static_assert(every_control_is_in_the_layout());

}  // namespace

std::span<const EventBinding> event_map() {
  return BINDINGS;
}

std::optional<BoundHandler> find_handler(ControlRef bound, EventKind event) {
  std::string_view name = bound.is_window() ? std::string_view{} : control_spec(bound).name;
  for (const EventBinding& b : BINDINGS)
    if (b.window == bound.window && b.event == event && b.control == name)
      return BoundHandler{b.handler, b.arg};
  return std::nullopt;
}

}  // namespace morvessa
