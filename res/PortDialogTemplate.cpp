// Dialog template 129: "Set Baudrate", the choice of serial port and baud rate.
#include "res/ResourceData.h"

namespace {

DialogTemplate BuildPortDialog() {
  namespace cs = ControlStyle;
  using K = ControlKind;
  DialogTemplate dialog;
  dialog.id = IDD_PORT_DIALOG;
  dialog.caption = "Set Baudrate";
  dialog.cx = 187;
  dialog.cy = 94;
  dialog.fontName = "System";
  dialog.fontPointSize = 10;
  dialog.style = DialogStyle::Caption | DialogStyle::SysMenu | DialogStyle::ModalFrame;
  // Both lists take typed text as well as a choice. The port list is sorted (its names
  // already are); the baud rates keep their numeric order, which sorting as text would break.
  dialog.controls = {
      MakeControl(IDOK, K::PushButton, "OK", 35, 61, 50, 14, cs::TabStop | cs::DefaultButton),
      MakeControl(IDCANCEL, K::PushButton, "Cancel", 102, 60, 50, 14, cs::TabStop),
      MakeControl(IDC_STATIC, K::StaticText, "Com", 41, 17, 16, 8, cs::None),
      MakeControl(IDC_STATIC, K::StaticText, "Baudrate", 107, 17, 31, 8, cs::None),
      MakeControl(IDC_PORT_LIST, K::ComboBox, "", 41, 30, 48, 45,
                  cs::Sorted | cs::VScroll | cs::TabStop,
                  {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}),
      MakeControl(IDC_BAUD_LIST, K::ComboBox, "", 107, 29, 48, 44, cs::VScroll | cs::TabStop,
                  {"4800", "9600", "19200", "38400", "57600", "115200"}),
  };
  return dialog;
}

}  // namespace

const DialogTemplate& PortDialogTemplate() {
  static const DialogTemplate dialog = BuildPortDialog();
  return dialog;
}
