// Measuring a line with its formats: one running-extent call per format change, per-unit
// advances with spacing, reduced characters divided by 1.5.
#include "report/vrHTMLTags.h"

#include "report/vrUnicodeUtils.h"
#include "rtl/MathUtils.h"

#include <algorithm>

void TvrCanvasMeasurer::RunningExtents(TCanvas& canvas, const WideString& text, std::vector<int>& extents) {
    canvas.TextExtentEx(text, extents);
}

TvrTextMeasurer& DefaultTextMeasurer() {
    static TvrCanvasMeasurer measurer;
    return measurer;
}

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

TvrTextUnits MakeTextUnits(const WideString& line, TFontCharset charset, bool useDefaultCharset) {
    TvrTextUnits units;
    if (charset == DEFAULT_CHARSET || useDefaultCharset) {
        units.Text = line;
    } else {
        units.Text = AnsiToWideByCharset(WideToAnsiByCharset(line, charset, 0), charset, 0);
        if (units.Text.size() != line.size()) {
            // Characters of more than one unit (surrogate pairs) went through one by one.
            units.Text.clear();
            for (size_t k = 0; k < line.size(); ++k) {
                const size_t n = IsHighSurrogate(line[k]) && k + 1 < line.size() ? 2 : 1;
                const WideString back =
                    AnsiToWideByCharset(WideToAnsiByCharset(line.substr(k, n), charset, 0), charset, 0);
                for (char16_t c : back) {
                    units.Text += c;
                    units.Record.push_back(static_cast<Integer>(k));
                }
                k += n - 1;
            }
            return units;
        }
    }
    units.Record.resize(units.Text.size());
    for (size_t k = 0; k < units.Record.size(); ++k)
        units.Record[k] = static_cast<Integer>(k);
    return units;
}

void TvrHTMLTagsList::MeasureFrom(TCanvas& canvas, const WideString& text, size_t from) {
    if (from == 0) {
        FMeasurer->RunningExtents(canvas, text, FExtents);
        FExtents.resize(text.size());
        return;
    }
    FMeasurer->RunningExtents(canvas, text.substr(from), FPiece);
    const int before = FExtents[from - 1];
    for (size_t k = from; k < text.size(); ++k)
        FExtents[k] = before + (k - from < FPiece.size() ? FPiece[k - from] : 0);
}

Integer TvrHTMLTagsList::MeasureChars(std::vector<int>& advances, const WideString& text, TCanvas& canvas,
                                      Integer lineIndex, Integer spacing, bool running,
                                      bool useDefaultCharset) {
    const TvrTextUnits units = MakeTextUnits(text, canvas.Font()->Charset(), useDefaultCharset);
    const size_t n = units.Text.size();
    if (advances.size() < n) advances.resize(n);
    if (n == 0) return 0;
    const TvrHTMLTags* line = lineIndex >= 0 && lineIndex < ItemCount() && GetItem(lineIndex)->ItemCount() > 0
                                  ? GetItem(lineIndex)
                                  : nullptr;
    auto record = [&](size_t k) -> const TvrHTMLTag* {
        if (!line) return nullptr;
        const Integer r = std::min(units.Record[k], line->ItemCount() - 1);
        return line->GetItem(r);
    };
    if (const TvrHTMLTag* first = record(0); first && !first->SameFormat)
        canvas.Font()->SetStyle(first->StyleSet);
    MeasureFrom(canvas, units.Text, 0);
    Integer total = 0;
    for (size_t k = 0; k < n; ++k) {
        const TvrHTMLTag* tag = record(k);
        if (k > 0 && tag && !tag->SameFormat) {
            canvas.Font()->SetStyle(tag->StyleSet);
            MeasureFrom(canvas, units.Text, k);
        }
        int advance = FExtents[k] - (k > 0 ? FExtents[k - 1] : 0) + spacing;
        if (tag && tag->Reduced) advance = static_cast<int>(Round(advance / 1.5L));
        total += advance;
        advances[k] = running && k > 0 ? advance + advances[k - 1] : advance;
    }
    return total;
}
