// Reads a workbook back for the export tests: one member of the .xlsx (zip)
// file, and the cells (texts, inline or shared, numbers with their formats)
// and column settings of its first sheet.
#pragma once

#include <QMap>
#include <QXmlStreamReader>

#include "database/zipcheck.h"
#include "engine/format.h"

namespace zod::test {

// The member `name` of the zip file, inflated; empty when it is not there
// or the file is no complete zip file.
inline QByteArray ZipMember(const QString& zipPath, const QString& name) {
  QMap<QString, QByteArray> members;
  if (!ReadZip(zipPath, members)) return {};
  return members.value(name);
}

struct Sheet {
  QMap<QString, QString> cells;         // "B2" -> text, or a number cell's value as written
  QMap<QString, QString> cellStyle;     // "A2" -> style index
  QMap<QString, QString> numberFormat;  // "B3" -> format code of a number cell
  struct Col {
    int min, max;
    double width;
    QString style;
  };
  QList<Col> cols;
  bool ok = false;
};

// The number format code of each cell style, in the order of the styles:
// "General", a code of the workbook's own, or "built-in N".
inline QStringList StyleFormats(const QString& xlsx) {
  QXmlStreamReader r(ZipMember(xlsx, "xl/styles.xml"));
  QMap<QString, QString> codes{{"0", "General"}};
  QStringList ids;
  bool cellStyles = false;
  while (!r.atEnd()) {
    r.readNext();
    if (r.name() == QLatin1String("cellXfs")) cellStyles = r.isStartElement();
    if (!r.isStartElement()) continue;
    const auto a = r.attributes();
    if (r.name() == QLatin1String("numFmt"))
      codes[a.value("numFmtId").toString()] = a.value("formatCode").toString();
    else if (cellStyles && r.name() == QLatin1String("xf"))
      ids << a.value("numFmtId").toString();
  }
  QStringList formats;
  for (const QString& id : ids) formats << codes.value(id, "built-in " + id);
  return formats;
}

// The workbook's shared strings in their order: the text of each item, its
// runs joined.
inline QStringList SharedStrings(const QString& xlsx) {
  QXmlStreamReader r(ZipMember(xlsx, "xl/sharedStrings.xml"));
  QStringList strings;
  while (!r.atEnd()) {
    r.readNext();
    if (!r.isStartElement()) continue;
    if (r.name() == QLatin1String("si"))
      strings << QString();
    else if (r.name() == QLatin1String("t") && !strings.isEmpty())
      strings.last() += r.readElementText();
  }
  return strings;
}

inline Sheet ReadSheet(const QString& xlsx) {
  Sheet s;
  const QByteArray xml = ZipMember(xlsx, "xl/worksheets/sheet1.xml");
  if (xml.isEmpty()) return s;
  const QStringList formats = StyleFormats(xlsx);
  const QStringList strings = SharedStrings(xlsx);
  QXmlStreamReader r(xml);
  QString cell;
  bool number = false, shared = false;
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
      number = a.value("t").isEmpty() || a.value("t") == QLatin1String("n");
      shared = a.value("t") == QLatin1String("s");
      if (number) s.numberFormat[cell] = formats.value(a.value("s").toInt(), "no style");
    } else if (r.name() == QLatin1String("t") || (number && r.name() == QLatin1String("v"))) {
      s.cells[cell] = r.readElementText();
    } else if (shared && r.name() == QLatin1String("v")) {
      s.cells[cell] = strings.value(r.readElementText().toInt());
    }
  }
  s.ok = !r.hasError();
  return s;
}

// The text the sheet shows in `cell`: a text as it stands; a number by its
// format code, which the export writes in the formatter's pattern grammar,
// with `dec` as the decimal separator.
inline QString Shown(const Sheet& s, const QString& cell, char dec = '.') {
  if (!s.numberFormat.contains(cell)) return s.cells.value(cell);
  return QString::fromStdString(
      Format(s.cells.value(cell).toDouble(), s.numberFormat.value(cell).toStdString(), dec));
}

}  // namespace zod::test
