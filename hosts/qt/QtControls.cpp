#include "hosts/qt/QtControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "hosts/qt/QtIcon.h"
#include "platform/DialogUnits.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <cstdlib>

namespace {

QString ToQt(const std::string& text) { return QString::fromStdString(text); }
std::string FromQt(const QString& text) { return text.toStdString(); }

// What every control kind shares: visibility and the enabled state belong to the widget.
template <class Widget>
class WidgetControl : public QtControl {
 public:
  explicit WidgetControl(Widget* widget) : widget_(widget) {}
  QWidget* GetWidget() const override { return widget_; }

  int GetCheck() const override { return 0; }
  void SetCheck(int) override {}
  int GetCount() const override { return 0; }
  std::string GetItem(int) const override { return {}; }
  void InsertItem(int, const std::string&) override {}
  int GetCurSel() const override { return -1; }
  void SetCurSel(int) override {}
  bool IsVisible() const override { return !widget_->isHidden(); }
  bool IsEnabled() const override { return widget_->isEnabled(); }

 protected:
  Widget* widget_;
};

class ButtonControl final : public WidgetControl<QAbstractButton> {
 public:
  using WidgetControl::WidgetControl;
  std::string GetText() const override { return FromQt(widget_->text()); }
  void SetText(const std::string& text) override { widget_->setText(ToQt(text)); }
  int GetCheck() const override { return widget_->isChecked() ? 1 : 0; }
  void SetCheck(int state) override {
    const QSignalBlocker quiet(widget_);
    widget_->setChecked(state != 0);
  }
};

// A group box drawn as the classic dialog frame: an etched rectangle whose top line runs
// through the middle of the caption. Styles fill a group box's inside (Fusion lays a faint
// tint over it), and the frame lies over the painted surface: the plot inside "Wave display"
// must show its own colours, so nothing is drawn inside the frame.
class GroupFrame final : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -2, -2);
    const int captionLeft = 8;
    const int captionWidth = title().isEmpty() ? 0 : metrics.horizontalAdvance(title()) + 4;
    const auto drawFrame = [&](const QColor& colour, int offset) {
      const QRect r = frame.translated(offset, offset);
      painter.setPen(colour);
      painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
      painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
      painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
      painter.drawLine(r.left(), r.top(), r.left() + captionLeft - 1, r.top());
      painter.drawLine(r.left() + captionLeft + captionWidth, r.top(), r.right(), r.top());
    };
    drawFrame(palette().color(QPalette::Dark), 0);
    drawFrame(palette().color(QPalette::Light), 1);
    if (captionWidth > 0) {
      painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
      painter.drawText(QRect(captionLeft, 0, captionWidth, metrics.height()), Qt::AlignCenter, title());
    }
  }
};

class GroupControl final : public WidgetControl<QGroupBox> {
 public:
  using WidgetControl::WidgetControl;
  std::string GetText() const override { return FromQt(widget_->title()); }
  void SetText(const std::string& text) override { widget_->setTitle(ToQt(text)); }
};

class LabelControl final : public WidgetControl<QLabel> {
 public:
  using WidgetControl::WidgetControl;
  std::string GetText() const override { return FromQt(widget_->text()); }
  void SetText(const std::string& text) override { widget_->setText(ToQt(text)); }
};

class LineControl final : public WidgetControl<QLineEdit> {
 public:
  using WidgetControl::WidgetControl;
  std::string GetText() const override { return FromQt(widget_->text()); }
  // Text the program sets is shown from its start, as the program's platform shows it.
  void SetText(const std::string& text) override {
    const QSignalBlocker quiet(widget_);
    widget_->setText(ToQt(text));
    widget_->setCursorPosition(0);
  }
};

// The multi-line listing shows lines; the program's text ends them with CR LF. The exact text
// given is kept, so it reads back unchanged unless the person edited it.
class TextControl final : public WidgetControl<QPlainTextEdit> {
 public:
  using WidgetControl::WidgetControl;
  std::string GetText() const override {
    const QString shown = widget_->toPlainText();
    if (shown == shown_) return text_;
    return FromQt(shown.split('\n').join("\r\n"));
  }
  void SetText(const std::string& text) override {
    text_ = text;
    shown_ = ToQt(text);
    shown_.replace("\r\n", "\n");
    const QSignalBlocker quiet(widget_);
    widget_->setPlainText(shown_);
  }

 private:
  std::string text_;
  QString shown_;  // text_ as the widget shows it, kept to tell an edit from the text set
};

