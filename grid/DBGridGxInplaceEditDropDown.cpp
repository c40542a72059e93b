// The in-place editor's drop-down lists: the column's pick list, its lookup list, the month
// calendar and the calculator; how each opens under the editor and what closing it writes.
#include "grid/DBGridGxInplaceEdit.h"

#include "grid/CalculatorGx.h"
#include "grid/DBGridGx.h"
#include "grid/ToolCtrlsGxDropDown.h"
#include "grid/ToolCtrlsGxListBox.h"

#include "db/DataSource.h"
#include "gui/ControlInput.h"
#include "gui/PopupWindows.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"

#include <algorithm>

namespace {

bool IsNumberVariant(const Variant& V) {
    switch (V.VType()) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---- opening -------------------------------------------------------------------------------------

void TDBGridInplaceEdit::DropDown() {
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    if (FListVisible || !FActiveList || !g || !column) return;
    FActiveList->SetWidth(Width());
    if (FDataList && FActiveList == FDataList->ListControl()) {
        TDataSet* list = column->ListDataSet();
        if (!list) return;
        DataListDropDown(column, list);
    } else if (FActiveList == FCalendar) {
        FCalendar->SetColor(Color());
        FCalendar->Font()->Assign(*Font());
        TDateTime date = 0;
        if (Text().empty()) {
            date = Date();
        } else if (!TryStrToDate(Text(), date)) {
            TField* f = column->Field();
            date = f && !f->IsNull() && f->AsDateTime() != 0 ? f->AsDateTime() : Date();
        }
        FCalendar->SetDate(date);
        FCalendar->AdjustSize();
    } else if (FActiveList == FCalculator) {
        double value = 0;
        if (!Text().empty() && !TryStrToFloat(Text(), value)) value = 0;
        FCalculator->SetPopupValue(Variant(value));
        FCalculator->SetPopupFlat(g->Flat());
        // A keypad narrower than the editor widens with it; a narrow column never cuts its keys off.
        FCalculator->SetWidth(std::max(Width(), FCalculator->KeypadWidth()));
        SetCaretPosition(CaretPosition());
    } else if (FActiveList == FPickList) {
        PickListDropDown(column);
    }
    MRUCloseUp(false);
    const TPoint at =
        PlaceDropDownUnder(this, FActiveList, g->UseRightToLeftAlignment() ? ddaRightGx : ddaLeftGx);
    ShowPopupNoActivate(FActiveList, at.X, at.Y);
    FActiveList->SetVisible(true);
    if (FDataList && FActiveList == FDataList->ListControl()) {
        FDataList->SetSizeGripVisible(column->DropDownSizing());
        FDataList->SetRowCount(FDataList->RowCount());
        FDataList->SetUserResized(false);
    } else if (FActiveList == FPickList) {
        FPickList->Grip()->SetVisible(column->DropDownSizing());
        FPickList->UserResized = false;
    }
    FListVisible = true;
    FTextBeforeDropDown = Text();
    Invalidate();
    if (CanFocus() && !Focused()) SetFocus();
    if (FButtonCount > 0) ButtonControl(0)->SetHeldDown(true);
    FDroppedDown = true;
}

void TDBGridInplaceEdit::DataListDropDown(TColumnGx* Column, TDataSet* List) {
    TCustomDBGridGx* g = DBGrid();
    TField* f = Column->Field();
    FLookupSource->SetDataSet(List);
    TDataListDropDownGx settings;
    settings.Color = Color();
    settings.Font = Font();
    settings.SpecRow = Column->DropDownSpecRow();
    // A short sequenced list opens with as many rows as it has records.
    const int records = List->RecordCount();
    const bool fewer = List->IsSequenced() && records > 0 && records < Column->DropDownRows;
    settings.RowCount = fewer ? records : Column->DropDownRows;
    settings.ShowTitles = Column->DropDownShowTitles();
    settings.ListSource = FLookupSource.get();
    settings.KeyFieldNames = f ? f->LookupKeyFields() : String();
    settings.ListFieldNames = Column->LookupDisplayFields();
    settings.UseMultiTitle = Column->DropDownBox()->UseMultiTitle();
    FDataList->PrepareDropDown(settings);
    TWinControl* control = FDataList->ListControl();
    const int width = Column->DropDownWidth();
    if (width == -1)
        control->SetClientWidth(FDataList->ColumnsWidth());
    else if (width <= 0)
        control->SetWidth(Width());
    else
        control->SetWidth(width);
    if (control->Width() < Width()) control->SetWidth(Width());
    FDataList->SetKeyValue(g->EditKeyValue());
    FListColumnsMoved = false;
    FDataList->SetColumnMovedHook([this] { FListColumnsMoved = true; });
    FDataList->SetAutoFitColWidths(Column->DropDownBox()->AutoFitColWidths());
}

void TDBGridInplaceEdit::PickListDropDown(TColumnGx* Column) {
    TPopupListboxGx* list = FPickList;
    list->SetColor(Color());
    list->Font()->Assign(*Font());
    const int itemHeight = list->Canvas()->TextHeight("Wg");
    list->SetItemHeight(itemHeight);
    TStrings* pick = Column->PickList();
    const int count =
        Column->HasKeyList() ? std::min(Column->KeyList()->Count(), pick->Count()) : pick->Count();
    list->Items()->BeginUpdate();
    {
        const TScopeExit updated([list] { list->Items()->EndUpdate(); });
        list->Items()->Clear();
        for (int i = 0; i < count; ++i)
            list->Items()->Add(pick->Strings(i));
    }
    // As many rows as items, up to DropDownRows, inside the list's frame.
    list->ShowRows(count < Column->DropDownRows ? count : Column->DropDownRows);
    TField* f = Column->Field();
    list->SetItemIndex(f && f->IsNull() ? -1
                                        : (Column->HasKeyList() ? pick : list->Items())->IndexOf(Text()));
    int widest = 0;
    for (int i = 0; i < count; ++i)
        widest = std::max(widest, list->Canvas()->TextWidth(pick->Strings(i)));
    list->SetClientWidth(std::max(list->ClientWidth(), widest + 4));
}

// ---- closing -------------------------------------------------------------------------------------

void TDBGridInplaceEdit::CloseUp(bool Accept) {
    if (FActiveList && FocusInside(FActiveList) && CanFocus()) SetFocus();
    if (!FListVisible) return;
    if (FButtonCount > 0) ButtonControl(0)->SetHeldDown(false);
    if (CloseLock) return;
    if (GetCaptureControl()) ReleaseCapture();
    FDragList = nullptr;
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    TWinControl* list = FActiveList;
    const bool dataList = FDataList && list == FDataList->ListControl();
    const bool pickList = list == FPickList;
    Variant chosen;
    bool haveChosen = false;
    int chosenIndex = -1;
    if (dataList) {
        chosen = FDataList->KeyValue();
        haveChosen = true;
        if (column && FDataList->UserResized()) {
            column->DropDownRows = FDataList->RowCount();
            column->SetDropDownWidth(list->Width());
        }
        if (column && FListColumnsMoved)
            column->DropDownSpecRow()->SetCellsText(FDataList->SpecRowCellsText());
    } else if (pickList) {
        chosenIndex = FPickList->ItemIndex();
        if (chosenIndex >= 0 && column) {
            chosen = column->HasKeyList() ? Variant(column->KeyList()->Strings(chosenIndex))
                                          : Variant(FPickList->Items()->Strings(chosenIndex));
            haveChosen = true;
        }
        if (column && FPickList->UserResized) {
            column->DropDownRows = FPickList->ClientHeight() / std::max(1, FPickList->ItemHeight());
            column->SetDropDownWidth(FPickList->Width());
        }
    }
    HidePopup(list);
    list->SetVisible(false);
    FListVisible = false;
    FDroppedDown = false;
    if (dataList) FDataList->FinishDropDown();
    FLookupSource->SetDataSet(nullptr);
    Invalidate();
    if (!g || !column) return;
    FTakingListText = true;
    const TScopeExit taken([this] { FTakingListText = false; });
    if (!Accept) {
        // The text the list steered goes back to what it was when the list opened.
        if (dataList || pickList) PutText(FTextBeforeDropDown);
        return;
    }
    TField* f = column->Field();
    if (dataList) {
        AcceptDataList(column, chosen);
    } else if (list == FCalendar) {
        if (f && column->CanModify(true) && g->EditModifyAllowed()) {
            f->DataSet()->Edit();
            const TDateTime date = FCalendar->Date();
            column->UpdateData(DateToStr(date), VarFromDateTime(date), false);
        }
    } else if (list == FCalculator) {
        if (column->CanModify(true) && g->EditModifyAllowed()) {
            const Variant value = FCalculator->GetPopupValue();
            if (IsNumberVariant(value)) {
                PutText(VarToStr(value));
                g->SetEditText(Text());
                SelectAll();
            }
        }
    } else if (pickList && haveChosen && g->EditModifyAllowed()) {
        PutText(column->HasKeyList() ? FPickList->Items()->Strings(chosenIndex) : VarToStr(chosen));
        g->SetEditText(Text());
        RefreshImageIndex();
    }
}

void TDBGridInplaceEdit::AcceptDataList(TColumnGx* Column, const Variant& Key) {
    TCustomDBGridGx* g = DBGrid();
    TField* f = Column->Field();
    if (!f) return;
    TDataSet* list = Column->ListDataSet();
    // With a not-in-list handler a typed text that is not in the list stays as typed.
    if (Column->OnNotInList && list &&
        !list->Locate(f->LookupResultField(), Variant(Text()), loCaseInsensitive))
        return;
    if (!TCustomDBGridGx::FieldCanModify(f) || !g->EditModifyAllowed() || !Column->CanModify(true)) return;
    try {
        f->DataSet()->Edit();
        if (!g->DataLink()->Editing()) return;
        g->MarkModified();
        const String display = FDataList->DisplayText();
        g->SetEditKeyValue(Key);
        g->SetEditText(display);
        PutText(display);
        SelectAll();
    } catch (...) {
        PutText(f->EditText() + " ");
        throw;
    }
}

bool TDBGridInplaceEdit::ListMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (!FListVisible) return false;
    if (FActiveList == FPickList) FPickList->DoMouseWheel(Shift, WheelDelta, MousePos);
    if (FActiveList == FCalendar) FCalendar->DoMouseWheel(Shift, WheelDelta, MousePos);
    if (FDataList && FActiveList == FDataList->ListControl())
        SendMouseWheel(FActiveList, Shift, WheelDelta, MousePos);
    return true;
}
