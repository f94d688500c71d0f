// The profile dialogs driven as a user drives them, against a stand-in for
// the main window.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "engine/calc.h"
#include "engine/format.h"
#include "engine/recording.h"
#include "engine/tables.h"
#include "mainwindow/messenger.h"
#include "profiles/profiledialogs.h"
#include "profiles/profilehost.h"
#include "profiles/profilekinds.h"
#include "profiles/profilesketch.h"

using namespace zod;
using profiles::DesignName;

namespace {

const char* const kStiffKinds[] = {"L-table",        "L-built up",       "T-table",   "T-built up",
                                   "Flatbar-table",  "Flatbar-built up", "Bulb Flat", "RHS",
                                   "Trapez-profile", "I-built up"};

class FakeMain : public QWidget, public ProfileHost {
 public:
  FakeMain() {
    setObjectName("veltrane");
    setGeometry(100, 80, 900, 640);
    for (Member m : {Member::Stiffener, Member::RingFrame}) {
      auto* c = new QComboBox(this);
      c->setObjectName(m == Member::Stiffener ? "cbostiff" : "cboring");
      for (int k = 0; k < 10; ++k)
        c->addItem(k == 9 && m == Member::RingFrame ? "I-profile" : kStiffKinds[k]);
      c->setCurrentIndex(-1);
      (m == Member::Stiffener ? cbostiff : cboring) = c;
    }
    z.apppath = ZOD_DATA_DIR;
    ReadTables(z);
    z.setView(&view);
  }
  State& state() override { return z; }
  Messenger& messenger() override { return msgs; }
  QWidget* ownerWindow() override { return this; }
  void setKindComboText(Member m, int kind) override {
    QComboBox* c = m == Member::Stiffener ? cbostiff : cboring;
    const QSignalBlocker b(c);
    c->setCurrentIndex(kind);
  }
  void calculate() override {
    ++calcs;
    Calculate(z);
  }
  void refresh() override {}

  State z;
  RecordingView view;
  RecordingMessenger msgs;
  QComboBox* cbostiff = nullptr;
  QComboBox* cboring = nullptr;
  int calcs = 0;
};

template <class W = QWidget>
W* child(QWidget* d, const char* name) {
  W* w = d->findChild<W*>(name);
  if (!w) qFatal("no control %s in %s", name, qPrintable(d->objectName()));
  return w;
}

QString text(QWidget* d, const char* name) {
  QWidget* w = child(d, name);
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  return qobject_cast<QLineEdit*>(w)->text();
}

}  // namespace

class TestProfileDialogs : public QObject {
  Q_OBJECT

  FakeMain* main = nullptr;
  ProfileDialogs* dialogs = nullptr;

  ProfileDialog* open(Member m, int kind) {
    ProfileDialog* d = dialogs->show(m, kind);
    activated(d);
    return d;
  }
  // A dialog's window counts as active as soon as its owner is; the
  // activation itself arrives a little later.
  static void activated(QWidget* d) {
    if (!QTest::qWaitFor([d] { return QApplication::activeWindow() == d; })) qFatal("dialog not activated");
  }
  // The user moves into a box and types over its selected text.
  void type(ProfileDialog* d, const char* box, const QString& s) {
    auto* e = child<QLineEdit>(d, box);
    e->setFocus(Qt::TabFocusReason);
    QCOMPARE(e->selectedText(), e->text());
    QTest::keyClicks(e, s);
  }
  void leaveWithEnter(ProfileDialog* d, const char* box) { QTest::keyClick(child(d, box), Qt::Key_Return); }
  void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

 private slots:
  void init() {
    main = new FakeMain;
    main->show();
    dialogs = new ProfileDialogs(*main);
  }
  void cleanup() {
    delete dialogs;
    delete main;
    flushDeletes();
  }

