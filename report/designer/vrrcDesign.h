// The designer's string table, joined to the report library's string resources when the designer
// starts: after the engine's and the exports' tables and after the property hints, so its texts
// win over theirs (the engine's "crBuildMx" and "crFillMx"); a language file loaded later wins over
// it.
#pragma once

// The table text ("Resources" format, code page 936).
extern const char* const vrrcDesign;

// Loads the property hint table, then the designer table, into GetResources(); only the first call
// of the run loads. Call it after the export filters have loaded their table.
void vrrcDesignStartUp();
