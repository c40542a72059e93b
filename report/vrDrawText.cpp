// The text layout object: its settings, the process-wide instance and lock, and laying out
// paragraphs into wrapped lines at 600 dots per inch.
#include "report/vrDrawText.h"

#include "gui/Bitmap.h"
#include "report/vrDrawTextLock.h"
#include "rtl/CodePage.h"
#include "rtl/MathUtils.h"

#include <algorithm>

std::recursive_mutex& TextLayoutLock() {
    static std::recursive_mutex lock;
    return lock;
}

TvrDrawText& SharedLayout() {
    static std::unique_ptr<TvrDrawText> layout = std::make_unique<TvrDrawText>();
    return *layout;
}

TvrDrawText::TvrDrawText()
    : HyphenCodePage(DefaultAnsiCodePage()), FMeasureBitmap(std::make_unique<TBitmap>()) {}

TvrDrawText::~TvrDrawText() = default;

TCanvas& TvrDrawText::MeasureCanvas() const {
    return *FMeasureBitmap->Canvas();
}

void TvrDrawText::LockLayout() {
    TextLayoutLock().lock();
}

void TvrDrawText::UnlockLayout() {
    TextLayoutLock().unlock();
}

void TvrDrawText::ApplyFont(const TFont& font) {
    TCanvasLock lock(MeasureCanvas());
    FontSizePt = font.Size();
    TFont& f = *MeasureCanvas().Font();
    f.SetName(font.Name());
    f.SetHeight(-static_cast<int>(Round(FontSizePt * static_cast<Extended>(LayoutDpi) / 72)));
    f.SetStyle(font.Style());
    f.SetCharset(font.Charset());
    f.SetColor(font.Color());
}

void TvrDrawText::ApplyOptions(bool wordWrap, bool tagsAllowed, bool rtlReading, bool wordBreak, bool clipped,
                               bool wysiwyg, Integer rotation) {
    WordWrap = wordWrap;
    FTags.TagsAllowed = tagsAllowed;
    RTLReading = rtlReading;
    WordBreak = wordBreak;
    Wysiwyg = wysiwyg;
    Rotation = rotation % 360;
    TextOutFlags = (rtlReading ? ETO_RTLREADING : 0u) | (clipped ? ETO_CLIPPED : 0u);
}

void TvrDrawText::ApplySpacing(Extended paragraphGap, Extended charSpacing, Extended lineSpacing) {
    ParagraphGap = paragraphGap;
    CharSpacing = charSpacing;
    LineSpacing = lineSpacing;
}

void TvrDrawText::ApplyRects(const TRect& layoutBox, const TRect& deviceBox, Extended horzScale,
                             Extended vertScale, Extended printZoom) {
    LayoutBox = layoutBox;
    DeviceBox = deviceBox;
    HorzScale = horzScale;
    VertScale = vertScale;
    PrintZoom = printZoom;
}

bool TvrDrawText::IsPrinterCanvas(TCanvas& canvas) {
    return canvas.GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER;
}

void TvrDrawText::LayoutText(const TWideStrings& source) {
    TCanvasLock lock(MeasureCanvas());
    SourceText.clear();
    WrappedLines.Clear();
    if (source.Count() == 0) return;
    TFont& font = *MeasureCanvas().Font();
    FTags.SetDefaults(font.Color(), FontSizePt, font.Style());
    const TFontStyles style = font.Style();
    const bool turned = (Rotation >= 90 && Rotation <= 179) || (Rotation >= 270 && Rotation <= 359);
    const Extended width = turned ? LayoutBox.Bottom - LayoutBox.Top : LayoutBox.Right - LayoutBox.Left;
    for (Integer p = 0; p < source.Count(); ++p) {
        WideString line = source.Strings(p);
        if (line.empty()) line.assign(1, u' ');
        SourceText += line + u"\r\n";
        const Integer before = WrappedLines.Count();
        WrapParagraph(line, static_cast<Integer>(Round(width * 6.25L)),
                      static_cast<Integer>(Round((width - ParagraphGap) * 6.25L)),
                      static_cast<Integer>(Round(CharSpacing * 6.25L)));
        const Integer added = WrappedLines.Count() - before;
        if (added > 0) {
            WrappedLines.SetObjects(before, 1);
            if (added == 1)
                WrappedLines.SetObjects(before, 3);
            else
                WrappedLines.SetObjects(WrappedLines.Count() - 1, 2);
        }
    }
    font.SetStyle(style);
}

