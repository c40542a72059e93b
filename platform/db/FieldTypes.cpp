// The field classes: conversions into each class's value type and their texts.
#include "db/DataSet.h"
#include "db/DateStorage.h"
#include "db/Field.h"
#include "rtl/Format.h"
#include "rtl/ShortestDecimal.h"
#include "rtl/StrUtils.h"
#include "rtl/Streams.h"

#include <cmath>
#include <limits>

namespace {
[[noreturn]] void ConvertError(const String& text, const char* what) {
    throw EConvertError("'" + text + "' is not a valid " + what);
}

bool IsBlankText(const Variant& v) {
    return VarIsStr(v) && Trim(VarToStr(v)).empty();
}
} // namespace

// ---- text ----------------------------------------------------------------------------------------

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
    FDataType = ftString;
    FSize = 20;
}

Variant TStringField::ConvertValue(const Variant& Value) const {
    if (VarType(Value) == varDate) return DateTimeToStr(Value.AsDateTime());
    if (VarType(Value) == varBoolean) return String(Value.AsBoolean() ? "T" : "F");
    if (VarIsNumeric(Value) && !VarIsOrdinal(Value)) return FloatToStr(Value.AsDouble());
    return VarToStr(Value);
}

TWideStringField::TWideStringField(TComponent* AOwner) : TStringField(AOwner) {
    FDataType = ftWideString;
}

TBlobField::TBlobField(TComponent* AOwner) : TField(AOwner) {
    FDataType = ftBlob;
}

int TBlobField::BlobSize() const {
    return IsNull() ? 0 : static_cast<int>(RawValue().AsString().size());
}

void TBlobField::SaveToStream(TStream& Stream) const {
    const String data = IsNull() ? String() : RawValue().AsString();
    if (!data.empty()) Stream.Write(data.data(), static_cast<Int64>(data.size()));
}

void TBlobField::LoadFromStream(TStream& Stream) {
    String data;
    char buf[4096];
    for (Int64 n; (n = Stream.Read(buf, sizeof buf)) > 0;)
        data.append(buf, static_cast<size_t>(n));
    SetAsString(data);
}

Variant TBlobField::ConvertValue(const Variant& Value) const {
    return VarToStr(Value);
}

String TBlobField::GetText(bool DisplayText) const {
    if (!DisplayText) return AsString();
    const String name = BlobTypeName();
    return IsNull() || RawValue().AsString().empty() ? "(" + name + ")" : "(" + UpperCase(name) + ")";
}

TMemoField::TMemoField(TComponent* AOwner) : TBlobField(AOwner) {
    FDataType = ftMemo;
}

// ---- numbers -------------------------------------------------------------------------------------

TNumericField::TNumericField(TComponent* AOwner) : TField(AOwner) {
    FAlignment = taRightJustify;
}

void TNumericField::SetDisplayFormat(const String& Value) {
    FDisplayFormat = Value;
    Changed();
}

void TNumericField::SetEditFormat(const String& Value) {
    FEditFormat = Value;
    Changed();
}

bool TNumericField::IsValidChar(char Ch) const {
    return (Ch >= '0' && Ch <= '9') || Ch == '+' || Ch == '-' || Ch == 'e' || Ch == 'E' ||
           Ch == FormatSettings().DecimalSeparator;
}

// The value's plain text (IntToStr, FloatToStr, CurrToStr): formats are for Text and DisplayText.
String TNumericField::AsString() const {
    if (IsNull()) return String();
    const Variant& v = RawValue();
    if (VarType(v) == varCurrency) return CurrToStr(v.AsCurrency());
    if (VarIsOrdinal(v)) return IntToStr(v.AsInt64());
    if (VarIsNumeric(v)) return FloatToStr(v.AsDouble());
    return VarToStr(v);
}

void TNumericField::SetAsString(const String& Value) {
    if (Trim(Value).empty()) {
        Clear();
        return;
    }
    SetAsVariant(Value);
}

TIntegerField::TIntegerField(TComponent* AOwner) : TNumericField(AOwner) {
    FDataType = ftInteger;
}

bool TIntegerField::IsValidChar(char Ch) const {
    return (Ch >= '0' && Ch <= '9') || Ch == '+' || Ch == '-';
}

