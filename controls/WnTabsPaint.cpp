// Painting of the tab control: the off-screen picture, background, the order of tabs and cards,
// tab shapes and regions, fills, content (image, caption with accelerator, rotated text), bars,
// focus rectangle, outlines and card frames with the soft shadow, and the drop marker. Every
// temporary change of the picture's canvas (clip, font, pen, brush) is undone on every path.
#include "controls/WnTabs.h"

#include "controls/WnCommon.h"
#include "controls/WnGrafx.h"
#include "controls/WnTabsText.h"

#include <algorithm>

namespace {

enum : int { opPenColor = 0, opSetColor = 2, opMoveTo = 3, opLineTo = 4, opShadow30 = 5, opShadow15 = 6 };

// The picture canvas's pen, brush, font and clip as they were, put back when the scope ends.
class TCanvasKeeper {
public:
    explicit TCanvasKeeper(TCanvas* c) : C(c), Saved(c->SaveDC()) {
        Pen.Assign(*c->Pen());
        Brush.Assign(*c->Brush());
        Font.Assign(*c->Font());
    }
    ~TCanvasKeeper() {
        C->RestoreDC(Saved);
        C->SetPen(Pen);
        C->SetBrush(Brush);
        C->SetFont(Font);
    }
    TCanvasKeeper(const TCanvasKeeper&) = delete;
    TCanvasKeeper& operator=(const TCanvasKeeper&) = delete;

private:
    TCanvas* C;
    int Saved;
    TPen Pen;
    TBrush Brush;
    TFont Font;
};

struct TPiece {
    String Text;
    bool Underline;
};

// A line split at its accelerator: "&&" draws one "&"; "&x" underlines x; a final "&" is dropped.
std::vector<TPiece> AcceleratorPieces(const String& line) {
    const size_t amp = line.find('&');
    if (amp == String::npos) return {{line, false}};
    if (amp + 1 < line.size() && line[amp + 1] == '&')
        return {{line.substr(0, amp + 1) + line.substr(amp + 2), false}};
    std::vector<TPiece> pieces{{line.substr(0, amp), false}};
    if (amp + 1 < line.size()) {
        // One character, which may take several bytes in UTF-8.
        size_t len = 1;
        const unsigned char lead = static_cast<unsigned char>(line[amp + 1]);
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        pieces.push_back({line.substr(amp + 1, len), true});
        pieces.push_back({line.substr(amp + 1 + len), false});
    }
    return pieces;
}

String WithoutAccelerator(const String& line) {
    String s;
    for (const TPiece& p : AcceleratorPieces(line))
        s += p.Text;
    return s;
}

void Shrink(TRect& r, int dx, int dy) {
    r.Left += dx, r.Right -= dx, r.Top += dy, r.Bottom -= dy;
}
void Move(TRect& r, int dx, int dy) {
    r.Left += dx, r.Right += dx, r.Top += dy, r.Bottom += dy;
}

} // namespace

// Painting steps that need the control's state, gathered for one paint.
struct TWnTabPainter {
    TWnCustomTabControl& T;
    TCanvas* C;
    std::vector<int> Commands;
    std::unique_ptr<TBitmap> ParentBack;

    TColor OutlineColor() const { return ShiftLuminance(T.FFlatColor, T.FFlatColorAdjustment); }

    void Cmd(int op) { Commands.push_back(op); }
    void Cmd(int op, int a, int b) {
        Commands.push_back(op);
        Commands.push_back(a);
        Commands.push_back(b);
    }
    void Cmd(int op, TPoint p) { Cmd(op, p.X, p.Y); }

    void ShadowPixel(int x, int y, int weight) {
        if (!ParentBack) {
            ParentBack = std::make_unique<TBitmap>(std::max(T.Width(), 1), std::max(T.Height(), 1), pf32bit);
            PaintParentBackground(&T, ParentBack->Canvas());
        }
        const TColor back = ParentBack->Canvas()->Pixels(x, y);
        if (back == CLR_INVALID) return;
        C->SetPixels(x, y, MixColors(clBlack, back, static_cast<Byte>(weight)));
    }

