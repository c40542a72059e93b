// The page workspace from the keyboard: arrow keys move, size, push against the neighbour or
// select the nearest object; Tab walks a band's children; Enter edits; Delete deletes.
#include "report/designer/vrDesgnWorkspace.h"

#include "gui/CursorPos.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct TBox {
    Extended L, T, R, B;
};

TBox BoxOf(const TvrComponent* o) {
    return {o->AbsLeft(), o->AbsTop(), o->AbsLeft() + o->Width(), o->AbsTop() + o->Height()};
}

bool Overlaps(const TBox& a, const TBox& b) { return a.L <= b.R && b.L <= a.R && a.T <= b.B && b.T <= a.B; }

constexpr Extended Far = 1e10;

// The lane of S in a direction: the strip from S onwards across S's height (or width).
TBox LaneOf(const TBox& s, int dx, int dy) {
    if (dx > 0) return {s.L, s.T, Far, s.B};
    if (dx < 0) return {-Far, s.T, s.R, s.B};
    if (dy > 0) return {s.L, s.T, s.R, Far};
    return {s.L, -Far, s.R, s.B};
}

Extended LaneDistance(const TBox& s, const TBox& c, int dx, int dy) {
    if (dx > 0) return c.L - s.L;
    if (dx < 0) return s.R - c.R;
    if (dy > 0) return c.T - s.T;
    return s.B - c.B;
}

} // namespace

bool TvrDesignerWorkspace::WantsKey(Word Key, TShiftState Shift) const {
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_TAB:
    case VK_RETURN:
        return true;
    default:
        return TPanel::WantsKey(Key, Shift);
    }
}

void TvrDesignerWorkspace::KeyDown(Word& Key, TShiftState Shift) {
    TPanel::KeyDown(Key, Shift);
    if (Locked || Key == 0) return;
    if (Shift.Contains(ssAlt)) {
        const TPoint p = ScreenToClient(GetCursorPos());
        Hover(Shift, p.X / Scale, p.Y / Scale);
    }
    int dx = 0, dy = 0;
    switch (Key) {
    case VK_TAB:
        SelectNext();
        Key = 0;
        return;
    case VK_RETURN:
        EditSelected();
        Key = 0;
        return;
    case VK_DELETE:
        Key = 0;
        DeleteSelected();
        return;
    case VK_LEFT:
        dx = -1;
        break;
    case VK_RIGHT:
        dx = 1;
        break;
    case VK_UP:
        dy = -1;
        break;
    case VK_DOWN:
        dy = 1;
        break;
    default:
        return;
    }
    Key = 0;
    if (Shift.Contains(ssCtrl))
        MoveSelection(!Shift.Contains(ssShift), dx, dy);
    else if (Shift.Contains(ssShift))
        ResizeSelection(dx, dy);
    else if (Shift.Contains(ssAlt))
        MoveToNearest(dx, dy);
    else
        SelectNearest(dx, dy);
    AdjustBands(true);
}

void TvrDesignerWorkspace::KeyUp(Word& Key, TShiftState Shift) {
    TPanel::KeyUp(Key, Shift);
    if (!Locked) NotifyModified();
}

void TvrDesignerWorkspace::MoveSelection(bool byPixel, Extended dx, Extended dy) {
    if (SelectedCount() == 0) return;
    if (!byPixel || GridType == 4) {
        dx *= GridX;
        dy *= GridY;
    }
    for (TvrComponent* o : *SelectedObjects) {
        o->SetLeft(o->Left() + dx);
        o->SetTop(o->Top() + dy);
    }
    ModifyPending = true;
    FireSelectionBounds();
    Invalidate();
}

void TvrDesignerWorkspace::ResizeSelection(Extended dx, Extended dy) {
    if (SelectedCount() == 0) return;
    for (TvrComponent* o : *SelectedObjects) {
        const Extended w = o->Width() + dx * GridX, h = o->Height() + dy * GridY;
        // A dimension that would go below zero keeps its value.
        if (w >= 0 || std::fabs(w) < 1e-9) o->SetWidth(std::fabs(w) < 1e-9 ? 0 : w);
        if (h >= 0 || std::fabs(h) < 1e-9) o->SetHeight(std::fabs(h) < 1e-9 ? 0 : h);
    }
    ModifyPending = true;
    FireSelectionBounds();
    Invalidate();
}

