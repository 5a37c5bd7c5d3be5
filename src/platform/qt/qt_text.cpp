#include "platform/qt/qt_text.h"

#include "net/codepage.h"

namespace morvessa {

QString to_qstring(std::string_view gbk_text) {
  std::string utf8 = to_utf8(gbk_text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string from_qstring(const QString& text) {
  QByteArray utf8 = text.toUtf8();
  return gbk(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString utf8_qstring(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace morvessa
