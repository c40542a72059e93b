// The grid's side of the filter row: one filter editor that opens over the filter cell the user
// clicks or reaches by keyboard, stores its text into the column's filter when it leaves, and
// applies the filters through OnApplyFilter or the centre.
#include "grid/DBGridGx.h"

#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxFilterEdit.h"
#include "grid/DBGridGxStyle.h"
#include "grid/DBGridGxText.h"
#include "grid/GxLibConsts.h"
#include "grid/ToolCtrlsGxListBox.h"
#include "grid/ToolCtrlsGxMemTable.h"
#include "gui/ControlPreview.h"
#include "gui/Input.h"
#include "gui/SystemMetrics.h"
#include "rtl/CodePage.h"
#include "rtl/ScopeGuards.h"

namespace {

// The editor's font colour.
constexpr TColor FilterTextColor = TColor(0xFF0000); // RGB(0, 0, 255)

} // namespace

// ---- settings -----------------------------------------------------------------------------------

void TCustomDBGridGx::SetSTFilter(const TSTDBGridGxFilter* Value) {
    FSTFilter->Assign(Value);
}

bool TCustomDBGridGx::FilterRowShown() const { return FSTFilter && FSTFilter->Visible(); }

int TCustomDBGridGx::FilterRowCount() const { return FilterRowShown() ? 1 : 0; }

bool TCustomDBGridGx::FilterEditorActive() const {
    return FFilterActive && FSelection && FSelection->SelectionType() == gstNon;
}

bool TCustomDBGridGx::ColumnHasVisibleFilter(int DataCol) const {
    if (DataCol < 0 || DataCol >= FColumns->Count()) return false;
    TColumnGx* column = FColumns->ColumnAt(DataCol);
    return column->Visible() && column->STFilter()->Visible();
}

String TCustomDBGridGx::FilterExpressionText(int DataCol) const {
    if (DataCol < 0 || DataCol >= FColumns->Count()) return String();
    return FColumns->ColumnAt(DataCol)->STFilter()->ExpressionText();
}

// ---- the editor ---------------------------------------------------------------------------------

TInplaceFilterEditGx* TCustomDBGridGx::CreateFilterEditor() {
    auto* editor = new TInplaceFilterEditGx(this);
    editor->SetVisible(false);
    editor->SetParent(this);
    editor->AttachHolder(this);
    editor->SetEditorBorderStyle(bsNone);
    editor->SetEditorFont(Font());
    editor->Font()->SetColor(FilterTextColor);
    editor->SetEditorColor(BrightenColor(FixedColor(), 8));
    editor->SetFlat(Flat());
    editor->SetKeyPressHandler([this](TObject*, char16_t& Key) {
        if (Key != u'\r') return;
        Key = 0;
        ApplyFilter();
    });
    // The drop-down handlers stay attached; they act for a column whose filter has a list.
    editor->OnDropDown = [this](TObject*) { FillFilterDropDown(); };
    editor->OnAcceptCloseUp = [this](TObject*, bool& Accept) { FilterCloseUp(Accept); };
    editor->OnCloseUp = [this](TObject*, bool Accept) {
        if (Accept && FCenter && FCenter->ApplyFilterOnCloseUp) ApplyFilter();
    };
    return editor;
}

void TCustomDBGridGx::ShowFilterEditor(int DataCol) {
    if (!FSTFilter->Visible() || !ColumnHasVisibleFilter(DataCol)) return;
    if (FDataLink->Active()) FDataLink->DataSet()->CheckBrowseMode();
    if (!FFilterEditor) FFilterEditor = CreateFilterEditor();
    if (FFilterEditor->Visible() && FFilterColumn != DataCol) {
        // Stored before it hides: a text that does not parse keeps the editor on its cell.
        const int old = FFilterColumn;
        StoreFilterText(old);
        FFilterEditor->HideEditor();
        InvalidateOneCell(old + FIndicatorOffset, TitleRowCount());
    }
    FFilterColumn = DataCol;
    FFilterActive = true;
    HideEditorWindow();
    {
        BeginUpdate();
        TScopeExit endUpdate([this] { EndUpdate(); });
        BeginPaintLock();
        TScopeExit endPaintLock([this] { EndPaintLock(); });
        const int raw = DataCol + FIndicatorOffset;
        if (FOptions & dgRowSelect) {
            // The view scrolls sideways until the column shows whole.
            if (raw >= FixedColsCount() && raw < TopLeftCell().X)
                SetFirstVisibleCol(raw);
            else if (raw >= FixedColsCount())
                ScrollIntoView(TGridCoord{raw, TopLeftCell().Y});
        } else {
            MoveToColumn(raw, 0, false);
        }
    }
    InvalidateOneCell(DataCol + FIndicatorOffset, TitleRowCount());
    PlaceFilterEditor(true);
}

