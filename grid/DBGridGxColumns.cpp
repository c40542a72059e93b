// Columns, titles and the grid-wide column defaults: own values over defaults, widths, field
// binding and sort markers.
#include "grid/DBGridGxColumns.h"
#include "grid/DBGridGxFooters.h"

#include "classes/MetaBuilder.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxInplaceEdit.h"
#include "gui/Geometry.h"
#include "gui/Menus.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "rtl/SysLocale.h"

#include <algorithm>

// ---- title defaults -----------------------------------------------------------------------------

ORV_META_IMPL(TColumnTitleDefValuesGx)
void TColumnTitleDefValuesGx::DeclareMeta(meta::Class<TColumnTitleDefValuesGx>& c) {
    c.Property("Alignment", &TColumnTitleDefValuesGx::Alignment, &TColumnTitleDefValuesGx::SetAlignment)
        .Stored(&TColumnTitleDefValuesGx::IsAlignmentStored);
    c.Property("Color", &TColumnTitleDefValuesGx::Color, &TColumnTitleDefValuesGx::SetColor)
        .TypeName("TColor")
        .Stored(&TColumnTitleDefValuesGx::IsColorStored);
    c.Property("EndEllipsis", &TColumnTitleDefValuesGx::EndEllipsis, &TColumnTitleDefValuesGx::SetEndEllipsis)
        .Default(false);
    c.Property("Orientation", &TColumnTitleDefValuesGx::Orientation, &TColumnTitleDefValuesGx::SetOrientation)
        .Default(tohHorizontal);
    c.Property("TitleButton", &TColumnTitleDefValuesGx::TitleButton, &TColumnTitleDefValuesGx::TitleButton)
        .Default(false);
    c.Property("ToolTips", &TColumnTitleDefValuesGx::ToolTips, &TColumnTitleDefValuesGx::ToolTips).Default(false);
}

TAlignment TColumnTitleDefValuesGx::DefaultAlignment() const {
    return FGrid && FGrid->UseMultiTitle() ? taCenter : taLeftJustify;
}
TAlignment TColumnTitleDefValuesGx::Alignment() const {
    return FAlignmentAssigned ? FAlignment : DefaultAlignment();
}
void TColumnTitleDefValuesGx::SetAlignment(TAlignment Value) {
    if (FAlignmentAssigned && FAlignment == Value) return;
    FAlignment = Value;
    FAlignmentAssigned = true;
    if (FGrid) FGrid->RequestLayout();
}
TColor TColumnTitleDefValuesGx::DefaultColor() const { return FGrid ? FGrid->FixedColor() : clBtnFace; }
TColor TColumnTitleDefValuesGx::Color() const { return FColorAssigned ? FColor : DefaultColor(); }
void TColumnTitleDefValuesGx::SetColor(TColor Value) {
    if (FColorAssigned && FColor == Value) return;
    FColor = Value;
    FColorAssigned = true;
    if (FGrid) FGrid->Invalidate();
}
void TColumnTitleDefValuesGx::SetEndEllipsis(bool Value) {
    if (FEndEllipsis == Value) return;
    FEndEllipsis = Value;
    if (FGrid) FGrid->Invalidate();
}
void TColumnTitleDefValuesGx::SetOrientation(TTextOrientationGx Value) {
    if (FOrientation == Value) return;
    FOrientation = Value;
    if (FGrid) FGrid->RequestLayout();
}
void TColumnTitleDefValuesGx::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TColumnTitleDefValuesGx*>(Source);
    if (!s) return TPersistent::Assign(Source);
    if (s->FAlignmentAssigned) SetAlignment(s->FAlignment);
    if (s->FColorAssigned) SetColor(s->FColor);
    SetEndEllipsis(s->FEndEllipsis);
    TitleButton = s->TitleButton;
    ToolTips = s->ToolTips;
    SetOrientation(s->FOrientation);
}

ORV_META_IMPL(TColumnFooterDefValuesGx)
void TColumnFooterDefValuesGx::DeclareMeta(meta::Class<TColumnFooterDefValuesGx>& c) {
    c.Property("ToolTips", &TColumnFooterDefValuesGx::ToolTips, &TColumnFooterDefValuesGx::ToolTips)
        .Default(false);
}
void TColumnFooterDefValuesGx::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TColumnFooterDefValuesGx*>(Source);
    if (!s) return TPersistent::Assign(Source);
    ToolTips = s->ToolTips;
}

// ---- column defaults ----------------------------------------------------------------------------

ORV_META_IMPL(TColumnDefValuesGx)
void TColumnDefValuesGx::DeclareMeta(meta::Class<TColumnDefValuesGx>&) {}

ORV_META_IMPL(TDBGridGxColumnDefValuesGx)
void TDBGridGxColumnDefValuesGx::DeclareMeta(meta::Class<TDBGridGxColumnDefValuesGx>& c) {
    using T = TDBGridGxColumnDefValuesGx;
    c.Property("AlwaysShowEditButton", &T::AlwaysShowEditButton, &T::SetAlwaysShowEditButton).Default(false);
    c.Property("AutoDropDown", &T::AutoDropDown, &T::AutoDropDown).Default(false);
    c.Property("DblClickNextVal", &T::DblClickNextVal, &T::DblClickNextVal).Default(false);
    c.Property("DropDownShowTitles", &T::DropDownShowTitles, &T::DropDownShowTitles).Default(false);
    c.Property("DropDownSizing", &T::DropDownSizing, &T::DropDownSizing).Default(false);
    c.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Default(false);
    c.Property("HighlightRequired", &T::HighlightRequired, &T::SetHighlightRequired).Default(false);
    c.Property("Layout", &T::Layout, &T::SetLayout).Default(tlTop);
    c.Property("ToolTips", &T::ToolTips, &T::ToolTips).Default(false);
}

