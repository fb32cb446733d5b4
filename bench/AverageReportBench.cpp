// The average report with all 30 sensors holding frames: averaging, formatting 30 report
// blocks, upper-casing and writing "SensorAvg.txt" in the working directory.
#include <filesystem>

#include <benchmark/benchmark.h>

#include "BenchFrames.h"
#include "DialogSession.h"

namespace {

void BM_WriteAverageReport(benchmark::State& state) {
  DialogSession session;
  session.Run([&](CMainDlg& dlg) {
    for (int s = 0; s < kSensorCount; ++s) {
      dlg.m_nCurSensor = static_cast<std::uint8_t>(s);
      for (int i = 0; i < 3; ++i) {
        const auto frame = MakeFrame(static_cast<unsigned>(s * 3 + i));
        DeliverFrame(dlg, frame.data(), frame.size());
      }
    }
    session.Settle();
    const std::size_t boxesBefore = session.Host().boxes.size();
    for (auto _ : state) dlg.WriteAverageReport();
    if (session.Host().boxes.size() != boxesBefore) state.SkipWithError("the report could not be written");
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(session.Dir() / "SensorAvg.txt"));
  });
}

}  // namespace

BENCHMARK(BM_WriteAverageReport)->Unit(benchmark::kMicrosecond);
