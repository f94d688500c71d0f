#include "profiles/profiledialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWindow>
#include <cmath>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"
#include "gui/core/readnum.h"
#include "gui/qtext.h"
#include "profiles/profilehost.h"
#include "profiles/profilesketch.h"

namespace zod {

using profiles::Dim;

// ---------------------------------------------------------------------------
// DimBox

void DimBox::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  emit entered(e->reason());
}

void DimBox::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  emit left(e->reason());
}

void DimBox::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    e->accept();  // swallowed: nothing is typed, nothing else reacts
    emit enterKey();
    return;
  }
  QLineEdit::keyPressEvent(e);
}

// ---------------------------------------------------------------------------
// Input rules of the built-up dialogs

namespace {

// How a box is read at one moment (leaving it, OK, closing): the pattern it
// is written back in, its lower bound and the message when it is below.
struct Rule {
  const char* pattern;
  double bound;
  const char* message;
};

Rule LeaveRule(int kind, Dim d) {
  switch (d) {
    case Dim::H:
      return {"##0", 5, " H >= 5 "};
    case Dim::B:
      return {kind == 1 ? "##0.0" : "##0", 5, " B >= 5 "};
    case Dim::A:
      return {"##0", 0, " a >= 0 "};
    case Dim::Tw:
      return {"##0.0", 0.1, " tw >= 0.1 "};
    default:
      return {"##0.0", 0.1, " tf >= 0.1 "};
  }
}

// The stiffener's OK is stricter on the thicknesses.
Rule OkRule(Dim d) {
  switch (d) {
    case Dim::H:
      return {"##0", 5, " H >= 5 "};
    case Dim::B:
      return {"##0.0", 5, " B >= 5 "};
    case Dim::Tw:
      return {"##0.0", 1, " tw >= 1 "};
    default:
      return {"##0.0", 1, " tf >= 1 "};
  }
}

Rule CloseRule(Dim d) {
  switch (d) {
    case Dim::H:
      return {"##0", 5, " H >= 5 "};
    case Dim::B:
      return {"##0.0", 5, " B >= 5 "};
    default:
      return {"##0.0", 0, " a >= 0 "};
  }
}

// The value a box below its bound is replaced by when it is left; NaN when
// it keeps what was typed. The stiffener replaces only the thicknesses, the
// ring frame the height and width too; the trapezoid's a is never replaced.
double ResetValue(Member m, Dim d) {
  if (d == Dim::Tw || d == Dim::Tf) return static_cast<float>(0.1);
  if (m == Member::RingFrame && (d == Dim::H || d == Dim::B)) return 5;
  return std::nan("");
}

bool ReadsOnClose(Member m, Dim d) {
  return d == Dim::H || d == Dim::B || (m == Member::RingFrame && d == Dim::A);
}

// OK of the ring-frame flat bar, RHS and trapezoid recalculates after the
// closing; the stiffener's OK always does.
bool OkRecalculates(Member m, int kind) {
  return m == Member::Stiffener || kind == 5 || kind == 7 || kind == 8;
}

const char* const kMismatch = "Input string mismatch ";

// Inner width of the design in logical pixels (15 twips each).
int DesignWidth(int kind) { return (kind == 7 || kind == 8) ? 367 : 407; }
constexpr int kDesignMinHeight = 333;

}  // namespace

// ---------------------------------------------------------------------------
// ProfileDialog: building, placing

ProfileDialog::ProfileDialog(ProfileHost& host, Member m, int kind)
    : QWidget(host.ownerWindow(),
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_host(host),
      m_member(m),
      m_kind(kind) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QString::fromLatin1(profiles::DesignName(m, kind)));
  setWindowTitle(toQ(profiles::Caption(m, kind)));
  m_sketch = ProfileSketch(m, kind, devicePixelRatioF());
  build();
  fixSize();
  place();
}

// The base class hides the window and deletes the boxes only after this
// destructor has run: a box that has the focus then loses it and signals a
// dialog that no longer exists. Nothing of the dialog may answer from here on.
ProfileDialog::~ProfileDialog() {
  m_closing = true;
  for (const Box& b : m_boxes) b.edit->disconnect(this);
}

