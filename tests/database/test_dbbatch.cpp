// A batch over the case table through the real windows: "Save Result to
// File" and "Calc and Summary" (its build, a check box, a resize) leave the
// main window's case, boxes, captions and pictures as the user had them, and
// File > Save writes that case; what the rows' calculations said comes in one
// real message box per batch, and a rebuild of the same table says nothing
// again.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "database/frmdatabasedetailed.h"
#include "mainwindow/resultpicture.h"
#include "tests/database/dbtestsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

// Everything the main window shows of a case: texts, captions, icons, the
// drawn result pictures, what is shown or hidden, and where its focus is.
QStringList Look(const QWidget* w) {
  QStringList out;
  for (const QWidget* c : w->findChildren<QWidget*>()) {
    const QString n = c->objectName();
    if (c->window() != w || n.isEmpty() || n.startsWith("qt_")) continue;
    if (auto* e = qobject_cast<const QLineEdit*>(c)) out << n + " text " + e->text();
    if (auto* l = qobject_cast<const QLabel*>(c)) out << n + " label " + l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(c)) out << n + " title " + g->title();
    if (auto* b = qobject_cast<const QComboBox*>(c)) out << n + " combo " + b->currentText();
    if (auto* b = qobject_cast<const QPushButton*>(c))
      out << n + " icon " + b->property("iconName").toString();
    if (auto* p = qobject_cast<const ResultPicture*>(c)) {
      out << n + (p->stale() ? " stale" : " fresh");
      for (const ResultPicture::Item& i : p->items())
        out << QString("%1 %2,%3 %4%5 %6 ")
                       .arg(n)
                       .arg(i.x)
                       .arg(i.y)
                       .arg(i.bold)
                       .arg(i.underline)
                       .arg(i.color.name()) +
                   i.text;
    }
    out << n + (c->isVisibleTo(w) ? " shown" : " hidden");
  }
  const QWidget* f = w->focusWidget();
  out << "focus " + (f ? f->objectName() : QString());
  return out;
}

// Both the database windows and the main window show real boxes, which
// `user` answers.
struct BatchHarness {
  BoxMessenger mainBoxes;
  DbHarness d{true, &mainBoxes};
  BoxAnswerer user;
  FrmDatabaseDetailed* detailed = nullptr;

  State& z() { return d.z(); }
  // A comment, then `rows` ring-stiffened data rows "case 1" ... of another
  // ring frame and yield strength than the user's, each of its own radius;
  // the rows in `longLt` have a ring-frame tripping length over its limit.
  void table(int rows, const QList<int>& longLt) {
    d.open();
    QStringList lines{"% Tanks"};
    for (int i = 1; i <= rows; ++i) lines << QString("case %1").arg(i);
    const DesignCase mine = z().designCase();
    d.table(lines, 1);
    z().designCase() = mine;
    for (int i = 1; i <= rows; ++i) {
      DbRow& r = z().dbtab[static_cast<std::size_t>(i)];
      r.ringch = 1;
      r.cylr = static_cast<float>(1500 + 10 * i);
      r.fyg = 420;
      r.dbgirdtype = 9, r.dbgirdh = 400, r.dbgirdb = 200, r.dbgirdtw = 12, r.dbgirdtf = 20;
      r.gilt = longLt.contains(i) ? 1e5f : 500;
    }
    d.f()->Form_Activate();  // shows the rows; row 0 is a comment, nothing is loaded
    user.texts.clear();
  }
  void calcAndSummary() {
    d.click("cmdCalc");
    detailed = WaitActive(d.f()->detailed());
  }
  // The user comes back to the main window and types a case of their own.
  void edit() {
    d.h.w->activateWindow();
    WaitActive(d.h.w.get());
    d.h.type("iident", "EDITED");
    d.h.type("icylr", "1234");
    user.texts.clear();
  }
  int boxesNow() {
    QTest::qWait(50);
    QApplication::processEvents();
    return static_cast<int>(user.texts.size());
  }
};

}  // namespace

