#include "hosts/headless/HeadlessHost.h"

#include <ostream>
#include <utility>

#include "hosts/headless/HeadlessWindow.h"
#include "hosts/headless/ScriptRunner.h"
#include "platform/Dialog.h"
#include "platform/Runtime.h"
#include "res/resource.h"

HeadlessHost::HeadlessHost(std::vector<Command> script, std::ostream& out, std::ostream& err)
    : script_(std::move(script)), out_(out), err_(err) {}

std::unique_ptr<HostWindow> HeadlessHost::CreateHostWindow(CWnd&, const DialogTemplate& tmpl,
                                                           const std::vector<HWND>&) {
  return std::make_unique<HeadlessWindow>(tmpl);
}

void HeadlessHost::RunModalLoop(CDialog& dialog) {
  if (!scriptStarted_) {
    // The first dialog to run is the main window: the script is what its operator does.
    scriptStarted_ = true;
    exitStatus_ = ScriptRunner(*this, dialog, out_, err_).Run(script_);
    return;
  }
  const HWND focus = focus_;
  AnswerDialog(dialog);
  Runtime::Current().PumpUntil([&] { return dialog.IsEnded(); });
  focus_ = focus;
}

void HeadlessHost::AnswerDialog(CDialog& dialog) {
  if (dialog.TemplateId() == IDD_PORT_DIALOG && portAnswer_ && !portAnswer_->cancel) {
    dialog.SetDlgItemText(IDC_PORT_LIST, portAnswer_->text);
    dialog.SetDlgItemText(IDC_BAUD_LIST, portAnswer_->second);
    portAnswer_.reset();
    dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    return;
  }
  // A dialog with no answer arranged is cancelled.
  if (dialog.TemplateId() == IDD_PORT_DIALOG) portAnswer_.reset();
  dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

// A file dialog with no answer arranged is cancelled.
bool HeadlessHost::GetOpenFileName(const OPENFILENAME&, std::string& path) {
  const std::optional<Command> answer = std::exchange(fileAnswer_, std::nullopt);
  if (!answer || answer->cancel) return false;
  path = answer->text;
  return true;
}

// Every box the program shows has OK as its default button.
int HeadlessHost::MessageBox(HWND, const std::string& text, const std::string&, UINT) {
  ++boxes_;
  out_ << "box: " << EscapeBoxText(text) << std::endl;
  return IDOK;
}

std::string EscapeBoxText(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\')
      escaped += "\\\\";
    else if (c == '\r')
      escaped += "\\r";
    else if (c == '\n')
      escaped += "\\n";
    else
      escaped += c;
  }
  return escaped;
}
