// The page workspace under the mouse: hit tests, hover, press, drag steps per mode, release with
// rubber band and insertion, and the exclusive-or rubber band and cross-hair.
#include "report/designer/vrDesgnWorkspace.h"

#include "gui/Forms.h"
#include "gui/Menus.h"
#include "gui/ScreenStrokes.h"

#include <algorithm>
#include <cmath>

namespace {

struct TAbsRect {
    Extended L, T, R, B;
};

TAbsRect AbsRectOf(const TvrComponent* o, bool normalize) {
    TAbsRect r{o->AbsLeft(), o->AbsTop(), o->AbsLeft() + o->Width(), o->AbsTop() + o->Height()};
    if (normalize) {
        if (r.R < r.L) std::swap(r.L, r.R);
        if (r.B < r.T) std::swap(r.T, r.B);
    }
    return r;
}

bool IsDiagonalLine(const TvrComponent* o) {
    auto* line = dynamic_cast<const TvrCustomLineView*>(o);
    return line && line->Diagonal;
}

int MouseRound(Extended v) { return static_cast<int>(std::nearbyint(v)); }

// The handle a line object offers in place of a corner or edge handle.
Byte LineHandle(const TvrCustomLineView* line, Byte handle) {
    if (line->Diagonal) return handle == 1 ? 9 : handle == 2 ? 10 : 0;
    if (line->Width() == 0) return (handle == 1 || handle == 3) ? 7 : (handle == 2 || handle == 4) ? 8 : 0;
    if (line->Height() == 0) return (handle == 1 || handle == 4) ? 6 : (handle == 2 || handle == 3) ? 5 : 0;
    return handle;
}

} // namespace

bool TvrDesignerWorkspace::IsNear(Extended x, Extended y, Extended px, Extended py) {
    return x >= px - 2 && x <= px + 3 && y >= py - 2 && y <= py + 3;
}

TCursor TvrDesignerWorkspace::HandleCursor(Byte handle) {
    switch (handle) {
    case 1:
    case 2:
        return crSizeNWSE;
    case 3:
    case 4:
        return crSizeNESW;
    case 5:
    case 6:
        return crSizeWE;
    case 7:
    case 8:
        return crSizeNS;
    case 9:
    case 10:
        return crCross;
    default:
        return crDefault;
    }
}

bool TvrDesignerWorkspace::HitTest(TvrComponent* object, Extended x, Extended y) const {
    if (!dynamic_cast<TvrReportComponent*>(object)) return false;
    const Extended w = object->Width(), h = object->Height();
    if (IsDiagonalLine(object) && w != 0 && h != 0) {
        const TAbsRect r = AbsRectOf(object, true);
        if (x < r.L - 5 || x > r.R + 5 || y < r.T - 5 || y > r.B + 5) return false;
        const Extended k = h / w;
        const Extended d = std::fabs(k * (x - object->AbsLeft()) - (y - object->AbsTop())) * std::cos(std::atan(k));
        return d < 5;
    }
    TAbsRect r = AbsRectOf(object, true);
    if (auto* band = dynamic_cast<TvrBand*>(object)) {
        if (band->Vertical)
            r.L -= BandHeader;
        else
            r.T -= BandHeader;
    } else if (w == 0) {
        r.L -= 4;
        r.R += 4;
    } else if (h == 0) {
        r.T -= 4;
        r.B += 4;
    }
    return x >= r.L && x <= r.R && y >= r.T && y <= r.B;
}

bool TvrDesignerWorkspace::Touches(TvrComponent* object, const TvrFloatRect& r) const {
    const TAbsRect o = AbsRectOf(object, true);
    return o.L <= r.Right && r.Left <= o.R && o.T <= r.Bottom && r.Top <= o.B;
}

