// The Print command through the real main window: the print dialog answered
// here or the system's driven as a user does, the report printed into a PDF
// file, and the page read back with the poppler tools.
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <filesystem>

#include "engine/calc.h"
#include "engine/tables.h"
#include "gui/qtext.h"
#include "report/core/report.h"
#include "report/printcommand.h"
#include "tests/mainwindow/testsupport.h"
#include "tests/report/pdftext.h"

using namespace zod;
using namespace zod::test;

namespace {

// Chooses a PDF file and a number of copies, or cancels.
struct AnsweringPrintDialog : PrintDialog {
  QString file;
  int copies = 1;
  bool cancel = false;
  int calls = 0;
  bool exec(QPrinter& printer, QWidget*) override {
    ++calls;
    if (cancel) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCopyCount(copies);
    return true;
  }
};

struct Window {
  State z;
  RecordingMessenger msg;
  AnsweringDialog files;
  RecordingOpener opener;
  AnsweringPrintDialog printDialog;
  std::unique_ptr<Veltrane> w;

  // `dialog`: a print dialog in place of the answering one
  explicit Window(PrintDialog* dialog = nullptr) {
    KeepSettingsAside();
    Veltrane::Options opt;
    opt.locale = QLocale::c();
    opt.dpi = 96;
    opt.fileDialog = &files;
    opt.opener = &opener;
    opt.printDialog = dialog ? dialog : &printDialog;
    w = std::make_unique<Veltrane>(z, msg, opt);
    if (!w->FormLoad(ZOD_DATA_DIR)) qFatal("tables missing");
    w->show();
  }
  void print() { w->menus().mnuprint->trigger(); }
};

QString Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(20000) || p.exitCode() != 0)
    qFatal("%s failed (poppler-utils installed?)", qPrintable(program));
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The number of pages pdfinfo reads in the file.
int Pages(const QString& pdf) {
  return QRegularExpression("Pages:\\s+(\\d+)\\n").match(Run("pdfinfo", {pdf})).captured(1).toInt();
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                QDir::Name);
}

// Each pattern must match, each further down the page than the one before.
void ExpectInOrder(const QString& text, const QStringList& patterns) {
  qsizetype from = 0;
  for (const QString& pattern : patterns) {
    const QRegularExpressionMatch m = QRegularExpression(pattern).match(text, from);
    QVERIFY2(m.hasMatch(), qPrintable("not found after the previous: " + pattern + "\n" + text));
    from = m.capturedEnd();
  }
}

}  // namespace

class TestPrint : public QObject {
  Q_OBJECT

  QTemporaryDir dir;

 private slots:
  void cleanup() { Destroy(); }

