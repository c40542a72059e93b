// The line object: a straight line is a frame side of a view without width or height, a diagonal
// a thick line corner to corner; arrow heads at either end.
#include "report/vrClassLine.h"

#include "classes/MetaBuilder.h"
#include "report/vrClassLineMeta.h"

#include <cmath>

ORV_META_IMPL(TvrCustomLineView)
void TvrCustomLineView::DeclareMeta(meta::Class<TvrCustomLineView>& c) {
    c.Property("TagStr", &TvrCustomLineView::TagStr, &TvrCustomLineView::TagStr);
}

ORV_META_IMPL(TvrLineView)
void TvrLineView::DeclareMeta(meta::Class<TvrLineView>& c) {
    using T = TvrLineView;
    vrDeclareLineArrowProperties(c);
    c.Property("Frame", &T::Frame, &T::SetFrame);
}

TvrCustomLineView::TvrCustomLineView(TComponent* AOwner) : TvrStretcheable(AOwner) {
    Flags.Exclude(ofAttributeDiff);
}

void TvrCustomLineView::Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                             Extended AOffsetY) {
    if (!Diagonal) {
        if (Width() <= Height()) {
            SetWidth(0);
            Frame()->Typ = TvrFrameTypes{ftLeft};
        } else {
            SetHeight(0);
            Frame()->Typ = TvrFrameTypes{ftTop};
        }
    }
    BeginDraw(ACanvas, AScaleX, AScaleY, AOffsetX, AOffsetY);
    if (Diagonal) {
        DrawDiagonal();
        return;
    }
    DrawFrame();
    DrawArrows();
}

void TvrCustomLineView::DrawDiagonal() {
    const TvrFrame& f = *Frame();
    if (f.Color() == clTransparent || !vrDiffers(f.Width(), 0)) return;
    Canvas->Brush()->SetStyle(Color == clTransparent ? bsClear : bsSolid);
    if (Color != clTransparent) Canvas->Brush()->SetColor(Color);
    TPen* pen = Canvas->Pen();
    pen->SetColor(f.Color());
    pen->SetWidth(1);
    pen->SetStyle(vrFramePenStyle(f.Style()));
    DrawThickLine(Canvas, X, Y, X1, Y1, FramePixels);
    pen->SetStyle(psSolid);
    DrawArrows();
}

void TvrCustomLineView::DrawArrows() {
    if (ArrowStart) DrawArrow(X1, Y1, X, Y);
    if (ArrowEnd) DrawArrow(X, Y, X1, Y1);
}

void TvrCustomLineView::DrawArrow(Extended x1, Extended y1, Extended x2, Extended y2) {
    const Extended w = ScaleX * ArrowWidth, l = ScaleX * ArrowLength;
    Extended bx, by, c1x, c1y, c2x, c2y;
    if (std::fabs(x2 - x1) > 8) {
        // The point of the line at distance l from the tip, towards the other end.
        const Extended len = std::hypot(x2 - x1, y2 - y1);
        const Extended ux = (x2 - x1) / len, uy = (y2 - y1) / len;
        bx = x2 - l * ux;
        by = y2 - l * uy;
        // Perpendicular corners at distance w.
        c1x = bx + w * uy;
        c1y = by - w * ux;
        c2x = bx - w * uy;
        c2y = by + w * ux;
    } else {
        bx = x2;
        by = y2 - l;
        if (by < std::min(y1, y2) || by > std::max(y1, y2)) by = y2 + l;
        c1x = x2 - w;
        c1y = by;
        c2x = x2 + w;
        c2y = by;
    }
    auto pt = [](Extended x, Extended y) {
        return TPoint{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
    };
    TPen* pen = Canvas->Pen();
    pen->SetColor(Frame()->Color());
    pen->SetStyle(psSolid);
    if (ArrowSolid) {
        pen->SetWidth(1);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Frame()->Color());
        Canvas->Polygon({pt(x2, y2), pt(c1x, c1y), pt(c2x, c2y)});
    } else {
        pen->SetWidth(static_cast<int>(std::lround(Frame()->Width() * ScaleX)));
        Canvas->Polyline({pt(c1x, c1y), pt(x2, y2), pt(c2x, c2y)});
    }
    pen->SetWidth(1);
}
