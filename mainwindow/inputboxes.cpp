// The input boxes: getting the focus, the Enter chain and the commit on
// leaving a box (read, store, write back, check, recalculate).
#include "mainwindow/inputboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <cmath>
#include <exception>
#include <utility>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"
#include "gui/core/readnum.h"
#include "gui/qtext.h"
#include "mainwindow/veltrane.h"
#include "profiles/profiledialogs.h"

namespace zod {

namespace {

using K = EnterKind;

Violation Fails(bool failed, const char* text, bool refocusOnLeave = true) {
  return failed ? Violation{text, refocusOnLeave} : Violation{};
}

Violation YieldLimits(double fy, const char* text) { return Fails(fy < 50 || fy > 2000, text); }

// In the order of box::Id.
const InputBox kInputBoxes[box::kCount] = {
    {"icylr", "#00", K::MovesOn, [](State& z, float v) { z.cylr = v; },
     [](const State& z) -> double { return z.cylr; },
     [](const State& z) { return Fails(z.cylr < 50, " cylr >= 50 "); }},
    {"il", "#00", K::MovesOn, [](State& z, float v) { z.l = v; },
     [](const State& z) -> double { return z.l; },
     [](const State& z) { return Fails(z.l < 50, " l >= 50 ", false); }},
    {"it", "#0.0", K::MovesOn, [](State& z, float v) { z.t = v; },
     [](const State& z) -> double { return z.t; },
     [](const State& z) { return Fails(z.t < 0.1, " 0.1 <= t "); }},
    // the modulus is checked on the text written back (see LostFocus)
    {"ie", "0.00E+0", K::MovesOn, [](State& z, float v) { z.e = v; },
     [](const State& z) -> double { return z.e; }, nullptr},
    {"ifyp", "#00", K::MovesOn, [](State& z, float v) { z.fyp = v; },
     [](const State& z) -> double { return z.fyp; },
     [](const State& z) { return YieldLimits(z.fyp, " 50 <= fyp <= 2000 "); }},
    {"ifys", "#00", K::MovesOn, [](State& z, float v) { z.fys = v; },
     [](const State& z) -> double { return z.fys; },
     [](const State& z) { return YieldLimits(z.fys, " 50 <= fys <= 2000 "); }},
    {"ifyg", "#00", K::MovesOn, [](State& z, float v) { z.fyg = v; },
     [](const State& z) -> double { return z.fyg; },
     [](const State& z) { return YieldLimits(z.fyg, " 50 <= fyr <= 2000 "); }},
    {"is1", "#00", K::ParsesStoresChecks, [](State& z, float v) { z.s = v; },
     [](const State& z) -> double { return z.s; },
     [](const State& z) {
       if (z.s < 10) return Fails(true, " 10 <= s   ");
       return Fails(z.s > z.cylr, " s  <= r  ", false);
     }},
    {"ilt", "#00", K::ParsesStoresChecks, [](State& z, float v) { z.lt = v; },
     [](const State& z) -> double { return z.lt; },
     [](const State& z) { return Fails(z.lt < 50, " 50 <= lt "); }},
    {"icyll", "#00", K::ParsesStoresChecks, [](State& z, float v) { z.cyll = v; },
     [](const State& z) -> double { return z.cyll; },
     [](const State& z) {
       if (z.cyll < 50) return Fails(true, " L >= 50  ");
       return Fails(z.cyll < z.l, " L >= l  ");
     }},
    {"igilt", "#00", K::MovesOn, [](State& z, float v) { z.gilt = v; },
     [](const State& z) -> double { return z.gilt; },
     [](const State& z) { return Fails(z.gilt < 50, " 50 <= lt "); }},
    {"icolL", "#00", K::ParsesStoresChecks, [](State& z, float v) { z.cyll = v; },
     [](const State& z) -> double { return z.cyll; },
     [](const State& z) { return Fails(z.cyll < 50, " L >= 50  "); }},
    {"ik1", "#0.00", K::ParsesStoresChecks, [](State& z, float v) { z.k1 = v; },
     [](const State& z) -> double { return z.k1; },
     [](const State& z) { return Fails(z.k1 < 0.2, " k1 >= 0.2  "); }},
    {"ik2", "#0.00", K::ParsesStoresChecks, [](State& z, float v) { z.k2 = v; },
     [](const State& z) -> double { return z.k2; },
     [](const State& z) { return Fails(z.k2 < 0.2, " k2 >= 0.2  "); }},
    {"inn", "#0.0", K::ParsesStores, [](State& z, float v) { z.nn = v; },
     [](const State& z) -> double { return z.nn; }, nullptr},
    {"ip", "#0.000", K::ParsesStores, [](State& z, float v) { z.pd = v; },
     [](const State& z) -> double { return z.pd; }, nullptr},
    {"im1a", "#0.0", K::ParsesStores, [](State& z, float v) { z.m1a = v; },
     [](const State& z) -> double { return z.m1a; }, nullptr},
    {"im1b", "#0.0", K::ParsesStores, [](State& z, float v) { z.m1b = v; },
     [](const State& z) -> double { return z.m1b; }, nullptr},
    {"im2a", "#0.0", K::ParsesStores, [](State& z, float v) { z.m2a = v; },
     [](const State& z) -> double { return z.m2a; }, nullptr},
    {"im2b", "#0.0", K::ParsesStores, [](State& z, float v) { z.m2b = v; },
     [](const State& z) -> double { return z.m2b; }, nullptr},
    {"isigx", "##0.0", K::ParsesStores, [](State& z, float v) { z.sigx = v; },
     [](const State& z) -> double { return z.sigx; }, nullptr},
    {"isigy", "##0.0", K::ParsesStores, [](State& z, float v) { z.sigy = v; },
     [](const State& z) -> double { return z.sigy; }, nullptr},
    {"itau", "##0.0", K::ParsesStores, [](State& z, float v) { z.tau = v; },
     [](const State& z) -> double { return z.tau; }, nullptr},
    {"ipp", "##0.000", K::ParsesStores, [](State& z, float v) { z.pd = v; },
     [](const State& z) -> double { return z.pd; }, nullptr},
    {"iufb", "#0.00", K::MovesOn, [](State& z, float v) { z.ufb = v; },
     [](const State& z) -> double { return z.ufb; },
     [](const State& z) { return Fails(z.ufb < 0.5 || z.ufb > 1.5, " 0.5 < UF < 1.5 "); }},
    {"iproj", nullptr, K::StoresText, nullptr, nullptr, nullptr},
    {"iident", nullptr, K::StoresText, nullptr, nullptr, nullptr},
};

// A message box, a menu (the menu bar keeps the keys after Escape or Alt) or
// another window takes the focus for a while: that is no leaving. The box
// stays under edit until the focus comes back to it, or lands on another
// control of the window, which is the leaving.
bool Passing(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
         reason == Qt::MenuBarFocusReason;
}

const QColor kFocusColour(255, 255, 192);
const QColor kNormalColour(255, 255, 255);

}  // namespace

const InputBox& BoxDef(int id) { return kInputBoxes[id]; }

void Veltrane::setBoxColour(QLineEdit* w, bool focus) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Base, focus ? kFocusColour : kNormalColour);
  w->setPalette(pal);
}

