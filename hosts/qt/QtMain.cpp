#include "hosts/qt/QtMain.h"

#include <cstdlib>
#include <iostream>

#include <QApplication>

#include "app/MainApp.h"
#include "hosts/qt/QtHost.h"
#include "platform/Clock.h"
#include "platform/Runtime.h"
#include "res/ProgramResources.h"

int RunWindow(int argc, char** argv, const std::string& title) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !platform) {
    std::cerr << title << ": no display to show the window on; run with --headless" << std::endl;
    return 2;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromStdString(title));
  QtHost host;
  RealClock clock;
  Runtime runtime(host, clock, ProgramResources(), title);
  host.Attach(runtime);
  AfxWinMain(theApp);
  return 0;
}
