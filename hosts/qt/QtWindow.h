// The Qt side of a dialog: a fixed-size top-level widget showing the dialog's painted surface
// beneath its controls. What a person does to the widgets reaches the program as the messages
// the platform layer's input functions make.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include <QWidget>

#include "hosts/qt/QtControls.h"
#include "platform/Host.h"

class CWnd;

// The handle of the control (or dialog) that `widget` belongs to, or kNoWindow when it belongs
// to none of the program's windows.
HWND HandleOfWidget(const QWidget* widget);

class QtWindow final : public HostWindow {
 public:
  QtWindow(CWnd& window, const DialogTemplate& tmpl, const std::vector<HWND>& controlHandles);
  ~QtWindow() override;

  Control& GetControl(std::size_t index) override { return *controls_.at(index); }
  void SetCaption(const std::string& caption) override;
  void SetIcon(HICON icon, bool big) override;
  bool IsIconic() const override;
  void SurfacePainted(const RECT& area) override;

  QWidget* Widget() const { return top_.get(); }
  // The widget of control `hwnd`, or nullptr.
  QWidget* WidgetOf(HWND hwnd) const;

 private:
  void Connect(const ControlTemplate& tmpl, QWidget* widget);

  CWnd& window_;
  std::unique_ptr<QWidget> top_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<HWND, QWidget*> widgets_;
};