bool Veltrane::shown(QWidget* w) const { return w && w->isVisibleTo(const_cast<Veltrane*>(this)); }

void Veltrane::focusBack(QWidget* w) {
  if (m_handling > 0)
    m_pendingFocus = w;
  else if (w)
    w->setFocus(Qt::OtherFocusReason);
}

// After a case was put in place the cursor stays in the box it stood in
// when the case shows that box; otherwise (a box the case hides, another
// control, no focus yet at start-up) it goes to the radius box. The toolkit
// would hand the focus of a hidden box to the next control, a check box
// perhaps, where typed digits are lost and a blank ticks it.
QLineEdit* Veltrane::PlacedBox() const {
  const int id = m_boxOf.value(focusWidget(), -1);
  if (id >= 0 && shown(m_box[id]) && m_box[id]->isEnabled()) return m_box[id];
  return m_box[box::icylr];
}

void Veltrane::BeginHandler() { m_handlerWindow = QApplication::activeWindow(); }

void Veltrane::applyPendingFocus() {
  const bool placed = std::exchange(m_placed, false);
  QPointer<QWidget> target = std::exchange(m_pendingFocus, nullptr);
  if (!target && placed) target = PlacedBox();
  if (!target) return;
  // The box that loses the focus now was never edited: it is not committed.
  ++m_handling;
  target->setFocus(Qt::OtherFocusReason);
  --m_handling;
  if (!target) return;
  // Where no window manager hands the activation back once a dialog or a
  // message box has closed, the window would get the keys without ever
  // hearing that it has the focus. Only a handler that began in this window
  // (or in none) takes it back: one that began in the database window or a
  // profile dialog leaves the user there.
  const bool began = !m_handlerWindow || m_handlerWindow == this;
  if (began && !QApplication::activeWindow() && isVisible()) activateWindow();
  const int id = m_boxOf.value(target, -1);
  if (id < 0) return;
  // A box that took the focus in passing meanwhile (the window giving it back
  // after a message box, before the focus went where the handler wanted it)
  // was never the user's: it is let go without a commit.
  if (m_current && m_current != target) setBoxColour(m_current, false);
  // Entered anew, also when it never lost the focus (Enter, a command that
  // committed it first) and while the window waits for its activation: its
  // text is selected, so that what the user types next replaces the value
  // instead of extending it.
  m_current = m_box[id];
  GotFocus(id);
  if (placed) m_untouched = m_box[id];
}