void ProfileDialog::build() {
  auto* root = new QVBoxLayout(this);
  const QFontMetrics fm(font());

  auto* top = new QHBoxLayout;
  auto* pic1 = new QLabel(this);
  pic1->setObjectName("pic1");
  pic1->setFrameShape(QFrame::NoFrame);
  pic1->setFixedSize(175, 175);
  pic1->setPixmap(m_sketch);
  top->addWidget(pic1, 0, Qt::AlignTop | Qt::AlignLeft);
  top->addStretch();
  auto* right = new QVBoxLayout;
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Command1");
  ok->setAutoDefault(false);
  // A click must not take the focus: the box it would take it from commits
  // on leaving, and a message box raised in the middle of the click would
  // swallow its release, so OK would never run. The click commits that box
  // itself (okClicked); Tab still reaches the button.
  ok->setFocusPolicy(Qt::TabFocus);
  ok->setFixedWidth(qMax(81, ok->sizeHint().width()));
  right->addWidget(ok, 0, Qt::AlignRight);
  connect(ok, &QPushButton::clicked, this, &ProfileDialog::okClicked);
  if (isTable()) {
    m_cbo = new QComboBox(this);
    m_cbo->setObjectName("cbo");
    m_cbo->setEditable(false);
    m_cbo->setMinimumWidth(fm.horizontalAdvance("L8888x888x88.8x88.8") + 40);
    m_cbo->setMaxVisibleItems(20);
    right->addSpacing(12);
    right->addWidget(m_cbo);
    // activated: only a pick from the list, also of the entry already shown
    connect(m_cbo, &QComboBox::activated, this, &ProfileDialog::rowChosen);
  }
  right->addStretch();
  top->addLayout(right);
  root->addLayout(top);

  m_fr21 = new QGroupBox("Girder data ", this);
  m_fr21->setObjectName("fr21");
  auto* frl = new QHBoxLayout(m_fr21);

  auto* values = new QGroupBox(toQ(profiles::ValueFrameCaption(m_member, m_kind)), m_fr21);
  values->setObjectName("frvalues");
  auto* grid = new QGridLayout(values);
  grid->setVerticalSpacing(3);
  const int valueWidth = fm.horizontalAdvance("-8.888E+88 mm4");
  int row = 0;
  auto addValueLabel = [&](const char* fixed, const char* name) {
    grid->addWidget(new QLabel(fixed, values), row, 0);
    auto* value = new QLabel(values);
    value->setObjectName(name);
    value->setMinimumWidth(valueWidth);
    grid->addWidget(value, row, 1, 1, 2);
    m_targets.insert(name, value);
    ++row;
  };
  for (Dim d : profiles::Dims(m_kind)) {
    if (isTable()) {
      addValueLabel(profiles::DimLabel(d), profiles::DimControl(d, false));
      continue;
    }
    grid->addWidget(new QLabel(profiles::DimLabel(d), values), row, 0);
    auto* box = new DimBox(values);
    box->setObjectName(profiles::DimControl(d, true));
    box->setFixedWidth(fm.horizontalAdvance("88888.8") + 14);
    box->setAutoFillBackground(true);
    setBackground(box, Qt::white);
    grid->addWidget(box, row, 1);
    grid->addWidget(new QLabel("mm", values), row, 2);
    m_boxes.push_back({box, d});
    m_targets.insert(box->objectName(), box);
    connect(box, &DimBox::entered, this, [this, box](Qt::FocusReason r) { boxEntered(box, r); });
    connect(box, &DimBox::left, this, [this, box](Qt::FocusReason r) { boxLeft(box, r); });
    connect(box, &DimBox::enterKey, this, [this, box] { enterPressed(box); });
    ++row;
  }
  addValueLabel("Ax =", "sta");
  addValueLabel("g =", "stg");
  addValueLabel("Iy =", "stiy");
  if (profiles::HasIz(m_kind)) addValueLabel("Iz =", "stiz");
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(3, 1);
  frl->addWidget(values, 0, Qt::AlignTop);

  const std::vector<std::string> local = profiles::LocalLabels(m_member, m_kind);
  if (!local.empty()) {
    auto* lb = new QGroupBox("Local buckling", m_fr21);
    lb->setObjectName("frlocal");
    auto* l = new QVBoxLayout(lb);
    l->setSpacing(3);
    const int textWidth = fm.horizontalAdvance("h/tw <= 8888 (Eq 3.10.4) ==> NOK");
    bool flangeShown = false;
    l->addWidget(new QLabel("Web:", lb));
    for (const std::string& name : local) {
      if (name.rfind("flange", 0) == 0 && !flangeShown) {
        l->addSpacing(6);
        l->addWidget(new QLabel("Flange:", lb));
        flangeShown = true;
      }
      auto* text = new QLabel(lb);
      text->setObjectName(QString::fromStdString(name));
      text->setMinimumWidth(textWidth);
      text->setContentsMargins(8, 0, 0, 0);
      l->addWidget(text);
      m_targets.insert(text->objectName(), text);
    }
    l->addStretch();
    frl->addWidget(lb, 1, Qt::AlignTop);
  }
  root->addWidget(m_fr21);

  // Enter and Tab follow the chain of the boxes.
  for (size_t i = 1; i < m_boxes.size(); ++i) setTabOrder(m_boxes[i - 1].edit, m_boxes[i].edit);
}

