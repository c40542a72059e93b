// Footer rows of the data grid: per column and footer row a description of what the cell shows (a
// running sum, average or count kept by the grid's sum list, a field of the current record, or a
// fixed text), and the grid's sum list, which registers one aggregate per summing footer.
#pragma once

#include "classes/Alignment.h"
#include "classes/Collection.h"
#include "grid/DBSumLst.h"
#include "gui/Graphics.h"
#include "rtl/Variant.h"

#include <memory>

class TColumnGx;
class TCustomDBGridGx;
class TField;

enum TFooterValueType : uint8_t { fvtNon, fvtSum, fvtAvg, fvtCount, fvtFieldValue, fvtStaticText };
ORV_ENUM(TFooterValueType, fvtNon, fvtSum, fvtAvg, fvtCount, fvtFieldValue, fvtStaticText)

// Bits of the assigned-values set of a footer.
enum : uint8_t { favAlignmentGx = 1, favFontGx = 2, favColorGx = 4, favToolTipsGx = 8 };

class TColumnFooterGx : public TCollectionItem {
    ORV_META(TColumnFooterGx, TCollectionItem)
    // An item of a column's Footers.
    explicit TColumnFooterGx(TCollection* Collection);
    // A column's single Footer (in no collection).
    static std::unique_ptr<TColumnFooterGx> CreateForColumn(TColumnGx* Column);
    ~TColumnFooterGx() override;

    TColumnGx* Column() const { return FColumn; }
    uint8_t AssignedValues() const { return FAssigned; }

    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    TAlignment DefaultAlignment() const;
    TColor Color() const;
    void SetColor(TColor Value);
    TColor DefaultColor() const;
    bool ToolTips() const;
    void SetToolTips(bool Value);
    bool DefaultToolTips() const;
    // The own font when assigned, else kept equal to the default (the grid's FooterFont).
    TFont* Font();
    void SetFont(const TFont* Value);
    TFont* DefaultFont() const;
    const String& DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const String& Value);
    bool EndEllipsis() const { return FEndEllipsis; }
    void SetEndEllipsis(bool Value);
    const String& FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);
    const String& Value() const { return FValue; }
    void SetValue(const String& Value);
    TFooterValueType ValueType() const { return FValueType; }
    void SetValueType(TFooterValueType Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

    // The aggregate this footer registered in the grid's sum list (owned by the footer).
    TDBSum* Aggregate() const { return FAggregate; }
    // Null without an aggregate, else its value as currency.
    Variant AggregateValue() const;
    // Registers, updates or frees the aggregate for the value type and field.
    void SyncAggregate();
    // Forgets the aggregate without freeing it (its collection already let it go).
    void ForgetAggregate() { FAggregate = nullptr; }
    virtual void ResetToDefaults();
    void Assign(const TPersistent* Source) override;

private:
    TColumnFooterGx(TCollection* Collection, TColumnGx* Column);
    void Init();
    void ColumnChanged(bool AllItems);
    void CopyDefaultFont();
    void FontChanged();
    void FreeAggregate();
    TColumnGx* FColumn = nullptr;
    TAlignment FAlignment = taLeftJustify;
    uint8_t FAssigned = 0;
    TColor FColor = clWindow;
    String FDisplayFormat;
    bool FEndEllipsis = false;
    String FFieldName;
    std::unique_ptr<TFont> FFont;
    bool FToolTips = false;
    String FValue;
    TFooterValueType FValueType = fvtNon;
    bool FWordWrap = false;
    TDBSum* FAggregate = nullptr;
};

class TColumnFootersGx : public TCollection {
    ORV_META(TColumnFootersGx, TCollection)
    explicit TColumnFootersGx(TColumnGx* Column = nullptr);
    TColumnFooterGx* Items(int Index) const { return static_cast<TColumnFooterGx*>(TCollection::Items(Index)); }
    TColumnFooterGx* Add() { return static_cast<TColumnFooterGx*>(TCollection::Add()); }
    TColumnGx* Column() const { return FColumn; }

private:
    TColumnGx* FColumn;
};

// The grid's sum list, created inactive; the form sets Active.
class TDBGridGxSumList : public TDBSumListProducer {
    ORV_META(TDBGridGxSumList, TDBSumListProducer)
    explicit TDBGridGxSumList(TComponent* Owner = nullptr);
};

// The text of a summed or averaged amount as a footer shows it: the footer's own format, else the
// field's display format, else the field's kind (money in currency style). The screen, the
// export and the printed page all write their footer totals through it.
String FooterAggregateText(TField* Field, const String& FooterFormat, Currency Value);
// A record count: the footer's own format, else plain.
String FooterCountText(const String& FooterFormat, Currency Count);
