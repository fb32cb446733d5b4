// Another program run by a timing tool: its standard output comes through a pipe, line by
// line, each line stamped with the moment the tool read it; standard input is /dev/null
// unless a pipe is asked for (velnor-sim and the Python client run until it ends); standard
// error is the tool's own.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class ChildProcess {
 public:
  struct Line {
    std::string text;
    double readMs;  // CLOCK_MONOTONIC when the tool had the whole line
  };

  // Starts `program` with `arguments` in `workDir`. Throws when it cannot be started.
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& workDir, bool stdinPipe = false);
  ~ChildProcess();  // ends a program that is still running (SIGKILL) and reaps it
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  // The next line of output, waiting up to `limitMs`; nullopt at the end of output or on time-out.
  std::optional<Line> ReadLine(double limitMs);
  // Closes the pipe to the program's standard input.
  void CloseInput();
  // Waits up to `limitMs` for the program to end; its exit status, or -1 (still running after
  // the wait, or ended by a signal).
  int Wait(double limitMs);

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int in_ = -1;
  std::string pending_;
  bool ended_ = false;
  int status_ = -1;
};
