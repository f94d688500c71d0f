// The case database window through the real main window: new table, comment
// rows, moving and removing rows with their messages and beeps, opening and
// saving database files, the result file and "Add  to Database".
#include <QFile>

#include "mainwindow/core/projectfile.h"
#include "tests/database/dbtestsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

const QString kNoTable = " There is no database yet. Create or open one first ";

}  // namespace

class TestDbWindow : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  // The window and the button reach the table once they are wired; the
  // window opens once, with an empty list while no table exists.
  void opensFromTheMenu() {
    DbHarness d;
    QVERIFY(d.h.menus().mnuDb->isEnabled());
    QVERIFY(d.h.get<QPushButton>("cmdDatabase")->isEnabled());
    FrmDatabase* f = d.open();
    QCOMPARE(f->parentWidget(), d.h.w.get());
    QVERIFY(!f->isModal());
    QCOMPARE(d.lines(), QStringList());
    QCOMPARE(f->windowTitle(), QString("Database Filename: "));
    QCOMPARE(Child<QLineEdit>(f, "txtComment")->text(), QString("Comment"));
    d.h.menus().mnuDb->trigger();
    QCOMPARE(d.h.w->findChildren<FrmDatabase*>().size(), 1);
  }

  // Without a table the buttons that need one say so and write nothing.
  void buttonsWithoutTable() {
    DbHarness d;
    d.open();
    QDir dir(d.files.path());
    for (const char* b : {"cmdSaveFile", "cmdSaveResult", "cmdAddComment", "Cmd_pilupp", "cmdX"}) {
      d.msg.clear();
      d.click(b);
      QCOMPARE(d.msg.texts, QStringList{kNoTable});
    }
    QVERIFY(d.h.dialog.calls.isEmpty());
    QVERIFY(!d.z().dbrows);
  }

  void newDatabaseFile() {
    DbHarness d;
    FrmDatabase* f = d.open();
    // a comment the file could not hold starts no table
    Child<QLineEdit>(f, "txtComment")->setText("a;b");
    d.click("cmdNewDatabase");
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY(!d.z().dbrows);
    QCOMPARE(d.lines(), QStringList());
    Child<QLineEdit>(f, "txtComment")->setText("Comment");
    d.click("cmdNewDatabase");
    QCOMPARE(d.lines(), (QStringList{"% Comment", "Test", "End"}));
    QCOMPARE(d.h.w->windowTitle(), QString("Database Filename: New Database_in.csv"));
    // the window's own caption names the new table at once
    QCOMPARE(f->windowTitle(), QString("Database Filename: New Database_in.csv"));
    d.h.w->activateWindow();
    WaitActive(d.h.w.get());
    f->activateWindow();
    WaitActive(f);
    QCOMPARE(f->windowTitle(), QString("Database Filename: New Database_in.csv"));
    // coming back chooses no row: the main window keeps its case
    QCOMPARE(f->selectedLine(), -1);
    QCOMPARE(d.z().ident, std::string("Test"));
  }

  void addCommentRow() {
    DbHarness d;
    FrmDatabase* f = d.open();
    d.table({"% Comment", "A", "B"});
    d.select(3);
    d.msg.clear();
    d.click("cmdAddComment");
    QCOMPARE(d.msg.texts, (QStringList{" Comment cant be added at last row ", "<beep>"}));
    QCOMPARE(d.lines(), (QStringList{"% Comment", "A", "B", "End"}));

    d.select(1);
    Child<QLineEdit>(f, "txtComment")->setText("Wall A");
    d.click("cmdAddComment");
    QCOMPARE(d.lines(), (QStringList{"% Comment", "% Wall A", "A", "B", "End"}));
    QCOMPARE(f->selectedLine(), 1);
    QCOMPARE(Child<QLineEdit>(f, "txtComment")->text(), QString("Wall A"));

    // no selection inserts at the top; a ";" would split the row in the file
    d.select(-1);
    Child<QLineEdit>(f, "txtComment")->setText("north; south");
    d.msg.clear();
    d.click("cmdAddComment");
    QCOMPARE(d.msg.texts.size(), 1);
    QCOMPARE(d.lines().size(), 5);
    Child<QLineEdit>(f, "txtComment")->setText("top");
    d.select(-1);
    d.click("cmdAddComment");
    QCOMPARE(d.lines().first(), QString("% top"));
  }

  // Each case: rows, selected line (-1 none), button; the messages and beeps
  // in order, the list afterwards and the line then selected. A refusal
  // keeps the line and loads nothing over the main window's case.
  void moveAndRemove_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("selected");
    const QStringList rows{"% Comment", "A", "% c", "B"};
    const QStringList end{"% Comment", "A", "% c", "B", "End"};
    const QString last = " Last row can't be moved ";
    QTest::newRow("up first") << rows << 0 << "Cmd_pilupp" << QStringList{" First row can't be moved "} << end
                              << 0;
    QTest::newRow("up none") << rows << -1 << "Cmd_pilupp" << QStringList{" First row can't be moved "} << end
                             << -1;
    QTest::newRow("up End") << rows << 4 << "Cmd_pilupp" << QStringList{last, "<beep>"} << end << 4;
    QTest::newRow("up") << rows << 3 << "Cmd_pilupp" << QStringList{}
                        << QStringList{"% Comment", "A", "B", "% c", "End"} << 2;
    QTest::newRow("down above End") << rows << 3 << "Cmd_pilner" << QStringList{last} << end << 3;
    QTest::newRow("down End") << rows << 4 << "Cmd_pilner" << QStringList{last, "<beep>"} << end << 4;
    QTest::newRow("down none") << rows << -1 << "Cmd_pilner" << QStringList{} << end << -1;
    QTest::newRow("down") << rows << 1 << "Cmd_pilner" << QStringList{}
                          << QStringList{"% Comment", "% c", "A", "B", "End"} << 2;
    QTest::newRow("remove End") << rows << 4 << "cmdX" << QStringList{" Last row can't be removed ", "<beep>"}
                                << end << 4;
    QTest::newRow("remove comment at 2")
        << rows << 2 << "cmdX" << QStringList{} << QStringList{"% Comment", "A", "B", "End"} << 1;
    QTest::newRow("remove row 1") << rows << 1 << "cmdX" << QStringList{}
                                  << QStringList{"% Comment", "% c", "B", "End"} << 1;
    QTest::newRow("remove comment at 3") << QStringList{"% Comment", "A", "B", "% c"} << 3 << "cmdX"
                                         << QStringList{} << QStringList{"% Comment", "A", "B", "End"} << 2;
    QTest::newRow("remove none") << rows << -1 << "cmdX" << QStringList{}
                                 << QStringList{"A", "% c", "B", "End"} << -1;
    QTest::newRow("only data row") << QStringList{"% Comment", "A"} << 1 << "cmdX"
                                   << QStringList{"<beep>", " Only one row. Row can't be removed "}
                                   << QStringList{"% Comment", "A", "End"} << 1;
  }
  void moveAndRemove() {
    QFETCH(QStringList, rows);
    QFETCH(int, line);
    QFETCH(QString, button);
    DbHarness d;
    FrmDatabase* f = d.open();
    d.table(rows);
    d.select(line);
    d.z().ident = "edited";
    d.msg.clear();
    d.click(qPrintable(button));
    QTEST(d.msg.texts, "log");
    QTEST(d.lines(), "after");
    QTEST(f->selectedLine(), "selected");
    QCOMPARE(*d.z().dbrows, d.lines().size() - 1);
    if (!d.msg.texts.isEmpty()) QCOMPARE(d.z().ident, std::string("edited"));
  }

  // A box of the window gives the activation back when it closes; that is
  // no new activation: the list keeps its line and row 0 is not loaded over
  // the user's case. Also when two boxes come straight after each other and
  // each is answered before the window system has handed it the activation:
  // the first one's return then comes late, and the second box's activation
  // after it has closed.
  void ownBoxIsNoActivation_data() {
    QTest::addColumn<int>("boxes");
    QTest::addColumn<bool>("atOnce");
    QTest::newRow("one box") << 1 << false;
    QTest::newRow("one box, answered at once") << 1 << true;
    QTest::newRow("two boxes") << 2 << false;
    QTest::newRow("two boxes, answered at once") << 2 << true;
  }
  void ownBoxIsNoActivation() {
    QFETCH(int, boxes);
    QFETCH(bool, atOnce);
    DbHarness d(true);
    FrmDatabase* f = d.open();
    d.table({"A", "B"});
    d.select(1);
    QCOMPARE(d.z().ident, std::string("B"));
    BoxAnswerer user;
    user.atOnce = atOnce;
    const QString last = " Last row can't be moved ";
    for (int round = 0; round < 3; ++round) {
      user.texts.clear();
      user.owners.clear();
      if (boxes == 1) {
        d.click("Cmd_pilner");
      } else {
        // a handler of the window with two messages
        QTimer::singleShot(0, f, [&] {
          d.db->messenger().exclamation(last, f);
          d.db->messenger().exclamation(last, f);
        });
      }
      QTRY_COMPARE(user.texts.size(), boxes);
      WaitActive(f);
      QTest::qWait(50);
      QCOMPARE(user.texts, QStringList(boxes, last));
      QCOMPARE(user.owners, QStringList(boxes, "frmDatabase"));
      QCOMPARE(f->selectedLine(), 1);
      QCOMPARE(d.z().ident, std::string("B"));
    }
  }

  // A chosen data row becomes the main window's case; a comment fills the
  // comment box; the closing row changes nothing.
  void chooseRow() {
    DbHarness d;
    FrmDatabase* f = d.open();
    d.z().cylr = 2500;
    d.table({"%  Wall A ", "A"});
    d.z().cylr = 1000;
    d.h.w->RefreshForm();
    d.select(1);
    QCOMPARE(d.h.box("icylr")->text(), QString("2500"));
    QCOMPARE(d.h.box("iident")->text(), QString("A"));
    d.select(0);
    QCOMPARE(Child<QLineEdit>(f, "txtComment")->text(), QString("Wall A"));
    d.select(2);
    QCOMPARE(Child<QLineEdit>(f, "txtComment")->text(), QString("Wall A"));
    QVERIFY(d.msg.texts.isEmpty());
  }

  // A case put in place by a database row, File > Open or a recent file is
  // calculated once, after the window shows it: each message of a calculation
  // that stops comes once, however many choices the refresh changes. The
  // case is a column (the window shows a stringer-stiffened cylinder) whose
  // shell thickness 0 stops the run.
  void aCasePutInPlaceShowsEachMessageOnce() {
    DbHarness d;
    d.open();
    d.z().t = 0;
    d.table({"% column", "A"}, 3);
    d.z().t = 20, d.z().cylinder = 2;
    d.h.w->RefreshForm();
    d.h.w->calculate();
    const QStringList once{"The calculation stopped in the design stresses: division by zero."};
    d.h.clearSaid();
    d.select(1);
    QCOMPARE(d.h.said(), once);
    QVERIFY(d.h.get<QRadioButton>("cylinder3")->isChecked());

    const QString path = d.file("column.vtr");
    State column;  // another state: the window's file stays unnamed
    column.designCase() = d.z().designCase();
    QVERIFY(WriteProjectFile(column, fromQ(path)).warning.empty());
    d.h.get<QRadioButton>("cylinder2")->click();
    d.h.clearSaid();
    d.h.open(path);
    QCOMPARE(d.h.said(), once);
    d.h.get<QRadioButton>("cylinder2")->click();
    d.h.clearSaid();
    d.h.menus().mnurecentfile[1]->trigger();
    QCOMPARE(d.h.said(), once);
    QCOMPARE(d.z().cylinder, 3);
  }

  // A row loaded shows the results of the case shown: calculating it again
  // changes no panel and says nothing else. An unstiffened row that kept its
  // ring check and a spacing of 0 keeps both in the window, so its ring check
  // stops it there as it does in the table's own calculation.
  void aRowLoadedShowsTheResultsOfTheCaseShown() {
    DbHarness d;
    d.open();
    d.table({"% c", "unstiffened", "stringers"}, 2);
    d.z().dbtab[1].cylinder = 0, d.z().dbtab[1].ringch = 1, d.z().dbtab[1].s = 0;
    d.f()->Form_Activate();
    const auto panels = [&d] {
      QStringList out;
      for (const ResultPanel* p : {&d.z().shellpanel, &d.z().stiffpanel, &d.z().ringpanel, &d.z().colpanel})
        for (int i = 0; i < 16; ++i) out << toQ(p->txt[i] + "|" + p->val[i] + "|" + p->unit[i]);
      return out;
    };
    d.h.refresh(2);
    for (int row : {1, 2, 1}) {
      d.h.clearSaid();
      d.select(row);
      const QStringList said = d.h.said();
      const QStringList shown = panels();
      d.h.clearSaid();
      d.h.w->calculate();
      QCOMPARE(d.h.said(), said);
      QCOMPARE(panels(), shown);
      QCOMPARE(d.z().ringch, 1);
      QCOMPARE(said.size(), row == 1 ? 1 : 0);
      QCOMPARE(d.z().calcok, row == 2);
    }
  }

  void openFile() {
    DbHarness d;
    FrmDatabase* f = d.open();
    d.z().cylr = 2500;
    d.table({"%  Tank farm ", "% second", "Tank 7", "Tank 8"});
    const QString path = d.file("Tank_in.csv");
    WriteDbFile(d.z(), fromQ(path));
    d.table({"other"});
    d.z().ident = "mine";
    d.z().cylr = 1000;

    d.h.dialog.answers << path;
    d.click("cmdOpenDatabase");
    QCOMPARE(d.h.dialog.calls.last(), "open|" + d.h.dialog.calls.last().section('|', 1, 1) + "|*_in.csv|");
    QCOMPARE(d.lines(), (QStringList{"%  Tank farm ", "% second", "Tank 7", "Tank 8", "End"}));
    QCOMPARE(Child<QLineEdit>(f, "txtComment")->text(), QString("Tank farm"));
    QCOMPARE(d.z().ident, std::string("Tank 7"));
    QCOMPARE(d.h.box("iident")->text(), QString("Tank 7"));
    QCOMPARE(d.h.box("icylr")->text(), QString("2500"));
    QCOMPARE(f->windowTitle(), "Database Filename: " + path);
    QCOMPARE(d.h.w->windowTitle(), "Database Filename: " + path);
    QCOMPARE(toQ(d.z().lastdir), d.files.path());
    QVERIFY(d.msg.texts.isEmpty());
  }

  // Failed and cancelled opens leave the table, its file name and the case.
  void openFailures_data() {
    QTest::addColumn<QString>("content");  // null: no such file
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancel") << QString() << QStringList{} << true;
    QTest::newRow("missing") << QString() << QStringList{"can't find file - %1"} << false;
    QTest::newRow("damaged")
        << "Project;Tank;0\r\nEnd;\r\n"
        << QStringList{"Error in Database File\n%1, line 1: a data line needs 35 fields, this one has 3"}
        << false;
    QTest::newRow("empty line")
        << "% c;\r\n\r\nEnd;\r\n"
        << QStringList{"Error in Database File\n%1, line 2: the line is empty; each line of a case database holds "
                       "a case, a comment beginning with \"%\" or the closing \"End\""}
        << false;
  }
  void openFailures() {
    QFETCH(QString, content);
    QFETCH(bool, cancel);
    DbHarness d;
    d.open();
    d.table({"% Comment", "A"});
    const QString path = d.file("bad_in.csv");
    if (!content.isNull()) WriteBytes(path, content.toLatin1());
    const auto before = d.z().dbtab;
    d.h.dialog.answers << (cancel ? QString() : path);
    d.msg.clear();
    d.click("cmdOpenDatabase");
    QFETCH(QStringList, messages);
    for (QString& m : messages) m = m.arg(path);
    QCOMPARE(d.msg.texts, messages);
    QVERIFY(d.z().dbtab == before);
    QCOMPARE(*d.z().dbrows, 2);
    QCOMPARE(d.z().dbfile, std::string("New Database_in.csv"));
    QCOMPARE(d.lines(), (QStringList{"% Comment", "A", "End"}));
  }

  // A file of comments only loads no row.
  void openWithoutDataRow() {
    DbHarness d;
    d.open();
    const QString path = d.file("notes_in.csv");
    WriteBytes(path, "% only notes;\r\nEnd;\r\n");
    d.z().ident = "mine";
    d.h.dialog.answers << path;
    d.click("cmdOpenDatabase");
    QCOMPARE(d.lines(), (QStringList{"% only notes", "End"}));
    QCOMPARE(d.z().ident, std::string("mine"));
    QVERIFY(d.msg.texts.isEmpty());
  }

  void saveFile() {
    DbHarness d;
    FrmDatabase* f = d.open();
    d.table({"% Comment", "A"});
    const QString path = d.file("Tank_in.csv");
    // cancelled: nothing written, nothing named
    d.click("cmdSaveFile");
    QCOMPARE(d.h.dialog.calls.last().section('|', 2), QString("New Database_in.csv|*_in.csv|csv"));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(d.z().dbfile, std::string("New Database_in.csv"));

    d.h.dialog.answers << path;
    d.click("cmdSaveFile");
    QVERIFY(ReadBytes(path).startsWith("% Comment;\r\nProject;A;"));
    QCOMPARE(toQ(d.z().dbfile), path);
    QCOMPARE(f->windowTitle(), "Database Filename: " + path);

    // a failed write says so and keeps the name of the file the table is in
    const QString nowhere = d.file("gone/Tank_in.csv");
    d.h.dialog.answers << nowhere;
    d.click("cmdSaveFile");
    QCOMPARE(d.msg.texts, QStringList{CantSave(nowhere, ENOENT)});
    QCOMPARE(toQ(d.z().dbfile), path);
  }

  void saveResult() {
    DbHarness d;
    d.open();
    d.table({"% Comment", "A", "B"});
    const QString input = d.file("Tank_in.csv");
    d.h.dialog.answers << input;
    d.click("cmdSaveFile");
    const QByteArray saved = ReadBytes(input);
    d.z().filename = "project.vtr";
    d.click("cmdSaveResult");
    const QByteArray result = ReadBytes(input + "_out.csv");
    QCOMPARE(result.count("\r\n"), 4);
    QVERIFY(result.contains("\r\n% Comment\r\nProject;A;LRFD;"));
    QCOMPARE(ReadBytes(input), saved);
    QCOMPARE(d.z().filename, std::string("project.vtr"));
    QVERIFY(d.h.dialog.calls.size() == 1);
    QVERIFY(d.msg.texts.isEmpty());

    d.z().dbfile = fromQ(d.file("gone/Tank_in.csv"));
    d.click("cmdSaveResult");
    QCOMPARE(d.msg.texts, QStringList{CantSave(d.file("gone/Tank_in.csv_out.csv"), ENOENT)});
  }

  // Rows whose calculation stops are named in one message after the file.
  void saveResultStoppedRows() {
    DbHarness d;
    d.open();
    d.z().t = 0;
    d.table({"% Comment", "A", "B"});
    d.z().dbfile = fromQ(d.file("T_in.csv"));
    d.click("cmdSaveResult");
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY(d.msg.last().contains("2 rows stopped"));
    QVERIFY(ReadBytes(d.file("T_in.csv_out.csv")).contains(kDbStoppedText));
    d.table({"A"});
    d.z().dbfile = fromQ(d.file("One_in.csv"));
    d.click("cmdSaveResult");
    QVERIFY2(d.msg.last().contains("1 row stopped"), qPrintable(d.msg.last()));
  }

  void addToDatabase() {
    DbHarness d;
    FrmDatabase* f = d.open();
    auto* add = d.h.get<QPushButton>("cmdDatabase");
    // without a table the case starts one, with the window's comment
    Child<QLineEdit>(f, "txtComment")->setText("Deck");
    d.z().ident = "first";
    add->click();
    QCOMPARE(DbListTexts(d.z()), (std::vector<std::string>{"% Deck", "first", "End"}));
    QCOMPARE(d.h.w->windowTitle(), QString("Database Filename: New Database_in.csv"));
    // the database window names and shows the new table at once
    QCOMPARE(f->windowTitle(), QString("Database Filename: New Database_in.csv"));
    QCOMPARE(d.lines(), (QStringList{"% Deck", "first", "End"}));

    d.table({"% Comment", "A", "B"});
    const auto before = d.z().dbtab;
    d.z().ident = "C";
    add->click();
    QCOMPARE(*d.z().dbrows, 4);
    QCOMPARE(DbListTexts(d.z()), (std::vector<std::string>{"% Comment", "A", "B", "C", "End"}));
    QVERIFY(std::equal(before.begin(), before.begin() + 3, d.z().dbtab.begin()));
    // the list shows it at the window's next activation
    QCOMPARE(d.lines().size(), 4);
    f->Form_Activate();
    QCOMPARE(d.lines().size(), 5);

    // a text that would break the file is refused in the main window
    d.z().ident = "C;D";
    d.msg.clear();
    add->click();
    QCOMPARE(d.msg.texts.size(), 1);
    QCOMPARE(*d.z().dbrows, 4);
  }

  // The program without a window of the database open: the button works,
  // its refusal is a box of the main window.
  void addRefusedInMainWindow() {
    DbHarness d(true);
    d.table({"A"});
    d.z().ident = "x;y";
    BoxAnswerer user;
    d.h.get<QPushButton>("cmdDatabase")->click();
    QCOMPARE(user.texts.size(), 1);
    QVERIFY2(user.texts[0].contains("identification"), qPrintable(user.texts[0]));
    QCOMPARE(user.owners, QStringList{"veltrane"});
    QCOMPARE(*d.z().dbrows, 1);
  }
};

QTEST_MAIN(TestDbWindow)
#include "test_dbwindow.moc"
