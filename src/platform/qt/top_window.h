#pragma once
// A borderless top-level window of the layout: black with the stored background stretched over it. Its own
// background reports presses, moves and releases; Esc that no control used asks it to close.

#include <QPixmap>
#include <QWidget>

#include "app/layout_types.h"
#include "platform/qt/control_widgets.h"

namespace morvessa {

class TopWindow final : public QWidget {
  Q_OBJECT
 public:
  TopWindow(ControlEvents& events, const WindowSpec& spec);

  WindowId id() const { return id_; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool on_background(const QMouseEvent& event) const;
  void report(EventKind kind, const QMouseEvent& event);

  ControlEvents& events_;
  WindowId id_;
  QPixmap background_;
  bool pressed_on_background_ = false;
};

}  // namespace morvessa
