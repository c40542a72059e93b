// ShowMess as the platform's message box and DispFormPos over the screen's work area.
#include "app/core/Vardessa.h"

#include "gui/Forms.h"

#include <algorithm>

namespace {

int ShowMessageBox(const String& text, int kind) {
    static const Cardinal flags[] = {MB_OK | MB_ICONINFORMATION, MB_YESNO | MB_ICONQUESTION,
                                     MB_OK | MB_ICONWARNING, MB_OK | MB_ICONERROR};
    const Cardinal f = kind >= 0 && kind <= 3 ? flags[kind] : MB_OK;
    const int result = Application()->MessageBox(text, "系统提示", f);
    if (kind == 1) return result == IDYES ? 1 : 2;
    return 1;
}

} // namespace

void InstallMessageBoxes() {
    SetShowMessHandler(ShowMessageBox);
}

// Every placement keeps the window's outer frame (its bounds and the window manager's frame
// around them) inside the work area, the screen less the desktop's panels. The main window is
// maximised by the window manager, which fits its frame there; its normal size is the work area.
void DispFormPos(TCustomForm* form, int mode) {
    if (!form) return;
    const TRect area = Screen()->WorkAreaRect();
    const TRect frame = Screen()->FrameExtents();
    const int roomWidth = area.Width() - frame.Left - frame.Right;
    const int roomHeight = area.Height() - frame.Top - frame.Bottom;
    if (mode == 2) {
        form->SetBounds(area.Left, area.Top, roomWidth, roomHeight);
        form->SetWindowState(wsMaximized);
        return;
    }
    const int width = std::min(form->Width(), roomWidth);
    const int height = std::min(form->Height(), roomHeight);
    form->SetBounds(area.Left + (roomWidth - width) / 2, area.Top + (roomHeight - height) / 2, width, height);
}
