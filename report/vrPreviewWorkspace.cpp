// The page areas of the preview: rows of pages, painting through the clipping region, scrolling,
// dragging, hit tests of the objects under the mouse and the text search.
#include "report/vrPreview.h"

#include "classes/MetaBuilder.h"
#include "gui/Dialogs.h"
#include "gui/Geometry.h"
#include "gui/Metafile.h"
#include "gui/SystemMetrics.h"
#include "report/vrClassPage.h"
#include "report/vrPreviewPages.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"
#include "rtl/TickCount.h"

#include <algorithm>
#include <cmath>

ORV_META_IMPL(TvrPageItem)
void TvrPageItem::DeclareMeta(meta::Class<TvrPageItem>&) {}
ORV_META_IMPL(TvrPageList)
void TvrPageList::DeclareMeta(meta::Class<TvrPageList>&) {}
ORV_META_IMPL(TvrPreviewWorkspace)
void TvrPreviewWorkspace::DeclareMeta(meta::Class<TvrPreviewWorkspace>&) {}

namespace {

int RoundPixels(Extended v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

TvrSearchState& vrPreviewSearch() {
    static TvrSearchState state;
    return state;
}

// --- the page list ------------------------------------------------------------------------------

TvrPageList::TvrPageList() : TCollection(TvrPageItem::StaticClassInfo()) {}

void TvrPageList::AppendPage(Integer Width, Integer Height, Extended Zoom) {
    auto* item = static_cast<TvrPageItem*>(Add());
    item->Width = RoundPixels(Zoom * Width);
    item->Height = RoundPixels(Zoom * Height);
}

void TvrPageList::LayoutRows(Integer AvailableWidth) {
    MaxRowWidth = 0;
    Integer top = 10;
    int i = 0;
    while (i < Count()) {
        const int first = i;
        Integer x = 0, tallest = 0;
        while (i < Count()) {
            TvrPageItem* p = Item(i);
            if (x > 0 && x + p->Width > AvailableWidth) break;
            p->Left = x;
            p->Top = top;
            x += p->Width + 10;
            tallest = std::max(tallest, p->Height);
            ++i;
        }
        MaxRowWidth = std::max(MaxRowWidth, x);
        Integer d = (AvailableWidth - x + 10) / 2;
        if (d < 0) d = 0;
        d += 10;
        for (int k = first; k < i; ++k)
            Item(k)->Left += d;
        top += tallest + 10;
    }
}

Integer TvrPageList::PageAt(Integer Y, Integer X) const {
    int lo = 0, hi = Count() - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const Integer slack = X != 0 ? 0 : RoundPixels(Item(mid)->Height / 5.0L);
        if (Item(mid)->Top > Y + slack)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    if (X == 0) return hi;
    for (int i = std::max(0, hi - 20); i <= hi + 20 && i < Count(); ++i) {
        const TvrPageItem* p = Item(i);
        if (X >= p->Left && X < p->Left + p->Width && Y >= p->Top && Y < p->Top + p->Height) return i;
    }
    return hi;
}

TRect TvrPageList::PageBounds(Integer Index, Integer ClientWidth, bool RightToLeft, Extended Zoom) const {
    if (Index < 0 || Index >= Count()) {
        const Extended w = Zoom * 794;
        const int left = ClientWidth >= w ? RoundPixels((ClientWidth - w) / 2) : 10;
        const int top = RoundPixels(Zoom * 10);
        return TRect(left, top, RoundPixels(w) + left, RoundPixels(Zoom * 1123) + top);
    }
    const TvrPageItem* p = Item(Index);
    const int left = RightToLeft ? ClientWidth - p->Width - p->Left : p->Left;
    return TRect(left, p->Top, left + p->Width, p->Top + p->Height);
}

TPoint TvrPageList::ExtentSize() const {
    if (Count() == 0) return TPoint(0, 0);
    const TvrPageItem* last = Item(Count() - 1);
    return TPoint(MaxRowWidth, last->Top + last->Height);
}

// --- the workspace ------------------------------------------------------------------------------

TvrPreviewWorkspace::TvrPreviewWorkspace(TComponent* AOwner)
    : TvrScrollWin(AOwner), FPageList(std::make_unique<TvrPageList>()) {
    SetSmallChange(8);
    SetLargeChange(300);
    DefaultCursor = Cursor();
}

TvrPreviewWorkspace::~TvrPreviewWorkspace() = default;

Integer TvrPreviewWorkspace::AvailableWidth() const {
    return Width() - GetSystemMetrics(SM_CXVSCROLL) - 26;
}

void TvrPreviewWorkspace::LayoutPages(Integer AvailableWidth) {
    FPageList->LayoutRows(AvailableWidth < 0 ? this->AvailableWidth() : AvailableWidth);
}

void TvrPreviewWorkspace::UpdateScrollRanges() {
    const TPoint e = FPageList->ExtentSize();
    SetHorzExtent(e.X + 10);
    SetVertExtent(e.Y + 10);
}

void TvrPreviewWorkspace::ScrollToPage(Integer PageNumber) {
    if (SuppressScroll) return;
    const TRect r = FPageList->PageBounds(PageNumber - 1, ClientWidth(), RightToLeftPreview, Zoom);
    // The page chosen stays current even where the view cannot bring its top up (the last pages).
    FScrollingToPage = true;
    SetVertScrollOffset(r.Top - 10);
    FScrollingToPage = false;
}

void TvrPreviewWorkspace::ScrollToPageOffset(Integer PageNumber, Integer Y) {
    if (!PreviewPages) return;
    TvrComponent* page = PreviewPages->GetPreparedPage(PageNumber - 1);
    if (!page) return;
    Integer offset = 0;
    if (Y != 0) offset = RoundPixels(((dynamic_cast<TvrReportPage*>(page) ? static_cast<TvrReportPage*>(page)->TopMargin : 0) * 3.77953L + Y) * Zoom);
    const TRect r = FPageList->PageBounds(PageNumber - 1, ClientWidth(), RightToLeftPreview, Zoom);
    SetVertScrollOffset(r.Top + offset - 10);
}

TRect TvrPreviewWorkspace::ScreenBounds(Integer Index) const {
    TRect r = FPageList->PageBounds(Index, ClientWidth(), RightToLeftPreview, Zoom);
    OffsetRect(r, -HorzScrollOffset(), -VertScrollOffset());
    return r;
}

void TvrPreviewWorkspace::RepaintFrames() {
    FFramesOnly = true;
    Invalidate();
}

void TvrPreviewWorkspace::Paint() {
    const bool framesOnly = FFramesOnly;
    FFramesOnly = false;
    PaintWorkspace(Canvas(), framesOnly);
}

void TvrPreviewWorkspace::PaintWorkspace(TCanvas* c, bool FramesOnly) {
    if (!Visible()) return;
    const TRect client = ClientRect();
    if (Locked || FPageList->Count() == 0) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(BackColor);
        c->FillRect(client);
        return;
    }
    if (!PreviewPages) return;
    const Integer first = FPageList->PageAt(VertScrollOffset(), 0);
    const Integer count = FPageList->Count();
    const int saved = c->SaveDC();
    for (Integer i = std::max<Integer>(0, first - 40); i <= first + 40 && i < count; ++i) {
        const TRect r = ScreenBounds(i);
        if (r.Top <= client.Height() && r.Bottom >= 0 && c->RectVisible(r)) c->ExcludeClipRect(r);
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(BackColor);
    c->FillRect(client);
    c->RestoreDC(saved);

    // The current page's frame, in the gap around the page.
    const TRect cur = ScreenBounds(PageNo - 1);
    c->Pen()->SetColor(ActiveFrameColor);
    c->Pen()->SetWidth(2);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    const TPoint frame[] = {TPoint(cur.Left - 1, cur.Top - 1), TPoint(cur.Right + 1, cur.Top - 1),
                            TPoint(cur.Right + 1, cur.Bottom + 1), TPoint(cur.Left - 1, cur.Bottom + 1),
                            TPoint(cur.Left - 1, cur.Top - 2)};
    c->Polyline(frame, 5);
    if (FramesOnly) return;

    const TvrSearchState& search = vrPreviewSearch();
    for (Integer i = std::max<Integer>(0, first - 40); i <= first + 40 && i < count; ++i) {
        const TRect r = ScreenBounds(i);
        TRect grown = r;
        grown.Bottom += 1;
        if (!(grown.Top <= client.Height() && grown.Bottom >= 0 && c->RectVisible(grown))) continue;
        c->Pen()->SetColor(FrameColor);
        c->Pen()->SetWidth(1);
        c->Pen()->SetStyle(psSolid);
        c->Brush()->SetColor(clWhite);
        c->Brush()->SetStyle(bsSolid);
        c->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        PreviewPages->PaintPage(i, c, Zoom, Zoom, r.Left, r.Top);
        if (ThumbnailMode) {
            c->Font()->SetName("Arial");
            c->Font()->SetSize(8);
            c->Font()->SetColor(clWhite);
            c->Font()->SetStyle(TFontStyles{});
            c->Brush()->SetColor(BackColor);
            c->Brush()->SetStyle(bsSolid);
            c->TextOut(r.Left + 1, r.Top + 1, " " + IntToStr(i + 1) + " ");
        }
        if (search.Found && FSearchPageIndex == i && !ThumbnailMode && i == SearchPage) {
            const TRect hit(RoundPixels(search.FoundRect.Left * Zoom), RoundPixels(search.FoundRect.Top * Zoom),
                            RoundPixels(search.FoundRect.Right * Zoom), RoundPixels(search.FoundRect.Bottom * Zoom));
            c->Pen()->SetColor(clWhite);
            c->Pen()->SetWidth(1);
            c->Pen()->SetMode(pmXor);
            for (int y = hit.Top; y <= hit.Bottom; ++y) {
                c->MoveTo(r.Left + hit.Left - 1, r.Top + y);
                c->LineTo(r.Left + hit.Right + 1, r.Top + y);
            }
            c->Pen()->SetMode(pmCopy);
        }
    }
}

void TvrPreviewWorkspace::Resize() {
    TvrScrollWin::Resize();
    SetHorzPageSize(ClientWidth());
    SetVertPageSize(ClientHeight());
}

void TvrPreviewWorkspace::HorzScrollChanged() {
    Invalidate();
}

void TvrPreviewWorkspace::VertScrollChanged() {
    FFramesOnly = false;
    Invalidate();
    if (ThumbnailMode || !Preview || FScrollingToPage) return;
    const bool saved = SuppressScroll;
    SuppressScroll = true;
    Preview->SetPageNo(FPageList->PageAt(VertScrollOffset(), 0) + 1);
    SuppressScroll = saved;
}

Integer TvrPreviewWorkspace::PageUnder(int X, int Y) const {
    const int x = RightToLeftPreview ? ClientWidth() - HorzScrollOffset() - X : X + HorzScrollOffset();
    return FPageList->PageAt(Y + VertScrollOffset(), x);
}

void TvrPreviewWorkspace::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnWorkspaceMouseDown) OnWorkspaceMouseDown(this, Button, Shift, X, Y);
    TvrScrollWin::MouseDown(Button, Shift, X, Y);
    if (FPageList->Count() > 0 && !Locked && Button == mbLeft) {
        FDragging = true;
        FLastPoint = TPoint(X, Y);
    }
}

