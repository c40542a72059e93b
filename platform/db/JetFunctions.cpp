// The Jet functions the translated statements call, registered on each connection. Dates come
// in as the stored ISO text (or a day number) and go out as ISO text; numbers format through the
// runtime's formatting module.
#include "db/DateStorage.h"
#include "db/MoneyStorage.h"
#include "db/SqliteDatabase.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

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

void Overflow(sqlite3_context* ctx) {
    sqlite3_result_error(ctx, "Overflow", -1);
}

void DivisionByZero(sqlite3_context* ctx) {
    sqlite3_result_error(ctx, "Division by zero", -1);
}

// Jet's dates run from 100-01-01 to 9999-12-31.
constexpr double kFirstDate = -657434.0, kLastDate = 2958466.0;

bool InDateRange(double d) {
    return std::isfinite(d) && d >= kFirstDate && d < kLastDate;
}

// A date result, or Jet's "Overflow" outside the dates it holds.
void ResultDate(sqlite3_context* ctx, double d) {
    if (!InDateRange(d)) return Overflow(ctx);
    const String s = DateTimeToStorage(d);
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

// A number result: "Overflow" when it is not finite.
void ResultNumber(sqlite3_context* ctx, double d) {
    if (!std::isfinite(d)) return Overflow(ctx);
    sqlite3_result_double(ctx, d);
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

// ---- arithmetic ----------------------------------------------------------------------------------

// What an operand of + or - is: Null, a number, a date (text in the stored date form), or other
// text (which may still read as a number).
enum class TOperand { Null, Number, Date, Text };

TOperand OperandOf(sqlite3_value* v, double& number) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return TOperand::Null;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        number = sqlite3_value_double(v);
        return TOperand::Number;
    default: {
        size_t n = static_cast<size_t>(sqlite3_value_bytes(v));
        const char* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
        TDateTime d = 0;
        if (t && StorageToDateTime(t, n, d)) {
            number = d;
            return TOperand::Date;
        }
        return TOperand::Text;
    }
    }
}

bool BothIntegers(TArgs argv) {
    return sqlite3_value_type(argv[0]) == SQLITE_INTEGER && sqlite3_value_type(argv[1]) == SQLITE_INTEGER;
}

// a + b: texts join, a date plus days is a date, numbers add; text beside a number is read as a
// number. Null when either is Null.
void FnAdd(sqlite3_context* ctx, int, TArgs argv) {
    double a = 0, b = 0;
    const TOperand ka = OperandOf(argv[0], a), kb = OperandOf(argv[1], b);
    if (ka == TOperand::Null || kb == TOperand::Null) return sqlite3_result_null(ctx);
    const bool textA = ka == TOperand::Text || ka == TOperand::Date,
               textB = kb == TOperand::Text || kb == TOperand::Date;
    if (textA && textB) return ResultText(ctx, TextOf(argv[0]) + TextOf(argv[1]));
    if (ka == TOperand::Date && kb == TOperand::Number) return ResultDate(ctx, a + b);
    if (kb == TOperand::Date && ka == TOperand::Number) return ResultDate(ctx, a + b);
    if ((ka == TOperand::Text && !NumberOf(argv[0], a)) || (kb == TOperand::Text && !NumberOf(argv[1], b)))
        return Mismatch(ctx);
    sqlite3_int64 r = 0;
    if (BothIntegers(argv) &&
        !__builtin_add_overflow(sqlite3_value_int64(argv[0]), sqlite3_value_int64(argv[1]), &r))
        return sqlite3_result_int64(ctx, r);
    ResultNumber(ctx, a + b);
}

