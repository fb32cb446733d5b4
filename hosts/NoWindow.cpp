// A build without Qt has no window to show.
#include <iostream>

#include "hosts/qt/QtMain.h"

int RunWindow(int, char**, const std::string& title) {
  std::cerr << title << ": this build has no window; run it with --headless" << std::endl;
  return 2;
}
