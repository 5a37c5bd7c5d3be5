#include "platform/qt/picture_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <array>

namespace morvessa {
namespace {

constexpr std::array<std::string_view, 4> PICTURE_FORMATS = {"jpeg", "png", "gif", "bmp"};
constexpr std::size_t DECODED_BYTES_PER_PIXEL = 4;

bool supported(const QByteArray& format) {
  for (std::string_view name : PICTURE_FORMATS)
    if (format == QByteArray(name.data(), static_cast<qsizetype>(name.size()))) return true;
  return false;
}

}  // namespace

QImage decode_fitted_picture(std::string_view bytes, QSize box) {
  if (bytes.empty() || box.isEmpty()) return {};
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  if (!reader.canRead() || !supported(reader.format())) return {};
  const QSize size = reader.size();
  if (size.isEmpty()) return {};
  const auto pixels = static_cast<std::size_t>(size.width()) * static_cast<std::size_t>(size.height());
  if (pixels > MAX_DECODED_PICTURE_BYTES / DECODED_BYTES_PER_PIXEL) return {};
  const QSize fitted = size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  // Shrinking while decoding is cheaper; enlarging a small picture happens afterwards.
  if (fitted.width() < size.width()) reader.setScaledSize(fitted);
  QImage image = reader.read();
  if (image.isNull()) return {};
  if (image.size() != fitted) image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return image;
}

}  // namespace morvessa
