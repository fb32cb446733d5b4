// timing-sweep: how long a full sweep of the 30 sensors takes, against the lower bound that
// the device's protocol and the program's timers allow.
//
// The program runs as an operator would run it (velnor --headless, a script that clicks "All
// sensor" and waits for its box), on the simulated device, which runs inside this tool so
// that the tool sees each request the moment the device takes it. The sweep's wall time runs
// from the first request byte to the line "box: Receive data complete!" on the program's
// standard output.
//
// The lower bound: timer 2 waits 30 ms before the first request; then, per sensor, the frame
// takes its wire time at the baud rate (N + 1 bytes of 10 bits) plus the 50 ms gap that ends
// a read, and the first tick of timer 1 (every 30 ms from the request) at or after that
// moment notices the answer; timer 2 then waits 10 ms before the next step.
//
// A pseudo-terminal has no baud rate: the frame is there the moment the device writes it. So
// against the device as it is (--delay 0) the sweep can beat the bound; --delay 18 makes the
// device wait out the frame's wire time at 115200 baud before it writes, which is what the
// bound assumes.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <iostream>
#include <thread>

#include "ChildProcess.h"
#include "Figures.h"
#include "Options.h"
#include "Monotonic.h"
#include "WorkDir.h"
#include "sim/SimDevice.h"

namespace {

constexpr int kSensors = 30;
constexpr double kTimer1Tick = 30;
constexpr double kFirstStep = 30;
constexpr double kNextStep = 10;
constexpr double kReadGap = 50;

struct Bound {
  double wire;      // one frame's wire time
  double noticed;   // from a request to the tick that notices its answer
  double total;     // the whole sweep, the 30 ms before the first request included
};

Bound LowerBound(int frameLength, double baud) {
  Bound bound{};
  bound.wire = (frameLength + 1) * 10 * 1000.0 / baud;
  bound.noticed = std::ceil((bound.wire + kReadGap) / kTimer1Tick) * kTimer1Tick;
  bound.total = kFirstStep + kSensors * (bound.noticed + kNextStep);
  return bound;
}

struct RunResult {
  bool ok = false;
  double wall = 0;                 // first request to the box line
  std::vector<double> requests;    // when the device took each request
  std::vector<double> answers;     // when it had written each reply
  double boxLine = 0;
};

// Watches the device's log and notes when each request shows up in it, and when the device
// has written the whole reply to it.
class RequestWatch {
 public:
  RequestWatch(const SimDevice& device, std::size_t replyBytes)
      : device_(device), replyBytes_(replyBytes), thread_([this] { Watch(); }) {}
  ~RequestWatch() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  const std::vector<double>& Taken() const { return taken_; }
  const std::vector<double>& Answered() const { return answered_; }