TColumnDefValuesGx::TColumnDefValuesGx(TCustomDBGridGx* Grid)
    : FGrid(Grid), FTitle(std::make_unique<TColumnTitleDefValuesGx>(Grid)),
      FFooter(std::make_unique<TColumnFooterDefValuesGx>()) {}

void TColumnDefValuesGx::Repaint() {
    if (FGrid) FGrid->Invalidate();
}
void TColumnDefValuesGx::SetAlwaysShowEditButton(bool Value) {
    if (FAlwaysShowEditButton == Value) return;
    FAlwaysShowEditButton = Value;
    Repaint();
}
void TColumnDefValuesGx::SetEndEllipsis(bool Value) {
    if (FEndEllipsis == Value) return;
    FEndEllipsis = Value;
    Repaint();
}
void TColumnDefValuesGx::SetHighlightRequired(bool Value) {
    if (FHighlightRequired == Value) return;
    FHighlightRequired = Value;
    Repaint();
}
void TColumnDefValuesGx::SetLayout(TTextLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Repaint();
}
void TColumnDefValuesGx::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TColumnDefValuesGx*>(Source);
    if (!s) return TPersistent::Assign(Source);
    FTitle->Assign(s->FTitle.get());
    SetAlwaysShowEditButton(s->FAlwaysShowEditButton);
    SetEndEllipsis(s->FEndEllipsis);
    AutoDropDown = s->AutoDropDown;
    DblClickNextVal = s->DblClickNextVal;
    ToolTips = s->ToolTips;
    DropDownSizing = s->DropDownSizing;
    DropDownShowTitles = s->DropDownShowTitles;
}

// ---- title --------------------------------------------------------------------------------------

ORV_META_IMPL(TColumnTitleGx)
void TColumnTitleGx::DeclareMeta(meta::Class<TColumnTitleGx>& c) {
    using T = TColumnTitleGx;
    c.Property("Alignment", &T::Alignment, &T::SetAlignment).Stored([](T& t) {
        return t.Flagged(cvTitleAlignment) && t.FAlignment != t.DefaultAlignment();
    });
    c.Property("Caption", &T::Caption, &T::SetCaption).Stored(&T::IsCaptionStored);
    c.Property("Color", &T::Color, &T::SetColor).TypeName("TColor").Stored([](T& t) {
        return t.Flagged(cvTitleColor) && t.FColor != t.DefaultColor();
    });
    c.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Stored([](T& t) {
        return t.Flagged(cvTitleEndEllipsis);
    });
    c.Property("Font", &T::Font, &T::SetFont).Stored([](T& t) { return t.Flagged(cvTitleFont); });
    c.Property("Hint", &T::Hint, &T::Hint);
    c.Property("ImageIndex", &T::ImageIndex, &T::SetImageIndex).Default(-1);
    c.Property("Orientation", &T::Orientation, &T::SetOrientation).Stored([](T& t) {
        return t.Flagged(cvTitleOrientation);
    });
    c.Property("SortIndex", &T::SortIndex, &T::SetSortIndex).Default(0);
    c.Property("SortMarker", &T::SortMarker, &T::SetSortMarker).Default(smNoneGx);
    c.Property("TitleButton", &T::TitleButton, &T::SetTitleButton).Stored([](T& t) {
        return t.Flagged(cvTitleButton);
    });
    c.Property("ToolTips", &T::ToolTips, &T::SetToolTips).Stored([](T& t) { return t.Flagged(cvTitleToolTips); });
}

TColumnTitleGx::TColumnTitleGx(TColumnGx* Column) : FFont(std::make_unique<TFont>()), FColumn(Column) {
    SyncDefaultFont();
    // A change made to the font object itself makes the font the title's own.
    FFont->OnChange = [this](TObject*) {
        Flag(cvTitleFont);
        Notify(true);
    };
}

bool TColumnTitleGx::Flagged(TColumnGxValue V) const { return FColumn && FColumn->Flagged(V); }
void TColumnTitleGx::Flag(TColumnGxValue V) {
    if (FColumn) FColumn->Flag(V);
}
void TColumnTitleGx::Notify(bool AllItems) {
    if (FColumn) FColumn->Changed(AllItems);
}

static TColumnDefValuesGx* DefsOf(const TColumnGx* Column) {
    TCustomDBGridGx* g = Column ? Column->Grid() : nullptr;
    return g ? g->ColumnDefValues() : nullptr;
}

