#include "reports/SensorBlock.h"

#include "platform/Format.h"

namespace {

enum class SumLine { Sweep, Report };

void AppendBlock(std::string& text, char sensor, BYTE length, unsigned averageTime, std::int32_t blockSum,
                 const BYTE* samples, SumLine form) {
  const int n = length;
  AppendFormat(text, "[SENSOR %c]\r\n\r\n", sensor);
  AppendFormat(text, "storage AVERAGE data from %3d to %3d:\r\n", 1, n);
  AppendFormat(text, "Average time: %d\r\n", static_cast<int>(averageTime));
  AppendFormat(text, "0X%02x", 0);
  text += ", ";
  AppendFormat(text, "0X%02x", n);
  text += ", \r\n";

  if (form == SumLine::Sweep) {
    AppendFormat(text, "0X%02x,0X%02x,0X%02x,0X%02x,\r\n", 0, 0, 0, 0);
  } else {
    // The sum's eight hex digits, least significant byte first.
    const std::string hex = Format("%08X", static_cast<unsigned>(blockSum));
    for (int first : {6, 4, 2, 0}) {
      if (first != 6) text += ", ";
      text += "0X" + hex.substr(static_cast<std::size_t>(first), 2);
    }
    text += ", \r\n";
  }

  for (int i = 1; i <= n; ++i) {
    AppendFormat(text, "0X%02x", samples[i]);
    if (i != n) text += ", ";
    if (i % 10 == 0) text += "\r\n";
  }

  AppendFormat(text, "\r\n\r\nFrom %d to %d SUM:0X%08X   %d  ", 1, n, static_cast<unsigned>(blockSum), blockSum);
  text += "\r\n\r\n\r\n";
}

}  // namespace

void AppendSweepBlock(std::string& text, char sensor, const BYTE* frame) {
  AppendBlock(text, sensor, frame[0], 1, 0, frame, SumLine::Sweep);
}

void AppendReportBlock(std::string& text, char sensor, BYTE length, unsigned averageTime, std::int32_t blockSum,
                       const BYTE* samples) {
  AppendBlock(text, sensor, length, averageTime, blockSum, samples, SumLine::Report);
}
