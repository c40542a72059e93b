#include "controls/WnTabs.h"

#include "classes/MetaBuilder.h"

ORV_META_IMPL(TWnTabData)
void TWnTabData::DeclareMeta(meta::Class<TWnTabData>&) {}

void TWnTabData::Assign(const TPersistent* Source) {
    if (auto* t = dynamic_cast<const TWnTabData*>(Source)) {
        Caption = t->Caption;
        DisabledIndex = t->DisabledIndex;
        ImageIndex = t->ImageIndex;
        Color = t->Color;
        Enabled = t->Enabled;
        Visible = t->Visible;
        Hint = t->Hint;
        return;
    }
    TPersistent::Assign(Source);
}

ORV_META_IMPL(TWnTabDataList)
void TWnTabDataList::DeclareMeta(meta::Class<TWnTabDataList>&) {}

TWnTabData* TWnTabDataList::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[static_cast<size_t>(Index)].get();
}

void TWnTabDataList::SetItems(int Index, TWnTabData* Value) {
    Items(Index);
    FItems[static_cast<size_t>(Index)].reset(Value);
}

TWnTabData* TWnTabDataList::Add() {
    FItems.push_back(std::make_unique<TWnTabData>());
    return FItems.back().get();
}

void TWnTabDataList::Clear() {
    FItems.clear();
}

void TWnTabDataList::Assign(const TPersistent* Source) {
    if (auto* list = dynamic_cast<const TWnTabDataList*>(Source)) {
        if (list == this) return;
        Clear();
        for (const auto& item : list->FItems)
            Add()->Assign(item.get());
        return;
    }
    TPersistent::Assign(Source);
}

// ---- region cache

TWnTabRegionCache::TWnTabRegionCache(int Capacity) : FCapacity(1) {
    SetCapacity(Capacity);
}

void TWnTabRegionCache::SetCapacity(int Value) {
    if (Value == 0 || Value < -1)
        throw EWnTabControlError("Capacity must be -1 (to cache all regions) or > 0");
    FCapacity = Value;
    Trim();
}

const TRegion* TWnTabRegionCache::Lookup(const TRect& Rect) {
    for (auto it = FItems.begin(); it != FItems.end(); ++it) {
        if (it->Rect == Rect) {
            FItems.splice(FItems.begin(), FItems, it);
            return &FItems.front().Region;
        }
    }
    return nullptr;
}

const TRegion* TWnTabRegionCache::Insert(const TRect& Rect, TRegion Region) {
    FItems.push_front(Item{Rect, std::move(Region)});
    const TRegion* result = &FItems.front().Region;
    Trim();
    return result;
}

void TWnTabRegionCache::Trim() {
    if (FCapacity == -1) return;
    while (static_cast<int>(FItems.size()) > FCapacity)
        FItems.pop_back();
}

void TWnTabRegionCache::Clear() {
    FItems.clear();
}

// ---- colour sets

ORV_META_IMPL(TWnTabColors)
void TWnTabColors::DeclareMeta(meta::Class<TWnTabColors>& c) {
    c.Property("HighlightBar", &TWnTabColors::HighlightBar, &TWnTabColors::SetHighlightBar)
        .TypeName("TColor")
        .Default(clHighlight);
    c.Property("Shadow", &TWnTabColors::Shadow, &TWnTabColors::SetShadow)
        .TypeName("TColor")
        .Default(clBtnFace);
    c.Property("Unselected", &TWnTabColors::Unselected, &TWnTabColors::SetUnselected)
        .TypeName("TColor")
        .Default(clWindow);
}

void TWnTabColors::Assign(const TPersistent* Source) {
    if (auto* c = dynamic_cast<const TWnTabColors*>(Source)) {
        SetHighlightBar(c->FHighlightBar);
        SetShadow(c->FShadow);
        SetUnselected(c->FUnselected);
        return;
    }
    TPersistent::Assign(Source);
}

void TWnTabColors::Changed() {
    if (FOwner) FOwner->InvalidateTabs();
}

void TWnTabColors::SetHighlightBar(TColor Value) {
    if (Value == FHighlightBar) return;
    FHighlightBar = Value;
    Changed();
}
void TWnTabColors::SetShadow(TColor Value) {
    if (Value == FShadow) return;
    FShadow = Value;
    Changed();
}
void TWnTabColors::SetUnselected(TColor Value) {
    if (Value == FUnselected) return;
    FUnselected = Value;
    Changed();
}

ORV_META_IMPL(TWnTextColors)
void TWnTextColors::DeclareMeta(meta::Class<TWnTextColors>& c) {
    c.Property("Disabled", &TWnTextColors::Disabled, &TWnTextColors::SetDisabled)
        .TypeName("TColor")
        .Default(clGrayText);
    c.Property("Selected", &TWnTextColors::Selected, &TWnTextColors::SetSelected)
        .TypeName("TColor")
        .Default(clBtnText);
    c.Property("Unselected", &TWnTextColors::Unselected, &TWnTextColors::SetUnselected)
        .TypeName("TColor")
        .Default(clBtnText);
}

void TWnTextColors::Assign(const TPersistent* Source) {
    if (auto* c = dynamic_cast<const TWnTextColors*>(Source)) {
        SetDisabled(c->FDisabled);
        SetSelected(c->FSelected);
        SetUnselected(c->FUnselected);
        return;
    }
    TPersistent::Assign(Source);
}

void TWnTextColors::Changed() {
    if (FOwner) FOwner->InvalidateTabs();
}

void TWnTextColors::SetDisabled(TColor Value) {
    if (Value == FDisabled) return;
    FDisabled = Value;
    Changed();
}
void TWnTextColors::SetSelected(TColor Value) {
    if (Value == FSelected) return;
    FSelected = Value;
    Changed();
}
void TWnTextColors::SetUnselected(TColor Value) {
    if (Value == FUnselected) return;
    FUnselected = Value;
    Changed();
}
