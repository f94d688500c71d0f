// The detailed result table and its spreadsheet export through the real
// windows: column groups and widths, the cells by cylinder type, the largest
// usage factor in bold, rows whose calculation stopped, frmTable, and the
// workbook read back from its sheet XML.
#include <sys/stat.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QProcess>
#include <QStandardPaths>
#include <QTreeView>
#include <QUrl>
#include <clocale>
#include <cstdio>
#include <optional>

#include "database/frmdatabasedetailed.h"
#include "database/summary.h"
#include "mainwindow/resultpicture.h"
#include "tests/database/dbtestsupport.h"
#include "tests/database/xlsxread.h"

using namespace zod;
using namespace zod::test;

namespace {

const QStringList kAllHeaders{
    "Ident",     "fyk",        "r ",           "l ",           "t",      "Stiff spac", "Stiff prof",
    "Ring spac", "RIng prof ", "Sigx",         "Sigy",         "Tau",    "pd",         "L",
    "N",         "M1a",        "M2a",          "M1b",          "M2b",    "Shell UF =", "Stiff UF =",
    "Ring Ax",   "Ring Ix",    "Column UF1 =", "Column UF2 =", "UFmax ="};
const char* const kBoxes[] = {"chkStiffInp", "chkRingInp", "chkStressInp", "chkColumnInp",
                              "chkStiffRes", "chkRingRes", "chkColumnRes"};

struct Detailed : DbHarness {
  FrmDatabaseDetailed* t = nullptr;
  FrmDatabaseDetailed* show() {
    open();
    click("cmdCalc");
    t = WaitActive(f()->detailed());
    return t;
  }
  const SummaryTable& summary() const { return t->model().table(); }
  QStringList headers() const {
    QStringList out;
    for (int c = 0; c < t->model().columnCount(); ++c)
      out << t->model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return out;
  }
  // The cell of an item under a header ("" when the item has none).
  QString cell(int item, const QString& header) const {
    const int c = static_cast<int>(headers().indexOf(header));
    return t->model().data(t->model().index(item, c), Qt::DisplayRole).toString();
  }
  bool bold(int item, int column) const {
    return t->model().data(t->model().index(item, column), Qt::FontRole).value<QFont>().bold();
  }
  void tick(const char* box, bool on) { Child<QCheckBox>(t, box)->setChecked(on); }
  // A data row of the current case with these switches.
  void add(const char* ident, int cylinder, int ringch) {
    z().ident = ident;
    z().cylinder = static_cast<int16>(cylinder);
    z().ringch = static_cast<int16>(ringch);
    AddToDatabase(z());
  }
  explicit Detailed(Messenger* mainMessages = nullptr) : DbHarness(false, mainMessages) {}
  QString exportNow() {
    h.opener.urls.clear();
    Child<QPushButton>(t, "cmdDetailedResult")->click();
    return h.opener.urls.isEmpty() ? QString() : h.opener.urls.last().toLocalFile();
  }
};

double Num(const QString& s) { return QString(s).replace(',', '.').toDouble(); }

// Messages, each answered by running `during` as a user would while the box
// is up.
struct Interrupting : Messenger {
  std::function<void()> during;
  QStringList texts;
  void exclamation(const QString& text, QWidget* = nullptr) override {
    texts << text;
    if (auto f = std::exchange(during, nullptr)) f();
  }
  void plain(const QString& text, QWidget* owner = nullptr) override { exclamation(text, owner); }
  bool question(const QString& text, QWidget* owner = nullptr) override {
    exclamation(text, owner);
    return true;
  }
};

// The C library writes numbers as on a German desktop, with a decimal comma,
// for the life of the object. The locale is built into a folder of its own,
// which is named to the C library only while it loads the locale: every
// locale made while that name is set loses a copy of it.
struct GermanNumbers {
  QTemporaryDir dir;
  QByteArray before = setlocale(LC_NUMERIC, nullptr);
  bool ok = false;
  GermanNumbers() {
    QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", dir.filePath("de_DE.UTF-8")});
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    const bool loaded = setlocale(LC_NUMERIC, "de_DE.UTF-8");
    qunsetenv("LOCPATH");
    char half[8];
    ok = loaded && std::snprintf(half, sizeof half, "%.1f", 0.5) == 3 && QByteArray(half) == "0,5";
  }
  ~GermanNumbers() { setlocale(LC_NUMERIC, before.constData()); }
};

}  // namespace