  void activationMakesTheKindCurrent() {
    for (Member m : {Member::Stiffener, Member::RingFrame}) {
      for (int k = 0; k < 10; ++k) {
        const int before = main->calcs;
        ProfileDialog* d = open(m, k);
        QCOMPARE(d->objectName(), QString::fromStdString(DesignName(m, k)));
        QCOMPARE(m == Member::Stiffener ? main->z.stifftype : main->z.girdtype, k);
        QComboBox* c = m == Member::Stiffener ? main->cbostiff : main->cboring;
        QCOMPARE(c->currentIndex(), k);
        QCOMPARE(main->calcs, before + 1);
        QVERIFY(!child<QLabel>(d, "sta")->text().isEmpty());
      }
    }
    QCOMPARE(dialogs->find(Member::Stiffener, 0)->windowTitle(), QString("Stiffener:  L-table"));
    QCOMPARE(dialogs->find(Member::Stiffener, 4)->windowTitle(), QString("Stiffener:  Flatbar-table"));
    QCOMPARE(dialogs->find(Member::RingFrame, 4)->windowTitle(), QString("Ringframe: Flatbar-table"));
    QCOMPARE(main->cboring->currentText(), QString("I-profile"));
  }

  void switchingBackReactivates() {
    main->z.istifft = 3;
    ProfileDialog* t = open(Member::Stiffener, 2);
    dialogs->openKind(Member::Stiffener, 7);  // the main window's cbostiff set to "RHS"
    activated(dialogs->find(Member::Stiffener, 7));
    QCOMPARE(main->z.stifftype, 7);
    QCOMPARE(main->cbostiff->currentText(), QString("RHS"));
    t->activateWindow();
    activated(t);
    QCOMPARE(main->z.stifftype, 2);
    QCOMPARE(main->cbostiff->currentText(), QString("T-table"));
    QCOMPARE(main->z.stiffh, main->z.tprof.v[3][1]);
    QVERIFY(QString::fromStdString(main->z.stiffsec.name).startsWith("T "));
    QCOMPARE(dialogs->show(Member::Stiffener, 2), t);  // one instance
  }

  void pictureButtonsOpenTheCurrentKindOnly() {
    main->z.girdtype = 10;
    dialogs->showCurrent(Member::RingFrame);
    for (int k = 0; k < 10; ++k) QVERIFY(!dialogs->find(Member::RingFrame, k));
    main->z.girdtype = 5;
    dialogs->showCurrent(Member::RingFrame);
    QVERIFY(dialogs->find(Member::RingFrame, 5));
  }

  void tableRowsAndChoice() {
    main->z.cylinder = 1;  // not stringer stiffened: only the T table recomputes the stiffener
    for (Member m : {Member::Stiffener, Member::RingFrame}) {
      for (int k : {0, 2, 4, 6}) {
        ProfileDialog* d = open(m, k);
        auto* cbo = child<QComboBox>(d, "cbo");
        const std::vector<std::string> rows = profiles::RowTexts(main->z, k);
        QCOMPARE(cbo->count(), static_cast<int>(rows.size()));
        QCOMPARE(cbo->currentIndex(), 0);
        QCOMPARE(cbo->itemText(1), QString::fromStdString(rows[1]));
        const int before = main->calcs;
        emit cbo->activated(3);
        QCOMPARE(*profiles::ChosenRow(main->z, m, k), 3);
        QCOMPARE(main->calcs, before + 1);
        const double h = m == Member::Stiffener ? main->z.stiffh : main->z.girdh;
        if (m == Member::RingFrame || k == 2) {
          const double row3h = k == 0   ? main->z.lprof.v[3][1]
                               : k == 2 ? main->z.tprof.v[3][1]
                               : k == 4 ? main->z.fprof.v[3][1]
                                        : main->z.bfprof.v[3][1];
          QCOMPARE(h, row3h);
        }
        QCOMPARE(text(d, "sth"), QString::fromStdString(Format(h, "##0") + " mm"));
      }
    }
    QCOMPARE(main->z.istiffl, 3);
    QCOMPARE(main->z.igirdl, 3);  // the same table, separate rows
  }

