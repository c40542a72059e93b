// Starting the desktop's programs: a file or address opened with the desktop's default program
// (xdg-open), and the first of several programs found on the PATH. Neither waits for the program.
#pragma once

#include "rtl/Types.h"

#include <vector>

// True when xdg-open could be started for the target.
bool ShellOpen(const String& target);
// Starts the first program of the list found on the PATH; false when none is there.
bool RunFirstProgram(const std::vector<String>& programs);
// The full path of a program found on the PATH ("" when none).
String FindOnPath(const String& program);
