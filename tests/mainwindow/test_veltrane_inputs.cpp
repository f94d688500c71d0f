// The input boxes of the main window, driven like a user: focus a box, type,
// leave it or press Enter; message boxes are answered by a recorder.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>
#include <cmath>
#include <memory>

#include "engine/format.h"
#include "mainwindow/inputboxes.h"
#include "mainwindow/messenger.h"
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
  RecordingMessenger msg;
  std::unique_ptr<CountingWindow> w;

  explicit Harness(bool comma = false) {
    Veltrane::Options opt;
    opt.locale = comma ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c();
    opt.dpi = 96;
    w = std::make_unique<CountingWindow>(z, msg, opt);
    if (!w->FormLoad(ZOD_DATA_DIR)) qFatal("the data tables did not load");
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
  }
  QLineEdit* box(const QString& name) const { return w->findChild<QLineEdit*>(name); }
  void type(int cylinder) {
    z.cylinder = static_cast<int16>(cylinder);
    w->RefreshForm();
  }
  // Types the text into the box (the box selects its text on getting the focus).
  void typeInto(const QString& name, const QString& text) {
    box(name)->setFocus();
    if (text.isEmpty())
      QTest::keyClick(box(name), Qt::Key_Delete);
    else
      QTest::keyClicks(box(name), text);
  }
  // Leaves the box for a control that commits nothing.
  void leave() { w->findChild<QComboBox*>("cbofyp")->setFocus(); }
  QString focusName() const {
    QWidget* f = QApplication::focusWidget();
    while (f && (f->objectName().isEmpty() || f->objectName().startsWith("qt_"))) f = f->parentWidget();
    return f ? f->objectName() : QString();
  }
  bool yellow(const QString& name) const {
    return box(name)->palette().color(QPalette::Base) == QColor(255, 255, 192);
  }
};

int IdOf(const QString& name) {
  for (int i = 0; i < box::kCount; ++i)
    if (name == Spec(i).name) return i;
  return -1;
}

}  // namespace

class TestVeltraneInputs : public QObject {
  Q_OBJECT

 private slots:
  void commit_data();
  void commit();
  void limitAccepted_data();
  void limitAccepted();
  void trippingLengthCorrection();
  void textBoxesStoreWithoutCalculating();
  void commaSystemMismatch_data();
  void commaSystemMismatch();
  void enterRound_data();
  void enterRound();
  void enterStoresTheShownValue();
  void enterKeepsTheFocusOnAFailedCheck();
};

