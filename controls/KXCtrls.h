// TKxSpeedButton: a push button without a window of its own, with a glyph of up to five state
// images cut from one bitmap, a caption that wraps or is shortened with "...", radio-style
// groups, a flat look that lights up under the mouse, an auto-repeat timer and a drop-down menu.
// It is the base of the combo edit's button and of the calculator keys.
//
// TKxButtonGlyph cuts the glyph bitmap into state images, lays out glyph and caption and draws
// them; the images live in glyph lists shared by every button through one cache per image size.
#pragma once

#include "gui/Bitmap.h"
#include "gui/Buttons.h"
#include "gui/Controls.h"

#include <functional>
#include <memory>
#include <vector>

class TTimer;
class TPopupMenu;

// The states of a button and the image index of each.
enum TKxButtonState { rbsUp, rbsDisabled, rbsDown, rbsExclusive, rbsInactive };
ORV_ENUM(TKxButtonState, rbsUp, rbsDisabled, rbsDown, rbsExclusive, rbsInactive)
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
ORV_ENUM(TButtonStyle, bsAutoDetect, bsWin31, bsNew)
enum TKxDropDownMenuPos { dmpBottom, dmpRight };
ORV_ENUM(TKxDropDownMenuPos, dmpBottom, dmpRight)
// 1 to 5 images in a glyph.
using TKxNumGlyphs = int;

// The grey of a glyph pixel in the inactive look: the transparent colour and the button face stay,
// any other colour becomes the grey of luminance (77 R + 150 G + 29 B) div 256.
TColor GrayColor(TColor Color, TColor TransparentColor);

// A store of images of one size with a map of free slots.
class TGlyphList {
public:
    TGlyphList(int Width, int Height) : FWidth(Width), FHeight(Height) {}
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Stores the image in the first free slot (MaskColor is left out when drawn); its index.
    int Add(const TBitmap& Image, TColor MaskColor);
    void Delete(int Index);
    // Images in use.
    int Count() const { return FCount; }
    void Draw(TCanvas* Canvas, int X, int Y, int Index) const;
    const TBitmap* Image(int Index) const;

private:
    int AllocateIndex();
    int FWidth, FHeight;
    struct TSlot {
        std::unique_ptr<TBitmap> Image;
        TColor Mask = clNone;
    };
    std::vector<TSlot> FImages;
    std::vector<bool> FUsed;
    int FCount = 0;
};

// The process-wide set of glyph lists, one per image size.
class TGlyphCache {
public:
    // The list of that size (searched from the most recent), created when there is none.
    TGlyphList* GetList(int Width, int Height);
    // A list handed back with no image left is removed and freed.
    void ReturnList(TGlyphList* List);
    bool Empty() const { return FLists.empty(); }
    int ListCount() const { return static_cast<int>(FLists.size()); }

private:
    std::vector<std::unique_ptr<TGlyphList>> FLists;
};
// The cache shared by the glyph objects (nullptr while no glyph object exists).
TGlyphCache* KxGlyphCache();

class TKxButtonGlyph {
public:
    TKxButtonGlyph();
    ~TKxButtonGlyph();
    TKxButtonGlyph(const TKxButtonGlyph&) = delete;
    TKxButtonGlyph& operator=(const TKxButtonGlyph&) = delete;

    TBitmap* Glyph() const { return FOriginal.get(); }
    // Copies the bitmap (nullptr empties it) and takes it as the new source.
    void SetGlyph(const TBitmap* Value);
    TKxNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TKxNumGlyphs Value);
    TColor TransparentColor() const { return FTransparentColor; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    // The source changed: images released, transparent colour and glyph count taken from it.
    void SourceChanged();
    // Releases the built images.
    void Invalidate();
    // The image index of the state in the glyph list (built once); -1 without an image.
    int CreateButtonGlyph(TKxButtonState State);
    TGlyphList* GlyphList() const { return FGlyphList; }
    // The size of one glyph cell (0, 0 without a glyph).
    TSize GlyphSize() const;

    // Places glyph and caption in Client (ArrangeGlyphAndText): GlyphPos and TextBounds receive
    // the results (TextBounds already holds the caption to draw in Text).
    void CalcButtonLayout(TCanvas* Canvas, const TRect& Client, const String& Caption, TButtonLayout Layout,
                          int Margin, int Spacing, bool PopupMark, TPoint& GlyphPos, TRect& TextBounds,
                          String& Text, bool RightToLeft = false);
    // Draws glyph, caption and popup mark for the state; returns the caption's rectangle.
    TRect Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
               TButtonLayout Layout, int Margin, int Spacing, bool PopupMark, TKxButtonState State);

    TNotifyEvent OnChange;

