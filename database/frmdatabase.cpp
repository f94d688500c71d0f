#include "database/frmdatabase.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QWindow>

#include "database/core/database.h"
#include "database/dbwindows.h"
#include "database/frmdatabasedetailed.h"
#include "gui/beeper.h"
#include "gui/filedialog.h"
#include "gui/messenger.h"
#include "gui/qtext.h"
#include "gui/textguard.h"

namespace zod {

namespace {

const char* const kFilter = "*_in.csv";
const char* const kNoTable = " There is no database yet. Create or open one first ";

enum class Sketch { Cross, Up, Down };

// The three small picture buttons draw their own sketches.
QIcon SketchIcon(Sketch s, int size, qreal ratio) {
  QPixmap pm(QSize(size, size) * ratio);
  pm.setDevicePixelRatio(ratio);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const double m = size * 0.2, e = size - m;
  if (s == Sketch::Cross) {
    p.setPen(QPen(QColor(200, 0, 0), size * 0.14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(m, m), QPointF(e, e));
    p.drawLine(QPointF(m, e), QPointF(e, m));
  } else {
    // a head over a shaft, pointing up or down
    const double c = size / 2.0, head = size * 0.36, w = size * 0.2;
    const bool up = s == Sketch::Up;
    const double tip = up ? m : e, base = up ? m + head : e - head;
    QPainterPath arrow;
    arrow.moveTo(c, tip);
    arrow.lineTo(m, base);
    arrow.lineTo(e, base);
    arrow.closeSubpath();
    arrow.addRect(QRectF(c - w / 2, up ? base : m, w, e - m - head));
    p.fillPath(arrow.simplified(), QColor(0, 0, 128));
  }
  return QIcon(pm);
}

// A table never saved has a name without a folder ("New Database_in.csv"),
// or none before any table exists.
bool NeverSaved(const QString& dbfile) { return !QFileInfo(dbfile).isAbsolute(); }

}  // namespace

QString ResultFileName(const QString& dbfile, const QString& folder) {
  const QString name = dbfile + QStringLiteral("_out.csv");
  // The current folder is wherever the program was started, often the
  // program's own.
  return NeverSaved(dbfile) ? QDir(folder).absoluteFilePath(name) : name;
}

FrmDatabase::FrmDatabase(DatabaseWindows& db, QWidget* owner) : QWidget(owner, Qt::Window), m_db(db) {
  SetUpWindow(*this, "frmDatabase");
  BuildControls();
}

void FrmDatabase::BuildControls() {
  const double k = m_db.state().dpix > 0 ? m_db.state().dpix / 96.0 : 1.0;
  auto px = [k](double v) { return qRound(v * k); };
  auto place = [&](QWidget* w, const char* name, double x, double y, double width, double height) {
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(px(x), px(y), px(width), px(height));
  };
  auto button = [&](const char* name, const QString& caption, double x, double y, double w, double h) {
    auto* b = new QPushButton(caption, this);
    place(b, name, x, y, w, h);
    return b;
  };

  // top row: the three picture buttons, "Add comment row" and the comment
  const int icon = px(18);
  m_cmdX = button("cmdX", QString(), 8, 8, 28, 28);
  m_cmdX->setToolTip(" Remove Profile ");
  m_cmdX->setIcon(SketchIcon(Sketch::Cross, icon, devicePixelRatioF()));
  m_up = button("Cmd_pilupp", QString(), 40, 8, 28, 28);
  m_up->setToolTip(" Move Profile Up ");
  m_up->setIcon(SketchIcon(Sketch::Up, icon, devicePixelRatioF()));
  m_down = button("Cmd_pilner", QString(), 72, 8, 28, 28);
  m_down->setToolTip(" Move Profile Down ");
  m_down->setIcon(SketchIcon(Sketch::Down, icon, devicePixelRatioF()));
  for (QPushButton* b : {m_cmdX, m_up, m_down}) b->setIconSize(QSize(icon, icon));
  m_addComment = button("cmdAddComment", "Add comment row", 108, 8, 110, 28);
  m_txtComment = new QLineEdit(QStringLiteral("Comment"), this);
  place(m_txtComment, "txtComment", 226, 10, 284, 24);
  GuardFileText(m_txtComment, "comment", [this](const QString& t) { exclamation(t); });

  m_label1 = new QLabel(QStringLiteral("Identification"), this);
  place(m_label1, "Label1", 8, 44, 200, 18);
  m_list = new QListWidget(this);
  place(m_list, "lstDatabase", 8, 64, 360, 322);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setUniformItemSizes(true);

  // right column
  m_new = button("cmdNewDatabase", "New Database File", 380, 64, 130, 30);
  m_open = button("cmdOpenDatabase", "Open Database File", 380, 100, 130, 30);
  m_save = button("cmdSaveFile", "Save Database File", 380, 136, 130, 30);
  m_saveResult = button("cmdSaveResult", "Save Result to File", 380, 172, 130, 30);
  m_calc = button("cmdCalc", "Calc and Summary", 380, 208, 130, 30);
  m_close = button("cmdClose", "Close", 380, 356, 130, 30);
  setFixedSize(px(518), px(394));

  // A line chosen by the user or selected by code loads its row; the focus
  // alone, which makes a line current without selecting it, does not.
  connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
    const int s = selectedLine();
    if (s >= 0 && !m_quiet) lstDatabase_Click(s);
  });
  // A click on the line already selected changes no selection, yet the user
  // who clicks it wants that row back in the main window.
  m_list->viewport()->installEventFilter(this);
  connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (m_pressOnChosen && item && item->isSelected()) lstDatabase_Click(m_list->row(item));
    m_pressOnChosen = false;
  });
  connect(m_new, &QPushButton::clicked, this, &FrmDatabase::cmdNewDatabase_Click);
  connect(m_open, &QPushButton::clicked, this, &FrmDatabase::cmdOpenDatabase_Click);
  connect(m_save, &QPushButton::clicked, this, &FrmDatabase::cmdSaveFile_Click);
  connect(m_saveResult, &QPushButton::clicked, this, &FrmDatabase::cmdSaveResult_Click);
  connect(m_calc, &QPushButton::clicked, this, &FrmDatabase::cmdCalc_Click);
  connect(m_addComment, &QPushButton::clicked, this, &FrmDatabase::cmdAddComment_Click);
  connect(m_up, &QPushButton::clicked, this, &FrmDatabase::Cmd_pilupp_Click);
  connect(m_down, &QPushButton::clicked, this, &FrmDatabase::Cmd_pilner_Click);
  connect(m_cmdX, &QPushButton::clicked, this, &FrmDatabase::cmdX_Click);
  connect(m_close, &QPushButton::clicked, this, &QWidget::close);
}

