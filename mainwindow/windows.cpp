// The windows of the other parts hooked into the main window: the twenty
// profile dialogs, the information windows, the menu bar with its Profiles
// menu (also the right-click menu), Help and About, the Print command and the
// case database.
#include <QComboBox>
#include <QSignalBlocker>

#include "database/dbwindows.h"
#include "gui/filedialog.h"
#include "gui/qtext.h"
#include "mainwindow/about.h"
#include "mainwindow/help.h"
#include "mainwindow/infowindows.h"
#include "mainwindow/menus.h"
#include "mainwindow/recentsettings.h"
#include "mainwindow/veltrane.h"
#include "profiles/profiledialogs.h"
#include "report/printcommand.h"

namespace zod {

void Veltrane::InstallWindows() {
  if (m_options.fileDialog) {
    m_fileDialog = m_options.fileDialog;
  } else {
    m_ownFileDialog = std::make_unique<SystemFileDialog>();
    m_fileDialog = m_ownFileDialog.get();
  }
  if (m_options.recentStore) {
    m_recentStore = m_options.recentStore;
  } else {
    m_ownRecentStore = std::make_unique<SettingsRecentStore>();
    m_recentStore = m_ownRecentStore.get();
  }
  m_opener = m_options.opener ? m_options.opener : &SystemDesktopOpener();
  if (m_options.printDialog) {
    m_printDialog = m_options.printDialog;
  } else {
    m_ownPrintDialog = std::make_unique<SystemPrintDialog>();
    m_printDialog = m_ownPrintDialog.get();
  }

  m_profiles = std::make_unique<ProfileDialogs>(*this);
  setOpener(Opener::StiffForm, [this] { m_profiles->showCurrent(Member::Stiffener); });
  setOpener(Opener::GirdForm, [this] { m_profiles->showCurrent(Member::RingFrame); });
  setOpener(Opener::InfoUF, [this] { ShowInfoUF(this); });
  setOpener(Opener::InfoVeltrane, [this] { ShowInfoVELTRANE(this); });

  m_menus = BuildMenus(*this);
  setProfilesMenu(m_menus.mnuprofiles);
  ConnectProfileItems(
      m_menus, this, [this](int kind) { m_profiles->openKind(Member::Stiffener, kind); },
      [this](int kind) { m_profiles->openKind(Member::RingFrame, kind); });
  HookMenuItem(m_menus.mnunew, this, [this] { mnunew_Click(); });
  HookMenuItem(m_menus.mnuopen, this, [this] { mnuopen_Click(); });
  HookMenuItem(m_menus.mnusave, this, [this] { mnusave_Click(); });
  HookMenuItem(m_menus.mnusaveas, this, [this] { mnusaveas_Click(); });
  for (int k = 1; k <= 4; ++k)
    HookMenuItem(m_menus.mnurecentfile[k], this, [this, k] { mnurecentfile_Click(k); });
  HookMenuItem(m_menus.mnuprint, this, [this] { mnuprint_Click(); });

  // The database window refreshes this window when a row it put in place has
  // replaced the case under the open profile dialogs, and calculates that
  // case after (and when it started a table, which keeps the case: typed
  // text in a dialog is dropped then too).
  auto* db = m_databaseWindows = new DatabaseWindows(
      m_z, this,
      [this](bool calc) {
        Busy busy(*this);
        m_profiles->dropTyping();
        RefreshPlaced();
        if (calc) calculate();
      },
      *m_fileDialog, *m_opener);
  setOpener(Opener::AddToDatabase, [db] { db->cmdDatabase_Click(); });
  HookMenuItem(m_menus.mnuDb, this, [db] { db->mnuDb_Click(); });
}

// The report shows the sketch of pic20 and the about box's copyright, whose
// first sentence fits the header's title block.
void Veltrane::mnuprint_Click() {
  if (!CommitEdit()) return;
  Busy busy(*this);
  ReportArt art;
  art.cylinderSketch = [this](QPainter& p, const QRectF& r) { DrawCylinderSketchStretched(p, r, m_sketch); };
  art.copyright = kMakerRights.section(QStringLiteral(". "), 0, 0);
  PrintWithDialog(m_z, this, m_messenger, *m_printDialog, art);
}

// Help needs the program folder and the link colour, which start-up sets.
void Veltrane::ConnectHelp() {
  const QColor link(m_z.linkcolor.r, m_z.linkcolor.g, m_z.linkcolor.b);
  ConnectHelpMenu(m_menus, this, *m_opener, toQ(m_z.apppath), link, &m_messenger);
}

// A dialog shows its kind in the list; that is no choice and opens nothing.
void Veltrane::setKindComboText(Member m, int kind) {
  QComboBox* c = m == Member::Stiffener ? m_cbostiff : m_cboring;
  const QSignalBlocker block(c);
  const int index = kind >= 0 && kind < c->count() ? kind : -1;
  c->setCurrentIndex(index);
  c->setEditText(c->itemText(index));  // also over text typed into it
}

}  // namespace zod
