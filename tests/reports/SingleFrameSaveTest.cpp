// "Save": the last frame received, written to the file named by the sensor list's text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "platform/Input.h"
#include "support/MainDialogFixture.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kNoSensor = "没有选择传感器,不能保存数据";
constexpr const char* kNoData = "Do not receiving data, cann't save data!";

class SingleFrameSaveTest : public MainDialogTest {
 protected:
  static void Answer(CMainDlg& dlg, int sensor, const std::vector<BYTE>& bytes) {
    dlg.m_nCurSensor = static_cast<std::uint8_t>(sensor);
    dlg.m_bAwaitingFrame = 1;
    Deliver(dlg, bytes);
  }
  void Save(CMainDlg& dlg) {
    ClickButton(dlg, IDC_SAVE);
    Settle();
  }
  std::set<std::string> WorkFiles() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.Path())) names.insert(entry.path().filename().string());
    return names;
  }
};

struct SaveCase {
  const char* name;
  int listIndex;
  std::vector<BYTE> frame;
  const char* file;
  const char* content;
};

// Before each frame a longer one of 77s arrived, so a 00 on disk is not left over from it.
const SaveCase kSaves[] = {
    {"five samples", 3, {0x05, 0x01, 0xAB, 0x7F, 0x80, 0xFF}, "sensor3.txt",
     "RECEIVE DATA LENGTH IS:   5\r\n"
     "0X01, 0XAB, 0X7F, 0X80, 0XFF"},
    {"no samples", 0, {0x00}, "sensor0.txt", "RECEIVE DATA LENGTH IS:   0\r\n"},
    {"ten samples", 29, {0x0A, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF}, "sensorT.txt",
     "RECEIVE DATA LENGTH IS:  10\r\n"
     "0XF6, 0XF7, 0XF8, 0XF9, 0XFA, 0XFB, 0XFC, 0XFD, 0XFE, 0XFF\r\n"},
    {"eleven samples", 10, {0x0B, 0x80, 0x9A, 0xAB, 0xBC, 0xCD, 0xDE, 0xEF, 0xF0, 0x0F, 0x7F, 0xE1}, "sensorA.txt",
     "RECEIVE DATA LENGTH IS:  11\r\n"
     "0X80, 0X9A, 0XAB, 0XBC, 0XCD, 0XDE, 0XEF, 0XF0, 0X0F, 0X7F, \r\n"
     "0XE1"},
    {"samples missing", 9, {0x04, 0x12}, "sensor9.txt",
     "RECEIVE DATA LENGTH IS:   4\r\n"
     "0X12, 0X00, 0X00, 0X00"},
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class SaveLayoutTest : public SingleFrameSaveTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveLayoutTest, TheFrameIsWrittenToTheFileTheListNamesByteForByte) {
  const SaveCase& c = GetParam();
  Run([&](CMainDlg& dlg) {
    ChooseListEntry(dlg, IDC_SENSOR_LIST, c.listIndex);
    Settle();
    // The frames come for sensor 20: the name comes from the list's text alone.
    Answer(dlg, 20, std::vector<BYTE>(20, 0x77));
    Answer(dlg, 20, c.frame);
    host_.boxes.clear();
    Save(dlg);
    EXPECT_TRUE(host_.boxes.empty());
  });
  EXPECT_EQ(WorkFiles(), std::set<std::string>{c.file});
  EXPECT_EQ(ReadFile(c.file), c.content);
}

INSTANTIATE_TEST_SUITE_P(Frames, SaveLayoutTest, ::testing::ValuesIn(kSaves), [](const auto& testCase) {
  std::string name = testCase.param.name;
  std::replace(name.begin(), name.end(), ' ', '_');
  return name;
});