bool TvrDesignerWorkspace::DiagonalCrossesRect(TvrComponent* line, const TvrFloatRect& r) const {
    const Extended l = line->AbsLeft(), t = line->AbsTop(), w = line->Width(), h = line->Height();
    int above = 0, below = 0;
    const Extended xs[] = {r.Left, r.Right}, ys[] = {r.Top, r.Bottom};
    for (Extended cx : xs)
        for (Extended cy : ys) {
            const Extended side = h * (cx - l) - w * (cy - t);
            if (side > 0)
                ++above;
            else if (side < 0)
                ++below;
            else
                return true;
        }
    return above != 4 && below != 4;
}

TvrComponent* TvrDesignerWorkspace::ContainerChildAt(TvrComponent* container, Extended x, Extended y) const {
    const auto& kids = container->Children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        if ((*it)->Visible() && HitTest(*it, x, y)) return *it;
    return nullptr;
}

// --- hover ----------------------------------------------------------------------------------------

void TvrDesignerWorkspace::Hover(TShiftState shift, Extended x, Extended y) {
    const bool armed = InsertionState != 0;
    if (!armed) {
        const int count = SelectedCount();
        if (count == 1) {
            TvrComponent* o = SelectedObjects->front();
            const Extended l = o->AbsLeft(), t = o->AbsTop(), w = o->Width(), h = o->Height();
            const Extended px[] = {l, l + w, l + w, l, l + w, l, l + w / 2, l + w / 2};
            const Extended py[] = {t, t + h, t, t + h, t + h / 2, t + h / 2, t, t + h};
            Byte handle = 0;
            for (Byte i = 0; i < 8 && !handle; ++i)
                if (IsNear(x, y, px[i], py[i])) handle = i + 1;
            if (handle)
                if (auto* line = dynamic_cast<TvrCustomLineView*>(o)) handle = LineHandle(line, handle);
            ResizeHandle = handle;
            Mode = handle ? wmResize : wmNone;
            SetCursor(HandleCursor(handle));
        } else if (count == 0) {
            SetCursor(crDefault);
        } else {
            TvrComponent* g = GetGroupHandleObject();
            if (g && IsNear(x, y, g->AbsLeft() + g->Width(), g->AbsTop() + g->Height())) {
                Mode = wmGroupResize;
                SetCursor(crSizeNWSE);
            } else {
                Mode = wmNone;
                SetCursor(crDefault);
            }
        }
        if (Mode != wmResize && Mode != wmGroupResize) {
            Mode = wmNone;
            SetCursor(crDefault);
            if (Objects)
                for (TvrComponent* o : *Objects) {
                    auto* band = dynamic_cast<TvrBand*>(o);
                    if (!band) continue;
                    const bool hit = band->Vertical ? std::fabs(band->Left() + band->Width() - x) <= 2
                                                    : std::fabs(band->Top() + band->Height() - y) <= 2;
                    if (!hit) continue;
                    SizedBand = band;
                    Mode = wmBandEdge;
                    SetCursor(band->Vertical ? crHSplit : crVSplit);
                    break;
                }
        }
        if (shift.Contains(ssAlt)) {
            SetCursor(crDefault);
            Mode = wmNone;
            MemoUnderMouse = nullptr;
            if (Objects)
                for (TvrComponent* o : *Objects) {
                    auto* memo = dynamic_cast<TvrCustomMemoView*>(o);
                    if (!memo) continue;
                    TAbsRect r = AbsRectOf(memo, false);
                    if (memo->Width() == 0) {
                        r.L -= 4;
                        r.R += 4;
                    } else {
                        r.T -= 4;
                        r.B += 4;
                    }
                    if (x >= r.L && x <= r.R && y >= r.T && y <= r.B) {
                        MemoUnderMouse = memo;
                        SetCursor(crIBeam);
                        Mode = wmInplace;
                        break;
                    }
                }
        }
    }
    if (Mode == wmInsert || Mode == wmInsertLine) {
        if (Mode == wmInsertLine && FCrossShown) DrawCrossHair();
        Extended dx = x - Insertion.Left, dy = y - Insertion.Top;
        const bool snap = GridAlign != shift.Contains(ssAlt);
        bool skip = false;
        if (snap) {
            if (!(std::fabs(dx) >= GridX || std::fabs(dy) >= GridY))
                skip = true;
            else {
                dx = std::trunc(dx / GridX) * GridX;
                dy = std::trunc(dy / GridY) * GridY;
            }
        }
        if (dx == 0 && dy == 0) skip = true;
        AdjustDelta(dx, dy, skip);
        if (!skip) {
            Insertion.Left += dx;
            Insertion.Top += dy;
            if (Mode == wmInsert) Invalidate();
        }
        if (Mode == wmInsertLine) DrawCrossHair();
    }
    if (!armed && Mode != wmResize && Mode != wmGroupResize && Objects)
        for (TvrComponent* o : *Objects) {
            if (!o->Flags.Contains(ofContainer)) continue;
            TAbsRect r = AbsRectOf(o, false);
            if (o->Width() == 0) {
                r.L -= 4;
                r.R += 4;
            } else {
                r.T -= 4;
                r.B += 4;
            }
            if (x >= r.L && x <= r.R && y >= r.T && y <= r.B)
                o->ContainerMouseMove(this, MouseRound(x * Scale), MouseRound(y * Scale));
        }
}

