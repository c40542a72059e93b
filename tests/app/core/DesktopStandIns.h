// Stand-ins for the desktop's tools, first on the PATH while the object lives: xdg-mime names a
// default program (none when it is empty) and xdg-open records what it was asked to open.
#pragma once

#include "TempDir.h"

#include "rtl/FileUtils.h"

#include <cstdlib>
#include <sys/stat.h>

class TDesktopStandIns {
public:
    // Installs the tools into folder + "bin/"; OpenedRecord() is written when xdg-open runs.
    TDesktopStandIns(const String& folder, const String& defaultProgram)
        : FRecord(IncludeTrailingPathDelimiter(folder) + "opened.txt") {
        const String bin = IncludeTrailingPathDelimiter(folder) + "bin/";
        ForceDirectories(bin);
        Script(bin + "xdg-mime",
               "#!/bin/sh\n" + (defaultProgram.empty() ? "" : "echo " + defaultProgram + "\n"));
        // Written under another name and moved, so a reader never sees half a record.
        Script(bin + "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + FRecord + ".part'\nmv '" + FRecord +
                                     ".part' '" + FRecord + "'\n");
        const char* path = std::getenv("PATH");
        FPreviousPath = path ? path : "";
        setenv("PATH", (bin + ":" + FPreviousPath).c_str(), 1);
    }
    ~TDesktopStandIns() { setenv("PATH", FPreviousPath.c_str(), 1); }
    TDesktopStandIns(const TDesktopStandIns&) = delete;
    TDesktopStandIns& operator=(const TDesktopStandIns&) = delete;

    const String& OpenedRecord() const { return FRecord; }

private:
    static void Script(const String& file, const String& text) {
        TempDir::WriteAll(file, text);
        chmod(file.c_str(), 0755);
    }
    String FRecord, FPreviousPath;
};
