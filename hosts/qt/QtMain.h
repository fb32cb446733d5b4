// Runs the program in its window.
#pragma once

#include <string>

// Returns the exit status: 0, or 2 when there is no display to show the window on.
int RunWindow(int argc, char** argv, const std::string& title);
