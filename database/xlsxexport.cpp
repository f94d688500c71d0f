#include "database/xlsxexport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cmath>

#include "engine/checked.h"
#include "gui/qtext.h"

namespace zod {

namespace {

constexpr int kFittedColumns = 8;  // A to H

// Characters, not bytes: the texts are UTF-8.
size_t Chars(const std::string& s) {
  return static_cast<size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The data on disk before the file takes its name, and the permissions of a
// new file of the user's (the temporary file was private).
bool Finish(const QString& path) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

}  // namespace

std::vector<double> FittedWidths(const SummaryTable& t) {
  const size_t n = std::min<size_t>(kFittedColumns, t.headers.size());
  std::vector<size_t> chars(n, 0);
  for (size_t c = 0; c < n; ++c) chars[c] = Chars(t.headers[c]);
  for (const auto& item : t.items)
    for (size_t c = 0; c < n && c < item.size(); ++c) chars[c] = std::max(chars[c], Chars(item[c]));
  // A character unit is the width of a digit; letters run a little wider,
  // and the cell keeps a margin on each side.
  std::vector<double> widths(n);
  for (size_t c = 0; c < n; ++c) widths[c] = std::min(255.0, std::round((1.1 * chars[c] + 1.0) * 100) / 100);
  return widths;
}

void WriteWorkbook(const SummaryTable& t, const std::string& path) {
  const Error failed("can't save file - " + path);
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;  // rows go out as written; strings inline
  lxw_workbook* wb = workbook_new_opt(path.c_str(), &options);
  if (!wb) throw failed;
  lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
  lxw_format* centre = workbook_add_format(wb);
  bool ok = ws && centre;
  if (ok) {
    format_set_align(centre, LXW_ALIGN_CENTER);
    const std::vector<double> widths = FittedWidths(t);
    for (size_t c = 0; c < widths.size(); ++c) {
      const auto col = static_cast<lxw_col_t>(c);
      ok = ok && worksheet_set_column(ws, col, col, widths[c], c == 0 ? centre : nullptr) == LXW_NO_ERROR;
    }
    auto put = [&](size_t row, size_t col, const std::string& text) {
      if (!ok || text.empty()) return;
      ok = worksheet_write_string(ws, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col), text.c_str(),
                                  col == 0 ? centre : nullptr) == LXW_NO_ERROR;
    };
    for (size_t c = 0; c < t.headers.size(); ++c) put(0, c, t.headers[c]);
    for (size_t i = 0; i < t.items.size(); ++i)
      for (size_t c = 0; c < t.items[i].size() && c < t.headers.size(); ++c) put(i + 1, c, t.items[i][c]);
  }
  // Closing writes the file and frees the workbook, also after a failure.
  const bool closed = workbook_close(wb) == LXW_NO_ERROR;
  if (!ok || !closed) throw failed;
}

QString ExportFolder(const QString& dbfile, const QString& fallback) {
  const QFileInfo f(dbfile);
  if (!dbfile.isEmpty() && f.isAbsolute() && QFileInfo(f.absolutePath()).isDir()) return f.absolutePath();
  return fallback;
}

QString ExportBaseName(const QString& dbfile) {
  QString name = QFileInfo(dbfile).fileName();
  for (const char* ending : {"_in.csv", ".csv"}) {
    if (name.endsWith(QLatin1String(ending), Qt::CaseInsensitive)) {
      name.chop(static_cast<int>(qstrlen(ending)));
      break;
    }
  }
  return name.trimmed().isEmpty() ? QStringLiteral("Database") : name;
}

QString ExportWorkbook(const SummaryTable& t, const QString& folder, const QString& base) {
  const QDir dir(folder);
  const QString first = dir.filePath(base + "_summary.xlsx");
  QString tmpName;
  {
    QTemporaryFile tmp(dir.filePath(".zod-export-XXXXXX.xlsx"));
    tmp.setAutoRemove(false);
    if (!tmp.open()) throw Error("can't save file - " + fromQ(first));
    tmpName = tmp.fileName();
  }
  try {
    WriteWorkbook(t, fromQ(tmpName));
    if (!Finish(tmpName)) throw Error("can't save file - " + fromQ(first));
  } catch (...) {
    QFile::remove(tmpName);
    throw;
  }
  // A rename that never replaces: a name taken meanwhile moves on to the next.
  for (int k = 1; k < 1000; ++k) {
    const QString name = k == 1 ? first : dir.filePath(QString("%1_summary (%2).xlsx").arg(base).arg(k));
    if (QFileInfo::exists(name)) continue;
    if (QFile::rename(tmpName, name)) return name;
    if (!QFileInfo::exists(name)) break;
  }
  QFile::remove(tmpName);
  throw Error("can't save file - " + fromQ(first));
}

}  // namespace zod