String TColumnTitleGx::DefaultCaption() const {
    if (!FColumn) return String();
    TField* f = FColumn->Field();
    return f ? f->DisplayName() : FColumn->FieldName();
}
String TColumnTitleGx::Caption() const { return Flagged(cvTitleCaption) ? FCaption : DefaultCaption(); }
bool TColumnTitleGx::IsCaptionStored() const { return Flagged(cvTitleCaption) && FCaption != DefaultCaption(); }
void TColumnTitleGx::SetCaption(const String& Value) {
    TColumnGx* c = FColumn;
    if (c && c->IsAutoColumn()) {
        // A column the grid made itself passes the caption on to its field.
        TCustomDBGridGx* g = c->Grid();
        if (g && g->DataLink()->Active() && c->Field()) c->Field()->SetDisplayLabel(Value);
        return;
    }
    if (Flagged(cvTitleCaption) && FCaption == Value) return;
    FCaption = Value;
    Flag(cvTitleCaption);
    Notify(false);
}
TAlignment TColumnTitleGx::DefaultAlignment() const {
    TColumnDefValuesGx* d = DefsOf(FColumn);
    return d ? d->Title()->Alignment() : taLeftJustify;
}
TAlignment TColumnTitleGx::Alignment() const { return Flagged(cvTitleAlignment) ? FAlignment : DefaultAlignment(); }
void TColumnTitleGx::SetAlignment(TAlignment Value) {
    if (Flagged(cvTitleAlignment) && FAlignment == Value) return;
    FAlignment = Value;
    Flag(cvTitleAlignment);
    Notify(false);
}
TColor TColumnTitleGx::DefaultColor() const {
    TColumnDefValuesGx* d = DefsOf(FColumn);
    return d ? d->Title()->Color() : clBtnFace;
}
TColor TColumnTitleGx::Color() const { return Flagged(cvTitleColor) ? FColor : DefaultColor(); }
void TColumnTitleGx::SetColor(TColor Value) {
    if (Flagged(cvTitleColor) && FColor == Value) return;
    FColor = Value;
    Flag(cvTitleColor);
    Notify(false);
}
bool TColumnTitleGx::TitleButton() const {
    TColumnDefValuesGx* d = DefsOf(FColumn);
    return Flagged(cvTitleButton) ? FTitleButton : d && d->Title()->TitleButton;
}
void TColumnTitleGx::SetTitleButton(bool Value) {
    if (Flagged(cvTitleButton) && FTitleButton == Value) return;
    FTitleButton = Value;
    Flag(cvTitleButton);
    Notify(false);
}
bool TColumnTitleGx::EndEllipsis() const {
    TColumnDefValuesGx* d = DefsOf(FColumn);
    return Flagged(cvTitleEndEllipsis) ? FEndEllipsis : d && d->Title()->EndEllipsis();
}
void TColumnTitleGx::SetEndEllipsis(bool Value) {
    if (Flagged(cvTitleEndEllipsis) && FEndEllipsis == Value) return;
    FEndEllipsis = Value;
    Flag(cvTitleEndEllipsis);
    Notify(false);
}
bool TColumnTitleGx::ToolTips() const {
    TColumnDefValuesGx* d = DefsOf(FColumn);
    return Flagged(cvTitleToolTips) ? FToolTips : d && d->Title()->ToolTips;
}
void TColumnTitleGx::SetToolTips(bool Value) {
    if (Flagged(cvTitleToolTips) && FToolTips == Value) return;
    FToolTips = Value;
    Flag(cvTitleToolTips);
}
TTextOrientationGx TColumnTitleGx::Orientation() const {
    TColumnDefValuesGx* d = DefsOf(FColumn);
    return Flagged(cvTitleOrientation) ? FOrientation : d ? d->Title()->Orientation() : tohHorizontal;
}
void TColumnTitleGx::SetOrientation(TTextOrientationGx Value) {
    if (Flagged(cvTitleOrientation) && FOrientation == Value) return;
    FOrientation = Value;
    Flag(cvTitleOrientation);
    Notify(false);
}
TFont* TColumnTitleGx::DefaultFont() const {
    if (!FColumn) return nullptr;
    TCustomDBGridGx* g = FColumn->Grid();
    return g ? g->TitleFont() : FColumn->Font();
}
void TColumnTitleGx::SyncDefaultFont() const {
    if (Flagged(cvTitleFont)) return;
    TFont* d = DefaultFont();
    if (!d || FFont->SameAs(*d)) return;
    TNotifyEvent handler = std::move(FFont->OnChange);
    FFont->OnChange = nullptr;
    const TScopeExit reattach([&] { FFont->OnChange = std::move(handler); });
    FFont->Assign(*d);
}
TFont* TColumnTitleGx::Font() const {
    SyncDefaultFont();
    return FFont.get();
}
void TColumnTitleGx::SetFont(const TFont* Value) {
    if (!Value) return;
    // The copy goes through the font object: a font that changes lays the grid out again.
    FFont->Assign(*Value);
    Flag(cvTitleFont);
    Notify(false);
}

void TColumnTitleGx::SetImageIndex(int Value) {
    FImageIndex = Value;
    if (TCustomDBGridGx* g = FColumn ? FColumn->Grid() : nullptr) g->RequestLayout();
}

void TColumnTitleGx::SetSortMarker(TSortMarkerGx Value) {
    if (Value == FSortMarker) return;
    FSortMarker = Value;
    TCustomDBGridGx* g = FColumn ? FColumn->Grid() : nullptr;
    if (!g || g->Columns()->UpdateCount() > 0) return;
    TColumnsGxList& marked = g->SortMarkedColumns();
    if (g->OptionsGx() & dghMultiSortMarking) {
        if (Value != smNoneGx && FSortIndex == 0) {
            int n = 0;
            for (int i = 0; i < g->Columns()->Count(); ++i)
                if (g->Columns()->ColumnAt(i)->Title()->FSortIndex != 0) ++n;
            FSortIndex = n + 1;
            marked.Add(FColumn);
        } else if (Value == smNoneGx && FSortIndex != 0) {
            for (int i = 0; i < g->Columns()->Count(); ++i) {
                TColumnTitleGx* t = g->Columns()->ColumnAt(i)->Title();
                if (t->FSortIndex > FSortIndex) --t->FSortIndex;
            }
            marked.Remove(FColumn);
            FSortIndex = 0;
        }
    } else if (Value != smNoneGx) {
        for (int i = 0; i < g->Columns()->Count(); ++i) {
            TColumnGx* other = g->Columns()->ColumnAt(i);
            if (other != FColumn && other->Title()->FSortMarker != smNoneGx) other->Title()->SetSortMarker(smNoneGx);
        }
        FSortIndex = 1;
        marked.Clear();
        marked.Add(FColumn);
    } else {
        FSortIndex = 0;
        marked.Clear();
    }
    Notify(false);
}