void TCustomDBGridGx::PlaceFilterEditor(bool FirstPlacing) {
    if (FSTFilter->ChangeCount() > 0) return;
    if (!FSTFilter->Visible() || !ColumnHasVisibleFilter(FFilterColumn) || !FFilterActive) {
        EndFilterEditing();
        return;
    }
    if (!FFilterEditor) return;
    TRect r = CellScreenRect(FFilterColumn + FIndicatorOffset, TitleRowCount());
    r.Left += 1;
    if (!FilterEditorActive()) {
        FFilterEditor->HideEditor();
        return;
    }
    if (FirstPlacing) {
        FillFilterEditor(FFilterColumn);
        if (CanFocus() && !Focused() && !ControlWindowFocused(FFilterEditor)) SetFocus();
        FFilterEditor->PlaceOver(r, true);
        FFilterEditor->SetFocus();
        FFilterEditor->SelectAll();
        return;
    }
    FFilterEditor->PlaceOver(r);
}

void TCustomDBGridGx::FillFilterEditor(int DataCol) {
    if (!FFilterEditor || DataCol < 0 || DataCol >= FColumns->Count()) return;
    TColumnGx* column = FColumns->ColumnAt(DataCol);
    TSTColumnFilterGx* filter = column->STFilter();
    TInplaceFilterEditGx* editor = FFilterEditor;
    editor->Items()->Clear();
    FFilterEntryCodes.clear();
    editor->SetValue(Null());
    if (filter->HasDropDownButton()) {
        editor->OnButtonClick = nullptr;
        editor->EditButton()->SetVisible(true);
        editor->DropDownBox()->SetSizable(true);
        const String text = FilterExpressionText(DataCol);
        if (!filter->EffectiveKeyField().empty())
            editor->ShowKeyAndText(filter->KeyValues(), text);
        else
            editor->SetText(text);
        editor->DropDownBox()->SetWidth(filter->DropDownWidth > 0 ? filter->DropDownWidth : 100);
        editor->DropDownBox()->SetRows(filter->DropDownRows > 0 ? filter->DropDownRows : 17);
    } else {
        editor->EditButton()->SetVisible(false);
        editor->SetText(column->FieldName().empty() ? String() : FilterExpressionText(DataCol));
    }
}

void TCustomDBGridGx::FillFilterDropDown() {
    if (!FFilterEditor || FFilterColumn < 0 || FFilterColumn >= FColumns->Count()) return;
    TColumnGx* column = FColumns->ColumnAt(FFilterColumn);
    TSTColumnFilterGx* filter = column->STFilter();
    if (!filter->HasDropDownButton()) return;
    if (!column->FilterValueList()) {
        if (filter->ListSource())
            column->SetFilterValueList(filter->FieldValueList());
        else if (FMemTable)
            column->SetFilterValueList(FMemTable->FieldValueList(column->FieldName()));
    }
    TStrings* items = FFilterEditor->Items();
    TUpdateGuard<TStrings> update(*items);
    items->Clear();
    if (IDistinctValuesGx* values = column->FilterValueList()) items->Assign(*values->GetDistinctValues());
    if (column->HasKeyList() && column->HasPickList()) {
        // Keys show as the texts the user picks them by.
        TStrings* keys = column->KeyList();
        TStrings* picks = column->PickList();
        for (int i = 0; i < items->Count(); ++i) {
            const int k = keys->IndexOf(items->Strings(i));
            if (k >= 0 && k < picks->Count()) items->SetStrings(i, picks->Strings(k));
        }
    }
    // The entries' texts by code; the separator has none of its own.
    static const int captions[] = {0, SEmptyFilterGx,      SNotEmptyFilterGx,   SAllFilterGx, SClearFilterGx,
                                   0, SOrderByAscendingGx, SOrderByDescendingGx};
    const int last = (FOptionsGx & dghAutoSortMarking) && column->Title()->TitleButton() ? 7 : 4;
    FFilterEntryCodes.assign(static_cast<size_t>(items->Count()), 0);
    for (int code = 1; code <= last; ++code) {
        items->Insert(0, captions[code] ? GxLibText(captions[code]) : String("-"));
        FFilterEntryCodes.insert(FFilterEntryCodes.begin(), code);
    }
}

