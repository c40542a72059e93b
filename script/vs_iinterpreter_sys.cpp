#include "script/vs_iinterpreter_sys.h"

#include "rtl/CodePage.h"
#include "rtl/DateUtils.h"
#include "rtl/EditMask.h"
#include "rtl/Format.h"
#include "rtl/MathUtils.h"
#include "rtl/StrUtils.h"
#include "script/vs_idisp.h"
#include "script/vs_iinterpreter_strings.h"
#include "script/vs_itools_script.h"

#include <chrono>
#include <cmath>
#include <limits>
#include <random>

namespace {

std::mt19937_64& Generator() {
    static std::mt19937_64 g(5489u);
    return g;
}

Variant Arg(TvsMethodHelper* C, Integer I) {
    return C->GetParamValue(I);
}

String Text(TvsMethodHelper* C, Integer I) {
    return VarToStr(C->GetParamValue(I));
}

Integer Int(TvsMethodHelper* C, Integer I) {
    return C->GetParamValue(I).AsInteger();
}

double Flt(TvsMethodHelper* C, Integer I) {
    return C->GetParamValue(I).AsDouble();
}

Word AsWord(TvsMethodHelper* C, Integer I) {
    return static_cast<Word>(C->GetParamValue(I).AsInt64() & 0xFFFF);
}

Integer Low32(Int64 V) {
    return static_cast<Integer>(static_cast<Cardinal>(static_cast<UInt64>(V)));
}

double CheckedFloat(long double V) {
    if (std::isnan(V)) throw EInvalidOp("Invalid floating point operation");
    if (std::isinf(V) || std::fabs(V) > std::numeric_limits<double>::max())
        throw EOverflow("Floating point overflow");
    return static_cast<double>(V);
}

Variant Conv(TvsMethodHelper* C, const String& Name) {
    if (Name == "INTTOSTR") return Variant(IntToStr(Arg(C, 0).AsInt64()));
    if (Name == "FLOATTOSTR") return Variant(FloatToStr(Flt(C, 0)));
    if (Name == "DATETOSTR") return Variant(DateToStr(Flt(C, 0)));
    if (Name == "TIMETOSTR") return Variant(TimeToStr(Flt(C, 0)));
    if (Name == "DATETIMETOSTR") return Variant(DateTimeToStr(Flt(C, 0)));
    if (Name == "BOOLTOSTR") return Variant(String(Arg(C, 0).AsBoolean() ? "-1" : "0"));
    if (Name == "VARTOSTR") return Variant(VarToStr(Arg(C, 0)));
    if (Name == "STRTOINT") return Variant(StrToInt(Text(C, 0)));
    if (Name == "STRTOINT64") return Variant(static_cast<long long>(StrToInt64(Text(C, 0))));
    if (Name == "STRTOFLOAT") return Variant(static_cast<double>(StrToFloat(Text(C, 0))));
    if (Name == "STRTODATE") return VarFromDateTime(StrToDate(Text(C, 0)));
    if (Name == "STRTOTIME") return VarFromDateTime(StrToTime(Text(C, 0)));
    if (Name == "STRTODATETIME") return VarFromDateTime(StrToDateTime(Text(C, 0)));
    if (Name == "STRTOBOOL") return Variant(Variant(Text(C, 0)).AsBoolean());
    return Variant(0);
}

Variant Formats(TvsMethodHelper* C, const String& Name) {
    if (Name == "FORMAT") return Variant(Format(Text(C, 0), VariantToFormatArgs(Arg(C, 1))));
    if (Name == "FORMATFLOAT") return Variant(FormatFloat(Text(C, 0), Flt(C, 1)));
    if (Name == "FORMATDATETIME") return Variant(FormatDateTime(Text(C, 0), Flt(C, 1)));
    if (Name == "FORMATMASKTEXT") return Variant(FormatMaskText(Text(C, 0), Text(C, 1)));
    return Variant(0);
}

Variant Dates(TvsMethodHelper* C, const String& Name) {
    if (Name == "ENCODEDATE") return VarFromDateTime(EncodeDate(AsWord(C, 0), AsWord(C, 1), AsWord(C, 2)));
    if (Name == "DECODEDATE") {
        Word y, m, d;
        DecodeDate(Flt(C, 0), y, m, d);
        C->PutParamValue(1, Variant(Integer(y)));
        C->PutParamValue(2, Variant(Integer(m)));
        C->PutParamValue(3, Variant(Integer(d)));
        return Variant();
    }
    if (Name == "ENCODETIME")
        return VarFromDateTime(EncodeTime(AsWord(C, 0), AsWord(C, 1), AsWord(C, 2), AsWord(C, 3)));
    if (Name == "DECODETIME") {
        Word h, n, s, ms;
        DecodeTime(Flt(C, 0), h, n, s, ms);
        C->PutParamValue(1, Variant(Integer(h)));
        C->PutParamValue(2, Variant(Integer(n)));
        C->PutParamValue(3, Variant(Integer(s)));
        C->PutParamValue(4, Variant(Integer(ms)));
        return Variant();
    }
    if (Name == "DATE") return VarFromDateTime(Date());
    if (Name == "TIME") return VarFromDateTime(Time());
    if (Name == "NOW") return VarFromDateTime(Now());
    if (Name == "DAYOFWEEK") return Variant(DayOfWeek(Flt(C, 0)));
    if (Name == "ISLEAPYEAR") return Variant(IsLeapYear(AsWord(C, 0)));
    if (Name == "DAYSINMONTH") {
        static const Integer days[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const Integer year = Int(C, 0), month = Int(C, 1);
        if (month < 0 || month > 12) throw ERangeError(Format("Month out of range (%d)", {month}));
        Integer n = days[month];
        if (month == 2 && year >= 0 && year <= 0xFFFF && IsLeapYear(static_cast<Word>(year))) ++n;
        return Variant(n);
    }
    return Variant(0);
}

String NameCase(const String& S) {
    String s = AnsiLowerCase(S);
    if (!s.empty()) s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
    for (size_t i = 1; i + 1 < s.size(); ++i)
        if (s[i] == ' ') s[i + 1] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i + 1])));
    return s;
}

