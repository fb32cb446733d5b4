#include "support/HeadlessRun.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

HeadlessRun::HeadlessRun() {
  std::string pattern = (fs::temp_directory_path() / "velnor-run-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "cannot make a temporary directory";
  root_ = pattern;
  work_ = root_ / "work";
  fs::create_directory(work_);
}

HeadlessRun::~HeadlessRun() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

Outcome HeadlessRun::Run(const std::vector<std::string>& arguments) {
  const fs::path outPath = root_ / "stdout";
  const fs::path errPath = root_ / "stderr";
  std::vector<char*> argv{const_cast<char*>(VELNOR_BINARY)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = ::open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0 || ::chdir(work_.c_str()) != 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::execv(VELNOR_BINARY, argv.data());
    ::_exit(127);
  }
  Outcome outcome;
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid) {
    ADD_FAILURE() << "cannot run " << VELNOR_BINARY;
    return outcome;
  }
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  outcome.out = Slurp(outPath);
  outcome.err = Slurp(errPath);
  return outcome;
}

Outcome HeadlessRun::RunScript(const std::string& script, const std::vector<std::string>& moreArguments) {
  const fs::path path = root_ / "script.txt";
  std::ofstream(path, std::ios::binary) << script;
  std::vector<std::string> arguments{"--headless", "--script", path.string()};
  for (int n = 1; n <= 8; ++n) {
    arguments.push_back("--port");
    arguments.push_back("COM" + std::to_string(n) + "=" + (root_ / "no-such-device").string());
  }
  arguments.insert(arguments.end(), moreArguments.begin(), moreArguments.end());
  return Run(arguments);
}

void HeadlessRun::WriteConfig(const std::string& content) {
  std::ofstream(work_ / "config.ini", std::ios::binary) << content;
}

std::optional<std::string> HeadlessRun::Config() const { return WorkFile("config.ini"); }

std::optional<std::string> HeadlessRun::WorkFile(const std::string& name) const {
  if (!fs::exists(work_ / name)) return std::nullopt;
  return Slurp(work_ / name);
}

std::vector<std::string> HeadlessRun::WorkFiles() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(work_)) names.push_back(entry.path().filename().string());
  return names;
}
