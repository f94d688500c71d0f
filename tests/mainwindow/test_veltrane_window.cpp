// The main window driven like a user: start-up, the refresh by cylinder type
// with the handlers it sets off, the choices and buttons, the right-click
// rule and the result pictures; the input boxes (focus a box, type, leave it
// or press Enter) with message boxes answered by a recorder.
#include <sys/resource.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <cmath>
#include <csignal>

#include "engine/format.h"
#include "mainwindow/inputboxes.h"
#include "mainwindow/profileicons.h"
#include "mainwindow/resultpicture.h"
#include "profiles/profiledialogs.h"
#include "tests/database/dbtestsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

// One way of committing a box and what it must give.
struct Commit {
  int cylinder;
  bool comma;
  QString name, typed;
  bool enter;  // Enter instead of moving to another box
  QString shown;
  double stored;    // NaN: the field keeps its value
  QString message;  // the window's, first; the calculation may add its own
  bool focusBack;
  int calcs;
};

}  // namespace

Q_DECLARE_METATYPE(Commit)

class TestVeltraneWindow : public QObject {
  Q_OBJECT

 private slots:
  void startUp_data() {
    QTest::addColumn<double>("dpi");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QSize>("size");
    QTest::newRow("96, point") << 96.0 << false << QSize(1024, 768);
    QTest::newRow("120, comma") << 120.0 << true << QSize(1280, 960);
  }

  void startUp() {
    QFETCH(double, dpi);
    QFETCH(bool, comma);
    QFETCH(QSize, size);
    Harness h(comma, dpi);
    QVERIFY(h.loaded);
    QCOMPARE(h.w->windowTitle(), QString("Zidavoru ZOD: New File"));
    QCOMPARE(QString::fromStdString(h.z.lastdir), QString(ZOD_DATA_DIR));  // the program folder
    QCOMPARE(h.w->size(), size);
    const QRect screen = h.w->screen()->geometry();
    QCOMPARE(h.w->pos(), screen.topLeft() + QPoint((screen.width() - size.width()) / 2,
                                                   (screen.height() - size.height()) / 2));
    auto* pic = h.get<ResultPicture>("pic30");
    QCOMPARE(pic->unitX(), dpi / 12);
    QCOMPARE(pic->unitY(), dpi / 6);
    // numbers shown with the system's decimal separator
    QCOMPARE(h.box("ie")->text(), comma ? QString("2,10E+5") : QString("2.10E+5"));
    QCOMPARE(h.box("ipp")->text(), comma ? QString("-0,300") : QString("-0.300"));
    // the frames by fractions of the width, nothing cut off
    const double W = h.w->width();
    auto near = [&](int v, double fraction) { return std::abs(v - fraction * W) <= 2; };
    QVERIFY(near(h.get("fr30")->x(), 0.01) && near(h.get("fr30")->width(), 0.30) &&
            near(h.get("fr31")->x(), 0.315));
    QVERIFY(near(h.get("fr32")->x(), 0.65) && near(h.get("fr32")->geometry().right() + 1, 0.98));
    QCOMPARE(h.get("fr20")->geometry().bottom() + 1, h.get("fr30")->y());
    for (const char* f : {"fr10", "fr20", "fr30", "fr31", "fr32"})
      QVERIFY2(h.w->centralWidget()->rect().contains(h.get(f)->geometry()), f);
    for (const char* f : {"fr110", "fr111", "fr112", "fr120", "fr121", "fr123"})
      QVERIFY2(h.get("fr10")->rect().contains(h.get(f)->geometry()), f);
    // laid out once: resizing the window moves no frame
    const QRect fr32 = h.get("fr32")->geometry();
    h.w->resize(800, 600);
    QCOMPARE(h.get("fr32")->geometry(), fr32);
  }

