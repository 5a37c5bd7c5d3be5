#pragma once
// The program's own handlers: start-up, destruction, window drag, minimise, close and the tab buttons.

#include "app/events.h"

namespace morvessa {

class App;

inline constexpr std::string_view CLOSE_CONFIRM_TEXT =
    "是否关闭播放器，本次播放将会保存在播放记录当中，下次启动可以继续观看";
inline constexpr std::string_view CLOSE_CONFIRM_TITLE = "确认关闭";
inline constexpr std::string_view START_CATEGORY_SLUG = "dianshi";
inline constexpr std::string_view START_TOTAL_PAGES = "24";
inline constexpr int START_GRID_WORKERS = 2;

void start_up(App& app, const EventArgs& args);
void on_main_destroyed(App& app, const EventArgs& args);
void drag_press(App& app, const EventArgs& args);
void drag_release(App& app, const EventArgs& args);
void drag_lost_focus(App& app, const EventArgs& args);
void drag_move(App& app, const EventArgs& args);
void minimise_main(App& app, const EventArgs& args);
void close_with_confirmation(App& app, const EventArgs& args);
// args.arg: the tab to show.
void show_tab(App& app, const EventArgs& args);

// Clears the embedded browser's cache, then its cookies.
void clear_browser_data(App& app);

}  // namespace morvessa