private:
    void DrawPopupMark(TCanvas* Canvas, int X, int Y, TKxButtonState State);
    std::unique_ptr<TBitmap> FOriginal;
    TGlyphList* FGlyphList = nullptr;
    int FIndexs[5] = {-1, -1, -1, -1, -1};
    TColor FTransparentColor = clFuchsia;
    TKxNumGlyphs FNumGlyphs = 1;
    bool FWordWrap = false;
    TAlignment FAlignment = taCenter;
};

// Waits the pause of PressButtonBriefly (20 ms by default); a test replaces it to keep time out.
void SetKxPressPause(std::function<void(int Milliseconds)> Pause);

class TKxSpeedButton : public TGraphicControl {
    ORV_META(TKxSpeedButton, TGraphicControl)
    explicit TKxSpeedButton(TComponent* AOwner);
    ~TKxSpeedButton() override;

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    bool AllowTimer() const { return FAllowTimer; }
    void SetAllowTimer(bool v);
    TAlignment Alignment() const { return FGlyph->Alignment(); }
    void SetAlignment(TAlignment v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool FlatStandard() const { return FFlatStandard; }
    void SetFlatStandard(bool v);
    TBitmap* Glyph() const { return FGlyph->Glyph(); }
    void SetGlyph(TBitmap* v);
    bool GrayedInactive() const { return FGrayedInactive; }
    void SetGrayedInactive(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    int InitPause() const { return FInitPause; }
    void SetInitPause(int v) { FInitPause = static_cast<Word>(v); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    bool MarkDropDown() const { return FMarkDropDown; }
    void SetMarkDropDown(bool v);
    TKxDropDownMenuPos MenuPosition() const { return FMenuPosition; }
    void SetMenuPosition(TKxDropDownMenuPos v) { FMenuPosition = v; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    TKxNumGlyphs NumGlyphs() const { return FGlyph->NumGlyphs(); }
    void SetNumGlyphs(TKxNumGlyphs v);
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int v) { FRepeatInterval = static_cast<Word>(v); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool WordWrap() const { return FGlyph->WordWrap(); }
    void SetWordWrap(bool v);

    TKxButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    TKxButtonGlyph* ButtonGlyph() const { return FGlyph.get(); }
    // The repeat timer while it exists (AllowTimer and a press).
    TTimer* RepeatTimer() const { return FRepeatTimer; }
    // The drop-down menu's position in client coordinates.
    TPoint DropDownPosition() const;

    // Sets the parent form's modal result to ModalResult and fires OnClick.
    void Click() override;
    // Another button of the group went down (a member of group GroupIndex): this one rises.
    void ButtonPressed(int Group, TKxSpeedButton* Sender);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void EnabledChanged() override;
    void SetTextValue(const String& v) override;
    // Draws glyph, caption and drop-down mark for the state.
    virtual void DrawContent(TCanvas* Canvas, const TRect& Rect, bool PopupMark, TKxButtonState State);
    // The release of a press (also simulated after the drop-down menu returns).
    void FinishPress(TMouseButton Button, int X, int Y);
    // Whether the mouse is inside (enabled, under the cursor); fires the enter and leave events.
    void CheckMouseInside();
    TKxButtonState FState = rbsUp;
    bool FDragging = false;

private:
    friend void PressButtonBriefly(TKxSpeedButton* Button);
    void UpdateExclusive();
    void GlyphChanged(TObject*);
    bool PopDropDownMenu();
    void TimerExpired(TObject*);
    void DrawFrame(TCanvas* Canvas, TRect& R, bool Down);
    void SetMouseInside(bool v);

    int FGroupIndex = 0;
    TButtonStyle FStyle = bsAutoDetect;
    std::unique_ptr<TKxButtonGlyph> FGlyph;
    std::unique_ptr<TBitmap> FDrawImage;
    bool FDown = false;
    bool FFlat = false;
    bool FMouseInControl = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphTop;
    int FSpacing = 1;
    int FMargin = -1;
    TModalResult FModalResult = mrNone;
    bool FTransparent = false;
    bool FMarkDropDown = true;
    TPopupMenu* FDropDownMenu = nullptr;
    TKxDropDownMenuPos FMenuPosition = dmpBottom;
    bool FGrayedInactive = true;
    bool FMenuTracking = false;
    TTimer* FRepeatTimer = nullptr;
    bool FAllowTimer = false;
    Word FInitPause = 500;
    Word FRepeatInterval = 100;
    bool FFlatStandard = false;
    // The release just handled clicks the button itself: the click the input path adds is dropped.
    bool FSkipInputClick = false;
};

// Shows the button pressed for a moment and clicks it, as a key typed for it does.
void PressButtonBriefly(TKxSpeedButton* Button);
