// The Jet functions the translated statements call, registered on each connection. Dates come
// in as the stored ISO text (or a day number) and go out as ISO text; numbers format through the
// runtime's formatting module.
#include "db/DateStorage.h"
#include "db/SqliteDatabase.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>

namespace {

using TArgs = sqlite3_value**;

bool IsNullArg(sqlite3_value* v) {
    return sqlite3_value_type(v) == SQLITE_NULL;
}

String TextOf(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return String();
    case SQLITE_INTEGER:
        return IntToStr(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return FloatToStr(sqlite3_value_double(v));
    default: {
        const unsigned char* t = sqlite3_value_text(v);
        return t ? String(reinterpret_cast<const char*>(t), static_cast<size_t>(sqlite3_value_bytes(v)))
                 : String();
    }
    }
}

void ResultText(sqlite3_context* ctx, const String& s) {
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void Mismatch(sqlite3_context* ctx) {
    sqlite3_result_error(ctx, "Data type mismatch in criteria expression.", -1);
}

// A date argument: ISO text or a day number.
bool DateOf(sqlite3_value* v, TDateTime& d) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        d = sqlite3_value_double(v);
        return true;
    case SQLITE_TEXT: {
        const String s = TextOf(v);
        return StorageToDateTime(s, d) || TryStrToDateTime(s, d);
    }
    default:
        return false;
    }
}

bool NumberOf(sqlite3_value* v, double& d) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        d = sqlite3_value_double(v);
        return true;
    case SQLITE_TEXT: {
        Extended e = 0;
        if (!TryStrToFloat(Trim(TextOf(v)), e)) return false;
        d = static_cast<double>(e);
        return true;
    }
    default:
        return false;
    }
}

// UTF-8 characters of s.
std::vector<String> Chars(const String& s) {
    std::vector<String> out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        n = std::min(n, s.size() - i);
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

String JoinChars(const std::vector<String>& chars, size_t from, size_t count) {
    String r;
    for (size_t i = from; i < chars.size() && i < from + count; ++i)
        r += chars[i];
    return r;
}

// ---- text ----------------------------------------------------------------------------------------

void FnConcat(sqlite3_context* ctx, int argc, TArgs argv) {
    String r;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        if (IsNullArg(argv[i])) continue;
        any = true;
        r += TextOf(argv[i]);
    }
    if (any)
        ResultText(ctx, r);
    else
        sqlite3_result_null(ctx);
}

void FnNz(sqlite3_context* ctx, int argc, TArgs argv) {
    if (!IsNullArg(argv[0]))
        sqlite3_result_value(ctx, argv[0]);
    else if (argc > 1)
        sqlite3_result_value(ctx, argv[1]);
    else
        ResultText(ctx, String());
}

void FnLen(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(Chars(TextOf(argv[0])).size()));
}

void FnLeft(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    const auto c = Chars(TextOf(argv[0]));
    const sqlite3_int64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    ResultText(ctx, JoinChars(c, 0, static_cast<size_t>(n)));
}

void FnRight(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    const auto c = Chars(TextOf(argv[0]));
    const sqlite3_int64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    const size_t k = std::min(c.size(), static_cast<size_t>(n));
    ResultText(ctx, JoinChars(c, c.size() - k, k));
}

void FnMid(sqlite3_context* ctx, int argc, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    const auto c = Chars(TextOf(argv[0]));
    const sqlite3_int64 start = sqlite3_value_int64(argv[1]);
    if (start < 1) return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    size_t count = c.size();
    if (argc > 2) {
        const sqlite3_int64 n = sqlite3_value_int64(argv[2]);
        if (n < 0) return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
        count = static_cast<size_t>(n);
    }
    ResultText(ctx, JoinChars(c, static_cast<size_t>(start - 1), count));
}

