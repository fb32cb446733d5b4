#include "hosts/headless/ScriptRunner.h"

#include <algorithm>
#include <ostream>

#include "hosts/headless/ControlDump.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/PngFile.h"
#include "platform/Runtime.h"

ScriptRunner::ScriptRunner(HeadlessHost& host, CDialog& dialog, std::ostream& out, std::ostream& err)
    : host_(host), dialog_(dialog), out_(out), err_(err) {}

int ScriptRunner::Run(const std::vector<Command>& commands) {
  Settle();
  for (const Command& command : commands) {
    if (dialog_.IsEnded()) break;
    const std::size_t start = host_.BoxesShown();
    if (!Execute(command)) {
      dialog_.EndDialog(IDCANCEL);
      return 3;
    }
    Settle();
    precedingStart_ = start;
  }
  // The end of the script ends the program like the Cancel command.
  if (!dialog_.IsEnded()) {
    dialog_.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    Runtime::Current().PumpUntil([&] { return dialog_.IsEnded(); });
  }
  return 0;
}

// Handles whatever the last command set going, without letting time pass.
void ScriptRunner::Settle() {
  Runtime& runtime = Runtime::Current();
  runtime.PumpUntil([&] { return dialog_.IsEnded(); }, runtime.GetClock().Now());
}

bool ScriptRunner::AwaitBox(const Command& command) {
  Runtime& runtime = Runtime::Current();
  const std::size_t floor = std::max(precedingStart_, consumed_);
  const auto deadline = runtime.GetClock().Now() + Clock::duration(command.number);
  runtime.PumpUntil([&] { return dialog_.IsEnded() || host_.BoxesShown() > floor; }, deadline);
  if (host_.BoxesShown() > floor) {
    consumed_ = floor + 1;
    return true;
  }
  if (dialog_.IsEnded()) return true;
  err_ << "error: line " << command.line << ": no message box within " << command.number << " ms" << std::endl;
  return false;
}

bool ScriptRunner::Execute(const Command& command) {
  Runtime& runtime = Runtime::Current();
  switch (command.verb) {
    case Verb::Click:
      ClickButton(dialog_, command.id);
      return true;
    case Verb::Key:
      PressAndReleaseKey(dialog_, static_cast<UINT>(command.number));
      return true;
    case Verb::Focus:
      if (CWnd* control = command.id ? dialog_.GetDlgItem(command.id) : nullptr)
        control->SetFocus();
      else
        runtime.GetHost().SetFocus(kNoWindow);
      return true;
    case Verb::Type:
      TypeIntoControl(dialog_, command.id, command.text);
      return true;
    case Verb::Choose:
      ChooseListEntry(dialog_, command.id, static_cast<int>(command.number));
      return true;
    case Verb::Wait: {
      const auto deadline = runtime.GetClock().Now() + Clock::duration(command.number);
      runtime.PumpUntil([&] { return dialog_.IsEnded(); }, deadline);
      return true;
    }
    case Verb::AwaitBox:
      return AwaitBox(command);
    case Verb::PortDialog:
      host_.ArrangePortDialog(command);
      return true;
    case Verb::OpenFile:
      host_.ArrangeFileDialog(command);
      return true;
    case Verb::Shot: {
      std::string reason;
      if (!WritePng(*dialog_.GetSurface(), command.text, &reason))
        err_ << "error: line " << command.line << ": cannot write " << command.text << ": " << reason << std::endl;
      return true;
    }
    case Verb::Dump:
      out_ << "dump: " << DumpControls(dialog_) << std::endl;
      return true;
    case Verb::Close:
      dialog_.PostMessage(WM_CLOSE);
      return true;
    case Verb::Cancel:
      dialog_.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
      return true;
  }
  return true;
}
