#include "platform/qt/artwork.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace morvessa {
namespace {

constexpr const char* WINDOW_BACKGROUND_FILE = ":/art/window_background.svg";
constexpr const char* ICON_FILE = ":/art/icon.svg";
constexpr int ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256};

const char* artwork_file(Artwork artwork) {
  switch (artwork) {
    case Artwork::none:
      return nullptr;
    case Artwork::logo:
      return ":/art/logo.svg";
    case Artwork::minimise:
      return ":/art/minimise.svg";
    case Artwork::close:
      return ":/art/close.svg";
    case Artwork::window_background:
      return WINDOW_BACKGROUND_FILE;
    case Artwork::page_background:
      return ":/art/page_background.svg";
  }
  return nullptr;
}

// Images, not pixmaps, are cached: they may outlive the application object at exit.
QPixmap render_svg(const char* file, QSize size, qreal pixel_ratio) {
  static QHash<QString, QImage> cache;
  const QString key = QStringLiteral("%1@%2x%3x%4")
                          .arg(QString::fromLatin1(file))
                          .arg(size.width())
                          .arg(size.height())
                          .arg(qRound(pixel_ratio * 100));
  if (auto it = cache.constFind(key); it != cache.cend()) return QPixmap::fromImage(*it);
  QSvgRenderer renderer{QString::fromLatin1(file)};
  renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
  QImage image(size * pixel_ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(pixel_ratio);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  }
  cache.insert(key, image);
  return QPixmap::fromImage(image);
}

}  // namespace

QPixmap artwork_pixmap(Artwork artwork, QSize size, qreal pixel_ratio) {
  const char* file = artwork_file(artwork);
  if (!file || size.isEmpty()) return {};
  return render_svg(file, size, pixel_ratio);
}

QPixmap window_background(QSize size, qreal pixel_ratio) {
  return artwork_pixmap(Artwork::window_background, size, pixel_ratio);
}

QIcon window_icon() {
  QIcon icon;
  for (int side : ICON_SIZES) icon.addPixmap(render_svg(ICON_FILE, QSize(side, side), 1.0));
  return icon;
}

}  // namespace morvessa
