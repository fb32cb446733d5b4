// timing-idle: what the program costs the processor while it waits with a port open and no
// request outstanding, and after the device side of that port has gone.
//
// Each run starts two programs as an operator would (velnor --headless, a script that only
// waits 12 s), each on a simulated device that runs inside this tool. Once the program has
// the port open, one device stays and the other is pulled (its pseudo-terminal closed, as
// when the simulator is killed or an adapter pulled). From 1 s to 11 s after the start, the
// programs' processor time is read from /proc: utime + stime, as the task asks, and the
// schedstat run time of their threads, which counts nanoseconds rather than 10 ms ticks.
#include <unistd.h>

#include <iostream>
#include <memory>
#include <thread>

#include "ChildProcess.h"
#include "Figures.h"
#include "Options.h"
#include "Monotonic.h"
#include "ProcessCpu.h"
#include "WorkDir.h"
#include "sim/SimDevice.h"

namespace {

struct Case {
  std::string name;
  bool pull = false;
  std::unique_ptr<WorkDir> dir;
  std::unique_ptr<SimDevice> device;
  std::unique_ptr<ChildProcess> velnor;
  CpuSample before, after;
};

void SleepUntil(double atMs) {
  const double left = atMs - MonotonicMs();
  if (left > 0) std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long long>(left * 1000)));
}

}  // namespace

int main(int argc, char** argv) {
  const Options options(argc, argv, {"--runs", "--seconds"});
  const int runs = static_cast<int>(options.Number("--runs", 3));
  const double seconds = options.Number("--seconds", 10);
  const double ticksPerSecond = static_cast<double>(::sysconf(_SC_CLK_TCK));

  std::cout << "idle: processor use of velnor --headless waiting with COM1 open and no request, over " << seconds
            << " s from 1 s after the start; " << runs << " runs" << std::endl;
  std::vector<double> openStat, openRun, pulledStat, pulledRun;
  for (int run = 1; run <= runs; ++run) {
    Case cases[2];
    cases[0].name = "port open";
    cases[1].name = "device gone";
    cases[1].pull = true;
    const double start = MonotonicMs();
    const std::string script = "wait " + std::to_string(static_cast<int>(seconds * 1000 + 2000)) + "\n";
    bool ok = true;
    for (Case& c : cases) {
      c.dir = std::make_unique<WorkDir>();
      c.dir->Write("config.ini", "1;115200;0;250;");
      const auto scriptPath = c.dir->Write("idle.script", script);
      std::string error;
      c.device = SimDevice::Start(SimOptions{}, &error);
      if (!c.device) {
        std::cerr << "simulator: " << error << std::endl;
        return 1;
      }
      c.velnor = std::make_unique<ChildProcess>(
          VELNOR_BINARY,
          std::vector<std::string>{"--headless", "--script", scriptPath.string(), "--port", "COM1=" + c.device->DevicePath()},
          c.dir->Path());
    }
    for (Case& c : cases) {
      while (!HasOpen(c.velnor->Pid(), c.device->DevicePath()) && MonotonicMs() - start < 5000)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      if (!HasOpen(c.velnor->Pid(), c.device->DevicePath())) {
        std::cout << "  run " << run << ": " << c.name << ": the program did not open the port" << std::endl;
        ok = false;
      }
      if (c.pull) c.device->Unplug();
    }
    if (!ok) continue;
    SleepUntil(start + 1000);
    for (Case& c : cases) c.before = SampleCpu(c.velnor->Pid());
    SleepUntil(start + 1000 + seconds * 1000);
    for (Case& c : cases) c.after = SampleCpu(c.velnor->Pid());

    std::cout << "  run " << run << ":";
    for (Case& c : cases) {
      const int status = c.velnor->Wait(10'000);
      while (const auto line = c.velnor->ReadLine(0)) std::cout << " [" << c.name << " printed: " << line->text << "]";
      if (!c.before.ok || !c.after.ok || status != 0) {
        std::cout << " " << c.name << ": measurement failed (exit status " << status << ")";
        continue;
      }
      const double wall = (c.after.wallMs - c.before.wallMs) / 1000;
      const double byStat = 100.0 * static_cast<double>(c.after.ticks - c.before.ticks) / ticksPerSecond / wall;
      const double byRun = 100.0 * static_cast<double>(c.after.runNs - c.before.runNs) / 1e9 / wall;
      const double wakeups = static_cast<double>(c.after.switches - c.before.switches) / wall;
      (c.pull ? pulledStat : openStat).push_back(byStat);
      (c.pull ? pulledRun : openRun).push_back(byRun);
      std::cout << " " << c.name << " " << Fixed(byStat, 2) << " % (utime+stime), " << Fixed(byRun, 4)
                << " % (schedstat), " << Fixed(wakeups, 1) << " switches/s, " << c.after.threads << " threads;";
    }
    std::cout << std::endl;
  }
  if (openStat.empty() && pulledStat.empty()) return 1;
  std::cout << "  port open, utime+stime: " << Describe(Summarize(openStat), 2, " %")
            << "\n  port open, schedstat: " << Describe(Summarize(openRun), 4, " %")
            << "\n  device gone, utime+stime: " << Describe(Summarize(pulledStat), 2, " %")
            << "\n  device gone, schedstat: " << Describe(Summarize(pulledRun), 4, " %") << std::endl;
  return 0;
}