// InStr([start,] s1, s2 [, compare]): 1-based character position, 0 when absent; text compare
// (compare 1, the default) folds case.
void FnInStr(sqlite3_context* ctx, int argc, TArgs argv) {
    int a = 0;
    sqlite3_int64 start = 1;
    if (argc >= 3 && sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
        start = sqlite3_value_int64(argv[0]);
        a = 1;
    }
    if (IsNullArg(argv[a]) || IsNullArg(argv[a + 1])) return sqlite3_result_null(ctx);
    bool fold = true;
    if (argc > a + 2 && sqlite3_value_int(argv[a + 2]) == 0) fold = false;
    const auto hay = Chars(TextOf(argv[a])), needle = Chars(TextOf(argv[a + 1]));
    if (start < 1) return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    auto same = [&](const String& x, const String& y) { return fold ? SameText(x, y) : x == y; };
    for (size_t i = static_cast<size_t>(start - 1); i + needle.size() <= hay.size(); ++i) {
        bool ok = true;
        for (size_t k = 0; k < needle.size() && ok; ++k)
            ok = same(hay[i + k], needle[k]);
        if (ok) return sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(i + 1));
    }
    sqlite3_result_int64(ctx, 0);
}

void FnSpace(sqlite3_context* ctx, int, TArgs argv) {
    ResultText(ctx,
               String(static_cast<size_t>(std::max<sqlite3_int64>(0, sqlite3_value_int64(argv[0]))), ' '));
}

void FnString(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[1])) return sqlite3_result_null(ctx);
    const auto c = Chars(TextOf(argv[1]));
    String r;
    for (sqlite3_int64 i = 0; i < sqlite3_value_int64(argv[0]) && !c.empty(); ++i)
        r += c[0];
    ResultText(ctx, r);
}

void FnAsc(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    const WideString w = VarToWideStr(Variant(TextOf(argv[0])));
    if (w.empty()) return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    sqlite3_result_int(ctx, w[0]);
}

void FnChr(sqlite3_context* ctx, int, TArgs argv) {
    const WideString w(1, static_cast<char16_t>(sqlite3_value_int(argv[0])));
    ResultText(ctx, VarToStr(Variant(w)));
}

void FnStrComp(sqlite3_context* ctx, int argc, TArgs argv) {
    if (IsNullArg(argv[0]) || IsNullArg(argv[1])) return sqlite3_result_null(ctx);
    const bool fold = argc > 2 && sqlite3_value_int(argv[2]) == 1;
    const String a = TextOf(argv[0]), b = TextOf(argv[1]);
    const int c = fold ? CompareText(a, b) : CompareStr(a, b);
    sqlite3_result_int(ctx, c < 0 ? -1 : (c > 0 ? 1 : 0));
}

// Val: the number at the start of the text, blanks ignored; 0 when there is none.
void FnVal(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    String s;
    for (char c : TextOf(argv[0]))
        if (c != ' ' && c != '\t') s += c;
    size_t i = 0;
    String num;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) num += s[i++];
    bool dot = false, exp = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            num += c;
        else if (c == '.' && !dot && !exp) {
            dot = true;
            num += c;
        } else if ((c == 'e' || c == 'E') && !exp && !num.empty()) {
            exp = true;
            num += 'e';
            if (i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) num += s[++i];
        } else
            break;
    }
    Extended e = 0;
    while (!num.empty() && !TryStrToFloat(num, e))
        num.pop_back();
    sqlite3_result_double(ctx, num.empty() ? 0.0 : static_cast<double>(e));
}

// ---- conversions ---------------------------------------------------------------------------------

void FnCStr(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_error(ctx, "Invalid use of Null", -1);
    ResultText(ctx, TextOf(argv[0]));
}

void FnCDbl(sqlite3_context* ctx, int, TArgs argv) {
    double d = 0;
    if (IsNullArg(argv[0])) return sqlite3_result_error(ctx, "Invalid use of Null", -1);
    if (!NumberOf(argv[0], d)) return Mismatch(ctx);
    sqlite3_result_double(ctx, d);
}

