// "Average": per-position averages of every sensor with frames, the view switched to the
// average view, and "SensorAvg.txt" written as one report block per sensor.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "app/Sensors.h"
#include "platform/Format.h"
#include "reports/SensorBlock.h"
#include "support/MainDialogFixture.h"
#include "support/WorkedBlocks.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kReport = "SensorAvg.txt";

class AverageReportTest : public MainDialogTest {
 protected:
  // `sensor` was asked for and `bytes` arrive.
  static void Answer(CMainDlg& dlg, int sensor, const std::vector<BYTE>& bytes) {
    dlg.m_nCurSensor = static_cast<std::uint8_t>(sensor);
    dlg.m_bAwaitingFrame = 1;
    Deliver(dlg, bytes);
  }
  // The button's click, handled at once: nothing else runs, so no paint has used up the mode
  // or the repaint rectangle yet.
  static void ClickAverage(CMainDlg& dlg) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_AVERAGE, BN_CLICKED), 0); }

  // The text a report block for an average row carries on disk.
  static std::string BlockOnDisk(int sensor, BYTE length, unsigned averageTime, std::int32_t blockSum,
                                 const FrameRow& row) {
    std::string text;
    AppendReportBlock(text, SensorChar(sensor), length, averageTime, blockSum, row.data());
    MakeUpper(text);
    return text;
  }
};

TEST_F(AverageReportTest, WorkedExamplesOfSensors2And3ByteForByte) {
  Run([&](CMainDlg& dlg) {
    // Sensor 3: four frames whose average is 7F 80 05; sensor 2: the frames of lengths 3 and 4.
    Answer(dlg, 3, {0x03, 0x7F, 0x80, 0x05});
    Answer(dlg, 2, {0x03, 0x10, 0xF0, 0x7F});
    Answer(dlg, 3, {0x03, 0x7F, 0x80, 0x04});
    Answer(dlg, 3, {0x03, 0x7F, 0x80, 0x06});
    Answer(dlg, 2, {0x04, 0x11, 0xF1, 0x7F, 0x05});
    Answer(dlg, 3, {0x03, 0x7F, 0x80, 0x05});
    Settle();
    host_.boxes.clear();

    ClickAverage(dlg);

    EXPECT_TRUE(host_.boxes.empty());
    // Position 4 (5 / 2 = 2) is averaged although it lies beyond the length 3.
    const std::vector<BYTE> average2 = {0x03, 0x10, 0xF1, 0x7F, 0x02, 0x00};
    for (std::size_t k = 0; k < average2.size(); ++k) EXPECT_EQ(dlg.m_avgFrames[2][k], average2[k]) << k;
    const std::vector<BYTE> average3 = {0x03, 0x7F, 0x80, 0x05, 0x00};
    for (std::size_t k = 0; k < average3.size(); ++k) EXPECT_EQ(dlg.m_avgFrames[3][k], average3[k]) << k;
  });
  EXPECT_EQ(ReadFile(kReport), kReportBlock2 + kReportBlock3);
}

