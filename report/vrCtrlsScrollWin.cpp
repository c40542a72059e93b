// TvrScrollWin: offsets, extents and pages of the two scroll bars, the user's scrolling, and the
// border the window draws itself.
#include "report/vrCtrls.h"

#include <algorithm>

TvrScrollWin::TvrScrollWin(TComponent* AOwner) : TCustomControl(AOwner) {
    // The window covers every pixel itself.
    PaintWithBackground(false);
    SetTabStop(true);
}

void TvrScrollWin::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    Realign();
    Invalidate();
}

void TvrScrollWin::SetHorzPageSize(int value) {
    FHorzPage = value;
    ApplyRange(SB_HORZ);
}

void TvrScrollWin::SetVertPageSize(int value) {
    FVertPage = value;
    ApplyRange(SB_VERT);
}

void TvrScrollWin::SetHorzExtent(int value) {
    FHorzExtent = value;
    ApplyRange(SB_HORZ);
}

void TvrScrollWin::SetVertExtent(int value) {
    FVertExtent = value;
    ApplyRange(SB_VERT);
}

// The bar's range is the extent, or none while the extent is smaller than the page.
void TvrScrollWin::ApplyRange(int bar) {
    const bool horz = bar == SB_HORZ;
    const int extent = horz ? FHorzExtent : FVertExtent;
    const int page = horz ? FHorzPage : FVertPage;
    TScrollInfo info;
    info.fMask = SIF_ALL;
    info.nMin = 0;
    info.nMax = extent < page ? 0 : extent;
    info.nPage = static_cast<Cardinal>(std::max(0, page));
    info.nPos = horz ? FHorzOffset : FVertOffset;
    info.nTrackPos = info.nPos;
    SetScrollInfo(bar, info, true);
}

void TvrScrollWin::SetHorzScrollOffset(int value) {
    value = std::max(0, std::min(value, FHorzExtent - FHorzPage));
    if (value == FHorzOffset) return;
    FHorzOffset = value;
    SetScrollPos(SB_HORZ, value, true);
    HorzScrollChanged();
}

void TvrScrollWin::SetVertScrollOffset(int value) {
    value = std::max(0, std::min(value, FVertExtent - FVertPage));
    if (value == FVertOffset) return;
    FVertOffset = value;
    SetScrollPos(SB_VERT, value, true);
    VertScrollChanged();
}

bool TvrScrollWin::WantsKey(Word, TShiftState) const {
    return true;
}

int TvrScrollWin::NewPosition(int bar, TScrollCode code, int pos) const {
    const bool horz = bar == SB_HORZ;
    const int current = horz ? FHorzOffset : FVertOffset;
    switch (code) {
    case scLineUp:
        return current - FSmallChange;
    case scLineDown:
        return current + FSmallChange;
    case scPageUp:
        return current - FLargeChange;
    case scPageDown:
        return current + FLargeChange;
    case scPosition:
    case scTrack: {
        TScrollInfo info;
        info.fMask = SIF_TRACKPOS;
        return GetScrollInfo(bar, info) ? info.nTrackPos : pos;
    }
    case scTop:
        return 0;
    case scBottom:
        return horz ? FHorzExtent : FVertExtent;
    default:
        return current;
    }
}

void TvrScrollWin::Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos) {
    TCustomControl::Scroll(Kind, Code, Pos);
    if (Code == scEndScroll) return;
    if (Kind == sbHorizontal)
        SetHorzScrollOffset(NewPosition(SB_HORZ, Code, Pos));
    else
        SetVertScrollOffset(NewPosition(SB_VERT, Code, Pos));
}

void TvrScrollWin::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    if (FBorderStyle == bsSingle) {
        Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
        Frame3D(c, r, cl3DDkShadow, cl3DLight, 1);
    }
}
