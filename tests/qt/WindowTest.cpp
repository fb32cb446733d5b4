#include <algorithm>
// The window as a person works it: the main dialog on Qt widgets (offscreen), its port open on
// the simulated device. These run in real time, so every wait is for a condition, with room
// to spare on a busy machine.
//
// A test's body runs inside the dialog's own event loop. Whatever a modal thing (a message
// box, the port dialog) needs from the person is done from timers, which keep firing in that
// thing's nested loop; a message box no test asked for fails the test and is closed.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/MainDlg.h"
#include "app/Sensors.h"
#include "hosts/qt/QtHost.h"
#include "hosts/qt/QtWindow.h"
#include "platform/Clock.h"
#include "platform/DialogUnits.h"
#include "platform/Format.h"
#include "platform/Runtime.h"
#include "platform/SerialPortNames.h"
#include "res/ProgramResources.h"
#include "res/Resources.h"
#include "sim/SimDevice.h"
#include "support/MainDialogFixture.h"

namespace {

// Where the tests were started: a relative VELNOR_PICTURE is taken from here, since every
// test runs in a working directory of its own.
const std::filesystem::path kStartDirectory = std::filesystem::current_path();

constexpr int kWait = 5000;  // ms for anything a person would see at once

QtWindow& HostWindowOf(const CWnd& dialog) { return *static_cast<QtWindow*>(dialog.GetHostWindow()); }

QWidget* ControlWidget(const CWnd& dialog, int id) {
  return HostWindowOf(dialog).WidgetOf(dialog.GetDlgItem(id)->m_hWnd);
}

std::string Text(const CWnd& dialog, int id) { return dialog.GetDlgItem(id)->GetWindowText(); }

// The id of the dialog control that `widget` shows, or 0.
int ControlIdOf(const QWidget* widget) {
  const CWnd* control = CWnd::FromHandle(HandleOfWidget(widget));
  return control ? control->GetDlgCtrlID() : 0;
}

int FramesStored(const CMainDlg& dlg) {
  int frames = 0;
  for (const auto count : dlg.m_frameCount) frames += count;
  return frames;
}

// What the widget shows as its text.
QString ShownText(const QWidget* widget) {
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* line = qobject_cast<const QLineEdit*>(widget)) return line->text();
  if (auto* text = qobject_cast<const QPlainTextEdit*>(widget)) return text->toPlainText();
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->currentText();
  return "<unknown widget>";
}

bool IsWidgetFor(const QWidget* widget, const ControlTemplate& control) {
  switch (control.kind) {
    case ControlKind::PushButton:
      return qobject_cast<const QPushButton*>(widget);
    case ControlKind::RadioButton:
      return qobject_cast<const QRadioButton*>(widget);
    case ControlKind::CheckBox:
      return qobject_cast<const QAbstractButton*>(widget);
    case ControlKind::GroupBox:
      return qobject_cast<const QGroupBox*>(widget);
    case ControlKind::StaticText:
    case ControlKind::Icon:
      return qobject_cast<const QLabel*>(widget);
    case ControlKind::Edit:
      return control.Has(ControlStyle::Multiline) ? qobject_cast<const QPlainTextEdit*>(widget) != nullptr
                                                  : qobject_cast<const QLineEdit*>(widget) != nullptr;
    case ControlKind::ComboBox:
      return qobject_cast<const QComboBox*>(widget);
  }
  return false;
}

// The texts start-up and the first paint put in place of the template's.
std::map<int, std::string> StartUpTexts() {
  std::map<int, std::string> texts = {
      {IDC_MODE_LABEL, "Normal display"},
      {IDC_STATUS, "AVERAGE->CNT:0,Select SensorNO:0"},
      {IDC_SENSOR_LIST, "SENSOR 0"},
      {IDC_DATA, ""},
      {IDC_COM, "1"},
      {IDC_BAUDRATE, "115200"},
      {IDC_TOTAL, ""},
      {IDC_START, "0"},
      {IDC_END, "250"},
      {IDC_SQUARE_SUM, "0"},
  };
  for (int s = 0; s < kSensorCount; ++s) texts[CountLabelId(s)] = " 0";
  return texts;
}

