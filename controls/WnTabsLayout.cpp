// Geometry of the tab control: measuring tabs, counting rows, placing the tabs along the strip,
// mapping strip coordinates to the control, cards, the page area and scrolling of one row.
#include "controls/WnTabs.h"

#include "controls/WnTabButtons.h"
#include "controls/WnTabsText.h"

#include <algorithm>
#include <map>

std::vector<String> CaptionLines(const String& Caption) {
    std::vector<String> lines;
    if (Caption.empty()) return lines;
    size_t start = 0;
    while (true) {
        const size_t end = Caption.find("\r\n", start);
        lines.push_back(Caption.substr(start, end == String::npos ? String::npos : end - start));
        if (end == String::npos) return lines;
        start = end + 2;
    }
}

namespace {

// The caption's lines, each without its accelerator mark: the first "&" is dropped unless it ends
// the line, and "&&" counts as one "&".
std::vector<String> MeasuredLines(const String& caption) {
    std::vector<String> lines = CaptionLines(caption);
    for (String& line : lines) {
        const size_t amp = line.find('&');
        if (amp != String::npos && amp + 1 < line.size()) line.erase(amp, 1);
    }
    return lines;
}

} // namespace

int TWnCustomTabControl::SlantWidth(int V) const {
    switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant:
        return V / 2;
    case tsDoubleSlant:
        return V;
    default:
        return FTabOverlap;
    }
}

int TWnCustomTabControl::TabAreaDepth() const {
    return FFixedDimension + (FRowCount - 1) * (FFixedDimension - FRowOverlap) +
           (FTabStyle == tsRoundCorners ? 3 : 0);
}

TRect TWnCustomTabControl::TabAreaRect() const {
    const int depth = TabAreaDepth(), w = Width() - 1, h = Height() - 1;
    switch (FTabOrientation) {
    case toTop:
        return TRect(0, 0, w - (FShowShadow && FTabSequence == tsStandard ? 2 : 0), depth);
    case toBottom:
        return TRect(0, h - depth, w, h);
    case toLeft:
        return TRect(0, 0, depth, h);
    case toRight:
        return TRect(w - depth, 0, w, h);
    }
    return TRect();
}

int TWnCustomTabControl::StripLength() const {
    const TRect a = TabAreaRect();
    return Horz() ? a.Right - a.Left : a.Bottom - a.Top;
}

int TWnCustomTabControl::ButtonSize() {
    int h;
    {
        TWnTabTextFont font(FBitmap.Canvas(), FWorkFont, false, 0);
        h = FBitmap.Canvas()->TextHeight("A");
    }
    h += Vertical() ? 2 : 4;
    const bool fixedByUser =
        (Horz() && !Vertical() && FTabHeight > 0) || (!Horz() && Vertical() && FTabWidth > 0);
    const int limit = FFixedDimension - 2;
    return fixedByUser ? std::max(h, limit) : std::min(h, limit);
}

int TWnCustomTabControl::CloseButtonSize() {
    return FShowCloseButton && FTabs.Count() > 0 ? ButtonSize() : 0;
}

int TWnCustomTabControl::MenuButtonSize() {
    return FShowMenuButton && FTabs.Count() > 0 ? ButtonSize() : 0;
}

int TWnCustomTabControl::StripButtonsLength() {
    int n = 0;
    if (FShowCloseButton) n += CloseButtonSize() + 2;
    if (FShowMenuButton) n += MenuButtonSize() + 2;
    return n;
}

TSize TWnCustomTabControl::TextExtentOf(TCanvas* Canvas, const String& Caption) const {
    TSize block(0, 0);
    for (const String& line : MeasuredLines(Caption)) {
        TSize e = Canvas->TextExtent(line);
        if (Vertical()) {
            std::swap(e.cx, e.cy);
            block.cx += e.cx;
            block.cy = std::max(block.cy, e.cy);
        } else {
            block.cx = std::max(block.cx, e.cx);
            block.cy += e.cy;
        }
    }
    return block;
}