void FnCCur(sqlite3_context* ctx, int, TArgs argv) {
    double d = 0;
    if (IsNullArg(argv[0])) return sqlite3_result_error(ctx, "Invalid use of Null", -1);
    if (!NumberOf(argv[0], d)) return Mismatch(ctx);
    sqlite3_result_double(ctx, std::round(d * 10000.0) / 10000.0);
}

// CLng/CInt round half to even, as the platform's conversions do.
void FnCLng(sqlite3_context* ctx, int, TArgs argv) {
    double d = 0;
    if (IsNullArg(argv[0])) return sqlite3_result_error(ctx, "Invalid use of Null", -1);
    if (!NumberOf(argv[0], d)) return Mismatch(ctx);
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(std::nearbyint(d)));
}

void FnCBool(sqlite3_context* ctx, int, TArgs argv) {
    double d = 0;
    if (IsNullArg(argv[0])) return sqlite3_result_error(ctx, "Invalid use of Null", -1);
    const String s = Trim(TextOf(argv[0]));
    if (SameText(s, "true") || SameText(s, "yes")) return sqlite3_result_int(ctx, 1);
    if (SameText(s, "false") || SameText(s, "no")) return sqlite3_result_int(ctx, 0);
    if (!NumberOf(argv[0], d)) return Mismatch(ctx);
    sqlite3_result_int(ctx, d != 0 ? 1 : 0);
}

void FnCDate(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    TDateTime d = 0;
    if (!DateOf(argv[0], d)) return Mismatch(ctx);
    ResultText(ctx, DateTimeToStorage(d));
}

void FnInt(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    double d = 0;
    if (!NumberOf(argv[0], d)) return Mismatch(ctx);
    sqlite3_result_double(ctx, std::floor(d));
}

void FnFix(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    double d = 0;
    if (!NumberOf(argv[0], d)) return Mismatch(ctx);
    sqlite3_result_double(ctx, std::trunc(d));
}

void FnSgn(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    double d = 0;
    if (!NumberOf(argv[0], d)) return Mismatch(ctx);
    sqlite3_result_int(ctx, d > 0 ? 1 : (d < 0 ? -1 : 0));
}

void FnSqr(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    double d = 0;
    if (!NumberOf(argv[0], d) || d < 0) return Mismatch(ctx);
    sqlite3_result_double(ctx, std::sqrt(d));
}

void FnIsNull(sqlite3_context* ctx, int, TArgs argv) {
    sqlite3_result_int(ctx, IsNullArg(argv[0]) ? 1 : 0);
}

// ---- dates ---------------------------------------------------------------------------------------

void FnDate(sqlite3_context* ctx, int, TArgs) {
    ResultText(ctx, DateTimeToStorage(std::floor(StorageNow())));
}
void FnNow(sqlite3_context* ctx, int, TArgs) {
    ResultText(ctx, DateTimeToStorage(StorageNow()));
}

void FnTime(sqlite3_context* ctx, int, TArgs) {
    const TDateTime now = StorageNow();
    const String s = DateTimeToStorage(now);
    ResultText(ctx, s.size() > 11 ? s.substr(11) : String("00:00:00"));
}

enum TPart { pYear, pMonth, pDay, pHour, pMinute, pSecond, pWeekday };

template <TPart P> void FnPart(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    TDateTime d = 0;
    if (!DateOf(argv[0], d)) return Mismatch(ctx);
    int y, m, day;
    StorageDecodeDate(d, y, m, day);
    const long secs = std::lround((d - std::floor(d)) * 86400.0);
    int r = 0;
    switch (P) {
    case pYear:
        r = y;
        break;
    case pMonth:
        r = m;
        break;
    case pDay:
        r = day;
        break;
    case pHour:
        r = static_cast<int>(secs / 3600);
        break;
    case pMinute:
        r = static_cast<int>(secs / 60 % 60);
        break;
    case pSecond:
        r = static_cast<int>(secs % 60);
        break;
    case pWeekday: {
        // 1 = Sunday; 1899-12-30 was a Saturday.
        const long days = static_cast<long>(std::floor(d));
        r = static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
        break;
    }
    }
    sqlite3_result_int(ctx, r);
}

