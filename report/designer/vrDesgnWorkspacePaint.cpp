// Painting of the page workspace through an off-screen buffer: background, grid, the page's
// background picture, every object with its design-time marks, the selection handles; and the
// paper panel behind the workspace.
#include "report/designer/vrDesgnWorkspace.h"

#include "classes/MetaBuilder.h"
#include "rtl/Format.h"
#include "rtl/MathUtils.h"

#include "gui/Bitmap.h"
#include "gui/ControlPaint.h"
#include "gui/ImgList.h"
#include "gui/MouseTracking.h"
#include "report/vrRes.h"

#include <algorithm>
#include <cmath>

namespace {

int PaintRound(Extended v) { return static_cast<int>(Round(v)); }

constexpr TColor clDataStrip = 0x30A7E0;
constexpr TColor clVerticalDataStrip = 0xEEBB00;
constexpr TColor clGroupHandle = 0x808000;
constexpr TColor clEventMark = 0x0000FF;

bool HasFourFrameLines(const TvrView* view) {
    const TvrFrameTypes& t = view->Frame()->Typ;
    return t.Contains(ftLeft) && t.Contains(ftRight) && t.Contains(ftTop) && t.Contains(ftBottom);
}

bool HasEventHandler(const TvrReportComponent* o) {
    if (!o->OnBeforePrint.empty() || !o->OnAfterPrint.empty() || !o->OnAfterData.empty() ||
        !o->OnPreviewClick.empty())
        return true;
    if (auto* c = dynamic_cast<const TvrDialogControl*>(o))
        for (const String* s : {&c->OnClick, &c->OnDblClick, &c->OnEnter, &c->OnExit, &c->OnKeyDown, &c->OnKeyPress,
                                &c->OnKeyUp, &c->OnMouseDown, &c->OnMouseMove, &c->OnMouseUp})
            if (!s->empty()) return true;
    if (auto* b = dynamic_cast<const TvrBand*>(o))
        if (!b->OnAfterCalcHeight.empty()) return true;
    return false;
}

} // namespace

void TvrDesignerWorkspace::Paint() {
    TRect clip = ControlPaintRect(this);
    clip.Left = std::max(clip.Left, 0);
    clip.Top = std::max(clip.Top, 0);
    clip.Right = std::min(clip.Right, Width());
    clip.Bottom = std::min(clip.Bottom, Height());
    if (clip.Right <= clip.Left || clip.Bottom <= clip.Top) return;
    TBitmap buffer(clip.Width(), clip.Height());
    TCanvas* c = buffer.Canvas();
    c->SetWindowOrgEx(clip.Left, clip.Top);
    DrawCanvas = c;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(clip);
    if (ShowGrid) PaintGrid(c, clip);
    if (!Locked) {
        if (auto* page = dynamic_cast<TvrReportPage*>(Page))
            page->DrawBackground(c, Scale, Scale, -MarginLeft * Scale, -MarginTop * Scale);
        DrawObjects();
        if (Mode == wmInsert && InsertionState != 0) DrawInsertionOutline();
    }
    DrawCanvas = nullptr;
    Canvas()->Draw(clip.Left, clip.Top, &buffer);
}

void TvrDesignerWorkspace::PaintGrid(TCanvas* c, const TRect& area) {
    const int w = Width(), h = Height();
    if (GridType == 1 || GridType == 2) {
        const Extended step = (GridType == 1 ? fr01cm : fr01in) * Scale;
        const TColor base = GridLCD ? 0xE2E2E2 : 0xE8E8E8;
        const Extended limit = std::max(w, h);
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetWidth(1);
        c->Pen()->SetMode(pmCopy);
        for (int k = 0; k * step < limit; ++k) {
            const bool major = k % 10 == 0;
            if (!major && GridType == 1 && k % 5 != 0) continue;
            const int p = PaintRound(k * step);
            c->Pen()->SetColor(major ? base : base + 0x101010);
            if (p >= area.Left && p < area.Right) {
                c->MoveTo(p, area.Top);
                c->LineTo(p, area.Bottom);
            }
            if (p >= area.Top && p < area.Bottom) {
                c->MoveTo(area.Left, p);
                c->LineTo(area.Right, p);
            }
        }
    } else if (GridType == 0 || GridType == 3 || GridType == 4) {
        const Extended sx = GridX * Scale, sy = GridY * Scale;
        if (sx <= 2 || sy <= 2) return;
        TBitmap row(std::max(w, 1), 1);
        row.Canvas()->Brush()->SetColor(Color());
        row.Canvas()->FillRect(Rect(0, 0, row.Width(), 1));
        const TColor dot = GridType == 3 ? clBlack : TColor(0x808080);
        for (int k = 0; k * sx < w; ++k) row.Canvas()->SetPixels(PaintRound(k * sx), 0, dot);
        for (int k = 0; k * sy < h; ++k) {
            const int y = PaintRound(k * sy);
            if (y >= area.Top && y < area.Bottom) c->Draw(0, y, &row);
        }
    }
}

