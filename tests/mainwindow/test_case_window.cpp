// What the main window shows is the case it calculates: the tripping-length
// correction never sets a length that is not positive, the Ih check box and
// the profiles show the case's own after a file or a database row replaced
// the case, and the LRFD advice keeps its formula on one line.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTextLayout>

#include "engine/calc.h"
#include "mainwindow/core/projectfile.h"
#include "profiles/profiledialogs.h"
#include "tests/database/dbtestsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

const QString kTripping = " lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ";

// The two cases one after the other: the first a stringer-stiffened case
// under pressure from outside (the Ih check box is shown), the second of
// `type` with the ring check on.
void FirstCase(State& z, int16 checkih) { z.cylinder = 2, z.ringch = 1, z.pd = -0.3f, z.checkih = checkih; }
void SecondCase(State& z, int type, int16 checkih) {
  z.cylinder = static_cast<int16>(type), z.ringch = 1, z.pd = -0.3f, z.checkih = checkih;
  z.ident = "second";
}

// Two cases with other profiles: the first calculates, the second stops
// before its sections are worked out (t = 0). The stiffener changes kind and
// thickness band (6 mm, then 20 mm), the ring frame its T-table row (9 mm,
// then 8 mm); both members are of S355. Their sections are worked out away
// from the window, as a file and a row hold them.
void WorkOutSections(State& z) {
  View& window = z.view();
  z.setView(nullptr);
  StiffSection(z, z.stifftype);
  GirdSection(z, z.girdtype);
  z.setView(&window);
}
void ProfiledFirst(State& z) {
  z.cylinder = 2, z.ringch = 1, z.mats = z.matg = 2;
  z.stifftype = 0, z.istiffl = 3;  // L 90x60x6.0x6.0
  z.girdtype = 2, z.igirdt = 5;    // T 76x160x6.0x9.0
  z.ident = "first";
  WorkOutSections(z);
}
void ProfiledSecond(State& z) {
  z.t = 0;
  z.stifftype = 3, z.stbh = 200, z.stbb = 90, z.stbtw = 10, z.stbtf = 20;
  z.girdtype = 2, z.igirdt = 0;  // T 48x100x5.0x8.0
  z.ident = "second";
  WorkOutSections(z);
}

}  // namespace

class TestCaseWindow : public QObject {
  Q_OBJECT

  QTemporaryDir dir;

 private slots:
  void cleanup() { Destroy(); }

  // Letters typed for the radius read as 0: the box's check and the stopped
  // calculation are told, but the tripping length is not touched, and once
  // the radius is put right the case calculates with the length it had.
  void aRadiusOf0LeavesTheTrippingLength() {
    BoxMessenger boxes;
    Harness h(false, 96, &boxes);
    BoxAnswerer user;
    QCOMPARE(h.z.gilt, 600.0f);
    h.type("icylr", "abc");
    QTRY_VERIFY(h.box("icylr")->hasFocus());
    QCOMPARE(h.z.cylr, 0.0f);
    QCOMPARE(user.texts.value(0), QString(" cylr >= 50 "));
    QVERIFY2(!user.texts.contains(kTripping), qPrintable(user.texts.join('|')));
    QCOMPARE(h.z.gilt, 600.0f);
    QCOMPARE(h.box("igilt")->text(), QString("600"));
    QVERIFY(!h.z.calcok);

    user.texts.clear();
    QTest::keyClicks(h.box("icylr"), "1500");
    QTest::keyClick(h.box("icylr"), Qt::Key_Tab);
    QTRY_VERIFY(!h.box("icylr")->hasFocus());
    QCOMPARE(user.texts, QStringList());
    QVERIFY(h.z.calcok);
    QCOMPARE(h.z.gilt, 600.0f);
    QCOMPARE(h.box("igilt")->text(), QString("600"));
  }