// a - b: two dates give the days between them, a date less days is a date, numbers subtract.
void FnSub(sqlite3_context* ctx, int, TArgs argv) {
    double a = 0, b = 0;
    const TOperand ka = OperandOf(argv[0], a), kb = OperandOf(argv[1], b);
    if (ka == TOperand::Null || kb == TOperand::Null) return sqlite3_result_null(ctx);
    if (ka == TOperand::Date && kb == TOperand::Date) return ResultNumber(ctx, a - b);
    if (ka == TOperand::Date && kb == TOperand::Number) return ResultDate(ctx, a - b);
    if ((ka != TOperand::Number && !NumberOf(argv[0], a)) ||
        (kb != TOperand::Number && !NumberOf(argv[1], b)))
        return Mismatch(ctx);
    sqlite3_int64 r = 0;
    if (BothIntegers(argv) &&
        !__builtin_sub_overflow(sqlite3_value_int64(argv[0]), sqlite3_value_int64(argv[1]), &r))
        return sqlite3_result_int64(ctx, r);
    ResultNumber(ctx, a - b);
}

// ---- money ---------------------------------------------------------------------------------------
// Where a CURRENCY column takes part, the translation calls these instead of + - * and SUM
// (db/JetSql.h): the arithmetic is exact in Currency, and an amount beyond what a money column
// holds raises its overflow error (db/MoneyStorage.h).

void MoneyOverflow(sqlite3_context* ctx, const String& amount) {
    sqlite3_result_error(ctx, MoneyOverflowMessage(amount).c_str(), -1);
}

// An amount as a money column stores it.
void ResultMoney(sqlite3_context* ctx, Currency amount) {
    if (!MoneyStorable(amount)) return MoneyOverflow(ctx, CurrToStr(amount));
    if (MoneyStorageIsWhole(amount)) return sqlite3_result_int64(ctx, amount.Value / 10000);
    sqlite3_result_double(ctx, MoneyToStorage(amount));
}

// A number argument as an amount (a text that reads as a number too); false, with the result
// set, for other text or an amount beyond Currency's range.
bool MoneyOf(sqlite3_context* ctx, sqlite3_value* v, Currency& amount) {
    double d = 0;
    if (!NumberOf(v, d)) {
        Mismatch(ctx);
        return false;
    }
    try {
        amount = sqlite3_value_type(v) == SQLITE_INTEGER ? Currency::FromInt(sqlite3_value_int64(v))
                                                         : StorageToMoney(d);
    } catch (const EOverflow&) {
        MoneyOverflow(ctx, FloatToStr(d));
        return false;
    }
    return true;
}

bool BothNumbers(TArgs argv) {
    for (int i = 0; i < 2; ++i)
        if (sqlite3_value_type(argv[i]) != SQLITE_INTEGER && sqlite3_value_type(argv[i]) != SQLITE_FLOAT)
            return false;
    return true;
}

// The value a CURRENCY column stores for what was written: the nearest ten-thousandth (a whole
// amount as an integer); Null stays Null; text is a type mismatch.
void FnMoney(sqlite3_context* ctx, int, TArgs argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        return sqlite3_result_null(ctx);
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: {
        Currency amount;
        if (MoneyOf(ctx, argv[0], amount)) ResultMoney(ctx, amount);
        return;
    }
    default:
        return Mismatch(ctx);
    }
}

// money + n and money - n; any other operands (a text, a date) as Jet's + and - take them.
template <bool Add> void FnMoneyAddSub(sqlite3_context* ctx, int argc, TArgs argv) {
    if (IsNullArg(argv[0]) || IsNullArg(argv[1])) return sqlite3_result_null(ctx);
    if (!BothNumbers(argv)) return Add ? FnAdd(ctx, argc, argv) : FnSub(ctx, argc, argv);
    Currency a, b;
    if (!MoneyOf(ctx, argv[0], a) || !MoneyOf(ctx, argv[1], b)) return;
    try {
        ResultMoney(ctx, Add ? a + b : a - b);
    } catch (const EOverflow&) {
        MoneyOverflow(ctx, FloatToStr(Add ? sqlite3_value_double(argv[0]) + sqlite3_value_double(argv[1])
                                          : sqlite3_value_double(argv[0]) - sqlite3_value_double(argv[1])));
    }
}