void TColumnTitleGx::SetSortIndex(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FSortIndex) return;
    TCustomDBGridGx* g = FColumn ? FColumn->Grid() : nullptr;
    if (!g || g->Columns()->UpdateCount() > 0) {
        FSortIndex = Value;
        return;
    }
    if (FSortMarker == smNoneGx) return;
    for (int i = 0; i < g->Columns()->Count(); ++i) {
        TColumnGx* other = g->Columns()->ColumnAt(i);
        if (other == FColumn || other->Title()->FSortIndex != Value) continue;
        other->Title()->FSortIndex = FSortIndex;
        FSortIndex = Value;
        TColumnsGxList& marked = g->SortMarkedColumns();
        int a = marked.IndexOf(FColumn), b = marked.IndexOf(other);
        if (a >= 0 && b >= 0) marked.Exchange(a, b);
        Notify(false);
        return;
    }
}

void TColumnTitleGx::StepSortMarker(bool KeepOthers) {
    TCustomDBGridGx* g = FColumn ? FColumn->Grid() : nullptr;
    if (!KeepOthers && g)
        for (int i = 0; i < g->Columns()->Count(); ++i) {
            TColumnGx* other = g->Columns()->ColumnAt(i);
            if (other != FColumn) other->Title()->SetSortMarker(smNoneGx);
        }
    switch (FSortMarker) {
    case smNoneGx: SetSortMarker(smDownGx); break;
    case smDownGx: SetSortMarker(smUpGx); break;
    case smUpGx: SetSortMarker(KeepOthers ? smNoneGx : smDownGx); break;
    }
}

void TColumnTitleGx::ResetToDefaults() {
    if (!FColumn) return;
    bool fontOwn = FColumn->Flagged(cvTitleFont);
    for (TColumnGxValue v : {cvTitleColor, cvTitleCaption, cvTitleAlignment, cvTitleFont, cvTitleButton,
                             cvTitleEndEllipsis, cvTitleToolTips, cvTitleOrientation})
        FColumn->FAssigned &= ~(1u << v);
    FCaption.clear();
    SyncDefaultFont();
    Notify(fontOwn);
}

void TColumnTitleGx::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TColumnTitleGx*>(Source);
    if (!s) return TPersistent::Assign(Source);
    if (s->Flagged(cvTitleAlignment)) SetAlignment(s->FAlignment);
    if (s->Flagged(cvTitleColor)) SetColor(s->FColor);
    if (s->Flagged(cvTitleCaption)) SetCaption(s->FCaption);
    if (s->Flagged(cvTitleFont)) SetFont(s->FFont.get());
    Hint = s->Hint;
    SetImageIndex(s->FImageIndex);
    SetOrientation(s->Orientation());
    SetSortIndex(s->FSortIndex);
    SetSortMarker(s->FSortMarker);
    SetTitleButton(s->TitleButton());
    SetEndEllipsis(s->EndEllipsis());
    SetToolTips(s->ToolTips());
}

// ---- column -------------------------------------------------------------------------------------

ORV_META_IMPL(TColumnGx)
void TColumnGx::DeclareMeta(meta::Class<TColumnGx>&) {}

