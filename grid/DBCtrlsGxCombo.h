// The grid library's data-aware combo box: the data-aware edit with a list of texts. Free text
// (no keys): any text may be typed and typing at the end completes it with the first matching
// item. Keyed: the control shows item i of Items while its value is entry i of KeyItems; typed
// characters search the items by prefix instead of going into the text.
#pragma once

#include "grid/DBCtrlsGxEdit.h"
#include "grid/ToolCtrlsGxLists.h"

class TPopupListboxGx;

enum TDropDownAlign { daLeft, daRight, daCenter };
ORV_ENUM(TDropDownAlign, daLeft, daRight, daCenter)

// The drop-down list's settings.
class TDropDownBoxGx : public TPersistent {
    ORV_META(TDropDownBoxGx, TPersistent)
    TDropDownBoxGx() = default;

    TDropDownAlign Align() const { return FAlign; }
    void SetAlign(TDropDownAlign Value) { FAlign = Value; }
    // Typing a character opens the list.
    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool Value) { FAutoDrop = Value; }
    int Rows() const { return FRows; }
    void SetRows(int Value) { FRows = Value; }
    bool Sizable() const { return FSizable; }
    void SetSizable(bool Value) { FSizable = Value; }
    // -1: the widest item; other values of 0 or less: the control's width.
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }

    // Copies Align, Rows, Width and Sizable (not AutoDrop).
    void Assign(const TPersistent* Source) override;

private:
    TDropDownAlign FAlign = daLeft;
    bool FAutoDrop = false;
    int FRows = 7;
    bool FSizable = false;
    int FWidth = 0;
};

using TNotInListEventGx = std::function<void(TObject* Sender, const String& NewText, bool& RecheckInList)>;

class TCustomDBComboBoxGx : public TCustomDBEditGx {
    ORV_META(TCustomDBComboBoxGx, TCustomDBEditGx)
    explicit TCustomDBComboBoxGx(TComponent* AOwner);
    ~TCustomDBComboBoxGx() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(const TStrings* Value) { FItems->Assign(*Value); }
    TStrings* KeyItems() const { return FKeyItems.get(); }
    void SetKeyItems(const TStrings* Value) { FKeyItems->Assign(*Value); }
    TDropDownBoxGx* DropDownBox() const { return FDropDownBox.get(); }

    int ItemIndex() const { return FItemIndex; }
    // Stores at once (a bound combo puts the data set in edit state first).
    void SetItemIndex(int Value);
    int UsableItemCount() const { return FUsableItemCount; }
    bool UsesKeys() const { return FUsesKeys; }
    const Variant& KeyValue() const { return FKeyValue; }
    int ItemImageIndex() const { return FItemImageIndex; }

    // The list's width when it opens: -1 the widest usable item, other values of 0 or less the
    // combo's width, never narrower than the combo.
    int DropDownListWidth();

    // Selects the first usable item equal to Text ignoring case (with Partial: starting with it);
    // true when the item changed.
    virtual bool LocateText(const String& Text, bool Partial);
    // The incremental search with the typed characters (Backspace shortens the prefix).
    virtual bool SearchTyped(const String& Chars);
    virtual void EnsureItems();
    // Steps to the prior or next item.
    void StepItem(bool Prior);

    void Clear();

    // ---- the drop-down list ---------------------------------------------------------------------
    TPopupListboxGx* ItemListBox() const { return FItemListBox; }
    bool ListShown() const { return FListShown; }
    void OpenDropDown() override;
    void CloseDropDown(bool Accept) override;
    TNotifyEvent OnDropDown;
    std::function<void(TObject* Sender, bool& Accept)> OnAcceptCloseUp;
    std::function<void(TObject* Sender, bool Accept)> OnCloseUp;

    TNotInListEventGx OnNotInList;
    TNotifyEvent OnNeedItems;
    std::function<void(TObject* Sender, int ItemIndex, int& ImageIndex)> OnGetItemImageIndex;

    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoExit() override;
    void LinkDataChanged() override;
    void StoreValue() override;
    void RefreshReadOnly() override;

protected:
    virtual void PutItemIndex(int Index);
    TAlignment AlignmentByDefault() const override;
    Variant ReadValue() const override;
    bool AcceptsChar(char16_t Ch) const override;
    void PutText(const String& Text) override;
    void PutValue(const Variant& Value) override;
    void WriteToField() override;
    void ClearFieldMaxLength() override;
    void Change() override;
    void MainButtonPressed(bool Lower) override;
    int ImageIndexByDefault() const override { return FItemImageIndex; }

private:
    void ListReleased(int X, int Y);
    void ItemsChanged();
    void KeysChanged();
    void Recount();
    void Resynchronise();
    void RefreshItemImageIndex();
    // The edit may be changed now (the link starts editing).
    bool CanChange();
    void Complete(char16_t Typed);

    std::unique_ptr<TDropDownBoxGx> FDropDownBox;
    std::unique_ptr<TStringList> FItems;
    std::unique_ptr<TStringListGx> FKeyItems;
    int FItemIndex = -1;
    int FUsableItemCount = 0;
    bool FUsesKeys = false;
    Variant FKeyValue;
    int FItemImageIndex = -1;
    char16_t FCompleting = 0; // a typed character the native edit is taking in
    TPopupListboxGx* FItemListBox = nullptr;
    bool FListShown = false;
};

class TDBComboBoxGx : public TCustomDBComboBoxGx {
    ORV_META(TDBComboBoxGx, TCustomDBComboBoxGx)
    explicit TDBComboBoxGx(TComponent* AOwner) : TCustomDBComboBoxGx(AOwner) {}
};
