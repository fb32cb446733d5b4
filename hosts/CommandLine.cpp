#include "hosts/CommandLine.h"

namespace {

// "COMn=PATH" with n = 1..8 and a path that is not empty.
bool ParsePortMapping(const std::string& text, CommandLine& options) {
  if (text.size() < 6 || text.compare(0, 3, "COM") != 0 || text[3] < '1' || text[3] > '8' || text[4] != '=')
    return false;
  options.ports[text[3] - '0'] = text.substr(5);
  return true;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  CommandLine& options = parsed.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--headless") {
      options.headless = true;
    } else if (argument == "--simulate") {
      options.simulate = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--script" || argument == "--port") {
      if (i + 1 == arguments.size()) {
        parsed.error = argument + " needs a value";
        return parsed;
      }
      const std::string& value = arguments[++i];
      if (argument == "--script") {
        options.scriptPath = value;
      } else if (!ParsePortMapping(value, options)) {
        parsed.error = "--port " + value + ": expected COMn=PATH with n from 1 to 8";
        return parsed;
      }
    } else {
      parsed.error = "unknown argument '" + argument + "'";
      return parsed;
    }
  }
  return parsed;
}

std::string UsageText(const std::string& program) {
  return "usage: " + program +
         " [--headless] [--script FILE] [--port COMn=PATH]... [--simulate] [--help] [--version]\n"
         "\n"
         "  --headless          run without a window; commands come from --script FILE or standard input\n"
         "  --script FILE       the commands to run (with --headless)\n"
         "  --port COMn=PATH    the serial device that COMn (n = 1..8) opens; may be repeated\n"
         "  --simulate          start the built-in simulated device and map COM1 to it\n"
         "  --help              show this text\n"
         "  --version           show the program's version\n";
}