void TvrDrawText::AddWrappedLine(const WideString& text) {
    WrappedLines.Add(text);
}

void TvrDrawText::WrapParagraph(WideString text, Integer fullWidth, Integer firstWidth, Integer spacing) {
    if (FTags.ItemCount() > 0) FTags.NewLine();
    FTags.ExpandTags(text);
    FTags.NextPos += 2;
    const Integer L = static_cast<Integer>(text.size());
    const Integer lineIndex = FTags.ItemCount() - 1;
    TFont& font = *MeasureCanvas().Font();
    if (L < 2 || !WordWrap) {
        const TvrHTMLTags* tags = FTags.GetItem(lineIndex);
        if (tags->ItemCount() > 0 && !tags->GetItem(0)->SameFormat) font.SetStyle(tags->GetItem(0)->StyleSet);
        AddWrappedLine(text);
        return;
    }
    const Integer total =
        FTags.MeasureChars(Advances, text, MeasureCanvas(), lineIndex, spacing, true, UseDefaultCharset);
    const TvrTextUnits units = MakeTextUnits(text, font.Charset(), UseDefaultCharset);
    if (units.Count() != L) {
        // The byte path gave units other than the characters: running sums per character.
        std::vector<int> perChar(static_cast<size_t>(L), 0);
        for (Integer k = 0; k < units.Count(); ++k) {
            const int advance =
                Advances[static_cast<size_t>(k)] - (k > 0 ? Advances[static_cast<size_t>(k - 1)] : 0);
            perChar[static_cast<size_t>(units.Record[static_cast<size_t>(k)])] += advance;
        }
        if (Advances.size() < perChar.size()) Advances.resize(perChar.size());
        for (size_t k = 0; k < perChar.size(); ++k)
            Advances[k] = perChar[k] + (k > 0 ? Advances[k - 1] : 0);
    }
    // A character of two UTF-16 units is never broken: its high unit carries the whole width.
    for (Integer k = 1; k < L; ++k) {
        const char16_t hi = text[static_cast<size_t>(k - 1)], lo = text[static_cast<size_t>(k)];
        if (hi >= 0xD800 && hi <= 0xDBFF && lo >= 0xDC00 && lo <= 0xDFFF)
            Advances[static_cast<size_t>(k - 1)] = Advances[static_cast<size_t>(k)];
    }
    if (total < firstWidth) {
        AddWrappedLine(text);
        return;
    }
    // 1-based positions as in the text; A(i) is the running sum through character i.
    auto A = [&](Integer i) { return Advances[static_cast<size_t>(i - 1)]; };
    auto chars = [&](Integer from, Integer to) { // from..to inclusive
        return to >= from ? text.substr(static_cast<size_t>(from - 1), static_cast<size_t>(to - from + 1))
                          : WideString();
    };
    Integer lineStart = 1, breakAt = 1, consumed = 0, limit = firstWidth;
    Integer i = 1;
    while (i <= L) {
        if (text[static_cast<size_t>(i - 1)] == u' ') {
            const TvrHTMLTags* tags = FTags.GetItem(FTags.ItemCount() - 1);
            const Integer r = i - lineStart;
            const bool noBreak = FTags.TagsAllowed && r < tags->ItemCount() && tags->GetItem(r)->NoBreak;
            if (!noBreak) breakAt = i;
        }
        if (A(i) - consumed <= limit) {
            ++i;
            continue;
        }
        if (breakAt == lineStart && i == lineStart) {
            // One character wider than the line goes on a line of its own, both units of a pair.
            const char16_t c = text[static_cast<size_t>(i - 1)];
            const Integer n = i < L && c >= 0xD800 && c <= 0xDBFF ? 2 : 1;
            AddWrappedLine(chars(i, i + n - 1));
            FTags.SplitLastLine(n, false);
            breakAt = i + n - 1;
        } else if (breakAt == lineStart && WordBreak) {
            const WideString p = HyphenPrefix(text, lineStart, i, L, HyphenCodePage);
            const Integer length = p.empty() ? i - lineStart : static_cast<Integer>(p.size());
            AddWrappedLine(p.empty() ? chars(lineStart, i - 1) : p + u"-");
            FTags.SplitLastLine(length, !p.empty());
            breakAt = lineStart + length - 1;
        } else if (breakAt == lineStart) {
            AddWrappedLine(chars(lineStart, i - 1));
            FTags.SplitLastLine(i - lineStart, false);
            breakAt = i - 1;
        } else if (WordBreak) {
            const WideString p = HyphenPrefix(text, breakAt + 1, i, L, HyphenCodePage);
            if (!p.empty()) {
                AddWrappedLine(chars(lineStart, breakAt) + p + u"-");
                FTags.SplitLastLine(breakAt - lineStart + 1 + static_cast<Integer>(p.size()), true);
                breakAt += static_cast<Integer>(p.size());
            } else {
                AddWrappedLine(chars(lineStart, breakAt - 1));
                FTags.SplitLastLine(breakAt - lineStart + 1, false);
            }
        } else {
            AddWrappedLine(chars(lineStart, breakAt - 1));
            FTags.SplitLastLine(breakAt - lineStart + 1, false);
        }
        consumed = A(breakAt);
        lineStart = breakAt + 1;
        breakAt = lineStart;
        limit = fullWidth;
        i = lineStart;
    }
    if (lineStart <= L) AddWrappedLine(chars(lineStart, L));
}

