#include "grid/ToolCtrlsGxLists.h"

#include "classes/MetaBuilder.h"
#include "grid/ToolCtrlsGxData.h"
#include "gui/Controls.h"
#include "gui/InputQueue.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <algorithm>

// ---- TMRUListGx --------------------------------------------------------------------------------

ORV_META_IMPL(TMRUListGx)
void TMRUListGx::DeclareMeta(meta::Class<TMRUListGx>& c) {
    c.Property("Active", &TMRUListGx::Active, &TMRUListGx::SetActive).Default(false);
    c.Property("AutoAdd", &TMRUListGx::AutoAdd, &TMRUListGx::SetAutoAdd).Default(true);
    c.Property("CaseSensitive", &TMRUListGx::CaseSensitive, &TMRUListGx::SetCaseSensitive).Default(false);
    c.Property("Limit", &TMRUListGx::Limit, &TMRUListGx::SetLimit).Default(100);
    c.Property("Rows", &TMRUListGx::Rows, &TMRUListGx::SetRows).Default(7);
}

TMRUListGx::TMRUListGx(TPersistent* ListOwner) : FListOwner(ListOwner) {}

void TMRUListGx::SetActive(bool Value) {
    if (Value == FActive) return;
    FActive = Value;
    if (ActiveChangedHook) ActiveChangedHook(this);
}

void TMRUListGx::SetLimit(int Value) {
    if (Value == FLimit) return;
    FLimit = Value;
    TrimToLimit();
}

void TMRUListGx::AddRecent(const String& Text) {
    if (Trim(Text).empty()) return;
    for (int i = 0; i < FItems.Count(); ++i) {
        const String item = FItems[i];
        bool equal = FCaseSensitive ? item == Text : AnsiCompareText(item, Text) == 0;
        if (equal) {
            FItems.Move(i, FItems.Count() - 1);
            return;
        }
    }
    FItems.Add(Text);
    TrimToLimit();
}

void TMRUListGx::TrimToLimit() {
    const int limit = std::max(FLimit, 0);
    while (FItems.Count() > limit)
        FItems.Delete(0);
}

bool TMRUListGx::FilterInto(TStrings* Target, const String& Typed) {
    TUpdateGuard<TStrings> update(*Target);
    Target->Clear();
    for (int i = 0; i < FItems.Count(); ++i) {
        const String item = FItems[i];
        const String head = item.substr(0, Typed.size());
        bool accept = FCaseSensitive ? AnsiCompareStr(head, Typed) == 0 : AnsiCompareText(head, Typed) == 0;
        if (FilterItemHook) FilterItemHook(this, accept);
        if (accept) Target->Add(item);
        if (i % 100 == 0 && StopOnKeyInQueue && KeyDownWaiting()) return false;
    }
    return true;
}

void TMRUListGx::Assign(const TPersistent* Source) {
    if (auto* src = dynamic_cast<const TMRUListGx*>(Source)) {
        SetActive(src->FActive);
        FItems.Assign(src->FItems);
        SetLimit(src->FLimit);
        FRows = src->FRows;
        FCaseSensitive = src->FCaseSensitive;
        return;
    }
    TPersistent::Assign(Source);
}

void TMRUListGx::RequestCloseUp(bool Accept) {
    if (CloseUpHook) CloseUpHook(this, Accept);
}

void TMRUListGx::RequestDropDown() {
    if (DropDownHook) DropDownHook(this);
}

// ---- cells text --------------------------------------------------------------------------------

namespace {

bool IsControlChar(char c) {
    auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 31;
}

} // namespace

void SplitCellsText(const String& CellsText, TStrings* CellTexts) {
    CellTexts->BeginUpdate();
    CellTexts->Clear();
    const String& s = CellsText;
    size_t i = 0;
    auto skipControls = [&] {
        while (i < s.size() && IsControlChar(s[i]))
            ++i;
    };
    skipControls();
    while (i < s.size()) {
        String cell;
        if (s[i] == '"') {
            cell = AnsiExtractQuotedStr(s, i, '"');
        } else {
            size_t start = i;
            while (i < s.size() && s[i] != ';' && !IsControlChar(s[i]))
                ++i;
            cell = s.substr(start, i - start);
        }
        CellTexts->Add(cell);
        skipControls();
        if (i < s.size() && s[i] == ';') {
            ++i;
            skipControls();
        }
    }
    CellTexts->EndUpdate();
}

