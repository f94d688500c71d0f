// The main window as a whole: start-up, layout, the refresh by cylinder type
// with the handlers it sets off, the choices and buttons, the right-click
// rule and the result pictures.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "engine/format.h"
#include "mainwindow/messenger.h"
#include "mainwindow/profileicons.h"
#include "mainwindow/resultpicture.h"
#include "mainwindow/veltrane.h"

using namespace zod;

namespace {

class CountingWindow : public Veltrane {
 public:
  using Veltrane::Veltrane;
  int calcs = 0;

 protected:
  void calculate() override {
    ++calcs;
    Veltrane::calculate();
  }
};

struct Harness {
  State z;
  RecordingMessenger recorder;
  std::unique_ptr<CountingWindow> w;

  explicit Harness(double dpi = 96, Messenger* messenger = nullptr, const QString& data = ZOD_DATA_DIR) {
    Veltrane::Options opt;
    opt.locale = QLocale::c();
    opt.dpi = dpi;
    w = std::make_unique<CountingWindow>(z, messenger ? *messenger : recorder, opt);
    loaded = w->FormLoad(data);
    if (!loaded) return;
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
  }
  bool loaded = false;
  template <class T = QWidget>
  T* get(const char* name) const {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
  }
  bool shown(const char* name) const { return get(name)->isVisibleTo(w.get()); }
  QLineEdit* box(const char* name) const { return get<QLineEdit>(name); }
  void refresh(int cylinder) {
    z.cylinder = static_cast<int16>(cylinder);
    w->RefreshForm();
  }
};

}  // namespace

class TestVeltraneWindow : public QObject {
  Q_OBJECT

 private slots:
  void startUpSize_data();
  void startUpSize();
  void startUpState();
  void layoutByFractions();
  void missingDataFile();
  void damagedDataFile();
  void everyControlIsThere();
  void refreshByType_data();
  void refreshByType();
  void refreshSwitches();
  void refreshRunsTheNestedHandlers();
  void refreshKeepsTheUsageFactor();
  void columnSketchFollowsLength();
  void designMethod();
  void ringSwitches();
  void cylinderTypeClearsRingFlags_data();
  void cylinderTypeClearsRingFlags();
  void signButton();
  void materialLists();
  void openersInstalled();
  void profileKindChoice();
  void alsAdvice();
  void rightClickRule_data();
  void rightClickRule();
  void resultPictures();
  void profileIcons();
  void realMessageBoxKeepsTheFocusOnTheBox();
};

void TestVeltraneWindow::startUpSize_data() {
  QTest::addColumn<double>("dpi");
  QTest::addColumn<QSize>("size");
  QTest::newRow("96") << 96.0 << QSize(1024, 768);
  QTest::newRow("120") << 120.0 << QSize(1280, 960);
}

void TestVeltraneWindow::startUpSize() {
  QFETCH(double, dpi);
  QFETCH(QSize, size);
  Harness h(dpi);
  QCOMPARE(h.w->size(), size);
  QCOMPARE(h.z.dpix, dpi);
  const QRect screen = h.w->screen()->geometry();
  QCOMPARE(h.w->pos(), screen.topLeft() + QPoint((screen.width() - size.width()) / 2,
                                                 (screen.height() - size.height()) / 2));
  auto* pic = h.get<ResultPicture>("pic30");
  QCOMPARE(pic->unitX(), dpi / 12);
  QCOMPARE(pic->unitY(), dpi / 6);
}

void TestVeltraneWindow::startUpState() {
  Harness h;
  QVERIFY(h.loaded);
  QCOMPARE(h.w->windowTitle(), QString("Zidavoru ZOD: New File"));
  QCOMPARE(QString::fromStdString(h.z.apppath), QString(ZOD_DATA_DIR));
  QCOMPARE(h.z.lastdir, h.z.apppath);
  QCOMPARE(h.z.commadec, int16(0));
  QCOMPARE(h.z.decsep, '.');
  QCOMPARE(h.box("icylr")->text(), QString("1500"));
  QCOMPARE(h.box("ie")->text(), QString("2.10E+5"));
  QCOMPARE(h.box("ipp")->text(), QString("-0.300"));
  QVERIFY(h.w->calcs >= 1);
  QVERIFY(!h.get<ResultPicture>("pic30")->items().empty());
}

