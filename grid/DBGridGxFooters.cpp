#include "grid/DBGridGxFooters.h"

#include "classes/MetaBuilder.h"
#include "grid/DBGridGx.h"
#include "rtl/ScopeGuards.h"

// ---- footer -------------------------------------------------------------------------------------

ORV_META_IMPL(TColumnFooterGx)
void TColumnFooterGx::DeclareMeta(meta::Class<TColumnFooterGx>& c) {
    using T = TColumnFooterGx;
    c.Property("Alignment", &T::Alignment, &T::SetAlignment).Stored([](T& t) {
        return (t.FAssigned & favAlignmentGx) && t.FAlignment != t.DefaultAlignment();
    });
    c.Property("Color", &T::Color, &T::SetColor).TypeName("TColor").Stored([](T& t) {
        return (t.FAssigned & favColorGx) && t.FColor != t.DefaultColor();
    });
    c.Property("DisplayFormat", &T::DisplayFormat, &T::SetDisplayFormat);
    c.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Default(false);
    c.Property("FieldName", &T::FieldName, &T::SetFieldName);
    c.Property("Font", &T::Font, &T::SetFont).Stored([](T& t) { return (t.FAssigned & favFontGx) != 0; });
    c.Property("ToolTips", &T::ToolTips, &T::SetToolTips).Stored([](T& t) {
        return (t.FAssigned & favToolTipsGx) && t.FToolTips;
    });
    c.Property("Value", &T::Value, &T::SetValue);
    c.Property("ValueType", &T::ValueType, &T::SetValueType).Default(fvtNon);
    c.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false);
}

TColumnFooterGx::TColumnFooterGx(TCollection* Collection) : TCollectionItem(Collection) {
    if (auto* footers = dynamic_cast<TColumnFootersGx*>(Collection)) FColumn = footers->Column();
    Init();
    if (FColumn && FColumn->Grid()) FColumn->Grid()->RepaintFooterRows();
}

TColumnFooterGx::TColumnFooterGx(TCollection* Collection, TColumnGx* Column) : TCollectionItem(Collection) {
    FColumn = Column;
    Init();
}

std::unique_ptr<TColumnFooterGx> TColumnFooterGx::CreateForColumn(TColumnGx* Column) {
    return std::unique_ptr<TColumnFooterGx>(new TColumnFooterGx(nullptr, Column));
}

