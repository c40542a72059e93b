#include "grid/DBGridGxText.h"

#include "gui/Colors.h"
#include "gui/DrawTextEx.h"
#include "gui/ScreenColors.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <algorithm>

namespace {

TBitmap* TextBitmap = nullptr;
int TextBitmapRefs = 0;

// Keeps a canvas's brush style (and with it the background mode) across a drawing step.
class BrushStyleKeeper {
public:
    explicit BrushStyleKeeper(TCanvas* C) : FCanvas(C), FStyle(C->Brush()->Style()), FColor(C->Brush()->Color()) {}
    ~BrushStyleKeeper() {
        FCanvas->Brush()->SetColor(FColor);
        FCanvas->Brush()->SetStyle(FStyle);
    }

private:
    TCanvas* FCanvas;
    TBrushStyle FStyle;
    TColor FColor;
};

// Locks the shared bitmap's canvas and makes it at least W x H.
class TextBitmapLock {
public:
    TextBitmapLock(int W, int H) {
        if (!TextBitmap) AcquireTextBitmap(), FOwnRef = true;
        FBitmap = TextBitmap;
        FBitmap->Canvas()->Lock();
        if (FBitmap->Width() < W || FBitmap->Height() < H)
            FBitmap->SetSize(std::max(W, FBitmap->Width()), std::max(H, FBitmap->Height()));
    }
    ~TextBitmapLock() {
        FBitmap->Canvas()->Unlock();
        if (FOwnRef) ReleaseTextBitmap();
    }
    TCanvas* Canvas() { return FBitmap->Canvas(); }

private:
    TBitmap* FBitmap;
    bool FOwnRef = false;
};

// Prepares the shared bitmap's canvas as a copy of the target's font and brush.
void PrepareBitmapCanvas(TCanvas* Target, TCanvas* B, int W, int H) {
    B->SetFont(*Target->Font());
    B->Brush()->SetColor(Target->Brush()->Color());
    B->Brush()->SetStyle(bsSolid);
    B->FillRect(TRect(0, 0, W, H));
    B->SetBkMode(TRANSPARENT);
}

// Opaque text is filled with the background colour, which a restored device state may have set
// apart from the brush: text written with fill takes the brush's colour behind it.
void FillTextInBrushColor(TCanvas* Canvas) {
    Canvas->SetBkColor(Canvas->Brush()->Color());
}

bool DitheredColor(TColor C) {
    TColor rgb = static_cast<TColor>(ColorToRGB(C));
    return ScreenNearestColor(rgb) != rgb;
}

// The formatted-text path: word wrap, end ellipsis, margins and right-to-left reading.
void DrawFormattedText(TCanvas* Canvas, const TRect& Rect, int DX, int DY, const String& Text,
                       TAlignment Alignment, TTextLayout Layout, bool WordWrap, bool EndEllipsis, int LeftMargin,
                       int RightMargin, bool RightToLeftReading) {
    Cardinal flags = CellTextAlignFlags[Alignment];
    if (WordWrap) flags |= DT_WORDBREAK;
    if (EndEllipsis) flags |= DT_END_ELLIPSIS;
    if (RightToLeftReading) flags |= DT_RTLREADING;
    TDrawTextParams params;
    params.iLeftMargin = LeftMargin;
    params.iRightMargin = RightMargin;
    TRect r(Rect.Left + DX, Rect.Top + DY, Rect.Right - DX, Rect.Bottom - DY);
    if (Layout != tlTop) {
        TRect m = r;
        int h = DrawTextEx(Canvas, Text, m, flags | DT_CALCRECT, &params);
        if (Layout == tlCenter)
            r.Top = r.Top + (r.Bottom - r.Top) / 2 - h / 2;
        else
            r.Top = r.Bottom - h;
    }
    if (DX > 0) r.Bottom += 1;
    DrawTextEx(Canvas, Text, r, flags, &params);
}

} // namespace

void AcquireTextBitmap() {
    if (TextBitmapRefs == 0) TextBitmap = new TBitmap();
    ++TextBitmapRefs;
}

void ReleaseTextBitmap() {
    if (TextBitmapRefs <= 0) return;
    if (TextBitmapRefs == 1) {
        delete TextBitmap;
        TextBitmap = nullptr;
    }
    --TextBitmapRefs;
}

int TextBitmapRefCount() { return TextBitmapRefs; }
TBitmap* SharedTextBitmap() { return TextBitmap; }