// Every commit path: what is shown, stored and said, where the focus goes and
// whether the case is recalculated.
void TestVeltraneInputs::commit_data() {
  QTest::addColumn<int>("cylinder");
  QTest::addColumn<bool>("comma");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<double>("stored");
  QTest::addColumn<QString>("message");
  QTest::addColumn<bool>("focusBack");
  QTest::addColumn<int>("calcs");

  auto row = [](const char* tag, int cyl, bool comma, const char* name, const char* typed, const char* shown,
                double stored, const char* message, bool focusBack, int calcs) {
    QTest::newRow(tag) << cyl << comma << name << typed << shown << stored << message << focusBack << calcs;
  };
  row("icylr below limit", 2, false, "icylr", "40", "40", 40, " cylr >= 50 ", true, 1);
  row("icylr empty reads 0", 2, false, "icylr", "", "00", 0, " cylr >= 50 ", true, 1);
  row("icylr leading number", 2, false, "icylr", "1234x", "1234", 1234, "", false, 1);
  row("il keeps no focus", 2, false, "il", "40", "40", 40, " l >= 50 ", false, 1);
  row("it below limit", 2, false, "it", "0.05", "0.1", 0.05f, " 0.1 <= t ", true, 1);
  row("ie below", 2, false, "ie", "999", "9.99E+2", 999, " 1000 <= E-modulus ", true, 0);
  row("ie rounds up to limit", 2, false, "ie", "999.6", "1.00E+3", 999.6f, "", false, 0);
  row("is1 below", 2, false, "is1", "5", "05", 5, " 10 <= s   ", true, 1);
  row("is1 above radius", 2, false, "is1", "2000", "2000", 2000, " s  <= r  ", false, 1);
  row("ilt below", 2, false, "ilt", "40", "40", 40, " 50 <= lt ", true, 1);
  row("icyll rounds to 50", 2, false, "icyll", "49.7", "50", 49.7f, " L >= 50  ", true, 1);
  row("icyll below l", 1, false, "icyll", "2000", "2000", 2000, " L >= l  ", true, 1);
  row("igilt below", 1, false, "igilt", "40", "40", 40, " 50 <= lt ", true, 1);
  row("icolL below", 3, false, "icolL", "40", "40", 40, " L >= 50  ", true, 1);
  row("icolL below l is fine", 3, false, "icolL", "60", "60", 60, "", false, 1);
  row("ik1 below", 3, false, "ik1", "0.1", "0.10", 0.1f, " k1 >= 0.2  ", true, 1);
  row("ik2 below", 3, false, "ik2", "0.19", "0.19", 0.19f, " k2 >= 0.2  ", true, 1);
  row("inn", 3, false, "inn", "12.34", "12.3", 12.34f, "", false, 1);
  row("im2b", 3, false, "im2b", "-7", "-7.0", -7, "", false, 1);
  row("ip", 3, false, "ip", "0.25", "0.250", 0.25, "", false, 1);
  row("isigx", 2, false, "isigx", "-50", "-50.0", -50, "", false, 1);
  row("ipp", 0, false, "ipp", "1", "1.000", 1, "", false, 1);
  row("iufb above", 2, false, "iufb", "2", "2.00", 2, " 0.5 < UF < 1.5 ", true, 0);
  row("iufb at limit", 2, false, "iufb", "1.5", "1.50", 1.5, "", false, 1);
  row("comma system, point typed", 2, true, "it", "12.5", "12,5", 12.5, "", false, 1);
  row("comma system, comma typed", 2, true, "icylr", "1234,4", "1234", 1234.4f, "", false, 1);
  row("point system, comma typed", 2, false, "it", "12,5", "12.5", 12.5, "", false, 1);
}

void TestVeltraneInputs::commit() {
  QFETCH(int, cylinder);
  QFETCH(bool, comma);
  QFETCH(QString, name);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(double, stored);
  QFETCH(QString, message);
  QFETCH(bool, focusBack);
  QFETCH(int, calcs);

  Harness h(comma);
  h.type(cylinder);
  h.msg.clear();
  // getting the focus: yellow, the whole text selected
  h.box(name)->setFocus();
  QVERIFY(h.yellow(name));
  QCOMPARE(h.box(name)->selectedText(), h.box(name)->text());
  h.typeInto(name, typed);
  h.w->calcs = 0;
  h.leave();

  QCOMPARE(h.box(name)->text(), shown);
  QCOMPARE(static_cast<float>(Spec(IdOf(name)).value(h.z)), static_cast<float>(stored));
  if (message.isEmpty())
    QVERIFY2(h.msg.texts.isEmpty(), qPrintable(h.msg.texts.join('|')));
  else
    QCOMPARE(h.msg.texts.value(0), message);
  QCOMPARE(h.box(name)->hasFocus(), focusBack);
  QCOMPARE(h.w->calcs, calcs);
  // the box under edit is yellow; a failed usage factor keeps its colour
  QCOMPARE(h.yellow(name), focusBack);
}

// A value equal to its limit passes (the engine may still have its own say).
void TestVeltraneInputs::limitAccepted_data() {
  QTest::addColumn<int>("cylinder");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("failure");
  QTest::newRow("cylr 50") << 2 << "icylr"
                           << "50"
                           << " cylr >= 50 ";
  QTest::newRow("l 50") << 2 << "il"
                        << "50"
                        << " l >= 50 ";
  QTest::newRow("t 0.1") << 2 << "it"
                         << "0.1"
                         << " 0.1 <= t ";
  QTest::newRow("s 10") << 2 << "is1"
                        << "10"
                        << " 10 <= s   ";
  QTest::newRow("s r") << 2 << "is1"
                       << "1500"
                       << " s  <= r  ";
  QTest::newRow("L l") << 1 << "icyll"
                       << "3000"
                       << " L >= l  ";
  QTest::newRow("k1 0.2") << 3 << "ik1"
                          << "0.2"
                          << " k1 >= 0.2  ";
  QTest::newRow("k2 0.2") << 3 << "ik2"
                          << "0.2"
                          << " k2 >= 0.2  ";
  QTest::newRow("ufb 0.5") << 2 << "iufb"
                           << "0.5"
                           << " 0.5 < UF < 1.5 ";
  QTest::newRow("fyp 50") << 0 << "ifyp"
                          << "50"
                          << " 50 <= fyp <= 2000 ";
  QTest::newRow("fys 2000") << 2 << "ifys"
                            << "2000"
                            << " 50 <= fys <= 2000 ";
  QTest::newRow("fyg 2000") << 1 << "ifyg"
                            << "2000"
                            << " 50 <= fyr <= 2000 ";
  QTest::newRow("fyg 2001") << 1 << "ifyg"
                            << "2001"
                            << "";
}