// The listing the normal view writes for a frame.
std::string Listing(const std::vector<std::uint8_t>& frame) {
  std::string text;
  for (int k = 0; k < frame[0]; ++k) text += Format("%04d:0X%02X", k, frame[1 + k]) + "\r\n";
  return text;
}

bool IsRed(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000; }

void CloseBox(QMessageBox& box) { box.button(QMessageBox::Ok)->click(); }

class Window : public ::testing::Test {
 protected:
  Window() : runtime_(host_, clock_, ProgramResources(), "velnor") {
    host_.Attach(runtime_);
    // COM names lead nowhere unless a test puts a device behind them.
    for (int n = 1; n <= 8; ++n) SerialPortNames::Instance().Assign(n, (dir_.Path() / "no-such-device").string());
    WriteWorkFile("config.ini", "1;115200;0;250;");
  }

  // A simulated device behind COM<number>.
  SimDevice& StartDevice(int number, const SimOptions& options = {}) {
    std::string error;
    auto device = SimDevice::Start(options, &error);
    if (!device) throw std::runtime_error("no simulated device: " + error);
    SerialPortNames::Instance().Assign(number, device->DevicePath());
    devices_.push_back(std::move(device));
    return *devices_.back();
  }

  void WriteWorkFile(const std::string& name, const std::string& content) {
    std::ofstream(dir_.Path() / name, std::ios::binary) << content;
  }

  // Runs the main dialog as the program does and `body` inside its event loop, once the
  // window has painted; then cancels the dialog.
  void RunMainDialog(const std::function<void(CMainDlg&)>& body) {
    CMainDlg dlg;
    QTimer boxWatch;
    QObject::connect(&boxWatch, &QTimer::timeout, [this] { WatchBoxes(); });
    boxWatch.start(20);
    bool ran = false;
    QTimer::singleShot(0, [&] {
      ran = true;
      if (QTest::qWaitFor([&] { return Text(dlg, IDC_MODE_LABEL) == "Normal display"; }, kWait))
        body(dlg);
      else
        ADD_FAILURE() << "the window never painted";
      dlg.EndDialog(IDCANCEL);
      host_.Pump();
    });
    dlg.DoModal();
    EXPECT_TRUE(ran);
    EXPECT_EQ(unexpectedBoxes_, std::vector<std::string>{});
  }

  // Calls `step` every 20 ms, in whichever event loop runs (a nested one too), until it
  // returns true.
  void Poll(std::function<bool()> step) {
    auto timer = std::make_unique<QTimer>();
    QTimer* raw = timer.get();
    QObject::connect(raw, &QTimer::timeout, [raw, step = std::move(step)] {
      if (step()) raw->stop();
    });
    raw->start(20);
    pollers_.push_back(std::move(timer));
  }

  // Offers each open message box to `boxHandler_`; one it does not take is an error.
  void WatchBoxes() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(window);
      if (!box || !box->isVisible()) continue;
      if (boxHandler_ && boxHandler_(*box)) continue;
      unexpectedBoxes_.push_back(box->text().toStdString());
      CloseBox(*box);
    }
  }

  ScopedWorkDir dir_;
  QtHost host_;
  RealClock clock_;
  Runtime runtime_;
  std::vector<std::unique_ptr<SimDevice>> devices_;
  std::vector<std::unique_ptr<QTimer>> pollers_;
  // Takes a box (returns true) and closes it when it is done with it.
  std::function<bool(QMessageBox&)> boxHandler_;
  std::vector<std::string> unexpectedBoxes_;
};

