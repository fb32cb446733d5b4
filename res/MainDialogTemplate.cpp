// Dialog template 102: the main window, with its commands, the 30 sensor buttons and their
// count labels, the wave display, the listing and the status fields.
//
// The controls are listed in creation order, which is also the tab order. The hidden OK and
// Cancel buttons come first, then "Import file", so that the first visible control that
// takes the focus at start-up is "Import file"; the rest follow the layout from the left
// column to the right.
#include <array>
#include <string>

#include "res/ResourceData.h"

namespace {

namespace cs = ControlStyle;
using K = ControlKind;

constexpr int kSensorCount = 30;

// The sensor character: '0'..'9' for sensors 0 to 9, 'A'..'T' for 10 to 29.
char SensorCharacter(int sensor) {
  return sensor < 10 ? static_cast<char>('0' + sensor) : static_cast<char>('A' + (sensor - 10));
}

// Buttons 0 to O are 1010..1034; P to T continue at 1044..1048, after the first six
// count labels.
int SensorButtonId(int sensor) { return sensor < 25 ? 1010 + sensor : 1044 + (sensor - 25); }

// Count labels 0 to 5 are 1038..1043; from sensor 6 on they continue at 1049, after the
// ids taken by buttons P to T.
int CountLabelId(int sensor) { return sensor <= 5 ? 1038 + sensor : 1043 + sensor; }

// The sensor buttons stand in six rows of five, each count label just below its button.
// The label columns differ slightly from row to row.
constexpr std::array<int, 5> kSensorButtonX = {9, 38, 65, 94, 122};
constexpr int kSensorButtonWidth = 25, kSensorButtonHeight = 14;
constexpr int kCountLabelWidth = 20, kCountLabelHeight = 8;

struct SensorRow {
  int buttonY;
  int labelY;
  std::array<int, 5> labelX;
};

constexpr std::array<SensorRow, 6> kSensorRows = {{
    {193, 209, {14, 42, 70, 98, 127}},  // 0 to 4
    {221, 239, {13, 41, 70, 98, 127}},  // 5 to 9
    {250, 267, {13, 41, 69, 97, 127}},  // A to E
    {278, 294, {14, 42, 69, 98, 127}},  // F to J
    {305, 321, {15, 43, 71, 99, 128}},  // K to O
    {331, 348, {14, 42, 70, 98, 128}},  // P to T
}};

// "SENSOR 0" .. "SENSOR T", then "SENSOR Z", which names no sensor. Sorted as text this is
// the same order, so entry s of the list is sensor s.
std::vector<std::string> SensorListItems() {
  std::vector<std::string> items;
  for (int s = 0; s < kSensorCount; ++s)
    items.push_back(std::string("SENSOR ") + SensorCharacter(s));
  items.push_back("SENSOR Z");
  return items;
}

DialogTemplate BuildMainDialog() {
  DialogTemplate dialog;
  dialog.id = IDD_MAIN_DIALOG;
  dialog.caption = "Velnor[Zed1.3U 2010.01.06]";
  dialog.cx = 507;
  dialog.cy = 365;
  dialog.fontName = "宋体";
  dialog.fontPointSize = 9;
  dialog.style = DialogStyle::Caption | DialogStyle::SysMenu | DialogStyle::MinimizeBox |
                 DialogStyle::ModalFrame | DialogStyle::Visible | DialogStyle::AppWindow;

  constexpr std::uint32_t kButton = cs::TabStop;
  constexpr std::uint32_t kEdit = cs::Border | cs::TabStop | cs::AutoHScroll;
  constexpr std::uint32_t kReadOnlyEdit = kEdit | cs::ReadOnly;

  std::vector<ControlTemplate>& c = dialog.controls;

  // OK and Cancel exist only for the dialog's commands and are never shown; OK is also
  // disabled, so Enter does nothing and the window ends only through Cancel.
  c.push_back(MakeControl(IDOK, K::PushButton, "确定", 160, 17, 50, 14,
                          cs::Hidden | cs::Disabled | cs::DefaultButton | kButton));
  c.push_back(MakeControl(IDCANCEL, K::PushButton, "取消", 161, 34, 50, 14, cs::Hidden | kButton));

  c.push_back(MakeControl(IDC_IMPORT_FILE, K::PushButton, "Import file", 7, 7, 50, 14, kButton));

  // Paint style: the two radio buttons form one group, closed by the frame that follows.
  c.push_back(MakeControl(IDC_STATIC, K::GroupBox, "Paint mode", 7, 23, 142, 30, cs::None));
  c.push_back(MakeControl(IDC_CONTINUE, K::RadioButton, "Continue", 28, 37, 48, 10,
                          cs::Group | cs::TabStop));
  c.push_back(MakeControl(IDC_DISPERSE, K::RadioButton, "Disperse", 84, 37, 48, 10, cs::None));

  c.push_back(MakeControl(IDC_STATIC, K::GroupBox, "Display Mode", 7, 58, 142, 36, cs::Group));
  c.push_back(MakeControl(IDC_MODE_LABEL, K::StaticText, "Static", 43, 74, 77, 8, cs::None));
  c.push_back(MakeControl(IDC_STATIC, K::StaticText, "终止(存储)序号", 72, 82, 57, 8, cs::Hidden));

  c.push_back(MakeControl(IDC_STATIC, K::GroupBox, "Function", 7, 96, 142, 80, cs::None));
  c.push_back(MakeControl(IDC_STATIC, K::StaticText, "Current sensor", 21, 108, 57, 8, cs::None));
  c.push_back(MakeControl(IDC_SENSOR_LIST, K::ComboBox, "", 84, 106, 50, 74,
                          cs::Sorted | cs::VScroll | cs::TabStop, SensorListItems()));
  c.push_back(MakeControl(IDC_SET_COMM, K::PushButton, "Set Comm.", 23, 123, 50, 14, kButton));
  c.push_back(MakeControl(IDC_CLEAR, K::PushButton, "Clear", 83, 123, 50, 14, kButton));
  c.push_back(MakeControl(IDC_COMPARE, K::PushButton, "Compare", 23, 140, 50, 14, kButton));
  c.push_back(MakeControl(IDC_AVERAGE, K::PushButton, "Average", 83, 139, 50, 14, kButton));
  c.push_back(MakeControl(IDC_ALL_SENSOR, K::PushButton, "All sensor", 23, 155, 50, 14, kButton));
  c.push_back(MakeControl(IDC_SAVE, K::PushButton, "Save", 83, 155, 50, 14, kButton));

  // Each sensor button is followed by its count label.
  c.push_back(MakeControl(IDC_STATIC, K::GroupBox, "Sensor", 7, 181, 142, 178, cs::None));
  for (int s = 0; s < kSensorCount; ++s) {
    const SensorRow& row = kSensorRows[static_cast<std::size_t>(s / 5)];
    const std::size_t column = static_cast<std::size_t>(s % 5);
    c.push_back(MakeControl(SensorButtonId(s), K::PushButton, std::string(1, SensorCharacter(s)),
                            kSensorButtonX[column], row.buttonY, kSensorButtonWidth,
                            kSensorButtonHeight, kButton));
    c.push_back(MakeControl(CountLabelId(s), K::StaticText, "0次", row.labelX[column], row.labelY,
                            kCountLabelWidth, kCountLabelHeight, cs::None));
  }

  // The plot is drawn inside this frame; its rectangle gives the plot area. The status line
  // and the close-port button lie under it, hidden.
  c.push_back(
      MakeControl(IDC_WAVE_DISPLAY, K::GroupBox, "Wave display", 157, 7, 270, 317, cs::None));
  c.push_back(MakeControl(IDC_STATUS, K::StaticText, "Static", 163, 57, 150, 8, cs::Hidden));
  c.push_back(MakeControl(IDC_PORT_TOGGLE, K::PushButton, "Button1", 161, 70, 50, 14,
                          cs::Hidden | kButton));

  c.push_back(MakeControl(IDC_STATIC, K::GroupBox, "Receive data", 428, 7, 72, 317, cs::None));
  c.push_back(MakeControl(IDC_DATA, K::Edit, "", 439, 19, 55, 300,
                          kEdit | cs::Multiline | cs::VScroll | cs::WantReturn));

  // Status fields, each after its label.
  c.push_back(MakeControl(IDC_STATIC, K::GroupBox, "Status", 157, 326, 343, 32, cs::None));
  c.push_back(MakeControl(IDC_STATIC, K::StaticText, "Com", 161, 342, 13, 8, cs::None));
  c.push_back(MakeControl(IDC_COM, K::Edit, "", 179, 338, 35, 14, kReadOnlyEdit));
  c.push_back(MakeControl(IDC_STATIC, K::StaticText, "Baudrate", 217, 342, 33, 8, cs::None));
  c.push_back(MakeControl(IDC_BAUDRATE, K::Edit, "", 253, 338, 26, 14, kReadOnlyEdit));
  c.push_back(MakeControl(IDC_STATIC, K::StaticText, "Total", 281, 341, 21, 8, cs::None));
  c.push_back(MakeControl(IDC_TOTAL, K::Edit, "", 307, 337, 24, 14, kReadOnlyEdit));
  c.push_back(MakeControl(IDC_STATIC, K::StaticText, "Start", 333, 339, 21, 8, cs::None));
  c.push_back(MakeControl(IDC_START, K::Edit, "", 359, 335, 26, 14, kEdit));
  c.push_back(MakeControl(IDC_STATIC, K::StaticText, "End", 387, 340, 13, 8, cs::None));
  c.push_back(MakeControl(IDC_END, K::Edit, "", 405, 336, 24, 14, kEdit));
  c.push_back(MakeControl(IDC_STATIC, K::StaticText, "sq.yd", 431, 339, 21, 8, cs::None));
  c.push_back(MakeControl(IDC_SQUARE_SUM, K::Edit, "", 459, 335, 27, 14, kReadOnlyEdit));

  return dialog;
}

}  // namespace

const DialogTemplate& MainDialogTemplate() {
  static const DialogTemplate dialog = BuildMainDialog();
  return dialog;
}
