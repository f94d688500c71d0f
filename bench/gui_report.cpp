// The printed report of the default case, drawn into a PDF file: what the
// user waits for between the print dialog's OK and the job leaving.
#include <benchmark/benchmark.h>

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "engine/calc.h"
#include "engine/state.h"
#include "engine/tables.h"
#include "mainwindow/sketches.h"
#include "report/printcommand.h"

namespace {

void BM_DefaultReportToPdf(benchmark::State& state) {
  zod::State z;
  z.apppath = ZOD_DATA_DIR;
  zod::ReadTables(z);
  zod::Calculate(z);
  zod::ReportArt art;
  art.cylinderSketch = [](QPainter& p, const QRectF& r) {
    zod::DrawCylinderSketchStretched(p, r, zod::CylinderSketch::StringersInside);
  };
  art.copyright = QStringLiteral("\u00A9 2008-2026 Example Structural Software");
  QTemporaryDir dir;
  const QString file = dir.filePath("report.pdf");
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    zod::PrintReportOn(z, printer, 1, art);
  }
}
BENCHMARK(BM_DefaultReportToPdf)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