Variant Strings(TvsMethodHelper* C, const String& Name) {
    if (Name == "LENGTH") {
        const Variant v = Arg(C, 0);
        if (VarIsArray(v)) return Variant(VarArrayHighBound(v, 1) - VarArrayLowBound(v, 1) + 1);
        return Variant(vsLength(VarToStr(v)));
    }
    if (Name == "COPY") return Variant(vsCopy(Text(C, 0), Int(C, 1), Int(C, 2)));
    if (Name == "POS") {
        const String sub = Text(C, 0);
        return Variant(sub.empty() ? 0 : AnsiPos(sub, Text(C, 1)));
    }
    if (Name == "DELETE" || Name == "DELETESTR") {
        String s = Text(C, 0);
        vsDelete(s, Int(C, 1), Int(C, 2));
        C->PutParamValue(0, Variant(s));
        return Variant();
    }
    if (Name == "INSERT") {
        String s = Text(C, 1);
        vsInsert(Text(C, 0), s, Int(C, 2));
        C->PutParamValue(1, Variant(s));
        return Variant();
    }
    if (Name == "UPPERCASE") return Variant(AnsiUpperCase(Text(C, 0)));
    if (Name == "LOWERCASE") return Variant(AnsiLowerCase(Text(C, 0)));
    if (Name == "TRIM") return Variant(Trim(Text(C, 0)));
    if (Name == "NAMECASE") return Variant(NameCase(Text(C, 0)));
    if (Name == "COMPARETEXT") {
        const int r = AnsiCompareText(Text(C, 0), Text(C, 1));
        return Variant(r < 0 ? -1 : r > 0 ? 1 : 0);
    }
    if (Name == "CHR") {
        const Byte b = static_cast<Byte>(Int(C, 0) & 0xFF);
        return Variant(b < 0x80 ? String(1, static_cast<char>(b))
                                : Utf8FromAnsi(AnsiString(1, static_cast<char>(b))));
    }
    if (Name == "ORD") {
        const AnsiString bytes = AnsiFromUtf8(Text(C, 0));
        return Variant(bytes.empty() ? 0 : Integer(static_cast<Byte>(bytes[0])));
    }
    if (Name == "SETLENGTH") {
        Variant s = Arg(C, 0);
        const Integer length = Int(C, 1);
        if (length < 0) throw ERangeError(Format(SNegativeCount, {length}));
        if (VarType(s) == varString || VarType(s) == varOleStr || VarIsEmpty(s)) {
            C->PutParamValue(0, Variant(vsSetLength(VarToStr(s), length)));
        } else {
            // The high bound becomes L - 1 whatever the low bound: a 0-based array gets L
            // elements.
            VarArrayRedim(s, length - 1);
            C->PutParamValue(0, s);
        }
        return Variant();
    }
    return Variant(0);
}

