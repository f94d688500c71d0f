// The workbook export when the disk or the folder works against it: a name
// taken in any form is passed over, the workbook reaches the disk through the
// safe save, and a failure names the workbook, leaves nothing behind and
// (under the leak checker) frees what the zip library took.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "database/xlsxexport.h"
#include "gui/qtext.h"
#include "tests/database/xlsxread.h"
#include "tests/gui/core/savefaults.h"

using namespace zod;
using namespace zod::test;

namespace {

namespace fs = std::filesystem;

SummaryTable Table(int rows) {
  SummaryTable t;
  t.headers = {"Ident", "fyk", "UF"};
  for (int i = 0; i < rows; ++i)
    t.items.push_back({"row " + std::to_string(i), "355", "0.5" + std::to_string(i)});
  return t;
}

// Every file the folder holds, hidden ones too.
QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                QDir::Name);
}

// With `more` of 0 or above, that many more files can be opened and no
// other, for the life of the object.
struct FileLimit {
  struct rlimit before {};
  bool on;
  explicit FileLimit(int more) : on(more >= 0) {
    if (!on) return;
    ::getrlimit(RLIMIT_NOFILE, &before);
    const int lowest = ::dup(0);  // the number the next file gets
    ::close(lowest);
    struct rlimit few = before;
    few.rlim_cur = static_cast<rlim_t>(lowest + more);
    ::setrlimit(RLIMIT_NOFILE, &few);
  }
  ~FileLimit() {
    if (on) ::setrlimit(RLIMIT_NOFILE, &before);
  }
};

// The files the process holds open, each as what it is open on ("/tmp/x
// (deleted)" for a scratch file already removed), the listing's own aside.
QStringList OpenFiles() {
  QStringList files;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator("/proc/self/fd", ec)) {
    const QString target = toQ(fs::read_symlink(e.path(), ec).string());
    if (!target.endsWith("/fd")) files << target;
  }
  files.sort();
  return files;
}

QString Told(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

// Changes byte `field` of the header of the sheet's member in the zip file
// (with `directory`: of the sheet's entry in the zip directory), so that the
// two disagree. A zip file without the sheet is left as it is.
std::function<void(std::string&)> Garble(bool directory, std::size_t field,
                                         const std::function<void(char&)>& change) {
  return [=](std::string& zip) {
    const std::string sheet = "xl/worksheets/sheet1.xml";
    const std::string sig = directory ? "PK\1\2" : "PK\3\4";
    const std::size_t nameAt = directory ? 46 : 30;
    for (std::size_t at = zip.find(sig); at != std::string::npos; at = zip.find(sig, at + 1)) {
      if (zip.compare(at + nameAt, sheet.size(), sheet) == 0) return change(zip[at + field]);
    }
  };
}

QString Failure(const std::function<void()>& exportNow) {
  try {
    exportNow();
  } catch (const Error& e) {
    return toQ(e.what());
  }
  return QString();
}

}  // namespace

class TestExportFaults : public QObject {
  Q_OBJECT

 private slots:
  // Whatever holds the name (a file, a link to nowhere, a loop of links, a
  // pipe) is left as it is: the export moves on to " (2)".
  void takenNamesArePassedOver() {
    const char* kinds[] = {"file", "dangling link", "link loop", "pipe", "folder"};
    for (const char* kind : kinds) {
      QTemporaryDir dir;
      const QString first = dir.filePath("Tank_summary.xlsx");
      const fs::path p = fromQ(first);
      const std::string k = kind;
      if (k == "file") QFile(first).open(QIODevice::WriteOnly);
      if (k == "dangling link") fs::create_symlink("nowhere.xlsx", p);
      if (k == "link loop") fs::create_symlink("Tank_summary.xlsx", p);
      if (k == "pipe") QCOMPARE(::mkfifo(p.c_str(), 0644), 0);
      if (k == "folder") fs::create_directory(p);
      const fs::file_type before = fs::symlink_status(p).type();
      ::alarm(60);  // opening the pipe would wait for ever
      QString failure;
      ExportedWorkbook saved;
      failure = Failure([&] { saved = ExportWorkbook(Table(2), dir.path(), "Tank"); });
      ::alarm(0);
      QVERIFY2(failure.isEmpty(), qPrintable(kind + (": " + failure)));
      QCOMPARE(saved.path, dir.filePath("Tank_summary (2).xlsx"));
      QVERIFY(ReadSheet(saved.path).ok);
      QCOMPARE(fs::symlink_status(p).type(), before);
      QCOMPARE(Entries(dir.path()), (QStringList{"Tank_summary (2).xlsx", "Tank_summary.xlsx"}));
    }
  }

  // The workbook reaches the disk through the save's write before it takes
  // its name, the folder after.
  void savedThroughTheSafeSave() {
    QTemporaryDir dir;
    SaveFaults sys;
    const ExportedWorkbook saved = ExportWorkbook(Table(3), dir.path(), "Tank");
    QCOMPARE(saved.path, dir.filePath("Tank_summary.xlsx"));
    QVERIFY(saved.warning.isEmpty());
    QCOMPARE(sys.calls.size(), size_t(4));
    const std::string temp = SaveFaults::Leaf(sys.renamedFrom.at(0));
    QCOMPARE(sys.calls[0], std::string("write"));
    QCOMPARE(sys.calls[1], "sync " + temp);
    QCOMPARE(sys.calls[2], "rename " + temp + " Tank_summary.xlsx");
    QCOMPARE(sys.calls[3], "sync folder " + SaveFaults::Leaf(fromQ(dir.path())));
    QCOMPARE(ReadSheet(saved.path).cells.value("A4"), QString("row 2"));
  }