void ProfileDialog::fixSize() {
  layout()->activate();
  if (m_member == Member::Stiffener && m_kind == 4) {
    // The flat-bar table stiffener is sized to its frame: 1.06 times the
    // frame's width, the frame 0.02 of that from the left edge.
    const int fw = m_fr21->sizeHint().width();
    const int w = static_cast<int>(std::lround(fw * 1.06));
    const int left = static_cast<int>(std::lround(0.02 * w));
    const QMargins mg = layout()->contentsMargins();
    m_fr21->setFixedWidth(fw);
    layout()->setContentsMargins(left, mg.top(), qMax(0, w - left - fw), mg.bottom());
    layout()->activate();
    setFixedSize(qMax(w, sizeHint().width()), qMax(kDesignMinHeight, sizeHint().height()));
    return;
  }
  const QSize hint = sizeHint();
  setFixedSize(qMax(hint.width(), DesignWidth(m_kind)), qMax(hint.height(), kDesignMinHeight));
}

// The load step's placement: centred vertically on the main window, and
// across it by the kind's factor, stored with single precision. The outer
// size counts, frame included, once the window system has told it.
void ProfileDialog::place() {
  const QWidget* owner = m_host.ownerWindow();
  if (!owner) return;
  const QRect og = owner->frameGeometry();
  const QSize me = frameGeometry().size();
  double f = profiles::PlacementFactor(m_member, m_kind);
  if (f < 0) {
    // stiffl is centred on its owner when it is shown
    if (!isVisible()) return;
    f = 0.5;
  }
  const float top = static_cast<float>(og.top() + og.height() / 2.0 - me.height() / 2.0);
  const float left = static_cast<float>(og.left() + (og.width() - me.width()) * f);
  move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
}

void ProfileDialog::showEvent(QShowEvent* e) {
  // Placed again on the first showing, now that the frame is known.
  if (!m_placedShown) {
    m_placedShown = true;
    place();
  }
  QWidget::showEvent(e);
}

// ---------------------------------------------------------------------------
// Activation, rows, OK, closing

bool ProfileDialog::event(QEvent* e) {
  if (e->type() == QEvent::DeferredDelete) return QWidget::event(e);  // the window is gone after it
  const bool done = QWidget::event(e);
  if (m_activation.UserActivation(e) && !m_activating && !m_closing) activate();
  return done;
}

void ProfileDialog::activate() {
  QPointer<ProfileDialog> self(this);
  m_activating = true;
  State& z = m_host.state();
  (m_member == Member::Stiffener ? z.stifftype : z.girdtype) = static_cast<std::int16_t>(m_kind);
  m_host.setKindComboText(m_member, m_kind);
  m_host.calculate(this);
  if (!self) return;
  if (isTable()) fillRows();
  showValues();
  m_activating = false;
}

