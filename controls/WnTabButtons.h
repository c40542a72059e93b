// The three small controls a tab strip makes for itself: the scroller shown when one row of tabs
// overflows, the close button and the menu button listing the tabs.
#pragma once

#include "controls/WnTabs.h"

class TPopupMenu;

// What the three have in common: the frame colour and the face of a button half.
class TWnTabStripButton : public TCustomControl {
    ORV_META(TWnTabStripButton, TCustomControl)
    explicit TWnTabStripButton(TWnCustomTabControl* AOwner);
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value);

protected:
    // A button face over r: a gradient from the strip's unselected to its shadow colour (reversed
    // while pressed) in a frame, or a plain fill without gradients.
    void DrawButtonFace(TCanvas* C, const TRect& r, bool Pressed);
    TWnCustomTabControl* FTabControl;
    TColor FFrameColor = clBtnShadow;
};

class TWnTabScroller : public TWnTabStripButton {
    ORV_META(TWnTabScroller, TWnTabStripButton)
    explicit TWnTabScroller(TWnCustomTabControl* AOwner);
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation Value);
    TTimer* RepeatTimer() const { return FTimer; }
    TNotifyEvent OnUpRightClick;
    TNotifyEvent OnDownLeftClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    enum THalf { hNone, hUpRight, hDownLeft };
    THalf HalfAt(int X, int Y) const;
    void Fire(THalf Half);
    void Tick();
    TOrientation FOrientation = orHorizontal;
    THalf FPressed = hNone;
    bool FInside = false;
    TTimer* FTimer = nullptr;
};

class TWnTabCloseButton : public TWnTabStripButton {
    ORV_META(TWnTabCloseButton, TWnTabStripButton)
    explicit TWnTabCloseButton(TWnCustomTabControl* AOwner);
    TNotifyEvent OnClose;
    bool Pressed() const { return FPressed && FInside; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool FPressed = false;
    bool FInside = false;
};

class TWnTabMenuButton : public TWnTabStripButton {
    ORV_META(TWnTabMenuButton, TWnTabStripButton)
    explicit TWnTabMenuButton(TWnCustomTabControl* AOwner);
    TPopupMenu* Menu() const { return FMenu; }
    // Rebuilds the menu from the visible tabs and shows it at the button's corner.
    void Click() override;
    TNotifyEvent OnDisplayMenu;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TPopupMenu* FMenu;
};