void TvrDrawText::ApplyPartBreaks(bool firstParaBreak, bool lastParaBreak) {
    const Integer n = WrappedLines.Count();
    if (n == 0) return;
    if (firstParaBreak) WrappedLines.SetObjects(0, WrappedLines.Objects(0) & ~std::intptr_t(1));
    if (lastParaBreak) WrappedLines.SetObjects(n - 1, WrappedLines.Objects(n - 1) & ~std::intptr_t(2));
}

Extended TvrDrawText::LineHeight() const {
    return -MeasureCanvas().Font()->Height() / 6.25L + LineSpacing;
}

Extended TvrDrawText::LayoutHeight() const {
    const Integer n = WrappedLines.Count();
    if (n == 0) return 0;
    Extended height = n * LineHeight();
    if (LineSpacing < 0) height -= LineSpacing;
    return height;
}

Extended TvrDrawText::LayoutWidth() {
    const Integer n = WrappedLines.Count();
    if (n == 0) return 0;
    TCanvasLock lock(MeasureCanvas());
    TCanvas& canvas = MeasureCanvas();
    TFont& font = *canvas.Font();
    const TFontStyles style = font.Style();
    std::vector<int> extents;
    auto width = [&](const WideString& piece) {
        if (piece.empty()) return 0;
        FTags.Measurer()->RunningExtents(canvas, piece, extents);
        return extents.empty() ? 0 : extents.back();
    };
    Integer widest = 0;
    for (Integer k = 0; k < n; ++k) {
        const WideString line = WrappedLines.Strings(k);
        Integer extent = 0;
        TvrHTMLTags* tags = k < FTags.ItemCount() ? FTags.GetItem(k) : nullptr;
        if (FTags.TagsAllowed && tags && tags->ItemCount() > 0) {
            font.SetStyle(tags->GetItem(0)->StyleSet);
            size_t runStart = 0;
            const size_t records = static_cast<size_t>(tags->ItemCount());
            for (size_t j = 1; j < line.size() && j < records; ++j) {
                TvrHTMLTag* tag = tags->GetItem(static_cast<Integer>(j));
                if (tag->SameFormat) continue;
                extent += width(line.substr(runStart, j - runStart));
                tag->SameFormat = true;
                font.SetStyle(tag->StyleSet);
                runStart = j;
            }
            extent += width(line.substr(runStart));
            font.SetStyle(style);
        } else {
            extent = width(line);
        }
        extent += static_cast<Integer>(Round(static_cast<Extended>(line.size()) * CharSpacing * 6.25L));
        if (WrappedLines.Objects(k) & 1) extent += static_cast<Integer>(Round(ParagraphGap * 6.25L));
        widest = std::max(widest, extent);
    }
    return widest / 6.25L;
}

WideString TvrDrawText::StripTags(const WideString& text) {
    WideString result = text;
    FTags.ExpandTags(result);
    return result;
}