  // The box's own correction follows the same rule: a case whose radius is 0
  // (a row or file can hold one) keeps the length typed into igilt.
  void theBoxOwnCorrectionSkipsANonPositiveLength() {
    BoxMessenger boxes;
    Harness h(false, 96, &boxes);
    BoxAnswerer user;
    h.z.cylr = 0;
    h.w->RefreshForm();
    h.type("igilt", "700");
    QTRY_VERIFY(!h.box("igilt")->hasFocus());
    QVERIFY2(!user.texts.contains(kTripping), qPrintable(user.texts.join('|')));
    QCOMPARE(h.z.gilt, 700.0f);
    QCOMPARE(h.box("igilt")->text(), QString("700"));

    // with a radius the correction still cuts a length that is too long
    h.z.cylr = 1500;
    h.w->RefreshForm();
    QTRY_COMPARE(QApplication::activeWindow(), h.w.get());
    user.texts.clear();
    h.type("igilt", "2000");
    QTRY_COMPARE(user.texts.value(0), kTripping);
    QTRY_VERIFY(h.box("igilt")->hasFocus());
    const std::optional<GiltLimit> limit = TrippingLimit(h.z);
    QVERIFY(limit && limit->corrected > 50 && limit->corrected < 2000);
    QCOMPARE(h.z.gilt, limit->corrected);
    QCOMPARE(h.box("igilt")->text(), QString::number(qRound(limit->corrected)));
  }

