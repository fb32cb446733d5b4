// The program run from a script, end to end: the real binary in a fresh working directory,
// with its standard output, standard error, exit status and the files it leaves behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "hosts/headless/HeadlessHost.h"
#include "support/HeadlessRun.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kNoConfigBox = "box: Don't open config file!\n";

// The object of the one `dump:` line of the output.
json DumpOf(const std::string& out) {
  std::istringstream lines(out);
  std::optional<json> dump;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("dump: ", 0) != 0) continue;
    EXPECT_FALSE(dump) << "more than one dump line";
    dump = json::parse(line.substr(6));
  }
  EXPECT_TRUE(dump) << "no dump line in:\n" << out;
  return dump.value_or(json::object());
}

TEST_F(HeadlessRun, EmptyScriptWithoutConfigFileShowsOneBoxAndWritesNothing) {
  const Outcome run = RunScript("");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kNoConfigBox);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(WorkFiles().empty());
}

TEST_F(HeadlessRun, OnlyClosingTheWindowWritesTheConfigFile) {
  struct Case {
    const char* script;
    std::optional<std::string> config;
  };
  const Case cases[] = {
      {"close\n", ";;0;0;"},
      {"cancel\n", std::nullopt},
      {"type 1076 12\nclose\n", ";;12;0;"},
      {"type 1077 -250\ntype 1076  7\nclose\n", ";; 7;-250;"},
      // Nothing runs after the window has gone.
      {"close\ntype 1076 5\nclose\n", ";;0;0;"},
      {"cancel\nclose\n", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    std::error_code ignored;
    fs::remove(work_ / "config.ini", ignored);
    const Outcome run = RunScript(c.script);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kNoConfigBox);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Config(), c.config);
    EXPECT_EQ(WorkFiles().size(), c.config ? 1u : 0u);
  }
}