ORV_META_IMPL(TDBGridColumnGx)
void TDBGridColumnGx::DeclareMeta(meta::Class<TDBGridColumnGx>& c) {
    using T = TDBGridColumnGx;
    c.Property("Alignment", &T::Alignment, &T::SetAlignment).Stored(&T::IsAlignmentStored);
    c.Property("AlwaysShowEditButton", &T::AlwaysShowEditButton, &T::SetAlwaysShowEditButton).Stored([](T& t) {
        return t.Flagged(cvAlwaysShowEditButton);
    });
    c.Property("AutoFitColWidth", &T::AutoFitColWidth, &T::SetAutoFitColWidth).Default(true);
    c.Property("ButtonStyle", &T::ButtonStyle, &T::SetButtonStyle).Default(cbsAuto);
    c.Property("Checkboxes", &T::Checkboxes, &T::SetCheckboxes).Stored([](T& t) { return t.Flagged(cvCheckboxes); });
    c.Property("BiDiMode", &T::BiDiMode, &T::SetBiDiMode).Stored([](T& t) { return t.Flagged(cvBiDiMode); });
    c.Property("Color", &T::Color, &T::SetColor).TypeName("TColor").Stored(&T::IsColorStored);
    c.Property("DisplayFormat", &T::DisplayFormat, &T::SetDisplayFormat);
    c.Property("DropDownRows", &T::DropDownRows, &T::DropDownRows).Default(7);
    c.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Stored([](T& t) {
        return t.Flagged(cvEndEllipsis);
    });
    c.Property("FieldName", &T::FieldName, &T::SetFieldName);
    c.Property("HideDuplicates", &T::HideDuplicates, &T::SetHideDuplicates).Default(false);
    c.Property("ImageList", &T::ImageList, &T::SetImageList);
    c.Property("Increment", &T::Increment, &T::Increment).Stored(&T::IsIncrementStored);
    c.Property("Layout", &T::Layout, &T::SetLayout).Stored([](T& t) { return t.Flagged(cvLayout); });
    c.Property("LookupDisplayFields", &T::LookupDisplayFields, &T::SetLookupDisplayFields)
        .Stored(&T::IsLookupDisplayFieldsStored);
    c.Property("MaxWidth", &T::MaxWidth, &T::SetMaxWidth).Default(0);
    c.Property("MinWidth", &T::MinWidth, &T::SetMinWidth).Default(0);
    c.Property("NotInKeyListIndex", &T::NotInKeyListIndex, &T::SetNotInKeyListIndex).Default(-1);
    c.Property("PopupMenu", &T::PopupMenu, &T::SetPopupMenu);
    c.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Stored(&T::IsReadOnlyStored);
    c.Property("ShowImageAndText", &T::ShowImageAndText, &T::SetShowImageAndText).Default(false);
    c.Property("STFilter", &T::STFilter, &T::SetSTFilter);
    c.Property("Tag", &T::Tag, &T::Tag).Default(0);
    c.Property("ToolTips", &T::ToolTips, &T::SetToolTips).Stored([](T& t) { return t.Flagged(cvToolTips); });
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
    c.Property("Width", &T::Width, &T::SetWidth).Stored(&T::IsWidthStored);
    c.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Stored(&T::IsWordWrapStored);
    // in-place editor
    c.Property("AutoDropDown", &T::AutoDropDown, &T::SetAutoDropDown).Stored([](T& t) {
        return t.Flagged(cvAutoDropDown);
    });
    c.Property("DblClickNextVal", &T::DblClickNextVal, &T::SetDblClickNextVal).Stored([](T& t) {
        return t.Flagged(cvDblClickNextVal);
    });
    c.Property("DropDownShowTitles", &T::DropDownShowTitles, &T::SetDropDownShowTitles).Stored([](T& t) {
        return t.Flagged(cvDropDownShowTitles);
    });
    c.Property("DropDownSizing", &T::DropDownSizing, &T::SetDropDownSizing).Stored([](T& t) {
        return t.Flagged(cvDropDownSizing);
    });
    c.Property("DropDownWidth", &T::DropDownWidth, &T::SetDropDownWidth).Default(0);
    // footers, after the field they may sum
    c.Property("Footer", &T::Footer, &T::SetFooter);
    c.Property("Footers", &T::Footers, &T::SetFooters).Stored([](T& t) { return t.Footers()->Count() > 0; });
}

TColumnGx::TColumnGx(TCollection* Collection) : TCollectionItem(Collection) {
    TCustomDBGridGx* g = nullptr;
    if (auto* cols = dynamic_cast<TDBGridColumnsGx*>(Collection)) g = cols->Grid();
    if (g) g->BeginLayout();
    try {
        FFont = std::make_unique<TFont>();
        FTitle = std::make_unique<TColumnTitleGx>(this);
        FFooter = TColumnFooterGx::CreateForColumn(this);
        FFooters = std::make_unique<TColumnFootersGx>(this);
        FSTFilter = std::make_unique<TSTColumnFilterGx>(this);
        AutoFitBaseWidth = DefaultWidth();
    } catch (...) {
        if (g) g->EndLayout();
        throw;
    }
    if (g) g->EndLayout();
}

TColumnGx::~TColumnGx() {
    if (TCustomDBGridGx* g = Grid()) g->SortMarkedColumns().Remove(this);
    FFooters.reset();
    FFooter.reset();
}

bool TColumnGx::HighlightRequired() const {
    if (Flagged(cvHighlightRequired)) return FHighlightRequired;
    TColumnDefValuesGx* d = DefsOf(this);
    return d ? d->HighlightRequired() : false;
}
void TColumnGx::SetHighlightRequired(bool Value) {
    if (Flagged(cvHighlightRequired) && FHighlightRequired == Value) return;
    FHighlightRequired = Value;
    Flag(cvHighlightRequired);
    Changed(false);
}

void TColumnGx::SetFooter(const TColumnFooterGx* Value) {
    if (Value) FFooter->Assign(Value);
}

void TColumnGx::SetFooters(const TColumnFootersGx* Value) {
    if (Value) FFooters->Assign(Value);
}

TColumnFooterGx* TColumnGx::FooterForRow(int Row) const {
    return Row >= 0 && Row < FFooters->Count() ? FFooters->Items(Row) : FFooter.get();
}

void TColumnGx::UpdateFooterSums() {
    FFooter->SyncAggregate();
    for (int i = 0; i < FFooters->Count(); ++i)
        FFooters->Items(i)->SyncAggregate();
}

TCustomDBGridGx* TColumnGx::Grid() const {
    auto* cols = dynamic_cast<TDBGridColumnsGx*>(Collection());
    return cols ? cols->Grid() : nullptr;
}

String TColumnGx::DisplayName() const { return FFieldName.empty() ? TCollectionItem::DisplayName() : FFieldName; }

void TColumnGx::SetIndex(int Value) {
    // A column the grid made stands where its field stands among the data set's fields: its
    // field first goes to the place of the field shown at the new index.
    TCustomDBGridGx* g = Grid();
    if (IsAutoColumn() && g && Value != Index() && g->DataLink()->Active() && Value >= 0 &&
        Value < g->DataLink()->FieldCount()) {
        TField* own = Field();
        TField* there = g->DataLink()->Fields(Value);
        if (own && there && own != there && own->DataSet() == there->DataSet()) own->SetIndex(there->Index());
    }
    TCollectionItem::SetIndex(Value);
}

