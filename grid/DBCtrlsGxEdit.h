// The grid library's data-aware edit: a masked edit that shows and edits one field through a field
// data link, or keeps its own value when it has neither data source nor field (standalone). It
// loads the editable form of the value while focused and the display form otherwise, paints an
// unfocused right- or centre-aligned text itself, marks an empty required field with a red dotted
// line and stores the value when left or when the data set asks.
#pragma once

#include "grid/DBCtrlsGxInplace.h"
#include "grid/DBCtrlsGxLink.h"
#include "grid/ToolCtrlsGxButtons.h"
#include "grid/ToolCtrlsGxLists.h"
#include "gui/Mask.h"

#include <memory>

class TCanvas;
class TShape;
class TMRUListboxGx;

using TUpdateDataEventGx = std::function<void(TObject* Sender, bool& Handled)>;
using TCheckDrawRequiredStateEventGx = std::function<void(TObject* Sender, bool& DrawState)>;

class TCustomDBEditGx : public TCustomMaskEdit, public IInplaceEditorGx, public IDropDownCloseGx {
    ORV_META(TCustomDBEditGx, TCustomMaskEdit)
    explicit TCustomDBEditGx(TComponent* AOwner);
    ~TCustomDBEditGx() override;

    TFieldDataLinkGx* DataLink() const { return FDataLink.get(); }
    TEditImageGx* ImageSettings() const { return FImageSettings.get(); }

    virtual String DataField() const { return FDataLink->BoundFieldName(); }
    virtual void SetDataField(const String& Value);
    virtual TDataSource* DataSource() const { return FDataLink->DataSource(); }
    virtual void SetDataSource(TDataSource* Value);

