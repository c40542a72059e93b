// The indicator title (the grid's top-left cell): its settings, and the pop-up menu a press on it
// opens: the built-in entries (visible columns, cut, copy, paste, delete, select all) followed by
// the top-level items of the title's own drop-down menu.
#pragma once

#include "gui/Menus.h"

class TCustomDBGridGx;
class TColumnGx;

class TDBGridGxIndicatorTitle : public TPersistent {
    ORV_META(TDBGridGxIndicatorTitle, TPersistent)
    explicit TDBGridGxIndicatorTitle(TCustomDBGridGx* Grid = nullptr) : FGrid(Grid) {}
    // Items appended to the menu; the grid forgets the menu when it is freed.
    TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* Value);
    // A drop-down sign in the cell; changing it repaints the cell.
    bool ShowDropDownSign() const { return FShowDropDownSign; }
    void SetShowDropDownSign(bool Value);
    // A press on the cell opens the menu (without: selects or clears everything).
    bool TitleButton = false;
    // The menu has the built-in entries.
    bool UseGlobalMenu = true;
    // The cell paints pressed (while its menu is open or the button is held).
    bool Pressed() const { return FPressed; }
    void SetPressed(bool Value);
    void Assign(const TPersistent* Source) override;

private:
    void RepaintCell();
    TCustomDBGridGx* FGrid;
    TPopupMenu* FDropdownMenu = nullptr;
    bool FShowDropDownSign = false;
    bool FPressed = false;
};

// An edit entry of the indicator-title menu: the grid it acts on and its action (1 cut, 2 copy,
// 3 paste, 4 delete, 5 select all; 0 for the "Visible columns" entry).
class TDBGridGxMenuItem : public TMenuItem {
    ORV_META(TDBGridGxMenuItem, TMenuItem)
    explicit TDBGridGxMenuItem(TComponent* AOwner) : TMenuItem(AOwner) {}
    TCustomDBGridGx* Grid = nullptr;
    int Kind = 0;
};

// An entry of the "Visible columns" submenu: clicking it shows or hides its column.
class TColumnGxMenuItem : public TMenuItem {
    ORV_META(TColumnGxMenuItem, TMenuItem)
    explicit TColumnGxMenuItem(TComponent* AOwner) : TMenuItem(AOwner) {}
    TColumnGx* Column = nullptr;
};

// The click of every edit entry: runs the entry's action on its grid's selection (a click on an
// item of another class does nothing).
void GridMenuItemClick(TObject* Sender);
