// Glyph lists, the shared glyph cache and TKxButtonGlyph: state images cut from one bitmap, the
// layout of glyph and caption, and their drawing.
#include "controls/KXCtrls.h"

#include "controls/kxStrUtils.h"
#include "controls/kxVclutils.h"
#include "gui/Colors.h"
#include "rtl/StrUtils.h"

namespace {
TGlyphCache* GCache = nullptr;
int GGlyphObjects = 0;
} // namespace

TGlyphCache* KxGlyphCache() {
    return GCache;
}

TColor GrayColor(TColor Color, TColor TransparentColor) {
    const TColorRef c = ColorToPixelRGB(Color);
    if (c == ColorToPixelRGB(TransparentColor) || c == ColorToPixelRGB(clBtnFace)) return Color;
    const int grey = (77 * GetRValue(c) + 150 * GetGValue(c) + 29 * GetBValue(c)) >> 8;
    return static_cast<TColor>(RGB(grey, grey, grey));
}

// ---------------------------------------------------------------------------------------------
// Glyph lists and the cache

int TGlyphList::AllocateIndex() {
    for (size_t i = 0; i < FUsed.size(); ++i)
        if (!FUsed[i]) {
            FUsed[i] = true;
            return static_cast<int>(i);
        }
    FImages.emplace_back();
    FUsed.push_back(true);
    return static_cast<int>(FUsed.size() - 1);
}

int TGlyphList::Add(const TBitmap& Image, TColor MaskColor) {
    const int index = AllocateIndex();
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(Image);
    FImages[static_cast<size_t>(index)] = TSlot{std::move(copy), MaskColor};
    ++FCount;
    return index;
}

void TGlyphList::Delete(int Index) {
    if (Index < 0 || Index >= static_cast<int>(FUsed.size()) || !FUsed[static_cast<size_t>(Index)]) return;
    FUsed[static_cast<size_t>(Index)] = false;
    FImages[static_cast<size_t>(Index)].Image.reset();
    --FCount;
}

const TBitmap* TGlyphList::Image(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FImages.size())) return nullptr;
    return FImages[static_cast<size_t>(Index)].Image.get();
}

void TGlyphList::Draw(TCanvas* Canvas, int X, int Y, int Index) const {
    const TBitmap* image = Image(Index);
    if (!image) return;
    const TColor mask = FImages[static_cast<size_t>(Index)].Mask;
    Canvas->StretchBlt(Bounds(X, Y, image->Width(), image->Height()), *image,
                       Rect(0, 0, image->Width(), image->Height()), cmSrcCopy,
                       mask == clNone ? clNone : static_cast<TColor>(ColorToPixelRGB(mask)));
}

TGlyphList* TGlyphCache::GetList(int Width, int Height) {
    for (auto it = FLists.rbegin(); it != FLists.rend(); ++it)
        if ((*it)->Width() == Width && (*it)->Height() == Height) return it->get();
    FLists.push_back(std::make_unique<TGlyphList>(Width, Height));
    return FLists.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* List) {
    if (!List || List->Count() != 0) return;
    for (auto it = FLists.begin(); it != FLists.end(); ++it)
        if (it->get() == List) {
            FLists.erase(it);
            return;
        }
}

// ---------------------------------------------------------------------------------------------
// TKxButtonGlyph

TKxButtonGlyph::TKxButtonGlyph() : FOriginal(std::make_unique<TBitmap>()) {
    if (!GCache) GCache = new TGlyphCache();
    ++GGlyphObjects;
}

TKxButtonGlyph::~TKxButtonGlyph() {
    Invalidate();
    --GGlyphObjects;
    if (GCache && GCache->Empty() && GGlyphObjects == 0) {
        delete GCache;
        GCache = nullptr;
    }
}

void TKxButtonGlyph::Invalidate() {
    for (int& index : FIndexs) {
        if (index != -1 && FGlyphList) FGlyphList->Delete(index);
        index = -1;
    }
    if (FGlyphList && GCache) GCache->ReturnList(FGlyphList);
    FGlyphList = nullptr;
}

void TKxButtonGlyph::SetGlyph(const TBitmap* Value) {
    Invalidate();
    if (Value && !Value->Empty())
        FOriginal->Assign(*Value);
    else
        FOriginal = std::make_unique<TBitmap>();
    SourceChanged();
}