TEST_F(Window, StartUpBuildsEveryControlOfTheMainTemplate) {
  StartDevice(1);
  RunMainDialog([&](CMainDlg& dlg) {
    QtWindow& window = HostWindowOf(dlg);
    QWidget* top = window.Widget();
    EXPECT_EQ(top->windowTitle(), "Velnor[Zed1.3U 2010.01.06]");
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->size(), QSize(761, 548));
    EXPECT_EQ(top->minimumSize(), QSize(761, 548)) << "fixed size";
    EXPECT_EQ(top->maximumSize(), QSize(761, 548)) << "fixed size";

    const DialogTemplate& tmpl = *FindDialogTemplate(IDD_MAIN_DIALOG);
    // One widget per control, and the painted surface beneath them.
    EXPECT_EQ(top->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
              static_cast<qsizetype>(tmpl.controls.size() + 1));
    const std::map<int, std::string> startUpTexts = StartUpTexts();
    for (std::size_t i = 0; i < tmpl.controls.size(); ++i) {
      const ControlTemplate& control = tmpl.controls[i];
      SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(control.id) + ", \"" +
                   control.text + "\"");
      QWidget* widget = ::WidgetOf(window.GetControl(i));
      ASSERT_NE(widget, nullptr);
      EXPECT_EQ(widget->parentWidget(), top);
      EXPECT_TRUE(IsWidgetFor(widget, control));
      if (control.id != IDC_STATIC) {
        const HWND handle = dlg.GetDlgItem(control.id)->m_hWnd;
        EXPECT_EQ(HandleOfWidget(widget), handle);
        EXPECT_EQ(window.WidgetOf(handle), widget);
      }
      const RECT r = ControlRect(control);
      // A combo box shows one line; a label is at least one line of the font high.
      int height = control.kind == ControlKind::ComboBox ? DialogUnitsToPixels(14) : r.bottom - r.top;
      if (control.kind == ControlKind::StaticText) height = std::max(height, widget->fontMetrics().height());
      EXPECT_EQ(widget->geometry(), QRect(r.left, r.top, r.right - r.left, height));
      EXPECT_EQ(widget->isVisible(), !control.Has(ControlStyle::Hidden));
      EXPECT_EQ(widget->isEnabled(), !control.Has(ControlStyle::Disabled));
      const auto startUp = startUpTexts.find(control.id);
      EXPECT_EQ(ShownText(widget).toStdString(), startUp != startUpTexts.end() ? startUp->second : control.text);
    }

    // What the template's own tests check of the data, seen on the screen.
    EXPECT_FALSE(ControlWidget(dlg, IDOK)->isVisible());
    EXPECT_FALSE(ControlWidget(dlg, IDOK)->isEnabled());
    EXPECT_FALSE(ControlWidget(dlg, IDCANCEL)->isVisible());
    EXPECT_EQ(ShownText(ControlWidget(dlg, IDC_WAVE_DISPLAY)), "Wave display");
    EXPECT_EQ(ShownText(ControlWidget(dlg, SensorButtonId(29))), "T");
    EXPECT_TRUE(qobject_cast<QRadioButton*>(ControlWidget(dlg, IDC_CONTINUE))->isChecked());
    EXPECT_FALSE(qobject_cast<QRadioButton*>(ControlWidget(dlg, IDC_DISPERSE))->isChecked());
    auto* list = qobject_cast<QComboBox*>(ControlWidget(dlg, IDC_SENSOR_LIST));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), kSensorListEntries);
    for (int s = 0; s < kSensorCount; ++s) EXPECT_EQ(list->itemText(s).toStdString(), std::string("SENSOR ") + SensorChar(s));
    EXPECT_EQ(list->itemText(30), "SENSOR Z");
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(list->currentText(), "SENSOR 0");
  });
}

