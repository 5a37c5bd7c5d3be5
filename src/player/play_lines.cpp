#include "player/play_lines.h"

#include "app/app.h"
#include "app/layout.h"
#include "net/codepage.h"
#include "net/endpoints.h"

namespace morvessa {
namespace {

constexpr ControlRef LINE_COMBO = line_control("组合框1");
constexpr ControlRef LINE_PREFIX = main_control("编辑框3");
constexpr std::string_view LINE_CHANGED_MESSAGE = "更换线路成功！请重新选集！";

static_assert(LINE_COMBO_ITEMS.size() == PLAY_LINE_COUNT, "one combo item per play line");

}  // namespace

void open_line_window(App& app, const EventArgs&) {
  app.ui().open_modal(WindowId::line);
}

// Only the picked item counts: the text of the combo's edit field is never read.
void apply_line_choice(App& app, const EventArgs&) {
  UiToolkit& ui = app.ui();
  int line = ui.combo_selected_index(LINE_COMBO);
  if (line >= 0 && line < PLAY_LINE_COUNT) {
    ui.set_text(LINE_PREFIX, line_prefix(app.endpoints(), line));
    ui.message_box(gbk(LINE_CHANGED_MESSAGE), MessageButtons::ok);
  }
  ui.destroy_window(WindowId::line);
}

}  // namespace morvessa
