// Dragging a control: the drag waits for the pointer to pass the threshold (unless it starts at
// once), starts with OnStartDrag and ends with OnEndDrag when the button is released.
#include "gui/ControlDrag.h"
#include "gui/Docking.h"
#include "gui/qt/DockAccess.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/DragState.h"

#include <QApplication>

#include <cstdlib>

namespace {

struct TDragRun {
    TControl* Control = nullptr;
    bool Started = false;
    int Threshold = 0;
    TPoint Start;
    // The control the pointer is over and whether it accepts the drop there.
    TControl* Target = nullptr;
    bool Accepted = false;
    TCursor Cursor = crDefault;
};

TDragRun& Drag() {
    static TDragRun state;
    return state;
}

TPoint& LastMousePoint() {
    static TPoint p;
    return p;
}

void StartDrag(TControl* Control) {
    Drag().Started = true;
    if (Control->OnStartDrag) Control->OnStartDrag(Control);
}

void ShowDragCursor(TCursor cursor) {
    TDragRun& d = Drag();
    if (d.Cursor == cursor) return;
    if (d.Cursor != crDefault) QApplication::restoreOverrideCursor();
    d.Cursor = cursor;
    if (cursor != crDefault) QApplication::setOverrideCursor(QtCursorOf(cursor));
}

// The drag passes the screen point: the control under it hears of it (and the one it left).
void DragOverPoint(const TPoint& screen) {
    TDragRun& d = Drag();
    TControl* target = FindDragTarget(screen, false);
    if (target != d.Target && d.Target) {
        bool ignored = false;
        const TPoint p = d.Target->ScreenToClient(screen);
        d.Target->DragOver(d.Control, p.X, p.Y, dsDragLeave, ignored);
    }
    const TDragState state = target == d.Target ? dsDragMove : dsDragEnter;
    d.Target = target;
    d.Accepted = false;
    if (target) {
        const TPoint p = target->ScreenToClient(screen);
        bool accept = static_cast<bool>(target->OnDragOver);
        target->DragOver(d.Control, p.X, p.Y, state, accept);
        // The handler may have ended the drag.
        if (Drag().Control == nullptr) return;
        d.Accepted = accept;
    }
    ShowDragCursor(d.Accepted ? crDrag : crNoDrop);
}

} // namespace

TMouse* Mouse() {
    static TMouse mouse;
    return &mouse;
}

void TControl::BeginDrag(bool Immediate, int Threshold) {
    // A control that docks is dragged to a dock site (past the mouse's threshold).
    if (FDragKind == dkDock) {
        BeginDockDrag(this, LastMousePoint());
        return;
    }
    TDragRun& d = Drag();
    if (d.Control) return; // one drag at a time
    d.Control = this;
    d.Started = false;
    d.Threshold = Threshold < 0 ? Mouse()->DragThreshold() : Threshold;
    d.Start = LastMousePoint();
    if (Immediate) StartDrag(this);
}

void TControl::EndDrag(bool Drop) {
    if (DockDragControl() == this) {
        EndDockDrag(LastMousePoint(), Drop);
        return;
    }
    TDragRun& d = Drag();
    if (d.Control != this) return;
    const bool started = d.Started;
    TControl* target = nullptr;
    bool accepted = false;
    if (started && Drop) {
        DragOverPoint(LastMousePoint());
        target = d.Target;
        accepted = d.Accepted;
    } else if (started && d.Target) {
        bool ignored = false;
        const TPoint p = d.Target->ScreenToClient(LastMousePoint());
        d.Target->DragOver(this, p.X, p.Y, dsDragLeave, ignored);
    }
    ShowDragCursor(crDefault);
    d = TDragRun();
    if (!started) return;
    const TPoint p = target ? target->ScreenToClient(LastMousePoint()) : TPoint();
    if (target && accepted) target->DragDrop(this, p.X, p.Y);
    if (OnEndDrag) OnEndDrag(this, target, p.X, p.Y);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

TCursor DragCursor() {
    const TDragRun& d = Drag();
    return d.Control && d.Started ? (d.Accepted ? crDrag : crNoDrop) : crDefault;
}

bool TControl::Dragging() const {
    if (DockDragControl() == this) return TDockAccess::DragStarted();
    return Drag().Control == this && Drag().Started;
}

bool TControl::AutoDragOnPress(TShiftState Shift) {
    (void)Shift;
    return FDragMode == dmAutomatic;
}

void NoteMousePoint(TControl* Control, const TPoint& Screen) {
    (void)Control;
    LastMousePoint() = Screen;
}

void DragMouseMoved(TControl* Control, const TPoint& Screen) {
    if (DockDragControl() == Control) {
        DockDragMove(Screen);
        return;
    }
    TDragRun& d = Drag();
    if (d.Control != Control) return;
    if (!d.Started &&
        (std::abs(Screen.X - d.Start.X) >= d.Threshold || std::abs(Screen.Y - d.Start.Y) >= d.Threshold))
        StartDrag(Control);
    if (d.Started) DragOverPoint(Screen);
}

void DragMouseReleased(TControl* Control, const TPoint& Screen) {
    if (DockDragControl() == Control) {
        EndDockDrag(Screen, true);
        return;
    }
    if (Drag().Control == Control) Control->EndDrag(true);
}

void ForgetDrag(TControl* Control) {
    if (DockDragControl() == Control) EndDockDrag(LastMousePoint(), false);
    if (Drag().Control == Control) {
        ShowDragCursor(crDefault);
        Drag() = TDragRun();
    }
    // A control that goes away while a drag is over it is no target any more.
    if (Drag().Target == Control) Drag().Target = nullptr;
}
