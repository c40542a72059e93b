// Panels, bevels, splitters, shapes, paint boxes, images, radio groups and timers.
#pragma once

#include "gui/Controls.h"

#include <memory>

class TStrings;
class TRadioButton;
class TPicture;

enum TBevelStyle { bsLowered, bsRaised };
ORV_ENUM(TBevelStyle, bsLowered, bsRaised)
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
ORV_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
ORV_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle)

// The platform's 3D frame of Width lines: top and left in TopColor, bottom and right in
// BottomColor; Rect shrinks by Width on every side.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

// A panel: a container with bevels and a caption drawn in its middle.
class TCustomPanel : public TCustomControl {
    ORV_META(TCustomPanel, TCustomControl)
    explicit TCustomPanel(TComponent* AOwner);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& Rect) const override;

private:
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
    ORV_META(TPanel, TCustomPanel)
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

class TBevel : public TGraphicControl {
    ORV_META(TBevel, TGraphicControl)
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape v);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle v);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

// A bar the user drags to resize the aligned control before it.
class TSplitter : public TGraphicControl {
    ORV_META(TSplitter, TGraphicControl)
    explicit TSplitter(TComponent* AOwner);
    int MinSize() const { return FMinSize; }
    void SetMinSize(int v) { FMinSize = v; }
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TControl* FindControl() const;
    int FMinSize = 30;
    bool FDragging = false;
    TPoint FDownPos;
};

class TShape : public TGraphicControl {
    ORV_META(TShape, TGraphicControl)
    explicit TShape(TComponent* AOwner);
    ~TShape() override;
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType v);
    TPen* Pen() { return &FPen; }
    void SetPen(TPen* v) {
        if (v) FPen.Assign(*v);
    }
    TBrush* Brush() { return &FBrush; }
    void SetBrush(TBrush* v) {
        if (v) FBrush.Assign(*v);
    }

protected:
    void Paint() override;

private:
    TShapeType FShape = stRectangle;
    TPen FPen;
    TBrush FBrush;
};

// A control that only paints through OnPaint.
class TPaintBox : public TGraphicControl {
    ORV_META(TPaintBox, TGraphicControl)
    explicit TPaintBox(TComponent* AOwner);
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

// An image: shows its Picture at the top-left, or centred (Center), stretched to the control
// (Stretch), or scaled keeping its aspect (Proportional: shrunk to fit when larger, and with
// Stretch grown to fit as well). A transparent picture lets the parent show through its
// transparent colour (for a bitmap, its bottom-left pixel's).
class TImage : public TGraphicControl {
    ORV_META(TImage, TGraphicControl)
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    TPicture* Picture() const { return FPicture.get(); }
    // Copies the picture.
    void SetPicture(TPicture* v);
    // The canvas of the picture's bitmap, to draw the picture in code; an empty picture first
    // becomes a bitmap of the control's size. A picture of another kind raises EInvalidOperation
    // "Can only modify an image if it contains a bitmap".
    TCanvas* Canvas();
    // The control takes the picture's size whenever the picture changes.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool Center() const { return FCenter; }
    void SetCenter(bool v);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool v);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();
    std::unique_ptr<TPicture> FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FStretch = false;
    bool FTransparent = false;
    bool FChanging = false;
};

// A group box of radio buttons made from Items, in Columns columns; ItemIndex is the checked one.
class TCustomRadioGroup : public TWinControl {
    ORV_META(TCustomRadioGroup, TWinControl)
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* v);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    // The radio button of an entry.
    TRadioButton* Buttons(int Index) const;

protected:
    void SetTextValue(const String& v) override;
    String GetText() const override;
    void Resize() override;

private:
    void UpdateButtons();
    void ArrangeButtons();
    std::unique_ptr<TStrings> FItems;
    std::vector<TRadioButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
    ORV_META(TRadioGroup, TCustomRadioGroup)
    explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};

// A timer: OnTimer runs every Interval milliseconds while Enabled, from the message loop.
class TTimer : public TComponent {
    ORV_META(TTimer, TComponent)
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal v);
    // Runs every Interval milliseconds while the timer is enabled.
    TNotifyEvent OnTimer;
    // Runs OnTimer now (what the timer does at each tick).
    void Timer();

private:
    void UpdateTimer();
    bool FEnabled = true;
    Cardinal FInterval = 1000;
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};
