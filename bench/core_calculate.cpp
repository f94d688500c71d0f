// Speed of one recalculation, which runs after every keystroke that leaves an
// input box and once per row of a case database. Calculation and drawing are
// measured apart: without a window Calculate draws nothing.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "bench/varied_cases.h"
#include "engine/calc.h"
#include "engine/recording.h"
#include "engine/state.h"
#include "engine/tables.h"

namespace zod {
namespace {

void LoadTables(State& z) {
  z.apppath = ZOD_DATA_DIR;
  ReadTables(z);
}

// The default case of one cylinder type, no window.
void BM_Calculate(benchmark::State& st) {
  State z;
  LoadTables(z);
  z.cylinder = static_cast<int16>(st.range(0));
  Calculate(z);  // the column case rewrites its stresses on the first run only
  for (auto _ : st) {
    Calculate(z);
    benchmark::DoNotOptimize(z.ufshell);
  }
}
BENCHMARK(BM_Calculate)->DenseRange(0, 3)->ArgName("cylinder");

void BM_Calculate1000Varied(benchmark::State& st) {
  const std::vector<VariedCase> cases = VariedCases();
  State z;
  LoadTables(z);
  for (auto _ : st) {
    for (const VariedCase& c : cases) {
      ApplyVaried(z, c);
      Calculate(z);
      benchmark::DoNotOptimize(z.ufshell);
    }
  }
  st.SetItemsProcessed(st.iterations() * static_cast<std::int64_t>(cases.size()));
}
BENCHMARK(BM_Calculate1000Varied)->Unit(benchmark::kMicrosecond);

// A window whose pictures keep what is drawn and whose boxes discard their text.
class DrawingView : public NullView {
 public:
  PanelSurface* Surface(std::string_view control) override {
    if (control == "pic30") return &m_pics[0];
    if (control == "pic31") return &m_pics[1];
    if (control == "pic32") return &m_pics[2];
    return nullptr;
  }

 private:
  RecordingSurface m_pics[3];
};

// Calculate with the three result pictures drawn.
void BM_CalculateAndDraw(benchmark::State& st) {
  State z;
  DrawingView v;
  z.setView(&v);
  LoadTables(z);
  z.cylinder = static_cast<int16>(st.range(0));
  Calculate(z);
  for (auto _ : st) {
    Calculate(z);
    benchmark::DoNotOptimize(z.ufshell);
  }
}
BENCHMARK(BM_CalculateAndDraw)->DenseRange(0, 3)->ArgName("cylinder");

// The drawers alone, on the panels of the default case.
void BM_DrawPanels(benchmark::State& st) {
  State z;
  LoadTables(z);
  Calculate(z);
  RecordingSurface pic30, pic31, pic32;
  for (auto _ : st) {
    double y = 0.3;
    DrawShellPanel(z, pic30, y, 1, 0);
    y = 0.3;
    DrawStiffPanel(z, pic31, y, 1, 0);
    y = 0.3;
    DrawRingPanel(z, pic32, y, 1, 0);
    benchmark::DoNotOptimize(pic32.items.data());
  }
}
BENCHMARK(BM_DrawPanels);

}  // namespace
}  // namespace zod
