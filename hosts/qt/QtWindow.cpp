#include "hosts/qt/QtWindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>

#include "hosts/qt/QtIcon.h"
#include "platform/DialogUnits.h"
#include "platform/Input.h"
#include "platform/Wnd.h"

namespace {

// The client area: the window's painted surface, drawn beneath every control.
class SurfaceWidget final : public QWidget {
 public:
  SurfaceWidget(CWnd& window, QWidget* parent) : QWidget(parent), window_(window) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    const Surface* surface = window_.GetSurface();
    if (!surface) return;
    const QImage image(reinterpret_cast<const uchar*>(surface->Data()), surface->Width(), surface->Height(),
                       QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(event->rect(), image, event->rect());
  }

 private:
  CWnd& window_;
};

// The top-level widget: its close box is the program's close request, and its context menu
// offers the system menu's entries (Linux window managers have no system menu to extend).
class DialogWidget final : public QWidget {
 public:
  explicit DialogWidget(CWnd& window) : window_(window) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    window_.PostMessage(WM_CLOSE);
  }
  void contextMenuEvent(QContextMenuEvent* event) override {
    const CMenu* systemMenu = window_.GetSystemMenu(FALSE);
    if (!systemMenu || systemMenu->Items().empty()) return;
    QMenu menu(this);
    for (const CMenu::Item& item : systemMenu->Items()) {
      if (item.flags & MF_SEPARATOR) {
        menu.addSeparator();
        continue;
      }
      const UINT_PTR command = item.id;
      QObject::connect(menu.addAction(QString::fromStdString(item.text)), &QAction::triggered,
                       [this, command] { window_.PostMessage(WM_SYSCOMMAND, command); });
    }
    menu.exec(event->globalPos());
  }

 private:
  CWnd& window_;
};

}  // namespace

QtWindow::QtWindow(CWnd& window, const DialogTemplate& tmpl, const std::vector<HWND>& controlHandles)
    : window_(window), top_(std::make_unique<DialogWidget>(window)) {
  top_->setProperty("velnorHandle", static_cast<qulonglong>(window.m_hWnd));
  const SIZE client = ClientSize(tmpl);
  top_->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                       (tmpl.Has(DialogStyle::MinimizeBox) ? Qt::WindowMinimizeButtonHint : Qt::WindowType(0)));
  top_->setFixedSize(client.cx, client.cy);
  top_->setWindowTitle(QString::fromStdString(tmpl.caption));
  // The dialog font's base units are 6 x 12 pixels, and the layout's sizes assume Latin
  // letters 6 pixels wide: a monospaced font with that advance, CJK glyphs from the fallback.
  QFont font("DejaVu Sans Mono");
  font.setPixelSize(10);
  top_->setFont(font);

  auto* surface = new SurfaceWidget(window, top_.get());
  surface->setGeometry(0, 0, client.cx, client.cy);
  surface->lower();

  for (std::size_t i = 0; i < tmpl.controls.size(); ++i) {
    const ControlTemplate& control = tmpl.controls[i];
    controls_.push_back(MakeQtControl(control, top_.get()));
    QWidget* widget = ::WidgetOf(*controls_.back());
    widget->setProperty("velnorHandle", static_cast<qulonglong>(controlHandles[i]));
    widgets_[controlHandles[i]] = widget;
    Connect(control, widget);
  }
  // Frames stay beneath the other controls, and the surface beneath everything.
  for (std::size_t i = 0; i < tmpl.controls.size(); ++i)
    if (tmpl.controls[i].kind == ControlKind::GroupBox) ::WidgetOf(*controls_[i])->lower();
  surface->lower();
}

QtWindow::~QtWindow() = default;

void QtWindow::Connect(const ControlTemplate& tmpl, QWidget* widget) {
  CWnd& dialog = window_;
  const int id = tmpl.id;
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    QObject::connect(button, &QAbstractButton::clicked, [&dialog, id] { ClickButton(dialog, id); });
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    QObject::connect(combo, &QComboBox::activated, [&dialog, id](int index) { ChooseListEntry(dialog, id, index); });
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, [&dialog, id] { NotifyTextTyped(dialog, id); });
  } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    QObject::connect(line, &QLineEdit::textEdited, [&dialog, id] { NotifyTextTyped(dialog, id); });
  } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
    QObject::connect(text, &QPlainTextEdit::textChanged, [&dialog, id, text] {
      if (text->hasFocus()) NotifyTextTyped(dialog, id);
    });
  }
}

void QtWindow::SetCaption(const std::string& caption) { top_->setWindowTitle(QString::fromStdString(caption)); }

void QtWindow::SetIcon(HICON icon, bool) { top_->setWindowIcon(ToQIcon(icon)); }

bool QtWindow::IsIconic() const { return top_->isMinimized(); }

void QtWindow::SurfacePainted(const RECT& area) {
  if (auto* surface = top_->findChild<SurfaceWidget*>())
    surface->update(QRect(area.left, area.top, area.right - area.left, area.bottom - area.top));
}

QWidget* QtWindow::WidgetOf(HWND hwnd) const {
  auto it = widgets_.find(hwnd);
  return it == widgets_.end() ? nullptr : it->second;
}

HWND HandleOfWidget(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    const QVariant handle = widget->property("velnorHandle");
    if (handle.isValid()) return static_cast<HWND>(handle.toULongLong());
  }
  return kNoWindow;
}
