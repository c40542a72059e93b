// The hot state of a pressed title button: while the user holds a title button down, the button is
// drawn pressed as long as the pointer stays over its caption, and drawn up again when the pointer
// leaves it or the press ends.
#include "grid/DBGridGx.h"

void TCustomDBGridGx::UpdateTitleHot(int X, int Y) {
    bool hot = false;
    if (FPressedTitleCol >= 0 && TitleRowCount() > 0 && X >= 0 && Y >= 0 && X < ClientWidth() &&
        Y < ClientHeight()) {
        const TGridCoord cell = MouseCell(X, Y);
        hot = cell.X == FPressedTitleCol && cell.Y == 0;
        // Over a header of the title tree above the column's own caption the button is not hot.
        const int dataCol = FPressedTitleCol - FIndicatorOffset;
        if (hot && FUseMultiTitle && TitleLeaf(dataCol)) {
            TRect r = CellScreenRect(FPressedTitleCol, 0);
            if (CellIs3D(FPressedTitleCol, 0, TGridDrawState{gdFixed})) InflateRect(r, -1, -1);
            hot = Y >= LeafCaptionRect(r, TitleLeaf(dataCol)).Top;
        }
    }
    if (hot == FTitleHot) return;
    FTitleHot = hot;
    InvalidateOneRow(0);
}

void TCustomDBGridGx::EndTitleTracking() {
    if (FPressedTitleCol < 0) return;
    UpdateTitleHot(-1, -1);
    const int pressed = FPressedTitleCol;
    FPressedTitleCol = -1;
    InvalidateOneCell(pressed, 0);
}
