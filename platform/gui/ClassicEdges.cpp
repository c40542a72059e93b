#include "gui/ClassicEdges.h"

#include "gui/Colors.h"

#include <map>

namespace {

void Line(TCanvas* c, TColor color, int x1, int y1, int x2, int y2) {
    c->Pen()->SetColor(color);
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
}

// One ring of an edge: top-left colour on the left and top, bottom-right colour on the right
// and bottom.
void Ring(TCanvas* c, const TRect& r, TColor topLeft, TColor bottomRight, unsigned flags) {
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    if (flags & BF_LEFT) Line(c, topLeft, r.Left, r.Bottom - 1, r.Left, r.Top - 1);
    if (flags & BF_TOP) Line(c, topLeft, r.Left, r.Top, r.Right, r.Top);
    if (flags & BF_RIGHT) Line(c, bottomRight, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
    if (flags & BF_BOTTOM) Line(c, bottomRight, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
}

void Shrink(TRect& r, unsigned flags) {
    if (flags & BF_LEFT) ++r.Left;
    if (flags & BF_TOP) ++r.Top;
    if (flags & BF_RIGHT) --r.Right;
    if (flags & BF_BOTTOM) --r.Bottom;
}

bool Themed = true;
std::map<int, std::function<void()>>& Listeners() {
    static std::map<int, std::function<void()>> listeners;
    return listeners;
}

} // namespace

void DrawEdge(TCanvas* Canvas, TRect& Rect, unsigned Edge, unsigned Flags) {
    TRect r = Rect;
    if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        if (Edge & BDR_RAISEDOUTER)
            Ring(Canvas, r, cl3DLight, cl3DDkShadow, Flags);
        else
            Ring(Canvas, r, clBtnShadow, clBtnHighlight, Flags);
        Shrink(r, Flags);
    }
    if (Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        if (Edge & BDR_RAISEDINNER)
            Ring(Canvas, r, clBtnHighlight, clBtnShadow, Flags);
        else
            Ring(Canvas, r, cl3DDkShadow, cl3DLight, Flags);
        Shrink(r, Flags);
    }
    if ((Flags & BF_MIDDLE) && r.Right > r.Left && r.Bottom > r.Top) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FillRect(r);
    }
    if (Flags & BF_ADJUST) Rect = r;
}

namespace {

void Arrow(TCanvas* c, const TRect& r, bool up, bool inactive, int shift) {
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    const int size = std::max(1, std::min(w, h) / 3);
    const int cx = r.Left + w / 2 + shift, cy = r.Top + h / 2 + shift;
    auto draw = [&](TColor color, int dx) {
        for (int i = 0; i < size; ++i) {
            const int y = up ? cy - size / 2 + i : cy + size / 2 - i;
            Line(c, color, cx - i + dx, y + dx, cx + i + 1 + dx, y + dx);
        }
    };
    if (inactive) {
        draw(clBtnHighlight, 1);
        draw(clBtnShadow, 0);
    } else {
        draw(clBtnText, 0);
    }
}

} // namespace

void DrawFrameControl(TCanvas* Canvas, const TRect& Rect, unsigned Kind, unsigned State) {
    TRect r = Rect;
    const bool pushed = State & DFCS_PUSHED, flat = State & DFCS_FLAT, inactive = State & DFCS_INACTIVE;
    if (Kind == DFC_SCROLL || (Kind == DFC_BUTTON && (State & DFCS_BUTTONPUSH))) {
        if (flat) {
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(clBtnShadow);
            Canvas->FrameRect(r);
            InflateRect(r, -1, -1);
            Canvas->Brush()->SetColor(clBtnFace);
            Canvas->FillRect(r);
        } else {
            DrawEdge(Canvas, r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        }
        if (Kind == DFC_SCROLL) Arrow(Canvas, r, (State & 0xF) == DFCS_SCROLLUP, inactive, pushed ? 1 : 0);
        return;
    }
    // A check box: a sunken well, white (grey for three-state or inactive), and the mark.
    if (flat) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(clBtnShadow);
        Canvas->FrameRect(r);
        InflateRect(r, -1, -1);
    } else {
        DrawEdge(Canvas, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    const bool grey = inactive || pushed || (State & DFCS_BUTTON3STATE);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(grey ? clBtnFace : clWindow);
    Canvas->FillRect(r);
    if (!(State & DFCS_CHECKED)) return;
    const TColor mark = inactive || (State & DFCS_BUTTON3STATE) ? clBtnShadow : clWindowText;
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    const int x0 = r.Left + w / 4, y0 = r.Top + h / 2 - 1;
    for (int t = 0; t < 3; ++t) {
        Line(Canvas, mark, x0, y0 + t, x0 + 2, y0 + 2 + t);
        Line(Canvas, mark, x0 + 2, y0 + 2 + t, x0 + w / 2 + 1, y0 - w / 4 + t);
    }
}

bool ThemedElementsEnabled() {
    return Themed;
}

void SetThemedElementsEnabled(bool Value) {
    if (Value == Themed) return;
    Themed = Value;
    NotifySysColorChange();
}

TSize StandardCheckBoxSize() {
    return TSize(13, 13);
}

int AddSysColorChangeListener(std::function<void()> Listener) {
    static int next = 0;
    Listeners()[++next] = std::move(Listener);
    return next;
}

void RemoveSysColorChangeListener(int Id) {
    Listeners().erase(Id);
}

void NotifySysColorChange() {
    auto copy = Listeners();
    for (auto& [id, listener] : copy)
        if (listener) listener();
}
