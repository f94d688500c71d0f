// Reads a workbook back for the export tests: the cells of its first sheet,
// inflated from the .xlsx (zip) file.
#pragma once

#include <zlib.h>

#include <QFile>
#include <QMap>
#include <QXmlStreamReader>

namespace zod::test {

// The texts of the first sheet's cells by reference ("B2"); empty when the
// file holds no readable sheet.
inline QMap<QString, QString> SheetCells(const QString& xlsx) {
  QFile f(xlsx);
  QByteArray zip = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  // The first copy of the name is the one in the member's local header: the
  // lengths of the name and the extra field stand just before it, the
  // deflated data just after them.
  const qsizetype name = zip.indexOf("xl/worksheets/sheet1.xml");
  const auto le16 = [&zip](qsizetype at) { return quint8(zip[at]) | quint8(zip[at + 1]) << 8; };
  const qsizetype data = name < 30 ? zip.size() : name + le16(name - 4) + le16(name - 2);
  QByteArray xml(1 << 22, '\0');
  z_stream s{};
  inflateInit2(&s, -MAX_WBITS);
  s.next_in = reinterpret_cast<Bytef*>(zip.data() + data), s.avail_in = static_cast<uInt>(zip.size() - data);
  s.next_out = reinterpret_cast<Bytef*>(xml.data()), s.avail_out = static_cast<uInt>(xml.size());
  xml.resize(inflate(&s, Z_FINISH) == Z_STREAM_END ? static_cast<qsizetype>(s.total_out) : 0);
  inflateEnd(&s);
  QMap<QString, QString> cells;
  QXmlStreamReader r(xml);
  QString cell;
  while (!r.atEnd()) {
    if (r.readNext() != QXmlStreamReader::StartElement) continue;
    if (r.name() == QLatin1String("c")) cell = r.attributes().value("r").toString();
    if (r.name() == QLatin1String("t")) cells[cell] = r.readElementText();
  }
  return cells;
}

}  // namespace zod::test
