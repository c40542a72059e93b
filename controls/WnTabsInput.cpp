// How the tab control changes its current tab: the TabIndex write with its events, hit testing on
// the outlines, clicks, keys, accelerators, hot tracking with per-tab hints, closing, and
// reordering tabs by dragging them along the strip.
#include "controls/WnTabs.h"

#include "controls/WnTabButtons.h"

#include "gui/CursorPos.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"

#include "rtl/CodePage.h"

#include <cstdlib>
#include <cwctype>

namespace {

// Whether the caption marks Ch as its accelerator ("&x", compared without regard to case).
bool IsAccel(char16_t Ch, const String& Caption) {
    const WideString w = Utf8ToWide(Caption);
    for (size_t i = 0; i + 1 < w.size(); ++i) {
        if (w[i] != u'&') continue;
        if (w[i + 1] == u'&') {
            ++i;
            continue;
        }
        return std::towupper(w[i + 1]) == std::towupper(Ch);
    }
    return false;
}

} // namespace

bool TWnCustomTabControl::CanChangeTo(int Index) {
    if (FTabs.Count() == 0 || Index < 0 || Index >= FTabs.Count()) return false;
    const TWnTabData* tab = FTabs.Items(Index);
    if (!tab->Visible || !tab->Enabled) return false;
    bool allow = true;
    if (Index != FTabIndex) DoChanging(Index, allow);
    return allow;
}

void TWnCustomTabControl::SetTabIndex(int Value) {
    if (FLoading) {
        FTabIndex = Value;
        return;
    }
    if (Value < 0 || Value >= FTabs.Count()) {
        FTabIndex = -1;
        InvalidateTabs();
    } else if (Value == FTabIndex || FSkipChanging || CanChangeTo(Value)) {
        const int oldIndex = FTabIndex, oldFirst = FFirstShownTab;
        FTabIndex = Value;
        if (!FScrollNeeded) {
            RotateRows();
        } else if (Value < FFirstShownTab) {
            FFirstShownTab = Value;
            InvalidateTabs();
        } else {
            while (!TabInView(Value) && FFirstShownTab < Value) {
                do
                    ++FFirstShownTab;
                while (FFirstShownTab < Value && !FTabs.Items(FFirstShownTab)->Visible);
            }
        }
        if (FFirstShownTab != oldFirst || FTabIndex != oldIndex) {
            InvalidateTabs();
            if (FScroller) FScroller->Invalidate();
        }
        if (FTabIndex != oldIndex) {
            DoChange();
            DoPageChange();
        }
    }
    if (FCloseButton && FShowCloseButton) FCloseButton->Invalidate();
    if (FMenuButton && FShowMenuButton) FMenuButton->Invalidate();
}

void TWnCustomTabControl::ApplyApprovedTab(int Index) {
    FSkipChanging = true;
    try {
        SetTabIndex(Index);
    } catch (...) {
        FSkipChanging = false;
        throw;
    }
    FSkipChanging = false;
}

int TWnCustomTabControl::TabAtPos(int X, int Y) {
    if (FTabs.Count() == 0 || FFirstShownTab < 0) return -1;
    UpdateLayout();
    const TPoint pt(X, Y);
    auto hit = [&](int i) {
        if (!TabInView(i)) return false;
        const TRect r = GetTabRect(i);
        if (X < r.Left || X > r.Right || Y < r.Top || Y > r.Bottom) return false;
        const TRegion* rgn = GetTabRegion(i, r);
        return rgn && rgn->Contains(pt);
    };
    if (FTabIndex >= 0 && FTabIndex < FTabs.Count() && hit(FTabIndex)) return FTabIndex;
    int i = FFirstShownTab;
    do {
        if (i != FTabIndex && hit(i)) return i;
        i = i + 1 >= FTabs.Count() ? 0 : i + 1;
    } while (i != FFirstShownTab);
    return -1;
}

void TWnCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Enabled()) return;
    const int hit = TabAtPos(X, Y);
    if (Button == mbLeft && hit >= 0 && FTabs.Items(hit)->Enabled) {
        if (TabStop() && hit == FTabIndex) {
            if (CanFocus() && !Focused()) SetFocus();
            if (!Focused()) return;
        }
        SetTabIndex(hit);
        if (FTabIndex == hit) DoTabClick();
    }
    FPressedTab = hit;
    FPressPos = TPoint(X, Y);
}

