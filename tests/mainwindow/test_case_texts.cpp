// Texts the files cannot hold: project and database files are Windows-1252,
// so characters outside it are refused where they are typed, in the project
// name, the identification and the database window's comment, with a message
// that names them; so is a line break, which would split the text's line in
// the file. The box keeps its text, the case keeps its own.
#include <QClipboard>
#include <QRegularExpression>

#include "tests/database/dbtestsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

// The characters a refusal names, in the order named ("a line break" for
// CR and LF).
QStringList Named(const QString& message) {
  QStringList out;
  auto it = QRegularExpression("\"([^\"]+)\" \\(U\\+[0-9A-F]{4,6}\\)|(a line break)").globalMatch(message);
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    out << (m.hasCaptured(1) ? m.captured(1) : m.captured(2));
  }
  return out;
}

// Pastes the text over the box's whole text.
void PasteOver(QLineEdit* e, const QString& text) {
  e->setFocus(Qt::TabFocusReason);
  QTRY_VERIFY(e->hasFocus());
  QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
  QApplication::clipboard()->setText(text);
  QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
}

// Types the text key by key as a keyboard with those letters would (the
// test library's own typing knows ASCII only); like a user, the next key
// comes once the window is back from any box the last one raised.
void TypeKeys(QWidget* w, const QString& text) {
  for (char32_t c : text.toUcs4()) {
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
    QTRY_VERIFY(QApplication::activeWindow() == w->window());
  }
}

}  // namespace

