// The reports end to end: the program, run from a script, sweeps the simulated device, then
// writes the average report and the single-frame file and reads the sweep file back.
#include <algorithm>
#include <map>
#include <sstream>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/Sensors.h"
#include "platform/Format.h"
#include "reports/SensorBlock.h"
#include "sim/SimDevice.h"
#include "support/HeadlessRun.h"

namespace {

class ReportsRun : public HeadlessRun {
 protected:
  // The frame each sensor sent, as the program stores it: positions 0..254 of the reply.
  static std::map<int, std::vector<BYTE>> FramesSent(const SimDevice& device) {
    std::map<int, std::vector<BYTE>> frames;
    for (const SentFrame& sent : device.Sent()) {
      if (sent.sensor == SimDevice::kStray || sent.bytes.empty()) continue;
      std::vector<BYTE> row(kRowLength, 0);
      std::copy_n(sent.bytes.begin(), std::min<std::size_t>(sent.bytes.size(), kRowLength), row.begin());
      frames[sent.sensor] = row;
    }
    return frames;
  }
};

TEST_F(ReportsRun, AfterASweepAverageSaveAndImportWorkOnWhatTheDeviceSent) {
  std::string error;
  auto device = SimDevice::Start(SimOptions{}, &error);
  ASSERT_TRUE(device) << error;
  WriteConfig("1;115200;0;250;");
  const Outcome run = RunScript(
      "click 1006\n"
      "await-box 20000\n"
      "click 1005\n"
      "click 1007\n"
      "openfile SensorAllData.txt\n"
      "click 1086\n"
      "dump\n",
      {"--port", "COM1=" + device->DevicePath()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");

  std::istringstream lines(run.out);
  std::vector<std::string> boxes;
  std::string dumpLine;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("box: ", 0) == 0) boxes.push_back(line);
    if (line.rfind("dump: ", 0) == 0) dumpLine = line.substr(6);
  }
  EXPECT_EQ(boxes, std::vector<std::string>{"box: Receive data complete!"}) << run.out;

  const auto frames = FramesSent(*device);
  ASSERT_EQ(frames.size(), static_cast<std::size_t>(kSensorCount));

  // One frame per sensor: every average is that frame, the time 1.
  std::string report;
  for (const auto& [sensor, row] : frames) {
    std::int32_t blockSum = 0;
    for (int i = 1; i <= row[0]; ++i) blockSum += static_cast<std::int8_t>(row[i]) * static_cast<std::int8_t>(row[i]);
    AppendReportBlock(report, SensorChar(sensor), row[0], 1, blockSum, row.data());
  }
  MakeUpper(report);
  EXPECT_EQ(WorkFile("SensorAvg.txt"), report);

  // The list shows the last sensor of the sweep; its frame is the last one received.
  const std::vector<BYTE>& last = frames.at(kSensorCount - 1);
  std::string saved = Format("RECEIVE DATA LENGTH IS: %3d\r\n", last[0]);
  for (int i = 1; i <= last[0]; ++i) {
    saved += Format("0X%02X", last[static_cast<std::size_t>(i)]);
    if (i != last[0]) saved += ", ";
    if (i % 10 == 0) saved += "\r\n";
  }
  EXPECT_EQ(WorkFile("sensorT.txt"), saved);

  // Each sensor: one frame from the device and one imported block.
  ASSERT_FALSE(dumpLine.empty()) << run.out;
  const auto dump = nlohmann::json::parse(dumpLine);
  for (int s = 0; s < kSensorCount; ++s)
    EXPECT_EQ(dump["texts"][std::to_string(CountLabelId(s))], " 2") << "sensor " << s;
  EXPECT_EQ(dump["texts"]["1009"], "SENSOR T");
}

}  // namespace
