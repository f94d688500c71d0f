#include "database/dbwindows.h"

#include <QDir>
#include <QStandardPaths>
#include <QWidget>

#include "database/core/database.h"
#include "database/frmdatabase.h"
#include "database/frmdatabasedetailed.h"
#include "gui/beeper.h"
#include "gui/messenger.h"
#include "gui/qtext.h"

namespace zod {

void SetUpWindow(QWidget& w, const char* name, const QString& caption) {
  w.setObjectName(QString::fromLatin1(name));
  w.setAttribute(Qt::WA_DeleteOnClose);
  if (!caption.isEmpty()) w.setWindowTitle(caption);
  QFont f(QStringLiteral("Arial"));
  f.setPointSizeF(8);
  w.setFont(f);
}

int TwipsToPixels(double twips, double dpi) { return qRound(twips * (dpi > 0 ? dpi : 96) / 1440.0); }

DatabaseWindows::DatabaseWindows(State& z, QWidget* mainform, std::function<void(bool)> putInPlace,
                                 FileDialog& dialog, DesktopOpener& opener)
    : QObject(mainform),
      m_z(z),
      m_mainform(mainform),
      m_putInPlace(std::move(putInPlace)),
      m_dialog(dialog),
      m_opener(opener),
      m_boxes(std::make_unique<BoxMessenger>(mainform)),
      m_beeper(&SystemBell()) {
  setObjectName("databaseWindows");
}

DatabaseWindows::~DatabaseWindows() = default;

void DatabaseWindows::setBeeper(Beeper* b) { m_beeper = b ? b : &SystemBell(); }

void DatabaseWindows::mnuDb_Click() {
  if (!m_database) m_database = new FrmDatabase(*this, m_mainform);
  m_database->show();
  m_database->raise();
  m_database->activateWindow();
}

void DatabaseWindows::showTable(QWidget* owner) {
  // frmTable outlives the detailed table that opened it, so the main window
  // keeps it; it opens over its opener.
  if (!m_table) {
    m_table = new FrmTable(m_z.dpix, m_mainform);
    if (owner) m_table->move(owner->geometry().center() - m_table->rect().center());
  }
  m_table->show();
  m_table->raise();
  m_table->activateWindow();
}

bool DatabaseWindows::newDatabase(const QString& comment, QWidget* owner) {
  try {
    NewDatabase(m_z, fromQ(comment));
  } catch (const std::exception& e) {
    messenger().exclamation(toQ(e.what()), owner);
    return false;
  }
  if (m_database) {
    m_database->closeDetailed();
    m_database->tableReplaced();
  }
  putInPlace(false);
  captionMainWindow();
  return true;
}

void DatabaseWindows::captionMainWindow() {
  m_mainform->setWindowTitle("Database Filename: " + toQ(m_z.dbfile));
}

void DatabaseWindows::cmdDatabase_Click() {
  // Without a table the case starts one, as "New Database File" would, with
  // the database window's comment when it is open.
  if (!HasDbTable(m_z)) {
    newDatabase(m_database ? m_database->commentText() : QStringLiteral("Comment"), m_mainform);
    return;
  }
  try {
    AddToDatabase(m_z);
  } catch (const std::exception& e) {
    messenger().exclamation(toQ(e.what()), m_mainform);
    return;
  }
  followTable();
}

void DatabaseWindows::followTable() {
  if (m_database) m_database->tableChanged();
}

QString DatabaseWindows::exportFolder() const {
  if (!m_exportFolder.isEmpty()) return m_exportFolder;
  const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !docs.isEmpty() && QDir(docs).exists() ? docs : QDir::homePath();
}

}  // namespace zod
