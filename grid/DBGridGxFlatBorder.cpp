// The one-pixel rim of a grid: a flat grid with a single border shows a sunken edge around its whole
// window, a drop-down grid a raised one. The platform's windows have no frame of their own, so the
// edge is a frameless child window over the grid's rim, cut to that one-pixel ring: scrolling moves
// the grid's pixels underneath without ever carrying the edge along.
#include "grid/DBGridGx.h"
#include "gui/ClassicEdges.h"
#include "gui/PopupWindows.h"

namespace {

class TFlatBorderGx : public TCustomControl {
public:
    explicit TFlatBorderGx(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(false); }
    void SetEdge(unsigned Edge) {
        if (Edge == FEdge) return;
        FEdge = Edge;
        Invalidate();
    }

protected:
    void Paint() override {
        TRect r(0, 0, Width(), Height());
        DrawEdge(Canvas(), r, FEdge, BF_RECT);
    }
    void Resize() override {
        TCustomControl::Resize();
        TRegion ring(TRect(0, 0, Width(), Height()));
        ring.Combine(TRegion(TRect(1, 1, Width() - 1, Height() - 1)), RGN_DIFF);
        SetWindowRegion(this, &ring);
    }

private:
    unsigned FEdge = BDR_SUNKENOUTER;
};

} // namespace

// The platform's controls always have the 3D look, so a flat single-bordered grid has the edge.
unsigned TCustomDBGridGx::RimEdge() const {
    return Flat() && BorderStyle() == bsSingle ? unsigned(BDR_SUNKENOUTER) : 0u;
}

void TCustomDBGridGx::PaintFlatBorder() {
    const unsigned edge = ComponentState().Contains(csDestroying) ? 0 : RimEdge();
    if (edge == 0) {
        if (FFlatBorder) FFlatBorder->SetVisible(false);
        return;
    }
    if (!FFlatBorder) {
        FFlatBorder = new TFlatBorderGx(this);
        FFlatBorder->SetParent(this);
    }
    static_cast<TFlatBorderGx*>(FFlatBorder)->SetEdge(edge);
    FFlatBorder->SetBounds(0, 0, Width(), Height());
    FFlatBorder->SetVisible(true);
    FFlatBorder->BringToFront();
}

void TCustomDBGridGx::FlatChanged() {
    TCustomGridGx::FlatChanged();
    PaintFlatBorder();
}

void TCustomDBGridGx::BorderStyleChanged() {
    TCustomGridGx::BorderStyleChanged();
    PaintFlatBorder();
}
