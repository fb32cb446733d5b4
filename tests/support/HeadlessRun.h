// Runs the real program from a script in a fresh working directory, with its standard
// output, standard error, exit status and the files it leaves behind.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;
};

std::string Slurp(const std::filesystem::path& path);

class HeadlessRun : public ::testing::Test {
 protected:
  HeadlessRun();
  ~HeadlessRun() override;

  // Runs the program with `arguments` in the working directory; the captured output lives
  // outside it, so the directory holds only what the program wrote.
  Outcome Run(const std::vector<std::string>& arguments);
  // Runs `script` headless. Every COM name points at a device that does not exist, so no
  // test opens a real port, unless `moreArguments` maps one (later arguments win).
  Outcome RunScript(const std::string& script, const std::vector<std::string>& moreArguments = {});
  void WriteConfig(const std::string& content);
  std::optional<std::string> Config() const;
  std::optional<std::string> WorkFile(const std::string& name) const;
  std::vector<std::string> WorkFiles() const;

  std::filesystem::path root_;
  std::filesystem::path work_;
};