class TestDbBatch : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  // The user's edited case survives every kind of batch, in memory and on
  // screen, and File > Save writes it.
  void leavesTheUsersCase_data() {
    QTest::addColumn<QString>("batch");
    QTest::newRow("Save Result to File") << "save result";
    QTest::newRow("Calc and Summary") << "calc";
    QTest::newRow("a check box of the detailed table") << "check box";
    QTest::newRow("a resize of the detailed table") << "resize";
  }
  void leavesTheUsersCase() {
    QFETCH(QString, batch);
    BatchHarness b;
    b.table(6, {2, 3, 4, 5});
    // the last row's ring frame reaches past the axis: its run asks for the
    // focus on the radius box, then stops
    b.z().dbtab[6].cylr = 40;
    b.z().dbfile = fromQ(b.d.file("Tanks_in.csv"));
    if (batch == "check box" || batch == "resize") b.calcAndSummary();
    b.edit();
    QCOMPARE(b.z().ident, std::string("EDITED"));
    QCOMPARE(b.z().cylr, 1234.0f);
    const QString project = b.d.file("mine.vtr");
    b.d.h.saveAs(project);
    const QByteArray saved = ReadBytes(project);
    QVERIFY(saved.contains("EDITED"));
    const QStringList before = Look(b.d.h.w.get());
    QVERIFY(before.contains("icylr text 1234"));
    const DesignCase mine = b.z().designCase();
    const auto panels = [&b] {
      QStringList out;
      for (const ResultPanel* p : {&b.z().shellpanel, &b.z().stiffpanel, &b.z().ringpanel, &b.z().colpanel})
        for (std::size_t i = 0; i < p->val.size(); ++i) out << toQ(p->txt[i] + p->val[i] + p->unit[i]);
      return out;
    };
    const QStringList results = panels();
    b.user.texts.clear();

    if (batch == "save result") {
      b.d.click("cmdSaveResult");
      QVERIFY(ReadBytes(b.d.file("Tanks_in.csv_out.csv")).contains(";case 6;"));
    } else if (batch == "calc") {
      b.calcAndSummary();
    } else if (batch == "check box") {
      const int builds = b.detailed->builds();
      Child<QCheckBox>(b.detailed, "chkStressInp")->setChecked(false);
      QCOMPARE(b.detailed->builds(), builds + 1);
    } else {
      const int builds = b.detailed->builds();
      b.detailed->resize(b.detailed->width() + 80, b.detailed->height());
      QCOMPARE(b.detailed->builds(), builds + 1);
    }
    QTest::qWait(50);
    QApplication::processEvents();
    if (b.detailed) QCOMPARE(b.detailed->model().table().items[6][0], std::string("case 6"));

    QVERIFY(b.z().designCase() == mine);
    QCOMPARE(panels(), results);
    const QStringList after = Look(b.d.h.w.get());
    for (qsizetype i = 0; i < std::max(before.size(), after.size()); ++i)
      QCOMPARE(after.value(i), before.value(i));
    b.d.h.w->activateWindow();
    WaitActive(b.d.h.w.get());
    b.d.h.menus().mnusave->trigger();
    QCOMPARE(ReadBytes(project), saved);
    QCOMPARE(b.z().designCase().ident, std::string("EDITED"));
  }

  // Twenty rows with the same correction: one box for one click, naming
  // every row, owned by the database window; again one for the next click.
  void saveResultSaysItOnce() {
    BatchHarness b;
    QList<int> all;
    for (int i = 1; i <= 20; ++i) all << i;
    b.table(20, all);
    b.z().dbfile = fromQ(b.d.file("Tanks_in.csv"));
    for (int click = 0; click < 2; ++click) {
      b.user.texts.clear();
      b.user.owners.clear();
      b.d.click("cmdSaveResult");
      QCOMPARE(b.boxesNow(), 1);
      QCOMPARE(b.user.owners, QStringList{"frmDatabase"});
      const QString m = b.user.texts[0];
      QVERIFY2(
          m.startsWith(" The calculation of 20 rows said \"lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects "
                       "the value\": "),
          qPrintable(m));
      for (int i = 1; i <= 20; ++i) QVERIFY(m.contains(QString("\nrow %1 \"case %1\"").arg(i)));
      QCOMPARE(m.count("lt<=pi"), 1);
    }
  }

  // The detailed table says it once when it is built; a check box or a
  // resize builds the same table and says nothing; once the table has
  // changed, the next build says what is new.
  void detailedTableSaysItOnce() {
    BatchHarness b;
    QList<int> all;
    for (int i = 1; i <= 20; ++i) all << i;
    b.table(20, all);
    b.calcAndSummary();
    QCOMPARE(b.boxesNow(), 1);
    QCOMPARE(b.user.owners, QStringList{"frmDatabaseDetailed"});
    QVERIFY(b.user.texts[0].contains("The calculation of 20 rows said"));
    const int builds = b.detailed->builds();
    for (const char* box : {"chkStiffInp", "chkRingRes"}) {
      Child<QCheckBox>(b.detailed, box)->setChecked(false);
      Child<QCheckBox>(b.detailed, box)->setChecked(true);
    }
    b.detailed->resize(b.detailed->width() - 60, b.detailed->height());
    QCOMPARE(b.detailed->builds(), builds + 5);
    QCOMPARE(b.boxesNow(), 1);

    b.z().dbtab[7].gilt = 500;  // the table changed: one row fewer to correct
    Child<QCheckBox>(b.detailed, "chkColumnRes")->setChecked(false);
    QCOMPARE(b.boxesNow(), 2);
    QVERIFY2(b.user.texts[1].contains("The calculation of 19 rows said"), qPrintable(b.user.texts[1]));
    QVERIFY(!b.user.texts[1].contains("\"case 7\""));
    b.detailed->resize(b.detailed->width() + 60, b.detailed->height());
    QCOMPARE(b.boxesNow(), 2);
  }

  // Rows that stop and rows with a correction: still one box.
  void stopsAndCorrectionsInOneBox() {
    BatchHarness b;
    b.table(4, {1, 2});
    b.z().dbtab[3].t = 0;
    b.z().dbtab[4].t = 0;
    b.z().dbfile = fromQ(b.d.file("Tanks_in.csv"));
    b.d.click("cmdSaveResult");
    QCOMPARE(b.boxesNow(), 1);
    const QString m = b.user.texts[0];
    QVERIFY2(m.startsWith(" The calculation of 2 rows stopped"), qPrintable(m));
    QVERIFY(m.contains("\n The calculation of 2 rows said \"lt<=pi"));
  }
};

QTEST_MAIN(TestDbBatch)
#include "test_dbbatch.moc"
