// A new user's road through the preview window over the engine tests' 120-row report (with its
// outline and drill-down groups): paging, every zoom choice, thumbnails, the outline, collapsing
// and expanding, finding, page settings, inserting and deleting a page, saving and reopening a
// ".dp3", full screen, printing and closing. The dialogs are played through the responder; the
// desktop test runs it on a real display and keeps screenshots, the report tests headless.
#pragma once

#include "gui/Interaction.h"
#include "report/vrClassReport.h"

#include <functional>

struct TPreviewRoad {
    TvrReport* Report = nullptr;
    TScriptedResponder* User = nullptr;
    // The folder the ".dp3" goes to.
    String Folder;
    // The printer chosen in the print dialog, and the file it prints into ("" prints to it).
    String PrinterName;
    String PrintFile;
    // Called at the places worth a look, with a short name ("opened", "thumbnails" ...).
    std::function<void(const String& name)> Shot;
    // Lets the program run until the condition holds (at most ms).
    std::function<bool(const std::function<bool()>& condition, int ms)> WaitFor;

    void Run();
};