bool Veltrane::Untouched(QLineEdit* e) const { return e && e == m_untouched && !e->isModified(); }

// The one place where the box under edit is left, whichever way the focus
// went: straight to another control, or first into a menu or another window
// and from there to another control.
void Veltrane::LeaveBox(int id) {
  m_current = nullptr;
  const bool untouched = Untouched(m_box[id]);
  m_untouched = nullptr;
  if (m_handling > 0 || untouched)
    setBoxColour(m_box[id], false);
  else
    LostFocus(id);
}

// The focus, or a key, reached a control of the window: the box under edit
// before is left, and a box reached is entered. False when leaving the box
// before gave the focus back to it: the control never got it.
bool Veltrane::Arrive(QObject* watched) {
  if (m_current && m_current != watched && !m_current->hasFocus()) {
    LeaveBox(m_boxOf.value(m_current));
    if (focusWidget() != watched) return false;
  }
  const int id = m_boxOf.value(watched, -1);
  if (id >= 0 && m_current != m_box[id]) {
    // Only the box entered for the user stays untouched when the focus
    // comes back to it; the user entered any other.
    if (m_untouched != m_box[id]) m_untouched = nullptr;
    m_current = m_box[id];
    GotFocus(id);
  }
  return true;
}

bool Veltrane::CommitEdit() {
  if (!CommitOwnEdit()) return false;
  // What is typed into an open profile dialog is part of the case too.
  return m_profiles->commitTyping();
}

bool Veltrane::CommitOwnEdit() {
  const QPointer<QLineEdit> e = m_current;
  if (!e) return true;
  Busy busy(*this);
  bool stored = true;
  if (!Untouched(e)) {
    m_current = nullptr;
    stored = LostFocus(m_boxOf.value(e));
  }
  // The user is still in the box: it is entered anew, its text selected.
  // Leaving it commits what is typed from now on, but not the value just
  // committed once more: a limit message would come back at every command
  // and every leaving.
  if (e && !m_pendingFocus && focusWidget() == e) m_pendingFocus = e;
  m_untouched = e;
  return stored;
}

// ---- focus and keys