void TestVeltraneWindow::layoutByFractions() {
  Harness h;
  const double W = h.w->width();
  auto near = [&](int v, double fraction) { return std::abs(v - fraction * W) <= 2; };
  QVERIFY(near(h.get("fr30")->x(), 0.01));
  QVERIFY(near(h.get("fr30")->width(), 0.30));
  QVERIFY(near(h.get("fr31")->x(), 0.315));
  QVERIFY(near(h.get("fr32")->x(), 0.65));
  QVERIFY(near(h.get("fr32")->geometry().right() + 1, 0.98));
  QCOMPARE(h.get("fr20")->geometry().bottom() + 1, h.get("fr30")->y());
  // every frame ends inside the window, nothing cut off
  for (const char* f : {"fr10", "fr20", "fr30", "fr31", "fr32"})
    QVERIFY2(h.w->centralWidget()->rect().contains(h.get(f)->geometry()), f);
  for (const char* f : {"fr110", "fr111", "fr112", "fr120", "fr121", "fr123"})
    QVERIFY2(h.get("fr10")->rect().contains(h.get(f)->geometry()), f);
  // resizing moves nothing
  const QRect before = h.get("fr32")->geometry();
  h.w->resize(800, 600);
  QCOMPARE(h.get("fr32")->geometry(), before);
}

void TestVeltraneWindow::missingDataFile() {
  QTemporaryDir empty;
  Harness h(96, nullptr, empty.path());
  QVERIFY(!h.loaded);
  QCOMPARE(h.recorder.texts.size(), 1);
  QVERIFY(h.recorder.texts[0].startsWith("Error in databasefile"));
  QVERIFY2(h.recorder.texts[0].contains("ZODmat.dat"), qPrintable(h.recorder.texts[0]));
}

void TestVeltraneWindow::damagedDataFile() {
  QTemporaryDir dir;
  for (const char* f : {"ZODmat.dat", "bfprof.dat", "lprof.dat", "tprof.dat", "fprof.dat"})
    QVERIFY(QFile::copy(QString(ZOD_DATA_DIR) + "/" + f, dir.filePath(f)));
  QFile t(dir.filePath("tprof.dat"));
  QVERIFY(t.open(QIODevice::Append));
  t.write("\r\n100,abc,7,9\r\n");
  t.close();
  Harness h(96, nullptr, dir.path());
  QVERIFY(!h.loaded);
  QVERIFY2(h.recorder.texts.value(0).contains("tprof.dat"), qPrintable(h.recorder.texts.value(0)));
}

void TestVeltraneWindow::everyControlIsThere() {
  Harness h;
  const char* const names[] = {
      "fr10",         "fr110",       "fr111",     "fr1111",    "fr112",     "fr120",     "fr121",
      "fr123",        "fr124",       "fr12",      "fr20",      "fr30",      "fr31",      "fr32",
      "pic20",        "pic30",       "pic31",     "pic32",     "cbofyp",    "cbofys",    "cbofyg",
      "cbostiff",     "cboring",     "cylinder0", "cylinder1", "cylinder2", "cylinder3", "opt_lrfd",
      "opt_wsd",      "odmom1",      "odmom2",    "ringfab0",  "ringfab1",  "ring_ch",   "hring_ch",
      "Outside_ch",   "check_ih",    "cmd_lrfd",  "cmd_wsd",   "Picture",   "Command3",  "cmdDatabase",
      "cmdpic_stiff", "cmdpic_gird", "text_ufb",  "txt1",      "stiffprof", "ringprof",  "icylr",
      "il",           "it",          "ie",        "ifyp",      "ifys",      "ifyg",      "is1",
      "ilt",          "icyll",       "igilt",     "icolL",     "ik1",       "ik2",       "inn",
      "ip",           "im1a",        "im1b",      "im2a",      "im2b",      "isigx",     "isigy",
      "itau",         "ipp",         "iufb",      "iproj",     "iident"};
  for (const char* n : names) QVERIFY2(h.w->findChild<QWidget*>(n), n);
  QCOMPARE(h.get<QGroupBox>("fr120")->title(), QString("Stiffener data  (mm)"));
  QCOMPARE(h.get<QGroupBox>("fr12")->title(), QString("Dimensioning moments  for buckling"));
  QCOMPARE(h.get<QPushButton>("cmdDatabase")->text(), QString("Add  to Database"));
  QCOMPARE(h.get<QRadioButton>("cylinder2")->text(), QString("Stringer stiffened "));
  QCOMPARE(h.get("check_ih")->toolTip(),
           QString(" If the cylinder is effectively supported at the ends, see also definition of L "));
  QCOMPARE(h.get("opt_lrfd")->toolTip(), QString(" UFpermissible = 1.0 "));
  QCOMPARE(h.get("odmom2")->toolTip(), QString(" Ref Norsok N-004, Table 6-2, Note 1 "));
  QCOMPARE(h.get("ringfab0")->toolTip(), QString(" Welded profile "));
  QCOMPARE(h.get<QLabel>("txt1")->text(),
           QString("Note 1: Negative sigx / sigy = compression \nNote 2: Positive pd = inside pressure "));
}

