// The keys of an edit dialog, which it sees before the focused control: Enter (unless the focused
// control is a memo) moves the focus to the next control as a Tab does; Ctrl+S clicks 确定 and
// Esc 取消, each only while the button is visible and enabled.
#include "app/registers/EditDialog.h"

#include "gui/Input.h"
#include "gui/StdCtrls.h"

namespace {

bool ClickIfEnabled(TButton* button) {
    if (!button->Visible() || !button->Enabled()) return false;
    button->Click();
    return true;
}

} // namespace

void TEditDialog::KeyDown(Word& Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl);
    if (Key == VK_RETURN && !ctrl && !dynamic_cast<TCustomMemo*>(ActiveControl())) {
        Key = 0;
        SelectNext(ActiveControl(), true, true);
        return;
    }
    if (Key == 'S' && ctrl) {
        if (ClickIfEnabled(Button1)) Key = 0;
        return;
    }
    if (Key == VK_ESCAPE && !ctrl) {
        if (ClickIfEnabled(Button2)) Key = 0;
        return;
    }
    TForm::KeyDown(Key, Shift);
}

void TEditDialog::KeyPress(char16_t& Key) {
    if (Key == u'\r' && !dynamic_cast<TCustomMemo*>(ActiveControl())) Key = 0;
    TForm::KeyPress(Key);
}
