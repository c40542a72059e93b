// Calendar arithmetic over TDateTime.
#include "rtl/DateUtils.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(DateUtils, EncodeKnownDays) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(2024, 3, 5), 45356);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25) << "before 1899-12-30 the time is subtracted";
}

TEST(DateUtils, EncodeRefusesImpossibleValues) {
    const Word dates[][3] = {{2023, 2, 29}, {0, 1, 1},     {10000, 1, 1}, {2024, 13, 1},
                             {2024, 0, 1},  {2024, 4, 31}, {2024, 1, 0}};
    for (const auto& d : dates) {
        TDateTime v = 7;
        EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], v));
        EXPECT_EQ(v, 7);
        try {
            EncodeDate(d[0], d[1], d[2]);
            ADD_FAILURE() << d[0] << "-" << d[1] << "-" << d[2];
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to date encode");
        }
    }
    const Word times[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}};
    for (const auto& t : times) {
        try {
            EncodeTime(t[0], t[1], t[2], t[3]);
            ADD_FAILURE();
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to time encode");
        }
    }
}

TEST(DateUtils, DecodeRoundTripsEveryCalendarDay) {
    Word y, m, d;
    Word prevY = 0, prevM = 0, prevD = 0;
    for (int day = -693593; day <= 2958465; ++day) {
        DecodeDate(day, y, m, d);
        ASSERT_TRUE(IsValidDate(y, m, d)) << day;
        ASSERT_EQ(EncodeDate(y, m, d), day);
        if (day > -693593) {
            bool next = (y == prevY && m == prevM && d == prevD + 1) ||
                        (y == prevY && m == prevM + 1 && d == 1) || (y == prevY + 1 && m == 1 && d == 1);
            ASSERT_TRUE(next) << day;
        }
        prevY = y, prevM = m, prevD = d;
    }
    DecodeDate(-693594, y, m, d);
    EXPECT_EQ(y + m + d, 0) << "before 0001-01-01 decodes as zeros";
}

TEST(DateUtils, DecodeNegativeValuesAndMillisecondRounding) {
    Word y, m, d, h, n, s, z;
    DecodeDateTime(-1.25, y, m, d, h, n, s, z);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, z}), (std::vector<int>{1899, 12, 29, 6, 0, 0, 0}));
    DecodeDateTime(-0.5, y, m, d, h, n, s, z);
    EXPECT_EQ((std::vector<int>{y, m, d, h}), (std::vector<int>{1899, 12, 30, 12}));
    DecodeDateTime(EncodeDate(2024, 3, 5) - 1e-10, y, m, d, h, n, s, z);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, z}), (std::vector<int>{2024, 3, 5, 0, 0, 0, 0}));
    DecodeTime(EncodeTime(13, 45, 30, 999), h, n, s, z);
    EXPECT_EQ((std::vector<int>{h, n, s, z}), (std::vector<int>{13, 45, 30, 999}));
}

TEST(DateUtils, WeekdaysAndMonthLengths) {
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5)), 3);  // Tuesday
    EXPECT_EQ(DayOfWeek(0), 7);                       // 1899-12-30 was a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 10)), 1); // Sunday
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2024, 3, 5)), 2);
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2024, 3, 10)), 7);
    EXPECT_EQ(DayOfWeek(-1.25), 6);
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_EQ(DaysInAMonth(2024, 13), 0);
    EXPECT_EQ(DaysInMonth(EncodeDate(2024, 4, 10)), 30);
    EXPECT_EQ(DaysInAYear(2024), 366);
    EXPECT_EQ(DayOfTheYear(EncodeDate(2024, 12, 31)), 366);
    EXPECT_EQ(DayOfTheYear(EncodeDate(2023, 3, 1)), 60);
}

