// The File menu through the real main window: New, Open, Save, Save As and
// the recent files, with the file dialog answered here and the settings in a
// temporary folder. Also the windows the main window hooks in: the profile
// dialogs behind the Profiles menu, the lists and the picture buttons, and
// the menu bar's items.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "mainwindow/filedialog.h"
#include "mainwindow/help.h"
#include "mainwindow/infowindows.h"
#include "mainwindow/messenger.h"
#include "mainwindow/recentsettings.h"
#include "mainwindow/veltrane.h"
#include "profiles/profiledialog.h"
#include "profiles/profiledialogs.h"

using namespace zod;

namespace {

// Answers the file dialogs from a queue; an empty answer is a cancel.
struct AnsweringDialog : FileDialog {
  struct Call {
    bool save;
    QString folder, proposed, filter, suffix;
  };
  QStringList answers;
  QList<Call> calls;
  QString next() { return answers.isEmpty() ? QString() : answers.takeFirst(); }
  QString getOpenFileName(QWidget*, const QString& folder, const QString& filter,
                          const QString& suffix) override {
    calls << Call{false, folder, QString(), filter, suffix};
    return next();
  }
  QString getSaveFileName(QWidget*, const QString& folder, const QString& proposed, const QString& filter,
                          const QString& suffix) override {
    calls << Call{true, folder, proposed, filter, suffix};
    return next();
  }
};

struct NoOpener : DesktopOpener {
  QList<QUrl> urls;
  bool open(const QUrl& url) override {
    urls << url;
    return true;
  }
};

struct Harness {
  State z;
  RecordingMessenger msgs;
  AnsweringDialog dialog;
  NoOpener opener;
  std::unique_ptr<Veltrane> w;

  Harness() {
    Veltrane::Options opt;
    opt.locale = QLocale::c();
    opt.dpi = 96;
    opt.fileDialog = &dialog;
    opt.opener = &opener;
    w = std::make_unique<Veltrane>(z, msgs, opt);
    if (!w->FormLoad(ZOD_DATA_DIR)) qFatal("start-up failed");
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
    msgs.clear();
  }
  template <class T = QWidget>
  T* get(const char* name) const {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
  }
  QString title() const { return w->windowTitle(); }
  const MainMenus& menus() const { return w->menus(); }
  QStringList recentCaptions() const {
    QStringList out;
    for (int i = 1; i <= 4; ++i)
      if (menus().mnurecentfile[i]->isVisible()) out << menus().mnurecentfile[i]->text();
    return out;
  }
  // Leaves a main-window box the way a user does: type, then Tab.
  void type(const char* box, const QString& text) {
    auto* e = get<QLineEdit>(box);
    e->setFocus(Qt::TabFocusReason);
    e->selectAll();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Tab);
  }
  void saveAs(const QString& path) {
    dialog.answers << path;
    menus().mnusaveas->trigger();
  }
  void open(const QString& path) {
    dialog.answers << path;
    menus().mnuopen->trigger();
  }
};

QString Settings(const char* key) {
  QSettings s(QSettings::UserScope, "Zidavoru", "Zidavoru ZOD");
  s.beginGroup("Recent Files");
  return s.value(key).toString();
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ProfileDialog* Activated(ProfileDialog* d) {
  if (!d || !QTest::qWaitFor([d] { return QApplication::activeWindow() == d; })) qFatal("dialog not active");
  return d;
}

}  // namespace

class TestFileMenu : public QObject {
  Q_OBJECT

  QTemporaryDir settings;
  QTemporaryDir files;
  QString file(const char* name) const { return files.filePath(name); }