bool FrmDatabase::event(QEvent* e) {
  if (e->type() == QEvent::DeferredDelete) return QWidget::event(e);  // the window is gone after it
  const bool handled = QWidget::event(e);
  if (m_activation.UserActivation(e)) Form_Activate();
  return handled;
}

bool FrmDatabase::eventFilter(QObject* watched, QEvent* e) {
  if (watched == m_list->viewport() && e->type() == QEvent::MouseButtonPress) {
    const auto* me = static_cast<QMouseEvent*>(e);
    const QListWidgetItem* item = m_list->itemAt(me->position().toPoint());
    m_pressOnChosen = me->button() == Qt::LeftButton && item && item->isSelected();
  }
  return QWidget::eventFilter(watched, e);
}

void FrmDatabase::exclamation(const QString& text) { m_db.messenger().exclamation(text, this); }

void FrmDatabase::beep() { m_db.beeper().beep(); }

int FrmDatabase::selectedLine() const {
  const QList<QListWidgetItem*> items = m_list->selectedItems();
  return items.isEmpty() ? -1 : m_list->row(items.first());
}

QString FrmDatabase::commentText() const { return m_txtComment->text(); }

void FrmDatabase::RefillList() {
  m_list->clear();
  m_shown = DbTableRows(m_db.state());
  QStringList lines;
  for (const DbRow& r : m_shown) lines << toQ(r.rowtext);
  m_list->addItems(lines);
}

void FrmDatabase::Caption() { setWindowTitle("Database Filename: " + toQ(m_db.state().dbfile)); }