bool Veltrane::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      // The box under edit let the focus pass to a menu or another window,
      // and the focus now lands on another control: that is the leaving.
      if (!Arrive(watched)) return true;
      break;
    case QEvent::FocusOut: {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if ((watched == m_cbostiff || watched == m_cboring) && !Passing(reason)) {
        // Typed text chose nothing: leaving the list shows the member's kind again.
        const bool stiff = watched == m_cbostiff;
        setKindComboText(stiff ? Member::Stiffener : Member::RingFrame, stiff ? m_z.stifftype : m_z.girdtype);
        break;
      }
      const int id = m_boxOf.value(watched, -1);
      if (id < 0 || m_current != m_box[id]) break;
      // the box stays the one under edit
      if (Passing(reason)) break;
      LeaveBox(id);
      // The commit gave the focus back to the box (also while the window
      // waits for its activation after the message): its own focus-out
      // handling would now clear the selection and stop the cursor.
      if (focusWidget() == m_box[id]) return true;
      break;
    }
    case QEvent::KeyPress: {
      const int id = m_boxOf.value(watched, -1);
      // Keys reach the box that holds the window's focus also where the
      // window system never told it of the focus (no window manager, the
      // window not activated): the box is entered first, so what is typed
      // replaces its value and is committed on leaving.
      if (id >= 0 && m_current != m_box[id] && !Arrive(watched)) return true;
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key != Qt::Key_Return && key != Qt::Key_Enter) break;
      if (id >= 0) {
        KeyEnter(id);
        return true;
      }
      if (QComboBox* combo = m_comboOf.value(watched)) {
        ComboEnter(combo);
        return true;
      }
      break;
    }
    case QEvent::MouseButtonRelease: {
      auto* me = static_cast<QMouseEvent*>(event);
      if (me->button() == Qt::RightButton && m_controls.contains(watched->objectName()) &&
          m_controls.value(watched->objectName()) == watched)
        return RightMouseUp(watched, me->globalPosition().toPoint());
      break;
    }
    case QEvent::ContextMenu:
      // The Profiles menu takes the place of a box's own edit menu.
      if (m_rightClick.contains(watched) && popupApplies()) return true;
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void Veltrane::GotFocus(int id) {
  setBoxColour(m_box[id], true);
  if (BoxDef(id).enter != EnterKind::StoresText) m_box[id]->selectAll();
}

// Reads the box's text, stores the value and writes it back in the box's
// display format. False when nothing could be stored; mismatch tells text
// that is not a number (comma systems) from any other failure.
bool Veltrane::ReadBox(int id, bool& mismatch) {
  const InputBox& def = BoxDef(id);
  std::string txt = fromQ(m_box[id]->text());
  float v = 0;
  try {
    v = ReadNum(txt, m_z.commadec);
  } catch (const InputMismatch&) {
    mismatch = true;
    return false;
  } catch (const std::exception&) {
    return false;
  }
  if (!std::isfinite(v)) return false;
  def.store(m_z, v);
  m_box[id]->setText(display(def.value(m_z), def.pattern));
  return true;
}

bool Veltrane::LostFocus(int id) {
  Busy busy(*this);
  QLineEdit* e = m_box[id];
  const InputBox& def = BoxDef(id);
  if (def.enter == EnterKind::StoresText) {
    (id == box::iproj ? m_z.proj : m_z.ident) = fromQ(e->text());
    setBoxColour(e, false);
    return true;
  }

  bool mismatch = false;
  if (!ReadBox(id, mismatch)) {
    if (mismatch) {
      message(QStringLiteral("Input string mismatch "));
      focusBack(e);
    } else {
      // Nothing could be stored, and the user is gone from the box: it shows
      // what the case still holds, not a number the case never took.
      e->setText(display(def.value(m_z), def.pattern));
    }
    if (id == box::il) {
      // puts the stored l back into the box
      RefreshForm();
      calculate();
    }
    if (id != box::iufb) setBoxColour(e, false);
    return !mismatch;
  }

  Violation v = def.check ? def.check(m_z) : Violation{};
  if (id == box::ie) {
    // the modulus as it reads back from its three significant digits
    std::string back = fromQ(e->text());
    try {
      if (ReadNum(back, m_z.commadec) < 1000) v = Violation{" 1000 <= E-modulus "};
    } catch (const std::exception&) {
    }
  }
  const bool passed = v.text == nullptr;
  if (!passed) {
    message(QString::fromLatin1(v.text));
    if (v.refocusOnLeave) focusBack(e);
  }
  if (id == box::igilt && passed) CorrectGilt();
  if (id == box::il || id == box::icolL) RefreshForm();
  const bool ufbFailed = id == box::iufb && !passed;
  if (id != box::ie && !ufbFailed) calculate();
  if (!ufbFailed) setBoxColour(e, false);
  return true;
}