TEST_F(SingleFrameSaveTest, ALengthOf255ListsEveryPromisedSample) {
  std::vector<BYTE> read(255);
  read[0] = 0xFF;
  for (int k = 1; k < 255; ++k) read[k] = static_cast<BYTE>(k);
  Run([&](CMainDlg& dlg) {
    ChooseListEntry(dlg, IDC_SENSOR_LIST, 15);
    Answer(dlg, 15, read);
    Save(dlg);
  });
  const auto file = ReadFile("sensorF.txt");
  ASSERT_TRUE(file);
  auto count = [&](const std::string& what) {
    int n = 0;
    for (std::size_t at = file->find(what); at != std::string::npos; at = file->find(what, at + 1)) ++n;
    return n;
  };
  const std::string head = "RECEIVE DATA LENGTH IS: 255\r\n0X01, 0X02, ";
  EXPECT_EQ(file->substr(0, head.size()), head);
  EXPECT_EQ(count("0X"), 255);
  EXPECT_EQ(count("\r\n"), 1 + 25);
  // The 255th sample did not arrive (a read holds at most 255 bytes) and reads 00.
  const std::string tail = "0XFA, \r\n0XFB, 0XFC, 0XFD, 0XFE, 0X00";
  ASSERT_GE(file->size(), tail.size());
  EXPECT_EQ(file->substr(file->size() - tail.size()), tail);
}

TEST_F(SingleFrameSaveTest, SavingAgainReplacesTheFileAndAnotherListTextWritesAnother) {
  const std::string first = "RECEIVE DATA LENGTH IS:  12\r\n"
                            "0X01, 0X02, 0X03, 0X04, 0X05, 0X06, 0X07, 0X08, 0X09, 0X10, \r\n"
                            "0X11, 0X12";
  const std::string second = "RECEIVE DATA LENGTH IS:   2\r\n0XC1, 0XC2";
  Run([&](CMainDlg& dlg) {
    ChooseListEntry(dlg, IDC_SENSOR_LIST, 21);
    Answer(dlg, 21, {0x0C, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x10, 0x11, 0x12});
    Save(dlg);
    EXPECT_EQ(ReadFile("sensorL.txt"), first);

    Answer(dlg, 21, {0x02, 0xC1, 0xC2});
    Save(dlg);
    EXPECT_EQ(ReadFile("sensorL.txt"), second) << "the shorter text replaced the longer one";

    ChooseListEntry(dlg, IDC_SENSOR_LIST, 4);
    Settle();
    Save(dlg);
    EXPECT_EQ(ReadFile("sensor4.txt"), second);
    Save(dlg);
    EXPECT_EQ(ReadFile("sensor4.txt"), second);
  });
  EXPECT_EQ(WorkFiles(), (std::set<std::string>{"sensorL.txt", "sensor4.txt"}));
  EXPECT_EQ(ReadFile("sensorL.txt"), second);
}