void TestVeltraneWindow::refreshByType_data() {
  QTest::addColumn<int>("cylinder");
  QTest::addColumn<QString>("frames");    // fr120 fr121 fr123 fr124, 1 shown
  QTest::addColumn<QString>("pictures");  // pic31 pic32
  QTest::addColumn<bool>("switches");
  QTest::addColumn<QString>("sketch");
  QTest::addColumn<QString>("fr31");
  QTest::newRow("0") << 0 << "0010"
                     << "00" << false << "pic20"
                     << "Results Stiffener Buckling";
  QTest::newRow("1") << 1 << "0110"
                     << "01" << true << "pic21"
                     << "Results Stiffener Buckling";
  QTest::newRow("2") << 2 << "1110"
                     << "11" << true << "pic22"
                     << "Results Stiffener Buckling";
  QTest::newRow("3") << 3 << "0001"
                     << "10" << false << "pic31"
                     << "Results Global Buckling";
}

void TestVeltraneWindow::refreshByType() {
  QFETCH(int, cylinder);
  QFETCH(QString, frames);
  QFETCH(QString, pictures);
  QFETCH(bool, switches);
  QFETCH(QString, sketch);
  QFETCH(QString, fr31);
  Harness h;
  QMenu profiles("&Profiles");
  profiles.setObjectName("mnuprofiles");
  QMenu* stiff = profiles.addMenu("&Longitudinal stiffener");
  stiff->setObjectName("mnustiff");
  QMenu* ring = profiles.addMenu("&Ringframe Profile");
  ring->setObjectName("mnuring");
  h.w->setProfilesMenu(&profiles);

  h.z.ringch = 1;
  h.refresh(cylinder);
  QCOMPARE(h.get<QRadioButton>(qPrintable(QString("cylinder%1").arg(cylinder)))->isChecked(), true);
  QString seen;
  for (const char* f : {"fr120", "fr121", "fr123", "fr124"}) seen += h.shown(f) ? '1' : '0';
  QCOMPARE(seen, frames);
  QCOMPARE(QString("%1%2").arg(h.shown("pic31")).arg(h.shown("pic32")), pictures);
  for (const char* c : {"Outside_ch", "ring_ch", "hring_ch"}) QCOMPARE(h.shown(c), switches);
  QVERIFY(h.shown("pic30") && h.shown("fr30") && h.shown("fr31") && h.shown("fr32"));
  QCOMPARE(h.w->currentSketchName(), sketch);
  QCOMPARE(h.get<QGroupBox>("fr31")->title(), fr31);
  QCOMPARE(profiles.menuAction()->isVisible(), cylinder == 1 || cylinder == 2);
  if (cylinder == 1 || cylinder == 2) QCOMPARE(stiff->menuAction()->isVisible(), cylinder == 2);
  if (cylinder == 3) {
    QWidget* f124 = h.get("fr124");
    QCOMPARE(f124->x(), h.get("fr123")->x());
    QCOMPARE(f124->y(), qRound(h.get("fr10")->height() - 1.06 * f124->height()));
  }
  // both boxes of a shared field show it
  QCOMPARE(h.box("icolL")->text(), h.box("icyll")->text());
  QCOMPARE(h.box("ip")->text(), h.box("ipp")->text());
}

