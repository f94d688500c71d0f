// Reads a workbook back for the export tests: one member of the .xlsx (zip)
// file, and the cells and column settings of its first sheet.
#pragma once

#include <zlib.h>

#include <QFile>
#include <QMap>
#include <QXmlStreamReader>

namespace zod::test {

inline quint32 Le(const QByteArray& b, qsizetype at, int bytes) {
  quint32 v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<quint8>(b[at + i]);
  return v;
}

// The member `name` of the zip file, inflated; empty when it is not there.
inline QByteArray ZipMember(const QString& zipPath, const QString& name) {
  QFile f(zipPath);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray zip = f.readAll();
  const qsizetype eocd = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
  if (eocd < 0) return {};
  qsizetype at = Le(zip, eocd + 16, 4);
  for (quint32 n = Le(zip, eocd + 10, 2); n > 0 && at + 46 <= zip.size(); --n) {
    const quint32 method = Le(zip, at + 10, 2), packed = Le(zip, at + 20, 4), size = Le(zip, at + 24, 4);
    const quint32 nameLen = Le(zip, at + 28, 2), extra = Le(zip, at + 30, 2), comment = Le(zip, at + 32, 2);
    const quint32 local = Le(zip, at + 42, 4);
    if (zip.mid(at + 46, nameLen) == name.toUtf8()) {
      const qsizetype data = local + 30 + Le(zip, local + 26, 2) + Le(zip, local + 28, 2);
      const QByteArray raw = zip.mid(data, packed);
      if (method == 0) return raw;
      QByteArray out(static_cast<qsizetype>(size), '\0');
      z_stream s{};
      inflateInit2(&s, -MAX_WBITS);
      s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
      s.avail_in = static_cast<uInt>(raw.size());
      s.next_out = reinterpret_cast<Bytef*>(out.data());
      s.avail_out = static_cast<uInt>(out.size());
      const int rc = inflate(&s, Z_FINISH);
      inflateEnd(&s);
      return rc == Z_STREAM_END ? out : QByteArray();
    }
    at += 46 + nameLen + extra + comment;
  }
  return {};
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
