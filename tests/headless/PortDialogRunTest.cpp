// "Set Comm." run from a script: the answer that `portdlg` arranges reaches the dialog.
#include <nlohmann/json.hpp>

#include "sim/SimDevice.h"
#include "support/HeadlessRun.h"

namespace {

nlohmann::json LastDump(const std::string& out) {
  const auto at = out.rfind("dump: ");
  return at == std::string::npos ? nlohmann::json::object() : nlohmann::json::parse(out.substr(at + 6));
}

TEST_F(HeadlessRun, PortDialogAnswersReopenThePortOrCancel) {
  std::string error;
  auto device = SimDevice::Start(SimOptions{}, &error);
  ASSERT_NE(device, nullptr) << error;
  WriteConfig("1;9600;0;250;");
  const Outcome run = RunScript(
      "portdlg COM2 115200\n"
      "click 1002\n"
      "dump\n"
      "portdlg cancel\n"
      "click 1002\n"
      "click 1002\n"
      "click 1015\n"
      "wait 600\n"
      "dump\n"
      "close\n",
      {"--port", "COM2=" + device->DevicePath()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "box: Can't open the serial port, please check the hardware!");
  const auto first = LastDump(run.out.substr(0, run.out.find("dump: ", run.out.find("dump: ") + 1)));
  EXPECT_EQ(first["texts"]["1073"], "2");
  EXPECT_EQ(first["texts"]["1074"], "115200");
  const auto last = LastDump(run.out);
  EXPECT_EQ(last["texts"]["1073"], "2") << "cancel, and a dialog with no answer, change nothing";
  EXPECT_EQ(last["texts"]["1043"], " 1") << "the reopened port carries requests";
  EXPECT_EQ(Config(), "2;115200;0;250;");
}

}  // namespace