void TestVeltraneWindow::refreshSwitches() {
  Harness h;
  h.z.ringch = 0;
  h.z.hringch = 1;
  h.refresh(2);
  QVERIFY(!h.get<QCheckBox>("ring_ch")->isChecked());
  QVERIFY(!h.get<QCheckBox>("hring_ch")->isChecked());
  QVERIFY(!h.shown("pic32"));
  h.z.ringch = 1;
  h.z.hringch = 1;
  h.z.outside = 5;
  h.refresh(2);
  QVERIFY(h.get<QCheckBox>("ring_ch")->isChecked());
  QVERIFY(h.get<QCheckBox>("hring_ch")->isChecked());
  QVERIFY(h.get<QCheckBox>("Outside_ch")->isChecked());
  QCOMPARE(h.z.outside, int16(1));  // the check box's own handler stores what it shows
  QVERIFY(h.shown("pic32"));
  QCOMPARE(h.w->currentSketchName(), QString("pic27"));
  h.refresh(1);
  QCOMPARE(h.w->currentSketchName(), QString("pic26"));
}

void TestVeltraneWindow::refreshRunsTheNestedHandlers() {
  Harness h;  // shows type 2 with the ring check on
  h.z.cylinder = 0;
  h.z.ringch = 1;
  h.z.hringch = 1;
  h.w->calcs = 0;
  h.w->RefreshForm();
  QCOMPARE(h.z.ringch, int16(0));
  QCOMPARE(h.z.hringch, int16(0));
  QVERIFY(h.w->calcs >= 1);
  // the window already shows type 0: nothing runs, the flags stay
  h.z.ringch = 1;
  h.w->calcs = 0;
  h.w->RefreshForm();
  QCOMPARE(h.z.ringch, int16(1));
  QCOMPARE(h.w->calcs, 0);
  // a second refresh of an unchanged case changes nothing
  h.w->RefreshForm();
  QCOMPARE(h.w->calcs, 0);
}

void TestVeltraneWindow::refreshKeepsTheUsageFactor() {
  Harness h;
  h.z.dmethod = 1;
  h.w->RefreshForm();
  QVERIFY(h.get<QRadioButton>("opt_wsd")->isChecked());
  QCOMPARE(h.get<QLabel>("text_ufb")->text(), QString("Basic Usage Factor, n0 ="));
  h.z.dmethod = 0;
  h.z.ufb = 1.15f;
  h.w->RefreshForm();
  QVERIFY(h.get<QRadioButton>("opt_lrfd")->isChecked());
  QCOMPARE(h.z.ufb, static_cast<double>(1.15f));
  QCOMPARE(h.box("iufb")->text(), QString("1.15"));
  QCOMPARE(h.get<QLabel>("text_ufb")->text(), QString("Allowable Usage Factor UF ="));
  QVERIFY(h.shown("cmd_lrfd") && !h.shown("cmd_wsd"));
}

void TestVeltraneWindow::columnSketchFollowsLength() {
  Harness h;
  h.z.cyll = h.z.l;
  h.refresh(3);
  QCOMPARE(h.w->currentSketchName(), QString("pic30"));
  h.box("icolL")->setFocus();
  h.box("icolL")->setText("9000");
  h.get("cbofyp")->setFocus();
  QCOMPARE(h.w->currentSketchName(), QString("pic31"));
  h.box("il")->setFocus();
  h.box("il")->setText("9000");
  h.get("cbofyp")->setFocus();
  QCOMPARE(h.w->currentSketchName(), QString("pic30"));
}

void TestVeltraneWindow::designMethod() {
  Harness h;
  h.z.ufb = 1.2;
  h.get<QRadioButton>("opt_wsd")->click();
  QCOMPARE(h.z.dmethod, int16(1));
  QCOMPARE(h.z.ufb, static_cast<double>(1.2f));  // kept in single precision
  QVERIFY(h.shown("cmd_wsd") && !h.shown("cmd_lrfd"));
  h.get<QRadioButton>("opt_lrfd")->click();
  QCOMPARE(h.z.dmethod, int16(0));
  QCOMPARE(h.z.ufb, 1.0);
  QCOMPARE(h.box("iufb")->text(), QString("1.00"));
  QVERIFY(h.shown("cmd_lrfd") && !h.shown("cmd_wsd"));
}