// The ring frame's tripping length may not exceed pi * sqrt(r * h); a longer
// one is replaced by that limit less 1 mm.
void Veltrane::CorrectGilt() {
  try {
    const std::optional<GiltLimit> lim = TrippingLimit(m_z);
    if (lim && lim->limit < m_z.gilt) {
      message(QStringLiteral(" lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value "));
      m_z.gilt = lim->corrected;
      m_box[box::igilt]->setText(display(m_z.gilt, "#00"));
      focusBack(m_box[box::igilt]);
    }
  } catch (const Error&) {
    // A ring frame higher than the radius: the calculation that follows
    // reports it.
  }
}

void Veltrane::KeyEnter(int id) {
  const InputBox& def = BoxDef(id);
  QLineEdit* e = m_box[id];
  if (m_untouched == e) m_untouched = nullptr;  // Enter is the user's commit
  if (def.enter == EnterKind::StoresText) {
    (id == box::iproj ? m_z.proj : m_z.ident) = fromQ(e->text());
  } else if (def.enter != EnterKind::MovesOn) {
    Busy busy(*this);
    bool mismatch = false;
    if (!ReadBox(id, mismatch)) {
      if (mismatch) {
        message(QStringLiteral("Input string mismatch "));
        focusBack(e);
      }
      return;
    }
    if (def.enter == EnterKind::ParsesStoresChecks && def.check) {
      const Violation v = def.check(m_z);
      if (v.text) {
        message(QString::fromLatin1(v.text));
        focusBack(e);
        return;
      }
    }
  }
  // leaving the box commits it
  if (QWidget* next = NextInChain(QString::fromLatin1(def.name))) next->setFocus(Qt::OtherFocusReason);
}

void Veltrane::ComboEnter(QComboBox* combo) {
  if (QWidget* next = NextInChain(combo->objectName())) next->setFocus(Qt::OtherFocusReason);
}

// The control that Enter moves the focus to. A control that cannot take the
// focus (a disabled box or list) is passed over along the same chain.
QWidget* Veltrane::NextInChain(const QString& from) const {
  auto step = [this](const QString& f) -> QString {
    auto afterPlate = [this]() -> QString {
      if (shown(m_fr120)) return "is1";
      if (shown(m_fr121)) return "icyll";
      if (shown(m_fr123)) return "isigx";
      return "icolL";
    };
    static const QHash<QString, QString> simple = {
        {"icylr", "il"},    {"il", "it"},         {"it", "ie"},           {"ie", "cbofyp"},
        {"is1", "ilt"},     {"ilt", "cbostiff"},  {"cbostiff", "cbofys"}, {"ifys", "icyll"},
        {"icyll", "igilt"}, {"igilt", "cboring"}, {"cboring", "cbofyg"},  {"ifyg", "isigx"},
        {"isigx", "isigy"}, {"isigy", "itau"},    {"itau", "ipp"},        {"ipp", "iproj"},
        {"icolL", "ik1"},   {"ik1", "ik2"},       {"ik2", "inn"},         {"inn", "ip"},
        {"ip", "im1a"},     {"im1a", "im1b"},     {"im1b", "im2a"},       {"im2a", "im2b"},
        {"im2b", "iproj"},  {"iproj", "iident"},  {"iufb", "icylr"}};
    if (simple.contains(f)) return simple.value(f);
    if (f == "cbofyp") return m_box[box::ifyp]->isEnabled() ? QStringLiteral("ifyp") : afterPlate();
    if (f == "ifyp") return afterPlate();
    if (f == "cbofys")
      return m_box[box::ifys]->isEnabled() ? QStringLiteral("ifys") : QStringLiteral("icyll");
    if (f == "cbofyg")
      return m_box[box::ifyg]->isEnabled() ? QStringLiteral("ifyg") : QStringLiteral("isigx");
    if (f == "iident") return shown(m_box[box::iufb]) ? QStringLiteral("iufb") : QStringLiteral("icylr");
    return {};
  };
  QString name = from;
  for (int guard = 0; guard < 40; ++guard) {
    name = step(name);
    QWidget* w = named(name);
    if (!w) return nullptr;
    if (w->isEnabled()) return w;
  }
  return nullptr;
}

}  // namespace zod