int TCustomDBGridGx::FilterEntryCode(int Index) const {
    return Index >= 0 && Index < static_cast<int>(FFilterEntryCodes.size())
               ? FFilterEntryCodes[static_cast<size_t>(Index)]
               : 0;
}

void TCustomDBGridGx::FilterCloseUp(bool& Accept) {
    if (!Accept || FFilterColumn < 0 || FFilterColumn >= FColumns->Count()) return;
    TColumnGx* column = FColumns->ColumnAt(FFilterColumn);
    if (FFilterEditor->Visible()) {
        column->STFilter()->DropDownWidth = FFilterEditor->DropDownBox()->Width();
        column->STFilter()->DropDownRows = FFilterEditor->DropDownBox()->Rows();
    }
    const int code =
        FFilterEditor->ItemListBox() ? FilterEntryCode(FFilterEditor->ItemListBox()->ItemIndex()) : 0;
    if (code == 0) return; // a value takes the combo's own way
    Accept = false;
    const bool applyNow = FCenter && FCenter->ApplyFilterOnCloseUp;
    switch (code) {
    case 1:
    case 2:
    case 3:
        FFilterEditor->SetText(code == 1 ? "=Null" : code == 2 ? "<>Null" : "");
        FFilterEditor->SelectAll();
        if (applyNow) ApplyFilter();
        break;
    case 4:
        ClearAllFilters();
        ApplyFilter();
        break;
    case 6:
    case 7:
        for (int i = 0; i < FColumns->Count(); ++i)
            FColumns->ColumnAt(i)->Title()->SetSortMarker(smNoneGx);
        FSortMarkedColumns.Clear();
        column->Title()->SetSortMarker(code == 6 ? smDownGx : smUpGx);
        SortMarkingChanged();
        break;
    default:
        break;
    }
}

// ---- storing, hiding, applying ------------------------------------------------------------------

void TCustomDBGridGx::StoreFilterText(int DataCol) {
    if (!FFilterEditor || DataCol < 0 || DataCol >= FColumns->Count()) return;
    // The editor keeps the text as typed; it is written back when the cell opens again.
    const bool saved = FStoringFilterText;
    FStoringFilterText = true;
    TScopeExit restore([this, saved] { FStoringFilterText = saved; });
    FColumns->ColumnAt(DataCol)->STFilter()->SetFilterText(FFilterEditor->Text());
}

void TCustomDBGridGx::FilterTextChanged(TColumnGx* Column) {
    if (FStoringFilterText) return;
    if (FFilterEditor && FFilterEditor->Visible() && Column && Column->Index() == FFilterColumn)
        FillFilterEditor(FFilterColumn);
}

void TCustomDBGridGx::HideFilterEditor() {
    if (!FFilterEditor || !FFilterEditor->Visible()) return;
    // Stored before it hides: a text that does not parse keeps the editor open for mending.
    StoreFilterText(FFilterColumn);
    // A focused editor hands the keyboard back to the grid as it goes.
    FFilterEditor->HideEditor();
    if (Visible() && CanFocus() && !Focused() && IsActiveControl()) FocusControlWindow(this);
    InvalidateOneCell(FFilterColumn + FIndicatorOffset, TitleRowCount());
}

void TCustomDBGridGx::EndFilterEditing() {
    if (FSTFilter->ChangeCount() > 0) return;
    HideFilterEditor();
    FFilterActive = false;
    if (FOptions & dgAlwaysShowEditor)
        ShowCellEditor();
    else
        HideEditorWindow();
}

void TCustomDBGridGx::ClearAllFilters() {
    for (int i = 0; i < FColumns->Count(); ++i)
        FColumns->ColumnAt(i)->STFilter()->ClearFilter();
    Invalidate();
}

