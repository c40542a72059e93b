// A new user's road through the exports: the sample report's preview window, its export menu,
// each export taken through its dialog into a file (spreadsheet XML split by report pages, CSV in
// the OEM code page, dBASE with field names typed in, web pages with the navigator, a BMP picture
// per page), each file opened after the export when asked (the picture export has no such box). The dialogs are played through the responder; the desktop test runs the road
// on a real display, shows each dialog for a look and opens the files in LibreOffice, the export
// tests run it headless.
#pragma once

#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "report/vrClassReport.h"

#include <functional>

struct TExportRoad {
    TvrReport* Report = nullptr;
    TScriptedResponder* User = nullptr;
    // The folder the files go to: "收费清单.xls", "收费清单.csv", "收费清单.dbf", "收费清单.html"
    // (with "收费清单.files"), "收费清单.1.bmp" and "收费清单.2.bmp".
    String Folder;
    // Open each file after its export (the "open after export" boxes ticked).
    bool OpenAfter = false;
    // Called at the places worth a look, with a short name ("preview", "xml_dialog" ...).
    std::function<void(const String& name)> Shot;
    // Called with each dialog while it is being filled (a desktop test shows it).
    std::function<void(TCustomForm* dialog)> Look;
    // Called with each file written.
    std::function<void(const String& file)> Written;
    // Shows the preview window (a desktop test); headless it stays hidden.
    bool ShowWindow = false;

    void Run();
};