TDateTime AddMonths(TDateTime d, long months) {
    int y, m, day;
    StorageDecodeDate(d, y, m, day);
    long total = static_cast<long>(y) * 12 + (m - 1) + months;
    const int ny = static_cast<int>(total / 12), nm = static_cast<int>(total % 12) + 1;
    const int nd = std::min(day, StorageDaysInMonth(ny, nm));
    return StorageEncodeDate(ny, nm, nd) + (d - std::floor(d));
}

// DateAdd(interval, number, date) with the intervals yyyy q m y d w ww h n s.
void FnDateAdd(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[1]) || IsNullArg(argv[2])) return sqlite3_result_null(ctx);
    const String iv = LowerCase(Trim(TextOf(argv[0])));
    double n = 0;
    TDateTime d = 0;
    if (!NumberOf(argv[1], n) || !DateOf(argv[2], d)) return Mismatch(ctx);
    const long k = static_cast<long>(std::trunc(n));
    if (iv == "yyyy")
        d = AddMonths(d, k * 12);
    else if (iv == "q")
        d = AddMonths(d, k * 3);
    else if (iv == "m")
        d = AddMonths(d, k);
    else if (iv == "y" || iv == "d" || iv == "w")
        d += k;
    else if (iv == "ww")
        d += k * 7;
    else if (iv == "h")
        d += k / 24.0;
    else if (iv == "n")
        d += k / 1440.0;
    else if (iv == "s")
        d += k / 86400.0;
    else
        return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    ResultText(ctx, DateTimeToStorage(d));
}

// DateDiff(interval, date1, date2): the number of interval boundaries between the two dates.
void FnDateDiff(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[1]) || IsNullArg(argv[2])) return sqlite3_result_null(ctx);
    const String iv = LowerCase(Trim(TextOf(argv[0])));
    TDateTime a = 0, b = 0;
    if (!DateOf(argv[1], a) || !DateOf(argv[2], b)) return Mismatch(ctx);
    int ya, ma, da, yb, mb, db;
    StorageDecodeDate(a, ya, ma, da);
    StorageDecodeDate(b, yb, mb, db);
    const long dayA = static_cast<long>(std::floor(a)), dayB = static_cast<long>(std::floor(b));
    const long long sa = std::llround(a * 86400.0), sb = std::llround(b * 86400.0);
    auto floorDiv = [](long long x, long long y) { return x / y - ((x % y != 0) && ((x < 0) != (y < 0))); };
    long long r = 0;
    if (iv == "yyyy")
        r = yb - ya;
    else if (iv == "q")
        r = (yb * 4 + (mb - 1) / 3) - (ya * 4 + (ma - 1) / 3);
    else if (iv == "m")
        r = (yb * 12 + mb) - (ya * 12 + ma);
    else if (iv == "y" || iv == "d")
        r = dayB - dayA;
    else if (iv == "w")
        r = (dayB - dayA) / 7;
    else if (iv == "ww") {
        // Sundays crossed: weeks counted from Sunday.
        r = floorDiv(dayB + 6, 7) - floorDiv(dayA + 6, 7);
    } else if (iv == "h")
        r = floorDiv(sb, 3600) - floorDiv(sa, 3600);
    else if (iv == "n")
        r = floorDiv(sb, 60) - floorDiv(sa, 60);
    else if (iv == "s")
        r = sb - sa;
    else
        return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    sqlite3_result_int64(ctx, r);
}

