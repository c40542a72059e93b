// The binding modules of the windowing layer (graphics, forms and controls, dialogs). A program
// enters them into the interpreter's module list at start-up, before its first script takes the
// modules, and removes them at its end; entering them twice adds them once.
#pragma once

void vsRegisterGuiModules();
void vsUnregisterGuiModules();