void TColumnGx::SetFieldName(const String& Value) {
    TField* f = nullptr;
    TCustomDBGridGx* g = Grid();
    if (g && g->DataLink()->DataSet() && !g->ComponentState().Contains(csLoading) && !Value.empty())
        f = g->DataLink()->DataSet()->FindField(Value);
    FFieldName = Value;
    BindField(f);
    UpdateFooterSums();
    AutoFitBaseWidth = Width();
    Changed(false);
}

void TColumnGx::BindField(TField* F) {
    if (F == FField) return;
    FField = F;
    FFilterValueList.reset();
    if (F) FFieldName = F->FieldName();
    if (IsAutoColumn()) {
        if (!F) FFieldName.clear();
        ResetToDefaults();
        AutoFitBaseWidth = Width();
    }
    UpdateFooterSums();
    Changed(false);
}

TField* TColumnGx::Field() {
    TCustomDBGridGx* g = Grid();
    if (!FField && !FFieldName.empty() && g) {
        TDataSet* ds = g->DataLink()->DataSet();
        if (ds && ds->Active()) {
            TField* f = ds->FindField(FFieldName);
            if (f && f != FField) {
                FField = f;
                FFieldName = f->FieldName();
            }
        }
    }
    return FField;
}

// ---- own values ---------------------------------------------------------------------------------

TColor TColumnGx::DefaultColor() const {
    TCustomDBGridGx* g = Grid();
    return g ? g->Color() : clWindow;
}
TColor TColumnGx::Color() const { return Flagged(cvColor) ? FColor : DefaultColor(); }
void TColumnGx::SetColor(TColor Value) {
    if (Flagged(cvColor) && FColor == Value) return;
    FColor = Value;
    Flag(cvColor);
    Changed(false);
}

int TColumnGx::DefaultWidth() const {
    TCustomDBGridGx* g = Grid();
    if (!g) return 64;
    TField* f = const_cast<TColumnGx*>(this)->Field();
    if (!f) return g->DefColWidth();
    TFont* font = Font();
    int w0 = g->MeasureTextWidth(font, "0");
    int o = g->MeasureMetrics(font).tmOverhang;
    return (w0 - o) * f->DisplayWidth() + o + 4;
}
int TColumnGx::Width() const { return Flagged(cvWidth) ? FWidth : DefaultWidth(); }
void TColumnGx::SetWidth(int Value) {
    TCustomDBGridGx* g = Grid();
    if (IsAutoColumn() && g) {
        if (TField* f = Field()) {
            TFont* font = Font();
            TTextMetric tm = g->MeasureMetrics(font);
            int w0 = std::max(1, g->MeasureTextWidth(font, "0"));
            f->SetDisplayWidth((tm.tmAveCharWidth / 2 + Value - tm.tmOverhang - 3) / w0);
        }
        if (g->InLinkLayout() && !Flagged(cvWidth)) return;
    }
    if ((Flagged(cvWidth) || Value != DefaultWidth()) && Value != -1) {
        FWidth = Value;
        Flag(cvWidth);
        if (FMaxWidth > 0 && FWidth > FMaxWidth) FWidth = FMaxWidth;
        if (FMinWidth > FWidth) FWidth = FMinWidth;
    }
    Changed(false);
}

TFont* TColumnGx::Font() const {
    if (!Flagged(cvFont)) {
        TCustomDBGridGx* g = Grid();
        if (g && !(g->Font()->Name() == FFont->Name() && g->Font()->Height() == FFont->Height() &&
                   g->Font()->Color() == FFont->Color() && g->Font()->Style() == FFont->Style())) {
            TNotifyEvent saved = FFont->OnChange;
            FFont->OnChange = nullptr;
            FFont->Assign(*g->Font());
            FFont->OnChange = saved;
        }
    }
    return FFont.get();
}
void TColumnGx::SetFont(const TFont* Value) {
    FFont->Assign(*Value);
    Flag(cvFont);
    Changed(false);
}

TAlignment TColumnGx::DefaultAlignment() const {
    TField* f = const_cast<TColumnGx*>(this)->Field();
    return f ? f->Alignment() : taLeftJustify;
}
TAlignment TColumnGx::Alignment() const { return Flagged(cvAlignment) ? FAlignment : DefaultAlignment(); }
void TColumnGx::SetAlignment(TAlignment Value) {
    if (IsAutoColumn()) {
        TCustomDBGridGx* g = Grid();
        if (g && g->DataLink()->Active() && Field()) Field()->SetAlignment(Value);
        return;
    }
    if (Flagged(cvAlignment) && FAlignment == Value) return;
    FAlignment = Value;
    Flag(cvAlignment);
    Changed(false);
}

bool TColumnGx::DefaultReadOnly() const {
    TCustomDBGridGx* g = Grid();
    TField* f = const_cast<TColumnGx*>(this)->Field();
    return (g && g->ReadOnly()) || (f && f->ReadOnly());
}
bool TColumnGx::ReadOnly() const { return Flagged(cvReadOnly) ? FReadOnly : DefaultReadOnly(); }
void TColumnGx::SetReadOnly(bool Value) {
    TCustomDBGridGx* g = Grid();
    if (IsAutoColumn() && g && g->DataLink()->Active() && Field()) {
        Field()->SetReadOnly(Value);
        return;
    }
    if (Flagged(cvReadOnly) && FReadOnly == Value) return;
    FReadOnly = Value;
    Flag(cvReadOnly);
    Changed(false);
}

