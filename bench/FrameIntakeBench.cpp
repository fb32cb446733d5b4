// One 255-byte read through the intake, as the receive worker hands it over: the copy, the
// count and its label, the data exchange to every control, the rows, the sums and the
// invalidation of the plot.
#include <benchmark/benchmark.h>

#include "BenchFrames.h"
#include "DialogSession.h"

namespace {

void BM_FrameIntake(benchmark::State& state) {
  DialogSession session;
  session.Run([&](CMainDlg& dlg) {
    const auto frame = MakeFrame(1);
    for (auto _ : state) DeliverFrame(dlg, frame.data(), frame.size());
    state.SetItemsProcessed(state.iterations());
    if (dlg.m_nRxLength != frame.size()) state.SkipWithError("the intake did not take the frame");
  });
}

}  // namespace

BENCHMARK(BM_FrameIntake)->Unit(benchmark::kMicrosecond);