  // A workbook that cannot be written whole is reported under its own name,
  // never under the name of the temporary file, with the reason after it
  // (the system's, where the system gave one), and nothing is left in the
  // folder: a full disk under the workbook; a limit on the size of files,
  // which stops the library's own writes; a full disk under the library's
  // own temporary files, which it packs cut short without a word; no file
  // left for the library's temporary file (which crashed it when the book
  // was closed); a failed flush or rename; a member's header that disagrees
  // with the zip directory, which a program that goes by the headers reads
  // otherwise than one that goes by the directory. No file is left open.
  void failureNamesTheWorkbook() {
    const QString notWhole = "it could not be written whole";
    const auto told = Told;
    struct Row {
      std::string how;
      QString cause;  // empty: any
      std::function<void(std::string&)> garble;
    };
    const Row rows[] = {
        {"full disk", told(ENOSPC), nullptr},
        {"file-size limit", told(EFBIG), nullptr},
        {"library's files cut short", "", nullptr},
        {"no file for the library", told(EMFILE), nullptr},
        {"failed flush", "", nullptr},
        {"failed rename", "", nullptr},
        {"header: name", notWhole, Garble(false, 30, [](char& c) { c = 'X'; })},
        {"header: compressed size", notWhole, Garble(false, 18, [](char& c) { ++c; })},
        {"header: compression method", notWhole, Garble(false, 8, [](char& c) { c = 0; })},
        {"header: version needed", notWhole, Garble(false, 4, [](char& c) { c = 10; })},
        {"header: flags, encrypted", notWhole, Garble(false, 6, [](char& c) { c |= 1; })},
        {"header: flags, sizes after the data", notWhole, Garble(false, 6, [](char& c) { c |= 8; })},
        {"header: flags, names in UTF-8", notWhole, Garble(false, 7, [](char& c) { c |= 8; })},
        {"directory: the header's offset", notWhole, Garble(true, 42, [](char& c) { c = 0; })},
    };
    for (const Row& row : rows) {
      const std::string& how = row.how;
      QTemporaryDir dir;
      const QString book = dir.filePath("Tank_summary.xlsx");
      SaveFaults sys;
      if (how == "full disk") sys.fail["write"] = ENOSPC;
      if (how == "failed flush") sys.fail["sync"] = EIO;
      if (how == "failed rename") sys.fail["rename"] = EIO;
      sys.garble = row.garble;
      QString failure;
      const QStringList open = OpenFiles();
      {
        // repeated texts: the packed workbook is far smaller than the sheet
        FileSizeLimit limit(how == "file-size limit"             ? 2000
                            : how == "library's files cut short" ? 20000
                                                                 : RLIM_INFINITY);
        // the save's temporary file and the workbook in memory, no other
        FileLimit files(how == "no file for the library" ? 2 : -1);
        failure = Failure([&] { (void)ExportWorkbook(Table(2000), dir.path(), "Tank"); });
      }
      QCOMPARE(OpenFiles(), open);
      const QString named = "can't save file - " + book + ": ";
      QVERIFY2(failure.startsWith(named) && failure.size() > named.size() && !failure.contains(".tmp"),
               qPrintable(QString::fromStdString(how) + ": " + failure));
      if (!row.cause.isEmpty()) QCOMPARE(failure, named + row.cause);
      QCOMPARE(Entries(dir.path()), QStringList());
    }
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing");
    QCOMPARE(Failure([&] { (void)ExportWorkbook(Table(1), missing, "Tank"); }),
             "can't save file - " + missing +
                 "/Tank_summary.xlsx: " + QString::fromLocal8Bit(std::strerror(ENOENT)));
  }

  // However near the process is to its limit of open files, a failed export
  // says so ("Too many open files") under the workbook's name and leaves no
  // file open, the zip library's scratch files included, nor any file in the
  // folder, so the next try can succeed. Each file more to spare lets the
  // export open one more, until it opens all it needs.
  void nearTheLimitOfOpenFiles() {
    QTemporaryDir dir;
    const QString named = "can't save file - " + dir.filePath("Tank_summary.xlsx") + ": ";
    int failures = 0;
    for (int more = 0; more < 20; ++more) {
      const QStringList open = OpenFiles();
      QString failure;
      {
        FileLimit files(more);
        failure = Failure([&] { (void)ExportWorkbook(Table(200), dir.path(), "Tank"); });
      }
      QCOMPARE(OpenFiles(), open);
      if (failure.isEmpty()) break;
      ++failures;
      QCOMPARE(failure, named + Told(EMFILE));
      QCOMPARE(Entries(dir.path()), QStringList());
    }
    // the save's temporary file, the workbook in memory, and the library's
    // own: the workbook it writes and a scratch file to pack each part
    QVERIFY(failures >= 4);
    QCOMPARE(Entries(dir.path()), QStringList{"Tank_summary.xlsx"});
    QVERIFY(ReadSheet(dir.filePath("Tank_summary.xlsx")).ok);
  }
};

QTEST_GUILESS_MAIN(TestExportFaults)
#include "test_export_faults.moc"