Variant TIntegerField::ConvertValue(const Variant& Value) const {
    if (IsBlankText(Value)) return Null();
    Int64 i = 0;
    if (VarIsStr(Value)) {
        const String s = Trim(VarToStr(Value));
        if (!TryStrToInt64(s, i)) ConvertError(s, "integer value");
    } else if (VarIsOrdinal(Value))
        i = Value.AsInt64();
    else
        i = std::llround(Value.AsDouble());
    const Int64 lo = FDataType == ftSmallint ? -32768 : std::numeric_limits<Integer>::min();
    const Int64 hi = FDataType == ftSmallint ? 32767 : std::numeric_limits<Integer>::max();
    Int64 minV = lo, maxV = hi;
    if (FMinValue != 0 || FMaxValue != 0) {
        minV = FMinValue;
        maxV = FMaxValue;
    }
    if (i < minV || i > maxV)
        throw ERangeError(IntToStr(i) + " is not a valid value for field '" + DisplayName() +
                          "'. The allowed range is " + IntToStr(minV) + " to " + IntToStr(maxV));
    return Variant(static_cast<Integer>(i));
}

String TIntegerField::GetText(bool DisplayText) const {
    const Int64 v = RawValue().AsInt64();
    const String& fmt = DisplayText ? FDisplayFormat : FEditFormat;
    if (!fmt.empty()) return FormatFloat(fmt, static_cast<Extended>(v));
    return IntToStr(v);
}

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner) {
    FDataType = ftSmallint;
}

TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner) {
    FDataType = ftAutoInc;
    SetReadOnly(true);
}

TLargeintField::TLargeintField(TComponent* AOwner) : TNumericField(AOwner) {
    FDataType = ftLargeint;
}

bool TLargeintField::IsValidChar(char Ch) const {
    return (Ch >= '0' && Ch <= '9') || Ch == '+' || Ch == '-';
}

Variant TLargeintField::ConvertValue(const Variant& Value) const {
    if (IsBlankText(Value)) return Null();
    if (VarIsStr(Value)) {
        Int64 i = 0;
        const String s = Trim(VarToStr(Value));
        if (!TryStrToInt64(s, i)) ConvertError(s, "integer value");
        return Variant(i);
    }
    if (VarIsOrdinal(Value)) return Variant(Value.AsInt64());
    return Variant(static_cast<Int64>(std::llround(Value.AsDouble())));
}

String TLargeintField::GetText(bool DisplayText) const {
    const Int64 v = RawValue().AsInt64();
    const String& fmt = DisplayText ? FDisplayFormat : FEditFormat;
    if (!fmt.empty()) return FormatFloat(fmt, static_cast<Extended>(v));
    return IntToStr(v);
}

TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner) {
    FDataType = ftFloat;
}

void TFloatField::SetCurrency(bool Value) {
    FCurrency = Value;
    Changed();
}

void TFloatField::SetPrecision(int Value) {
    FPrecision = Value < 2 ? 2 : (Value > 15 ? 15 : Value);
    Changed();
}

bool TFloatField::IsValidChar(char Ch) const {
    return TNumericField::IsValidChar(Ch);
}

Variant TFloatField::ConvertValue(const Variant& Value) const {
    if (IsBlankText(Value)) return Null();
    if (VarIsStr(Value)) {
        Extended e = 0;
        const String s = Trim(VarToStr(Value));
        if (!TryStrToFloat(s, e)) ConvertError(s, "floating point value");
        return Variant(static_cast<double>(e));
    }
    return Variant(Value.AsDouble());
}

String TFloatField::GetText(bool DisplayText) const {
    // Formatted as the number reads, so a displayed half stays a half: 1.005 shows as 1.01 with
    // two decimals, as the same amount in a currency field or a footer does.
    const Extended v = ShortestDecimalValue(RawValue().AsDouble());
    String fmt;
    if (DisplayText && !FDisplayFormat.empty())
        fmt = FDisplayFormat;
    else if (!DisplayText && !FEditFormat.empty())
        fmt = FEditFormat;
    if (!fmt.empty()) return FormatFloat(fmt, v);
    if (FCurrency)
        return FloatToStrF(v, DisplayText ? TFloatFormat::ffCurrency : TFloatFormat::ffFixed, FPrecision,
                           FormatSettings().CurrencyDecimals);
    return FloatToStrF(v, TFloatFormat::ffGeneral, FPrecision, 0);
}

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner) {
    FDataType = ftCurrency;
    FCurrency = true;
}

TBCDField::TBCDField(TComponent* AOwner) : TNumericField(AOwner) {
    FDataType = ftBCD;
    FSize = 4;
}

void TBCDField::SetCurrency(bool Value) {
    FCurrency = Value;
    Changed();
}

bool TBCDField::IsValidChar(char Ch) const {
    return TNumericField::IsValidChar(Ch) && Ch != 'e' && Ch != 'E';
}

