// The data grid's in-place cell editor: the base grid's editor with everything the column model
// adds. Each time it is loaded for a cell it takes the column's edit style, text, colour, font and
// read-only state; it shows the main edit button and the column's further edit buttons at its
// right edge, drops down the column's pick list, lookup list, a month calendar or a calculator,
// completes typed text against a pick list or lookup list, and drops down the texts the column
// remembers. The editor never writes a field while the user types: it keeps the grid's edit text
// and edit key value, which the grid writes when the edit is posted.
//
//   DBGridGxInplaceEdit.cpp          loading, style, text area, painting, focus, text changes
//   DBGridGxInplaceEditKeys.cpp      the keys, typing against a list, paste, the mouse
//   DBGridGxInplaceEditButtons.cpp   the edit buttons and what pressing them does
//   DBGridGxInplaceEditDropDown.cpp  the drop-down lists: opening and closing
//   DBGridGxInplaceEditMRU.cpp       the list of remembered texts
//   DBGridGxInplaceEditColumn.cpp    the column's side: edit style, button width, drop-down box
#pragma once

#include "grid/DBGridGxColumns.h"
#include "grid/GridsGx.h"
#include "grid/ToolCtrlsGxButtons.h"
#include "grid/ToolCtrlsGxCalendar.h"
#include "rtl/Variant.h"

#include <functional>
#include <memory>
#include <vector>

class TCustomDBGridGx;
class TDataSource;
class TPopupListboxGx;
class TPopupCalculatorGx;
class TMRUListboxGx;
class TShape;
class TCanvas;
struct TControlMessage;

// The settings of a column's lookup drop-down. The box keeps the list source, the column fitting
// and the multi-line titles itself; the columns, their defaults, the options and the local sorting
// are those of the column's lookup list grid, which the box reaches only through the column's
// IColumnLookupOwnerGx (without it they read empty and writes do nothing).
class TColumnDropDownBoxGx : public TPersistent {
    ORV_META(TColumnDropDownBoxGx, TPersistent)
    explicit TColumnDropDownBoxGx(TColumnGx* Column = nullptr) : FColumn(Column), FLookupOwner(Column) {}
    TColumnGx* Column() const { return FColumn; }
    TPersistent* GetOwner() const override;

    // A data source whose data set the drop-down lists instead of the lookup field's lookup data
    // set; the grid lets go of it when it is freed.
    TDataSource* ListSource() const { return FListSource; }
    void SetListSource(TDataSource* Value);
    bool AutoFitColWidths() const { return FAutoFitColWidths; }
    void SetAutoFitColWidths(bool Value) { FAutoFitColWidths = Value; }
    bool UseMultiTitle() const { return FUseMultiTitle; }
    void SetUseMultiTitle(bool Value) { FUseMultiTitle = Value; }

    // ---- kept in the column's lookup list grid ----------------------------------------------------
    TDBGridColumnsGx* Columns() const;
    void SetColumns(const TDBGridColumnsGx* Value);
    // Stored only when the lookup grid's columns are its own (customized).
    bool IsColumnsStored() const;
    TColumnDefValuesGx* ColumnDefValues() const;
    void SetColumnDefValues(const TColumnDefValuesGx* Value);
    TDBLookupGridGxOptions Options() const;
    void SetOptions(TDBLookupGridGxOptions Value);
    bool SortLocal() const;
    void SetSortLocal(bool Value);

    void Assign(const TPersistent* Source) override;

private:
    TColumnGx* FColumn;
    IColumnLookupOwnerGx* FLookupOwner;
    TDataSource* FListSource = nullptr;
    bool FAutoFitColWidths = true;
    bool FUseMultiTitle = false;
};

// What the editor hands the lookup drop-down when it opens.
struct TDataListDropDownGx {
    TColor Color = clWindow;
    const TFont* Font = nullptr;
    TSpecRowGx* SpecRow = nullptr;
    int RowCount = 7;
    bool ShowTitles = false;
    TDataSource* ListSource = nullptr;
    String KeyFieldNames;
    String ListFieldNames;
    bool UseMultiTitle = false;
};

