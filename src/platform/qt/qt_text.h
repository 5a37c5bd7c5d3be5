#pragma once
// Byte texts of code page 936 to and from Qt strings: the only place where the GUI converts.

#include <QString>
#include <string>
#include <string_view>

namespace morvessa {

QString to_qstring(std::string_view gbk_text);
std::string from_qstring(const QString& text);
// Layout texts are written in UTF-8.
QString utf8_qstring(std::string_view utf8);

}  // namespace morvessa
