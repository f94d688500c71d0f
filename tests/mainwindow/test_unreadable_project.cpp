// File > Open of a project file that is there but may not be read: the real
// box says so, naming the file and the reason, and not that the file cannot
// be found; the case, its file name and the caption stay as they were.
#include "gui/qtext.h"
#include "tests/gui/core/noreadrights.h"
#include "tests/mainwindow/testsupport.h"

using namespace zod;
using namespace zod::test;

class TestUnreadableProject : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  void unreadableFileIsNamedAsSuch() {
    Harness h(RealBoxes{});
    QTemporaryDir dir;
    const QString locked = dir.filePath("locked.vtr");
    h.saveAs(locked);
    const QString mine = dir.filePath("mine.vtr");
    h.saveAs(mine);
    h.type("icylr", "2500");
    const DesignCase before = h.z;
    QList<QMessageBox::Icon> icons;
    h.user->whileOpen = [&icons](QMessageBox* box) { icons << box->icon(); };
    h.clearSaid();
    {
      NoReadRights guard(fromQ(locked));
      if (!guard.denied()) QSKIP("read rights cannot be taken away here");
      h.open(locked);
    }
    QCOMPARE(h.said(), QStringList{"can't read file - " + locked + ": Permission denied"});
    QCOMPARE(icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
    QVERIFY(h.z.designCase() == before);
    QCOMPARE(QString::fromStdString(h.z.filename), mine);
    QCOMPARE(h.w->windowTitle(), "Zidavoru ZOD: " + mine);
    QCOMPARE(h.box("icylr")->text(), QString("2500"));
  }
};

QTEST_MAIN(TestUnreadableProject)
#include "test_unreadable_project.moc"
