#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <stdexcept>
#include <thread>

#include "Monotonic.h"

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& workDir, bool stdinPipe) {
  int out[2];
  int in[2] = {-1, -1};
  if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  if (stdinPipe && ::pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  // Everything the child needs is made before fork: the tool has threads, so the child may
  // only make async-signal-safe calls until it runs the program.
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const std::string dir = workDir.string();
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    const int input = stdinPipe ? in[0] : ::open("/dev/null", O_RDONLY);
    if (input < 0 || ::chdir(dir.c_str()) != 0 || ::dup2(input, 0) < 0 || ::dup2(out[1], 1) < 0) ::_exit(127);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  out_ = out[0];
  if (stdinPipe) {
    ::close(in[0]);
    in_ = in[1];
  }
}

ChildProcess::~ChildProcess() {
  CloseInput();
  if (!ended_) {
    ::kill(pid_, SIGKILL);
    Wait(5000);
  }
  ::close(out_);
}

void ChildProcess::CloseInput() {
  if (in_ >= 0) ::close(in_);
  in_ = -1;
}

std::optional<ChildProcess::Line> ChildProcess::ReadLine(double limitMs) {
  const double deadline = MonotonicMs() + limitMs;
  for (;;) {
    if (const auto newline = pending_.find('\n'); newline != std::string::npos) {
      Line line{pending_.substr(0, newline), MonotonicMs()};
      pending_.erase(0, newline + 1);
      return line;
    }
    const double left = deadline - MonotonicMs();
    if (left <= 0) return std::nullopt;
    pollfd fd{out_, POLLIN, 0};
    const int ready = ::poll(&fd, 1, static_cast<int>(std::ceil(left)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    char buffer[4096];
    const ssize_t got = ::read(out_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    pending_.append(buffer, static_cast<std::size_t>(got));
  }
}

int ChildProcess::Wait(double limitMs) {
  const double deadline = MonotonicMs() + limitMs;
  while (!ended_) {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      ended_ = true;
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      break;
    }
    if (MonotonicMs() >= deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return status_;
}
