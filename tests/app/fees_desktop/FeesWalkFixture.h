// The fee windows walked on a real display with a window manager (Xvfb and openbox, started by the
// test): the start-up fixture, skipped where there is no display, with the walks' common start as
// a new user on the seeded database and their screenshot and window-manager helpers.
#pragma once

#include "app/core/StartupFixture.h"
#include "app/desktop/XServer.h"

// Whether the window manager has taken the form in (it offers to move it).
bool WalkManaged(TCustomForm* form);
// The screen, once settled, saved as <name>.png in ScreenshotFolder() to be looked at.
void WalkShot(const String& name);

class FeesWalk : public Startup {
protected:
    void SetUp() override;
    // A new default database with the program's layouts (app/Qr) beside it, the register and fee
    // windows registered, "admin" logged in, the main window shown and managed, the registers
    // seeded.
    void StartSeeded();
};
