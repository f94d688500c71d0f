// The Print command: the system's print dialog, then one job per copy of the
// one-page report. The dialog sits behind a small interface so that tests
// answer it instead of a user.
#pragma once

#include <QRectF>
#include <QString>
#include <functional>

#include "engine/state.h"

class QPainter;
class QPrinter;
class QWidget;

namespace zod {

class Messenger;

class PrintDialog {
 public:
  virtual ~PrintDialog() = default;
  // Lets the user choose the printer (or a PDF file) and the number of
  // copies, modal over `parent`, and sets them on `printer`. False when the
  // user cancelled.
  virtual bool exec(QPrinter& printer, QWidget* parent) = 0;
};

// QPrintDialog: the system's printers and printing to a PDF file; no
// selection or page range, since the report is one page.
class SystemPrintDialog : public PrintDialog {
 public:
  bool exec(QPrinter& printer, QWidget* parent) override;
};

// What the report takes from the window that prints it: the cylinder sketch
// the window shows, painted stretched into a rectangle, and the copyright line.
struct ReportArt {
  std::function<void(QPainter&, const QRectF&)> cylinderSketch;
  QString copyright;
};

// Shows the dialog and prints the chosen number of copies, each drawn anew
// and sent as a job of its own. A cancel prints nothing and says nothing; a
// failure (no printer, a printer fault, a file that cannot be written, an
// arithmetic fault in the layout) ends the command with "can't print - " and
// the reason, and prints no further copy.
void PrintWithDialog(State& z, QWidget* owner, Messenger& messenger, PrintDialog& dialog,
                     const ReportArt& art);

// Prints the report without a dialog on a printer already set up, `copies`
// times; throws zod::Error on a failure. The dialog's command uses it, so do
// tests and the benchmark.
void PrintReportOn(State& z, QPrinter& printer, int copies, const ReportArt& art);

}  // namespace zod
