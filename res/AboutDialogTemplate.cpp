// Dialog template 100: the About box opened from the system menu.
#include "res/ResourceData.h"

namespace {

DialogTemplate BuildAboutDialog() {
  namespace cs = ControlStyle;
  using K = ControlKind;
  DialogTemplate dialog;
  dialog.id = IDD_ABOUTBOX;
  dialog.caption = "About Velnor";
  dialog.cx = 235;
  dialog.cy = 55;
  dialog.fontName = "宋体";
  dialog.fontPointSize = 9;
  dialog.style = DialogStyle::Caption | DialogStyle::SysMenu | DialogStyle::ModalFrame;
  dialog.controls = {
      MakeControl(IDC_STATIC, K::Icon, "128", 11, 17, 20, 20, cs::None),
      MakeControl(IDC_STATIC, K::StaticText, "Velnor 1.1", 40, 10, 119, 8, cs::None),
      MakeControl(IDOK, K::PushButton, "OK", 178, 7, 50, 14,
                  cs::TabStop | cs::Group | cs::DefaultButton),
  };
  return dialog;
}

}  // namespace

const DialogTemplate& AboutDialogTemplate() {
  static const DialogTemplate dialog = BuildAboutDialog();
  return dialog;
}
