// Dragging a control: the drag waits for the pointer to pass the threshold (unless it starts at
// once), starts with OnStartDrag and ends with OnEndDrag when the button is released.
#include "gui/ControlDrag.h"
#include "gui/Docking.h"
#include "gui/qt/DockAccess.h"
#include "gui/qt/DragState.h"

#include <cstdlib>

namespace {

struct TDragState {
    TControl* Control = nullptr;
    bool Started = false;
    int Threshold = 0;
    TPoint Start;
};

TDragState& Drag() {
    static TDragState state;
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
    TDragState& d = Drag();
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
    TDragState& d = Drag();
    if (d.Control != this) return;
    const bool started = d.Started;
    d = TDragState();
    if (!started || !OnEndDrag) return;
    TControl* target = Drop ? FindDragTarget(LastMousePoint(), false) : nullptr;
    const TPoint p = target ? target->ScreenToClient(LastMousePoint()) : TPoint();
    OnEndDrag(this, target, p.X, p.Y);
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
    TDragState& d = Drag();
    if (d.Control != Control || d.Started) return;
    if (std::abs(Screen.X - d.Start.X) >= d.Threshold || std::abs(Screen.Y - d.Start.Y) >= d.Threshold)
        StartDrag(Control);
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
    if (Drag().Control == Control) Drag() = TDragState();
}
