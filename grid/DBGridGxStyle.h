// The shared style (colours of highlighted cells) and centre (what a grid does for find, filter,
// sorting and its indicator-title menu) of the data grids, the busy cursor and module helpers.
#pragma once

#include "gui/Colors.h"
#include "gui/Menus.h"
#include "grid/GridsGx.h"

#include <functional>
#include <memory>
#include <vector>

class TCustomDBGridGx;
class TFont;

class TDBGridGxStyle : public TPersistent {
    ORV_META(TDBGridGxStyle, TPersistent)
    TDBGridGxStyle();
    bool LightenSelection = true;
    bool DrawFocusRectangle = true;
    // Colours of the screen device; -1 for more than 256.
    int ScreenColorCount() const { return FScreenColorCount; }
    virtual void RefreshScreenColors();
    // Halfway towards the glass colour, then towards light grey; ungray pushes away from mid grey.
    static TColor TintTowards(TColor C, TColor Glass, bool Ungray);
    // The plain system colour on a palette screen, the tint otherwise.
    TColor SelectionColor(TColor Background, bool Focused) const;
    // Colours of a data cell; answers whether it is highlighted (State may gain gdSelected).
    virtual bool GetDataCellColors(TCustomDBGridGx* Grid, int ACol, int ARow, int DataCol, int DataRow,
                                   TGridDrawState& State, bool InSelection, TColor& Background, TFont* Font);
    // Colours of a selected fixed, filter-row or footer cell; answers whether it is highlighted.
    virtual bool GetFixedCellColors(TCustomDBGridGx* Grid, int ACol, int ARow, TGridDrawState State, bool Selected,
                                    int CellType, int DataCol, TColor& Background, TFont* Font);
    void AddGrid(TCustomDBGridGx* Grid);
    void RemoveGrid(TCustomDBGridGx* Grid);
    bool HasGrid(TCustomDBGridGx* Grid) const;

private:
    int FScreenColorCount = -1;
    std::vector<TCustomDBGridGx*> FGrids;
};

// Bits of TDBGridGxCenter::IndicatorMenuItems.
enum : int { imiVisibleColumnsGx = 1, imiCutGx = 2, imiCopyGx = 4, imiPasteGx = 8, imiDeleteGx = 16, imiSelectAllGx = 32 };

class TDBGridGxCenter : public TPersistent {
    ORV_META(TDBGridGxCenter, TPersistent)
    TDBGridGxCenter() = default;
    int IndicatorMenuItems = 63;
    // Builds the indicator-title popup menu for the grid into the shared menu and answers it.
    virtual TPopupMenu* BuildIndicatorMenu(TCustomDBGridGx* Grid);
    void AddGrid(TCustomDBGridGx* Grid);
    void RemoveGrid(TCustomDBGridGx* Grid);
    bool HasGrid(TCustomDBGridGx* Grid) const;

    // ---- filtering and record moving -------------------------------------------------------------
    // Choosing an entry of the filter row's drop-down applies the filter at once.
    bool ApplyFilterOnCloseUp = false;
    // Replaces DefaultApplyFilter when set.
    std::function<void(TCustomDBGridGx* Grid)> ApplyFilterHandler;
    virtual void ApplyFilter(TCustomDBGridGx* Grid);
    // The data set class's registered filtering; nothing without one.
    virtual void DefaultApplyFilter(TCustomDBGridGx* Grid);
    virtual int MoveRecords(TCustomDBGridGx* Grid, TStrings* BookmarkList, int ToRecNo, int TreeLevel,
                            bool CheckOnly);
    // The data set class's registered record mover; 0 (nothing moved) without one.
    virtual int DefaultMoveRecords(TCustomDBGridGx* Grid, TStrings* BookmarkList, int ToRecNo, int TreeLevel,
                                   bool CheckOnly);

private:
    std::vector<TCustomDBGridGx*> FGrids;
    std::unique_ptr<TPopupMenu> FMenu;
};

TDBGridGxStyle* DefaultGridStyle();
TDBGridGxCenter* DefaultGridCenter();

// Nested busy cursor: the first begin shows the hourglass, the last end restores the cursor.
void BeginBusyCursor();
void EndBusyCursor();
int BusyCursorCount();
