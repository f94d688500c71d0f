// The one-page report of the current design case: a header block, the design
// format and materials, geometry and loading beside the cylinder sketch, the
// stiffener and ring-frame profiles with their sketches and data, and the
// result panels drawn by the engine's panel drawers. It reads the case, the
// member sections and the panels as the last calculation left them, and
// changes nothing but the Ih check box's visibility (through the ring panel's
// drawer) and the page.
#pragma once

#include <functional>
#include <string>

#include "engine/state.h"
#include "report/core/printsurface.h"

namespace zod {

// What the header prints besides the case: the moment of printing and the
// copyright line.
struct ReportStamp {
  std::string date;  // the system's short date
  int hour = 0, minute = 0;
  std::string copyright;
};

// Draws the whole page; the caller ends the document. An arithmetic fault in
// the calibration or the layout throws zod::Error.
void PrintReport(State& z, PrintSurface& printer, const ReportStamp& stamp);

// Each copy is drawn anew and ended as a document of its own, so that it
// reaches the printer as one job; `stamp` is read once per copy.
void PrintCopies(State& z, PrintSurface& printer, int copies, const std::function<ReportStamp()>& stamp);

// What stands where the result panels would when the last calculation
// stopped: the panels then still hold results of other inputs.
std::string StoppedCalculationText();

}  // namespace zod
