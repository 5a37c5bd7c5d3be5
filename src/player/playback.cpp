#include "player/playback.h"

namespace morvessa {

void play_episode(App&, const EventArgs&) {}
void replay_history_entry(App&, const EventArgs&) {}
void play_typed_address(App&, const EventArgs&) {}

}  // namespace morvessa
