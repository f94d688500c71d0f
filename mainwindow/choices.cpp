// The window's choices and buttons: material and profile-kind lists, the
// option buttons and check boxes, the small command buttons and the
// right-click rule of the Profiles menu.
//
// Option buttons and check boxes run their handler on `toggled`, so a
// handler runs whenever the state changes, also when the refresh sets it, and
// never when a control is set to the state it already has.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "engine/calc.h"
#include "engine/format.h"
#include "engine/tables.h"
#include "gui/qtext.h"
#include "mainwindow/veltrane.h"

namespace zod {

void Veltrane::ConnectChoices() {
  connect(m_cbofyp, &QComboBox::activated, this, [this](int i) { cboMaterial_Click(0, i); });
  connect(m_cbofys, &QComboBox::activated, this, [this](int i) { cboMaterial_Click(1, i); });
  connect(m_cbofyg, &QComboBox::activated, this, [this](int i) { cboMaterial_Click(2, i); });
  connect(m_cbostiff, &QComboBox::activated, this, [this](int i) { cbostiff_Click(i); });
  connect(m_cboring, &QComboBox::activated, this, [this](int i) { cboring_Click(i); });

  for (int k = 0; k < 4; ++k)
    connect(m_cylinder[k], &QRadioButton::toggled, this, [this, k](bool on) {
      if (on) cylinder_Click(k);
    });
  connect(m_ringCh, &QCheckBox::toggled, this, [this](bool t) { ring_ch_Click(t); });
  connect(m_hringCh, &QCheckBox::toggled, this, [this](bool t) { hring_ch_Click(t); });
  connect(m_outsideCh, &QCheckBox::toggled, this, [this](bool t) { Outside_ch_Click(t); });
  connect(m_checkIh, &QCheckBox::toggled, this, [this](bool t) { check_ih_Click(t); });
  connect(m_optLrfd, &QRadioButton::toggled, this, [this](bool on) {
    if (on) opt_lrfd_Click();
  });
  connect(m_optWsd, &QRadioButton::toggled, this, [this](bool on) {
    if (on) opt_wsd_Click();
  });
  connect(m_odmom1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) odmom_Click(0);
  });
  connect(m_odmom2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) odmom_Click(1);
  });
  connect(m_ringfab0, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ringfab_Click(0);
  });
  connect(m_ringfab1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ringfab_Click(1);
  });

  connect(m_command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(m_cmdLrfd, &QPushButton::clicked, this, [this] { cmd_lrfd_Click(); });
  connect(m_cmdWsd, &QPushButton::clicked, this, &Veltrane::showInfoUF);
  connect(m_picture, &QPushButton::clicked, this, &Veltrane::showInfoVeltrane);
  connect(m_cmdpicStiff, &QPushButton::clicked, this, &Veltrane::showStiffForm);
  connect(m_cmdpicGird, &QPushButton::clicked, this, &Veltrane::showGirdForm);
  connect(m_cmdDatabase, &QPushButton::clicked, this, &Veltrane::addToDatabase);
}

// member 0 plate, 1 stiffener, 2 ring frame
void Veltrane::cboMaterial_Click(int member, int index) {
  Busy busy(*this);
  QLineEdit* fy = m_box[member == 0 ? box::ifyp : member == 1 ? box::ifys : box::ifyg];
  int16& mat = member == 0 ? m_z.matp : member == 1 ? m_z.mats : m_z.matg;
  const double& value = member == 0 ? m_z.fyp : member == 1 ? m_z.fys : m_z.fyg;
  mat = static_cast<int16>(index);
  if (index == m_z.mat.nmat) {
    // the user-defined material: its yield strength is typed in
    fy->setEnabled(true);
  } else {
    if (member == 0)
      GetFyp(m_z, mat);
    else
      GetFyOfCase(m_z, member == 1 ? Member::Stiffener : Member::RingFrame);
    fy->setEnabled(false);
    fy->setText(toQ(NumText(static_cast<float>(value), m_z.decsep)));
  }
  calculate();
}

