#include "database/zipcheck.h"

#include <zip.h>

#include <QFile>
#include <QXmlStreamReader>
#include <cstring>

namespace zod {
namespace {

// Far above any workbook of a thousand rows; a directory that promises more
// is not believed.
constexpr qsizetype kMaxMember = qsizetype(1) << 30;

// Member i read to its end, where the library compares its checksum.
bool ReadMember(zip_t* zip, zip_uint64_t i, QByteArray& out) {
  zip_stat_t st;
  if (zip_stat_index(zip, i, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
      st.size > static_cast<zip_uint64_t>(kMaxMember))
    return false;
  zip_file_t* f = zip_fopen_index(zip, i, 0);
  if (!f) return false;
  out.reserve(static_cast<qsizetype>(st.size));
  char buf[64 * 1024];
  zip_int64_t n = 0;
  while ((n = zip_fread(f, buf, sizeof buf)) > 0 && out.size() + n <= kMaxMember) out.append(buf, n);
  const bool closed = zip_fclose(f) == 0;
  return n == 0 && closed && static_cast<zip_uint64_t>(out.size()) == st.size;
}

// A number of the zip format: `bytes` bytes, least significant first.
quint32 Number(const char* p, int bytes) {
  quint32 v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<uchar>(p[i]);
  return v;
}

// `n` bytes of `f` from `at`; empty where the file holds fewer.
QByteArray ReadAt(QFile& f, qint64 at, qint64 n) {
  if (at < 0 || n > f.size() - at || !f.seek(at)) return {};
  QByteArray bytes = f.read(n);
  return bytes.size() == n ? bytes : QByteArray();
}

// Whether each member's header says what its entry in the directory says
// of the version needed to extract it and of its flags. libzip compares all
// else but lets these two differ, as some writers set them apart; the
// export's writer sets them alike, and a header that says otherwise
// (encrypted, sizes after the data) is read otherwise by a program that goes
// by the headers. The directory is the one libzip found, ending before the
// archive comment; one in the 64-bit form, which no workbook of the export
// needs, does not agree.
bool HeadersAgree(zip_t* zip, const QString& path, zip_int64_t entries) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  int comment = 0;
  if (!zip_get_archive_comment(zip, &comment, ZIP_FL_ENC_RAW)) comment = 0;
  const QByteArray end = ReadAt(f, f.size() - 22 - comment, 22);
  if (!end.startsWith("PK\5\6") || Number(end.constData() + 10, 2) != entries) return false;
  const QByteArray dir = ReadAt(f, Number(end.constData() + 16, 4), Number(end.constData() + 12, 4));
  qsizetype at = 0;
  for (zip_int64_t i = 0; i < entries; ++i) {
    if (dir.size() - at < 46) return false;
    const char* entry = dir.constData() + at;
    if (std::memcmp(entry, "PK\1\2", 4) != 0) return false;
    const QByteArray header = ReadAt(f, Number(entry + 42, 4), 30);
    if (!header.startsWith("PK\3\4") || std::memcmp(header.constData() + 4, entry + 6, 4) != 0) return false;
    at += 46 + Number(entry + 28, 2) + Number(entry + 30, 2) + Number(entry + 32, 2);
  }
  return true;
}

}  // namespace

bool ReadZip(const QString& path, QMap<QString, QByteArray>& members) {
  members.clear();
  int error = 0;
  zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (!zip) return false;
  const zip_int64_t n = zip_get_num_entries(zip, 0);
  bool whole = n >= 0 && HeadersAgree(zip, path, n);
  for (zip_int64_t i = 0; i < n && whole; ++i) {
    const char* name = zip_get_name(zip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    QByteArray content;
    whole = name && ReadMember(zip, static_cast<zip_uint64_t>(i), content);
    if (whole) members.insert(QString::fromUtf8(name), content);
  }
  zip_discard(zip);
  if (!whole) members.clear();
  return whole;
}

bool WorkbookComplete(const QString& path) {
  QMap<QString, QByteArray> members;
  if (!ReadZip(path, members)) return false;
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
