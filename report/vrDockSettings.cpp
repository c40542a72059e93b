// Where forms, tool bars and dock sites were left, kept in the settings store: "Form4." + the
// form's class name, "ToolBar4." + the tool bar's name and "Dock4." + the dock site's name.
#include "report/vrDock.h"

#include "gui/ComCtrls.h"
#include "gui/Monitors.h"
#include "report/vrUtils.h"
#include "rtl/IniFiles.h"
#include "rtl/StrUtils.h"

#include <algorithm>

namespace {

// Bounds of a window of its own: back on a monitor when none shows them any more.
TRect ReadWindowBounds(TCustomIniFile* settings, const String& section, const TRect& current) {
    const int left = settings->ReadInteger(section, "Left", current.Left);
    const int top = settings->ReadInteger(section, "Top", current.Top);
    const int width = settings->ReadInteger(section, "Width", current.Width());
    const int height = settings->ReadInteger(section, "Height", current.Height());
    return RectOnSomeMonitor(Bounds(left, top, width, height));
}

bool AllHexDigits(const String& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return HexDigitValue(c) >= 0; });
}

} // namespace

// --- forms ----------------------------------------------------------------------------------

void SaveFormState(TCustomIniFile* settings, TCustomForm* form) {
    const String section = "Form4." + form->ClassName();
    settings->WriteInteger(section, "Left", form->Left());
    settings->WriteInteger(section, "Top", form->Top());
    settings->WriteInteger(section, "Width", form->Width());
    settings->WriteInteger(section, "Height", form->Height());
    settings->WriteBool(section, "Maximized", form->WindowState() == wsMaximized);
    settings->WriteBool(section, "Visible", form->Visible());
    settings->WriteString(section, "Dock4", form->HostDockSite() ? form->HostDockSite()->Name() : String());
}

// A maximized form keeps its bounds underneath; a docked one goes back into its site.
void RestoreFormState(TCustomIniFile* settings, TCustomForm* form) {
    const String section = "Form4." + form->ClassName();
    const String dock = settings->ReadString(section, "Dock4", String());
    if (form->FormStyle() != fsMDIChild) {
        if (settings->ReadBool(section, "Maximized", false)) {
            form->SetWindowState(wsMaximized);
        } else if (dock.empty()) {
            form->SetBoundsRect(ReadWindowBounds(settings, section, form->BoundsRect()));
        } else {
            // Bounds inside the site it docks into.
            form->SetBounds(settings->ReadInteger(section, "Left", form->Left()),
                            settings->ReadInteger(section, "Top", form->Top()),
                            settings->ReadInteger(section, "Width", form->Width()),
                            settings->ReadInteger(section, "Height", form->Height()));
        }
    }
    if (!dock.empty())
        if (auto* site = dynamic_cast<TWinControl*>(FindComponentByPath(form->Owner(), dock)))
            if (form->HostDockSite() != site) form->ManualDock(site);
    if (!form->ClassInfo()->InheritsFrom("TvrCustomDesigner"))
        form->SetVisible(settings->ReadBool(section, "Visible", true));
}

// --- tool bars ------------------------------------------------------------------------------

void SaveToolBarState(TCustomIniFile* settings, TToolBar* toolBar) {
    const String section = "ToolBar4." + toolBar->Name();
    TCustomForm* host = toolBar->FloatHost();
    settings->WriteBool(section, "Float", host != nullptr);
    settings->WriteBool(section, "Visible", toolBar->Visible());
    settings->WriteInteger(section, "Left", host ? host->Left() : toolBar->Left());
    settings->WriteInteger(section, "Top", host ? host->Top() : toolBar->Top());
    settings->WriteInteger(section, "Width", toolBar->Width());
    settings->WriteInteger(section, "Height", toolBar->Height());
    if (auto* bar = dynamic_cast<TControlBar*>(toolBar->Parent()))
        settings->WriteString(section, "Dock4", bar->Name());
}

// A tool bar saved floating floats again at its place; one saved in a control bar goes back into
// it when it still exists, else stays where it is with the saved bounds.
void RestoreToolBarState(TCustomIniFile* settings, TToolBar* toolBar) {
    const String section = "ToolBar4." + toolBar->Name();
    TCustomForm* host = toolBar->FloatHost();
    const TRect current = Bounds(host ? host->Left() : toolBar->Left(), host ? host->Top() : toolBar->Top(),
                                 toolBar->Width(), toolBar->Height());
    toolBar->Hide();
    if (settings->ReadBool(section, "Float", false)) {
        toolBar->ManualFloat(ReadWindowBounds(settings, section, current));
    } else {
        const String parentName = toolBar->Parent() ? toolBar->Parent()->Name() : String();
        const String barName = settings->ReadString(section, "Dock4", parentName);
        TComponent* owner = toolBar->Owner();
        auto* bar = owner ? dynamic_cast<TControlBar*>(owner->FindComponent(barName)) : nullptr;
        if (bar && bar != toolBar->Parent()) toolBar->ManualDock(bar);
        toolBar->SetBounds(settings->ReadInteger(section, "Left", current.Left),
                           settings->ReadInteger(section, "Top", current.Top),
                           settings->ReadInteger(section, "Width", current.Width()),
                           settings->ReadInteger(section, "Height", current.Height()));
    }
    toolBar->SetVisible(settings->ReadBool(section, "Visible", true));
}

// --- dock sites -----------------------------------------------------------------------------

void SaveDockSiteLayout(TCustomIniFile* settings, TvrDockSite* site) {
    const String section = "Dock4." + site->Name();
    TMemoryStream layout;
    if (site->DockManager()) site->DockManager()->SaveToStream(layout);
    settings->WriteString(section, "Data", StreamToHex(layout));
    settings->WriteInteger(section, "Width", site->Width());
    settings->WriteInteger(section, "Height", site->Height());
    settings->WriteInteger(section, "Size", site->Size());
}

// The saved arrangement comes back when "Data" is a whole one in hexadecimal (anything else
// leaves the docked controls as they are); the sizes apply in any case.
void RestoreDockSiteLayout(TCustomIniFile* settings, TvrDockSite* site) {
    const String section = "Dock4." + site->Name();
    const String data = settings->ReadString(section, "Data", String());
    if (!data.empty() && AllHexDigits(data) && site->DockManager()) {
        TMemoryStream layout;
        HexToStream(data, layout);
        layout.SetPosition(0);
        if (layout.Size() > 0) site->DockManager()->LoadFromStream(layout);
    }
    site->SetAutoSize(false);
    site->SetWidth(settings->ReadInteger(section, "Width", site->Width()));
    site->SetHeight(settings->ReadInteger(section, "Height", site->Height()));
    site->SetSize(settings->ReadInteger(section, "Size", 100));
    site->SetAutoSize(true);
}
