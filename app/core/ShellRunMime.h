// The desktop's default program for a kind of file, as the desktop's own tool names it.
#pragma once

#include "rtl/Types.h"

// The desktop entry that `xdg-mime query default` names for the MIME type ("" when xdg-mime is
// not on the PATH, fails or names none). Waits for the tool.
String DefaultDesktopProgram(const String& mimeType);
