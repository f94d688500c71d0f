// The database window beside the main window: coming back to it keeps the
// case the user is editing and the row the user chose, a click on the chosen
// row loads it again, only the real closing row is kept from removal, and
// the result file and the file dialogs of a table never saved go where the
// user may write, named whole in any message.
#include <QDir>
#include <QFile>

#include "engine/format.h"
#include "engine/tables.h"
#include "mainwindow/core/projectfile.h"
#include "tests/database/dbtestsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

void ClickLine(QListWidget* list, int line) {
  const QRect r = list->visualItemRect(list->item(line));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

}  // namespace

class TestDbWindowReturn : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  void returningKeepsTheEditedCase() {
    DbHarness d;
    d.z().cylr = 2500;
    d.table({"A", "B"});
    // opening the window loads row 0
    FrmDatabase* f = d.open();
    QCOMPARE(d.h.box("iident")->text(), QString("A"));
    QCOMPARE(f->selectedLine(), 0);

    // the user edits the case in the main window, then comes back
    d.h.w->activateWindow();
    WaitActive(d.h.w.get());
    d.h.type("iident", "EDITED");
    d.h.type("icylr", "1234");
    QCOMPARE(d.z().ident, std::string("EDITED"));
    // meanwhile the main window adds its case to the table
    d.h.get<QPushButton>("cmdDatabase")->click();
    f->activateWindow();
    WaitActive(f);
    QTest::qWait(20);
    QCOMPARE(d.z().ident, std::string("EDITED"));
    QCOMPARE(d.z().cylr, 1234.0f);
    QCOMPARE(d.h.box("iident")->text(), QString("EDITED"));
    QCOMPARE(d.h.box("icylr")->text(), QString("1234"));
    // the list follows the table and keeps the user's line
    QCOMPARE(d.lines(), (QStringList{"A", "B", "EDITED", "End"}));
    QCOMPARE(f->selectedLine(), 0);

    // a click on the line already chosen brings its row back
    d.h.w->activateWindow();
    WaitActive(d.h.w.get());
    d.h.type("icylr", "777");
    f->activateWindow();
    WaitActive(f);
    ClickLine(d.list(), 0);
    QCOMPARE(d.z().ident, std::string("A"));
    QCOMPARE(d.h.box("icylr")->text(), QString("2500"));
    // and a click on another line loads that one
    ClickLine(d.list(), 1);
    QCOMPARE(f->selectedLine(), 1);
    QCOMPARE(d.h.box("iident")->text(), QString("B"));
    QVERIFY(d.msg.texts.isEmpty());

