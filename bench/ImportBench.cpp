// Reading a large sweep file back: the block scanner over ~30 MB of upper-case sweep blocks,
// measured beside a plain memchr for ']' over the same text (the least any scan must do to
// find the blocks) and a memchr that stops at every ',' (the stops the scanner's method
// makes), and the whole "Import file" command: file dialog, read, scan, counts and labels.
#include <chrono>
#include <cstring>
#include <fstream>

#include <benchmark/benchmark.h>

#include "BenchFrames.h"
#include "DialogSession.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "reports/BlockScanner.h"
#include "reports/SensorBlock.h"

namespace {

constexpr std::size_t kSweepTextBytes = 30'000'000;

struct SweepText {
  std::string text;
  std::size_t blocks = 0;
};

// Sweep blocks of 254-sample frames, sensors 0..T in turn, upper-cased as the sweep writes them.
const SweepText& LargeSweepText() {
  static const SweepText sweep = [] {
    SweepText made;
    made.text.reserve(kSweepTextBytes + 4096);
    while (made.text.size() < kSweepTextBytes) {
      const auto frame = MakeFrame(static_cast<unsigned>(made.blocks));
      AppendSweepBlock(made.text, SensorChar(static_cast<int>(made.blocks % kSensorCount)), frame.data());
      ++made.blocks;
    }
    MakeUpper(made.text);
    return made;
  }();
  return sweep;
}

using Seconds = std::chrono::duration<double>;
using SteadyClock = std::chrono::steady_clock;

std::size_t CountByMemchr(const std::string& text, char c) {
  std::size_t found = 0;
  const char* p = text.data();
  const char* end = p + text.size();
  while (const void* at = std::memchr(p, c, static_cast<std::size_t>(end - p))) {
    ++found;
    p = static_cast<const char*>(at) + 1;
  }
  return found;
}

void BM_ScanSensorBlocks(benchmark::State& state) {
  const SweepText& sweep = LargeSweepText();
  std::array<std::array<BYTE, 255>, kSensorCount> rows{};
  double scanSeconds = 0, memchrSeconds = 0, commaSeconds = 0;
  std::size_t scanned = 0, closes = 0, commas = 0;
  for (auto _ : state) {
    scanned = 0;
    const auto start = SteadyClock::now();
    ScanSensorBlocks(sweep.text, [&](int s) -> std::array<BYTE, 255>& {
      ++scanned;
      return rows[static_cast<std::size_t>(s)];
    });
    benchmark::ClobberMemory();
    const auto scanEnd = SteadyClock::now();
    closes = CountByMemchr(sweep.text, ']');
    benchmark::DoNotOptimize(closes);
    const auto memchrEnd = SteadyClock::now();
    commas = CountByMemchr(sweep.text, ',');
    benchmark::DoNotOptimize(commas);
    const auto commaEnd = SteadyClock::now();
    const double scan = Seconds(scanEnd - start).count();
    scanSeconds += scan;
    memchrSeconds += Seconds(memchrEnd - scanEnd).count();
    commaSeconds += Seconds(commaEnd - memchrEnd).count();
    state.SetIterationTime(scan);
  }
  if (scanned != sweep.blocks || closes != sweep.blocks) state.SkipWithError("the scan did not find every block");
  const double megabytes = static_cast<double>(sweep.text.size()) * static_cast<double>(state.iterations()) / 1e6;
  state.SetBytesProcessed(static_cast<std::int64_t>(sweep.text.size()) * state.iterations());
  state.counters["MB"] = static_cast<double>(sweep.text.size()) / 1e6;
  state.counters["blocks"] = static_cast<double>(sweep.blocks);
  state.counters["scan_MB/s"] = megabytes / scanSeconds;
  state.counters["memchr_MB/s"] = megabytes / memchrSeconds;
  state.counters["scan/memchr"] = memchrSeconds / scanSeconds;
  state.counters["memchr_comma_MB/s"] = megabytes / commaSeconds;
}

void BM_ImportFile(benchmark::State& state) {
  const SweepText& sweep = LargeSweepText();
  DialogSession session;
  const std::string path = (session.Dir() / "SensorAllData.txt").string();
  std::ofstream(path, std::ios::binary) << sweep.text;
  session.Run([&](CMainDlg& dlg) {
    const std::size_t boxesBefore = session.Host().boxes.size();
    for (auto _ : state) {
      session.Host().fileAnswers.push_back(path);  // the file dialog's answer, taken by the import
      dlg.OnImportFile();
    }
    if (session.Host().boxes.size() != boxesBefore) state.SkipWithError("the file could not be read");
    if (dlg.m_curFrames[0][0] != kRowLength - 1) state.SkipWithError("the import did not store the frames");
  });
  state.SetBytesProcessed(static_cast<std::int64_t>(sweep.text.size()) * state.iterations());
  state.counters["blocks"] = static_cast<double>(sweep.blocks);

  // Where the command's time goes: the file read and the bare scan, each once, beside it (the
  // rest is the per-block count, label and data exchange).
  const auto start = SteadyClock::now();
  const auto content = ReadWholeFile(path);
  const auto read = SteadyClock::now();
  std::array<BYTE, 255> row{};
  ScanSensorBlocks(*content, [&](int) -> std::array<BYTE, 255>& { return row; });
  benchmark::ClobberMemory();
  const auto scanned = SteadyClock::now();
  state.counters["read_ms"] = Seconds(read - start).count() * 1e3;
  state.counters["scan_ms"] = Seconds(scanned - read).count() * 1e3;
}

}  // namespace

BENCHMARK(BM_ScanSensorBlocks)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportFile)->Iterations(3)->Unit(benchmark::kMillisecond);