Variant TBCDField::ConvertValue(const Variant& Value) const {
    if (IsBlankText(Value)) return Null();
    if (VarIsStr(Value)) {
        ::Currency c;
        const String s = Trim(VarToStr(Value));
        if (!TryStrToCurr(s, c)) ConvertError(s, "floating point value");
        return Variant(c);
    }
    if (VarType(Value) == varCurrency) return Value;
    return Variant(::Currency::FromDouble(Value.AsDouble()));
}

String TBCDField::GetText(bool DisplayText) const {
    const ::Currency v = RawValue().AsCurrency();
    String fmt;
    if (DisplayText && !FDisplayFormat.empty())
        fmt = FDisplayFormat;
    else if (!DisplayText && !FEditFormat.empty())
        fmt = FEditFormat;
    if (!fmt.empty()) return FormatCurr(fmt, v);
    if (FCurrency)
        return CurrToStrF(v, DisplayText ? TFloatFormat::ffCurrency : TFloatFormat::ffFixed,
                          FormatSettings().CurrencyDecimals);
    return CurrToStr(v);
}

// ---- boolean -------------------------------------------------------------------------------------

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) {
    FDataType = ftBoolean;
}

void TBooleanField::SetDisplayValues(const String& Value) {
    FDisplayValues = Value;
    if (Value.empty()) {
        FTrueText = "True";
        FFalseText = "False";
    } else {
        const size_t p = Value.find(';');
        FTrueText = Value.substr(0, p);
        FFalseText = p == String::npos ? String() : Value.substr(p + 1);
    }
    Changed();
}

String TBooleanField::AsString() const {
    if (IsNull()) return String();
    return RawValue().AsBoolean() ? FTrueText : FFalseText;
}

void TBooleanField::SetAsString(const String& Value) {
    if (Value.empty()) {
        if (FFalseText.empty())
            SetAsBoolean(false);
        else if (FTrueText.empty())
            SetAsBoolean(true);
        else
            Clear();
        return;
    }
    for (bool b : {false, true}) {
        const String& t = b ? FTrueText : FFalseText;
        if (Value.size() <= t.size() && SameText(Value, t.substr(0, Value.size()))) {
            SetAsBoolean(b);
            return;
        }
    }
    throw EDatabaseError("'" + Value + "' is not a valid boolean value for field '" + DisplayName() + "'");
}

Variant TBooleanField::ConvertValue(const Variant& Value) const {
    if (VarIsStr(Value)) {
        const String s = Trim(VarToStr(Value));
        if (s.empty()) return Null();
        for (bool b : {false, true}) {
            const String& t = b ? FTrueText : FFalseText;
            if (!t.empty() && SameText(s, t)) return Variant(b);
        }
        if (SameText(s, "true") || SameText(s, "yes") || s == "-1" || s == "1") return Variant(true);
        if (SameText(s, "false") || SameText(s, "no") || s == "0") return Variant(false);
        throw EDatabaseError("'" + s + "' is not a valid boolean value for field '" + DisplayName() + "'");
    }
    return Variant(Value.AsBoolean());
}

String TBooleanField::GetText(bool DisplayText) const {
    (void)DisplayText;
    return AsString();
}

int TBooleanField::DefaultWidth() const {
    return static_cast<int>(std::max(FTrueText.size(), FFalseText.size()));
}

// ---- dates ---------------------------------------------------------------------------------------

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner) {
    FDataType = ftDateTime;
}

void TDateTimeField::SetDisplayFormat(const String& Value) {
    FDisplayFormat = Value;
    Changed();
}

String TDateTimeField::AsString() const {
    if (IsNull()) return String();
    return GetText(false);
}

void TDateTimeField::SetAsString(const String& Value) {
    if (Trim(Value).empty()) {
        Clear();
        return;
    }
    SetAsVariant(Value);
}

Variant TDateTimeField::ConvertValue(const Variant& Value) const {
    if (IsBlankText(Value)) return Null();
    if (VarIsStr(Value)) {
        const String s = Trim(VarToStr(Value));
        TDateTime d = 0;
        if (!StorageToDateTime(s, d) && !TryStrToDateTime(s, d)) ConvertError(s, "date and time");
        return VarFromDateTime(d);
    }
    return VarFromDateTime(Value.AsDateTime());
}

String TDateTimeField::GetText(bool DisplayText) const {
    const TDateTime v = RawValue().AsDateTime();
    if (DisplayText && !FDisplayFormat.empty()) return FormatDateTime(FDisplayFormat, v);
    switch (FDataType) {
    case ftDate:
        return DateToStr(v);
    case ftTime:
        return TimeToStr(v);
    default:
        return DateTimeToStr(v);
    }
}

TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner) {
    FDataType = ftDate;
}

TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner) {
    FDataType = ftTime;
}
