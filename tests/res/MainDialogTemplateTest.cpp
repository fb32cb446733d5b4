// Template 102: the sensor buttons, count labels and sensor list follow their id rules, and
// the controls carry the styles the dialog relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "platform/Types.h"
#include "res/Resources.h"

namespace {

const DialogTemplate& Main() {
  static const DialogTemplate missing;
  const DialogTemplate* dialog = FindDialogTemplate(IDD_MAIN_DIALOG);
  if (dialog == nullptr) ADD_FAILURE() << "no template " << IDD_MAIN_DIALOG;
  return dialog != nullptr ? *dialog : missing;
}

char SensorChar(int s) { return static_cast<char>(s < 10 ? '0' + s : 'A' + s - 10); }
int ButtonId(int s) { return s <= 24 ? 1010 + s : 1044 + (s - 25); }
int LabelId(int s) { return s <= 5 ? 1038 + s : 1043 + s; }

std::size_t IndexOf(const DialogTemplate& dialog, const ControlTemplate* control) {
  return static_cast<std::size_t>(control - dialog.controls.data());
}

TEST(MainDialogTemplate, BoundaryIdsOfTheSensorRules) {
  // The points where the rules change: first and last sensor, the jump of the label ids
  // after sensor 5, the switch to letters at 10 and the jump of the button ids at 25.
  struct Case {
    int sensor;
    const char* caption;
    int button;
    int label;
  };
  const Case cases[] = {
      {0, "0", 1010, 1038},  {5, "5", 1015, 1043},  {6, "6", 1016, 1049},  {9, "9", 1019, 1052},
      {10, "A", 1020, 1053}, {24, "O", 1034, 1067}, {25, "P", 1044, 1068}, {29, "T", 1048, 1072},
  };
  const DialogTemplate& dialog = Main();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sensor);
    EXPECT_EQ(std::string(1, SensorChar(c.sensor)), c.caption);
    EXPECT_EQ(ButtonId(c.sensor), c.button);
    EXPECT_EQ(LabelId(c.sensor), c.label);
    const ControlTemplate* button = dialog.Find(c.button);
    const ControlTemplate* label = dialog.Find(c.label);
    ASSERT_TRUE(button && label);
    EXPECT_EQ(button->text, c.caption);
    EXPECT_EQ(label->text, "0次");
  }
}

TEST(MainDialogTemplate, EverySensorHasItsButtonWithACountLabelBelow) {
  const DialogTemplate& dialog = Main();
  const int buttonX[5] = {9, 38, 65, 94, 122};
  std::set<int> ids;
  for (int s = 0; s < 30; ++s) {
    SCOPED_TRACE(s);
    const ControlTemplate* button = dialog.Find(ButtonId(s));
    const ControlTemplate* label = dialog.Find(LabelId(s));
    ASSERT_NE(button, nullptr);
    ASSERT_NE(label, nullptr);
    ids.insert(button->id);
    ids.insert(label->id);

    EXPECT_EQ(button->kind, ControlKind::PushButton);
    EXPECT_EQ(button->text, std::string(1, SensorChar(s)));
    EXPECT_EQ(button->x, buttonX[s % 5]);
    EXPECT_EQ(button->cx, 25);
    EXPECT_EQ(button->cy, 14);
    EXPECT_TRUE(button->Has(ControlStyle::TabStop));

    EXPECT_EQ(label->kind, ControlKind::StaticText);
    EXPECT_EQ(label->text, "0次");
    EXPECT_EQ(label->cx, 20);
    EXPECT_EQ(label->cy, 8);
    // Below its own button: under the button's bottom edge, starting within its width.
    EXPECT_GT(label->y, button->y + button->cy - 1);
    EXPECT_GE(label->x, button->x);
    EXPECT_LT(label->x, button->x + button->cx);

    // Rows of five: the same height across a row, and every row below the one before.
    const ControlTemplate* rowStart = dialog.Find(ButtonId(s - s % 5));
    EXPECT_EQ(button->y, rowStart->y);
    EXPECT_EQ(label->y, dialog.Find(LabelId(s - s % 5))->y);
    if (s >= 5) {
      const ControlTemplate* above = dialog.Find(LabelId(s - 5));
      EXPECT_GT(button->y, above->y);
    }
  }
  EXPECT_EQ(ids.size(), 60u);  // no button shares an id with a label
}

