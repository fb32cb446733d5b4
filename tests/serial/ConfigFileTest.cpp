// "config.ini": splitting it into fields, turning fields into numbers, what start-up takes
// from it, and what closing the window writes into it.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <optional>
#include <string>

#include "serial/ConfigFile.h"
#include "support/MainDialogFixture.h"

namespace {

using Fields = std::array<std::string, 4>;

TEST(ConfigFields, SplitAtSemicolons) {
  struct Case {
    std::string text;
    Fields fields;
  };
  const Case cases[] = {
      {"3;9600;0;250;", {"3", "9600", "0", "250"}},
      // What follows the fourth ";" is ignored, line break included.
      {"3;9600;0;250;\r\n", {"3", "9600", "0", "250"}},
      {"3;9600;0;250;7;8;", {"3", "9600", "0", "250"}},
      // Without the last ";" the line break belongs to the fourth field.
      {"3;9600;0;250\r\n", {"3", "9600", "0", "250\r\n"}},
      {"0;9600;", {"0", "9600", "", ""}},
      {"", {"", "", "", ""}},
      {";;0;0;", {"", "", "0", "0"}},
      {" 3;9600;0;0;", {" 3", "9600", "0", "0"}},
      {"\r\n3;9600;0;0;", {"\r\n3", "9600", "0", "0"}},
      // At most 9 characters a field; the rest is dropped and reaches no other field.
      {"123456789;9600;0;0;", {"123456789", "9600", "0", "0"}},
      {"1234567890;96000000000;0;0;", {"123456789", "960000000", "0", "0"}},
      {"1;2;3;12345678901234567890", {"1", "2", "3", "123456789"}},
      // A NUL byte ends its field; the next ";" still starts the next one.
      {std::string("1\0" "2;9600\0;0;0;", 13), {"1", "9600", "0", "0"}},
      {std::string("\0" "5;;;", 5), {"", "", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(SplitConfigFields(c.text), c.fields);
  }
}

TEST(ConfigFields, NumberAtTheStartOfTheText) {
  struct Case {
    const char* text;
    int number;
  };
  const Case cases[] = {
      {"3", 3},
      {"9600", 9600},
      {"250\r\n", 250},
      {" 3", 3},
      {"  -12", -12},
      {"+7", 7},
      {"9600x", 9600},
      {"96 00", 96},
      {"x9600", 0},
      {"", 0},
      {"-", 0},
      {"- 5", 0},
      {"0x10", 0},
      {"2147483647", INT_MAX},
      {"99999999999", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-99999999999", INT_MIN},
      {"123456789012345678901234567890", INT_MAX},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToNumber(c.text), c.number) << '"' << c.text << '"';
}

class ConfigFileTest : public MainDialogTest {};

TEST_F(ConfigFileTest, StartUpTakesPortBaudRateAndBoundsFromTheFile) {
  struct Case {
    std::optional<std::string> file;
    int portIndex, baudRate, start, end;
    const char* box;
    // Texts of "Com" and "Baudrate" where start-up opens no port.
    std::optional<std::string> com, baud;
  };
  const char* const kPortFails = "Can't open the serial port, please check the hardware!";
  const char* const kConfigError = "Config file error, cann't config serial port!";
  const Case cases[] = {
      {std::nullopt, 0, 0, 0, 0, "Don't open config file!", "", ""},
      {"3;9600;0;250;\r\n", 2, 9600, 0, 250, kPortFails, {}, {}},
      {"3;9600;0;250\r\n", 2, 9600, 0, 250, kPortFails, {}, {}},
      {"0;9600;", 0, 9600, 0, 0, kPortFails, {}, {}},
      {"8;115200;-5;9600x;", 7, 115200, -5, 9600, kPortFails, {}, {}},
      {"1;0;0;0;", 0, 0, 0, 0, kConfigError, "1", "0"},
      {"", 0, 0, 0, 0, kConfigError, "", ""},
      {";;12;250;", 0, 0, 12, 250, kConfigError, "", ""},
      // The blank stays in "Com"; the number skips it.
      {" 1;0;0;0;", 0, 0, 0, 0, kConfigError, " 1", "0"},
      {"abc;xyz;;;", 0, 0, 0, 0, kConfigError, "abc", "xyz"},
      {std::string("1\0" "9;0;0;0;", 9), 0, 0, 0, 0, kConfigError, "1", "0"},
      // COM9 and beyond are no port: refused before anything is opened, the texts stay.
      {"9;9600;0;0;", 8, 9600, 0, 0, "Serial port error!", "9", "9600"},
      {"1234567890;0;1;2;", 123456788, 0, 1, 2, "Serial port error!", "123456789", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file));
    std::filesystem::remove(dir_.Path() / kConfigFileName);
    if (c.file) WriteFile(kConfigFileName, *c.file);
    host_.boxes.clear();
    Run([&](CMainDlg& dlg) {
      EXPECT_EQ(dlg.m_nPortIndex, c.portIndex);
      EXPECT_EQ(dlg.m_nBaudRate, c.baudRate);
      EXPECT_EQ(dlg.m_nStart, c.start);
      EXPECT_EQ(dlg.m_nEnd, c.end);
      std::string text;
      dlg.GetDlgItemText(IDC_START, text);
      EXPECT_EQ(text, std::to_string(c.start));
      dlg.GetDlgItemText(IDC_END, text);
      EXPECT_EQ(text, std::to_string(c.end));
      if (c.com) {
        dlg.GetDlgItemText(IDC_COM, text);
        EXPECT_EQ(text, *c.com);
      }
      if (c.baud) {
        dlg.GetDlgItemText(IDC_BAUDRATE, text);
        EXPECT_EQ(text, *c.baud);
      }
    });
    EXPECT_EQ(host_.BoxTexts(), std::vector<std::string>{c.box});
  }
}

TEST_F(ConfigFileTest, ClosingTheWindowWritesWhatTheControlsHold) {
  struct Case {
    std::optional<std::string> file;
    std::optional<std::string> start, end;  // typed before closing
    std::string written;
  };
  const Case cases[] = {
      {std::nullopt, {}, {}, ";;0;0;"},
      {"1;0;0;0;", "12", "250", "1;0;12;250;"},
      // The texts as they stand, not the numbers taken from them.
      {" 1;0;0;0;", " 7", "+8", " 1;0; 7;+8;"},
      {"abc;xyz;;;", {}, {}, "abc;xyz;0;0;"},
      // The file is written anew, not over the old one.
      {"1;0;0;0;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;\r\n", {}, {}, "1;0;0;0;"},
      // A failed open empties "Com" and "Baudrate".
      {"3;9600;0;250;", {}, {}, ";;0;250;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file));
    std::filesystem::remove(dir_.Path() / kConfigFileName);
    if (c.file) WriteFile(kConfigFileName, *c.file);
    Run([&](CMainDlg& dlg) {
      if (c.start) dlg.SetDlgItemText(IDC_START, *c.start);
      if (c.end) dlg.SetDlgItemText(IDC_END, *c.end);
      dlg.SendMessage(WM_CLOSE);
      EXPECT_TRUE(dlg.IsEnded());
    });
    EXPECT_EQ(ReadFile(kConfigFileName), c.written);
  }
}

TEST_F(ConfigFileTest, StartThatIsNotANumberIsPromptedForAndStillWritten) {
  WriteFile(kConfigFileName, "1;0;0;0;");
  Run([&](CMainDlg& dlg) {
    host_.boxes.clear();
    dlg.SetDlgItemText(IDC_START, "abc");
    dlg.SetDlgItemText(IDC_END, "250");
    host_.SetFocus(kNoWindow);
    dlg.SendMessage(WM_CLOSE);
    EXPECT_EQ(host_.BoxTexts(), std::vector<std::string>{"Please enter an integer."});
    // The prompt leaves the focus on the box to correct.
    const CWnd* focus = CWnd::GetFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->GetDlgCtrlID(), IDC_START);
    EXPECT_TRUE(dlg.IsEnded());
  });
  EXPECT_EQ(ReadFile(kConfigFileName), "1;0;abc;250;");
}

}  // namespace
