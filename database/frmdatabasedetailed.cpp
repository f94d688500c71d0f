#include "database/frmdatabasedetailed.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeView>
#include <algorithm>
#include <array>
#include <utility>

#include "database/dbwindows.h"
#include "database/xlsxexport.h"
#include "gui/messenger.h"
#include "gui/opener.h"
#include "gui/qtext.h"

namespace zod {

// ---- the model

void SummaryModel::setTable(SummaryTable t) {
  beginResetModel();
  m_t = std::move(t);
  endResetModel();
}

int SummaryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_t.items.size());
}

int SummaryModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_t.headers.size());
}

QVariant SummaryModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto& item = m_t.items[index.row()];
  const size_t c = static_cast<size_t>(index.column());
  if (role == Qt::DisplayRole) return c < item.size() ? toQ(item[c]) : QString();
  if (role == Qt::FontRole && m_t.boldColumn[index.row()] == index.column()) {
    QFont f;
    f.setBold(true);
    return f;
  }
  return {};
}

QVariant SummaryModel::headerData(int section, Qt::Orientation o, int role) const {
  if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < static_cast<int>(m_t.headers.size()))
    return toQ(m_t.headers[section]);
  return QAbstractTableModel::headerData(section, o, role);
}

// ---- the window

namespace {

// Client area of the window and place of the list, in twips.
constexpr double kClientW = 14832, kClientH = 5664;
constexpr double kListLeft = 1665, kListTop = 90;
constexpr double kRightMargin = 360, kBottomMargin = 720;

struct Switch {
  const char* name;
  const char* caption;
  bool State::*value;
  double top;
};

constexpr std::array<Switch, 7> kSwitches{{
    {"chkStiffInp", "Stiffener", &State::stiffinp, 630},
    {"chkRingInp", "Ring", &State::ringinp, 990},
    {"chkStressInp", "Stress", &State::stressinp, 1305},
    {"chkColumnInp", "Column", &State::columninp, 1575},
    {"chkStiffRes", "Stiffener", &State::stiffres, 2385},
    {"chkRingRes", "Ring", &State::ringres, 2745},
    {"chkColumnRes", "Column", &State::columnres, 3015},
}};

}  // namespace

FrmDatabaseDetailed::FrmDatabaseDetailed(DatabaseWindows& db, QWidget* owner)
    : QWidget(owner, Qt::Window), m_db(db), m_model(this) {
  SetUpWindow(*this, "frmDatabaseDetailed", QStringLiteral("Detailed Results"));
  BuildControls();
  resize(px(kClientW), px(kClientH));
  Form_Resize();
  // The first resize, when the window is shown, finds the list as wide as it
  // was built for; only the user's resizing builds again.
  if (m_builtWidth < 0) resultSummary(Tell::Asked);
}

int FrmDatabaseDetailed::px(double twips) const { return TwipsToPixels(twips, m_db.state().dpix); }

void FrmDatabaseDetailed::BuildControls() {
  auto place = [this](QWidget* w, const char* name, double x, double y, double width, double height) {
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(px(x), px(y), px(width), px(height));
  };
  m_frame1 = new QGroupBox(QStringLiteral("Input && Result"), this);
  place(m_frame1, "Frame1", 0, 135, 1635, 3435);
  auto underlined = [&](const char* name, const char* text, double y) {
    auto* l = new QLabel(QString::fromLatin1(text), m_frame1);
    QFont uf = l->font();
    uf.setUnderline(true);
    l->setFont(uf);
    place(l, name, 180, y, 1300, 240);
  };
  underlined("Label1", "Input", 315);
  underlined("Label2", "Result", 2025);
  State& z = m_db.state();
  for (std::size_t i = 0; i < kSwitches.size(); ++i) {
    const Switch& s = kSwitches[i];
    auto* box = m_boxes[i] = new QCheckBox(QString::fromLatin1(s.caption), m_frame1);
    place(box, s.name, 135, s.top, 1400, 255);
    box->setChecked(z.*s.value);
    connect(box, &QCheckBox::toggled, this, [this, s](bool ticked) {
      m_db.state().*s.value = ticked;
      resultSummary(Tell::Changed);
    });
  }
  m_export = new QPushButton(QStringLiteral("Export to Excel"), this);
  place(m_export, "cmdDetailedResult", 135, 3870, 1395, 420);
  m_close = new QPushButton(QStringLiteral("Close"), this);
  place(m_close, "cmdClose", 135, 4590, 1395, 420);
  connect(m_export, &QPushButton::clicked, this, &FrmDatabaseDetailed::cmdDetailedResult_Click);
  connect(m_close, &QPushButton::clicked, this, &QWidget::close);

  m_list = new QTreeView(this);
  place(m_list, "lstViewDetailed", kListLeft, kListTop, 13155, 5460);
  m_list->setModel(&m_model);
  m_list->setRootIsDecorated(false);
  m_list->setItemsExpandable(false);
  m_list->setUniformRowHeights(true);
  m_list->setAllColumnsShowFocus(true);
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_list->header()->setStretchLastSection(false);
  m_list->header()->setMinimumSectionSize(0);
  m_list->header()->setSectionsMovable(false);
}

