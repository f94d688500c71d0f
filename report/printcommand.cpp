#include "report/printcommand.h"

#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTime>
#include <exception>

#include "gui/messenger.h"
#include "gui/qtext.h"
#include "profiles/profilesketch.h"
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

}  // namespace

bool SystemPrintDialog::exec(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  return dialog.exec() == QDialog::Accepted;
}

void PrintReportOn(State& z, QPrinter& printer, int copies, const ReportArt& art) {
  PrinterSurface surface(printer, [&art](QPainter& p, const QRectF& r, const ReportPicture& picture) {
    PaintPicture(art, p, r, picture);
  });
  try {
    PrintCopies(z, surface, copies, [&art] { return Now(art.copyright); });
  } catch (...) {
    surface.Abandon();
    throw;
  }
}

void PrintWithDialog(State& z, QWidget* owner, Messenger& messenger, PrintDialog& dialog,
                     const ReportArt& art) {
  try {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Zidavoru ZOD"));
    if (!dialog.exec(printer, owner)) return;
    // Each copy is a job of its own, so the printer must not repeat them.
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    PrintReportOn(z, printer, copies, art);
  } catch (const std::exception& e) {
    messenger.exclamation(QStringLiteral("can't print - ") + toQ(e.what()));
  } catch (...) {
    messenger.exclamation(QStringLiteral("can't print - an unknown error"));
  }
}

}  // namespace zod