// --- press ----------------------------------------------------------------------------------------

void TvrDesignerWorkspace::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Locked || MouseIsDown) return;
    if (IgnoreNextMouseDown) {
        IgnoreNextMouseDown = false;
        return;
    }
    if (InplaceMemo->IsOpen()) InplaceMemo->Close();
    const TvrObjectList before = SelectedObjects ? *SelectedObjects : TvrObjectList();
    if (IsReportPage()) {
        if (auto* parent = dynamic_cast<TWinControl*>(Parent()); parent && parent->CanFocus()) parent->SetFocus();
    }
    MouseIsDown = true;
    const Extended x = X / Scale, y = Y / Scale;
    LastX = x;
    LastY = y;
    FFirstMoveStep = true;
    bool selecting = false;
    auto startRubberBand = [&] {
        SelectOnly(Page);
        Mode = wmRubberBand;
        RubberBand = {Extended(X), Extended(Y), Extended(X), Extended(Y)};
    };
    if (Mode == wmNone && Shift.Contains(ssCtrl)) {
        selecting = true;
        startRubberBand();
    } else if (Mode == wmNone) {
        selecting = true;
        TvrComponent* target = nullptr;
        if (Objects)
            for (auto it = Objects->rbegin(); it != Objects->rend() && !target; ++it) {
                TvrComponent* o = *it;
                if (!HitTest(o, x, y)) continue;
                if (o->Flags.Contains(ofContainer)) {
                    if (o->ContainerMouseDown(this, X, Y)) {
                        Mode = wmContainer;
                        target = o;
                    } else {
                        TvrComponent* child = ContainerChildAt(o, x, y);
                        target = child ? child : o;
                    }
                } else
                    target = o;
            }
        if (target) {
            if (Shift.Contains(ssShift)) {
                if (IsSelected(target))
                    Unselect(target);
                else
                    Select(target);
            } else if (!IsSelected(target))
                SelectOnly(target);
            RemovePageFromSelection();
            if (SelectedObjects && !SelectedObjects->empty()) {
                if (Mode != wmContainer) Mode = wmMove;
            } else {
                SelectPageIfEmpty();
                Mode = wmNone;
            }
        } else
            startRubberBand();
    }
    if (Mode == wmMove && SelectedCount() == 1 && Shift.Contains(ssAlt) &&
        dynamic_cast<TvrBand*>(SelectedObjects->front()))
        AdjustBands(false);
    if (Mode == wmGroupResize) {
        TvrFloatRect b;
        GetSelectionBounds(b);
        GroupRect = {b.Left, b.Top, b.Left + b.Right, b.Top + b.Bottom};
        GroupRectStart = GroupRect;
        for (TvrComponent* o : *SelectedObjects) o->SavedBounds = {o->AbsLeft(), o->AbsTop(), o->Width(), o->Height()};
    }
    if (Mode == wmInsertLine) {
        if (FCrossShown) DrawCrossHair();
        Insertion.Width = 0;
        Insertion.Height = 0;
        DrawCrossHair();
    }
    if (selecting) {
        if (SelectedObjects && *SelectedObjects != before)
            SelectionChanged();
        else
            Invalidate();
    }
    if (Mode == wmRubberBand) DrawRubberBand();
    if (Button == mbRight && PopupMenu()) {
        if (FRubberShown) DrawRubberBand();
        Mode = wmNone;
        MouseIsDown = false;
        Invalidate();
        const TPoint p = ClientToScreen(Point(X, Y));
        PopupMenu()->Popup(p.X, p.Y);
        return;
    }
    if (Mode == wmMove) {
        SavedAligns.clear();
        for (TvrComponent* o : *SelectedObjects)
            if (auto* view = dynamic_cast<TvrView*>(o)) {
                SavedAligns.push_back(view->Align);
                view->Align = baNone;
            }
    }
}