// money x quantity: the quantity as it reads, the product rounded once (MulQuantity).
void FnMoneyMul(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0]) || IsNullArg(argv[1])) return sqlite3_result_null(ctx);
    Currency amount;
    double quantity = 0;
    if (!MoneyOf(ctx, argv[0], amount)) return;
    if (!NumberOf(argv[1], quantity)) return Mismatch(ctx);
    try {
        ResultMoney(ctx, sqlite3_value_type(argv[1]) == SQLITE_INTEGER ? amount * sqlite3_value_int64(argv[1])
                                                                       : MulQuantity(amount, quantity));
    } catch (const EOverflow&) {
        MoneyOverflow(ctx, FloatToStr(sqlite3_value_double(argv[0]) * quantity));
    }
}

// SUM over money: the exact total of the amounts; Null when there are none.
struct TMoneySum {
    Int64 Total;
    bool Any;
    bool Overflowed;
};

void MoneySumStep(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return;
    auto* sum = static_cast<TMoneySum*>(sqlite3_aggregate_context(ctx, sizeof(TMoneySum)));
    if (!sum) return sqlite3_result_error_nomem(ctx);
    Currency amount;
    if (!MoneyOf(ctx, argv[0], amount)) return;
    sum->Any = true;
    if (__builtin_add_overflow(sum->Total, amount.Value, &sum->Total)) sum->Overflowed = true;
}

void MoneySumFinal(sqlite3_context* ctx) {
    auto* sum = static_cast<TMoneySum*>(sqlite3_aggregate_context(ctx, 0));
    if (!sum || !sum->Any) return sqlite3_result_null(ctx);
    if (sum->Overflowed) return MoneyOverflow(ctx, "of the sum");
    ResultMoney(ctx, Currency::FromRaw(sum->Total));
}

// The two number operands of / \ Mod ^; false (with the result set) for Null or a mismatch.
bool NumberOperands(sqlite3_context* ctx, TArgs argv, double& a, double& b) {
    if (IsNullArg(argv[0]) || IsNullArg(argv[1])) {
        sqlite3_result_null(ctx);
        return false;
    }
    if (!NumberOf(argv[0], a) || !NumberOf(argv[1], b)) {
        Mismatch(ctx);
        return false;
    }
    return true;
}

void FnDiv(sqlite3_context* ctx, int, TArgs argv) {
    double a = 0, b = 0;
    if (!NumberOperands(ctx, argv, a, b)) return;
    if (b == 0) return DivisionByZero(ctx);
    ResultNumber(ctx, a / b);
}

// \ and Mod round both operands to whole numbers first (half to even), as Jet does.
bool WholeOperands(sqlite3_context* ctx, TArgs argv, sqlite3_int64& a, sqlite3_int64& b) {
    double x = 0, y = 0;
    if (!NumberOperands(ctx, argv, x, y)) return false;
    x = std::nearbyint(x);
    y = std::nearbyint(y);
    if (std::fabs(x) > 9.2e18 || std::fabs(y) > 9.2e18) {
        Overflow(ctx);
        return false;
    }
    a = static_cast<sqlite3_int64>(x);
    b = static_cast<sqlite3_int64>(y);
    if (b == 0) {
        DivisionByZero(ctx);
        return false;
    }
    return true;
}

void FnIntDiv(sqlite3_context* ctx, int, TArgs argv) {
    sqlite3_int64 a = 0, b = 0;
    if (WholeOperands(ctx, argv, a, b)) sqlite3_result_int64(ctx, b == -1 ? -a : a / b);
}

void FnMod(sqlite3_context* ctx, int, TArgs argv) {
    sqlite3_int64 a = 0, b = 0;
    if (WholeOperands(ctx, argv, a, b)) sqlite3_result_int64(ctx, b == -1 ? 0 : a % b);
}

void FnPow(sqlite3_context* ctx, int, TArgs argv) {
    double a = 0, b = 0;
    if (!NumberOperands(ctx, argv, a, b)) return;
    if (a < 0 && b != std::trunc(b))
        return sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
    if (a == 0 && b < 0) return DivisionByZero(ctx);
    ResultNumber(ctx, std::pow(a, b));
}

// The value of a LIKE pattern built from parts: its "*" and "?" are wildcards, as in a literal.
void FnLikeWild(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    String s = TextOf(argv[0]);
    for (char& c : s) {
        if (c == '*') c = '%';
        if (c == '?') c = '_';
    }
    ResultText(ctx, s);
}

