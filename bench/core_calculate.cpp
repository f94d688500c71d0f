// Speed of one recalculation, which runs after every keystroke that leaves an
// input box and once per row of a case database. Calculation and drawing are
// measured apart: without a window Calculate draws nothing.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "bench/varied_cases.h"
#include "engine/calc.h"
#include "engine/format.h"
#include "engine/recording.h"
#include "engine/state.h"
#include "engine/tables.h"

// Heap allocations, counted for the "allocs" figure: a run that finishes
// should need none once the panels hold their texts.
namespace {
std::atomic<std::int64_t> g_allocs{0};
}  // namespace

// The replaced pair below is malloc and free underneath; GCC cannot see that
// every delete meets a pointer from this new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n) {
  g_allocs.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace zod {
namespace {

// Allocations per Calculate over the timed loop.
void CountAllocs(benchmark::State& st, std::int64_t before, std::int64_t runs) {
  st.counters["allocs"] =
      static_cast<double>(g_allocs.load(std::memory_order_relaxed) - before) / static_cast<double>(runs);
}

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
  const std::int64_t allocs = g_allocs.load();
  for (auto _ : st) {
    Calculate(z);
    benchmark::DoNotOptimize(z.ufshell);
  }
  CountAllocs(st, allocs, st.iterations());
}
BENCHMARK(BM_Calculate)->DenseRange(0, 3)->ArgName("cylinder");

void BM_Calculate1000Varied(benchmark::State& st) {
  const std::vector<VariedCase> cases = VariedCases();
  State z;
  LoadTables(z);
  for (const VariedCase& c : cases) {  // the panels take their storage
    ApplyVaried(z, c);
    Calculate(z);
  }
  const std::int64_t allocs = g_allocs.load();
  for (auto _ : st) {
    for (const VariedCase& c : cases) {
      ApplyVaried(z, c);
      Calculate(z);
      benchmark::DoNotOptimize(z.ufshell);
    }
  }
  st.SetItemsProcessed(st.iterations() * static_cast<std::int64_t>(cases.size()));
  CountAllocs(st, allocs, st.iterations() * static_cast<std::int64_t>(cases.size()));
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

// Format alone, by the patterns nearly every call uses, on values spread
// over the magnitudes a result panel shows.
void BM_Format(benchmark::State& st) {
  const NumberPattern patterns[] = {"0.0"_pat, "0.00"_pat, "0.000E+0"_pat, "0"_pat,
                                    "00"_pat,  "#000"_pat, "#0.0"_pat};
  std::vector<double> values;
  std::uint32_t x = 777;
  for (int i = 0; i < 1024; ++i) {
    x = x * 1664525u + 1013904223u;
    values.push_back(std::ldexp(1 + (x >> 8) / 16777216.0, static_cast<int>(x % 40) - 10) * (x & 1 ? -1 : 1));
  }
  std::string out;
  std::size_t i = 0;
  for (auto _ : st) {
    FormatInto(out, values[i % values.size()], patterns[i % 7]);
    benchmark::DoNotOptimize(out.data());
    ++i;
  }
}
BENCHMARK(BM_Format);

}  // namespace
}  // namespace zod
