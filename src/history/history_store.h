#pragma once
// The play history list and its file.

#include "app/events.h"

namespace morvessa {

class App;

void load_history(App& app);
void save_history(App& app);
void clear_history(App& app);
void clear_history_pressed(App& app, const EventArgs& args);  // 超级链接框10 pressed

}  // namespace morvessa
