// Every window's save when the folder cannot be flushed after the new file
// took its name: the file is saved, the window goes on as after any save
// (file name, caption, recent list, window title), and the user is warned,
// truthfully, once.
#include <cerrno>
#include <cstring>

#include "database/frmdatabasedetailed.h"
#include "tests/database/dbtestsupport.h"
#include "tests/gui/core/savefaults.h"

using namespace zod;
using namespace zod::test;

namespace {

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The warning of a save that happened, naming the file and the reason.
bool IsFolderWarning(const QString& text, const QString& path) {
  return text.startsWith("The file " + path + " was saved, but its folder could not be flushed to disk") &&
         text.contains(QString::fromLocal8Bit(std::strerror(EIO)));
}

}  // namespace

class TestSaveWarnings : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  void projectFile() {
    DbHarness d;
    Harness& h = d.h;
    SaveFaults sys;
    sys.fail["sync folder"] = EIO;
    // Save As
    const QString path = d.file("case.vtr");
    h.saveAs(path);
    QCOMPARE(h.msg.texts.size(), 1);
    QVERIFY2(IsFolderWarning(h.msg.last(), path), qPrintable(h.msg.last()));
    QVERIFY(h.msg.plainTexts.isEmpty());
    QVERIFY(Contents(path).startsWith("185\r\n"));
    QCOMPARE(toQ(h.z.filename), path);
    QCOMPARE(h.w->windowTitle(), "Zidavoru ZOD: " + path);
    QCOMPARE(h.recentCaptions(), QStringList{"1. " + path});
    QCOMPARE(toQ(h.z.lastdir), d.files.path());
    // Save to the case's own file
    h.msg.clear();
    h.z.proj = "changed";
    h.box("iproj")->setText("changed");
    h.menus().mnusave->trigger();
    QCOMPARE(h.msg.texts.size(), 1);
    QVERIFY(IsFolderWarning(h.msg.last(), path));
    QVERIFY(Contents(path).contains("\r\nchanged\r\n"));
    // Save of a new case: its name, the folder and the list follow the save
    h.menus().mnunew->trigger();
    h.msg.clear();
    const QString other = d.file("other.vtr");
    h.dialog.answers << other;
    h.menus().mnusave->trigger();
    QCOMPARE(h.msg.texts.size(), 1);
    QVERIFY(IsFolderWarning(h.msg.last(), other));
    QCOMPARE(toQ(h.z.filename), other);
    QCOMPARE(h.recentCaptions(), (QStringList{"1. " + other, "2. " + path}));
    // a failed flush of the file itself is a failed save, told as before
    sys.fail = {{"sync", EIO}};
    h.msg.clear();
    const QByteArray before = Contents(other);
    h.saveAs(path);
    QCOMPARE(h.msg.texts, QStringList{CantSave(path, EIO)});
    QCOMPARE(toQ(h.z.filename), other);
    QCOMPARE(Contents(other), before);
  }

  void databaseFiles() {
    DbHarness d;
    FrmDatabase* f = d.open();
    d.table({"% Comment", "A"});
    SaveFaults sys;
    sys.fail["sync folder"] = EIO;
    const QString input = d.file("Tank_in.csv");
    d.h.dialog.answers << input;
    d.click("cmdSaveFile");
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY2(IsFolderWarning(d.msg.last(), input), qPrintable(d.msg.last()));
    QVERIFY(Contents(input).startsWith("% Comment;\r\n"));
    QCOMPARE(toQ(d.z().dbfile), input);
    QCOMPARE(f->windowTitle(), "Database Filename: " + input);

    d.msg.clear();
    d.click("cmdSaveResult");
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY2(IsFolderWarning(d.msg.last(), input + "_out.csv"), qPrintable(d.msg.last()));
    QCOMPARE(Contents(input + "_out.csv").count("\r\n"), 3);
  }

  void exportedWorkbook() {
    DbHarness d;
    d.open();
    d.table({"A"});
    d.click("cmdCalc");
    auto* t = WaitActive(d.f()->detailed());
    SaveFaults sys;
    sys.fail["sync folder"] = EIO;
    Child<QPushButton>(t, "cmdDetailedResult")->click();
    const QString path = d.file("New Database_summary.xlsx");
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY2(IsFolderWarning(d.msg.last(), path), qPrintable(d.msg.last()));
    // saved, so handed on to the spreadsheet program all the same
    QCOMPARE(d.h.opener.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
    QVERIFY(Contents(path).startsWith("PK"));
  }
};

QTEST_MAIN(TestSaveWarnings)
#include "test_save_warnings.moc"
