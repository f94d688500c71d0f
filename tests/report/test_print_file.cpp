// Print into a PDF file under the rules of every save, and the copies of the
// print dialog reaching the printing loop: into a file the copies are the
// pages of one document, on a printer each copy is a job of its own.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QPaintEngine>
#include <QPrinter>
#include <QRegularExpression>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "engine/calc.h"
#include "engine/tables.h"
#include "gui/messenger.h"
#include "gui/qtext.h"
#include "report/printcommand.h"
#include "tests/gui/core/savefaults.h"

using namespace zod;
using namespace zod::test;

namespace {

namespace fs = std::filesystem;

const QByteArray kOld("%PDF-1.4 the old report\n\0\xff", 27);

// The dialog's answer: whatever `choose` sets on the printer.
struct Choosing : PrintDialog {
  std::function<void(QPrinter&)> choose;
  bool exec(QPrinter& printer, QWidget*) override {
    choose(printer);
    return true;
  }
};

// Into a PDF file, `copies` copies.
std::function<void(QPrinter&)> ToFile(const QString& file, int copies) {
  return [file, copies](QPrinter& p) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(file);
    p.setPageSize(QPageSize(QPageSize::A4));
    p.setCopyCount(copies);
  };
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The pages of a PDF: its page objects.
int Pages(const QString& pdf) {
  return static_cast<int>(QString::fromLatin1(Contents(pdf)).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

// Counts what reaches a printer: documents begun and ended (jobs) and pages
// begun within one, without a printer.
struct CountingEngine : QPaintEngine {
  int begun = 0, ended = 0;
  bool begin(QPaintDevice*) override { return ++begun, true; }
  bool end() override { return ++ended, true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawTextItem(const QPointF&, const QTextItem&) override {}
  Type type() const override { return User; }
};

struct CountingPrinter : QPrinter {
  mutable CountingEngine engine;
  int newPages = 0;
  CountingPrinter() : QPrinter(QPrinter::HighResolution) { setPageSize(QPageSize(QPageSize::A4)); }
  QPaintEngine* paintEngine() const override { return &engine; }
  bool newPage() override { return ++newPages, true; }
};

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                QDir::Name);
}

}  // namespace

class TestPrintFile : public QObject {
  Q_OBJECT

  State z;
  RecordingMessenger msg;

  QStringList print(const std::function<void(QPrinter&)>& choose) {
    msg.clear();
    Choosing dialog;
    dialog.choose = choose;
    PrintWithDialog(z, nullptr, msg, dialog, {});
    return msg.texts;
  }

 private slots:
  void initTestCase() {
    z.apppath = ZOD_DATA_DIR;
    ReadTables(z);
    Calculate(z);
  }

  // Three copies into a file: one document of three pages, each the whole
  // report.
  void copiesArePagesOfOneFile() {
    QTemporaryDir dir;
    for (int copies : {1, 3}) {
      const QString file = dir.filePath(QString("copies%1.pdf").arg(copies));
      QCOMPARE(print(ToFile(file, copies)), QStringList());
      QCOMPARE(Pages(file), copies);
    }
    QCOMPARE(Entries(dir.path()), (QStringList{"copies1.pdf", "copies3.pdf"}));
  }

  // To a printer every copy is a job of one page of its own.
  void printerCopiesAreJobs() {
    for (int copies : {1, 3}) {
      CountingPrinter printer;
      printer.setCopyCount(copies);
      QCOMPARE(PrintChosen(z, printer, {}), std::string());
      QCOMPARE(printer.engine.begun, copies);
      QCOMPARE(printer.engine.ended, copies);
      QCOMPARE(printer.newPages, 0);
      QCOMPARE(printer.copyCount(), 1);  // the printer repeats nothing itself
    }
  }