void FrmDatabaseDetailed::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Form_Resize();
}

// The list fills the window but its margins; it never gets a negative size.
// Its columns share its width, so a new width builds the table again.
void FrmDatabaseDetailed::Form_Resize() {
  const int w = std::max(0, width() - px(kListLeft) - px(kRightMargin));
  const int h = std::max(0, height() - px(kListTop) - px(kBottomMargin));
  m_list->resize(w, h);
  if (m_builtWidth >= 0 && w != m_builtWidth) resultSummary(Tell::Changed);
}

void FrmDatabaseDetailed::resultSummary(Tell tell) {
  if (m_building) {
    m_again = true;
    m_againTell = std::max(m_againTell, tell);
    return;
  }
  m_building = true;
  do {
    if (m_again) tell = std::exchange(m_againTell, Tell::Never);
    m_again = false;
    State& z = m_db.state();
    // The boxes show the switches the columns are built from, whoever set them.
    for (std::size_t i = 0; i < kSwitches.size(); ++i) {
      const QSignalBlocker quiet(m_boxes[i]);
      m_boxes[i]->setChecked(z.*kSwitches[i].value);
    }
    m_builtFrom = DbTableRows(z);
    SummaryTable t = ResultSummary(z);
    const std::string said = BatchMessage(t.report);
    const int n = static_cast<int>(t.headers.size()) - 1;
    m_model.setTable(std::move(t));
    const int w = SummaryColumnWidth(m_list->width(), n);
    for (int c = 0; c <= n; ++c) m_list->header()->resizeSection(c, w);
    m_builtWidth = m_list->width();
    ++m_builds;
    // A check box or a resize builds the same table again: what it said once
    // is not said again, only a build whose calculations say something else.
    // A build that follows an edit says nothing: the rows it renumbered would
    // have the same stop told again at every edit.
    const bool news = said != m_said;
    m_said = said;
    if (tell == Tell::Asked || (tell == Tell::Changed && news)) this->tell(said);
  } while (m_again);
  m_building = false;
}

void FrmDatabaseDetailed::tell(const std::string& said) {
  if (said == m_told) return;
  m_told = said;
  if (!said.empty()) m_db.messenger().exclamation(toQ(said), this);
}

bool FrmDatabaseDetailed::boxesFollowSwitches() const {
  for (std::size_t i = 0; i < kSwitches.size(); ++i)
    if (m_boxes[i]->isChecked() != m_db.state().*kSwitches[i].value) return false;
  return true;
}

void FrmDatabaseDetailed::followTable() {
  // The rows themselves are compared, not a count of edits: whatever changed
  // the table, from whichever window, is seen.
  if (m_builtFrom != DbTableRows(m_db.state()) || !boxesFollowSwitches()) resultSummary(Tell::Never);
}

void FrmDatabaseDetailed::showCurrent() {
  followTable();
  tell(m_said);
  raise();
  activateWindow();
}

void FrmDatabaseDetailed::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::RightButton && !childAt(e->position().toPoint())) {
    m_db.showTable(this);
    return;
  }
  QWidget::mouseReleaseEvent(e);
}

void FrmDatabaseDetailed::cmdDetailedResult_Click() {
  // The workbook is named after the table: it holds that table's rows.
  followTable();
  const State& z = m_db.state();
  const QString folder = ExportFolder(toQ(z.dbfile), m_db.exportFolder());
  const QString base = ExportBaseName(toQ(z.dbfile));
  ExportedWorkbook saved;
  try {
    saved = ExportWorkbook(m_model.table(), folder, base);
  } catch (const std::exception& e) {
    m_db.messenger().exclamation(toQ(e.what()), this);
    return;
  }
  const QString& path = saved.path;
  if (!saved.warning.isEmpty()) m_db.messenger().exclamation(saved.warning, this);
  // The desktop may tell of its failure after this window has closed.
  const auto notOpened = [db = QPointer<DatabaseWindows>(&m_db), owner = QPointer<QWidget>(this), path] {
    if (db)
      db->messenger().exclamation(
          " The table was saved as " + path + ", but no spreadsheet program could open it ", owner);
  };
  try {
    m_db.opener().open(QUrl::fromLocalFile(path), [notOpened](const QString&) { notOpened(); });
  } catch (const std::exception&) {
    notOpened();
  }
}

// ---- frmTable

FrmTable::FrmTable(double dpix, QWidget* owner) : QWidget(owner, Qt::Window) {
  SetUpWindow(*this, "frmTable", QStringLiteral("Table"));
  auto px = [dpix](double twips) { return TwipsToPixels(twips, dpix); };
  auto* list = new QListWidget(this);
  list->setObjectName("lstTable");
  list->setGeometry(px(675), px(225), px(3705), px(6405));
  list->addItems({QStringLiteral("General"), QStringLiteral("Shell")});
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("Command1");
  ok->setGeometry(px(720), px(6975), px(1230), px(420));
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
  setFixedSize(px(5460), px(7632));
}

}  // namespace zod