TSize TWnCustomTabControl::ImageSize(const TWnTabData* Tab) const {
    if (FImages && Tab->ImageIndex != -1) return TSize(FImages->Width(), FImages->Height());
    return TSize(0, 0);
}

TSize TWnCustomTabControl::MinimumSize(TCanvas* Canvas) const {
    const TSize e = Canvas->TextExtent(FTabStyle == tsRoundCorners ? "AAA" : "A");
    const int fh = std::abs(FWorkFont.Height());
    return Vertical() ? TSize(fh, e.cx) : TSize(e.cx, fh);
}

TSize TWnCustomTabControl::ContentSize(TCanvas* Canvas, const TWnTabData* Tab) const {
    const TSize image = ImageSize(Tab);
    const TSize text = TextExtentOf(Canvas, Tab->Caption);
    TSize c;
    switch (FImagePosition) {
    case ipLeft:
    case ipRight:
        c = TSize(FImageMargin + image.cx + text.cx, std::max(image.cy, text.cy));
        break;
    case ipTop:
    case ipBottom:
        c = TSize(std::max(image.cx, text.cx), FImageMargin + image.cy + text.cy);
        break;
    case ipBack:
        c = TSize(std::max(image.cx, text.cx), std::max(image.cy, text.cy));
        break;
    case ipStretch:
        c = text;
        break;
    }
    const TSize m = MinimumSize(Canvas);
    if (FTabWidth == 0) c.cx = std::max(c.cx, m.cx);
    if (FTabHeight == 0) c.cy = std::max(c.cy, m.cy);
    return c;
}

TSize TWnCustomTabControl::TabSizeFor(TSize Content) const {
    const int w = Content.cx, h = Content.cy, c = FCutCornerSize;
    TSize r;
    switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant:
        r = Horz() ? TSize(2 * SlantWidth(h + 6) + w + 6 + FTabHeight / 2, h + 6)
                   : TSize(w + 6, 2 * SlantWidth(w + 6) + h + 6 + FTabHeight / 2);
        break;
    case tsDoubleSlant:
        r = Horz() ? TSize(2 * SlantWidth(h + 2) + w + 6 + FTabHeight, h + 6)
                   : TSize(w + 6, 2 * SlantWidth(w + 2) + h + 6 + FTabHeight);
        break;
    case tsCutCorner:
        if (!Vertical())
            r = Horz() ? TSize(2 * c + w + 8, h + 7) : TSize(w + c + 7, h + 10);
        else
            r = Horz() ? TSize(w + 10, h + c + 7) : TSize(w + 7, 2 * c + h + 8);
        break;
    case tsRoundCorners:
        r = Vertical() ? TSize(w + 6, h + 16) : TSize(w + 16, h + 6);
        break;
    }
    if (FTabWidth > 0) r.cx = FTabWidth;
    if (FTabHeight > 0) r.cy = FTabHeight;
    return r;
}

int TWnCustomTabControl::TabLength(TCanvas* Canvas, const TWnTabData* Tab, TSize MaxContent,
                                   int Limit) const {
    TSize c = ContentSize(Canvas, Tab);
    if (Horz())
        c.cy = std::max(c.cy, MaxContent.cy);
    else
        c.cx = std::max(c.cx, MaxContent.cx);
    const TSize s = TabSizeFor(c);
    const int len = Horz() ? s.cx : s.cy;
    return std::min(len, Limit - (FTabStyle == tsRoundCorners ? 4 : 0));
}