void TestVeltraneInputs::limitAccepted() {
  QFETCH(int, cylinder);
  QFETCH(QString, name);
  QFETCH(QString, typed);
  QFETCH(QString, failure);
  Harness h;
  h.z.matp = h.z.mats = h.z.matg = h.z.mat.nmat;  // yield strengths typed in
  h.type(cylinder);
  h.msg.clear();
  h.typeInto(name, typed);
  h.leave();
  if (failure.isEmpty())
    QCOMPARE(h.msg.texts.value(0), QString(" 50 <= fyr <= 2000 "));
  else
    QVERIFY2(!h.msg.texts.contains(failure), qPrintable(h.msg.texts.join('|')));
}

void TestVeltraneInputs::trippingLengthCorrection() {
  Harness h;
  h.type(1);
  h.msg.clear();
  h.typeInto("igilt", "5000");
  h.leave();
  const float pi = 3.141593f;
  const float expected = static_cast<float>(pi * std::sqrt(h.z.cylr * (h.z.girdh - h.z.girdtf)) - 1);
  QCOMPARE(h.msg.texts.value(0), QString(" lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value "));
  QCOMPARE(h.z.gilt, expected);
  QCOMPARE(h.box("igilt")->text(), QString::fromStdString(Format(expected, "#00")));
  QVERIFY(h.box("igilt")->hasFocus());
}

void TestVeltraneInputs::textBoxesStoreWithoutCalculating() {
  Harness h;
  h.box("iproj")->setFocus();
  h.box("iproj")->selectAll();
  QTest::keyClicks(h.box("iproj"), "Bridge pier");
  h.w->calcs = 0;
  h.leave();
  QCOMPARE(QString::fromStdString(h.z.proj), QString("Bridge pier"));
  QCOMPARE(h.w->calcs, 0);
  QVERIFY(!h.yellow("iproj"));
  // the text boxes take the focus colour without selecting
  h.box("iproj")->setFocus();
  QVERIFY(h.yellow("iproj"));
  QVERIFY(!h.box("iproj")->hasSelectedText());
  // any text, the empty one too
  h.box("iident")->setFocus();
  h.box("iident")->clear();
  h.leave();
  QCOMPARE(h.z.ident, std::string());
}

// On a comma system text that is not a number stores nothing; l is put back
// by the refresh and recalculated, the others are not.
void TestVeltraneInputs::commaSystemMismatch_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("calcs");
  QTest::newRow("icylr letters") << "icylr"
                                 << "abc"
                                 << "abc" << 0;
  QTest::newRow("icylr empty") << "icylr"
                               << ""
                               << "" << 0;
  QTest::newRow("il refreshes") << "il"
                                << "abc"
                                << "3000" << 1;
  QTest::newRow("iufb") << "iufb"
                        << "x"
                        << "x" << 0;
}

void TestVeltraneInputs::commaSystemMismatch() {
  QFETCH(QString, name);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(int, calcs);
  Harness h(true);
  QCOMPARE(h.z.commadec, int16(-1));
  QCOMPARE(h.z.decsep, ',');
  const double before = Spec(IdOf(name)).value(h.z);
  h.msg.clear();
  h.typeInto(name, typed);
  h.w->calcs = 0;
  h.leave();
  QCOMPARE(h.msg.texts, QStringList{"Input string mismatch "});
  QCOMPARE(Spec(IdOf(name)).value(h.z), before);
  QCOMPARE(h.box(name)->text(), shown);
  QCOMPARE(h.w->calcs, calcs);
  QVERIFY(h.box(name)->hasFocus());
}

