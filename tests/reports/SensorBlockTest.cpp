// Sensor blocks as they reach the disk: built piece by piece, then upper-cased as a whole.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Format.h"
#include "reports/SensorBlock.h"
#include "support/WorkedBlocks.h"

namespace {

// The row layout both writers pass in: position 0 the length, 1..N the samples.
std::vector<BYTE> Row(std::vector<BYTE> samples) {
  std::vector<BYTE> row(255, 0);
  row[0] = static_cast<BYTE>(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) row[i + 1] = samples[i];
  return row;
}

std::string Upper(std::string text) {
  MakeUpper(text);
  return text;
}

struct BlockCase {
  const char* name;
  bool report;  // report block (sum line with blanks) or sweep block
  char sensor;
  std::vector<BYTE> samples;
  unsigned averageTime;  // report blocks only; a sweep block always says 1
  std::int32_t blockSum;  // report blocks only; a sweep block always carries 0
  std::string onDisk;
};

const BlockCase kBlocks[] = {
    {"SweepOfSensorBWithTwelveSamples", false, 'B',
     {0x05, 0x1A, 0x2F, 0x44, 0x59, 0x6E, 0x83, 0x98, 0xAD, 0xC2, 0xD7, 0xEC}, 0, 0,
     kSweepBlockB},
    {"ReportOfSensor3WithFourFrames", true, '3', {0x7F, 0x80, 0x05}, 4, 32538, kReportBlock3},
    {"ReportOfSensor2WithTwoFrames", true, '2', {0x10, 0xF1, 0x7F}, 2, 16610, kReportBlock2},
    // No samples: the footer's two line ends follow the sum line directly.
    {"SweepWithNoSamples", false, '0', {}, 0, 0,
     "[SENSOR 0]\r\n"
     "\r\n"
     "STORAGE AVERAGE DATA FROM   1 TO   0:\r\n"
     "AVERAGE TIME: 1\r\n"
     "0X00, 0X00, \r\n"
     "0X00,0X00,0X00,0X00,\r\n"
     "\r\n"
     "\r\n"
     "FROM 1 TO 0 SUM:0X00000000   0  \r\n"
     "\r\n"
     "\r\n"},
    // Ten samples: the tenth ends its line without a comma, so two empty lines precede FROM.
    // High bytes stay unsigned two-digit hex.
    {"SweepWithTenHighSamples", false, 'T',
     {0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF}, 0, 0,
     "[SENSOR T]\r\n"
     "\r\n"
     "STORAGE AVERAGE DATA FROM   1 TO  10:\r\n"
     "AVERAGE TIME: 1\r\n"
     "0X00, 0X0A, \r\n"
     "0X00,0X00,0X00,0X00,\r\n"
     "0XF6, 0XF7, 0XF8, 0XF9, 0XFA, 0XFB, 0XFC, 0XFD, 0XFE, 0XFF\r\n"
     "\r\n"
     "\r\n"
     "FROM 1 TO 10 SUM:0X00000000   0  \r\n"
     "\r\n"
     "\r\n"},
    // Eleven samples: a full line of ten, then the eleventh alone.
    {"ReportWithElevenSamples", true, 'A',
     {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B}, 255, 506,
     "[SENSOR A]\r\n"
     "\r\n"
     "STORAGE AVERAGE DATA FROM   1 TO  11:\r\n"
     "AVERAGE TIME: 255\r\n"
     "0X00, 0X0B, \r\n"
     "0XFA, 0X01, 0X00, 0X00, \r\n"
     "0X01, 0X02, 0X03, 0X04, 0X05, 0X06, 0X07, 0X08, 0X09, 0X0A, \r\n"
     "0X0B\r\n"
     "\r\n"
     "FROM 1 TO 11 SUM:0X000001FA   506  \r\n"
     "\r\n"
     "\r\n"},
    // The block sum is signed: its bytes are those of the two's complement, the footer's
    // decimal keeps the sign.
    {"ReportWithNegativeBlockSum", true, '9', {0xFF}, 1, -1,
     "[SENSOR 9]\r\n"
     "\r\n"
     "STORAGE AVERAGE DATA FROM   1 TO   1:\r\n"
     "AVERAGE TIME: 1\r\n"
     "0X00, 0X01, \r\n"
     "0XFF, 0XFF, 0XFF, 0XFF, \r\n"
     "0XFF\r\n"
     "\r\n"
     "FROM 1 TO 1 SUM:0XFFFFFFFF   -1  \r\n"
     "\r\n"
     "\r\n"},
};

void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

class SensorBlockTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(SensorBlockTest, UpperCasedBlockMatchesTheFileByteForByte) {
  const BlockCase& c = GetParam();
  const std::vector<BYTE> row = Row(c.samples);
  std::string text;
  if (c.report)
    AppendReportBlock(text, c.sensor, row[0], c.averageTime, c.blockSum, row.data());
  else
    AppendSweepBlock(text, c.sensor, row.data());
  EXPECT_EQ(Upper(text), c.onDisk);
}

INSTANTIATE_TEST_SUITE_P(Blocks, SensorBlockTest, ::testing::ValuesIn(kBlocks),
                         [](const auto& blockCase) { return std::string(blockCase.param.name); });

TEST(SensorBlock, HundredSamplesFillTheColumnsAndTenFullLines) {
  std::vector<BYTE> samples;
  for (int i = 1; i <= 100; ++i) samples.push_back(static_cast<BYTE>(i));
  const std::vector<BYTE> row = Row(samples);
  std::string text;
  AppendSweepBlock(text, '5', row.data());
  text = Upper(text);

  const std::string head =
      "[SENSOR 5]\r\n"
      "\r\n"
      "STORAGE AVERAGE DATA FROM   1 TO 100:\r\n"
      "AVERAGE TIME: 1\r\n"
      "0X00, 0X64, \r\n"
      "0X00,0X00,0X00,0X00,\r\n";
  const std::string tail =
      "\r\n"
      "\r\n"
      "FROM 1 TO 100 SUM:0X00000000   0  \r\n"
      "\r\n"
      "\r\n";
  ASSERT_EQ(text.substr(0, head.size()), head);
  ASSERT_GE(text.size(), head.size() + tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);

  // Between them: ten lines of ten samples; all but the very last sample carry ", ".
  const std::string body = text.substr(head.size(), text.size() - head.size() - tail.size());
  std::vector<std::string> lines;
  for (std::size_t from = 0; from < body.size();) {
    const std::size_t end = body.find("\r\n", from);
    ASSERT_NE(end, std::string::npos) << "sample lines end with CR LF";
    lines.push_back(body.substr(from, end - from));
    from = end + 2;
  }
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines.front(), "0X01, 0X02, 0X03, 0X04, 0X05, 0X06, 0X07, 0X08, 0X09, 0X0A, ");
  EXPECT_EQ(lines[4], "0X29, 0X2A, 0X2B, 0X2C, 0X2D, 0X2E, 0X2F, 0X30, 0X31, 0X32, ");
  EXPECT_EQ(lines.back(), "0X5B, 0X5C, 0X5D, 0X5E, 0X5F, 0X60, 0X61, 0X62, 0X63, 0X64");
}

