#include "platform/qt/top_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/artwork.h"
#include "platform/qt/qt_text.h"

namespace morvessa {

TopWindow::TopWindow(ControlEvents& events, const WindowSpec& spec)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), events_(events), id_(spec.id) {
  setWindowTitle(utf8_qstring(spec.title));
  setWindowIcon(window_icon());
  setFixedSize(spec.width, spec.height);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

bool TopWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate) events_.raise({id_, -1}, EventKind::lost_focus, {});
  return QWidget::event(event);
}

void TopWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (background_.isNull() || background_.deviceIndependentSize().toSize() != size())
    background_ = window_background(size(), devicePixelRatioF());
  painter.drawPixmap(rect(), background_);
}

bool TopWindow::on_background(const QMouseEvent& event) const {
  return childAt(event.position().toPoint()) == nullptr;
}

void TopWindow::report(EventKind kind, const QMouseEvent& event) {
  const QPoint at = event.position().toPoint();
  events_.raise({id_, -1}, kind, EventArgs{at.x(), at.y()});
}

// Presses that a control passed on (a control's press never starts a drag) are not the background's.
void TopWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !on_background(*event)) return event->ignore();
  pressed_on_background_ = true;
  report(EventKind::left_press, *event);
}

void TopWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_on_background_ && !on_background(*event)) return event->ignore();
  report(EventKind::mouse_move, *event);
}

void TopWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return event->ignore();
  if (!pressed_on_background_ && !on_background(*event)) return event->ignore();
  pressed_on_background_ = false;
  report(EventKind::left_release, *event);
}

void TopWindow::keyPressEvent(QKeyEvent* event) {
  // Keys reach the window only when the control with the focus did not use them.
  if (event->key() != Qt::Key_Escape) return QWidget::keyPressEvent(event);
  event->accept();
  events_.close_request(id_);
}

void TopWindow::closeEvent(QCloseEvent* event) {
  // The toolkit hides and deletes its windows itself; a close from outside is a close request.
  event->ignore();
  events_.close_request(id_);
}

}  // namespace morvessa
