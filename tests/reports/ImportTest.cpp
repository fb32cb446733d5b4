// "Import file": the sensor blocks of a chosen text file become the sensors' latest frames and
// count as one frame each; nothing else of the store moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "app/Sensors.h"
#include "platform/Format.h"
#include "platform/Input.h"
#include "reports/BlockScanner.h"
#include "support/MainDialogFixture.h"
#include "support/WorkedBlocks.h"

namespace {

namespace fs = std::filesystem;

// The store's fields, filled with patterns so that any write shows.
struct Store {
  std::array<FrameRow, kSensorCount> cur, prev, avg;
  std::array<std::uint8_t, kSensorCount> counts;
  std::array<std::array<std::int32_t, kRowLength>, kSensorCount> sums;
  std::array<BYTE, 512> rxFrame;
  std::uint32_t rxLength;
  std::uint8_t displayMode, savedMode;

  explicit Store(const CMainDlg& dlg)
      : cur(dlg.m_curFrames),
        prev(dlg.m_prevFrames),
        avg(dlg.m_avgFrames),
        counts(dlg.m_frameCount),
        sums(dlg.m_sums),
        rxFrame(dlg.m_rxFrame),
        rxLength(dlg.m_nRxLength),
        displayMode(dlg.m_nDisplayMode),
        savedMode(dlg.m_nSavedMode) {}
  bool operator==(const Store&) const = default;
};

void FillWithPatterns(CMainDlg& dlg) {
  for (int s = 0; s < kSensorCount; ++s) {
    for (int k = 0; k < kRowLength; ++k) {
      dlg.m_curFrames[s][k] = static_cast<BYTE>(0xC0 + s + k);
      dlg.m_prevFrames[s][k] = static_cast<BYTE>(0x11 * s + k);
      dlg.m_avgFrames[s][k] = static_cast<BYTE>(0x23 + s * k);
      dlg.m_sums[s][k] = -1000 * s - k;
    }
    dlg.m_frameCount[s] = static_cast<std::uint8_t>(10 + s);
  }
  for (std::size_t k = 0; k < dlg.m_rxFrame.size(); ++k) dlg.m_rxFrame[k] = static_cast<BYTE>(k * 3);
  dlg.m_nRxLength = 77;
  dlg.m_nDisplayMode = 2;
  dlg.m_nSavedMode = 1;
}

class ImportTest : public MainDialogTest {
 protected:
  static void Answer(CMainDlg& dlg, int sensor, const std::vector<BYTE>& bytes) {
    dlg.m_nCurSensor = static_cast<std::uint8_t>(sensor);
    dlg.m_bAwaitingFrame = 1;
    Deliver(dlg, bytes);
  }
  // The button's click, handled at once: a repaint it asked for would still be pending.
  static void ClickImport(CMainDlg& dlg) {
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IMPORT_FILE, BN_CLICKED), 0);
  }
  static std::string CountLabel(CMainDlg& dlg, int sensor) {
    return dlg.GetDlgItem(CountLabelId(sensor))->GetWindowText();
  }
};

const std::vector<BYTE> kRowB = {0x0C, 0x05, 0x1A, 0x2F, 0x44, 0x59, 0x6E, 0x83, 0x98, 0xAD, 0xC2, 0xD7, 0xEC};

// A sweep block with its own length line and sample lines, as a hand might write it.
std::string Block(char sensor, const std::string& lengthLine, const std::string& samples) {
  return Format("[SENSOR %c]\r\n\r\nSTORAGE AVERAGE DATA FROM   1 TO   9:\r\nAVERAGE TIME: 1\r\n", sensor) +
         lengthLine + "\r\n0X00,0X00,0X00,0X00,\r\n" + samples + "\r\n\r\nFROM 1 TO 9 SUM:0X00000000   0  \r\n\r\n\r\n";
}

struct Imported {
  int sensor;
  std::vector<BYTE> row;  // positions 0.. that the import wrote; the rest keep their pattern
  int frames;             // blocks of this sensor in the text
};

struct ImportCase {
  const char* name;
  std::string text;
  std::vector<Imported> imported;
};

std::string Samples(int from, int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    AppendFormat(text, "0X%02X", (from + i) & 0xFF);
    if (i != count) text += ", ";
    if (i % 10 == 0) text += "\r\n";
  }
  return text;
}

