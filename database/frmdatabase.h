// The case database window: a new table from the current case, opening and
// saving database input files, the result file, the detailed result table,
// comment rows, moving and removing rows, and loading a chosen row into the
// main window. Modeless, owned by the main window; it keeps no data of its
// own and shows the case table as it is at each activation.
#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

#include "database/frmdatabasedetailed.h"
#include "engine/dbrow.h"
#include "gui/activation.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zod {

class DatabaseWindows;

// The result file of the database file `dbfile`: beside it, or in `folder`
// (where the spreadsheet export goes) when the database has never been saved.
QString ResultFileName(const QString& dbfile, const QString& folder);

class FrmDatabase : public QWidget {
  Q_OBJECT

 public:
  FrmDatabase(DatabaseWindows& db, QWidget* owner);

  // The handlers, in the order of the window's buttons.
  // Each activation by the user: the caption and the list follow the table
  // (the main window may have added to it). The first one after the window
  // opens selects line 0, which loads row 0; a later one keeps the row the
  // user had chosen, wherever it now is, and loads nothing, so the main
  // window keeps the case it shows.
  void Form_Activate();
  void lstDatabase_Click(int line);
  void cmdNewDatabase_Click();
  void cmdOpenDatabase_Click();
  void cmdSaveFile_Click();
  void cmdSaveResult_Click();
  void cmdCalc_Click();
  void cmdAddComment_Click();
  void Cmd_pilupp_Click();
  void Cmd_pilner_Click();
  void cmdX_Click();

  // The selected line, or -1.
  int selectedLine() const;
  QString commentText() const;
  // The open detailed result table, or null.
  FrmDatabaseDetailed* detailed() const { return m_detailed; }
  // Closes the detailed result table: the case table it shows was replaced.
  void closeDetailed();
  // A new table took the place of the one shown: the caption names it and
  // the list shows it at once.
  void tableReplaced();
  // A row was added, removed or moved, or the column-group switches were
  // set: the open detailed result table follows at once.
  void tableChanged();

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildControls();
  void RefillList();
  void Caption();
  QString DialogFolder() const;
  void SelectLine(int line);
  void LoadRow(int row);
  bool NeedTable();
  void exclamation(const QString& text);
  void beep();

  DatabaseWindows& m_db;
  ActivationGuard m_activation{this};

  QPushButton *m_cmdX = nullptr, *m_up = nullptr, *m_down = nullptr, *m_addComment = nullptr;
  QLineEdit* m_txtComment = nullptr;
  QLabel* m_label1 = nullptr;
  QListWidget* m_list = nullptr;
  QPushButton *m_new = nullptr, *m_open = nullptr, *m_save = nullptr, *m_saveResult = nullptr;
  QPushButton *m_calc = nullptr, *m_close = nullptr;
  QPointer<FrmDatabaseDetailed> m_detailed;
  std::vector<DbRow> m_shown;    // the table's rows as the list shows them
  bool m_opened = false;         // the first activation has loaded row 0
  bool m_quiet = false;          // a selection made without loading its row
  bool m_pressOnChosen = false;  // the last mouse press fell on the selected line
};

}  // namespace zod
