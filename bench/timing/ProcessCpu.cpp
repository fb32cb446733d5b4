#include "ProcessCpu.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Monotonic.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

long long StatusField(const std::string& status, const std::string& name) {
  std::istringstream lines(status);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(name + ":", 0) == 0) return std::stoll(line.substr(name.size() + 1));
  return 0;
}

}  // namespace

CpuSample SampleCpu(pid_t pid) {
  CpuSample sample;
  sample.wallMs = MonotonicMs();
  const fs::path proc = fs::path("/proc") / std::to_string(pid);
  // The fields after the command name, which is in parentheses and may hold blanks: state is
  // field 3, utime 14 and stime 15.
  const std::string stat = ReadText(proc / "stat");
  const auto close = stat.rfind(')');
  if (close == std::string::npos) return sample;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  for (int number = 3; number <= 15 && fields >> field; ++number)
    if (number == 14 || number == 15) sample.ticks += std::stoll(field);
  std::error_code error;
  for (const auto& task : fs::directory_iterator(proc / "task", error)) {
    long long run = 0;
    std::istringstream(ReadText(task.path() / "schedstat")) >> run;
    const std::string status = ReadText(task.path() / "status");
    sample.runNs += run;
    sample.switches += StatusField(status, "voluntary_ctxt_switches") + StatusField(status, "nonvoluntary_ctxt_switches");
    ++sample.threads;
  }
  sample.ok = !error;
  return sample;
}

bool HasOpen(pid_t pid, const std::string& path) {
  std::error_code error;
  for (const auto& fd : fs::directory_iterator(fs::path("/proc") / std::to_string(pid) / "fd", error)) {
    std::error_code ignored;
    if (fs::read_symlink(fd.path(), ignored) == path) return true;
  }
  return false;
}
