#include "support/TestHost.h"

#include "platform/FileDialog.h"
#include "platform/Runtime.h"

std::vector<std::string> TestHost::BoxTexts() const {
  std::vector<std::string> texts;
  for (const Box& box : boxes) texts.push_back(box.text);
  return texts;
}

void TestHost::RunModalLoop(CDialog& dialog) {
  if (!mainRunning_) {
    mainRunning_ = true;
    if (body) body(dialog);
    mainRunning_ = false;
    if (!dialog.IsEnded()) dialog.EndDialog(IDCANCEL);
    return;
  }
  nestedDialogs.push_back(dialog.TemplateId());
  if (onDialog)
    onDialog(dialog);
  else
    dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  Runtime::Current().PumpUntil([&] { return dialog.IsEnded(); });
}

int TestHost::MessageBox(HWND, const std::string& text, const std::string& caption, UINT type) {
  boxes.push_back({text, caption, type});
  return onBox ? onBox(boxes.back()) : IDOK;
}

bool TestHost::GetOpenFileName(const OPENFILENAME& request, std::string& path) {
  fileDialogTitles.push_back(request.lpstrTitle);
  fileDialogFilters.push_back(request.lpstrFilter);
  if (fileAnswers.empty()) return false;
  const std::optional<std::string> answer = fileAnswers.front();
  fileAnswers.erase(fileAnswers.begin());
  if (!answer) return false;
  path = *answer;
  return true;
}