void FnDatePart(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[1])) return sqlite3_result_null(ctx);
    const String iv = LowerCase(Trim(TextOf(argv[0])));
    TDateTime d = 0;
    if (!DateOf(argv[1], d)) return Mismatch(ctx);
    int y, m, day;
    StorageDecodeDate(d, y, m, day);
    const long secs = std::lround((d - std::floor(d)) * 86400.0);
    long r = 0;
    if (iv == "yyyy")
        r = y;
    else if (iv == "q")
        r = (m - 1) / 3 + 1;
    else if (iv == "m")
        r = m;
    else if (iv == "y")
        r = static_cast<long>(std::floor(d) - StorageEncodeDate(y, 1, 1)) + 1;
    else if (iv == "d")
        r = day;
    else if (iv == "w")
        r = ((static_cast<long>(std::floor(d)) % 7) + 13) % 7 + 1;
    else if (iv == "h")
        r = secs / 3600;
    else if (iv == "n")
        r = secs / 60 % 60;
    else if (iv == "s")
        r = secs % 60;
    else
        return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    sqlite3_result_int64(ctx, r);
}

// DateSerial(y, m, d): months and days beyond their range carry over.
void FnDateSerial(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0]) || IsNullArg(argv[1]) || IsNullArg(argv[2])) return sqlite3_result_null(ctx);
    const long y = static_cast<long>(sqlite3_value_int64(argv[0]));
    const long m = static_cast<long>(sqlite3_value_int64(argv[1]));
    const long d = static_cast<long>(sqlite3_value_int64(argv[2]));
    TDateTime base = AddMonths(StorageEncodeDate(static_cast<int>(y), 1, 1), m - 1);
    ResultText(ctx, DateTimeToStorage(base + (d - 1)));
}

// ---- Format --------------------------------------------------------------------------------------

bool LooksLikeDateFormat(const String& fmt) {
    const String f = LowerCase(fmt);
    return f.find('y') != String::npos || f.find('d') != String::npos || f.find('h') != String::npos ||
           f.find('n') != String::npos || f.find(':') != String::npos ||
           (f.find('m') != String::npos && f.find_first_of("0#") == String::npos);
}

// Format(value [, format]): dates through FormatDateTime, numbers through FormatFloat, with the
// platform's named formats.
void FnFormat(sqlite3_context* ctx, int argc, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    String fmt = argc > 1 && !IsNullArg(argv[1]) ? TextOf(argv[1]) : String();
    const String named = LowerCase(fmt);
    TDateTime d = 0;
    double n = 0;
    const int type = sqlite3_value_type(argv[0]);
    const bool isText = type == SQLITE_TEXT;
    if (named == "general date") fmt.clear();
    if (named == "short date") fmt = FormatSettings().ShortDateFormat;
    if (named == "long date") fmt = FormatSettings().LongDateFormat;
    if (named == "short time") fmt = "hh:nn";
    if (named == "long time") fmt = "hh:nn:ss";
    if (isText && DateOf(argv[0], d) && !NumberOf(argv[0], n)) {
        ResultText(ctx, fmt.empty() ? DateTimeToStr(d) : FormatDateTime(fmt, d));
        return;
    }
    if (!NumberOf(argv[0], n)) {
        ResultText(ctx, TextOf(argv[0]));
        return;
    }
    if (!fmt.empty() && LooksLikeDateFormat(fmt) && named != "general number") {
        ResultText(ctx, FormatDateTime(fmt, n));
        return;
    }
    if (fmt.empty() || named == "general number") {
        ResultText(ctx, type == SQLITE_INTEGER ? IntToStr(sqlite3_value_int64(argv[0])) : FloatToStr(n));
        return;
    }
    if (named == "fixed") fmt = "0.00";
    if (named == "standard") fmt = "#,##0.00";
    if (named == "percent") fmt = "0.00%";
    if (named == "currency") {
        ResultText(ctx, FloatToStrF(n, TFloatFormat::ffCurrency, 15, FormatSettings().CurrencyDecimals));
        return;
    }
    ResultText(ctx, FormatFloat(fmt, n));
}