    void ShadowLine(TPoint from, TPoint to, int weight) {
        const int dx = to.X > from.X ? 1 : to.X < from.X ? -1 : 0;
        const int dy = to.Y > from.Y ? 1 : to.Y < from.Y ? -1 : 0;
        TPoint p = from;
        while (true) {
            ShadowPixel(p.X, p.Y, weight);
            if (p == to) break;
            p.X += dx, p.Y += dy;
        }
        C->MoveTo(to.X, to.Y);
    }

    void Execute() {
        TColor outline = clBlack;
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetWidth(1);
        for (size_t i = 0; i < Commands.size();) {
            const int op = Commands[i++];
            if (op == opPenColor) {
                C->Pen()->SetColor(outline);
                continue;
            }
            const int a = Commands[i], b = Commands[i + 1];
            i += 2;
            switch (op) {
            case opSetColor:
                outline = OutlineColor();
                break;
            case opMoveTo:
                C->MoveTo(a, b);
                break;
            case opLineTo:
                C->LineTo(a, b);
                break;
            case opShadow30:
                ShadowLine(C->PenPos(), TPoint(a, b), 30);
                break;
            case opShadow15:
                ShadowLine(C->PenPos(), TPoint(a, b), 15);
                break;
            default:
                break;
            }
        }
        Commands.clear();
    }

    // ---- tabs