void TWnCustomTabControl::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
        if (inside) {
            bool accept = false;
            TabDragOver(X, Y, accept);
        } else {
            TabDragLeave();
        }
        return;
    }
    if (FAllowTabDragging && Shift.Contains(ssLeft) && FPressedTab >= 0 && FPressedTab < FTabs.Count() &&
        FTabs.Items(FPressedTab)->Enabled &&
        (std::abs(X - FPressPos.X) > 5 || std::abs(Y - FPressPos.Y) > 5)) {
        FDragging = true;
        FDragOverTab = -1;
        bool accept = false;
        TabDragOver(X, Y, accept);
        return;
    }
    if (!FHotTrack && !FTabHints) return;
    const int hit = TabAtPos(X, Y);
    if (hit < 0) {
        const TRect area = TabAreaRect();
        const bool inArea = X >= area.Left && X < area.Right && Y >= area.Top && Y < area.Bottom;
        ClearHotTrack();
        if (FTabHints && inArea) SetHint(String());
        return;
    }
    if (hit != FHotTab) {
        FHotTab = hit;
        if (FHotTrack) Invalidate();
        if (FTabHints) SetHint(FTabs.Items(hit)->Hint);
        if (!FHotTrackTimer) {
            FHotTrackTimer = new TTimer(this);
            FHotTrackTimer->SetInterval(60);
            FHotTrackTimer->OnTimer = [this](TObject*) { HotTrackTick(); };
        }
        FHotTrackTimer->SetEnabled(true);
    }
}

void TWnCustomTabControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FDragging) {
        FDragging = false;
        const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
        if (inside)
            TabDragDrop(X, Y);
        else
            TabDragLeave();
        if (FDragScrollTimer) FDragScrollTimer->SetEnabled(false);
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

TPoint TWnCustomTabControl::CursorPos() const {
    return ScreenToClient(GetCursorPos());
}

void TWnCustomTabControl::HotTrackTick() {
    const TPoint p = CursorPos();
    if (TabAtPos(p.X, p.Y) < 0) ClearHotTrack();
}

void TWnCustomTabControl::StopHotTrackTimer() {
    if (FHotTrackTimer) {
        delete FHotTrackTimer;
        FHotTrackTimer = nullptr;
    }
}

void TWnCustomTabControl::ClearHotTrack() {
    StopHotTrackTimer();
    const bool wasHot = FHotTab >= 0;
    FHotTab = -1;
    if (wasHot) Invalidate();
    SetHint(FSavedHint);
}

bool TWnCustomTabControl::WantsKey(Word Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TWnCustomTabControl::DoEnter() {
    TCustomControl::DoEnter();
    InvalidateTabs();
}

void TWnCustomTabControl::DoExit() {
    TCustomControl::DoExit();
    InvalidateTabs();
}

void TWnCustomTabControl::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    const int count = FTabs.Count();
    if (Key == 0 || count == 0) return;
    const bool flipped = (FTabOrientation == toLeft && FTabSequence == tsStandard) ||
                         (FTabOrientation != toLeft && FTabSequence == tsReverse);
    int found = -1;
    if (Key == VK_HOME || Key == VK_END) {
        const bool fromEnd = (Key == VK_HOME) == flipped;
        const int step = fromEnd ? -1 : 1;
        for (int i = fromEnd ? count - 1 : 0; i >= 0 && i < count && i != FTabIndex; i += step)
            if (CanChangeTo(i)) {
                found = i;
                break;
            }
    } else if (Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) {
        const bool back = Key == VK_LEFT || Key == VK_UP;
        const int step = back == flipped ? 1 : -1;
        const int start = FTabIndex < 0 ? (step > 0 ? count - 1 : 0) : FTabIndex;
        for (int i = (start + step + count) % count; i != start; i = (i + step + count) % count)
            if (CanChangeTo(i)) {
                found = i;
                break;
            }
    } else {
        return;
    }
    Key = 0;
    if (found < 0 || found == FTabIndex) return;
    ApplyApprovedTab(found);
    DoTabClick();
}

bool TWnCustomTabControl::DialogChar(char16_t Ch) {
    if (!CanFocus()) return false;
    for (int i = 0; i < FTabs.Count(); ++i) {
        const TWnTabData* tab = FTabs.Items(i);
        if (!tab->Enabled || !tab->Visible || !IsAccel(Ch, tab->Caption)) continue;
        SetFocus();
        if (Focused()) {
            const int old = FTabIndex;
            SetTabIndex(i);
            if (FTabIndex == i && old != i) DoTabClick();
        }
        return true;
    }
    return false;
}

void TWnCustomTabControl::CloseTab() {
    if (FTabIndex != -1 && DoClose()) CloseActiveTab();
}

// ---- dragging tabs

TRect TWnCustomTabControl::MarkerRectFor(int Target) const {
    TRect r = const_cast<TWnCustomTabControl*>(this)->GetTabRect(Target);
    const int f = FFixedDimension;
    const bool before = FTabSequence == tsStandard ? Target < FTabIndex : Target > FTabIndex;
    const TWnTabStyle s = FTabStyle;
    const bool slanted2 = s == tsDoubleSlant || s == tsBackSlant;
    const bool slantedA = s == tsSingleSlant || s == tsDoubleSlant;
    const bool flat = s == tsCutCorner || s == tsRoundCorners;
    TRect m;
    auto along = [&](int a, int b) { return std::make_pair(a, b); };
    std::pair<int, int> x;
    switch (FTabOrientation) {
    case toTop:
    case toBottom: {
        if (before) {
            x = along(r.Left - 8, r.Left + 7);
            if (slanted2) x.first += f / 2, x.second += f / 2;
        } else {
            x = along(r.Right - 7, r.Right + 8);
            if (slantedA) x.first -= f / 2, x.second -= f / 2;
            if (flat) x.first += 1, x.second += 1;
        }
        m = FTabOrientation == toTop ? TRect(x.first, r.Top - 2, x.second, r.Top + 6)
                                     : TRect(x.first, r.Bottom - 6, x.second, r.Bottom + 2);
        break;
    }
    case toLeft: {
        if (before) {
            x = along(r.Bottom - 7, r.Bottom + 8);
            if (slanted2) x.first -= f / 2, x.second -= f / 2;
            if (flat) x.first += 1, x.second += 1;
        } else {
            x = along(r.Top - 8, r.Top + 7);
            if (slantedA) x.first += f / 2, x.second += f / 2;
        }
        m = TRect(r.Left - 2, x.first, r.Left + 6, x.second);
        break;
    }
    case toRight: {
        if (before) {
            x = along(r.Top - 8, r.Top + 7);
            if (slanted2) x.first += f / 2 + 1, x.second += f / 2 + 1;
        } else {
            x = along(r.Bottom - 7, r.Bottom + 8);
            if (slantedA) x.first -= f / 2, x.second -= f / 2;
            if (flat) x.first += 1, x.second += 1;
        }
        m = TRect(r.Right - 5, x.first, r.Right + 3, x.second);
        break;
    }
    }
    return m;
}

void TWnCustomTabControl::TabDragOver(int X, int Y, bool& Accept) {
    const int target = TabAtPos(X, Y);
    if (target < 0) {
        if (!FDragScrollTimer) {
            FDragScrollTimer = new TTimer(this);
            FDragScrollTimer->OnTimer = [this](TObject*) { DragScrollTick(); };
        }
        FDragScrollTimer->SetInterval(400);
        FDragScrollTimer->SetEnabled(true);
    }
    Accept = target >= 0 && target != FTabIndex;
    if (target == FDragOverTab) return;
    FDragOverTab = target;
    if (Accept) {
        FMarkerRect = MarkerRectFor(target);
        FMarkerShown = true;
        Invalidate();
    } else if (FMarkerShown) {
        FMarkerShown = false;
        Invalidate();
    }
}

void TWnCustomTabControl::TabDragLeave() {
    if (FMarkerShown) {
        FMarkerShown = false;
        Invalidate();
    }
    FDragOverTab = -1;
}

void TWnCustomTabControl::TabDragDrop(int X, int Y) {
    if (FDragScrollTimer) FDragScrollTimer->SetEnabled(false);
    if (FMarkerShown) {
        FMarkerShown = false;
        Invalidate();
    }
    FDragOverTab = -1;
    const int target = TabAtPos(X, Y);
    if (target >= 0 && target != FTabIndex) MoveActiveTab(target);
}

void TWnCustomTabControl::DragScrollTick() {
    FDragScrollTimer->SetInterval(300);
    if (!FDragging) return;
    try {
        const TPoint p = CursorPos();
        int dir = 0;
        switch (FTabOrientation) {
        case toTop:
        case toBottom:
            dir = p.X < 0 ? -1 : p.X > Width() ? 1 : 0;
            break;
        case toLeft:
            dir = p.Y < 0 ? 1 : p.Y > Height() ? -1 : 0;
            break;
        case toRight:
            dir = p.Y < 0 ? -1 : p.Y > Height() ? 1 : 0;
            break;
        }
        if (FTabSequence == tsReverse) dir = -dir;
        if (dir != 0) ScrollTabs(dir > 0);
    } catch (...) {
        FDragScrollTimer->SetEnabled(false);
        throw;
    }
}
