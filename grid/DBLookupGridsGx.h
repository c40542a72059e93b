// The lookup grid: a data grid over a list data set that stands for one chosen record, the one
// whose key fields equal its key value. It highlights that record, may show a special first row
// that stands for a value outside the list, scrolls the list record by record, sizes its height
// in whole rows and can fit its columns to its width. The chosen key is its own, or the value of
// fields of another data set it is bound to (directly, or through a lookup field of that data
// set). Its drop-down form, TPopupDataGridGx, is the list of every lookup column's in-place editor.
//
// The implementation is split by job:
//   DBLookupGridsGx.cpp         construction, properties, options, the bound data link
//   DBLookupGridsGxColumns.cpp  the columns, their special-row cells, the column defaults
//   DBLookupGridsGxKeys.cpp     key and list binding, locating and choosing the key record
//   DBLookupGridsGxRows.cpp     record position, sizing by rows, scroll bar, column fitting
//   DBLookupGridsGxPaint.cpp    the special row and the highlighted key record
//   DBLookupGridsGxInput.cpp    keys, mouse, wheel and auto-scroll
//   DBLookupGridsGxPopup.cpp    the drop-down form
#pragma once

#include "grid/DBGridGx.h"
#include "grid/DBGridGxInplaceEdit.h"
#include "grid/ToolCtrlsGxGrip.h"
#include "grid/ToolCtrlsGxLists.h"

#include <memory>
#include <vector>

class TDBLookupGridGx;
class TDBLookupGridColumnGx;

// The special-row cell of one lookup column. A value not set on the cell follows the grid's
// special row: the text of the cell at the column's index, the row's colour and font.
class TGridColumnSpecCellGx : public TPersistent {
    ORV_META(TGridColumnSpecCellGx, TPersistent)
    explicit TGridColumnSpecCellGx(TDBLookupGridColumnGx* Column = nullptr);
    TDBLookupGridColumnGx* Column() const { return FColumn; }
    String Text() const;
    void SetText(const String& Value);
    TColor Color() const;
    void SetColor(TColor Value);
    TFont* Font();
    void SetFont(TFont* Value);
    bool TextAssigned() const { return FTextAssigned; }
    bool ColorAssigned() const { return FColorAssigned; }
    bool FontAssigned() const { return FFontAssigned; }
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override;

private:
    TSpecRowGx* GridSpecRow() const;
    void Changed();
    TDBLookupGridColumnGx* FColumn;
    String FText;
    TColor FColor = clWindow;
    TFont FFont;
    bool FTextAssigned = false, FColorAssigned = false, FFontAssigned = false;
    bool FCopyingDefaultFont = false;
};

// A column of the lookup grid. A column the grid made itself for a list field keeps its width
// and its place with the column (the list data set's fields stay as they are); moving any column
// moves its special-row text along.
class TDBLookupGridColumnGx : public TColumnGx {
    ORV_META(TDBLookupGridColumnGx, TColumnGx)
    explicit TDBLookupGridColumnGx(TCollection* Collection);
    TDBLookupGridGx* LookupGrid() const;
    TGridColumnSpecCellGx* SpecCell() const { return FSpecCell.get(); }
    void SetSpecCell(TGridColumnSpecCellGx* Value) { FSpecCell->Assign(Value); }
    void SetIndex(int Value) override;
    void SetWidth(int Value) override;
    void Assign(const TPersistent* Source) override;

private:
    std::unique_ptr<TGridColumnSpecCellGx> FSpecCell;
};

// The lookup grid's column defaults: only the ellipsis, the titles and the tool tips.
class TDBLookupGridColumnDefValuesGx : public TColumnDefValuesGx {
    ORV_META(TDBLookupGridColumnDefValuesGx, TColumnDefValuesGx)
    using TColumnDefValuesGx::TColumnDefValuesGx;
};

// The link to the data source whose fields receive the key.
class TLookupGridDataLinkGx : public TDataLink {
public:
    explicit TLookupGridDataLinkGx(TDBLookupGridGx* Grid) : FGrid(Grid) {}
    String ClassName() const override { return "TLookupGridDataLinkGx"; }
    // The data source cannot be changed (a grid inside a data-control grid).
    bool DataSourceFixed = false;

protected:
    void ActiveChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* Field) override;
    void FocusControl(TField** Field) override;

private:
    TDBLookupGridGx* FGrid;
};

class TDBLookupGridGx : public TCustomDBGridGx {
    ORV_META(TDBLookupGridGx, TCustomDBGridGx)
    explicit TDBLookupGridGx(TComponent* AOwner);
    ~TDBLookupGridGx() override;