class ComboControl final : public WidgetControl<QComboBox> {
 public:
  using WidgetControl::WidgetControl;
  std::string GetText() const override { return FromQt(widget_->currentText()); }
  void SetText(const std::string& text) override {
    const QSignalBlocker quiet(widget_);
    widget_->setEditText(ToQt(text));
    widget_->lineEdit()->setCursorPosition(0);
  }
  int GetCount() const override { return widget_->count(); }
  std::string GetItem(int index) const override { return FromQt(widget_->itemText(index)); }
  // Adding an entry changes neither the selection nor the edit field (Qt would select the
  // first entry of an empty list).
  void InsertItem(int index, const std::string& text) override {
    const QSignalBlocker quiet(widget_);
    const int selection = widget_->currentIndex();
    const QString edit = widget_->currentText();
    widget_->insertItem(index, ToQt(text));
    if (selection < 0) {
      widget_->setCurrentIndex(-1);
      widget_->setEditText(edit);
    }
  }
  int GetCurSel() const override { return widget_->currentIndex(); }
  void SetCurSel(int index) override {
    const QSignalBlocker quiet(widget_);
    widget_->setCurrentIndex(index);
  }
};

}  // namespace

std::unique_ptr<Control> MakeQtControl(const ControlTemplate& tmpl, QWidget* parent) {
  const RECT r = ControlRect(tmpl);
  QRect geometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
  std::unique_ptr<Control> control;
  QWidget* widget = nullptr;
  switch (tmpl.kind) {
    case ControlKind::PushButton: {
      auto* button = new QPushButton(ToQt(tmpl.text), parent);
      button->setDefault(tmpl.Has(ControlStyle::DefaultButton));
      button->setAutoDefault(false);
      widget = button;
      control = std::make_unique<ButtonControl>(button);
      break;
    }
    case ControlKind::RadioButton:
    case ControlKind::CheckBox: {
      // The layer keeps a radio group's checks; Qt's own exclusivity would fight it.
      auto* radio = new QRadioButton(ToQt(tmpl.text), parent);
      radio->setAutoExclusive(false);
      widget = radio;
      control = std::make_unique<ButtonControl>(radio);
      break;
    }
    case ControlKind::GroupBox: {
      auto* group = new GroupFrame(ToQt(tmpl.text), parent);
      widget = group;
      control = std::make_unique<GroupControl>(group);
      break;
    }
    case ControlKind::StaticText: {
      auto* label = new QLabel(ToQt(tmpl.text), parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      // A label is one line of the font high at least, so descenders are not cut.
      geometry.setHeight(std::max(geometry.height(), label->fontMetrics().height()));
      widget = label;
      control = std::make_unique<LabelControl>(label);
      break;
    }
    case ControlKind::Icon: {
      auto* label = new QLabel(parent);
      // An icon control's text is the id of its icon resource.
      const HICON icon = Runtime::Current().Resources().LoadIcon(std::atoi(tmpl.text.c_str()));
      label->setPixmap(ToQIcon(icon).pixmap(geometry.size()));
      widget = label;
      control = std::make_unique<LabelControl>(label);
      break;
    }
    case ControlKind::Edit:
      if (tmpl.Has(ControlStyle::Multiline)) {
        auto* text = new QPlainTextEdit(parent);
        text->setVerticalScrollBarPolicy(tmpl.Has(ControlStyle::VScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setReadOnly(tmpl.Has(ControlStyle::ReadOnly));
        widget = text;
        control = std::make_unique<TextControl>(text);
      } else {
        auto* line = new QLineEdit(ToQt(tmpl.text), parent);
        line->setReadOnly(tmpl.Has(ControlStyle::ReadOnly));
        widget = line;
        control = std::make_unique<LineControl>(line);
      }
      break;
    case ControlKind::ComboBox: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      combo->setMaxVisibleItems(10);
      // The template's height is the dropped-down list's; the box itself is one line high.
      geometry.setHeight(DialogUnitsToPixels(14));
      widget = combo;
      control = std::make_unique<ComboControl>(combo);
      break;
    }
  }
  widget->setGeometry(geometry);
  widget->setVisible(!tmpl.Has(ControlStyle::Hidden));
  widget->setEnabled(!tmpl.Has(ControlStyle::Disabled));
  widget->setFocusPolicy(tmpl.Has(ControlStyle::TabStop) || tmpl.kind == ControlKind::Edit ||
                                 tmpl.kind == ControlKind::ComboBox
                             ? Qt::StrongFocus
                             : Qt::NoFocus);
  return control;
}

QWidget* WidgetOf(Control& control) { return static_cast<QtControl&>(control).GetWidget(); }