// What the editor asks of a column's lookup drop-down (the column's lookup list grid).
class IInplaceDataListGx {
public:
    // The drop-down's window.
    virtual TWinControl* ListControl() = 0;
    // Takes the settings: colour and font, special row, rows, titles, key fields, the first list
    // field as the display field, list fields, column fitting off, multi-line titles, and last the
    // list source.
    virtual void PrepareDropDown(const TDataListDropDownGx& Settings) = 0;
    // Rows of data shown (the list keeps them within 1 to 100).
    virtual int RowCount() const = 0;
    virtual void SetRowCount(int Value) = 0;
    // The client width that shows every visible list column with its line, plus one grid line
    // for every list column.
    virtual int ColumnsWidth() = 0;
    virtual void SetAutoFitColWidths(bool Value) = 0;
    virtual void SetSizeGripVisible(bool Value) = 0;
    // Set by every change of the list's size.
    virtual bool UserResized() const = 0;
    virtual void SetUserResized(bool Value) = 0;
    // The list stops fitting its columns and lets go of its list source.
    virtual void FinishDropDown() = 0;
    virtual const Variant& KeyValue() const = 0;
    virtual void SetKeyValue(const Variant& Value) = 0;
    virtual const String& DisplayText() const = 0;
    // The rectangle of its special row and data rows (client coordinates).
    virtual TRect DataRect() = 0;
    // The special row's cell texts in the list's column order.
    virtual String SpecRowCellsText() = 0;
    // The list closes the editor's drop-down through this; a column moved inside the list.
    virtual void SetCloseUpHook(std::function<void(bool Accept)> Hook) = 0;
    virtual void SetColumnMovedHook(std::function<void()> Hook) = 0;

protected:
    ~IInplaceDataListGx() = default;
};

class TDBGridInplaceEdit : public TInplaceEdit, public IDropDownCloseGx {
    ORV_META(TDBGridInplaceEdit, TInplaceEdit)
    explicit TDBGridInplaceEdit(TComponent* AOwner);
    ~TDBGridInplaceEdit() override;

    TCustomDBGridGx* DBGrid() const;
    // The grid's focused column (nullptr outside the columns).
    TColumnGx* Column() const;

    // ---- loading and style ----------------------------------------------------------------------
    TInplaceEditStyleGx EditStyle() const { return FEditStyle; }
    void ApplyEditStyle(TInplaceEditStyleGx Style);
    // Style, font, colour, text, read-only state, mask, limit and remembered texts for the cell.
    virtual void LoadFromColumn();
    void LoadCellContents() override { LoadFromColumn(); }
    // Lays out the buttons and applies the text area (on every bounds change).
    virtual void ArrangeControls();
    void ApplyTextRect() override { ArrangeControls(); }
    // The rectangle the text keeps to, in editor coordinates.
    virtual TRect TextArea() const;
    virtual void RefreshImageIndex();
    int ImageIndex() const { return FImageIndex; }
    bool WordWrap() const { return FWordWrap; }
    // The cell's parameter events decided the read-only state.
    bool ReadOnlyFromParams() const { return FReadOnlyFromParams; }
    virtual void PaintRequiredMark(TCanvas* Canvas);
    void PaintAmountPrefix(TCanvas* Canvas);
    // The text a money cell shows before its digits ("￥" of the display format "￥,0.00"), shown
    // beside the edited amount where the cell shows it; empty for other cells.
    const String& AmountPrefix() const { return FAmountPrefix; }
    virtual void TextChangedByUser();
    bool UserChangedText() const { return FUserChangedText; }

