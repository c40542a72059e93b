// The standard controls: label, edit, memo, button, check box, radio button, group box, combo box,
// list box and scroll bar, each over its Qt widget, with the platform's events and item lists.
#pragma once

#include "gui/Controls.h"

#include <memory>

class TStrings;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
ORV_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
ORV_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
ORV_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
ORV_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
ORV_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)

// Owner drawing of list and combo items.
enum TOwnerDrawStateElement {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odComboBoxEdit
};
ORV_ENUM(TOwnerDrawStateElement, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault,
         odComboBoxEdit)
using TOwnerDrawState = TSet<TOwnerDrawStateElement>;
ORV_SET(TOwnerDrawState)
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

// A label: text drawn on its parent, aligned and wrapped, sized to its text with AutoSize; its
// accelerator ("&x") focuses FocusControl.
class TLabel : public TGraphicControl {
    ORV_META(TLabel, TGraphicControl)
    explicit TLabel(TComponent* AOwner);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void Paint() override;
    void SetTextValue(const String& v) override;
    void FontChanged() override;

private:
    void AdjustBounds();
    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TCustomEdit : public TWinControl {
    ORV_META(TCustomEdit, TWinControl)
    explicit TCustomEdit(TComponent* AOwner);
    int MaxLength() const { return FMaxLength; }
    // 0: no limit.
    virtual void SetMaxLength(int v);
    bool ReadOnly() const { return FReadOnly; }
    virtual void SetReadOnly(bool v);
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char v);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase v);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    // Typing and pasting take digits only (text set by the program is not checked).
    bool NumbersOnly() const { return FNumbersOnly; }
    void SetNumbersOnly(bool v);
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    // The selection in characters.
    virtual int SelStart() const;
    virtual void SetSelStart(int v);
    virtual int SelLength() const;
    virtual void SetSelLength(int v);
    virtual String SelText() const;
    virtual void SetSelText(const String& v);
    virtual void SelectAll();
    void Clear() { SetText(String()); }
    void ClearSelection() { SetSelText(String()); }
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    bool CanUndo() const;

    TNotifyEvent OnChange;

    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoEnter() override;

protected:
    // The text changed (typed or set): OnChange.
    virtual void Change();
    String GetText() const override;
    void SetTextValue(const String& v) override;
    int FMaxLength = 0;
    bool FReadOnly = false;
    char FPasswordChar = 0;
    TEditCharCase FCharCase = ecNormal;
    bool FAutoSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
    bool FNumbersOnly = false;
    bool FModified = false;
};

class TEdit : public TCustomEdit {
    ORV_META(TEdit, TCustomEdit)
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// A multi-line edit whose Lines stay in step with the text shown.
class TCustomMemo : public TCustomEdit {
    ORV_META(TCustomMemo, TCustomEdit)
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* v);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    void SetReadOnly(bool v) override;
    void SetMaxLength(int v) override;
    // The caret position as column (X) and line (Y).
    TPoint CaretPos() const;
    void SetCaretPos(const TPoint& p);

    int SelStart() const override;
    void SetSelStart(int v) override;
    int SelLength() const override;
    void SetSelLength(int v) override;
    String SelText() const override;
    void SetSelText(const String& v) override;
    void SelectAll() override;

    bool WantsKey(Word Key, TShiftState Shift) const override;
    void KeyPress(char16_t& Key) override;

protected:
    String GetText() const override;
    void SetTextValue(const String& v) override;

private:
    std::unique_ptr<TStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
    ORV_META(TMemo, TCustomMemo)
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

class TButtonControl : public TWinControl {
    ORV_META(TButtonControl, TWinControl)
    explicit TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { FWordWrap = v; }

protected:
    bool FWordWrap = false;
};

// A push button. Clicking sets its form's ModalResult to the button's (closing a modal form when
// not mrNone). Enter presses the default button (or the focused one), Esc the cancel button.
class TButton : public TButtonControl {
    ORV_META(TButton, TButtonControl)
    explicit TButton(TComponent* AOwner);
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    void Click() override;
    bool DialogKey(Word Key, TShiftState Shift) override;

protected:
    void SetTextValue(const String& v) override;
    String GetText() const override;

private:
    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

class TCustomCheckBox : public TButtonControl {
    ORV_META(TCustomCheckBox, TButtonControl)
    explicit TCustomCheckBox(TComponent* AOwner);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    // A change of state (by the user or by code) runs Click, as on the platform.
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

protected:
    void SetTextValue(const String& v) override;
    String GetText() const override;

private:
    friend struct TCheckBoxAccess;
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    ORV_META(TCheckBox, TCustomCheckBox)
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

// A radio button: checking it unchecks the radio buttons of the same parent.
class TRadioButton : public TButtonControl {
    ORV_META(TRadioButton, TButtonControl)
    explicit TRadioButton(TComponent* AOwner);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; }

protected:
    void SetTextValue(const String& v) override;
    String GetText() const override;

private:
    friend struct TRadioAccess;
    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};

class TCustomGroupBox : public TWinControl {
    ORV_META(TCustomGroupBox, TWinControl)
    explicit TCustomGroupBox(TComponent* AOwner);

protected:
    void AdjustClientRect(TRect& Rect) const override;
    void SetTextValue(const String& v) override;
    String GetText() const override;
};

class TGroupBox : public TCustomGroupBox {
    ORV_META(TGroupBox, TCustomGroupBox)
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

class TCustomComboBox : public TWinControl {
    ORV_META(TCustomComboBox, TWinControl)
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;
    // The entries, with objects.
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* v);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    // The entry shown (-1: none); setting it runs no event.
    int ItemIndex() const;
    void SetItemIndex(int v);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase v) { FCharCase = v; }
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    // Owner-drawn styles: each entry is ItemHeight high, the box six pixels more.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v);
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    String SelText() const;
    void SelectAll();
    void Clear();