    // The control's own read-only flag; the native edit's state (NativeReadOnly) follows
    // RefreshReadOnly.
    bool ReadOnly() const { return FControlReadOnly; }
    void SetReadOnly(bool Value) override;
    bool NativeReadOnly() const { return TCustomMaskEdit::ReadOnly(); }
    TAlignment Alignment() const { return FOwnAlignment ? FAlignment : AlignmentByDefault(); }
    void SetAlignment(TAlignment Value);
    bool HighlightRequired() const { return FHighlightRequired; }
    void SetHighlightRequired(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool EditFocused() const { return FEditFocused; }
    bool InUpdateDataEvent() const { return FInUpdateDataEvent; }
    // The character being typed while its message is handled, else empty.
    const String& TypedChars() const { return FTypedChars; }

    // Text and Value written in code store at once (a bound control puts the data set in edit
    // state first); a value the field rejects reloads the old one and the error passes on.
    void SetText(const String& Value);
    Variant Value() const { return ReadValue(); }
    void SetValue(const Variant& Value) { WriteValue(Value); }

    // ---- holder mode: another control hosts the edit over one of its cells ----------------------
    IInplaceEditorGx* InplaceEditor() { return this; }
    IDropDownCloseGx* DropDownClose() { return this; }
    TWinControl* InplaceEditHolder() const { return FHolder; }
    bool InHolderMode() const { return FHolderIntf != nullptr; }
    TFont* EditorFont() override { return Font(); }
    void AttachHolder(TWinControl* Holder) override;
    void SetEditorBorderStyle(TBorderStyle Style) override { SetBorderStyle(Style); }
    void SetEditorFont(const TFont* AFont) override { Font()->Assign(*AFont); }
    void SetEditorColor(TColor AColor) override { SetColor(AColor); }
    void SetKeyPressHandler(TKeyPressEvent Handler) override { OnKeyPress = std::move(Handler); }
    void SetExitHandler(TNotifyEvent Handler) override { OnExit = std::move(Handler); }
    // Places the edit over R (holder mode: an empty rectangle hides it).
    void PlaceOver(const TRect& R, bool Redraw = false);
    void HideEditor();
    // In holder mode whether the window shows on screen.
    bool Visible() const;
    void SetVisible(bool Value) override;
    void SetFocus() override;
    // Closes a drop-down of the edit (the base only releases the main button).
    void CloseDropDown(bool Accept) override;

    // The flat look: a border of the edit's own that lights up while focused (or always).
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool AlwaysShowBorder() const { return FAlwaysShowBorder; }
    void SetAlwaysShowBorder(bool Value);
    bool BorderLit() const { return FBorderLit; }

    // Tool tips: with Tooltips a text that does not fit shows whole as a hint in the edit's font;
    // otherwise the edit's own ShowHint decides.
    bool Tooltips() const { return FTooltips; }
    void SetTooltips(bool Value);
    bool ShowHint() const { return FOwnShowHint; }
    void SetShowHint(bool Value);
    // Whether the text fits into the text area.
    bool TextFits();

    // ---- the button strip at the right: the main button, then the further buttons ----------------
    TEditButtonGx* EditButton() const { return FEditButton.get(); }
    void SetEditButton(const TEditButtonGx* Value) { FEditButton->Assign(Value); }
    TEditButtonsGx* EditButtons() const { return FEditButtons.get(); }
    void SetEditButtons(const TEditButtonsGx* Value) { FEditButtons->Assign(Value); }
    // Entry 0 is the main button's, entry i the further button i - 1's; each has its control
    // and the separator line before it.
    int ButtonStripCount() const { return static_cast<int>(FButtonStrip.size()); }
    TEditButtonControlGx* ButtonControl(int Entry) const;
    TShape* ButtonLine(int Entry) const;
    int StripWidth() const { return FStripWidth; }
    int StripButtonHeight() const { return FStripButtonHeight; }
    // The room at the left for the image (0 without a visible image with images).
    int ImageRoom() const;
    TRect ButtonStripRect() const;
    TRect ImageRect() const;
    // The buttons may act: the edit is enabled and its link active.
    bool ButtonsUsable() const;
    bool DropDownShown() const { return FDropDownShown; }
    bool KeepOpenOnClick() const { return FKeepOpenOnClick; }
    // The strip's events (Sender: the main button's control).
    TButtonClickEventGx OnButtonClick;
    TButtonDownEventGx OnButtonDown;
    std::function<void(TObject* Sender, int& ImageIndex)> OnGetImageIndex;
    // The button with the short cut (main button first), nullptr when none has it.
    TEditButtonGx* ButtonForShortCut(TShortCut Key) const;
    virtual void RebuildButtonStrip();
    virtual void RefreshButtonStates();
    virtual void RefreshImageIndex();
    virtual void ButtonPressed(TEditButtonControlGx* Control, bool TopButton, bool& AutoRepeat,
                               bool& Handled);
    virtual void ButtonClicked(TEditButtonControlGx* Control);
    virtual void ButtonReleased(TEditButtonControlGx* Control, int X, int Y);
    virtual void ButtonMouseMoved(TEditButtonControlGx* Control, TShiftState Shift, int X, int Y) {
        (void)Control, (void)Shift, (void)X, (void)Y;
    }
    // The drop-down of a descendant: the base holds the main button down while it is open.
    virtual void OpenDropDown();

    // ---- remembered texts: a list of those beginning with the typed text drops down --------
    TMRUListGx* MRUList() const { return FMRUList.get(); }
    void SetMRUList(const TMRUListGx* Value) { FMRUList->Assign(Value); }
    // Created on first use.
    TMRUListboxGx* MRUListBox() const { return FMRUListBox; }
    bool MRUListShown() const { return FMRUList->ListDroppedDown; }
    // Whether an item belongs in the list for the current text (then the list's filter event).
    virtual void AcceptMRUItem(const String& ItemText, bool& Accept);
    // The user resized the open list: its rows and width are remembered.
    virtual void MRUListBoxResized();

    TUpdateDataEventGx OnUpdateData;
    TCheckDrawRequiredStateEventGx OnCheckDrawRequiredState;

    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoEnter() override;
    void DoExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    Integer Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) override;

