#pragma once
// Choosing among the five play lines in the line window.

#include "app/events.h"

namespace morvessa {

class App;

void open_line_window(App& app, const EventArgs& args);   // 透明标签38 pressed
void apply_line_choice(App& app, const EventArgs& args);  // line window, 超级按钮1 clicked

}  // namespace morvessa