void TCustomDBGridGx::ApplyFilter() {
    if (FFilterEditor && FFilterEditor->Visible()) StoreFilterText(FFilterColumn);
    const int left = TopLeftCell().X;
    // The view, the editor and the footers come back also when the filtering failed.
    TScopeExit restore([this, left] {
        if (left < ColsCount()) SetFirstVisibleCol(left);
        PlaceFilterEditor(false);
        if (FSumList->Active()) FSumList->RecalcAll();
        Invalidate();
    });
    if (OnApplyFilter)
        OnApplyFilter(this);
    else
        CenterApplyFilter();
}

void TCustomDBGridGx::CenterApplyFilter() {
    if (!FCenter) return;
    BeginPaintLock();
    TScopeExit endPaintLock([this] { EndPaintLock(); });
    FCenter->ApplyFilter(this);
}

void TCustomDBGridGx::TopLeftWasChanged() {
    TCustomGridGx::TopLeftWasChanged();
    if (FFilterActive) PlaceFilterEditor(false);
}

// ---- the centre's filtering ----------------------------------------------------------------------

void TDBGridGxCenter::ApplyFilter(TCustomDBGridGx* Grid) {
    if (ApplyFilterHandler)
        ApplyFilterHandler(Grid);
    else
        DefaultApplyFilter(Grid);
}

void TDBGridGxCenter::DefaultApplyFilter(TCustomDBGridGx* Grid) {
    TDataSet* ds = Grid->DataLink()->DataSet();
    if (TDataSetCapabilitiesGx* features = FindDatasetFeatures(ds)) features->ApplyFilter(Grid, ds, true);
}

// ---- the editor's holder ------------------------------------------------------------------------

bool TCustomDBGridGx::HolderAllowsEdit(TWinControl*) {
    return true;
}

void TCustomDBGridGx::LastMouseDown(TPoint& Pos, Cardinal& Time) {
    // Handed over once: the press that opened the editor and a quick one on it make a double click.
    Pos = FFilterPressPos;
    Time = FFilterPressTime;
    FFilterPressPos = TPoint();
    FFilterPressTime = 0;
}

void TCustomDBGridGx::PreviewMessage(TWinControl*, TControlMessage&) {}

void TCustomDBGridGx::MoveFilterCell(int Direction, bool ToEnd) {
    const int count = FColumns->Count();
    if (count == 0) return;
    if (ToEnd) {
        // From the far end towards the other: the first column there with a visible filter.
        for (int i = 0; i < count; ++i) {
            const int c = Direction < 0 ? i : count - 1 - i;
            if (ColumnHasVisibleFilter(c)) {
                if (c != FFilterColumn) ShowFilterEditor(c);
                return;
            }
        }
        return;
    }
    int c = FFilterColumn;
    for (int i = 0; i < count; ++i) {
        c += Direction;
        if (c >= count) c = 0;
        if (c < 0) c = count - 1;
        if (c == FFilterColumn) return;
        if (ColumnHasVisibleFilter(c)) {
            ShowFilterEditor(c);
            return;
        }
    }
}

void TCustomDBGridGx::EditorKeyDown(TObject*, Word& Key, TShiftState Shift) {
    if (!FFilterEditor || FFilterEditor->ListShown()) return;
    TInplaceFilterEditGx* editor = FFilterEditor;
    Word key = Key;
    if (UseRightToLeftAlignment()) {
        if (key == VK_LEFT)
            key = VK_RIGHT;
        else if (key == VK_RIGHT)
            key = VK_LEFT;
    }
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool plain = !ctrl && !Shift.Contains(ssShift) && !Shift.Contains(ssAlt);
    const int length = static_cast<int>(Utf8ToWide(editor->Text()).size());
    const bool atStart = editor->CaretPosition() == 0;
    const bool atEnd = editor->CaretPosition() == length;
    const bool partial = editor->SelLength() > 0 && editor->SelLength() < length;
    switch (key) {
    case VK_TAB:
        if (!(FOptions & dgTabs)) return;
        Key = 0;
        MoveFilterCell(Shift.Contains(ssShift) ? -1 : 1, false);
        return;
    case VK_END:
        if (!ctrl && !(atEnd && !partial)) return;
        Key = 0;
        MoveFilterCell(1, true);
        return;
    case VK_HOME:
        if (!ctrl && !atStart) return;
        Key = 0;
        MoveFilterCell(-1, true);
        return;
    case VK_LEFT:
        if (!ctrl && !atStart) return;
        Key = 0;
        MoveFilterCell(-1, ctrl);
        return;
    case VK_RIGHT:
        if (!ctrl && !atEnd) return;
        Key = 0;
        MoveFilterCell(1, ctrl);
        return;
    case VK_UP:
        if (plain) Key = 0;
        return;
    case VK_DOWN:
        if (plain) {
            Key = 0;
            MoveToColumn(FFilterColumn + FIndicatorOffset, 0, false);
            if (FDataLink->Active()) FDataLink->MoveBy(-FDataLink->ActiveRecord());
            EndFilterEditing();
        } else if (ctrl && !Shift.Contains(ssAlt) && FDataLink->Active()) {
            Key = 0;
            MoveToColumn(FFilterColumn + FIndicatorOffset, 0, false);
            EndFilterEditing();
        }
        return;
    case VK_F2:
        Key = 0;
        editor->SetSelection(length, length);
        return;
    default:
        return;
    }
}

