// The export string table (203 texts keyed by number or name) and its loading into the report
// library's string resources. The program loads it at start-up, before any export filter exists;
// every filter loads it again when made (a second load does nothing), so a filter made without
// the program's start-up still finds its texts.
#pragma once

// The table as one XML text in the resources' "Resources"/"StrRes" format, code page 936.
extern const char* const vrExportResourceTable;

// Loads the table into GetResources() once; later calls do nothing.
void vrLoadExportStrings();
