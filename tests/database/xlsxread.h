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
  const QByteArray zip = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  const auto le = [&zip](qsizetype at, int bytes) {
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<quint8>(zip[at + i]);
    return v;
  };
  // Walk the central directory to the sheet, then inflate its data.
  const qsizetype eocd = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
  QByteArray xml;
  qsizetype at = eocd < 0 ? 0 : le(eocd + 16, 4);
  for (quint32 n = eocd < 0 ? 0 : le(eocd + 10, 2); n > 0 && xml.isEmpty() && at + 46 <= zip.size(); --n) {
    const quint32 nameLen = le(at + 28, 2), local = le(at + 42, 4);
    if (zip.mid(at + 46, nameLen) == "xl/worksheets/sheet1.xml") {
      QByteArray raw = zip.mid(local + 30 + le(local + 26, 2) + le(local + 28, 2), le(at + 20, 4));
      xml.resize(le(at + 24, 4));
      z_stream s{};
      inflateInit2(&s, -MAX_WBITS);
      s.next_in = reinterpret_cast<Bytef*>(raw.data()), s.avail_in = static_cast<uInt>(raw.size());
      s.next_out = reinterpret_cast<Bytef*>(xml.data()), s.avail_out = static_cast<uInt>(xml.size());
      if (inflate(&s, Z_FINISH) != Z_STREAM_END) xml.clear();
      inflateEnd(&s);
    }
    at += 46 + nameLen + le(at + 30, 2) + le(at + 32, 2);
  }
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
