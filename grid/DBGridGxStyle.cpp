#include "grid/DBGridGxStyle.h"

#include "classes/MetaBuilder.h"
#include "grid/DBGridGx.h"
#include "gui/Forms.h"
#include "gui/ScreenColors.h"

#include <algorithm>
#include <cmath>

ORV_META_IMPL(TDBGridGxStyle)
void TDBGridGxStyle::DeclareMeta(meta::Class<TDBGridGxStyle>&) {}

TDBGridGxStyle::TDBGridGxStyle() { RefreshScreenColors(); }

void TDBGridGxStyle::RefreshScreenColors() { FScreenColorCount = ::ScreenColorCount(); }

TColor TDBGridGxStyle::TintTowards(TColor C, TColor Glass, bool Ungray) {
    TColorRef c = ColorToRGB(C), g = ColorToRGB(Glass);
    auto channel = [&](int shift) {
        double v = (c >> shift) & 0xFF, gv = (g >> shift) & 0xFF;
        v = v + (gv - v) * 0.5;
        v = v + (225 - v) * 0.6;
        if (Ungray) v = v - (122 - v) * 0.25;
        return std::clamp(static_cast<int>(std::nearbyint(v)), 0, 255);
    };
    return static_cast<TColor>(RGB(channel(0), channel(8), channel(16)));
}

TColor TDBGridGxStyle::SelectionColor(TColor Background, bool Focused) const {
    if (Focused) return LightenSelection && FScreenColorCount == -1 ? TintTowards(Background, clHighlight, true)
                                                                     : clHighlight;
    return FScreenColorCount == -1 ? TintTowards(Background, clBtnShadow, false) : clBtnFace;
}

bool TDBGridGxStyle::GetDataCellColors(TCustomDBGridGx* Grid, int ACol, int ARow, int DataCol, int DataRow,
                                       TGridDrawState& State, bool InSelection, TColor& Background, TFont* Font) {
    (void)DataCol, (void)DataRow;
    bool focusHighlight = false;
    if (!Grid->DataCellHighlighted(ACol, ARow, State, InSelection, focusHighlight)) return false;
    const TGridCoord cur = Grid->CurrentCell();
    const bool rowSelect = Grid->Options() & dgRowSelect;
    const bool currentRow = ARow == cur.Y;
    const bool currentCell = currentRow && (ACol == cur.X || rowSelect);
    if (Grid->Focused()) {
        if (LightenSelection && FScreenColorCount == -1 && !currentCell) {
            Background = ScreenNearestColor(TintTowards(Background, clHighlight, true));
        } else {
            Background = clHighlight;
            Font->SetColor(clHighlightText);
        }
    } else if (currentCell && ((Grid->Options() & dgAlwaysShowSelection) || focusHighlight)) {
        Background = clBtnShadow;
        Font->SetColor(clHighlightText);
    } else {
        Background = FScreenColorCount == -1 ? ScreenNearestColor(TintTowards(Background, clBtnShadow, false))
                                              : clBtnFace;
    }
    return true;
}

bool TDBGridGxStyle::GetFixedCellColors(TCustomDBGridGx* Grid, int ACol, int ARow, TGridDrawState State,
                                        bool Selected, int CellType, int DataCol, TColor& Background, TFont* Font) {
    (void)ACol, (void)ARow, (void)State;
    if (!Selected) return false;
    if (DataCol < 0 || !(CellType & (ctDataRowGx | ctFooterRowGx))) {
        Background = TColor(RGB(64, 64, 64));
        Font->SetColor(clWhite);
    } else if (Grid->Focused()) {
        if (LightenSelection && FScreenColorCount == -1) {
            Background = TintTowards(Background, clHighlight, true);
        } else {
            Background = clHighlight;
            Font->SetColor(clHighlightText);
        }
    } else {
        Background = FScreenColorCount == -1 ? TintTowards(Background, clBtnShadow, false) : clBtnFace;
    }
    return true;
}

void TDBGridGxStyle::AddGrid(TCustomDBGridGx* Grid) {
    if (!HasGrid(Grid)) FGrids.push_back(Grid);
}
void TDBGridGxStyle::RemoveGrid(TCustomDBGridGx* Grid) { std::erase(FGrids, Grid); }
bool TDBGridGxStyle::HasGrid(TCustomDBGridGx* Grid) const {
    return std::find(FGrids.begin(), FGrids.end(), Grid) != FGrids.end();
}

ORV_META_IMPL(TDBGridGxCenter)
void TDBGridGxCenter::DeclareMeta(meta::Class<TDBGridGxCenter>&) {}

void TDBGridGxCenter::AddGrid(TCustomDBGridGx* Grid) {
    if (!HasGrid(Grid)) FGrids.push_back(Grid);
}
void TDBGridGxCenter::RemoveGrid(TCustomDBGridGx* Grid) { std::erase(FGrids, Grid); }
bool TDBGridGxCenter::HasGrid(TCustomDBGridGx* Grid) const {
    return std::find(FGrids.begin(), FGrids.end(), Grid) != FGrids.end();
}

namespace {
std::unique_ptr<TDBGridGxStyle>& StyleHolder() {
    static auto style = std::make_unique<TDBGridGxStyle>();
    return style;
}
std::unique_ptr<TDBGridGxCenter>& CenterHolder() {
    static auto center = std::make_unique<TDBGridGxCenter>();
    return center;
}
int BusyCount = 0;
TCursor SavedCursor = crDefault;
} // namespace

TDBGridGxStyle* DefaultGridStyle() { return StyleHolder().get(); }
TDBGridGxCenter* DefaultGridCenter() { return CenterHolder().get(); }

void BeginBusyCursor() {
    if (BusyCount++ == 0) {
        SavedCursor = Screen()->Cursor();
        Screen()->SetCursor(crHourGlass);
    }
}
void EndBusyCursor() {
    if (BusyCount == 0) return;
    if (--BusyCount == 0) Screen()->SetCursor(SavedCursor);
}
int BusyCursorCount() { return BusyCount; }