std::vector<BYTE> Row(int length, int from, int count) {
  std::vector<BYTE> row{static_cast<BYTE>(length)};
  for (int i = 1; i <= count; ++i) row.push_back(static_cast<BYTE>(from + i));
  return row;
}

const ImportCase kCases[] = {
    {"sweep example", kSweepBlockB, {{11, kRowB, 1}}},
    {"report example", kReportBlock3, {{3, {0x03, 0x7F, 0x80, 0x05}, 1}}},
    {"both, a sensor twice", kReportBlock3 + kSweepBlockB + Block('3', "0X00, 0X01, ", "0X44"),
     {{11, kRowB, 1}, {3, {0x01, 0x44, 0x80, 0x05}, 2}}},
    {"length is the second value less the first", Block('7', "0X02, 0X0A, ", Samples(0x30, 8)),
     {{7, Row(8, 0x30, 8), 1}}},
    {"a first value above the second wraps", Block('8', "0XFF, 0X01, ", "0X61, 0X62"), {{8, {0x02, 0x61, 0x62}, 1}}},
    // With no samples only the length is stored, and the scan goes on from the sum line's third
    // comma: the next block is found after a whole sum line and after one of three commas.
    {"no samples", Block('5', "0X00, 0X00, ", "") + Block('6', "0X00, 0X02, ", "0X91, 0X92"),
     {{5, {0x00}, 1}, {6, {0x02, 0x91, 0x92}, 1}}},
    {"no samples and a short sum line",
     "[SENSOR 5]\r\n0X00, 0X00, \r\n0X00,0X00,0X00," + Block('6', "0X00, 0X02, ", "0X91, 0X92"),
     {{5, {0x00}, 1}, {6, {0x02, 0x91, 0x92}, 1}}},
    // One sample: its token stands after the sum line's line end.
    {"one sample", Block('C', "0X00, 0X01, ", "0X5A") + Block('D', "0X00, 0X01, ", "0XA5"),
     {{12, {0x01, 0x5A}, 1}, {13, {0x01, 0xA5}, 1}}},
    {"eleven samples", Block('E', "0X00, 0X0B, ", Samples(0xE0, 11)) + Block('F', "0X00, 0X01, ", "0X0F"),
     {{14, Row(11, 0xE0, 11), 1}, {15, {0x01, 0x0F}, 1}}},
    // 'a' counts as 42 and 'f' as 47: as a low digit they set bit 5 too; high digits come out right.
    {"lower-case digits", Block('G', "0X00, 0X03, ", "0X1a, 0Xb0, 0X0f"), {{16, {0x03, 0x3A, 0xB0, 0x2F}, 1}}},
    {"a NUL byte ends the text", kReportBlock3 + std::string(1, '\0') + kSweepBlockB,
     {{3, {0x03, 0x7F, 0x80, 0x05}, 1}}},
    {"a NUL byte first", std::string(1, '\0') + kSweepBlockB, {}},
    {"a single-frame file", "RECEIVE DATA LENGTH IS:   5\r\n0X01, 0XAB, 0X7F, 0X80, 0XFF", {}},
    {"a sensor character out of range stops", kReportBlock3 + Block('U', "0X00, 0X01, ", "0X01") + kSweepBlockB,
     {{3, {0x03, 0x7F, 0x80, 0x05}, 1}}},
    {"a lower-case sensor character stops", Block('b', "0X00, 0X01, ", "0X01") + kSweepBlockB, {}},
    {"a ']' at the very start stops", "]" + kSweepBlockB, {}},
    // Cut after the fifth sample's comma: the length and five samples are kept, and it counts.
    {"a block cut short", kReportBlock3 + kSweepBlockB.substr(0, kSweepBlockB.find("0X6E")),
     {{3, {0x03, 0x7F, 0x80, 0x05}, 1}, {11, {0x0C, 0x05, 0x1A, 0x2F, 0x44, 0x59}, 1}}},
    {"a block cut before its length line", "[SENSOR 4]\r\n\r\nSTORAGE AVERAGE DATA", {{4, {}, 1}}},
    // The text ends before the last sample's token, or inside it: the samples before it are kept.
    {"no token after the last comma", kReportBlock3.substr(0, kReportBlock3.find("0X05")),
     {{3, {0x03, 0x7F, 0x80}, 1}}},
    {"a last token cut short", kReportBlock3.substr(0, kReportBlock3.find("0X05") + 3),
     {{3, {0x03, 0x7F, 0x80}, 1}}},
    // A computed length of 255 reads 254 samples; the scan goes on from the 253rd's comma.
    {"a length of 255", Block('S', "0X00, 0XFF, ", Samples(0, 255)) + Block('T', "0X00, 0X01, ", "0X7E"),
     {{28, Row(254, 0, 254), 1}, {29, {0x01, 0x7E}, 1}}},
};

