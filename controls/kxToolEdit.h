// TCustomComboEdit: a single-line edit with a small button embedded at its right edge and an
// optional drop-down window (TPopupWindow) that opens below it, or above it when the screen has no
// room below. The text area stops short of the button. The edit keeps the keyboard focus while
// the drop-down is open; the drop-down's value reaches the edit when it closes with acceptance.
// The base of the numeric edits.
#pragma once

#include "controls/KXCtrls.h"
#include "gui/PaintEdit.h"
#include "gui/PopupControl.h"
#include "rtl/Variant.h"

class TCustomComboEdit;

enum TPopupAlign { epaRight, epaLeft };
ORV_ENUM(TPopupAlign, epaRight, epaLeft)
enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };
ORV_ENUM(TGlyphKind, gkCustom, gkDefault, gkDropDown, gkEllipsis)

using TCloseUpEvent = std::function<void(TObject* Sender, bool Accept)>;

// The Alt+Down shortcut (32808), the default ClickKey.
constexpr TShortCut scAltDown = 0x8000 | 0x28;

// The button embedded in the edit.
class TEditButton : public TKxSpeedButton {
    ORV_META(TEditButton, TKxSpeedButton)
    explicit TEditButton(TComponent* AOwner);
    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    friend class TCustomComboEdit;
    // The acceptance used when a press closes the drop-down.
    bool FStandard = true;
    // Swallows the click that follows a press which closed the drop-down.
    bool FNoAction = false;
};

// The drop-down window of a combo edit.
class TPopupWindow : public TCustomPopupControl {
    ORV_META(TPopupWindow, TCustomPopupControl)
    explicit TPopupWindow(TCustomComboEdit* AOwner);
    TCustomComboEdit* Editor() const { return FEditor; }
    virtual Variant GetValue() = 0;
    virtual void SetValue(const Variant& Value) = 0;
    // Fires OnPopupClosed.
    virtual void CloseUp(bool Accept);
    // What the editor shows while the drop-down is open (empty here).
    virtual String GetPopupText() { return String(); }
    // Moves to the screen point and shows without activation.
    virtual void Show(const TPoint& Origin);
    void Hide();
    // Repaints the editor's text area at once (the editor shows the drop-down's text).
    void InvalidateEditor();
    TCloseUpEvent OnPopupClosed;

protected:
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // A press on another control closes the drop-down without acceptance.
    void CancelMode(TControl* Target) override;

private:
    TCustomComboEdit* FEditor;
};

class TCustomComboEdit : public TCustomPaintEdit {
    ORV_META(TCustomComboEdit, TCustomPaintEdit)
    explicit TCustomComboEdit(TComponent* AOwner);
    ~TCustomComboEdit() override;

    TAlignment Alignment() const { return FAlignment; }
    int ButtonWidth() const;
    void SetButtonWidth(int v);
    String ButtonHint() const;
    void SetButtonHint(const String& v);
    TBitmap* Glyph() const;
    void SetGlyph(TBitmap* v);
    TGlyphKind GlyphKind() const { return FGlyphKind; }
    void SetGlyphKind(TGlyphKind v);
    int NumGlyphs() const;
    void SetNumGlyphs(int v);
    bool DirectInput() const { return FDirectInput; }
    void SetDirectInput(bool v);
    // The read-only flag as set (the platform edit is read-only also without DirectInput).
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) override;
    TShortCut ClickKey() const { return FClickKey; }
    void SetClickKey(TShortCut v) { FClickKey = v; }
    TPopupAlign PopupAlign() const { return FPopupAlign; }
    void SetPopupAlign(TPopupAlign v) { FPopupAlign = v; }
    bool PopupVisible() const { return FPopupVisible; }
    TPopupWindow* Popup() const { return FPopup; }
    TEditButton* Button() const { return FButton; }
    TWinControl* ButtonHolder() const { return FBtnControl; }
    // The height below which the edit does not go: font height + 4 x border + 1.
    int MinimumHeight();
    // Opens the drop-down as the button does.
    void DoClick();
    TNotifyEvent OnButtonClick;

    virtual TBitmap* DefaultGlyphBitmap(bool& DestroyAfterUse);
    virtual void OpenPopup(bool DisableEdit);
    virtual void ClosePopup(TObject* Sender, bool Accept);

    bool WantsKey(Word Key, TShiftState Shift) const override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void DoEnter() override;
    void DoExit() override;

protected:
    virtual void PlacePopup(const TPoint& Origin);
    virtual void RemovePopup();
    virtual void NotifyChange();
    virtual bool PopupValueAcceptable(const Variant& Value) {
        (void)Value;
        return true;
    }
    virtual void TakePopupValue(const Variant& Value);
    virtual void WritePopupValue(const Variant& Value);
    virtual Variant ReadPopupValue();
    virtual void PopupTextChanged() {}
    void Change() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void DoPaste() override;
    // Places the button and narrows the text area.
    void LayoutButton();
    void LimitTextArea();
    void BuildButtonGlyph();
    // While the control builds itself: button width changes take effect without a window.
    bool FCreating = false;
    // The drop-down (created and freed by descendants).
    TPopupWindow* FPopup = nullptr;
    bool FFocused = false;
    bool FPopupVisible = false;
    TAlignment FAlignment = taLeftJustify;
    Byte FDefNumGlyphs = 1;

private:
    void EditButtonClick(TObject* Sender);
    TCustomControl* FBtnControl = nullptr;
    TEditButton* FButton = nullptr;
    TShortCut FClickKey = scAltDown;
    bool FReadOnly = false;
    bool FDirectInput = true;
    TPopupAlign FPopupAlign = epaRight;
    TGlyphKind FGlyphKind = gkCustom;
    std::unique_ptr<TBitmap> FEllipsis;
};
