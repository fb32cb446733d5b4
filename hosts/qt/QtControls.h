// The controls of a dialog as Qt widgets. Each keeps the program's view of its state in the
// widget, the way a headless control keeps it in a struct.
#pragma once

#include <memory>

#include <QWidget>

#include "platform/DialogTemplate.h"
#include "platform/Host.h"

// A control whose state is its widget.
class QtControl : public Control {
 public:
  virtual QWidget* GetWidget() const = 0;
};

// Makes the widget for `tmpl` inside `parent` and the Control that stands for it.
std::unique_ptr<Control> MakeQtControl(const ControlTemplate& tmpl, QWidget* parent);

// The widget of a control made by MakeQtControl.
QWidget* WidgetOf(Control& control);