  void rowTexts() {
    State& z = main->z;
    z.fprof.n = 0;
    z.fprof.v[0] = {0, 100, 10};
    z.bfprof.n = 0;
    z.bfprof.v[0] = {0, 200, 10.5f, 30, 8, 3000};
    z.lprof.v[0] = {0, 200, 90, 9, 14};
    QCOMPARE(profiles::RowTexts(z, 4), std::vector<std::string>{"Fb100x10"});
    QCOMPARE(profiles::RowTexts(z, 6), std::vector<std::string>{"BF 200x10.5"});
    QCOMPARE(profiles::RowTexts(z, 0).front(), std::string("L200x90x9x14"));
    z.decsep = ',';
    QCOMPARE(profiles::RowTexts(z, 6), std::vector<std::string>{"BF 200x10,5"});
    ProfileDialog* d = open(Member::RingFrame, 4);
    QCOMPARE(child<QComboBox>(d, "cbo")->count(), 1);
    QCOMPARE(child<QComboBox>(d, "cbo")->currentText(), QString("Fb100x10"));
  }

  void storedRowBeyondTheTable() {
    main->z.istiffl = 40;
    main->z.lprof.n = 4;
    ProfileDialog* d = open(Member::Stiffener, 0);  // Calculate reports the row, nothing crashes
    QCOMPARE(child<QComboBox>(d, "cbo")->currentIndex(), -1);
    QCOMPARE(child<QComboBox>(d, "cbo")->count(), 5);
    QVERIFY(!main->view.messages.empty());
  }

  void valuePatterns() {
    State& z = main->z;
    z.stiffsec.g = 22.608;
    z.stiffsec.iy = 0;
    z.stiffsec.a = 2879.6;
    z.stiffsec.iz = 3.5e6;
    z.stifftw = 9;
    z.stiffc = 49.6;
    z.stiffr = 7.25;
    z.stiffwebtxt = "h <= 312 (Eq 3.10.7) ==> OK";
    auto texts = [&](Member m, int k) {
      std::map<std::string, std::string> out;
      for (auto& [n, t] : profiles::DisplayTexts(z, m, k)) out[n] = t;
      return out;
    };
    auto l = texts(Member::Stiffener, 0);
    QCOMPARE(l["stg"], std::string("22.6 kg/m"));
    QCOMPARE(l["stiy"], std::string("0.000E+0 mm4"));
    QCOMPARE(l["stiz"], std::string("3.500E+6 mm4"));
    QCOMPARE(l["sta"], std::string("2880 mm2"));
    QCOMPARE(l["sttw"], std::string("9.0 mm"));
    QCOMPARE(l["webclass"], z.stiffwebtxt);
    QCOMPARE(texts(Member::Stiffener, 3)["isttw"], std::string("9.0"));
    QCOMPARE(texts(Member::Stiffener, 8)["ista"], std::string("50"));
    auto hp = texts(Member::Stiffener, 6);
    QCOMPARE(hp["stc"], std::string("49.6 mm"));
    QCOMPARE(hp["strr"], std::string("7.3 mm"));
    QVERIFY(!hp.count("flangeclass"));
    auto rhs = texts(Member::RingFrame, 7);
    QVERIFY(!rhs.count("webclass1") && !rhs.count("stiz"));
    QCOMPARE(texts(Member::RingFrame, 6).size(), 12u);
    z.slbb = 90.44f;  // the L built-up stiffener shows its memory
    QCOMPARE(texts(Member::Stiffener, 1)["istb"], std::string("90"));
  }

