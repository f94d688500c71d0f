// A profile dialog that becomes active again shows the case anew, but not
// over the box the user is typing in: that value is kept until the box is
// left. Once the case has been replaced in the main window meanwhile (New, a
// database row), what was typed belongs to no case and the box shows the new
// one. Real windows, real activation, message boxes answered by a timer.
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include "database/core/database.h"
#include "database/dbwindows.h"
#include "database/frmdatabase.h"
#include "profiles/profiledialog.h"
#include "profiles/profiledialogs.h"
#include "tests/mainwindow/testsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

const QString kStiffenerStops =
    "The calculation stopped in the stiffener check: square root of a negative number.";

}  // namespace

class TestProfileActivation : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  // H = 4 in the T built-up stiffener: below its bound, and the calculation
  // with it stops, so two boxes of the dialog come straight after each
  // other. When each is answered before the window system has handed it the
  // activation (a loaded machine), the first box's return reaches the dialog
  // only after the second has closed, and the second box's late activation
  // takes the dialog's away once more. However the activations come, none is
  // the user's: one calculation, two boxes, the user back in H.
  void twoBoxesInARowAreNoActivation_data() {
    QTest::addColumn<bool>("atOnce");
    QTest::newRow("answered in time") << false;
    QTest::newRow("answered at once") << true;
  }
  void twoBoxesInARowAreNoActivation() {
    QFETCH(bool, atOnce);
    Harness h(RealBoxes{});
    h.user->atOnce = atOnce;
    h.menus().stiffItems[3]->trigger();
    ProfileDialog* d = WaitActive(h.w->profileDialogs().find(Member::Stiffener, 3));
    auto* isth = Child<QLineEdit>(d, "isth");
    for (int round = 0; round < 3; ++round) {
      h.user->texts.clear();
      const int before = h.w->calcs;
      isth->setFocus(Qt::TabFocusReason);
      QTest::keyClicks(isth, "4");
      QTest::keyClick(isth, Qt::Key_Return);
      QTRY_COMPARE(h.user->texts.size(), 2);
      WaitActive(d);
      QTest::qWait(50);
      QCOMPARE(h.user->texts, (QStringList{" H >= 5 ", kStiffenerStops}));
      QCOMPARE(h.user->owners.last(), d->objectName());
      QCOMPARE(h.w->calcs, before + 1);
      QVERIFY(isth->hasFocus());
    }
  }

  // What happens in the main window while the user is away from the dialog.
  void activationKeepsWhatIsTyped_data() {
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QString>("shown");  // in the box on coming back
    QTest::addColumn<float>("stored");   // H once the box is left
    QTest::newRow("nothing") << ""
                             << "300" << 300.0f;
    QTest::newRow("a box of the main window committed") << "commit"
                                                        << "300" << 300.0f;
    QTest::newRow("File > New") << "New"
                                << "200" << 200.0f;
    QTest::newRow("a database row") << "row"
                                    << "150" << 150.0f;
  }
  void activationKeepsWhatIsTyped() {
    QFETCH(QString, meanwhile);
    QFETCH(QString, shown);
    QFETCH(float, stored);
    BoxMessenger boxes;
    Harness h(false, 96, &boxes);
    BoxAnswerer user;
    if (meanwhile == "row") {
      h.z.stbh = 150;  // the row's T built-up stiffener
      h.z.stifftype = 3;
      NewDatabase(h.z, "rows");
      h.z.stbh = 200;
    }
    h.menus().stiffItems[3]->trigger();
    ProfileDialog* d = WaitActive(h.w->profileDialogs().find(Member::Stiffener, 3));
    auto* isth = Child<QLineEdit>(d, "isth");
    auto* istb = Child<QLineEdit>(d, "istb");
    isth->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(isth, "300");
    istb->setText("999");  // a box that shows no longer what the case holds

    h.w->activateWindow();
    WaitActive(h.w.get());
    if (meanwhile == "commit") {
      h.type("icylr", "2000");
    } else if (meanwhile == "New") {
      QMenuBar* bar = h.w->menuBar();
      QTest::mouseClick(bar, Qt::LeftButton, {},
                        bar->actionGeometry(h.menus().mnufile->menuAction()).center());
      QTRY_VERIFY(QApplication::activePopupWidget());
      QTest::qWait(20);
      auto* file = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(h.menus().mnunew).center());
      QTRY_COMPARE(h.z.stifftype, int16(0));
    } else if (meanwhile == "row") {
      h.menus().mnuDb->trigger();
      auto* db = Child<DatabaseWindows>(h.w.get(), "databaseWindows");
      WaitActive(db->database());
      Child<QListWidget>(db->database(), "lstDatabase")->setCurrentRow(1);
    }

    d->activateWindow();
    WaitActive(d);
    QTest::qWait(20);
    QCOMPARE(h.z.stifftype, int16(3));  // the activation made the kind current
    QCOMPARE(isth->text(), shown);
    QCOMPARE(istb->text(), QString("90"));
    QVERIFY(isth->hasFocus());
    QCOMPARE(isth->palette().color(QPalette::Base), ProfileDialog::kFocusColor);
    QCOMPARE(static_cast<float>(h.z.stbh), meanwhile == "row" ? 150.0f : 200.0f);  // not committed yet
    QTest::keyClick(isth, Qt::Key_Tab);
    QCOMPARE(static_cast<float>(h.z.stbh), stored);
    QCOMPARE(isth->text(), QString::number(stored));
    QCOMPARE(user.texts, QStringList{});
  }
};

QTEST_MAIN(TestProfileActivation)
#include "test_profile_activation.moc"