  // Under a file-size limit (ulimit -f) a save larger than the limit fails
  // as any failed save does, "File too large", and ends nothing: the table
  // and the case not yet saved stay, so does the old file, and nothing is
  // left beside it. The saves run in a child process that starts with the
  // system's own answer to a write past the limit (to end the process) and
  // the limit set: only the program's start-up can keep it alive.
  void fileSizeLimitEndsNothing() {
    const QString folder = qEnvironmentVariable("ZOD_LIMITED_FOLDER");
    const QString project = "case.vtr", table = "Tank_in.csv";
    if (!folder.isEmpty()) {
      DbHarness d;
      const QString path = folder + "/" + project;
      d.h.open(path);
      d.h.type("il", "1234");
      d.h.msg.clear();
      d.h.menus().mnusave->trigger();
      QCOMPARE(d.h.msg.texts, QStringList{CantSave(path, EFBIG)});
      QCOMPARE(d.z().l, 1234.0f);
      d.open();
      d.table({"A", "B", "C", "D", "E", "F", "G", "H"});
      d.h.dialog.answers << folder + "/" + table;
      d.click("cmdSaveFile");
      QCOMPARE(d.msg.texts, QStringList{CantSave(folder + "/" + table, EFBIG)});
      QCOMPARE(d.z().dbrows, int16(8));
      return;
    }
    QTemporaryDir dir;
    {
      Harness h;
      h.saveAs(dir.filePath(project));
    }
    WriteBytes(dir.filePath(table), "End;\r\n");
    const QByteArray before = ReadBytes(dir.filePath(project));
    QVERIFY(before.size() > 128);
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({"fileSizeLimitEndsNothing"});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZOD_LIMITED_FOLDER", dir.path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.setChildProcessModifier([] {
      std::signal(SIGXFSZ, SIG_DFL);
      struct rlimit limit {};
      ::getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = 128;
      ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    child.start();
    QVERIFY(child.waitForFinished(120000));
    const QString said = QString::fromLocal8Bit(child.readAll());
    QVERIFY2(child.exitStatus() == QProcess::NormalExit, qPrintable("ended by a signal\n" + said));
    QVERIFY2(child.exitCode() == 0, qPrintable(said));
    QCOMPARE(ReadBytes(dir.filePath(project)), before);
    QCOMPARE(ReadBytes(dir.filePath(table)), QByteArray("End;\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
             (QStringList{table, project}));
  }

  // Without tables that can serve a new case the program cannot run: one
  // plain message naming the file and the row, and start-up reports the
  // failure. An empty file stands for none.
  void unusableDataFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents");  // null: the file is missing
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "ZODmat.dat" << QByteArray()
                             << "Error in databasefile ZODmat.dat: can't find file";
    QTest::newRow("no L profile") << "lprof.dat" << QByteArray("")
                                  << "Error in databasefile lprof.dat, row 1 ";
    QTest::newRow("two materials") << "ZODmat.dat"
                                   << QByteArray(
                                          "A,1,1,1,1,1,1,1,1,1,1,1,1,1\r\nB,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n")
                                   << "Error in databasefile ZODmat.dat, row 3 ";
    QTest::newRow("zeros") << "tprof.dat" << QByteArray("48,100,5,8\r\n0,0,0,0\r\n")
                           << "Error in databasefile tprof.dat, row 2 ";
  }
  void unusableDataFile() {
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    QTemporaryDir dir;
    for (const char* f : {"ZODmat.dat", "bfprof.dat", "lprof.dat", "tprof.dat", "fprof.dat"}) {
      if (f != file)
        QVERIFY(QFile::copy(QString(ZOD_DATA_DIR) + "/" + f, dir.filePath(f)));
      else if (!contents.isNull())
        WriteBytes(dir.filePath(f), contents);
    }
    Harness h(false, 96, nullptr, dir.path());
    QVERIFY(!h.loaded);
    QCOMPARE(h.msg.plainTexts.size(), 1);
    QCOMPARE(h.msg.texts, h.msg.plainTexts);
    QVERIFY2(h.msg.texts[0].startsWith(message), qPrintable(h.msg.texts[0]));
  }

  // The refresh from the default case (type 2, ring check on): the type's
  // option button runs its handler, which clears the ring flags for 0 and 3.
  void refreshByType_data() {
    QTest::addColumn<int>("cylinder");
    // 1 shown: fr120 fr121 fr123 fr124, pic31 pic32, mnuprofiles mnustiff
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("sketch");
    QTest::newRow("0") << 0 << QString("0010 00 0-") << QString("pic20");
    QTest::newRow("1") << 1 << QString("0110 01 10") << QString("pic21");
    QTest::newRow("2") << 2 << QString("1110 11 11") << QString("pic22");
    QTest::newRow("3") << 3 << QString("0001 10 0-") << QString("pic31");
  }

  void refreshByType() {
    QFETCH(int, cylinder);
    QFETCH(QString, shown);
    QFETCH(QString, sketch);
    Harness h;
    const bool stiffened = cylinder == 1 || cylinder == 2;
    h.z.hringch = 1;
    h.w->calcs = 0;
    h.refresh(cylinder);
    QVERIFY(h.get<QRadioButton>(QString("cylinder%1").arg(cylinder))->isChecked());
    // one calculation per handler the refresh sets off: the type's (not for
    // 2, already shown) and the heavy ring check's (the stiffened types)
    QCOMPARE(h.w->calcs, (cylinder != 2) + stiffened);
    QCOMPARE(h.z.ringch, int16(stiffened));
    QCOMPARE(h.z.hringch, int16(stiffened));
    QString seen;
    for (const char* f : {"fr120", "fr121", "fr123", "fr124", " ", "pic31", "pic32", " "})
      seen += *f == ' ' ? ' ' : h.shown(f) ? '1' : '0';
    seen += h.menus().mnuprofiles->menuAction()->isVisible() ? '1' : '0';
    seen += !stiffened ? '-' : h.menus().mnustiff->menuAction()->isVisible() ? '1' : '0';
    QCOMPARE(seen, shown);
    if (stiffened) QVERIFY(h.menus().mnuring->menuAction()->isVisible());
    for (const char* c : {"Outside_ch", "ring_ch", "hring_ch"}) QCOMPARE(h.shown(c), stiffened);
    // the result frames and the shell picture stay, whatever the type
    for (const char* f : {"fr30", "fr31", "fr32", "pic30"}) QVERIFY2(h.shown(f), f);
    QCOMPARE(h.w->currentSketchName(), sketch);
    QCOMPARE(h.get<QGroupBox>("fr31")->title(),
             QString(cylinder == 3 ? "Results Global Buckling" : "Results Stiffener Buckling"));
    if (cylinder == 3) {
      QWidget* f124 = h.get("fr124");
      QCOMPARE(f124->x(), h.get("fr123")->x());
      QCOMPARE(f124->y(), qRound(h.get("fr10")->height() - 1.06 * f124->height()));
      // the column's sketch follows its length, committed in either box
      h.type("icolL", h.box("il")->text());
      QCOMPARE(h.w->currentSketchName(), QString("pic30"));
      h.type("il", "9000");
      QCOMPARE(h.w->currentSketchName(), QString("pic31"));
      h.get<QRadioButton>("odmom2")->click();
      QCOMPARE(h.z.dmom, int16(1));
    }
    // both boxes of a shared field show it
    QCOMPARE(h.box("icolL")->text(), h.box("icyll")->text());
    QCOMPARE(h.box("ip")->text(), h.box("ipp")->text());
    // a second refresh of an unchanged case runs nothing
    h.w->calcs = 0;
    h.w->RefreshForm();
    QCOMPARE(h.w->calcs, 0);
    // a case of the type the window shows keeps its ring flags: no handler runs
    h.z.ringch = h.z.hringch = 1;
    h.w->RefreshForm();
    QVERIFY(h.z.ringch == 1 && h.z.hringch == 1 && h.w->calcs == 0);
  }

