// FormatDateTime and the date and time texts built on it.
#include "rtl/DateUtils.h"
#include "rtl/FormatDecimal.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace {

class TDateFormatter {
public:
    TDateFormatter(TDateTime value, const TFormatSettings& fs) : Fs(fs) {
        DecodeDateTime(value, Year, Month, Day, Hour, Min, Sec, MSec);
        Dow = DayOfWeek(value);
    }

    void Append(String& out, const String& fmt, int level) {
        if (fmt.empty()) {
            if (level == 0) AppendCompact(out, level);
            return;
        }
        const size_t n = fmt.size();
        char lastToken = ' ';
        size_t i = 0;
        while (i < n) {
            const char starter = fmt[i];
            const unsigned char u = static_cast<unsigned char>(starter);
            if (u >= 0x80) {
                size_t len = Utf8CharLength(fmt, i);
                out.append(fmt, i, len);
                i += len;
                continue;
            }
            char token = (starter >= 'a' && starter <= 'z') ? static_cast<char>(starter - 32) : starter;
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H') token = 'N';
                lastToken = token;
            }
            size_t count = 1;
            while (i + count < n && fmt[i + count] == starter)
                ++count;
            switch (token) {
            case 'Y':
                if (count <= 2)
                    Number(out, Year % 100, 2);
                else
                    Number(out, Year, 4);
                i += count;
                break;
            case 'M':
                if (count <= 2)
                    Number(out, Month, static_cast<int>(count));
                else if (Month >= 1 && Month <= 12)
                    out += count == 3 ? Fs.ShortMonthNames[Month - 1] : Fs.LongMonthNames[Month - 1];
                i += count;
                break;
            case 'D':
                if (count <= 2)
                    Number(out, Day, static_cast<int>(count));
                else if (count == 3)
                    out += Fs.ShortDayNames[Dow - 1];
                else if (count == 4)
                    out += Fs.LongDayNames[Dow - 1];
                else if (level < 2)
                    Append(out, count == 5 ? Fs.ShortDateFormat : Fs.LongDateFormat, level + 1);
                i += count;
                break;
            case 'E':
                Number(out, Year, count >= 2 ? 2 : 1);
                i += count;
                break;
            case 'H': {
                i += count;
                int hour = Hour;
                if (Uses12HourClock(fmt, i)) {
                    hour %= 12;
                    if (hour == 0) hour = 12;
                }
                Number(out, hour, count >= 2 ? 2 : 1);
                break;
            }
            case 'N':
                Number(out, Min, count >= 2 ? 2 : 1);
                i += count;
                break;
            case 'S':
                Number(out, Sec, count >= 2 ? 2 : 1);
                i += count;
                break;
            case 'Z':
                Number(out, MSec, count >= 3 ? 3 : 1);
                i += count;
                break;
            case 'T':
                if (level < 2) Append(out, count == 1 ? Fs.ShortTimeFormat : Fs.LongTimeFormat, level + 1);
                i += count;
                break;
            case 'C':
                if (level < 2) AppendCompact(out, level);
                i += count;
                break;
            case 'A':
                i = AmPm(out, fmt, i);
                break;
            case '/':
                out += Fs.DateSeparator;
                ++i;
                break;
            case ':':
                out += Fs.TimeSeparator;
                ++i;
                break;
            case '\'':
            case '"': {
                size_t close = fmt.find(starter, i + 1);
                size_t end = close == String::npos ? n : close;
                out.append(fmt, i + 1, end - i - 1);
                i = close == String::npos ? n : close + 1;
                break;
            }
            default:
                out += starter;
                ++i;
                break;
            }
        }
    }

private:
    const TFormatSettings& Fs;
    Word Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0;
    int Dow = 1;

    static void Number(String& out, int value, int digits) {
        String s = std::to_string(value);
        if (static_cast<int>(s.size()) < digits) out.append(static_cast<size_t>(digits) - s.size(), '0');
        out += s;
    }

    // "c": the short date, then the long time unless the time is midnight.
    void AppendCompact(String& out, int level) {
        Append(out, Fs.ShortDateFormat, level + 1);
        if (Hour != 0 || Min != 0 || Sec != 0) {
            out += ' ';
            Append(out, Fs.LongTimeFormat, level + 1);
        }
    }

    // An hour is on the 12-hour clock when an am/pm marker follows before the next hour.
    static bool Uses12HourClock(const String& fmt, size_t i) {
        bool quoted = false;
        for (; i < fmt.size(); ++i) {
            char c = fmt[i];
            if (c == 'A' || c == 'a') {
                if (quoted) continue;
                const char* p = fmt.c_str() + i;
                return strncasecmp(p, "am/pm", 5) == 0 || strncasecmp(p, "a/p", 3) == 0 ||
                       strncasecmp(p, "ampm", 4) == 0;
            }
            if (c == 'H' || c == 'h') return false;
            if (c == '\'' || c == '"') quoted = !quoted;
        }
        return false;
    }

    // "am/pm" and "a/p" are written in the letter case of the format; "ampm" gives the
    // settings' texts. Any other "a" is a plain letter.
    size_t AmPm(String& out, const String& fmt, size_t i) {
        const char* p = fmt.c_str() + i;
        bool pm = Hour >= 12;
        if (strncasecmp(p, "am/pm", 5) == 0) {
            out.append(p + (pm ? 3 : 0), 2);
            return i + 5;
        }
        if (strncasecmp(p, "a/p", 3) == 0) {
            out += p[pm ? 2 : 0];
            return i + 3;
        }
        if (strncasecmp(p, "ampm", 4) == 0) {
            out += pm ? Fs.TimePMString : Fs.TimeAMString;
            return i + 4;
        }
        out += fmt[i];
        return i + 1;
    }
};

} // namespace

String FormatDateTime(const String& format, TDateTime value) {
    return FormatDateTime(format, value, FormatSettings());
}

String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& fs) {
    String out;
    TDateFormatter(value, fs).Append(out, format, 0);
    return out;
}

void DateTimeToString(String& result, const String& format, TDateTime value) {
    result = FormatDateTime(format, value);
}

String DateToStr(TDateTime value) {
    return DateToStr(value, FormatSettings());
}
String DateToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime("ddddd", value, fs);
}
String TimeToStr(TDateTime value) {
    return TimeToStr(value, FormatSettings());
}
String TimeToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime("tt", value, fs);
}
String DateTimeToStr(TDateTime value) {
    return DateTimeToStr(value, FormatSettings());
}
String DateTimeToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime("c", value, fs);
}
