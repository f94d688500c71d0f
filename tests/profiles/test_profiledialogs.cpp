// The profile dialogs driven as a user drives them, owned by the main window;
// the calculation's own messages are kept apart.

#include "profiles/profiledialog.h"
#include "profiles/profiledialogs.h"
#include "profiles/profilekinds.h"
#include "tests/mainwindow/testsupport.h"

using namespace zod;
using namespace zod::test;
using profiles::Dim;

namespace {

QString text(QWidget* d, const QString& name) { return Child(d, name)->property("text").toString(); }

const QMap<QString, Dim> kDimOf{
    {"isth", Dim::H}, {"istb", Dim::B}, {"ista", Dim::A}, {"isttw", Dim::Tw}, {"isttf", Dim::Tf}};

// The user moves into a box and types over its selected text.
void Type(ProfileDialog* d, const QString& box, const QString& s) {
  auto* e = Child<QLineEdit>(d, box);
  e->setFocus(Qt::TabFocusReason);
  QCOMPARE(e->selectedText(), e->text());
  QTest::keyClicks(e, s);
}

// A built-up box committed one way and what it must give.
struct Commit {
  Member m;
  int kind;
  QString how;       // enter, ok or close
  QString typed;     // box=text ...
  QString messages;  // in order, joined by |
  QString stored;    // box=value ...
  QString shown;     // box=text ...
  QString focus;
  int calcs;
};

}  // namespace

Q_DECLARE_METATYPE(Commit)

class TestProfileDialogs : public QObject {
  Q_OBJECT

  std::unique_ptr<Harness> h;
  QStringList engine;
  ProfileDialogs* dialogs = nullptr;

  void start(Messenger* messenger = nullptr) {
    h = std::make_unique<Harness>(false, 96, messenger);
    h->w->engineMessages = &engine;
    dialogs = &h->w->profileDialogs();
  }
  ProfileDialog* open(Member m, int kind) { return WaitActive(dialogs->show(m, kind)); }
  void enter(ProfileDialog* d, const QString& box) { QTest::keyClick(Child(d, box), Qt::Key_Return); }

 private slots:
  void init() { start(); }
  void cleanup() {
    h.reset();
    engine.clear();
    Destroy();
  }

  void activationMakesTheKindCurrent() {
    for (Member m : {Member::Stiffener, Member::RingFrame}) {
      for (int k = 0; k < 10; ++k) {
        const int before = h->w->calcs;
        ProfileDialog* d = open(m, k);
        QCOMPARE(m == Member::Stiffener ? h->z.stifftype : h->z.girdtype, k);
        QCOMPARE(h->get<QComboBox>(m == Member::Stiffener ? "cbostiff" : "cboring")->currentIndex(), k);
        QCOMPARE(h->w->calcs, before + 1);
        QVERIFY(!text(d, "sta").isEmpty());
      }
    }
  }

  // A row picked in one member's table, shown in the system's decimals; not
  // stringer stiffened, only the T table recomputes the stiffener.
  void tableRowsAndChoice() {
    const struct {
      Member m;
      int kind;
      bool comma;
      QString row3, height;  // empty height: the section is not recomputed
    } rows[] = {{Member::Stiffener, 2, true, "T66,5x140x5,5x8,5", "67 mm"},
                {Member::Stiffener, 6, false, "BF 140x6.5", ""}};
    h->z.cylinder = 1;
    for (const auto& r : rows) {
      h->z.decsep = r.comma ? ',' : '.';
      ProfileDialog* d = open(r.m, r.kind);
      const QString before = text(d, "sth");
      std::int16_t* other = profiles::ChosenRow(h->z, Member(1 - int(r.m)), r.kind);
      const int otherRow = *other, calcs = h->w->calcs;
      auto* cbo = Child<QComboBox>(d, "cbo");
      QCOMPARE(cbo->itemText(3), r.row3);
      emit cbo->activated(3);
      QVERIFY(*profiles::ChosenRow(h->z, r.m, r.kind) == 3 && *other == otherRow && h->w->calcs == calcs + 1);
      QCOMPARE(text(d, "sth"), r.height.isEmpty() ? before : r.height);
      d->close();
    }
  }

  void storedRowBeyondTheTable() {
    h->z.istiffl = 40;
    h->z.lprof.n = 4;
    ProfileDialog* d = open(Member::Stiffener, 0);  // Calculate reports the row, nothing crashes
    auto* cbo = Child<QComboBox>(d, "cbo");
    QVERIFY(cbo->currentIndex() == -1 && cbo->count() == 5 && !engine.isEmpty());
  }

