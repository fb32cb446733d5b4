// The resource look-ups: dialog windows, the port and About dialogs, the string table, the
// icon, and DialogTemplate::Find.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Types.h"
#include "res/Resources.h"

namespace {

TEST(Resources, DialogWindows) {
  namespace ds = DialogStyle;
  struct Case {
    int id;
    const char* caption;
    int cx, cy;
    const char* font;
    int points;
    std::uint32_t style;
  };
  const Case cases[] = {
      {IDD_ABOUTBOX, "About Velnor", 235, 55, "宋体", 9,
       ds::Caption | ds::SysMenu | ds::ModalFrame},
      {IDD_MAIN_DIALOG, "Velnor[Zed1.3U 2010.01.06]", 507, 365, "宋体", 9,
       ds::Caption | ds::SysMenu | ds::MinimizeBox | ds::ModalFrame | ds::Visible | ds::AppWindow},
      {IDD_PORT_DIALOG, "Set Baudrate", 187, 94, "System", 10,
       ds::Caption | ds::SysMenu | ds::ModalFrame},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const DialogTemplate* dialog = FindDialogTemplate(c.id);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->id, c.id);
    EXPECT_EQ(dialog->caption, c.caption);
    EXPECT_EQ(dialog->cx, c.cx);
    EXPECT_EQ(dialog->cy, c.cy);
    EXPECT_EQ(dialog->fontName, c.font);
    EXPECT_EQ(dialog->fontPointSize, c.points);
    EXPECT_EQ(dialog->style, c.style);  // exactly: in particular no maximise box
  }
  for (int id : {0, IDS_ABOUTBOX, IDR_MAINFRAME, 103})
    EXPECT_EQ(FindDialogTemplate(id), nullptr) << id;
}

TEST(Resources, PortDialogListsAndButtons) {
  const DialogTemplate* dialog = FindDialogTemplate(IDD_PORT_DIALOG);
  ASSERT_NE(dialog, nullptr);
  const ControlTemplate* port = dialog->Find(IDC_PORT_LIST);
  const ControlTemplate* baud = dialog->Find(IDC_BAUD_LIST);
  const ControlTemplate* ok = dialog->Find(IDOK);
  const ControlTemplate* cancel = dialog->Find(IDCANCEL);
  ASSERT_TRUE(port && baud && ok && cancel);

  EXPECT_EQ(port->kind, ControlKind::ComboBox);
  EXPECT_EQ(port->items, (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                                   "COM7", "COM8"}));
  EXPECT_TRUE(port->Has(ControlStyle::Sorted | ControlStyle::VScroll | ControlStyle::TabStop));
  EXPECT_EQ(std::vector<int>({port->x, port->y, port->cx, port->cy}),
            std::vector<int>({41, 30, 48, 45}));

  // The baud rates keep their numeric order, which a sorted list would turn into text order.
  EXPECT_EQ(baud->kind, ControlKind::ComboBox);
  EXPECT_EQ(baud->items,
            (std::vector<std::string>{"4800", "9600", "19200", "38400", "57600", "115200"}));
  EXPECT_FALSE(baud->Has(ControlStyle::Sorted));
  EXPECT_TRUE(baud->Has(ControlStyle::VScroll | ControlStyle::TabStop));
  EXPECT_EQ(std::vector<int>({baud->x, baud->y, baud->cx, baud->cy}),
            std::vector<int>({107, 29, 48, 44}));

  EXPECT_EQ(ok->text, "OK");
  EXPECT_TRUE(ok->Has(ControlStyle::DefaultButton));
  EXPECT_EQ(cancel->text, "Cancel");
  EXPECT_FALSE(cancel->Has(ControlStyle::DefaultButton));
}

TEST(Resources, AboutDialogShowsTheProgramIcon) {
  const DialogTemplate* dialog = FindDialogTemplate(IDD_ABOUTBOX);
  ASSERT_NE(dialog, nullptr);
  const ControlTemplate* ok = dialog->Find(IDOK);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text, "OK");
  EXPECT_TRUE(ok->Has(ControlStyle::DefaultButton | ControlStyle::TabStop));

  int icons = 0;
  for (const ControlTemplate& c : dialog->controls) {
    if (c.kind != ControlKind::Icon) continue;
    ++icons;
    EXPECT_FALSE(LoadIconResource(std::stoi(c.text)).empty()) << c.text;
    EXPECT_EQ(std::vector<int>({c.x, c.y, c.cx, c.cy}), std::vector<int>({11, 17, 20, 20}));
  }
  EXPECT_EQ(icons, 1);
}

TEST(Resources, StringTable) {
  EXPECT_EQ(LoadResourceString(IDS_ABOUTBOX), "关于 Velnor(&A)...");
  for (int id : {0, IDD_ABOUTBOX, IDD_MAIN_DIALOG, IDR_MAINFRAME}) {
    EXPECT_TRUE(LoadResourceString(id).empty()) << id;
  }
}

TEST(Resources, IconHasTwoSixteenColourImages) {
  const std::vector<IconImage>& images = LoadIconResource(IDR_MAINFRAME);
  ASSERT_EQ(images.size(), 2u);
  const int sizes[] = {32, 16};
  for (std::size_t i = 0; i < images.size(); ++i) {
    SCOPED_TRACE(sizes[i]);
    const IconImage& image = images[i];
    EXPECT_EQ(image.width, sizes[i]);
    EXPECT_EQ(image.height, sizes[i]);
    ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(sizes[i] * sizes[i]));
    const std::set<std::uint32_t> colours(image.pixels.begin(), image.pixels.end());
    EXPECT_LE(colours.size(), 16u);
    std::size_t opaque = 0;
    for (std::uint32_t p : image.pixels) opaque += (p >> 24) == 0xFF;
    // A drawing, not a blank: mostly opaque and in several colours.
    EXPECT_GT(opaque, image.pixels.size() / 2);
    EXPECT_GE(colours.size(), 4u);
  }
  EXPECT_TRUE(LoadIconResource(IDD_ABOUTBOX).empty());
  EXPECT_TRUE(LoadIconResource(0).empty());
}

TEST(DialogTemplateFind, ReturnsTheFirstControlWithTheId) {
  DialogTemplate dialog;
  for (const auto& [id, text] :
       {std::pair{IDC_STATIC, "a"}, {7, "b"}, {IDC_STATIC, "c"}, {7, "d"}}) {
    ControlTemplate control;
    control.id = id;
    control.text = text;
    dialog.controls.push_back(control);
  }
  struct Case {
    int id;
    const char* text;
  };
  for (const Case& c : {Case{7, "b"}, Case{IDC_STATIC, "a"}, Case{8, nullptr}}) {
    const ControlTemplate* found = dialog.Find(c.id);
    if (c.text == nullptr) {
      EXPECT_EQ(found, nullptr) << c.id;
    } else {
      ASSERT_NE(found, nullptr) << c.id;
      EXPECT_EQ(found->text, c.text);
    }
  }
  EXPECT_EQ(DialogTemplate{}.Find(IDOK), nullptr);
}

}  // namespace
