// The headless side of a dialog: its controls as plain state, no pixels shown anywhere.
#pragma once

#include <string>
#include <vector>

#include "platform/Host.h"

struct HeadlessControl final : Control {
  std::string text;
  int check = 0;
  std::vector<std::string> items;
  int selection = -1;
  bool visible = true;
  bool enabled = true;

  std::string GetText() const override { return text; }
  void SetText(const std::string& value) override { text = value; }
  int GetCheck() const override { return check; }
  void SetCheck(int state) override { check = state; }
  int GetCount() const override { return static_cast<int>(items.size()); }
  std::string GetItem(int index) const override;
  void InsertItem(int index, const std::string& item) override;
  int GetCurSel() const override { return selection; }
  void SetCurSel(int index) override { selection = index; }
  bool IsVisible() const override { return visible; }
  bool IsEnabled() const override { return enabled; }
};

class HeadlessWindow final : public HostWindow {
 public:
  explicit HeadlessWindow(const DialogTemplate& tmpl);

  Control& GetControl(std::size_t index) override { return controls_.at(index); }
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void SetIcon(HICON icon, bool big) override { (big ? bigIcon_ : smallIcon_) = icon; }
  bool IsIconic() const override { return false; }
  void SurfacePainted(const RECT&) override {}

  const std::string& Caption() const { return caption_; }
  HICON Icon(bool big) const { return big ? bigIcon_ : smallIcon_; }

 private:
  std::vector<HeadlessControl> controls_;
  std::string caption_;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
};
