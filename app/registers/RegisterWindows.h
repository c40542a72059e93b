// Lets the main window's actions open the register windows: 201 estates, 203 public facilities,
// 301 houses. Called by the program before it starts (a static library's windows cannot
// register themselves).
#pragma once

void RegisterRegisterWindows();
