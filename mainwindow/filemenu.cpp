// The File menu: New, Open, Save, Save As and the four recent files.
//
// A project file is read into a copy and applied only when the whole file
// was read, so a missing or damaged file leaves the case, the file name and
// the caption as they were, and nothing after the read runs. A save goes
// through a temporary file; when it fails the user is told and the file name
// stays. Opening closes the profile dialogs after the file has been read,
// without letting them read their boxes: the file's dimensions stay.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>

#include "database/dbwindows.h"
#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/tables.h"
#include "gui/filedialog.h"
#include "gui/qtext.h"
#include "mainwindow/core/projectfile.h"
#include "mainwindow/veltrane.h"
#include "profiles/profiledialogs.h"

namespace zod {

namespace {

const QString kFilter = QStringLiteral("*.vtr");
const QString kExtension = QStringLiteral("vtr");
constexpr const char* kNewFile = "New File";

QString FolderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

bool Writable(const QString& folder) {
  const QFileInfo info(folder);
  return info.isDir() && info.isWritable();
}

}  // namespace

// Where Open and Save As start: the last folder, unless the user may not
// write there (the program folder on a first run): then the user's documents.
QString Veltrane::DialogFolder() const {
  const QString last = toQ(m_z.lastdir);
  if (Writable(last)) return last;
  const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(docs).isDir() ? docs : QDir::homePath();
}

// A save over another existing file asks first: losing a file is the worst
// this program can do. Saving again over the case's own file does not ask.
bool Veltrane::MayReplace(const QString& path) {
  if (fromQ(path) == m_z.filename || !QFileInfo::exists(path)) return true;
  return m_messenger.question(QStringLiteral("The file %1 already exists.\nDo you want to replace it?")
                                  .arg(QDir::toNativeSeparators(path)),
                              this);
}

// Reads the file into the case. False, with the reason told, when the file is
// missing or damaged; nothing has changed then.
bool Veltrane::ReadFile(const QString& path) {
  try {
    ReadProjectFile(m_z, fromQ(path));
  } catch (const Error& e) {
    message(toQ(e.what()));
    return false;
  }
  return true;
}

// Writes the case to the file. False, with the reason told, when it could not
// be written; the previous file and filename are as they were then. A save
// that happened counts as done, also when its folder could not be flushed:
// the user is warned of that.
bool Veltrane::SaveFile(const QString& path) {
  SaveOutcome saved;
  try {
    saved = WriteProjectFile(m_z, fromQ(path));
  } catch (const SaveError& e) {
    // the whole path: a name alone does not tell the user which folder refused
    message(toQ(CantSaveMessage(fromQ(QFileInfo(path).absoluteFilePath()), e.cause())));
    return false;
  } catch (const Error& e) {
    // nothing was written; whatever stopped the writing is told all the same
    message(toQ(CantSaveMessage(fromQ(QFileInfo(path).absoluteFilePath()), e.what())));
    return false;
  }
  WriteCaption();
  if (!saved.warning.empty()) message(toQ(saved.warning));
  return true;
}

// The case just read, made whole again: yield strengths, the stiffener
// section of the file's kind, then the window and the results. A case that
// names a table row this installation's tables lack stops its step with a
// message; the window still shows the case that was read.
void Veltrane::ReDerive() {
  try {
    GetFyp(m_z, m_z.matp);
    StiffSection(m_z, m_z.stifftype);
  } catch (const Error& e) {
    message(toQ(e.what()));
  }
  try {
    GetFyOfCase(m_z, Member::Stiffener);
  } catch (const Error& e) {
    message(toQ(e.what()));
  }
  RefreshPlaced();
  calculate();
}

void Veltrane::mnunew_Click() {
  Busy busy(*this);
  SetDefaults(m_z);
  m_profiles->dropTyping();  // the dialogs stay open over the new case
  WriteCaption();
  RefreshPlaced();
  calculate();
  // The defaults show every column group of the detailed result table: an
  // open one shows them too, boxes ticked, rather than boxes that disagree
  // with its columns and its workbook.
  if (m_databaseWindows) m_databaseWindows->followTable();
}

void Veltrane::mnuopen_Click() {
  Busy busy(*this);
  const QString path = m_fileDialog->getOpenFileName(this, DialogFolder(), kFilter, kExtension);
  if (path.isEmpty()) return;
  const bool same = fromQ(path) == m_z.filename;
  if (!ReadFile(path)) return;
  if (!same) {
    WriteCaption();
    MoveRecentFile(*m_recentStore, m_recentItems, m_z.filename);
    GetRecentFiles();
  }
  m_profiles->closeAll();
  m_z.lastdir = fromQ(FolderOf(path));
  ReDerive();
}

void Veltrane::mnurecentfile_Click(int k) {
  Busy busy(*this);
  if (k < 1 || k > 4 || !m_recentItems.visible[k]) return;
  const std::string path = m_recentItems.Path(k);
  const std::string folder = RecentFolder(path);
  const bool same = path == m_z.filename;
  if (!ReadFile(toQ(path))) return;
  if (!same) {
    PromoteRecentFile(*m_recentStore, path, k);
    GetRecentFiles();
  }
  WriteCaption();
  if (!folder.empty()) m_z.lastdir = folder;
  m_profiles->closeAll();
  ReDerive();
}

void Veltrane::mnusave_Click() {
  if (!CommitEdit()) return;
  Busy busy(*this);
  m_z.ident = fromQ(m_box[box::iident]->text());
  m_z.proj = fromQ(m_box[box::iproj]->text());
  if (m_z.filename != kNewFile) {
    SaveFile(toQ(m_z.filename));
    return;
  }
  // The dialog keeps the folder it was last given, but never starts where
  // the user may not write.
  const QString folder = Writable(toQ(m_z.lastdir)) ? QString() : DialogFolder();
  const QString path = m_fileDialog->getSaveFileName(this, folder, QString(), kFilter, kExtension);
  if (path.isEmpty() || !MayReplace(path)) return;
  if (!SaveFile(path)) return;
  m_z.lastdir = fromQ(FolderOf(path));
  WriteRecentFiles(*m_recentStore, m_recentItems, fromQ(path));
  GetRecentFiles();
}

void Veltrane::mnusaveas_Click() {
  if (!CommitEdit()) return;
  Busy busy(*this);
  m_z.ident = fromQ(m_box[box::iident]->text());
  m_z.proj = fromQ(m_box[box::iproj]->text());
  const QString path =
      m_fileDialog->getSaveFileName(this, DialogFolder(), toQ(m_z.filename), kFilter, kExtension);
  if (path.isEmpty() || !MayReplace(path)) return;
  const bool same = fromQ(path) == m_z.filename;
  if (!SaveFile(path)) return;
  m_z.lastdir = fromQ(FolderOf(path));
  if (!same) {
    WriteRecentFiles(*m_recentStore, m_recentItems, m_z.filename);
    GetRecentFiles();
  }
}

void Veltrane::GetRecentFiles() {
  zod::GetRecentFiles(*m_recentStore, m_recentItems);
  // Items once shown stay shown; the list only grows.
  if (m_recentItems.separatorVisible) m_menus.mnurecentfile[0]->setVisible(true);
  for (int i = 1; i <= 4; ++i) {
    if (!m_recentItems.visible[i]) continue;
    QAction* a = m_menus.mnurecentfile[i];
    // an "&" in a path is a letter, not an access key
    a->setText(toQ(m_recentItems.caption[i]).replace(QLatin1Char('&'), QLatin1String("&&")));
    a->setVisible(true);
  }
}

}  // namespace zod
