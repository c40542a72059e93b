// The desktop's own programs standing in for the platform's shell: opening a file, folder or
// web or mail link with its default program (xdg-open), and starting a calculator or a text
// editor found on the PATH. Each returns false when nothing could be started, so the caller can
// tell the user plainly.
#pragma once

#include "rtl/Types.h"

#include <vector>

// Opens a file or folder (paths with "\" are accepted) or a URL ("http:", "mailto:" ...) with
// the desktop's opener and tells whether it opened: the opener's own result counts, not merely
// that it started. An opener still at work after a few seconds has started a program that now
// runs in its place (some desktops' openers wait for the program they start), which counts as
// opened. A file is passed by its full path, so no target reads as an option of the opener.
// False for a file that does not exist and when there is no opener.
bool ShellOpen(const String& target);

// The calculators and text editors looked for, in order.
const std::vector<String>& CalculatorPrograms();
const std::vector<String>& TextEditorPrograms();
// The full path of the first of the programs found on the PATH ("" when none is).
String FindProgram(const std::vector<String>& candidates);

bool StartCalculator();
// Starts the text editor, with the file when one is given.
bool StartTextEditor(const String& fileName = String());