Variant Maths(TvsMethodHelper* C, const String& Name) {
    if (Name == "ROUND") return Variant(Low32(Round(Flt(C, 0))));
    if (Name == "TRUNC") return Variant(Low32(Trunc(Flt(C, 0))));
    if (Name == "INT") return Variant(static_cast<double>(::Int(static_cast<Extended>(Flt(C, 0)))));
    if (Name == "FRAC") return Variant(static_cast<double>(Frac(static_cast<Extended>(Flt(C, 0)))));
    if (Name == "SQRT") {
        const double x = Flt(C, 0);
        if (x < 0) throw EInvalidOp("Invalid floating point operation");
        return Variant(std::sqrt(x));
    }
    if (Name == "ABS") return Variant(std::fabs(Flt(C, 0)));
    if (Name == "SIN") return Variant(CheckedFloat(std::sin(static_cast<long double>(Flt(C, 0)))));
    if (Name == "COS") return Variant(CheckedFloat(std::cos(static_cast<long double>(Flt(C, 0)))));
    if (Name == "ARCTAN") return Variant(std::atan(Flt(C, 0)));
    if (Name == "TAN") {
        const long double x = Flt(C, 0);
        return Variant(CheckedFloat(std::sin(x) / std::cos(x)));
    }
    if (Name == "EXP") return Variant(CheckedFloat(std::exp(static_cast<long double>(Flt(C, 0)))));
    if (Name == "LN") {
        const double x = Flt(C, 0);
        if (x == 0) throw EZeroDivide("Floating point division by zero");
        if (x < 0) throw EInvalidOp("Invalid floating point operation");
        return Variant(std::log(x));
    }
    if (Name == "PI") return Variant(3.1415926535897932385);
    return Variant(0);
}

Variant Others(TvsMethodHelper* C, const String& Name) {
    if (Name == "INC" || Name == "DEC") {
        C->PutParamValue(0,
                         VarBinaryOp(Name == "INC" ? TVarOp::Add : TVarOp::Subtract, Arg(C, 0), Arg(C, 1)));
        return Variant();
    }
    if (Name == "RAISEEXCEPTION") throw Exception(Text(C, 0));
    if (Name == "SHOWMESSAGE") {
        if (vsShowMessageProc()) vsShowMessageProc()(Text(C, 0));
        return Variant();
    }
    if (Name == "RANDOMIZE") {
        Generator().seed(static_cast<UInt64>(std::chrono::steady_clock::now().time_since_epoch().count()));
        return Variant();
    }
    if (Name == "RANDOM") return Variant(std::uniform_real_distribution<double>(0.0, 1.0)(Generator()));
    if (Name == "VALIDINT") {
        try {
            StrToInt(Text(C, 0));
            return Variant(true);
        } catch (const EConvertError&) {
            return Variant(false);
        }
    }
    if (Name == "VALIDFLOAT") {
        try {
            StrToFloat(Text(C, 0));
            return Variant(true);
        } catch (const EConvertError&) {
            return Variant(false);
        }
    }
    if (Name == "VALIDDATE") {
        const Variant v = Arg(C, 0);
        const String s = VarType(v) == varDate ? DateToStr(v.AsDouble()) : VarToStr(v);
        try {
            StrToDate(s);
            return Variant(true);
        } catch (const EConvertError&) {
            return Variant(false);
        }
    }
    if (Name == "EXTRACTFILEPATH") {
        const String s = Text(C, 0);
        const size_t p = s.find_last_of("\\:/");
        return Variant(p == String::npos ? String() : s.substr(0, p + 1));
    }
    if (Name == "CREATEOLEOBJECT") return Variant(CreateOleObject(Text(C, 0)));
    if (Name == "VARARRAYCREATE") {
        const Variant b = Arg(C, 0);
        std::vector<int> bounds;
        if (VarIsArray(b))
            for (int i = VarArrayLowBound(b, 1); i <= VarArrayHighBound(b, 1); ++i)
                bounds.push_back(VarArrayGet(b, {i}).AsInteger());
        if (bounds.empty() || bounds.size() % 2)
            throw EVariantArrayCreateError("Error creating variant or safe array");
        return VarArrayCreate(bounds, static_cast<TVarType>(Int(C, 1)));
    }
    if (Name == "VARTYPE") return Variant(static_cast<Integer>(VarType(Arg(C, 0))));
    return Variant(0);
}

} // namespace

