// The desktop's programs as the application starts them (the platform's ShellOpen and its
// calculator and text editor), with the program's message when nothing opened the target.
#pragma once

#include "rtl/Types.h"

// ShellOpen; when nothing opened the target, the program's message (CannotOpenMessage) is shown
// as a warning.
bool ShellOpenOrTell(const String& target);
String CannotOpenMessage(const String& target);