TEST(DateUtils, PartsAndBoundaries) {
    const TDateTime t = EncodeDateTime(2024, 3, 15, 10, 20, 30, 400);
    EXPECT_EQ(YearOf(t), 2024);
    EXPECT_EQ(MonthOf(t), 3);
    EXPECT_EQ(DayOf(t), 15);
    EXPECT_EQ(HourOf(t), 10);
    EXPECT_EQ(MinuteOf(t), 20);
    EXPECT_EQ(SecondOf(t), 30);
    EXPECT_EQ(MilliSecondOf(t), 400);
    EXPECT_EQ(DateOf(t), EncodeDate(2024, 3, 15));
    EXPECT_EQ(TimeOf(t), EncodeTime(10, 20, 30, 400));
    EXPECT_EQ(StartOfTheMonth(t), EncodeDate(2024, 3, 1));
    EXPECT_EQ(EndOfTheMonth(t), EncodeDateTime(2024, 3, 31, 23, 59, 59, 999));
    EXPECT_EQ(StartOfTheYear(t), EncodeDate(2024, 1, 1));
    EXPECT_EQ(EndOfTheYear(t), EncodeDateTime(2024, 12, 31, 23, 59, 59, 999));
    EXPECT_EQ(StartOfTheDay(t), EncodeDate(2024, 3, 15));
    EXPECT_EQ(EndOfTheDay(t), EncodeDateTime(2024, 3, 15, 23, 59, 59, 999));
    EXPECT_EQ(EndOfAMonth(2023, 2), EncodeDateTime(2023, 2, 28, 23, 59, 59, 999));
    EXPECT_EQ(DateOf(-1.25), -1);
    EXPECT_EQ(TimeOf(-1.25), 0.25);
    TDateTime v = t;
    ReplaceTime(v, 0.5);
    EXPECT_EQ(v, EncodeDateTime(2024, 3, 15, 12, 0, 0, 0));
    ReplaceDate(v, EncodeDate(1899, 12, 29));
    EXPECT_EQ(v, -1.5);
}

TEST(DateUtils, CalendarSteps) {
    const struct {
        TDateTime from;
        int months;
        TDateTime expected;
    } months[] = {
        {EncodeDate(2024, 1, 31), 1, EncodeDate(2024, 2, 29)},
        {EncodeDate(2023, 1, 31), 1, EncodeDate(2023, 2, 28)},
        {EncodeDate(2024, 3, 31), -1, EncodeDate(2024, 2, 29)},
        {EncodeDate(2024, 12, 15), 1, EncodeDate(2025, 1, 15)},
        {EncodeDate(2024, 1, 15), -13, EncodeDate(2022, 12, 15)},
        {EncodeDate(2024, 5, 31), 0, EncodeDate(2024, 5, 31)},
        {EncodeDateTime(2024, 1, 31, 10, 30, 0, 0), 1, EncodeDateTime(2024, 2, 29, 10, 30, 0, 0)},
        {EncodeDateTime(1899, 11, 29, 6, 0, 0, 0), 1, -1.25},
    };
    for (const auto& c : months)
        EXPECT_EQ(IncMonth(c.from, c.months), c.expected) << c.from << " " << c.months;
    EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29)), EncodeDate(2025, 2, 28));
    EXPECT_EQ(IncDay(-1.25, 2), 1.25) << "1899-12-29 06:00 plus two days is 1899-12-31 06:00";
    EXPECT_EQ(IncDay(EncodeDate(2024, 2, 28), 1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncWeek(EncodeDate(2024, 3, 5), -1), EncodeDate(2024, 2, 27));
    EXPECT_EQ(IncHour(EncodeDateTime(2024, 3, 5, 23, 0, 0, 0), 2), EncodeDateTime(2024, 3, 6, 1, 0, 0, 0));
    EXPECT_EQ(IncMinute(EncodeDate(2024, 3, 5), -1), EncodeDateTime(2024, 3, 4, 23, 59, 0, 0));
    EXPECT_EQ(IncSecond(0.5, 30), EncodeTime(12, 0, 30, 0));
    EXPECT_EQ(IncMilliSecond(0, -1), EncodeDateTime(1899, 12, 29, 23, 59, 59, 999));
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
}