  void defaultCaseReadsInOrder() {
    Window h;
    h.printDialog.file = dir.filePath("default.pdf");
    QVERIFY(h.w->menus().mnuprint->isEnabled());
    h.print();
    QCOMPARE(h.printDialog.calls, 1);
    QVERIFY2(h.msg.texts.isEmpty(), qPrintable(h.msg.texts.join('\n')));
    QCOMPARE(Pages(h.printDialog.file), 1);
    // "arial" is set in its metric twin
    QVERIFY(Run("pdffonts", {h.printDialog.file}).contains("LiberationSans"));

    // The text layer as a viewer copies and searches it: spaces are spaces.
    const QStringList layer = TextLayer(h.printDialog.file);
    QVERIFY2(layer.contains("Cylinder shell buckling based on ZOD-RP-C202"), qPrintable(layer.join('\n')));
    QVERIFY2(layer.filter(QRegularExpression("^Stiffener Profile:")).size() == 1,
             qPrintable(layer.join('\n')));
    QVERIFY2(layer.filter("\t").isEmpty(), qPrintable(layer.join('\n')));

    const QString text = Run("pdftotext", {"-layout", h.printDialog.file, "-"});
    const QString n = "\\s+";
    ExpectInOrder(text,
                  {
                      // header
                      "Zidavoru ZOD" + n + "Project:" + n + "Project" + n + "Page:",
                      "1/1",
                      "Cylinder shell buckling based on ZOD-RP-C202",
                      "Version 1\\.8\\.5" + n + "Identification:" + n + "Test" + n + "Date: \\S",
                      "\u00A9 2008-2026 Example Structural Software" + n + "Time: \\d{1,2}:\\d{1,2}\\n",
                      "File: new file",
                      // design format and materials
                      "Design format/Condition and Material:",
                      "Design Condition:" + n + "LRDF meth\\.od",
                      "Allowable Usage Factor:" + n + "UF" + n + "=" + n + "1\\.00",
                      "Plate:.*fy" + n + "=" + n + "\\d+ MPa",
                      "Stiffener:.*fy",
                      "Ringframe:.*fy",
                      "Youngs modulus:" + n + "E" + n + "=" + n + "2\\.10E\\+5 MPa",
                      // geometry and loading
                      "Geometry:",
                      "Cylinder radius \\(cL plate\\)" + n + "r" + n + "=" + n + "1500 mm",
                      "Distance between ring frames" + n + "l" + n + "=" + n + "3000 mm",
                      "Cylinder wall thickness" + n + "t" + n + "=" + n + "20\\.0 mm",
                      "Stiff spacing:" + n + "s" + n + "=" + n + "600 mm",
                      "Lat tors buckl length: \\(stiffener\\)" + n + "lt" + n + "=" + n + "3000 mm",
                      "Cylinder length" + n + "L" + n + "=" + n + "6000 mm",
                      "Lat tors buckl length: \\(ringframe\\)" + n + "lt" + n + "=" + n + "600 mm",
                      "Loading:",
                      "Sigx" + n + "=" + n + "-100\\.0 MPa",
                      "Sigy" + n + "=" + n + "-10\\.0 MPa",
                      "Tau" + n + "=" + n + "40\\.0 MPa",
                      "pd" + n + "=" + n + "-0\\.300 MPa \\(positive = inside pressure\\)",
                      // profiles side by side
                      "Stiffener Profile:.*Ringframe Profile:.*\\(Fabricated\\)",
                      "Profile data:" + n + "Profile data:",
                      "H" + n + "=" + n + "\\d+ mm" + n + "H" + n + "=" + n + "\\d+ mm",
                      "Iz" + n + "=.*mm4" + n + "Iz" + n + "=.*mm4",
                      "Local buckling:" + n + "Local buckling:",
                      "==> OK",
                      // results
                      "Shell Buckling: \\(Ch 3\\.\\d\\.\\d\\)" + n + "Stiffener Buckling: \\(Ch 3\\.6\\.3\\)",
                      "fEa = ",
                      "UF = SigjSd/fksd = ",
                      "Panel Ring Buckling: \\(Ch 3\\.5\\.2\\)",
                      "Area requirement:",
                      "Moment of inertia requirement:",
                  });
  }

  void cancelPrintsNothing() {
    Window h;
    h.printDialog.file = dir.filePath("cancelled.pdf");
    h.printDialog.cancel = true;
    h.print();
    QCOMPARE(h.printDialog.calls, 1);
    QVERIFY(!QFile::exists(h.printDialog.file));
    QVERIFY(h.msg.texts.isEmpty());
  }

  // A failure is told, not passed over as if the page had been printed.
  void aFileThatCannotBeWrittenIsReported() {
    Window h;
    h.printDialog.file = dir.filePath("no such folder/report.pdf");
    h.print();
    QCOMPARE(h.msg.texts.size(), 1);
    QVERIFY2(h.msg.last().startsWith("can't print - "), qPrintable(h.msg.last()));
    QVERIFY(h.msg.last().contains("report.pdf"));
  }

  // After a stopped calculation the panels hold another case's results.
  void aStoppedCalculationPrintsNoResults() {
    Window h;
    h.z.t = 0;
    h.w->calculate();
    QVERIFY(!h.z.calcok);
    h.msg.clear();
    h.printDialog.file = dir.filePath("stopped.pdf");
    h.print();
    QVERIFY(h.msg.texts.isEmpty());
    const QString text = Run("pdftotext", {"-layout", h.printDialog.file, "-"}).simplified();
    QVERIFY(text.contains(QString::fromStdString(StoppedCalculationText()).simplified()));
    QVERIFY(!text.contains("Buckling: (Ch"));
    QVERIFY(!text.contains(QRegularExpression("UF = \\w+/")));
  }