// Choosing a kind opens its dialog, which makes the kind current and
// recalculates when it becomes active.
void Veltrane::cbostiff_Click(int index) {
  Busy busy(*this);
  m_z.stifftype = static_cast<int16>(index);
  if (index >= 0 && index <= 9) showStiffForm();
}

void Veltrane::cboring_Click(int index) {
  Busy busy(*this);
  m_z.girdtype = static_cast<int16>(index);
  if (index >= 0 && index <= 9) showGirdForm();
}

void Veltrane::cylinder_Click(int type) {
  Busy busy(*this);
  m_z.cylinder = static_cast<int16>(type);
  if (type == 0 || type == 3) m_z.ringch = m_z.hringch = 0;
  calculate();
  RefreshForm();
}

void Veltrane::ring_ch_Click(bool ticked) {
  Busy busy(*this);
  if (ticked) {
    m_z.ringch = 1;
  } else {
    m_z.ringch = 0;
    m_z.hringch = 0;
  }
  calculate();
  RefreshForm();
}

void Veltrane::hring_ch_Click(bool ticked) {
  Busy busy(*this);
  m_z.hringch = ticked ? 1 : 0;
  calculate();
  RefreshForm();
}

void Veltrane::Outside_ch_Click(bool ticked) {
  Busy busy(*this);
  m_z.outside = ticked ? 1 : 0;
  calculate();
  RefreshForm();
}

void Veltrane::check_ih_Click(bool ticked) {
  Busy busy(*this);
  m_z.checkih = ticked ? 1 : 0;
  calculate();
}

void Veltrane::opt_lrfd_Click() {
  Busy busy(*this);
  m_z.dmethod = 0;
  m_z.ufb = 1.0;
  m_cmdWsd->hide();
  m_cmdLrfd->show();
  calculate();
  RefreshForm();
}

void Veltrane::opt_wsd_Click() {
  Busy busy(*this);
  m_z.dmethod = 1;
  m_cmdWsd->show();
  m_cmdLrfd->hide();
  calculate();
  RefreshForm();
}

void Veltrane::odmom_Click(int k) {
  Busy busy(*this);
  m_z.dmom = static_cast<int16>(k);
  calculate();
}

void Veltrane::ringfab_Click(int k) {
  Busy busy(*this);
  m_z.ringfab = static_cast<int16>(k);
  calculate();
}

// The sign of the pressure; only the loading frame's box shows it.
void Veltrane::Command3_Click() {
  Busy busy(*this);
  m_z.pd = -m_z.pd;
  m_box[box::ipp]->setText(display(m_z.pd, "##0.000"));
  calculate();
}

void Veltrane::cmd_lrfd_Click() {
  // The formula keeps its blanks unbreakable: a box that wraps the advice
  // must not split "UF = 1.15" over two lines.
  message(
      QStringLiteral(" For ALS condition, Allowable Usage Factor is recommended to be UF\u00A0=\u00A01.15 "));
}

// ---- the right-click rule

bool Veltrane::popupApplies() const { return m_profilesMenu && m_z.cylinder != 0; }

// A right-button release on one of the window's controls: the control that
// takes it decides, and its container never sees it again.
bool Veltrane::RightMouseUp(QObject* watched, const QPoint& globalPos) {
  auto* w = static_cast<QWidget*>(watched);
  if (!w->isEnabled()) return false;  // a disabled control leaves it to its container
  if (m_rightClick.contains(watched) && popupApplies()) m_profilesMenu->popup(globalPos);
  return true;
}

void Veltrane::setProfilesMenu(QMenu* menu) {
  m_profilesMenu = menu;
  const int type = m_z.cylinder;
  if (menu && type >= 0 && type <= 3) ApplyProfilesMenu(type);
}

void Veltrane::ApplyProfilesMenu(int type) {
  if (!m_profilesMenu) return;
  const bool stiffened = type == 1 || type == 2;
  m_profilesMenu->menuAction()->setVisible(stiffened);
  if (!stiffened) return;
  if (auto* ring = m_profilesMenu->findChild<QMenu*>("mnuring")) ring->menuAction()->setVisible(true);
  if (auto* stiff = m_profilesMenu->findChild<QMenu*>("mnustiff")) stiff->menuAction()->setVisible(type == 2);
}

}  // namespace zod
