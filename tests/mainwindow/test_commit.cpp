// When the box being edited is committed: leaving it by any path commits it
// once, even when the focus passed through a menu on the way; the commands
// that use the case (Save, Save As, Print, Add to Database) commit it first
// and do not run when its value is refused; the commands that replace the
// case drop what was typed; a refusal on Enter selects the text for the
// correction. Real message boxes, answered by a timer, and real keys and
// clicks, since every one of these depends on where the focus goes.
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>

#include "database/core/database.h"
#include "database/dbwindows.h"
#include "database/frmdatabase.h"
#include "engine/tables.h"
#include "mainwindow/core/projectfile.h"
#include "mainwindow/inputboxes.h"
#include "profiles/profiledialog.h"
#include "profiles/profiledialogs.h"
#include "report/printcommand.h"
#include "tests/mainwindow/testsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

// A value of the case as the print dialog found it (the radius unless the
// test says otherwise); then it cancels.
struct PeekingPrintDialog : PrintDialog {
  State* z = nullptr;
  std::function<float(const State&)> peek = [](const State& c) { return static_cast<float>(c.cylr); };
  QList<float> seen;
  bool exec(QPrinter&, QWidget*) override {
    seen << peek(*z);
    return false;
  }
};

// A command that uses the case, run as the user runs it.
enum class Command { Save, SaveAs, Print, AddToDatabase };

// The main window with real message boxes answered a moment after they
// appear, and the print dialog above; `comma`: on a decimal-comma system.
struct Window {
  BoxMessenger boxes;
  PeekingPrintDialog print;
  Harness h;
  BoxAnswerer user;
  QTemporaryDir dir;
  explicit Window(bool comma = false) : h(comma, 96, &boxes, ZOD_DATA_DIR, &print) { print.z = &h.z; }

  QMenuBar* bar() const { return h.w->menuBar(); }
  void clickBar(QAction* a) {
    QTest::mouseClick(bar(), Qt::LeftButton, {}, bar()->actionGeometry(a).center());
  }
  // The menu once it is up and the window system has made it active.
  static QMenu* waitPopup() {
    if (!QTest::qWaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }))
      qFatal("no menu");
    QTest::qWait(20);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
  }
  void clickItem(QAction* a) {
    QMenu* m = waitPopup();
    QTest::mouseClick(m, Qt::LeftButton, {}, m->actionGeometry(a).center());
  }
  void escape() {
    QWidget* keys = QApplication::activePopupWidget();
    if (!keys && QApplication::focusWidget() == bar()) keys = bar();
    QVERIFY(keys);
    QTest::keyClick(keys, Qt::Key_Escape);
    QTest::qWait(20);
  }
  void click(const QString& name) { QTest::mouseClick(h.get(name), Qt::LeftButton, {}, QPoint(4, 4)); }
  // Save, Save As (answered with `file`), Print, Add to Database.
  void run(Command command, const QString& file) {
    switch (command) {
      case Command::Save:
        QTest::keyClick(h.w->windowHandle(), Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(waitPopup(), Qt::Key_S);
        break;
      case Command::SaveAs:
        h.dialog.answers << file;
        clickBar(h.menus().mnufile->menuAction());
        clickItem(h.menus().mnusaveas);
        break;
      case Command::Print:
        clickBar(h.menus().mnuprint);
        break;
      case Command::AddToDatabase:
        click("cmdDatabase");
        break;
    }
  }
  // The value each run of the command used: from the file saved, the case
  // the print dialog saw, the row added.
  QList<float> used(Command command, const QString& file, float (*value)(const State&),
                    float (*row)(const DbRow&)) {
    QList<float> out;
    switch (command) {
      case Command::Save:
      case Command::SaveAs:
        if (QFile::exists(file)) {
          State r;
          r.apppath = ZOD_DATA_DIR;
          ReadTables(r);
          ReadProjectFile(r, file.toStdString());
          out << value(r);
        }
        break;
      case Command::Print:
        out = print.seen;
        break;
      case Command::AddToDatabase:
        if (HasDbTable(h.z)) out << row(h.z.dbtab[1]);
        break;
    }
    return out;
  }
  // Each command with a value accepted and one refused by its bound, and,
  // given `letters`, with letters on a decimal-comma system.
  static void commandRows(const char* accepted, const char* refused, const char* letters = nullptr) {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("comma");
    for (const auto& [name, c] :
         {std::pair{"Save", Command::Save}, std::pair{"Save As", Command::SaveAs},
          std::pair{"Print", Command::Print}, std::pair{"Add to Database", Command::AddToDatabase}}) {
      QTest::newRow(qPrintable(QString(name) + ", accepted")) << c << accepted << false;
      QTest::newRow(qPrintable(QString(name) + ", refused")) << c << refused << false;
      if (letters)
        QTest::newRow(qPrintable(QString(name) + ", letters on a comma system")) << c << letters << true;
    }
  }
};