// Enter walks the focus chain and passes over the frames the type hides;
// the yield boxes are visited only for the user-defined material.
void TestVeltraneInputs::enterRound_data() {
  QTest::addColumn<int>("cylinder");
  QTest::addColumn<bool>("userMaterial");
  QTest::addColumn<QStringList>("round");
  const QStringList plate{"icylr", "il", "it", "ie", "cbofyp"};
  const QStringList loading{"isigx", "isigy", "itau", "ipp"};
  const QStringList ident{"iproj", "iident", "iufb", "icylr"};
  const QStringList ring{"icyll", "igilt", "cboring", "cbofyg"};
  const QStringList stiff{"is1", "ilt", "cbostiff", "cbofys"};
  const QStringList column{"icolL", "ik1", "ik2", "inn", "ip", "im1a", "im1b", "im2a", "im2b"};
  QTest::newRow("0") << 0 << false << plate + loading + ident;
  QTest::newRow("0 user material") << 0 << true << plate + QStringList{"ifyp"} + loading + ident;
  QTest::newRow("1") << 1 << false << plate + ring + loading + ident;
  QTest::newRow("1 user material") << 1 << true
                                   << plate + QStringList{"ifyp"} + ring + QStringList{"ifyg"} + loading +
                                          ident;
  QTest::newRow("2") << 2 << false << plate + stiff + ring + loading + ident;
  QTest::newRow("2 user material") << 2 << true
                                   << plate + QStringList{"ifyp"} + stiff + QStringList{"ifys"} + ring +
                                          QStringList{"ifyg"} + loading + ident;
  QTest::newRow("3") << 3 << false << plate + column + ident;
  QTest::newRow("3 user material") << 3 << true << plate + QStringList{"ifyp"} + column + ident;
}

void TestVeltraneInputs::enterRound() {
  QFETCH(int, cylinder);
  QFETCH(bool, userMaterial);
  QFETCH(QStringList, round);
  Harness h;
  // the profile lists take part once their dialogs exist
  h.w->setOpener(Veltrane::Opener::StiffForm, [] {});
  h.w->setOpener(Veltrane::Opener::GirdForm, [] {});
  if (userMaterial) h.z.matp = h.z.mats = h.z.matg = h.z.mat.nmat;
  h.type(cylinder);
  h.box("icylr")->setFocus();
  QStringList seen{h.focusName()};
  for (int i = 1; i < round.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    seen << h.focusName();
  }
  QCOMPARE(seen, round);
  QVERIFY2(h.msg.texts.isEmpty(), qPrintable(h.msg.texts.join('|')));
}

void TestVeltraneInputs::enterStoresTheShownValue() {
  Harness h;
  h.type(3);
  h.typeInto("im1a", "12.34");
  QTest::keyClick(h.box("im1a"), Qt::Key_Return);
  QCOMPARE(h.box("im1a")->text(), QString("12.3"));
  QCOMPARE(h.z.m1a, static_cast<double>(12.3f));
  QCOMPARE(h.focusName(), QString("im1b"));
  // leaving with the mouse or Tab stores what was typed
  h.typeInto("im1a", "12.34");
  h.leave();
  QCOMPARE(h.z.m1a, static_cast<double>(12.34f));
}

void TestVeltraneInputs::enterKeepsTheFocusOnAFailedCheck() {
  Harness h;
  h.msg.clear();
  h.typeInto("is1", "2000");
  h.w->calcs = 0;
  QTest::keyClick(h.box("is1"), Qt::Key_Return);
  QCOMPARE(h.msg.texts, QStringList{" s  <= r  "});
  QCOMPARE(h.focusName(), QString("is1"));
  QCOMPARE(h.w->calcs, 0);
  QCOMPARE(h.z.s, 2000.0);

  // comma system: text that is not a number stays, nothing is stored
  Harness c(true);
  c.msg.clear();
  c.typeInto("isigx", "abc");
  QTest::keyClick(c.box("isigx"), Qt::Key_Return);
  QCOMPARE(c.msg.texts, QStringList{"Input string mismatch "});
  QCOMPARE(c.focusName(), QString("isigx"));
  QCOMPARE(c.z.sigx, -100.0);
}

QTEST_MAIN(TestVeltraneInputs)
#include "test_veltrane_inputs.moc"