  void ringSwitches() {
    Harness h;
    auto* ring = h.get<QCheckBox>("ring_ch");
    auto* heavy = h.get<QCheckBox>("hring_ch");
    heavy->click();
    QCOMPARE(h.z.hringch, int16(1));
    ring->click();  // untick: the heavy ring check goes with it
    QVERIFY(!heavy->isChecked() && !h.shown("pic32"));
    QCOMPARE(h.z.hringch, int16(0));
    ring->click();  // ticked again: the heavy ring check stays off
    QVERIFY(h.z.ringch == 1 && h.z.hringch == 0 && !heavy->isChecked() && h.shown("pic32"));
    ring->click();  // and off again
    // a case with the heavy ring check but no ring check shows neither
    h.z.hringch = 1;
    h.w->RefreshForm();
    QVERIFY(!heavy->isChecked());
    QCOMPARE(h.z.hringch, int16(1));
    h.z.ringch = 1;
    h.z.outside = 5;
    h.refresh(1);
    QVERIFY(ring->isChecked() && heavy->isChecked() && h.get<QCheckBox>("Outside_ch")->isChecked());
    QCOMPARE(h.z.outside, int16(1));  // the check box's own handler stores what it shows
    QVERIFY(h.shown("pic32"));
    QCOMPARE(h.w->currentSketchName(), QString("pic26"));
    // switches that only recalculate
    h.refresh(2);
    QCOMPARE(h.w->currentSketchName(), QString("pic27"));
    h.w->calcs = 0;
    h.get<QRadioButton>("ringfab1")->click();
    h.get<QCheckBox>("check_ih")->click();
    QCOMPARE(h.z.ringfab, int16(1));
    QCOMPARE(h.z.checkih, int16(1));
    QCOMPARE(h.w->calcs, 2);
  }

  void designMethodKeepsTheCaseUsageFactor() {
    Harness h;
    h.z.ufb = 1.2;
    h.get<QRadioButton>("opt_wsd")->click();
    QCOMPARE(h.z.dmethod, int16(1));
    QCOMPARE(h.z.ufb, static_cast<double>(1.2f));
    QCOMPARE(h.get<QLabel>("text_ufb")->text(), QString("Basic Usage Factor, n0 ="));
    QVERIFY(h.shown("cmd_wsd") && !h.shown("cmd_lrfd"));
    h.get<QRadioButton>("opt_lrfd")->click();  // the user's choice resets UF
    QCOMPARE(h.z.ufb, 1.0);
    QVERIFY(h.z.dmethod == 0 && h.box("iufb")->text() == "1.00");
    QVERIFY(h.shown("cmd_lrfd") && !h.shown("cmd_wsd"));
    h.get<QPushButton>("cmd_lrfd")->click();
    QCOMPARE(
        h.msg.texts,
        QStringList{" For ALS condition, Allowable Usage Factor is recommended to be UF\u00A0=\u00A01.15 "});
    h.z.dmethod = 1;  // a case read keeps its own
    h.z.ufb = 0.85f;
    h.w->RefreshForm();
    QVERIFY(h.get<QRadioButton>("opt_wsd")->isChecked() && h.z.ufb == 0.85f);
    QCOMPARE(h.get<QLabel>("text_ufb")->text(), QString("Basic Usage Factor, n0 ="));
    h.z.dmethod = 0;
    h.z.ufb = 1.15f;
    h.w->RefreshForm();
    QVERIFY(h.get<QRadioButton>("opt_lrfd")->isChecked() && h.z.ufb == 1.15f);
    QCOMPARE(h.box("iufb")->text(), QString("1.15"));
    QCOMPARE(h.get<QLabel>("text_ufb")->text(), QString("Allowable Usage Factor UF ="));
    QVERIFY(h.shown("cmd_lrfd") && !h.shown("cmd_wsd"));
  }

