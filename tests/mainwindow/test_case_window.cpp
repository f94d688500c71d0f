// What the main window shows is the case it calculates: the tripping-length
// correction never sets a length that is not positive.
#include "engine/calc.h"
#include "tests/mainwindow/testsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

const QString kTripping = " lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ";

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
};

QTEST_MAIN(TestCaseWindow)
#include "test_case_window.moc"