// Where the open and save dialogs start: once the table has a file of its
// own, the last folder of a dialog; before that the documents folder, where
// its result file and workbook go, not wherever the program was started.
QString FrmDatabase::DialogFolder() const {
  const State& z = m_db.state();
  return NeverSaved(toQ(z.dbfile)) ? m_db.exportFolder() : toQ(z.lastdir);
}

void FrmDatabase::closeDetailed() {
  if (m_detailed) m_detailed->close();
  m_detailed = nullptr;
}

void FrmDatabase::tableReplaced() {
  Caption();
  RefillList();
}

void FrmDatabase::tableChanged() {
  if (m_detailed) m_detailed->followTable();
}

void FrmDatabase::SelectLine(int line) {
  if (line >= 0 && line < m_list->count()) m_list->setCurrentRow(line);
}

// The row's case is in the main window, with what its refresh changes of it,
// before its one calculation: each message of that calculation shows once.
void FrmDatabase::LoadRow(int row) {
  try {
    PutDbRow(m_db.state(), static_cast<std::int16_t>(row));
  } catch (const std::exception& e) {
    exclamation(toQ(e.what()));
    return;
  }
  m_db.putInPlace(true);
}

bool FrmDatabase::NeedTable() {
  if (HasDbTable(m_db.state())) return true;
  exclamation(kNoTable);
  return false;
}

void FrmDatabase::Form_Activate() {
  Caption();
  const int kept = selectedLine();
  const std::vector<DbRow> shown = std::move(m_shown);
  RefillList();
  if (!m_opened) {
    m_opened = true;
    SelectLine(0);
    return;
  }
  // Coming back to the window is no choice of a row: the main window may
  // hold edits of the user's that a load would throw away. The row the user
  // chose stays chosen where it now is ("Add  to Database" has put a row
  // before the closing row): a button pressed next acts on that row.
  m_quiet = true;
  SelectLine(FollowRow(shown, kept, m_shown));
  m_quiet = false;
}

void FrmDatabase::lstDatabase_Click(int line) {
  State& z = m_db.state();
  if (!HasDbTable(z) || line < 0 || line > *z.dbrows) return;
  const DbRow& r = z.dbtab[line];
  if (!IsCommentRow(r)) {
    LoadRow(line);
  } else if (r.rowtext.starts_with('%')) {
    m_txtComment->setText(toQ(CommentBoxText(r.rowtext)));
  }
}

void FrmDatabase::cmdNewDatabase_Click() { m_db.newDatabase(commentText(), this); }

void FrmDatabase::cmdOpenDatabase_Click() {
  State& z = m_db.state();
  const QString path = m_db.fileDialog().getExistingFileName(this, DialogFolder(), kFilter, QString());
  if (path.isEmpty()) return;
  z.lastdir = fromQ(QFileInfo(path).absolutePath());
  try {
    ReadDbFile(z, fromQ(path));
  } catch (const DbFileMissing& e) {
    exclamation(toQ(e.what()));
    return;
  } catch (const DbFileError& e) {
    // The file, the line and what is wrong there: without them a table of
    // a thousand rows cannot be mended.
    m_db.messenger().plain(toQ(e.message()), this);
    return;
  } catch (const std::exception&) {
    m_db.messenger().plain(QStringLiteral("Error in Database File"), this);
    return;
  }
  // Only a file that was read names the table: a name kept from a failed
  // read would have the next save or result file put this table's rows
  // under that file's name.
  z.dbfile = fromQ(path);
  closeDetailed();
  Caption();
  RefillList();
  SelectLine(0);
  // Row 0, when it is a data row, was loaded by its selection.
  const std::optional<std::int16_t> first = FirstDataRow(z);
  if (first && *first != 0) LoadRow(*first);
  m_db.captionMainWindow();
}