  void materialLists() {
    Harness h;
    const int nmat = h.z.mat.nmat;
    for (const char* c : {"cbofyp", "cbofys", "cbofyg"}) {
      auto* combo = h.get<QComboBox>(c);
      QCOMPARE(combo->count(), nmat + 1);
      QCOMPARE(combo->itemText(nmat), QString::fromStdString(h.z.mat.matname[nmat]));
      QCOMPARE(combo->currentIndex(), 2);
    }
    // the user-defined material keeps the yield strength until one is typed
    const double fyp = h.z.fyp;
    const QString shown = h.box("ifyp")->text();
    emit h.get<QComboBox>("cbofyp")->activated(nmat);
    QVERIFY(h.box("ifyp")->isEnabled() && h.z.matp == nmat);
    QCOMPARE(h.z.fyp, fyp);
    QCOMPARE(h.box("ifyp")->text(), shown);
    // a table material: its value for the plate thickness, the box disabled
    h.w->calcs = 0;
    emit h.get<QComboBox>("cbofyp")->activated(0);
    QVERIFY(!h.box("ifyp")->isEnabled());
    State ref;
    ref.mat = h.z.mat;
    ref.t = h.z.t;
    GetFyp(ref, 0);
    QCOMPARE(h.z.fyp, ref.fyp);
    QCOMPARE(h.box("ifyp")->text(), QString::fromStdString(Format(ref.fyp, "#000")));
    QCOMPARE(h.w->calcs, 1);
    // each list works on its own field
    emit h.get<QComboBox>("cbofys")->activated(nmat);
    QVERIFY(h.box("ifys")->isEnabled());
    QCOMPARE(h.z.mats, int16(nmat));
    QCOMPARE(h.z.matp, int16(0));
  }

  // Text typed into a kind list opens nothing and changes no field, left by
  // Enter or by Tab; only a pick from the list does.
  void typedKindOpensNothing() {
    Harness h(RealBoxes{});
    auto* stiff = h.get<QComboBox>("cbostiff");
    for (int key : {int(Qt::Key_Return), int(Qt::Key_Tab)}) {
      stiff->setFocus(Qt::TabFocusReason);
      stiff->lineEdit()->selectAll();
      QTest::keyClicks(stiff, "RHS");
      QTest::keyClick(stiff, Qt::Key(key));
      QVERIFY(!stiff->hasFocus());
      QCOMPARE(stiff->currentText(), QString("L-table"));
      QCOMPARE(h.z.stifftype, int16(0));
      QVERIFY(!h.w->profileDialogs().find(Member::Stiffener, 7));
    }
    QCOMPARE(h.focusName(), QString("cbofys"));
    QVERIFY(h.said().isEmpty());
    stiff->showPopup();  // a pick from the list
    stiff->view()->setCurrentIndex(stiff->model()->index(7, 0));
    QTest::keyClick(stiff->view(), Qt::Key_Return);
    QVERIFY(h.w->profileDialogs().find(Member::Stiffener, 7));
    QCOMPARE(h.z.stifftype, int16(7));
  }

  // Which right-button releases pop up the Profiles menu.
  void rightClickRule_data() {
    QTest::addColumn<int>("cylinder");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("pops");
    QTest::newRow("box, type 2") << 2 << "icylr" << true;
    QTest::newRow("box, type 0") << 0 << "icylr" << false;
    QTest::newRow("result picture") << 1 << "pic30" << true;
    QTest::newRow("sketch") << 1 << "pic20" << true;
    QTest::newRow("label") << 2 << "Label5" << true;
    QTest::newRow("frame") << 2 << "fr111" << true;
    QTest::newRow("picture button") << 2 << "cmdpic_stiff" << true;
    QTest::newRow("type option") << 1 << "cylinder0" << true;
    QTest::newRow("ring check") << 2 << "ring_ch" << true;
    QTest::newRow("window") << 2 << "Form" << true;
    QTest::newRow("column, hidden in the bar") << 3 << "icolL" << true;
    QTest::newRow("cylinder3 not") << 2 << "cylinder3" << false;
    QTest::newRow("hring_ch not") << 2 << "hring_ch" << false;
    QTest::newRow("check_ih not") << 2 << "check_ih" << false;
    QTest::newRow("+/- not") << 2 << "Command3" << false;
    QTest::newRow("material list not") << 2 << "cbofyp" << false;
    QTest::newRow("moment option not") << 3 << "odmom1" << false;
    QTest::newRow("iufb not") << 2 << "iufb" << false;
    QTest::newRow("column box not") << 3 << "ik1" << false;
  }

