#pragma once

#include "app/events.h"

namespace morvessa {

class App;
// Every handler of the event map: a plain function run on the window's thread.
using Handler = void (*)(App& app, const EventArgs& args);

}  // namespace morvessa
