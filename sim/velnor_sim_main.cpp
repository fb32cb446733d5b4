// velnor-sim: the simulated device as a program of its own. It prints the path of its
// pseudo-terminal and serves requests until standard input ends or SIGINT or SIGTERM comes.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <iostream>

#include "sim/SimCommandLine.h"
#include "sim/SimDevice.h"

namespace {

std::string ProgramName(const char* argv0) {
  std::string name = argv0 ? argv0 : "velnor-sim";
  if (const auto slash = name.find_last_of('/'); slash != std::string::npos) name.erase(0, slash + 1);
  return name.empty() ? "velnor-sim" : name;
}

// Blocks until standard input ends or one of the signals in `signals` arrives.
void WaitForEnd(int signals) {
  for (;;) {
    pollfd fds[] = {{STDIN_FILENO, POLLIN, 0}, {signals, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents != 0) return;
    if (fds[0].revents & POLLNVAL) return;  // no standard input at all
    if (fds[0].revents != 0) {
      std::array<char, 256> discard;
      const ssize_t count = ::read(STDIN_FILENO, discard.data(), discard.size());
      if (count == 0 || (count < 0 && errno != EINTR && errno != EAGAIN)) return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = ProgramName(argc > 0 ? argv[0] : nullptr);
  const ParsedSimCommandLine parsed = ParseSimCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << program << ": " << parsed.error << std::endl;
    return 2;
  }
  if (parsed.commandLine.help) {
    std::cout << SimUsageText(program);
    return 0;
  }

  // Blocked before the device's worker starts, so that it inherits the mask and the signals
  // reach only the signalfd.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  const int signals = ::pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr) == 0
                          ? ::signalfd(-1, &stopSignals, SFD_CLOEXEC)
                          : -1;
  if (signals < 0) {
    std::cerr << program << ": cannot watch for signals" << std::endl;
    return 1;
  }

  std::string error;
  const std::unique_ptr<SimDevice> device = SimDevice::Start(parsed.commandLine.options, &error);
  if (!device) {
    std::cerr << program << ": " << error << std::endl;
    return 1;
  }
  std::cout << device->DevicePath() << std::endl;
  WaitForEnd(signals);
  ::close(signals);
  return 0;
}