TEST(SensorBlock, BlocksAppendInMixedCaseAfterWhatIsCollected) {
  // The collected text is only upper-cased when a file is written; until then a block is
  // exactly what the format pieces give, appended with nothing in between.
  const std::vector<BYTE> first = Row({0xAB});
  const std::vector<BYTE> second = Row({0xCD, 0xEF});
  std::string text = "earlier text";
  AppendSweepBlock(text, 'B', first.data());
  AppendReportBlock(text, 'C', second[0], 3, 0xBEEF, second.data());
  EXPECT_EQ(text,
            "earlier text"
            "[SENSOR B]\r\n\r\n"
            "storage AVERAGE data from   1 to   1:\r\n"
            "Average time: 1\r\n"
            "0X00, 0X01, \r\n"
            "0X00,0X00,0X00,0X00,\r\n"
            "0Xab\r\n\r\n"
            "From 1 to 1 SUM:0X00000000   0  \r\n\r\n\r\n"
            "[SENSOR C]\r\n\r\n"
            "storage AVERAGE data from   1 to   2:\r\n"
            "Average time: 3\r\n"
            "0X00, 0X02, \r\n"
            "0XEF, 0XBE, 0X00, 0X00, \r\n"
            "0Xcd, 0Xef\r\n\r\n"
            "From 1 to 2 SUM:0X0000BEEF   48879  \r\n\r\n\r\n");
}

}  // namespace
