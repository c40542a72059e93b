// FloatToStr, FloatToStrF, CurrToStr, CurrToStrF: the platform's five float formats.
#include "rtl/FormatDecimal.h"

#include <algorithm>

namespace {

char DigitAt(const TFloatRec& rec, int index) {
    return (index >= 0 && index < rec.Count) ? rec.Digits[index] : '0';
}

void PutExponent(String& out, int exponent, bool forcePlus, int minDigits) {
    out += 'E';
    if (exponent < 0)
        out += '-';
    else if (forcePlus)
        out += '+';
    String digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(digits.size()) < minDigits)
        out.append(static_cast<size_t>(minDigits) - digits.size(), '0');
    out += digits;
}

String SpecialText(const TFloatRec& rec) {
    if (rec.Kind == TFloatRec::TKind::NaN) return "NAN";
    return rec.Negative ? "-INF" : "INF";
}

// Fixed notation up to `precision` integer digits and from 0.0001 up; otherwise d.dddEx with
// the exponent sign only when it is negative.
String GeneralText(const TFloatRec& rec, int precision, const TFormatSettings& fs) {
    if (rec.IsZero()) return "0";
    String out;
    if (rec.Negative) out += '-';
    int e = rec.Exponent;
    if (e > precision || e < -3) {
        out += rec.Digits[0];
        if (rec.Count > 1) {
            out += fs.DecimalSeparator;
            out.append(rec.Digits + 1, static_cast<size_t>(rec.Count - 1));
        }
        PutExponent(out, e - 1, false, 0);
        return out;
    }
    if (e <= 0) {
        out += '0';
        out += fs.DecimalSeparator;
        out.append(static_cast<size_t>(-e), '0');
        out.append(rec.Digits, static_cast<size_t>(rec.Count));
        return out;
    }
    for (int i = 0; i < e; ++i)
        out += DigitAt(rec, i);
    if (rec.Count > e) {
        out += fs.DecimalSeparator;
        out.append(rec.Digits + e, static_cast<size_t>(rec.Count - e));
    }
    return out;
}

String ExponentText(const TFloatRec& rec, int precision, int digits, const TFormatSettings& fs) {
    String out;
    if (rec.Negative) out += '-';
    out += DigitAt(rec, 0);
    if (precision > 1) {
        out += fs.DecimalSeparator;
        for (int i = 1; i < precision; ++i)
            out += DigitAt(rec, i);
    }
    PutExponent(out, rec.IsZero() ? 0 : rec.Exponent - 1, true, std::clamp(digits, 0, 4));
    return out;
}

// The unsigned digits with `decimals` places, grouped by thousands when asked.
String FixedDigits(const TFloatRec& rec, int decimals, bool grouped, const TFormatSettings& fs) {
    String out;
    int e = rec.Exponent;
    if (e <= 0) {
        out += '0';
    } else {
        for (int i = 0; i < e; ++i) {
            out += DigitAt(rec, i);
            int left = e - 1 - i;
            if (grouped && fs.ThousandSeparator != 0 && left > 0 && left % 3 == 0)
                out += fs.ThousandSeparator;
        }
    }
    if (decimals > 0) {
        out += fs.DecimalSeparator;
        for (int j = 0; j < decimals; ++j)
            out += DigitAt(rec, e + j);
    }
    return out;
}

String CurrencyText(const TFloatRec& rec, int decimals, const TFormatSettings& fs) {
    static const char* const positive[] = {"$n", "n$", "$ n", "n $"};
    static const char* const negative[] = {"($n)", "-$n",  "$-n",  "$n-",  "(n$)", "-n$",  "n-$",   "n$-",
                                           "-n $", "-$ n", "n $-", "$ n-", "$ -n", "n- $", "($ n)", "(n $)"};
    const char* pattern = rec.Negative ? negative[fs.NegCurrFormat < 16 ? fs.NegCurrFormat : 0]
                                       : positive[fs.CurrencyFormat < 4 ? fs.CurrencyFormat : 0];
    String number = FixedDigits(rec, decimals, true, fs);
    String out;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '$')
            out += fs.CurrencyString;
        else if (*p == 'n')
            out += number;
        else
            out += *p;
    }
    return out;
}

} // namespace

String FloatToText(const TNumberSource& value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& fs) {
    // A currency amount always keeps all its 19 digits; an extended value 2 to 18.
    precision = value.IsCurrency ? 19 : std::clamp(precision, 2, 18);
    bool fixedPlaces = format == TFloatFormat::ffFixed || format == TFloatFormat::ffNumber ||
                       format == TFloatFormat::ffCurrency;
    if (fixedPlaces) digits = std::clamp(digits, 0, 18);
    TFloatRec rec = value.Decimal(precision, fixedPlaces ? digits : NoDecimals);
    if (rec.Kind != TFloatRec::TKind::Finite) return SpecialText(rec);
    if (format == TFloatFormat::ffExponent) return ExponentText(rec, precision, digits, fs);
    if (fixedPlaces && rec.Exponent > precision) format = TFloatFormat::ffGeneral;
    switch (format) {
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber:
        return (rec.Negative ? "-" : "") + FixedDigits(rec, digits, format == TFloatFormat::ffNumber, fs);
    case TFloatFormat::ffCurrency:
        return CurrencyText(rec, digits, fs);
    default:
        return GeneralText(rec, precision, fs);
    }
}

String FloatToStr(Extended value) {
    return FloatToStr(value, FormatSettings());
}

String FloatToStr(Extended value, const TFormatSettings& fs) {
    return FloatToText(TNumberSource{false, value, {}}, TFloatFormat::ffGeneral, 15, 0, fs);
}

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits) {
    return FloatToStrF(value, format, precision, digits, FormatSettings());
}

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& fs) {
    return FloatToText(TNumberSource{false, value, {}}, format, precision, digits, fs);
}

String CurrToStr(Currency value) {
    return CurrToStr(value, FormatSettings());
}

String CurrToStr(Currency value, const TFormatSettings& fs) {
    return FloatToText(TNumberSource{true, 0, value}, TFloatFormat::ffGeneral, 19, 0, fs);
}

String CurrToStrF(Currency value, TFloatFormat format, int digits) {
    return CurrToStrF(value, format, digits, FormatSettings());
}

String CurrToStrF(Currency value, TFloatFormat format, int digits, const TFormatSettings& fs) {
    return FloatToText(TNumberSource{true, 0, value}, format, 19, digits, fs);
}