void ProfileDialog::showValues() {
  for (const auto& [name, text] : profiles::DisplayTexts(m_host.state(), m_member, m_kind)) {
    QWidget* w = m_targets.value(QString::fromStdString(name));
    if (auto* label = qobject_cast<QLabel*>(w))
      label->setText(toQ(text));
    else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !(edit == m_current && edit->isModified()))
      edit->setText(toQ(text));  // what the user is typing stays until the box is left
  }
  m_filled = true;
}

void ProfileDialog::dropTyping() {
  if (m_current) m_current->setModified(false);
}

bool ProfileDialog::commitTyping() {
  DimBox* edit = m_current;
  if (!edit || !edit->isModified() || m_busy || m_closing) return true;
  m_current = nullptr;
  return commit(edit);
}

void ProfileDialog::fillRows() {
  if (!m_cbo) return;
  State& z = m_host.state();
  const QSignalBlocker block(m_cbo);
  m_cbo->clear();
  for (const std::string& text : profiles::RowTexts(z, m_kind)) m_cbo->addItem(toQ(text));
  // A stored row beyond the loaded rows (a project file made for longer
  // tables) shows no entry as chosen.
  const int row = *profiles::ChosenRow(z, m_member, m_kind);
  m_cbo->setCurrentIndex(row >= 0 && row < m_cbo->count() ? row : -1);
}

void ProfileDialog::rowChosen(int index) {
  if (index < 0) return;
  State& z = m_host.state();
  *profiles::ChosenRow(z, m_member, m_kind) = static_cast<std::int16_t>(index);
  // The T-table stiffener recomputes its section whatever the cylinder type.
  if (m_member == Member::Stiffener && m_kind == 2) {
    try {
      StiffSection(z, z.stifftype);
    } catch (const Error& e) {
      message(toQ(e.what()));
    }
  }
  QPointer<ProfileDialog> self(this);
  m_host.calculate(this);
  if (self) showValues();
}

void ProfileDialog::okClicked() {
  // The box the user is in is committed first, as leaving it for the button
  // would; Tab onto the button has committed it already.
  if (m_current && !m_busy) {
    DimBox* edit = m_current;
    m_current = nullptr;
    commit(edit);
  }
  if (m_member == Member::Stiffener && !isTable() && !okReads()) return;
  ProfileHost& host = m_host;
  const bool recalc = isTable() || OkRecalculates(m_member, m_kind);
  close();  // deleted later, not now
  if (recalc) host.calculate();
}

// The stiffener's OK reads every box but a, against the stricter bounds.
// False when a box holds no number (comma system): the dialog stays open.
bool ProfileDialog::okReads() {
  State& z = m_host.state();
  for (const Box& b : m_boxes) {
    if (b.dim == Dim::A) continue;
    const Rule r = OkRule(b.dim);
    const profiles::FieldRef f = profiles::MemoryField(z, m_member, m_kind, b.dim);
    try {
      std::string txt = fromQ(b.edit->text());
      f.set(ReadNum(txt, z.commadec));
    } catch (const InputMismatch&) {
      message(kMismatch);
      b.edit->setFocus(Qt::OtherFocusReason);
      return false;
    } catch (const Error&) {
      continue;  // no value to store: the field keeps its committed one
    }
    b.edit->setText(toQ(Format(f.get(), r.pattern, z.decsep)));
    if (f.get() < r.bound) message(r.message);
  }
  return true;
}

void ProfileDialog::closeByProgram() {
  m_programClose = true;
  close();
}

void ProfileDialog::closeEvent(QCloseEvent* e) {
  if (!m_closed) {
    m_closing = true;
    // Only what the user closes is read: a closing started by the program
    // finds boxes that no longer show the case, and a dialog never filled
    // holds no dimensions at all.
    if (!isTable() && !m_programClose && m_filled) closingReads();
    m_closed = true;
  }
  e->accept();
}

void ProfileDialog::closingReads() {
  State& z = m_host.state();
  for (const Box& b : m_boxes) {
    if (!ReadsOnClose(m_member, b.dim)) continue;
    const Rule r = CloseRule(b.dim);
    const profiles::FieldRef f = profiles::MemoryField(z, m_member, m_kind, b.dim);
    try {
      std::string txt = fromQ(b.edit->text());
      f.set(ReadNum(txt, z.commadec));
    } catch (const InputMismatch&) {
      // The closing goes on; the box's field keeps its committed value.
      message(kMismatch);
      continue;
    } catch (const Error&) {
      continue;  // a number beyond range: the same, without a word
    }
    b.edit->setText(toQ(Format(f.get(), r.pattern, z.decsep)));
    if (f.get() < r.bound) message(r.message);
  }
}