    // ---- drop-downs -------------------------------------------------------------------------------
    // The popup the style drops down (nullptr for none).
    TWinControl* ActiveList() const { return FActiveList; }
    bool ListVisible() const { return FListVisible; }
    bool DroppedDown() const { return FDroppedDown; }
    virtual void DropDown();
    virtual void CloseUp(bool Accept);
    void CloseDropDown(bool Accept) override { CloseUp(Accept); }
    TPopupListboxGx* PickListBox() const { return FPickList; }
    TPopupMonthCalendarGx* Calendar() const { return FCalendar; }
    TPopupCalculatorGx* Calculator() const { return FCalculator; }
    virtual TPopupCalculatorGx* CalculatorPopup();
    // The lookup drop-down of the style iesDataList, nullptr when the column has none.
    IInplaceDataListGx* DataList() const { return FDataList; }
    // Set by the grid while it reloads the editor with a list open: the list stays open.
    bool CloseLock = false;
    // A wheel step while a list is open goes to that list; false when none is open.
    bool ListMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);

    // ---- edit buttons ---------------------------------------------------------------------------
    // Pairs of separator and button: entry 0 is the main button, entry i the column's edit
    // button i - 1. ButtonCount is the number in use (surplus controls stay hidden).
    int ButtonCount() const { return FButtonCount; }
    TEditButtonControlGx* ButtonControl(int Entry) const;
    TShape* ButtonSeparator(int Entry) const;
    int ButtonsWidth() const { return FButtonsWidth; }
    void LayoutButtons();
    virtual TEditButtonControlGx* NewButtonControl();
    // The main button pressed (Down: its lower half): a step for up-down, else the drop-down.
    virtual void ButtonPressed(bool Down);
    virtual void ButtonClicked(TEditButtonControlGx* Button);
    virtual void ButtonMouseDown(TEditButtonControlGx* Button, bool TopButton, bool& AutoRepeat,
                                 bool& Handled);
    virtual void ButtonMouseMoved(TEditButtonControlGx* Button, TShiftState Shift, int X, int Y);
    virtual void ButtonMouseReleased(TEditButtonControlGx* Button, int X, int Y);
    // The first of the column's edit buttons with the short cut, nullptr when none.
    TEditButtonGx* EditButtonForShortCut(TShortCut ShortCut) const;

    // ---- remembered texts -------------------------------------------------------------------------
    TMRUListGx* MRUList() const { return FMRUList; }
    bool MRUDroppedDown() const { return FMRUList && FMRUList->ListDroppedDown; }
    TMRUListboxGx* MRUBox() const { return FMRUBox; }
    virtual TMRUListboxGx* NewMRUListBox();
    void MRUDropDown();
    void MRUCloseUp(bool Accept);
    virtual void MRUBoxResized();

    // ---- typing against a list --------------------------------------------------------------------
    // Completes typed text against the column's lookup list or pick list; empties KeyText when the
    // character is taken.
    virtual void CompleteKeyText(String& KeyText);
    // After a deletion: the grid's edit text and, for a lookup list, its key follow the text.
    void SyncListText();
    // The first entry equal to Text ignoring case, or with Partial beginning with it; -1.
    static int LocateListString(TStrings* Strings, const String& Text, bool Partial);
    // The user's paste (Ctrl+V, Shift+Insert): into a lookup or key-list column the clipboard's
    // text completes against the list; false leaves a plain paste to the edit control.
    bool PasteText();

    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void SetVisible(bool Value) override;
    void DoEnter() override;
    void DoExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Change() override;
    // The lookup drop-down of a column: its lookup list grid.
    virtual IInplaceDataListGx* ColumnDataList(TColumnGx* Column);

private:
    void PreviewMessage(TControlMessage& Message);
    bool HandleListKeys(Word Key, TShiftState Shift);
    bool RouteListKey(Word Key, TShiftState Shift);
    bool RouteMRUKey(const TControlMessage& Message);
    bool HasListStyle() const;
    bool ColumnModifiable();
    bool DeleteInList();
    void BackspaceInList();
    // The text without [Start, Start + Length), put with the caret at Start.
    void RemoveText(int Start, int Length);
    String TextBeforeSelection() const;
    void FollowListText();
    void PutText(const String& Text);
    void SelectCompleted(int TypedLength);
    void DataListDropDown(TColumnGx* Column, TDataSet* List);
    void PickListDropDown(TColumnGx* Column);
    void AcceptDataList(TColumnGx* Column, const Variant& Key);
    void PopDropdownMenu(TEditButtonGx* Item, TEditButtonControlGx* Control);
    void StepUpDown(bool Down);
    void ForgetDataList();
    void ForwardMouseToList(Cardinal Msg, TEditButtonControlGx* Button, int X, int Y, TShiftState Shift);
    bool FocusInside(TWinControl* Window) const;

    TInplaceEditStyleGx FEditStyle = iesSimple;
    TWinControl* FActiveList = nullptr;
    IInplaceDataListGx* FDataList = nullptr;
    TPopupListboxGx* FPickList = nullptr;
    TPopupMonthCalendarGx* FCalendar = nullptr;
    TPopupCalculatorGx* FCalculator = nullptr;
    std::unique_ptr<TDataSource> FLookupSource;
    bool FListVisible = false;
    bool FDroppedDown = false;
    bool FNoClickCloseUp = false;
    bool FListColumnsMoved = false;
    String FTextBeforeDropDown;
    // A press of the main button carried on into the open list (drag to choose).
    TWinControl* FDragList = nullptr;
    TMRUListGx* FMRUList = nullptr;
    TMRUListboxGx* FMRUBox = nullptr;
    // Text the editor takes from a list: not a change that opens the remembered texts.
    bool FTakingListText = false;
    struct TButtonPair {
        TShape* Separator = nullptr;
        TEditButtonControlGx* Button = nullptr;
    };
    std::vector<TButtonPair> FButtons;
    int FButtonCount = 0;
    int FButtonsWidth = 0;
    bool FWordWrap = false;
    int FImageIndex = -1;
    String FAmountPrefix;
    bool FReadOnlyFromParams = false;
    bool FUserChangedText = false;
    // The key being typed (a whole character, UTF-8).
    String FKeyText;
    // A key press the open calculator took: its key-down goes no further.
    bool FCalculatorKey = false;
    TShiftState FLastKeyShift;
    char16_t FPendingSurrogate = 0;
};
