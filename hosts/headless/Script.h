// A headless script: one command a line, checked whole before anything runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/DialogTemplate.h"

enum class Verb { Click, Key, Focus, Type, Choose, Wait, AwaitBox, PortDialog, OpenFile, Shot, Dump, Close, Cancel };

struct Command {
  Verb verb = Verb::Dump;
  int line = 0;
  int id = 0;        // click, focus, type, choose
  long long number = 0;  // key code, list index, milliseconds
  bool cancel = false;   // portdlg cancel, openfile cancel
  std::string text;      // type TEXT; portdlg PORT; openfile PATH; shot FILE
  std::string second;    // portdlg BAUD
};

struct ParsedScript {
  std::vector<Command> commands;
  std::string error;  // "line N: WHY" for the first bad line; empty when the script is good
};

// Checks every line against the main dialog's template: ids must name controls a person can
// use that way (visible, enabled, of the right kind).
ParsedScript ParseScript(std::string_view text, const DialogTemplate& mainDialog);
