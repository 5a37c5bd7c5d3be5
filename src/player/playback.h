#pragma once
// Playing an episode, a history entry or a typed address through the current play line.

#include <string>

#include "app/events.h"

namespace morvessa {

class App;

void play_episode(App& app, const EventArgs& args);          // 超级列表框2 clicked
void replay_history_entry(App& app, const EventArgs& args);  // 超级列表框3 clicked
void play_typed_address(App& app, const EventArgs& args);    // 超级链接框9 pressed

}  // namespace morvessa