    // ---- list and key ------------------------------------------------------------------------
    // The list data set's source (the grid's DataSource).
    TDataSource* ListSource() const { return DataSource(); }
    void SetListSource(TDataSource* Value);
    // The list data set's key fields ("A;B"); empty while the grid follows a lookup field.
    String KeyField() const { return FLookupMode ? String() : FKeyField; }
    void SetKeyField(const String& Value);
    const String& ListField() const { return FListField; }
    void SetListField(const String& Value);
    int ListFieldIndex() const { return FListFieldIndex; }
    void SetListFieldIndex(int Value);
    const std::vector<TField*>& KeyFields() const { return FKeyFields; }
    const std::vector<TField*>& ListFields() const { return FListFields; }
    // The list field that gives the display text.
    TField* DisplayField() const { return FDisplayField; }
    // The chosen key: Null for none, an array for several key fields.
    const Variant& KeyValue() const { return FKeyValue; }
    void SetKeyValue(const Variant& Value);
    // The display field's text of the chosen record, or the special row's text.
    const String& DisplayText() const { return FDisplayText; }

    // ---- binding -----------------------------------------------------------------------------
    TDataSource* BoundDataSource() const { return FBoundLink->DataSource(); }
    void SetBoundDataSource(TDataSource* Value);
    const String& BoundDataField() const { return FBoundDataField; }
    void SetBoundDataField(const String& Value);
    TLookupGridDataLinkGx* BoundLink() const { return FBoundLink.get(); }
    // The bound link's read-only state.
    bool ReadOnly() const { return FBoundLink->ReadOnly(); }
    void SetReadOnly(bool Value) { FBoundLink->SetReadOnly(Value); }
    const std::vector<TField*>& BoundFields() const { return FBoundFields; }
    // The fields actually written: the bound fields, or the key fields of a bound lookup field.
    const std::vector<TField*>& MasterFields() const { return FMasterFields; }
    const String& MasterFieldNames() const { return FMasterFieldNames; }
    // The only bound field is a lookup field: its lookup data set is the list.
    bool LookupMode() const { return FLookupMode; }
    TDataSource* LookupSource() const { return FLookupSource.get(); }
    void BoundRecordChanged(TField* Field);

    // ---- special row -------------------------------------------------------------------------
    TSpecRowGx* SpecRow() const { return FSpecRow.get(); }
    void SetSpecRow(TSpecRowGx* Value) { FSpecRow->Assign(Value); }
    bool SpecRowSelected() const { return FSpecRowSelected; }

    // ---- look and size -----------------------------------------------------------------------
    TDBLookupGridGxOptions LookupOptions() const { return FLookupOptions; }
    void SetLookupOptions(TDBLookupGridGxOptions Value);
    // The data rows the height holds (1 to 100).
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    bool ShowTitles() const { return (Options() & dgTitles) != 0; }
    void SetShowTitles(bool Value);
    void SetUseMultiTitle(bool Value);
    // Columns fitted to the width (the lookup grid's own setting).
    bool AutoFitColWidths() const { return FAutoFitColWidths; }
    void SetAutoFitColWidths(bool Value);
    // The special row and the data rows the height holds, over all data columns.
    TRect DataRect();
    // The width all columns need (the drop-down width that fits the columns).
    int ColumnsWidth();

    // ---- state -------------------------------------------------------------------------------
    int RecordIndex() const { return FRecordIndex; }
    int RecordCount() const { return FRecordCount; }
    bool ListActive() const { return FListActive; }
    bool KeyRowPositioned() const { return FKeyRowPositioned; }
    bool PopupMode() const { return FPopupMode; }
    int SpecRowHeight() const { return FSpecRowHeight; }
    // The held record whose key is the chosen one, -1 when none is.
    int HeldKeyRecord();
    // The title rows' height (row 0 with titles, else 0).
    int TitlesHeight();

    // ---- operations --------------------------------------------------------------------------
    virtual bool CanModify();
    virtual int FrameSize();
    virtual int SpecialRowHeight();
    virtual int DataRowHeight();
    virtual void KeyValueUpdated();
    virtual void RefreshRecordPosition();
    virtual void ChooseKeyValue(const Variant& Value);
    virtual void SpecRowTouched();
    virtual void FitColumnWidths();
    virtual void BindDataFields();
    virtual void BindListFields();
    virtual bool LocateKeyRecord();
    void ChooseCurrentRecord();
    void ChooseSpecRow();
    void ChooseItemAt(int X, int Y);
    // One step of the repeat timer while the mouse tracks beyond the top or bottom edge.
    void TrackingScrollStep();
    TTimer* TrackingTimer() const { return FTrackingTimer.get(); }
    bool Tracking() const { return FTracking; }

    // ---- grid overrides ----------------------------------------------------------------------
    int FilterRowCount() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void RequestLayout() override;
    void AdjustRowCount() override;
    void SyncCurrentRow() override;
    void AdjustVertScrollBar() override;
    void ApplyDataSetScroll(int Distance) override;
    bool GetDataCellColors(int ACol, int ARow, int DataCol, int DataRow, TFont* AFont, TColor& Background,
                           TGridDrawState State, bool InSelection) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos) override;
    void DoEnter() override;
    void DoExit() override;
    void SetFocus() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CancelMode() override;

