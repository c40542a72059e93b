// The month calendar that drops down under a date edit: it closes its owner's drop-down on Enter
// (accepting), Esc, a click on a date, a press outside it and its close message.
#pragma once

#include "grid/DBCtrlsGxInplace.h"
#include "grid/ToolCtrlsGxDropDown.h"
#include "gui/MonthCalendar.h"

// Whether a release on a hit area closes the drop-down with acceptance: the date cells (also of
// the neighbouring months), the calendar's background, the week numbers, the today link and the
// month's name; not the day names, the month buttons, the year or the title's background.
bool CalendarHitCloses(Cardinal HitCode);

class TPopupMonthCalendarGx : public TMonthCalendar {
    ORV_META(TPopupMonthCalendarGx, TMonthCalendar)
    explicit TPopupMonthCalendarGx(TComponent* AOwner);
    Integer Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) override;
    // A release of the left button at a client point (what the calendar's own click reports).
    void ReleasedAt(const TPoint& Point);
    // 2 for the raised 3D frame around the calendar, else 0.
    int FrameWidth() const { return FCtl3D ? 2 : 0; }
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    // Takes the smallest size of one month plus the frame on every side.
    void AdjustSize();
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool FCtl3D = true;
    // Asks the owner for its closing interface at every closing event; without it nothing closes.
    void CloseOwner(bool Accept);
};