int TWnCustomTabControl::CountRows(TCanvas* Canvas, TSize MaxContent) {
    int lastVisible = LastVisibleTab();
    int budget = 1;
    int L = StripLength() - 2 * FMargin;
    const int step = SlantWidth(FFixedDimension);
    for (int pass = 0; pass <= FTabs.Count() + 1; ++pass) {
        int rows = 1, p = FMargin;
        bool restart = false;
        for (int i = 0; i < FTabs.Count() && !restart; ++i) {
            const TWnTabData* tab = FTabs.Items(i);
            if (!tab->Visible) continue;
            const int t = std::min(TabLength(Canvas, tab, MaxContent, L), L);
            while (true) {
                if (p + t < L) {
                    p += t - step + 1;
                    break;
                }
                if (rows < budget) {
                    if (p == FMargin) {
                        p = L; // alone in its row; the next tab starts a new one
                        break;
                    }
                    ++rows;
                    p = FMargin;
                    continue;
                }
                if (p != FMargin || i != lastVisible) {
                    ++budget;
                    L -= FRowIndent;
                    restart = true;
                }
                break;
            }
        }
        if (!restart) return rows;
    }
    return budget;
}

void TWnCustomTabControl::PositionTabs(TCanvas* Canvas, TSize MaxContent) {
    const int fd = FFixedDimension;
    int avail = StripLength() - 2 * FMargin;
    if (FMultiLine)
        avail -= (FRowCount - 1) * FRowIndent;
    else
        avail -= StripButtonsLength() + 2 * ButtonSize() + 2;
    const int depth = TabAreaDepth();
    auto rowTop = [&](int r) { return depth - fd - r * (fd - FRowOverlap); };
    const int step = SlantWidth(fd);
    int row = 0;
    bool newRowPending = false;
    bool firstInRow = true;
    if (FTabSequence == tsStandard) {
        int p = FMargin;
        for (int i = 0; i < FTabs.Count(); ++i) {
            TWnTabData* tab = FTabs.Items(i);
            if (!tab->Visible) continue;
            const int t = TabLength(Canvas, tab, MaxContent, avail);
            if (FMultiLine) {
                if (newRowPending) {
                    ++row, p = FMargin, firstInRow = true, newRowPending = false;
                }
                if (p + t >= avail) {
                    if (firstInRow)
                        newRowPending = true;
                    else
                        ++row, p = FMargin;
                }
            }
            tab->RawRect = TRect(p, rowTop(row), p + t, rowTop(row) + fd);
            tab->Row = row;
            p += t - step + 1;
            firstInRow = false;
        }
        return;
    }
    int e = -FMargin;
    for (int i = 0; i < FTabs.Count(); ++i) {
        TWnTabData* tab = FTabs.Items(i);
        if (!tab->Visible) continue;
        const int t = TabLength(Canvas, tab, MaxContent, avail);
        if (FMultiLine) {
            if (newRowPending) {
                ++row, e = -FMargin, firstInRow = true, newRowPending = false;
            }
            if (e - t <= -avail) {
                if (firstInRow)
                    newRowPending = true;
                else
                    ++row, e = -FMargin;
            }
        }
        tab->RawRect = TRect(e - t, rowTop(row), e, rowTop(row) + fd);
        tab->Row = row;
        e += step - t - 1;
        firstInRow = false;
    }
    const int shift = FMultiLine ? Width() : std::abs(e);
    for (int i = 0; i < FTabs.Count(); ++i) {
        TWnTabData* tab = FTabs.Items(i);
        if (!tab->Visible) continue;
        tab->RawRect.Left += shift;
        tab->RawRect.Right += shift;
    }
}

