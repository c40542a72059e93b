// The property hint table of the object inspector, joined to the report library's string resources
// when the designer starts (before the designer table).
#pragma once

// The table text ("Resources" format, code page 936).
extern const char* const vrrcHints;

// Loads the table into GetResources(); only the first call of the run loads.
void vrrcHintsStartUp();
