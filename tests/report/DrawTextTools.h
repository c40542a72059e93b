// Test tools of the text layout: a measurer of fixed advances (100 layout units a Latin
// character, 200 a Chinese one) and a canvas that records every text output with its advances.
#pragma once

#include "gui/Graphics.h"
#include "report/vrHTMLTags.h"

#include <vector>

class TFixedMeasurer : public TvrTextMeasurer {
public:
    void RunningExtents(TCanvas&, const WideString& text, std::vector<int>& extents) override {
        extents.resize(text.size());
        int x = 0;
        for (size_t k = 0; k < text.size(); ++k) {
            // The low unit of a surrogate pair adds nothing: the pair is one character.
            if (text[k] < 0xDC00 || text[k] > 0xDFFF) x += text[k] >= 0x2E80 ? 200 : 100;
            extents[k] = x;
        }
        ++Calls;
    }
    int Calls = 0;
};

struct TTextOutRecord {
    int X = 0, Y = 0;
    WideString Text;
    std::vector<int> Dx; // empty when the device's own advances were used
    Cardinal Options = 0;
    TRect Clip;
    int FontHeight = 0;
    TFontStyles Style;
    TColor Color = clBlack;
    int Orientation = 0;
    int Width() const {
        int w = 0;
        for (int d : Dx)
            w += d;
        return w;
    }
};

// A surface-less canvas that keeps its text outputs; its resolution and technology are chosen
// (a 600-dpi printer, a 96-dpi screen).
class TRecordingCanvas : public TCanvas {
public:
    explicit TRecordingCanvas(int dpi = 96, bool printer = false) : FDpi(dpi), FPrinter(printer) {}
    std::vector<TTextOutRecord> Records;

protected:
    void DevTextOut(int x, int y, Cardinal options, const TRect* rect, const WideString& text, const int* dx,
                    bool, TColor) override {
        TTextOutRecord r;
        r.X = x;
        r.Y = y;
        r.Text = text;
        if (dx) r.Dx.assign(dx, dx + text.size());
        r.Options = options;
        if (rect) r.Clip = *rect;
        r.FontHeight = Font()->Height();
        r.Style = Font()->Style();
        r.Color = Font()->Color();
        r.Orientation = Font()->Orientation();
        Records.push_back(r);
    }
    int DevCaps(int index) override {
        switch (index) {
        case TECHNOLOGY:
            return FPrinter ? DT_RASPRINTER : DT_RASDISPLAY;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return FDpi;
        default:
            return TCanvas::DevCaps(index);
        }
    }

private:
    int FDpi;
    bool FPrinter;
};