// ---------------------------------------------------------------------------
// The boxes: focus, Enter, leaving

const ProfileDialog::Box* ProfileDialog::boxOf(const QWidget* w) const {
  for (const Box& b : m_boxes)
    if (b.edit == w) return &b;
  return nullptr;
}

void ProfileDialog::setBackground(QLineEdit* edit, const QColor& c) {
  QPalette p = edit->palette();
  p.setColor(QPalette::Base, c);
  edit->setPalette(p);
}

void ProfileDialog::enter(DimBox* edit) {
  m_current = edit;
  setBackground(edit, kFocusColor);
  edit->setSelection(0, static_cast<int>(edit->text().size()));
}

// Coming back to the window finds the user still in the box: nothing new.
// A box that gets the focus while another one is being committed is entered
// once that commit is over.
void ProfileDialog::boxEntered(DimBox* edit, Qt::FocusReason reason) {
  if (m_busy || m_closing) return;
  const bool windowSwitch = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
  if (windowSwitch && m_current == edit) return;
  enter(edit);
}

// Losing the focus to another window or a menu is no leaving; only a move
// within the dialog commits the box, and only a box the user was in.
void ProfileDialog::boxLeft(DimBox* edit, Qt::FocusReason reason) {
  if (m_busy || m_closing || edit != m_current) return;
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  m_current = nullptr;
  commit(edit);
}

void ProfileDialog::enterPressed(DimBox* edit) {
  for (size_t i = 0; i < m_boxes.size(); ++i) {
    if (m_boxes[i].edit != edit) continue;
    m_boxes[(i + 1) % m_boxes.size()].edit->setFocus(Qt::TabFocusReason);
    return;
  }
}

// False when the box held no number: nothing was stored and it has the
// focus back. A value outside its bound stays stored (or is reset) as
// leaving the box keeps it.
bool ProfileDialog::commit(DimBox* edit) {
  const Box* box = boxOf(edit);
  if (!box) return true;
  QPointer<ProfileDialog> self(this);
  m_busy = true;
  const bool kept = leaveBox(*box);
  if (!self) return kept;
  m_busy = false;
  // Whichever box holds the focus now (the next one, or this one given back
  // after a message) is the box the user is in.
  if (const Box* now = boxOf(QApplication::focusWidget()); now && now->edit != m_current && !m_closing)
    enter(now->edit);
  return kept;
}

bool ProfileDialog::leaveBox(const Box& box) {
  State& z = m_host.state();
  DimBox* edit = box.edit;
  const Rule r = LeaveRule(m_kind, box.dim);
  const profiles::FieldRef f = profiles::MemoryField(z, m_member, m_kind, box.dim);
  const bool offsetA = box.dim == Dim::A;
  bool mismatch = false;
  try {
    std::string txt = fromQ(edit->text());
    f.set(ReadNum(txt, z.commadec));
    edit->setText(toQ(Format(f.get(), r.pattern, z.decsep)));
    if (f.get() < r.bound) {
      message(r.message);
      const double reset = ResetValue(m_member, box.dim);
      if (!std::isnan(reset)) f.set(reset);
      edit->setFocus(Qt::OtherFocusReason);
    }
    if (offsetA) setBackground(edit, Qt::white);
    QPointer<ProfileDialog> self(this);
    m_host.calculate(this);
    if (!self) return true;
    showValues();
  } catch (const InputMismatch&) {
    mismatch = true;
    message(kMismatch);
    edit->setFocus(Qt::OtherFocusReason);
  } catch (const Error&) {
    // any other error passes silently, as the handler's trap did
  }
  if (!(offsetA && mismatch)) setBackground(edit, Qt::white);
  return !mismatch;
}

void ProfileDialog::message(const QString& text) { m_host.messenger().exclamation(text, this); }

}  // namespace zod