TEST(MainDialogTemplate, SensorListNamesSensorsByIndexAndStaysInOrderWhenSorted) {
  const ControlTemplate* list = Main().Find(IDC_SENSOR_LIST);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->kind, ControlKind::ComboBox);
  EXPECT_TRUE(list->Has(ControlStyle::Sorted | ControlStyle::VScroll | ControlStyle::TabStop));
  ASSERT_EQ(list->items.size(), 31u);
  for (int s = 0; s < 30; ++s) {
    EXPECT_EQ(list->items[static_cast<std::size_t>(s)], std::string("SENSOR ") + SensorChar(s));
  }
  EXPECT_EQ(list->items[30], "SENSOR Z");
  // Sorting the list must not move any entry, or entry s would no longer be sensor s.
  EXPECT_TRUE(std::is_sorted(list->items.begin(), list->items.end()));
}

TEST(MainDialogTemplate, HiddenControlsDisabledOkAndFirstFocus) {
  const DialogTemplate& dialog = Main();
  std::multiset<std::string> hidden;
  const ControlTemplate* firstFocus = nullptr;
  for (const ControlTemplate& c : dialog.controls) {
    const bool isHidden = c.Has(ControlStyle::Hidden);
    if (isHidden) hidden.insert(c.id == IDC_STATIC ? c.text : std::to_string(c.id));
    EXPECT_EQ(c.Has(ControlStyle::Disabled), c.id == IDOK) << c.id;
    EXPECT_EQ(c.Has(ControlStyle::DefaultButton), c.id == IDOK) << c.id;
    if (!firstFocus && !isHidden && !c.Has(ControlStyle::Disabled) &&
        c.Has(ControlStyle::TabStop)) {
      firstFocus = &c;
    }
  }
  EXPECT_EQ(hidden, (std::multiset<std::string>{"1", "2", "1082", "1085", "终止(存储)序号"}));
  ASSERT_NE(firstFocus, nullptr);
  EXPECT_EQ(firstFocus->id, IDC_IMPORT_FILE);
  // The hidden OK and Cancel lead the template.
  ASSERT_GE(dialog.controls.size(), 2u);
  EXPECT_EQ(dialog.controls[0].id, IDOK);
  EXPECT_EQ(dialog.controls[1].id, IDCANCEL);
}

TEST(MainDialogTemplate, PaintModeRadioGroupHoldsExactlyContinueAndDisperse) {
  const DialogTemplate& dialog = Main();
  const ControlTemplate* first = dialog.Find(IDC_CONTINUE);
  const ControlTemplate* second = dialog.Find(IDC_DISPERSE);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->kind, ControlKind::RadioButton);
  EXPECT_EQ(second->kind, ControlKind::RadioButton);
  EXPECT_TRUE(first->Has(ControlStyle::Group | ControlStyle::TabStop));
  EXPECT_FALSE(second->Has(ControlStyle::Group));
  const std::size_t i = IndexOf(dialog, first);
  ASSERT_EQ(IndexOf(dialog, second), i + 1);
  ASSERT_LT(i + 2, dialog.controls.size());
  EXPECT_TRUE(dialog.controls[i + 2].Has(ControlStyle::Group));
  // No other radio button in the dialog.
  EXPECT_EQ(
      std::count_if(dialog.controls.begin(), dialog.controls.end(),
                    [](const ControlTemplate& c) { return c.kind == ControlKind::RadioButton; }),
      2);
}

TEST(MainDialogTemplate, EditBoxesAndWaveDisplay) {
  const DialogTemplate& dialog = Main();
  const std::set<int> readOnly = {IDC_COM, IDC_BAUDRATE, IDC_TOTAL, IDC_SQUARE_SUM};
  int edits = 0;
  for (const ControlTemplate& c : dialog.controls) {
    if (c.kind != ControlKind::Edit) continue;
    ++edits;
    SCOPED_TRACE(c.id);
    EXPECT_TRUE(c.Has(ControlStyle::Border | ControlStyle::AutoHScroll | ControlStyle::TabStop));
    EXPECT_EQ(c.Has(ControlStyle::ReadOnly), readOnly.count(c.id) == 1);
    EXPECT_EQ(c.Has(ControlStyle::Multiline), c.id == IDC_DATA);
  }
  EXPECT_EQ(edits, 7);
  const ControlTemplate* data = dialog.Find(IDC_DATA);
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(
      data->Has(ControlStyle::Multiline | ControlStyle::VScroll | ControlStyle::WantReturn));

  // The plot area is measured from this frame.
  const ControlTemplate* wave = dialog.Find(IDC_WAVE_DISPLAY);
  ASSERT_NE(wave, nullptr);
  EXPECT_EQ(wave->kind, ControlKind::GroupBox);
  EXPECT_EQ((std::array<int, 4>{wave->x, wave->y, wave->cx, wave->cy}),
            (std::array<int, 4>{157, 7, 270, 317}));
}

}  // namespace
