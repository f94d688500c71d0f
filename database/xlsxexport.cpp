#include "database/xlsxexport.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <utility>

#include "database/core/sheetnumber.h"
#include "database/zipcheck.h"
#include "gui/core/boundedread.h"
#include "gui/core/descriptor.h"
#include "gui/core/safesave.h"
#include "gui/qtext.h"

namespace zod {

namespace {

constexpr int kFittedColumns = 8;  // A to H

// Characters, not bytes: the texts are UTF-8.
size_t Chars(const std::string& s) {
  return static_cast<size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The library writes the numbers of the workbook (cell values, column widths)
// with the C library's printf, which follows the numeric conventions the
// window toolkit takes from the desktop: under a decimal comma, 0.85 would go
// into the file as "0,85", which no spreadsheet reads as a number. For the
// life of this object the thread writes numbers as the file needs them.
class FileNumbers {
 public:
  FileNumbers() {
    if (const locale_t base = duplocale(LC_GLOBAL_LOCALE)) {
      m_c = newlocale(LC_NUMERIC_MASK, "C", base);
      if (!m_c) freelocale(base);
    }
    if (m_c) m_before = uselocale(m_c);
  }
  ~FileNumbers() {
    if (!m_c) return;
    uselocale(m_before);
    freelocale(m_c);
  }
  FileNumbers(const FileNumbers&) = delete;
  FileNumbers& operator=(const FileNumbers&) = delete;
  bool ok() const { return m_c != nullptr; }

 private:
  locale_t m_c = nullptr;
  locale_t m_before = nullptr;
};

// Writes the workbook to `path`, replacing it; the library's first error in
// words, "" when there was none. The library's memory and files are freed on
// every path.
//
// The sheet is kept in memory (a thousand rows of 26 cells are little), not
// in the library's constant-memory mode: that mode holds a scratch file open
// from the first row on, and a close that fails (no descriptor left for the
// workbook) leaves it open for the life of the program, so that every later
// export fails too.
std::string WriteWorkbook(const SummaryTable& t, const std::string& path) {
  const FileNumbers numbers;
  if (!numbers.ok()) return lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
  lxw_workbook* wb = workbook_new(path.c_str());
  if (!wb) return lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
  lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
  if (!ws) {
    // A book without its sheet is only freed: closing it would crash the
    // library.
    lxw_workbook_free(wb);
    return lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
  }
  lxw_error err = LXW_NO_ERROR;
  lxw_format* centre = workbook_add_format(wb);
  if (!centre) err = LXW_ERROR_MEMORY_MALLOC_FAILED;
  if (!err) {
    format_set_align(centre, LXW_ALIGN_CENTER);
    const std::vector<double> widths = FittedWidths(t);
    for (size_t c = 0; c < widths.size() && !err; ++c) {
      const auto col = static_cast<lxw_col_t>(c);
      err = worksheet_set_column(ws, col, col, widths[c], c == 0 ? centre : nullptr);
    }
    // One format per number format code and alignment.
    std::map<std::pair<std::string, bool>, lxw_format*> numberFormats;
    auto numberFormat = [&](const std::string& code, bool centred) {
      lxw_format*& f = numberFormats[{code, centred}];
      if (!f && (f = workbook_add_format(wb))) {
        format_set_num_format(f, code.c_str());
        if (centred) format_set_align(f, LXW_ALIGN_CENTER);
      }
      return f;
    };
    // A number as the table shows it goes in as that number, shown by a
    // format that gives the same text; anything else as the text.
    auto put = [&](size_t row, size_t col, const std::string& text, bool header) {
      if (err || text.empty()) return;
      const auto r = static_cast<lxw_row_t>(row);
      const auto c = static_cast<lxw_col_t>(col);
      std::optional<SheetNumber> number;
      if (!header && col < t.patterns.size() && t.patterns[col])
        number = ToSheetNumber(text, *t.patterns[col], t.decsep);
      if (!number) {
        err = worksheet_write_string(ws, r, c, text.c_str(), col == 0 ? centre : nullptr);
      } else if (lxw_format* f = numberFormat(number->format, col == 0)) {
        err = worksheet_write_number(ws, r, c, number->value, f);
      } else {
        err = LXW_ERROR_MEMORY_MALLOC_FAILED;
      }
    };
    for (size_t c = 0; c < t.headers.size(); ++c) put(0, c, t.headers[c], true);
    for (size_t i = 0; i < t.items.size(); ++i)
      for (size_t c = 0; c < t.items[i].size() && c < t.headers.size(); ++c)
        put(i + 1, c, t.items[i][c], false);
  }
  // Closing writes the file and frees the workbook, also after a failure.
  errno = 0;
  const lxw_error closed = workbook_close(wb);
  // A file the library could not open or write (the workbook, a scratch file
  // to pack a part in, the zip file) leaves the system's reason in errno, as
  // the library documents: "Too many open files" says what "Error creating
  // output xlsx file. Usually a permissions error." and "ZIP_ERRNO" do not.
  const int cause = errno;
  if (err) return lxw_strerror(err);
  const bool system = closed == LXW_ERROR_CREATING_XLSX_FILE || closed == LXW_ERROR_CREATING_TMPFILE ||
                      closed == LXW_ERROR_ZIP_FILE_OPERATION;
  if (system && cause) return std::strerror(cause);
  return closed ? lxw_strerror(closed) : "";
}

// The workbook as the library packs it, built in a file in memory, so that
// it reaches the disk through the save's own write: a failure there (a full
// disk) is then told as the system tells it, where the library would say
// "ZIP_ERRNO" and leave the reason to what its clean-up leaves of errno. The
// library's own temporary files still go to the system's temporary folder.
std::string BuildWorkbook(const SummaryTable& t, const std::string& book) {
  const Descriptor memory(::memfd_create("workbook", MFD_CLOEXEC));
  if (memory.get() < 0) throw SaveError(book, std::strerror(errno));
  const std::string inMemory = "/proc/self/fd/" + std::to_string(memory.get());
  if (std::string cause = WriteWorkbook(t, inMemory); !cause.empty()) throw SaveError(book, std::move(cause));
  // far beyond any workbook of a case table
  constexpr std::size_t kLimit = std::size_t{1} << 30;
  std::string bytes, reason;
  switch (ReadFileAtMost(inMemory, kLimit, bytes, &reason)) {
    case ReadRefusal::None:
      return bytes;
    case ReadRefusal::TooLarge:
      throw SaveError(book, "it would be larger than " + SizeText(kLimit));
    default:
      throw SaveError(book, reason.empty() ? std::string("it could not be written whole") : reason);
  }
}

// Fills the save's temporary file with the workbook and reads it back from
// there: a workbook that is not whole never takes its name.
void PutWorkbook(const std::string& book, const std::string& bytes, const std::string& temp) {
  {
    const Descriptor file(::open(temp.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0) throw SaveError(book, std::strerror(errno));
    if (const int err = SaveSystem::Current().Write(file.get(), bytes))
      throw SaveError(book, std::strerror(err));
  }
  if (!WorkbookComplete(toQ(temp))) throw SaveError(book, "it could not be written whole");
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

ExportedWorkbook ExportWorkbook(const SummaryTable& t, const QString& folder, const QString& base) {
  const QDir dir(folder);
  const QString first = dir.filePath(base + "_summary.xlsx");
  for (int k = 1; k < 1000; ++k) {
    const QString name = k == 1 ? first : dir.filePath(QString("%1_summary (%2).xlsx").arg(base).arg(k));
    const std::string book = fromQ(name);
    try {
      const SaveOutcome saved = SaveFileThrough(
          book, [&](const std::string& temp) { PutWorkbook(book, BuildWorkbook(t, book), temp); },
          Existing::Keep);
      return {name, toQ(saved.warning)};
    } catch (const SaveNameTaken&) {
      // taken in any form, even by a link to nowhere: the next name
    }
  }
  throw SaveError(fromQ(first), "it and its numbered names up to (999) are all taken");
}

}  // namespace zod