    // closed and opened again, the window loads row 0 as at its first opening
    d.click("cmdClose");
    Destroy();
    QVERIFY(!d.f());
    d.h.type("iident", "EDITED AGAIN");
    d.open();
    QCOMPARE(d.h.box("iident")->text(), QString("A"));
  }

  // The chosen row stays chosen wherever "Add  to Database" has moved it:
  // with the closing line chosen, the next Remove is refused, and the case
  // just added stays.
  void theChosenRowFollowsAnAddedRow() {
    DbHarness d;
    d.table({"A", "B"});
    FrmDatabase* f = d.open();
    d.select(2);
    d.h.w->activateWindow();
    WaitActive(d.h.w.get());
    d.h.type("iident", "C");
    d.h.get<QPushButton>("cmdDatabase")->click();
    f->activateWindow();
    WaitActive(f);
    QCOMPARE(d.lines(), (QStringList{"A", "B", "C", "End"}));
    QCOMPARE(f->selectedLine(), 3);
    d.click("cmdX");
    QCOMPARE(d.msg.texts, (QStringList{" Last row can't be removed ", "<beep>"}));
    QCOMPARE(d.lines(), (QStringList{"A", "B", "C", "End"}));
    QCOMPARE(d.z().ident, std::string("C"));
  }

  // The box the user was in belongs to the case on screen until another
  // case is put in place: that case then stays exactly as it was read (its
  // ring checks too, whatever type the window showed before), with its one
  // calculation, whether the box is hidden by it or not, and what was typed
  // into the box and never committed is not carried over. One box is
  // entered for the user, the box the cursor stood in when the case shows
  // it, else the radius box: the keys typed next replace its value and are
  // committed on leaving, also where the window system never activates the
  // main window again (no window manager) and the keys reach it all the
  // same. A box that lets the cursor go untouched commits nothing.
  void aCasePutInPlaceTakesNothingFromTheBoxUnderEdit_data() {
    QTest::addColumn<QString>("route");    // how the case is put in place
    QTest::addColumn<QString>("box");      // where the cursor stands
    QTest::addColumn<int>("cylinder");     // the type of the case put in place
    QTest::addColumn<float>("radius");     // its radius
    QTest::addColumn<QString>("then");     // saved at once, after leaving the box, or after typing in it
    QTest::addColumn<bool>("activated");   // the main window is activated again afterwards
    QTest::addColumn<QString>("entered");  // the box entered for the user
    QTest::addColumn<int>("messages");     // what the calculation of the case says
    auto row = [](const char* name, const char* route, const char* box, int cylinder, const char* then,
                  bool activated, const char* entered, float radius = 1000.4f) {
      QTest::newRow(name) << QString(route) << QString(box) << cylinder << radius << QString(then)
                          << activated << QString(entered) << (cylinder == 3 ? 1 : 0);
    };
    row("open, s hidden by a ring-stiffened case", "open", "is1", 1, "save", true, "icylr");
    row("open, lt hidden by a column case", "open", "ilt", 3, "leave", true, "icylr");
    row("open, L hidden by a column case", "open", "icyll", 3, "type", true, "icylr");
    row("open, r stays", "open", "icylr", 1, "leave", true, "icylr");
    row("recent file, Sigx hidden", "recent", "isigx", 3, "save", true, "icylr");
    row("row, s hidden by a ring-stiffened case", "row", "is1", 1, "leave", true, "icylr");
    row("row, L hidden by a column case", "row", "icyll", 3, "save", true, "icylr");
    row("row, r stays", "row", "icylr", 3, "type", true, "icylr");
    // the window active all along, or never activated again
    row("new, column length hidden", "new", "icolL", 2, "type", true, "icylr");
    row("new, r stays, not activated", "new", "icylr", 2, "type", false, "icylr");
    row("recent file, L hidden, stops", "recent", "icyll", 3, "type", true, "icylr");
    row("recent file, s stays, not activated", "recent", "is1", 2, "type", false, "is1");
    row("open, r stays, not activated", "open", "icylr", 1, "type", false, "icylr");
    row("open, s stays, not activated", "open", "is1", 2, "leave", false, "is1");
    row("row, s stays, not activated", "row", "is1", 2, "type", false, "is1");
    row("row, Sigx hidden, not activated", "row", "isigx", 3, "type", false, "icylr");
    // a ring frame higher than the radius sends the cursor to r from s; the
    // tripping length is corrected, and the ring check stops
    QTest::newRow("row, ring frame higher than r") << "row"
                                                   << "is1" << 2 << 20.4f << "leave" << true << "icylr" << 3;
  }
  void aCasePutInPlaceTakesNothingFromTheBoxUnderEdit() {
    QFETCH(QString, route);
    QFETCH(QString, box);
    QFETCH(int, cylinder);
    QFETCH(float, radius);
    QFETCH(QString, then);
    QFETCH(bool, activated);
    QFETCH(QString, entered);
    QFETCH(int, messages);
    DbHarness d;
    // the case put in place: values that its boxes show rounded, ring checks
    // that a type without ring frames would clear, and for the column a
    // calculation that stops
    State want;
    SetDefaults(want);
    if (route != "new") {
      d.z().cylr = radius, d.z().s = 600.4f, d.z().lt = 700.4f, d.z().cyll = 6000.4f, d.z().sigx = 12.34f;
      d.z().cylinder = static_cast<int16>(cylinder);
      d.z().ringch = d.z().hringch = 1;
      if (cylinder == 3) d.z().t = 0;
      want.designCase() = d.z().designCase();
    }
    const DesignCase placed = d.z().designCase();
    const QString file = d.file("placed.vtr");
    QVERIFY(WriteProjectFile(d.z(), fromQ(file)).warning.empty());
    d.table({"% c", "placed"}, cylinder);
    FrmDatabase* f = d.open();

    // the main window shows another case, with the cursor in the box and a
    // value typed there
    d.h.dialog.answers << d.file("other.vtr");
    d.h.menus().mnusaveas->trigger();  // the recent-file list gets an entry to replace
    d.h.dialog.answers << file;
    d.h.menus().mnuopen->trigger();
    d.z().designCase() = placed;
    d.z().cylinder = route == "new" ? 3 : 2, d.z().t = 20, d.z().cylr = 2000, d.z().ident = "on screen";
    d.z().ringch = d.z().hringch = 0;
    d.h.w->RefreshForm();
    d.h.w->calculate();
    d.h.w->activateWindow();
    WaitActive(d.h.w.get());
    d.h.typeInto(box, "777");

    // The command is chosen in another window (the database window, or the
    // file dialog that the stand-in takes the place of), or in the main
    // window's own menu. Not activated, the main window gets the keys from
    // the window system all the same, as a display without a window manager
    // gives them to the window under the pointer.
    QWidget elsewhere;
    QWidget* other = route == "row" ? static_cast<QWidget*>(f) : &elsewhere;
    if (route == "row" || route == "open" || !activated) {
      other->show();
      other->activateWindow();
      WaitActive(other);
    }
    d.h.clearSaid();
    if (route == "row") {
      d.select(1);
    } else if (route == "open") {
      d.h.open(file);
    } else if (route == "recent") {
      d.h.menus().mnurecentfile[1]->trigger();
    } else {
      d.h.menus().mnunew->trigger();
    }
    if (activated) {
      d.h.w->activateWindow();
      WaitActive(d.h.w.get());
    }
    QTest::qWait(20);
    QCOMPARE(d.h.said().size(), messages);
    QCOMPARE(d.z().cylinder, want.cylinder);
    QCOMPARE(QApplication::activeWindow(), activated ? d.h.w.get() : other);
    QCOMPARE(d.h.w->focusWidget(), d.h.box(entered));
    QCOMPARE(d.h.yellowBoxes(), QStringList{entered});
    QCOMPARE(d.h.box(entered)->selectedText(), d.h.box(entered)->text());

    // What is saved is the case as it was put in place, also once the cursor
    // has left the box; what the user types there is committed as always.
    QWindow* keys = d.h.w->windowHandle();
    if (then == "type") {
      for (char c : {'5', '0', '0', '\t'}) QTest::keyClick(keys, c);
      BoxDef(IdOf(entered)).store(want, 500);
    }
    if (then == "leave") QTest::keyClick(keys, Qt::Key_Tab);
    const QString saved = d.file("saved.vtr");
    d.h.saveAs(saved);
    const InputBox& def = BoxDef(IdOf(entered));
    QCOMPARE(d.h.box(entered)->text(), toQ(Format(def.value(want), def.pattern, '.')));
    State back;
    back.apppath = ZOD_DATA_DIR;
    ReadTables(back);
    ReadProjectFile(back, fromQ(saved));
    QCOMPARE(back.cylr, want.cylr);
    QCOMPARE(back.s, want.s);
    QCOMPARE(back.lt, want.lt);
    QCOMPARE(back.cyll, want.cyll);
    QCOMPARE(back.sigx, want.sigx);
    QCOMPARE(back.ringch, want.ringch);
    QCOMPARE(back.hringch, want.hringch);
  }

  // A data row or comment called "End" may go; the closing row may not.
  void removeRefusesOnlyTheClosingRow() {
    DbHarness d;
    FrmDatabase* f = d.open();
    d.table({"% c", "A", "End", "x", "B"});
    d.z().dbtab[3].iscomment = -1;
    d.z().dbtab[3].rowtext = "END";
    f->Form_Activate();
    QCOMPARE(d.lines(), (QStringList{"% c", "A", "End", "END", "B", "End"}));
    d.select(2);
    d.click("cmdX");
    QCOMPARE(d.lines(), (QStringList{"% c", "A", "END", "B", "End"}));
    d.select(2);
    d.click("cmdX");
    QCOMPARE(d.lines(), (QStringList{"% c", "A", "B", "End"}));
    QVERIFY(d.msg.texts.isEmpty());
    d.select(3);
    d.click("cmdX");
    QCOMPARE(d.msg.texts, (QStringList{" Last row can't be removed ", "<beep>"}));
    QCOMPARE(d.lines(), (QStringList{"% c", "A", "B", "End"}));
    QCOMPARE(*d.z().dbrows, 3);
  }

  // Never saved, the table has a name but no folder: its result file goes
  // where its spreadsheet export goes, never into the current folder.
  void resultFileOfANewDatabase() {
    DbHarness d;
    d.open();
    Child<QLineEdit>(d.f(), "txtComment")->setText("Deck");
    d.click("cmdNewDatabase");
    QCOMPARE(d.z().dbfile, std::string("New Database_in.csv"));
    const QString name = "New Database_in.csv_out.csv";
    QFile::remove(name);
    d.click("cmdSaveResult");
    QVERIFY(d.msg.texts.isEmpty());
    QVERIFY(ReadBytes(d.file(name)).startsWith("Project;Identification;"));
    QVERIFY(!QFile::exists(name));

    // a failure names the whole path
    const QString gone = d.file("gone");
    d.db->setExportFolder(gone);
    d.click("cmdSaveResult");
    QCOMPARE(d.msg.texts, QStringList{CantSave(gone + "/" + name, ENOENT)});
  }

  // The open and save dialogs of a table never saved start in the documents
  // folder, not in the program folder where the program starts them; once
  // the table has a file, where the last dialog was.
  void dialogsOfANewDatabase() {
    DbHarness d;
    d.open();
    QCOMPARE(toQ(d.z().lastdir), QDir(ZOD_DATA_DIR).absolutePath());
    d.click("cmdOpenDatabase");
    d.click("cmdNewDatabase");
    d.click("cmdOpenDatabase");
    d.click("cmdSaveFile");
    QVERIFY(QDir(d.files.path()).mkdir("jobs"));
    d.h.dialog.answers << d.file("jobs/Deck_in.csv");
    d.click("cmdSaveFile");
    d.click("cmdOpenDatabase");
    QStringList folders;
    for (const QString& call : d.h.dialog.calls) folders << call.section('|', 1, 1);
    const QString docs = d.files.path();
    QCOMPARE(folders, (QStringList{docs, docs, docs, docs, d.file("jobs")}));
    QVERIFY(d.msg.texts.isEmpty());
  }

  // A project file saved under a name without a folder that cannot be
  // written is named with its whole path.
  void projectSaveFailureNamesThePath() {
    Harness h;
    h.saveAs("no such folder/case.vtr");
    QCOMPARE(h.msg.texts,
             QStringList{CantSave(QDir::current().absoluteFilePath("no such folder/case.vtr"), ENOENT)});
  }
};

QTEST_MAIN(TestDbWindowReturn)
#include "test_dbwindow_return.moc"