// A value written into a date column in the stored date form: text that reads as a date (or a
// day number) is converted; other text is refused with Jet's type mismatch.
void FnDateNorm(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    TDateTime d = 0;
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
        // Already in the stored form ("yyyy-mm-dd" or "yyyy-mm-dd hh:nn:ss", a real date): as it is.
        const char* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
        const int n = sqlite3_value_bytes(argv[0]);
        if ((n == 10 || (n == 19 && t[10] == ' ' && t[13] == ':' && t[16] == ':')) && t[4] == '-' &&
            t[7] == '-' && StorageToDateTime(t, static_cast<size_t>(n), d) && InDateRange(d))
            return sqlite3_result_value(ctx, argv[0]);
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_BLOB || !DateOf(argv[0], d)) return Mismatch(ctx);
    // A time alone keeps the stored form of a time, "hh:nn:ss", as #10:30# gives it.
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT && d >= 0 && d < 1) {
        const String t = TextOf(argv[0]);
        if (t.find_first_of("-/") == String::npos) {
            const long secs = std::lround(d * 86400.0) % 86400;
            char buf[16];
            std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", secs / 3600, secs / 60 % 60, secs % 60);
            return ResultText(ctx, buf);
        }
    }
    ResultDate(ctx, d);
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

// A repeat count for Space and String: false (with the error set) when the text would be longer
// than the connection allows, or the count is negative.
bool RepeatCount(sqlite3_context* ctx, sqlite3_value* v, size_t unit, size_t& count) {
    double n = 0;
    if (!NumberOf(v, n)) {
        Mismatch(ctx);
        return false;
    }
    n = std::nearbyint(n);
    if (n < 0) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return false;
    }
    const double limit = sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1);
    if (n * static_cast<double>(std::max<size_t>(unit, 1)) > limit) {
        sqlite3_result_error(ctx, "Out of string space", -1);
        return false;
    }
    count = static_cast<size_t>(n);
    return true;
}

void FnSpace(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    size_t n = 0;
    if (RepeatCount(ctx, argv[0], 1, n)) ResultText(ctx, String(n, ' '));
}

void FnString(sqlite3_context* ctx, int, TArgs argv) {
    if (IsNullArg(argv[0]) || IsNullArg(argv[1])) return sqlite3_result_null(ctx);
    const auto c = Chars(TextOf(argv[1]));
    if (c.empty()) return sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
    size_t n = 0;
    if (!RepeatCount(ctx, argv[0], c[0].size(), n)) return;
    String r;
    r.reserve(n * c[0].size());
    for (size_t i = 0; i < n; ++i)
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
    ResultNumber(ctx, num.empty() ? 0.0 : static_cast<double>(e));
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
    ResultNumber(ctx, d);
}

void FnCCur(sqlite3_context* ctx, int, TArgs argv) {
    double d = 0;
    if (IsNullArg(argv[0])) return sqlite3_result_error(ctx, "Invalid use of Null", -1);
    if (!NumberOf(argv[0], d)) return Mismatch(ctx);
    if (!std::isfinite(d) || std::fabs(d) > 922337203685477.0) return Overflow(ctx);
    sqlite3_result_double(ctx, std::round(d * 10000.0) / 10000.0);
}

