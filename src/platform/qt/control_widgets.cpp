#include "platform/qt/control_widgets.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>

#include "platform/qt/artwork.h"
#include "platform/qt/qt_text.h"

namespace morvessa {
namespace {

constexpr const char* WINDOW_PROPERTY = "morvessa_window";
constexpr const char* INDEX_PROPERTY = "morvessa_index";
constexpr const char* TEXT_PROPERTY = "morvessa_text";
constexpr const char* SHOWN_PROPERTY = "morvessa_shown";

const QColor POSTER_EMPTY{0x1a, 0x15, 0x1a};
const QColor POSTER_FRAME{0x4a, 0x3a, 0x4a};
const QColor HOVER_OVERLAY{0xff, 0x80, 0x00, 0x38};
const QColor CLOSE_HOVER_OVERLAY{0xd0, 0x30, 0x20, 0xc0};
constexpr int FRAME_WIDTH = 1;

}  // namespace

void mark_control(QWidget& widget, ControlRef ref) {
  widget.setProperty(WINDOW_PROPERTY, static_cast<int>(ref.window));
  widget.setProperty(INDEX_PROPERTY, ref.index);
}

std::optional<ControlRef> owning_control(const QObject* object) {
  for (; object; object = object->parent()) {
    QVariant index = object->property(INDEX_PROPERTY);
    if (index.isValid())
      return ControlRef{static_cast<WindowId>(object->property(WINDOW_PROPERTY).toInt()), index.toInt()};
  }
  return std::nullopt;
}

void remember_text(QWidget& widget, const std::string& text, const QString& shown) {
  widget.setProperty(TEXT_PROPERTY, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  widget.setProperty(SHOWN_PROPERTY, shown);
}

std::string recall_text(const QWidget& widget, const QString& shown_now) {
  QVariant shown = widget.property(SHOWN_PROPERTY);
  if (shown.isValid() && shown.toString() == shown_now) {
    QByteArray bytes = widget.property(TEXT_PROPERTY).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  return from_qstring(shown_now);
}

void report_mouse(ControlEvents& events, ControlRef ref, QMouseEvent& event, EventKind kind) {
  if (event.button() != Qt::LeftButton) return;
  const QPoint at = event.position().toPoint();
  events.raise(ref, kind, EventArgs{at.x(), at.y()});
}

PictureBoxWidget::PictureBoxWidget(ControlEvents& events, ControlRef ref, Artwork artwork, bool framed,
                                   QWidget* parent)
    : QWidget(parent), events_(events), ref_(ref), artwork_(artwork), framed_(framed) {
  mark_control(*this, ref);
  setAttribute(Qt::WA_OpaquePaintEvent,
               artwork == Artwork::window_background || artwork == Artwork::page_background || framed);
}

QSize PictureBoxWidget::picture_area() const {
  const int inset = framed_ ? 2 * FRAME_WIDTH : 0;
  return QSize(std::max(0, width() - inset), std::max(0, height() - inset));
}

void PictureBoxWidget::show_picture(QImage image) {
  picture_ = std::move(image);
  picture_pixmap_ = picture_.isNull() ? QPixmap() : QPixmap::fromImage(picture_);
  picture_reported_ = picture_.isNull();
  update();
  // A box that lies outside what its parents show (the layout clips some) has nothing to paint.
  if (!picture_reported_ && visibleRegion().isEmpty()) {
    picture_reported_ = true;
    events_.picture_drawn(ref_);
  }
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = rect();
  if (artwork_ == Artwork::window_background) {
    // The window's own background, cut at the box's place, so the strip continues it seamlessly.
    const QSize whole = window()->size();
    if (artwork_pixmap_.isNull() || artwork_pixmap_.deviceIndependentSize().toSize() != whole)
      artwork_pixmap_ = window_background(whole, devicePixelRatioF());
    painter.drawPixmap(-mapTo(window(), QPoint(0, 0)), artwork_pixmap_);
  } else if (artwork_ != Artwork::none) {
    if (artwork_pixmap_.isNull() || artwork_pixmap_.deviceIndependentSize().toSize() != size())
      artwork_pixmap_ = artwork_pixmap(artwork_, size(), devicePixelRatioF());
    painter.drawPixmap(area, artwork_pixmap_);
  } else if (framed_) {
    painter.fillRect(area, POSTER_EMPTY);
  }
  if (!picture_pixmap_.isNull()) {
    QSize shown = picture_pixmap_.size() / picture_pixmap_.devicePixelRatio();
    QPoint origin((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    painter.drawPixmap(origin, picture_pixmap_);
  }
  if (framed_) {
    painter.setPen(QPen(POSTER_FRAME, FRAME_WIDTH));
    painter.drawRect(area.adjusted(0, 0, -FRAME_WIDTH, -FRAME_WIDTH));
  }
  if (hovered_) painter.fillRect(area, artwork_ == Artwork::close ? CLOSE_HOVER_OVERLAY : HOVER_OVERLAY);
  if (!picture_reported_) {
    picture_reported_ = true;
    events_.picture_drawn(ref_);
  }
}

void PictureBoxWidget::mousePressEvent(QMouseEvent* event) {
  report_mouse(events_, ref_, *event, EventKind::left_press);
  event->accept();
}

void PictureBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
  report_mouse(events_, ref_, *event, EventKind::left_release);
  event->accept();
}

void PictureBoxWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  report_mouse(events_, ref_, *event, EventKind::double_clicked);
  event->accept();
}

void PictureBoxWidget::enterEvent(QEnterEvent*) {
  // Only the pictures that stand for buttons light up.
  if (cursor().shape() != Qt::PointingHandCursor) return;
  hovered_ = true;
  update();
}

void PictureBoxWidget::leaveEvent(QEvent*) {
  if (!hovered_) return;
  hovered_ = false;
  update();
}

LabelWidget::LabelWidget(ControlEvents& events, ControlRef ref, bool link, QWidget* parent)
    : QLabel(parent), events_(events), ref_(ref), link_(link) {
  mark_control(*this, ref);
  setTextFormat(Qt::PlainText);
  setProperty("link", link);
}

void LabelWidget::mousePressEvent(QMouseEvent* event) {
  report_mouse(events_, ref_, *event, EventKind::left_press);
  event->accept();
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event) {
  report_mouse(events_, ref_, *event, EventKind::left_release);
  event->accept();
}

void LabelWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  report_mouse(events_, ref_, *event, EventKind::double_clicked);
  event->accept();
}

void LabelWidget::enterEvent(QEnterEvent*) {
  if (!link_) return;
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
}

void LabelWidget::leaveEvent(QEvent*) {
  if (!link_) return;
  QFont f = font();
  f.setUnderline(false);
  setFont(f);
}

ButtonWidget::ButtonWidget(ControlEvents& events, ControlRef ref, QWidget* parent)
    : QPushButton(parent), events_(events), ref_(ref) {
  mark_control(*this, ref);
  setFocusPolicy(Qt::TabFocus);
  connect(this, &QPushButton::clicked, this, [this] { events_.raise(ref_, EventKind::clicked, {}); });
}

void ButtonWidget::mousePressEvent(QMouseEvent* event) {
  report_mouse(events_, ref_, *event, EventKind::left_press);
  QPushButton::mousePressEvent(event);
}

void ButtonWidget::mouseReleaseEvent(QMouseEvent* event) {
  // The release is reported before clicked, as the window system orders them.
  report_mouse(events_, ref_, *event, EventKind::left_release);
  QPushButton::mouseReleaseEvent(event);
}

EditWidget::EditWidget(ControlEvents& events, ControlRef ref, QWidget* parent)
    : QLineEdit(parent), events_(events), ref_(ref) {
  mark_control(*this, ref);
}

void EditWidget::mousePressEvent(QMouseEvent* event) {
  // Reported first: a handler that empties the field runs before the caret is placed.
  report_mouse(events_, ref_, *event, EventKind::left_press);
  QLineEdit::mousePressEvent(event);
}

void EditWidget::mouseReleaseEvent(QMouseEvent* event) {
  report_mouse(events_, ref_, *event, EventKind::left_release);
  QLineEdit::mouseReleaseEvent(event);
}

ComboWidget::ComboWidget(ControlEvents& events, ControlRef ref, QWidget* parent)
    : QComboBox(parent), events_(events), ref_(ref) {
  mark_control(*this, ref);
}

void ComboWidget::mousePressEvent(QMouseEvent* event) {
  report_mouse(events_, ref_, *event, EventKind::left_press);
  QComboBox::mousePressEvent(event);
}

}  // namespace morvessa
