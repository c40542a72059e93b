// The shape object: rectangle, rounded rectangle, ellipse, triangle, diamond and the two diagonals.
#include "classes/MetaBuilder.h"
#include "report/vrClassDiffText.h"
#include "report/vrClassView.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

#include <algorithm>
#include <cmath>

ORV_META_IMPL(TvrShapeView)
void TvrShapeView::DeclareMeta(meta::Class<TvrShapeView>& c) {
    using T = TvrShapeView;
    c.Property("BrushStyle", &T::BrushStyle, &T::BrushStyle).Default(bsSolid);
    c.Property("Color", &T::Color, &T::Color).TypeName("TColor").Default(clTransparent);
    c.Property("Cursor", &T::Cursor, &T::Cursor).TypeName("TCursor").Default(0);
    c.Property("Curve", &T::Curve, &T::Curve).Default(0);
    c.Property("Frame", &T::Frame, &T::SetFrame);
    c.Property("Shape", &T::Shape, &T::Shape).Default(skRectangle);
    c.Property("TagStr", &T::TagStr, &T::TagStr);
    c.Property("URL", &T::URL, &T::URL);
}

TvrShapeView::TvrShapeView(TComponent* AOwner) : TvrView(AOwner) {
    Flags.Exclude(ofAttributeDiff);
}

void TvrShapeView::DrawShape() {
    TCanvas* c = Canvas;
    switch (Shape) {
    case skRectangle:
        c->Rectangle(X, Y, X1 + 1, Y1 + 1);
        break;
    case skRoundRectangle: {
        const int corner =
            Curve != 0 ? static_cast<int>(std::lround(Curve * ScaleX * 10)) : std::min(DX, DY) / 4;
        c->RoundRect(X, Y, X1 + 1, Y1 + 1, corner, corner);
        break;
    }
    case skEllipse:
        c->Ellipse(X, Y, X1 + 1, Y1 + 1);
        break;
    case skTriangle:
        c->Polygon({TPoint{X1, Y1}, TPoint{X, Y1}, TPoint{X + DX / 2, Y}});
        break;
    case skDiamond:
        c->Polygon(
            {TPoint{X + DX / 2, Y}, TPoint{X1, Y + DY / 2}, TPoint{X + DX / 2, Y1}, TPoint{X, Y + DY / 2}});
        break;
    case skDiagonal1:
        DrawThickLine(c, X, Y1, X1, Y, FramePixels);
        break;
    case skDiagonal2:
        DrawThickLine(c, X, Y, X1, Y1, FramePixels);
        break;
    }
}

void TvrShapeView::Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                        Extended AOffsetY) {
    BeginDraw(ACanvas, AScaleX, AScaleY, AOffsetX, AOffsetY);
    TvrFrame& f = *Frame();
    auto setPen = [&] {
        TPen* pen = Canvas->Pen();
        pen->SetColor(f.Color());
        pen->SetWidth(FramePixels);
        pen->SetStyle(vrFramePenStyle(f.Style()));
        if (f.Color() == clTransparent) pen->SetStyle(psClear);
        Canvas->SetBkMode(OPAQUE);
    };
    auto drawFilled = [&] {
        if (BrushStyle == bsSolid) {
            Canvas->Brush()->SetStyle(Color == clTransparent ? bsClear : bsSolid);
            if (Color != clTransparent) Canvas->Brush()->SetColor(Color);
            DrawShape();
        } else {
            if (Color != clTransparent) {
                Canvas->Brush()->SetStyle(bsSolid);
                Canvas->Brush()->SetColor(Color);
                DrawShape();
            }
            Canvas->Brush()->SetStyle(BrushStyle);
            Canvas->Brush()->SetColor(f.Color());
            Canvas->SetBkMode(TRANSPARENT);
            DrawShape();
        }
    };
    setPen();
    drawFilled();
    if (f.Style() == fsDouble) {
        // The second outline inside the first, on bounds shrunk by the frame width.
        const TvrBounds saved{Left(), Top(), Width(), Height()};
        const Extended w = f.Width();
        switch (Shape) {
        case skTriangle:
            SetBounds(Left() + 4 * w, Top() + 4 * w, Width() - 8 * w, Height() - 6 * w);
            break;
        case skDiamond:
            SetBounds(Left() + 3 * w, Top() + 3 * w, Width() - 6 * w, Height() - 6 * w);
            break;
        case skDiagonal1:
        case skDiagonal2:
            SetLeft(Left() + 2 * w);
            break;
        default:
            SetBounds(Left() + 2 * w, Top() + 2 * w, Width() - 4 * w, Height() - 4 * w);
            break;
        }
        BeginDraw(ACanvas, AScaleX, AScaleY, AOffsetX, AOffsetY);
        setPen();
        drawFilled();
        SetBounds(saved.Left, saved.Top, saved.Width, saved.Height);
        BeginDraw(ACanvas, AScaleX, AScaleY, AOffsetX, AOffsetY);
    }
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
}

String TvrShapeView::Diff(TvrComponent* Template) {
    String s = TvrView::Diff(Template);
    auto* t = dynamic_cast<TvrShapeView*>(Template);
    if (t && Shape != t->Shape) s += vrDiffAttr("Shape", vrDiffEnum(Shape));
    return s;
}
