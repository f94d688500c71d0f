// The case database window through the real main window: new table, comment
// rows, moving and removing rows with their messages and beeps, opening and
// saving database files, the result file and "Add  to Database".
#include <QFile>
#include <fstream>

#include "tests/database/dbtestsupport.h"

using namespace zod;
using namespace zod::test;

class TestDbWindow : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  // Without a table the list is empty and the buttons that need one say so;
  // "Add  to Database" starts one with the window's comment. "New Database
  // File" gives three lines and the window's caption at its next activation.
  // A comment row is refused on the closing row and goes above the selected
  // one. An added case goes before the closing row, listed at the next
  // activation.
  void newTableCommentsAndAdd() {
    DbHarness d;
    FrmDatabase* f = d.open();
    QVERIFY(d.lines().isEmpty());
    for (const char* b : {"cmdSaveFile", "cmdSaveResult", "cmdAddComment", "cmdX"}) d.click(b);
    QCOMPARE(d.msg.texts, QStringList(4, " There is no database yet. Create or open one first "));
    QVERIFY(d.h.dialog.calls.isEmpty() && !d.z().dbrows);
    auto* add = d.h.get<QPushButton>("cmdDatabase");
    d.comment()->setText("Deck");
    add->click();
    QCOMPARE(DbListTexts(d.z()), (std::vector<std::string>{"% Deck", "Test", "End"}));
    d.comment()->setText("Comment");
    d.click("cmdNewDatabase");
    QCOMPARE(d.lines(), (QStringList{"% Comment", "Test", "End"}));
    d.h.w->activateWindow();
    WaitActive(d.h.w.get());
    f->activateWindow();
    WaitActive(f);
    QCOMPARE(f->windowTitle(), QString("Database Filename: New Database_in.csv"));
    d.msg.clear();
    d.select(2);
    d.click("cmdAddComment");
    QCOMPARE(d.msg.texts, (QStringList{" Comment cant be added at last row ", "<beep>"}));
    d.select(1);
    d.comment()->setText("Wall A");
    d.click("cmdAddComment");
    QCOMPARE(d.lines(), (QStringList{"% Comment", "% Wall A", "Test", "End"}));
    QCOMPARE(f->selectedLine(), 1);
    add->click();
    QCOMPARE(d.lines().size(), 4);
    f->Form_Activate();
    QCOMPARE(d.lines(), (QStringList{"% Comment", "% Wall A", "Test", "Test", "End"}));
  }

  // Each case: rows, selected line (-1 none), button; then the messages and
  // beeps in order, the list afterwards and the line then selected.
  void moveAndRemove() {
    const QStringList rows{"% Comment", "A", "% c", "B"};
    const QString same = "% Comment,A,% c,B,End|";
    const std::tuple<QStringList, int, const char*, QString> cases[] = {
        {rows, 0, "Cmd_pilupp", " First row can't be moved |" + same + "0"},
        {rows, 3, "Cmd_pilupp", "|% Comment,A,B,% c,End|2"},
        {rows, 3, "Cmd_pilner", " Last row can't be moved |" + same + "3"},
        {rows, -1, "Cmd_pilner", "|" + same + "-1"},
        {rows, 1, "Cmd_pilner", "|% Comment,% c,A,B,End|2"},
        {rows, 4, "cmdX", " Last row can't be removed ,<beep>|" + same + "3"},
        {{"% Comment", "A", "B", "% c"}, 3, "cmdX", "|% Comment,A,B,End|2"},
        {rows, -1, "cmdX", "|A,% c,B,End|-1"},
        {{"% Comment", "A"}, 1, "cmdX", "<beep>, Only one row. Row can't be removed |% Comment,A,End|1"}};
    DbHarness d;
    FrmDatabase* f = d.open();
    for (const auto& [table, line, button, outcome] : cases) {
      d.table(table);
      d.select(line);
      d.msg.clear();
      d.click(button);
      QCOMPARE(d.msg.texts.join(',') + '|' + d.lines().join(',') + '|' + QString::number(f->selectedLine()),
               outcome);
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
  // box, the first data row becomes the case, as does a data row chosen
  // later. Cancelled and failed opens leave the table, its file and the case;
  // a file of comments only loads no row.
  void openFile() {
    DbHarness d;
    d.open();
    d.z().cylr = 2500;
    d.table({"%  Tank farm ", "% second", "Tank 7", "Tank 8"});
    const QString path = d.file("Tank_in.csv"), bad = d.file("bad_in.csv");
    WriteDbFile(d.z(), fromQ(path));
    d.table({"other"});
    d.z().cylr = 1000;
    d.h.dialog.answers << path;
    d.click("cmdOpenDatabase");
    const QStringList tank{"%  Tank farm ", "% second", "Tank 7", "Tank 8", "End"};
    QCOMPARE(d.lines(), tank);
    QCOMPARE(d.comment()->text(), QString("Tank farm"));
    QCOMPARE(d.h.box("iident")->text() + d.h.box("icylr")->text(), QString("Tank 72500"));
    d.select(3);
    QCOMPARE(d.h.box("iident")->text(), QString("Tank 8"));

    std::ofstream(fromQ(bad), std::ios::binary) << "Project;Tank;0\r\nEnd;\r\n";
    d.h.dialog.answers << QString() << d.file("missing_in.csv") << bad;
    for (int i = 0; i < 3; ++i) d.click("cmdOpenDatabase");
    QCOMPARE(d.msg.texts,
             (QStringList{"can't find file - " + d.file("missing_in.csv"), "Error in Database File"}));
    QCOMPARE(d.lines(), tank);
    QCOMPARE(toQ(d.z().dbfile) + toQ(d.z().ident), path + "Tank 8");

    std::ofstream(fromQ(path), std::ios::binary) << "% only notes;\r\nEnd;\r\n";
    d.h.dialog.answers << path;
    d.click("cmdOpenDatabase");
    QCOMPARE(d.lines(), (QStringList{"% only notes", "End"}));
    QCOMPARE(d.z().ident, std::string("Tank 8"));
  }

  // Saving names the table's file; a cancel or a failed write does not. The
  // result file goes beside the table's file and leaves it as it was.
  void saveFileAndResult() {
    DbHarness d;
    d.open();
    d.table({"% Comment", "A", "B"});
    const QString path = d.file("Tank_in.csv"), nowhere = d.file("gone/Tank_in.csv");
    d.h.dialog.answers << path;
    d.click("cmdSaveFile");
    QCOMPARE(d.h.dialog.calls.last().section('|', 2), QString("New Database_in.csv|*_in.csv|csv"));
    const QByteArray saved = ReadBytes(path);
    QVERIFY(saved.startsWith("% Comment;\r\nProject;A;"));
    d.click("cmdSaveResult");
    QVERIFY(ReadBytes(path + "_out.csv").contains("\r\n% Comment\r\nProject;A;LRFD;"));
    QCOMPARE(ReadBytes(path), saved);
    d.h.dialog.answers << nowhere;
    d.click("cmdSaveFile");
    QCOMPARE(toQ(d.z().dbfile), path);
    d.z().dbfile = fromQ(nowhere);
    d.click("cmdSaveResult");
    QCOMPARE(d.msg.texts,
             (QStringList{"can't save file - " + nowhere, "can't save file - " + nowhere + "_out.csv"}));
  }
};

QTEST_MAIN(TestDbWindow)
#include "test_dbwindow.moc"
