// The case database window through the real main window: new table, comment
// rows, moving and removing rows with their messages and beeps, opening and
// saving database files, the result file and "Add  to Database".
#include <QFile>

#include "tests/database/dbtestsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& content) {
  QFile out(path);
  QVERIFY(out.open(QIODevice::WriteOnly));
  out.write(content);
}

using Texts = std::vector<std::string>;

}  // namespace

class TestDbWindow : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  // The window opens once, with an empty list while no table exists; the
  // buttons that need a table say so and write nothing.
  void opensFromTheMenuWithoutTable() {
    DbHarness d;
    QVERIFY(d.h.get<QPushButton>("cmdDatabase")->isEnabled());
    FrmDatabase* f = d.open();
    QCOMPARE(f->parentWidget(), d.h.w.get());
    QVERIFY(!f->isModal());
    QCOMPARE(d.lines(), QStringList());
    QCOMPARE(f->windowTitle(), QString("Database Filename: "));
    QStringList tips;
    for (const char* b : {"cmdX", "Cmd_pilupp", "Cmd_pilner"}) tips << Child<QPushButton>(f, b)->toolTip();
    QCOMPARE(tips, (QStringList{" Remove Profile ", " Move Profile Up ", " Move Profile Down "}));
    QCOMPARE(d.comment()->text(), QString("Comment"));
    d.h.menus().mnuDb->trigger();
    QCOMPARE(d.h.w->findChildren<FrmDatabase*>().size(), 1);
    for (const char* b : {"cmdSaveFile", "cmdSaveResult", "cmdAddComment", "Cmd_pilupp", "cmdX"}) {
      d.msg.clear();
      d.click(b);
      QCOMPARE(d.msg.texts, QStringList{" There is no database yet. Create or open one first "});
    }
    QVERIFY(d.h.dialog.calls.isEmpty());
    QVERIFY(!d.z().dbrows);
  }

  void newDatabaseFile() {
    DbHarness d;
    FrmDatabase* f = d.open();
    d.comment()->setText("a;b");  // a comment the file could not hold starts no table
    d.click("cmdNewDatabase");
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY(!d.z().dbrows);
    d.comment()->setText("Comment");
    d.click("cmdNewDatabase");
    QCOMPARE(d.lines(), (QStringList{"% Comment", "Test", "End"}));
    QCOMPARE(d.h.w->windowTitle(), QString("Database Filename: New Database_in.csv"));
    // the window's own caption follows at its next activation
    d.h.w->activateWindow();
    WaitActive(d.h.w.get());
    f->activateWindow();
    WaitActive(f);
    QCOMPARE(f->windowTitle(), QString("Database Filename: New Database_in.csv"));
    QCOMPARE(f->selectedLine(), 0);
  }

  void addCommentRow() {
    DbHarness d;
    FrmDatabase* f = d.open();
    d.table({"% Comment", "A", "B"});
    d.select(3);
    d.msg.clear();
    d.click("cmdAddComment");
    QCOMPARE(d.msg.texts, (QStringList{" Comment cant be added at last row ", "<beep>"}));
    d.select(1);
    d.comment()->setText("Wall A");
    d.click("cmdAddComment");
    QCOMPARE(d.lines(), (QStringList{"% Comment", "% Wall A", "A", "B", "End"}));
    QCOMPARE(f->selectedLine(), 1);
    QCOMPARE(d.comment()->text(), QString("Wall A"));
    // a ";" would split the row in the file; no selection inserts at the top
    d.select(-1);
    d.comment()->setText("north; south");
    d.msg.clear();
    d.click("cmdAddComment");
    QCOMPARE(d.msg.texts.size(), 1);
    d.comment()->setText("top");
    d.select(-1);
    d.click("cmdAddComment");
    QCOMPARE(d.lines().first(), QString("% top"));
    QCOMPARE(d.lines().size(), 6);
  }

  // Each case: rows, selected line (-1 none), button; the messages and beeps
  // in order, the list afterwards and the line then selected.
  void moveAndRemove_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("selected");
    const QStringList rows{"% Comment", "A", "% c", "B"}, end = rows + QStringList{"End"};
    const QString last = " Last row can't be moved ", first = " First row can't be moved ";
    const auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("up first") << rows << 0 << "Cmd_pilupp" << QStringList{first} << end << 0;
    row("up none") << rows << -1 << "Cmd_pilupp" << QStringList{first} << end << -1;
    row("up End") << rows << 4 << "Cmd_pilupp" << QStringList{last, "<beep>"} << end << 4;
    row("up") << rows << 3 << "Cmd_pilupp" << QStringList{}
              << QStringList{"% Comment", "A", "B", "% c", "End"} << 2;
    row("down above End") << rows << 3 << "Cmd_pilner" << QStringList{last} << end << 3;
    row("down End") << rows << 4 << "Cmd_pilner" << QStringList{last, "<beep>"} << end << 4;
    row("down none") << rows << -1 << "Cmd_pilner" << QStringList{} << end << -1;
    row("down") << rows << 1 << "Cmd_pilner" << QStringList{}
                << QStringList{"% Comment", "% c", "A", "B", "End"} << 2;
    row("remove End") << rows << 4 << "cmdX" << QStringList{" Last row can't be removed ", "<beep>"} << end
                      << 3;
    row("remove comment at 2") << rows << 2 << "cmdX" << QStringList{}
                               << QStringList{"% Comment", "A", "B", "End"} << 1;
    row("remove row 1") << rows << 1 << "cmdX" << QStringList{} << QStringList{"% Comment", "% c", "B", "End"}
                        << 1;
    row("remove comment at 3") << QStringList{"% Comment", "A", "B", "% c"} << 3 << "cmdX" << QStringList{}
                               << QStringList{"% Comment", "A", "B", "End"} << 2;
    row("remove none") << rows << -1 << "cmdX" << QStringList{} << QStringList{"A", "% c", "B", "End"} << -1;
    row("only data row") << QStringList{"% Comment", "A"} << 1 << "cmdX"
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
    d.msg.clear();
    d.click(qPrintable(button));
    QTEST(d.msg.texts, "log");
    QTEST(d.lines(), "after");
    QTEST(f->selectedLine(), "selected");
    QCOMPARE(*d.z().dbrows, d.lines().size() - 1);
  }

  // A box of the window gives the activation back when it closes; that is
  // no new activation: the list keeps its line and row 0 is not loaded.
  void ownBoxIsNoActivation() {
    DbHarness d(true);
    FrmDatabase* f = d.open();
    d.table({"A", "B"});
    d.select(1);
    BoxAnswerer boxes;
    d.click("Cmd_pilner");
    QCOMPARE(boxes.texts, QStringList{" Last row can't be moved "});
    WaitActive(f);
    QTest::qWait(50);
    QCOMPARE(f->selectedLine(), 1);
    QCOMPARE(d.z().ident, std::string("B"));
  }

  // A file whose first rows are comments: the first shows in the comment
  // box, the first data row becomes the case; so does a data row chosen
  // later, while the closing row changes nothing.
  void openFile() {
    DbHarness d;
    FrmDatabase* f = d.open();
    d.z().cylr = 2500;
    d.table({"%  Tank farm ", "% second", "Tank 7", "Tank 8"});
    const QString path = d.file("Tank_in.csv");
    WriteDbFile(d.z(), fromQ(path));
    d.table({"other"});
    d.z().cylr = 1000;
    d.h.dialog.answers << path;
    d.click("cmdOpenDatabase");
    QCOMPARE(d.h.dialog.calls.last().section('|', 2), QString("*_in.csv|"));
    QCOMPARE(d.lines(), (QStringList{"%  Tank farm ", "% second", "Tank 7", "Tank 8", "End"}));
    QCOMPARE(d.comment()->text(), QString("Tank farm"));
    QCOMPARE(d.h.box("iident")->text() + d.h.box("icylr")->text(), QString("Tank 72500"));
    QCOMPARE(f->windowTitle(), "Database Filename: " + path);
    QCOMPARE(d.h.w->windowTitle(), "Database Filename: " + path);
    QCOMPARE(toQ(d.z().lastdir), d.files.path());
    d.z().cylr = 1000;
    d.select(3);
    QCOMPARE(d.h.box("iident")->text() + d.h.box("icylr")->text(), QString("Tank 82500"));
    d.comment()->clear();
    d.select(4);
    QCOMPARE(d.comment()->text(), QString());
    // a file of comments only loads no row
    Put(path, "% only notes;\r\nEnd;\r\n");
    d.z().ident = "mine";
    d.h.dialog.answers << path;
    d.click("cmdOpenDatabase");
    QCOMPARE(d.lines(), (QStringList{"% only notes", "End"}));
    QCOMPARE(d.z().ident, std::string("mine"));
    QVERIFY(d.msg.texts.isEmpty());
  }

  // Failed and cancelled opens leave the table, its file name and the case.
  void openFailures_data() {
    QTest::addColumn<QString>("content");  // null: no such file
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancel") << QString() << QStringList{} << true;
    QTest::newRow("missing") << QString() << QStringList{"can't find file - %1"} << false;
    QTest::newRow("damaged") << "Project;Tank;0\r\nEnd;\r\n"
                             << QStringList{"Error in Database File"} << false;
  }
  void openFailures() {
    QFETCH(QString, content);
    QFETCH(bool, cancel);
    QFETCH(QStringList, messages);
    DbHarness d;
    d.open();
    d.table({"% Comment", "A"});
    const QString path = d.file("bad_in.csv");
    if (!content.isNull()) Put(path, content.toLatin1());
    const auto before = d.z().dbtab;
    d.h.dialog.answers << (cancel ? QString() : path);
    d.msg.clear();
    d.click("cmdOpenDatabase");
    QCOMPARE(d.msg.texts, messages.replaceInStrings("%1", path));
    QVERIFY(d.z().dbtab == before);
    QCOMPARE(d.z().dbfile, std::string("New Database_in.csv"));
    QCOMPARE(d.lines(), (QStringList{"% Comment", "A", "End"}));
  }

  // Saving names the table's file; a cancel or a failed write does not. The
  // result file goes beside the table's file and leaves it and the case's.
  void saveFileAndResult() {
    DbHarness d;
    FrmDatabase* f = d.open();
    d.table({"% Comment", "A", "B"});
    const QString path = d.file("Tank_in.csv");
    d.click("cmdSaveFile");
    QCOMPARE(d.h.dialog.calls.last().section('|', 2), QString("New Database_in.csv|*_in.csv|csv"));
    QCOMPARE(d.z().dbfile, std::string("New Database_in.csv"));
    d.h.dialog.answers << path;
    d.click("cmdSaveFile");
    const QByteArray saved = Contents(path);
    QVERIFY(saved.startsWith("% Comment;\r\nProject;A;"));
    QCOMPARE(f->windowTitle(), "Database Filename: " + path);

    d.z().filename = "project.vtr";
    d.click("cmdSaveResult");
    const QByteArray result = Contents(path + "_out.csv");
    QCOMPARE(result.count("\r\n"), 4);
    QVERIFY(result.contains("\r\n% Comment\r\nProject;A;LRFD;"));
    QCOMPARE(Contents(path), saved);
    QCOMPARE(d.z().filename, std::string("project.vtr"));
    QVERIFY(d.msg.texts.isEmpty());

    const QString nowhere = d.file("gone/Tank_in.csv");
    d.h.dialog.answers << nowhere;
    d.click("cmdSaveFile");
    QCOMPARE(toQ(d.z().dbfile), path);
    d.z().dbfile = fromQ(nowhere);
    d.click("cmdSaveResult");
    QCOMPARE(d.msg.texts,
             (QStringList{"can't save file - " + nowhere, "can't save file - " + nowhere + "_out.csv"}));
    QCOMPARE(d.h.dialog.calls.size(), 3);

    // rows whose calculation stops are named in one message after the file
    d.msg.clear();
    d.z().t = 0;
    d.table({"% Comment", "A", "B"});
    d.z().dbfile = fromQ(path);
    d.click("cmdSaveResult");
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY(d.msg.last().contains("2 rows stopped"));
    QVERIFY(Contents(path + "_out.csv").contains(kDbStoppedText));
  }

  void addToDatabase() {
    DbHarness d;
    FrmDatabase* f = d.open();
    auto* add = d.h.get<QPushButton>("cmdDatabase");
    // without a table the case starts one, with the window's comment
    d.comment()->setText("Deck");
    d.z().ident = "first";
    add->click();
    QCOMPARE(DbListTexts(d.z()), (Texts{"% Deck", "first", "End"}));
    QCOMPARE(d.h.w->windowTitle(), QString("Database Filename: New Database_in.csv"));

    d.table({"% Comment", "A", "B"});
    const auto before = d.z().dbtab;
    d.z().ident = "C";
    add->click();
    QCOMPARE(DbListTexts(d.z()), (Texts{"% Comment", "A", "B", "C", "End"}));
    QVERIFY(std::equal(before.begin(), before.begin() + 3, d.z().dbtab.begin()));
    // the list shows it at the window's next activation
    QCOMPARE(d.lines().size(), 4);
    f->Form_Activate();
    QCOMPARE(d.lines().size(), 5);
  }

  // The program without a window of the database open: a text that would
  // break the file is refused in a box of the main window.
  void addRefusedInMainWindow() {
    DbHarness d(true);
    d.table({"A"});
    d.z().ident = "x;y";
    BoxAnswerer boxes;
    d.h.get<QPushButton>("cmdDatabase")->click();
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY(boxes.texts[0].contains("identification"));
    QCOMPARE(*d.z().dbrows, 1);
  }
};

QTEST_MAIN(TestDbWindow)
#include "test_dbwindow.moc"
