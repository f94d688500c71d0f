// The case database's two waits a user feels with a full table: building the
// detailed result table of 1000 data rows (every row loaded, calculated and
// drawn on the main window's result pictures, then shown) and exporting it as
// a workbook.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>

#include "database/core/database.h"
#include "database/dbwindows.h"
#include "database/frmdatabasedetailed.h"
#include "database/xlsxexport.h"
#include "engine/state.h"
#include "gui/messenger.h"
#include "mainwindow/veltrane.h"

namespace {

struct FullTable {
  zod::State z;
  zod::RecordingMessenger msg;
  std::unique_ptr<zod::Veltrane> w;
  zod::DatabaseWindows* db = nullptr;

  bool load() {
    zod::Veltrane::Options opt;
    opt.locale = QLocale::c();
    opt.dpi = 96;
    w = std::make_unique<zod::Veltrane>(z, msg, opt);
    if (!w->FormLoad(ZOD_DATA_DIR)) return false;
    db = w->findChild<zod::DatabaseWindows*>();
    db->setMessenger(&msg);
    // 1000 data rows of every cylinder type, with and without ring frames:
    // the fullest table there is
    zod::NewDatabase(z, "bench");
    for (int i = 0; i < 1000; ++i) {
      z.ident = "Case " + std::to_string(i);
      z.cylinder = static_cast<zod::int16>(i % 4);
      z.ringch = static_cast<zod::int16>(i % 3 == 0 && z.cylinder != 0);
      z.sigx = -50 - i % 97;
      z.pd = -0.1f * static_cast<float>(i % 5);
      zod::StoreDbRow(z, static_cast<std::int16_t>(i));
    }
    return *z.dbrows == 1000;
  }
};

void BM_DetailedTable1000Rows(benchmark::State& state) {
  FullTable t;
  if (!t.load()) {
    state.SkipWithError("no table");
    return;
  }
  zod::FrmDatabaseDetailed window(*t.db, nullptr);
  for (auto _ : state) window.resultSummary(zod::FrmDatabaseDetailed::Tell::Changed);
  if (window.model().rowCount() != 1000 || !t.msg.texts.isEmpty()) state.SkipWithError("unexpected table");
}
BENCHMARK(BM_DetailedTable1000Rows)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(9);

void BM_ExportTable1000Rows(benchmark::State& state) {
  FullTable t;
  QTemporaryDir dir;
  if (!t.load() || !dir.isValid()) {
    state.SkipWithError("no table");
    return;
  }
  zod::FrmDatabaseDetailed window(*t.db, nullptr);
  const zod::SummaryTable& table = window.model().table();
  for (auto _ : state) {
    const QString path = zod::ExportWorkbook(table, dir.path(), "Bench").path;
    state.PauseTiming();
    QFile::remove(path);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ExportTable1000Rows)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(9);

}  // namespace
