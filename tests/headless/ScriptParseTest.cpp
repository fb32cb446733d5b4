// Reading a headless script: every line is checked against the main window before anything
// runs, and the first bad line is reported as "line N: WHY".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosts/headless/Script.h"
#include "res/Resources.h"

namespace {

ParsedScript Parse(const std::string& text) { return ParseScript(text, *FindDialogTemplate(IDD_MAIN_DIALOG)); }

TEST(ScriptParse, BadLinesAreReportedWithTheirNumberAndReason) {
  struct Case {
    const char* script;
    const char* prefix;  // "line N: " and the start of the reason
    const char* detail;  // a part of the reason that names what is wrong
  };
  const Case cases[] = {
      {"frobnicate 1", "line 1: unknown command", "frobnicate"},
      {"Click 1001", "line 1: unknown command", "Click"},
      {"click", "line 1: missing", "control id"},
      {"click 1001 1000", "line 1: unexpected", "1000"},
      {"dump now", "line 1: unexpected", "now"},
      {"close 1", "line 1: unexpected", "1"},
      {"wait", "line 1: missing", "milliseconds"},
      {"wait 10 20", "line 1: unexpected", "20"},
      {"choose 1009", "line 1: missing", "list index"},
      {"key", "line 1: missing", "key code"},
      {"click abc", "line 1: control id", "abc"},
      {"click 1001x", "line 1: control id", "1001x"},
      {"click -1001", "line 1: control id", "-1001"},
      {"click +1001", "line 1: control id", "+1001"},
      {"wait soon", "line 1: milliseconds", "soon"},
      {"click 999", "line 1: no control", "999"},
      {"focus 65536", "line 1: control id", "65536"},
      {"click 1085", "line 1: control 1085", "hidden"},
      {"click 1", "line 1: control 1 is ", ""},  // hidden, and disabled too
      {"click 1083", "line 1: cannot click control 1083", "static"},
      {"click 1076", "line 1: cannot click control 1076", "edit box"},
      {"click 1009", "line 1: cannot click control 1009", "combo box"},
      {"type 1075 5", "line 1: cannot type", "read-only"},
      {"type 1000 5", "line 1: cannot type", "1000"},
      {"choose 1076 0", "line 1: cannot choose", "1076"},
      {"focus 1083", "line 1: cannot focus", "1083"},
      {"choose 1009 31", "line 1: list index", "31"},
      {"key 0", "line 1: key code", "from 1"},
      {"key 255", "line 1: key code", "255"},
      {"portdlg COM1 9600 57600", "line 1: unexpected", "57600"},
      {"portdlg cancel now", "line 1: unexpected", "now"},
      {"portdlg COM1", "line 1: missing", "BAUD"},
      {"shot", "line 1: missing", "FILE"},
      // Skipped lines are counted; the first bad line is the one reported.
      {"# sweep\n\ndump\nfrobnicate\nclick 999", "line 4: unknown command", "frobnicate"},
      {"dump\r\n\r\n# x\r\nclick 1085\r\n", "line 4: control 1085", "hidden"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const ParsedScript parsed = Parse(c.script);
    EXPECT_EQ(parsed.error.rfind(c.prefix, 0), 0u) << parsed.error;
    EXPECT_NE(parsed.error.find(c.detail), std::string::npos) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
    EXPECT_TRUE(parsed.commands.empty()) << "nothing may run from a bad script";
  }
}

TEST(ScriptParse, GoodScriptBecomesCommandsWithTheirLineNumbers) {
  const ParsedScript parsed = Parse(
      "# start\r\n"
      "\r\n"
      "   \t\r\n"
      "click 1001\r\n"
      "key 65\n"
      "  focus 0\n"
      "focus 1076\n"
      "choose 1009 30\n"
      "wait 250\n"
      "await-box 10000\n"
      "# done\n"
      "dump\n"
      "close\n"
      "cancel");
  ASSERT_EQ(parsed.error, "");
  struct Expected {
    Verb verb;
    int line;
    int id;
    long long number;
  };
  const Expected expected[] = {
      {Verb::Click, 4, 1001, 0},   {Verb::Key, 5, 0, 65},       {Verb::Focus, 6, 0, 0},
      {Verb::Focus, 7, 1076, 0},   {Verb::Choose, 8, 1009, 30}, {Verb::Wait, 9, 0, 250},
      {Verb::AwaitBox, 10, 0, 10000}, {Verb::Dump, 12, 0, 0}, {Verb::Close, 13, 0, 0},
      {Verb::Cancel, 14, 0, 0},
  };
  ASSERT_EQ(parsed.commands.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const Command& command = parsed.commands[i];
    EXPECT_EQ(command.verb, expected[i].verb);
    EXPECT_EQ(command.line, expected[i].line);
    EXPECT_EQ(command.id, expected[i].id);
    EXPECT_EQ(command.number, expected[i].number);
  }
}

TEST(ScriptParse, TypedTextIsTheRestOfTheLineAfterOneBlank) {
  struct Case {
    const char* script;
    int id;
    const char* text;
  };
  const Case cases[] = {
      {"type 1076 12", 1076, "12"},
      {"type 1076 ", 1076, ""},
      {"type 1076", 1076, ""},
      {"type 1076  5", 1076, " 5"},
      {"type 1077 1 2 ", 1077, "1 2 "},
      {"type 1035 # not a comment", 1035, "# not a comment"},
      {"type 1009 SENSOR Z\r\n", 1009, "SENSOR Z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const ParsedScript parsed = Parse(c.script);
    ASSERT_EQ(parsed.error, "");
    ASSERT_EQ(parsed.commands.size(), 1u);
    EXPECT_EQ(parsed.commands[0].verb, Verb::Type);
    EXPECT_EQ(parsed.commands[0].id, c.id);
    EXPECT_EQ(parsed.commands[0].text, c.text);
  }
}

TEST(ScriptParse, ScriptOfOnlyCommentsAndBlankLinesHasNoCommands) {
  for (const char* script : {"", "\n", "# nothing\r\n\r\n", " \t\n#\n"}) {
    const ParsedScript parsed = Parse(script);
    EXPECT_EQ(parsed.error, "") << script;
    EXPECT_TRUE(parsed.commands.empty()) << script;
  }
}

}  // namespace
