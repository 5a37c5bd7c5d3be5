#include "history/history_store.h"

namespace morvessa {

void load_history(App&) {}
void save_history(App&) {}
void clear_history(App&) {}
void clear_history_pressed(App&, const EventArgs&) {}

}  // namespace morvessa