  void rightClickRule() {
    QFETCH(int, cylinder);
    QFETCH(QString, control);
    QFETCH(bool, pops);
    Harness h;
    h.refresh(cylinder);
    for (Qt::MouseButton other : {Qt::LeftButton, Qt::MiddleButton}) {
      QTest::mouseRelease(h.get(control), other, {}, QPoint(3, 3));
      QVERIFY(!h.menus().mnuprofiles->isVisible());
    }
    QTest::mouseRelease(h.get(control), Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(h.menus().mnuprofiles->isVisible(), pops);
    h.menus().mnuprofiles->hide();
  }

  void resultPictures() {
    Harness h;
    auto* pic30 = h.get<ResultPicture>("pic30");
    QCOMPARE(pic30->rowText(0.3), QString::fromStdString(h.z.shellpanel.txt[0]));
    // the picture keeps what was drawn and paints it again
    const QImage first = pic30->grab().toImage();
    pic30->repaint();
    QCOMPARE(pic30->grab().toImage(), first);
    // the default case draws the note instead of the stiffener panel, the
    // column case the column panel
    auto* pic31 = h.get<ResultPicture>("pic31");
    QVERIFY(pic31->rowText(2.4).startsWith("Note: s/t>3* Sqr(r/t) ==>"));
    h.get<QRadioButton>("cylinder3")->click();
    QCOMPARE(pic31->rowText(0.3), QString::fromStdString(h.z.colpanel.txt[0]));
    // check_ih follows the sign of the pressure, which +/- turns over and
    // shows in the loading frame only
    h.get<QRadioButton>("cylinder2")->click();
    h.get<QCheckBox>("ring_ch")->click();
    QVERIFY(h.shown("check_ih"));
    const QString ip = h.box("ip")->text();
    h.w->calcs = 0;
    h.get<QPushButton>("Command3")->click();
    QVERIFY(!h.shown("check_ih"));  // recalculated
    QCOMPARE(h.z.pd, 0.3f);
    QCOMPARE(h.box("ipp")->text(), QString("0.300"));
    QCOMPARE(h.box("ip")->text(), ip);
    h.get<QPushButton>("Command3")->click();
    QCOMPARE(h.z.pd, -0.3f);
    QCOMPARE(h.box("ipp")->text(), QString("-0.300"));
    QCOMPARE(h.w->calcs, 2);
  }

  // A calculation that stops says in one line where and why, and until a run
  // finishes the pictures say that they hold no result of these inputs: the
  // usage factors of the inputs before are no longer shown in green.
  void stoppedCalculation() {
    Harness h;
    const QList<ResultPicture*> pics{h.get<ResultPicture>("pic30"), h.get<ResultPicture>("pic31"),
                                     h.get<ResultPicture>("pic32")};
    auto greens = [](ResultPicture* p) {
      const QImage img = p->grab().toImage();
      int n = 0;
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
          const QColor c = img.pixelColor(x, y);
          n += c.green() > 100 && c.red() < 80 && c.blue() < 80;
        }
      return n;
    };
    QVERIFY(greens(pics[0]) > 0);
    for (const char* b : {"isigx", "isigy", "itau"}) h.type(b, "0");
    QVERIFY(h.msg.texts.isEmpty());
    h.type("ipp", "0");
    QCOMPARE(h.msg.texts,
             QStringList{"The calculation stopped in the curved-panel buckling check: division by zero."});
    QVERIFY(!h.z.calcok);
    for (ResultPicture* p : pics) {
      QVERIFY(p->stale());
      QCOMPARE(greens(p), 0);
    }
    h.type("ipp", "-0.3");
    QVERIFY(h.z.calcok);
    for (ResultPicture* p : pics) QVERIFY(!p->stale());
    QVERIFY(greens(pics[0]) > 0);
  }

  void profileIcons() {
    for (const QString& n : ProfileIconNames()) {
      const QImage img = ProfileIcon(n, 32).toImage();
      QVERIFY2(!img.isNull(), qPrintable(n));
      // blue stiffeners, orange ring frames, at the middle of the profile
      QColor c = img.pixelColor(15, 20);
      if (n.contains("rhs") || n.contains("_u")) c = img.pixelColor(n.contains("rhs") ? 10 : 7, 20);
      QVERIFY2(n.contains("stiff") ? c.blue() > c.red() : c.red() > c.blue(), qPrintable(n));
    }
    Harness h;
    QCOMPARE(h.get("cmdpic_gird")->property("iconName").toString(), QString("ico_gird_t"));
  }

