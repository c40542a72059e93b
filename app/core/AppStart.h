// The program block: the start-up from the splash window to the login, and the message loop.
#pragma once

// Runs the start-up: splash window, data module with its connection (the recovery dialog when
// the database cannot be opened), main window, login. True when the program goes on to the
// message loop; false when it ends (the recovery dialog or the login was cancelled, or the login
// failed).
bool StartOrvanta();
// The whole program: StartOrvanta, then the message loop until the main window closes. Returns
// the process's exit code: 1 when no window can be shown (no display, or one that does not
// answer: the reason printed in one line), 0 otherwise.
int RunOrvanta();
