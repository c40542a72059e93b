// TCanvas text: measuring, ExtTextOut/TextOut/TextRect and the platform's DrawText layout
// (prefixes, tabs, word breaks with breaks between Chinese characters, ellipses, alignment).
#include "gui/Graphics.h"
#include "gui/qt/QtSupport.h"

#include <algorithm>

namespace {

WideString Widen(const String& s) {
    return WideFromQString(ToQString(s));
}
String Narrow(const WideString& s) {
    return FromQString(ToQString(s));
}

bool IsCJK(char16_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

// Punctuation that does not begin a line, and punctuation that does not end one.
bool NoLineStart(char16_t c) {
    static const std::u16string s = u"，。、；：？！）」』》〉】”’…·,.;:?!)%";
    return s.find(c) != std::u16string::npos;
}
bool NoLineEnd(char16_t c) {
    static const std::u16string s = u"（「『《〈【“‘([";
    return s.find(c) != std::u16string::npos;
}

struct Layout {
    std::vector<int> Adv; // device advance of each unit
    int TabWidth = 0;     // 0: tabs are not expanded
    // Width of units [from, to) starting at pen position x0 (tabs jump to the next stop).
    int Width(const std::u16string& s, size_t from, size_t to, int x0 = 0) const {
        int x = x0;
        for (size_t i = from; i < to; ++i) {
            if (TabWidth > 0 && s[i] == u'\t')
                x = (x / TabWidth + 1) * TabWidth;
            else
                x += Adv[i];
        }
        return x - x0;
    }
};

struct Line {
    std::u16string Text;
    int Prefix = -1; // index of the underlined character, -1 none
    int Width = 0;
};

} // namespace

// ---- measuring

TSize TCanvas::TextExtent(const WideString& text) {
    auto rf = RealizeFont(FFont, DeviceFontHeight());
    int w = TextAdvances(*rf, DrawnText(*rf, ToQString(text)), nullptr);
    return {UnmapCX(w), UnmapCY(rf->TM.tmHeight)};
}

TSize TCanvas::TextExtent(const String& text) {
    return TextExtent(Widen(text));
}
int TCanvas::TextWidth(const String& text) {
    return TextExtent(text).cx;
}
int TCanvas::TextHeight(const String& text) {
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtentEx(const WideString& text, std::vector<int>& extents) {
    auto rf = RealizeFont(FFont, DeviceFontHeight());
    std::vector<int> adv;
    TextAdvances(*rf, DrawnText(*rf, ToQString(text)), &adv);
    extents.resize(adv.size());
    int x = 0;
    for (size_t i = 0; i < adv.size(); ++i) {
        x += adv[i];
        extents[i] = UnmapCX(x);
    }
    return {UnmapCX(x), UnmapCY(rf->TM.tmHeight)};
}

TTextMetric TCanvas::TextMetrics() {
    auto rf = RealizeFont(FFont, DeviceFontHeight());
    TTextMetric tm = rf->TM;
    if (FMapMode != MM_TEXT) {
        tm.tmHeight = UnmapCY(tm.tmHeight);
        tm.tmAscent = UnmapCY(tm.tmAscent);
        tm.tmDescent = UnmapCY(tm.tmDescent);
        tm.tmInternalLeading = UnmapCY(tm.tmInternalLeading);
        tm.tmExternalLeading = UnmapCY(tm.tmExternalLeading);
        tm.tmAveCharWidth = UnmapCX(tm.tmAveCharWidth);
        tm.tmMaxCharWidth = UnmapCX(tm.tmMaxCharWidth);
    }
    return tm;
}

// ---- output

void TCanvas::ExtTextOut(int x, int y, Cardinal options, const TRect* rect, const WideString& text,
                         const int* dx) {
    Changing();
    auto rf = RealizeFont(FFont, DeviceFontHeight());
    if (FTextAlign & TA_UPDATECP) {
        x = FPenPos.X;
        y = FPenPos.Y;
    }
    int dxp = MapX(x), dyp = MapY(y);
    std::vector<int> ddx;
    int width;
    if (dx) {
        ddx.resize(text.size());
        width = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            ddx[i] = MapCX(dx[i]);
            width += ddx[i];
        }
    } else {
        width = TextAdvances(*rf, DrawnText(*rf, ToQString(text)), nullptr);
    }
    Cardinal h = FTextAlign & (TA_LEFT | TA_RIGHT | TA_CENTER);
    if (h == TA_RIGHT)
        dxp -= width;
    else if (h == TA_CENTER)
        dxp -= width / 2;
    Cardinal v = FTextAlign & (TA_TOP | TA_BOTTOM | TA_BASELINE);
    if (v == TA_BASELINE)
        dyp -= rf->TM.tmAscent;
    else if (v == TA_BOTTOM)
        dyp -= rf->TM.tmHeight;
    TRect drect;
    if (rect) drect = LPtoDP(*rect);
    DevTextOut(dxp, dyp, options, rect ? &drect : nullptr, text, dx ? ddx.data() : nullptr, FBkMode == OPAQUE,
               FBkColor);
    if (FTextAlign & TA_UPDATECP) {
        if (h == TA_LEFT)
            FPenPos.X = x + UnmapCX(width);
        else if (h == TA_RIGHT)
            FPenPos.X = x - UnmapCX(width);
    }
    DidChange();
}

void TCanvas::ExtTextOut(int x, int y, Cardinal options, const TRect* rect, const String& text,
                         const int* dx) {
    ExtTextOut(x, y, options, rect, Widen(text), dx);
}

void TCanvas::TextOut(int x, int y, const WideString& text) {
    ExtTextOut(x, y, FTextFlags, nullptr, text);
    if (!(FTextAlign & TA_UPDATECP)) MoveTo(x + TextExtent(text).cx, y);
}

void TCanvas::TextOut(int x, int y, const String& text) {
    TextOut(x, y, Widen(text));
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
    Cardinal options = ETO_CLIPPED | FTextFlags;
    if (FBrush.Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOut(x, y, options, &r, Widen(text));
}

void TCanvas::TextRect(TRect& r, String& text, TTextFormat options) {
    WideString modified;
    DrawTextImpl(Widen(text), r, options, (options & tfModifyString) ? &modified : nullptr);
    if (options & tfModifyString) text = Narrow(modified);
}

int TCanvas::DrawText(const String& text, TRect& r, Cardinal format) {
    return DrawTextImpl(Widen(text), r, format, nullptr);
}

int TCanvas::DrawText(const WideString& text, TRect& r, Cardinal format) {
    return DrawTextImpl(text, r, format, nullptr);
}

int DrawText(TCanvas* canvas, const String& text, TRect& r, Cardinal format) {
    return canvas ? canvas->DrawText(text, r, format) : 0;
}

int DrawText(TCanvas* canvas, const WideString& text, TRect& r, Cardinal format) {
    return canvas ? canvas->DrawText(text, r, format) : 0;
}

// ---- DrawText

namespace {

const std::u16string Ellipsis = u"...";

// Cuts the line so that it and the tail (an ellipsis, or nothing) fit in width.
void TruncateEnd(Line& line, const Layout& lay, const std::vector<int>& ownAdv, int width, bool ellipsis,
                 int ellipsisWidth) {
    Layout l = lay;
    l.Adv = ownAdv;
    int room = width - (ellipsis ? ellipsisWidth : 0);
    size_t n = line.Text.size();
    while (n > 0 && l.Width(line.Text, 0, n) > room)
        --n;
    if (n > 0 && n < line.Text.size() && line.Text[n - 1] >= 0xD800 && line.Text[n - 1] <= 0xDBFF) --n;
    line.Text.resize(n);
    if (line.Prefix >= static_cast<int>(n)) line.Prefix = -1;
    if (ellipsis) line.Text += Ellipsis;
}

// A run of the text that makes one line: units [Start, End).
struct Piece {
    size_t Start, End;
    bool HardEnd; // ends a paragraph
};

// Prefix phase: "&&" becomes "&" and "&x" underlines x (prefix is its index, -1 none) unless
// DT_NOPREFIX; DT_HIDEPREFIX drops the underline. With DT_SINGLELINE line breaks are removed.
std::u16string ResolvePrefixes(const WideString& input, Cardinal format, int& prefix) {
    std::u16string s;
    prefix = -1;
    if (format & DT_NOPREFIX) {
        s = input;
    } else {
        for (size_t i = 0; i < input.size(); ++i) {
            if (input[i] == u'&') {
                if (i + 1 < input.size() && input[i + 1] == u'&') {
                    s += u'&';
                    ++i;
                } else if (i + 1 < input.size()) {
                    prefix = static_cast<int>(s.size());
                }
                continue;
            }
            s += input[i];
        }
        if (format & DT_HIDEPREFIX) prefix = -1;
    }
    if (format & DT_SINGLELINE) {
        std::u16string t;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == u'\r' || s[i] == u'\n') {
                if (prefix > static_cast<int>(t.size())) --prefix;
                continue;
            }
            t += s[i];
        }
        s = t;
    }
    return s;
}

// Tab phase: the device width of a tab stop with DT_EXPANDTABS (DT_TABSTOP gives the stop in
// average characters in bits 8-15, 8 otherwise); 0 when tabs are not expanded.
int TabStopWidth(Cardinal format, int averageCharWidth) {
    if (!(format & DT_EXPANDTABS)) return 0;
    int chars = (format & DT_TABSTOP) ? static_cast<int>((format >> 8) & 0xFF) : 8;
    if (chars <= 0) chars = 8;
    return std::max(1, chars * averageCharWidth);
}

// Line-breaking phase: the text's paragraphs (ended by CR, LF or CR LF), each cut into lines no
// wider than width with DT_WORDBREAK. A line breaks after blanks, and between Chinese characters
// unless DT_NOFULLWIDTHCHARBREAK (not before closing or after opening punctuation); a word longer
// than the line stays whole, or is cut with DT_EDITCONTROL.
std::vector<Piece> BreakLines(const std::u16string& s, const Layout& lay, int width, Cardinal format) {
    const bool wordBreak = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    const bool cjkBreaks = !(format & DT_NOFULLWIDTHCHARBREAK);
    std::vector<Piece> pieces;
    size_t ps = 0;
    while (true) {
        size_t pe = ps;
        while (pe < s.size() && s[pe] != u'\r' && s[pe] != u'\n')
            ++pe;
        if (!wordBreak) {
            pieces.push_back({ps, pe, true});
        } else {
            size_t i = ps;
            while (true) {
                size_t ls = i, j = i;
                size_t bpEnd = std::u16string::npos, bpNext = 0;
                size_t lineEnd = pe, next = pe;
                bool overflow = false, broke = false;
                int x = 0;
                while (j < pe) {
                    char16_t c = s[j];
                    if (c == u' ') {
                        size_t k = j;
                        while (k < pe && s[k] == u' ')
                            x += lay.Width(s, k, k + 1, x), ++k;
                        if (j > ls) {
                            bpEnd = j;
                            bpNext = k;
                            if (overflow) {
                                lineEnd = j;
                                next = k;
                                broke = true;
                                break;
                            }
                        }
                        j = k;
                        continue;
                    }
                    if (cjkBreaks && j > ls && (IsCJK(c) || IsCJK(s[j - 1])) && !NoLineStart(c) &&
                        !NoLineEnd(s[j - 1]) && !(c >= 0xDC00 && c <= 0xDFFF)) {
                        bpEnd = j;
                        bpNext = j;
                        if (overflow) {
                            lineEnd = j;
                            next = j;
                            broke = true;
                            break;
                        }
                    }
                    int w = lay.Width(s, j, j + 1, x);
                    if (!overflow && x + w > width && j > ls) {
                        if (bpEnd != std::u16string::npos) {
                            lineEnd = bpEnd;
                            next = bpNext;
                            broke = true;
                            break;
                        }
                        if (format & DT_EDITCONTROL) {
                            lineEnd = j;
                            next = j;
                            broke = true;
                            break;
                        }
                        overflow = true; // a word longer than the line stays whole
                    }
                    x += w;
                    ++j;
                }
                pieces.push_back({ls, lineEnd, !broke || next >= pe});
                if (!broke || next >= pe) break;
                i = next;
            }
        }
        if (pe >= s.size()) break;
        ps = pe + ((s[pe] == u'\r' && pe + 1 < s.size() && s[pe + 1] == u'\n') ? 2 : 1);
        if (ps > s.size()) break;
    }
    return pieces;
}

// Ellipsis phase: the line of a piece with its underline and width; a line wider than width is
// cut with DT_END_ELLIPSIS (an ellipsis where the paragraph goes on), DT_WORD_ELLIPSIS (at a
// word) or DT_PATH_ELLIPSIS (keeping the last path element: "C:\a\...\name").
Line FitLine(const std::u16string& s, const Piece& p, int prefix, const Layout& lay, int width,
             Cardinal format, const TRealFont& font, int ellipsisWidth) {
    Line line;
    line.Text = s.substr(p.Start, p.End - p.Start);
    if (prefix >= static_cast<int>(p.Start) && prefix < static_cast<int>(p.End))
        line.Prefix = prefix - static_cast<int>(p.Start);
    std::vector<int> adv(lay.Adv.begin() + static_cast<long>(p.Start),
                         lay.Adv.begin() + static_cast<long>(p.End));
    Layout own = lay;
    own.Adv = adv;
    line.Width = own.Width(line.Text, 0, line.Text.size());
    const bool ellipsisFlags = format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
    if (!ellipsisFlags || line.Width <= width) return line;
    if (format & DT_PATH_ELLIPSIS) {
        size_t sep = line.Text.find_last_of(u"\\/");
        if (sep == std::u16string::npos || sep == 0) {
            TruncateEnd(line, lay, adv, width, true, ellipsisWidth);
        } else {
            std::u16string tail = line.Text.substr(sep);
            int tailW = own.Width(line.Text, sep, line.Text.size());
            size_t head = sep;
            while (head > 0 && own.Width(line.Text, 0, head) + ellipsisWidth + tailW > width)
                --head;
            line.Text = line.Text.substr(0, head) + Ellipsis + tail;
            if (line.Prefix >= static_cast<int>(head)) line.Prefix = -1;
        }
    } else if (format & DT_WORD_ELLIPSIS) {
        TruncateEnd(line, lay, adv, width, true, ellipsisWidth);
        size_t cut = line.Text.size() - Ellipsis.size();
        size_t sp = line.Text.find_last_of(u' ', cut);
        if (sp != std::u16string::npos && sp > 0 && cut < p.End - p.Start && line.Text[cut] != u' ')
            line.Text = line.Text.substr(0, sp) + Ellipsis;
    } else {
        TruncateEnd(line, lay, adv, width, p.HardEnd, ellipsisWidth);
    }
    std::vector<int> cutAdv;
    TextAdvances(font, DrawnText(font, ToQString(WideString(line.Text))), &cutAdv);
    Layout cut = lay;
    cut.Adv = std::move(cutAdv);
    line.Width = cut.Width(line.Text, 0, line.Text.size());
    return line;
}

} // namespace