// A date normalised to its stored form, for comparing dates written in different ways.
void FnDateKey(sqlite3_context* ctx, int, TArgs argv) {
    TDateTime d = 0;
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    if (!DateOf(argv[0], d)) return sqlite3_result_value(ctx, argv[0]);
    ResultText(ctx, DateTimeToStorage(d));
}

struct TFn {
    const char* Name;
    int Args;
    void (*Fn)(sqlite3_context*, int, TArgs);
    bool Deterministic;
};

const TFn kFunctions[] = {
    {"orv_concat", -1, FnConcat, true},
    {"orv_nz", 1, FnNz, true},
    {"orv_nz", 2, FnNz, true},
    {"orv_format", 1, FnFormat, true},
    {"orv_format", 2, FnFormat, true},
    {"orv_val", 1, FnVal, true},
    {"orv_len", 1, FnLen, true},
    {"orv_left", 2, FnLeft, true},
    {"orv_right", 2, FnRight, true},
    {"orv_mid", 2, FnMid, true},
    {"orv_mid", 3, FnMid, true},
    {"orv_instr", 2, FnInStr, true},
    {"orv_instr", 3, FnInStr, true},
    {"orv_instr", 4, FnInStr, true},
    {"orv_year", 1, FnPart<pYear>, true},
    {"orv_month", 1, FnPart<pMonth>, true},
    {"orv_day", 1, FnPart<pDay>, true},
    {"orv_hour", 1, FnPart<pHour>, true},
    {"orv_minute", 1, FnPart<pMinute>, true},
    {"orv_second", 1, FnPart<pSecond>, true},
    {"orv_weekday", 1, FnPart<pWeekday>, true},
    {"orv_date", 0, FnDate, false},
    {"orv_now", 0, FnNow, false},
    {"orv_time", 0, FnTime, false},
    {"orv_dateadd", 3, FnDateAdd, true},
    {"orv_datediff", 3, FnDateDiff, true},
    {"orv_datediff", 4, FnDateDiff, true},
    {"orv_datepart", 2, FnDatePart, true},
    {"orv_dateserial", 3, FnDateSerial, true},
    {"orv_cdate", 1, FnCDate, true},
    {"orv_cstr", 1, FnCStr, true},
    {"orv_cdbl", 1, FnCDbl, true},
    {"orv_ccur", 1, FnCCur, true},
    {"orv_clng", 1, FnCLng, true},
    {"orv_cbool", 1, FnCBool, true},
    {"orv_int", 1, FnInt, true},
    {"orv_fix", 1, FnFix, true},
    {"orv_sgn", 1, FnSgn, true},
    {"orv_isnull", 1, FnIsNull, true},
    {"orv_space", 1, FnSpace, true},
    {"orv_string", 2, FnString, true},
    {"orv_asc", 1, FnAsc, true},
    {"orv_chr", 1, FnChr, true},
    {"orv_strcomp", 2, FnStrComp, true},
    {"orv_strcomp", 3, FnStrComp, true},
    {"orv_sqr", 1, FnSqr, true},
    {"orv_datekey", 1, FnDateKey, true},
};

} // namespace

void RegisterJetFunctions(void* sqliteHandle) {
    auto* db = static_cast<sqlite3*>(sqliteHandle);
    for (const TFn& f : kFunctions) {
        const int flags = SQLITE_UTF8 | (f.Deterministic ? SQLITE_DETERMINISTIC : 0);
        if (sqlite3_create_function_v2(db, f.Name, f.Args, flags, nullptr, f.Fn, nullptr, nullptr, nullptr) !=
            SQLITE_OK)
            throw EDatabaseError(String("Cannot register the function ") + f.Name + ": " +
                                 sqlite3_errmsg(db));
    }
}