void FrmDatabase::cmdSaveFile_Click() {
  State& z = m_db.state();
  if (!NeedTable()) return;
  const QString path = m_db.fileDialog().getSaveFileNameAskingReplace(this, DialogFolder(), toQ(z.dbfile),
                                                                      kFilter, QStringLiteral("csv"));
  if (path.isEmpty()) return;
  z.lastdir = fromQ(QFileInfo(path).absolutePath());
  SaveOutcome saved;
  try {
    saved = WriteDbFile(z, fromQ(path));
  } catch (const std::exception& e) {
    exclamation(toQ(e.what()));
    return;
  }
  z.dbfile = fromQ(path);
  Caption();
  if (!saved.warning.empty()) exclamation(toQ(saved.warning));
}

void FrmDatabase::cmdSaveResult_Click() {
  State& z = m_db.state();
  if (!NeedTable()) return;
  // The result file's name is no project file name: the main window's File
  // > Save must not write the case over the results.
  const std::string name = fromQ(ResultFileName(toQ(z.dbfile), m_db.exportFolder()));
  DbResultSave done;
  try {
    done = WriteDbResult(z, name);
  } catch (const std::exception& e) {
    exclamation(toQ(e.what()));
    return;
  }
  if (!done.saved.warning.empty()) exclamation(toQ(done.saved.warning));
  const std::string said = BatchMessage(done.report);
  if (!said.empty()) exclamation(toQ(said));
}

void FrmDatabase::cmdCalc_Click() {
  if (m_detailed) {
    m_detailed->showCurrent();
    return;
  }
  m_detailed = new FrmDatabaseDetailed(m_db, this);
  m_detailed->show();
  m_detailed->activateWindow();
}

void FrmDatabase::cmdAddComment_Click() {
  State& z = m_db.state();
  if (!NeedTable()) return;
  int s = selectedLine();
  if (s < 0) s = 0;
  if (s == *z.dbrows) {
    exclamation(" Comment cant be added at last row ");
    beep();
    return;
  }
  try {
    InsertDbComment(z, static_cast<std::int16_t>(s), fromQ(commentText()));
  } catch (const std::exception& e) {
    exclamation(toQ(e.what()));
    return;
  }
  RefillList();
  SelectLine(s);
  tableChanged();
}

void FrmDatabase::Cmd_pilupp_Click() {
  State& z = m_db.state();
  if (!NeedTable()) return;
  const int s = selectedLine();
  if (s < 1) {
    exclamation(" First row can't be moved ");
  } else if (s == *z.dbrows) {
    exclamation(" Last row can't be moved ");
    beep();
  } else {
    SwapDbRows(z, static_cast<std::int16_t>(s - 1), static_cast<std::int16_t>(s));
    RefillList();
    SelectLine(s - 1);
    tableChanged();
  }
}

void FrmDatabase::Cmd_pilner_Click() {
  State& z = m_db.state();
  if (!NeedTable()) return;
  const int s = selectedLine();
  if (s < 0) return;  // no row to move
  if (s == *z.dbrows - 1) {
    exclamation(" Last row can't be moved ");
  } else if (s == *z.dbrows) {
    exclamation(" Last row can't be moved ");
    beep();
  } else {
    SwapDbRows(z, static_cast<std::int16_t>(s), static_cast<std::int16_t>(s + 1));
    RefillList();
    SelectLine(s + 1);
    tableChanged();
  }
}

void FrmDatabase::cmdX_Click() {
  State& z = m_db.state();
  if (!NeedTable()) return;
  int s = selectedLine();
  if (s < 0) s = 0;
  int data = 0;
  for (int i = 0; i <= *z.dbrows; ++i) data += IsCommentRow(z.dbtab[i]) ? 0 : 1;
  const DbRow& row = z.dbtab[s];
  // A refused removal leaves the list and its chosen line alone: choosing
  // another line would load that row over the main window's case.
  if (data == 1 && !IsCommentRow(row) && (s == 0 || s == 1)) {
    beep();
    exclamation(" Only one row. Row can't be removed ");
    return;
  }
  if (s == *z.dbrows) {
    // only the closing row itself: a data row may be called "End", and a
    // file may hold an "End" line before its last
    exclamation(" Last row can't be removed ");
    beep();
    return;
  }
  RemoveDbRow(z, static_cast<std::int16_t>(s));
  RefillList();
  SelectLine(s == 1 ? 1 : s - 1);
  tableChanged();
}

}  // namespace zod
