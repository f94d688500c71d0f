// Reads a workbook back for the export tests: one member of the .xlsx (zip)
// file, and the cells and column settings of its first sheet.
#pragma once

#include <QMap>
#include <QXmlStreamReader>

#include "database/zipcheck.h"

namespace zod::test {

// The member `name` of the zip file, inflated; empty when it is not there
// or the file is no complete zip file.
inline QByteArray ZipMember(const QString& zipPath, const QString& name) {
  QMap<QString, QByteArray> members;
  if (!ReadZip(zipPath, members)) return {};
  return members.value(name);
}

struct Sheet {
  QMap<QString, QString> cells;      // "B2" -> text
  QMap<QString, QString> cellStyle;  // "A2" -> style index
  struct Col {
    int min, max;
    double width;
    QString style;
  };
  QList<Col> cols;
  bool ok = false;
};

inline Sheet ReadSheet(const QString& xlsx) {
  Sheet s;
  const QByteArray xml = ZipMember(xlsx, "xl/worksheets/sheet1.xml");
  if (xml.isEmpty()) return s;
  QXmlStreamReader r(xml);
  QString cell;
  while (!r.atEnd()) {
    r.readNext();
    if (!r.isStartElement()) continue;
    const auto a = r.attributes();
    if (r.name() == QLatin1String("col")) {
      s.cols.append({a.value("min").toInt(), a.value("max").toInt(), a.value("width").toDouble(),
                     a.value("style").toString()});
    } else if (r.name() == QLatin1String("c")) {
      cell = a.value("r").toString();
      s.cellStyle[cell] = a.value("s").toString();
    } else if (r.name() == QLatin1String("t")) {
      s.cells[cell] = r.readElementText();
    }
  }
  s.ok = !r.hasError();
  return s;
}

}  // namespace zod::test
