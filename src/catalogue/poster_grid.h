#pragma once
// Filling the 30 poster cells from a list page, on worker threads.

#include "app/app_state.h"

namespace morvessa {

class App;

// Starts count workers over the page_html just stored; returns at once.
void start_grid_workers(App& app, int count);

}  // namespace morvessa
