// Lets the main window's actions open the register windows: 201 estates, 203 public facilities,
// 204 cleaning, 205 patrol, 206 spare parts, 207 fee items, 301 houses, 306 parking spaces and
// 308 suggestions. Called by the program before it starts (a static library's windows cannot
// register themselves).
#pragma once

void RegisterRegisterWindows();