  // Every way of committing a box: what is shown, stored and said (in real
  // message boxes), where the focus ends and how often the case is
  // calculated. The user leaves for another box, which must not be committed
  // on the way when the focus comes back. A value equal to its limit passes.
  void commit_data() {
    QTest::addColumn<Commit>("c");
    const double kept = std::nan("");
    const QString mismatch = "Input string mismatch ";
    const QString lt = " lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ";  // engine and igilt
    auto row = [](const char* tag, const Commit& c) { QTest::newRow(tag) << c; };
    row("cylr below", {0, false, "icylr", "40", false, "40", 40, " cylr >= 50 ", true, 1});
    row("cylr at limit", {0, false, "icylr", "50", false, "50", 50, lt, false, 1});
    row("cylr empty reads 0", {0, false, "icylr", "", false, "00", 0, " cylr >= 50 ", true, 1});
    row("cylr leading number", {2, false, "icylr", "1234x", false, "1234", 1234, "", false, 1});
    row("l lets the focus go", {2, false, "il", "40", false, "40", 40, " l >= 50 ", false, 1});
    row("l at limit", {2, false, "il", "50", false, "50", 50, "", false, 1});
    row("t below", {2, false, "it", "0.05", false, "0.1", 0.05f, " 0.1 <= t ", true, 1});
    row("t at limit", {2, false, "it", "0.1", false, "0.1", 0.1f, "", false, 1});
    row("E below, no calculation",
        {2, false, "ie", "999", false, "9.99E+2", 999, " 1000 <= E-modulus ", true, 0});
    row("E shown as 1000", {2, false, "ie", "999.6", false, "1.00E+3", 999.6f, "", false, 0});
    row("fyp below", {0, false, "ifyp", "49", false, "049", 49, " 50 <= fyp <= 2000 ", true, 1});
    row("fyp at limit", {0, false, "ifyp", "50", false, "050", 50, "", false, 1});
    row("fyp above", {0, false, "ifyp", "2001", false, "2001", 2001, " 50 <= fyp <= 2000 ", true, 1});
    row("fys below", {2, false, "ifys", "49", false, "049", 49, " 50 <= fys <= 2000 ", true, 1});
    row("fys at limit", {2, false, "ifys", "2000", false, "2000", 2000, "", false, 1});
    row("fyg at limit", {1, false, "ifyg", "2000", false, "2000", 2000, "", false, 1});
    row("fyg above", {1, false, "ifyg", "2001", false, "2001", 2001, " 50 <= fyr <= 2000 ", true, 1});
    row("s below", {2, false, "is1", "5", false, "05", 5, " 10 <= s   ", true, 1});
    row("s at limit", {2, false, "is1", "10", false, "10", 10, "", false, 1});
    row("s above radius", {2, false, "is1", "2000", false, "2000", 2000, " s  <= r  ", false, 1});
    row("s equal to radius", {2, false, "is1", "1500", false, "1500", 1500, "", false, 1});
    row("lt below", {2, false, "ilt", "40", false, "40", 40, " 50 <= lt ", true, 1});
    row("lt at limit", {2, false, "ilt", "50", false, "50", 50, "", false, 1});
    row("L shown as 50", {2, false, "icyll", "49.7", false, "50", 49.7f, " L >= 50  ", true, 1});
    row("L at 50, below l", {1, false, "icyll", "50", false, "50", 50, " L >= l  ", true, 1});
    row("L below l", {1, false, "icyll", "2000", false, "2000", 2000, " L >= l  ", true, 1});
    row("L equal to l", {1, false, "icyll", "3000", false, "3000", 3000, "", false, 1});
    row("ring lt below", {1, false, "igilt", "40", false, "40", 40, " 50 <= lt ", true, 1});
    row("ring lt at limit", {1, false, "igilt", "50", false, "50", 50, "", false, 1});
    row("ring lt above pi*Sqr(r*h), less 1", {1, false, "igilt", "5000", false, "769", 768.53, lt, true, 1});
    row("column L below", {3, false, "icolL", "40", false, "40", 40, " L >= 50  ", true, 1});
    row("column L at limit", {3, false, "icolL", "50", false, "50", 50, "", false, 1});
    row("column L below l", {3, false, "icolL", "60", false, "60", 60, "", false, 1});
    row("k1 below", {3, false, "ik1", "0.1", false, "0.10", 0.1f, " k1 >= 0.2  ", true, 1});
    row("k1 at limit", {3, false, "ik1", "0.2", false, "0.20", 0.2f, "", false, 1});
    row("k2 below", {3, false, "ik2", "0.19", false, "0.19", 0.19f, " k2 >= 0.2  ", true, 1});
    row("k2 at limit", {3, false, "ik2", "0.2", false, "0.20", 0.2f, "", false, 1});
    row("n", {3, false, "inn", "12.34", false, "12.3", 12.34f, "", false, 1});
    row("m2b", {3, false, "im2b", "-7", false, "-7.0", -7, "", false, 1});
    row("column pd", {3, false, "ip", "0.25", false, "0.250", 0.25, "", false, 1});
    row("sigx", {2, false, "isigx", "-50", false, "-50.0", -50, "", false, 1});
    row("pd", {0, false, "ipp", "1", false, "1.000", 1, "", false, 1});
    row("UF above keeps the colour", {2, false, "iufb", "2", false, "2.00", 2, " 0.5 < UF < 1.5 ", true, 0});
    row("UF below", {2, false, "iufb", "0.4", false, "0.40", 0.4f, " 0.5 < UF < 1.5 ", true, 0});
    row("UF at limit", {2, false, "iufb", "0.5", false, "0.50", 0.5, "", false, 1});
    row("UF at upper limit", {2, false, "iufb", "1.5", false, "1.50", 1.5, "", false, 1});
    row("project name", {2, false, "iproj", " pier", false, "Project pier", kept, "", false, 0});
    row("comma system, point typed", {2, true, "it", "12.5", false, "12,5", 12.5, "", false, 1});
    row("comma system, comma typed", {2, true, "icylr", "1234,4", false, "1234", 1234.4f, "", false, 1});
    row("point system, comma typed", {2, false, "it", "12,5", false, "12.5", 12.5, "", false, 1});
    row("comma system, letters", {2, true, "icylr", "abc", false, "abc", kept, mismatch, true, 0});
    row("comma system, empty", {2, true, "icylr", "", false, "", kept, mismatch, true, 0});
    row("comma system, l put back", {2, true, "il", "abc", false, "3000", kept, mismatch, true, 1});
    row("comma system, UF", {2, true, "iufb", "x", false, "x", kept, mismatch, true, 0});
    // beyond single precision: nothing said, nothing stored, and the box left
    // shows what the case still holds
    row("beyond range", {2, false, "icylr", "1e39", false, "1500", kept, "", false, 0});
    row("comma system, beyond range", {2, true, "it", "-1e39", false, "20,0", kept, "", false, 0});
    row("l beyond range put back", {2, false, "il", "1e39", false, "3000", kept, "", false, 1});
    row("Enter beyond range", {3, false, "im1a", "1e39", true, "1e39", kept, "", true, 0});
    // Enter stores what the box shows and moves on, or stays on a failed check
    row("Enter stores the shown value", {3, false, "im1a", "12.34", true, "12.3", 12.3f, "", false, 1});
    row("Enter on a failed check", {2, false, "is1", "2000", true, "2000", 2000, " s  <= r  ", true, 0});
    row("Enter on k1 below", {3, false, "ik1", "0.1", true, "0.10", 0.1f, " k1 >= 0.2  ", true, 0});
    row("Enter on lt at limit", {2, false, "ilt", "50", true, "50", 50, "", false, 1});
    row("Enter on letters", {2, true, "isigx", "abc", true, "abc", kept, mismatch, true, 0});
    row("Enter on letters, point system", {2, false, "isigx", "abc", true, "0.0", 0, "", false, 1});
  }

