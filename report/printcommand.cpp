#include "report/printcommand.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QDate>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTime>
#include <cerrno>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
#include <ostream>
#include <system_error>
#include <thread>

#include "gui/core/safesave.h"
#include "gui/messenger.h"
#include "gui/qtext.h"
#include "profiles/profilesketch.h"
#include "report/core/pdffile.h"
#include "report/core/report.h"
#include "report/printersurface.h"

namespace zod {
namespace {

ReportStamp Now(const QString& copyright) {
  const QTime time = QTime::currentTime();
  return {fromQ(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)), time.hour(),
          time.minute(), fromQ(copyright)};
}

// The profile sketches are the dialogs' own drawings, stretched like the
// cylinder's.
void PaintPicture(const ReportArt& art, QPainter& p, const QRectF& r, const ReportPicture& picture) {
  if (picture.kind == ReportPicture::Kind::Cylinder) {
    if (art.cylinderSketch) art.cylinderSketch(p, r);
    return;
  }
  p.translate(r.topLeft());
  p.scale(r.width() / kSketchSize, r.height() / kSketchSize);
  p.setClipRect(QRectF(0, 0, kSketchSize, kSketchSize));
  DrawProfileSketch(p, picture.kind == ReportPicture::Kind::Stiffener ? Member::Stiffener : Member::RingFrame,
                    picture.code);
}

// What the printer wrote is whole: a PDF begins with its header and is whole
// as FinishPdf tells, which also mends its text layer so that the spaces
// copied from the page are spaces; of a printer's own format, where that is
// no PDF, only an empty document is known to be incomplete.
bool FinishOutput(std::string& document, bool pdf) {
  if (document.empty()) return false;
  if (!document.starts_with("%PDF-")) return !pdf;
  return FinishPdf(document);
}

// Prints the copies on the printer: each a job of its own, or each a page of
// one document. `file` is the name messages give the printer's output file.
void PrintCopiesOn(State& z, QPrinter& printer, int copies, const ReportArt& art, PrinterSurface::Copies how,
                   const std::string& file = {}) {
  PrinterSurface surface(
      printer,
      [&art](QPainter& p, const QRectF& r, const ReportPicture& picture) {
        PaintPicture(art, p, r, picture);
      },
      how);
  if (!file.empty()) surface.ReportFileAs(file);
  try {
    PrintCopies(z, surface, copies, [&art] { return Now(art.copyright); });
    surface.Finish();
  } catch (...) {
    surface.Abandon();
    throw;
  }
}

// The printer writes to a stand-in for the file the dialog named while this
// lives, and to that file again afterwards.
class OutputFileStandIn {
 public:
  OutputFileStandIn(QPrinter& printer, const QString& standIn)
      : m_printer(printer), m_named(printer.outputFileName()) {
    printer.setOutputFileName(standIn);
  }
  ~OutputFileStandIn() { m_printer.setOutputFileName(m_named); }
  OutputFileStandIn(const OutputFileStandIn&) = delete;
  OutputFileStandIn& operator=(const OutputFileStandIn&) = delete;

 private:
  QPrinter& m_printer;
  QString m_named;
};

// What the printer writes into its output file, caught in memory. The
// toolkit opens the file by name and passes over the errors of its writes: on
// a full disk it leaves a file cut short and no cause. So it writes into a
// pipe, named under /dev/fd, that a thread drains, and the program saves the
// document itself.
class CaughtOutput {
 public:
  CaughtOutput() {
    if (::pipe2(m_pipe, O_CLOEXEC) != 0)
      throw Error(std::string("no pipe for the printer: ") + std::strerror(errno));
    try {
      m_drain = std::thread([this] { Drain(); });
    } catch (const std::system_error& e) {
      ::close(m_pipe[0]);
      ::close(m_pipe[1]);
      throw Error(std::string("no thread for the printer: ") + e.what());
    }
  }
  ~CaughtOutput() {
    Close();
    ::close(m_pipe[0]);
  }
  CaughtOutput(const CaughtOutput&) = delete;
  CaughtOutput& operator=(const CaughtOutput&) = delete;

  QString Name() const { return QStringLiteral("/dev/fd/%1").arg(m_pipe[1]); }

  // Everything written, once the printer has closed its file; nothing when
  // the pipe failed.
  std::optional<std::string> Take() {
    Close();
    if (m_failed) return std::nullopt;
    return std::move(m_document);
  }

