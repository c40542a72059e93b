// FormatFloat and FormatCurr: the platform's picture language for numbers.
//
// A format has up to three sections separated by ";" (outside quotes): for positive, negative
// and zero values. An empty negative or zero section, or a missing one, means the positive
// section; then a negative value gets a leading "-". An empty positive section (or format)
// gives the general format with 15 significant digits. A value that rounds to zero at the
// section's decimal places is shown by the zero section, or by the positive section when there
// is none, and never with a "-".
//
// In a section "0" is a digit that is always shown, "#" a digit shown when significant, the
// first "." places the decimal separator, any "," groups the integer part by thousands,
// "E+" "E-" "e+" "e-" followed by up to four "0" ask for scientific notation, and '...' or "..."
// are copied without their quotes. Every other character, UTF-8 sequences included, is copied as
// it stands. Digits are rounded half away from zero at the last placeholder. Integer digits
// beyond the placeholders are all written at the first one; a value of 1E18 or more without
// scientific notation falls back to the general format.
#include "rtl/FormatDecimal.h"

#include <algorithm>
#include <cmath>

namespace {

struct TSection {
    size_t Begin = 0, End = 0;
    int DigitCount = 0;    // "0" and "#" placeholders
    int DecimalIndex = 0;  // placeholders before the decimal point
    int MandatoryInt = 0;  // integer places always shown (from the first "0")
    int MandatoryFrac = 0; // decimal places always shown (up to the last "0")
    bool Thousands = false;
    bool Scientific = false;

    bool Empty() const { return Begin == End; }
};

// Byte index just past the quoted literal that starts at i (the quote itself).
size_t SkipQuoted(const String& f, size_t i) {
    char q = f[i];
    size_t j = f.find(q, i + 1);
    return j == String::npos ? f.size() : j + 1;
}

// The byte range of section `index` (0, 1 or 2); empty when there is no such section.
void FindSection(const String& f, int index, TSection& s) {
    size_t i = 0;
    int current = 0;
    size_t begin = 0;
    while (i < f.size()) {
        char c = f[i];
        if (c == '"' || c == '\'') {
            i = SkipQuoted(f, i);
            continue;
        }
        if (c == ';') {
            if (current == index) break;
            ++current;
            begin = i + 1;
            if (current > 2) break;
        }
        ++i;
    }
    if (current != index) {
        s.Begin = s.End = f.size();
        return;
    }
    s.Begin = begin;
    s.End = i;
}

bool IsExponentMark(const String& f, size_t i, size_t end) {
    return (f[i] == 'E' || f[i] == 'e') && i + 1 < end && (f[i + 1] == '+' || f[i + 1] == '-');
}

void ScanSection(const String& f, TSection& s) {
    int firstZero = -1, lastZero = -1, decimalIndex = -1, count = 0;
    for (size_t i = s.Begin; i < s.End;) {
        char c = f[i];
        if (c == '"' || c == '\'') {
            i = std::min(SkipQuoted(f, i), s.End);
            continue;
        }
        if (c == '#') {
            ++count;
        } else if (c == '0') {
            if (firstZero < 0) firstZero = count;
            ++count;
            lastZero = count;
        } else if (c == '.') {
            if (decimalIndex < 0) decimalIndex = count;
        } else if (c == ',') {
            s.Thousands = true;
        } else if (!s.Scientific && IsExponentMark(f, i, s.End)) {
            s.Scientific = true;
            i += 2;
            while (i < s.End && f[i] == '0')
                ++i;
            continue;
        }
        ++i;
    }
    if (decimalIndex < 0) decimalIndex = count;
    s.DigitCount = count;
    s.DecimalIndex = decimalIndex;
    s.MandatoryInt = firstZero >= 0 ? std::max(decimalIndex - firstZero, 0) : 0;
    s.MandatoryFrac = lastZero >= 0 ? std::max(lastZero - decimalIndex, 0) : 0;
}

// Writes the section with the digits of rec (already rounded for it).
class TPictureWriter {
public:
    TPictureWriter(const String& f, const TSection& s, const TFloatRec& rec, const TFormatSettings& fs)
        : F(f), S(s), Rec(rec), Fs(fs) {
        int fracPlaces = S.DigitCount - S.DecimalIndex;
        if (S.Scientific) {
            IntDigits = S.DecimalIndex;
            int significantFrac = std::max(Rec.Count - S.DecimalIndex, 0);
            FracShown = std::min(std::max(significantFrac, S.MandatoryFrac), fracPlaces);
        } else {
            IntDigits = std::max(Rec.Exponent, 0);
            int significantFrac = std::max(Rec.Count - Rec.Exponent, 0);
            FracShown = std::min(std::max(significantFrac, S.MandatoryFrac), fracPlaces);
        }
    }

