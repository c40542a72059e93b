// The control bar: tool bars docked in rows, each after a grip that drags it to another place or
// out to float.
#include "gui/Docking.h"

#include "classes/MetaBuilder.h"

#include <algorithm>

ORV_META_IMPL(TControlBar)
void TControlBar::DeclareMeta(meta::Class<TControlBar>&) {}

namespace {
constexpr int BandGap = 2;
constexpr int RowPadding = 2;
} // namespace

TControlBar::TControlBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetDockSite(true);
    SetColor(clBtnFace);
    SetBounds(0, 0, 100, 50);
}

TRect TControlBar::GripRect(TControl* control) const {
    return Rect(control->Left() - GripWidth, control->Top(), control->Left(),
                control->Top() + control->Height());
}

TControl* TControlBar::GripAt(const TPoint& p) const {
    for (int i = 0; i < DockClientCount(); ++i) {
        TControl* c = DockClients(i);
        if (c->Visible() && PtInRect(GripRect(c), p)) return c;
    }
    return nullptr;
}

// The bands in the order of their rows and places in them, laid out from the left and wrapped
// at the bar's width; the bar takes the height of its rows.
void TControlBar::ArrangeBands() {
    if (FArranging || ComponentState().Contains(csDestroying)) return;
    FArranging = true;
    std::vector<TControl*> bands;
    for (int i = 0; i < DockClientCount(); ++i)
        if (DockClients(i)->Visible()) bands.push_back(DockClients(i));
    std::stable_sort(bands.begin(), bands.end(), [](TControl* a, TControl* b) {
        return a->Top() + a->Height() / 2 < b->Top() ||
               (a->Top() <= b->Top() + b->Height() / 2 && a->Left() < b->Left());
    });
    int x = 0, y = RowPadding, rowHeight = 0;
    for (TControl* c : bands) {
        const int needed = GripWidth + c->Width() + BandGap;
        if (x > 0 && x + needed > ClientWidth()) {
            x = 0;
            y += rowHeight + RowPadding;
            rowHeight = 0;
        }
        c->SetBounds(x + GripWidth, y, c->Width(), c->Height());
        x += needed;
        rowHeight = std::max(rowHeight, c->Height());
    }
    const int height = bands.empty() ? 2 * RowPadding : y + rowHeight + RowPadding;
    if (Height() != height) SetHeight(height);
    Invalidate();
    FArranging = false;
}

// The band goes where it was dropped: its row and place follow the point.
void TControlBar::DockDrop(TDragDockObject& Source, int X, int Y) {
    TControl* c = Source.Control;
    c->SetAlign(alNone);
    c->SetBounds(c->Left(), c->Top(), c->UndockWidth(), c->UndockHeight());
    TCustomControl::DockDrop(Source, X, Y);
    c->SetBounds(std::max(0, X - c->Width() / 2), std::max(0, Y - c->Height() / 2), c->Width(), c->Height());
    ArrangeBands();
}

void TControlBar::Resize() {
    TCustomControl::Resize();
    ArrangeBands();
}

void TControlBar::AlignmentDone(const TRect& Rest) {
    TCustomControl::AlignmentDone(Rest);
    ArrangeBands();
}

void TControlBar::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    for (int i = 0; i < DockClientCount(); ++i) {
        TControl* band = DockClients(i);
        if (!band->Visible()) continue;
        const TRect g = GripRect(band);
        for (int x : {g.Left + 3, g.Left + 6}) {
            c->Pen()->SetColor(clBtnHighlight);
            c->MoveTo(x, g.Top + 2);
            c->LineTo(x, g.Bottom - 2);
            c->Pen()->SetColor(clBtnShadow);
            c->MoveTo(x + 1, g.Top + 2);
            c->LineTo(x + 1, g.Bottom - 2);
        }
    }
}

void TControlBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FPressed = GripAt(Point(X, Y));
    if (FPressed) BeginDockDrag(FPressed, ClientToScreen(Point(X, Y)));
}

void TControlBar::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    SetCursor(GripAt(Point(X, Y)) ? crSizeAll : crDefault);
    if (FPressed && DockDragControl() == FPressed) DockDragMove(ClientToScreen(Point(X, Y)));
}

void TControlBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FPressed) return;
    TControl* pressed = FPressed;
    FPressed = nullptr;
    if (DockDragControl() == pressed) EndDockDrag(ClientToScreen(Point(X, Y)));
}
