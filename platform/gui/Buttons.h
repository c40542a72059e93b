// Buttons with pictures: TBitBtn, a push button with a glyph and the platform's standard kinds
// (OK, Cancel, Yes, No, Close ...), and TSpeedButton, a button without a window of its own that
// can stay down alone or as one of a group. Both place their glyph and caption the same way
// (Layout, Margin, Spacing) and take the glyph's bottom-left pixel colour as transparent.
//
// A glyph holds NumGlyphs images side by side: up, disabled, down, and held down (exclusive). A
// state without its own image shows the up image; the disabled one, when missing, is made from the
// up image (its shape embossed in the button highlight and shadow colours).
#pragma once

#include "gui/StdCtrls.h"

#include <memory>

class TBitmap;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
ORV_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
ORV_ENUM(TButtonState, bsUp, bsDisabled, bsDown, bsExclusive)
enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
ORV_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore,
         bkAll)
// 1 to 4 images in a glyph.
using TNumGlyphs = int;

// Where a button's glyph and caption go inside Client (moved by Offset, the pressed look's shift).
// Glyph left or right: both centred vertically; top or bottom: both centred horizontally. Margin
// is the distance from the edge to the glyph (-1: the pair is centred), Spacing the distance
// between glyph and caption (-1: the free room is shared out evenly); without a caption or a
// glyph there is no spacing. The caption is measured with the canvas's font.
void CalcButtonLayout(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                      TButtonLayout Layout, int Margin, int Spacing, const TSize& GlyphSize, TPoint& GlyphPos,
                      TRect& TextBounds);

// The glyph, its image count and its placement, shared by the picture buttons.
class TButtonGlyphs {
public:
    TButtonGlyphs();
    ~TButtonGlyphs();
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies the bitmap (nullptr empties the glyph).
    void SetGlyph(TBitmap* v);
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs v);
    // Draws glyph and caption into Client for the state.
    void Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
              TButtonLayout Layout, int Margin, int Spacing, TButtonState State);
    // Runs when the glyph or its image count changed.
    TNotifyEvent OnChange;

private:
    void GlyphChanged();
    std::unique_ptr<TBitmap> FGlyph;
    TNumGlyphs FNumGlyphs = 1;
};

// A push button with a glyph. Kind gives it the platform's caption, modal result, default or
// cancel role and glyph for the standard buttons; changing any of those makes it bkCustom again.
class TBitBtn : public TButton {
    ORV_META(TBitBtn, TButton)
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;
    // bkCustom once the caption-independent parts of the kind (default, cancel, modal result,
    // glyph) have been changed.
    TBitBtnKind Kind() const;
    void SetKind(TBitBtnKind v);
    TBitmap* Glyph() const { return FGlyphs.Glyph(); }
    void SetGlyph(TBitmap* v);
    TNumGlyphs NumGlyphs() const { return FGlyphs.NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs v) { FGlyphs.SetNumGlyphs(v); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v);
    // -1 or more.
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    // bkClose closes its form instead of running OnClick; other kinds click as a button does.
    void Click() override;

private:
    friend struct TBitBtnAccess;
    void Paint(void* painter);
    TButtonGlyphs FGlyphs;
    mutable TBitBtnKind FKind = bkCustom;
    bool FModifiedGlyph = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    std::unique_ptr<TCanvas> FCanvas;
};

// A speed button: a button drawn on its parent. With a GroupIndex other than 0 it stays down when
// clicked, and the other speed buttons of its parent with the same GroupIndex come up; with
// AllowAllUp the down button of a group may be clicked up again. Buttons without a group never
// stay down.
class TSpeedButton : public TGraphicControl {
    ORV_META(TSpeedButton, TGraphicControl)
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    // A flat button shows its edge only while down.
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    // A flat, transparent button lets its parent show through.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    TBitmap* Glyph() const { return FGlyphs.Glyph(); }
    void SetGlyph(TBitmap* v);
    TNumGlyphs NumGlyphs() const { return FGlyphs.NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs v) { FGlyphs.SetNumGlyphs(v); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);

protected:
    void Paint() override;
    void SetTextValue(const String& v) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void EnabledChanged() override;

private:
    // The other buttons of the group come up and take this one's AllowAllUp.
    void UpdateExclusive();
    TButtonGlyphs FGlyphs;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FFlat = false;
    bool FTransparent = true;
    bool FDragging = false;
    TButtonState FState = bsUp;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
};
