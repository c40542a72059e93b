// TCheckListBox: a list box whose entries carry check boxes. The program sets the entries' states;
// the user toggles them by clicking a box or pressing space, which runs OnClickCheck.
#pragma once

#include "gui/StdCtrls.h"

class TCheckListBox : public TCustomListBox {
    ORV_META(TCheckListBox, TCustomListBox)
    explicit TCheckListBox(TComponent* AOwner);

    // Whether the entry's state is cbChecked (a grayed entry is not checked). Setting it checks or
    // unchecks the entry without OnClickCheck. A bad index raises EListError.
    bool Checked(int Index) const;
    void SetChecked(int Index, bool v);
    TCheckBoxState State(int Index) const;
    void SetState(int Index, TCheckBoxState v);
    // A disabled entry shows greyed and cannot be toggled by the user (it can still be selected).
    bool ItemEnabled(int Index) const;
    void SetItemEnabled(int Index, bool v);
    // Whether the user's toggling passes through cbGrayed (unchecked, grayed, checked).
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v) { FAllowGrayed = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);

    // The user changed an entry's state.
    TNotifyEvent OnClickCheck;

    void KeyPress(char16_t& Key) override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // Runs OnClickCheck.
    virtual void ClickCheck();

private:
    // The user's toggle of an enabled entry: unchecked -> checked (grayed first with
    // AllowGrayed), checked -> unchecked, grayed -> checked; then ClickCheck.
    void ToggleClickCheck(int Index);
    bool FAllowGrayed = false;
    bool FFlat = true;
};