void TestVeltraneWindow::ringSwitches() {
  Harness h;
  auto* ring = h.get<QCheckBox>("ring_ch");
  auto* heavy = h.get<QCheckBox>("hring_ch");
  heavy->click();
  QCOMPARE(h.z.hringch, int16(1));
  ring->click();  // untick
  QCOMPARE(h.z.ringch, int16(0));
  QCOMPARE(h.z.hringch, int16(0));
  QVERIFY(!heavy->isChecked());
  QVERIFY(!h.shown("pic32"));
  ring->click();  // tick again: the heavy ring check stays off
  QCOMPARE(h.z.ringch, int16(1));
  QCOMPARE(h.z.hringch, int16(0));
  QVERIFY(h.shown("pic32"));
  // switches that only recalculate
  h.w->calcs = 0;
  h.get<QRadioButton>("ringfab1")->click();
  QCOMPARE(h.z.ringfab, int16(1));
  h.get<QCheckBox>("check_ih")->click();
  QCOMPARE(h.z.checkih, int16(1));
  QCOMPARE(h.w->calcs, 2);
}

void TestVeltraneWindow::cylinderTypeClearsRingFlags_data() {
  QTest::addColumn<int>("cylinder");
  QTest::addColumn<bool>("clears");
  QTest::newRow("0") << 0 << true;
  QTest::newRow("1") << 1 << false;
  QTest::newRow("3") << 3 << true;
}

void TestVeltraneWindow::cylinderTypeClearsRingFlags() {
  QFETCH(int, cylinder);
  QFETCH(bool, clears);
  Harness h;
  h.get<QCheckBox>("hring_ch")->click();
  h.get<QRadioButton>(qPrintable(QString("cylinder%1").arg(cylinder)))->click();
  QCOMPARE(h.z.cylinder, int16(cylinder));
  QCOMPARE(h.z.ringch, int16(clears ? 0 : 1));
  QCOMPARE(h.z.hringch, int16(clears ? 0 : 1));
  if (cylinder == 3) {
    // the column case recalculates with the stress of the axial force
    h.get<QRadioButton>("odmom2")->click();
    QCOMPARE(h.z.dmom, int16(1));
    QCOMPARE(h.z.sigy, 0.0f);
  }
}

void TestVeltraneWindow::signButton() {
  Harness h;
  h.w->calcs = 0;
  const QString ip = h.box("ip")->text();
  h.get<QPushButton>("Command3")->click();
  QCOMPARE(h.z.pd, 0.3f);
  QCOMPARE(h.box("ipp")->text(), QString("0.300"));
  QCOMPARE(h.box("ip")->text(), ip);
  h.get<QPushButton>("Command3")->click();
  QCOMPARE(h.z.pd, -0.3f);
  QCOMPARE(h.w->calcs, 2);
}

void TestVeltraneWindow::materialLists() {
  Harness h;
  const int nmat = h.z.mat.nmat;
  QVERIFY(nmat >= 3);
  for (const char* c : {"cbofyp", "cbofys", "cbofyg"}) {
    auto* combo = h.get<QComboBox>(c);
    QCOMPARE(combo->count(), nmat + 1);
    QCOMPARE(combo->itemText(nmat), QString::fromStdString(h.z.mat.matname[nmat]));
    QCOMPARE(combo->currentIndex(), 2);
  }
  auto* cbofyp = h.get<QComboBox>("cbofyp");
  // the user-defined material keeps the yield strength until one is typed
  const double fyp = h.z.fyp;
  const QString shown = h.box("ifyp")->text();
  emit cbofyp->activated(nmat);
  QCOMPARE(h.z.matp, int16(nmat));
  QVERIFY(h.box("ifyp")->isEnabled());
  QCOMPARE(h.z.fyp, fyp);
  QCOMPARE(h.box("ifyp")->text(), shown);
  // a table material: its value for the plate thickness, the box disabled
  h.w->calcs = 0;
  emit cbofyp->activated(0);
  QCOMPARE(h.z.matp, int16(0));
  QVERIFY(!h.box("ifyp")->isEnabled());
  State ref;
  ref.mat = h.z.mat;
  ref.t = h.z.t;
  GetFyp(ref, 0);
  QCOMPARE(h.z.fyp, ref.fyp);
  QCOMPARE(h.box("ifyp")->text(), QString::fromStdString(Format(ref.fyp, "#000")));
  QCOMPARE(h.w->calcs, 1);
  // the stiffener's list works on its own field
  emit h.get<QComboBox>("cbofys")->activated(nmat);
  QCOMPARE(h.z.mats, int16(nmat));
  QVERIFY(h.box("ifys")->isEnabled());
  QCOMPARE(h.z.matp, int16(0));
}