  void stiffenerLeavingABox() {
    ProfileDialog* d = open(Member::Stiffener, 3);
    auto* h = child<QLineEdit>(d, "isth");
    type(d, "isth", "4");
    QCOMPARE(h->palette().color(QPalette::Base), QColor(255, 255, 192));
    int before = main->calcs;
    leaveWithEnter(d, "isth");
    QCOMPARE(main->msgs.texts, QStringList{" H >= 5 "});
    QCOMPARE(main->z.stbh, 4.0);  // kept, and calculated with
    QCOMPARE(main->z.stiffh, 4.0);
    QCOMPARE(main->calcs, before + 1);
    QVERIFY(h->hasFocus());
    main->msgs.clear();

    type(d, "isth", "200.4");
    leaveWithEnter(d, "isth");
    QCOMPARE(main->z.stbh, double(200.4f));
    QCOMPARE(h->text(), QString("200"));
    QVERIFY(child(d, "istb")->hasFocus());
    QCOMPARE(h->palette().color(QPalette::Base), QColor(Qt::white));

    type(d, "isttw", "0.05");
    leaveWithEnter(d, "isttw");
    QCOMPARE(main->msgs.texts, QStringList{" tw >= 0.1 "});
    QCOMPARE(main->z.stbtw, double(0.1f));
    QCOMPARE(text(d, "isttw"), QString("0.1"));
    main->msgs.clear();
    type(d, "isttf", "0.1");
    leaveWithEnter(d, "isttf");  // equal to the bound passes; Enter in the last box goes to the first
    QVERIFY(main->msgs.texts.isEmpty());
    QVERIFY(h->hasFocus());
  }

  void ringFrameLeavingResets() {
    ProfileDialog* d = open(Member::RingFrame, 7);
    type(d, "istb", "3");
    leaveWithEnter(d, "istb");
    QCOMPARE(main->msgs.texts, QStringList{" B >= 5 "});
    QCOMPARE(main->z.grhsb, 5.0);
    QCOMPARE(text(d, "istb"), QString("5"));
    main->msgs.clear();
    ProfileDialog* u = open(Member::RingFrame, 8);
    type(u, "ista", "-10");
    leaveWithEnter(u, "ista");
    QCOMPARE(main->msgs.texts, QStringList{" a >= 0 "});
    QCOMPARE(main->z.guspa, -10.0);  // kept
    QVERIFY(child(u, "ista")->hasFocus());
  }

  void enterChains() {
    ProfileDialog* f = open(Member::Stiffener, 5);
    child(f, "isttw")->setFocus(Qt::TabFocusReason);
    leaveWithEnter(f, "isttw");
    QVERIFY(child(f, "isth")->hasFocus());
    ProfileDialog* u = open(Member::RingFrame, 8);
    child(u, "istb")->setFocus(Qt::TabFocusReason);
    leaveWithEnter(u, "istb");
    QVERIFY(child(u, "ista")->hasFocus());
    leaveWithEnter(u, "ista");
    QVERIFY(child(u, "isttw")->hasFocus());
    leaveWithEnter(u, "isttw");
    QVERIFY(child(u, "isth")->hasFocus());
  }

  void stiffenerOk() {
    ProfileDialog* d = open(Member::Stiffener, 9);
    child<QLineEdit>(d, "isttw")->setText("0.5");
    child<QLineEdit>(d, "isth")->setText("3");
    const int before = main->calcs;
    QTest::mouseClick(child(d, "Command1"), Qt::LeftButton);
    QCOMPARE(main->msgs.texts, (QStringList{" H >= 5 ", " tw >= 1 ", " H >= 5 "}));
    QCOMPARE(main->z.sibtw, 0.5);
    QCOMPARE(main->z.sibh, 3.0);
    QCOMPARE(main->calcs, before + 1);
    QVERIFY(!dialogs->find(Member::Stiffener, 9));
    flushDeletes();
    ProfileDialog* again = open(Member::Stiffener, 9);  // a new dialog, loaded anew
    QCOMPARE(text(again, "isttw"), QString("0.5"));
  }

  void ringFrameOkRecalculatesForThreeKinds() {
    for (int k : {1, 3, 5, 7, 8, 9}) {
      ProfileDialog* d = open(Member::RingFrame, k);
      child<QLineEdit>(d, "isth")->setText("3");
      const int before = main->calcs;
      child<QPushButton>(d, "Command1")->click();
      QCOMPARE(main->msgs.last(), QString(" H >= 5 "));
      QCOMPARE(main->calcs, before + (k == 5 || k == 7 || k == 8 ? 1 : 0));
      flushDeletes();
    }
    QCOMPARE(main->z.gibh, 3.0);  // stored by the closing, no reset
  }