TEST_F(SingleFrameSaveTest, ChecksComeInOrderAndEachRefusalWritesNothing) {
  // A list text that names no sensor gets a box that quotes it.
  auto namesNoSensor = [](const std::string& text) { return "\"" + text + "\""; };
  struct Case {
    const char* listText;  // typed into the list's edit field
    bool frame;            // a frame has arrived since the last request
    std::vector<std::string> boxes;  // exact texts, or for a quoted text the part it must hold
    const char* file;                // written, or nullptr
  };
  const Case cases[] = {
      {"", false, {kNoSensor}, nullptr},
      {"", true, {kNoSensor}, nullptr},
      {"SENSOR 3", false, {kNoData}, nullptr},
      {"SENSOR Z", false, {kNoData}, nullptr},
      {"SENSOR Z", true, {namesNoSensor("SENSOR Z")}, nullptr},
      {"sensor 3", true, {namesNoSensor("sensor 3")}, nullptr},
      {"SENSOR 3 ", true, {namesNoSensor("SENSOR 3 ")}, nullptr},
      {"SENSOR U", true, {namesNoSensor("SENSOR U")}, nullptr},
      {"SENSOR 3", true, {}, "sensor3.txt"},
      {"SENSOR T", true, {}, "sensorT.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "\"" << c.listText << "\"" << (c.frame ? " with a frame" : " without"));
    for (const std::string& name : WorkFiles()) fs::remove(dir_.Path() / name);
    Run([&](CMainDlg& dlg) {
      if (c.frame) Answer(dlg, 2, {0x01, 0x5A});
      TypeIntoControl(dlg, IDC_SENSOR_LIST, c.listText);
      Settle();
      ASSERT_EQ(dlg.GetDlgItem(IDC_SENSOR_LIST)->GetWindowText(), c.listText);
      host_.boxes.clear();
      Save(dlg);
      const auto texts = host_.BoxTexts();
      ASSERT_EQ(texts.size(), c.boxes.size()) << (texts.empty() ? "" : texts.front());
      for (std::size_t i = 0; i < texts.size(); ++i) {
        if (c.boxes[i].front() == '"')
          EXPECT_NE(texts[i].find(c.boxes[i]), std::string::npos) << texts[i];
        else
          EXPECT_EQ(texts[i], c.boxes[i]);
      }
    });
    if (c.file) {
      EXPECT_EQ(WorkFiles(), std::set<std::string>{c.file});
      EXPECT_EQ(ReadFile(c.file), "RECEIVE DATA LENGTH IS:   1\r\n0X5A");
    } else {
      EXPECT_TRUE(WorkFiles().empty());
    }
  }
}

TEST_F(SingleFrameSaveTest, ANewRequestLeavesNothingToSave) {
  Run([&](CMainDlg& dlg) {
    ChooseListEntry(dlg, IDC_SENSOR_LIST, 8);
    Answer(dlg, 8, {0x01, 0x5A});
    ClickButton(dlg, 1018);  // asks sensor 8 again; no answer comes
    Settle();
    ASSERT_EQ(dlg.GetDlgItem(IDC_SENSOR_LIST)->GetWindowText(), "SENSOR 8");
    host_.boxes.clear();
    Save(dlg);
    EXPECT_EQ(host_.BoxTexts(), std::vector<std::string>{kNoData});
  });
  EXPECT_TRUE(WorkFiles().empty());
}

TEST_F(SingleFrameSaveTest, AFileThatCannotBeWrittenIsOneBoxNamingIt) {
  fs::create_directory(dir_.Path() / "sensor3.txt");
  Run([&](CMainDlg& dlg) {
    ChooseListEntry(dlg, IDC_SENSOR_LIST, 3);
    Answer(dlg, 3, {0x01, 0x5A});
    host_.boxes.clear();
    Save(dlg);
    const std::string path = (fs::current_path() / "sensor3.txt").string();
    EXPECT_EQ(host_.BoxTexts(), std::vector<std::string>{"Cannot write \"" + path + "\": " + std::strerror(EISDIR)});
    EXPECT_EQ(dlg.m_nRxLength, 2u);
  });
  EXPECT_TRUE(fs::is_directory(dir_.Path() / "sensor3.txt"));
  EXPECT_TRUE(fs::is_empty(dir_.Path() / "sensor3.txt"));
}

TEST_F(SingleFrameSaveTest, AWorkingDirectoryLongerThan250CharactersStillGetsTheFile) {
  fs::path deep = dir_.Path();
  for (int i = 0; i < 5; ++i) deep /= std::string(80, static_cast<char>('k' + i));
  fs::create_directories(deep);
  fs::current_path(deep);
  Run([&](CMainDlg& dlg) {
    ChooseListEntry(dlg, IDC_SENSOR_LIST, 1);
    Answer(dlg, 1, {0x01, 0x5A});
    host_.boxes.clear();
    Save(dlg);
    EXPECT_TRUE(host_.boxes.empty());
  });
  EXPECT_EQ(ReadFile((deep / "sensor1.txt").string()), "RECEIVE DATA LENGTH IS:   1\r\n0X5A");
}

}  // namespace
