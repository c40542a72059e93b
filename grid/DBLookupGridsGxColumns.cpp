// The lookup grid's columns: the special-row cell of each column, moves that carry the special
// row's texts and the list field order along, widths that stay with a column the grid made, and
// the column defaults the lookup grid publishes.
#include "grid/DBLookupGridsGx.h"

#include "classes/MetaBuilder.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

namespace {

// One cell of a special row's text: quoted when it holds the separator or a quote.
String QuotedCell(const String& Text) {
    if (Text.find(';') == String::npos && Text.find('"') == String::npos) return Text;
    String out = "\"";
    for (char c : Text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

String JoinedCells(const std::vector<String>& Cells) {
    String out;
    for (size_t i = 0; i < Cells.size(); ++i) {
        if (i) out += ";";
        out += QuotedCell(Cells[i]);
    }
    return out;
}

} // namespace

// ---- special-row cell ----------------------------------------------------------------------------

ORV_META_IMPL(TGridColumnSpecCellGx)
void TGridColumnSpecCellGx::DeclareMeta(meta::Class<TGridColumnSpecCellGx>& c) {
    using T = TGridColumnSpecCellGx;
    c.Property("Color", &T::Color, &T::SetColor).TypeName("TColor").Stored(&T::ColorAssigned);
    c.Property("Font", &T::Font, &T::SetFont).Stored(&T::FontAssigned);
    c.Property("Text", &T::Text, &T::SetText).Stored(&T::TextAssigned);
}

TGridColumnSpecCellGx::TGridColumnSpecCellGx(TDBLookupGridColumnGx* Column) : FColumn(Column) {
    FFont.OnChange = [this](TObject*) {
        if (FCopyingDefaultFont) return;
        FFontAssigned = true;
        Changed();
    };
}

TPersistent* TGridColumnSpecCellGx::GetOwner() const { return FColumn; }

TSpecRowGx* TGridColumnSpecCellGx::GridSpecRow() const {
    TDBLookupGridGx* grid = FColumn ? FColumn->LookupGrid() : nullptr;
    return grid ? grid->SpecRow() : nullptr;
}

void TGridColumnSpecCellGx::Changed() {
    if (TDBLookupGridGx* grid = FColumn ? FColumn->LookupGrid() : nullptr) grid->Invalidate();
}

String TGridColumnSpecCellGx::Text() const {
    if (FTextAssigned) return FText;
    TSpecRowGx* row = GridSpecRow();
    return row && FColumn ? row->CellText(FColumn->Index()) : String();
}

void TGridColumnSpecCellGx::SetText(const String& Value) {
    if (FTextAssigned && Value == FText) return;
    FText = Value;
    FTextAssigned = true;
    Changed();
}

TColor TGridColumnSpecCellGx::Color() const {
    if (FColorAssigned) return FColor;
    TSpecRowGx* row = GridSpecRow();
    return row ? row->Color() : clWindow;
}

void TGridColumnSpecCellGx::SetColor(TColor Value) {
    if (FColorAssigned && Value == FColor) return;
    FColor = Value;
    FColorAssigned = true;
    Changed();
}

TFont* TGridColumnSpecCellGx::Font() {
    if (!FFontAssigned) {
        TSpecRowGx* row = GridSpecRow();
        TFont* fallback = row ? row->Font() : nullptr;
        if (fallback && !fallback->SameAs(FFont)) {
            FCopyingDefaultFont = true;
            FFont.Assign(*fallback);
            FCopyingDefaultFont = false;
        }
    }
    return &FFont;
}

void TGridColumnSpecCellGx::SetFont(TFont* Value) {
    if (!Value) return;
    FFont.Assign(*Value);
    if (!FFontAssigned) { // an equal font sends no change notice, but it was set all the same
        FFontAssigned = true;
        Changed();
    }
}

void TGridColumnSpecCellGx::Assign(const TPersistent* Source) {
    auto* src = dynamic_cast<const TGridColumnSpecCellGx*>(Source);
    if (!src) return TPersistent::Assign(Source);
    if (src->FTextAssigned) SetText(src->FText);
    if (src->FColorAssigned) SetColor(src->FColor);
    if (src->FFontAssigned) SetFont(const_cast<TFont*>(&src->FFont));
}

// ---- column ------------------------------------------------------------------------------------------

ORV_META_IMPL(TDBLookupGridColumnGx)
void TDBLookupGridColumnGx::DeclareMeta(meta::Class<TDBLookupGridColumnGx>& c) {
    using T = TDBLookupGridColumnGx;
    c.Property("Alignment", &T::Alignment, &T::SetAlignment).Stored(&T::IsAlignmentStored);
    c.Property("AutoFitColWidth", &T::AutoFitColWidth, &T::SetAutoFitColWidth).Default(true);
    c.Property("Color", &T::Color, &T::SetColor).TypeName("TColor").Stored(&T::IsColorStored);
    c.Property("DisplayFormat", &T::DisplayFormat, &T::SetDisplayFormat);
    c.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Stored([](T& t) {
        return t.Flagged(cvEndEllipsis);
    });
    c.Property("FieldName", &T::FieldName, &T::SetFieldName);
    c.Property("MaxWidth", &T::MaxWidth, &T::SetMaxWidth).Default(0);
    c.Property("MinWidth", &T::MinWidth, &T::SetMinWidth).Default(0);
    c.Property("SpecCell", &T::SpecCell, &T::SetSpecCell);
    c.Property("Tag", &T::Tag, &T::Tag).Default(0);
    c.Property("ToolTips", &T::ToolTips, &T::SetToolTips).Stored([](T& t) { return t.Flagged(cvToolTips); });
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
    c.Property("Width", &T::Width, &T::SetWidth).Stored(&T::IsWidthStored);
    c.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Stored(&T::IsWordWrapStored);
}

TDBLookupGridColumnGx::TDBLookupGridColumnGx(TCollection* Collection)
    : TColumnGx(Collection), FSpecCell(std::make_unique<TGridColumnSpecCellGx>(this)) {}

TDBLookupGridGx* TDBLookupGridColumnGx::LookupGrid() const { return dynamic_cast<TDBLookupGridGx*>(Grid()); }

void TDBLookupGridColumnGx::SetIndex(int Value) {
    TDBLookupGridGx* grid = LookupGrid();
    const int old = Index();
    // The layout orders the grid's own columns itself; only other moves carry texts along.
    if (Value == old || !grid || grid->LayoutLock() != 0 || !grid->DataLink()->Active()) {
        TColumnGx::SetIndex(Value);
        return;
    }
    TSpecRowGx* special = grid->SpecRow();
    std::vector<String> cells;
    for (int i = 0; i < special->CellTexts()->Count(); ++i) cells.push_back(special->CellText(i));
    const String moved = special->CellText(old);
    if (old < static_cast<int>(cells.size())) cells.erase(cells.begin() + old);
    if (Value > static_cast<int>(cells.size())) cells.resize(static_cast<size_t>(Value));
    cells.insert(cells.begin() + std::max(0, Value), moved);
    special->SetCellsText(JoinedCells(cells));
    if (!IsAutoColumn()) {
        TColumnGx::SetIndex(Value);
        return;
    }
    {
        // The list field order follows, so the next layout keeps the columns where they are.
        TUpdateGuard<TDBLookupGridGx> update(*grid);
        int listIndex = grid->ListFieldIndex();
        if (listIndex == old) {
            listIndex = Value;
        } else {
            if (listIndex > old) --listIndex;
            if (listIndex >= Value) ++listIndex;
        }
        TColumnGx::SetIndex(Value);
        String names;
        TDBGridColumnsGx* columns = grid->Columns();
        for (int i = 0; i < columns->Count(); ++i) {
            if (i) names += ";";
            names += columns->ColumnAt(i)->FieldName();
        }
        grid->FListFieldIndex = listIndex;
        grid->SetListField(names);
    }
    grid->RequestLayout();
}

void TDBLookupGridColumnGx::SetWidth(int Value) {
    TDBLookupGridGx* grid = LookupGrid();
    if (!grid || !IsAutoColumn()) {
        TColumnGx::SetWidth(Value);
        return;
    }
    // As for a column of one's own: the width stays with the column, the field's display
    // width is left alone.
    {
        TUpdateGuard<TDBLookupGridGx> update(*grid);
        SetUserDefined(true);
        const TScopeExit automatic([this] { SetUserDefined(false); });
        TColumnGx::SetWidth(Value);
    }
    grid->RequestLayout();
}

void TDBLookupGridColumnGx::Assign(const TPersistent* Source) {
    TColumnGx::Assign(Source);
    if (auto* src = dynamic_cast<const TDBLookupGridColumnGx*>(Source)) FSpecCell->Assign(src->FSpecCell.get());
}

// ---- column defaults -------------------------------------------------------------------------------

ORV_META_IMPL(TDBLookupGridColumnDefValuesGx)
void TDBLookupGridColumnDefValuesGx::DeclareMeta(meta::Class<TDBLookupGridColumnDefValuesGx>& c) {
    using T = TDBLookupGridColumnDefValuesGx;
    c.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Default(false);
    c.Property("Title", &T::Title);
    c.Property("ToolTips", &T::ToolTips, &T::ToolTips).Default(false);
}