    // The area the text keeps to: the client area less image room and button strip.
    virtual void TextAreaRect(TRect& Rect) const;
    // The text as the control paints it itself (unfocused, not left-aligned).
    virtual String TextForPlainPaint() const;
    virtual void DrawRequiredMark(TCanvas* Canvas);
    // Reloads the value from the link.
    virtual void LinkDataChanged();
    virtual void StoreValue();
    virtual void RefreshReadOnly();
    // Applies the text rectangle to the native edit.
    void ApplyTextRect();

protected:
    virtual bool IsStandalone() const { return FDataLink->Standalone(); }
    virtual TAlignment AlignmentByDefault() const;
    virtual String EditMaskByDefault() const;
    virtual Variant ReadValue() const;
    virtual bool AcceptsChar(char16_t Ch) const;
    virtual void LinkActiveChanged();
    virtual void LinkEditingChanged() { RefreshReadOnly(); }
    virtual void PutText(const String& Text);
    virtual void PutValue(const Variant& Value);
    virtual void WriteToField();
    virtual void ClearFieldMaxLength();
    virtual void FocusChanged(bool Focused);
    virtual void WriteValue(const Variant& Value);
    void Change() override;
    void Resize() override;
    void EnabledChanged() override;
    virtual TEditButtonControlGx* NewButtonControl();
    virtual void MainButtonPressed(bool Lower);
    virtual int ImageIndexByDefault() const { return FImageSettings->ImageIndex(); }
    void SetDropDownShown(bool Value) { FDropDownShown = Value; }
    void ButtonsChanged();
    // Fills, places and shows the list of remembered texts; hides it (Accept: the selected
    // row's text goes into the edit).
    virtual void ShowMRUList();
    virtual void HideMRUList(bool Accept);
    // The native text changed: the list opens, refilters or closes.
    void MRUTextChanged();
    // Keys while the list is shown; true when the key was the list's.
    bool MRUKeyDown(Word& Key, TShiftState Shift);
    // Draws the image at the left (the first thing of every paint).
    void DrawEditImage(TCanvas* Canvas);

    // Above 0 while the value is loaded from the link (not a change by the user).
    int FLoadingValue = 0;
    bool OwnEditMask() const { return FOwnEditMask; }
    // In holder mode, whether the holder forbids writing to the edit.
    bool HolderForbidsEdit();

    // Paints an unfocused, not left-aligned text itself; false leaves it to the native edit.
    bool PaintPlainText(TCanvas* Canvas);

    // Puts a value in code: a bound control puts the data set in edit state first, then Put runs
    // and the value is stored; a failure to store reloads the old value and passes on.
    void WriteThrough(const std::function<void()>& Put);

private:
    void PreviewMessage(TControlMessage& Message);
    void PreviewInHolderMode(TControlMessage& Message);
    // A press over the strip or the image never reaches the native edit, so the caret stays.
    void PreviewStripMouse(TControlMessage& Message);
    TEditButtonGx* StripButton(int Entry) const;
    void PopDropdownMenu(TEditButtonGx* Button, TEditButtonControlGx* Control);
    void RefreshHintMode();
    void RefreshBorder();
    void DrawFlatBorder(TCanvas* Canvas);
    // The edit's own key handling after the holder saw the key.
    void EditKeyDown(Word& Key, TShiftState Shift);
    void EditKeyPress(char16_t& Key);

    std::unique_ptr<TFieldDataLinkGx> FDataLink;
    std::unique_ptr<TEditImageGx> FImageSettings;
    String FTypedChars;
    bool FControlReadOnly = false;
    bool FOwnAlignment = false;
    bool FOwnEditMask = false;
    TAlignment FAlignment = taLeftJustify;
    bool FHighlightRequired = false;
    bool FWordWrap = false;
    bool FInUpdateDataEvent = false;
    bool FEditFocused = false;
    bool FFlat = false;
    bool FAlwaysShowBorder = false;
    bool FBorderLit = false;
    bool FTooltips = false;
    bool FOwnShowHint = false;
    TWinControl* FHolder = nullptr;
    IInplaceEditHolderGx* FHolderIntf = nullptr;

    struct TStripEntry {
        TShape* Line = nullptr;
        TEditButtonControlGx* Control = nullptr;
    };
    std::unique_ptr<TEditButtonGx> FEditButton;
    std::unique_ptr<TEditButtonsGx> FEditButtons;
    std::vector<TStripEntry> FButtonStrip;
    int FStripWidth = 0;
    int FStripButtonHeight = 0;
    bool FDropDownShown = false;
    bool FKeepOpenOnClick = false;
    bool FMenuShown = false; // the click ending the press that popped a menu is dropped
    bool FInRebuild = false;
    std::unique_ptr<TMRUListGx> FMRUList;
    TMRUListboxGx* FMRUListBox = nullptr;
};