protected:
    friend class TLookupGridDataLinkGx;
    friend class TDBLookupGridColumnGx;
    void BuildFieldMap() override;
    void ApplyLinkActive(bool Active) override;
    void ApplyDataSetChange() override;
    void PaintCell(int Col, int Row, const TRect& Rect, TGridDrawState State) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void ColWidthsWereChanged() override;
    bool PressTakesFocus() const override { return !FPopupMode; }
    void SetPopupMode(bool Value) { FPopupMode = Value; }
    // Whether the grid's list data set is at its first record.
    bool ListAtBeginning();
    // Re-applies RowCount to the height (after anything that changed the rows' heights).
    void ReapplyRowCount();
    // The key of the list record that is active now.
    Variant ActiveRecordKey();
    void UpdateRecordPosition();
    void PaintSpecRowCell(int Col, const TRect& Rect);
    void RejectCircularLink();
    void RejectInLookupMode();
    void ApplyLookupMode();
    void ResolveListFields();
    // Moves the list data set by Distance and chooses the record it comes to.
    void StepList(int Distance);
    void StartTracking();
    void StopTracking();

private:
    std::unique_ptr<TLookupGridDataLinkGx> FBoundLink;
    std::unique_ptr<TDataSource> FLookupSource;
    std::unique_ptr<TSpecRowGx> FSpecRow;
    std::unique_ptr<TTimer> FTrackingTimer;
    String FKeyField, FListField, FBoundDataField, FMasterFieldNames;
    std::vector<TField*> FKeyFields, FListFields, FBoundFields, FMasterFields;
    TField* FDisplayField = nullptr;
    int FListFieldIndex = 0;
    Variant FKeyValue;
    String FDisplayText;
    TDBLookupGridGxOptions FLookupOptions = 0;
    int FRowCount = 7;
    int FRecordIndex = 0, FRecordCount = 0;
    bool FListActive = false;
    bool FKeyRowPositioned = false;
    bool FLockPosition = false;
    bool FLookupMode = false;
    bool FAutoFitColWidths = false;
    bool FSpecRowSelected = false;
    int FSpecRowHeight = 0;
    bool FPopupMode = false;
    bool FFocused = false;
    bool FTracking = false;
    int FMouseY = 0;
    bool FInResize = false, FInRowAdjust = false, FInDataSetChange = false;
    TScrollInfo FLastVertInfo{};
    bool FVertInfoSet = false;
};

// The lookup grid as a drop-down: a pop-up tool window with a size grip that never takes the
// focus. The pointer moving over it chooses the record under it; a release over a record or the
// special row closes it accepting, a release outside it closes it cancelling. It is the lookup
// drop-down of a column's in-place editor.
class TPopupDataGridGx : public TDBLookupGridGx, public IInplaceDataListGx {
    ORV_META(TPopupDataGridGx, TDBLookupGridGx)
    explicit TPopupDataGridGx(TComponent* AOwner);

    // Called to close the drop-down: accepting the chosen key or not.
    std::function<void(TObject* Sender, bool Accept)> CloseUpHook;
    TSizeGripGx* SizeGrip() const { return FSizeGrip; }
    // Set by every change of the size; the editor clears it after dropping the grid down.
    bool UserResized() const override { return FUserResized; }
    void SetUserResized(bool Value) override { FUserResized = Value; }
    bool InUserAction() const { return FInUserAction; }
    bool PressedInList() const { return FPressedInList; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    Integer Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) override;
    void KeyDown(Word& Key, TShiftState Shift) override;

    // ---- the in-place editor's drop-down ------------------------------------------------------
    TWinControl* ListControl() override { return this; }
    void PrepareDropDown(const TDataListDropDownGx& Settings) override;
    int RowCount() const override { return TDBLookupGridGx::RowCount(); }
    void SetRowCount(int Value) override { TDBLookupGridGx::SetRowCount(Value); }
    int ColumnsWidth() override { return TDBLookupGridGx::ColumnsWidth(); }
    void SetAutoFitColWidths(bool Value) override { TDBLookupGridGx::SetAutoFitColWidths(Value); }
    void SetSizeGripVisible(bool Value) override { FSizeGrip->SetVisible(Value); }
    void FinishDropDown() override;
    const Variant& KeyValue() const override { return TDBLookupGridGx::KeyValue(); }
    void SetKeyValue(const Variant& Value) override { TDBLookupGridGx::SetKeyValue(Value); }
    const String& DisplayText() const override { return TDBLookupGridGx::DisplayText(); }
    TRect DataRect() override { return TDBLookupGridGx::DataRect(); }
    String SpecRowCellsText() override { return SpecRow()->CellsText(); }
    void SetCloseUpHook(std::function<void(bool Accept)> Hook) override;
    void SetColumnMovedHook(std::function<void()> Hook) override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The drop-down's own one-pixel border, a raised outer edge.
    unsigned RimEdge() const override;

private:
    TSizeGripGx* FSizeGrip = nullptr;
    bool FUserResized = false;
    bool FInUserAction = false;
    bool FPressedInList = false;
};
