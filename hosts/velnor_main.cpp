// The program's entry: reads the command line, picks the host and runs the application.
#include <iostream>
#include <iterator>
#include <sstream>

#include "app/MainApp.h"
#include "hosts/CommandLine.h"
#include "hosts/headless/HeadlessHost.h"
#include "hosts/headless/Script.h"
#include "hosts/qt/QtMain.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Runtime.h"
#include "platform/SerialPortNames.h"
#include "res/ProgramResources.h"
#include "res/Resources.h"
#include "sim/SimDevice.h"

namespace {

// The base name of the program file: the title of every message box.
std::string ProgramTitle(const char* argv0) {
  std::string name = argv0 ? argv0 : "velnor";
  if (const auto slash = name.find_last_of('/'); slash != std::string::npos) name.erase(0, slash + 1);
  return name.empty() ? "velnor" : name;
}

int RunHeadless(const CommandLine& options, const std::string& title) {
  std::string text;
  if (options.scriptPath) {
    std::string reason;
    auto content = ReadWholeFile(*options.scriptPath, &reason);
    if (!content) {
      std::cerr << title << ": cannot read script " << *options.scriptPath << ": " << reason << std::endl;
      return 2;
    }
    text = std::move(*content);
  } else {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  ParsedScript script = ParseScript(text, *FindDialogTemplate(IDD_MAIN_DIALOG));
  if (!script.error.empty()) {
    std::cerr << "error: " << script.error << std::endl;
    return 2;
  }
  RealClock clock;
  HeadlessHost host(std::move(script.commands), std::cout, std::cerr);
  Runtime runtime(host, clock, ProgramResources(), title);
  AfxWinMain(theApp);
  return host.ExitStatus();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string title = ProgramTitle(argc > 0 ? argv[0] : nullptr);
  const ParsedCommandLine parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << title << ": " << parsed.error << std::endl;
    return 2;
  }
  const CommandLine& options = parsed.options;
  if (options.help) {
    std::cout << UsageText(title);
    return 0;
  }
  if (options.version) {
    std::cout << title << " 1.0.0" << std::endl;
    return 0;
  }
  for (const auto& [number, path] : options.ports) SerialPortNames::Instance().Assign(number, path);
  std::unique_ptr<SimDevice> simulator;
  if (options.simulate) {
    std::string reason;
    simulator = SimDevice::Start(SimOptions{}, &reason);
    if (!simulator) {
      std::cerr << title << ": --simulate: " << reason << std::endl;
      return 1;
    }
    if (!options.ports.contains(1)) SerialPortNames::Instance().Assign(1, simulator->DevicePath());
  }
  return options.headless ? RunHeadless(options, title) : RunWindow(argc, argv, title);
}
