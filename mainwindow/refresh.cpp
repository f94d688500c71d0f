// RefreshForm: the whole design case into the window. Setting an option
// button or a check box whose state changes runs that control's handler at
// that point (it may recalculate and refresh in its turn); setting one to the
// state it has runs nothing, so the nesting ends.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "engine/format.h"
#include "gui/qtext.h"
#include "mainwindow/resultpicture.h"
#include "mainwindow/veltrane.h"

namespace zod {

namespace {

const char* const kStiffKinds[] = {"L-table",        "L-built up",       "T-table",   "T-built up",
                                   "Flatbar-table",  "Flatbar-built up", "Bulb Flat", "RHS",
                                   "Trapez-profile", "I-built up"};

}  // namespace

void Veltrane::setChecked(QRadioButton* b) { b->setChecked(true); }

void Veltrane::setTicked(QCheckBox* b, bool ticked) { b->setChecked(ticked); }

QString Veltrane::currentSketchName() const { return m_sketchShown ? SketchStoreName(m_sketch) : QString(); }

void Veltrane::ShowSketch(CylinderSketch which) {
  if (m_sketchShown && which == m_sketch) return;
  auto it = m_sketches.find(which);
  if (it == m_sketches.end())
    it = m_sketches.emplace(which, CylinderSketchPixmap(which, m_pic20->size(), devicePixelRatioF())).first;
  m_pic20->setPixmap(it->second);
  m_sketch = which;
  m_sketchShown = true;
}

void Veltrane::RefreshPlaced() {
  struct Placing {
    int& n;
    explicit Placing(int& count) : n(++count) {}
    ~Placing() { --n; }
  };
  // The focus is settled once the handler that puts the case in place has
  // finished (see applyPendingFocus).
  Busy busy(*this);
  if (m_current) setBoxColour(m_current, false);
  m_current = nullptr;
  m_untouched = nullptr;
  m_placed = true;
  // A type without ring frames would clear the ring-frame checks, a switch
  // shown unticked would clear its value: the same file would give another
  // case depending on what the window showed before.
  const DesignCase kept = m_z.designCase();
  {
    Placing placing(m_placing);
    RefreshForm();
  }
  m_z.designCase() = kept;
}

void Veltrane::RefreshForm() {
  Busy busy(*this);
  State& z = m_z;
  QLineEdit* const* b = m_box.data();

  b[box::iproj]->setText(toQ(z.proj));
  b[box::iident]->setText(toQ(z.ident));

  const int type = z.cylinder;
  if (type >= 0 && type <= 3) {
    setChecked(m_cylinder[type]);
    switch (type) {
      case 0:
        ShowSketch(CylinderSketch::Unstiffened);
        break;
      case 1:
        ShowSketch(z.outside != 0 ? CylinderSketch::RingsOutside : CylinderSketch::RingsInside);
        break;
      case 2:
        ShowSketch(z.outside != 0 ? CylinderSketch::StringersOutside : CylinderSketch::StringersInside);
        break;
      default:
        ShowSketch(z.cyll == z.l ? CylinderSketch::Column : CylinderSketch::ColumnWithRings);
        break;
    }
    const bool stiffened = type == 1 || type == 2;
    m_fr120->setVisible(type == 2);
    m_fr121->setVisible(stiffened);
    m_fr123->setVisible(type != 3);
    if (type == 3) {
      // the column data take the place of the loading frame
      m_fr124->move(m_fr123->x(), qRound(m_fr10->y() + m_fr10->height() - 1.06 * m_fr124->height()));
    }
    m_fr124->setVisible(type == 3);
    m_outsideCh->setVisible(stiffened);
    m_ringCh->setVisible(stiffened);
    m_hringCh->setVisible(stiffened);
    if (stiffened) {
      setTicked(m_outsideCh, z.outside != 0);
      setTicked(m_ringCh, z.ringch != 0);
      setTicked(m_hringCh, z.ringch != 0 && z.hringch != 0);
    }
    // The ring check reads checkih for whatever type runs it (a ring-stiffened
    // case above all), so the box shows the case's switch for every type;
    // left alone it would show the switch of the case before.
    setTicked(m_checkIh, z.checkih != 0);
    m_pic31->setVisible(type >= 2);
    m_pic32->setVisible(stiffened && z.ringch != 0);
    m_fr31->setTitle(type == 3 ? QStringLiteral("Results Global Buckling")
                               : QStringLiteral("Results Stiffener Buckling"));
    ApplyProfilesMenu(type);
    if (type == 3) {
      if (z.dmom == 0)
        setChecked(m_odmom1);
      else if (z.dmom == 1)
        setChecked(m_odmom2);
    }
  }

  b[box::icolL]->setText(display(z.cyll, "#00"));
  b[box::ik1]->setText(display(z.k1, "0.00"));
  b[box::ik2]->setText(display(z.k2, "0.00"));
  b[box::inn]->setText(display(z.nn, "#0.0"));
  b[box::im1a]->setText(display(z.m1a, "#0.0"));
  b[box::im1b]->setText(display(z.m1b, "#0.0"));
  b[box::im2a]->setText(display(z.m2a, "#0.0"));
  b[box::im2b]->setText(display(z.m2b, "#0.0"));
  b[box::ip]->setText(display(z.pd, "##0.000"));

  // Selecting LRFD sets the usage factor to 1.0; the case keeps its own.
  const float kept = static_cast<float>(z.ufb);
  if (z.dmethod == 0) {
    setChecked(m_optLrfd);
    m_textUfb->setText(QStringLiteral("Allowable Usage Factor UF ="));
  } else {
    setChecked(m_optWsd);
    m_textUfb->setText(QStringLiteral("Basic Usage Factor, n0 ="));
  }
  z.ufb = kept;
  b[box::iufb]->setText(display(z.ufb, "#0.00"));

  const int nmat = z.mat.nmat;
  QComboBox* const materials[] = {m_cbofyp, m_cbofys, m_cbofyg};
  for (QComboBox* c : materials) {
    c->clear();
    for (int i = 0; i <= nmat && i < MaterialTable::kRows; ++i) c->addItem(toQ(z.mat.matname[i]));
  }
  b[box::ifyp]->setText(display(z.fyp, "#000"));
  b[box::ifys]->setText(display(z.fys, "#000"));
  b[box::ifyg]->setText(display(z.fyg, "#000"));
  b[box::ie]->setText(display(z.e, "0.00E+0"));
  const int16 indexes[] = {z.matp, z.mats, z.matg};
  const int yieldBoxes[] = {box::ifyp, box::ifys, box::ifyg};
  for (int m = 0; m < 3; ++m) {
    // an index outside the list shows no entry
    materials[m]->setCurrentIndex(indexes[m] >= 0 && indexes[m] < materials[m]->count() ? indexes[m] : -1);
    b[yieldBoxes[m]]->setEnabled(indexes[m] == nmat);
  }

  // Setting the shown kind is no choice: it opens no dialog.
  for (int member = 0; member < 2; ++member) {
    QComboBox* c = member == 0 ? m_cbostiff : m_cboring;
    const int kind = member == 0 ? z.stifftype : z.girdtype;
    c->clear();
    for (int k = 0; k < 10; ++k)
      c->addItem(QString::fromLatin1(k == 9 && member == 1 ? "I-profile" : kStiffKinds[k]));
    c->setCurrentIndex(kind >= 0 && kind <= 9 ? kind : -1);
  }
  ShowProfiles();

  if (z.ringfab == 0)
    setChecked(m_ringfab0);
  else if (z.ringfab == 1)
    setChecked(m_ringfab1);

  b[box::is1]->setText(display(z.s, "#00"));
  b[box::ilt]->setText(display(z.lt, "#00"));
  b[box::icylr]->setText(display(z.cylr, "#00"));
  b[box::icyll]->setText(display(z.cyll, "#00"));
  b[box::igilt]->setText(display(z.gilt, "#00"));
  b[box::it]->setText(display(z.t, "#0.0"));
  b[box::il]->setText(display(z.l, "#00"));
  b[box::isigx]->setText(display(z.sigx, "##0.0"));
  b[box::ipp]->setText(display(z.pd, "##0.000"));
  b[box::isigy]->setText(display(z.sigy, "##0.0"));
  b[box::itau]->setText(display(z.tau, "##0.0"));

  m_txt1->setText(
      QStringLiteral("Note 1: Negative sigx / sigy = compression \nNote 2: Positive pd = inside pressure "));
  // The box under edit shows its value anew: selected, as on entering it, so
  // that what the user types replaces it.
  if (m_current) GotFocus(m_boxOf.value(m_current));
}

}  // namespace zod