  // The built-up boxes committed by Enter (the focus then on the box named),
  // OK or the close box: bounds, messages, resets. The stiffener resets only
  // the thicknesses, the ring frame the height and width too, the trapezoid's a never.
  void builtUpBoxes_data() {
    QTest::addColumn<Commit>("c");
    auto row = [](const char* tag, const Commit& c) { QTest::newRow(tag) << c; };
    const Member s = Member::Stiffener, r = Member::RingFrame;
    row("stiffener H kept", {s, 3, "enter", "isth=4", " H >= 5 ", "isth=4", "isth=4", "isth", 1});
    row("stiffener tw reset",
        {s, 3, "enter", "isttw=0.05", " tw >= 0.1 ", "isttw=0.1", "isttw=0.1", "isttw", 1});
    row("ring frame B reset", {r, 7, "enter", "istb=3", " B >= 5 ", "istb=5", "istb=5", "istb", 1});
    row("trapezoid a kept", {r, 8, "enter", "ista=-10", " a >= 0 ", "ista=-10", "", "ista", 1});
    row("beyond range, nothing said", {s, 7, "enter", "isth=1e39", "", "isth=200", "isth=1e39", "istb", 0});
    row("stiffener OK",
        {s, 9, "ok", "isttw=0.5 isth=3", " H >= 5 | tw >= 1 | H >= 5 ", "isttw=0.5 isth=3", "", "", 1});
    // the ring frame's OK recalculates for three kinds only
    row("ring frame OK L", {r, 1, "ok", "isth=3", " H >= 5 ", "isth=3", "", "", 0});
    row("ring frame OK flat bar", {r, 5, "ok", "isth=3", " H >= 5 ", "isth=3", "", "", 1});
    // the close box reads height and width only, the ring frame's a too
    row("close box", {s, 3, "close", "isth=3 istb=90.44 isttw=7", " H >= 5 ", "isth=3 istb=90.44 isttw=9",
                      "istb=90.4", "", 0});
  }
  void builtUpBoxes() {
    QFETCH(Commit, c);
    ProfileDialog* d = open(c.m, c.kind);
    const int before = h->w->calcs;
    for (const QString& t : c.typed.split(' ')) {
      const QString box = t.section('=', 0, 0);
      if (c.how == "enter") {
        Type(d, box, t.section('=', 1));
        QVERIFY(Yellow(Child(d, box)));
        enter(d, box);
        QCOMPARE(Yellow(Child(d, box)), box == c.focus);
      } else {
        Child<QLineEdit>(d, box)->setText(t.section('=', 1));
      }
    }
    if (c.how == "ok") Child<QPushButton>(d, "Command1")->click();
    if (c.how == "close") d->close();
    QCOMPARE(h->msg.texts.join('|'), c.messages);
    for (const QString& v : c.stored.split(' ', Qt::SkipEmptyParts))
      QCOMPARE(profiles::MemoryField(h->z, c.m, c.kind, kDimOf.value(v.section('=', 0, 0))).get(),
               double(v.section('=', 1).toFloat()));
    for (const QString& v : c.shown.split(' ', Qt::SkipEmptyParts))
      QCOMPARE(text(d, v.section('=', 0, 0)), v.section('=', 1));
    if (!c.focus.isEmpty()) QVERIFY(Child(d, c.focus)->hasFocus());
    QCOMPARE(h->w->calcs, before + c.calcs);
    QCOMPARE(dialogs->find(c.m, c.kind) != nullptr, c.how == "enter");
  }

  void commaSystemMismatch() {
    h->z.commadec = 1;
    ProfileDialog* d = open(Member::Stiffener, 7);
    Type(d, "isth", "abc");
    const int before = h->w->calcs;
    enter(d, "isth");
    QCOMPARE(h->msg.texts, QStringList{"Input string mismatch "});
    QVERIFY(h->z.srhsh == 200 && text(d, "isth") == "abc" && h->w->calcs == before &&
            Child(d, "isth")->hasFocus());
    h->msg.clear();
    Child<QLineEdit>(d, "isth")->setText("");
    Child<QPushButton>(d, "Command1")->click();  // the program goes on, the dialog stays
    QCOMPARE(h->msg.texts, QStringList(2, "Input string mismatch "));
    QVERIFY(dialogs->find(Member::Stiffener, 7));
    d->close();  // the closing goes on past the box, which keeps its value
    QVERIFY(h->z.srhsh == 200 && !dialogs->find(Member::Stiffener, 7));
  }

  // Deleted (the main window going away) while the user is in a box: the box
  // loses the focus after the dialog is gone, and nothing of it may answer.
  void destroyedWhileABoxHasTheFocus() {
    ProfileDialog* d = open(Member::RingFrame, 3);
    const double before = h->z.gtbh;
    const int calcs = h->w->calcs;
    Type(d, "isth", "4");
    QVERIFY(Child(d, "isth")->hasFocus());
    delete d;
    QVERIFY(h->z.gtbh == before && h->w->calcs == calcs && h->msg.texts.isEmpty());
    QVERIFY(!dialogs->find(Member::RingFrame, 3));
  }

