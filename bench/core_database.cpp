// Speed of the case database's two bulk operations on the largest table:
// reading a 1000-row input file, and writing the result file, which loads and
// calculates every data row. Without a window nothing is drawn.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "database/core/database.h"
#include "engine/calc.h"
#include "engine/state.h"
#include "engine/tables.h"

namespace zod {
namespace {

// A table of 1000 data rows (rows 0..999, the closing row at 1000) spread
// over the four cylinder types and the profile kinds the file knows.
void FillTable(State& z) {
  z.apppath = ZOD_DATA_DIR;
  ReadTables(z);
  NewDatabase(z, "bench");
  const int16 kinds[] = {0, 2, 4, 6, 7, 8, 9};
  for (int16 i = 0; i < kDbLastRow; ++i) {
    z.cylinder = static_cast<int16>(i % 4);
    z.ringch = static_cast<int16>(i % 3 != 0);
    z.stifftype = kinds[i % 7];
    z.girdtype = kinds[(i / 7) % 7];
    z.istiffhp = z.igirdhp = static_cast<int16>(i % 20);
    z.t = 15 + i % 10;
    z.ident = "case " + std::to_string(i);
    Calculate(z);
    StoreDbRow(z, i);
  }
}

void BM_ReadDbFile(benchmark::State& st) {
  State z;
  FillTable(z);
  std::ostringstream out;
  WriteDbFile(z, out);
  const std::string file = out.str();
  try {
    std::istringstream in(file);
    ReadDbFile(z, in);
  } catch (const DbFileError& e) {
    st.SkipWithError(e.detail().c_str());
    return;
  }
  for (auto _ : st) {
    std::istringstream in(file);
    ReadDbFile(z, in);
    benchmark::DoNotOptimize(z.dbrows);
  }
  st.counters["bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_ReadDbFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WriteDbResult(benchmark::State& st) {
  State z;
  FillTable(z);
  std::size_t stopped = 0;
  for (auto _ : st) {
    std::ostringstream out;
    stopped = WriteDbResult(z, out).stopped.size();
    benchmark::DoNotOptimize(stopped);
  }
  st.counters["stopped"] = static_cast<double>(stopped);  // rows that did not calculate
}
BENCHMARK(BM_WriteDbResult)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace zod
