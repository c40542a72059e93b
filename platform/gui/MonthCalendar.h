// A month calendar control with the platform's hit areas: the title (its month buttons, the
// month's name, the year), the day-name header, the week numbers and the date cells (the greyed
// days of the neighbouring months included).
#pragma once

#include "gui/Controls.h"

enum : Cardinal {
    MCHT_NOWHERE = 0x00000000,
    MCHT_TITLE = 0x00010000,
    MCHT_CALENDAR = 0x00020000,
    MCHT_TODAYLINK = 0x00030000,
    MCHT_NEXT = 0x01000000,
    MCHT_PREV = 0x02000000,
    MCHT_TITLEBK = MCHT_TITLE,
    MCHT_TITLEMONTH = MCHT_TITLE | 0x0001,
    MCHT_TITLEYEAR = MCHT_TITLE | 0x0002,
    MCHT_TITLEBTNNEXT = MCHT_NEXT | MCHT_TITLE | 0x0003,
    MCHT_TITLEBTNPREV = MCHT_PREV | MCHT_TITLE | 0x0003,
    MCHT_CALENDARBK = MCHT_CALENDAR,
    MCHT_CALENDARDATE = MCHT_CALENDAR | 0x0001,
    MCHT_CALENDARDATENEXT = MCHT_CALENDARDATE | MCHT_NEXT,
    MCHT_CALENDARDATEPREV = MCHT_CALENDARDATE | MCHT_PREV,
    MCHT_CALENDARDAY = MCHT_CALENDAR | 0x0002,
    MCHT_CALENDARWEEKNUM = MCHT_CALENDAR | 0x0003,
};

class TMonthCalendar : public TWinControl {
    ORV_META(TMonthCalendar, TWinControl)
    explicit TMonthCalendar(TComponent* AOwner);

    TDateTime Date() const;
    // A date the calendar refuses (outside its range) is dropped without an error.
    void SetDate(TDateTime Value);
    bool WeekNumbers() const;
    void SetWeekNumbers(bool Value);
    // The hit area of a client point (MCHT_...).
    Cardinal HitTest(const TPoint& Point) const;
    // Client points of parts, for tests and tools: the cell of a date of the shown month, and
    // the title's month buttons.
    TPoint DateCellPoint(TDateTime Date) const;
    TPoint TitleButtonPoint(bool Next) const;
    // The smallest size that shows one whole month (width in X, height in Y).
    TPoint MinimumMonthSize() const;

    // A date cell was clicked (after the date became the calendar's date).
    TNotifyEvent OnDateClick;
};
