// The small buttons the grid's cells and edits show at their right edge (drop-down arrow,
// ellipsis, up-down pair, plus, minus) and the check boxes of check-box cells, always drawn
// through one cache of ready-made bitmaps keyed by size and state; the tree glyphs of tree rows;
// the edit-button objects and the button control that shows one of them.
#pragma once

#include "classes/Collection.h"
#include "gui/Buttons.h"
#include "gui/ExtCtrls.h"
#include "gui/Graphics.h"

#include <functional>

class TBitmap;
class TPopupMenu;

enum TEditButtonStyleGx { ebsDropDownGx, ebsEllipsisGx, ebsGlyphGx, ebsUpDownGx, ebsPlusGx, ebsMinusGx };
ORV_ENUM(TEditButtonStyleGx, ebsDropDownGx, ebsEllipsisGx, ebsGlyphGx, ebsUpDownGx, ebsPlusGx, ebsMinusGx)

// Draw styles: 0 drop-down, 1 ellipsis, 2 up-down, 3 check box, 4 plus, 5 minus.
enum : int {
    bdsDropDownGx = 0,
    bdsEllipsisGx = 1,
    bdsUpDownGx = 2,
    bdsCheckBoxGx = 3,
    bdsPlusGx = 4,
    bdsMinusGx = 5
};
// The draw style of a button style; -1 for the glyph button.
int DrawStyleOf(TEditButtonStyleGx Style);

// ---- geometry ------------------------------------------------------------------------------------

// The three dots of an ellipsis face on its (already shrunk) rectangle.
struct TEllipsisDotsGx {
    TRect Dots[3];
};
TEllipsisDotsGx EllipsisDots(const TRect& Face, bool Pressed);
// The bars of a plus or minus face on its (already shrunk) rectangle.
struct TPlusMinusBarsGx {
    TRect Horizontal;
    TRect Vertical; // empty for minus
};
TPlusMinusBarsGx PlusMinusBars(const TRect& Face, bool Plus, bool Flat, bool Pressed);
// The halves of an up-down pair and the line between them (empty when there is none); Framed
// is the flat look without visual styles.
struct TUpDownPartsGx {
    TRect Upper, Lower, Line;
};
TUpDownPartsGx UpDownParts(const TRect& Rect, bool Framed);
enum TCheckLayoutGx { tlTopGx, tlCenterGx, tlBottomGx };
TRect PlaceCheckBox(const TRect& Client, TAlignment Alignment, TCheckLayoutGx Layout);
int CheckBoxWidth();
int CheckBoxHeight();
// With Flat the width x 3 / 2 rounded to the nearest integer (a half to the even neighbour).
int EditButtonHeightFor(int Width, bool Flat);
// The width of flat buttons for a font height: 2/3 of it rounded (ties to even), made odd, at
// most the scroll bar's width.
int FlatButtonWidthFor(int FontHeight, int ScrollBarWidth);
int FlatButtonWidth();

// ---- drawing -------------------------------------------------------------------------------------

// Draws a button, a half pair or a check box through the cache. DownButton: 0 none, 1 the
// button or the upper half, 2 the lower half. BoxState: 0 unchecked, 1 checked, 2 grayed.
void PaintEditButton(TCanvas* Canvas, const TRect& Rect, TColor ParentColor, int DrawStyle, int DownButton,
                     bool Flat, bool Active, bool Enabled, int BoxState);
void PaintButtonFace(TCanvas* Canvas, int DrawStyle, const TRect& Rect, bool Enabled, bool Flat, bool Active,
                     bool Pressed, int Half);
void PaintCheckBox(TCanvas* Canvas, const TRect& Rect, int BoxState, bool Enabled, bool Flat, bool Pressed,
                   bool Active);
// The mark of an empty required field: a dotted red line from Left to Right at Y.
void DrawRequiredLine(TCanvas* Canvas, int Left, int Right, int Y);
// Frees every cached bitmap (when the system colours change).
void FlushButtonBitmaps();
int ButtonBitmapCount();
// The cached bitmap for a key, drawn on first use.
TBitmap* ButtonBitmap(int Width, int Height, int DrawStyle, bool Flat, bool Pressed, bool Active,
                      bool Enabled, int Half, int BoxState);

// Tree glyphs (kinds 0 to 9) and the dotted lines between them.
void PaintTreeGlyph(TCanvas* Canvas, const TRect& Rect, int Kind, int DotPhase, double HorzScale,
                    double VertScale, bool ShiftLeft);