void TvrDesignerWorkspace::DrawObjects() {
    if (!Objects) return;
    if (auto* page = dynamic_cast<TvrReportPage*>(Page)) page->AlignChildren();
    for (TvrComponent* o : *Objects)
        if (auto* rc = dynamic_cast<TvrReportComponent*>(o)) DrawObject(rc);
    if (!MouseIsDown) DrawSelection();
}

void TvrDesignerWorkspace::DrawObject(TvrReportComponent* o) {
    TCanvas* c = DrawCanvas;
    o->InDesigner = true;
    c->Pen()->SetMode(pmCopy);
    o->Draw(c, Scale, Scale, 0, 0);
    if (auto* band = dynamic_cast<TvrBand*>(o)) DrawBandFrame(band);
    if (auto* view = dynamic_cast<TvrView*>(o);
        view && ShowEdges && !dynamic_cast<TvrCustomLineView*>(o) && !dynamic_cast<TvrDataPage*>(Page) &&
        !HasFourFrameLines(view))
        DrawCornerMarks(o);
    if (HasEventHandler(o)) DrawEventMarker(o);
    if (o->IsInherited()) {
        TImageList* images = GetResources().GetDesignerImages();
        if (images && images->Count() > 99)
            images->Draw(c, PaintRound((o->AbsLeft() + 2) * Scale), PaintRound((o->AbsTop() + 1) * Scale), 99);
    }
}

void TvrDesignerWorkspace::DrawBandFrame(TvrBand* band) {
    TCanvas* c = DrawCanvas;
    auto* dataBand = dynamic_cast<TvrDataBand*>(band);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Font()->SetName("Tahoma");
    c->Font()->SetSize(PaintRound(8 * Scale));
    c->Font()->SetColor(clBlack);
    c->SetBkMode(TRANSPARENT);
    const String kindName = band->GetBandName();
    if (!band->Vertical) {
        band->SetLeft(0);
        if (auto* page = dynamic_cast<TvrReportPage*>(Page); page && page->Columns() > 1 && vrBandTakesColumnWidth(band))
            band->SetWidth(page->ColumnWidth * fr01cm);
        const int y1 = PaintRound((band->Top() - BandHeader) * Scale);
        const int right = PaintRound(band->Width() * Scale);
        c->Pen()->SetColor(0x808080);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(0, y1, right + 1, PaintRound((band->Top() + band->Height()) * Scale) + 1);
        if (ShowBandCaptions) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(dataBand ? clDataStrip : clBtnFace);
            c->FillRect(Rect(1, y1 + 1, right, PaintRound(band->Top() * Scale)));
        }
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetStyle(TFontStyles{fsBold});
        c->TextOut(6, y1 + 2, kindName);
        const int x = 6 + c->TextWidth(kindName);
        c->Font()->SetStyle(TFontStyles());
        c->TextOut(x, y1 + 2, ": " + band->Name());
        if (ShowBandCaptions && dataBand) {
            String info;
            if (dataBand->DataSet() && band->GetReport())
                info = band->GetReport()->GetAlias(dataBand->DataSet());
            else if (dataBand->RowCount() != 0)
                info = IntToStr(dataBand->RowCount());
            if (!info.empty()) {
                const int tw = c->TextWidth(info);
                c->TextOut(right - tw - 3, y1 + 3, info);
                if (Scale > 0.7) {
                    TImageList* images = GetResources().GetDesignerImages();
                    if (images && images->Count() > 53)
                        images->Draw(c, PaintRound(band->Width() * Scale - tw - 24), PaintRound(y1 + 2 * Scale), 53);
                }
            }
        }
        if (auto* group = dynamic_cast<TvrGroupHeader*>(band); group && ShowBandCaptions && !group->Condition.empty()) {
            const int tw = c->TextWidth(group->Condition);
            c->TextOut(right - tw - 3, y1 + 3, group->Condition);
        }
    } else {
        band->SetTop(0);
        const int x1 = PaintRound((band->Left() - BandHeader) * Scale);
        const int x2 = PaintRound((band->Left() + band->Width()) * Scale) + 1;
        const int bottom = PaintRound(band->Height() * Scale);
        c->Pen()->SetColor(0x808080);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(x1, 0, x2, bottom);
        if (ShowBandCaptions) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(dataBand ? clVerticalDataStrip : clBtnFace);
            c->FillRect(Rect(x1 + 1, 1, PaintRound(band->Left() * Scale), bottom - 1));
        }
        // The caption reads upwards: band name in bold, ": ", the object's name.
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetOrientation(900);
        c->Font()->SetStyle(TFontStyles());
        const String name = band->Name();
        const int nameWidth = c->TextWidth(name);
        c->TextOut(x1 + 2, nameWidth + 4, name);
        c->Font()->SetStyle(TFontStyles{fsBold});
        const String head = kindName + ": ";
        c->TextOut(x1 + 2, c->TextWidth(head) + nameWidth + 6, head);
        c->Font()->SetOrientation(0);
        c->Font()->SetStyle(TFontStyles());
    }
    if (dataBand && dataBand->Columns > 1) {
        c->Pen()->SetColor(clBlack);
        c->Pen()->SetStyle(psDot);
        c->Brush()->SetStyle(bsClear);
        for (int i = 0; i < dataBand->Columns; ++i) {
            const Extended x = i * (dataBand->ColumnWidth + dataBand->ColumnGap);
            c->Rectangle(PaintRound(x * Scale), PaintRound(band->Top() * Scale), PaintRound((x + dataBand->ColumnWidth) * Scale),
                         PaintRound((band->Top() + band->Height()) * Scale));
        }
        c->Pen()->SetStyle(psSolid);
    }
}

