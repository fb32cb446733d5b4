// The whole loop: the program, run from a script, sweeps the simulated device over a
// pseudo-terminal and writes what it received.
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/Sensors.h"
#include "platform/Format.h"
#include "reports/SensorBlock.h"
#include "sim/SimDevice.h"
#include "support/HeadlessRun.h"

namespace {

class SimulatedSweep : public HeadlessRun {
 protected:
  std::unique_ptr<SimDevice> StartDevice(SimOptions options) {
    std::string error;
    auto device = SimDevice::Start(options, &error);
    EXPECT_NE(device, nullptr) << error;
    return device;
  }

  // The sweep file the program should write for what the device sent.
  static std::string ExpectedFile(const SimDevice& device) {
    std::string text;
    for (const SentFrame& sent : device.Sent()) {
      if (sent.sensor == SimDevice::kStray || sent.bytes.empty()) continue;
      std::vector<BYTE> frame(512, 0);
      std::copy_n(sent.bytes.begin(), std::min<std::size_t>(sent.bytes.size(), 255), frame.begin());
      AppendSweepBlock(text, SensorChar(sent.sensor), frame.data());
    }
    MakeUpper(text);
    return text;
  }

  // Sweeps the device from a script: the sweep completes, the file holds `blocks` blocks of
  // exactly what the device sent, and the list shows `listText`.
  void SweepWrites(const SimOptions& options, int blocks, const std::string& listText) {
    auto device = StartDevice(options);
    ASSERT_TRUE(device);
    WriteConfig("1;115200;0;250;");
    const Outcome run = RunScript("click 1006\nawait-box 20000\ndump\n", {"--port", "COM1=" + device->DevicePath()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "box: Receive data complete!");
    const auto file = WorkFile("SensorAllData.txt");
    ASSERT_TRUE(file);
    EXPECT_EQ(BlockCount(*file), blocks);
    EXPECT_EQ(*file, ExpectedFile(*device));
    EXPECT_NE(run.out.find("\"1009\":\"" + listText + "\""), std::string::npos) << run.out;
  }

  static int BlockCount(const std::string& text) {
    int blocks = 0;
    for (std::size_t at = text.find("[SENSOR "); at != std::string::npos; at = text.find("[SENSOR ", at + 1)) ++blocks;
    return blocks;
  }
};

TEST_F(SimulatedSweep, AFullSweepWritesThirtyBlocksOfWhatTheDeviceSent) {
  SweepWrites(SimOptions{}, 30, "SENSOR T");
}

TEST_F(SimulatedSweep, ASweepEndsAtTheFirstSilentSensor) {
  SimOptions options;
  for (int s = 8; s < kSensorCount; ++s) options.silentSensors.insert(s);
  options.frameLength = 20;
  SweepWrites(options, 8, "SENSOR 7");
}

TEST_F(SimulatedSweep, SimulateOpensTheBuiltInDeviceOnCom1) {
  WriteConfig("1;115200;0;250;");
  const auto script = root_ / "simulate.txt";
  std::ofstream(script) << "click 1015\nwait 600\ndump\n";
  const Outcome run = Run({"--headless", "--simulate", "--script", script.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("box:"), std::string::npos) << run.out;
  const auto dump = nlohmann::json::parse(run.out.substr(run.out.find("dump: ") + 6));
  EXPECT_EQ(dump["texts"]["1043"], " 1") << "sensor 5 has its frame";
  EXPECT_NE(dump["texts"]["1075"], "");
}

}  // namespace
