// Internal to the tab control: the strip's text font selected on a canvas for as long as the scope
// lives, so that measuring and drawing never leave the canvas with another font, also when a step
// raises.
#pragma once

#include "gui/Graphics.h"

#include <vector>

// A tab caption's lines, split at each CR LF pair (an empty caption has none).
std::vector<String> CaptionLines(const String& Caption);

class TWnTabTextFont {
public:
    // The working font, bold or not, turned by Escapement tenths of a degree.
    TWnTabTextFont(TCanvas* Canvas, const TFont& WorkFont, bool Bold, int Escapement) : FCanvas(Canvas) {
        FSaved.Assign(*Canvas->Font());
        TFont f;
        f.Assign(WorkFont);
        TFontStyles style = WorkFont.Style();
        if (Bold)
            style.Include(fsBold);
        else
            style.Exclude(fsBold);
        f.SetStyle(style);
        f.SetOrientation(Escapement);
        Canvas->Font()->Assign(f);
    }
    ~TWnTabTextFont() { FCanvas->Font()->Assign(FSaved); }
    TWnTabTextFont(const TWnTabTextFont&) = delete;
    TWnTabTextFont& operator=(const TWnTabTextFont&) = delete;

private:
    TCanvas* FCanvas;
    TFont FSaved;
};

// The canvas's clip, background and alignment saved for as long as the scope lives.
class TWnSavedDC {
public:
    explicit TWnSavedDC(TCanvas* Canvas) : FCanvas(Canvas), FSaved(Canvas->SaveDC()) {}
    ~TWnSavedDC() { FCanvas->RestoreDC(FSaved); }
    TWnSavedDC(const TWnSavedDC&) = delete;
    TWnSavedDC& operator=(const TWnSavedDC&) = delete;

private:
    TCanvas* FCanvas;
    int FSaved;
};
