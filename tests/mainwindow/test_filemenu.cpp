// The File menu through the real main window: New, Open, Save, Save As and
// the recent files, with the file dialog answered here and the settings in a
// temporary folder; also the windows the main window hooks in.
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <algorithm>

#include "mainwindow/infowindows.h"
#include "profiles/profiledialog.h"
#include "profiles/profiledialogs.h"
#include "tests/gui/core/savefaults.h"
#include "tests/mainwindow/testsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

QString Settings(const char* key) {
  return QSettings(QSettings::UserScope, "Zidavoru", "Zidavoru ZOD")
      .value(QString("Recent Files/") + key)
      .toString();
}

}  // namespace

class TestFileMenu : public QObject {
  Q_OBJECT

  QTemporaryDir files;
  QString file(const char* name) const { return files.filePath(name); }

 private slots:
  void init() {
    KeepSettingsAside();
    QSettings s(QSettings::UserScope, "Zidavoru", "Zidavoru ZOD");
    s.clear();
  }
  void cleanup() { Destroy(); }

  void menuBarInstalled() {
    Harness h;
    const MainMenus& m = h.menus();
    for (QAction* a : {m.mnunew, m.mnuopen, m.mnusave, m.mnusaveas, m.mnuabout, m.girdItems[9]})
      QVERIFY(a->isEnabled());
    for (QAction* a : m.mnurecentfile) QVERIFY(!a->isVisible());  // a first run lists no file
    // help opens from the program folder
    m.mnuhelpcont->trigger();
    QCOMPARE(h.opener.urls.value(0).toLocalFile(), QString(ZOD_DATA_DIR) + "/help/index.html");
    QSignalSpy unloaded(h.w.get(), &Veltrane::unloaded);
    m.mnuexit->trigger();
    QCOMPARE(unloaded.count(), 1);
  }

  // Every way of opening a profile dialog reaches the one instance of its
  // kind; its activation shows its kind in the list without choosing it and
  // calculates once. Typing into a list or refreshing the kind opens nothing.
  void profileDialogsOpen() {
    Harness h;
    ProfileDialogs& d = h.w->profileDialogs();
    auto* cbostiff = h.get<QComboBox>("cbostiff");
    auto* cboring = h.get<QComboBox>("cboring");
    QCOMPARE(cbostiff->itemText(9), QString("I-built up"));
    QCOMPARE(cboring->itemText(9), QString("I-profile"));
    // each Profiles item opens its own kind of its own member
    for (int k = 0; k < kProfileKinds; ++k) {
      h.menus().stiffItems[k]->trigger();
      WaitActive(d.find(Member::Stiffener, k));
      h.menus().girdItems[k]->trigger();
      WaitActive(d.find(Member::RingFrame, k));
      QVERIFY(h.z.stifftype == k && h.z.girdtype == k);
    }
    d.closeAll();
    Destroy();
    QSignalSpy changed(cbostiff, &QComboBox::currentIndexChanged);
    h.menus().stiffItems[7]->trigger();
    ProfileDialog* rhs = WaitActive(d.find(Member::Stiffener, 7));
    QCOMPARE(h.z.stifftype, int16(7));
    QCOMPARE(cbostiff->currentText(), QString("RHS"));
    QCOMPARE(changed.count(), 0);
    h.w->calcs = 0;
    emit cboring->activated(5);
    WaitActive(d.find(Member::RingFrame, 5));
    QCOMPARE(h.z.girdtype, int16(5));
    QCOMPARE(h.w->calcs, 1);
    h.get<QPushButton>("cmdpic_stiff")->click();
    QCOMPARE(WaitActive(d.find(Member::Stiffener, 7)), rhs);
    // the item of a dialog already open makes its kind current again
    h.z.stifftype = 2;
    h.menus().stiffItems[7]->trigger();
    QCOMPARE(WaitActive(d.find(Member::Stiffener, 7)), rhs);
    QCOMPARE(h.z.stifftype, int16(7));
    // a kind beyond the ten: the picture button opens nothing
    h.z.girdtype = 10;
    h.get<QPushButton>("cmdpic_gird")->click();
    QCOMPARE(QApplication::activeWindow(), rhs);
    QVERIFY(!d.find(Member::RingFrame, 0) && !d.find(Member::RingFrame, 9));
    cbostiff->lineEdit()->setFocus();
    QTest::keyClicks(cbostiff->lineEdit(), "L-table");
    h.z.girdtype = 4;
    h.w->RefreshForm();
    QCOMPARE(cboring->currentText(), QString("Flatbar-table"));
    QCOMPARE(h.z.stifftype, int16(7));
    QVERIFY(!d.find(Member::Stiffener, 0) && !d.find(Member::RingFrame, 4));
    // the information windows behind the two glasses buttons
    h.get<QRadioButton>("opt_wsd")->click();
    h.get<QPushButton>("cmd_wsd")->click();
    h.get<QPushButton>("Picture")->click();
    QCOMPARE(h.w->findChildren<InfoWindow*>().size(), 2);
  }

