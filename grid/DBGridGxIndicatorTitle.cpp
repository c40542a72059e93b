// The indicator title and its pop-up menu: one shared menu, rebuilt for the grid before it opens,
// with reusable entries for the visible columns and the edit actions, and the top-level items of
// the title's own drop-down menu; the press on the indicator title that opens it (or selects
// everything); and the context menus of the columns' cells.
#include "grid/DBGridGxIndicatorTitle.h"

#include "classes/MetaBuilder.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxImpExpGrid.h"
#include "grid/DBGridGxStyle.h"
#include "grid/GxLibConsts.h"
#include "gui/Forms.h"
#include "rtl/ScopeGuards.h"

// ---- TDBGridGxIndicatorTitle ---------------------------------------------------------------------

ORV_META_IMPL(TDBGridGxIndicatorTitle)
void TDBGridGxIndicatorTitle::DeclareMeta(meta::Class<TDBGridGxIndicatorTitle>& c) {
    c.Property("DropdownMenu", &TDBGridGxIndicatorTitle::DropdownMenu,
               &TDBGridGxIndicatorTitle::SetDropdownMenu);
    c.Property("ShowDropDownSign", &TDBGridGxIndicatorTitle::ShowDropDownSign,
               &TDBGridGxIndicatorTitle::SetShowDropDownSign)
        .Default(false);
    c.Property("TitleButton", &TDBGridGxIndicatorTitle::TitleButton, &TDBGridGxIndicatorTitle::TitleButton)
        .Default(false);
    c.Property("UseGlobalMenu", &TDBGridGxIndicatorTitle::UseGlobalMenu,
               &TDBGridGxIndicatorTitle::UseGlobalMenu)
        .Default(true);
}

void TDBGridGxIndicatorTitle::SetDropdownMenu(TPopupMenu* Value) {
    if (Value == FDropdownMenu) return;
    if (FDropdownMenu && FGrid) FDropdownMenu->RemoveFreeNotification(FGrid);
    FDropdownMenu = Value;
    if (Value && FGrid) Value->FreeNotification(FGrid);
}

void TDBGridGxIndicatorTitle::SetShowDropDownSign(bool Value) {
    if (Value == FShowDropDownSign) return;
    FShowDropDownSign = Value;
    RepaintCell();
}

void TDBGridGxIndicatorTitle::SetPressed(bool Value) {
    if (Value == FPressed) return;
    FPressed = Value;
    RepaintCell();
}

void TDBGridGxIndicatorTitle::RepaintCell() {
    if (FGrid && (FGrid->Options() & dgIndicator) && (FGrid->Options() & dgTitles))
        FGrid->InvalidateOneCell(0, 0);
}

void TDBGridGxIndicatorTitle::Assign(const TPersistent* Source) {
    if (auto* s = dynamic_cast<const TDBGridGxIndicatorTitle*>(Source)) {
        SetDropdownMenu(s->FDropdownMenu);
        SetShowDropDownSign(s->FShowDropDownSign);
        TitleButton = s->TitleButton;
        UseGlobalMenu = s->UseGlobalMenu;
        return;
    }
    TPersistent::Assign(Source);
}

ORV_META_IMPL(TDBGridGxMenuItem)
void TDBGridGxMenuItem::DeclareMeta(meta::Class<TDBGridGxMenuItem>&) {}
ORV_META_IMPL(TColumnGxMenuItem)
void TColumnGxMenuItem::DeclareMeta(meta::Class<TColumnGxMenuItem>&) {}

void GridMenuItemClick(TObject* Sender) {
    auto* item = dynamic_cast<TDBGridGxMenuItem*>(Sender);
    if (!item || !item->Grid) return;
    TDBGridGxImpExpGrid source(item->Grid);
    switch (item->Kind) {
    case 1:
        CutGridToClipboard(&source, false);
        break;
    case 2:
        CopyGridToClipboard(&source, false);
        break;
    case 3:
        PasteGridFromClipboard(&source, false);
        break;
    case 4:
        DeleteGridSelection(&source, false);
        break;
    case 5:
        item->Grid->Selection()->SelectAll();
        break;
    default:
        break;
    }
}

// ---- the shared menu ----------------------------------------------------------------------------