void TvrDesignerWorkspace::DrawCornerMarks(TvrReportComponent* o) {
    TCanvas* c = DrawCanvas;
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(clBlack);
    const int l = PaintRound(o->AbsLeft() * Scale), t = PaintRound(o->AbsTop() * Scale);
    const int r = PaintRound((o->AbsLeft() + o->Width()) * Scale), b = PaintRound((o->AbsTop() + o->Height()) * Scale);
    const int s3 = PaintRound(3 * Scale), s4 = PaintRound(4 * Scale);
    // One three-point stroke per corner: on a page of thousands of texts the marks are drawn
    // thousands of times.
    auto corner = [&](int x, int y, int hx, int vy) {
        const TPoint stroke[3] = {{x, y + vy * s3}, {x, y}, {x + hx * s4, y}};
        c->Polyline(stroke, 3);
    };
    corner(l, t, 1, 1);
    corner(r, t, -1, 1);
    corner(l, b, 1, -1);
    corner(r, b, -1, -1);
}

void TvrDesignerWorkspace::DrawEventMarker(TvrReportComponent* o) {
    TCanvas* c = DrawCanvas;
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(clEventMark);
    Extended top = o->AbsTop();
    if (auto* band = dynamic_cast<TvrBand*>(o); band && !band->Vertical) top -= BandHeader - 2;
    for (int i = 0; i < 4; ++i) {
        const int x = PaintRound((o->AbsLeft() + 2 + i) * Scale);
        c->MoveTo(x, PaintRound((top + 1 + i) * Scale));
        c->LineTo(x, PaintRound((top + 1 + i + 7 - 2 * i) * Scale));
    }
}

void TvrDesignerWorkspace::DrawHandle(int x, int y, TColor color) {
    TCanvas* c = DrawCanvas;
    const int size = Scale < 0.7 ? 3 : Scale <= 1.7 ? 5 : 7;
    const int half = size / 2;
    // Exclusive-or, so a handle shows on any ground.
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->PatBlt(Rect(x - half, y - half, x - half + size, y - half + size), cmPatInvert);
}