 private slots:
  void initTestCase() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  }
  void init() {
    QSettings s(QSettings::UserScope, "Zidavoru", "Zidavoru ZOD");
    s.clear();
    s.sync();
  }
  void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  void menuBarInstalled() {
    Harness h;
    const MainMenus& m = h.menus();
    for (QAction* a :
         {m.mnunew, m.mnuopen, m.mnusave, m.mnusaveas, m.mnuhelpcont, m.mnuabout, m.girdItems[9]})
      QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    // the case database and the printed report are not there yet
    QVERIFY(!m.mnuDb->isEnabled());
    QVERIFY(!m.mnuprint->isEnabled());
    // a first run lists no recent files
    for (QAction* a : m.mnurecentfile) QVERIFY(!a->isVisible());
    // help opens from the program folder
    m.mnuhelpcont->trigger();
    QCOMPARE(h.opener.urls.value(0).toLocalFile(), QString(ZOD_DATA_DIR) + "/help/index.html");
    // Exit closes the window and so ends the program
    QSignalSpy unloaded(h.w.get(), &Veltrane::unloaded);
    m.mnuexit->trigger();
    QCOMPARE(unloaded.count(), 1);
  }

  void profilesMenuByCylinderType_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("menu");
    QTest::addColumn<bool>("stiff");
    QTest::addColumn<bool>("pops");
    QTest::newRow("cylinder") << 0 << false << false << false;
    QTest::newRow("ring stiffened") << 1 << true << false << true;
    QTest::newRow("stringer stiffened") << 2 << true << true << true;
    QTest::newRow("column") << 3 << false << false << true;
  }
  void profilesMenuByCylinderType() {
    QFETCH(int, type);
    QFETCH(bool, menu);
    QFETCH(bool, stiff);
    QFETCH(bool, pops);
    Harness h;
    h.get<QRadioButton>(qPrintable(QString("cylinder%1").arg(type)))->click();
    QCOMPARE(h.menus().mnuprofiles->menuAction()->isVisible(), menu);
    if (menu) {
      QVERIFY(h.menus().mnuring->menuAction()->isVisible());
      QCOMPARE(h.menus().mnustiff->menuAction()->isVisible(), stiff);
    }
    // the right-click menu is the same menu, also while it is hidden in the bar
    QWidget* label = h.get("Label5");
    QTest::mouseRelease(label, Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(h.menus().mnuprofiles->isVisible(), pops);
    h.menus().mnuprofiles->hide();
    QTest::mouseRelease(h.get("cylinder3"), Qt::RightButton, {}, QPoint(3, 3));
    QVERIFY(!h.menus().mnuprofiles->isVisible());
  }

  // Every way of opening a profile dialog reaches the one instance of its
  // kind; the dialog's activation shows its kind without opening another.
  void profileDialogsOpen() {
    Harness h;
    ProfileDialogs& d = h.w->profileDialogs();
    auto* cbostiff = h.get<QComboBox>("cbostiff");
    h.menus().stiffItems[7]->trigger();
    ProfileDialog* rhs = Activated(d.find(Member::Stiffener, 7));
    QCOMPARE(h.z.stifftype, int16(7));
    QCOMPARE(cbostiff->currentText(), QString("RHS"));
    emit h.get<QComboBox>("cboring")->activated(5);
    Activated(d.find(Member::RingFrame, 5));
    QCOMPARE(h.z.girdtype, int16(5));
    h.get<QPushButton>("cmdpic_stiff")->click();
    QCOMPARE(Activated(d.find(Member::Stiffener, 7)), rhs);
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
    const QString a = file("a.vtr");
    h.saveAs(a);
    const AnsweringDialog::Call c = h.dialog.calls.value(0);
    QVERIFY(c.save && c.folder == ZOD_DATA_DIR && c.proposed == "New File");
    QVERIFY(c.filter == "*.vtr" && c.suffix == "vtr");
    QCOMPARE(h.title(), "Zidavoru ZOD: " + a);
    QCOMPARE(QString::fromStdString(h.z.lastdir), files.path());
    QCOMPARE(h.recentCaptions(), QStringList{"1. " + a});
    QVERIFY(h.menus().mnurecentfile[0]->isVisible());
    QCOMPARE(Settings("RecentFile1"), a);

    h.menus().mnunew->trigger();
    QCOMPARE(h.title(), QString("Zidavoru ZOD: New File"));
    QCOMPARE(h.get<QLineEdit>("icylr")->text(), QString("1500"));

    h.open(a);
    QCOMPARE(h.dialog.calls.last().folder, files.path());
    QCOMPARE(h.z.cylr, 2345.0f);
    QCOMPARE(h.get<QLineEdit>("icylr")->text(), QString("2345"));
    QCOMPARE(h.get<QLineEdit>("iproj")->text(), QString("Hull, \"aft\" part"));
    QCOMPARE(h.title(), "Zidavoru ZOD: " + a);
    QVERIFY(h.msgs.texts.isEmpty());

    // Save writes the open file again without asking
    h.type("icylr", "2400");
    const int calls = h.dialog.calls.size();
    h.menus().mnusave->trigger();
    QCOMPARE(h.dialog.calls.size(), calls);
    QVERIFY(Contents(a).contains("\r\n2400\r\n"));

    // After New, Save asks, without setting a folder; a cancel changes nothing
    h.menus().mnunew->trigger();
    h.menus().mnusave->trigger();
    QCOMPARE(h.dialog.calls.size(), calls + 1);
    QVERIFY(h.dialog.calls.last().save && h.dialog.calls.last().folder.isEmpty());
    QCOMPARE(h.title(), QString("Zidavoru ZOD: New File"));
    for (QAction* cancelled : {h.menus().mnuopen, h.menus().mnusaveas}) {
      const DesignCase before = h.z;
      cancelled->trigger();
      QVERIFY(h.z.designCase() == before);
      QCOMPARE(h.title(), QString("Zidavoru ZOD: New File"));
    }
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
    // five distinct files: the first has dropped out
    QCOMPARE(h.recentCaptions(),
             (QStringList{"1. " + paths[4], "2. " + paths[3], "3. " + paths[2], "4. " + paths[1]}));
    // item 3 moves to the top, the ones above it down by one
    h.menus().mnurecentfile[3]->trigger();
    QCOMPARE(h.z.l, 1300.0);
    QCOMPARE(h.title(), "Zidavoru ZOD: " + paths[2]);
    QCOMPARE(QString::fromStdString(h.z.lastdir), files.path() + "/");
    QCOMPARE(h.recentCaptions(),
             (QStringList{"1. " + paths[2], "2. " + paths[4], "3. " + paths[3], "4. " + paths[1]}));
    QCOMPARE(Settings("RecentFile4"), paths[1]);
    // the open file chosen again: read again, list as it is
    h.type("il", "1999");
    h.menus().mnurecentfile[1]->trigger();
    QCOMPARE(h.z.l, 1300.0);
    QCOMPARE(h.recentCaptions().first(), "1. " + paths[2]);
    // saving under a listed name moves it up without a second entry
    h.menus().mnunew->trigger();
    h.saveAs(paths[3]);
    QCOMPARE(h.recentCaptions(),
             (QStringList{"1. " + paths[3], "2. " + paths[2], "3. " + paths[4], "4. " + paths[1]}));
    // Save As under the current name rewrites the file, list unchanged
    h.type("il", "1777");
    h.saveAs(paths[3]);
    QVERIFY(Contents(paths[3]).contains("\r\n1777\r\n"));
    QCOMPARE(h.recentCaptions().first(), "1. " + paths[3]);

    // an entry whose file has gone: told, and nothing changes
    QVERIFY(QFile::remove(paths[1]));
    h.menus().mnurecentfile[4]->trigger();
    QCOMPARE(h.msgs.texts, QStringList{"can't find file - " + paths[1]});
    QCOMPARE(h.title(), "Zidavoru ZOD: " + paths[3]);
    QCOMPARE(h.recentCaptions().last(), "4. " + paths[1]);

    // a new window builds the items from the settings
    Harness again;
    QCOMPARE(again.recentCaptions(), h.recentCaptions());
  }

  void damagedOrMissingFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("starts");
    QTest::newRow("missing") << QByteArray() << "can't find file - ";
    QTest::newRow("too short") << QByteArray("185\r\nproj\r\nident\r\n1\r\n") << "The file ";
    QTest::newRow("not a number") << QByteArray("185\r\np\r\ni\r\nabc\r\n") << "The file ";
  }
  void damagedOrMissingFileChangesNothing() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, starts);
    Harness h;
    const QString good = file("good.vtr");
    h.type("icylr", "1800");
    h.saveAs(good);
    // a dialog open, and a change not saved
    h.menus().stiffItems[3]->trigger();
    Activated(h.w->profileDialogs().find(Member::Stiffener, 3));
    h.z.t = 22;
    h.w->RefreshForm();
    const QString bad = file("bad.vtr");
    QFile::remove(bad);
    if (!contents.isEmpty()) {
      QFile f(bad);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(contents);
    }
    const DesignCase before = h.z;
    const std::string lastdir = h.z.lastdir;
    h.msgs.clear();
    h.open(bad);
    QCOMPARE(h.msgs.texts.size(), 1);
    QVERIFY2(h.msgs.texts[0].startsWith(starts) && h.msgs.texts[0].contains(bad),
             qPrintable(h.msgs.texts[0]));
    QVERIFY(h.z.designCase() == before);
    QCOMPARE(QString::fromStdString(h.z.filename), good);
    QCOMPARE(h.title(), "Zidavoru ZOD: " + good);
    QCOMPARE(h.z.lastdir, lastdir);
    QCOMPARE(h.get<QLineEdit>("it")->text(), QString("22.0"));
    QCOMPARE(h.recentCaptions(), QStringList{"1. " + good});
    QVERIFY(h.w->profileDialogs().find(Member::Stiffener, 3));
  }

  void failedSaveKeepsTheFileName() {
    Harness h;
    QTemporaryDir gone;
    const QString inGone = gone.filePath("x.vtr");
    h.saveAs(inGone);
    QCOMPARE(QString::fromStdString(h.z.filename), inGone);
    QVERIFY(gone.remove());
    h.msgs.clear();
    h.menus().mnusave->trigger();
    QCOMPARE(h.msgs.texts, QStringList{"can't save file - " + inGone});
    QCOMPARE(QString::fromStdString(h.z.filename), inGone);
    // Save As into a folder that does not exist: told, name and list kept
    const QString nowhere = files.filePath("no/such/folder/y.vtr");
    h.saveAs(nowhere);
    QCOMPARE(h.msgs.texts.last(), "can't save file - " + nowhere);
    QCOMPARE(QString::fromStdString(h.z.filename), inGone);
    QCOMPARE(h.title(), "Zidavoru ZOD: " + inGone);
    QCOMPARE(h.recentCaptions(), QStringList{"1. " + inGone});
  }

  // Opening closes the profile dialogs after the file has been read; an open
  // built-up dialog does not put the dimensions it showed into the case.
  void openWithBuiltUpDialogKeepsTheFileDimensions() {
    Harness h;
    ProfileDialogs& d = h.w->profileDialogs();
    h.menus().stiffItems[5]->trigger();  // flat bar built up
    ProfileDialog* fb = Activated(d.find(Member::Stiffener, 5));
    auto* isth = fb->findChild<QLineEdit*>("isth");
    isth->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(isth, "180");
    QTest::keyClick(isth, Qt::Key_Return);
    QCOMPARE(h.z.sfbh, 180.0);
    const QString a = file("fb.vtr");
    h.saveAs(a);
    const std::string section = h.z.stiffsec.name;
    // the user types another height and does not leave the box
    isth->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(isth, "250");
    h.open(a);
    QVERIFY(!d.find(Member::Stiffener, 5));
    QCOMPARE(h.z.sfbh, 180.0);
    QCOMPARE(h.z.stiffh, 180.0);
    QCOMPARE(h.z.stiffsec.name, section);
    QCOMPARE(h.get<QComboBox>("cbostiff")->currentText(), QString("Flatbar-built up"));
  }

  // A case naming a stiffener row the tables lack is reported, not fatal;
  // the window shows the case that was read.
  void stiffenerRowBeyondTheTable() {
    Harness h;
    h.get<QRadioButton>("cylinder1")->click();
    const QString a = file("row.vtr");
    h.saveAs(a);
    QList<QByteArray> lines = Contents(a).split('\n');
    lines[19] = "999\r";   // istiffl, line 20
    lines[39] = "7777\r";  // stiffh: no row matches
    QFile f(a);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(lines.join('\n'));
    f.close();
    h.menus().mnunew->trigger();
    h.msgs.clear();
    h.open(a);
    QCOMPARE(h.z.istiffl, int16(999));
    QVERIFY2(h.msgs.texts.value(0).contains("row 999"), qPrintable(h.msgs.texts.join('|')));
    QCOMPARE(h.title(), "Zidavoru ZOD: " + a);
    QVERIFY(h.get<QRadioButton>("cylinder1")->isChecked());
  }
};

QTEST_MAIN(TestFileMenu)
#include "test_filemenu.moc"