  // The system's dialog, modal over the window that prints, offers printing
  // to a file and the number of copies, no selection and no pages to choose
  // from a report of one page; closing it is a cancel.
  void systemDialog() {
    QPrinter printer;
    QWidget owner;
    owner.show();
    QStringList seen;
    QTimer::singleShot(0, [&seen, &owner] {
      auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (!d) return;
      seen << (d->parentWidget() == &owner ? "owner's" : "another's")
           << (d->testOption(QAbstractPrintDialog::PrintToFile) ? "file" : "no file")
           << (d->testOption(QAbstractPrintDialog::PrintSelection) ? "selection" : "no selection")
           << (d->testOption(QAbstractPrintDialog::PrintPageRange) ? "range" : "no range")
           << (d->testOption(QAbstractPrintDialog::PrintCurrentPage) ? "current" : "no current");
      // the choices of pages on its options tab: all, and nothing else to choose
      for (const char* name : {"printAll", "printRange", "pagesRadioButton"}) {
        const auto* choice = Child<QAbstractButton>(d, name);
        seen << QString("%1 %2%3").arg(choice->text(), choice->isEnabled() ? "on" : "off",
                                       choice->isChecked() ? " chosen" : "");
      }
      d->reject();
    });
    SystemPrintDialog dialog;
    QVERIFY(!dialog.exec(printer, &owner));
    QCOMPARE(seen, (QStringList{"owner's", "file", "no selection", "no range", "no current",
                                "Print all on chosen", "Pages from off", "Pages off"}));
  }

  // The file typed into the system's dialog is the save's to judge before
  // anything opens it: a pipe (which would wait for a reader) or a folder is
  // refused at once, a link to a missing file is printed through to its
  // target; only over an existing file does the dialog ask first.
  void systemDialogLeavesTheFileToTheSave() {
    namespace fs = std::filesystem;
    struct Row {
      QString what, name;
      QStringList told, asked, entries;
    };
    const QString replace = "%1 already exists.\nDo you want to overwrite it?";
    const QList<Row> rows = {
        {"pipe", "pipe.pdf", {"can't print - %1: it is not a regular file"}, {}, {"pipe.pdf"}},
        {"folder", "folder.pdf", {"can't print - %1: it is not a regular file"}, {}, {"folder.pdf"}},
        {"link to a missing file", "link.pdf", {}, {}, {"link.pdf", "missing.pdf"}},
        {"existing file", "old.pdf", {}, {replace}, {"old.pdf"}},
    };
    SystemPrintDialog system;
    Window h(&system);
    BoxAnswerer boxes;  // the toolkit's own questions
    boxes.whileOpen = [](QMessageBox* box) {
      if (auto* yes = box->button(QMessageBox::Yes)) yes->click();
    };
    for (const Row& r : rows) {
      QTemporaryDir rowDir;
      const QString file = rowDir.filePath(r.name);
      const std::string f = fromQ(file);
      if (r.what == "pipe") QCOMPARE(::mkfifo(f.c_str(), 0644), 0);
      if (r.what == "folder") QVERIFY(QDir(rowDir.path()).mkdir(r.name));
      if (r.what == "link to a missing file") fs::create_symlink("missing.pdf", f);
      if (r.what == "existing file") WriteBytes(file, "old");
      // types the name into the dialog's file box and presses Print
      bool typed = false;
      QTimer typing;
      QObject::connect(&typing, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!d || typed) return;
        typed = true;
        auto* box = Child<QLineEdit>(d, "filename");
        box->selectAll();
        QTest::keyClicks(box, file);
        if (box->completer()) box->completer()->popup()->hide();
        QTest::mouseClick(d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
      });
      typing.start(10);
      h.msg.clear();
      boxes.texts.clear();
      ::alarm(60);  // a hang fails the test instead of stopping the suite
      h.print();
      ::alarm(0);
      QVERIFY2(typed, qPrintable(r.what));
      QStringList told, asked;
      for (const QString& t : r.told) told << t.arg(file);
      for (const QString& t : r.asked) asked << t.arg(file);
      QCOMPARE(h.msg.texts, told);
      QCOMPARE(boxes.texts, asked);
      QCOMPARE(Entries(rowDir.path()), r.entries);
      if (r.what == "pipe") QVERIFY(fs::is_fifo(f));
      if (r.what == "link to a missing file") QVERIFY(fs::is_symlink(f));
      if (r.what == "link to a missing file") QCOMPARE(Pages(rowDir.filePath("missing.pdf")), 1);
      if (r.what == "existing file") QCOMPARE(Pages(file), 1);
    }
  }

  // Copies into a file are the pages of one document, each a whole report.
  void copiesArePagesOfTheFile() {
    State z;
    z.apppath = ZOD_DATA_DIR;
    ReadTables(z);
    Calculate(z);
    AnsweringPrintDialog dialog;
    dialog.file = dir.filePath("copies.pdf");
    dialog.copies = 3;
    RecordingMessenger msg;
    PrintWithDialog(z, nullptr, msg, dialog, {});
    QVERIFY(msg.texts.isEmpty());
    QCOMPARE(Pages(dialog.file), 3);
    QCOMPARE(Run("pdftotext", {dialog.file, "-"}).count("Cylinder shell buckling based on ZOD-RP-C202"), 3);
  }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