  // Each case: the type of the second case and the switch of both cases.
  void checkIhShowsTheCase_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("ring stiffened, ticked then not") << 1 << 1 << 0;
    QTest::newRow("ring stiffened, not then ticked") << 1 << 0 << 1;
    QTest::newRow("unstiffened, ticked then not") << 0 << 1 << 0;
    QTest::newRow("column, ticked then not") << 3 << 1 << 0;
    QTest::newRow("stringer stiffened, ticked then not") << 2 << 1 << 0;
  }

  // A database row replaces the case.
  void checkIhShowsTheCase() {
    QFETCH(int, type);
    QFETCH(int, first);
    QFETCH(int, second);
    DbHarness d;
    State& z = d.z();
    NewDbTable(z);
    z.dbtab[0] = DbHarness::Closing();
    z.dbrows = 0;
    FirstCase(z, static_cast<int16>(first));
    StoreDbRow(z, 0);
    SecondCase(z, type, static_cast<int16>(second));
    StoreDbRow(z, 1);
    z.dbfile = "Cases_in.csv";
    auto* ih = d.h.get<QCheckBox>("check_ih");

    d.open();  // its activation chooses the first row
    QCOMPARE(z.checkih, int16(first));
    QCOMPARE(ih->isChecked(), first != 0);
    d.select(1);
    QCOMPARE(z.ident, std::string("second"));
    QCOMPARE(z.checkih, int16(second));
    QCOMPARE(ih->isChecked(), second != 0);
    if (type == 1) QVERIFY(d.h.shown("check_ih"));  // under outer pressure the ring check shows it
  }

  // A project file replaces the case.
  void checkIhShowsTheOpenedFile_data() { checkIhShowsTheCase_data(); }
  void checkIhShowsTheOpenedFile() {
    QFETCH(int, type);
    QFETCH(int, first);
    QFETCH(int, second);
    Harness h;
    const std::string one = fromQ(dir.filePath("one.vtr")), two = fromQ(dir.filePath("two.vtr"));
    FirstCase(h.z, static_cast<int16>(first));
    WriteProjectFile(h.z, one);
    SecondCase(h.z, type, static_cast<int16>(second));
    WriteProjectFile(h.z, two);
    SetDefaults(h.z);
    h.w->RefreshForm();
    auto* ih = h.get<QCheckBox>("check_ih");

    h.open(toQ(one));
    QCOMPARE(h.z.checkih, int16(first));
    QCOMPARE(ih->isChecked(), first != 0);
    h.open(toQ(two));
    QCOMPARE(h.z.ident, std::string("second"));
    QCOMPARE(h.z.checkih, int16(second));
    QCOMPARE(ih->isChecked(), second != 0);
  }

  // The designation, the picture and the yield strength of both members are
  // those of the case on screen, also while its calculation stops before its
  // sections: after the case is put in place, after a material is chosen
  // (looked up at the member's own thickness, not the one looked up last)
  // and after a profile dialog makes another kind current.
  void profilesShowTheCase_data() {
    QTest::addColumn<bool>("fromDatabase");
    QTest::newRow("project file") << false;
    QTest::newRow("database row") << true;
  }
  void profilesShowTheCase() {
    QFETCH(bool, fromDatabase);
    DbHarness d;
    Harness& h = d.h;
    State& z = d.z();
    const QString one = dir.filePath("first.vtr"), two = dir.filePath("second.vtr");
    ProfiledFirst(z);
    WriteProjectFile(z, fromQ(one));
    ProfiledSecond(z);
    WriteProjectFile(z, fromQ(two));
    SetDefaults(z);
    NewDbTable(z);
    z.dbtab[0] = DbHarness::Closing();
    z.dbrows = 0;
    ProfiledFirst(z);
    StoreDbRow(z, 0);
    ProfiledSecond(z);
    StoreDbRow(z, 1);
    z.dbfile = "Cases_in.csv";
    SetDefaults(z);
    h.w->RefreshForm();
    auto shown = [&h] {
      return QStringList{h.get<QLabel>("stiffprof")->text(),
                         h.get("cmdpic_stiff")->property("iconName").toString(),
                         h.box("ifys")->text(),
                         h.get<QLabel>("ringprof")->text(),
                         h.get("cmdpic_gird")->property("iconName").toString(),
                         h.box("ifyg")->text()};
    };

    fromDatabase ? (void)d.open() : h.open(one);
    QCOMPARE(z.ident, std::string("first"));
    QVERIFY(z.calcok);
    QCOMPARE(shown(),
             (QStringList{"L 90x60x6.0x6.0", "ico_stiff_l", "355", "T 76x160x6.0x9.0", "ico_gird_t", "355"}));
    fromDatabase ? d.select(1) : h.open(two);
    QCOMPARE(z.ident, std::string("second"));
    QVERIFY(!z.calcok);
    QCOMPARE(shown(), (QStringList{"T 200x90x10.0x20.0", "ico_stiff_t", "345", "T 48x100x5.0x8.0",
                                   "ico_gird_t", "355"}));

    emit h.get<QComboBox>("cbofys")->activated(0);  // S235: 225 MPa at 20 mm, 235 up to 16 mm
    emit h.get<QComboBox>("cbofyg")->activated(0);
    QVERIFY(!z.calcok);
    QCOMPARE(z.fys, 225.0);
    QCOMPARE(z.fyg, 235.0);
    QCOMPARE(shown(), (QStringList{"T 200x90x10.0x20.0", "ico_stiff_t", "225", "T 48x100x5.0x8.0",
                                   "ico_gird_t", "235"}));

    z.igirdhp = 57;  // 17 mm thick: 225 MPa
    h.menus().girdItems[6]->trigger();
    WaitActive(h.w->profileDialogs().find(Member::RingFrame, 6));
    QCOMPARE(z.girdtype, int16(6));
    QVERIFY(!z.calcok);
    QCOMPARE(z.fyg, 225.0);
    QCOMPARE(shown().mid(3), (QStringList{"BF 430x17.0", "ico_gird_hp", "225"}));
  }

  // The advice names a formula; wherever the box's label wraps its text, the
  // formula stays whole on one line.
  void lrfdAdviceKeepsItsFormulaOnOneLine() {
    BoxMessenger boxes;
    Harness h(false, 96, &boxes);
    BoxAnswerer user;
    QString text;
    QFont font;
    int width = 0;
    user.whileOpen = [&](QMessageBox* box) {
      auto* label = box->findChild<QLabel*>("qt_msgbox_label");
      if (!label) return;
      text = label->text();
      font = label->font();
      width = label->contentsRect().width();
    };
    h.get<QPushButton>("cmd_lrfd")->click();
    QTRY_COMPARE(user.texts.size(), 1);
    QVERIFY(width > 0);
    // the wording stays
    QCOMPARE(QString(text).replace(QChar(0x00A0), ' '),
             QString(" For ALS condition, Allowable Usage Factor is recommended to be UF = 1.15 "));
    const qsizetype from = text.indexOf("UF");
    const qsizetype to = text.indexOf("1.15") + 4;
    QVERIFY(from > 0 && to > from);
    const int formula = QFontMetrics(font).horizontalAdvance(text.mid(from, to - from)) + 1;
    // the box as shown, and every narrower box that still has room for the formula
    for (int w = std::max(width, formula); w >= formula; --w) {
      QTextLayout layout(text, font);
      QTextOption option;
      option.setWrapMode(QTextOption::WordWrap);
      layout.setTextOption(option);
      layout.beginLayout();
      for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(w);
      layout.endLayout();
      const QTextLine first = layout.lineForTextPosition(static_cast<int>(from));
      const QTextLine last = layout.lineForTextPosition(static_cast<int>(to - 1));
      QVERIFY2(first.lineNumber() == last.lineNumber(),
               qPrintable(QString("the formula breaks at a width of %1").arg(w)));
    }
  }
};

QTEST_MAIN(TestCaseWindow)
#include "test_case_window.moc"