// CLng/CInt round half to even, as the platform's conversions do; outside the range of a Long
// (or an Integer) they raise "Overflow".
template <sqlite3_int64 Low, sqlite3_int64 High> void FnCWhole(sqlite3_context* ctx, int, TArgs argv) {
    double d = 0;
    if (IsNullArg(argv[0])) return sqlite3_result_error(ctx, "Invalid use of Null", -1);
    if (!NumberOf(argv[0], d)) return Mismatch(ctx);
    d = std::nearbyint(d);
    if (!(d >= static_cast<double>(Low) && d <= static_cast<double>(High))) return Overflow(ctx);
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(d));
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
    // The days one interval spans at most: a count that carries the date past the ten thousand
    // years Jet holds overflows before any arithmetic.
    static const struct {
        const char* Name;
        double Days;
        int Months;
    } intervals[] = {{"yyyy", 366, 12},    {"q", 92, 3},         {"m", 31, 1}, {"y", 1, 0},
                     {"d", 1, 0},          {"w", 1, 0},          {"ww", 7, 0}, {"h", 1.0 / 24, 0},
                     {"n", 1.0 / 1440, 0}, {"s", 1.0 / 86400, 0}};
    const auto* unit =
        std::find_if(std::begin(intervals), std::end(intervals), [&](const auto& u) { return iv == u.Name; });
    if (unit == std::end(intervals))
        return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    const double k = std::trunc(n);
    if (!std::isfinite(k) || std::fabs(k) * unit->Days > kLastDate - kFirstDate) return Overflow(ctx);
    if (unit->Months)
        d = AddMonths(d, static_cast<long>(k) * unit->Months);
    else
        d += k * unit->Days;
    ResultDate(ctx, d);
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
    const sqlite3_int64 y = sqlite3_value_int64(argv[0]);
    const sqlite3_int64 m = sqlite3_value_int64(argv[1]);
    const sqlite3_int64 d = sqlite3_value_int64(argv[2]);
    // Months and days may carry the date a long way; anything past the dates Jet holds overflows.
    if (y < 0 || y > 9999 || std::llabs(m) > 120000 || std::llabs(d) > 4000000) return Overflow(ctx);
    const int year = static_cast<int>(y < 30 ? y + 2000 : (y < 100 ? y + 1900 : y));
    TDateTime base = AddMonths(StorageEncodeDate(year, 1, 1), static_cast<long>(m - 1));
    ResultDate(ctx, base + static_cast<double>(d - 1));
}

// ---- Format --------------------------------------------------------------------------------------

bool LooksLikeDateFormat(const String& fmt) {
    const String f = LowerCase(fmt);
    return f.find('y') != String::npos || f.find('d') != String::npos || f.find('h') != String::npos ||
           f.find('n') != String::npos || f.find(':') != String::npos ||
           (f.find('m') != String::npos && f.find_first_of("0#") == String::npos);
}

