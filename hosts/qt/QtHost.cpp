#include "hosts/qt/QtHost.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>

#include "hosts/qt/KeyCodes.h"
#include "hosts/qt/QtWindow.h"
#include "platform/Dialog.h"
#include "platform/FileDialog.h"
#include "platform/Runtime.h"

QtHost::QtHost() {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Pump(); });
  qApp->installEventFilter(this);
}

// The runtime, which is made after the host (it holds the host), has already ended and taken
// its queue's wake handler with it: the host must not reach for it here.
QtHost::~QtHost() { qApp->removeEventFilter(this); }

void QtHost::Attach(Runtime& runtime) {
  runtime_ = &runtime;
  // Called from whichever thread queued the work; one queued call at a time is enough.
  runtime.Queue().SetWakeHandler([this] {
    if (!wakePending_.exchange(true))
      QMetaObject::invokeMethod(
          this,
          [this] {
            wakePending_ = false;
            Pump();
          },
          Qt::QueuedConnection);
  });
}

std::unique_ptr<HostWindow> QtHost::CreateHostWindow(CWnd& window, const DialogTemplate& tmpl,
                                                     const std::vector<HWND>& controlHandles) {
  return std::make_unique<QtWindow>(window, tmpl, controlHandles);
}

void QtHost::Pump() {
  runtime_->Queue().DispatchAll();
  for (const ModalLoop& modal : loops_)
    if (modal.dialog->IsEnded()) modal.loop->quit();
  ScheduleTimer();
}

void QtHost::ScheduleTimer() {
  const auto due = runtime_->Queue().NextTimerDue();
  if (due == Clock::time_point::max()) {
    timer_.stop();
    return;
  }
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - runtime_->GetClock().Now());
  timer_.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0)));
}

void QtHost::RunModalLoop(CDialog& dialog) {
  QWidget* top = static_cast<QtWindow*>(dialog.GetHostWindow())->Widget();
  if (!loops_.empty()) top->setWindowModality(Qt::ApplicationModal);
  top->show();
  top->activateWindow();
  QEventLoop loop;
  loops_.push_back({&dialog, &loop});
  Pump();
  if (!dialog.IsEnded()) loop.exec();
  loops_.pop_back();
  top->hide();
}

QtWindow* QtHost::WindowOf(HWND hwnd) const {
  for (CWnd* window = CWnd::FromHandle(hwnd); window; window = window->GetParent())
    if (HostWindow* host = window->GetHostWindow()) return static_cast<QtWindow*>(host);
  return nullptr;
}

QWidget* QtHost::ParentFor(HWND owner) const {
  if (QtWindow* window = WindowOf(owner)) return window->Widget();
  return QApplication::activeWindow();
}

int QtHost::MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      icon = QMessageBox::Critical;
      break;
    case MB_ICONQUESTION:
      icon = QMessageBox::Question;
      break;
    case MB_ICONEXCLAMATION:
      icon = QMessageBox::Warning;
      break;
    case MB_ICONASTERISK:
      icon = QMessageBox::Information;
      break;
    default:
      break;
  }
  QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                  ParentFor(owner));
  box.exec();
  return IDOK;
}

HWND QtHost::GetFocus() const { return HandleOfWidget(QApplication::focusWidget()); }

void QtHost::SetFocus(HWND control) {
  QtWindow* window = WindowOf(control);
  QWidget* widget = window ? window->WidgetOf(control) : nullptr;
  if (widget) {
    widget->setFocus(Qt::OtherFocusReason);
  } else if (QWidget* focus = QApplication::focusWidget()) {
    focus->clearFocus();
  }
}

bool QtHost::GetOpenFileName(const OPENFILENAME& request, std::string& path) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.lpstrTitle));
  QStringList filters;
  for (const FileFilter& filter : ParseFilter(request.lpstrFilter)) {
    QString name = QString::fromStdString(filter.description);
    // Qt reads a filter's patterns from the parentheses at its end.
    if (!name.endsWith("(" + QString::fromStdString(filter.pattern) + ")"))
      name += " (" + QString::fromStdString(filter.pattern) + ")";
    filters << name;
  }
  dialog.setNameFilters(filters);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDirectory(QDir::currentPath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().first().toStdString();
  return true;
}

// Keys reach the program's pre-translation before the focused control gets them; only keys
// the dialog keyboard takes (Escape, Enter) stop there.
bool QtHost::eventFilter(QObject* watched, QEvent* event) {
  if (!runtime_ || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  auto* widget = qobject_cast<QWidget*>(watched);
  // A key travels from the focused widget up to its parents; take it once, at its start.
  if (!widget || key->isAutoRepeat() || (QApplication::focusWidget() && widget != QApplication::focusWidget()))
    return false;
  const HWND target = HandleOfWidget(widget);
  const UINT code = VirtualKeyOf(*key);
  if (target == kNoWindow || code == 0) return false;
  MSG msg{target, event->type() == QEvent::KeyPress ? WM_KEYDOWN : WM_KEYUP, code, 0};
  const bool taken = runtime_->PreTranslate(msg);
  Pump();
  return taken;
}
