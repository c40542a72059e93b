// The data-aware combo box: free-text and keyed modes, incremental search and completion,
// stepping through the items, storing the value or the key.
#include "grid/DBCtrlsGxCombo.h"

#include "grid/ToolCtrlsGxListBox.h"
#include "gui/Input.h"

#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/ImgList.h"
#include "gui/Input.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <algorithm>

ORV_META_IMPL(TDropDownBoxGx)
void TDropDownBoxGx::DeclareMeta(meta::Class<TDropDownBoxGx>& c) {
    c.Property("Align", &TDropDownBoxGx::Align, &TDropDownBoxGx::SetAlign).Default(daLeft);
    c.Property("AutoDrop", &TDropDownBoxGx::AutoDrop, &TDropDownBoxGx::SetAutoDrop).Default(false);
    c.Property("Rows", &TDropDownBoxGx::Rows, &TDropDownBoxGx::SetRows).Default(7);
    c.Property("Sizable", &TDropDownBoxGx::Sizable, &TDropDownBoxGx::SetSizable).Default(false);
    c.Property("Width", &TDropDownBoxGx::Width, &TDropDownBoxGx::SetWidth).Default(0);
}

void TDropDownBoxGx::Assign(const TPersistent* Source) {
    if (auto* other = dynamic_cast<const TDropDownBoxGx*>(Source)) {
        FAlign = other->FAlign;
        FRows = other->FRows;
        FWidth = other->FWidth;
        FSizable = other->FSizable;
        return;
    }
    TPersistent::Assign(Source);
}

ORV_META_IMPL(TCustomDBComboBoxGx)
void TCustomDBComboBoxGx::DeclareMeta(meta::Class<TCustomDBComboBoxGx>&) {}
ORV_META_IMPL(TDBComboBoxGx)
void TDBComboBoxGx::DeclareMeta(meta::Class<TDBComboBoxGx>&) {}

namespace {
int WideLength(const String& s) {
    return static_cast<int>(Utf8ToWide(s).size());
}
// The first Count UTF-16 units of s.
String WidePrefix(const String& s, int Count) {
    const WideString w = Utf8ToWide(s);
    return WideToUtf8(w.substr(0, static_cast<size_t>(std::max(0, Count))));
}
} // namespace

TCustomDBComboBoxGx::TCustomDBComboBoxGx(TComponent* AOwner) : TCustomDBEditGx(AOwner) {
    FItems = std::make_unique<TStringList>();
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    FKeyItems = std::make_unique<TStringListGx>();
    FKeyItems->SetCaseSensitive(true);
    FKeyItems->OnChange = [this](TObject*) { KeysChanged(); };
    FKeyValue = Null();
    FDropDownBox = std::make_unique<TDropDownBoxGx>();
    // The main button shows the list: visible, pressed by Alt+Down.
    EditButton()->SetVisible(true);
    EditButton()->SetShortCut(ShortCut(VK_DOWN, TShiftState{ssAlt}));
}

TCustomDBComboBoxGx::~TCustomDBComboBoxGx() {
    FItems->OnChange = nullptr;
    FKeyItems->OnChange = nullptr;
}

// ---- items and keys --------------------------------------------------------------------------

void TCustomDBComboBoxGx::Recount() {
    FUsableItemCount = FItems->Count();
    FUsesKeys = FKeyItems->Count() > 0;
    if (FUsesKeys) {
        FUsableItemCount = std::min(FItems->Count(), FKeyItems->Count());
        ++FLoadingValue;
        TControl::SetText(String());
        --FLoadingValue;
    }
    RefreshReadOnly();
}

void TCustomDBComboBoxGx::Resynchronise() {
    FItemIndex = FItems->IndexOf(Text());
    if (FItemIndex >= FUsableItemCount) FItemIndex = -1;
    RefreshItemImageIndex();
}

void TCustomDBComboBoxGx::ItemsChanged() {
    Recount();
    Resynchronise();
    ClearFieldMaxLength();
}

void TCustomDBComboBoxGx::KeysChanged() {
    ItemsChanged();
    LinkDataChanged(); // the value is shown again through the keys
}

void TCustomDBComboBoxGx::RefreshItemImageIndex() {
    FItemImageIndex = FItemIndex;
    if (OnGetItemImageIndex) OnGetItemImageIndex(this, FItemIndex, FItemImageIndex);
    if (FListShown && FItemListBox) FItemListBox->SetItemIndex(FItemIndex); // the open list follows
    TCustomDBEditGx::RefreshImageIndex();
}

void TCustomDBComboBoxGx::EnsureItems() {
    if (FItems->Count() == 0 && OnNeedItems) OnNeedItems(this);
}

// ---- value protocol --------------------------------------------------------------------------

TAlignment TCustomDBComboBoxGx::AlignmentByDefault() const {
    return FUsesKeys ? taLeftJustify : TCustomDBEditGx::AlignmentByDefault();
}

Variant TCustomDBComboBoxGx::ReadValue() const {
    return FUsesKeys ? FKeyValue : TCustomDBEditGx::ReadValue();
}

