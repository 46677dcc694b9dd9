// The program's texts are Windows-1252 bytes; Qt's are Unicode.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "infra/cp1252.h"

inline QString ToQString(std::string_view cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}
inline std::string FromQString(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}