void TvrPreviewWorkspace::MouseMove(TShiftState Shift, int X, int Y) {
    TvrScrollWin::MouseMove(Shift, X, Y);
    if (FPageList->Count() == 0 || Locked || ThumbnailMode) return;
    if (FDragging) {
        SetHorzScrollOffset(HorzScrollOffset() - (X - FLastPoint.X));
        SetVertScrollOffset(VertScrollOffset() - (Y - FLastPoint.Y));
        FLastPoint = TPoint(X, Y);
        return;
    }
    if (!PreviewPages) return;
    const Integer index = PageUnder(X, Y);
    if (index < 0) return;
    const TRect r = ScreenBounds(index);
    int cursor = DefaultCursor;
    PreviewPages->HitTestObject(index, X, Y, mbLeft, TShiftState{}, Zoom, r.Left, r.Top, false, cursor, false);
    SetCursor(static_cast<TCursor>(cursor));
    if (Preview) Preview->ApplyHitTest(this);
}

void TvrPreviewWorkspace::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TvrScrollWin::MouseUp(Button, Shift, X, Y);
    if (!ThumbnailMode && Preview && Preview->OnClick) Preview->OnClick(Preview);
    if (FPageList->Count() == 0 || Locked) return;
    FDragging = false;
    const Integer index = PageUnder(X, Y);
    if (Preview && index >= 0) {
        SuppressScroll = true;
        Preview->SetPageNo(index + 1);
        SuppressScroll = false;
    }
    if (ThumbnailMode || Button == mbRight || !PreviewPages || index < 0) return;
    const Cardinal now = GetTickCount();
    bool doubleClick = false;
    if (now - FLastClickTick > GetDoubleClickTime()) {
        FLastClickTick = now;
    } else {
        FLastClickTick = 0;
        doubleClick = true;
    }
    const TRect r = ScreenBounds(index);
    int cursor = DefaultCursor;
    PreviewPages->HitTestObject(index, X, Y, Button, Shift, Zoom, r.Left, r.Top, true, cursor, doubleClick);
    SetCursor(static_cast<TCursor>(cursor));
    if (Preview) Preview->ApplyHitTest(this);
}