// --- moves ----------------------------------------------------------------------------------------

void TvrDesignerWorkspace::MouseMove(TShiftState Shift, int X, int Y) {
    TPanel::MouseMove(Shift, X, Y);
    if (Locked) return;
    const Extended x = X / Scale, y = Y / Scale;
    if (!MouseIsDown)
        Hover(Shift, x, y);
    else {
        DragStep(Shift, x, y, X, Y);
        if (Cursor() != crHand) ScrollToMouse(X, Y);
    }
    if (SelectedCount() == 0 || MouseIsDown) {
        TvrFloatRect info;
        if (SelectedCount() == 0 && Mode != wmInsert && Mode != wmInsertLine && Mode != wmBandEdge)
            info = {x, y, 0, 0};
        else
            GetSelectionBounds(info);
        switch (Mode) {
        case wmBandEdge:
            if (SizedBand) info = {SizedBand->Left(), SizedBand->Top(), SizedBand->Width(), SizedBand->Height()};
            break;
        case wmResize:
            if (SelectedCount() == 1) {
                TvrComponent* o = SelectedObjects->front();
                info = {o->Left(), o->Top(), o->Width(), o->Height()};
            }
            break;
        case wmGroupResize: {
            const Extended w0 = GroupRectStart.Right - GroupRectStart.Left,
                           h0 = GroupRectStart.Bottom - GroupRectStart.Top;
            const Extended w = GroupRect.Right - GroupRect.Left, h = GroupRect.Bottom - GroupRect.Top;
            info = {w, h, w0 != 0 ? w / w0 : 1, h0 != 0 ? h / h0 : 1};
            break;
        }
        case wmInsert:
        case wmInsertLine:
            info = {Insertion.Left, Insertion.Top, Insertion.Width, Insertion.Height};
            if (Mode == wmInsertLine && !MouseIsDown) info.Right = info.Bottom = 0;
            break;
        default:
            break;
        }
        FirePositionInfo(info);
    }
}