bool TCustomDBComboBoxGx::AcceptsChar(char16_t Ch) const {
    return FUsesKeys || TCustomDBEditGx::AcceptsChar(Ch);
}

void TCustomDBComboBoxGx::PutItemIndex(int Index) {
    if (Index == FItemIndex) return;
    EnsureItems();
    if (Index < 0 || Index >= FUsableItemCount) {
        FItemIndex = -1;
        FKeyValue = Null();
    } else {
        FItemIndex = Index;
        if (FUsesKeys) FKeyValue = Variant(FKeyItems->Strings(Index));
    }
    RefreshItemImageIndex();
    TCustomDBEditGx::PutText(FItemIndex < 0 ? String() : FItems->Strings(FItemIndex));
}

void TCustomDBComboBoxGx::PutText(const String& Text) {
    if (!FUsesKeys) {
        TCustomDBEditGx::PutText(Text);
        Resynchronise();
        return;
    }
    const int i = FItems->IndexOf(Text);
    if (i < 0 || i >= FUsableItemCount) return; // a keyed combo shows items only
    FItemIndex = i;
    RefreshItemImageIndex();
    FKeyValue = Variant(FKeyItems->Strings(i));
    TCustomDBEditGx::PutText(Text);
}

void TCustomDBComboBoxGx::PutValue(const Variant& Value) {
    if (!FUsesKeys) {
        TCustomDBEditGx::PutValue(Value);
        Resynchronise();
        return;
    }
    FKeyValue = Value;
    if (VarIsNull(Value)) {
        FItemIndex = -1;
        TCustomDBEditGx::PutText(String());
    } else {
        // A key beyond the usable items names no item: no text, and no index either.
        const int i = FKeyItems->IndexOf(VarToStr(Value));
        FItemIndex = i >= 0 && i < FUsableItemCount ? i : -1;
        TCustomDBEditGx::PutText(FItemIndex < 0 ? String() : FItems->Strings(FItemIndex));
    }
    RefreshItemImageIndex();
}

void TCustomDBComboBoxGx::SetItemIndex(int Value) {
    WriteThrough([&] { PutItemIndex(Value); });
}

void TCustomDBComboBoxGx::Clear() {
    if (FUsesKeys)
        SetValue(Null());
    else
        TCustomDBEditGx::SetText(String());
}

void TCustomDBComboBoxGx::LinkDataChanged() {
    ++FLoadingValue;
    TFieldDataLinkGx* link = DataLink();
    if (TField* f = link->BoundField()) {
        if (!OwnEditMask()) SetEditMask(f->EditMask());
        if ((f->DataType() == ftString || f->DataType() == ftWideString) && MaxLength() == 0 && !FUsesKeys)
            SetMaxLength(f->Size());
        if ((EditFocused() && link->CanModifyValue()) || FUsesKeys)
            PutValue(f->IsNull() && FUsesKeys ? Null() : Variant(f->EditText()));
        else
            TControl::SetText(f->DisplayText());
    } else if (link->Standalone()) {
        if (!OwnEditMask()) SetEditMask(String());
        if (FUsesKeys)
            PutValue(link->StandaloneValue());
        else
            TControl::SetText(VarIsArray(link->StandaloneValue()) ? String()
                                                                  : VarToStr(link->StandaloneValue()));
    } else {
        if (!OwnEditMask()) SetEditMask(String());
        TControl::SetText(String());
    }
    if (!FUsesKeys) Resynchronise();
    --FLoadingValue;
    RefreshReadOnly();
    SetModified(false);
    Invalidate();
}

void TCustomDBComboBoxGx::WriteToField() {
    TFieldDataLinkGx* link = DataLink();
    if (!link->Standalone() || FUsesKeys) {
        const Variant v = ReadValue();
        if (VarIsNull(v))
            link->PutFieldValue(Null()); // no key chosen: the field is cleared
        else
            link->PutFieldText(VarToStr(v));
    } else {
        link->PutFieldText(EditText());
    }
}

void TCustomDBComboBoxGx::StoreValue() {
    if (OnNotInList && FItemIndex == -1) {
        bool recheck = false;
        OnNotInList(this, Text(), recheck);
    }
    TCustomDBEditGx::StoreValue();
}

void TCustomDBComboBoxGx::RefreshReadOnly() {
    if (!DataLink()) return;
    const bool writable = DataLink()->LinkEditing() && !ReadOnly() && !FUsesKeys;
    TCustomMaskEdit::SetReadOnly(!writable || HolderForbidsEdit());
}

void TCustomDBComboBoxGx::ClearFieldMaxLength() {
    if (MaxLength() <= 0) return;
    if (FUsesKeys)
        SetMaxLength(0);
    else
        TCustomDBEditGx::ClearFieldMaxLength();
}

// ---- search ----------------------------------------------------------------------------------

bool TCustomDBComboBoxGx::CanChange() {
    return DataLink()->StartEdit();
}