void DrawCellText(TCanvas* Canvas, const TRect& Rect, bool Fill, int DX, int DY, const String& Text,
                  TAlignment Alignment, TTextLayout Layout, bool WordWrap, bool EndEllipsis, int LeftMargin,
                  int RightMargin, bool RightToLeftReading) {
    if (DitheredColor(Canvas->Brush()->Color())) {
        const int w = Rect.Width(), h = Rect.Height();
        TextBitmapLock lock(w, h);
        TCanvas* b = lock.Canvas();
        PrepareBitmapCanvas(Canvas, b, w, h);
        DrawFormattedText(b, TRect(0, 0, w, h), DX, DY, Text, Alignment, Layout, WordWrap, EndEllipsis,
                          LeftMargin, RightMargin, RightToLeftReading);
        Canvas->CopyRect(Rect, b, TRect(0, 0, w, h));
        return;
    }
    BrushStyleKeeper keep(Canvas);
    if (WordWrap) {
        if (Fill) {
            Canvas->FillRect(Rect);
            FillTextInBrushColor(Canvas);
        } else {
            Canvas->Brush()->SetStyle(bsClear);
        }
        DrawFormattedText(Canvas, Rect, DX, DY, Text, Alignment, Layout, WordWrap, EndEllipsis, LeftMargin,
                          RightMargin, RightToLeftReading);
        return;
    }
    String text = EndEllipsis ? ShortenWithEllipsis(Text, Canvas, Rect.Width() - DX) : Text;
    int w = Canvas->TextWidth(text);
    const TFontStyles style = Canvas->Font()->Style();
    if (Alignment != taLeftJustify && (style.Contains(fsBold) || style.Contains(fsItalic))) {
        TRect m(0, 0, 0, 0);
        Canvas->DrawText(text, m, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        w = m.Width();
    }
    int x;
    switch (Alignment) {
    case taLeftJustify: x = Rect.Left + DX; break;
    case taRightJustify: x = Rect.Right - w - 3; break;
    default: x = Rect.Right > Rect.Left ? Rect.Left + (Rect.Right - Rect.Left) / 2 - w / 2 : 0; break;
    }
    int y = Rect.Top + DY;
    const int th = Canvas->TextHeight(text);
    if (th < Rect.Height() - DY) {
        if (Layout == tlCenter)
            y = (Rect.Top + Rect.Bottom - th) / 2;
        else if (Layout == tlBottom)
            y = Rect.Bottom - th;
    }
    if (Fill)
        FillTextInBrushColor(Canvas);
    else
        Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextRect(Rect, x, y, text);
}

String FitNumberText(TCanvas* Canvas, const String& Text, int Room) {
    if (Text.find_first_of("0123456789") == String::npos) return Text;
    if (Canvas->TextWidth(Text) <= Room) return Text;
    const int hash = std::max(1, Canvas->TextWidth("#"));
    return String(static_cast<size_t>(std::max(1, Room / hash)), '#');
}

int CellTextRoom(const TRect& Rect, int DX, TAlignment Alignment) {
    switch (Alignment) {
    case taLeftJustify:
        return Rect.Width() - DX;
    case taRightJustify:
        return Rect.Width() - 3; // right-aligned text keeps 3 pixels from the right edge
    default:
        return Rect.Width();
    }
}

std::unique_ptr<TFont> CreateRotatedFont(const TFont* Font) {
    auto f = std::make_unique<TFont>();
    f->Assign(*Font);
    if (SameText(Font->Name(), "Default")) f->SetName("MS Sans Serif");
    f->SetOrientation(900);
    return f;
}

int DrawRotatedCellText(TCanvas* Canvas, const TRect& Rect, bool Fill, int DX, int DY, const String& Text,
                        TAlignment Alignment, TTextLayout Layout, bool EndEllipsis, bool MeasureOnly) {
    (void)EndEllipsis;
    const TColor color = static_cast<TColor>(ColorToRGB(Canvas->Brush()->Color()));
    // Measured upright: the extent along the text's direction and its height across it.
    TTextMetric tm = Canvas->TextMetrics();
    int o = tm.tmOverhang;
    if (Canvas->Font()->Style().Contains(fsItalic)) {
        TCharSlope s = FontCharSlope(Canvas);
        o = (tm.tmHeight - tm.tmInternalLeading) * s.Run / std::max(1, s.Rise);
    }
    const int extent = o + Canvas->TextWidth(Text);
    if (MeasureOnly) return extent;
    const int th = Canvas->TextHeight(Text);
    auto place = [&](const TRect& r, int& x, int& y) {
        switch (Alignment) {
        case taLeftJustify: x = r.Left + DX; break;
        case taRightJustify: x = r.Right - th; break;
        default: x = r.Left + ((r.Right - r.Left) >> 1) - ((th + o) >> 1); break;
        }
        switch (Layout) {
        case tlTop: y = r.Top + extent; break;
        case tlBottom: y = r.Bottom - DY; break;
        default: y = r.Top + ((r.Bottom - r.Top) >> 1) + (extent >> 1); break;
        }
    };
    TFont saved;
    saved.Assign(*Canvas->Font());
    std::unique_ptr<TFont> rotated = CreateRotatedFont(Canvas->Font());
    BrushStyleKeeper keep(Canvas);
    try {
        if (!Fill || ScreenNearestColor(color) == color) {
            Canvas->SetFont(*rotated);
            int x, y;
            place(Rect, x, y);
            if (Fill)
                FillTextInBrushColor(Canvas);
            else
                Canvas->Brush()->SetStyle(bsClear);
            Canvas->TextRect(Rect, x, y, Text);
        } else {
            const int w = Rect.Width(), h = Rect.Height();
            TextBitmapLock lock(w, h);
            TCanvas* b = lock.Canvas();
            PrepareBitmapCanvas(Canvas, b, w, h);
            b->SetFont(*rotated);
            int x, y;
            place(TRect(0, 0, w, h), x, y);
            b->Brush()->SetStyle(bsClear);
            b->TextRect(TRect(0, 0, w, h), x, y, Text);
            Canvas->CopyRect(Rect, b, TRect(0, 0, w, h));
        }
    } catch (...) {
        Canvas->SetFont(saved);
        throw;
    }
    Canvas->SetFont(saved);
    return extent;
}

String ShortenWithEllipsis(const String& Text, TCanvas* Canvas, int MaxWidth) {
    String result = Text;
    const int len = Utf8Length(Text);
    for (int i = 1; i <= len && Canvas->TextWidth(result) > MaxWidth; ++i)
        result = Utf8Copy(Text, 1, std::max(0, len - i - 1)) + "...";
    return result;
}

void DrawImageClipped(TCustomImageList* Images, TBitmap* Bitmap, TCanvas* Canvas, TAlignment Alignment,
                      int XOffset, int ImageIndex, const TRect& Rect) {
    if (!Images && !Bitmap) return;
    const int iw = Images ? Images->Width() : Bitmap->Width();
    const int ih = Images ? Images->Height() : Bitmap->Height();
    int x = XOffset;
    switch (Alignment) {
    case taLeftJustify: x += Rect.Left; break;
    case taRightJustify: x += Rect.Right - iw; break;
    default: x += (Rect.Left + Rect.Right - iw) / 2; break;
    }
    const int y = (Rect.Top + Rect.Bottom - ih) / 2;
    auto draw = [&] {
        if (Images)
            Images->Draw(Canvas, x, y, ImageIndex, true);
        else
            Canvas->Draw(x, y, Bitmap);
    };
    const TRect image(x, y, x + iw, y + ih);
    if (image.Left >= Rect.Left && image.Top >= Rect.Top && image.Right <= Rect.Right &&
        image.Bottom <= Rect.Bottom) {
        draw();
        return;
    }
    TRegion saved;
    const bool hadClip = Canvas->GetClipRgn(saved);
    auto restore = [&] { Canvas->SelectClipRgn(hadClip ? &saved : nullptr); };
    try {
        Canvas->IntersectClipRect(Rect);
        draw();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

TColor BrightenColor(TColor Color, double Divisor) {
    TColorRef c = ColorToRGB(Color);
    auto up = [&](int v) { return std::min(255, v + static_cast<int>(v / Divisor)); };
    return static_cast<TColor>(RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c))));
}

bool PointWithin(const TPoint& P, const TRect& R) {
    return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}

void MirrorCellTextPlacement(TAlignment& Alignment, int& LeftMargin, int& RightMargin) {
    if (Alignment == taLeftJustify)
        Alignment = taRightJustify;
    else if (Alignment == taRightJustify)
        Alignment = taLeftJustify;
    std::swap(LeftMargin, RightMargin);
}