  void commit() {
    QFETCH(Commit, c);
    Harness h(RealBoxes{}, c.comma);
    h.z.matp = h.z.mats = h.z.matg = h.z.mat.nmat;  // yield strengths typed in
    h.refresh(c.cylinder);
    const InputBox& def = BoxDef(IdOf(c.name));
    const bool numeric = def.value != nullptr;
    const double before = numeric ? def.value(h.z) : 0;
    const QString other = c.name == "icylr" ? "it" : "icylr";
    const double otherBefore = BoxDef(IdOf(other)).value(h.z);
    h.clearSaid();
    // getting the focus: yellow, the whole number selected
    h.box(c.name)->setFocus();
    QVERIFY(h.yellow(c.name));
    QCOMPARE(h.box(c.name)->selectedText(), numeric ? h.box(c.name)->text() : QString());
    h.typeInto(c.name, c.typed);
    h.w->calcs = 0;
    if (c.enter)
      QTest::keyClick(h.box(c.name), Qt::Key_Return);
    else
      h.box(other)->setFocus(Qt::MouseFocusReason);

    QCOMPARE(h.box(c.name)->text(), c.shown);
    if (numeric)
      QCOMPARE(static_cast<float>(def.value(h.z)),
               static_cast<float>(std::isnan(c.stored) ? before : c.stored));
    else
      QCOMPARE(QString::fromStdString(h.z.proj), c.shown);
    QCOMPARE(h.said().value(0), c.message);
    if (c.message.isEmpty()) QVERIFY2(h.said().isEmpty(), qPrintable(h.said().join('|')));
    QTRY_COMPARE(h.box(c.name)->hasFocus(), c.focusBack);
    QCOMPARE(h.w->calcs, c.calcs);
    QCOMPARE(h.yellow(c.name), c.focusBack);
    QCOMPARE(BoxDef(IdOf(other)).value(h.z), otherBefore);
  }

  // Enter walks the focus chain and passes over the frames the type hides;
  // the yield boxes are visited only for the user-defined material, and the
  // plate's list leads past a disabled one to the first frame shown.
  void enterRound_data() {
    QTest::addColumn<int>("cylinder");
    QTest::addColumn<bool>("userMaterial");
    QTest::addColumn<QStringList>("round");
    const QStringList plate{"icylr", "il", "it", "ie", "cbofyp"};
    const QStringList loading{"isigx", "isigy", "itau", "ipp"};
    const QStringList ident{"iproj", "iident", "iufb", "icylr"};
    const QStringList ring{"icyll", "igilt", "cboring", "cbofyg"};
    const QStringList stiff{"is1", "ilt", "cbostiff", "cbofys"};
    const QStringList column{"icolL", "ik1", "ik2", "inn", "ip", "im1a", "im1b", "im2a", "im2b"};
    const QStringList fyp{"ifyp"}, fys{"ifys"}, fyg{"ifyg"};
    QTest::newRow("0") << 0 << false << plate + loading + ident;
    QTest::newRow("0 user material") << 0 << true << plate + fyp + loading + ident;
    QTest::newRow("1") << 1 << false << plate + ring + loading + ident;
    QTest::newRow("1 user material") << 1 << true << plate + fyp + ring + fyg + loading + ident;
    QTest::newRow("2") << 2 << false << plate + stiff + ring + loading + ident;
    QTest::newRow("2 user material") << 2 << true << plate + fyp + stiff + fys + ring + fyg + loading + ident;
    QTest::newRow("3") << 3 << false << plate + column + ident;
    QTest::newRow("3 user material") << 3 << true << plate + fyp + column + ident;
  }