bool TCustomDBComboBoxGx::LocateText(const String& S, bool Partial) {
    const int before = FItemIndex;
    if (!CanChange()) return false;
    try {
        const int length = WideLength(S);
        int found = -1;
        for (int i = 0; i < FUsableItemCount && found < 0; ++i) {
            const String item = FItems->Strings(i);
            if (AnsiSameText(Partial ? WidePrefix(item, length) : item, S)) found = i;
        }
        if (found >= 0) {
            PutItemIndex(found);
            SetSelection(WideLength(Text()), length); // the completed part selected, caret after S
        } else if (!FUsesKeys) {
            PutItemIndex(-1);
        }
        return found >= 0 ? found != before : FItemIndex != before;
    } catch (const Exception&) {
        PutItemIndex(before);
        return false;
    }
}

bool TCustomDBComboBoxGx::SearchTyped(const String& Chars) {
    if (!DataLink()->Standalone() && !DataLink()->BoundField()) return false;
    if (!CanChange()) return false;
    if (Chars == "\b") {
        const int length = WideLength(Text());
        if (SelStart() == 0 && SelLength() == length)
            SetSelection(length, std::max(0, length - 1));
        else
            SetSelection(length, std::max(0, length - SelLength() - 1));
        return false;
    }
    const String search = WidePrefix(Text(), SelStart()) + Chars;
    EnsureItems();
    return LocateText(search, true);
}

void TCustomDBComboBoxGx::StepItem(bool Prior) {
    if (!CanChange()) return;
    int i = FItemIndex;
    if (Prior) {
        if (i > 0)
            --i;
        else if (i < 0)
            i = FUsableItemCount - 1;
    } else if (i < FUsableItemCount - 1) {
        ++i;
    }
    if (i == FItemIndex) return;
    PutItemIndex(i);
    SelectAll();
}

int TCustomDBComboBoxGx::DropDownListWidth() {
    int width = FDropDownBox->Width();
    if (width == -1) {
        TBitmap measure;
        measure.Canvas()->Font()->Assign(*Font());
        int widest = 0;
        for (int i = 0; i < FUsableItemCount; ++i)
            widest = std::max(widest, measure.Canvas()->TextWidth(FItems->Strings(i)));
        width = widest + 5;
        if (TCustomImageList* images = ImageSettings()->Images()) width += images->Width() + 4;
    } else if (width <= 0) {
        width = Width();
    }
    return std::max(width, Width());
}

// ---- keys ------------------------------------------------------------------------------------

void TCustomDBComboBoxGx::KeyDown(Word& Key, TShiftState Shift) {
    FCompleting = 0; // a character the native edit did not take in is not completed later
    if (FListShown && !ButtonForShortCut(ShortCut(Key, Shift))) {
        if (Key == VK_RETURN || Key == VK_ESCAPE) {
            CloseDropDown(Key == VK_RETURN);
            Key = 0;
            return;
        }
        if (FItemListBox->NavigationKey(Key, Shift)) {
            Key = 0;
            return;
        }
    }
    TCustomDBEditGx::KeyDown(Key, Shift);
    if ((Key == VK_UP || Key == VK_DOWN) && !ReadOnly() &&
        (!WordWrap() || SelLength() == WideLength(Text()))) {
        if (CanChange()) {
            StepItem(Key == VK_UP);
            Key = 0;
        }
    } else if (Key == VK_DELETE && FUsesKeys && !ReadOnly()) {
        TField* f = DataLink()->BoundField();
        if ((DataLink()->Standalone() || (f && !f->Required())) && CanChange()) PutValue(Null());
        Key = 0; // a keyed text is never edited in place
    }
}

void TCustomDBComboBoxGx::KeyPress(char16_t& Key) {
    const char16_t typed = Key;
    if (FListShown && (Key == u'\r' || Key == 27)) {
        Key = 0; // the key-down closed the list already
        return;
    }
    if (Key >= 32 && DropDownBox()->AutoDrop() && !FListShown) OpenDropDown();
    TCustomDBEditGx::KeyPress(Key);
    if (Key == 0) return;
    if (FUsesKeys && !ReadOnly() && (Key == 8 || Key >= 32)) {
        SearchTyped(Key == 8 ? String("\b") : WideToUtf8(WideString(1, typed)));
        Key = 0;
        return;
    }
    // Free text: the native edit takes the character in, then the text is completed.
    if (!FUsesKeys && (Key == 8 || Key >= 32)) FCompleting = Key;
}

void TCustomDBComboBoxGx::Change() {
    TCustomDBEditGx::Change();
    if (FLoadingValue == 0 && !FUsesKeys) Resynchronise();
    if (FCompleting) {
        const char16_t typed = FCompleting;
        FCompleting = 0;
        Complete(typed);
    }
}

void TCustomDBComboBoxGx::Complete(char16_t Typed) {
    const int length = WideLength(Text());
    if (Typed != 8 && SelLength() == 0 && CaretPosition() == length) {
        SearchTyped(String());
        return;
    }
    const int start = SelStart();
    EnsureItems();
    if (LocateText(Text(), false)) SetSelection(WideLength(Text()), start);
}