void TvrDesignerWorkspace::SelectNext() {
    if (SelectedCount() != 1) return;
    TvrComponent* s = SelectedObjects->front();
    TvrComponent* next = nullptr;
    if (dynamic_cast<TvrBand*>(s)) {
        if (!s->Children().empty()) next = s->Children().front();
    } else if (dynamic_cast<TvrView*>(s) && s->Parent()) {
        const auto& kids = s->Parent()->Children();
        auto it = std::find(kids.begin(), kids.end(), s);
        if (it != kids.end()) next = (++it == kids.end()) ? kids.front() : *it;
    }
    if (next) SelectOnly(next);
    FireSelectionBounds();
    SelectionChanged();
}

void TvrDesignerWorkspace::SelectNearest(int dx, int dy) {
    if (SelectedCount() != 1 || !Objects) return;
    TvrComponent* sel = SelectedObjects->front();
    const TBox s = BoxOf(sel);
    const TBox lane = LaneOf(s, dx, dy);
    TBox half;
    if (dx > 0)
        half = {s.L, 0, Far, Far};
    else if (dx < 0)
        half = {0, 0, s.R, Far};
    else if (dy > 0)
        half = {0, s.T, Far, Far};
    else
        half = {0, 0, Far, s.B};
    const Extended weight = Width() + Height();
    TvrComponent* best = nullptr;
    Extended bestDistance = Far;
    for (TvrComponent* o : *Objects) {
        if (o == sel || !dynamic_cast<TvrReportComponent*>(o) || dynamic_cast<TvrBand*>(o)) continue;
        const TBox c = BoxOf(o);
        Extended distance = Far;
        if (Overlaps(c, lane))
            distance = LaneDistance(s, c, dx, dy);
        else if (Overlaps(c, half)) {
            Extended gx, gy;
            if (dx != 0) {
                gx = dx > 0 ? c.L - s.R : s.L - c.R;
                gy = c.T <= s.T ? s.T - c.B : c.T - s.B;
                if (gx < gy) continue;
            } else {
                gy = dy > 0 ? c.T - s.B : s.T - c.B;
                gx = c.L <= s.L ? s.L - c.R : c.L - s.R;
                if (gy < gx) continue;
            }
            if (gx == 0 && gy == 0) continue;
            distance = std::sqrt(gx * gx + gy * gy) * weight;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = o;
        }
    }
    if (!best) return;
    SelectOnly(best);
    FireSelectionBounds();
    SelectionChanged();
}

void TvrDesignerWorkspace::MoveToNearest(int dx, int dy) {
    if (SelectedCount() != 1 || !Objects) return;
    TvrComponent* sel = SelectedObjects->front();
    const TBox s = BoxOf(sel);
    const TBox lane = LaneOf(s, dx, dy);
    TvrComponent* nearest = nullptr;
    Extended bestDistance = std::numeric_limits<Extended>::max();
    for (TvrComponent* o : *Objects) {
        if (o == sel || !dynamic_cast<TvrReportComponent*>(o) || dynamic_cast<TvrBand*>(o)) continue;
        const TBox c = BoxOf(o);
        if (!Overlaps(c, lane)) continue;
        const Extended distance = LaneDistance(s, c, dx, dy);
        if (distance < bestDistance) {
            bestDistance = distance;
            nearest = o;
        }
    }
    if (!nearest) return;
    Extended gap = 0;
    auto* sm = dynamic_cast<TvrDMPMemoView*>(sel);
    auto* nm = dynamic_cast<TvrDMPMemoView*>(nearest);
    if (sm && nm) {
        const TvrFrameTypes& st = sm->Frame()->Typ;
        const TvrFrameTypes& nt = nm->Frame()->Typ;
        if (dx > 0 && (st.Contains(ftRight) || nt.Contains(ftLeft))) gap = fr1CharX;
        if (dx < 0 && (st.Contains(ftLeft) || nt.Contains(ftRight))) gap = fr1CharX;
        if (dy > 0 && (st.Contains(ftBottom) || nt.Contains(ftTop))) gap = fr1CharY;
        if (dy < 0 && (st.Contains(ftTop) || nt.Contains(ftBottom))) gap = fr1CharY;
    }
    if (dx > 0) sel->SetLeft(nearest->Left() - sel->Width() - gap);
    if (dx < 0) sel->SetLeft(nearest->Left() + nearest->Width() + gap);
    if (dy > 0) sel->SetTop(nearest->Top() - sel->Height() - gap);
    if (dy < 0) sel->SetTop(nearest->Top() + nearest->Height() + gap);
    ModifyPending = true;
    FireSelectionBounds();
    Invalidate();
}