TEST_F(HeadlessRun, StartWhichIsNotANumberIsPromptedForAndWrittenAsTyped) {
  const Outcome run = RunScript("type 1076 abc\nclose\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kNoConfigBox + "box: Please enter an integer.\n");
  EXPECT_EQ(Config(), ";;abc;0;");
}

TEST_F(HeadlessRun, DumpRightAfterStart) {
  const Outcome run = RunScript("dump\n");
  ASSERT_EQ(run.status, 0);
  std::istringstream lines(run.out);
  std::string first;
  std::getline(lines, first);
  EXPECT_EQ(first + "\n", kNoConfigBox);  // the start-up box comes before the dump
  const json dump = DumpOf(run.out);
  EXPECT_EQ(dump["checked"], json::array({1000}));
  EXPECT_EQ(dump["selected"], json({{"1009", 0}}));
  EXPECT_EQ(dump["focus"], 1086);
  const json& texts = dump["texts"];
  EXPECT_EQ(texts["1009"], "SENSOR 0");
  EXPECT_EQ(texts["1073"], "");
  EXPECT_EQ(texts["1074"], "");
  EXPECT_EQ(texts["1076"], "0");
  EXPECT_EQ(texts["1077"], "0");
  std::vector<int> labels;
  for (int id = 1038; id <= 1043; ++id) labels.push_back(id);
  for (int id = 1049; id <= 1072; ++id) labels.push_back(id);
  ASSERT_EQ(labels.size(), 30u);
  for (int id : labels) EXPECT_EQ(texts[std::to_string(id)], " 0") << id;
}

TEST_F(HeadlessRun, ConfigFileDecidesWhatStartUpReports) {
  struct Case {
    const char* config;
    const char* box;
    const char* com;
    const char* baud;
    const char* start;
    const char* end;
  };
  const Case cases[] = {
      {"1;0;0;0;", "Config file error, cann't config serial port!", "1", "0", "0", "0"},
      {"0;0;7;-3;", "Config file error, cann't config serial port!", "0", "0", "7", "-3"},
      // A port is named: the open is attempted, and this build has no device behind it.
      {"0;9600;0;0;", "Can't open the serial port, please check the hardware!", "", "", "0", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.config);
    WriteConfig(c.config);
    const Outcome run = RunScript("dump\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("box: " + std::string(c.box) + "\ndump: ", 0), 0u) << run.out;
    const json texts = DumpOf(run.out)["texts"];
    EXPECT_EQ(texts["1073"], c.com);
    EXPECT_EQ(texts["1074"], c.baud);
    EXPECT_EQ(texts["1076"], c.start);
    EXPECT_EQ(texts["1077"], c.end);
  }
}

TEST_F(HeadlessRun, PaintModeRadioButtons) {
  struct Case {
    const char* script;
    json checked;
  };
  const Case cases[] = {
      {"click 1001\ndump\n", json::array({1001})},
      {"click 1001\nclick 1000\ndump\n", json::array({1000})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(DumpOf(RunScript(c.script).out)["checked"], c.checked);
  }
}

TEST_F(HeadlessRun, ChoosingInTheSensorList) {
  struct Case {
    const char* script;
    int selected;
    const char* text;
  };
  const Case cases[] = {
      {"choose 1009 12\ndump\n", 12, "SENSOR C"},
      {"choose 1009 29\ndump\n", 29, "SENSOR T"},
      // "SENSOR Z" names no sensor: the list goes back to the current sensor.
      {"choose 1009 30\ndump\n", 0, "SENSOR 0"},
      {"choose 1009 12\nchoose 1009 30\ndump\n", 12, "SENSOR C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const json dump = DumpOf(RunScript(c.script).out);
    EXPECT_EQ(dump["selected"]["1009"], c.selected);
    EXPECT_EQ(dump["texts"]["1009"], c.text);
  }
}

TEST_F(HeadlessRun, FocusShownByDump) {
  struct Case {
    const char* script;
    int focus;
  };
  const Case cases[] = {
      {"focus 1076\ndump\n", 1076},
      {"focus 0\ndump\n", 0},
      {"focus 1076\nfocus 0\ndump\n", 0},
      {"type 1077 5\ndump\n", 1077},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(DumpOf(RunScript(c.script).out)["focus"], c.focus);
  }
}

TEST_F(HeadlessRun, AwaitBoxWithoutABoxEndsWithStatus3) {
  struct Case {
    const char* script;
    int status;
    std::optional<std::string> config;
  };
  const Case cases[] = {
      // The start-up box answers an await-box that comes first.
      {"await-box 50\nclose\n", 0, ";;0;0;"},
      // Each box answers one await-box at most.
      {"await-box 50\nawait-box 50\nclose\n", 3, std::nullopt},
      {"dump\nawait-box 50\nclose\n", 3, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    std::error_code ignored;
    fs::remove(work_ / "config.ini", ignored);
    const Outcome run = RunScript(c.script);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(Config(), c.config);
    if (c.status == 3) {
      EXPECT_EQ(run.err.rfind("error: line 2: ", 0), 0u) << run.err;
    }
  }
}

TEST_F(HeadlessRun, BadScriptLineRunsNothing) {
  const Outcome run = RunScript("dump\nclose\n\nclick 1085\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("error: line 4: ", 0), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_TRUE(WorkFiles().empty());
}

TEST_F(HeadlessRun, BadArgumentIsNamedOnOneLine) {
  struct Case {
    std::vector<std::string> arguments;
    std::string named;
  };
  const Case cases[] = {
      {{"--bogus"}, "--bogus"},
      {{"--headless", "--port", "COM9=/x"}, "COM9=/x"},
      {{"--headless", "--port", "COM1"}, "COM1"},
      {{"--headless", "--script"}, "--script"},
      {{"--headless", "--script", "no-such-script.txt"}, "no-such-script.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.named);
    const Outcome run = Run(c.arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
    EXPECT_TRUE(WorkFiles().empty());
  }
}

TEST_F(HeadlessRun, HelpExitsWithStatus0) {
  const Outcome run = Run({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("--headless"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(WorkFiles().empty());
}

TEST(BoxText, BackslashCarriageReturnAndLineFeedAreEscaped) {
  struct Case {
    std::string text;
    std::string line;
  };
  const Case cases[] = {
      {"", ""},
      {"Don't open config file!", "Don't open config file!"},
      {"C:\\data\\sensor0.txt", "C:\\\\data\\\\sensor0.txt"},
      {"one\r\ntwo\n", "one\\r\\ntwo\\n"},
      {"\\n", "\\\\n"},  // a backslash followed by n stays told apart from a line feed
      {"tab\tstays", "tab\tstays"},
      {"打开串口", "打开串口"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeBoxText(c.text), c.line) << c.text;
}

}  // namespace