  // A real message box raised in a dialog is the dialog's; afterwards the
  // dialog is active with the focus in the box the message was about, so the
  // user's next keys go there. Getting the activation back from the box is
  // no new activation: one calculation, not a loop.
  void messageBoxesBelongToTheDialog() {
    BoxMessenger boxes;
    start(&boxes);
    h->w->engineMessages = nullptr;
    BoxAnswerer user;
    // a calculation set off in a dialog announces its correction there too
    h->z.gilt = 5000;
    ProfileDialog* lb = open(Member::RingFrame, 1);
    QCOMPARE(user.texts + user.owners,
             (QStringList{" lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ", lb->objectName()}));
    QTRY_COMPARE(QApplication::activeWindow(), lb);
    ProfileDialog* d = open(Member::RingFrame, 3);
    const int before = h->w->calcs;
    user.texts.clear(), user.owners.clear();
    Type(d, "isth", "4");
    enter(d, "isth");
    QTRY_COMPARE(QApplication::activeWindow(), d);
    QCOMPARE(user.texts + user.owners, (QStringList{" H >= 5 ", d->objectName()}));
    QVERIFY(Child(d, "isth")->hasFocus() && Yellow(Child(d, "isth")));
    const QString lt = h->box("ilt")->text();
    QTest::keyClicks(QApplication::focusWidget(), "200");
    QVERIFY(text(d, "isth") == "200" && h->box("ilt")->text() == lt && h->w->calcs == before + 1);
    open(Member::RingFrame, 5);  // a later switch is an activation again
    d->activateWindow();
    WaitActive(d);
    QCOMPARE(h->z.girdtype, 3);
    h.reset();  // before its messenger
  }

  // OK while the box the user is in holds a value below its bound: the
  // messages, then the dialog closes and the case is recalculated. A real
  // click, released while a box the press raised is still up.
  void okWithAValueBelowItsBound_data() {
    QTest::addColumn<Commit>("c");
    QTest::newRow("stiffener H") << Commit{
        Member::Stiffener, 5, "ok", "isth=4", " H >= 5 | H >= 5 | H >= 5 ", "", "", "", 2};
    QTest::newRow("trapezoid a") << Commit{
        Member::RingFrame, 8, "ok", "ista=-10", " a >= 0 | a >= 0 ", "", "", "", 2};
  }
  void okWithAValueBelowItsBound() {
    QFETCH(Commit, c);
    BoxMessenger boxes;
    start(&boxes);
    BoxAnswerer user;
    QPointer<ProfileDialog> d = open(c.m, c.kind);
    const QString box = c.typed.section('=', 0, 0);
    Type(d, box, c.typed.section('=', 1));
    enter(d, box);  // stored below the bound, the focus back in the box
    QTRY_COMPARE(QApplication::activeWindow(), d.data());
    QVERIFY(Child(d, box)->hasFocus());
    user.texts.clear();
    const int before = h->w->calcs;
    auto* ok = Child<QPushButton>(d, "Command1");
    const QPoint at = ok->mapTo(d, ok->rect().center());
    QWindow* win = d->windowHandle();
    bool down = true;
    auto release = [&] {
      if (std::exchange(down, false)) QTest::mouseRelease(win, Qt::LeftButton, {}, at);
    };
    user.whileOpen = [&](QMessageBox*) { release(); };
    QTest::mousePress(win, Qt::LeftButton, {}, at);
    release();
    QTRY_VERIFY(!d || !d->isVisible());
    QCOMPARE(user.texts.join('|'), c.messages);
    QCOMPARE(h->w->calcs, before + c.calcs);
    h.reset();  // before its messenger
  }

  // A ring frame lower than its flange is thick (H 5, tf 15) has no tripping
  // limit; the run must not stop there, so a corrected height reaches the section.
  void ringFrameBelowItsFlangeCanBeCorrected() {
    h->refresh(1);
    h->z.gibh = 5, h->z.gibb = 150, h->z.gibtw = 10, h->z.gibtf = 15;
    ProfileDialog* d = open(Member::RingFrame, 9);
    Type(d, "isth", "5");
    enter(d, "isth");
    QCOMPARE(h->z.girdh, 5.0);
    Type(d, "isth", "300");
    enter(d, "isth");
    QVERIFY2(h->z.calcok, h->z.stopmsg.c_str());
    QVERIFY(h->z.girdh == 300 && text(d, "isth") == "300");
  }
};

QTEST_MAIN(TestProfileDialogs)
#include "test_profiledialogs.moc"