 private:
  // The pipe ends once the printer's file and this end are closed.
  void Close() {
    if (m_pipe[1] >= 0) ::close(m_pipe[1]);
    m_pipe[1] = -1;
    if (m_drain.joinable()) m_drain.join();
  }
  void Drain() noexcept {
    char buffer[1 << 16];
    for (;;) {
      const ssize_t n = ::read(m_pipe[0], buffer, sizeof buffer);
      if (n == 0) return;
      if (n < 0) {
        if (errno == EINTR) continue;
        m_failed = true;
        return;
      }
      // Without room for the document the rest is still read, so that the
      // printer never waits for a reader.
      if (m_failed) continue;
      try {
        m_document.append(buffer, static_cast<std::size_t>(n));
      } catch (const std::bad_alloc&) {
        m_failed = true;
        std::string().swap(m_document);
      }
    }
  }

  int m_pipe[2] = {-1, -1};
  std::string m_document;
  bool m_failed = false;
  std::thread m_drain;
};

// Into a file the copies are the pages of one document. It is caught in
// memory, checked whole, mended, and saved under the rules of every save: a
// failure names its cause and leaves the old file as it was.
std::string PrintToFile(State& z, QPrinter& printer, int copies, const ReportArt& art) {
  const std::string name = fromQ(printer.outputFileName());
  std::optional<std::string> document;
  {
    CaughtOutput output;
    {
      OutputFileStandIn standIn(printer, output.Name());
      PrintCopiesOn(z, printer, copies, art, PrinterSurface::Copies::Pages, name);
    }
    document = output.Take();
  }
  if (!document || !FinishOutput(*document, printer.outputFormat() == QPrinter::PdfFormat))
    throw Error("the file " + name + " could not be written whole");
  try {
    return SaveFileSafely(name, [&document](std::ostream& out) { out << *document; }).warning;
  } catch (const SaveError& e) {
    throw Error(e.reason());
  }
}

// The system's print dialog for the report: one page, printed into a file
// through the program's own save.
class ReportPrintDialog : public QPrintDialog {
 public:
  ReportPrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {
    setOption(PrintToFile, true);
    setOption(PrintSelection, false);
    setOption(PrintPageRange, false);
    setOption(PrintCurrentPage, false);
    // The toolkit tests the output file when the dialog is accepted: it opens
    // it, which waits for a reader on a named pipe, and it creates the missing
    // target of a link and then removes the link. Judging the file is the
    // save's work, which follows a link and refuses whatever is no regular
    // file before anything opens it; only an existing regular file is left to
    // the toolkit's test, for its question whether to overwrite it.
    if (auto* buttons = findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly)) {
      disconnect(buttons, &QDialogButtonBox::accepted, this, nullptr);
      connect(buttons, &QDialogButtonBox::accepted, this, &ReportPrintDialog::checkOutputFile);
    }
  }

  void setVisible(bool visible) override {
    QPrintDialog::setVisible(visible);
    // Shown, the dialog offers pages to choose even without the option, for
    // the print system to pick; the report has one page, each copy drawn
    // anew.
    if (auto* range = findChild<QAbstractButton*>(QStringLiteral("printRange")); range && visible)
      range->setEnabled(false);
  }

 private:
  void checkOutputFile() {
    // the name as the toolkit's test would open it
    const auto* file = findChild<QLineEdit*>(QStringLiteral("filename"));
    if (file && file->isEnabled() && !QFileInfo(file->text()).isFile()) {
      accept();
      return;
    }
    // the toolkit's test, which accepts the dialog when it passes; should the
    // toolkit have none under this name, the save judges alone
    if (!QMetaObject::invokeMethod(this, "_q_checkFields")) accept();
  }
};

}  // namespace

bool SystemPrintDialog::exec(QPrinter& printer, QWidget* parent) {
  ReportPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void PrintReportOn(State& z, QPrinter& printer, int copies, const ReportArt& art) {
  PrintCopiesOn(z, printer, copies, art, PrinterSurface::Copies::Jobs);
}

std::string PrintChosen(State& z, QPrinter& printer, const ReportArt& art) {
  // Each copy is drawn anew, so the printer must not repeat them.
  const int copies = printer.copyCount();
  printer.setCopyCount(1);
  if (!printer.outputFileName().isEmpty()) return PrintToFile(z, printer, copies, art);
  PrintReportOn(z, printer, copies, art);
  return {};
}

void PrintWithDialog(State& z, QWidget* owner, Messenger& messenger, PrintDialog& dialog,
                     const ReportArt& art) {
  try {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Zidavoru ZOD"));
    if (!dialog.exec(printer, owner)) return;
    const std::string warning = PrintChosen(z, printer, art);
    if (!warning.empty()) messenger.exclamation(toQ(warning));
  } catch (const std::exception& e) {
    messenger.exclamation(QStringLiteral("can't print - ") + toQ(e.what()));
  } catch (...) {
    messenger.exclamation(QStringLiteral("can't print - an unknown error"));
  }
}

}  // namespace zod
