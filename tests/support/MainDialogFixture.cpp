#include "support/MainDialogFixture.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "res/ProgramResources.h"

ScopedWorkDir::ScopedWorkDir() : previous_(std::filesystem::current_path()) {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("velnor-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
  std::filesystem::current_path(path_);
}

ScopedWorkDir::~ScopedWorkDir() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

MainDialogTest::MainDialogTest() : runtime_(host_, clock_, ProgramResources(), "velnor") {}

void MainDialogTest::Run(const std::function<void(CMainDlg&)>& body) {
  CMainDlg dlg;
  host_.body = [&](CDialog&) {
    Settle();
    body(dlg);
  };
  dlg.DoModal();
}

void MainDialogTest::Settle() {
  runtime_.PumpUntil([] { return false; }, clock_.Now());
}

void MainDialogTest::WriteFile(const std::string& name, const std::string& content) {
  std::ofstream(dir_.Path() / name, std::ios::binary) << content;
}

std::optional<std::string> MainDialogTest::ReadFile(const std::string& name) {
  std::ifstream in(dir_.Path() / name, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void MainDialogTest::Deliver(CMainDlg& dlg, const std::vector<BYTE>& bytes) {
  dlg.m_bFrameArrived = 1;
  dlg.SendMessage(WM_FRAME_RECEIVED, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
}