TEST(DateUtils, SpansAndComparisons) {
    EXPECT_EQ(DaysBetween(EncodeDate(2024, 3, 5), EncodeDate(2024, 1, 1)), 64);
    EXPECT_EQ(DaysBetween(EncodeDate(2024, 1, 1), EncodeDate(2024, 3, 5)), 64);
    EXPECT_EQ(DaysBetween(2.0, 1.0 + 1e-12), 1) << "a span a hair short of a day still counts";
    EXPECT_EQ(DaysBetween(EncodeDateTime(2024, 3, 5, 10, 0, 0, 0), EncodeDateTime(2024, 3, 4, 10, 0, 0, 1)),
              0);
    EXPECT_EQ(DaysBetween(1.25, -1.25), 2) << "1899-12-29 06:00 to 1899-12-31 06:00";
    EXPECT_EQ(WeeksBetween(EncodeDate(2024, 3, 15), EncodeDate(2024, 3, 1)), 2);
    EXPECT_EQ(HoursBetween(0, 0.5), 12);
    EXPECT_EQ(MinutesBetween(0, OneHour), 60);
    EXPECT_EQ(SecondsBetween(0, OneMinute), 60);
    EXPECT_EQ(MilliSecondsBetween(0, OneSecond), 1000);
    EXPECT_DOUBLE_EQ(DaySpan(EncodeDate(2024, 3, 5), EncodeDateTime(2024, 3, 4, 12, 0, 0, 0)), 0.5);
    const TDateTime a = EncodeDateTime(2024, 3, 5, 10, 0, 0, 0), b = EncodeDateTime(2024, 3, 5, 9, 0, 0, 0);
    EXPECT_EQ(CompareDateTime(a, b), 1);
    EXPECT_EQ(CompareDateTime(b, a), -1);
    EXPECT_EQ(CompareDateTime(a, a + 1e-10), 0);
    EXPECT_EQ(CompareDate(a, b), 0);
    EXPECT_EQ(CompareDate(a, b - 1), 1);
    EXPECT_EQ(CompareTime(a, b - 1), 1);
    EXPECT_TRUE(SameDate(a, b));
    EXPECT_TRUE(IsSameDay(a, b));
    EXPECT_FALSE(SameDateTime(a, b));
}

TEST(DateUtils, Recode) {
    const TDateTime t = EncodeDateTime(2024, 3, 5, 10, 0, 0, 0);
    EXPECT_EQ(RecodeDay(t, 31), EncodeDateTime(2024, 3, 31, 10, 0, 0, 0));
    EXPECT_EQ(RecodeMonth(t, 12), EncodeDateTime(2024, 12, 5, 10, 0, 0, 0));
    EXPECT_EQ(RecodeYear(t, 2020), EncodeDateTime(2020, 3, 5, 10, 0, 0, 0));
    EXPECT_EQ(RecodeHour(t, 23), EncodeDateTime(2024, 3, 5, 23, 0, 0, 0));
    EXPECT_EQ(RecodeTime(t, 1, 2, 3, 4), EncodeDateTime(2024, 3, 5, 1, 2, 3, 4));
    EXPECT_EQ(RecodeDate(t, 2000, 1, 1), EncodeDateTime(2000, 1, 1, 10, 0, 0, 0));
    EXPECT_EQ(RecodeDateTime(t, RecodeLeaveFieldAsIs, 2, RecodeLeaveFieldAsIs, 0, 0, 0, 0),
              EncodeDate(2024, 2, 5));
    EXPECT_THROW(RecodeDay(EncodeDate(2024, 2, 5), 30), EConvertError);
    EXPECT_THROW(RecodeMinute(t, 60), EConvertError);
}

TEST(DateUtils, ClockFunctionsReadTheClockThatIsSet) {
    const TDateTime moment = EncodeDateTime(2026, 12, 31, 23, 59, 59, 500);
    {
        TClockOverride fixed(moment);
        EXPECT_EQ(Now(), moment);
        EXPECT_EQ(Date(), EncodeDate(2026, 12, 31));
        EXPECT_EQ(Today(), EncodeDate(2026, 12, 31));
        EXPECT_EQ(Time(), TimeOf(moment));
        EXPECT_EQ(Yesterday(), EncodeDate(2026, 12, 30));
        EXPECT_EQ(Tomorrow(), EncodeDate(2027, 1, 1));
        {
            TClockOverride later([] { return EncodeDate(2027, 1, 1); });
            EXPECT_EQ(Now(), EncodeDate(2027, 1, 1));
        }
        EXPECT_EQ(Now(), moment); // the outer clock is back
    }
    // The system clock again: Now() and SystemNow() read the same time.
    const TDateTime before = SystemNow();
    const TDateTime now = Now();
    EXPECT_GE(now, before);
    EXPECT_LT(now - before, OneMinute);
    EXPECT_GE(YearOf(now), 2024);
}

} // namespace
