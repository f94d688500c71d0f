// What the readers' bounds cost and save: a hostile 100 MB database input
// file of ";" (and a project file of 100 MB) must be refused at once, from a
// file or from a stream that offers all of it; the largest legal file, of
// long comment lines, must still read fast (a table of 1001 lines:
// BM_ReadDbFile).
// "peak_MB" is the process's peak memory after the run: run one benchmark
// at a time (--benchmark_filter) to see what that one needed.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "database/core/database.h"
#include "engine/state.h"
#include "mainwindow/core/projectfile.h"

namespace zod {
namespace {

constexpr std::size_t kHostile = 100'000'000;

// A file in the temporary folder, written once per benchmark and removed.
struct BenchFile {
  std::string path;
  explicit BenchFile(const std::string& name)
      : path((std::filesystem::temp_directory_path() / ("zod_bench_" + std::to_string(::getpid()) + name))
                 .string()) {}
  BenchFile(const std::string& name, const std::string& text) : BenchFile(name) {
    std::ofstream(path, std::ios::binary) << text;
  }
  // `size` bytes of `fill`, written a megabyte at a time, so that the peak
  // memory is the reader's.
  BenchFile(const std::string& name, char fill, std::size_t size) : BenchFile(name) {
    std::ofstream out(path, std::ios::binary);
    const std::string chunk(1 << 20, fill);
    for (std::size_t left = size; left > 0; left -= std::min(left, chunk.size()))
      out.write(chunk.data(), static_cast<std::streamsize>(std::min(left, chunk.size())));
  }
  ~BenchFile() { std::filesystem::remove(path); }
};

void PeakMemory(benchmark::State& st) {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  st.counters["peak_MB"] = static_cast<double>(u.ru_maxrss) / 1024.0;
}

// Reads `read` once per iteration and counts a refusal as the expected end.
template <class Read>
void ExpectRefusals(benchmark::State& st, Read read) {
  int refused = 0;
  for (auto _ : st) {
    try {
      read();
    } catch (const Error&) {
      ++refused;
    }
  }
  if (refused != st.iterations()) st.SkipWithError("a hostile file was read");
  PeakMemory(st);
}

void BM_RefuseHostileDbFile(benchmark::State& st) {
  const BenchFile file("_in.csv", ';', kHostile);
  State z;
  ExpectRefusals(st, [&] { ReadDbFile(z, file.path); });
}
BENCHMARK(BM_RefuseHostileDbFile)->Unit(benchmark::kMillisecond);

// The stream holds all 100 MB; the reader may take no more than its limit.
void BM_RefuseHostileDbStream(benchmark::State& st) {
  std::istringstream in(std::string(kHostile, ';'));
  State z;
  ExpectRefusals(st, [&] {
    in.clear();
    in.seekg(0);
    ReadDbFile(z, in);
  });
}
BENCHMARK(BM_RefuseHostileDbStream)->Unit(benchmark::kMillisecond);

void BM_RefuseHostileProjectFile(benchmark::State& st) {
  const BenchFile file(".vtr", ';', kHostile);
  State z;
  ExpectRefusals(st, [&] { ReadProjectFile(z, file.path); });
}
BENCHMARK(BM_RefuseHostileProjectFile)->Unit(benchmark::kMillisecond);

// The most a legal file can make the reader do: just under the size limit,
// in comment lines just under the line bound.
void BM_ReadLargestLegalDbFile(benchmark::State& st) {
  std::string text;
  const std::string line = "%" + std::string(kDbLineLimit - 1, ';') + "\r\n";
  while (text.size() + line.size() + 6 <= kDbFileLimit) text += line;
  text += "End;\r\n";
  const BenchFile file("_in.csv", text);
  State z;
  for (auto _ : st) {
    ReadDbFile(z, file.path);
    benchmark::DoNotOptimize(z.dbrows);
  }
  st.counters["bytes"] = static_cast<double>(text.size());
  PeakMemory(st);
}
BENCHMARK(BM_ReadLargestLegalDbFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zod
