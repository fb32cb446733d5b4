#include "hosts/headless/Script.h"

#include <charconv>
#include <optional>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Splits off the next word; `rest` keeps what follows it, without the one blank after it.
std::string_view NextWord(std::string_view& rest) {
  std::size_t end = 0;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  const std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end < rest.size() ? end + 1 : end);
  return word;
}

std::optional<long long> Number(std::string_view word) {
  long long value = 0;
  if (word.empty() || word[0] == '+' || word[0] == '-') return std::nullopt;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

class LineParser {
 public:
  LineParser(std::string_view line, const DialogTemplate& dialog) : rest_(line), dialog_(dialog) {}

  // Fills `command`; returns the reason when the line is bad.
  std::string Parse(Command& command);

 private:
  std::string Word(std::string_view what, std::string_view& out);
  std::string NumberArg(std::string_view what, long long max, long long& out);
  std::string ControlArg(Command& command, std::string_view use);
  std::string NoMore();

  std::string_view rest_;
  const DialogTemplate& dialog_;
};

std::string LineParser::Word(std::string_view what, std::string_view& out) {
  while (!rest_.empty() && IsBlank(rest_.front())) rest_.remove_prefix(1);
  out = NextWord(rest_);
  return out.empty() ? "missing " + std::string(what) : std::string();
}

std::string LineParser::NumberArg(std::string_view what, long long max, long long& out) {
  std::string_view word;
  if (auto error = Word(what, word); !error.empty()) return error;
  const auto value = Number(word);
  if (!value || *value > max)
    return std::string(what) + " must be a whole number from 0 to " + std::to_string(max) + ", not '" +
           std::string(word) + "'";
  out = *value;
  return {};
}

std::string LineParser::NoMore() {
  while (!rest_.empty() && IsBlank(rest_.front())) rest_.remove_prefix(1);
  return rest_.empty() ? std::string() : "unexpected '" + std::string(rest_) + "'";
}

// Reads a control id and checks that a person can use that control as `use` says.
std::string LineParser::ControlArg(Command& command, std::string_view use) {
  long long id = 0;
  if (auto error = NumberArg("control id", 65535, id); !error.empty()) return error;
  command.id = static_cast<int>(id);
  if (use == "focus" && id == 0) return {};
  const ControlTemplate* control = dialog_.Find(command.id);
  if (!control) return "no control " + std::to_string(id) + " in the main window";
  if (control->Has(ControlStyle::Hidden)) return "control " + std::to_string(id) + " is hidden";
  if (control->Has(ControlStyle::Disabled)) return "control " + std::to_string(id) + " is disabled";
  const ControlKind kind = control->kind;
  const bool button = kind == ControlKind::PushButton || kind == ControlKind::RadioButton || kind == ControlKind::CheckBox;
  const bool edit = kind == ControlKind::Edit && !control->Has(ControlStyle::ReadOnly);
  const bool combo = kind == ControlKind::ComboBox;
  bool fits = false;
  if (use == "click") fits = button;
  if (use == "focus") fits = button || combo || kind == ControlKind::Edit;
  if (use == "type") fits = edit || combo;
  if (use == "choose") fits = combo;
  if (!fits) {
    static const char* const kWhat[] = {"a button", "a radio button", "a check box", "a group box", "a static text",
                                        "an icon", "an edit box", "a combo box"};
    std::string what = kWhat[static_cast<int>(kind)];
    if (kind == ControlKind::Edit && control->Has(ControlStyle::ReadOnly)) what = "a read-only edit box";
    return "cannot " + std::string(use) + " control " + std::to_string(id) + ": it is " + what;
  }
  return {};
}

std::string LineParser::Parse(Command& command) {
  std::string_view verb;
  Word("command", verb);
  if (verb == "click") {
    command.verb = Verb::Click;
    if (auto error = ControlArg(command, "click"); !error.empty()) return error;
    return NoMore();
  }
  if (verb == "key") {
    command.verb = Verb::Key;
    std::string_view code;
    if (auto error = Word("key code", code); !error.empty()) return error;
    const auto value = Number(code);
    if (!value || *value < 1 || *value > 254)
      return "key code must be a whole number from 1 to 254, not '" + std::string(code) + "'";
    command.number = *value;
    return NoMore();
  }
  if (verb == "focus") {
    command.verb = Verb::Focus;
    if (auto error = ControlArg(command, "focus"); !error.empty()) return error;
    return NoMore();
  }
  if (verb == "type") {
    command.verb = Verb::Type;
    if (auto error = ControlArg(command, "type"); !error.empty()) return error;
    command.text = std::string(rest_);
    return {};
  }
  if (verb == "choose") {
    command.verb = Verb::Choose;
    if (auto error = ControlArg(command, "choose"); !error.empty()) return error;
    const auto entries = static_cast<long long>(dialog_.Find(command.id)->items.size());
    if (auto error = NumberArg("list index", entries - 1, command.number); !error.empty()) return error;
    return NoMore();
  }
  if (verb == "wait" || verb == "await-box") {
    command.verb = verb == "wait" ? Verb::Wait : Verb::AwaitBox;
    if (auto error = NumberArg("milliseconds", 86'400'000, command.number); !error.empty()) return error;
    return NoMore();
  }
  if (verb == "portdlg") {
    command.verb = Verb::PortDialog;
    std::string_view port;
    if (auto error = Word("PORT BAUD or cancel", port); !error.empty()) return error;
    command.cancel = port == "cancel";
    if (!command.cancel) {
      std::string_view baud;
      if (auto error = Word("BAUD", baud); !error.empty()) return error;
      command.text = std::string(port);
      command.second = std::string(baud);
    }
    return NoMore();
  }
  if (verb == "openfile" || verb == "shot") {
    command.verb = verb == "openfile" ? Verb::OpenFile : Verb::Shot;
    if (rest_.empty()) return "missing " + std::string(verb == "shot" ? "FILE" : "PATH");
    command.text = std::string(rest_);
    command.cancel = command.verb == Verb::OpenFile && command.text == "cancel";
    return {};
  }
  if (verb == "dump" || verb == "close" || verb == "cancel") {
    command.verb = verb == "dump" ? Verb::Dump : (verb == "close" ? Verb::Close : Verb::Cancel);
    return NoMore();
  }
  return "unknown command '" + std::string(verb) + "'";
}

}  // namespace

ParsedScript ParseScript(std::string_view text, const DialogTemplate& mainDialog) {
  ParsedScript script;
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t first = 0;
    while (first < line.size() && IsBlank(line[first])) ++first;
    if (first == line.size() || line[first] == '#') continue;
    Command command;
    command.line = lineNumber;
    if (auto error = LineParser(line.substr(first), mainDialog).Parse(command); !error.empty()) {
      script.error = "line " + std::to_string(lineNumber) + ": " + error;
      script.commands.clear();
      return script;
    }
    script.commands.push_back(std::move(command));
  }
  return script;
}
