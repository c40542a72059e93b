// Dates and times: TDateTime is a double of days since 1899-12-30 with the time of day as the
// fraction. A value before that day keeps the time as the absolute fraction: -1.25 is
// 1899-12-29 06:00. Every decoding rounds to the nearest millisecond first, so a value a hair
// below midnight decodes as the next day at 00:00:00.000, date and time alike.
#pragma once

#include "rtl/Types.h"

#include <functional>

constexpr Word RecodeLeaveFieldAsIs = 65535;
constexpr double MSecsPerDay = 86400000.0;
constexpr double OneHour = 1.0 / 24;
constexpr double OneMinute = 1.0 / (24 * 60);
constexpr double OneSecond = 1.0 / (24 * 60 * 60);
constexpr double OneMillisecond = 1.0 / (24 * 60 * 60 * 1000);
constexpr TDateTime MinDateTime = -693593.0;        // 0001-01-01
constexpr TDateTime MaxDateTime = 2958465.99999999; // 9999-12-31 23:59:59.999

bool IsLeapYear(Word year);
Word DaysInAMonth(Word year, Word month); // 0 for a month outside 1..12
Word DaysInMonth(TDateTime value);
Word DaysInAYear(Word year);
Word DaysInYear(TDateTime value);
bool IsValidDate(Word year, Word month, Word day);
bool IsValidTime(Word hour, Word min, Word sec, Word msec);

// Raise EConvertError "Invalid argument to date encode" / "Invalid argument to time encode".
TDateTime EncodeDate(Word year, Word month, Word day);
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);
TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& value);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& value);
bool TryEncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec,
                       TDateTime& value);
// A value outside 0001-01-01 .. 9999-12-31 (or NaN) decodes as year, month and day 0.
void DecodeDate(TDateTime value, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec);
void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                    Word& msec);

TDateTime Now();  // local date and time, from the clock set by SetClock (the system's by default)
TDateTime Date(); // today at midnight
TDateTime Time(); // the time of day now
TDateTime Today();
TDateTime Yesterday();
TDateTime Tomorrow();

// The time source behind Now(), Date(), Time() and every reading of "today" (two-digit years,
// dated codes, the status bar clock). SetClock with an empty function puts the system clock
// back. Tests set a fixed moment so what they compare cannot change at midnight or new year.
using TClock = std::function<TDateTime()>;
void SetClock(TClock clock);
TDateTime SystemNow(); // the system's local date and time, whatever clock is set

// Sets a clock for its own lifetime and puts the previous one back.
class TClockOverride {
public:
    explicit TClockOverride(TClock clock);
    explicit TClockOverride(TDateTime fixed); // a clock that stands still at `fixed`
    ~TClockOverride();
    TClockOverride(const TClockOverride&) = delete;
    TClockOverride& operator=(const TClockOverride&) = delete;

private:
    TClock FPrevious;
};

TDateTime DateOf(TDateTime value); // the day at midnight
TDateTime TimeOf(TDateTime value); // the time of day alone
// The whole-day part with the time of `time`, and the time with the day of `date`.
void ReplaceTime(TDateTime& value, TDateTime time);
void ReplaceDate(TDateTime& value, TDateTime date);

int DayOfWeek(TDateTime value);     // 1 Sunday .. 7 Saturday
Word DayOfTheWeek(TDateTime value); // 1 Monday .. 7 Sunday
Word YearOf(TDateTime value);
Word MonthOf(TDateTime value);
Word DayOf(TDateTime value);
Word HourOf(TDateTime value);
Word MinuteOf(TDateTime value);
Word SecondOf(TDateTime value);
Word MilliSecondOf(TDateTime value);
Word DayOfTheYear(TDateTime value); // 1 for 1 January

TDateTime StartOfTheMonth(TDateTime value);
TDateTime EndOfTheMonth(TDateTime value); // the last day at 23:59:59.999
TDateTime StartOfTheYear(TDateTime value);
TDateTime EndOfTheYear(TDateTime value);
TDateTime StartOfTheDay(TDateTime value);
TDateTime EndOfTheDay(TDateTime value);
TDateTime StartOfAMonth(Word year, Word month);
TDateTime EndOfAMonth(Word year, Word month);

// Calendar steps; the time of day is kept. A day that does not exist in the target month
// becomes its last day (31 January + 1 month is 28 or 29 February).
TDateTime IncMonth(TDateTime value, int months = 1);
TDateTime IncYear(TDateTime value, int years = 1);
TDateTime IncWeek(TDateTime value, int weeks = 1);
TDateTime IncDay(TDateTime value, int days = 1);
TDateTime IncHour(TDateTime value, Int64 hours = 1);
TDateTime IncMinute(TDateTime value, Int64 minutes = 1);
TDateTime IncSecond(TDateTime value, Int64 seconds = 1);
TDateTime IncMilliSecond(TDateTime value, Int64 msecs = 1);

// Whole units between two moments, whatever their order. Both moments are first rounded to the
// millisecond, so a span that float arithmetic leaves a hair short of a whole day still counts it.
Int64 DaysBetween(TDateTime a, TDateTime b);
Int64 WeeksBetween(TDateTime a, TDateTime b);
Int64 HoursBetween(TDateTime a, TDateTime b);
Int64 MinutesBetween(TDateTime a, TDateTime b);
Int64 SecondsBetween(TDateTime a, TDateTime b);
Int64 MilliSecondsBetween(TDateTime a, TDateTime b);
double DaySpan(TDateTime a, TDateTime b);

// -1, 0 or 1, to the millisecond; CompareDate looks at the day only.
int CompareDateTime(TDateTime a, TDateTime b);
int CompareDate(TDateTime a, TDateTime b);
int CompareTime(TDateTime a, TDateTime b);
bool SameDateTime(TDateTime a, TDateTime b);
bool SameDate(TDateTime a, TDateTime b);
bool IsSameDay(TDateTime a, TDateTime b);

// Replace some fields; RecodeLeaveFieldAsIs keeps one. An impossible result raises EConvertError.
TDateTime RecodeDateTime(TDateTime value, Word year, Word month, Word day, Word hour, Word min, Word sec,
                         Word msec);
TDateTime RecodeYear(TDateTime value, Word year);
TDateTime RecodeMonth(TDateTime value, Word month);
TDateTime RecodeDay(TDateTime value, Word day);
TDateTime RecodeHour(TDateTime value, Word hour);
TDateTime RecodeMinute(TDateTime value, Word min);
TDateTime RecodeSecond(TDateTime value, Word sec);
TDateTime RecodeMilliSecond(TDateTime value, Word msec);
TDateTime RecodeDate(TDateTime value, Word year, Word month, Word day);
TDateTime RecodeTime(TDateTime value, Word hour, Word min, Word sec, Word msec);
