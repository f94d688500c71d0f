// The case database's windows and what they share: the program state, the
// main window they load rows into, the file dialog, the desktop opener, the
// bell and the message boxes. The main window creates one DatabaseWindows;
// it opens the database window from the "&Database" menu and stores the case
// for "Add  to Database".
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "database/frmdatabase.h"
#include "engine/state.h"

class QWidget;

namespace zod {

class Beeper;
class DesktopOpener;
class FileDialog;
class Messenger;

// Gives a database window its name, caption (none when empty) and the
// program's font; it is discarded when closed.
void SetUpWindow(QWidget& w, const char* name, const QString& caption = QString());
// A length in twips (1440 an inch) in pixels at `dpi` (96 when 0).
int TwipsToPixels(double twips, double dpi);

class DatabaseWindows : public QObject {
  Q_OBJECT

 public:
  // `mainform` owns the database window; `putInPlace` writes the design case
  // into it as a case put in place and, when asked, runs its one calculation.
  DatabaseWindows(State& z, QWidget* mainform, std::function<void(bool calculate)> putInPlace,
                  FileDialog& dialog, DesktopOpener& opener);
  ~DatabaseWindows() override;

  // "&Database": shows the database window modeless, creating it first.
  void mnuDb_Click();
  // "Add  to Database": the current case becomes the row before the closing
  // row. Without a table, one is started as "New Database File" does.
  void cmdDatabase_Click();

  // The open windows, or null.
  FrmDatabase* database() const { return m_database; }
  FrmTable* table() const { return m_table; }
  // Shows frmTable over `owner`, creating it first.
  void showTable(QWidget* owner);

  // "New Database File" with the comment: a new table, the detailed result
  // table of the one before closed, the database window showing the new one,
  // the main window refreshed and its caption naming the database file.
  // False when the table refused the texts (the message has been shown in
  // `owner`).
  bool newDatabase(const QString& comment, QWidget* owner);
  // The main window's caption "Database Filename: " and dbfile.
  void captionMainWindow();
  // The case table or the detailed table's column-group switches changed
  // outside the database windows ("Add  to Database", File > New): an open
  // detailed result table follows at once.
  void followTable();

  State& state() { return m_z; }
  QWidget* mainform() const { return m_mainform; }
  void putInPlace(bool calculate) { m_putInPlace(calculate); }
  FileDialog& fileDialog() { return m_dialog; }
  DesktopOpener& opener() { return m_opener; }

  // Message boxes of the database windows, each owned by the window that
  // raises it (callers pass it), unless a test puts a messenger in place.
  void setMessenger(Messenger* m) { m_messenger = m; }
  Messenger& messenger() { return m_messenger ? *m_messenger : *m_boxes; }
  Beeper& beeper() { return *m_beeper; }
  void setBeeper(Beeper* b);

  // Where a workbook goes when the database file has no folder of its own
  // (the documents folder unless a test says otherwise).
  QString exportFolder() const;
  void setExportFolder(const QString& folder) { m_exportFolder = folder; }

 private:
  State& m_z;
  QWidget* m_mainform;
  std::function<void(bool)> m_putInPlace;
  FileDialog& m_dialog;
  DesktopOpener& m_opener;
  Messenger* m_messenger = nullptr;
  std::unique_ptr<Messenger> m_boxes;
  Beeper* m_beeper;
  QString m_exportFolder;
  QPointer<FrmDatabase> m_database;
  QPointer<FrmTable> m_table;
};

}  // namespace zod
