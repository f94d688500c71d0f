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
    FrmDatabase* f = d.open();
    QVERIFY(f->parentWidget() == d.h.w.get() && !f->isModal());
    QCOMPARE(d.lines(), QStringList());
    d.h.menus().mnuDb->trigger();
    QCOMPARE(d.h.w->findChildren<FrmDatabase*>().size(), 1);
    for (const char* b : {"cmdSaveFile", "cmdSaveResult", "cmdAddComment", "cmdX"}) {
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
  }

  // Each case: rows, selected line (-1 none), button; then the messages and
  // beeps in order, the list afterwards and the line then selected.
  void moveAndRemove() {
    const QStringList rows{"% Comment", "A", "% c", "B"};
    const QString same = "% Comment,A,% c,B,End|";
    const struct {
      QStringList rows;
      int line;
      const char* button;
      QString outcome;
    } cases[] = {
        {rows, 0, "Cmd_pilupp", " First row can't be moved |" + same + "0"},
        {rows, 4, "Cmd_pilupp", " Last row can't be moved ,<beep>|" + same + "4"},
        {rows, 3, "Cmd_pilupp", "|% Comment,A,B,% c,End|2"},
        {rows, 3, "Cmd_pilner", " Last row can't be moved |" + same + "3"},
        {rows, -1, "Cmd_pilner", "|" + same + "-1"},
        {rows, 1, "Cmd_pilner", "|% Comment,% c,A,B,End|2"},
        {rows, 4, "cmdX", " Last row can't be removed ,<beep>|" + same + "3"},
        {rows, 1, "cmdX", "|% Comment,% c,B,End|1"},
        {{"% Comment", "A", "B", "% c"}, 3, "cmdX", "|% Comment,A,B,End|2"},
        {rows, -1, "cmdX", "|A,% c,B,End|-1"},
        {{"% Comment", "A"}, 1, "cmdX", "<beep>, Only one row. Row can't be removed |% Comment,A,End|1"}};
    DbHarness d;
    FrmDatabase* f = d.open();
    for (const auto& c : cases) {
      d.table(c.rows);
      d.select(c.line);
      d.msg.clear();
      d.click(c.button);
      QCOMPARE(d.msg.texts.join(',') + '|' + d.lines().join(',') + '|' + QString::number(f->selectedLine()),
               c.outcome);
      QCOMPARE(*d.z().dbrows, d.lines().size() - 1);
    }
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
    QCOMPARE(d.lines(), (QStringList{"%  Tank farm ", "% second", "Tank 7", "Tank 8", "End"}));
    QCOMPARE(d.comment()->text(), QString("Tank farm"));
    QCOMPARE(d.h.box("iident")->text() + d.h.box("icylr")->text(), QString("Tank 72500"));
    QCOMPARE(f->windowTitle(), "Database Filename: " + path);
    d.z().cylr = 1000;
    d.select(3);
    QCOMPARE(d.h.box("iident")->text() + d.h.box("icylr")->text(), QString("Tank 82500"));
    // a file of comments only loads no row
    Put(path, "% only notes;\r\nEnd;\r\n");
    d.z().ident = "mine";
    d.h.dialog.answers << path;
    d.click("cmdOpenDatabase");
    QCOMPARE(d.lines(), (QStringList{"% only notes", "End"}));
    QCOMPARE(d.z().ident, std::string("mine"));
  }

  // Failed and cancelled opens leave the table, its file name and the case.
  void openFailures() {
    DbHarness d;
    d.open();
    const QString path = d.file("bad_in.csv");
    const struct {
      QString answer;
      QByteArray content;  // null: no such file
      QStringList messages;
    } cases[] = {{QString(), {}, {}},
                 {path, {}, {"can't find file - " + path}},
                 {path, "Project;Tank;0\r\nEnd;\r\n", {"Error in Database File"}}};
    for (const auto& c : cases) {
      d.table({"% Comment", "A"});
      if (!c.content.isNull()) Put(path, c.content);
      const auto before = d.z().dbtab;
      d.h.dialog.answers << c.answer;
      d.msg.clear();
      d.click("cmdOpenDatabase");
      QCOMPARE(d.msg.texts, c.messages);
      QVERIFY(d.z().dbtab == before);
      QCOMPARE(d.z().dbfile, std::string("New Database_in.csv"));
      QCOMPARE(d.lines(), (QStringList{"% Comment", "A", "End"}));
    }
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
    d.click("cmdSaveResult");
    QVERIFY(Contents(path + "_out.csv").contains("\r\n% Comment\r\nProject;A;LRFD;"));
    QCOMPARE(Contents(path), saved);
    QVERIFY(d.msg.texts.isEmpty());

    const QString nowhere = d.file("gone/Tank_in.csv");
    d.h.dialog.answers << nowhere;
    d.click("cmdSaveFile");
    QCOMPARE(toQ(d.z().dbfile), path);
    d.z().dbfile = fromQ(nowhere);
    d.click("cmdSaveResult");
    QCOMPARE(d.msg.texts,
             (QStringList{"can't save file - " + nowhere, "can't save file - " + nowhere + "_out.csv"}));
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
};

QTEST_MAIN(TestDbWindow)
#include "test_dbwindow.moc"