void TvrDesignerWorkspace::DragStep(TShiftState shift, Extended x, Extended y, int px, int py) {
    Extended dx, dy;
    if (Mode == wmInsert) {
        dx = x - Insertion.Left;
        dy = y - Insertion.Top;
    } else if (Mode == wmInsertLine) {
        dx = x - (Insertion.Left + Insertion.Width);
        dy = y - (Insertion.Top + Insertion.Height);
    } else {
        dx = x - LastX;
        dy = y - LastY;
    }
    const bool snap = GridAlign != shift.Contains(ssAlt);
    bool skip = false;
    if (snap) {
        if (!(std::fabs(dx) >= GridX || std::fabs(dy) >= GridY))
            skip = true;
        else {
            dx = std::trunc(dx / GridX) * GridX;
            dy = std::trunc(dy / GridY) * GridY;
        }
    }
    if (dx == 0 && dy == 0) skip = true;
    AdjustDelta(dx, dy, skip);
    if (skip) return;
    switch (Mode) {
    case wmMove:
        if (!shift.Contains(ssShift)) {
            MoveStep(shift, dx, dy);
            ModifyPending = true;
        }
        break;
    case wmResize:
        if (SelectedCount() == 1) {
            ResizeStep(SelectedObjects->front(), dx, dy);
            ModifyPending = true;
        }
        break;
    case wmBandEdge:
        if (SizedBand) {
            if (SizedBand->Vertical)
                SizedBand->SetWidth(SizedBand->Width() + dx);
            else
                SizedBand->SetHeight(SizedBand->Height() + dy);
            FitBandToChildren(SizedBand);
            AdjustBands(true);
            ModifyPending = true;
        }
        break;
    case wmGroupResize:
        GroupResizeStep(dx, dy);
        ModifyPending = true;
        break;
    case wmRubberBand:
        DrawRubberBand();
        RubberBand.Right = px;
        RubberBand.Bottom = py;
        DrawRubberBand();
        break;
    case wmInsert:
        Insertion.Width = dx;
        Insertion.Height = dy;
        break;
    case wmInsertLine:
        DrawCrossHair();
        Insertion.Width += dx;
        Insertion.Height += dy;
        DrawCrossHair();
        break;
    case wmContainer:
        if (SelectedObjects && !SelectedObjects->empty())
            SelectedObjects->front()->ContainerMouseMove(this, px, py);
        break;
    default:
        break;
    }
    LastX += dx;
    LastY += dy;
    if (Mode != wmRubberBand && Mode != wmInsertLine) Invalidate();
}

void TvrDesignerWorkspace::MoveStep(TShiftState shift, Extended dx, Extended dy) {
    (void)shift;
    if (SelectedCount() == 1)
        if (auto* band = dynamic_cast<TvrBand*>(SelectedObjects->front()); band && band->Vertical) {
            if (FFirstMoveStep && Objects)
                for (TvrComponent* o : *Objects)
                    if (dynamic_cast<TvrView*>(o) && o->Left() >= band->Left() - 0.0001 &&
                        o->Left() + o->Width() <= band->Left() + band->Width() + 0.0001)
                        Select(o);
            dy = 0;
        }
    FFirstMoveStep = false;
    for (TvrComponent* o : *SelectedObjects) {
        o->SetLeft(o->Left() + dx);
        if (IsSelected(o->Parent())) continue;
        if (o->IsInherited() && dynamic_cast<TvrView*>(o) && o->Parent()) {
            const Extended top = o->Top() + dy;
            if (top >= -0.0001 && top <= o->Parent()->Height()) o->SetTop(top);
        } else
            o->SetTop(o->Top() + dy);
    }
}

