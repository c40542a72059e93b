// The keys of a list window. The window sees every key before the focused control, and the key
// still reaches that control: Ctrl+A 新增, Ctrl+E 修改, Ctrl+Q the hidden 查询 (pressed down and
// clicked), PgUp 前项, PgDn 后项, End 末项, Home 首项, Del 删除, each only while its button is
// enabled; Esc 退出 in any state. Del, Home and End typed in a text box edit that box and leave
// the list alone. Enter (not in a memo) moves the focus to the next control.
#include "app/registers/ListWindow.h"

#include "app/registers/ListSearchPanel.h"

#include "gui/Buttons.h"
#include "gui/Input.h"
#include "gui/StdCtrls.h"

namespace {

struct TListKey {
    Word Key;
    bool Ctrl;
    TToolButton* TListWindow::*Button;
    bool LeftToTextBox; // a text box keeps the key for itself
};

const TListKey ListKeys[] = {
    {'A', true, &TListWindow::tbNew, false},         {'E', true, &TListWindow::tbEdit, false},
    {VK_PRIOR, false, &TListWindow::tbPrior, false}, {VK_NEXT, false, &TListWindow::tbNext, false},
    {VK_END, false, &TListWindow::tbLast, true},     {VK_HOME, false, &TListWindow::tbFirst, true},
    {VK_DELETE, false, &TListWindow::tbDel, true},
};

bool IsTextBox(const TWinControl* control) {
    return dynamic_cast<const TCustomEdit*>(control) || dynamic_cast<const TCustomComboBox*>(control);
}

} // namespace

bool TListWindow::HandleListKey(Word key, TShiftState shift) {
    const bool ctrl = shift.Contains(ssCtrl);
    if (key == VK_ESCAPE && !ctrl) {
        ExitClick();
        return true;
    }
    if (key == 'Q' && ctrl && tbQuery && tbQuery->Enabled()) {
        tbQuery->SetDown(true);
        tbQuery->Click();
        return true;
    }
    for (const TListKey& entry : ListKeys) {
        if (entry.Key != key || entry.Ctrl != ctrl) continue;
        if (entry.LeftToTextBox && IsTextBox(ActiveControl())) return false;
        return ClickIfEnabled(this->*entry.Button);
    }
    return false;
}

void TListWindow::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN) {
        TWinControl* focused = ActiveControl();
        if (dynamic_cast<TCustomMemo*>(focused)) return TForm::KeyDown(Key, Shift);
        Key = 0;
        if (EnterRunsSearch() && SearchPanel && (focused == Edit1 || focused == ComboBox2)) {
            SpeedButton1->Click();
            return;
        }
        SelectNext(focused, true, true);
        return;
    }
    HandleListKey(Key, Shift);
    TForm::KeyDown(Key, Shift);
}

void TListWindow::KeyPress(char16_t& Key) {
    if (Key == u'\r' && !dynamic_cast<TCustomMemo*>(ActiveControl())) Key = 0;
    TForm::KeyPress(Key);
}