// ---- TSpecRowGx --------------------------------------------------------------------------------

ORV_META_IMPL(TSpecRowGx)
void TSpecRowGx::DeclareMeta(meta::Class<TSpecRowGx>& c) {
    c.Property("CellsText", &TSpecRowGx::CellsText, &TSpecRowGx::SetCellsText);
    c.Property("ShortCut", &TSpecRowGx::ShortCut, &TSpecRowGx::SetShortCut).Default(32814);
    c.Property("ShowIfNotInKeyList", &TSpecRowGx::ShowIfNotInKeyList, &TSpecRowGx::SetShowIfNotInKeyList)
        .Default(true);
    c.Property("Visible", &TSpecRowGx::Visible, &TSpecRowGx::SetVisible).Default(false);
}

TSpecRowGx::TSpecRowGx(TPersistent* Owner) : FOwner(Owner) {
    FFont.Assign(*OwnerFont());
    FFont.OnChange = [this](TObject*) {
        if (FCopyingOwnerFont) return;
        FFontSet = true;
        Changed();
    };
}

void TSpecRowGx::Changed() {
    if (RowChangedHook && FUpdateDepth == 0) RowChangedHook(this);
}

void TSpecRowGx::EndRowUpdate() {
    --FUpdateDepth;
    Changed();
}

void TSpecRowGx::SetCellsText(const String& Value) {
    if (Value == FCellsText) return;
    FCellsText = Value;
    SplitCellsText(FCellsText, &FCellTexts);
    Changed();
}

String TSpecRowGx::CellText(int Index) const {
    if (Index < 0 || Index >= FCellTexts.Count()) return String();
    return FCellTexts[Index];
}

TColor TSpecRowGx::OwnerColor() const {
    if (auto* control = dynamic_cast<TCustomControl*>(FOwner)) return control->Color();
    return FColor;
}

TColor TSpecRowGx::Color() const {
    return FColorSet ? FColor : OwnerColor();
}

void TSpecRowGx::SetColor(TColor Value) {
    if (Value == FColor && FColorSet) return;
    FColor = Value;
    FColorSet = true;
    Changed();
}

TFont* TSpecRowGx::OwnerFont() {
    if (auto* control = dynamic_cast<TControl*>(FOwner)) return control->Font();
    return &FFont;
}

TFont* TSpecRowGx::Font() {
    if (!FFontSet) {
        TFont* owner = OwnerFont();
        if (owner != &FFont && !owner->SameAs(FFont)) {
            FCopyingOwnerFont = true;
            FFont.Assign(*owner);
            FCopyingOwnerFont = false;
        }
    }
    return &FFont;
}

void TSpecRowGx::SetFont(TFont* Value) {
    FFont.Assign(*Value);
    if (!FFontSet) { // an equal font sends no change notice, but it was set all the same
        FFontSet = true;
        Changed();
    }
}

void TSpecRowGx::SetShowIfNotInKeyList(bool Value) {
    if (Value == FShowIfNotInKeyList) return;
    FShowIfNotInKeyList = Value;
    Changed();
}

void TSpecRowGx::SetValue(const Variant& Value) {
    if (VariantsEqual(Value, FValue)) return;
    FValue = Value;
    Changed();
}

void TSpecRowGx::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    Changed();
}

void TSpecRowGx::Assign(const TPersistent* Source) {
    auto* src = dynamic_cast<const TSpecRowGx*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    BeginRowUpdate();
    SetCellsText(src->FCellsText);
    SetColor(src->Color());
    if (src->FFontSet) SetFont(const_cast<TFont*>(&src->FFont));
    FShortCut = src->FShortCut;
    SetShowIfNotInKeyList(src->FShowIfNotInKeyList);
    SetValue(src->FValue);
    SetVisible(src->FVisible);
    EndRowUpdate();
}
