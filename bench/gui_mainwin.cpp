// The main window's two costs a user feels: start-up until the first results
// are on screen, and one committed input box (read, store, calculate, draw the
// three result pictures again).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <memory>

#include "engine/state.h"
#include "gui/messenger.h"
#include "mainwindow/resultpicture.h"
#include "mainwindow/veltrane.h"

namespace {

zod::Veltrane::Options FixedOptions() {
  zod::Veltrane::Options opt;
  opt.locale = QLocale::c();
  opt.dpi = 96;
  return opt;
}

void BM_StartUpToFirstResults(benchmark::State& state) {
  for (auto _ : state) {
    zod::State z;
    zod::RecordingMessenger msg;
    auto w = std::make_unique<zod::Veltrane>(z, msg, FixedOptions());
    if (!w->FormLoad(ZOD_DATA_DIR)) {
      state.SkipWithError("data tables missing");
      break;
    }
    w->show();
    auto* pic = w->findChild<zod::ResultPicture*>("pic30");
    while (pic->paintCount() == 0) QApplication::processEvents();
    state.PauseTiming();
    w.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstResults)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(9);

void BM_CommitOneBox(benchmark::State& state) {
  zod::State z;
  zod::RecordingMessenger msg;
  zod::Veltrane w(z, msg, FixedOptions());
  if (!w.FormLoad(ZOD_DATA_DIR)) {
    state.SkipWithError("data tables missing");
    return;
  }
  w.show();
  w.activateWindow();
  for (int k = 0; k < 1000 && !w.isActiveWindow(); ++k) QApplication::processEvents();
  auto* box = w.findChild<QLineEdit*>("isigx");
  auto* away = w.findChild<QComboBox*>("cbofyp");
  zod::ResultPicture* pics[] = {w.findChild<zod::ResultPicture*>("pic30"),
                                w.findChild<zod::ResultPicture*>("pic31"),
                                w.findChild<zod::ResultPicture*>("pic32")};
  int i = 0;
  for (auto _ : state) {
    box->setFocus();
    box->setText(++i % 2 ? "-120.5" : "-100");
    away->setFocus();  // the commit: read, store, write back, Calculate
    for (auto* p : pics) p->repaint();
  }
  if (msg.texts.size()) state.SkipWithError("unexpected message");
}
BENCHMARK(BM_CommitOneBox)->Unit(benchmark::kMicrosecond)->Repetitions(9);

}  // namespace