void TColumnFooterGx::Init() {
    FFont = std::make_unique<TFont>();
    CopyDefaultFont();
    FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TColumnFooterGx::~TColumnFooterGx() {
    if (FColumn && FColumn->Grid() && !FColumn->Grid()->ComponentState().Contains(csDestroying))
        FColumn->Grid()->RepaintFooterRows();
    FreeAggregate();
}

void TColumnFooterGx::FreeAggregate() {
    TDBSum* s = FAggregate;
    FAggregate = nullptr;
    delete s; // leaves the sum collection
}

void TColumnFooterGx::ColumnChanged(bool AllItems) {
    if (FColumn) FColumn->Changed(AllItems);
}

TAlignment TColumnFooterGx::DefaultAlignment() const {
    TField* f = FColumn ? FColumn->Field() : nullptr;
    return f ? f->Alignment() : taLeftJustify;
}
TAlignment TColumnFooterGx::Alignment() const { return (FAssigned & favAlignmentGx) ? FAlignment : DefaultAlignment(); }
void TColumnFooterGx::SetAlignment(TAlignment Value) {
    if ((FAssigned & favAlignmentGx) && FAlignment == Value) return;
    FAlignment = Value;
    FAssigned |= favAlignmentGx;
    ColumnChanged(false);
}

TColor TColumnFooterGx::DefaultColor() const {
    TCustomDBGridGx* g = FColumn ? FColumn->Grid() : nullptr;
    return g ? g->FooterColor() : clWindow;
}
TColor TColumnFooterGx::Color() const { return (FAssigned & favColorGx) ? FColor : DefaultColor(); }
void TColumnFooterGx::SetColor(TColor Value) {
    if ((FAssigned & favColorGx) && FColor == Value) return;
    FColor = Value;
    FAssigned |= favColorGx;
    ColumnChanged(false);
}

bool TColumnFooterGx::DefaultToolTips() const {
    TCustomDBGridGx* g = FColumn ? FColumn->Grid() : nullptr;
    return g ? g->ColumnDefValues()->Footer()->ToolTips : false;
}
bool TColumnFooterGx::ToolTips() const { return (FAssigned & favToolTipsGx) ? FToolTips : DefaultToolTips(); }
void TColumnFooterGx::SetToolTips(bool Value) {
    if ((FAssigned & favToolTipsGx) && FToolTips == Value) return;
    FToolTips = Value;
    FAssigned |= favToolTipsGx;
}

TFont* TColumnFooterGx::DefaultFont() const {
    if (!FColumn) return nullptr;
    TCustomDBGridGx* g = FColumn->Grid();
    return g ? g->FooterFont() : FColumn->Font();
}

TFont* TColumnFooterGx::Font() {
    if (FAssigned & favFontGx) return FFont.get();
    TFont* d = DefaultFont();
    if (!d || FFont->SameAs(*d)) return FFont.get();
    CopyDefaultFont();
    return FFont.get();
}

void TColumnFooterGx::SetFont(const TFont* Value) {
    if (Value) FFont->Assign(*Value);
}

void TColumnFooterGx::CopyDefaultFont() {
    if (FAssigned & favFontGx) return;
    TFont* d = DefaultFont();
    if (!d) return;
    TNotifyEvent handler = std::move(FFont->OnChange);
    FFont->OnChange = nullptr;
    try {
        FFont->Assign(*d);
    } catch (...) {
        FFont->OnChange = std::move(handler);
        throw;
    }
    FFont->OnChange = std::move(handler);
}

void TColumnFooterGx::FontChanged() {
    FAssigned |= favFontGx;
    ColumnChanged(true);
}

void TColumnFooterGx::SetDisplayFormat(const String& Value) {
    if (Value == FDisplayFormat) return;
    FDisplayFormat = Value;
    ColumnChanged(false);
}
void TColumnFooterGx::SetEndEllipsis(bool Value) {
    FEndEllipsis = Value;
    ColumnChanged(false);
}
void TColumnFooterGx::SetWordWrap(bool Value) {
    FWordWrap = Value;
    ColumnChanged(false);
}
void TColumnFooterGx::SetValue(const String& Value) {
    FValue = Value;
    ColumnChanged(false);
}
void TColumnFooterGx::SetFieldName(const String& Value) {
    FFieldName = Value;
    if (FColumn) FColumn->UpdateFooterSums();
    ColumnChanged(false);
}
void TColumnFooterGx::SetValueType(TFooterValueType Value) {
    if (Value == FValueType) return;
    FValueType = Value;
    if (FColumn) FColumn->UpdateFooterSums();
    ColumnChanged(false);
}

Variant TColumnFooterGx::AggregateValue() const {
    if (!FAggregate) return Null();
    return Variant(FAggregate->SumAmount);
}

void TColumnFooterGx::SyncAggregate() {
    TCustomDBGridGx* g = FColumn ? FColumn->Grid() : nullptr;
    if (!g) return;
    auto configure = [&] {
        switch (FValueType) {
        case fvtSum:
        case fvtAvg:
            FAggregate->SetGroupOperation(FValueType == fvtSum ? goSum : goAvg);
            FAggregate->SetFieldName(FFieldName.empty() ? FColumn->FieldName() : FFieldName);
            break;
        default:
            FAggregate->SetGroupOperation(goCount);
            FAggregate->SetFieldName(String());
            break;
        }
    };
    const bool aggregating = FValueType == fvtSum || FValueType == fvtAvg || FValueType == fvtCount;
    if (FAggregate) {
        if (aggregating)
            configure();
        else
            FreeAggregate();
        return;
    }
    if (!aggregating) return;
    TDBSumCollection* sums = g->SumList()->SumCollection();
    TUpdateGuard<TDBSumCollection> update(*sums);
    FAggregate = sums->Add();
    configure();
}

void TColumnFooterGx::ResetToDefaults() {
    const bool fontAssigned = FAssigned & favFontGx;
    FAssigned = 0;
    CopyDefaultFont();
    ColumnChanged(fontAssigned);
}

void TColumnFooterGx::Assign(const TPersistent* Source) {
    auto* f = dynamic_cast<const TColumnFooterGx*>(Source);
    if (!f) {
        TCollectionItem::Assign(Source);
        return;
    }
    if (f->FAssigned & favAlignmentGx) SetAlignment(f->FAlignment);
    if (f->FAssigned & favColorGx) SetColor(f->FColor);
    if (f->FAssigned & favFontGx) SetFont(f->FFont.get());
    SetEndEllipsis(f->FEndEllipsis);
    SetValueType(f->FValueType);
    SetFieldName(f->FFieldName);
    SetValue(f->FValue);
    SetWordWrap(f->FWordWrap);
    SetDisplayFormat(f->FDisplayFormat);
    SetToolTips(f->ToolTips());
}

// ---- footers ------------------------------------------------------------------------------------

ORV_META_IMPL(TColumnFootersGx)
void TColumnFootersGx::DeclareMeta(meta::Class<TColumnFootersGx>&) {}

TColumnFootersGx::TColumnFootersGx(TColumnGx* Column)
    : TCollection(TColumnFooterGx::StaticClassInfo(), reinterpret_cast<TPersistent*>(Column)), FColumn(Column) {}

// ---- sum list -----------------------------------------------------------------------------------

ORV_META_IMPL(TDBGridGxSumList)
void TDBGridGxSumList::DeclareMeta(meta::Class<TDBGridGxSumList>&) {}

TDBGridGxSumList::TDBGridGxSumList(TComponent* Owner) : TDBSumListProducer(Owner) { SetActive(false); }

// ---- the grid's footers -------------------------------------------------------------------------

#include "db/DataSet.h"
#include "rtl/Format.h"

#include <cmath>

void TCustomDBGridGx::RepaintFooterRows() {
    const int total = TotalRowsCount();
    for (int r = total - 1; r >= total - FFooterRowCount && r >= 0; --r)
        InvalidateOneRow(r);
}

void TCustomDBGridGx::InstallSumListEvents() {
    FSumList->SumListChanged = [this](TObject*) { RepaintFooterRows(); };
    FSumList->OnRecalcAll = [this](TObject*) {
        if (OnSumListRecalcAll) OnSumListRecalcAll(FSumList.get());
    };
    FSumList->OnAfterRecalcAll = [this](TObject*) {
        if (OnSumListAfterRecalcAll) OnSumListAfterRecalcAll(FSumList.get());
    };
}

void TCustomDBGridGx::SetSumList(const TDBSumListProducer* Value) {
    // The copy replaces the items the footers registered: they forget them and register anew.
    for (int i = 0; i < FColumns->Count(); ++i) {
        TColumnGx* col = FColumns->ColumnAt(i);
        col->Footer()->ForgetAggregate();
        for (int k = 0; k < col->Footers()->Count(); ++k)
            col->Footers()->Items(k)->ForgetAggregate();
    }
    FSumList->Assign(Value);
    // The copy brings the other list's data set and handlers; this grid's list keeps its own.
    FSumList->SetDataSet(DataSource() ? DataSource()->DataSet() : nullptr);
    InstallSumListEvents();
    for (int i = 0; i < FColumns->Count(); ++i)
        FColumns->ColumnAt(i)->UpdateFooterSums();
}

String FooterAggregateText(TField* F, const String& own, Currency V) {
    switch (F->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint: {
        if (!own.empty()) return FormatFloat(own, V.ToDouble());
        auto* n = dynamic_cast<TNumericField*>(F);
        if (n && !n->DisplayFormat().empty()) return FormatFloat(n->DisplayFormat(), V.ToDouble());
        return IntToStr(static_cast<Int64>(std::nearbyintl(V.ToDouble())));
    }
    case ftFloat:
    case ftCurrency: {
        if (!own.empty()) return FormatFloat(own, V.ToDouble());
        auto* fl = dynamic_cast<TFloatField*>(F);
        if (fl && !fl->DisplayFormat().empty()) return FormatFloat(fl->DisplayFormat(), V.ToDouble());
        const int precision = fl ? fl->Precision() : 15;
        if (fl && fl->Currency())
            return FloatToStrF(V.ToDouble(), TFloatFormat::ffCurrency, precision, FormatSettings().CurrencyDecimals);
        return FloatToStrF(V.ToDouble(), TFloatFormat::ffGeneral, precision, 0);
    }
    case ftBCD:
    case ftFMTBcd: {
        if (!own.empty()) return FormatFloat(own, V.ToDouble());
        auto* b = dynamic_cast<TBCDField*>(F);
        if (b && !b->DisplayFormat().empty()) return FormatCurr(b->DisplayFormat(), V);
        if (b && b->Currency()) return CurrToStrF(V, TFloatFormat::ffCurrency, FormatSettings().CurrencyDecimals);
        return CurrToStrF(V, TFloatFormat::ffGeneral, 0);
    }
    default:
        return "0";
    }
}

String FooterCountText(const String& FooterFormat, Currency Count) {
    const long double c = Count.ToDouble();
    return FooterFormat.empty() ? FloatToStr(c) : FormatFloat(FooterFormat, c);
}

String TCustomDBGridGx::FooterValueText(int FooterRow, TColumnGx* Column) {
    TColumnFooterGx* f = Column->FooterForRow(FooterRow);
    TDataSet* ds = FDataLink->DataSet();
    switch (f->ValueType()) {
    case fvtSum:
    case fvtAvg: {
        if (!ds) return "0";
        TField* field = ds->FindField(f->FieldName().empty() ? Column->FieldName() : f->FieldName());
        if (!field) return "0";
        // An aggregate that is not registered (yet) shows a plain 0 rather than reading nothing.
        TDBSum* s = FSumList->SumCollection()->FindSum(f->ValueType() == fvtSum ? goSum : goAvg, field->FieldName());
        return s ? FooterAggregateText(field, f->DisplayFormat(), s->SumAmount) : String("0");
    }
    case fvtCount: {
        TDBSum* s = FSumList->SumCollection()->FindSum(goCount, String());
        if (!s) return "0";
        // The record count, an amount like a sum.
        return FooterCountText(f->DisplayFormat(), s->SumAmount);
    }
    case fvtFieldValue: {
        if (!ds || !ds->Active() || f->FieldName().empty()) return String();
        // Built while painting: a field the data set lacks shows nothing instead of failing every
        // repaint.
        TField* field = ds->FindField(f->FieldName());
        return field ? TColumnGx::FormatFieldText(field, f->DisplayFormat()) : String();
    }
    case fvtStaticText:
        return f->Value();
    default:
        return String();
    }
}
