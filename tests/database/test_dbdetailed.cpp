// The detailed result table and its spreadsheet export through the real
// windows: column groups and widths, the cells by cylinder type, the largest
// usage factor in bold, rows whose calculation stopped, and the workbook
// read back from its sheet XML.
#include <QCheckBox>
#include <QHeaderView>
#include <QTreeView>

#include "database/frmdatabasedetailed.h"
#include "database/summary.h"
#include "tests/database/dbtestsupport.h"
#include "tests/database/xlsxread.h"

using namespace zod;
using namespace zod::test;

namespace {

struct Detailed : DbHarness {
  FrmDatabaseDetailed* t = nullptr;
  explicit Detailed(Messenger* mainMessages = nullptr) : DbHarness(false, mainMessages) {}
  void show() {
    if (!f()) open();
    click("cmdCalc");
    t = WaitActive(f()->detailed());
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
    return t->model().index(item, static_cast<int>(headers().indexOf(header))).data().toString();
  }
  bool bold(int item, int column) const {
    return t->model().index(item, column).data(Qt::FontRole).value<QFont>().bold();
  }
  void tick(const char* box, bool on) { Child<QCheckBox>(t, box)->setChecked(on); }
  // A data row of the current case with these switches.
  void add(const char* ident, int16 cylinder, int16 ringch) {
    z().ident = ident, z().cylinder = cylinder, z().ringch = ringch;
    AddToDatabase(z());
  }
  QString exportNow() {
    h.opener.urls.clear();
    Child<QPushButton>(t, "cmdDetailedResult")->click();
    return h.opener.urls.isEmpty() ? QString() : h.opener.urls.last().toLocalFile();
  }
};

// The main window's messages, the first one answered by running `during` as
// a user would while its box is up.
struct Interrupting : RecordingMessenger {
  std::function<void()> during;
  void exclamation(const QString& text, QWidget* owner = nullptr) override {
    RecordingMessenger::exclamation(text, owner);
    if (auto f = std::exchange(during, nullptr)) f();
  }
};

}  // namespace