class TestCaseTexts : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  // Each case: the box ("frmDatabase:" before the comment input), typed or
  // pasted, the text; the box's text afterwards ("*" for the text it had)
  // and the characters each message names, one message per refused edit.
  void refusedWhereTyped_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QList<QStringList>>("named");
    using L = QList<QStringList>;
    QTest::newRow("name typed") << "iproj" << false << "Tank σ1 ≥"
                                << "Tank 1 " << L{{"σ"}, {"≥"}};
    QTest::newRow("name pasted") << "iproj" << true << "Tank σ1 ≥"
                                 << "*" << L{{"σ", "≥"}};
    QTest::newRow("identification pasted") << "iident" << true << "東京"
                                           << "*" << L{{"東", "京"}};
    QTest::newRow("identification typed") << "iident" << false << "Ω-ring"
                                          << "-ring" << L{{"Ω"}};
    QTest::newRow("outside the BMP") << "iident" << true << "A😀"
                                     << "*" << L{{"😀"}};
    QTest::newRow("Windows-1252 typed") << "iproj" << false << "ø € µ ‰ Š"
                                        << "ø € µ ‰ Š" << L{};
    QTest::newRow("Windows-1252 pasted") << "iident" << true << "Ø–Ÿ"
                                         << "Ø–Ÿ" << L{};
    QTest::newRow("comment pasted") << "frmDatabase:txtComment" << true << "Ω-ring"
                                    << "*" << L{{"Ω"}};
    QTest::newRow("comment typed") << "frmDatabase:txtComment" << false << "σ1 ≥ 0"
                                   << "1  0" << L{{"σ"}, {"≥"}};
    QTest::newRow("comment in Windows-1252") << "frmDatabase:txtComment" << false << "ø € µ"
                                             << "ø € µ" << L{};
    QTest::newRow("name pasted over lines") << "iproj" << true << "Line one\nLine two"
                                            << "*" << L{{"a line break"}};
    QTest::newRow("identification pasted over lines") << "iident" << true << "Line one\r\nLine two\r\n"
                                                      << "*" << L{{"a line break"}};
    QTest::newRow("lone CR and σ pasted") << "iident" << true << "σ1\rtwo"
                                          << "*" << L{{"a line break", "σ"}};
    QTest::newRow("comment pasted over lines") << "frmDatabase:txtComment" << true << "North\nSouth"
                                               << "*" << L{{"a line break"}};
    // a line copied from a spreadsheet cell or a text ends with its line break
    QTest::newRow("name pasted with its LF") << "iproj" << true << "Tank A\n"
                                             << "Tank A" << L{};
    QTest::newRow("identification pasted with its CR LF") << "iident" << true << "Tank A\r\n"
                                                          << "Tank A" << L{};
    QTest::newRow("comment pasted with its LF") << "frmDatabase:txtComment" << true << "North\n"
                                                << "North" << L{};
    QTest::newRow("name pasted with a lone CR") << "iproj" << true << "Tank A\r"
                                                << "Tank A" << L{};
    QTest::newRow("name pasted with two line breaks") << "iproj" << true << "Tank A\n\n"
                                                      << "*" << L{{"a line break"}};
    QTest::newRow("σ pasted with its LF") << "iident" << true << "σ1\n"
                                          << "*" << L{{"σ"}};
  }

  void refusedWhereTyped() {
    QFETCH(QString, box);
    QFETCH(bool, paste);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(QList<QStringList>, named);
    BoxMessenger boxes;
    DbHarness d(true, &boxes);
    BoxAnswerer user;
    State& z = d.z();
    const bool comment = box.startsWith("frmDatabase:");
    QWidget* window = d.h.w.get();
    if (comment) {
      // the second row chosen: the box's return to the window chooses no row
      window = d.open();
      d.table({"first", "second"}, 2);
      d.select(1);
      QCOMPARE(z.ident, std::string("second"));
    }
    auto* e = Child<QLineEdit>(window, box.section(':', -1));
    const std::string proj = z.proj, ident = z.ident;
    const QString before = e->text();

    e->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(e->hasFocus());
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);  // the whole text, to type over
    if (paste) {
      QApplication::clipboard()->setText(text);
      QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    } else {
      TypeKeys(e, text);
    }
    QTRY_COMPARE(user.texts.size(), named.size());
    for (int i = 0; i < named.size(); ++i) {
      QCOMPARE(Named(user.texts[i]), named[i]);
      QVERIFY2(user.texts[i].contains("project and database files"), qPrintable(user.texts[i]));
      QCOMPARE(user.owners[i], window->objectName());
    }
    QCOMPARE(e->text(), after == "*" ? before : after);
    // the user goes on where he was, and nothing stored has changed
    QTRY_VERIFY(e->hasFocus());
    QCOMPARE(z.proj, proj);
    QCOMPARE(z.ident, ident);
    if (!comment) {
      QVERIFY(d.h.yellow(box));
      QTest::keyClick(e, Qt::Key_Tab);
      QCOMPARE(toQ(box == "iproj" ? z.proj : z.ident), e->text());
    }
    QCOMPARE(user.texts.size(), named.size());
  }

  // A refusal keeps the cursor where the user was typing; a line pasted
  // lands at the cursor, which stays after it.
  void typingGoesOnAtTheCursor() {
    BoxMessenger boxes;
    Harness h(false, 96, &boxes);
    BoxAnswerer user;
    QLineEdit* e = h.box("iproj");
    e->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(e->hasFocus());
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, "Tank ");
    QApplication::clipboard()->setText("σ1");
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QTRY_COMPARE(user.texts.size(), 1);
    QTRY_VERIFY(e->hasFocus());
    QTest::keyClicks(e, "A");
    QCOMPARE(e->text(), QString("Tank A"));
    QTest::keyClick(e, Qt::Key_Home);
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QTRY_COMPARE(user.texts.size(), 2);
    QTRY_VERIFY(e->hasFocus());
    QTest::keyClicks(e, "B");
    QCOMPARE(e->text(), QString("BTank A"));
    // a line pasted into the middle lands there, without its line break,
    // also before a letter like its own last one
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClicks(e, "B");
    QTest::keyClick(e, Qt::Key_Left);
    QApplication::clipboard()->setText("B\n");
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(e, "C");
    QCOMPARE(e->text(), QString("BTank ABCB"));
    QCOMPARE(user.texts.size(), 2);
  }

  // Lines pasted into the project name and the identification are refused,
  // so the case saves as a file of 59 lines that opens again. A text read
  // from a file keeps a line break it holds, and the user may go on typing
  // in it: only what the user brings in is refused.
  void pastedLinesLeaveAFileThatOpens() {
    QTemporaryDir dir;
    Harness h;
    PasteOver(h.box("iproj"), "Tank A");
    PasteOver(h.box("iident"), "Riser 2");
    PasteOver(h.box("iproj"), "Line one\nLine two three");
    PasteOver(h.box("iident"), "Line one\r\nLine two");
    const QString refused =
        " The %1 can't hold a line break: it would split its line in project and database files. ";
    QCOMPARE(h.msg.texts, (QStringList{refused.arg("project name"), refused.arg("identification")}));
    QCOMPARE(h.box("iproj")->text(), QString("Tank A"));
    QCOMPARE(h.box("iident")->text(), QString("Riser 2"));
    const QString path = dir.filePath("case.vtr");
    h.saveAs(path);
    QCOMPARE(ReadBytes(path).count("\r\n"), 59);
    QVERIFY(ReadBytes(path).startsWith("185\r\nTank A\r\nRiser 2\r\n"));
    h.menus().mnunew->trigger();
    h.msg.clear();
    h.open(path);
    QCOMPARE(h.msg.texts, QStringList{});
    QCOMPARE(h.z.proj, std::string("Tank A"));
    QCOMPARE(h.box("iident")->text(), QString("Riser 2"));

    QByteArray old = ReadBytes(path);
    old.replace("Tank A\r\n", "Tank\rA\r\n");
    WriteBytes(path, old);
    h.open(path);
    QLineEdit* e = h.box("iproj");
    QCOMPARE(e->text(), QString("Tank\rA"));
    e->setFocus(Qt::TabFocusReason);
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClicks(e, "1");
    QTest::keyClick(e, Qt::Key_Tab);
    QCOMPARE(h.msg.texts, QStringList{});
    QCOMPARE(h.z.proj, std::string("Tank\rA1"));
  }
};

QTEST_MAIN(TestCaseTexts)
#include "test_case_texts.moc"