    void DrawTab(int index) {
        const TRect r = T.GetTabRect(index);
        if (!C->RectVisible(TRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1))) return;
        if (const TRegion* rgn = T.GetTabRegion(index, r)) {
            TCanvasKeeper keep(C);
            C->SelectClipRgn(rgn);
            FillTab(index, r);
            DrawContent(index, r);
        }
        Cmd(opSetColor, 0, index);
        const std::vector<TPoint> p = T.TabShape(index, T.StripRectOf(index));
        Cmd(opPenColor);
        if (T.FTabStyle == tsRoundCorners && p.size() == 6) {
            if (T.FTabOrientation == toLeft) {
                Cmd(opMoveTo, p[1]), Cmd(opLineTo, p[0]);
                Cmd(opMoveTo, p[1]);
                for (int k = 2; k <= 5; ++k)
                    Cmd(opLineTo, p[k]);
            } else {
                Cmd(opMoveTo, p[4]), Cmd(opLineTo, p[5]);
                Cmd(opMoveTo, p[4]);
                for (int k = 3; k >= 0; --k)
                    Cmd(opLineTo, p[k]);
            }
        } else if (!p.empty()) {
            Cmd(opMoveTo, p[0]);
            for (size_t k = 1; k < p.size(); ++k)
                Cmd(opLineTo, p[k]);
        }
        Execute();
    }

    void FillTab(int index, const TRect& r) {
        bool handled = false;
        T.DoPaintTabBackground(C, index, r, handled);
        if (handled) return;
        const TWnTabData* tab = T.FTabs.Items(index);
        TColor selected, base, shade;
        if (T.FUseColoredTabs) {
            selected = base = tab->Color;
            shade = ColorToPixelRGB(tab->Color) == 0xFFFFFF ? clBtnFace : ShadeColor(tab->Color, 30);
        } else {
            selected = T.Color();
            base = T.FTabColors.Unselected();
            shade = T.FTabColors.Shadow();
        }
        const TRect fill(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
        C->Brush()->SetStyle(bsSolid);
        if (index == T.FTabIndex) {
            C->Brush()->SetColor(selected);
            C->FillRect(fill);
        } else if (T.FUseGradients && FullColorScreen) {
            switch (T.FTabOrientation) {
            case toTop:
                DrawGradient(C, fill, grdTopToBottom, base, shade, 1);
                break;
            case toLeft:
                DrawGradient(C, fill, grdLeftToRight, base, shade, 1);
                break;
            case toBottom:
                DrawGradient(C, fill, grdTopToBottom, shade, base, 1);
                break;
            case toRight:
                DrawGradient(C, fill, grdLeftToRight, shade, base, 1);
                break;
            }
        } else {
            C->Brush()->SetColor(base);
            C->FillRect(fill);
        }
    }

    TRect ContentRect(const TRect& tabRect) const {
        TRect r = tabRect;
        const bool horz = T.Horz();
        const TWnTabOrientation o = T.FTabOrientation;
        const int s = T.SlantWidth(horz ? r.Height() : r.Width());
        const int c = T.FCutCornerSize;
        auto common = [&](int d) {
            if (horz) {
                Move(r, d, 0);
                if (o == toTop)
                    r.Top += 2;
                else
                    r.Bottom -= 2;
                if (o == toBottom) Move(r, 0, d);
            } else {
                Move(r, 0, d);
                if (o == toLeft) {
                    r.Left += 2;
                } else {
                    r.Right -= 2;
                    Move(r, 1, 0);
                }
            }
        };
        switch (T.FTabStyle) {
        case tsSingleSlant:
            Shrink(r, 1, 1);
            if (horz) {
                r.Right -= 2 * s + 2;
                Move(r, 2, 0);
            } else if (o == toLeft) {
                r.Top += 2 * s + 2;
                Move(r, 0, -2);
            } else {
                r.Bottom -= 2 * s + 2;
                Move(r, 0, 2);
            }
            common(1);
            break;
        case tsDoubleSlant:
            if (horz) {
                Shrink(r, -1, 1);
                Shrink(r, s, 0);
            } else {
                Shrink(r, 1, -1);
                Shrink(r, 0, s);
                r.Bottom += 2;
            }
            common(1);
            break;
        case tsBackSlant:
            Shrink(r, 1, 1);
            if (horz) {
                r.Left += 2 * s + 2;
                Move(r, -2, 0);
            } else if (o == toLeft) {
                r.Bottom -= 2 * s + 2;
                Move(r, 0, 2);
            } else {
                r.Top += 2 * s + 2;
                Move(r, 0, -2);
            }
            common(-1);
            break;
        case tsCutCorner:
            if (!T.Vertical()) {
                if (horz) {
                    Shrink(r, c + 3, 1);
                    if (o == toTop) {
                        r.Top += 3;
                    } else {
                        r.Bottom -= 3;
                        Move(r, 0, 1);
                    }
                } else {
                    Shrink(r, 1, 4);
                    if (o == toLeft) {
                        r.Left += c + 5;
                    } else {
                        r.Right -= c + 5;
                        Move(r, 1, 0);
                    }
                }
            } else if (horz) {
                Shrink(r, 4, 1);
                if (o == toTop) {
                    r.Top += c + 3;
                } else {
                    r.Bottom -= c + 3;
                    Move(r, 0, 1);
                }
            } else {
                Shrink(r, 1, c + 3);
                if (o == toLeft) {
                    r.Left += 5;
                } else {
                    r.Right -= 5;
                    Move(r, 1, 0);
                }
            }
            break;
        case tsRoundCorners:
            if (T.Vertical())
                Shrink(r, 2, 4);
            else
                Shrink(r, 4, 2);
            break;
        }
        Shrink(r, 1, 1);
        return r;
    }

    TColor TextColor(int index, TWnTextStyle style, TColor fallback) {
        bool handled = false;
        TColor c = fallback;
        T.DoGetTextColor(index, style, handled, c);
        return handled ? c : fallback;
    }

    void DrawContent(int index, const TRect& tabRect) {
        const TWnTabData* tab = T.FTabs.Items(index);
        const TRect content = ContentRect(tabRect);
        const TSize image = T.ImageSize(tab);
        const int margin = tab->ImageIndex != -1 ? T.FImageMargin : 0;
        TRect textRect = content, imageRect = content;
        switch (T.FImagePosition) {
        case ipLeft:
            textRect.Left += image.cx + margin;
            imageRect.Right = imageRect.Left + image.cx;
            break;
        case ipTop:
            textRect.Top += image.cy + margin;
            imageRect.Bottom = imageRect.Top + image.cy;
            break;
        case ipRight:
            textRect.Right -= image.cx + margin;
            imageRect.Left = imageRect.Right - image.cx;
            break;
        case ipBottom:
            textRect.Bottom -= image.cy + margin;
            imageRect.Top = imageRect.Bottom - image.cy;
            break;
        case ipBack:
        case ipStretch:
            break;
        }
        if (T.FImages && tab->ImageIndex != -1) DrawImage(tab, imageRect, image);

        // Text colour and the bar along the outer edge.
        TColor textColor;
        TColor bar = clNone;
        if (tab->Enabled) {
            if (T.FHotTrack && index == T.FHotTab) {
                textColor =
                    TextColor(index, tsHotTrack,
                              T.FHotTrackStyle == htsText ? T.FHotTrackColor : T.FTextColors.Selected());
                if (T.FHotTrackStyle == htsTab)
                    bar = T.FHotTrackColorType == htctActual ? T.FHotTrackColor
                                                             : OppositeHueColor(T.FHotTrackColor, 140);
            } else if (index == T.FTabIndex) {
                textColor = TextColor(index, tsSelected, T.FTextColors.Selected());
                if (T.FHotTrack && T.FHotTrackStyle == htsTab) bar = T.FTabColors.HighlightBar();
            } else {
                textColor = TextColor(index, tsUnselected, T.FTextColors.Unselected());
            }
        } else {
            textColor = TextColor(index, tsDisabled, T.FTextColors.Disabled());
        }
        if (bar != clNone) DrawBar(tabRect, bar);
        if (!tab->Caption.empty()) DrawCaption(index, tab, textRect, textColor);
        if (T.FShowFocusRect && index == T.FTabIndex && T.Focused()) DrawFocus(textRect);
    }

    void DrawImage(const TWnTabData* tab, const TRect& r, TSize image) {
        int x = r.Left, y = r.Top;
        if (T.FImagePosition != ipStretch) {
            if (T.FImageAlignment == haCenter) x += (r.Width() - image.cx) / 2;
            if (T.FImageAlignment == haRight) x = r.Right - image.cx;
            if (T.FImageAlignmentVertical == vaCenter) y += (r.Height() - image.cy) / 2;
            if (T.FImageAlignmentVertical == vaBottom) y = r.Bottom - image.cy;
        }
        if (tab->DisabledIndex == -1)
            T.FImages->Draw(C, x, y, tab->ImageIndex, tab->Enabled);
        else
            T.FImages->Draw(C, x, y, tab->Enabled ? tab->ImageIndex : tab->DisabledIndex, true);
    }

    void DrawBar(const TRect& tabRect, TColor colour) {
        TRect r(tabRect.Left - 1, tabRect.Top - 1, tabRect.Right + 1, tabRect.Bottom + 1);
        switch (T.FTabOrientation) {
        case toTop:
            r.Bottom = r.Top + 6;
            break;
        case toLeft:
            r.Right = r.Left + 6;
            break;
        case toBottom:
            r.Top = r.Bottom - 4;
            break;
        case toRight:
            r.Left = r.Right - 4;
            break;
        }
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(colour);
        C->FillRect(r);
    }

    void DrawCaption(int index, const TWnTabData* tab, TRect r, TColor colour) {
        const bool vertical = T.Vertical();
        const int escapement = vertical ? (T.FTabOrientation == toRight ? 2700 : 900) : 0;
        TWnTabTextFont font(C, T.FWorkFont, T.FBoldCurrentTab && index == T.FTabIndex, escapement);
        C->Font()->SetColor(colour);
        C->SetBkMode(TRANSPARENT);
        const std::vector<String> lines = CaptionLines(tab->Caption);
        std::vector<TSize> extents;
        TSize block(0, 0);
        for (const String& line : lines) {
            TSize e = C->TextExtent(WithoutAccelerator(line));
            extents.push_back(e);
            if (vertical) {
                block.cx += e.cy;
                block.cy = std::max(block.cy, e.cx);
            } else {
                block.cx = std::max(block.cx, e.cx);
                block.cy += e.cy;
            }
        }
        const bool rightTabs = T.FTabOrientation == toRight;
        if (!vertical) {
            if (T.FTextAlignmentVertical == vaCenter) {
                const int d = (r.Height() - block.cy) / 2;
                r.Top += d, r.Bottom -= d;
            } else if (T.FTextAlignmentVertical == vaBottom) {
                r.Top = r.Bottom - block.cy;
            }
        } else if (T.FTextAlignment == haCenter) {
            const int d = (r.Width() - block.cx) / 2;
            r.Left += d, r.Right -= d;
        } else if (rightTabs && T.FTextAlignment == haLeft) {
            r.Right = r.Left + block.cx;
        } else if (!rightTabs && T.FTextAlignment == haRight) {
            r.Left = r.Right - block.cx;
        }
        int before = 0;
        for (size_t k = 0; k < lines.size(); ++k) {
            const TSize e = extents[k];
            int x, y;
            if (!vertical) {
                int off = 0;
                if (T.FTextAlignment == haCenter) off = (r.Width() - e.cx) / 2;
                if (T.FTextAlignment == haRight) off = r.Width() - e.cx;
                x = r.Left + off;
                y = r.Top + before;
                before += e.cy;
            } else if (rightTabs) {
                int off = 0;
                if (T.FTextAlignmentVertical == vaCenter) off = (r.Height() - e.cx) / 2;
                if (T.FTextAlignmentVertical == vaBottom) off = r.Height() - e.cx;
                x = r.Right - before;
                y = r.Top + off;
                before += e.cy;
            } else {
                int off = 0;
                if (T.FTextAlignmentVertical == vaTop) off = r.Height() - e.cx;
                if (T.FTextAlignmentVertical == vaCenter) off = (r.Height() - e.cx) / 2;
                x = r.Left + before;
                y = r.Bottom - off;
                before += e.cy;
            }
            DrawLine(lines[k], x, y, vertical, rightTabs);
        }
    }

    void DrawLine(const String& line, int x, int y, bool vertical, bool downwards) {
        const bool underlined = C->Font()->Style().Contains(fsUnderline);
        for (const TPiece& piece : AcceleratorPieces(line)) {
            if (piece.Text.empty()) continue;
            if (piece.Underline && !underlined) C->Font()->SetStyle(C->Font()->Style().Include(fsUnderline));
            C->TextOut(x, y, piece.Text);
            const TSize e = C->TextExtent(piece.Text);
            if (piece.Underline && !underlined) C->Font()->SetStyle(C->Font()->Style().Exclude(fsUnderline));
            if (!vertical)
                x += e.cx;
            else if (downwards)
                y += e.cx;
            else
                y -= e.cx;
        }
    }

    void DrawFocus(TRect r) {
        if (T.Horz()) {
            r.Left -= 1, r.Right += 1, r.Bottom += 1;
        } else {
            r.Top -= 1, r.Bottom += 1;
        }
        if (T.FTabStyle == tsRoundCorners) {
            switch (T.FTabOrientation) {
            case toTop:
                r.Top += 1;
                break;
            case toLeft:
                r.Left += 2;
                break;
            case toBottom:
                r.Bottom -= 1;
                break;
            case toRight:
                r.Right -= 2;
                break;
            }
        }
        C->Brush()->SetColor(clWhite);
        C->Font()->SetColor(clBlack);
        C->DrawFocusRect(r);
    }

    // ---- cards

    void DrawCard(int row) {
        TRect r = T.GetCardRect(row);
        if (r == TRect(0, 0, 0, 0)) return;
        const TRect frame = r;
        if (T.FShowCard) ++r.Right, ++r.Bottom;
        bool handled = false;
        T.DoPaintCardBackground(C, row, r, handled);
        if (!handled) {
            const bool current = T.FTabIndex >= 0 && T.FTabIndex < T.FTabs.Count();
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(T.FUseColoredTabs && current ? T.FTabs.Items(T.FTabIndex)->Color
                                                              : T.Color());
            C->FillRect(r);
        }
        if (!T.FShowCardFrame) return;
        Cmd(opSetColor, 1, row);
        CardFrame(row, frame);
        Execute();
    }

    void CardFrame(int row, const TRect& r) {
        const TPoint c0(r.Left, r.Top), c1(r.Right, r.Top), c2(r.Right, r.Bottom), c3(r.Left, r.Bottom);
        const TWnTabOrientation o = T.FTabOrientation;
        const bool topStdShadow = o == toTop && T.FTabSequence == tsStandard && T.FShowShadow;
        const int cur = T.FTabIndex;
        const bool gap =
            row == 0 && cur >= 0 && cur < T.FTabs.Count() && cur >= T.FFirstShownTab && T.TabInView(cur);
        auto M = [&](TPoint p) { Cmd(opMoveTo, p); };
        auto L = [&](TPoint p) { Cmd(opLineTo, p); };
        auto P = [](int x, int y) { return TPoint(x, y); };
        Cmd(opPenColor);
        if (!gap) {
            if (topStdShadow) {
                M(c0), L(P(c1.X - 2, c1.Y)), L(P(c2.X - 2, c2.Y - 2)), L(P(c3.X, c3.Y - 2)), L(c0);
                Shadow(c1, c2, c3);
            } else {
                M(c0), L(c1);
                if (T.FShowFullFrame) L(c2), L(c3), L(c0);
            }
            return;
        }
        const TRect s = T.StripRectOf(cur);
        const TPoint g0 = T.MapPoint(s.Left + 1, s.Bottom), g1 = T.MapPoint(s.Right, s.Bottom);
        if (T.FTabStyle != tsRoundCorners) {
            if (topStdShadow) {
                M(c0), L(g0), M(g1), L(P(c1.X - 2, c1.Y));
                if (T.FShowFullFrame) L(P(c2.X - 2, c2.Y - 2)), L(P(c3.X, c3.Y - 2)), L(P(c0.X, c0.Y - 1));
                Shadow(c1, c2, c3);
            } else if (T.FShowFullFrame) {
                switch (o) {
                case toTop:
                    M(c0), L(g0), M(g1), L(c1), L(c2), L(c3), L(c0);
                    break;
                case toLeft:
                    M(c0), L(c1), L(c2), L(c3), L(g0), M(g1), L(c0);
                    break;
                case toBottom:
                    M(c0), L(c1), L(c2), L(P(g1.X - 1, g1.Y)), M(P(g0.X - 1, g0.Y)), L(c3), L(c0);
                    break;
                case toRight:
                    M(c0), L(c1), L(g0), M(g1), L(c2), L(c3), L(c0);
                    break;
                }
            } else {
                PartialFrame(c0, c1, c2, c3, g0, g1, false);
            }
            return;
        }
        if (o == toTop && topStdShadow) {
            M(P(c3.X, c3.Y - 2)), L(c0), L(g0), M(g1), L(P(c1.X - 2, c1.Y)), L(P(c2.X - 2, c2.Y - 2)),
                L(P(c3.X - 1, c3.Y - 2));
            Shadow(c1, c2, c3);
        } else if (T.FShowFullFrame) {
            switch (o) {
            case toTop:
                M(c3), L(c0), L(g0), M(g1), L(c1), L(c2), L(P(c3.X - 1, c3.Y));
                break;
            case toLeft:
                M(c3), L(g0), M(g1), L(c0), L(c1), L(c2), L(P(c3.X - 1, c3.Y));
                break;
            case toBottom:
                M(c3), L(c0), L(c1), L(c2), L(P(g1.X - 1, g1.Y)), M(P(g0.X - 1, g0.Y)), L(c3);
                break;
            case toRight:
                M(c3), L(c0), L(P(c1.X + 1, c1.Y)), M(c1), L(g0), M(g1), L(c2), L(P(c3.X - 1, c3.Y));
                break;
            }
        } else {
            PartialFrame(c0, c1, c2, c3, g0, g1, true);
        }
        if (o == toTop) M(g1), L(P(g1.X + 1, g1.Y));
    }

    void PartialFrame(TPoint c0, TPoint c1, TPoint c2, TPoint c3, TPoint g0, TPoint g1, bool round) {
        auto M = [&](TPoint p) { Cmd(opMoveTo, p); };
        auto L = [&](TPoint p) { Cmd(opLineTo, p); };
        auto P = [](int x, int y) { return TPoint(x, y); };
        switch (T.FTabOrientation) {
        case toTop:
            M(c0), L(g0), M(g1), L(P(c1.X + 1, c1.Y));
            break;
        case toLeft:
            M(P(c3.X - 1, c3.Y)), L(P(g0.X - 1, g0.Y)), M(P(g1.X - 1, g1.Y));
            L(round ? P(c0.X - 1, c0.Y) : P(c0.X - 1, c0.Y - 1));
            break;
        case toBottom:
            M(P(c2.X, c2.Y + 1)), L(P(g1.X - 1, g1.Y + 1)), M(P(g0.X - 1, g0.Y + 1)),
                L(P(c3.X - 1, c3.Y + 1));
            break;
        case toRight:
            M(P(c1.X + 1, c1.Y)), L(P(g0.X + 1, g0.Y)), M(P(g1.X + 1, g1.Y)), L(P(c2.X + 1, c2.Y + 1));
            break;
        }
    }

    void Shadow(TPoint c1, TPoint c2, TPoint c3) {
        Cmd(opMoveTo, c1.X - 1, c1.Y + 1);
        Cmd(opShadow30, c2.X - 1, c2.Y - 1);
        Cmd(opShadow30, c3.X, c3.Y - 1);
        Cmd(opMoveTo, c1.X - 1, c1.Y);
        Cmd(opShadow15, c1.X, c1.Y);
        Cmd(opShadow15, c2.X, c2.Y);
        Cmd(opShadow15, c3.X, c3.Y);
        Cmd(opShadow15, c3.X, c3.Y - 1);
    }

    // ---- order

    void DrawAll() {
        const int count = T.FTabs.Count();
        if (count > 0) {
            int c = T.FRowCount - 1;
            int firstRow0 = -1;
            for (int i = 0; i < count && firstRow0 < 0; ++i)
                if (T.FTabs.Items(i)->Visible && T.FTabs.Items(i)->Row == 0) firstRow0 = i;
            if (firstRow0 < 0) firstRow0 = std::max(T.FirstVisibleTab(), 0);
            int i = firstRow0 - 1;
            for (int n = 0; n < count; ++n, --i) {
                if (i < 0) i = count - 1;
                const TWnTabData* tab = T.FTabs.Items(i);
                if (!tab->Visible || !T.TabInView(i) || i < T.FFirstShownTab || i == T.FTabIndex) continue;
                if (tab->Row < c && c > 0) {
                    DrawCard(c);
                    c = tab->Row;
                }
                DrawTab(i);
            }
            if (c == 1) DrawCard(1);
            const int cur = T.FTabIndex;
            if (cur >= 0 && cur < count && cur >= T.FFirstShownTab && T.TabInView(cur)) DrawTab(cur);
        }
        DrawCard(0);
    }
};