// DrawText's work in phases: prefixes (ResolvePrefixes), tab stops (TabStopWidth), line breaking
// (BreakLines), ellipses (FitLine), then the layout here (the modified text, an edit control's
// whole lines, DT_CALCRECT's rectangle, vertical placement) and the painting of each line with its
// tabs and underline. Returns the height of the text in logical units.
int TCanvas::DrawTextImpl(const WideString& input, TRect& r, Cardinal format, WideString* modified) {
    if (input.empty()) {
        if (format & DT_CALCRECT) {
            r.Right = r.Left;
            r.Bottom = r.Top;
        }
        if (modified) modified->clear();
        return 0;
    }
    auto rf = RealizeFont(FFont, DeviceFontHeight());
    const TTextMetric& tm = rf->TM;
    const bool singleLine = format & DT_SINGLELINE;

    int prefix = -1;
    const std::u16string s = ResolvePrefixes(input, format, prefix);
    Layout lay;
    TextAdvances(*rf, DrawnText(*rf, ToQString(WideString(s))), &lay.Adv);
    lay.TabWidth = TabStopWidth(format, tm.tmAveCharWidth);
    const int W = MapCX(r.Width());
    const int ellipsisWidth = TextAdvances(*rf, DrawnText(*rf, QStringLiteral("...")), nullptr);
    std::vector<Line> lines;
    for (const Piece& p : BreakLines(s, lay, W, format))
        lines.push_back(FitLine(s, p, prefix, lay, W, format, *rf, ellipsisWidth));

    // Layout.
    if (modified) {
        modified->clear();
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i) *modified += u"\r\n";
            *modified += lines[i].Text;
        }
    }
    const int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    // An edit control shows no partly visible last line.
    const int devHeight = MapCY(r.Height());
    if ((format & DT_EDITCONTROL) && !(format & DT_CALCRECT)) {
        size_t fit = static_cast<size_t>(std::max(0, devHeight / std::max(1, lineHeight)));
        if (fit < lines.size()) lines.resize(std::max<size_t>(fit, 1));
    }
    int maxWidth = 0;
    for (const auto& l : lines)
        maxWidth = std::max(maxWidth, l.Width);
    const int total = static_cast<int>(lines.size()) * lineHeight;
    if (format & DT_CALCRECT) {
        r.Right = r.Left + UnmapCX(maxWidth);
        r.Bottom = r.Top + UnmapCY(total);
        return UnmapCY(total);
    }
    int y = 0; // device offset from the top of r
    if (singleLine) {
        if (format & DT_VCENTER)
            y = (devHeight - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = devHeight - lineHeight;
    }
    const int result =
        (singleLine && (format & (DT_VCENTER | DT_BOTTOM))) ? UnmapCY(y + total) : UnmapCY(total);

    // Painting.
    Changing();
    TRect clip = LPtoDP(r);
    Cardinal options = (format & DT_NOCLIP) ? 0u : static_cast<Cardinal>(ETO_CLIPPED);
    TPoint origin = LPtoDP(r.TopLeft());
    bool opaque = FBkMode == OPAQUE;
    for (const auto& l : lines) {
        int x = 0;
        if (format & DT_CENTER)
            x = (W - l.Width) / 2;
        else if (format & DT_RIGHT)
            x = W - l.Width;
        int lx = origin.X + x, ly = origin.Y + y;
        if (!(format & DT_PREFIXONLY)) {
            if (lay.TabWidth > 0 && l.Text.find(u'\t') != std::u16string::npos) {
                std::vector<int> a;
                TextAdvances(*rf, DrawnText(*rf, ToQString(WideString(l.Text))), &a);
                size_t from = 0;
                int pos = 0;
                while (from <= l.Text.size()) {
                    size_t tab = l.Text.find(u'\t', from);
                    size_t to = tab == std::u16string::npos ? l.Text.size() : tab;
                    if (to > from)
                        DevTextOut(lx + pos, ly, options, options ? &clip : nullptr,
                                   l.Text.substr(from, to - from), nullptr, opaque, FBkColor);
                    for (size_t k = from; k < to; ++k)
                        pos += a[k];
                    if (tab == std::u16string::npos) break;
                    pos = (pos / lay.TabWidth + 1) * lay.TabWidth;
                    from = tab + 1;
                }
            } else if (!l.Text.empty()) {
                DevTextOut(lx, ly, options, options ? &clip : nullptr, l.Text, nullptr, opaque, FBkColor);
            }
        }
        if (l.Prefix >= 0) {
            std::vector<int> a;
            TextAdvances(*rf, DrawnText(*rf, ToQString(WideString(l.Text))), &a);
            int px = lx;
            for (int k = 0; k < l.Prefix; ++k)
                px += a[static_cast<size_t>(k)];
            int pw = a[static_cast<size_t>(l.Prefix)];
            TPen saved;
            saved.Assign(FPen);
            FPen.SetColor(FFont.Color());
            FPen.SetWidth(1);
            FPen.SetStyle(psSolid);
            FPen.SetMode(pmCopy);
            int uy = ly + tm.tmAscent + 1;
            TPoint pts[2] = {{px, uy}, {px + pw, uy}};
            DevPolyline(pts, 2);
            FPen.Assign(saved);
        }
        y += lineHeight;
    }
    DidChange();
    return result;
}