namespace {

// The "Visible columns" entry and the five edit entries, made once and reused.
TDBGridGxMenuItem* ReusableItem(int Kind) {
    static TDBGridGxMenuItem* items[6] = {};
    if (!items[Kind]) {
        items[Kind] = new TDBGridGxMenuItem(Screen());
        items[Kind]->Kind = Kind;
    }
    return items[Kind];
}

// Takes every entry out of the menu; the entries the menu owns go with it.
void EmptyMenu(TMenuItem* Parent, TComponent* Menu) {
    while (Parent->Count() > 0) {
        TMenuItem* item = Parent->Items(Parent->Count() - 1);
        if (item->Owner() == Menu)
            Parent->Delete(Parent->Count() - 1);
        else
            Parent->Remove(item);
    }
}

} // namespace

TPopupMenu* GridIndicatorTitlePopupMenu() {
    static TPopupMenu* menu = nullptr;
    if (!menu) {
        menu = new TPopupMenu(Screen());
        menu->SetName("DBGridGxIndicatorTitlePopupMenu");
    }
    return menu;
}

void TDBGridGxCenter::BuildIndicatorMenu(TCustomDBGridGx* Grid, TPopupMenu*& Menu) {
    if (BuildIndicatorMenuHandler)
        BuildIndicatorMenuHandler(Grid, Menu);
    else
        DefaultBuildIndicatorMenu(Grid, Menu);
}

void TDBGridGxCenter::DefaultBuildIndicatorMenu(TCustomDBGridGx* Grid, TPopupMenu*& Menu) {
    TPopupMenu* menu = GridIndicatorTitlePopupMenu();
    EmptyMenu(menu->Items(), menu);
    Menu = menu;
    TDBGridGxIndicatorTitle* title = Grid->IndicatorTitle();
    const bool global = title->UseGlobalMenu;
    if (global && (IndicatorMenuItems & imiVisibleColumnsGx)) {
        TDBGridGxMenuItem* sub = ReusableItem(0);
        sub->Clear();
        sub->Grid = Grid;
        sub->SetCaption(GxLibText(SVisibleColumnsGx));
        menu->Items()->Add(sub);
        for (int i = 0; i < Grid->Columns()->Count(); ++i) {
            TColumnGx* column = Grid->Columns()->ColumnAt(i);
            if (column->Title()->Caption().empty()) continue;
            auto* item = new TColumnGxMenuItem(menu);
            item->Column = column;
            item->SetCaption(column->Title()->Caption());
            item->SetChecked(column->Visible());
            item->OnClick = [column](TObject*) { column->SetVisible(!column->Visible()); };
            sub->Add(item);
        }
    }
    if (global) {
        struct TEntry {
            int Bit, Kind, Text;
            bool Enabled;
        };
        const uint8_t ea = Grid->EditActions;
        const TEntry entries[] = {
            {imiCutGx, 1, SCutGx, Grid->CanCutSelection() && (ea & geaCutGx)},
            {imiCopyGx, 2, SCopyGx, Grid->CanCopySelection() && (ea & geaCopyGx)},
            {imiPasteGx, 3, SPasteGx, Grid->CanPasteIntoGrid() && (ea & geaPasteGx)},
            {imiDeleteGx, 4, SDeleteGx, Grid->CanDeleteSelection() && (ea & geaDeleteGx)},
            {imiSelectAllGx, 5, SSelectAllGx, Grid->CanSelectAll() && (ea & geaSelectAllGx)},
        };
        for (const TEntry& e : entries) {
            if (!(IndicatorMenuItems & e.Bit)) continue;
            TDBGridGxMenuItem* item = ReusableItem(e.Kind);
            item->SetCaption(GxLibText(e.Text));
            item->SetEnabled(e.Enabled);
            item->Grid = Grid;
            item->OnClick = GridMenuItemClick;
            menu->Items()->Add(item);
        }
    }
    if (TPopupMenu* own = title->DropdownMenu()) {
        if (menu->Items()->Count() > 0) menu->Items()->Add(NewLine(menu));
        for (int i = 0; i < own->Items()->Count(); ++i) {
            TMenuItem* source = own->Items()->Items(i);
            auto* copy = new TMenuItem(menu);
            copy->SetAction(source->Action());
            copy->SetAutoCheck(source->AutoCheck());
            copy->SetCaption(source->Caption());
            copy->SetChecked(source->Checked());
            copy->SetDefault(source->Default());
            copy->SetEnabled(source->Enabled());
            copy->SetGroupIndex(source->GroupIndex());
            copy->SetHint(source->Hint());
            copy->SetImageIndex(source->ImageIndex());
            copy->SetRadioItem(source->RadioItem());
            copy->SetShortCut(source->ShortCut());
            copy->SetVisible(source->Visible());
            copy->OnClick = source->OnClick;
            menu->Items()->Add(copy);
        }
    }
}

