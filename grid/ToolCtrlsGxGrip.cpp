#include "grid/ToolCtrlsGxGrip.h"

#include "classes/MetaBuilder.h"
#include "grid/ToolCtrlsGxDropDown.h"
#include "gui/Colors.h"
#include "gui/Forms.h"
#include "gui/Monitors.h"
#include "gui/PopupWindows.h"
#include "gui/SystemMetrics.h"

#include <algorithm>
#include <vector>

std::array<TPoint, 3> GripTriangle(int Corner, int W, int H) {
    switch (Corner) {
    case 0:
        return {Point(W - 1, 0), Point(0, 0), Point(0, H - 1)};
    case 1:
        return {Point(W, H - 1), Point(W, 0), Point(1, 0)};
    case 3:
        return {Point(W, H), Point(0, H), Point(0, 0)};
    default:
        return {Point(0, H), Point(W, H), Point(W, 0)};
    }
}

ORV_META_IMPL(TSizeGripGx)
void TSizeGripGx::DeclareMeta(meta::Class<TSizeGripGx>& c) {
    c.Property("GripCorner", &TSizeGripGx::GripCorner, &TSizeGripGx::SetGripCorner).Default(2);
    c.Property("TriangleShape", &TSizeGripGx::TriangleShape, &TSizeGripGx::SetTriangleShape).Default(true);
}

TSizeGripGx::TSizeGripGx(TComponent* AOwner) : TCustomControl(AOwner) {
    // As wide as a vertical scroll bar and as high as its arrow, which is as high as it is wide.
    SetBounds(0, 0, GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    SetColor(clBtnFace);
}

void TSizeGripGx::SetGripCorner(int Value) {
    if (Value == FGripCorner) return;
    FGripCorner = Value;
    ApplyShape();
}

void TSizeGripGx::SetTriangleShape(bool Value) {
    if (Value == FTriangleShape) return;
    FTriangleShape = Value;
    ApplyShape();
}

void TSizeGripGx::MoveGripToSide(int Side) {
    SetGripCorner(GripCornerAfterMove(FGripCorner, Side));
}

void TSizeGripGx::SnapToCorner() {
    TWinControl* parent = Parent();
    if (!parent) return;
    const int cw = parent->ClientWidth(), ch = parent->ClientHeight();
    int x = 0, y = 0;
    if (FGripCorner == 1 || FGripCorner == 2) x = cw - Width();
    if (FGripCorner == 2 || FGripCorner == 3) y = ch - Height();
    FMovingItself = true;
    SetBounds(x, y, Width(), Height());
    FMovingItself = false;
}

void TSizeGripGx::ApplyShape() {
    if (FTriangleShape) {
        const auto points = GripTriangle(FGripCorner, Width(), Height());
        TRegion region(points.data(), 3, WINDING);
        SetWindowRegion(this, &region);
    } else {
        SetWindowRegion(this, nullptr);
    }
    SnapToCorner();
    SetCursor(FGripCorner == 0 || FGripCorner == 2 ? crSizeNWSE : crSizeNESW);
    Invalidate();
}

void TSizeGripGx::Paint() {
    TCanvas* c = Canvas();
    const int w = Width();
    const TColor colours[4] = {clBtnHighlight, clBtnShadow, clBtnShadow, clBtnFace};
    c->Pen()->SetWidth(1);
    for (int k = 0; 1 + 4 * (k / 4) < w && k < w; ++k) {
        TPoint a, b;
        switch (FGripCorner) {
        case 0:
            a = Point(w - 1 - k, -1), b = Point(-1, w - 1 - k);
            break;
        case 1:
            a = Point(w, w - 1 - k), b = Point(k, -1);
            break;
        case 3:
            a = Point(0, 1 + k), b = Point(w - 1 - k, w);
            break;
        default:
            a = Point(k, w), b = Point(w, k);
            break;
        }
        c->Pen()->SetColor(colours[k % 4]);
        const TPoint line[2] = {a, b};
        c->Polyline(line, 2);
    }
}

void TSizeGripGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    FPressPoint = ClientToScreen(Point(X, Y));
    if (TWinControl* p = Parent()) FPressBounds = Bounds(p->Left(), p->Top(), p->Width(), p->Height());
}

void TSizeGripGx::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    TWinControl* p = Parent();
    if (!p || !Shift.Contains(ssLeft) || FMovingItself) return;
    const TPoint pt = ClientToScreen(Point(X, Y));
    if (pt == FLastDragPoint) return;
    const TRect area = WorkAreaNearestRect(Bounds(pt.X, pt.Y, 1, 1));
    const int oldClientW = p->ClientWidth(), oldClientH = p->ClientHeight();
    TRect b = Bounds(p->Left(), p->Top(), p->Width(), p->Height());
    const TPoint origin = p->ClientOrigin();
    const int ncW = p->Width() - p->ClientWidth(), ncH = p->Height() - p->ClientHeight();
    if (FGripCorner == 1 || FGripCorner == 2) {
        int cw = FPressBounds.Width() - ncW + (pt.X - FPressPoint.X);
        cw -= std::max(0, origin.X + cw + ncW - area.Right);
        b.Right = b.Left + std::max(cw, 0) + ncW;
    } else {
        int w = FPressBounds.Width() + (FPressPoint.X - pt.X);
        w = std::min(w, b.Width() + (origin.X - area.Left));
        b.Left = b.Right - std::max(w, ncW);
    }
    if (FGripCorner == 2 || FGripCorner == 3) {
        int ch = FPressBounds.Height() - ncH + (pt.Y - FPressPoint.Y);
        ch -= std::max(0, origin.Y + ch + ncH - area.Bottom);
        b.Bottom = b.Top + std::max(ch, 0) + ncH;
    } else {
        int h = FPressBounds.Height() + (FPressPoint.Y - pt.Y);
        h = std::min(h, b.Height() + (origin.Y - area.Top));
        b.Top = b.Bottom - std::max(h, ncH);
    }
    p->SetBounds(b.Left, b.Top, b.Width(), b.Height());
    FLastDragPoint = pt;
    if (p->ClientWidth() != oldClientW || p->ClientHeight() != oldClientH) NotifyParentResized();
    SnapToCorner();
}

void TSizeGripGx::NotifyParentResized() {
    if (ResizedHook) ResizedHook(this);
}