class TestDbDetailed : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  // Numbers compare by value, whatever their digits; other texts as text.
  void usageFactorOrder_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("before");
    QTest::newRow("plain") << "0.45"
                           << "0.92" << true;
    QTest::newRow("ten and more") << "9.10"
                                  << "10.20" << true;
    QTest::newRow("ten and more, reversed") << "10.20"
                                            << "9.10" << false;
    QTest::newRow("comma") << "9,10"
                           << "10,20" << true;
    QTest::newRow("equal keeps the first") << "0.50"
                                           << "0.5" << false;
    QTest::newRow("zero candidate") << "-0.20"
                                    << "0" << true;
    QTest::newRow("text") << "0.45"
                          << "N/A" << true;
  }
  void usageFactorOrder() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QTEST(UsageFactorBefore(fromQ(a), fromQ(b)), "before");
  }

  // Every group shown: 26 columns; none: the 8 that always show. Each
  // column is 0.95 of the list's width shared by the columns after the first.
  void columnsAndWidths() {
    Detailed d;
    d.table({"A"});
    d.show();
    QCOMPARE(d.t->parentWidget(), d.f());
    QCOMPARE(d.headers(), kAllHeaders);
    const int width = d.t->list()->width();
    QVERIFY(width > 500);
    for (int c = 0; c < 26; ++c) QCOMPARE(d.t->list()->header()->sectionSize(c), qRound(width / 25.0 * 0.95));
    const int builds = d.t->builds();
    for (const char* box : kBoxes) d.tick(box, false);
    QCOMPARE(d.t->builds(), builds + 7);
    QCOMPARE(d.headers(), (QStringList{"Ident", "fyk", "r ", "l ", "t", "pd", "Shell UF =", "UFmax ="}));
    for (int c = 0; c < 8; ++c) QCOMPARE(d.t->list()->header()->sectionSize(c), qRound(width / 7.0 * 0.95));
    // the switches outlive the window
    QVERIFY(!d.z().stiffinp && !d.z().columnres);
    d.t->close();
    Destroy();
    d.click("cmdCalc");
    d.t = WaitActive(d.f()->detailed());
    QCOMPARE(d.headers().size(), 8);
    QVERIFY(!Child<QCheckBox>(d.t, "chkRingRes")->isChecked());
    // File > New in the main window sets every switch again: the open
    // table's boxes and columns show it at once, and a resize, the columns
    // and the workbook agree with the boxes
    d.h.menus().mnunew->trigger();
    for (const char* box : kBoxes) QVERIFY2(Child<QCheckBox>(d.t, box)->isChecked(), box);
    QCOMPARE(d.headers(), kAllHeaders);
    d.t->resize(d.t->width() + 40, d.t->height());
    for (const char* box : kBoxes) QVERIFY2(Child<QCheckBox>(d.t, box)->isChecked(), box);
    QCOMPARE(d.headers(), kAllHeaders);
    const Sheet s = ReadSheet(d.exportNow());
    QStringList exported;
    for (int c = 0; s.cells.contains(QString(QChar('A' + c)) + "1"); ++c)
      exported << s.cells.value(QString(QChar('A' + c)) + "1");
    QCOMPARE(exported, kAllHeaders);
  }

  void cellsByCylinderType() {
    Detailed d;
    d.z().sigx = -50;
    d.z().m1a = 1, d.z().m1b = 2, d.z().m2a = 3, d.z().m2b = 4;
    d.z().cyll = 6000;
    d.table({"% Deck A"});
    d.add("plain", 0, 0);
    d.add("column", 3, 1);
    // the user's own case, calculated and shown
    d.z().ident = "mine";
    d.z().cylinder = 0;
    d.h.w->RefreshForm();
    d.h.w->calculate();
    QStringList mine;
    for (const auto& item : d.h.get<ResultPicture>("pic30")->items()) mine << item.text;
    d.show();
    QCOMPARE(d.t->model().rowCount(), 3);
    // a comment is its text alone
    QCOMPARE(d.summary().items[0], std::vector<std::string>{"% Deck A"});
    QCOMPARE(d.cell(0, "fyk"), QString());
    for (const char* h : {"Stiff spac", "Stiff prof", "Stiff UF =", "L", "N", "M1a", "M2a", "M1b", "M2b",
                          "Column UF1 =", "Column UF2 =", "Ring spac", "RIng prof ", "Ring Ax", "Ring Ix"})
      QCOMPARE(d.cell(1, h), QString("N/A"));
    QCOMPARE(d.cell(1, "Sigx"), QString("-50.0"));
    QCOMPARE(d.cell(1, "Tau"), QString("40.0"));
    for (const char* h : {"Sigx", "Sigy", "Tau", "Stiff spac"}) QCOMPARE(d.cell(2, h), QString("N/A"));
    QCOMPARE(d.cell(2, "M1a") + d.cell(2, "M2a") + d.cell(2, "M1b") + d.cell(2, "M2b"),
             QString("1.03.02.04.0"));
    QCOMPARE(d.cell(2, "L"), QString("6000"));
    QCOMPARE(d.cell(2, "Ring spac"), QString("6000"));
    QVERIFY(d.cell(2, "Column UF1 =") != "N/A" && d.cell(2, "Ring Ix") != "N/A");
    QCOMPARE(d.cell(1, "t"), QString("20.0"));
    QCOMPARE(d.cell(1, "r "), QString("1500"));
    // after the build the case is the user's again, and the main window's
    // pictures show its results, not the last data row's
    QCOMPARE(d.z().ident, std::string("mine"));
    QCOMPARE(d.z().cylinder, int16(0));
    QVERIFY(d.z().matp != d.z().mat.nmat);
    QStringList drawn;
    for (const auto& item : d.h.get<ResultPicture>("pic31")->items()) drawn << item.text;
    QVERIFY(!drawn.contains("UF1 = "));
    drawn.clear();
    for (const auto& item : d.h.get<ResultPicture>("pic30")->items()) drawn << item.text;
    QCOMPARE(drawn, mine);
  }

  // The largest usage factor of the shown ones, in bold; a group switched
  // off takes no part.
  void largestUsageFactor() {
    Detailed d;
    d.table({});
    d.add("stringers", 2, 0);
    d.show();
    const QString shell = d.cell(0, "Shell UF =");
    const QString stiff = d.cell(0, "Stiff UF =");
    QVERIFY(Num(stiff) > Num(shell));
    QCOMPARE(d.cell(0, "UFmax ="), stiff);
    QVERIFY(d.bold(0, 25));
    QVERIFY(!d.bold(0, 19) && !d.bold(0, 20));
    d.tick("chkStiffRes", false);
    QVERIFY(!d.headers().contains("Stiff UF ="));
    QCOMPARE(d.cell(0, "UFmax ="), shell);
    QVERIFY(d.bold(0, static_cast<int>(d.headers().size()) - 1));
  }

  // A row whose calculation stopped says so instead of showing the row
  // before; the build names the stopped rows in one message.
  void stoppedRows() {
    Detailed d;
    d.table({"good"});
    d.z().t = 0;
    d.add("bad 1", 0, 0);
    d.add("bad 2", 2, 1);
    d.show();
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY(d.msg.last().contains("2 rows stopped"));
    QVERIFY(d.cell(0, "Shell UF =") != kDbStoppedText);
    for (const char* h : {"Shell UF =", "UFmax ="}) QCOMPARE(d.cell(1, h), QString(kDbStoppedText));
    for (const char* h : {"Stiff UF =", "Ring Ax", "Ring Ix"})
      QCOMPARE(d.cell(2, h), QString(kDbStoppedText));
    QCOMPARE(d.cell(2, "Column UF1 ="), QString("N/A"));
    QCOMPARE(d.cell(2, "t"), QString("0.0"));
  }

  // A check box clicked while the message of a build is up builds again
  // after that build, not inside it.
  void rebuildNeverNested() {
    Interrupting boxes;
    Detailed d;
    d.db->setMessenger(&boxes);
    d.table({"A"});
    d.z().gilt = 1e6;  // corrected, with a message, by every calculation
    d.add("B", 0, 1);
    d.show();
    QCOMPARE(boxes.texts.size(), 1);
    const int builds = d.t->builds();
    boxes.during = [&d, builds] {
      QCOMPARE(d.t->builds(), builds + 1);
      d.tick("chkRingRes", false);
      QCOMPARE(d.t->builds(), builds + 1);
    };
    d.z().dbtab[0].gilt = 1e6;  // the next build has more to say
    d.tick("chkStressInp", false);
    QCOMPARE(boxes.texts.size(), 2);
    QCOMPARE(d.t->builds(), builds + 2);
    QVERIFY(!d.headers().contains("Ring Ax") && !d.headers().contains("Sigx"));
    QCOMPARE(d.t->model().rowCount(), 2);
  }

  // The table shows the case table as it is, never another one: Open and
  // New Database File close it; a row added, removed or moved builds it anew
  // at once, so that what it shows and what Export to Excel writes is that
  // table, and Calc and Summary then has nothing to build. The window the
  // user edits in stays the active one. The calculations of row B and of the
  // added row C stop: the build that follows an edit says nothing of them,
  // wherever they now are; Calc and Summary tells, when it is news (`told`:
  // a row each message names, in order).
  void followsTheCaseTable_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QStringList>("items");  // after the edit, or after the next Calc and Summary
    QTest::addColumn<QStringList>("told");
    const QString b1 = "row 1 \"B\"", b0 = "row 0 \"B\"", b2 = "row 2 \"B\"";
    QTest::newRow("unchanged") << "" << false << QStringList{"A", "B"} << QStringList{b1};
    QTest::newRow("added in the main window")
        << "add" << false << QStringList{"A", "B", "C"} << QStringList{b1, "row 2 \"C\""};
    QTest::newRow("removed") << "cmdX" << false << QStringList{"B"} << QStringList{b1, b0};
    QTest::newRow("moved up") << "Cmd_pilupp" << false << QStringList{"B", "A"} << QStringList{b1, b0};
    QTest::newRow("moved down") << "Cmd_pilner" << false << QStringList{"B", "A"} << QStringList{b1, b0};
    QTest::newRow("comment added") << "cmdAddComment" << false << QStringList{"% Comment", "A", "B"}
                                   << QStringList{b1, b2};
    QTest::newRow("another file opened")
        << "cmdOpenDatabase" << true << QStringList{"X", "Y"} << QStringList{b1};
    QTest::newRow("new database") << "cmdNewDatabase" << true << QStringList{"% Comment", "A"}
                                  << QStringList{b1};
  }
  void followsTheCaseTable() {
    QFETCH(QString, edit);
    QFETCH(bool, closes);
    QFETCH(QStringList, items);
    QFETCH(QStringList, told);
    Detailed d;
    d.table({"X", "Y"});
    const QString other = d.file("Other_in.csv");
    WriteDbFile(d.z(), fromQ(other));
    d.table({"A", "B"});
    d.z().dbtab[1].t = 0;
    const QPointer<FrmDatabaseDetailed> first = d.show();
    QCOMPARE(d.msg.texts.size(), 1);
    auto shown = [&d] {
      QStringList out;
      for (const auto& item : d.summary().items) out << toQ(item[0]);
      return out;
    };
    // the workbook, and the rows it holds, down to the first empty one
    auto exported = [&d](int rows) {
      const QString path = d.exportNow();
      const Sheet sheet = ReadSheet(path);
      QStringList out{QFileInfo(path).fileName()};
      for (int r = 2; r <= rows + 2; ++r) out << sheet.cells.value("A" + QString::number(r));
      return out;
    };
    QWidget* user = edit == "add" ? static_cast<QWidget*>(d.h.w.get()) : d.f();
    user->activateWindow();
    WaitActive(user);
    d.select(edit == "Cmd_pilupp" ? 1 : 0);  // row A or B, now the main window's case
    if (edit == "add") {
      d.z().ident = "C";
      d.z().t = 0;
      d.h.get<QPushButton>("cmdDatabase")->click();
    } else if (!edit.isEmpty()) {
      if (edit == "cmdOpenDatabase") d.h.dialog.answers << other;
      d.click(qPrintable(edit));
    }
    QTest::qWait(50);  // what the rebuild asked of the window system has come
    QCOMPARE(QApplication::activeWindow(), user);
    QCOMPARE(d.msg.texts.size(), 1);
    QCOMPARE(d.f()->detailed() == nullptr, closes);
    Destroy();
    QCOMPARE(first.isNull(), closes);
    if (!closes) {
      QCOMPARE(shown(), items);
      QCOMPARE(exported(items.size()), QStringList{"New Database_summary.xlsx"} + items + QStringList{""});
    }
    const int builds = closes ? 0 : d.t->builds();
    d.click("cmdCalc");
    d.t = WaitActive(d.f()->detailed());
    QCOMPARE(shown(), items);
    if (!closes) QCOMPARE(d.t->builds(), builds);
    // the workbook holds the rows of the table it is named after
    if (edit == "cmdOpenDatabase") QCOMPARE(exported(2), (QStringList{"Other_summary.xlsx", "X", "Y", ""}));
    QCOMPARE(d.msg.texts.size(), told.size());
    for (int i = 0; i < told.size(); ++i)
      QVERIFY2(d.msg.texts[i].contains("\n" + told[i] + ":"), qPrintable(d.msg.texts[i]));
    // asked again, it has nothing new to tell
    d.click("cmdCalc");
    QCOMPARE(d.msg.texts.size(), told.size());
  }

  void withoutTable() {
    Detailed d;
    d.show();
    QCOMPARE(d.headers(), kAllHeaders);
    QCOMPARE(d.t->model().rowCount(), 0);
    QVERIFY(d.msg.texts.isEmpty());
  }

  // The list follows the window but never gets a negative size; a new width
  // builds the table again with columns to match.
  void resize() {
    Detailed d;
    d.table({"A"});
    d.show();
    const int builds = d.t->builds();
    d.t->resize(60, 30);
    QCOMPARE(d.t->list()->size(), QSize(0, 0));
    QCOMPARE(d.t->builds(), builds + 1);
    d.t->resize(1200, 500);
    const int width = d.t->list()->width();
    QCOMPARE(width, 1200 - qRound(1665 / 15.0) - qRound(360 / 15.0));
    QCOMPARE(d.t->list()->header()->sectionSize(3), qRound(width / 25.0 * 0.95));
    d.t->resize(1200, 400);  // only taller or shorter: nothing to build
    QCOMPARE(d.t->builds(), builds + 2);
  }

  // A right click on the window's own surface opens frmTable once; a click on
  // a control does not; it outlives the table.
  void frmTable() {
    Detailed d;
    d.show();
    QTest::mouseClick(d.t, Qt::RightButton, {},
                      Child<QCheckBox>(d.t, "chkRingInp")->mapTo(d.t, QPoint(5, 5)));
    QVERIFY(!d.db->table());
    const QPoint surface(10, d.t->height() - 10);
    QVERIFY(!d.t->childAt(surface));
    QTest::mouseClick(d.t, Qt::LeftButton, {}, surface);
    QVERIFY(!d.db->table());
    QTest::mouseClick(d.t, Qt::RightButton, {}, surface);
    FrmTable* table = d.db->table();
    QVERIFY(table);
    auto* list = Child<QListWidget>(table, "lstTable");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text() + list->item(1)->text(), QString("GeneralShell"));
    QTest::mouseClick(d.t, Qt::RightButton, {}, surface);
    QCOMPARE(d.db->table(), table);
    QCOMPARE(list->count(), 2);
    d.t->close();
    Destroy();
    QCOMPARE(d.db->table(), table);
    Child<QPushButton>(table, "Command1")->click();
    Destroy();
    QVERIFY(!d.db->table());
  }

  // The workbook holds the table as shown: headers in row 1, one row per
  // item, comments in column A only, column A centred, A to H fitted.
  void exportWorkbook() {
    Detailed d;
    d.table({"% Deck A"});
    d.add("a rather long identification", 2, 1);
    d.add("col", 3, 0);
    d.show();
    const mode_t mask = ::umask(022);
    const QString path = d.exportNow();
    ::umask(mask);
    QCOMPARE(path, d.file("New Database_summary.xlsx"));
    // the user's file, not a private temporary one
    const auto rw = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                    QFile::ReadOther | QFile::WriteOther;
    QCOMPARE(QFileInfo(path).permissions() & rw,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const Sheet s = ReadSheet(path);
    QVERIFY(s.ok);
    for (int c = 0; c < 26; ++c) QCOMPARE(s.cells.value(QString(QChar('A' + c)) + "1"), kAllHeaders[c]);
    QCOMPARE(s.cells.value("A2"), QString("% Deck A"));
    QVERIFY(!s.cells.contains("B2"));
    for (int i = 0; i < 2; ++i)
      for (int c = 0; c < 26; ++c)
        QCOMPARE(Shown(s, QString(QChar('A' + c)) + QString::number(i + 3)),
                 toQ(d.summary().items[i + 1][c]));
    QCOMPARE(s.cells.size(), 26 * 3 + 1);
    QVERIFY(!s.cellStyle.value("A3").isEmpty());
    QVERIFY(s.cellStyle.value("B3") != s.cellStyle.value("A3"));
    // A to H fitted, A with the centred style; the rest as the sheet has them
    QCOMPARE(s.cols.size(), 8);
    QCOMPARE(s.cols[0].style, s.cellStyle.value("A3"));
    const QByteArray styles = ZipMember(path, "xl/styles.xml");
    QVERIFY(styles.contains("horizontal=\"center\""));
    for (int c = 0; c < 8; ++c) {
      QCOMPARE(s.cols[c].min, c + 1);
      int longest = 0;
      for (int row = 1; row <= 4; ++row)
        longest = std::max(longest, int(Shown(s, QString(QChar('A' + c)) + QString::number(row)).size()));
      QVERIFY2(s.cols[c].width >= longest && s.cols[c].width < longest + 5, qPrintable(QString::number(c)));
    }
    // a second export replaces nothing
    QCOMPARE(d.exportNow(), d.file("New Database_summary (2).xlsx"));
    QVERIFY(ReadSheet(path).ok);
    QCOMPARE(QDir(d.files.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
  }

  // A number as the table shows it goes in as that number, with a format
  // that shows the same text; identifications, profiles, "N/A" and stopped
  // calculations stay texts. With a decimal comma as well, on a desktop
  // whose conventions write numbers with a comma.
  void exportNumbers_data() {
    QTest::addColumn<bool>("comma");
    QTest::newRow("point") << false;
    QTest::newRow("comma") << true;
  }
  void exportNumbers() {
    QFETCH(bool, comma);
    std::optional<GermanNumbers> german;
    if (comma) {
      german.emplace();
      QVERIFY2(german->ok, "no German numbers: the locales package is missing");
    }
    Detailed d;
    if (comma) d.z().decsep = ',';
    d.z().sigx = -22.5;
    d.z().pd = -0.85f;
    d.table({"% Deck A"});
    d.add("plain", 0, 0);
    d.add("stringers", 2, 1);
    d.add("column", 3, 1);
    d.z().l = 1.159e7f;
    d.z().cylr = 1500.25f;
    d.z().t = 0;
    d.add("long and stopped", 2, 1);
    d.show();
    const SummaryTable& t = d.summary();
    const QMap<QString, QString> formats{
        {"t", "0.0"},        {"Stiff spac", "0"},      {"Ring spac", "0"},       {"Sigx", "0.0"},
        {"Sigy", "0.0"},     {"Tau", "0.0"},           {"pd", "0.000"},          {"L", "0"},
        {"N", "0.0"},        {"M1a", "0.0"},           {"M2a", "0.0"},           {"M1b", "0.0"},
        {"M2b", "0.0"},      {"Shell UF =", "0.00"},   {"Stiff UF =", "0.00"},   {"Ring Ax", "0.00"},
        {"Ring Ix", "0.00"}, {"Column UF1 =", "0.00"}, {"Column UF2 =", "0.00"}, {"UFmax =", "0.00"}};
    const QString path = d.exportNow();
    const Sheet s = ReadSheet(path);
    QVERIFY(s.ok);
    for (size_t i = 1; i < t.items.size(); ++i) {
      for (size_t c = 0; c < t.headers.size(); ++c) {
        const QString header = toQ(t.headers[c]), text = toQ(t.items[i][c]);
        const QString cell = QChar('A' + int(c)) + QString::number(i + 2);
        const bool stays = !t.patterns[c] || text == "N/A" || text == kDbStoppedText;
        QVERIFY2(s.numberFormat.contains(cell) != stays, qPrintable(cell + " " + text));
        if (stays) {
          QCOMPARE(s.cells.value(cell), text);
          continue;
        }
        // the value as written in the file, a point its separator
        QCOMPARE(s.cells.value(cell).toDouble(), QString(text).replace(',', '.').toDouble());
        // plain number text: "345", "1500.25", "1.159E+07" of these rows
        const QString plain = text.contains('E')                 ? "0.000E+00"
                              : text.contains(comma ? ',' : '.') ? "0.00"
                                                                 : "0";
        QVERIFY2(s.numberFormat.value(cell) == formats.value(header, plain),
                 qPrintable(cell + " " + s.numberFormat.value(cell)));
      }
    }
    QCOMPARE(s.cells.value("D6"), QString("11590000"));
    QCOMPARE(s.numberFormat.value("D6"), QString("0.000E+00"));
    QCOMPARE(s.cells.value("C6"), QString("1500.25"));
    // the widths too are numbers the spreadsheet reads
    QVERIFY(s.cols.value(0).width > 10);
    // What a spreadsheet shows, where LibreOffice is installed: the table's
    // texts, with the separator of its own language (a point here).
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty()) return;
    QTemporaryDir out;
    QProcess lo;
    lo.start(soffice,
             {"-env:UserInstallation=" + QUrl::fromLocalFile(out.filePath("profile")).toString(),
              "--headless", "--convert-to", "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,true",
              "--outdir", out.path(), path});
    QVERIFY(lo.waitForFinished(180000));
    QFile csv(out.filePath(QFileInfo(path).completeBaseName() + ".csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), qsizetype(t.items.size() + 1));
    for (size_t i = 0; i < t.items.size(); ++i) {
      QStringList want;
      for (size_t c = 0; c < t.headers.size(); ++c) {
        QString text = c < t.items[i].size() ? toQ(t.items[i][c]) : QString();
        if (s.numberFormat.contains(QChar('A' + int(c)) + QString::number(i + 2))) text.replace(',', '.');
        want << text;
      }
      QCOMPARE(lines[qsizetype(i) + 1].trimmed().split(';'), want);
    }
  }

  void exportPlaces() {
    Detailed d;
    d.show();
    // no table: the header row alone
    Sheet s = ReadSheet(d.exportNow());
    QCOMPARE(s.cells.size(), 26);
    // beside a database file that has a folder
    QVERIFY(QDir(d.files.path()).mkdir("jobs"));
    d.z().dbfile = fromQ(d.file("jobs/Tank_in.csv"));
    QCOMPARE(d.exportNow(), d.file("jobs/Tank_summary.xlsx"));
    QVERIFY(d.msg.texts.isEmpty());
  }

  // A workbook that cannot be written or opened is reported; the table and
  // the program go on.
  void exportFailures() {
    Detailed d;
    d.table({"A"});
    d.show();
    const auto before = d.summary().items;
    d.db->setExportFolder(d.file("missing"));
    QCOMPARE(d.exportNow(), QString());
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY(d.msg.last().startsWith("can't save file - " + d.file("missing")));
    d.db->setExportFolder(d.files.path());
    d.h.opener.fail = true;
    d.msg.clear();
    const QString path = d.exportNow();
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY(d.msg.last().contains(path));
    QVERIFY(QFile::exists(path));
    QVERIFY(d.summary().items == before);
  }
};

QTEST_MAIN(TestDbDetailed)
#include "test_dbdetailed.moc"
