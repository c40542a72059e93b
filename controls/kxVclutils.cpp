// Rectangles, colours, bitmap cells, transparent drawing, disabled glyphs, the built-in bitmaps
// and the registered cursors.
#include "controls/kxVclutils.h"

#include "gui/Colors.h"
#include "gui/CursorTable.h"
#include "gui/Forms.h"
#include "rtl/StrUtils.h"

#include <mutex>

namespace {
std::function<void()>& BeepHook() {
    static std::function<void()> hook;
    return hook;
}
} // namespace

void LoadKxBitmap(TBitmap& Bitmap, const String& Name) {
    for (int i = 0; i < KxResourceCount; ++i)
        if (SameText(Name, KxResources[i].Name)) {
            Bitmap.LoadFromBytes(
                std::vector<Byte>(KxResources[i].Data, KxResources[i].Data + KxResources[i].Size));
            return;
        }
    throw Exception("Resource " + Name + " not found");
}

void RegisterKxCursors() {
    static std::once_flag once;
    std::call_once(once, [] {
        TBitmap hand;
        LoadKxBitmap(hand, "KX_HANDCUR");
        RegisterScreenCursor(crKxHand, hand, 5, 0);
        TBitmap drag;
        LoadKxBitmap(drag, "KX_DRAGCUR");
        RegisterScreenCursor(crKxDrag, drag, 0, 0);
    });
}

int RectWidth(const TRect& R) {
    return R.Right - R.Left;
}

int RectHeight(const TRect& R) {
    return R.Bottom - R.Top;
}

TColor PaletteColor(TColor C) {
    return static_cast<TColor>(ColorToRGB(C) | 0x02000000);
}

void KxBeep() {
    if (BeepHook())
        BeepHook()();
    else
        MessageBeep(0);
}

void SetKxBeepHook(std::function<void()> Hook) {
    BeepHook() = std::move(Hook);
}

bool IsOwnThreadActive() {
    return Screen()->ActiveForm() != nullptr;
}

void NotImplemented() {
    Screen()->SetCursor(crDefault);
    Application()->MessageBox("Function not yet implemented", Application()->Title(),
                              MB_OK | MB_ICONINFORMATION);
    Abort();
}

void CopyBitmapCell(TGraphic* Source, TBitmap* Dest, int Cols, int Rows, int Index) {
    if (!Source || !Dest) return;
    if (Cols < 1) Cols = 1;
    if (Rows < 1) Rows = 1;
    if (Index < 0) Index = 0;
    const int cw = Source->Width() / Cols, ch = Source->Height() / Rows;
    const int x = (Index % Cols) * cw, y = (Index / Cols) * ch;
    Dest->SetSize(cw, ch);
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        Dest->Canvas()->CopyRect(Rect(0, 0, cw, ch), bitmap->Canvas(), Rect(x, y, x + cw, y + ch));
        Dest->SetTransparentColor(bitmap->TransparentColor());
    } else {
        Dest->Canvas()->Brush()->SetColor(clSilver);
        Dest->Canvas()->FillRect(Rect(0, 0, cw, ch));
        Dest->Canvas()->Draw(-x, -y, Source);
    }
    Dest->SetTransparent(Source->Transparent());
}

void MaskedStretchBlt(TCanvas* Dest, int X, int Y, int W, int H, const TBitmap& Source, int SrcX, int SrcY,
                      int SrcW, int SrcH, TColor MaskColor) {
    Dest->StretchBlt(Bounds(X, Y, W, H), Source, Bounds(SrcX, SrcY, SrcW, SrcH), cmSrcCopy,
                     static_cast<TColor>(ColorToPixelRGB(MaskColor)));
}

void DrawBitmapTransparentStretched(TCanvas* Dest, int X, int Y, int W, int H, int SrcX, int SrcY, int SrcW,
                                    int SrcH, TBitmap* Bitmap, TColor TransparentColor) {
    if (!Dest || !Bitmap) return;
    if (W < 1) W = Bitmap->Width();
    if (H < 1) H = Bitmap->Height();
    if (SrcW < 1 || SrcH < 1) {
        SrcX = SrcY = 0;
        SrcW = Bitmap->Width();
        SrcH = Bitmap->Height();
    }
    Bitmap->Canvas()->Lock();
    try {
        if (TransparentColor == clNone) {
            Dest->StretchBlt(Bounds(X, Y, W, H), *Bitmap, Bounds(SrcX, SrcY, SrcW, SrcH), Dest->CopyMode());
        } else {
            TColor mask =
                TransparentColor == clDefault ? Bitmap->Pixel(0, Bitmap->Height() - 1) : TransparentColor;
            if (Bitmap->Monochrome()) mask = clWhite;
            MaskedStretchBlt(Dest, X, Y, W, H, *Bitmap, SrcX, SrcY, SrcW, SrcH, mask);
        }
    } catch (...) {
        Bitmap->Canvas()->Unlock();
        throw;
    }
    Bitmap->Canvas()->Unlock();
}

void DrawBitmapRectTransparent(TCanvas* Dest, int X, int Y, int W, int H, const TRect& SourceRect,
                               TBitmap* Bitmap, TColor TransparentColor) {
    DrawBitmapTransparentStretched(Dest, X, Y, W, H, SourceRect.Left, SourceRect.Top, RectWidth(SourceRect),
                                   RectHeight(SourceRect), Bitmap, TransparentColor);
}

void MakeDisabledGlyphEx(const TBitmap& Source, TBitmap& Result, TColor OutlineColor, TColor BackColor,
                         TColor HighlightColor, TColor ShadowColor, bool DrawHighlight) {
    const int w = Source.Width(), h = Source.Height();
    // A monochrome source is taken against white, any other against the outline colour.
    const TColorRef key = Source.Monochrome() ? ColorToPixelRGB(clWhite) : ColorToPixelRGB(OutlineColor);
    std::vector<bool> mask(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mask[static_cast<size_t>(y * w + x)] = ColorToPixelRGB(Source.Pixel(x, y)) == key;
    Result.SetPixelFormat(pf24bit);
    Result.SetSize(w, h);
    TCanvas* c = Result.Canvas();
    c->Brush()->SetColor(BackColor);
    c->FillRect(Rect(0, 0, w, h));
    auto stamp = [&](int dx, int dy, TColor colour) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (mask[static_cast<size_t>(y * w + x)] && x + dx < w && y + dy < h)
                    c->SetPixels(x + dx, y + dy, colour);
    };
    if (DrawHighlight) stamp(1, 1, HighlightColor);
    stamp(0, 0, ShadowColor);
}

void MakeDisabledGlyph(const TBitmap& Source, TBitmap& Result, TColor OutlineColor) {
    MakeDisabledGlyphEx(Source, Result, OutlineColor, clBtnFace, clBtnHighlight, clBtnShadow, true);
}

void PaintParentImage(TControl* Control, TCanvas* Canvas) {
    // The parent's own background; graphic controls of the parent paint only through their own
    // canvas, so the background is what shows through.
    if (!Control || !Control->Parent()) return;
    Canvas->Brush()->SetColor(Control->Parent()->Color());
    Canvas->FillRect(Rect(0, 0, Control->Width(), Control->Height()));
}