  void closeBoxReadsHeightAndWidth() {
    ProfileDialog* d = open(Member::Stiffener, 3);
    child<QLineEdit>(d, "isth")->setText("3");
    child<QLineEdit>(d, "istb")->setText("90.44");
    child<QLineEdit>(d, "isttw")->setText("7");
    const int before = main->calcs;
    d->close();
    QCOMPARE(main->msgs.texts, QStringList{" H >= 5 "});
    QCOMPARE(main->z.stbh, 3.0);
    QCOMPARE(main->z.stbb, double(90.44f));  // as read, and shown as 90.4
    QCOMPARE(text(d, "istb"), QString("90.4"));
    QCOMPARE(main->z.stbtw, 9.0);  // not read
    QCOMPARE(main->calcs, before);
  }

  void programClosingKeepsTheFilesValues() {
    ProfileDialog* d = open(Member::Stiffener, 3);
    dialogs->dialog(Member::RingFrame, 1);  // created for its sketch, never shown
    QCOMPARE(text(d, "isth"), QString("200"));
    main->z.stbh = 250;  // read from a project file
    main->z.glbh = 260;
    dialogs->closeAll();
    QCOMPARE(main->z.stbh, 250.0);
    QCOMPARE(main->z.glbh, 260.0);
    QVERIFY(main->msgs.texts.isEmpty());
    QVERIFY(!dialogs->find(Member::Stiffener, 3) && !dialogs->find(Member::RingFrame, 1));
  }

  void closeAllOrder() {
    QStringList order;
    for (Member m : {Member::RingFrame, Member::Stiffener})
      for (int k = 9; k >= 0; --k)
        connect(dialogs->dialog(m, k), &QObject::destroyed, this,
                [&order, n = QString::fromStdString(DesignName(m, k))] { order << n; });
    dialogs->closeAll();
    flushDeletes();
    QCOMPARE(order.join(' '),
             QString("stifff stifffb stiffhp stiffib stiffl stifflb stiffrhs stifft stifftb "
                     "stiffusp girdf girdfb girdhp girdib girdl girdlb girdrhs girdt girdtb girdusp"));
  }

  void commaSystemMismatch() {
    main->z.commadec = 1;
    ProfileDialog* d = open(Member::Stiffener, 7);
    type(d, "isth", "abc");
    const int before = main->calcs;
    leaveWithEnter(d, "isth");
    QCOMPARE(main->msgs.texts, QStringList{"Input string mismatch "});
    QCOMPARE(main->z.srhsh, 200.0);
    QCOMPARE(child<QLineEdit>(d, "isth")->text(), QString("abc"));
    QCOMPARE(main->calcs, before);
    QVERIFY(child(d, "isth")->hasFocus());
    type(d, "isth", "1.5");  // a point reads too
    leaveWithEnter(d, "isth");
    QCOMPARE(main->z.srhsh, 1.5);
    main->msgs.clear();

    child<QLineEdit>(d, "isth")->setText("");
    child<QPushButton>(d, "Command1")->click();  // the program goes on, the dialog stays
    QCOMPARE(main->msgs.texts, QStringList(2, "Input string mismatch "));
    QVERIFY(dialogs->find(Member::Stiffener, 7));
    d->close();  // the closing goes on past the box, which keeps its value
    QCOMPARE(main->z.srhsh, 1.5);
    QVERIFY(!dialogs->find(Member::Stiffener, 7));
  }