// The windows that exist are installed; the case database is not built yet,
// so its button stays disabled. An opener put in later takes over.
void TestVeltraneWindow::openersInstalled() {
  Harness h;
  for (const char* c : {"cbostiff", "cboring", "cmdpic_stiff", "cmdpic_gird", "cmd_wsd", "Picture"})
    QVERIFY2(h.get(c)->isEnabled(), c);
  QVERIFY(!h.get("cmdDatabase")->isEnabled());
  QVERIFY(!h.w->hasOpener(Veltrane::Opener::AddToDatabase));
  QVERIFY(h.get("cmd_lrfd")->isEnabled());
  int uf = 0, info = 0, db = 0;
  h.w->setOpener(Veltrane::Opener::InfoUF, [&] { ++uf; });
  h.w->setOpener(Veltrane::Opener::InfoVeltrane, [&] { ++info; });
  h.w->setOpener(Veltrane::Opener::AddToDatabase, [&] { ++db; });
  h.get<QRadioButton>("opt_wsd")->click();
  h.get<QPushButton>("cmd_wsd")->click();
  h.get<QPushButton>("Picture")->click();
  h.get<QPushButton>("cmdDatabase")->click();
  QCOMPARE(uf + info + db, 3);
}

void TestVeltraneWindow::profileKindChoice() {
  Harness h;
  int stiffShown = 0, girdShown = 0;
  h.w->setOpener(Veltrane::Opener::StiffForm, [&] { ++stiffShown; });
  h.w->setOpener(Veltrane::Opener::GirdForm, [&] { ++girdShown; });
  auto* cbostiff = h.get<QComboBox>("cbostiff");
  auto* cboring = h.get<QComboBox>("cboring");
  QCOMPARE(cbostiff->count(), 10);
  QCOMPARE(cbostiff->itemText(9), QString("I-built up"));
  QCOMPARE(cboring->itemText(9), QString("I-profile"));
  QCOMPARE(cboring->currentText(), QString("T-table"));
  h.w->calcs = 0;
  emit cbostiff->activated(7);
  QCOMPARE(h.z.stifftype, int16(7));
  QCOMPARE(stiffShown, 1);
  QCOMPARE(h.w->calcs, 0);  // the dialog recalculates when it becomes active
  // typing into the list changes nothing and opens nothing
  cbostiff->lineEdit()->setFocus();
  QTest::keyClicks(cbostiff->lineEdit(), "RHS");
  QCOMPARE(h.z.stifftype, int16(7));
  QCOMPARE(stiffShown, 1);
  h.get<QPushButton>("cmdpic_gird")->click();
  QCOMPARE(girdShown, 1);
  // refreshing the shown kind opens nothing
  h.z.girdtype = 4;
  h.w->RefreshForm();
  QCOMPARE(cboring->currentText(), QString("Flatbar-table"));
  QCOMPARE(girdShown, 1);
}

void TestVeltraneWindow::alsAdvice() {
  Harness h;
  h.recorder.clear();
  h.get<QPushButton>("cmd_lrfd")->click();
  QCOMPARE(h.recorder.texts,
           QStringList{" For ALS condition, Allowable Usage Factor is recommended to be UF = 1.15 "});
}