// Format(value [, format]). The named formats come first, then a pattern: a date pattern through
// FormatDateTime, a number pattern through FormatFloat.
//   General Number  the number as it is          Currency   FloatToStrF ffCurrency (the program's
//   Fixed           0.00                                     currency string and decimals)
//   Standard        #,##0.00                      Percent    the number times 100 with "0.00%"
//   Scientific      0.00E+00                      Yes/No, True/False, On/Off   by zero or not
//   General Date, Long Date, Medium Date, Short Date, Long Time, Medium Time, Short Time
void FnFormat(sqlite3_context* ctx, int argc, TArgs argv) {
    if (IsNullArg(argv[0])) return sqlite3_result_null(ctx);
    String fmt = argc > 1 && !IsNullArg(argv[1]) ? TextOf(argv[1]) : String();
    const String named = LowerCase(Trim(fmt));
    TDateTime d = 0;
    double n = 0;
    const int type = sqlite3_value_type(argv[0]);
    const bool isText = type == SQLITE_TEXT;
    const bool isDate = isText && DateOf(argv[0], d) && !NumberOf(argv[0], n);
    // Named number formats.
    static const struct {
        const char* Name;
        const char* Pattern;
    } numberFormats[] = {{"fixed", "0.00"}, {"standard", "#,##0.00"}, {"scientific", "0.00E+00"}};
    for (const auto& f : numberFormats)
        if (named == f.Name) {
            if (!isDate && !NumberOf(argv[0], n)) return ResultText(ctx, TextOf(argv[0]));
            return ResultText(ctx, FormatFloat(f.Pattern, isDate ? d : n));
        }
    if (named == "general number" || named == "percent" || named == "currency" || named == "yes/no" ||
        named == "true/false" || named == "on/off") {
        if (isDate)
            n = d;
        else if (!NumberOf(argv[0], n))
            return ResultText(ctx, TextOf(argv[0]));
        if (named == "general number")
            return ResultText(ctx, type == SQLITE_INTEGER ? IntToStr(sqlite3_value_int64(argv[0]))
                                                          : FloatToStr(n));
        if (named == "percent") return ResultText(ctx, FormatFloat("0.00", n * 100.0) + "%");
        if (named == "currency")
            return ResultText(
                ctx, FloatToStrF(n, TFloatFormat::ffCurrency, 15, FormatSettings().CurrencyDecimals));
        if (named == "yes/no") return ResultText(ctx, n != 0 ? "Yes" : "No");
        if (named == "true/false") return ResultText(ctx, n != 0 ? "True" : "False");
        return ResultText(ctx, n != 0 ? "On" : "Off");
    }
    // Named date formats.
    bool dateFormat = false;
    if (named == "general date") fmt.clear(), dateFormat = true;
    if (named == "short date") fmt = FormatSettings().ShortDateFormat, dateFormat = true;
    if (named == "long date") fmt = FormatSettings().LongDateFormat, dateFormat = true;
    if (named == "medium date") fmt = "dd-mmm-yy", dateFormat = true;
    if (named == "short time") fmt = "hh:nn", dateFormat = true;
    if (named == "medium time") fmt = "hh:nn AM/PM", dateFormat = true;
    if (named == "long time") fmt = "hh:nn:ss", dateFormat = true;
    if (isDate) return ResultText(ctx, fmt.empty() ? DateTimeToStr(d) : FormatDateTime(fmt, d));
    if (!NumberOf(argv[0], n)) return ResultText(ctx, TextOf(argv[0]));
    if (dateFormat || (!fmt.empty() && LooksLikeDateFormat(fmt))) {
        if (!InDateRange(n)) return Overflow(ctx);
        return ResultText(ctx, fmt.empty() ? DateTimeToStr(n) : FormatDateTime(fmt, n));
    }
    if (fmt.empty())
        return ResultText(ctx,
                          type == SQLITE_INTEGER ? IntToStr(sqlite3_value_int64(argv[0])) : FloatToStr(n));
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
    {"orv_clng", 1, FnCWhole<-2147483648LL, 2147483647LL>, true},
    {"orv_cint", 1, FnCWhole<-32768, 32767>, true},
    {"orv_add", 2, FnAdd, true},
    {"orv_money", 1, FnMoney, true},
    {"orv_cadd", 2, FnMoneyAddSub<true>, true},
    {"orv_csub", 2, FnMoneyAddSub<false>, true},
    {"orv_cmul", 2, FnMoneyMul, true},
    {"orv_sub", 2, FnSub, true},
    {"orv_div", 2, FnDiv, true},
    {"orv_idiv", 2, FnIntDiv, true},
    {"orv_mod", 2, FnMod, true},
    {"orv_pow", 2, FnPow, true},
    {"orv_likewild", 1, FnLikeWild, true},
    {"orv_datenorm", 1, FnDateNorm, true},
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

// Every function runs through here: no C++ exception may unwind through SQLite, so one becomes
// the statement's error (and from there the platform's EDatabaseError).
void Guarded(sqlite3_context* ctx, int argc, TArgs argv) {
    const auto* f = static_cast<const TFn*>(sqlite3_user_data(ctx));
    try {
        f->Fn(ctx, argc, argv);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error(ctx, "Out of memory", -1);
    } catch (const Exception& e) {
        sqlite3_result_error(ctx, e.Message().c_str(), -1);
    } catch (const std::exception& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

} // namespace

void RegisterJetFunctions(void* sqliteHandle) {
    auto* db = static_cast<sqlite3*>(sqliteHandle);
    for (const TFn& f : kFunctions) {
        const int flags = SQLITE_UTF8 | (f.Deterministic ? SQLITE_DETERMINISTIC : 0);
        if (sqlite3_create_function_v2(db, f.Name, f.Args, flags, const_cast<TFn*>(&f), Guarded, nullptr,
                                       nullptr, nullptr) != SQLITE_OK)
            throw EDatabaseError(String("Cannot register the function ") + f.Name + ": " +
                                 sqlite3_errmsg(db));
    }
    if (sqlite3_create_function_v2(db, "orv_csum", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, nullptr,
                                   MoneySumStep, MoneySumFinal, nullptr) != SQLITE_OK)
        throw EDatabaseError(String("Cannot register the function orv_csum: ") + sqlite3_errmsg(db));
}
