#include "database/zipcheck.h"

#include <zip.h>

#include <QFile>
#include <QXmlStreamReader>

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

}  // namespace

bool ReadZip(const QString& path, QMap<QString, QByteArray>& members) {
  members.clear();
  int error = 0;
  zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (!zip) return false;
  bool whole = true;
  const zip_int64_t n = zip_get_num_entries(zip, 0);
  for (zip_int64_t i = 0; i < n && whole; ++i) {
    const char* name = zip_get_name(zip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    QByteArray content;
    whole = name && ReadMember(zip, static_cast<zip_uint64_t>(i), content);
    if (whole) members.insert(QString::fromUtf8(name), content);
  }
  zip_discard(zip);
  if (!whole) members.clear();
  return whole && n >= 0;
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