    void Write(String& out) {
        int placeholder = 0; // placeholders met so far
        for (size_t i = S.Begin; i < S.End;) {
            char c = F[i];
            if (c == '"' || c == '\'') {
                size_t end = std::min(SkipQuoted(F, i), S.End);
                size_t textEnd = (end > i + 1 && F[end - 1] == c) ? end - 1 : end;
                out.append(F, i + 1, textEnd - (i + 1));
                i = end;
                continue;
            }
            if (c == '0' || c == '#') {
                Placeholder(out, placeholder++);
                ++i;
                continue;
            }
            if (c == '.' || c == ',') {
                ++i;
                continue;
            }
            if (S.Scientific && !ExponentDone && IsExponentMark(F, i, S.End)) {
                i = Exponent(out, i);
                continue;
            }
            size_t n = std::min(Utf8CharLength(F, i), S.End - i);
            out.append(F, i, n);
            i += n;
        }
    }

private:
    const String& F;
    const TSection& S;
    const TFloatRec& Rec;
    const TFormatSettings& Fs;
    int IntDigits = 0; // integer digits of the value to write (fixed notation)
    int FracShown = 0; // decimal places to write
    bool ExponentDone = false;

    // Digit of the value at integer position p (1 = units) or decimal place -p + 1.
    char IntDigit(int position) const {
        int index = S.Scientific ? S.DecimalIndex - position : IntDigits - position;
        return (index >= 0 && index < Rec.Count) ? Rec.Digits[index] : '0';
    }

    void PutInt(String& out, int position) const {
        out += IntDigit(position);
        if (S.Thousands && Fs.ThousandSeparator != 0 && position > 1 && (position - 1) % 3 == 0)
            out += Fs.ThousandSeparator;
    }

    void PutDecimalSeparator(String& out) const {
        if (FracShown > 0) out += Fs.DecimalSeparator;
    }

    void Placeholder(String& out, int index) {
        if (index == 0 && !S.Scientific) {
            // Integer digits the placeholders have no room for go in front.
            for (int p = IntDigits; p > S.DecimalIndex; --p)
                PutInt(out, p);
            if (S.DecimalIndex == 0) PutDecimalSeparator(out);
        }
        if (index < S.DecimalIndex) {
            int position = S.DecimalIndex - index;
            bool shown = S.Scientific || position <= IntDigits || position <= S.MandatoryInt;
            if (shown) PutInt(out, position);
            if (position == 1) PutDecimalSeparator(out);
            return;
        }
        int place = index - S.DecimalIndex + 1; // 1 = first decimal place
        if (index == 0 && S.Scientific) PutDecimalSeparator(out);
        if (place > FracShown) return;
        int digitIndex = S.Scientific ? S.DecimalIndex + place - 1 : Rec.Exponent + place - 1;
        out += (digitIndex >= 0 && digitIndex < Rec.Count) ? Rec.Digits[digitIndex] : '0';
    }

    size_t Exponent(String& out, size_t i) {
        ExponentDone = true;
        out += F[i];
        bool forcePlus = F[i + 1] == '+';
        i += 2;
        int minDigits = 0;
        while (i < S.End && F[i] == '0') {
            ++minDigits;
            ++i;
        }
        minDigits = std::clamp(minDigits, 1, 4);
        int e = Rec.IsZero() ? 0 : Rec.Exponent - S.DecimalIndex;
        if (e < 0)
            out += '-';
        else if (forcePlus)
            out += '+';
        String digits = std::to_string(e < 0 ? -e : e);
        if (static_cast<int>(digits.size()) < minDigits)
            out.append(static_cast<size_t>(minDigits) - digits.size(), '0');
        out += digits;
        return i;
    }
};

String FormatNumber(const String& format, const TNumberSource& value, const TFormatSettings& fs) {
    auto general = [&] {
        return FloatToText(value, TFloatFormat::ffGeneral, value.IsCurrency ? 19 : 15, 0, fs);
    };
    if (!value.IsCurrency && !std::isfinite(value.Float)) return general();
    int sign = value.Sign();
    int index = sign > 0 ? 0 : (sign < 0 ? 1 : 2);

    TSection positive;
    FindSection(format, 0, positive);
    if (positive.Empty()) return general();

    auto sectionFor = [&](int i) {
        TSection s;
        if (i > 0) FindSection(format, i, s);
        if (i == 0 || s.Empty()) s = positive;
        ScanSection(format, s);
        return s;
    };
    const int maxPrecision = value.IsCurrency ? 19 : 18;
    auto round = [&](const TSection& s) {
        if (s.Scientific) return value.Decimal(std::clamp(s.DigitCount, 1, maxPrecision), NoDecimals);
        return value.Decimal(maxPrecision, s.DigitCount - s.DecimalIndex);
    };

    TSection section = sectionFor(index);
    TFloatRec rec = round(section);
    if (rec.IsZero() && index != 2) {
        index = 2;
        section = sectionFor(2);
        rec = TFloatRec();
    }
    if (!section.Scientific && rec.Exponent > 18) return general();

    String out;
    if (rec.Negative && section.Begin == positive.Begin) out += '-';
    TPictureWriter(format, section, rec, fs).Write(out);
    return out;
}

} // namespace

String FormatFloat(const String& format, Extended value) {
    return FormatFloat(format, value, FormatSettings());
}

String FormatFloat(const String& format, Extended value, const TFormatSettings& fs) {
    return FormatNumber(format, TNumberSource{false, value, {}}, fs);
}

String FormatCurr(const String& format, Currency value) {
    return FormatCurr(format, value, FormatSettings());
}

String FormatCurr(const String& format, Currency value, const TFormatSettings& fs) {
    return FormatNumber(format, TNumberSource{true, 0, value}, fs);
}