void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.name; }

class ImportTextTest : public ImportTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(ImportTextTest, BlocksBecomeLatestFramesAndCountsAndNothingElseMoves) {
  const ImportCase& c = GetParam();
  WriteFile("import.txt", c.text);
  host_.fileAnswers = {"import.txt"};
  Run([&](CMainDlg& dlg) {
    FillWithPatterns(dlg);
    Settle();
    ASSERT_FALSE(runtime_.Queue().PeekUpdate(dlg.m_hWnd).has_value());
    const Store before(dlg);
    host_.boxes.clear();

    ClickImport(dlg);

    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_FALSE(runtime_.Queue().PeekUpdate(dlg.m_hWnd).has_value()) << "the import asks for no repaint";
    Store expected = before;
    expected.displayMode = 0;
    expected.savedMode = 0;
    for (const Imported& i : c.imported) {
      std::copy(i.row.begin(), i.row.end(), expected.cur[i.sensor].begin());
      expected.counts[i.sensor] = static_cast<std::uint8_t>(expected.counts[i.sensor] + i.frames);
    }
    const Store after(dlg);
    for (int s = 0; s < kSensorCount; ++s) {
      EXPECT_EQ(after.cur[s], expected.cur[s]) << "latest row of sensor " << s;
      EXPECT_EQ(after.counts[s], expected.counts[s]) << "count of sensor " << s;
    }
    EXPECT_TRUE(after == expected) << "another field of the store changed";
    for (const Imported& i : c.imported)
      EXPECT_EQ(CountLabel(dlg, i.sensor), Format("%2d", expected.counts[i.sensor])) << "sensor " << i.sensor;
  });
}

INSTANTIATE_TEST_SUITE_P(Texts, ImportTextTest, ::testing::ValuesIn(kCases), [](const auto& testCase) {
  std::string name;
  for (char ch : std::string(testCase.param.name)) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
  return name;
});

TEST_F(ImportTest, TheDialogAsksForTextFilesAndCancellingChangesNothing) {
  WriteFile("import.txt", kSweepBlockB);
  host_.fileAnswers = {std::nullopt};
  Run([&](CMainDlg& dlg) {
    FillWithPatterns(dlg);
    Settle();
    const Store before(dlg);
    host_.boxes.clear();
    ClickImport(dlg);
    EXPECT_TRUE(Store(dlg) == before) << "cancelling changed the store or the display modes";
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_FALSE(runtime_.Queue().PeekUpdate(dlg.m_hWnd).has_value());
  });
  EXPECT_EQ(host_.fileDialogTitles, std::vector<std::string>{"Open data file"});
  EXPECT_EQ(host_.fileDialogFilters, std::vector<std::string>{std::string("Text files(*.txt)\0*.txt\0\0", 26)});
}

TEST_F(ImportTest, AFileThatCannotBeReadIsOneBoxAndChangesNothing) {
  struct Case {
    const char* answer;
    int error;
  };
  fs::create_directory(dir_.Path() / "folder.txt");
  const Case cases[] = {{"missing.txt", ENOENT}, {"folder.txt", EISDIR}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    host_.fileAnswers = {c.answer};
    Run([&](CMainDlg& dlg) {
      FillWithPatterns(dlg);
      const Store before(dlg);
      host_.boxes.clear();
      ClickImport(dlg);
      EXPECT_EQ(host_.BoxTexts(),
                std::vector<std::string>{"Cannot read \"" + std::string(c.answer) + "\": " + std::strerror(c.error)});
      EXPECT_TRUE(Store(dlg) == before) << "a failed read changed the store or the display modes";
    });
  }
}