void TWnCustomTabControl::AlignRows() {
    if (!FMultiLine || !FAlignTabs) return;
    if (!((Horz() && FTabWidth == 0) || (!Horz() && FTabHeight == 0))) return;
    std::vector<int> run;
    auto alignRun = [&] {
        if (run.empty()) return;
        const TRect& first = FTabs.Items(run.front())->RawRect;
        const TRect& last = FTabs.Items(run.back())->RawRect;
        int used = FTabSequence == tsStandard ? last.Right - first.Left : first.Right - last.Left;
        if (FTabStyle == tsRoundCorners) used += 4;
        const int free = StripLength() - 2 * FMargin - (FRowCount - 1) * FRowIndent - used;
        if (free < 1) return;
        const int n = static_cast<int>(run.size());
        int shift = 0;
        for (int k = 0; k < n; ++k) {
            TRect& r = FTabs.Items(run[k])->RawRect;
            const int grow = free / n + (k < free % n ? 1 : 0);
            if (FTabSequence == tsStandard) {
                r.Left += shift;
                r.Right += shift + grow;
            } else {
                r.Right -= shift;
                r.Left -= shift + grow;
            }
            shift += grow;
        }
    };
    for (int i = 0; i < FTabs.Count(); ++i) {
        const TWnTabData* tab = FTabs.Items(i);
        if (!tab->Visible) continue;
        if (!run.empty() && FTabs.Items(run.back())->Row != tab->Row) {
            alignRun();
            run.clear();
        }
        run.push_back(i);
    }
    alignRun();
}

void TWnCustomTabControl::ComputeTabLayout() {
    TCanvas* canvas = FBitmap.Canvas();
    TWnTabTextFont font(canvas, FWorkFont, FBoldCurrentTab, 0);
    TSize maxContent(0, 0), maxTab(0, 0);
    for (int i = 0; i < FTabs.Count(); ++i) {
        const TWnTabData* tab = FTabs.Items(i);
        if (!tab->Visible) continue;
        const TSize c = ContentSize(canvas, tab);
        maxContent = TSize(std::max(maxContent.cx, c.cx), std::max(maxContent.cy, c.cy));
        const TSize t = TabSizeFor(c);
        maxTab = TSize(std::max(maxTab.cx, t.cx), std::max(maxTab.cy, t.cy));
    }
    if (FTabWidth > 0) maxTab.cx = FTabWidth;
    if (FTabHeight > 0) maxTab.cy = FTabHeight;
    FFixedDimension = Horz() ? maxTab.cy : maxTab.cx;
    FRowCount = FMultiLine ? CountRows(canvas, maxContent) : 1;
    PositionTabs(canvas, maxContent);
    AlignRows();
}

void TWnCustomTabControl::RotateRows() {
    if (!FMultiLine || FTabIndex < 0 || FTabIndex >= FTabs.Count()) return;
    int m = 0;
    std::map<int, std::pair<int, int>> rowPlace;
    for (int i = 0; i < FTabs.Count(); ++i) {
        const TWnTabData* tab = FTabs.Items(i);
        if (!tab->Visible) continue;
        m = std::max(m, tab->Row);
        rowPlace.emplace(tab->Row, std::make_pair(tab->RawRect.Top, tab->RawRect.Bottom));
    }
    const int r = FTabs.Items(FTabIndex)->Row;
    if (r == 0) return;
    for (int i = 0; i < FTabs.Count(); ++i) {
        TWnTabData* tab = FTabs.Items(i);
        if (!tab->Visible) continue;
        tab->Row = (tab->Row + m + 1 - r) % (m + 1);
        auto it = rowPlace.find(tab->Row);
        if (it != rowPlace.end()) {
            tab->RawRect.Top = it->second.first;
            tab->RawRect.Bottom = it->second.second;
        }
    }
    FRegionCache.Clear();
}

void TWnCustomTabControl::UpdateScrollNeeded() {
    FScrollNeeded = false;
    if (FMultiLine) return;
    const int first = FirstVisibleTab(), last = LastVisibleTab();
    if (first < 0) return;
    const int space = StripLength() - 2 * FMargin - StripButtonsLength();
    FScrollNeeded = FTabSequence == tsStandard ? FTabs.Items(last)->RawRect.Right > space
                                               : FTabs.Items(first)->RawRect.Right > space;
}

int TWnCustomTabControl::FirstVisibleTab() const {
    for (int i = 0; i < FTabs.Count(); ++i)
        if (FTabs.Items(i)->Visible) return i;
    return -1;
}

int TWnCustomTabControl::LastVisibleTab() const {
    for (int i = FTabs.Count() - 1; i >= 0; --i)
        if (FTabs.Items(i)->Visible) return i;
    return -1;
}

