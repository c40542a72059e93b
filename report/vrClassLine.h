// The line object: straight lines drawn as a frame side, diagonals, and arrow heads.
#pragma once

#include "report/vrClassMemo.h"

class TvrCustomLineView : public TvrStretcheable {
    ORV_META(TvrCustomLineView, TvrStretcheable)
    explicit TvrCustomLineView(TComponent* AOwner);

    bool Diagonal = false, ArrowEnd = false, ArrowSolid = false, ArrowStart = false;
    Integer ArrowLength = 20, ArrowWidth = 5;

    void Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
              Extended AOffsetY) override;
    String GetDescription() const override { return "obLine"; }

private:
    void DrawDiagonal();
    void DrawArrows();
    // The head with its tip at (x2, y2) on the line from (x1, y1).
    void DrawArrow(Extended x1, Extended y1, Extended x2, Extended y2);
};

class TvrLineView : public TvrCustomLineView {
    ORV_META(TvrLineView, TvrCustomLineView)
    explicit TvrLineView(TComponent* AOwner) : TvrCustomLineView(AOwner) {}
};
