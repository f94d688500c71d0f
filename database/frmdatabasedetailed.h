// The detailed result table: every case of the table calculated and shown
// one per line with the chosen column groups and the row's largest usage
// factor in bold; "Export to Excel" hands the table on as a workbook. A right
// click on the window's own surface opens the small window frmTable.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "database/summary.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

namespace zod {

class DatabaseWindows;

// The table's items as the list view shows them: headers, item texts and
// sub-items, one bold cell per data row.
class SummaryModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;
  void setTable(SummaryTable t);
  const SummaryTable& table() const { return m_t; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

 private:
  SummaryTable m_t;
};

class FrmDatabaseDetailed : public QWidget {
  Q_OBJECT

 public:
  FrmDatabaseDetailed(DatabaseWindows& db, QWidget* owner);

  // Who hears what a build's calculations said (rows that stopped, values
  // they corrected), in one message.
  enum class Tell {
    Never,    // a build that follows an edit: the user asked for no summary
    Changed,  // a check box or a resize: only what the build before did not say
    Asked,    // "Calc and Summary": what the user has not been told yet
  };
  // Rebuilds the whole table, calculating every data row. A build never
  // starts inside another; one asked for meanwhile runs after it.
  void resultSummary(Tell tell);
  // Builds anew, saying nothing, when the case table is no longer the one
  // the table was built from (a row added, removed or moved) or a column-group
  // switch no longer what its box shows (File > New sets them all): what the
  // window shows and exports is always the case table as it is, in the
  // columns its boxes show.
  void followTable();
  // "Calc and Summary" on the open table: followTable, what the calculations
  // said since the user was last told, then to the front.
  void showCurrent();
  // "Export to Excel".
  void cmdDetailedResult_Click();

  const SummaryModel& model() const { return m_model; }
  QTreeView* list() const { return m_list; }
  int builds() const { return m_builds; }

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void BuildControls();
  void Form_Resize();
  int px(double twips) const;
  // Shows the message unless the user was last told (or asked for) just that.
  void tell(const std::string& said);
  bool boxesFollowSwitches() const;

  DatabaseWindows& m_db;
  SummaryModel m_model;
  QTreeView* m_list = nullptr;
  QGroupBox* m_frame1 = nullptr;
  QPushButton *m_export = nullptr, *m_close = nullptr;
  std::array<QCheckBox*, 7> m_boxes{};  // in the order of the switches

  bool m_building = false, m_again = false;
  Tell m_againTell = Tell::Never;  // of the build asked for during one
  int m_builtWidth = -1;           // the list width the columns were last laid out for
  int m_builds = 0;
  std::string m_said;              // the message of the last build, empty when it had none
  std::string m_told;              // the message the user was last shown or asked for
  std::vector<DbRow> m_builtFrom;  // the case table's rows at the last build
};

// A small window with a list of two items and "OK".
class FrmTable : public QWidget {
  Q_OBJECT

 public:
  FrmTable(double dpix, QWidget* owner);
};

}  // namespace zod