std::vector<TPoint> TWnCustomTabControl::TabShape(int Index, const TRect& S) const {
    (void)Index;
    const int L = S.Left, T = S.Top, R = S.Right, B = S.Bottom, H = B - T, C = FCutCornerSize;
    std::vector<TPoint> p;
    switch (FTabStyle) {
    case tsSingleSlant:
        p = FSoftCorners ? std::vector<TPoint>{{L, B},         {L, T + 2},         {L + 2, T},
                                               {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}}
                         : std::vector<TPoint>{{L, B}, {L, T + 2}, {L + 2, T}, {R - H, T}, {R, B}};
        break;
    case tsDoubleSlant:
        p = FSoftCorners ? std::vector<TPoint>{{L, B},         {L + H - 2, T + 2}, {L + H + 4, T},
                                               {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}}
                         : std::vector<TPoint>{{L, B}, {L + H, T}, {R - H, T}, {R, B}};
        break;
    case tsCutCorner:
        p = {{L, B}, {L, T}, {R - C, T}, {R, T + C}, {R, B}};
        break;
    case tsRoundCorners:
        p = {{L, B}, {L, T + 2}, {L + 2, T}, {R - 2, T}, {R, T + 2}, {R, B}};
        break;
    case tsBackSlant:
        p = FSoftCorners ? std::vector<TPoint>{{L, B},     {L + H - 2, T + 2}, {L + H + 4, T},
                                               {R - 2, T}, {R, T + 2},         {R, B}}
                         : std::vector<TPoint>{{L, B}, {L + H, T}, {R - 2, T}, {R, T + 2}, {R, B}};
        break;
    }
    CheckTabShape(FTabStyle, FSoftCorners, static_cast<int>(p.size()));
    for (TPoint& pt : p)
        pt = MapPoint(pt.X, pt.Y);
    return p;
}