void TDBGridGxCenter::IndicatorTitleMouseDown(TCustomDBGridGx* Grid, TGridCoord Cell, TPoint Point,
                                              TShiftState Shift, TMouseButton Button) {
    if (IndicatorTitleMouseDownHandler)
        IndicatorTitleMouseDownHandler(Grid, Cell, Point, Shift, Button);
    else
        DefaultIndicatorTitleMouseDown(Grid, Cell, Point, Shift, Button);
}

void TDBGridGxCenter::DefaultIndicatorTitleMouseDown(TCustomDBGridGx* Grid, TGridCoord Cell, TPoint Point,
                                                     TShiftState Shift, TMouseButton Button) {
    (void)Cell;
    Grid->DefaultIndicatorTitleMouseDown(Button, Shift, Point);
}

// ---- the grid's side ------------------------------------------------------------------------------

TPopupMenu* TCustomDBGridGx::BuildIndicatorTitleMenu() {
    TPopupMenu* menu = nullptr;
    if (OnBuildIndicatorTitleMenu)
        OnBuildIndicatorTitleMenu(this, menu);
    else if (FCenter)
        FCenter->BuildIndicatorMenu(this, menu);
    return menu;
}

void TCustomDBGridGx::IndicatorTitleMouseDown(TMouseButton Button, TShiftState Shift, TPoint Point) {
    const TGridCoord cell{0, 0};
    if (OnIndicatorTitleMouseDown)
        OnIndicatorTitleMouseDown(this, cell, Button, Shift, Point);
    else if (FCenter)
        FCenter->IndicatorTitleMouseDown(this, cell, Point, Shift, Button);
    else
        DefaultIndicatorTitleMouseDown(Button, Shift, Point);
}

void TCustomDBGridGx::DefaultIndicatorTitleMouseDown(TMouseButton Button, TShiftState Shift, TPoint Point) {
    (void)Button, (void)Shift, (void)Point;
    if (FIndicatorTitle->TitleButton) {
        FIndicatorTitle->SetPressed(true);
        TPopupMenu* menu = BuildIndicatorTitleMenu();
        if (menu && menu->Items()->Count() > 0) {
            TScopeExit unpress([this] { FIndicatorTitle->SetPressed(false); });
            // A menu nobody owns is freed after it closed.
            std::unique_ptr<TPopupMenu> unowned(menu->Owner() ? nullptr : menu);
            const TRect r = CellScreenRect(0, 0);
            const TPoint at = ClientToScreen(TPoint(r.Left, r.Bottom));
            menu->SetPopupComponent(this);
            menu->Popup(at.X, at.Y);
            return;
        }
        FIndicatorTitle->SetPressed(false);
        // Without entries the cell acts as a button held down while the pointer stays on it.
        FTrackingState = gtsIndicatorTitleDown;
        FTitlePressed = true;
        FIndicatorTitle->SetPressed(true);
        return;
    }
    if ((FOptions & dgMultiSelect) && FDataLink->Active() && SelectionAllowedNow(gstAll)) {
        if (FSelection->SelectionType() != gstNon)
            FSelection->ClearSelection();
        else
            FSelection->SelectAll();
    }
}

void TCustomDBGridGx::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (MousePos.X >= 0) {
        // The context menu of the column under the pointer comes before the grid's own.
        const TGridCoord cell = MouseCell(MousePos.X, MousePos.Y);
        const int dc = cell.X - FIndicatorOffset;
        if (cell.X >= FIndicatorOffset && cell.Y >= 0 && dc < FColumns->Count()) {
            TPopupMenu* menu = FColumns->ColumnAt(dc)->PopupMenu();
            if (menu && menu->AutoPopup()) {
                CancelMode();
                menu->SetPopupComponent(this);
                const TPoint at = ClientToScreen(MousePos);
                menu->Popup(at.X, at.Y);
                Handled = true;
                return;
            }
        }
    }
    TCustomGridGx::DoContextPopup(MousePos, Handled);
}

void TColumnGx::SetPopupMenu(TPopupMenu* Value) {
    FPopupMenu = Value;
    if (Value && Grid()) Value->FreeNotification(Grid());
}
