// FormatDateTime, DateToStr/TimeToStr/DateTimeToStr and the date and time readers.
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

struct DateCase {
    const char* format;
    TDateTime value;
    const char* expected;
};

TEST(FormatDateTime, Tokens) {
    const TDateTime t = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45); // a Tuesday
    const TDateTime midnight = EncodeDate(2024, 3, 5);
    const DateCase cases[] = {
        {"yyyy-mm-dd", t, "2024-03-05"},
        {"yy/m/d", t, "24-3-5"},
        {"dd/mm/yyyy", t, "05-03-2024"},
        {"y", t, "24"},
        {"yyy", EncodeDate(987, 6, 1), "0987"},
        {"d ddd dddd", t, "5 Tue Tuesday"},
        {"m mm mmm mmmm", t, "3 03 Mar March"},
        {"ddddd", t, "2024-03-05"},
        {"dddddd", t,
         "2024\xE5\xB9\xB4"
         "3\xE6\x9C\x88"
         "5\xE6\x97\xA5"},
        {"c", t, "2024-03-05 14:07:09"},
        {"", t, "2024-03-05 14:07:09"},
        {"c", midnight, "2024-03-05"},
        {"c", 0.5, "1899-12-30 12:00:00"},
        {"hh:nn:ss", t, "14:07:09"},
        {"h:n:s", t, "14:7:9"},
        {"hh:mm", t, "14:07"},
        {"h:mm", t, "14:07"},
        {"hh mm mm", t, "14 07 03"},
        {"hh:nn:ss.zzz", t, "14:07:09.045"},
        {"z", t, "45"},
        {"t", t, "14:07"},
        {"tt", t, "14:07:09"},
        {"h:nn am/pm", t, "2:07 pm"},
        {"h:nn AM/PM", t, "2:07 PM"},
        {"h:nn Am/pM", t, "2:07 pM"},
        {"h:nn a/p", t, "2:07 p"},
        {"hh ampm", t, "02 PM"},
        {"h am/pm", midnight, "12 am"},
        {"h am/pm", EncodeDateTime(2024, 3, 5, 12, 0, 0, 0), "12 pm"},
        {"hh 'am/pm'", t, "14 am/pm"},
        {"e", t, "2024"},
        {"'Date:' yyyy", t, "Date: 2024"},
        {"\"hh\" hh", t, "hh 14"},
        {"yyyy\xE5\xB9\xB4m\xE6\x9C\x88"
         "d\xE6\x97\xA5",
         t,
         "2024\xE5\xB9\xB4"
         "3\xE6\x9C\x88"
         "5\xE6\x97\xA5"},
        {"dd-mm-yyyy hh:nn", -1.25, "29-12-1899 06:00"},
        {"yyyy-mm-dd hh:nn", -0.5, "1899-12-30 12:00"},
        {"yyyy-mm-dd", 0, "1899-12-30"},
        {"yyyy-mm-dd hh:nn:ss.zzz", midnight - 1e-10, "2024-03-05 00:00:00.000"},
        {"yyyy-mm-dd hh:nn:ss.zzz", EncodeDateTime(2024, 3, 5, 23, 59, 59, 999), "2024-03-05 23:59:59.999"},
        {"yyyy-mm-dd", EncodeDate(1, 1, 1), "0001-01-01"},
        {"yyyy-mm-dd", EncodeDate(9999, 12, 31), "9999-12-31"},
        {"yyyy-mm-dd", 1e300, "0000-00-00"},
        {"x", t, "x"},
    };
    for (const DateCase& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, c.value), c.expected) << c.format;
}

TEST(FormatDateTime, SettingsDriveSeparatorsAndNames) {
    TFormatSettings fs;
    fs.DateSeparator = '/';
    fs.TimeSeparator = '.';
    fs.ShortDateFormat = "d/m/yyyy";
    fs.ShortMonthNames[2] = "MAR";
    fs.TimeAMString = "\xE4\xB8\x8A\xE5\x8D\x88";
    const TDateTime t = EncodeDateTime(2024, 3, 5, 9, 7, 0, 0);
    EXPECT_EQ(FormatDateTime("c", t, fs), "5/3/2024 09.07.00");
    EXPECT_EQ(FormatDateTime("mmm", t, fs), "MAR");
    EXPECT_EQ(FormatDateTime("ampm h:nn", t, fs), "\xE4\xB8\x8A\xE5\x8D\x88 9.07");
}

TEST(DateTimeToStr, LeavesOutMidnight) {
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "2024-03-05");
    EXPECT_EQ(DateTimeToStr(EncodeDateTime(2024, 3, 5, 8, 0, 0, 0)), "2024-03-05 08:00:00");
    EXPECT_EQ(DateToStr(EncodeDateTime(2024, 3, 5, 8, 0, 0, 0)), "2024-03-05");
    EXPECT_EQ(TimeToStr(0.5), "12:00:00");
    String s;
    DateTimeToString(s, "yyyymmdd", EncodeDate(2024, 3, 5));
    EXPECT_EQ(s, "20240305");
}