TEST_F(Window, ASensorButtonRequestsListsCountsAndPlotsTheFrame) {
  SimDevice& device = StartDevice(1);
  RunMainDialog([&](CMainDlg& dlg) {
    QWidget* top = HostWindowOf(dlg).Widget();
    auto* button = qobject_cast<QPushButton*>(ControlWidget(dlg, SensorButtonId(5)));
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(button->text(), "5");
    const std::vector<std::uint8_t> frame = device.FrameFor(5, 0);
    const int n = frame[0];
    ASSERT_GE(n, 4);
    const std::vector<int> positions = {0, 1, n / 3, n / 2, n - 2};
    const auto traceShown = [&](const QImage& image) {
      for (int i : positions)
        if (!IsRed(image, dlg.PlotX(i), dlg.PlotY(frame[1 + i]))) return false;
      return true;
    };
    const QImage before = top->grab().toImage();
    for (int i : positions) EXPECT_FALSE(IsRed(before, dlg.PlotX(i), dlg.PlotY(frame[1 + i]))) << "position " << i;

    QTest::mouseClick(button, Qt::LeftButton);
    QImage shot;
    ASSERT_TRUE(QTest::qWaitFor([&] { return Text(dlg, CountLabelId(5)) == " 1"; }, kWait));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
          shot = top->grab().toImage();
          return traceShown(shot);
        },
        kWait));

    const std::vector<SentFrame> sent = device.Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sensor, 5) << "the device got '5'";
    EXPECT_EQ(sent[0].bytes, frame);
    EXPECT_EQ(Text(dlg, IDC_TOTAL), std::to_string(n));
    EXPECT_EQ(Text(dlg, IDC_DATA), Listing(frame));
    const QString firstLine = qobject_cast<QPlainTextEdit*>(ControlWidget(dlg, IDC_DATA))->toPlainText().section('\n', 0, 0);
    EXPECT_EQ(firstLine.toStdString(), Format("0000:0X%02X", frame[1]));
    EXPECT_EQ(ShownText(ControlWidget(dlg, IDC_SENSOR_LIST)), "SENSOR 5");
    for (int s = 0; s < kSensorCount; ++s) {
      if (s == 5) continue;
      EXPECT_EQ(Text(dlg, CountLabelId(s)), " 0") << "sensor " << s;
    }

    if (const char* picture = std::getenv("VELNOR_PICTURE"); picture && *picture) {
      const std::filesystem::path path = kStartDirectory / picture;
      EXPECT_TRUE(shot.save(QString::fromStdString(path.string()), "PNG")) << path;
    }
  });
}

TEST_F(Window, ASensorKeyRequestsUnlessStartHasTheFocus) {
  SimDevice& device = StartDevice(1);
  RunMainDialog([&](CMainDlg& dlg) {
    auto* start = qobject_cast<QLineEdit*>(ControlWidget(dlg, IDC_START));
    ASSERT_NE(start, nullptr);
    start->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == start; }, kWait));
    start->end(false);
    QTest::keyClick(start, Qt::Key_C);
    QTest::qWait(300);
    EXPECT_TRUE(device.Sent().empty()) << "nothing is requested while \"Start\" has the focus";
    EXPECT_EQ(start->text(), "0c") << "the key still reaches the box";
    // The operator takes the letter back, so that "Start" holds a number again.
    ASSERT_EQ(QApplication::focusWidget(), start);
    QTest::keyClick(start, Qt::Key_Backspace);
    EXPECT_EQ(start->text(), "0");

    QWidget* list = ControlWidget(dlg, IDC_SENSOR_LIST);
    list->setFocus();
    QWidget* focus = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          focus = QApplication::focusWidget();
          return ControlIdOf(focus) == IDC_SENSOR_LIST;
        },
        kWait));
    QTest::keyClick(focus, Qt::Key_C);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Text(dlg, CountLabelId(12)) == " 1"; }, kWait));
    const std::vector<SentFrame> sent = device.Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sensor, 12) << "the device got 'C'";
    EXPECT_EQ(dlg.m_nCurSensor, 12);
    EXPECT_EQ(ShownText(list), "SENSOR C");
  });
}

