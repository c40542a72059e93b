// Integers and floats to text and back: IntToStr, IntToHex, StrToInt, StrToFloat, StrToCurr.
#include "rtl/FormatDecimal.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <cstdlib>

namespace {

[[noreturn]] void InvalidInteger(const String& s) {
    throw EConvertError("'" + s + "' is not a valid integer value");
}

[[noreturn]] void InvalidFloat(const String& s) {
    throw EConvertError("'" + s + "' is not a valid floating point value");
}

// The platform's integer reading: blanks, sign, then decimal digits or hex digits after "$" or
// "0x", up to the end. `bits` is 32 or 64: decimal text must fit the signed range; hex text may
// use all the bits (so "$FFFFFFFF" reads -1 as a 32-bit integer).
bool ParseInteger(const String& s, int bits, Int64& value) {
    size_t i = 0, n = s.size();
    while (i < n && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    bool hex = false;
    if (i < n && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;
    const UInt64 mask = bits == 32 ? 0xFFFFFFFFull : ~0ull;
    UInt64 magnitude = 0;
    for (; i < n; ++i) {
        char c = s[i];
        const int d = hex ? HexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (d < 0) return false;
        if (hex) {
            if (magnitude > (mask >> 4)) return false;
            magnitude = magnitude * 16 + static_cast<UInt64>(d);
        } else {
            if (magnitude > (~0ull - static_cast<UInt64>(d)) / 10) return false;
            magnitude = magnitude * 10 + static_cast<UInt64>(d);
        }
    }
    if (hex) {
        UInt64 v = negative ? (0 - magnitude) & mask : magnitude;
        value = bits == 32 ? static_cast<Int64>(static_cast<Integer>(static_cast<Cardinal>(v)))
                           : static_cast<Int64>(v);
        return true;
    }
    const UInt64 limit = bits == 32 ? 0x7FFFFFFFull : 0x7FFFFFFFFFFFFFFFull;
    if (magnitude > limit + (negative ? 1 : 0)) return false;
    value = negative ? static_cast<Int64>(0 - magnitude) : static_cast<Int64>(magnitude);
    return true;
}

// A float in the platform's syntax rewritten for the C library: "[-]ddd.dddE[-]ddd".
// False when the text is not one.
bool NormalizeFloat(const String& s, char decimalSeparator, String& out) {
    size_t i = 0, n = s.size();
    while (i < n && s[i] == ' ')
        ++i;
    out.clear();
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') out += '-';
        ++i;
    }
    int digits = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') {
        out += s[i++];
        ++digits;
    }
    if (i < n && s[i] == decimalSeparator) {
        out += '.';
        ++i;
        while (i < n && s[i] >= '0' && s[i] <= '9') {
            out += s[i++];
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        out += 'E';
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) out += s[i++];
        int expDigits = 0;
        while (i < n && s[i] >= '0' && s[i] <= '9') {
            out += s[i++];
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    while (i < n && s[i] == ' ')
        ++i;
    return i == n;
}

String HexDigits(UInt64 v, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    char buf[17];
    int n = 0;
    do {
        buf[n++] = hex[v & 15];
        v >>= 4;
    } while (v != 0);
    String out;
    if (digits > n) out.append(static_cast<size_t>(std::min(digits, 64) - n), '0');
    while (n > 0)
        out += buf[--n];
    return out;
}

} // namespace

String IntToStr(Int64 value) {
    return std::to_string(value);
}

String IntToHex(Integer value, int digits) {
    return HexDigits(static_cast<Cardinal>(value), digits);
}
String IntToHex(Cardinal value, int digits) {
    return HexDigits(value, digits);
}
String IntToHex(Int64 value, int digits) {
    return HexDigits(static_cast<UInt64>(value), digits);
}
String IntToHex(UInt64 value, int digits) {
    return HexDigits(value, digits);
}

bool TryStrToInt(const String& s, Integer& value) {
    Int64 v;
    if (!ParseInteger(s, 32, v)) return false;
    value = static_cast<Integer>(v);
    return true;
}

bool TryStrToInt64(const String& s, Int64& value) {
    return ParseInteger(s, 64, value);
}

Integer StrToInt(const String& s) {
    Integer v;
    if (!TryStrToInt(s, v)) InvalidInteger(s);
    return v;
}

Int64 StrToInt64(const String& s) {
    Int64 v;
    if (!TryStrToInt64(s, v)) InvalidInteger(s);
    return v;
}

Integer StrToIntDef(const String& s, Integer def) {
    Integer v;
    return TryStrToInt(s, v) ? v : def;
}

Int64 StrToInt64Def(const String& s, Int64 def) {
    Int64 v;
    return TryStrToInt64(s, v) ? v : def;
}

bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& fs) {
    String text;
    if (!NormalizeFloat(s, fs.DecimalSeparator, text)) return false;
    bool overflow;
    Extended v = ParseCExtended(text, overflow);
    if (overflow) return false;
    value = v;
    return true;
}

bool TryStrToFloat(const String& s, double& value, const TFormatSettings& fs) {
    String text;
    if (!NormalizeFloat(s, fs.DecimalSeparator, text)) return false;
    bool overflow;
    double v = ParseCDouble(text, overflow); // rounded once, straight to double
    if (overflow) return false;
    value = v;
    return true;
}

bool TryStrToFloat(const String& s, Extended& value) {
    return TryStrToFloat(s, value, FormatSettings());
}
bool TryStrToFloat(const String& s, double& value) {
    return TryStrToFloat(s, value, FormatSettings());
}

Extended StrToFloat(const String& s) {
    return StrToFloat(s, FormatSettings());
}

Extended StrToFloat(const String& s, const TFormatSettings& fs) {
    Extended v;
    if (!TryStrToFloat(s, v, fs)) InvalidFloat(s);
    return v;
}

Extended StrToFloatDef(const String& s, Extended def) {
    Extended v;
    return TryStrToFloat(s, v) ? v : def;
}

// Reads the decimal text exactly and rounds it to ten-thousandths, a tie to the even neighbour
// (as the platform's conversion does).
bool TryStrToCurr(const String& s, Currency& value, const TFormatSettings& fs) {
    String text;
    if (!NormalizeFloat(s, fs.DecimalSeparator, text)) return false;
    bool negative = !text.empty() && text[0] == '-';
    String digits;
    int pointShift = 0; // value = digits x 10^pointShift
    size_t i = negative ? 1 : 0;
    bool afterPoint = false;
    for (; i < text.size() && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            afterPoint = true;
            continue;
        }
        if (digits.empty() && text[i] == '0') {
            if (afterPoint) --pointShift;
            continue;
        }
        digits += text[i];
        if (afterPoint) --pointShift;
    }
    if (i < text.size()) {
        long e = std::strtol(text.c_str() + i + 1, nullptr, 10);
        if (e > 100 || e < -100) {
            if (e > 0 && !digits.empty()) return false;
            if (e < 0) digits.clear();
        } else {
            pointShift += static_cast<int>(e);
        }
    }
    if (digits.empty()) {
        value = Currency();
        return true;
    }
    // Ten-thousandths: the digits up to `keep`, then rounding by the rest.
    int keep = static_cast<int>(digits.size()) + pointShift + 4;
    if (keep > 20) return false;
    __int128 raw = 0;
    for (int k = 0; k < keep; ++k)
        raw = raw * 10 + (k < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(k)] - '0' : 0);
    if (keep < static_cast<int>(digits.size())) {
        size_t first = keep < 0 ? 0 : static_cast<size_t>(keep);
        int cmp; // rest compared with one half
        if (keep < 0)
            cmp = -1;
        else if (digits[first] != '5')
            cmp = digits[first] > '5' ? 1 : -1;
        else
            cmp = digits.find_first_not_of('0', first + 1) != String::npos ? 1 : 0;
        if (cmp > 0 || (cmp == 0 && (raw % 2) != 0)) ++raw;
    }
    if (negative) raw = -raw;
    if (raw > INT64_MAX || raw < INT64_MIN) return false;
    value = Currency::FromRaw(static_cast<Int64>(raw));
    return true;
}

bool TryStrToCurr(const String& s, Currency& value) {
    return TryStrToCurr(s, value, FormatSettings());
}

Currency StrToCurr(const String& s) {
    Currency v;
    if (!TryStrToCurr(s, v)) InvalidFloat(s);
    return v;
}