  // The file takes the place of the old one only once complete and on the
  // disk: a link is followed and stays, the old file's permissions stay.
  void replacesTheOldFileSafely() {
    QTemporaryDir dir;
    const QString file = dir.filePath("report.pdf");
    QFile::remove(file);
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    ::chmod(QFile::encodeName(file).constData(), 0640);
    fs::create_symlink("report.pdf", fromQ(dir.filePath("link.pdf")));
    SaveFaults sys;
    QCOMPARE(print(ToFile(dir.filePath("link.pdf"), 2)), QStringList());
    QCOMPARE(Pages(file), 2);
    QVERIFY(fs::is_symlink(fromQ(dir.filePath("link.pdf"))));
    QCOMPARE(fs::status(fromQ(file)).permissions(), static_cast<fs::perms>(0640));
    QCOMPARE(sys.calls.size(), size_t(4));
    const std::string temp = SaveFaults::Leaf(sys.renamedFrom.at(0));
    QCOMPARE(sys.calls[0], "write");
    QCOMPARE(sys.calls[1], "sync " + temp);
    QCOMPARE(sys.calls[2], "rename " + temp + " report.pdf");
    QCOMPARE(sys.calls[3], "sync folder " + SaveFaults::Leaf(fromQ(dir.path())));
    QCOMPARE(Entries(dir.path()), (QStringList{"link.pdf", "report.pdf"}));

    // printed, but the folder not flushed: told as what it is
    sys.fail["sync folder"] = EIO;
    const QStringList told = print(ToFile(file, 1));
    QCOMPARE(told.size(), 1);
    QVERIFY2(
        told[0].startsWith("The file " + file + " was saved, but its folder could not be flushed to disk"),
        qPrintable(told[0]));
    QCOMPARE(Pages(file), 1);
  }

  // Any failure says "can't print - " and why, and leaves the old file byte
  // for byte and nothing else in the folder: a full disk (the system's cause
  // named, whether the file outgrows what may be written or the disk has no
  // room), a failed flush or rename, a read-only file (also for the
  // administrator), a pipe (never opened: that would wait for a reader), a
  // folder, a device, a link loop.
  void failuresLeaveTheOldFile() {
    struct Row {
      const char* what;
      const char* target;
      QString reason;
    };
    const QList<Row> rows = {
        {"full disk", "report.pdf", QString::fromLocal8Bit(std::strerror(EFBIG))},
        {"no room on the disk", "report.pdf", QString::fromLocal8Bit(std::strerror(ENOSPC))},
        {"failed flush", "report.pdf", QString::fromLocal8Bit(std::strerror(EIO))},
        {"failed rename", "report.pdf", QString::fromLocal8Bit(std::strerror(EXDEV))},
        {"read-only", "report.pdf", "is read-only"},
        {"pipe", "pipe.pdf", "is not a regular file"},
        {"folder", "folder.pdf", "is not a regular file"},
        {"device", "device.pdf", "is not a regular file"},
        {"loop", "loop.pdf", "is a loop of symbolic links"},
    };
    for (const Row& r : rows) {
      QTemporaryDir dir;
      const QString file = dir.filePath("report.pdf");
      QFile old(file);
      QVERIFY(old.open(QIODevice::WriteOnly) && old.write(kOld) == kOld.size());
      old.close();
      const QString target = dir.filePath(r.target);
      const std::string t = fromQ(target);
      const QString what = r.what;
      SaveFaults sys;
      if (what == "no room on the disk") sys.fail["write"] = ENOSPC;
      if (what == "failed flush") sys.fail["sync"] = EIO;
      if (what == "failed rename") sys.fail["rename"] = EXDEV;
      if (what == "read-only") ::chmod(t.c_str(), 0444);
      if (what == "pipe") QCOMPARE(::mkfifo(t.c_str(), 0644), 0);
      if (what == "folder") QVERIFY(QDir(dir.path()).mkdir(r.target));
      if (what == "device" && ::mknod(t.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0) continue;
      if (what == "loop") fs::create_symlink(r.target, t);
      const QStringList before = Entries(dir.path());
      const auto type = fs::symlink_status(t).type();
      QStringList told;
      {
        FileSizeLimit limit(what == "full disk" ? 4000 : RLIM_INFINITY);
        ::alarm(60);  // a hang fails the test instead of stopping the suite
        told = print(ToFile(target, 3));
        ::alarm(0);
      }
      QVERIFY2(told.size() == 1, qPrintable(what + ": " + told.join('|')));
      QVERIFY2(told[0].startsWith("can't print - ") && told[0].contains(target) && told[0].contains(r.reason),
               qPrintable(what + ": " + told[0]));
      QVERIFY2(!told[0].contains(".tmp"), qPrintable(told[0]));
      QCOMPARE(Contents(file), kOld);
      QCOMPARE(fs::symlink_status(t).type(), type);
      QCOMPARE(Entries(dir.path()), before);
    }
  }
};

QTEST_MAIN(TestPrintFile)
#include "test_print_file.moc"