TEST_F(AverageReportTest, AveragesTruncateTowardZeroAndTheBlockSumReadsThemSigned) {
  struct Case {
    const char* name;
    std::vector<std::vector<BYTE>> frames;
    std::vector<BYTE> average;  // positions 0.. of the average row
    std::int32_t blockSum;
  };
  const Case cases[] = {
      // One frame: the average is the frame itself, the time 1.
      {"one frame", {{0x04, 0x01, 0x80, 0xFF, 0x7F}}, {0x04, 0x01, 0x80, 0xFF, 0x7F}, 1 + 16384 + 1 + 16129},
      // -7 / 2 = -3 (FD), not -4; 7 / 2 = 3; lengths 2 and 3 give 2.
      {"signs", {{0x02, 0xFD, 0x03}, {0x03, 0xFC, 0x04, 0x09}}, {0x02, 0xFD, 0x03, 0x04}, 9 + 9},
      // -1 / 3 = 0; -128 * 3 / 3 = -128 (80); 2 / 3 = 0.
      {"small sums", {{0x02, 0xFF, 0x80}, {0x02, 0x00, 0x80}, {0x02, 0x00, 0x80}}, {0x02, 0x00, 0x80}, 16384},
      // Length 0: no samples, block sum 0, whatever the other positions average to.
      {"length 0", {{0x00, 0x50}, {0x01, 0x50}}, {0x00, 0x50}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int sensor = 17;
    FrameRow average{};
    Run([&](CMainDlg& dlg) {
      for (const auto& frame : c.frames) Answer(dlg, sensor, frame);
      ClickAverage(dlg);
      average = dlg.m_avgFrames[sensor];
    });
    for (std::size_t k = 0; k < c.average.size(); ++k) EXPECT_EQ(average[k], c.average[k]) << "position " << k;
    EXPECT_EQ(ReadFile(kReport),
              BlockOnDisk(sensor, c.average[0], static_cast<unsigned>(c.frames.size()), c.blockSum, average));
  }
}

TEST_F(AverageReportTest, WithoutFramesTheReportIsEmptiedAndTheAverageViewStillShown) {
  WriteFile(kReport, "an earlier report");
  Run([&](CMainDlg& dlg) {
    for (FrameRow& row : dlg.m_avgFrames) row.fill(0x5C);
    dlg.m_nDisplayMode = 1;
    dlg.m_nSavedMode = 0;
    Settle();
    ASSERT_FALSE(runtime_.Queue().PeekUpdate(dlg.m_hWnd).has_value());
    host_.boxes.clear();

    ClickAverage(dlg);

    EXPECT_EQ(dlg.m_nDisplayMode, 2);
    EXPECT_EQ(dlg.m_nSavedMode, 2);
    const auto update = runtime_.Queue().PeekUpdate(dlg.m_hWnd);
    ASSERT_TRUE(update.has_value());
    EXPECT_EQ(update->rect, dlg.m_rcPlot);
    EXPECT_TRUE(update->erase);
    for (const FrameRow& row : dlg.m_avgFrames)
      for (BYTE b : row) ASSERT_EQ(b, 0x5C) << "an average row changed without frames";
    EXPECT_TRUE(host_.boxes.empty());
  });
  EXPECT_EQ(ReadFile(kReport), "");
}

TEST_F(AverageReportTest, EverySensorWithFramesHasItsBlockInAscendingOrder) {
  // Sensors answer in a scrambled order; 4 and 22 have no frames.
  const int order[] = {29, 0, 13, 9, 10, 1, 5, 2, 3, 6, 7, 8, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 23, 24,
                       25, 26, 27, 28};
  Run([&](CMainDlg& dlg) {
    // Sensor s answers s % 3 + 1 times with the samples s and F0 - s.
    for (int s : order)
      for (int i = 0; i <= s % 3; ++i) Answer(dlg, s, {0x02, static_cast<BYTE>(s), static_cast<BYTE>(0xF0 - s)});
    ClickAverage(dlg);
  });
  const auto file = ReadFile(kReport);
  ASSERT_TRUE(file);

  std::string headers;
  for (std::size_t at = file->find('['); at != std::string::npos; at = file->find('[', at + 1))
    headers += file->substr(at, 10);
  EXPECT_EQ(headers,
            "[SENSOR 0][SENSOR 1][SENSOR 2][SENSOR 3][SENSOR 5][SENSOR 6][SENSOR 7][SENSOR 8][SENSOR 9]"
            "[SENSOR A][SENSOR B][SENSOR C][SENSOR D][SENSOR E][SENSOR F][SENSOR G][SENSOR H][SENSOR I]"
            "[SENSOR J][SENSOR K][SENSOR L][SENSOR N][SENSOR O][SENSOR P][SENSOR Q][SENSOR R][SENSOR S]"
            "[SENSOR T]");

  std::string expected;
  for (int s = 0; s < kSensorCount; ++s) {
    if (s == 4 || s == 22) continue;
    FrameRow row{};
    row[0] = 0x02;
    row[1] = static_cast<BYTE>(s);
    row[2] = static_cast<BYTE>(0xF0 - s);
    const int second = static_cast<std::int8_t>(row[2]);
    expected += BlockOnDisk(s, 2, static_cast<unsigned>(s % 3 + 1), s * s + second * second, row);
  }
  EXPECT_EQ(*file, expected);
}

TEST_F(AverageReportTest, AnAverageLengthOf255IsReportedWith254SamplesOfTheRow) {
  std::vector<BYTE> read(255);
  read[0] = 0xFF;
  std::int32_t blockSum = 0;
  for (int k = 1; k < 255; ++k) {
    read[k] = static_cast<BYTE>(0x80 + k);
    blockSum += static_cast<std::int8_t>(read[k]) * static_cast<std::int8_t>(read[k]);
  }
  Run([&](CMainDlg& dlg) {
    Answer(dlg, 28, read);
    // The row after sensor 28's: a sample read past position 254 would come from here.
    Answer(dlg, 29, {0x01, 0x33});
    ClickAverage(dlg);
    EXPECT_EQ(dlg.m_avgFrames[28][0], 0xFF) << "the average itself is kept";
    for (int k = 1; k < 255; ++k) ASSERT_EQ(dlg.m_avgFrames[28][k], read[k]) << k;
  });
  const auto file = ReadFile(kReport);
  ASSERT_TRUE(file);
  FrameRow row{};
  std::copy(read.begin(), read.end(), row.begin());
  FrameRow row29{};
  row29[0] = 0x01;
  row29[1] = 0x33;
  EXPECT_EQ(*file, BlockOnDisk(28, 254, 1, blockSum, row) + BlockOnDisk(29, 1, 1, 0x33 * 0x33, row29));
  EXPECT_NE(file->find("STORAGE AVERAGE DATA FROM   1 TO 254:\r\n"), std::string::npos);
  EXPECT_NE(file->find("0X00, 0XFE, \r\n"), std::string::npos);
  EXPECT_NE(file->find(Format("FROM 1 TO 254 SUM:0X%08X   %d  ", static_cast<unsigned>(blockSum), blockSum)),
            std::string::npos);
}

TEST_F(AverageReportTest, AReportThatCannotBeWrittenIsOneBoxAndTheAveragesStayComputed) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    int error;
  };
  const Case cases[] = {
      {"a directory in its place", [] { fs::create_directory(kReport); }, EISDIR},
      {"a link into a missing directory", [] { fs::create_symlink("missing/SensorAvg.txt", kReport); }, ENOENT},
      {"a link to itself", [] { fs::create_symlink(kReport, kReport); }, ELOOP},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(kReport);
    c.arrange();
    Run([&](CMainDlg& dlg) {
      Answer(dlg, 6, {0x02, 0x20, 0xE0});
      Answer(dlg, 6, {0x02, 0x22, 0xE2});
      host_.boxes.clear();
      ClickAverage(dlg);
      const std::string path = (fs::current_path() / kReport).string();
      EXPECT_EQ(host_.BoxTexts(), std::vector<std::string>{"Cannot write \"" + path + "\": " + std::strerror(c.error)});
      EXPECT_EQ(dlg.m_avgFrames[6][0], 0x02);
      EXPECT_EQ(dlg.m_avgFrames[6][1], 0x21);
      EXPECT_EQ(dlg.m_avgFrames[6][2], 0xE1);
      EXPECT_EQ(dlg.m_nDisplayMode, 2);
    });
    std::error_code error;
    EXPECT_FALSE(fs::is_regular_file(kReport, error)) << "no report appeared";
  }
}

