// The Print command: the system's print dialog, then one job per copy of the
// one-page report on a printer, or one document of a page per copy in a PDF
// file. The dialog sits behind a small interface so that tests answer it
// instead of a user.
#pragma once

#include <QRectF>
#include <QString>
#include <functional>
#include <string>

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
// selection or page range, since the report is one page. Of an output file
// the dialog tests only an existing regular one (and asks whether to
// overwrite it); any other name is left to the save of PrintChosen, which
// follows a link and refuses what is no regular file before anything opens
// it.
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

// Shows the dialog and prints the chosen number of copies (PrintChosen). A
// cancel prints nothing and says nothing; a failure (no printer, a printer
// fault, a file that cannot be written or is no regular file, an arithmetic
// fault in the layout) ends the command with "can't print - " and the reason,
// and prints no further copy. A file printed whose folder could not be
// flushed is told as a warning.
void PrintWithDialog(State& z, QWidget* owner, Messenger& messenger, PrintDialog& dialog,
                     const ReportArt& art);

// Prints the report without a dialog on a printer already set up, `copies`
// times, each copy a job of its own; throws zod::Error on a failure. Tests
// and the benchmark use it.
void PrintReportOn(State& z, QPrinter& printer, int copies, const ReportArt& art);

// Prints as the dialog left the printer set up, its copy count times: on a
// printer each copy a job of its own; into a file (an output file named) the
// copies as the pages of one document, caught in memory, checked whole, its
// text layer mended (MendSpacesInTextLayer), then saved as every file is
// (SaveFileSafely), so that a failure names its cause (a full disk: "No
// space left on device") and leaves the old file byte for byte; a file the
// user may not write and anything that is no regular file are refused.
// Returns the save's warning (the file saved, its folder not flushed), empty
// when there is none; throws zod::Error with the reason on a failure.
std::string PrintChosen(State& z, QPrinter& printer, const ReportArt& art);

}  // namespace zod