void TvrDesignerWorkspace::ResizeStep(TvrComponent* o, Extended dx, Extended dy) {
    const TvrBounds saved{o->Left(), o->Top(), o->Width(), o->Height()};
    switch (ResizeHandle) {
    case 1:
    case 9:
        o->SetBounds(o->Left() + dx, o->Top() + dy, o->Width() - dx, o->Height() - dy);
        break;
    case 2:
    case 10:
        o->SetWidth(o->Width() + dx);
        o->SetHeight(o->Height() + dy);
        break;
    case 3:
        o->SetTop(o->Top() + dy);
        o->SetWidth(o->Width() + dx);
        o->SetHeight(o->Height() - dy);
        break;
    case 4:
        o->SetLeft(o->Left() + dx);
        o->SetWidth(o->Width() - dx);
        o->SetHeight(o->Height() + dy);
        break;
    case 5:
        o->SetWidth(o->Width() + dx);
        break;
    case 6:
        o->SetLeft(o->Left() + dx);
        o->SetWidth(o->Width() - dx);
        break;
    case 7:
        o->SetTop(o->Top() + dy);
        o->SetHeight(o->Height() - dy);
        break;
    case 8:
        o->SetHeight(o->Height() + dy);
        break;
    default:
        return;
    }
    if (!IsDiagonalLine(o)) {
        const bool negW = o->Width() < 0, negH = o->Height() < 0;
        if (negW && negH) {
            static const Byte both[] = {0, 2, 1, 4, 3, 5, 6, 7, 8};
            if (ResizeHandle <= 8) ResizeHandle = both[ResizeHandle];
        } else if (negW) {
            static const Byte flipW[] = {0, 3, 4, 1, 2, 6, 5, 7, 8};
            if (ResizeHandle <= 8) ResizeHandle = flipW[ResizeHandle];
        } else if (negH) {
            static const Byte flipH[] = {0, 4, 3, 2, 1, 5, 6, 8, 7};
            if (ResizeHandle <= 8) ResizeHandle = flipH[ResizeHandle];
        }
        if (negW) {
            o->SetLeft(o->Left() + o->Width());
            o->SetWidth(-o->Width());
        }
        if (negH) {
            o->SetTop(o->Top() + o->Height());
            o->SetHeight(-o->Height());
        }
        SetCursor(HandleCursor(ResizeHandle));
    }
    if (o->Left() < 0) o->SetLeft(0);
    if (o->IsInherited() && dynamic_cast<TvrView*>(o) && o->Parent() &&
        (o->Top() < -0.0001 || o->Top() > o->Parent()->Height()))
        o->SetBounds(saved.Left, saved.Top, saved.Width, saved.Height);
    if (auto* band = dynamic_cast<TvrBand*>(o)) {
        if (ResizeHandle == 1 || ResizeHandle == 3 || ResizeHandle == 7) {
            const Extended moved = o->Top() - saved.Top;
            for (TvrComponent* child : band->Children()) child->SetTop(child->Top() - moved);
        }
        FitBandToChildren(band);
        AdjustBands(true);
    }
}

void TvrDesignerWorkspace::GroupResizeStep(Extended dx, Extended dy) {
    const Extended right = GroupRect.Right + dx, bottom = GroupRect.Bottom + dy;
    if (right < GroupRect.Left || bottom < GroupRect.Top) return;
    GroupRect.Right = right;
    GroupRect.Bottom = bottom;
    const Extended w0 = GroupRectStart.Right - GroupRectStart.Left, h0 = GroupRectStart.Bottom - GroupRectStart.Top;
    // An axis without extent has nothing to scale: it stays as it is.
    const Extended kx = w0 != 0 ? (GroupRect.Right - GroupRect.Left) / w0 : 1;
    const Extended ky = h0 != 0 ? (GroupRect.Bottom - GroupRect.Top) / h0 : 1;
    for (TvrComponent* o : *SelectedObjects) {
        const TvrBounds& s = o->SavedBounds;
        Extended left = (s.Left - GroupRectStart.Left) * kx + GroupRectStart.Left;
        Extended top = (s.Top - GroupRectStart.Top) * ky + GroupRectStart.Top;
        if (auto* band = dynamic_cast<TvrBand*>(o->Parent())) {
            left -= band->AbsLeft();
            top -= band->AbsTop();
        }
        o->SetBounds(left, top, s.Width * kx, s.Height * ky);
    }
}

void TvrDesignerWorkspace::ScrollToMouse(int x, int y) {
    auto* box = dynamic_cast<TScrollingWinControl*>(Parent());
    if (!box) return;
    const TRect view = box->ClientRect();
    const int px = x + MouseRound(MarginLeft * Scale), py = y + MouseRound(MarginTop * Scale);
    TControlScrollBar* h = box->HorzScrollBar();
    TControlScrollBar* v = box->VertScrollBar();
    if (px > h->Position() + view.Width())
        h->SetPosition(px - view.Width());
    else if (px < h->Position())
        h->SetPosition(px);
    if (py > v->Position() + view.Height())
        v->SetPosition(py - view.Height());
    else if (py < v->Position())
        v->SetPosition(py);
}

