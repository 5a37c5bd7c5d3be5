#pragma once
// Playing an episode, a history entry or a typed address through the current play line.

#include <string>
#include <string_view>

#include "app/events.h"

namespace morvessa {

class App;

inline constexpr std::string_view NOW_PLAYING_PREFIX = "正在播放： ";
inline constexpr std::string_view EPISODE_BEFORE = " 第";
inline constexpr std::string_view EPISODE_AFTER = "集";

// The prefix of the current play line (编辑框3, read afresh) followed directly by the page address.
std::string player_address(App& app, std::string_view page_address);
// The history entry of an episode: the title, " 第", the episode label, "集".
std::string entry_text(std::string_view title, std::string_view episode_label);

void play_episode(App& app, const EventArgs& args);          // 超级列表框2 clicked
void replay_history_entry(App& app, const EventArgs& args);  // 超级列表框3 clicked
void play_typed_address(App& app, const EventArgs& args);    // 超级链接框9 pressed

}  // namespace morvessa
