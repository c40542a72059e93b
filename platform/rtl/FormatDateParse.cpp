// StrToDate, StrToTime, StrToDateTime: reading dates and times as the platform does.
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

#include <strings.h>

namespace {

class TDateScanner {
public:
    TDateScanner(const String& s, const TFormatSettings& fs) : S(s), Fs(fs) {}

    bool AtEnd() {
        Blanks();
        return Pos >= S.size();
    }

    // Day, month and year in the order of ShortDateFormat; the year may be left out.
    bool Date(TDateTime& value) {
        Word n1, n2, n3;
        int l1, l2, l3;
        if (!(Number(n1, l1) && DateSeparator() && Number(n2, l2))) return false;
        Word y, m, d;
        const TDateOrder order = DateOrder();
        if (DateSeparator()) {
            if (!Number(n3, l3)) return false;
            int yearLength;
            switch (order) {
            case TDateOrder::MDY:
                y = n3, yearLength = l3, m = n1, d = n2;
                break;
            case TDateOrder::DMY:
                y = n3, yearLength = l3, m = n2, d = n1;
                break;
            default:
                y = n1, yearLength = l1, m = n2, d = n3;
                break;
            }
            if (yearLength <= 2) y = WindowYear(y);
        } else {
            y = YearOf(Now());
            if (order == TDateOrder::DMY)
                d = n1, m = n2;
            else
                m = n1, d = n2;
        }
        DateSeparator(); // a trailing separator is allowed
        Blanks();
        return TryEncodeDate(y, m, d, value);
    }

    // h[:n[:s[.z]]] with AM or PM (the settings' texts or the English ones) before or after.
    bool Time(TDateTime& value) {
        int baseHour = AmPm();
        if (baseHour >= 0) Blanks();
        Word hour, min = 0, sec = 0, msec = 0;
        int len;
        if (!Number(hour, len)) return false;
        if (Char(Fs.TimeSeparator)) {
            if (!Number(min, len)) return false;
            if (Char(Fs.TimeSeparator)) {
                if (!Number(sec, len)) return false;
                if (Char(Fs.DecimalSeparator) && !Number(msec, len)) return false;
            }
        }
        if (baseHour < 0) baseHour = AmPm();
        if (baseHour >= 0) {
            if (hour == 0 || hour > 12) return false;
            if (hour == 12) hour = 0;
            hour = static_cast<Word>(hour + baseHour);
        }
        Blanks();
        return TryEncodeTime(hour, min, sec, msec, value);
    }

private:
    enum class TDateOrder { MDY, DMY, YMD };
    const String& S;
    const TFormatSettings& Fs;
    size_t Pos = 0;

    void Blanks() {
        while (Pos < S.size() && S[Pos] == ' ')
            ++Pos;
    }

    // Up to the digits that make 1000 or more, as the platform reads date numbers.
    bool Number(Word& value, int& length) {
        Blanks();
        size_t i = Pos;
        unsigned n = 0;
        while (i < S.size() && S[i] >= '0' && S[i] <= '9' && n < 1000)
            n = n * 10 + static_cast<unsigned>(S[i++] - '0');
        if (i == Pos) return false;
        length = static_cast<int>(i - Pos);
        Pos = i;
        value = static_cast<Word>(n);
        return true;
    }

    bool Char(char c) {
        Blanks();
        if (Pos < S.size() && S[Pos] == c) {
            ++Pos;
            return true;
        }
        return false;
    }

    bool DateSeparator() {
        Blanks();
        if (Pos < S.size() && (S[Pos] == Fs.DateSeparator || S[Pos] == '/' || S[Pos] == '.')) {
            ++Pos;
            return true;
        }
        return false;
    }

    bool Text(const String& t) {
        Blanks();
        if (t.empty() || S.size() - Pos < t.size() || strncasecmp(S.c_str() + Pos, t.c_str(), t.size()) != 0)
            return false;
        Pos += t.size();
        return true;
    }

    int AmPm() {
        if (Text(Fs.TimeAMString) || Text("AM")) return 0;
        if (Text(Fs.TimePMString) || Text("PM")) return 12;
        return -1;
    }

    TDateOrder DateOrder() const {
        for (char c : Fs.ShortDateFormat) {
            switch (c) {
            case 'E':
            case 'e':
            case 'Y':
            case 'y':
                return TDateOrder::YMD;
            case 'M':
            case 'm':
                return TDateOrder::MDY;
            case 'D':
            case 'd':
                return TDateOrder::DMY;
            default:
                break;
            }
        }
        return TDateOrder::MDY;
    }

    // A two-digit year lies in the century window that ends TwoDigitYearCenturyWindow years
    // before the current year (with 50 in 2025: 76 -> 1976, 75 -> 2075).
    Word WindowYear(Word y) const {
        int base = YearOf(Now()) - Fs.TwoDigitYearCenturyWindow;
        int year = y + base / 100 * 100;
        if (Fs.TwoDigitYearCenturyWindow > 0 && year < base) year += 100;
        return static_cast<Word>(year);
    }
};

TDateTime Combine(TDateTime date, TDateTime time) {
    return date >= 0 ? date + time : date - time;
}

} // namespace

bool TryStrToDate(const String& s, TDateTime& value, const TFormatSettings& fs) {
    TDateScanner scan(s, fs);
    TDateTime d;
    if (!scan.Date(d) || !scan.AtEnd()) return false;
    value = d;
    return true;
}

bool TryStrToTime(const String& s, TDateTime& value, const TFormatSettings& fs) {
    TDateScanner scan(s, fs);
    TDateTime t;
    if (!scan.Time(t) || !scan.AtEnd()) return false;
    value = t;
    return true;
}

bool TryStrToDateTime(const String& s, TDateTime& value, const TFormatSettings& fs) {
    TDateScanner scan(s, fs);
    TDateTime d, t = 0;
    if (scan.Date(d) && (scan.AtEnd() || (scan.Time(t) && scan.AtEnd()))) {
        value = Combine(d, t);
        return true;
    }
    return TryStrToTime(s, value, fs);
}

bool TryStrToDate(const String& s, TDateTime& value) {
    return TryStrToDate(s, value, FormatSettings());
}
bool TryStrToTime(const String& s, TDateTime& value) {
    return TryStrToTime(s, value, FormatSettings());
}
bool TryStrToDateTime(const String& s, TDateTime& value) {
    return TryStrToDateTime(s, value, FormatSettings());
}

TDateTime StrToDate(const String& s) {
    TDateTime v;
    if (!TryStrToDate(s, v)) throw EConvertError("'" + s + "' is not a valid date");
    return v;
}

TDateTime StrToTime(const String& s) {
    TDateTime v;
    if (!TryStrToTime(s, v)) throw EConvertError("'" + s + "' is not a valid time");
    return v;
}

TDateTime StrToDateTime(const String& s) {
    TDateTime v;
    if (!TryStrToDateTime(s, v)) throw EConvertError("'" + s + "' is not a valid date and time");
    return v;
}

TDateTime StrToDateDef(const String& s, TDateTime def) {
    TDateTime v;
    return TryStrToDate(s, v) ? v : def;
}