void TestVeltraneWindow::rightClickRule_data() {
  QTest::addColumn<int>("cylinder");
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("button");
  QTest::addColumn<bool>("pops");
  QTest::newRow("box, type 2") << 2 << "icylr" << int(Qt::RightButton) << true;
  QTest::newRow("box, type 0") << 0 << "icylr" << int(Qt::RightButton) << false;
  QTest::newRow("left button") << 2 << "icylr" << int(Qt::LeftButton) << false;
  QTest::newRow("result picture") << 1 << "pic30" << int(Qt::RightButton) << true;
  QTest::newRow("label") << 2 << "Label5" << int(Qt::RightButton) << true;
  QTest::newRow("frame") << 2 << "fr111" << int(Qt::RightButton) << true;
  QTest::newRow("window") << 2 << "Form" << int(Qt::RightButton) << true;
  QTest::newRow("cylinder3 not") << 2 << "cylinder3" << int(Qt::RightButton) << false;
  QTest::newRow("hring_ch not") << 2 << "hring_ch" << int(Qt::RightButton) << false;
  QTest::newRow("iufb not") << 2 << "iufb" << int(Qt::RightButton) << false;
  QTest::newRow("column box not") << 3 << "ik1" << int(Qt::RightButton) << false;
  QTest::newRow("column length") << 3 << "icolL" << int(Qt::RightButton) << true;
}

void TestVeltraneWindow::rightClickRule() {
  QFETCH(int, cylinder);
  QFETCH(QString, control);
  QFETCH(int, button);
  QFETCH(bool, pops);
  Harness h;
  QMenu profiles;
  profiles.setObjectName("mnuprofiles");
  profiles.addAction("item");
  h.w->setProfilesMenu(&profiles);
  h.refresh(cylinder);
  QWidget* target = h.get(qPrintable(control));
  QPoint at = target->rect().topLeft() + QPoint(3, 3);
  QTest::mouseRelease(target, Qt::MouseButton(button), {}, at);
  QCOMPARE(profiles.isVisible(), pops);
  profiles.hide();
}

void TestVeltraneWindow::resultPictures() {
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
  // check_ih follows the sign of the pressure
  h.get<QRadioButton>("cylinder2")->click();
  h.get<QCheckBox>("ring_ch")->click();
  QVERIFY(h.shown("check_ih"));
  h.get<QPushButton>("Command3")->click();
  QVERIFY(!h.shown("check_ih"));
  // text width in character units
  pic30->SetBold(false);
  QVERIFY(pic30->TextWidth("MMMM") > pic30->TextWidth("M"));
}

void TestVeltraneWindow::profileIcons() {
  const QStringList names = ProfileIconNames();
  QCOMPARE(names.size(), 14);
  for (const QString& n : names) {
    const QImage img = ProfileIcon(n, 32).toImage();
    QVERIFY2(!img.isNull(), qPrintable(n));
    // blue stiffeners, orange ring frames, at the middle of the profile
    QColor c = img.pixelColor(15, 20);
    if (n.contains("rhs") || n.contains("_u")) c = img.pixelColor(n.contains("rhs") ? 10 : 7, 20);
    QVERIFY2(n.contains("stiff") ? c.blue() > c.red() : c.red() > c.blue(), qPrintable(n));
  }
  QVERIFY(ProfileIcon("ico_stiff_x", 32).isNull());
  QVERIFY(ProfileIcon("pic20", 32).isNull());
  Harness h;
  QCOMPARE(h.get("cmdpic_gird")->property("iconName").toString(), QString("ico_gird_t"));
}

// With a real, modal message box the focus goes to the box and back: the box
// that failed gets the focus again, and the control the user moved to is not
// committed on the way.
void TestVeltraneWindow::realMessageBoxKeepsTheFocusOnTheBox() {
  BoxMessenger boxes;
  Harness h(96, &boxes);
  boxes.setOwner(h.w.get());
  int shown = 0;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ++shown;
      m->accept();
    }
  });
  closer.start(20);
  h.box("icylr")->setFocus();
  h.box("icylr")->setText("40");
  h.w->calcs = 0;
  QTest::keyClick(h.box("icylr"), Qt::Key_Tab);
  QTRY_VERIFY(h.box("icylr")->hasFocus());
  QVERIFY(shown >= 1);
  QCOMPARE(h.z.cylr, 40.0f);
  QCOMPARE(h.w->calcs, 1);
  QCOMPARE(h.box("icylr")->palette().color(QPalette::Base), QColor(255, 255, 192));
}

QTEST_MAIN(TestVeltraneWindow)
#include "test_veltrane_window.moc"