int TWnCustomTabControl::ScrollOffset() const {
    if (FFirstShownTab < 0 || FFirstShownTab >= FTabs.Count()) return 0;
    const int b = FMargin + (FTabStyle == tsRoundCorners ? 2 : 0);
    const TRect& raw = FTabs.Items(FFirstShownTab)->RawRect;
    return FTabSequence == tsStandard ? raw.Left - b : raw.Right + b;
}

bool TWnCustomTabControl::TabInView(int Index) const {
    if (Index < 0 || Index >= FTabs.Count()) return false;
    const TWnTabData* tab = FTabs.Items(Index);
    if (!tab->Visible) return false;
    if (!FScrollNeeded) return true;
    auto* self = const_cast<TWnCustomTabControl*>(this);
    const int room = StripLength() - 2 * self->ButtonSize() - 2 * FMargin - self->StripButtonsLength();
    const int s = ScrollOffset();
    if (FTabSequence == tsStandard) return tab->RawRect.Left >= s && tab->RawRect.Right - s <= room;
    return s >= tab->RawRect.Right && s - tab->RawRect.Left <= room;
}

void TWnCustomTabControl::ScrollTabs(bool Forward) {
    const int old = FFirstShownTab;
    if (Forward) {
        if (FFirstShownTab < FTabs.Count() - 1 && !TabInView(LastVisibleTab())) {
            do
                ++FFirstShownTab;
            while (FFirstShownTab < FTabs.Count() && !TabInView(FFirstShownTab));
            if (FFirstShownTab >= FTabs.Count())
                FFirstShownTab = old;
            else
                InvalidateTabs();
        }
    } else if (FFirstShownTab > 0 && !TabInView(FirstVisibleTab())) {
        do
            --FFirstShownTab;
        while (FFirstShownTab >= 0 && !TabInView(FFirstShownTab));
        if (FFirstShownTab < 0)
            FFirstShownTab = old;
        else
            InvalidateTabs();
    }
    if (FFirstShownTab != old && FScroller) FScroller->Invalidate();
    if (OnScrolledTabs) OnScrolledTabs(this);
}

TPoint TWnCustomTabControl::MapPoint(int X, int Y) const {
    const TRect a = TabAreaRect();
    const int s = ScrollOffset();
    const bool std_ = FTabSequence == tsStandard;
    switch (FTabOrientation) {
    case toTop:
        return std_ ? TPoint(a.Left + X - s, a.Top + Y) : TPoint(a.Right - s + X, a.Top + Y);
    case toBottom:
        return std_ ? TPoint(a.Left + X - s, a.Bottom - Y) : TPoint(a.Right - s + X, a.Bottom - Y);
    case toLeft:
        return std_ ? TPoint(a.Left + Y, a.Bottom - (X - s)) : TPoint(a.Left + Y, a.Top + (s - X));
    case toRight:
        return std_ ? TPoint(a.Right - Y, a.Top + (X - s)) : TPoint(a.Right - Y, a.Bottom - (s - X));
    }
    return TPoint();
}

TRect TWnCustomTabControl::StripRectOf(int Index) const {
    const TWnTabData* tab = FTabs.Items(Index);
    TRect r = tab->RawRect;
    if (tab->Row > 0) {
        const int d = tab->Row * FRowIndent * (FTabSequence == tsStandard ? 1 : -1);
        r.Left += d;
        r.Right += d;
    }
    if (Index == FTabIndex && FTabStyle == tsRoundCorners) {
        r.Left -= 2;
        r.Right += 2;
        r.Top -= 2;
    }
    return r;
}

