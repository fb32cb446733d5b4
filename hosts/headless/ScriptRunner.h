// Carries out a script's commands on the main dialog, in order, until the dialog ends.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <vector>

#include "hosts/headless/Script.h"

class CDialog;
class HeadlessHost;

class ScriptRunner {
 public:
  ScriptRunner(HeadlessHost& host, CDialog& dialog, std::ostream& out, std::ostream& err);

  // Returns the exit status: 0, or 3 when an await-box saw no box in time.
  int Run(const std::vector<Command>& commands);

 private:
  // False when the program is to stop (await-box saw no box).
  bool Execute(const Command& command);
  void Settle();
  bool AwaitBox(const Command& command);

  HeadlessHost& host_;
  CDialog& dialog_;
  std::ostream& out_;
  std::ostream& err_;
  // await-box is answered by a box shown since the preceding command began (start-up counts
  // as the command before the first), and each box answers one await-box at most.
  std::size_t precedingStart_ = 0;
  std::size_t consumed_ = 0;
};