void TvrDesignerWorkspace::DrawSelection() {
    if (SelectedCount() == 0) return;
    TvrComponent* group = SelectedObjects->size() > 1 ? GetGroupHandleObject() : nullptr;
    const bool single = SelectedObjects->size() == 1;
    for (TvrComponent* o : *SelectedObjects) {
        if (!dynamic_cast<TvrReportComponent*>(o)) continue;
        const bool line = dynamic_cast<TvrCustomLineView*>(o) != nullptr;
        const int l = PaintRound(o->AbsLeft() * Scale), t = PaintRound(o->AbsTop() * Scale);
        const int r = PaintRound((o->AbsLeft() + o->Width()) * Scale), b = PaintRound((o->AbsTop() + o->Height()) * Scale);
        DrawHandle(l, t, clWhite);
        DrawHandle(r, b, o == group ? clGroupHandle : clWhite);
        if (line) continue;
        DrawHandle(r, t, clWhite);
        DrawHandle(l, b, clWhite);
        if (single) {
            const int mx = PaintRound((o->AbsLeft() + o->Width() / 2) * Scale), my = PaintRound((o->AbsTop() + o->Height() / 2) * Scale);
            DrawHandle(mx, t, clWhite);
            DrawHandle(mx, b, clWhite);
            DrawHandle(l, my, clWhite);
            DrawHandle(r, my, clWhite);
        }
    }
}

void TvrDesignerWorkspace::DrawInsertionOutline() {
    TCanvas* c = DrawCanvas;
    Extended l = Insertion.Left, t = Insertion.Top, r = l + Insertion.Width, b = t + Insertion.Height;
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetStyle(psDot);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(PaintRound(l * Scale), PaintRound(t * Scale), PaintRound(r * Scale) + 1, PaintRound(b * Scale) + 1);
    c->Pen()->SetStyle(psSolid);
}

// --- the paper panel ------------------------------------------------------------------------------

ORV_META_IMPL(TMarginsPanel)
void TMarginsPanel::DeclareMeta(meta::Class<TMarginsPanel>& c) { (void)c; }

TMarginsPanel::TMarginsPanel(TComponent* AOwner) : TPanel(AOwner) {
    SetColor(clWindow);
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    PaintWithBackground(false);
    SetMouseTracking(this, true);
}

void TMarginsPanel::Paint() {
    TCanvas* c = Canvas();
    const int w = Width(), h = Height();
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(0x505050);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->Rectangle(0, 0, w - 1, h - 1);
    c->MoveTo(1, h - 1);
    c->LineTo(w - 1, h - 1);
    c->LineTo(w - 1, 0);
    c->SetPixels(1, h - 1, 0x808080);
    c->SetPixels(w - 1, 0, 0x808080);
    if (!Workspace) return;
    const Extended s = Workspace->Scale;
    auto rnd = [](Extended v) { return static_cast<int>(std::nearbyint(v)); };
    const int l = rnd(Workspace->MarginLeft * s) - 1, t = rnd(Workspace->MarginTop * s) - 1;
    const int r = w - rnd(Workspace->MarginRight * s) + 1, b = h - rnd(Workspace->MarginBottom * s) + 1;
    c->Pen()->SetColor(clSilver);
    c->Pen()->SetStyle(psDot);
    const TPoint outline[] = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
    c->Polyline(outline, 5);
    c->Pen()->SetStyle(psSolid);
}

TPoint TMarginsPanel::ToWorkspace(int x, int y) const {
    return TPoint(x + Left() - Workspace->Left(), y + Top() - Workspace->Top());
}

void TMarginsPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseDown(Button, Shift, X, Y);
    if (!Workspace) return;
    const TPoint p = ToWorkspace(X, Y);
    Workspace->MouseDown(Button, Shift, p.X, p.Y);
}

void TMarginsPanel::MouseMove(TShiftState Shift, int X, int Y) {
    TPanel::MouseMove(Shift, X, Y);
    if (!Workspace) return;
    if (Workspace->InsertionState != 0)
        Workspace->MouseLeft();
    else {
        const TPoint p = ToWorkspace(X, Y);
        Workspace->MouseMove(Shift, p.X, p.Y);
    }
    SetCursor(Workspace->Cursor());
}

void TMarginsPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseUp(Button, Shift, X, Y);
    if (!Workspace) return;
    const TPoint p = ToWorkspace(X, Y);
    Workspace->MouseUp(Button, Shift, p.X, p.Y);
}
