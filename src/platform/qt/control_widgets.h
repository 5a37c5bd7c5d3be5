#pragma once
// The widgets that stand for the layout's controls. Each knows its ControlRef and reports the user's
// events through ControlEvents; none of them knows a handler.

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <optional>
#include <string>

#include "app/control_ref.h"
#include "app/events.h"
#include "app/layout_types.h"

namespace morvessa {

class ControlEvents {
 public:
  virtual ~ControlEvents() = default;
  // The user caused an event on a control, or on a window (index -1).
  virtual void raise(ControlRef source, EventKind kind, const EventArgs& args) = 0;
  // Esc that no control used, or the window system asking the window to close.
  virtual void close_request(WindowId window) = 0;
  // A picture box painted a picture set on it (or has nothing to paint, lying where nothing is shown),
  // the first time after it was set.
  virtual void picture_drawn(ControlRef box) = 0;
};

// Every control widget carries its ControlRef, so that the control owning a focused inner widget (the
// edit field of a combo box, the view of a browser box) can be found.
void mark_control(QWidget& widget, ControlRef ref);
std::optional<ControlRef> owning_control(const QObject* object);

// The byte text last set on a control, kept with what it showed: reading back an unchanged text gives
// exactly the bytes that were set, even when they do not survive a round trip through Unicode.
void remember_text(QWidget& widget, const std::string& text, const QString& shown);
std::string recall_text(const QWidget& widget, const QString& shown_now);

// A left-button event of a control, reported with the control's own coordinates.
void report_mouse(ControlEvents& events, ControlRef ref, QMouseEvent& event, EventKind kind);

class PictureBoxWidget final : public QWidget {
  Q_OBJECT
 public:
  PictureBoxWidget(ControlEvents& events, ControlRef ref, Artwork artwork, bool framed, QWidget* parent);

  // Shows the image (already fitted), or no picture for a null image.
  void show_picture(QImage image);
  const QImage& picture() const { return picture_; }
  // The area a picture is fitted into.
  QSize picture_area() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  ControlEvents& events_;
  ControlRef ref_;
  Artwork artwork_;
  bool framed_;
  QPixmap artwork_pixmap_;
  QImage picture_;
  QPixmap picture_pixmap_;
  bool picture_reported_ = true;
  bool hovered_ = false;
};

// Transparent labels and link labels: text over whatever lies below.
class LabelWidget final : public QLabel {
  Q_OBJECT
 public:
  LabelWidget(ControlEvents& events, ControlRef ref, bool link, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  ControlEvents& events_;
  ControlRef ref_;
  bool link_;
};

class ButtonWidget final : public QPushButton {
  Q_OBJECT
 public:
  ButtonWidget(ControlEvents& events, ControlRef ref, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ControlEvents& events_;
  ControlRef ref_;
};

class EditWidget final : public QLineEdit {
  Q_OBJECT
 public:
  EditWidget(ControlEvents& events, ControlRef ref, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ControlEvents& events_;
  ControlRef ref_;
};

class ComboWidget final : public QComboBox {
  Q_OBJECT
 public:
  ComboWidget(ControlEvents& events, ControlRef ref, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  ControlEvents& events_;
  ControlRef ref_;
};

// The tab control is a window of its own: a press on its empty parts stays with it.
class TabWidget final : public QTabWidget {
  Q_OBJECT
 public:
  explicit TabWidget(QWidget* parent) : QTabWidget(parent) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
};

}  // namespace morvessa