    // Typing changes the text: OnChange. Choosing an entry: OnClick, then OnSelect (OnChange when
    // there is no OnSelect).
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    // Owner-drawn entries (csOwnerDrawFixed, csOwnerDrawVariable) are drawn on Canvas by this
    // handler, in the list and in the box (odComboBoxEdit) alike.
    TDrawItemEvent OnDrawItem;
    // The canvas owner-drawn entries (DrawItem) and a frame of the control's own (PaintFrame) are
    // drawn on.
    TCanvas* Canvas() const { return FCanvas.get(); }

    bool WantsKey(Word Key, TShiftState Shift) const override;

    // Where the list shows while it is open, in screen coordinates (empty while it is closed).
    TRect DroppedListRect() const;
    // The entry the open list marks (the one under the mouse or moved to with the keys); -1 when
    // none or closed.
    int ListSelection() const;
    // The edit inside the combo has the keyboard focus.
    bool EditFocused() const;
    // A choice in the open list: the list marks the entry and the user clicks it (the entry is
    // the combo's before the list closes; OnClick and OnSelect follow).
    void ChooseListEntry(int Index);

    // How the list opens: its size, whether it opens upward from the combo, the entry it marks and
    // the entry at its top (-1 leaves them as they are). A descendant's PlaceList changes them.
    struct TListPlacement {
        int Width = 0;
        int Height = 0;
        bool Above = false;
        int Selection = -1;
        int TopIndex = -1;
    };

protected:
    friend struct TComboAccess;
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    String GetText() const override;
    void SetTextValue(const String& v) override;
    void FontChanged() override;

    // The list is about to show with the placement given (the combo's width; the item height
    // times the visible entries; below the combo unless the screen has no room there).
    virtual void PlaceList(TListPlacement& Placement) { (void)Placement; }
    // With its own frame the control draws its frame and drop-down button itself (PaintFrame, on
    // Canvas) instead of the platform's look, and puts the edit at EditBounds.
    void SetOwnFrame(bool v);
    virtual void PaintFrame() {}
    void SetEditBounds(const TRect& r);
    // The edit shows the text but takes no typing.
    void SetEditReadOnly(bool v);
    // The entries of the list are drawn by DrawItem, whatever the style.
    void SetOwnerDrawnItems(bool v);
    // Draws an entry of the list: OnDrawItem, else the entry's text on the entry's colours.
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);

private:
    std::unique_ptr<TStrings> FItems;
    std::unique_ptr<TCanvas> FCanvas;
    bool FOwnFrame = false;
    bool FOwnerDrawnItems = false;
    TRect FEditBounds;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    bool FSorted = false;
    int FMaxLength = 0;
    TEditCharCase FCharCase = ecNormal;
    int FItemHeight = 16;
};

class TComboBox : public TCustomComboBox {
    ORV_META(TComboBox, TCustomComboBox)
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

class TCustomListBox : public TWinControl {
    ORV_META(TCustomListBox, TWinControl)
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* v);
    // The current entry (-1: none); setting it runs no event.
    int ItemIndex() const;
    void SetItemIndex(int v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool v);
    bool Selected(int Index) const;
    void SetSelected(int Index, bool v);
    int SelCount() const;
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle v);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v);
    int TopIndex() const;
    void SetTopIndex(int v);
    // Entries flow from top to bottom into Columns columns of equal width that share the list's
    // width, scrolling sideways when they do not fit; 0 is the one column of the usual list.
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    int Count() const;
    // The entry at a client point (-1 when none; with Existing false the count past the last one).
    int ItemAtPos(const TPoint& Pos, bool Existing) const;
    TRect ItemRect(int Index) const;
    void Clear();
    void ClearSelection();
    void SelectAll();
    TCanvas* Canvas() const { return FCanvas.get(); }

    // Owner-drawn entries (Style lbOwnerDrawFixed) are drawn on Canvas by this handler.
    TDrawItemEvent OnDrawItem;

    bool WantsKey(Word Key, TShiftState Shift) const override;

protected:
    friend struct TListBoxAccess;
    // The canvas keeps the list's font, so items measured before any painting have the painted size.
    void FontChanged() override;
    void Resize() override;
    std::unique_ptr<TStrings> FItems;
    std::unique_ptr<TCanvas> FCanvas;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FSorted = false;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    int FColumns = 0;

private:
    void ApplyColumns();
};

class TListBox : public TCustomListBox {
    ORV_META(TListBox, TCustomListBox)
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// A scroll bar control: Position runs from Min to Max - PageSize + 1, as on the platform.
class TScrollBar : public TWinControl {
    ORV_META(TScrollBar, TWinControl)
    explicit TScrollBar(TComponent* AOwner);
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind v);
    int Min() const { return FMin; }
    void SetMin(int v) { SetParams(FPosition, v, FMax); }
    int Max() const { return FMax; }
    void SetMax(int v) { SetParams(FPosition, FMin, v); }
    int Position() const { return FPosition; }
    void SetPosition(int v) { SetParams(v, FMin, FMax); }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int v);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int v);
    // Raises EInvalidOperation when Min > Max; a position outside the range is clamped.
    void SetParams(int APosition, int AMin, int AMax);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    bool WantsKey(Word Key, TShiftState Shift) const override;

private:
    friend struct TScrollBarAccess;
    void Apply();
    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0, FSmallChange = 1, FLargeChange = 1;
};