void TKxButtonGlyph::SourceChanged() {
    Invalidate();
    if (FOriginal->Height() > 0) {
        FTransparentColor = static_cast<TColor>(ColorToPixelRGB(FOriginal->TransparentColor()));
        if (FOriginal->Width() % FOriginal->Height() == 0) {
            int n = FOriginal->Width() / FOriginal->Height();
            if (n > 5) n = 1;
            FNumGlyphs = n;
        }
    }
    if (OnChange) OnChange(nullptr);
}

void TKxButtonGlyph::SetNumGlyphs(TKxNumGlyphs Value) {
    if (Value < 1) Value = 1;
    if (Value > 5) Value = 5;
    if (Value == FNumGlyphs) return;
    Invalidate();
    FNumGlyphs = Value;
    if (OnChange) OnChange(nullptr);
}

void TKxButtonGlyph::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    if (OnChange) OnChange(nullptr);
}

void TKxButtonGlyph::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    if (OnChange) OnChange(nullptr);
}

TSize TKxButtonGlyph::GlyphSize() const {
    if (FOriginal->Empty() || FOriginal->Width() == 0 || FOriginal->Height() == 0) return {0, 0};
    return {FOriginal->Width() / FNumGlyphs, FOriginal->Height()};
}

int TKxButtonGlyph::CreateButtonGlyph(TKxButtonState State) {
    if (State == rbsDown && FNumGlyphs < 3) State = rbsUp;
    int& index = FIndexs[State];
    if (index != -1) return index;
    if (FOriginal->Empty() || FOriginal->Width() == 0 || FOriginal->Height() == 0) return -1;
    const int w = FOriginal->Width() / FNumGlyphs, h = FOriginal->Height();
    if (!FGlyphList) FGlyphList = GCache->GetList(w, h);
    const int cell = static_cast<int>(State) < FNumGlyphs ? static_cast<int>(State) : 0;
    TBitmap image(w, h);
    image.Canvas()->CopyRect(Rect(0, 0, w, h), FOriginal->Canvas(), Bounds(cell * w, 0, w, h));
    if (State == rbsDisabled && FNumGlyphs < 2) {
        TBitmap disabled;
        MakeDisabledGlyph(image, disabled, clBlack);
        index = FGlyphList->Add(disabled, clBtnFace);
    } else if (State == rbsInactive && FNumGlyphs < 5) {
        TBitmap grey(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                grey.Canvas()->SetPixels(x, y, GrayColor(image.Pixel(x, y), FTransparentColor));
        index = FGlyphList->Add(grey, FTransparentColor);
    } else {
        index = FGlyphList->Add(image, FTransparentColor);
    }
    return index;
}

void TKxButtonGlyph::CalcButtonLayout(TCanvas* Canvas, const TRect& Client, const String& Caption,
                                      TButtonLayout Layout, int Margin, int Spacing, bool PopupMark,
                                      TPoint& GlyphPos, TRect& TextBounds, String& Text, bool RightToLeft) {
    (void)RightToLeft;
    const int cw = Client.Width(), ch = Client.Height();
    const TSize glyph = GlyphSize();
    int gw = glyph.cx, gh = glyph.cy;
    const bool vertical = Layout == blGlyphTop || Layout == blGlyphBottom;
    const int m0 = Margin != -1 ? Margin : 0, s0 = Spacing != -1 ? Spacing : 0;
    int tw, th;
    if (vertical) {
        tw = cw;
        th = ch - gh - m0 - s0;
    } else {
        tw = cw - gw - m0 - s0 - (PopupMark ? 9 : 0);
        th = ch;
    }
    tw = std::max(0, tw);
    th = std::max(0, th);
    // The caption, limited to 255 characters; each line shortened to the box unless it wraps.
    Text = Caption.size() > 255 ? Caption.substr(0, 255) : Caption;
    if (!FWordWrap && !Text.empty()) {
        String joined;
        size_t start = 0;
        for (;;) {
            const size_t end = Text.find('\n', start);
            String line = Text.substr(start, end == String::npos ? String::npos : end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!joined.empty() || start > 0) joined += "\n";
            joined += ShortenToWidth(line, Canvas, tw);
            if (end == String::npos) break;
            start = end + 1;
        }
        Text = TrimTrailingSpaces(joined);
    }
    TRect bounds(0, 0, 0, 0);
    if (!Text.empty()) {
        bounds = Rect(0, 0, tw, 0);
        Canvas->DrawText(Text, bounds, DT_CALCRECT | DT_CENTER | (FWordWrap ? Cardinal(DT_WORDBREAK) : 0u));
        bounds.Right = std::min(bounds.Right, bounds.Left + tw);
        bounds.Bottom = std::min(bounds.Bottom, bounds.Top + th);
    }
    int txw = bounds.Width(), txh = bounds.Height();
    if (PopupMark) {
        if (gw == 0 || Layout == blGlyphLeft)
            txw += 9;
        else
            gw += 6;
    }
    TPoint g, t;
    if (vertical) {
        g.X = cw / 2 - gw / 2;
        t.X = cw / 2 - txw / 2;
    } else {
        g.Y = ch / 2 - gh / 2;
        t.Y = ch / 2 - txh / 2;
    }
    int margin = Margin, spacing = Spacing;
    if (txw == 0 || gw == 0) spacing = 0;
    const int extent = vertical ? ch : cw;
    const int ge = vertical ? gh : gw, te = vertical ? txh : txw;
    if (margin == -1 && spacing == -1) {
        spacing = (extent - ge - te) / 3;
        margin = spacing;
    } else if (margin == -1) {
        margin = extent / 2 - (ge + spacing + te) / 2;
    } else if (spacing == -1) {
        spacing = (extent - margin - ge) / 2 - te / 2;
    }
    switch (Layout) {
    case blGlyphLeft:
        g.X = margin;
        t.X = margin + ge + spacing;
        break;
    case blGlyphRight:
        g.X = cw - margin - ge;
        t.X = g.X - spacing - te;
        break;
    case blGlyphTop:
        g.Y = margin;
        t.Y = margin + gh + spacing;
        break;
    case blGlyphBottom:
        g.Y = ch - margin - gh;
        t.Y = g.Y - spacing - txh;
        break;
    }
    GlyphPos = Point(g.X + Client.Left, g.Y + Client.Top);
    TextBounds = Bounds(t.X + Client.Left, t.Y + Client.Top, txw, txh);
}

void TKxButtonGlyph::DrawPopupMark(TCanvas* Canvas, int X, int Y, TKxButtonState State) {
    auto triangle = [&](int x, int y, TColor colour) {
        Canvas->Pen()->SetColor(colour);
        for (int row = 0; row < 4; ++row) {
            Canvas->MoveTo(x + row, y - 1 + row);
            Canvas->LineTo(x + row + 7 - 2 * row, y - 1 + row);
        }
    };
    if (State == rbsDisabled) {
        triangle(X + 1, Y + 1, clBtnHighlight);
        triangle(X, Y, clBtnShadow);
    } else {
        triangle(X, Y, clBtnText);
    }
}

TRect TKxButtonGlyph::Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                           TButtonLayout Layout, int Margin, int Spacing, bool PopupMark,
                           TKxButtonState State) {
    TPoint glyphPos;
    TRect text;
    String shown;
    TRect client = Client;
    OffsetRect(client, Offset.X, Offset.Y);
    CalcButtonLayout(Canvas, client, Caption, Layout, Margin, Spacing, PopupMark, glyphPos, text, shown);
    const int index = CreateButtonGlyph(State);
    const TSize glyph = GlyphSize();
    if (index != -1 && FGlyphList) FGlyphList->Draw(Canvas, glyphPos.X, glyphPos.Y, index);
    if (!shown.empty()) {
        Canvas->Brush()->SetStyle(bsClear);
        Cardinal flags = DT_VCENTER | (FWordWrap ? Cardinal(DT_WORDBREAK) : Cardinal(DT_SINGLELINE));
        if (FAlignment == taLeftJustify)
            flags |= DT_LEFT;
        else if (FAlignment == taRightJustify)
            flags |= DT_RIGHT;
        else
            flags |= DT_CENTER;
        TRect r = text;
        if (PopupMark && (glyph.cx == 0 || Layout == blGlyphLeft)) r.Right -= 9;
        if (State == rbsDisabled) {
            TRect shifted = r;
            OffsetRect(shifted, 1, 1);
            Canvas->Font()->SetColor(clBtnHighlight);
            Canvas->DrawText(shown, shifted, flags);
            Canvas->Font()->SetColor(clBtnShadow);
        }
        Canvas->DrawText(shown, r, flags);
    }
    if (PopupMark) {
        if (Layout != blGlyphLeft && glyph.cx > 0)
            DrawPopupMark(Canvas, glyphPos.X + glyph.cx + 1, glyphPos.Y + glyph.cy / 2, State);
        else if (!shown.empty())
            DrawPopupMark(Canvas, text.Right - 9 + 3, text.Top + text.Height() / 2, State);
        else
            DrawPopupMark(Canvas, (client.Left + client.Right - 7) / 2, text.Top + text.Height() / 2, State);
    }
    return text;
}
