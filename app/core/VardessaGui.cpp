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

void DispFormPos(TCustomForm* form, int mode) {
    if (!form) return;
    const TRect area = Screen()->WorkAreaRect();
    if (mode == 2) {
        form->SetBounds(area.Left, area.Top, area.Width(), area.Height());
        return;
    }
    const int width = std::min(form->Width(), area.Width());
    const int height = std::min(form->Height(), area.Height());
    form->SetBounds(area.Left + (area.Width() - width) / 2, area.Top + (area.Height() - height) / 2, width,
                    height);
}
