#pragma once
// Builds a window's widgets from the layout tables: every control with its parent, place, size,
// visibility, texts, list columns, colours, fonts and cursors.

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "app/control_ref.h"
#include "platform/qt/browser_box.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/top_window.h"

namespace morvessa {

struct WindowWidgets {
  QPointer<TopWindow> top;
  std::vector<QPointer<QWidget>> controls;  // in layout order
};

// The window is built hidden; the caller shows it.
WindowWidgets build_window(WindowId id, ControlEvents& events,
                           const BrowserBoxWidget::ProfileSource& profile);

// The look of every window of the program, message boxes included.
QString application_style_sheet();

void write_control_text(QWidget& widget, ControlKind kind, const std::string& text);
std::string read_control_text(const QWidget& widget, ControlKind kind);

}  // namespace morvessa
