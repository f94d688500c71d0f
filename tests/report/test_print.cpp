// The Print command through the real main window: the print dialog answered
// here, the report printed into a PDF file, and the page read back with the
// poppler tools.
#include <QAction>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "report/printcommand.h"
#include "tests/mainwindow/testsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

// Chooses a PDF file and three copies, or cancels without a file.
struct AnsweringPrintDialog : PrintDialog {
  QString file;
  bool exec(QPrinter& printer, QWidget*) override {
    if (file.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCopyCount(3);
    return true;
  }
};

QString Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(20000) || p.exitCode() != 0)
    qFatal("%s failed (poppler-utils installed?)", qPrintable(program));
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class TestPrint : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  // A cancel prints and tells nothing; a file that cannot be written is told,
  // not passed over as if the page had been printed; three copies are three
  // one-page jobs, not pages of one document: the file holds the last one.
  void printCommand() {
    QTemporaryDir dir;
    State z;
    RecordingMessenger msg;
    AnsweringPrintDialog printDialog;
    Veltrane::Options opt;
    opt.locale = QLocale::c();
    opt.printDialog = &printDialog;
    KeepSettingsAside();
    Veltrane w(z, msg, opt);
    QVERIFY(w.FormLoad(ZOD_DATA_DIR));
    w.show();
    QAction* print = w.menus().mnuprint;

    print->trigger();
    QVERIFY(msg.texts.isEmpty() && QDir(dir.path()).isEmpty());

    printDialog.file = dir.filePath("no such folder/report.pdf");
    print->trigger();
    QVERIFY2(
        msg.texts.size() == 1 && msg.last().startsWith("can't print - ") && msg.last().contains("report.pdf"),
        qPrintable(msg.texts.join('\n')));

    printDialog.file = dir.filePath("default.pdf");
    print->trigger();
    QCOMPARE(msg.texts.size(), 1);
    QVERIFY(Run("pdfinfo", {printDialog.file}).contains(QRegularExpression("Pages:\\s+1\\n")));
    QVERIFY(Run("pdffonts", {printDialog.file}).contains("LiberationSans"));  // "arial"'s metric twin

    // header, headings, rows and panels in reading order
    const QString text = Run("pdftotext", {"-layout", printDialog.file, "-"}), n = "\\s+";
    const QStringList patterns = {
        "Zidavoru ZOD" + n + "Project:" + n + "Project" + n + "Page:",
        "Version 1\\.8\\.5" + n + "Identification:" + n + "Test" + n + "Date: \\S",
        "\u00A9 2008-2026 Example Structural Software" + n + "Time: \\d{1,2}:\\d{1,2}\\n",
        "Cylinder radius \\(cL plate\\)" + n + "r" + n + "=" + n + "1500 mm",
        "pd" + n + "=" + n + "-0\\.300 MPa \\(positive = inside pressure\\)",
        "Stiffener Profile:.*Ringframe Profile:.*\\(Fabricated\\)",
        "Shell Buckling: \\(Ch 3\\.\\d\\.\\d\\)" + n + "Stiffener Buckling: \\(Ch 3\\.6\\.3\\)",
        "Panel Ring Buckling: \\(Ch 3\\.5\\.2\\)",
    };
    for (qsizetype from = 0; const QString& pattern : patterns) {
      const QRegularExpressionMatch m = QRegularExpression(pattern).match(text, from);
      QVERIFY2(m.hasMatch(), qPrintable("not found after the previous: " + pattern + "\n" + text));
      from = m.capturedEnd();
    }
  }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
