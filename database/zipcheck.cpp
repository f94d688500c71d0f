#include "database/zipcheck.h"

#include <zlib.h>

#include <QFile>
#include <QXmlStreamReader>
#include <limits>

namespace zod {
namespace {

constexpr qsizetype kEndRecord = 22, kCentralRecord = 46, kLocalRecord = 30;

// A little-endian number of `bytes` bytes at `at`; the caller has checked
// that they lie within the data.
quint32 Le(const QByteArray& b, qsizetype at, int bytes) {
  quint32 v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<quint8>(b[at + i]);
  return v;
}

bool Within(const QByteArray& b, qsizetype at, qsizetype size) {
  return at >= 0 && size >= 0 && at <= b.size() - size;
}

bool Inflate(const QByteArray& packed, QByteArray& out) {
  if (packed.size() > std::numeric_limits<uInt>::max() || out.size() > std::numeric_limits<uInt>::max())
    return false;
  z_stream s{};
  if (inflateInit2(&s, -MAX_WBITS) != Z_OK) return false;
  s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  s.avail_in = static_cast<uInt>(packed.size());
  s.next_out = reinterpret_cast<Bytef*>(out.data());
  s.avail_out = static_cast<uInt>(out.size());
  const int rc = inflate(&s, Z_FINISH);
  const bool whole = rc == Z_STREAM_END && s.avail_out == 0;
  inflateEnd(&s);
  return whole;
}

}  // namespace

bool ReadZip(const QByteArray& zip, QMap<QString, QByteArray>& members) {
  members.clear();
  const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
  if (end < 0 || !Within(zip, end, kEndRecord)) return false;
  qsizetype at = Le(zip, end + 16, 4);
  for (quint32 n = Le(zip, end + 10, 2); n > 0; --n) {
    if (!Within(zip, at, kCentralRecord) || Le(zip, at, 4) != 0x02014b50) return false;
    const quint32 method = Le(zip, at + 10, 2), crc = Le(zip, at + 16, 4);
    const qsizetype packed = Le(zip, at + 20, 4), size = Le(zip, at + 24, 4);
    const qsizetype nameLen = Le(zip, at + 28, 2), extra = Le(zip, at + 30, 2), comment = Le(zip, at + 32, 2);
    const qsizetype local = Le(zip, at + 42, 4);
    if (!Within(zip, at + kCentralRecord, nameLen) || !Within(zip, local, kLocalRecord) ||
        Le(zip, local, 4) != 0x04034b50)
      return false;
    const qsizetype data = local + kLocalRecord + Le(zip, local + 26, 2) + Le(zip, local + 28, 2);
    if (!Within(zip, data, packed)) return false;
    const QByteArray raw = zip.mid(data, packed);
    QByteArray content;
    if (method == 0) {
      content = raw;
    } else if (method == 8) {
      content = QByteArray(size, '\0');
      if (!Inflate(raw, content)) return false;
    } else {
      return false;
    }
    const auto sum =
        crc32(0L, reinterpret_cast<const Bytef*>(content.constData()), static_cast<uInt>(content.size()));
    if (content.size() != size || sum != crc) return false;
    members.insert(QString::fromUtf8(zip.mid(at + kCentralRecord, nameLen)), content);
    at += kCentralRecord + nameLen + extra + comment;
  }
  return true;
}

bool WorkbookComplete(const QString& path) {
  QFile f(path);
  QMap<QString, QByteArray> members;
  if (!f.open(QIODevice::ReadOnly) || !ReadZip(f.readAll(), members)) return false;
  if (!members.contains(QStringLiteral("xl/worksheets/sheet1.xml"))) return false;
  for (auto m = members.cbegin(); m != members.cend(); ++m) {
    if (!m.key().endsWith(QLatin1String(".xml")) && !m.key().endsWith(QLatin1String(".rels"))) continue;
    QXmlStreamReader xml(m.value());
    while (!xml.atEnd()) xml.readNext();
    if (xml.hasError()) return false;
  }
  return true;
}

}  // namespace zod
