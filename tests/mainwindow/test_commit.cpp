// When the box being edited is committed, and how the user is back in it
// when its value is refused: a refusal on Enter selects the text for the
// correction. Real message boxes, answered by a timer, and real keys, since
// every one of these depends on where the focus goes.
#include "tests/mainwindow/testsupport.h"

using namespace zod;
using namespace zod::test;

class TestCommit : public QObject {
  Q_OBJECT

 private slots:
  // A value refused on Enter leaves the text selected, as the focus coming
  // back to the box does on every other path: typing 7 replaces it.
  void enterRefusalSelects_data() {
    QTest::addColumn<int>("cylinder");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    auto row = [](const char* tag, int cylinder, bool comma, const char* name, const char* typed,
                  const char* message) {
      QTest::newRow(tag) << cylinder << comma << QString(name) << QString(typed) << QString(message);
    };
    row("lt", 2, false, "ilt", "40", " 50 <= lt ");
    row("s below", 2, false, "is1", "5", " 10 <= s   ");
    row("s above r", 2, false, "is1", "2000", " s  <= r  ");
    row("L", 1, false, "icyll", "40", " L >= 50  ");
    row("k1", 3, false, "ik1", "0.1", " k1 >= 0.2  ");
    row("k2", 3, false, "ik2", "0.1", " k2 >= 0.2  ");
    row("letters, comma system", 2, true, "isigx", "abc", "Input string mismatch ");
  }
  void enterRefusalSelects() {
    QFETCH(int, cylinder);
    QFETCH(bool, comma);
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    BoxMessenger boxes;
    Harness h(comma, 96, &boxes);
    BoxAnswerer user;
    h.refresh(cylinder);
    h.typeInto(name, typed);
    QTest::keyClick(h.box(name), Qt::Key_Return);
    QTRY_COMPARE(user.texts, QStringList{message});
    QTRY_VERIFY(h.box(name)->hasFocus());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(h.w.get()));
    QVERIFY(h.yellow(name));
    QTest::keyClicks(h.box(name), "7");
    QCOMPARE(h.box(name)->text(), QString("7"));
  }
};

QTEST_MAIN(TestCommit)
#include "test_commit.moc"