TEST_F(Window, ThePortDialogReopensThePortWithTheChosenSettings) {
  SimDevice& first = StartDevice(1);
  SimDevice& second = StartDevice(4);
  RunMainDialog([&](CMainDlg& dlg) {
    QString portShown, baudShown;
    bool modal = false, answered = false;
    // The person's part in "Set Baudrate", once it is up.
    Poll([&] {
      QWidget* portDialog = nullptr;
      for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowTitle() == "Set Baudrate") portDialog = window;
      if (!portDialog) return false;
      modal = QApplication::activeModalWidget() == portDialog;
      QComboBox* port = nullptr;
      QComboBox* baud = nullptr;
      for (QComboBox* combo : portDialog->findChildren<QComboBox*>()) {
        if (ControlIdOf(combo) == IDC_PORT_LIST) port = combo;
        if (ControlIdOf(combo) == IDC_BAUD_LIST) baud = combo;
      }
      QPushButton* ok = nullptr;
      for (QPushButton* button : portDialog->findChildren<QPushButton*>())
        if (ControlIdOf(button) == IDOK) ok = button;
      if (!port || !baud || !ok) {
        ADD_FAILURE() << "\"Set Baudrate\" lacks its lists or its OK button";
        portDialog->close();
        return true;
      }
      portShown = port->currentText();
      baudShown = baud->currentText();
      port->setCurrentIndex(port->findText("COM4"));
      baud->setCurrentIndex(baud->findText("19200"));
      QTest::mouseClick(ok, Qt::LeftButton);
      answered = true;
      return true;
    });
    QTest::mouseClick(ControlWidget(dlg, IDC_SET_COMM), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered && Text(dlg, IDC_COM) == "4"; }, kWait));
    EXPECT_TRUE(modal) << "\"Set Baudrate\" is modal";
    EXPECT_EQ(portShown, "COM1");
    EXPECT_EQ(baudShown, "57600");
    EXPECT_EQ(Text(dlg, IDC_BAUDRATE), "19200");
    EXPECT_EQ(dlg.m_nPortIndex, 3);
    EXPECT_EQ(dlg.m_nBaudRate, 19200);

    QTest::mouseClick(ControlWidget(dlg, SensorButtonId(7)), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Text(dlg, CountLabelId(7)) == " 1"; }, kWait));
    const std::vector<SentFrame> sent = second.Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sensor, 7);
    EXPECT_EQ(dlg.m_curFrames[7][0], second.FrameFor(7, 0)[0]);
    EXPECT_TRUE(first.Sent().empty()) << "the port on COM1 is closed";
  });
}

TEST_F(Window, FramesKeepComingWhileAWarningBoxIsOpenDuringASweep) {
  StartDevice(1);
  RunMainDialog([&](CMainDlg& dlg) {
    struct {
      bool seen = false;
      std::string text;
      bool sweeping = false;
      int framesAtOpen = 0;
      bool grew = false;
      QElapsedTimer open;
    } warning;
    bool complete = false;
    boxHandler_ = [&](QMessageBox& box) {
      const std::string text = box.text().toStdString();
      if (text == "Receive data complete!") {
        complete = true;
        CloseBox(box);
        return true;
      }
      if (text.rfind("The time of the the receiving data", 0) != 0) return false;
      if (!warning.seen) {
        warning.seen = true;
        warning.text = text;
        warning.sweeping = dlg.m_bSweepMode == 1;
        warning.framesAtOpen = FramesStored(dlg);
        warning.open.start();
      } else if (FramesStored(dlg) >= warning.framesAtOpen + 2) {
        warning.grew = true;
        CloseBox(box);
      } else if (warning.open.elapsed() > kWait) {
        CloseBox(box);
      }
      return true;
    };

    QTest::mouseClick(ControlWidget(dlg, IDC_ALL_SENSOR), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return FramesStored(dlg) >= 1; }, kWait));
    // The current sensor has at most one frame, so "Compare" warns; a frame that lands between
    // the click and the paint turns the view back to normal, so try again then.
    for (int tries = 0; tries < 10 && !warning.seen && dlg.m_bSweepMode == 1; ++tries) {
      QTest::mouseClick(ControlWidget(dlg, IDC_COMPARE), Qt::LeftButton);
      (void)QTest::qWaitFor([&] { return warning.seen; }, 300);
    }
    ASSERT_TRUE(warning.seen) << "no warning box while the sweep ran";
    EXPECT_TRUE(warning.sweeping);
    EXPECT_TRUE(QString::fromStdString(warning.text).endsWith(", \ncan't contrast display. ")) << warning.text;
    EXPECT_TRUE(warning.grew) << "frames stopped at " << warning.framesAtOpen << " while the box was open";

    ASSERT_TRUE(QTest::qWaitFor([&] { return complete; }, 30000)) << "the sweep never finished";
    EXPECT_EQ(dlg.m_bSweepMode, 0);
    EXPECT_EQ(FramesStored(dlg), kSensorCount);
    for (int s = 0; s < kSensorCount; ++s) EXPECT_EQ(dlg.m_frameCount[s], 1) << "sensor " << s;
    EXPECT_EQ(ShownText(ControlWidget(dlg, IDC_SENSOR_LIST)), "SENSOR T");
  });
}

}  // namespace