bool TColumnGx::DefaultCheckboxes() const {
    TField* f = const_cast<TColumnGx*>(this)->Field();
    return f && f->DataType() == ftBoolean;
}
bool TColumnGx::Checkboxes() const { return Flagged(cvCheckboxes) ? FCheckboxes : DefaultCheckboxes(); }
void TColumnGx::SetCheckboxes(bool Value) {
    if (Flagged(cvCheckboxes) && FCheckboxes == Value) return;
    FCheckboxes = Value;
    Flag(cvCheckboxes);
    Changed(false);
}

TBiDiMode TColumnGx::BiDiMode() const {
    if (Flagged(cvBiDiMode)) return FBiDiMode;
    const TCustomDBGridGx* g = Grid();
    return g ? ControlBiDiMode(g) : bdLeftToRight;
}
void TColumnGx::SetBiDiMode(TBiDiMode Value) {
    if (Flagged(cvBiDiMode) && FBiDiMode == Value) return;
    FBiDiMode = Value;
    Flag(cvBiDiMode);
    Changed(false);
}
bool TColumnGx::ReadsRightToLeft() const { return SysLocale().MiddleEast && BiDiMode() != bdLeftToRight; }
bool TColumnGx::AlignsRightToLeft() const { return SysLocale().MiddleEast && BiDiMode() == bdRightToLeft; }

bool TColumnGx::DefaultWordWrap() const {
    TField* f = Grid() ? const_cast<TColumnGx*>(this)->Field() : nullptr;
    if (!f) return false;
    TFieldType t = f->DataType();
    return t == ftString || t == ftMemo || t == ftFmtMemo || t == ftWideString;
}
bool TColumnGx::WordWrap() const { return Flagged(cvWordWrap) ? FWordWrap : DefaultWordWrap(); }
void TColumnGx::SetWordWrap(bool Value) {
    TCustomDBGridGx* g = Grid();
    bool loading = g && g->ComponentState().Contains(csLoading);
    if (Flagged(cvWordWrap) || Value != DefaultWordWrap() || loading) {
        FWordWrap = Value;
        Flag(cvWordWrap);
    }
    Changed(false);
}

bool TColumnGx::EndEllipsis() const {
    TColumnDefValuesGx* d = DefsOf(this);
    return Flagged(cvEndEllipsis) ? FEndEllipsis : d && d->EndEllipsis();
}
void TColumnGx::SetEndEllipsis(bool Value) {
    if (Flagged(cvEndEllipsis) && FEndEllipsis == Value) return;
    FEndEllipsis = Value;
    Flag(cvEndEllipsis);
    Changed(false);
}
bool TColumnGx::ToolTips() const {
    TColumnDefValuesGx* d = DefsOf(this);
    return Flagged(cvToolTips) ? FToolTips : d && d->ToolTips;
}
void TColumnGx::SetToolTips(bool Value) {
    if (Flagged(cvToolTips) && FToolTips == Value) return;
    FToolTips = Value;
    Flag(cvToolTips);
}
bool TColumnGx::AlwaysShowEditButton() const {
    TColumnDefValuesGx* d = DefsOf(this);
    return Flagged(cvAlwaysShowEditButton) ? FAlwaysShowEditButton : d && d->AlwaysShowEditButton();
}
void TColumnGx::SetAlwaysShowEditButton(bool Value) {
    if (Flagged(cvAlwaysShowEditButton) && FAlwaysShowEditButton == Value) return;
    FAlwaysShowEditButton = Value;
    Flag(cvAlwaysShowEditButton);
    Changed(false);
}
TTextLayout TColumnGx::Layout() const {
    TColumnDefValuesGx* d = DefsOf(this);
    return Flagged(cvLayout) ? FLayout : d ? d->Layout() : tlTop;
}
void TColumnGx::SetLayout(TTextLayout Value) {
    if (Flagged(cvLayout) && FLayout == Value) return;
    FLayout = Value;
    Flag(cvLayout);
    Changed(false);
}

// ---- plain values -------------------------------------------------------------------------------

void TColumnGx::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    Changed(true);
}
void TColumnGx::SetMinWidth(int Value) {
    FMinWidth = Value;
    if (Value > 0 && Width() < Value) SetWidth(Value);
}
void TColumnGx::SetMaxWidth(int Value) {
    FMaxWidth = Value;
    if (Value > 0 && Width() > Value) SetWidth(Value);
}
int TColumnGx::ClampWidth(int W) const {
    int r = FMaxWidth > 0 && W > FMaxWidth ? FMaxWidth : W;
    if (FMinWidth > 0 && W < FMinWidth) r = FMinWidth;
    return r;
}
void TColumnGx::SetAutoFitColWidth(bool Value) {
    if (FAutoFitColWidth == Value) return;
    FAutoFitColWidth = Value;
    TCustomDBGridGx* g = Grid();
    if (g && g->AutoFitColWidths() && !g->ComponentState().Contains(csLoading)) SetWidth(AutoFitBaseWidth);
    Changed(false);
}
void TColumnGx::SetButtonStyle(TColumnButtonStyleGx Value) {
    if (FButtonStyle == Value) return;
    FButtonStyle = Value;
    Changed(false);
}
void TColumnGx::SetHideDuplicates(bool Value) {
    if (FHideDuplicates == Value) return;
    FHideDuplicates = Value;
    Changed(false);
}
void TColumnGx::SetDisplayFormat(const String& Value) {
    if (FDisplayFormat == Value) return;
    FDisplayFormat = Value;
    Changed(false);
}
TStrings* TColumnGx::KeyList() {
    if (!FKeyList) FKeyList = std::make_unique<TStringList>();
    return FKeyList.get();
}
TStrings* TColumnGx::PickList() {
    if (!FPickList) FPickList = std::make_unique<TStringList>();
    return FPickList.get();
}
void TColumnGx::SetNotInKeyListIndex(int Value) {
    if (FNotInKeyListIndex == Value) return;
    FNotInKeyListIndex = Value;
    if (TCustomDBGridGx* g = Grid()) g->Invalidate();
}