TRect TWnCustomTabControl::GetTabRect(int Index) {
    if (Index < 0 || Index >= FTabs.Count()) return TRect();
    const TRect r = StripRectOf(Index);
    const TPoint a = MapPoint(r.Left, r.Top), b = MapPoint(r.Right, r.Bottom);
    return TRect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

TRect TWnCustomTabControl::GetCardRect(int Row) const {
    TRect r(0, 0, ClientWidth() - 1, ClientHeight() - 1);
    if (FirstVisibleTab() < 0) return r;
    const int k = (FFixedDimension - FRowOverlap) * Row;
    const int depth = TabAreaDepth() - k;
    const int nearI = FRowIndent * Row, farI = FRowIndent * (FRowCount - Row - 1);
    const bool std_ = FTabSequence == tsStandard;
    switch (FTabOrientation) {
    case toTop:
        r.Top += depth, r.Bottom -= k;
        r.Left += std_ ? nearI : farI, r.Right -= std_ ? farI : nearI;
        break;
    case toBottom:
        r.Bottom -= depth, r.Top += k;
        r.Left += std_ ? nearI : farI, r.Right -= std_ ? farI : nearI;
        break;
    case toLeft:
        r.Left += depth, r.Right -= k;
        r.Top += std_ ? farI : nearI, r.Bottom -= std_ ? nearI : farI;
        break;
    case toRight:
        r.Right -= depth, r.Left += k;
        r.Top += std_ ? nearI : farI, r.Bottom -= std_ ? farI : nearI;
        break;
    }
    if (r.Left > r.Right || r.Top > r.Bottom) return TRect(0, 0, 0, 0);
    return r;
}

TRect TWnCustomTabControl::GetDisplayRect() const {
    if (!FShowCard) return TRect(-2, -2, -1, -1);
    TRect r = GetCardRect(0);
    if (FShowCardFrame && FShowFullFrame) {
        ++r.Left, ++r.Top;
        if (FTabOrientation == toTop && FTabSequence == tsStandard && FShowShadow)
            r.Right -= 2, r.Bottom -= 2;
    } else if (FShowCardFrame) {
        if (FTabOrientation == toTop) ++r.Top;
        ++r.Right, ++r.Bottom;
    } else {
        if (!FShowFullFrame) {
            if (FTabOrientation == toLeft) --r.Left;
            if (FTabOrientation == toBottom) ++r.Bottom;
            if (FTabOrientation == toRight) ++r.Right;
        }
        ++r.Right, ++r.Bottom;
    }
    return r;
}

void TWnCustomTabControl::AdjustClientRect(TRect& Rect) const {
    Rect = GetDisplayRect();
}

void TWnCustomTabControl::AlignmentDone(const TRect& Rest) {
    FLastDisplayRect = Rest;
}

void TWnCustomTabControl::UpdateLayout() {
    if (!FLayoutDirty) return;
    FLayoutDirty = false;
    ComputeTabLayout();
    FRegionCache.Clear();
    const int old = FFirstShownTab;
    UpdateScrollNeeded();
    if (FScrollNeeded) {
        while (FFirstShownTab >= 0 && FFirstShownTab < FTabs.Count() && !TabInView(FFirstShownTab))
            ++FFirstShownTab;
        if (FFirstShownTab >= FTabs.Count()) {
            FFirstShownTab = old - 1;
            while (FFirstShownTab >= 0 && !TabInView(FFirstShownTab))
                --FFirstShownTab;
        }
        if (FFirstShownTab < 0) FFirstShownTab = FirstVisibleTab();
    } else {
        FFirstShownTab = FirstVisibleTab();
    }
    if (FirstVisibleTab() >= 0) {
        int found = -1;
        for (int i = std::max(FTabIndex, 0); i < FTabs.Count() && found < 0; ++i)
            if (CanChangeTo(i)) found = i;
        if (found < 0)
            for (int i = FTabIndex == FTabs.Count() ? FTabs.Count() - 1 : FTabIndex; i >= 0 && found < 0; --i)
                if (CanChangeTo(i)) found = i;
        if (found >= 0) ApplyApprovedTab(found);
    }
    if (GetDisplayRect() != FLastDisplayRect) Realign();
}