void TCustomDBGridGx::EditorKeyPress(TObject*, char16_t& Key) {
    if (Key == u'\t') Key = 0;
}

void TCustomDBGridGx::EditorKeyUp(TObject*, Word&, TShiftState) {}

// ---- entering the filter row ----------------------------------------------------------------------

bool TCustomDBGridGx::FilterRowMouseDown(TMouseButton Button, int X, int Y) {
    if (Button != mbLeft && Button != mbRight) return false;
    const TGridCoord cell = MouseCell(X, Y);
    const bool onFilterRow = FilterRowShown() && cell.Y == TitleRowCount();
    if (!onFilterRow || ComponentState().Contains(csDesigning)) {
        // A press among the data cells closes the filter editor.
        if (FFilterActive && cell.Y >= FTitleOffset && cell.Y < RowsCount()) EndFilterEditing();
        return false;
    }
    const int dataCol = cell.X - FIndicatorOffset;
    if (cell.X < FIndicatorOffset || !ColumnHasVisibleFilter(dataCol)) return false;
    FSelection->ClearSelection();
    ShowFilterEditor(dataCol);
    if (Button == mbLeft && FFilterEditor && FFilterEditor->Visible()) {
        // The press goes on to the editor, so the caret lands where it was.
        const TRect r = FFilterEditor->BoundsRect();
        DeliverMousePress(FFilterEditor, mbLeft, TPoint(X - r.Left, Y - r.Top));
    }
    FFilterPressPos = ClientToScreen(TPoint(X, Y));
    FFilterPressTime = GetMessageTime();
    return true;
}

bool TCustomDBGridGx::FilterRowKeyDown(Word& Key, TShiftState Shift) {
    if (Key != VK_UP || !FilterRowShown() || !FDataLink->Active()) return false;
    TDataSet* ds = FDataLink->DataSet();
    const bool first = ds->Bof() || (ds->IsSequenced() && ds->RecNo() == 1);
    if (!first && !Shift.Contains(ssCtrl)) return false;
    if (!(FOptions & dgRowSelect)) {
        ShowFilterEditor(FocusedColumnIndex());
    } else if (ColumnHasVisibleFilter(FFilterColumn)) {
        ShowFilterEditor(FFilterColumn);
    } else {
        for (int c = std::max(0, TopLeftCell().X - FIndicatorOffset); c < FColumns->Count(); ++c)
            if (ColumnHasVisibleFilter(c)) {
                ShowFilterEditor(c);
                break;
            }
    }
    Key = 0;
    return true;
}

bool TCustomDBGridGx::FilterRowKeyPress(char16_t& Key) {
    if (!FilterEditorActive() || !FFilterEditor || (Key != 8 && Key < 32)) return false;
    // A character typed while the grid holds the keyboard goes into the filter cell.
    PlaceFilterEditor(false);
    FFilterEditor->SetFocus();
    if (Key == 8) {
        const int start = FFilterEditor->SelStart();
        if (FFilterEditor->SelLength() == 0 && start > 0) FFilterEditor->SetSelection(start - 1, start);
        FFilterEditor->SetSelText(String());
    } else {
        FFilterEditor->SetSelText(WideToUtf8(WideString(1, Key)));
    }
    Key = 0;
    return true;
}
