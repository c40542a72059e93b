// Images in the data grid: the columns' image lists (key images in place of the text, or an image
// beside it) and the grid's title images. The grid follows each list: a change repaints it and a
// freed list is let go.
#include "grid/DBGridGx.h"
#include "grid/DBGridGxText.h"

#include <algorithm>

// ---- the column's images ------------------------------------------------------------------------

void TColumnGx::SetImageList(TCustomImageList* Value) {
    if (Value == FImageList) return;
    TCustomDBGridGx* g = Grid();
    FollowImageList(FImageList, Value, FImageLink, [this] {
        if (TCustomDBGridGx* grid = Grid()) grid->InvalidateWholeGrid();
    });
    if (Value && g) Value->FreeNotification(g);
}

void TColumnGx::SetShowImageAndText(bool Value) {
    if (Value == FShowImageAndText) return;
    FShowImageAndText = Value;
    Changed(false);
}

// ---- the grid's title images --------------------------------------------------------------------

void TCustomDBGridGx::SetTitleImages(TCustomImageList* Value) {
    if (Value == FTitleImages) return;
    FollowImageList(FTitleImages, Value, FTitleImageLink, [this] { InvalidateWholeGrid(); });
    if (Value) Value->FreeNotification(this);
    RequestLayout();
}

// ---- painting -----------------------------------------------------------------------------------

TRect TCustomDBGridGx::PaintImageBesideText(TColumnGx* Column, const TRect& Rect, int ImageIndex) {
    TCanvas* c = Canvas();
    TCustomImageList* images = Column->ImageList();
    TRect area = Rect;
    area.Right = std::min(Rect.Right, Rect.Left + images->Width() + 4);
    const TColor back = c->Brush()->Color();
    c->Brush()->SetColor(Column->Color());
    c->FillRect(area);
    DrawImageClipped(images, nullptr, c, taCenter, 0, ImageIndex, area);
    c->Brush()->SetColor(back);
    TRect rest = Rect;
    rest.Left = area.Right;
    return rest;
}