TEST(StrToDate, ReadsInTheShortDateOrder) {
    // A date without its year takes this year's: the last second of a year shows it is read once.
    const TClockOverride clock(EncodeDateTime(2026, 12, 31, 23, 59, 59, 999));
    const Word year = 2026;
    const struct {
        const char* text;
        TDateTime expected;
    } cases[] = {
        {"2024-03-05", EncodeDate(2024, 3, 5)},   {"2024/3/5", EncodeDate(2024, 3, 5)},
        {"2024.03.05", EncodeDate(2024, 3, 5)},   {" 2024-3-5 ", EncodeDate(2024, 3, 5)},
        {"2024 - 3 - 5", EncodeDate(2024, 3, 5)}, {"2024-03-05-", EncodeDate(2024, 3, 5)},
        {"0024-03-05", EncodeDate(24, 3, 5)},     {"2024-02-29", EncodeDate(2024, 2, 29)},
        {"3-5", EncodeDate(year, 3, 5)},          {"1899-12-30", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToDate(c.text), c.expected) << c.text;
}

TEST(StrToDate, TwoDigitYearsFollowTheCenturyWindow) {
    const TClockOverride clock(EncodeDateTime(2026, 12, 31, 23, 59, 59, 999));
    const int year = 2026;
    auto twoDigits = [](int y) { return Format("%.2d-01-01", {y % 100}); };
    EXPECT_EQ(YearOf(StrToDate(twoDigits(year + 10))), year + 10);
    EXPECT_EQ(YearOf(StrToDate(twoDigits(year - 49))), year - 49);
    EXPECT_EQ(YearOf(StrToDate(twoDigits(year - 51))), year + 49);
    TFormatSettings fs;
    fs.TwoDigitYearCenturyWindow = 0; // no window: the current century
    TDateTime v;
    ASSERT_TRUE(TryStrToDate(twoDigits(year - 51), v, fs));
    EXPECT_EQ(YearOf(v), (year / 100) * 100 + (year - 51) % 100);
}

TEST(StrToDate, OtherOrders) {
    TFormatSettings dmy;
    dmy.ShortDateFormat = "dd/mm/yyyy";
    dmy.DateSeparator = '/';
    TDateTime v;
    ASSERT_TRUE(TryStrToDate("05/03/2024", v, dmy));
    EXPECT_EQ(v, EncodeDate(2024, 3, 5));
    EXPECT_FALSE(TryStrToDate("5-3-2024", v, dmy)) << "'-' is not a separator in this locale";
    TFormatSettings mdy;
    mdy.ShortDateFormat = "M/d/yyyy";
    mdy.DateSeparator = '/';
    ASSERT_TRUE(TryStrToDate("3/5/2024", v, mdy));
    EXPECT_EQ(v, EncodeDate(2024, 3, 5));
}

TEST(StrToDate, RefusesBadDates) {
    const char* cases[] = {
        "",     "abc",         "2024-13-01", "2024-02-30", "2023-02-29", "2024-03-05x", "2024-03-05 10:00",
        "2024", "20245-01-01", "2024-03-",   "2024:03:05", "-2024-03-05"};
    for (const char* text : cases) {
        TDateTime v = 7;
        EXPECT_FALSE(TryStrToDate(text, v)) << text;
        EXPECT_EQ(v, 7);
        try {
            StrToDate(text);
            ADD_FAILURE() << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + String(text) + "' is not a valid date");
        }
    }
    EXPECT_EQ(StrToDateDef("x", 1.5), 1.5);
}

TEST(StrToTime, ReadsHoursMinutesSecondsAndAmPm) {
    const struct {
        const char* text;
        TDateTime expected;
    } cases[] = {
        {"14:07", EncodeTime(14, 7, 0, 0)},
        {"14:07:09", EncodeTime(14, 7, 9, 0)},
        {" 14 : 07 ", EncodeTime(14, 7, 0, 0)},
        {"2:07 PM", EncodeTime(14, 7, 0, 0)},
        {"PM 2:07", EncodeTime(14, 7, 0, 0)},
        {"2:07pm", EncodeTime(14, 7, 0, 0)},
        {"12:00 AM", 0},
        {"12:30 pm", EncodeTime(12, 30, 0, 0)},
        {"14", EncodeTime(14, 0, 0, 0)},
        {"14:07:09.5", EncodeTime(14, 7, 9, 5)},
        {"14:07:09.250", EncodeTime(14, 7, 9, 250)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToTime(c.text), c.expected) << c.text;
    const char* bad[] = {"", "abc", "25:00", "13:00 PM", "0:30 AM", "14:60", "14:07:60", "14:07x", "14:"};
    for (const char* text : bad) {
        TDateTime v;
        EXPECT_FALSE(TryStrToTime(text, v)) << text;
    }
    try {
        StrToTime("25:00");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'25:00' is not a valid time");
    }
}

TEST(StrToDateTime, DateWithOptionalTimeOrTimeAlone) {
    EXPECT_EQ(StrToDateTime("2024-03-05 14:07:09"), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
    EXPECT_EQ(StrToDateTime("2024-03-05"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDateTime("14:07"), EncodeTime(14, 7, 0, 0));
    EXPECT_EQ(StrToDateTime("1899-12-29 06:00"), -1.25);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(EncodeDateTime(2024, 3, 5, 8, 1, 2, 0))),
              EncodeDateTime(2024, 3, 5, 8, 1, 2, 0));
    for (const char* text : {"2024-03-05 25:00", "2024-03-05 14:07 junk", "junk", ""}) {
        TDateTime v;
        EXPECT_FALSE(TryStrToDateTime(text, v)) << text;
    }
    try {
        StrToDateTime("2024-03-05 25:00");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'2024-03-05 25:00' is not a valid date and time");
    }
}

} // namespace