// How the user leaves `it` for `icylr`.
enum class Path {
  Tab,
  FileEscapeClick,
  AltFEscapeClick,
  FileTwoEscapesClick,
  RightClickEscapeClick,
  OtherWindowClick
};

}  // namespace

Q_DECLARE_METATYPE(Path)
Q_DECLARE_METATYPE(Command)

class TestCommit : public QObject {
  Q_OBJECT

 private slots:
  // Whichever way the focus leaves the box, through a menu or another window
  // included, the box is committed exactly once: checked, formatted, white,
  // the case recalculated; the box the user lands in is the one under edit.
  void leavingCommitsOnce_data() {
    QTest::addColumn<Path>("path");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");  // empty: none
    const QString none;
    QTest::newRow("Tab") << Path::Tab << "25" << none;
    QTest::newRow("File, Escape, click") << Path::FileEscapeClick << "25" << none;
    QTest::newRow("Alt+F, Escape, click") << Path::AltFEscapeClick << "25" << none;
    QTest::newRow("File, Escape, Escape, click") << Path::FileTwoEscapesClick << "25" << none;
    QTest::newRow("right-click menu, Escape, click") << Path::RightClickEscapeClick << "25" << none;
    QTest::newRow("another window, click") << Path::OtherWindowClick << "25" << none;
    QTest::newRow("refused on Tab") << Path::Tab << "0.05"
                                    << " 0.1 <= t ";
    QTest::newRow("refused after File, Escape") << Path::FileEscapeClick << "0.05"
                                                << " 0.1 <= t ";
  }
  void leavingCommitsOnce() {
    QFETCH(Path, path);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Window u;
    Harness& h = u.h;
    h.refresh(1);  // the right-click menu applies
    h.typeInto("it", typed);
    h.w->calcs = 0;
    switch (path) {
      case Path::Tab:
        QTest::keyClick(h.box("it"), Qt::Key_Tab);
        QTest::qWait(30);
        if (message.isEmpty()) u.click("icylr");
        break;
      case Path::FileEscapeClick:
      case Path::FileTwoEscapesClick:
        u.clickBar(h.menus().mnufile->menuAction());
        u.waitPopup();
        u.escape();
        if (path == Path::FileTwoEscapesClick) {
          QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(u.bar()));
          u.escape();
        }
        u.click("icylr");
        break;
      case Path::AltFEscapeClick:
        QTest::keyClick(h.w->windowHandle(), Qt::Key_F, Qt::AltModifier);
        u.waitPopup();
        u.escape();
        u.click("icylr");
        break;
      case Path::RightClickEscapeClick:
        QTest::mouseClick(h.get("Label4"), Qt::RightButton, {}, QPoint(3, 3));
        u.waitPopup();
        u.escape();
        u.click("icylr");
        break;
      case Path::OtherWindowClick:
        h.menus().girdItems[3]->trigger();
        WaitActive(h.w->profileDialogs().find(Member::RingFrame, 3));
        h.w->calcs = 0;  // the dialog's activation recalculated
        h.w->activateWindow();
        WaitActive(h.w.get());
        u.click("icylr");
        break;
    }
    const bool refused = !message.isEmpty();
    QTRY_VERIFY(h.box(refused ? "it" : "icylr")->hasFocus());
    QTest::qWait(30);
    QCOMPARE(u.user.texts, refused ? QStringList{message} : QStringList{});
    QCOMPARE(h.z.t, typed.toFloat());
    QCOMPARE(h.box("it")->text(), refused ? QString("0.1") : QString("25.0"));
    QCOMPARE(h.w->calcs, 1);
    QCOMPARE(h.yellowBoxes(), QStringList{refused ? "it" : "icylr"});
    // typing goes on where the user is; a refused value is selected for the correction
    QTest::keyClicks(QApplication::focusWidget(), "7");
    QVERIFY(h.box(refused ? "it" : "icylr")->text().contains('7'));
    if (refused) QCOMPARE(h.box("it")->text(), QString("7"));
  }

  // Save, Save As, Print and Add to Database use the value shown in the box
  // being edited: it is committed first, as leaving it would. A value
  // outside its limit is told, stays stored, and the command goes on with
  // it; the user is back in the box with the text selected. Opening and
  // closing the menu on the way commits nothing by itself.
  void commandsCommitFirst_data() { Window::commandRows("2000", "40"); }
  void commandsCommitFirst() {
    QFETCH(Command, command);
    QFETCH(QString, typed);
    Window u;
    Harness& h = u.h;
    const QString file = u.dir.filePath("case.vtr");
    if (command == Command::Save) h.z.filename = file.toStdString();  // saved without a dialog
    QStringList calculation;  // what the calculation with r = 40 says is not the box's refusal
    h.w->engineMessages = &calculation;
    h.typeInto("icylr", typed);
    h.w->calcs = 0;
    u.run(command, file);
    QTRY_VERIFY(h.box("icylr")->hasFocus());
    QTest::qWait(30);
    const bool refused = typed == "40";
    QCOMPARE(u.user.texts, refused ? QStringList{" cylr >= 50 "} : QStringList{});
    QVERIFY(h.yellow("icylr"));
    QCOMPARE(h.z.cylr, typed.toFloat());
    QCOMPARE(h.w->calcs, 1);
    QVERIFY(h.dialog.answers.isEmpty());
    const QList<float> used = u.used(
        command, file, [](const State& c) { return static_cast<float>(c.cylr); },
        [](const DbRow& r) { return r.cylr; });
    QCOMPARE(used, QList<float>{typed.toFloat()});
    // run again, the command neither commits the value once more nor says
    // its limit again
    u.run(command, file);
    QTest::qWait(30);
    QCOMPARE(u.user.texts.size(), refused ? 1 : 0);
    QCOMPARE(h.w->calcs, 1);
    if (command == Command::Print) QCOMPARE(u.print.seen.size(), 2);
    // the user is back in the box, its text selected: typing replaces it
    if (refused) {
      QTest::keyClicks(h.box("icylr"), "7");
      QCOMPARE(h.box("icylr")->text(), QString("7"));
    }
  }

  // A value typed into a profile dialog's box, and the user gone to the main
  // window without leaving that box: the command commits it first, as
  // leaving the box would (the dialog's check, its message in the dialog,
  // the recalculation), and uses it, also a value below the dialog's bound,
  // which stays stored. Letters on a comma system store nothing and stop the
  // command, and the user is back in the dialog's box with its text
  // selected. Going to the main window and its menus commits nothing.
  void commandsCommitTheDialogsFirst_data() { Window::commandRows("300", "4", "abc"); }
  void commandsCommitTheDialogsFirst() {
    QFETCH(Command, command);
    QFETCH(QString, typed);
    QFETCH(bool, comma);
    Window u(comma);
    Harness& h = u.h;
    const QString file = u.dir.filePath("case.vtr");
    if (command == Command::Save) h.z.filename = file.toStdString();
    QStringList calculation;  // the calculation stops with H = 4: not the dialog's refusal
    h.w->engineMessages = &calculation;
    u.print.peek = [](const State& c) { return static_cast<float>(c.stbh); };
    h.menus().stiffItems[3]->trigger();
    ProfileDialog* d = WaitActive(h.w->profileDialogs().find(Member::Stiffener, 3));
    auto* isth = Child<QLineEdit>(d, "isth");
    TypeOver(isth, typed);
    h.w->activateWindow();
    WaitActive(h.w.get());
    u.clickBar(h.menus().mnufile->menuAction());
    u.waitPopup();
    u.escape();
    QCOMPARE(static_cast<float>(h.z.stbh), 200.0f);
    u.run(command, file);
    const bool bound = typed == "4";
    if (comma) {
      QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(d));
      QTRY_VERIFY(isth->hasFocus());
    }
    QTest::qWait(30);
    QCOMPARE(u.user.texts, bound   ? QStringList{" H >= 5 "}
                           : comma ? QStringList{"Input string mismatch "}
                                   : QStringList{});
    QCOMPARE(u.user.owners, bound || comma ? QStringList{"stifftb"} : QStringList{});
    // letters store nothing and calculate nothing; the box's return started no activation
    QCOMPARE(calculation.size(), bound ? 1 : 0);
    QCOMPARE(static_cast<float>(h.z.stbh), comma ? 200.0f : typed.toFloat());  // the stiffener keeps a low H
    QCOMPARE(isth->text(), typed);
    QCOMPARE(h.dialog.answers.isEmpty(), !comma || command != Command::SaveAs);
    const QList<float> used = u.used(
        command, file, [](const State& c) { return static_cast<float>(c.stbh); },
        [](const DbRow& r) { return r.dbstiffh; });
    QCOMPARE(used, comma ? QList<float>{} : QList<float>{typed.toFloat()});
    if (comma) {
      QVERIFY(Yellow(isth));
      QTest::keyClicks(isth, "7");
      QCOMPARE(isth->text(), QString("7"));
    } else if (!bound) {
      QCOMPARE(static_cast<float>(h.z.stiffh), 300.0f);  // recalculated with it
      QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(h.w.get()));
    }
  }

  // New, Open, a recent file and a database row replace the case: the box
  // being edited shows the new case's value, and leaving it afterwards puts
  // nothing typed before into the new case.
  void replacingTheCaseDropsWhatWasTyped_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("New") << "New";
    QTest::newRow("Open") << "Open";
    QTest::newRow("recent file") << "recent";
    QTest::newRow("database row") << "row";
  }
  void replacingTheCaseDropsWhatWasTyped() {
    QFETCH(QString, command);
    Window u;
    Harness& h = u.h;
    // the case to come: t = 30
    const QString file = u.dir.filePath("thirty.vtr");
    h.z.t = 30;
    WriteProjectFile(h.z, file.toStdString());
    h.z.filename = "New File";
    if (command == "recent") h.open(file);
    if (command == "row") {
      NewDatabase(h.z, "rows");
      h.menus().mnuDb->trigger();
    }
    const float expected = command == "New" ? 20 : 30;  // the default case's, the file's and the row's
    h.z.t = 12;
    h.w->RefreshForm();
    h.w->activateWindow();
    WaitActive(h.w.get());
    h.typeInto("it", "25");
    if (command == "New") {
      u.clickBar(h.menus().mnufile->menuAction());
      u.clickItem(h.menus().mnunew);
    } else if (command == "Open") {
      h.dialog.answers << file;
      u.clickBar(h.menus().mnufile->menuAction());
      u.clickItem(h.menus().mnuopen);
    } else if (command == "recent") {
      u.clickBar(h.menus().mnufile->menuAction());
      u.clickItem(h.menus().mnurecentfile[1]);
    } else {
      auto* db = Child<DatabaseWindows>(h.w.get(), "databaseWindows");
      db->database()->activateWindow();
      WaitActive(db->database());
      Child<QListWidget>(db->database(), "lstDatabase")->setCurrentRow(1);
      h.w->activateWindow();
      WaitActive(h.w.get());
    }
    QTRY_COMPARE(static_cast<float>(h.z.t), expected);
    QCOMPARE(h.box("it")->text(), QString::number(expected, 'f', 1));
    u.click("icylr");
    QTRY_VERIFY(h.box("icylr")->hasFocus());
    QCOMPARE(static_cast<float>(h.z.t), expected);
    QCOMPARE(h.box("it")->text(), QString::number(expected, 'f', 1));
    QVERIFY(!h.yellow("it"));
    QCOMPARE(u.user.texts, QStringList{});
  }

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
