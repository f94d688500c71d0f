// Texts between the core and Qt: inside the program text is UTF-8 (the
// 8-bit Windows-1252 of the files is converted where they are read and
// written), so both directions are plain UTF-8 conversions.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zod {

inline QString toQ(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string fromQ(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace zod
