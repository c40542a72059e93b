// The report library's message boxes and its error policy.
#include "gui/Forms.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"

void ShowErrorMessage(const String& text) {
    Application()->MessageBox(text, GetResources().GetString("mbError"), MB_ICONERROR | MB_OK);
}

int ShowConfirmMessage(const String& text, Cardinal buttons) {
    return Application()->MessageBox(text, GetResources().GetString("mbConfirm"), buttons | MB_ICONQUESTION);
}

void ShowInfoMessage(const String& text) {
    Application()->MessageBox(text, GetResources().GetString("mbInfo"), MB_ICONINFORMATION | MB_OK);
}

void ReportLibraryError(TvrSilentMode mode, const String& text) {
    switch (mode) {
    case simMessageBoxes:
        ShowErrorMessage(text);
        break;
    case simReThrow:
        throw Exception(text);
    case simSilent:
        break;
    }
}