class TestDbDetailed : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  // Numbers compare by value, whatever their digits; other texts as text;
  // an equal number keeps the first.
  void usageFactorOrder() {
    std::vector<std::string> v{"N/A", "10.20", "0.50", "9.10", "0.5"};
    std::stable_sort(v.begin(), v.end(), UsageFactorBefore);
    QCOMPARE(v, (std::vector<std::string>{"0.50", "0.5", "9.10", "10.20", "N/A"}));
    QVERIFY(UsageFactorBefore("9,10", "10,20"));
  }

  // Every group shown: 26 columns; none: the 8 that always show. Each
  // column is 0.95 of the list's width shared by the columns after the first.
  // A check box clicked while a calculation's message is up during a build
  // builds again after that build, not inside it. The list never gets a
  // negative size; a new width builds again. The switches outlive the window.
  // The workbook goes beside a database file that has a folder.
  void columnsAndRebuilds() {
    Interrupting main;
    Detailed d(&main);
    d.table({"A"});
    d.z().gilt = 1e6;  // corrected, with a message, by every calculation
    d.add("B", 0, 1);
    d.show();
    const auto widths = [&d](int columns) {
      const int width = d.t->list()->width();
      for (int c = 0; c < columns; ++c)
        QCOMPARE(d.t->list()->header()->sectionSize(c), qRound(width / double(columns - 1) * 0.95));
    };
    widths(26);
    const int builds = d.t->builds();
    main.during = [&d, builds] {
      d.tick("chkRingRes", false);
      QCOMPARE(d.t->builds(), builds);
    };
    d.tick("chkStressInp", false);
    QCOMPARE(main.texts.size(), 3);
    QCOMPARE(d.t->builds(), builds + 2);
    for (const char* box : {"chkStiffInp", "chkRingInp", "chkColumnInp", "chkStiffRes", "chkColumnRes"})
      d.tick(box, false);
    QCOMPARE(d.t->builds(), builds + 7);
    QCOMPARE(d.headers(), (QStringList{"Ident", "fyk", "r ", "l ", "t", "pd", "Shell UF =", "UFmax ="}));
    d.t->resize(60, 30);
    QCOMPARE(d.t->list()->size(), QSize(0, 0));
    d.t->resize(1200, 500);
    widths(8);
    d.t->close();
    Destroy();
    d.show();
    QCOMPARE(d.headers().size(), 8);
    QVERIFY(QDir(d.files.path()).mkdir("jobs"));  // the workbook goes beside a database file
    d.z().dbfile = fromQ(d.file("jobs/Tank_in.csv"));
    QCOMPARE(d.exportNow(), d.file("jobs/Tank_summary.xlsx"));
  }

  // "N/A" where a cylinder type has no such value, the moments in their
  // order, the largest usage factor of the shown ones in bold (a group
  // switched off takes no part), and a row whose calculation stopped saying
  // so instead of showing the row before, named in one message. The
  // workbook holds the table as shown: headers in row 1, one row per item,
  // comments in column A only; a second export replaces nothing; one that
  // cannot be written or opened is reported, and the table stays.
  void cellsAndExport() {
    Detailed d;
    d.z().sigx = -50, d.z().m1a = 1, d.z().m1b = 2, d.z().m2a = 3, d.z().m2b = 4;
    d.table({"% Deck A"});
    d.add("column", 3, 1);
    d.add("stringers", 2, 0);
    d.z().t = 0;
    d.add("stopped", 2, 1);
    d.show();
    for (const char* h : {"Stiff prof", "Stiff UF =", "Sigx", "Sigy"}) QCOMPARE(d.cell(1, h), QString("N/A"));
    for (const char* h : {"M1a", "Column UF2 =", "RIng prof ", "Ring Ix"})
      QCOMPARE(d.cell(2, h), QString("N/A"));
    const QString mom = d.cell(1, "M1a") + d.cell(1, "M2a") + d.cell(1, "M1b") + d.cell(1, "M2b");
    QCOMPARE(mom + "|" + d.cell(2, "Sigx") + d.cell(2, "t"), QString("1.03.02.04.0|-50.020.0"));
    QVERIFY(d.cell(1, "Column UF1 =") != "N/A" && d.cell(1, "Ring Ix") != "N/A");
    const QString shell = d.cell(2, "Shell UF ="), stiff = d.cell(2, "Stiff UF =");
    QCOMPARE(d.cell(2, "UFmax ="), stiff);
    QVERIFY(d.bold(2, 25) && !d.bold(2, 20));
    for (const char* h : {"UFmax =", "Stiff UF =", "Ring Ix"})
      QCOMPARE(d.cell(3, h), QString(kDbStoppedText));
    QCOMPARE(d.msg.texts.size(), 1);
    QVERIFY(d.msg.last().contains("1 row stopped"));
    d.tick("chkStiffRes", false);
    QCOMPARE(d.cell(2, "UFmax ="), shell);
    QVERIFY(d.bold(2, 24));

    const QString path = d.exportNow();
    QCOMPARE(path, d.file("New Database_summary.xlsx"));
    const QMap<QString, QString> cells = SheetCells(path);
    QCOMPARE(cells.size(), 25 * 4 + 1);
    QCOMPARE(cells.value("A2"), QString("% Deck A"));
    for (int c = 0; c < 25; ++c) {
      const QString col(QChar('A' + c));
      QCOMPARE(cells.value(col + "1"), d.headers()[c]);
      for (int i = 1; i <= 3; ++i)
        QCOMPARE(cells.value(col + QString::number(i + 2)), toQ(d.summary().items[i][c]));
    }
    QCOMPARE(d.exportNow(), d.file("New Database_summary (2).xlsx"));
    QCOMPARE(QDir(d.files.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    const auto before = d.summary().items;
    d.msg.clear();
    d.db->setExportFolder(d.file("missing"));
    QCOMPARE(d.exportNow(), QString());
    d.db->setExportFolder(d.files.path());
    d.h.opener.fail = true;
    const QString third = d.exportNow();
    QVERIFY(QFile::exists(third) && d.summary().items == before);
    QCOMPARE(d.msg.texts.size(), 2);
    QVERIFY(d.msg.texts[0].startsWith("can't save file - " + d.file("missing")) &&
            d.msg.texts[1].contains(third));
  }
};

QTEST_MAIN(TestDbDetailed)
#include "test_dbdetailed.moc"