void TColumnGx::ResetToDefaults() {
    bool fontOwn = Flagged(cvFont);
    FTitle->ResetToDefaults();
    FAssigned = 0;
    FPickList.reset();
    FButtonStyle = cbsAuto;
    Changed(fontOwn);
    FKeyList.reset();
}

void TColumnGx::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TColumnGx*>(Source);
    if (!s) return TCollectionItem::Assign(Source);
    TCollection* cols = Collection();
    if (cols) cols->BeginUpdate();
    try {
        ResetToDefaults();
        SetFieldName(s->FFieldName);
        if (s->Flagged(cvColor)) SetColor(s->FColor);
        if (s->Flagged(cvWidth)) SetWidth(s->FWidth);
        if (s->Flagged(cvFont)) SetFont(s->FFont.get());
        if (s->Flagged(cvAlignment)) SetAlignment(s->FAlignment);
        if (s->Flagged(cvReadOnly)) SetReadOnly(s->FReadOnly);
        FTitle->Assign(s->FTitle.get());
        DropDownRows = s->DropDownRows;
        SetButtonStyle(s->FButtonStyle);
        if (s->FPickList) PickList()->Assign(*s->FPickList);
        SetPopupMenu(s->FPopupMenu);
        AutoFitBaseWidth = s->AutoFitBaseWidth;
        SetAutoFitColWidth(s->FAutoFitColWidth);
        if (s->Flagged(cvWordWrap)) SetWordWrap(s->FWordWrap);
        FFooter->Assign(s->FFooter.get());
        if (s->FKeyList) KeyList()->Assign(*s->FKeyList);
        if (s->Flagged(cvCheckboxes)) SetCheckboxes(s->FCheckboxes);
        Increment = s->Increment;
        FFooters->Assign(s->FFooters.get());
        Tag = s->Tag;
        SetVisible(s->FVisible);
        SetImageList(s->FImageList);
        SetNotInKeyListIndex(s->FNotInKeyListIndex);
        SetMinWidth(s->FMinWidth);
        SetMaxWidth(s->FMaxWidth);
        OnGetCellParams = s->OnGetCellParams;
        OnUpdateData = s->OnUpdateData;
        SetDisplayFormat(s->FDisplayFormat);
        SetShowImageAndText(s->FShowImageAndText);
        SetHideDuplicates(s->FHideDuplicates);
        if (s->Flagged(cvLayout)) SetLayout(s->FLayout);
        AssignEditorSettings(s);
    } catch (...) {
        if (cols) cols->EndUpdate();
        throw;
    }
    if (cols) cols->EndUpdate();
}

// ---- lists and collection -----------------------------------------------------------------------

void TColumnsGxList::Remove(TColumnGx* Column) {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Column), FItems.end());
}
int TColumnsGxList::IndexOf(const TColumnGx* Column) const {
    auto it = std::find(FItems.begin(), FItems.end(), Column);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

ORV_META_IMPL(TDBGridColumnsGx)
void TDBGridColumnsGx::DeclareMeta(meta::Class<TDBGridColumnsGx>&) {}

TDBGridColumnsGx::TDBGridColumnsGx(TCustomDBGridGx* Grid)
    : TCollection(TDBGridColumnGx::StaticClassInfo(), Grid), FGrid(Grid) {}
TDBGridColumnsGx::TDBGridColumnsGx(TCustomDBGridGx* Grid, const meta::TClassInfo& ItemClass)
    : TCollection(ItemClass, Grid), FGrid(Grid) {}

TColumnGx* TDBGridColumnsGx::AddColumn() { return static_cast<TColumnGx*>(Add()); }
TColumnGx* TDBGridColumnsGx::AddAutoColumn() {
    TColumnGx* c = AddColumn();
    c->SetUserDefined(false);
    return c;
}
void TDBGridColumnsGx::ResetFieldBindings() {
    for (int i = 0; i < Count(); ++i) ColumnAt(i)->ForgetField();
}

String TDBGridColumnsGx::ColumnsIndex() const {
    String out;
    for (int i = 0; i < Count(); ++i) {
        if (i) out += ",";
        out += "\"" + ColumnAt(i)->FieldName() + "\"";
    }
    return out;
}
void TDBGridColumnsGx::SetColumnsIndex(const String& Value) {
    TStringList names;
    names.SetCommaText(Value);
    BeginUpdate();
    try {
        for (int i = 0; i < names.Count() && i < Count(); ++i)
            for (int j = 0; j < Count(); ++j)
                if (ColumnAt(j)->FieldName() == names.Strings(i)) {
                    ColumnAt(j)->SetIndex(i);
                    break;
                }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TDBGridColumnsGx::Update(TCollectionItem* Item) {
    if (!FGrid || FGrid->ComponentState().Contains(csLoading)) return;
    FGrid->ColumnsUpdated(static_cast<TColumnGx*>(Item));
}