  void saveAsOpenNew() {
    Harness h;
    h.type("icylr", "2345");
    h.type("iproj", "Hull, \"aft\" part");
    h.typeInto("iident", " 7");  // not left: the save reads the box
    const QString ident = h.box("iident")->text();
    const QString a = file("a.vtr");
    h.saveAs(a);
    QCOMPARE(h.dialog.calls, QStringList{"save|" ZOD_DATA_DIR "|New File|*.vtr|vtr"});
    QCOMPARE(h.recentCaptions(), QStringList{"1. " + a});
    QVERIFY(h.menus().mnurecentfile[0]->isVisible() && Settings("RecentFile1") == a);
    QCOMPARE(h.w->windowTitle(), "Zidavoru ZOD: " + a);
    QCOMPARE(QString::fromStdString(h.z.lastdir), files.path());

    h.menus().mnunew->trigger();
    QCOMPARE(h.w->windowTitle(), QString("Zidavoru ZOD: New File"));
    QCOMPARE(h.box("icylr")->text(), QString("1500"));

    h.open(a);  // from the folder saved into
    QCOMPARE(h.dialog.calls.last(), "open|" + files.path() + "|*.vtr|vtr");
    QCOMPARE(h.box("icylr")->text(), QString("2345"));
    QCOMPARE(h.box("iproj")->text(), QString("Hull, \"aft\" part"));
    QCOMPARE(h.box("iident")->text(), ident);
    QCOMPARE(h.w->windowTitle(), "Zidavoru ZOD: " + a);
    QVERIFY(h.msg.texts.isEmpty());

    // Save writes the open file again without asking
    h.type("icylr", "2400");
    const int calls = h.dialog.calls.size();
    h.menus().mnusave->trigger();
    QCOMPARE(h.dialog.calls.size(), calls);
    QVERIFY(ReadBytes(a).contains("\r\n2400\r\n"));

    // After New, Save asks, without setting a folder; a cancel changes nothing
    h.menus().mnunew->trigger();
    h.menus().mnusave->trigger();
    QCOMPARE(h.dialog.calls.size(), calls + 1);
    QCOMPARE(h.dialog.calls.last(), QString("save|||*.vtr|vtr"));
    for (QAction* cancelled : {h.menus().mnuopen, h.menus().mnusaveas}) {
      const DesignCase before = h.z;
      cancelled->trigger();
      QVERIFY(h.z.designCase() == before);
    }
    QCOMPARE(h.w->windowTitle(), QString("Zidavoru ZOD: New File"));
    QCOMPARE(h.recentCaptions().size(), 1);
  }

  void recentFiles() {
    Harness h;
    QStringList paths;
    for (const char* n : {"1.vtr", "2.vtr", "3.vtr", "4.vtr", "5.vtr"}) {
      paths << file(n);
      h.type("il", QString::number(1000 + 100 * paths.size()));
      h.saveAs(paths.last());
    }
    // of five distinct files the first has dropped out
    QCOMPARE(h.recentCaptions(),
             (QStringList{"1. " + paths[4], "2. " + paths[3], "3. " + paths[2], "4. " + paths[1]}));
    // item 3 moves to the top, the ones above it down by one
    h.z.lastdir = QDir::tempPath().toStdString();
    h.menus().mnurecentfile[3]->trigger();
    QCOMPARE(h.z.l, 1300.0);
    QCOMPARE(h.w->windowTitle(), "Zidavoru ZOD: " + paths[2]);
    QCOMPARE(QString::fromStdString(h.z.lastdir), files.path() + "/");
    QCOMPARE(h.recentCaptions(),
             (QStringList{"1. " + paths[2], "2. " + paths[4], "3. " + paths[3], "4. " + paths[1]}));
    QCOMPARE(Settings("RecentFile4"), paths[1]);
    h.menus().mnuopen->trigger();  // Open then starts in the folder of that file
    QCOMPARE(h.dialog.calls.last(), "open|" + files.path() + "/|*.vtr|vtr");
    // Save As under the open file's name writes it again, the list as it is
    h.type("il", "1777");
    h.saveAs(paths[2]);
    QVERIFY(ReadBytes(paths[2]).contains("\r\n1777\r\n"));
    QCOMPARE(h.recentCaptions().first(), "1. " + paths[2]);
    QCOMPARE(h.recentCaptions().size(), 4);
    // the open file chosen again: read again, list as it is
    h.type("il", "1999");
    h.menus().mnurecentfile[1]->trigger();
    QCOMPARE(h.z.l, 1777.0);
    QCOMPARE(h.recentCaptions().first(), "1. " + paths[2]);
    // saving under a listed name moves it up without a second entry
    h.menus().mnunew->trigger();
    h.saveAs(paths[3]);
    QCOMPARE(h.recentCaptions(),
             (QStringList{"1. " + paths[3], "2. " + paths[2], "3. " + paths[4], "4. " + paths[1]}));
    // an entry whose file has gone: told, and nothing changes
    QVERIFY(QFile::remove(paths[1]));
    h.menus().mnurecentfile[4]->trigger();
    QCOMPARE(h.msg.texts, QStringList{"can't find file - " + paths[1]});
    QCOMPARE(h.w->windowTitle(), "Zidavoru ZOD: " + paths[3]);
    QCOMPARE(h.recentCaptions().last(), "4. " + paths[1]);
    // a new window builds the items from the settings
    Harness again;
    QCOMPARE(again.recentCaptions(), h.recentCaptions());
  }