TvsShowMessageProc& vsShowMessageProc() {
    static TvsShowMessageProc proc;
    return proc;
}

TvsSysFunctions::TvsSysFunctions(TvsScript* Script) : TvsRTTIModule(Script) {
    TvsScript& s = *Script;
    for (const char* name : {"Byte", "Word", "Integer", "Longint", "Cardinal", "TColor"})
        s.AddType(name, fvtInt);
    s.AddType("Boolean", fvtBool);
    for (const char* name :
         {"Real", "Single", "Double", "Extended", "Currency", "TDate", "TTime", "TDateTime"})
        s.AddType(name, fvtFloat);
    s.AddType("Char", fvtChar);
    s.AddType("String", fvtString);
    s.AddType("Variant", fvtVariant);
    s.AddType("Pointer", fvtVariant);
    s.AddType("Array", fvtArray);
    s.AddType("Constructor", fvtConstructor);

    s.AddConst("True", "Boolean", Variant(true));
    s.AddConst("False", "Boolean", Variant(false));
    s.AddConst("nil", "Variant", Variant(0));
    s.AddConst("Null", "Variant", Null());
    s.Add("__StringHelper", new TvsStringHelper());
    s.Add("__ArrayHelper", new TvsArrayHelper("__ArrayHelper", String(), fvtVariant, -1));
    s.AddVariable("ExceptionClassName", "String", Variant(String()));
    s.AddVariable("ExceptionMessage", "String", Variant(String()));

    auto conv = [](TObject*, const TvsClassRef*, const String& n, TvsMethodHelper* c) { return Conv(c, n); };
    auto fmt = [](TObject*, const TvsClassRef*, const String& n, TvsMethodHelper* c) {
        return Formats(c, n);
    };
    auto date = [](TObject*, const TvsClassRef*, const String& n, TvsMethodHelper* c) { return Dates(c, n); };
    auto str = [](TObject*, const TvsClassRef*, const String& n, TvsMethodHelper* c) {
        return Strings(c, n);
    };
    auto math = [](TObject*, const TvsClassRef*, const String& n, TvsMethodHelper* c) { return Maths(c, n); };
    auto other = [](TObject*, const TvsClassRef*, const String& n, TvsMethodHelper* c) {
        return Others(c, n);
    };

    for (const char* d :
         {"function IntToStr(i: Integer): String", "function FloatToStr(e: Extended): String",
          "function DateToStr(e: Extended): String", "function TimeToStr(e: Extended): String",
          "function DateTimeToStr(e: Extended): String", "function BoolToStr(B: Boolean): string;",
          "function VarToStr(v: Variant): String", "function StrToInt(s: String): Integer",
          "function StrToInt64(s: String): Integer", "function StrToFloat(s: String): Extended",
          "function StrToDate(s: String): Extended", "function StrToTime(s: String): Extended",
          "function StrToDateTime(s: String): Extended", "function StrToBool(const S: string): Boolean;"})
        s.AddMethod(d, conv, FCatConv);
    for (const char* d : {"function Format(Fmt: String; Args: array): String",
                          "function FormatFloat(Fmt: String; Value: Extended): String",
                          "function FormatDateTime(Fmt: String; DateTime: TDateTime): String",
                          "function FormatMaskText(EditMask: string; Value: string): string"})
        s.AddMethod(d, fmt, FCatFormat);
    for (const char* d :
         {"function EncodeDate(Year, Month, Day: Word): TDateTime",
          "procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)",
          "function EncodeTime(Hour, Min, Sec, MSec: Word): TDateTime",
          "procedure DecodeTime(Time: TDateTime; var Hour, Min, Sec, MSec: Word)", "function Date: TDateTime",
          "function Time: TDateTime", "function Now: TDateTime",
          "function DayOfWeek(aDate: TDateTime): Integer", "function IsLeapYear(Year: Word): Boolean",
          "function DaysInMonth(nYear, nMonth: Integer): Integer"})
        s.AddMethod(d, date, FCatDate);
    for (const char* d :
         {"function Length(s: Variant): Integer", "function Copy(s: String; from, count: Integer): String",
          "function Pos(substr, s: String): Integer", "procedure Delete(var s: String; from, count: Integer)",
          "procedure DeleteStr(var s: String; from, count: Integer)",
          "procedure Insert(s: String; var s2: String; pos: Integer)",
          "function Uppercase(s: String): String", "function Lowercase(s: String): String",
          "function Trim(s: String): String", "function NameCase(s: String): String",
          "function CompareText(s, s1: String): Integer", "function Chr(i: Integer): Char",
          "function Ord(ch: Char): Integer", "procedure SetLength(var S: Variant; L: Integer)"})
        s.AddMethod(d, str, FCatString);
    for (const char* d : {"function Round(e: Extended): Integer", "function Trunc(e: Extended): Integer",
                          "function Int(e: Extended): Integer", "function Frac(X: Extended): Extended",
                          "function Sqrt(e: Extended): Extended", "function Abs(e: Extended): Extended",
                          "function Sin(e: Extended): Extended", "function Cos(e: Extended): Extended",
                          "function ArcTan(X: Extended): Extended", "function Tan(X: Extended): Extended",
                          "function Exp(X: Extended): Extended", "function Ln(X: Extended): Extended",
                          "function Pi: Extended"})
        s.AddMethod(d, math, FCatMath);
    for (const char* d :
         {"procedure Inc(var i: Integer; incr: Integer = 1)",
          "procedure Dec(var i: Integer; decr: Integer = 1)", "procedure RaiseException(Param: String)",
          "procedure ShowMessage(Msg: Variant)", "procedure Randomize", "function Random: Extended",
          "function ValidInt(cInt: String): Boolean", "function ValidFloat(cFlt: String): Boolean",
          "function ValidDate(cDate: String): Boolean",
          "function ExtractFilePath(const FileName: string): string;",
          "function CreateOleObject(ClassName: String): Variant",
          "function VarArrayCreate(Bounds: Array; Typ: Integer): Variant",
          "function VarType(V: Variant): Integer"})
        s.AddMethod(d, other, FCatOther);

    const std::pair<const char*, Integer> constants[] = {
        {"varEmpty", 0},    {"varNull", 1},      {"varSmallint", 2},    {"varInteger", 3},
        {"varSingle", 4},   {"varDouble", 5},    {"varCurrency", 6},    {"varDate", 7},
        {"varOleStr", 8},   {"varDispatch", 9},  {"varError", 10},      {"varBoolean", 11},
        {"varVariant", 12}, {"varUnknown", 13},  {"varShortInt", 16},   {"varByte", 17},
        {"varWord", 18},    {"varLongWord", 19}, {"varInt64", 20},      {"varStrArg", 72},
        {"varString", 256}, {"varAny", 257},     {"varTypeMask", 4095}, {"varArray", 8192},
        {"varByRef", 16384}};
    for (const auto& [name, value] : constants)
        s.AddConst(name, "Integer", Variant(value));
}