TEST_F(AverageReportTest, AReadOnlyDirectoryIsOneBoxNamingTheReport) {
  fs::permissions(dir_.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (::access(dir_.Path().c_str(), W_OK) == 0) {
    fs::permissions(dir_.Path(), fs::perms::owner_all);
    GTEST_SKIP() << "this user may write into a read-only directory";
  }
  Run([&](CMainDlg& dlg) {
    Answer(dlg, 0, {0x01, 0x40});
    host_.boxes.clear();
    ClickAverage(dlg);
    EXPECT_EQ(host_.BoxTexts(), std::vector<std::string>{"Cannot write \"" + (fs::current_path() / kReport).string() +
                                                         "\": " + std::strerror(EACCES)});
    EXPECT_EQ(dlg.m_avgFrames[0][1], 0x40);
  });
  fs::permissions(dir_.Path(), fs::perms::owner_all);
  EXPECT_FALSE(ReadFile(kReport));
}

TEST_F(AverageReportTest, AWorkingDirectoryLongerThan250CharactersStillGetsTheReport) {
  fs::path deep = dir_.Path();
  for (int i = 0; i < 6; ++i) deep /= std::string(60, static_cast<char>('a' + i));
  fs::create_directories(deep);
  fs::current_path(deep);
  ASSERT_GT(fs::current_path().string().size(), 360u);
  Run([&](CMainDlg& dlg) {
    Answer(dlg, 1, {0x01, 0x07});
    host_.boxes.clear();
    ClickAverage(dlg);
    EXPECT_TRUE(host_.boxes.empty()) << host_.boxes.front().text;
  });
  FrameRow row{};
  row[0] = 0x01;
  row[1] = 0x07;
  const auto file = ReadFile((deep / kReport).string());
  EXPECT_EQ(file, BlockOnDisk(1, 1, 1, 49, row));
}

}  // namespace