// --- release --------------------------------------------------------------------------------------

void TvrDesignerWorkspace::FinishInsertion() {
    TvrInsertion& ins = Insertion;
    Extended l = ins.Left, t = ins.Top, r = ins.Left + ins.Width, b = ins.Top + ins.Height;
    const bool lineClass = ins.ObjectClass->InheritsFrom(TvrCustomLineView::StaticClassInfo());
    const bool diagonal = lineClass && ins.Flags != 0;
    if (lineClass && ins.Flags == 0) {
        if (ins.Width < 0) r = ins.Left - ins.Width;
        if (ins.Height < 0) b = ins.Top - ins.Height;
        if (ins.Width < 0 && -ins.Width > ins.Height) {
            l = ins.Left + ins.Width;
            r = ins.Left;
        }
        if (ins.Height < 0 && -ins.Height > ins.Width) {
            t = ins.Top + ins.Height;
            b = ins.Top;
        }
    }
    if (!diagonal) {
        if ((ins.Width >= 0 && ins.Width < 4) || (ins.Height > 0 && ins.Height < 4)) {
            l = ins.Left;
            t = ins.Top;
            r = ins.Left + ins.DefaultWidth;
            b = ins.Top + ins.DefaultHeight;
        }
        if (r < l) std::swap(l, r);
        if (b < t) std::swap(t, b);
    }
    ins.Left = vrRound8(l);
    ins.Top = vrRound8(t);
    ins.Width = vrRound8(r - l);
    ins.Height = vrRound8(b - t);
    if (OnInsertRequest) OnInsertRequest(this);
}

void TvrDesignerWorkspace::FinishRubberBand() {
    if (FRubberShown) DrawRubberBand();
    TvrFloatRect r = RubberBand;
    if (r.Right < r.Left) std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
    RubberBand = r;
    const TvrFloatRect u{r.Left / Scale, r.Top / Scale, r.Right / Scale, r.Bottom / Scale};
    SelectedObjects->clear();
    if (Objects)
        for (TvrComponent* o : *Objects) {
            if (!dynamic_cast<TvrReportComponent*>(o) || dynamic_cast<TvrBand*>(o) || !Touches(o, u)) continue;
            if (o->Flags.Contains(ofContainer)) {
                for (TvrComponent* child : o->Children())
                    if (child->Visible() && Touches(child, u)) Select(child);
                continue;
            }
            if (IsDiagonalLine(o) && o->Width() != 0 && o->Height() != 0 && !DiagonalCrossesRect(o, u)) continue;
            Select(o);
        }
    SelectPageIfEmpty();
}

void TvrDesignerWorkspace::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || Locked) return;
    const TvrObjectList before = SelectedObjects ? *SelectedObjects : TvrObjectList();
    MouseIsDown = false;
    if (InsertionState == 1 && Insertion.ObjectClass) {
        if (FCrossShown) DrawCrossHair();
        FinishInsertion();
    }
    switch (Mode) {
    case wmRubberBand:
        FinishRubberBand();
        break;
    case wmInplace:
        if (MemoUnderMouse) {
            SelectOnly(MemoUnderMouse);
            SelectionChanged();
            OpenInplaceEditor(MemoUnderMouse);
        }
        Mode = wmNone;
        break;
    case wmMove:
    case wmResize: {
        size_t align = 0;
        for (TvrComponent* o : *SelectedObjects) {
            if (Mode == wmMove)
                if (auto* view = dynamic_cast<TvrView*>(o); view && align < SavedAligns.size())
                    view->Align = SavedAligns[align++];
            o->SetBounds(vrRound8(o->Left()), vrRound8(o->Top()), vrRound8(o->Width()), vrRound8(o->Height()));
        }
        SavedAligns.clear();
        break;
    }
    case wmBandEdge:
        if (SizedBand) SizedBand->SetHeight(vrRound8(SizedBand->Height()));
        break;
    case wmContainer:
        if (SelectedObjects && !SelectedObjects->empty()) SelectedObjects->front()->ContainerMouseUp(this, X, Y);
        break;
    default:
        break;
    }
    AdjustBands(true);
    if (SelectedObjects && *SelectedObjects != before)
        SelectionChanged();
    else
        Invalidate();
    NotifyModified();
    ResizeHandle = 0;
    if (!(InsertionState == 1 && Insertion.ObjectClass)) Mode = wmNone;
    if (SelectedCount() == 0)
        FirePositionInfo({X / Scale, Y / Scale, 0, 0});
    else
        FireSelectionBounds();
}