void TvrPreviewWorkspace::DblClick() {
    TvrScrollWin::DblClick();
    if (!ThumbnailMode && Preview && Preview->OnDblClick) Preview->OnDblClick(Preview);
}

void TvrPreviewWorkspace::KeyDown(Word& Key, TShiftState Shift) {
    TvrScrollWin::KeyDown(Key, Shift);
    if (Key != 0 && Preview) Preview->KeyDown(Key, Shift);
}

bool TvrPreviewWorkspace::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (!Preview) return TvrScrollWin::DoMouseWheel(Shift, WheelDelta, MousePos);
    Preview->WheelScroll(WheelDelta, false, Shift.Contains(ssCtrl));
    return true;
}

bool TvrPreviewWorkspace::FindNextText() {
    TvrSearchState& search = vrPreviewSearch();
    search.Found = false;
    if (!PreviewPages) return false;
    const String wanted = search.CaseSensitive ? search.Text : AnsiUpperCase(search.Text);
    while (SearchPage < PreviewPages->GetPageCount()) {
        if (!FSearchMetafile || FSearchPageIndex != SearchPage) {
            FSearchMetafile = std::make_unique<TMetafile>();
            {
                TMetafileCanvas canvas(FSearchMetafile.get());
                PreviewPages->PaintPage(SearchPage, &canvas, 1, 1, 0, 0);
            }
            FSearchPageIndex = SearchPage;
        }
        const std::vector<TMetaTextRecord> records = FSearchMetafile->TextRecords();
        for (Integer n = 0; n < static_cast<Integer>(records.size()); ++n) {
            const TMetaTextRecord& rec = records[n];
            String text = rec.WideText.empty() ? rec.Text : WideToUtf8(rec.WideText);
            if (!search.CaseSensitive) text = AnsiUpperCase(text);
            if (wanted.empty() || text.find(wanted) == String::npos) continue;
            if (n <= search.LastFoundRecord) continue;
            search.Found = true;
            search.FoundRect = rec.Bounds;
            search.LastFoundRecord = n;
            break;
        }
        if (search.Found) {
            const TRect p = FPageList->PageBounds(SearchPage, ClientWidth(), RightToLeftPreview, Zoom);
            const TRect hit(RoundPixels(search.FoundRect.Left * Zoom), RoundPixels(search.FoundRect.Top * Zoom),
                            RoundPixels(search.FoundRect.Right * Zoom), RoundPixels(search.FoundRect.Bottom * Zoom));
            if (p.Top + hit.Top < VertScrollOffset() || p.Top + hit.Bottom > VertScrollOffset() + ClientHeight())
                SetVertScrollOffset(p.Top + hit.Bottom - ClientHeight() + 20);
            if (p.Left + hit.Left < HorzScrollOffset() || p.Left + hit.Right > HorzScrollOffset() + ClientWidth())
                SetHorzScrollOffset(p.Left + hit.Right - ClientWidth() + 20);
            RepaintAll();
            return true;
        }
        search.LastFoundRecord = -1;
        ++SearchPage;
    }
    ShowInfoMessage(GetResources().GetString("clStrNotFound"));
    return false;
}
