#include "rtl/DateUtils.h"

#include "rtl/SysUtils.h"

#include <cmath>
#include <ctime>
#include <mutex>

namespace {

constexpr Int64 MSecsDay = 86400000;
constexpr Int64 DateDelta = 693594; // days from 0001-01-01 (day 1) to 1899-12-30

const Word MonthDays[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                               {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

Int64 FloorDiv(Int64 a, Int64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// A moment in milliseconds: day x MSecsDay + time of day, with day the whole-day part of the
// value (days since 1899-12-30) and the time of day 0 .. MSecsDay-1. Moments are linear, so
// they can be added and compared. False for NaN and values far outside the calendar.
bool ToMoment(TDateTime value, Int64& moment) {
    if (!(value > -700000.0 && value < 3000000.0)) return false;
    Int64 ms = static_cast<Int64>(std::nearbyint(value * MSecsPerDay));
    Int64 day = ms / MSecsDay; // towards zero: the whole-day part
    Int64 time = (ms < 0 ? -ms : ms) % MSecsDay;
    moment = day * MSecsDay + time;
    return true;
}

void SplitMoment(Int64 moment, Int64& day, Int64& time) {
    day = FloorDiv(moment, MSecsDay);
    time = moment - day * MSecsDay;
}

TDateTime Compose(Int64 day, Int64 time) {
    double fraction = static_cast<double>(time) / MSecsPerDay;
    return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

TDateTime FromMoment(Int64 moment) {
    Int64 day, time;
    SplitMoment(moment, day, time);
    return Compose(day, time);
}

Int64 DaysBeforeYear(Int64 year) { // days from 0001-01-01 to 1 January of `year`
    Int64 y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

Int64 DayNumber(Word year, Word month, Word day) { // days since 1899-12-30
    const Word* table = MonthDays[IsLeapYear(year) ? 1 : 0];
    Int64 d = day;
    for (int m = 1; m < month; ++m)
        d += table[m];
    return DaysBeforeYear(year) + d - DateDelta;
}

bool DayToDate(Int64 dayNumber, Word& year, Word& month, Word& day) {
    Int64 t = dayNumber + DateDelta; // 1 for 0001-01-01
    if (t <= 0 || t > 3652059) {
        year = month = day = 0;
        return false;
    }
    --t;
    Int64 y = 1 + 400 * (t / 146097);
    t %= 146097;
    Int64 c = t / 36524;
    if (c == 4) c = 3;
    y += 100 * c;
    t -= c * 36524;
    y += 4 * (t / 1461);
    t %= 1461;
    Int64 n = t / 365;
    if (n == 4) n = 3;
    y += n;
    t -= n * 365;
    const Word* table = MonthDays[IsLeapYear(static_cast<Word>(y)) ? 1 : 0];
    int m = 1;
    while (t >= table[m])
        t -= table[m++];
    year = static_cast<Word>(y);
    month = static_cast<Word>(m);
    day = static_cast<Word>(t + 1);
    return true;
}

bool DecodeMoment(TDateTime value, Int64& day, Int64& time) {
    Int64 moment;
    if (!ToMoment(value, moment)) {
        day = -DateDelta; // decodes as year 0
        time = 0;
        return false;
    }
    SplitMoment(moment, day, time);
    return true;
}

TDateTime AddMilliseconds(TDateTime value, Int64 ms) {
    Int64 moment;
    if (!ToMoment(value, moment)) return value;
    return FromMoment(moment + ms);
}

Int64 MomentOrZero(TDateTime value) {
    Int64 moment = 0;
    ToMoment(value, moment);
    return moment;
}

int Sign(Int64 v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

} // namespace

bool IsLeapYear(Word year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

Word DaysInAMonth(Word year, Word month) {
    if (month < 1 || month > 12) return 0;
    return MonthDays[IsLeapYear(year) ? 1 : 0][month];
}

Word DaysInMonth(TDateTime value) {
    return DaysInAMonth(YearOf(value), MonthOf(value));
}
Word DaysInAYear(Word year) {
    return IsLeapYear(year) ? 366 : 365;
}
Word DaysInYear(TDateTime value) {
    return DaysInAYear(YearOf(value));
}

bool IsValidDate(Word year, Word month, Word day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInAMonth(year, month);
}

bool IsValidTime(Word hour, Word min, Word sec, Word msec) {
    return hour < 24 && min < 60 && sec < 60 && msec < 1000;
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& value) {
    if (!IsValidDate(year, month, day)) return false;
    value = static_cast<double>(DayNumber(year, month, day));
    return true;
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& value) {
    if (!IsValidTime(hour, min, sec, msec)) return false;
    value = static_cast<double>(((hour * 60 + min) * 60 + sec) * 1000 + msec) / MSecsPerDay;
    return true;
}

bool TryEncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec,
                       TDateTime& value) {
    if (!IsValidDate(year, month, day) || !IsValidTime(hour, min, sec, msec)) return false;
    Int64 time = ((hour * 60 + min) * 60 + sec) * 1000 + msec;
    value = Compose(DayNumber(year, month, day), time);
    return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
    TDateTime v;
    if (!TryEncodeDate(year, month, day, v)) throw EConvertError("Invalid argument to date encode");
    return v;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec) {
    TDateTime v;
    if (!TryEncodeTime(hour, min, sec, msec, v)) throw EConvertError("Invalid argument to time encode");
    return v;
}

TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec) {
    if (!IsValidDate(year, month, day)) throw EConvertError("Invalid argument to date encode");
    if (!IsValidTime(hour, min, sec, msec)) throw EConvertError("Invalid argument to time encode");
    TDateTime v = 0;
    TryEncodeDateTime(year, month, day, hour, min, sec, msec, v);
    return v;
}

void DecodeDate(TDateTime value, Word& year, Word& month, Word& day) {
    Int64 d, t;
    DecodeMoment(value, d, t);
    DayToDate(d, year, month, day);
}

void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec) {
    Int64 d, t;
    DecodeMoment(value, d, t);
    msec = static_cast<Word>(t % 1000);
    t /= 1000;
    sec = static_cast<Word>(t % 60);
    t /= 60;
    min = static_cast<Word>(t % 60);
    hour = static_cast<Word>(t / 60);
}

void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                    Word& msec) {
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, min, sec, msec);
}

namespace {

std::mutex ClockLock;
TClock& CurrentClock() {
    static TClock clock;
    return clock;
}

TClock ExchangeClock(TClock clock) {
    std::lock_guard<std::mutex> lock(ClockLock);
    std::swap(CurrentClock(), clock);
    return clock;
}

} // namespace

void SetClock(TClock clock) {
    ExchangeClock(std::move(clock));
}

TClockOverride::TClockOverride(TClock clock) : FPrevious(ExchangeClock(std::move(clock))) {}
TClockOverride::TClockOverride(TDateTime fixed) : TClockOverride(TClock([fixed] { return fixed; })) {}
TClockOverride::~TClockOverride() {
    ExchangeClock(std::move(FPrevious));
}

TDateTime Now() {
    TClock clock;
    {
        std::lock_guard<std::mutex> lock(ClockLock);
        clock = CurrentClock();
    }
    return clock ? clock() : SystemNow();
}

TDateTime SystemNow() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    time_t seconds = ts.tv_sec;
    tm local{};
    localtime_r(&seconds, &local);
    Int64 day = DayNumber(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                          static_cast<Word>(local.tm_mday));
    Int64 time = ((local.tm_hour * 60 + local.tm_min) * 60 + std::min(local.tm_sec, 59)) * 1000LL +
                 ts.tv_nsec / 1000000;
    return Compose(day, time);
}

TDateTime Date() {
    return DateOf(Now());
}
TDateTime Time() {
    return TimeOf(Now());
}
TDateTime Today() {
    return Date();
}
TDateTime Yesterday() {
    return Date() - 1;
}
TDateTime Tomorrow() {
    return Date() + 1;
}

TDateTime DateOf(TDateTime value) {
    Int64 d, t;
    if (!DecodeMoment(value, d, t)) return std::trunc(value);
    return static_cast<double>(d);
}

TDateTime TimeOf(TDateTime value) {
    Int64 d, t;
    DecodeMoment(value, d, t);
    return static_cast<double>(t) / MSecsPerDay;
}

void ReplaceTime(TDateTime& value, TDateTime time) {
    Int64 d, t, td, tt;
    DecodeMoment(value, d, t);
    DecodeMoment(time, td, tt);
    value = Compose(d, tt);
}

void ReplaceDate(TDateTime& value, TDateTime date) {
    Int64 d, t, dd, dt;
    DecodeMoment(value, d, t);
    DecodeMoment(date, dd, dt);
    value = Compose(dd, t);
}

int DayOfWeek(TDateTime value) {
    Int64 d, t;
    DecodeMoment(value, d, t);
    Int64 r = (d + DateDelta) % 7;
    if (r < 0) r += 7;
    return static_cast<int>(r) + 1;
}

Word DayOfTheWeek(TDateTime value) {
    return static_cast<Word>((DayOfWeek(value) + 5) % 7 + 1);
}

Word YearOf(TDateTime value) {
    Word y, m, d;
    DecodeDate(value, y, m, d);
    return y;
}

Word MonthOf(TDateTime value) {
    Word y, m, d;
    DecodeDate(value, y, m, d);
    return m;
}

Word DayOf(TDateTime value) {
    Word y, m, d;
    DecodeDate(value, y, m, d);
    return d;
}

Word HourOf(TDateTime value) {
    Word h, n, s, z;
    DecodeTime(value, h, n, s, z);
    return h;
}

Word MinuteOf(TDateTime value) {
    Word h, n, s, z;
    DecodeTime(value, h, n, s, z);
    return n;
}

Word SecondOf(TDateTime value) {
    Word h, n, s, z;
    DecodeTime(value, h, n, s, z);
    return s;
}

Word MilliSecondOf(TDateTime value) {
    Word h, n, s, z;
    DecodeTime(value, h, n, s, z);
    return z;
}

Word DayOfTheYear(TDateTime value) {
    Int64 d, t;
    DecodeMoment(value, d, t);
    Word y, m, day;
    if (!DayToDate(d, y, m, day)) return 0;
    return static_cast<Word>(d - DayNumber(y, 1, 1) + 1);
}

TDateTime StartOfAMonth(Word year, Word month) {
    return EncodeDate(year, month, 1);
}

TDateTime EndOfAMonth(Word year, Word month) {
    return EncodeDateTime(year, month, DaysInAMonth(year, month), 23, 59, 59, 999);
}

TDateTime StartOfTheMonth(TDateTime value) {
    return StartOfAMonth(YearOf(value), MonthOf(value));
}
TDateTime EndOfTheMonth(TDateTime value) {
    return EndOfAMonth(YearOf(value), MonthOf(value));
}
TDateTime StartOfTheYear(TDateTime value) {
    return EncodeDate(YearOf(value), 1, 1);
}
TDateTime EndOfTheYear(TDateTime value) {
    return EncodeDateTime(YearOf(value), 12, 31, 23, 59, 59, 999);
}
TDateTime StartOfTheDay(TDateTime value) {
    return DateOf(value);
}

TDateTime EndOfTheDay(TDateTime value) {
    Int64 d, t;
    DecodeMoment(value, d, t);
    return Compose(d, MSecsDay - 1);
}

TDateTime IncMonth(TDateTime value, int months) {
    Int64 d, t;
    if (!DecodeMoment(value, d, t)) return value;
    Word y, m, day;
    DayToDate(d, y, m, day);
    Int64 total = static_cast<Int64>(y) * 12 + (m - 1) + months;
    Int64 ny = FloorDiv(total, 12);
    Word nm = static_cast<Word>(total - ny * 12 + 1);
    if (ny < 1 || ny > 9999) throw EConvertError("Invalid argument to date encode");
    Word last = DaysInAMonth(static_cast<Word>(ny), nm);
    if (day > last) day = last;
    return Compose(DayNumber(static_cast<Word>(ny), nm, day), t);
}

TDateTime IncYear(TDateTime value, int years) {
    return IncMonth(value, years * 12);
}
TDateTime IncWeek(TDateTime value, int weeks) {
    return AddMilliseconds(value, weeks * 7LL * MSecsDay);
}
TDateTime IncDay(TDateTime value, int days) {
    return AddMilliseconds(value, days * MSecsDay);
}
TDateTime IncHour(TDateTime value, Int64 hours) {
    return AddMilliseconds(value, hours * 3600000);
}
TDateTime IncMinute(TDateTime value, Int64 minutes) {
    return AddMilliseconds(value, minutes * 60000);
}
TDateTime IncSecond(TDateTime value, Int64 seconds) {
    return AddMilliseconds(value, seconds * 1000);
}
TDateTime IncMilliSecond(TDateTime value, Int64 msecs) {
    return AddMilliseconds(value, msecs);
}

Int64 MilliSecondsBetween(TDateTime a, TDateTime b) {
    Int64 diff = MomentOrZero(a) - MomentOrZero(b);
    return diff < 0 ? -diff : diff;
}

Int64 DaysBetween(TDateTime a, TDateTime b) {
    return MilliSecondsBetween(a, b) / MSecsDay;
}
Int64 WeeksBetween(TDateTime a, TDateTime b) {
    return MilliSecondsBetween(a, b) / (7 * MSecsDay);
}
Int64 HoursBetween(TDateTime a, TDateTime b) {
    return MilliSecondsBetween(a, b) / 3600000;
}
Int64 MinutesBetween(TDateTime a, TDateTime b) {
    return MilliSecondsBetween(a, b) / 60000;
}
Int64 SecondsBetween(TDateTime a, TDateTime b) {
    return MilliSecondsBetween(a, b) / 1000;
}
double DaySpan(TDateTime a, TDateTime b) {
    return static_cast<double>(MilliSecondsBetween(a, b)) / MSecsPerDay;
}

int CompareDateTime(TDateTime a, TDateTime b) {
    return Sign(MomentOrZero(a) - MomentOrZero(b));
}

int CompareDate(TDateTime a, TDateTime b) {
    Int64 da, ta, db, tb;
    SplitMoment(MomentOrZero(a), da, ta);
    SplitMoment(MomentOrZero(b), db, tb);
    return Sign(da - db);
}

int CompareTime(TDateTime a, TDateTime b) {
    Int64 da, ta, db, tb;
    SplitMoment(MomentOrZero(a), da, ta);
    SplitMoment(MomentOrZero(b), db, tb);
    return Sign(ta - tb);
}

bool SameDateTime(TDateTime a, TDateTime b) {
    return CompareDateTime(a, b) == 0;
}
bool SameDate(TDateTime a, TDateTime b) {
    return CompareDate(a, b) == 0;
}
bool IsSameDay(TDateTime a, TDateTime b) {
    return SameDate(a, b);
}

TDateTime RecodeDateTime(TDateTime value, Word year, Word month, Word day, Word hour, Word min, Word sec,
                         Word msec) {
    Word y, m, d, h, n, s, z;
    DecodeDateTime(value, y, m, d, h, n, s, z);
    auto pick = [](Word old, Word v) { return v == RecodeLeaveFieldAsIs ? old : v; };
    return EncodeDateTime(pick(y, year), pick(m, month), pick(d, day), pick(h, hour), pick(n, min),
                          pick(s, sec), pick(z, msec));
}

constexpr Word Keep = RecodeLeaveFieldAsIs;
TDateTime RecodeYear(TDateTime value, Word year) {
    return RecodeDateTime(value, year, Keep, Keep, Keep, Keep, Keep, Keep);
}
TDateTime RecodeMonth(TDateTime value, Word month) {
    return RecodeDateTime(value, Keep, month, Keep, Keep, Keep, Keep, Keep);
}
TDateTime RecodeDay(TDateTime value, Word day) {
    return RecodeDateTime(value, Keep, Keep, day, Keep, Keep, Keep, Keep);
}
TDateTime RecodeHour(TDateTime value, Word hour) {
    return RecodeDateTime(value, Keep, Keep, Keep, hour, Keep, Keep, Keep);
}
TDateTime RecodeMinute(TDateTime value, Word min) {
    return RecodeDateTime(value, Keep, Keep, Keep, Keep, min, Keep, Keep);
}
TDateTime RecodeSecond(TDateTime value, Word sec) {
    return RecodeDateTime(value, Keep, Keep, Keep, Keep, Keep, sec, Keep);
}
TDateTime RecodeMilliSecond(TDateTime value, Word msec) {
    return RecodeDateTime(value, Keep, Keep, Keep, Keep, Keep, Keep, msec);
}

TDateTime RecodeDate(TDateTime value, Word year, Word month, Word day) {
    return RecodeDateTime(value, year, month, day, Keep, Keep, Keep, Keep);
}

TDateTime RecodeTime(TDateTime value, Word hour, Word min, Word sec, Word msec) {
    return RecodeDateTime(value, Keep, Keep, Keep, hour, min, sec, msec);
}
