// The arrangement in which a windowed control (the holder, the grid) hosts the library's edit
// over one of its cells while it stays the form's active control. Both sides are views of
// long-lived components: taking or dropping a view frees nothing.
#pragma once

#include "gui/ControlPreview.h"
#include "gui/Graphics.h"
#include "gui/StdCtrls.h"

// What the holder offers its hosted edit.
class IInplaceEditHolderGx {
public:
    // Whether the hosted edit may be written to.
    virtual bool HolderAllowsEdit(TWinControl* Control) = 0;
    // The screen position and time of the holder's last left-button press.
    virtual void LastMouseDown(TPoint& Pos, Cardinal& Time) = 0;
    // Sees every input and focus event of the hosted edit first; a nonzero Result handles it.
    virtual void PreviewMessage(TWinControl* Control, TControlMessage& Message) = 0;
    // See every key of the hosted edit first; Key 0 consumes it.
    virtual void EditorKeyDown(TObject* Sender, Word& Key, TShiftState Shift) = 0;
    virtual void EditorKeyPress(TObject* Sender, char16_t& Key) = 0;
    virtual void EditorKeyUp(TObject* Sender, Word& Key, TShiftState Shift) = 0;

protected:
    ~IInplaceEditHolderGx() = default;
};

// The edit's view for its holder.
class IInplaceEditorGx {
public:
    virtual TFont* EditorFont() = 0;
    // Sets the holder (none: back to a plain edit); a holder without IInplaceEditHolderGx fails.
    virtual void AttachHolder(TWinControl* Holder) = 0;
    virtual void SetEditorBorderStyle(TBorderStyle Style) = 0;
    virtual void SetEditorFont(const TFont* Font) = 0;
    virtual void SetEditorColor(TColor Color) = 0;
    virtual void SetKeyPressHandler(TKeyPressEvent Handler) = 0;
    virtual void SetExitHandler(TNotifyEvent Handler) = 0;

protected:
    ~IInplaceEditorGx() = default;
};

// Lets a drop-down window close the drop-down of the control that owns it.
class IDropDownCloseGx {
public:
    virtual void CloseDropDown(bool Accept) = 0;

protected:
    ~IDropDownCloseGx() = default;
};