void TWnCustomTabControl::CheckTabShape(TWnTabStyle Style, bool Soft, int Count) {
    int expected = 5;
    if (Style == tsDoubleSlant) expected = 4;
    if (Style == tsRoundCorners || (Soft && Style != tsCutCorner)) expected = 6;
    if (Count != expected) throw EWnTabControlError("Incorrect number of points in tab shape");
}

const TRegion* TWnCustomTabControl::GetTabRegion(int Index, const TRect& Rect) {
    if (const TRegion* r = FRegionCache.Lookup(Rect)) return r;
    const std::vector<TPoint> p = TabShape(Index, StripRectOf(Index));
    if (p.size() < 3) return nullptr;
    TRegion region(p.data(), static_cast<int>(p.size()), ALTERNATE);
    return FRegionCache.Insert(Rect, std::move(region));
}

void TWnCustomTabControl::DoPaintBackground(TCanvas* ACanvas, const TRect& ARect, bool& Handled) {
    if (OnPaintBackground) OnPaintBackground(this, ACanvas, ARect, Handled);
}

void TWnCustomTabControl::DoPaintCardBackground(TCanvas* ACanvas, int ARow, const TRect& ARect,
                                                bool& Handled) {
    if (OnPaintCardBackground) OnPaintCardBackground(this, ACanvas, ARow, ARect, Handled);
}