  void enterRound() {
    QFETCH(int, cylinder);
    QFETCH(bool, userMaterial);
    QFETCH(QStringList, round);
    Harness h(RealBoxes{});
    if (userMaterial) h.z.matp = h.z.mats = h.z.matg = h.z.mat.nmat;
    h.refresh(cylinder);
    h.box("icylr")->setFocus();
    QStringList seen{h.focusName()};
    for (int i = 1; i < round.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      seen << h.focusName();
    }
    QCOMPARE(seen, round);
    QVERIFY2(h.said().isEmpty(), qPrintable(h.said().join('|')));
  }

  // With a real, modal message box the focus goes to the box and back: the box
  // that failed gets the focus again, and the box the user moved to is not
  // committed on the way.
  // The box, owned by the main window, is wide enough for its title.
  void realMessageBoxKeepsTheFocusOnTheBox() {
    BoxMessenger boxes;
    Harness h(false, 96, &boxes);
    BoxAnswerer user;
    h.typeInto("icylr", "40");
    h.w->calcs = 0;
    QTest::keyClick(h.box("icylr"), Qt::Key_Tab);
    QTRY_VERIFY(h.box("icylr")->hasFocus());
    QCOMPARE(user.texts.value(0), QString(" cylr >= 50 "));
    QCOMPARE(user.owners.value(0), QString("veltrane"));
    QFont title;  // as a desktop's title bar sets it, with room for its three buttons
    title.setPointSize(11);
    title.setBold(true);
    QVERIFY(user.widths.value(0) >= QFontMetrics(title).horizontalAdvance("Zidavoru ZOD") + 110);
    QCOMPARE(h.z.cylr, 40.0f);
    QCOMPARE(h.w->calcs, 1);
    QVERIFY(h.yellow("icylr"));
    QCOMPARE(QApplication::activeWindow(), h.w.get());
  }

  // A menu is no leaving of the box being edited: Alt+F and Escape, or Alt
  // alone (the menu bar takes the keys) and Escape, commit nothing and raise
  // no box; the user goes on typing where he was.
  void menusCommitNothing_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Alt+F, Escape, Escape") << true;
    QTest::newRow("click, Escape, Escape") << false;
  }
  void menusCommitNothing() {
    QFETCH(bool, byKey);
    BoxMessenger boxes;
    Harness h(false, 96, &boxes);
    BoxAnswerer user;
    const float cylr = h.z.cylr;
    h.typeInto("icylr", "4");
    h.w->calcs = 0;
    QMenu* file = h.menus().mnufile;
    QMenuBar* bar = h.w->menuBar();
    if (byKey)
      QTest::keyClick(h.w->windowHandle(), Qt::Key_F, Qt::AltModifier);
    else
      QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    // Escape to the menu while it is open, then to the menu bar while it has the keys
    for (int i = 0; i < 4; ++i) {
      QTest::qWait(20);
      QWidget* keys = QApplication::activePopupWidget();
      if (!keys && QApplication::focusWidget() == bar) keys = bar;
      if (keys) QTest::keyClick(keys, Qt::Key_Escape);
    }
    QTRY_VERIFY(h.box("icylr")->hasFocus());
    QTest::keyClicks(h.box("icylr"), "0");
    QCOMPARE(h.box("icylr")->text(), QString("40"));
    QCOMPARE(user.texts, QStringList());
    QCOMPARE(h.z.cylr, cylr);
    QCOMPARE(h.w->calcs, 0);
    QVERIFY(h.yellow("icylr"));
  }

  // Focus moves that are no leaving commit nothing: another window taking
  // the activation for a while (typing goes on where it was), and opening a
  // case of another type, which hides the box being typed in.
  void focusMovesThatCommitNothing() {
    Harness h(RealBoxes{});
    const double cylr = h.z.cylr, s = h.z.s;
    h.typeInto("icylr", "4");
    h.menus().stiffItems[3]->trigger();
    WaitActive(h.w->profileDialogs().find(Member::Stiffener, 3));
    h.w->activateWindow();
    WaitActive(h.w.get());
    QTest::keyClicks(h.box("icylr"), "000");
    QCOMPARE(h.box("icylr")->text(), QString("4000"));
    QCOMPARE(h.z.cylr, cylr);
    h.typeInto("is1", "2000");
    h.refresh(0);
    QVERIFY(!h.box("is1")->hasFocus() && !h.yellow("is1"));
    QCOMPARE(h.z.s, s);
    QVERIFY2(h.said().isEmpty(), qPrintable(h.said().join('|')));
  }
};

QTEST_MAIN(TestVeltraneWindow)
#include "test_veltrane_window.moc"
