#include "player/play_lines.h"

#include "app/app.h"

namespace morvessa {

void open_line_window(App& app, const EventArgs&) {
  app.ui().open_modal(WindowId::line);
}
void apply_line_choice(App&, const EventArgs&) {}

}  // namespace morvessa