void TvrDesignerWorkspace::DblClick() {
    TPanel::DblClick();
    EditSelected();
    IgnoreNextMouseDown = true;
}

void TvrDesignerWorkspace::MouseLeave() {
    TPanel::MouseLeave();
    MouseLeft();
}

void TvrDesignerWorkspace::MouseLeft() {
    if (!MouseIsDown) {
        if (Mode == wmInsert) {
            Insertion.Left = -1000 * GridX;
            Insertion.Top = -1000 * GridY;
            Invalidate();
        } else if (Mode == wmInsertLine) {
            if (FCrossShown) DrawCrossHair();
            const Extended part = GridType == 4 ? 0.5 : 1;
            Insertion.Left = -GridX * part;
            Insertion.Top = -GridY * part;
        }
    }
    if (InsertionState == 2) SetInsertion(nullptr, 0, 0, 0);
}

// --- exclusive-or marks ------------------------------------------------------------------------------

void TvrDesignerWorkspace::DrawRubberBand() {
    // Drawn once shows the band, drawn again erases it.
    if (FRubberShown) {
        DrawXorFrame(this, FRubberDrawn, clSilver, true);
        FRubberShown = false;
        return;
    }
    TRect r = Rect(MouseRound(RubberBand.Left), MouseRound(RubberBand.Top), MouseRound(RubberBand.Right), MouseRound(RubberBand.Bottom));
    if (r.Right < r.Left) std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
    FRubberDrawn = r;
    DrawXorFrame(this, r, clSilver, true);
    FRubberShown = true;
}

void TvrDesignerWorkspace::DrawCrossHair() {
    auto strokes = [&](TPoint start, TPoint end, bool line) {
        std::vector<TScreenStroke> s{{{end.X - 4, end.Y}, {end.X + 5, end.Y}, clSilver, false},
                                     {{end.X, end.Y - 4}, {end.X, end.Y + 5}, clSilver, false}};
        if (line && start != end) s.push_back({start, end, clSilver, false});
        return s;
    };
    if (FCrossShown) {
        for (const TScreenStroke& s : strokes(FCrossStart, FCrossEnd, FCrossLine)) DrawXorStroke(this, s);
        FCrossShown = false;
        return;
    }
    const TPoint start(MouseRound(Insertion.Left * Scale), MouseRound(Insertion.Top * Scale));
    TPoint end = start;
    FCrossLine = MouseIsDown;
    if (MouseIsDown) {
        Extended w = Insertion.Width, h = Insertion.Height;
        if (Insertion.Flags == 0) {
            if (std::fabs(w) >= std::fabs(h))
                h = 0;
            else
                w = 0;
        }
        end = TPoint(MouseRound((Insertion.Left + w) * Scale), MouseRound((Insertion.Top + h) * Scale));
    }
    FCrossStart = start;
    FCrossEnd = end;
    for (const TScreenStroke& s : strokes(start, end, FCrossLine)) DrawXorStroke(this, s);
    FCrossShown = true;
}