void TWnCustomTabControl::DoPaintTabBackground(TCanvas* ACanvas, int ATabIndex, const TRect& ARect,
                                               bool& Handled) {
    if (OnPaintTabBackground) OnPaintTabBackground(this, ACanvas, ATabIndex, ARect, Handled);
}

void TWnCustomTabControl::PaintOffscreen() {
    FPaintedOnce = true;
    UpdateLayout();
    const int w = std::max(ClientWidth(), 1), h = std::max(ClientHeight(), 1);
    if (FBitmap.Width() != w || FBitmap.Height() != h) FBitmap.SetSize(w, h);
    TCanvas* canvas = FBitmap.Canvas();
    TCanvasKeeper keep(canvas);
    canvas->SelectClipRect(nullptr);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    const TRect rect = ClientRect();
    bool handled = false;
    DoPaintBackground(canvas, rect, handled);
    if (!handled) {
        if (FTransparent) {
            PaintParentBackground(this, canvas);
        } else {
            canvas->Brush()->SetColor(FBackgroundColor);
            canvas->FillRect(rect);
        }
    }
    PlaceStripButtons();
    TWnTabPainter painter{*this, canvas, {}, nullptr};
    painter.DrawAll();
}

void TWnCustomTabControl::Paint() {
    PaintOffscreen();
    Canvas()->Draw(0, 0, &FBitmap);
    if (FMarkerShown) DrawDropMarker(FMarkerRect);
}

void TWnCustomTabControl::DrawDropMarker(const TRect& Rect) {
    TCanvas* c = Canvas();
    TCanvasKeeper keep(c);
    c->Pen()->SetStyle(psClear);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnShadow);
    c->FillRect(Rect);
    std::vector<TPoint> a, b;
    switch (FTabOrientation) {
    case toTop:
        a = {{0, 0}, {8, 8}, {0, 8}}, b = {{7, 8}, {15, 0}, {15, 8}};
        break;
    case toLeft:
        a = {{1, 0}, {8, 0}, {8, 8}}, b = {{-1, 15}, {8, 7}, {8, 15}};
        break;
    case toBottom:
        a = {{-1, 8}, {-1, -1}, {8, -1}}, b = {{7, -1}, {15, 0}, {15, 8}};
        break;
    case toRight:
        a = {{0, 0}, {7, 0}, {0, 7}}, b = {{0, 7}, {8, 15}, {0, 15}};
        break;
    }
    for (auto* tri : {&a, &b})
        for (TPoint& p : *tri)
            p = TPoint(Rect.Left + p.X, Rect.Top + p.Y);
    c->Brush()->SetColor(clBlack);
    c->Polygon(a);
    c->Polygon(b);
}
