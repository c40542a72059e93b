#include "grid/ToolCtrlsGxCalendar.h"

#include "classes/MetaBuilder.h"

bool CalendarHitCloses(Cardinal HitCode) {
    return (HitCode & (0x20000 | 0x1)) != 0 && HitCode != MCHT_CALENDARDAY && HitCode != MCHT_TITLEBTNNEXT &&
           HitCode != MCHT_TITLEBTNPREV;
}

ORV_META_IMPL(TPopupMonthCalendarGx)
void TPopupMonthCalendarGx::DeclareMeta(meta::Class<TPopupMonthCalendarGx>&) {}

TPopupMonthCalendarGx::TPopupMonthCalendarGx(TComponent* AOwner) : TMonthCalendar(AOwner) {
    SetTabStop(false);
    OnDateClick = [this](TObject*) { CloseOwner(true); };
    AdjustSize();
}

void TPopupMonthCalendarGx::SetCtl3D(bool Value) {
    if (Value == FCtl3D) return;
    FCtl3D = Value;
    AdjustSize();
}

void TPopupMonthCalendarGx::AdjustSize() {
    const TPoint month = MinimumMonthSize();
    SetBounds(Left(), Top(), month.X + 2 * FrameWidth(), month.Y + 2 * FrameWidth());
}

bool TPopupMonthCalendarGx::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TMonthCalendar::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (WheelDelta == 0) return false;
    // A step down is the next day, a step up the day before.
    SetDate(Date() + (WheelDelta < 0 ? 1 : -1));
    return true;
}

void TPopupMonthCalendarGx::CloseOwner(bool Accept) {
    if (auto* owner = dynamic_cast<IDropDownCloseGx*>(Owner())) owner->CloseDropDown(Accept);
}

void TPopupMonthCalendarGx::ReleasedAt(const TPoint& Point) {
    if (PtInRect(TRect(0, 0, Width(), Height()), Point) && CalendarHitCloses(HitTest(Point)))
        CloseOwner(true);
}

void TPopupMonthCalendarGx::KeyDown(Word& Key, TShiftState Shift) {
    TMonthCalendar::KeyDown(Key, Shift);
    if (Key == VK_RETURN || Key == VK_ESCAPE) {
        CloseOwner(Key == VK_RETURN);
        Key = 0;
    }
}

void TPopupMonthCalendarGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TMonthCalendar::MouseDown(Button, Shift, X, Y);
    if (!PtInRect(TRect(0, 0, Width(), Height()), Point(X, Y))) CloseOwner(false);
}

Integer TPopupMonthCalendarGx::Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) {
    if (Msg == DropDownCloseMessage) {
        CloseOwner(false);
        return 0;
    }
    return TMonthCalendar::Perform(Msg, WParam, LParam);
}
