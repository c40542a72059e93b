// The output file of the exports and their shared helpers.
#include "report/export/vrExportFile.h"

#include "gui/Desktop.h"
#include "report/vrClassReport.h"
#include "report/vrUtils.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"

String vrExportTarget(const TvrCustomExportFilter& filter) {
    String name = filter.FileName;
    if (name.empty()) return name;
    if (!filter.DefaultPath.empty() && ExtractFileDir(NormalizePath(name)).empty())
        name = IncludeTrailingPathDelimiter(NormalizePath(filter.DefaultPath)) + name;
    return NormalizePath(name);
}

void vrExportError(TvrReport* report, const String& text) {
    if (!report) {
        ShowErrorMessage(text);
        return;
    }
    const TvrSilentMode mode = report->EngineOptions()->NewSilentMode;
    if (mode == simSilent)
        report->ErrorList()->Add(text);
    else
        ReportLibraryError(mode, text);
}

void vrOpenExportedFile(TvrReport* report, const String& fileName) {
    if (!ShellOpen(fileName)) vrExportError(report, "Cannot open file \"" + fileName + "\"");
}

AnsiString vrExportBytes(const String& utf8, bool oem) {
    return oem ? CharToOem(utf8) : AnsiFromUtf8(utf8);
}
