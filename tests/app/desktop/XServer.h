// A virtual display with a window manager for the tests of real windows: Xvfb on a free display
// (1366 x 768, the size of a small office screen) and openbox on it, started once for the test
// program and gone with it. The toolkit is pointed at that display before it starts.
#pragma once

#include "rtl/Types.h"

#include <functional>

// True when the display and its window manager run (started on the first call); false, with
// the reason in XServerProblem, when Xvfb or openbox is missing or does not come up.
bool XServerRunning();
const String& XServerProblem();

// What xprop prints of a window's property ("" when it cannot run).
String XProp(const String& windowId, const String& property);
// The folder the tests keep their screenshots in, with a trailing "/".
String ScreenshotFolder();

// Lets the program handle its messages until the condition holds (at most the time given).
bool WaitFor(const std::function<bool()>& condition, int ms = 3000);
// Lets the program handle its messages for the time given.
void Settle(int ms = 150);
