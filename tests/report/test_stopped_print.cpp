// Print after a database row whose calculation stopped, through the real
// windows: the database window chooses a row, then a row with t = 0, and the
// page printed into a PDF file carries that row's own profiles, not those of
// the row chosen before it, and none of their section values.
#include <QAction>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "database/core/database.h"
#include "database/dbwindows.h"
#include "database/frmdatabase.h"
#include "gui/qtext.h"
#include "report/core/report.h"
#include "report/printcommand.h"
#include "tests/mainwindow/testsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

struct PdfDialog : PrintDialog {
  QString file;
  bool exec(QPrinter& printer, QWidget*) override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return true;
  }
};

QString PdfText(const QString& file) {
  QProcess p;
  p.start("pdftotext", {"-layout", file, "-"});
  if (!p.waitForFinished(20000) || p.exitCode() != 0) qFatal("pdftotext failed (poppler-utils installed?)");
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class TestStoppedPrint : public QObject {
  Q_OBJECT

  QTemporaryDir dir;

 private slots:
  void cleanup() { Destroy(); }

  void aStoppedRowPrintsItsOwnProfiles() {
    KeepSettingsAside();
    State z;
    RecordingMessenger msg, dbmsg;
    AnsweringDialog files;
    RecordingOpener opener;
    PdfDialog print;
    print.file = dir.filePath("stopped.pdf");
    Veltrane::Options opt;
    opt.locale = QLocale::c();
    opt.dpi = 96;
    opt.fileDialog = &files;
    opt.opener = &opener;
    opt.printDialog = &print;
    Veltrane w(z, msg, opt);
    QVERIFY(w.FormLoad(ZOD_DATA_DIR));
    w.show();
    auto* db = Child<DatabaseWindows>(&w, "databaseWindows");
    db->setMessenger(&dbmsg);

    // row 0 the start-up case, row 1 another stringer-stiffened case whose
    // calculation stops
    NewDbTable(z);
    z.dbtab[0].iscomment = -1;
    z.dbtab[0].rowtext = "End";
    z.dbrows = 0;
    StoreDbRow(z, 0);
    z.ident = "stopped";
    z.cylinder = 2, z.ringch = 1, z.t = 0;
    z.stifftype = 9, z.sibh = 260, z.sibb = 120, z.sibtw = 10, z.sibtf = 16;
    z.girdtype = 7, z.grhsh = 300, z.grhsb = 150, z.grhstw = 12;
    StoreDbRow(z, 1);
    z.dbfile = "Cases_in.csv";

    w.menus().mnuDb->trigger();
    FrmDatabase* f = WaitActive(db->database());
    QTRY_COMPARE(z.ident, std::string("Test"));  // its activation chose the first row
    QVERIFY(z.calcok);
    const QString firstStiff = toQ(z.stiffsec.name), firstGird = toQ(z.girdsec.name);
    Child<QListWidget>(f, "lstDatabase")->setCurrentRow(1);
    QCOMPARE(z.ident, std::string("stopped"));
    QVERIFY(!z.calcok);

    msg.clear();
    w.menus().mnuprint->trigger();
    QVERIFY2(msg.texts.isEmpty(), qPrintable(msg.texts.join('\n')));
    const QString page = PdfText(print.file);
    const QString flat = page.simplified();
    QVERIFY(flat.contains("Identification: stopped"));
    QVERIFY(flat.contains(QString::fromStdString(StoppedCalculationText()).simplified()));
    QVERIFY2(flat.contains("Stiffener Profile: I 260x120x10.0x16.0"), qPrintable(page));
    QVERIFY2(flat.contains("Ringframe Profile: RHS 300x150x12.0 (Fabricated)"), qPrintable(page));
    QVERIFY2(!flat.contains(firstStiff) && !flat.contains(firstGird), qPrintable(page));
    // the dimensions are the row's, the section values and checks are not printed
    QVERIFY(page.contains(QRegularExpression("H\\s+=\\s+260 mm\\s+H\\s+=\\s+300 mm")));
    for (const char* unit : {"mm2", "kg/m", "mm4", "==> "})
      QVERIFY2(!page.contains(unit), qPrintable(QString(unit) + "\n" + page));
  }
};

QTEST_MAIN(TestStoppedPrint)
#include "test_stopped_print.moc"
