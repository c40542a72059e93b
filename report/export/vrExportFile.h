// What the file-writing exports share: the output file written under a temporary name, the file
// name as a filter takes it, opening the written file, and the report's way of telling errors.
#pragma once

#include "report/vrClassCollaborators.h"
#include "report/vrUtils.h"

class TvrReport;

// An export's output file: the report library's replacing file (written under a temporary name
// and renamed over the target by Commit; destroyed uncommitted, it removes the temporary file).
class TvrExportFile : public TvrReplacingFile {
public:
    using TvrReplacingFile::TvrReplacingFile;
};

// The filter's file name as an export takes it: empty when none; a name without a folder gets the
// filter's DefaultPath in front when that is set ("\" in stored paths accepted).
String vrExportTarget(const TvrCustomExportFilter& filter);

// Reports an export's error the report's way (EngineOptions.NewSilentMode): simMessageBoxes shows
// the library's error box, simSilent adds the text to the report's error list, simReThrow raises
// it again. Without a report the text goes to an error box.
void vrExportError(TvrReport* report, const String& text);

// Opens a written file with the desktop's program ("open"); a failure is an export error.
void vrOpenExportedFile(TvrReport* report, const String& fileName);

// The texts of an exported cell as the 8-bit exports write them: the program's code page (GBK),
// or with oem the OEM code page (the same length).
AnsiString vrExportBytes(const String& utf8, bool oem);