void DrawDottedLine(TCanvas* Canvas, TPoint Start, int Length, bool Horizontal, int DotPhase);

// ---- edit buttons --------------------------------------------------------------------------------

class TEditButtonControlGx;

using TButtonClickEventGx = std::function<void(TObject* Sender, bool& Handled)>;
using TButtonDownEventGx =
    std::function<void(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled)>;

class TEditButtonGx : public TCollectionItem {
    ORV_META(TEditButtonGx, TCollectionItem)
    explicit TEditButtonGx(TCollection* Collection = nullptr);
    TEditButtonGx(TWinControl* EditControl, bool Visible, TShortCut ShortCut);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value); // kept within 1 ... 4
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    TEditButtonStyleGx Style() const { return FStyle; }
    void SetStyle(TEditButtonStyleGx Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    // A menu that pops up under the button instead of the button's own action; not owned.
    TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* Value);
    TWinControl* EditControl() const { return FEditControl; }
    void Assign(const TPersistent* Source) override;

    virtual TEditButtonControlGx* NewEditButtonControl();
    // OnClick when set; Handled stays false without it.
    virtual void ExecuteClick(TObject* Sender, bool& Handled);

    TButtonClickEventGx OnClick;
    TButtonDownEventGx OnDown;
    std::function<void(TEditButtonGx* Sender)> ChangeHook;

protected:
    void ButtonChanged();

private:
    TWinControl* FEditControl = nullptr;
    bool FEnabled = true;
    String FHint;
    int FNumGlyphs = 1;
    TShortCut FShortCut = 0;
    TEditButtonStyleGx FStyle = ebsDropDownGx;
    bool FVisible = false;
    int FWidth = 0;
    TPopupMenu* FDropdownMenu = nullptr;
};

// A button that is visible by default, with the short cut Alt+Down.
class TVisibleEditButtonGx : public TEditButtonGx {
    ORV_META(TVisibleEditButtonGx, TEditButtonGx)
    explicit TVisibleEditButtonGx(TCollection* Collection = nullptr);
};

// The further buttons of an edit (visible buttons with the short cut Alt+Down by default);
// CollectionHook hears of every change.
class TEditButtonsGx : public TCollection {
    ORV_META(TEditButtonsGx, TCollection)
    explicit TEditButtonsGx(TPersistent* Owner = nullptr);
    TEditButtonsGx(TPersistent* Owner, const meta::TClassInfo& ItemClass);
    TEditButtonGx* ButtonAt(int Index) const { return static_cast<TEditButtonGx*>(Items(Index)); }
    TEditButtonGx* AddButton() { return static_cast<TEditButtonGx*>(Add()); }
    std::function<void(TCollectionItem* Item)> CollectionHook;

protected:
    void Update(TCollectionItem* Item) override;
};

// The button control of an edit button: paints itself through PaintEditButton, and repeats its
// down hook while held (after 400 ms, then every 100 ms) for up-down buttons.
class TEditButtonControlGx : public TSpeedButton {
    ORV_META(TEditButtonControlGx, TSpeedButton)
    explicit TEditButtonControlGx(TComponent* AOwner);

    TEditButtonStyleGx Style() const { return FStyle; }
    void SetStyle(TEditButtonStyleGx Value);
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    // 0 none, 1 the whole button or the upper half, 2 the lower half.
    int DownButton() const { return FDownButton; }
    bool Pressed() const { return FPressed; }
    void SetHeldDown(bool Value);
    // The repeat timer's interval (0 while it stands still) and one tick of it.
    Cardinal RepeatInterval() const;
    void RepeatTick();

    TButtonDownEventGx DownHook;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

public:
    void Click() override;

private:
    void UpdateDownButton(int Y);
    TEditButtonStyleGx FStyle = ebsDropDownGx;
    bool FActive = false;
    int FDownButton = 0;
    bool FPressed = false;
    bool FHeldDown = false;
    bool FSuppressClick = false;
    TTimer* FRepeatTimer = nullptr;
};

class TSpeedButtonGx : public TEditButtonControlGx {
    ORV_META(TSpeedButtonGx, TEditButtonControlGx)
    explicit TSpeedButtonGx(TComponent* AOwner) : TEditButtonControlGx(AOwner) {}
};
