// Views: report objects that are drawn, with a fill, a frame of four separately styled sides, a
// drop shadow and a data binding; the highlight record of text objects; and the shape object.
#pragma once

#include "report/vrClassBase.h"

#include <memory>

class TvrFrame;

enum TvrFrameStyle { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble, fsAltDot, fsSquare };
ORV_ENUM(TvrFrameStyle, fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble, fsAltDot, fsSquare)
enum TvrFrameType { ftLeft, ftRight, ftTop, ftBottom };
ORV_ENUM(TvrFrameType, ftLeft, ftRight, ftTop, ftBottom)
using TvrFrameTypes = TSet<TvrFrameType>;
ORV_SET(TvrFrameTypes)
enum TvrShiftMode { smDontShift, smAlways, smWhenOverlapped };
ORV_ENUM(TvrShiftMode, smDontShift, smAlways, smWhenOverlapped)
enum TvrShapeKind {
    skRectangle,
    skRoundRectangle,
    skEllipse,
    skTriangle,
    skDiamond,
    skDiagonal1,
    skDiagonal2
};
ORV_ENUM(TvrShapeKind, skRectangle, skRoundRectangle, skEllipse, skTriangle, skDiamond, skDiagonal1,
         skDiagonal2)

// The frame types as stored in a layout: bits 1 left, 2 right, 4 top, 8 bottom.
Integer vrFrameTypBits(const TvrFrameTypes& Typ);
TvrFrameTypes vrFrameTypFromBits(Integer Bits);

// One side of a frame. Its values are stored only where they differ from the frame's own.
class TvrFrameLine : public TPersistent {
    ORV_META(TvrFrameLine, TPersistent)
    explicit TvrFrameLine(TvrFrame* Frame = nullptr) : FFrame(Frame) {}
    void Assign(const TPersistent* Source) override;

    TColor Color = clBlack;
    TvrFrameStyle Style = fsSolid;
    Extended Width = 1;
    TvrFrame* Frame() const { return FFrame; }

    bool IsColorStored() const;
    bool IsStyleStored() const;
    bool IsWidthStored() const;

private:
    TvrFrame* FFrame;
};

class TvrFrame : public TPersistent {
    ORV_META(TvrFrame, TPersistent)
    TvrFrame();
    void Assign(const TPersistent* Source) override;

    TvrFrameLine* LeftLine() const { return FLines[0].get(); }
    TvrFrameLine* TopLine() const { return FLines[1].get(); }
    TvrFrameLine* RightLine() const { return FLines[2].get(); }
    TvrFrameLine* BottomLine() const { return FLines[3].get(); }
    void SetLeftLine(TvrFrameLine* Value) { LeftLine()->Assign(Value); }
    void SetTopLine(TvrFrameLine* Value) { TopLine()->Assign(Value); }
    void SetRightLine(TvrFrameLine* Value) { RightLine()->Assign(Value); }
    void SetBottomLine(TvrFrameLine* Value) { BottomLine()->Assign(Value); }

    TColor Color() const { return FColor; }
    TvrFrameStyle Style() const { return FStyle; }
    Extended Width() const { return FWidth; }
    // Set the frame's value and the same value on all four sides.
    void SetColor(TColor Value);
    void SetStyle(TvrFrameStyle Value);
    void SetWidth(Extended Value);

    bool DropShadow = false;
    Extended ShadowWidth = 4;
    TColor ShadowColor = clBlack;
    TvrFrameTypes Typ;

    Integer TypBits() const { return vrFrameTypBits(Typ); }
    void SetTypBits(Integer Value) { Typ = vrFrameTypFromBits(Value); }

private:
    std::unique_ptr<TvrFrameLine> FLines[4];
    TColor FColor = clBlack;
    TvrFrameStyle FStyle = fsSolid;
    Extended FWidth = 1;
};

// The conditional look of a text object.
class TvrHighlight : public TPersistent {
    ORV_META(TvrHighlight, TPersistent)
    TvrHighlight();
    // Copies font, colour and condition, not Active.
    void Assign(const TPersistent* Source) override;

    bool Active = false;
    TColor Color = clTransparent;
    String Condition;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) {
        if (Value) FFont->Assign(*Value);
    }

private:
    std::unique_ptr<TFont> FFont;
};

class TvrView : public TvrReportComponent {
    ORV_META(TvrView, TvrReportComponent)
    explicit TvrView(TComponent* AOwner);
    ~TvrView() override;

    TvrBandAlign Align = baNone;
    TBrushStyle BrushStyle = bsSolid;
    TColor Color = clTransparent;
    Integer Cursor = 0;
    String DataField;
    TvrFrame* Frame() const { return FFrame.get(); }
    void SetFrame(TvrFrame* Value) { FFrame->Assign(Value); }
    bool Printable = true;
    TvrShiftMode ShiftMode = smAlways;
    String TagStr, URL;
    String Hint;
    bool ShowHint = false;

    TvrDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TvrDataSet* Value);
    String DataSetName() const;
    void SetDataSetName(const String& Value);
    bool IsDataField() const { return FDataSet && !DataField.empty(); }
    bool IsFontStored() const { return !ParentFont(); }

    // The pixel rectangle of the last BeginDraw.
    int X = 0, Y = 0, X1 = 0, Y1 = 0, DX = 0, DY = 0, FramePixels = 0;
    Extended ScaleX = 1, ScaleY = 1, OffsetX = 0, OffsetY = 0;
    TCanvas* Canvas = nullptr;

    virtual void BeginDraw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                           Extended AOffsetY);
    virtual void DrawBackground();
    virtual void DrawFrame();
    void Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
              Extended AOffsetY) override;
    void BeforePrint() override;
    void GetData() override;
    void AfterPrint() override;
    String Diff(TvrComponent* Template) override;

    bool TakesPartInAlignment() const override { return true; }
    TvrBandAlign AlignKind() const override { return Align; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Replaces each bracketed expression of Text by its value as text.
    String ExpandBrackets(const String& Text);

private:
    std::unique_ptr<TvrFrame> FFrame;
    TvrDataSet* FDataSet = nullptr;
    String FDataSetName;
    String FSavedTagStr, FSavedURL;
};

// The pen style of a dashed frame style; solid for the others.
TPenStyle vrFramePenStyle(TvrFrameStyle Style);
// A data-set property of a report object: the setter of the reference copies the user name, the
// setter of the name resolves it with FindDataSet; either asks to hear when the data set is freed.
void vrBindDataSet(TvrComponent* Obj, TvrDataSet*& DataSet, String& Name, TvrDataSet* Value);
void vrBindDataSetName(TvrComponent* Obj, TvrDataSet*& DataSet, String& Name, const String& Value);

// Draws Width parallel one-pixel lines with the canvas's pen, offset across the main direction by
// -(Width div 2) up to (Width - 1) - (Width div 2); a width of 0 draws one line.
void DrawThickLine(TCanvas* Canvas, int X1, int Y1, int X2, int Y2, int Width);

class TvrShapeView : public TvrView {
    ORV_META(TvrShapeView, TvrView)
    explicit TvrShapeView(TComponent* AOwner);

    Integer Curve = 0;
    TvrShapeKind Shape = skRectangle;

    void Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
              Extended AOffsetY) override;
    String Diff(TvrComponent* Template) override;

private:
    void DrawShape();
};
