// Look-up of the program's resources by id.
#include "res/Resources.h"

#include "res/ResourceData.h"

const DialogTemplate* FindDialogTemplate(int id) {
  switch (id) {
    case IDD_ABOUTBOX:
      return &AboutDialogTemplate();
    case IDD_MAIN_DIALOG:
      return &MainDialogTemplate();
    case IDD_PORT_DIALOG:
      return &PortDialogTemplate();
    default:
      return nullptr;
  }
}

std::string LoadResourceString(int id) {
  // The string table holds a single entry: the About item of the system menu.
  if (id == IDS_ABOUTBOX) return "关于 Velnor(&A)...";
  return {};
}

const std::vector<IconImage>& LoadIconResource(int id) {
  static const std::vector<IconImage> none;
  if (id == IDR_MAINFRAME) return AppIconImages();
  return none;
}