TEST_F(ImportTest, AnEmptyFileOnlyResetsTheDisplayModes) {
  WriteFile("empty.txt", "");
  host_.fileAnswers = {"empty.txt"};
  Run([&](CMainDlg& dlg) {
    FillWithPatterns(dlg);
    Store expected(dlg);
    expected.displayMode = 0;
    expected.savedMode = 0;
    ClickImport(dlg);
    EXPECT_TRUE(Store(dlg) == expected);
  });
}

TEST_F(ImportTest, TheSameFileTwiceCountsTwiceAndA256thFrameWrapsToZero) {
  WriteFile("import.txt", kReportBlock3 + kSweepBlockB);
  host_.fileAnswers = {"import.txt", "import.txt"};
  Run([&](CMainDlg& dlg) {
    dlg.m_frameCount[11] = 254;
    ClickImport(dlg);
    EXPECT_EQ(dlg.m_frameCount[3], 1);
    EXPECT_EQ(dlg.m_frameCount[11], 255);
    EXPECT_EQ(CountLabel(dlg, 11), "255");
    ClickImport(dlg);
    EXPECT_EQ(dlg.m_frameCount[3], 2);
    EXPECT_EQ(CountLabel(dlg, 3), " 2");
    EXPECT_EQ(dlg.m_frameCount[11], 0);
    EXPECT_EQ(CountLabel(dlg, 11), " 0");
    for (std::size_t k = 0; k < kRowB.size(); ++k) EXPECT_EQ(dlg.m_curFrames[11][k], kRowB[k]) << k;
  });
}

TEST_F(ImportTest, ASweepFileReadBackAfterClearGivesTheSameLatestFrames) {
  // Lengths 0, 1, 10, 11, 200 and a full row of 254 samples; one frame announces more than
  // arrived, and its sweep block lists zeros for the rest.
  std::vector<std::pair<int, std::vector<BYTE>>> frames = {
      {0, {0x00}}, {1, {0x01, 0x80}}, {9, Row(10, 0x70, 10)}, {10, Row(11, 0xF0, 11)}, {19, {0x06, 0x41, 0x42}},
      {20, Row(200, 0x10, 200)}, {29, Row(254, 0x00, 254)},
  };
  std::map<int, FrameRow> rows;
  Run([&](CMainDlg& dlg) {
    dlg.m_bSweepMode = 1;
    for (const auto& [sensor, bytes] : frames) Answer(dlg, sensor, bytes);
    dlg.m_bSweepMode = 0;
    host_.boxes.clear();
    dlg.FinishSweep();
    ASSERT_EQ(host_.BoxTexts(), std::vector<std::string>{"Receive data complete!"});
    for (const auto& [sensor, bytes] : frames) rows[sensor] = dlg.m_curFrames[sensor];

    ClickButton(dlg, IDC_CLEAR);
    Settle();
    ASSERT_EQ(dlg.m_curFrames[29], FrameRow{});
    host_.fileAnswers = {"SensorAllData.txt"};
    ClickImport(dlg);

    for (int s = 0; s < kSensorCount; ++s) {
      SCOPED_TRACE(s);
      if (rows.count(s)) {
        EXPECT_EQ(dlg.m_curFrames[s], rows[s]);
        EXPECT_EQ(dlg.m_frameCount[s], 1);
        EXPECT_EQ(CountLabel(dlg, s), " 1");
      } else {
        EXPECT_EQ(dlg.m_curFrames[s], FrameRow{});
        EXPECT_EQ(dlg.m_frameCount[s], 0);
      }
    }
    EXPECT_EQ(rows[19][0], 0x06);
    EXPECT_EQ(rows[29][254], 0xFE);
  });
}

// The digit conversion on its own, over every character class.
TEST(HexDigitValue, DigitsLettersAndEverythingElse) {
  struct Case {
    char c;
    BYTE value;
  };
  const Case cases[] = {{'0', 0},   {'9', 9},   {'A', 10},   {'F', 15},   {'G', 16},   {'a', 42},
                        {'f', 47},  {' ', 0xE9}, {',', 0xF5}, {'\0', 0xC9}, {'\xFF', 200}, {'/', 0xF8}};
  for (const Case& c : cases) EXPECT_EQ(HexDigitValue(c.c), c.value) << static_cast<int>(c.c);
}

}  // namespace