  void placement() {
    const QRect o = main->frameGeometry();
    ProfileDialog* u = open(Member::Stiffener, 8);
    const QRect uf = u->frameGeometry();
    QCOMPARE(uf.x() + uf.width(), o.left() + o.width());
    QCOMPARE(uf.y(), qRound(o.top() + o.height() / 2.0 - uf.height() / 2.0));
    ProfileDialog* tb = open(Member::Stiffener, 3);
    ProfileDialog* ib = open(Member::Stiffener, 9);
    QCOMPARE(tb->pos(), ib->pos());
    ProfileDialog* l = open(Member::Stiffener, 0);
    QVERIFY((l->frameGeometry().center() - o.center()).manhattanLength() <= 2);
    ProfileDialog* gl = open(Member::RingFrame, 0);
    QCOMPARE(gl->frameGeometry().x(), qRound(o.left() + (o.width() - gl->frameGeometry().width()) * 0.2));
    ProfileDialog* f = open(Member::Stiffener, 4);
    QCOMPARE(f->width(), qRound(child(f, "fr21")->width() * 1.06));
  }

  // With real message boxes: getting the activation back from a box is no
  // new activation, so a bound message costs one calculation, not a loop.
  void messageBoxesDoNotReactivate() {
    struct Boxes : Messenger {
      QStringList texts;
      void exclamation(const QString& t) override {
        texts << t;
        // as a window manager does, the activation goes back to where it was
        QPointer<QWidget> before = QApplication::activeWindow();
        QMessageBox box(QMessageBox::Warning, "Zidavoru ZOD", t, QMessageBox::Ok);
        QTimer::singleShot(50, &box, &QMessageBox::accept);
        box.exec();
        if (before) before->activateWindow();
      }
      void plain(const QString& t) override { exclamation(t); }
    } boxes;
    struct Host : FakeMain {
      Messenger* m = nullptr;
      Messenger& messenger() override { return *m; }
    } host;
    host.m = &boxes;
    host.show();
    ProfileDialogs own(host);
    ProfileDialog* d = own.show(Member::RingFrame, 3);
    activated(d);
    const int before = host.calcs;
    type(d, "isth", "4");
    leaveWithEnter(d, "isth");
    QTest::qWait(200);
    QCOMPARE(boxes.texts, QStringList{" H >= 5 "});
    QCOMPARE(host.calcs, before + 1);
    QCOMPARE(host.z.gtbh, 5.0);
    QCOMPARE(host.z.girdtype, 3);
    auto* h = child<QLineEdit>(d, "isth");
    QVERIFY(h->hasFocus());
    QCOMPARE(h->text(), QString("5"));
    QCOMPARE(h->palette().color(QPalette::Base), ProfileDialog::kFocusColor);
    own.show(Member::RingFrame, 5);  // a later switch is an activation again
    activated(own.find(Member::RingFrame, 5));
    d->activateWindow();
    activated(d);
    QCOMPARE(host.z.girdtype, 3);
  }

  // Sketches: drawn in the member's colour, nothing reaching the edge.
  void sketches() {
    const QString dir = qEnvironmentVariable("ZOD_PROFILE_SHOTS");
    for (Member m : {Member::Stiffener, Member::RingFrame}) {
      for (int k = 0; k < 10; ++k) {
        const QImage img = ProfileSketch(m, k).toImage();
        QCOMPARE(img.size(), QSize(175, 175));
        int member = 0;
        for (int y = 0; y < 175; ++y)
          for (int x = 0; x < 175; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (m == Member::Stiffener ? c.blue() > 150 && c.red() < 100 : c.red() > 200 && c.blue() < 80)
              ++member;
            if (x < 2 || y < 2 || x > 172 || y > 172)
              QVERIFY2(c == QColor(Qt::white), qPrintable(QString("kind %1 at %2,%3").arg(k).arg(x).arg(y)));
          }
        QVERIFY(member > 300);
        if (!dir.isEmpty()) {
          ProfileDialog* d = open(m, k);
          QVERIFY(d->grab().save(QDir(dir).filePath(d->objectName() + ".png")));
        }
      }
    }
    QCOMPARE(SketchName(Member::Stiffener, 3), QString("pic_stiff_t"));
    QCOMPARE(SketchName(Member::RingFrame, 1), QString("pic_gird_Lb"));
  }
};

QTEST_MAIN(TestProfileDialogs)
#include "test_profiledialogs.moc"