 private:
  void Watch() {
    while (!stop_) {
      const std::vector<SentFrame> sent = device_.Sent();
      const double now = MonotonicMs();
      while (taken_.size() < sent.size()) taken_.push_back(now);
      while (answered_.size() < sent.size() && sent[answered_.size()].bytes.size() >= replyBytes_)
        answered_.push_back(now);
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  }
  const SimDevice& device_;
  const std::size_t replyBytes_;
  std::atomic<bool> stop_{false};
  std::vector<double> taken_;
  std::vector<double> answered_;
  std::thread thread_;
};

RunResult RunOnce(int frameLength, int delayMs, int baud) {
  RunResult result;
  WorkDir dir;
  dir.Write("config.ini", "1;" + std::to_string(baud) + ";0;250;");
  const auto script = dir.Write("sweep.script", "click 1006\nawait-box 30000\nclose\n");

  SimOptions options;
  options.frameLength = frameLength;
  options.replyDelay = std::chrono::milliseconds(delayMs);
  std::string error;
  const std::unique_ptr<SimDevice> device = SimDevice::Start(options, &error);
  if (!device) {
    std::cerr << "simulator: " << error << std::endl;
    return result;
  }
  RequestWatch watch(*device, static_cast<std::size_t>(frameLength) + 1);
  ChildProcess velnor(VELNOR_BINARY,
                      {"--headless", "--script", script.string(), "--port", "COM1=" + device->DevicePath()},
                      dir.Path());
  while (const auto line = velnor.ReadLine(40'000)) {
    if (line->text == "box: Receive data complete!") {
      result.boxLine = line->readMs;
      break;
    }
    std::cerr << "  unexpected output: " << line->text << std::endl;
    break;
  }
  const int status = velnor.Wait(10'000);
  watch.Stop();
  result.requests = watch.Taken();
  result.answers = watch.Answered();

  const std::vector<SentFrame> sent = device->Sent();
  const bool allAnswered = sent.size() == kSensors && std::all_of(sent.begin(), sent.end(), [&](const SentFrame& f) {
                             return f.bytes.size() == static_cast<std::size_t>(frameLength) + 1;
                           });
  if (result.boxLine == 0 || status != 0 || !allAnswered || result.answers.size() != sent.size()) {
    std::cerr << "  run failed: exit status " << status << ", " << sent.size() << " requests answered" << std::endl;
    return result;
  }
  result.wall = result.boxLine - result.requests.front();
  result.ok = true;
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options(argc, argv, {"--runs", "--length", "--delay", "--baud"});
  const int runs = static_cast<int>(options.Number("--runs", 5));
  const int length = static_cast<int>(options.Number("--length", 200));
  const int delay = static_cast<int>(options.Number("--delay", 0));
  const int baud = static_cast<int>(options.Number("--baud", 115200));
  const Bound bound = LowerBound(length, baud);
  // Measured from the first request, the sweep cannot be shorter than the bound less the
  // 30 ms before that request.
  const double fromFirstRequest = bound.total - kFirstStep;

  std::cout << "sweep: 30 sensors, " << length << "-sample frames, " << baud << " baud, device delay " << delay
            << " ms, " << runs << " runs\n"
            << "  lower bound " << Fixed(bound.total, 1) << " ms = " << kFirstStep << " ms + 30 x (tick at or after "
            << Fixed(bound.wire, 2) << " ms wire + " << kReadGap << " ms gap = " << bound.noticed << " ms, + "
            << kNextStep << " ms step); " << Fixed(fromFirstRequest, 1) << " ms from the first request" << std::endl;

  std::vector<double> walls, ratios, ratiosFromFirst, steps;
  for (int run = 1; run <= runs; ++run) {
    const RunResult result = RunOnce(length, delay, baud);
    if (!result.ok) continue;
    std::vector<double> gaps;
    for (std::size_t i = 1; i < result.requests.size(); ++i) gaps.push_back(result.requests[i] - result.requests[i - 1]);
    const Summary step = Summarize(gaps);
    steps.push_back(step.median);
    walls.push_back(result.wall);
    ratios.push_back(result.wall / bound.total);
    ratiosFromFirst.push_back(result.wall / fromFirstRequest);
    // The slowest step, split into the device's part (request to reply written) and the
    // program's (reply written to the next request: the read's gap, the tick, the step).
    std::size_t slowest = 0;
    for (std::size_t i = 1; i < gaps.size(); ++i)
      if (gaps[i] > gaps[slowest]) slowest = i;
    std::cout << "  run " << run << ": " << Fixed(result.wall, 1) << " ms, ratio " << Fixed(result.wall / bound.total, 3)
              << "; request to request " << Describe(step, 1, " ms") << "; slowest after sensor " << slowest
              << ": device " << Fixed(result.answers[slowest] - result.requests[slowest], 1) << " ms + program "
              << Fixed(result.requests[slowest + 1] - result.answers[slowest], 1) << " ms; last request to box "
              << Fixed(result.boxLine - result.requests.back(), 1) << " ms" << std::endl;
  }
  if (walls.empty()) {
    std::cout << "  no run completed" << std::endl;
    return 1;
  }
  std::cout << "  wall time, first request to \"Receive data complete!\": " << Describe(Summarize(walls), 1, " ms")
            << "\n  ratio to the lower bound (" << Fixed(bound.total, 0) << " ms): " << Describe(Summarize(ratios), 3, "")
            << "\n  ratio to the bound from the first request (" << Fixed(fromFirstRequest, 0)
            << " ms): " << Describe(Summarize(ratiosFromFirst), 3, "")
            << "\n  median request-to-request interval per run: " << Describe(Summarize(steps), 1, " ms") << std::endl;
  return 0;
}
