// Checking the toolkit's own dialogs by eye and by test: a message box or a file dialog shown for
// real (no Interaction responder) is read as it shows on the screen, then answered, so a test
// under a display server sees the real dialog without ever blocking on it.
#pragma once

#include "rtl/Types.h"

#include <functional>
#include <vector>

// What a dialog of the toolkit shows: its title, its text (a message box's message) and the
// captions of its visible buttons ("&" marks removed), in the order they stand.
struct TToolkitDialog {
    String Title;
    String Text;
    std::vector<String> Buttons;
    // The rows of its lists as they show (a file dialog's side panel, then its file list), the
    // cells of a row joined by a tab; a cell whose text does not fit ends with "…".
    std::vector<String> Rows;
    // The dialog's window as the window system names it (as WindowSystemId names a form's).
    String WindowId;
};

// Watches for the next dialog of the toolkit to open. Once it shows on the screen (framed by the
// window manager, when one runs; a file dialog once its file list is read, at most 2 seconds), Seen receives
// what it shows (and may take a picture of the screen), then the button captioned Press is clicked; the
// dialog is rejected when it has no such button, or when Seen returns false. After TimeoutMs without a dialog
// the watch ends.
void WatchToolkitDialog(std::function<bool(const TToolkitDialog& Dialog)> Seen, const String& Press,
                        int TimeoutMs = 5000);