  // Keys of the section other than the four (an older version's, a hand
  // edit) are neither shown nor moved.
  void recentFilesIgnoreOtherKeys() {
    QStringList paths;
    {
      Harness h;
      for (const char* n : {"a.vtr", "b.vtr", "c.vtr"}) {
        paths << file(n);
        h.saveAs(paths.last());
      }
    }
    QSettings s(QSettings::UserScope, "Zidavoru", "Zidavoru ZOD");
    s.setValue("Recent Files/Zeta", file("z.vtr"));
    s.setValue("Recent Files/RecentFile10", file("x.vtr"));
    s.sync();
    Harness h;
    QCOMPARE(h.recentCaptions(), (QStringList{"1. " + paths[2], "2. " + paths[1], "3. " + paths[0]}));
    h.menus().mnurecentfile[3]->trigger();
    QCOMPARE(h.recentCaptions(), (QStringList{"1. " + paths[0], "2. " + paths[2], "3. " + paths[1]}));
    QCOMPARE(Settings("Zeta") + Settings("RecentFile10"), file("z.vtr") + file("x.vtr"));
  }

  // With a dialog open and a change not saved: nothing of the case, the
  // name, the caption, the folder, the list or the dialogs changes.
  void damagedOrMissingFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("starts");
    QTest::newRow("missing") << QByteArray() << "can't find file - ";
    QTest::newRow("too short") << QByteArray("185\r\nproj\r\nident\r\n1\r\n") << "The file ";
    QTest::newRow("not a number") << QByteArray("185\r\np\r\ni\r\nabc\r\n") << "The file ";
    QByteArray binary(3000, '\x08');  // a picture saved as .vtr: control bytes, a NUL, few line ends
    binary[20] = '\0', binary[21] = '\r', binary[2500] = '\n';
    QTest::newRow("binary") << binary << "The file ";
  }
  void damagedOrMissingFileChangesNothing() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, starts);
    Harness h;
    const QString good = file("good.vtr");
    h.saveAs(good);
    h.menus().stiffItems[3]->trigger();
    WaitActive(h.w->profileDialogs().find(Member::Stiffener, 3));
    h.z.t = 22;
    h.w->RefreshForm();
    const QString bad = file("bad.vtr");
    QFile::remove(bad);
    if (!contents.isEmpty()) WriteBytes(bad, contents);
    const DesignCase before = h.z;
    const std::string lastdir = h.z.lastdir;
    h.msg.clear();
    h.open(bad);
    QCOMPARE(h.msg.texts.size(), 1);
    const QString& told = h.msg.texts[0];
    QVERIFY2(told.startsWith(starts) && told.contains(bad), qPrintable(told));
    // shown whole, printable, at a length a box can hold
    if (starts == "The file ") QVERIFY2(told.endsWith(") and was not opened."), qPrintable(told));
    QVERIFY(std::none_of(told.begin(), told.end(), [](QChar c) { return c.unicode() < 0x20; }));
    QVERIFY(told.size() < bad.size() + 120);
    QVERIFY(h.z.designCase() == before);
    QCOMPARE(QString::fromStdString(h.z.filename), good);
    QCOMPARE(h.w->windowTitle(), "Zidavoru ZOD: " + good);
    QCOMPARE(h.box("it")->text(), QString("22.0"));
    QCOMPARE(h.z.lastdir, lastdir);
    QCOMPARE(h.recentCaptions(), QStringList{"1. " + good});
    QVERIFY(h.w->profileDialogs().find(Member::Stiffener, 3));
  }

  // Where the last folder cannot be written (the program folder of an
  // installed program), Open, Save As and the first Save start in the
  // user's documents; a folder the user may write is kept.
  void dialogsStartWhereTheUserMayWrite() {
    Harness h;
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString start = QFileInfo(docs).isDir() ? docs : QDir::homePath();
    h.z.lastdir = "/nonexistent/zidavoru";
    for (QAction* a : {h.menus().mnuopen, h.menus().mnusaveas, h.menus().mnusave}) a->trigger();
    QCOMPARE(h.dialog.calls,
             (QStringList{"open|" + start + "|*.vtr|vtr", "save|" + start + "|New File|*.vtr|vtr",
                          "save|" + start + "||*.vtr|vtr"}));
    h.z.lastdir = files.path().toStdString();
    h.menus().mnuopen->trigger();
    QCOMPARE(h.dialog.calls.last(), "open|" + files.path() + "|*.vtr|vtr");
    // a file opened from another folder: the next Open starts there
    QTemporaryDir other;
    const QString a = other.filePath("a.vtr");
    h.saveAs(a);
    h.z.lastdir = files.path().toStdString();
    h.open(a);
    h.menus().mnuopen->trigger();
    QCOMPARE(h.dialog.calls.last(), "open|" + other.path() + "|*.vtr|vtr");
  }

  // Save As over another existing file asks first, with a real box; No
  // keeps that file and the case's name. Saving over the case's own file
  // does not ask.
  void saveAsAsksBeforeReplacing() {
    BoxMessenger boxes;
    Harness h(false, 96, &boxes);
    BoxAnswerer user;
    const QString own = file("own.vtr"), other = file("other.vtr");
    h.saveAs(own);
    QCOMPARE(user.texts, QStringList());
    WriteBytes(other, "another engineer's case");
    h.saveAs(other);  // the user answers No: the box's default
    const QString asked = "The file " + other + " already exists.\nDo you want to replace it?";
    QCOMPARE(user.texts, QStringList{asked});
    QCOMPARE(user.owners, QStringList{"veltrane"});
    QCOMPARE(ReadBytes(other), QByteArray("another engineer's case"));
    QCOMPARE(QString::fromStdString(h.z.filename), own);
    user.whileOpen = [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); };
    h.saveAs(other);
    QCOMPARE(user.texts.size(), 2);
    QVERIFY(ReadBytes(other).startsWith("185\r\n"));
    QCOMPARE(QString::fromStdString(h.z.filename), other);
    h.saveAs(other);
    QCOMPARE(user.texts.size(), 2);
    h.menus().mnunew->trigger();  // Save of a new case asks too
    user.whileOpen = nullptr;
    h.dialog.answers << own;
    h.menus().mnusave->trigger();
    QCOMPARE(user.texts.value(2), "The file " + own + " already exists.\nDo you want to replace it?");
    QCOMPARE(QString::fromStdString(h.z.filename), QString("New File"));
  }

  void failedSaveKeepsTheFileName() {
    Harness h;
    QTemporaryDir gone;
    const QString inGone = gone.filePath("x.vtr");
    h.saveAs(inGone);
    QVERIFY(gone.remove());
    h.msg.clear();
    h.menus().mnusave->trigger();
    // each failure says why after the path, so that the user knows what to mend
    QCOMPARE(h.msg.texts, QStringList{CantSave(inGone, ENOENT)});
    // Save As into a folder that does not exist: told, name and list kept
    const QString nowhere = files.filePath("no/such/folder/y.vtr");
    h.saveAs(nowhere);
    QCOMPARE(h.msg.texts.last(), CantSave(nowhere, ENOENT));
    QCOMPARE(QString::fromStdString(h.z.filename), inGone);
    QCOMPARE(h.w->windowTitle(), "Zidavoru ZOD: " + inGone);
    QCOMPARE(h.recentCaptions(), QStringList{"1. " + inGone});
    // a file made read-only is not replaced behind the user's back
    const QString kept = file("kept.vtr");
    h.saveAs(kept);
    const QByteArray before = ReadBytes(kept);
    QVERIFY(QFile::setPermissions(kept, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    h.type("il", "1234");
    h.menus().mnusave->trigger();
    QCOMPARE(h.msg.texts.last(), "can't save file - " + kept + ": the file is read-only");
    {
      // the same for an ordinary user, whom the system refuses the file too
      SaveFaults ordinaryUser;
      ordinaryUser.fail["access"] = EACCES;
      h.msg.clear();
      h.menus().mnusave->trigger();
    }
    QCOMPARE(h.msg.texts, QStringList{"can't save file - " + kept + ": the file is read-only"});
    QCOMPARE(ReadBytes(kept), before);
    // a full disk reads apart from a read-only file
    QVERIFY(QFile::setPermissions(kept, QFile::ReadOwner | QFile::WriteOwner));
    {
      SaveFaults sys;
      sys.fail["write"] = ENOSPC;
      h.menus().mnusave->trigger();
    }
    QCOMPARE(h.msg.texts.last(), CantSave(kept, ENOSPC));
    QCOMPARE(ReadBytes(kept), before);
  }

  // Opening closes the profile dialogs after the file has been read; an open
  // built-up dialog does not put the dimensions it showed into the case.
  void openWithBuiltUpDialogKeepsTheFileDimensions() {
    Harness h;
    ProfileDialogs& d = h.w->profileDialogs();
    h.menus().stiffItems[5]->trigger();  // flat bar built up
    ProfileDialog* fb = WaitActive(d.find(Member::Stiffener, 5));
    auto* isth = Child<QLineEdit>(fb, "isth");
    TypeOver(isth, "180");
    QTest::keyClick(isth, Qt::Key_Return);
    QCOMPARE(h.z.sfbh, 180.0);
    const QString a = file("fb.vtr");
    h.saveAs(a);
    const std::string section = h.z.stiffsec.name;
    // the user types another height and does not leave the box
    TypeOver(isth, "250");
    h.open(a);
    QVERIFY(!d.find(Member::Stiffener, 5));
    QCOMPARE(h.z.sfbh, 180.0);
    QCOMPARE(h.z.stiffh, 180.0);
    QCOMPARE(h.z.stiffsec.name, section);
    QCOMPARE(h.get<QComboBox>("cbostiff")->currentText(), QString("Flatbar-built up"));
  }

  // A case read keeps its own design method and usage factor, whichever the
  // window showed: choosing LRFD's option on the way sets no 1.0.
  void designMethodReadFromAFileIsKept() {
    Harness h;
    const QString wsd = file("wsd.vtr"), lrfd = file("lrfd.vtr");
    h.get<QRadioButton>("opt_wsd")->click();
    h.type("iufb", "0.85");
    h.saveAs(wsd);
    h.get<QRadioButton>("opt_lrfd")->click();
    h.type("iufb", "1.15");
    h.saveAs(lrfd);
    h.open(wsd);
    QVERIFY(h.z.dmethod == 1 && h.z.ufb == 0.85f && h.get<QRadioButton>("opt_wsd")->isChecked());
    QCOMPARE(h.box("iufb")->text(), QString("0.85"));
    h.open(lrfd);
    QVERIFY(h.z.dmethod == 0 && h.z.ufb == 1.15f && h.get<QRadioButton>("opt_lrfd")->isChecked());
    QCOMPARE(h.box("iufb")->text(), QString("1.15"));
    QVERIFY(h.shown("cmd_lrfd") && !h.shown("cmd_wsd"));
  }

  // A case naming a stiffener row the tables lack is reported, not fatal;
  // the window shows the case that was read, with the stiffener's yield
  // strength of the file: its thickness is not known here.
  void stiffenerRowBeyondTheTable() {
    Harness h;
    h.get<QRadioButton>("cylinder1")->click();
    h.z.istiffl = 999;
    h.z.stiffh = 7777;  // no row matches
    h.z.fys = 345;      // S355 over 16 mm
    const QString a = file("row.vtr");
    h.saveAs(a);
    h.menus().mnunew->trigger();
    h.msg.clear();
    h.open(a);
    QCOMPARE(h.z.istiffl, int16(999));
    QVERIFY2(h.msg.texts.value(0).contains("row 999"), qPrintable(h.msg.texts.join('|')));
    QCOMPARE(h.w->windowTitle(), "Zidavoru ZOD: " + a);
    QVERIFY(h.get<QRadioButton>("cylinder1")->isChecked());
    QCOMPARE(h.z.fys, 345.0);
    QCOMPARE(h.box("ifys")->text(), QString("345"));
  }
};

QTEST_MAIN(TestFileMenu)
#include "test_filemenu.moc"
