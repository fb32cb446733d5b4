// Painting the plot: the whole client area with the grid and each view, and the grid alone.
// Each view's paint is measured beside a plain fill of the plot rectangle on the same surface,
// the cheapest thing a paint of the plot could do; the ratio of the two is a counter.
#include <algorithm>
#include <chrono>
#include <functional>

#include <benchmark/benchmark.h>

#include "BenchFrames.h"
#include "DialogSession.h"

namespace {

using Seconds = std::chrono::duration<double>;
using SteadyClock = std::chrono::steady_clock;

// Times a paint (`area` invalidated with erase, the whole client area when null, then the
// window thread paints) against Surface::Fill of the plot rectangle, in the same loop.
void PaintAgainstFill(benchmark::State& state, DialogSession& session, CMainDlg& dlg,
                      const std::function<void()>& beforePaint, const RECT* area = nullptr) {
  Surface& surface = *dlg.GetSurface();
  const std::size_t boxesBefore = session.Host().boxes.size();
  double paintSeconds = 0, fillSeconds = 0;
  // The fastest of each as well: on a busy machine the means carry the other processes' share.
  double paintMin = 1e9, fillMin = 1e9;
  for (auto _ : state) {
    beforePaint();
    dlg.InvalidateRect(area, TRUE);
    const auto start = SteadyClock::now();
    session.Settle();
    const auto painted = SteadyClock::now();
    surface.Fill(dlg.m_rcPlot, RGB(0, 0, 0));
    benchmark::ClobberMemory();
    const auto filled = SteadyClock::now();
    const double paint = Seconds(painted - start).count();
    const double fill = Seconds(filled - painted).count();
    paintSeconds += paint;
    fillSeconds += fill;
    paintMin = std::min(paintMin, paint);
    fillMin = std::min(fillMin, fill);
    state.SetIterationTime(paint);
  }
  if (session.Host().boxes.size() != boxesBefore) state.SkipWithError("the view showed a message box");
  const double n = static_cast<double>(state.iterations());
  state.counters["fill_us"] = fillSeconds / n * 1e6;
  state.counters["paint/fill"] = fillSeconds > 0 ? paintSeconds / fillSeconds : 0;
  state.counters["paint_min_us"] = paintMin * 1e6;
  state.counters["fill_min_us"] = fillMin * 1e6;
  state.counters["paint/fill_min"] = fillMin > 0 ? paintMin / fillMin : 0;
}

void DeliverFrames(CMainDlg& dlg, int count) {
  for (int i = 0; i < count; ++i) {
    const auto frame = MakeFrame(static_cast<unsigned>(i + 1));
    DeliverFrame(dlg, frame.data(), frame.size());
  }
}

// A session holding `frames` frames of sensor 0, painted in `displayMode` and `paintMode`;
// the whole client area is invalidated, or only the plot rectangle when `plotOnly`.
void PaintView(benchmark::State& state, int frames, int displayMode, int paintMode = 0, bool plotOnly = false) {
  DialogSession session;
  session.Run([&](CMainDlg& dlg) {
    DeliverFrames(dlg, frames);
    dlg.m_nPaintMode = paintMode;
    dlg.UpdateData(FALSE);
    session.Settle();
    PaintAgainstFill(state, session, dlg, [&] { dlg.m_nDisplayMode = displayMode; },
                     plotOnly ? &dlg.m_rcPlot : nullptr);
  });
}

void BM_PaintNormalView(benchmark::State& state) { PaintView(state, 1, 0); }
// What follows each frame: the intake invalidates only the plot rectangle.
void BM_PaintNormalViewPlotRect(benchmark::State& state) { PaintView(state, 1, 0, 0, true); }
void BM_PaintNormalViewDots(benchmark::State& state) { PaintView(state, 1, 0, 1); }
void BM_PaintCompareView(benchmark::State& state) { PaintView(state, 2, 1); }
// The frames are waves around level 128; the average of signed samples lands near 0, so its
// trace jumps between the bottom and the top of the plot wherever it crosses 0: long, costly
// segments, as a bench with such a device would see.
void BM_PaintAverageView(benchmark::State& state) { PaintView(state, 8, 2); }

void BM_DrawGrid(benchmark::State& state) {
  DialogSession session;
  session.Run([&](CMainDlg& dlg) {
    RECT client;
    dlg.GetClientRect(&client);
    CDC dc(*dlg.GetSurface(), client);
    for (auto _ : state) {
      dlg.DrawGrid(&dc, 20);
      benchmark::ClobberMemory();
    }
  });
}

}  // namespace

BENCHMARK(BM_PaintNormalView)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintNormalViewPlotRect)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintNormalViewDots)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintCompareView)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintAverageView)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawGrid)->Unit(benchmark::kMicrosecond);
