// The support operations every window uses: message boxes, window placement, the stored form of
// operator passwords and compaction of the database file.
#pragma once

#include "rtl/Types.h"

#include <functional>

// Shows the text in a modal message box of a kind: 0 information, 1 question, 2 warning, 3 error.
// A question returns 1 for the affirmative answer and 2 for the negative one; the other kinds
// return 1.
int ShowMess(const String& text, int kind);
// Who shows the messages of ShowMess; returns the handler it replaces. The windowing layer
// installs the message box; tests install a recorder.
using TShowMessHandler = std::function<int(const String& text, int kind)>;
TShowMessHandler SetShowMessHandler(TShowMessHandler handler);

class TCustomForm;

// Places a window before it is shown: mode 0 list and statistics windows and 1 dialogs centred
// in the work area, no larger than it; 2 the main window, maximised over the work area. Sizes
// count the window manager's frame, so the whole frame stays inside the work area.
void DispFormPos(TCustomForm* form, int mode);
// Makes ShowMess show the platform's message boxes (captioned "系统提示").
void InstallMessageBoxes();

// Compacts the database file in place, keeping its password; the connection must be closed.
// True when the file was compacted.
bool CompactDatabase(const String& fileName, const String& password);

// The clear password from its stored form, and the stored form of a clear password; the two are
// inverse for every password, the empty one included (whose stored form is empty). A stored text
// that is not in the stored form is taken as the clear password itself.
String GetPass(const String& stored);
String SavePass(const String& clear);
