// The corner grip with which the user resizes a drop-down: it sits in a corner of its parent's
// client area, shaped as that corner's triangle, and a drag with it resizes the parent within the
// work area, the opposite edges staying where they are.
#pragma once

#include "gui/Controls.h"

#include <array>
#include <functional>

// The triangle of a grip of w x h in its corner (0 top-left, 1 top-right, 2 bottom-right,
// 3 bottom-left).
std::array<TPoint, 3> GripTriangle(int Corner, int W, int H);

class TSizeGripGx : public TCustomControl {
    ORV_META(TSizeGripGx, TCustomControl)
    explicit TSizeGripGx(TComponent* AOwner);

    int GripCorner() const { return FGripCorner; }
    void SetGripCorner(int Value);
    bool TriangleShape() const { return FTriangleShape; }
    void SetTriangleShape(bool Value);
    // Moves the grip across the window to a side (0 left, 1 right, 2 top, 3 bottom).
    void MoveGripToSide(int Side);
    // Places the grip in its corner of the parent's client area.
    void SnapToCorner();
    // Sets the window's shape and cursor for the corner, and snaps it there.
    void ApplyShape();

    std::function<void(TObject* Sender)> ResizedHook;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    virtual void NotifyParentResized();

private:
    int FGripCorner = 2;
    bool FTriangleShape = true;
    TPoint FPressPoint;
    TRect FPressBounds; // the parent's bounds at the press
    TPoint FLastDragPoint{-1, -1};
    bool FMovingItself = false;
};
