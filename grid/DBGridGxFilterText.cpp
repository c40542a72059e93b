// Operator maps, the expression type of each field type, and the texts written back from parsed
// filter expressions. Every written text reads back as the same expression.
#include "grid/DBGridGxFilter.h"

#include "grid/GxLibConsts.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <cmath>

const char* const FilterOperatorDisplayText[16] = {"",   "=",  "<>",  ">",    "<",    ">=",  "<=", "~",
                                                   "!~", "In", "!In", "Null", "Null", "AND", "OR", ""};
const char* const FilterOperatorSqlText[16] = {
    "",         "=",  "<>",     ">",       "<",           ">=",  "<=", "LIKE",
    "NOT LIKE", "IN", "NOT IN", "IS NULL", "IS NOT NULL", "AND", "OR", ""};

TSTExpressionTypeGx FilterExpressionTypeOf(TFieldType DataType) {
    switch (DataType) {
    case ftString:
    case ftMemo:
    case ftFmtMemo:
    case ftFixedChar:
    case ftWideString:
    case ftGuid:
        return stetString;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftAutoInc:
    case ftLargeint:
    case ftFMTBcd:
        return stetNumber;
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
        return stetDateTime;
    case ftBoolean:
        return stetBoolean;
    default:
        return stetUnknown;
    }
}

namespace {

String Quoted(const String& S) {
    return "'" + ReplaceStr(S, "'", "''") + "'";
}

// Each element of an array, or the single value.
template <class F> void ForEachElement(const Variant& Value, F Each) {
    if (!VarIsArray(Value)) {
        Each(Value);
        return;
    }
    for (int i = VarArrayLowBound(Value, 1); i <= VarArrayHighBound(Value, 1); ++i)
        Each(VarArrayGet(Value, {i}));
}

} // namespace

String VariantListToQuotedText(const Variant& Value) {
    if (!VarIsArray(Value)) return VarToStr(Value);
    String s;
    ForEachElement(Value, [&](const Variant& V) { s += (s.empty() ? "" : ",") + Quoted(VarToStr(V)); });
    return s;
}

String FilterValueText(const Variant& Value) {
    TVarType t = VarType(Value);
    if (t == varDouble) return FloatToStr(Value.AsDouble());
    if (t == varDate) {
        // The time stays: «> 12:30» on a time column must not come back as a date.
        double d = VarToDateTime(Value), day = std::trunc(d);
        const TFormatSettings& fs = FormatSettings();
        if (d == day) return FormatDateTime(fs.ShortDateFormat, d);
        if (day == 0) return FormatDateTime(fs.LongTimeFormat, d);
        return FormatDateTime(fs.ShortDateFormat + " " + fs.LongTimeFormat, d);
    }
    return Quoted(VarToStr(Value));
}

void FilterConditionText(TSTFilterOpGx Op, const Variant& Operand, String& Text) {
    switch (Op) {
    case stoIsNull:
        Text += String(FilterOperatorDisplayText[stoEqual]) + GxLibText(SNullGx);
        return;
    case stoIsNotNull:
        Text += String(FilterOperatorDisplayText[stoNotEqual]) + GxLibText(SNullGx);
        return;
    case stoIn:
    case stoNotIn: {
        String items;
        ForEachElement(Operand, [&](const Variant& V) {
            String item = FilterValueText(V);
            // A number written with a decimal comma would read back as two items.
            if (item.find(',') != String::npos && item.front() != '\'') item = Quoted(item);
            items += item + ",";
        });
        if (!items.empty()) items.pop_back();
        Text += String(FilterOperatorDisplayText[Op]) + " (" + items + ")";
        return;
    }
    default:
        Text += String(FilterOperatorDisplayText[Op]) + " " + FilterValueText(Operand);
        return;
    }
}
