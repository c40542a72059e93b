// The data grid's state, options, data link, layout lock and cell classification.
#include "grid/DBGridGx.h"

#include "classes/MetaBuilder.h"
#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxFilterEdit.h"
#include "grid/DBGridGxImpExp.h"
#include "grid/DBGridGxStyle.h"
#include "grid/DBGridGxText.h"
#include "gui/DeferredCall.h"
#include "gui/HintWindow.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

// ---- data link ----------------------------------------------------------------------------------

TGridDataLinkGx::TGridDataLinkGx(TCustomDBGridGx* Grid) : FGrid(Grid) { SetVisualControl(true); }

bool TGridDataLinkGx::AppendFieldIndex(const String& FieldName) {
    TDataSet* ds = DataSet();
    TField* f = SparseMap ? ds->FindField(FieldName) : ds->FieldByName(FieldName);
    if (FFieldCount >= static_cast<int>(FFieldMap.size())) {
        int cap = FFieldMap.empty() ? 8 : static_cast<int>(FFieldMap.size()) * 2;
        if (cap < FFieldCount) cap = FFieldCount + 1;
        FFieldMap.resize(static_cast<size_t>(cap), -1);
    }
    FFieldMap[static_cast<size_t>(FFieldCount++)] = f ? ds->Fields().IndexOf(f) : -1;
    return true;
}

void TGridDataLinkGx::EmptyFieldMap() {
    FFieldMap.clear();
    FFieldCount = 0;
}

TField* TGridDataLinkGx::Fields(int I) const {
    if (I < 0 || I >= FFieldCount || FFieldMap[static_cast<size_t>(I)] < 0 || !DataSet()) return nullptr;
    return DataSet()->Fields()[FFieldMap[static_cast<size_t>(I)]];
}

bool TGridDataLinkGx::DefaultFields() const {
    if (!DataSet()) return true;
    if (SparseMap)
        for (int i = 0; i < FFieldCount; ++i)
            if (FFieldMap[static_cast<size_t>(i)] < 0) return false;
    return DataSet()->DefaultFields();
}

void TGridDataLinkGx::ActiveChanged() {
    FGrid->ApplyLinkActive(Active());
    Modified = false;
}
void TGridDataLinkGx::DataSetChanged() {
    FGrid->ApplyDataSetChange();
    Modified = false;
}
void TGridDataLinkGx::DataSetScrolled(int Distance) { FGrid->ApplyDataSetScroll(Distance); }
void TGridDataLinkGx::LayoutChanged() {
    bool saved = FGrid->FInLinkLayout;
    FGrid->FInLinkLayout = true;
    try {
        FGrid->RequestLayout();
    } catch (...) {
        FGrid->FInLinkLayout = saved;
        throw;
    }
    FGrid->FInLinkLayout = saved;
    TDataLink::LayoutChanged();
}
void TGridDataLinkGx::RecordChanged(TField* Field) {
    FGrid->ApplyRecordChange(Field);
    Modified = false;
}
void TGridDataLinkGx::EditingChanged() {
    // A record no longer edited (cancelled or posted elsewhere) has no pending cell text to write.
    if (!Editing()) Modified = false;
    if ((FGrid->Options() & dgIndicator) && Active())
        FGrid->InvalidateOneCell(0, ActiveRecord() + FGrid->TitleOffset());
}
void TGridDataLinkGx::UpdateData() {
    if (FInUpdateData) return;
    FInUpdateData = true;
    try {
        if (Modified) {
            FGrid->PostEditorText();
            FGrid->WriteEditedValue();
        }
    } catch (...) {
        FInUpdateData = false;
        throw;
    }
    Modified = false;
    FInUpdateData = false;
}

// ---- construction -------------------------------------------------------------------------------

ORV_META_IMPL(TDBGridGxScrollBar)
void TDBGridGxScrollBar::DeclareMeta(meta::Class<TDBGridGxScrollBar>& c) {
    c.Property("Visible", &TDBGridGxScrollBar::Visible, &TDBGridGxScrollBar::Visible).Default(true);
    c.Property("Tracking", &TDBGridGxScrollBar::Tracking, &TDBGridGxScrollBar::Tracking).Default(false);
}

ORV_META_IMPL(TVertDBGridGxScrollBar)
void TVertDBGridGxScrollBar::DeclareMeta(meta::Class<TVertDBGridGxScrollBar>& c) {
    c.Property("VisibleMode", &TVertDBGridGxScrollBar::VisibleMode, &TVertDBGridGxScrollBar::VisibleMode)
        .Default(sbAutoShowGx);
}

ORV_META_IMPL(TCustomDBGridGx)
void TCustomDBGridGx::DeclareMeta(meta::Class<TCustomDBGridGx>&) {}

ORV_META_IMPL(TDBGridGx)
void TDBGridGx::DeclareMeta(meta::Class<TDBGridGx>& c) {
    using T = TDBGridGx;
    c.Property("AllowedOperations", &T::AllowedOperations, &T::AllowedOperations).Default(uint8_t(0x0F));
    c.Property("AllowedSelections", &T::AllowedSelections, &T::SetAllowedSelections).Default(uint8_t(0x1E));
    c.Property("AutoFitColWidths", &T::AutoFitColWidths, &T::SetAutoFitColWidths).Default(false);
    c.Property("ContraColCount", &T::ContraColCountGx, &T::SetContraColCountGx).Default(0);
    c.Property("DefaultDrawing", &T::DefaultDrawing, &T::DefaultDrawing).Default(true);
    c.Property("DrawMemoText", &T::DrawMemoText, &T::DrawMemoText).Default(false);
    c.Property("EvenRowColor", &T::EvenRowColor, &T::SetEvenRowColor).TypeName("TColor").Stored(&T::EvenRowColorAssigned);
    c.Property("FooterColor", &T::FooterColor, &T::SetFooterColor).TypeName("TColor").Default(clWindow);
    c.Property("FooterRowCount", &T::FooterRowCount, &T::SetFooterRowCount).Default(0);
    c.Property("FrozenCols", &T::FrozenCols, &T::SetFrozenCols).Default(0);
    c.Property("MinAutoFitWidth", &T::MinAutoFitWidth, &T::SetMinAutoFitWidth).Default(0);
    c.Property("OddRowColor", &T::OddRowColor, &T::SetOddRowColor).TypeName("TColor").Stored(&T::OddRowColorAssigned);
    c.Property("Options", &T::Options, &T::SetOptions).Default(TDBGridOptions(0x0CFD));
    c.Property("OptionsGx", &T::OptionsGx, &T::SetOptionsGx).Default(TDBGridGxOptions(0x10061));
    c.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false);
    c.Property("RowHeight", &T::RowHeight, &T::SetRowHeight).Default(0);
    c.Property("RowLines", &T::RowLines, &T::SetRowLines).Default(0);
    c.Property("RowSizingAllowed", &T::RowSizingAllowed, &T::SetRowSizingAllowed).Default(false);
    c.Property("ShowSerialNo", &T::ShowSerialNo, &T::ShowSerialNo).Default(false);
    c.Property("SortLocal", &T::SortLocal, &T::SortLocal).Default(false);
    c.Property("STFilter", &T::STFilter, &T::SetSTFilter);
    c.Property("TitleHeight", &T::TitleHeight, &T::SetTitleHeight).Default(0);
    c.Property("TitleImages", &T::TitleImages, &T::SetTitleImages);
    c.Property("TitleLines", &T::TitleLines, &T::SetTitleLines).Default(0);
    c.Property("UseMultiTitle", &T::UseMultiTitle, &T::SetUseMultiTitle).Default(false);
    c.Property("VTitleMargin", &T::VTitleMargin, &T::SetVTitleMargin).Default(10);
}

TCustomDBGridGx::TCustomDBGridGx(TComponent* AOwner) : TCustomGridGx(AOwner) {
    AcquireTextBitmap();
    FTitleRoot = std::make_unique<THeadTreeNode>("Root", 0, 0);
    SetStyle(nullptr);
    SetCenter(DefaultGridCenter());
    SetCellBackgroundFill(false);
    FTitleOffset = 0;
    FIndicatorOffset = 1;
    SetOptions(dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
               dgConfirmDelete | dgCancelOnExit);
    SetScrollBarsShown(ssHorizontal);
    SetGridOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing,
                                goColMoving, goEditing, goTabs});
    FColumnDefValues = std::make_unique<TDBGridGxColumnDefValuesGx>(this);
    FColumns = std::make_unique<TDBGridColumnsGx>(this);
    FIncSearchTimer = std::make_unique<TTimer>(nullptr);
    FIncSearchTimer->SetEnabled(false);
    FIncSearchTimer->OnTimer = [this](TObject*) { StopIncrementalSearch(); };
    FAutoScrollTimer = std::make_unique<TTimer>(nullptr);
    FAutoScrollTimer->SetEnabled(false);
    FToolTipFont = std::make_unique<TFont>();
    InitInput();
    SetControlHintQuery(this, [this](TControl*, THintInfo& Info) { CellHint(Info); });
    FBookmarks = std::make_unique<TBookmarkListGx>(this);
    FSelection = std::make_unique<TDBGridGxSelection>(this);
    SetRowsCount(2);
    SetColsCount(2);
    FDataLink = std::make_unique<TGridDataLinkGx>(this);
    SetColor(clWindow);
    SetParentColor(false);
    FTitleFont = std::make_unique<TFont>();
    FTitleFont->OnChange = [this](TObject*) {
        if (ComponentState().Contains(csLoading)) return;
        if (FOptions & dgTitles) RequestLayout();
    };
    SetSaveExtents(false);
    FSumList = std::make_unique<TDBGridGxSumList>(this);
    InstallSumListEvents();
    FHorzScrollBar = std::make_unique<TDBGridGxScrollBar>(this, sbHorizontal);
    FVertScrollBar = std::make_unique<TVertDBGridGxScrollBar>(this);
    FOptionsGx = dghFixed3D | dghHighlightFocus | dghClearSelection | dghDialogFind;
    FFooterFont = std::make_unique<TFont>();
    FFooterFont->OnChange = [this](TObject*) {
        if (ComponentState().Contains(csLoading)) return;
        if (FFooterRowCount > 0) RequestLayout();
    };
    // filter row, record moving
    FSTFilter = std::make_unique<TSTDBGridGxFilter>(this);
    FRecordMoveTimer = std::make_unique<TTimer>(nullptr);
    FRecordMoveTimer->SetEnabled(false);
    FRecordMoveTimer->OnTimer = [this](TObject*) { RecordMoveTimerTick(); };
}

TCustomDBGridGx::~TCustomDBGridGx() {
    Destroying(); // the selection and the editor stay quiet while the parts go
    DiscardDeferredCall(this);
    if (FStyle) FStyle->RemoveGrid(this);
    if (FCenter) FCenter->RemoveGrid(this);
    FLayoutLock = 1; // no layout while the parts go
    delete FFilterEditor; // it calls back into the grid as its holder
    FFilterEditor = nullptr;
    FMemTable = nullptr;
    FDataLink->SetDataSource(nullptr);
    FHorzScrollBar->SetExtScrollBar(nullptr);
    FVertScrollBar->SetExtScrollBar(nullptr);
    FSortMarkedColumns.Clear();
    FVisibleColumns.Clear();
    FColumns.reset();
    FDataLink.reset();
    ReleaseTextBitmap();
}

void TCustomDBGridGx::ReplaceColumns(std::unique_ptr<TDBGridColumnsGx> Columns,
                                     std::unique_ptr<TColumnDefValuesGx> DefValues) {
    FColumns = std::move(Columns);
    FColumnDefValues = std::move(DefValues);
}

// ---- properties ---------------------------------------------------------------------------------

void TCustomDBGridGx::SetDataSource(TDataSource* Value) {
    if (Value == DataSource()) return;
    FDataLink->SetDataSource(Value);
    ApplyLinkActive(FDataLink->Active());
    FSumList->SetDataSet(Value ? Value->DataSet() : nullptr);
}

void TCustomDBGridGx::ApplyGridOptions() {
    TGridOptions o = GridOptions();
    auto put = [&](TGridOption g, bool on) {
        if (on)
            o.Include(g);
        else
            o.Exclude(g);
    };
    put(goFixedVertLine, FOptions & dgColLines);
    put(goVertLine, FOptions & dgColLines);
    put(goFixedHorzLine, FOptions & dgRowLines);
    put(goHorzLine, FOptions & dgRowLines);
    put(goRowSizing, FRowSizingAllowed);
    put(goColSizing, FOptions & dgColumnResize);
    put(goColMoving, FOptions & dgColumnResize);
    put(goTabs, FOptions & dgTabs);
    put(goRowSelect, FOptions & dgRowSelect);
    put(goEditing, FOptions & dgEditing);
    put(goAlwaysShowEditor, FOptions & dgAlwaysShowEditor);
    SetGridOptions(o);
}

void TCustomDBGridGx::SetOptions(TDBGridOptions Value) {
    if (Value & dgRowSelect) Value &= static_cast<TDBGridOptions>(~(dgEditing | dgAlwaysShowEditor));
    if (Value == FOptions) return;
    TDBGridOptions changed = Value ^ FOptions;
    FOptions = Value;
    ApplyGridOptions();
    if ((changed & dgMultiSelect) && !(Value & dgMultiSelect)) ClearSelectionIfAllowed();
    if (changed & LayoutOptionsMask) RequestLayout();
}

void TCustomDBGridGx::SetOptionsGx(TDBGridGxOptions Value) {
    if (Value == FOptionsGx) return;
    if ((FOptionsGx & dghMultiSortMarking) && !(Value & dghMultiSortMarking)) {
        // Only the first column in sort order keeps its marker.
        std::vector<TColumnGx*> marked = FSortMarkedColumns.Items();
        FOptionsGx = Value;
        for (size_t i = 1; i < marked.size(); ++i)
            if (marked[i]) marked[i]->Title()->SetSortMarker(smNoneGx);
    }
    FOptionsGx = Value;
    RequestLayout();
}

void TCustomDBGridGx::SetReadOnly(bool Value) {
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    RequestLayout();
}

void TCustomDBGridGx::SetRowSizingAllowed(bool Value) {
    if (FRowSizingAllowed == Value) return;
    FRowSizingAllowed = Value;
    ApplyGridOptions();
}

void TCustomDBGridGx::SetFooterColor(TColor Value) {
    if (!ComponentState().Contains(csLoading)) SetParentColor(false);
    FFooterColor = Value;
    if (FFooterRowCount > 0) Invalidate();
}
void TCustomDBGridGx::SetEvenRowColor(TColor Value) {
    bool changed = EvenRowColor() != Value;
    FEvenRowColor = Value;
    FEvenRowColorAssigned = true;
    if (changed) Invalidate();
}
void TCustomDBGridGx::SetOddRowColor(TColor Value) {
    bool changed = OddRowColor() != Value;
    FOddRowColor = Value;
    FOddRowColorAssigned = true;
    if (changed) Invalidate();
}

void TCustomDBGridGx::SetRowHeight(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FRowHeight) return;
    FRowHeight = Value;
    RequestLayout();
}
void TCustomDBGridGx::SetRowLines(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FRowLines) return;
    FRowLines = Value;
    RequestLayout();
}
void TCustomDBGridGx::SetTitleHeight(int Value) {
    FTitleHeight = Value;
    RequestLayout();
}
void TCustomDBGridGx::SetTitleLines(int Value) {
    FTitleLines = Value;
    RequestLayout();
}
void TCustomDBGridGx::SetVTitleMargin(int Value) {
    FVTitleMargin = Value;
    RequestLayout();
}
void TCustomDBGridGx::SetMinAutoFitWidth(int Value) {
    FMinAutoFitWidth = Value;
    RequestLayout();
}
void TCustomDBGridGx::SetUseMultiTitle(bool Value) {
    FUseMultiTitle = Value;
    RequestLayout();
}
void TCustomDBGridGx::SetFrozenCols(int Value) {
    if (Value == FFrozenCols || Value < 0) return;
    FFrozenCols = Value;
    RequestLayout();
}
void TCustomDBGridGx::SetContraColCountGx(int Value) {
    if (Value == FContraColCountGx) return;
    FContraColCountGx = Value;
    RequestLayout();
}
void TCustomDBGridGx::SetFooterRowCount(int Value) {
    if (Value == FFooterRowCount || Value < 0) return;
    FFooterRowCount = Value;
    RequestLayout();
}

void TCustomDBGridGx::SetAutoFitColWidths(bool Value) {
    if (Value == FAutoFitColWidths) return;
    FAutoFitColWidths = Value;
    if (Value) {
        if (!ComponentState().Contains(csLoading))
            for (int i = 0; i < FColumns->Count(); ++i)
                FColumns->ColumnAt(i)->AutoFitBaseWidth = FColumns->ColumnAt(i)->Width();
        SetScrollBarsShown(ssNone);
    } else {
        FColumns->BeginUpdate();
        for (int i = 0; i < FColumns->Count(); ++i)
            FColumns->ColumnAt(i)->SetWidth(FColumns->ColumnAt(i)->AutoFitBaseWidth);
        FColumns->EndUpdate();
        SetScrollBarsShown(ssHorizontal);
    }
    RequestLayout();
}

// ---- columns ------------------------------------------------------------------------------------

TColumnGx* TCustomDBGridGx::ColumnByFieldName(const String& Name) const {
    for (int i = 0; i < FColumns->Count(); ++i)
        if (SameText(FColumns->ColumnAt(i)->FieldName(), Name)) return FColumns->ColumnAt(i);
    throw EInvalidGridOperationGx(Format("Field name '%s' not found", {Name}));
}

TField* TCustomDBGridGx::SelectedField() const {
    int i = FocusedColumnIndex();
    if (i < 0 || i >= FColumns->Count()) return nullptr;
    return FColumns->ColumnAt(i)->Field();
}

int TCustomDBGridGx::GetCellType(int ACol, int ARow, int& DataCol, int& DataRow) const {
    int type = 0;
    DataCol = ACol - FIndicatorOffset;
    if (ACol >= FIndicatorOffset) type = 1;
    int titleRows = TitleRowCount();
    int lastData = RowsCount() - 1;
    if (ARow < titleRows) {
        DataRow = ARow;
    } else if (ARow < FTitleOffset) {
        type |= ctFilterRowGx;
        DataRow = ARow - titleRows;
    } else if (ARow <= lastData) {
        type |= ctDataRowGx;
        DataRow = ARow - FTitleOffset;
    } else if (ARow < TotalRowsCount()) {
        type |= ctFooterRowGx;
        DataRow = ARow - lastData - 1;
    } else {
        throw Exception("Algorithm error in TCustomDBGridGx.GetCellType");
    }
    return type;
}

void TCustomDBGridGx::RebuildSortMarkedList() {
    FSortMarkedColumns.Clear();
    for (int i = 0; i < FColumns->Count(); ++i) {
        TColumnGx* c = FColumns->ColumnAt(i);
        int k = c->Title()->SortIndex();
        if (k <= 0) continue;
        if (FSortMarkedColumns.Count() < k) FSortMarkedColumns.Resize(k);
        FSortMarkedColumns.SetColumnAt(k - 1, c);
    }
}

void TCustomDBGridGx::ColumnsUpdated(TColumnGx* Column) {
    if (Column) {
        int c = Column->Index() + FIndicatorOffset;
        if (c < ColsCount()) {
            InvalidateOneColumn(c);
            if (!FAutoFitColWidths) {
                if (ColWidthAt(c) == Column->Width()) {
                    if (FUseMultiTitle) RequestLayout();
                } else {
                    SetColWidthAt(c, Column->Visible() ? Column->Width() : (FOptions & dgColLines) ? -1 : 0);
                }
            } else if (ColWidthAt(c) != -1) {
                int s = Column->AutoFitBaseWidth;
                int gw = ColWidthAt(c);
                // A grid width of 0 gives no scale: the base width stays.
                int nw = gw != 0 ? MulDiv(s, Column->Width(), gw) : s;
                Column->AutoFitBaseWidth = nw;
                if (c != ColsCount() - 1 && Column->Index() + 1 < FColumns->Count()) {
                    TColumnGx* next = FColumns->ColumnAt(Column->Index() + 1);
                    next->AutoFitBaseWidth = std::max(0, next->AutoFitBaseWidth + s - nw);
                }
                RequestLayout();
            }
        }
    } else {
        RebuildSortMarkedList();
        if (FSelection) FSelection->Columns()->Revalidate();
        RequestLayout();
    }
}

// ---- layout lock --------------------------------------------------------------------------------

void TCustomDBGridGx::BeginLayout() {
    BeginUpdate();
    if (FLayoutLock == 0) FColumns->BeginUpdate();
    ++FLayoutLock;
}

void TCustomDBGridGx::EndLayout() {
    if (FLayoutLock <= 0) return;
    try {
        if (FLayoutLock == 1) {
            try {
                PerformLayout();
            } catch (...) {
                FColumns->EndUpdate();
                throw;
            }
            FColumns->EndUpdate();
        }
    } catch (...) {
        --FLayoutLock;
        EndUpdate();
        throw;
    }
    --FLayoutLock;
    EndUpdate();
}

void TCustomDBGridGx::CancelLayout() {
    if (FLayoutLock <= 0) return;
    if (FLayoutLock == 1) FColumns->EndUpdate();
    --FLayoutLock;
    EndUpdate();
}

bool TCustomDBGridGx::AcquireLayoutLock() {
    if (FUpdateLock != 0 || FLayoutLock != 0) return false;
    BeginLayout();
    return true;
}

void TCustomDBGridGx::RequestLayout() {
    if (FColumns && AcquireLayoutLock()) EndLayout();
}

void TCustomDBGridGx::DeferLayout() {
    PostDeferredCall(this, [this] { DeferredLayoutDue(); });
    CancelLayout();
    EndUpdate();
}

void TCustomDBGridGx::DeferredLayoutDue() {
    if (AcquireLayoutLock())
        EndLayout();
    else {
        BeginLayout();
        DeferLayout();
    }
}

// ---- style and centre ---------------------------------------------------------------------------

void TCustomDBGridGx::SetStyle(TDBGridGxStyle* Value) {
    if (!Value) Value = DefaultGridStyle();
    if (Value == FStyle) return;
    if (FStyle) FStyle->RemoveGrid(this);
    FStyle = Value;
    if (FStyle)
        FStyle->AddGrid(this);
    else
        RequestLayout();
}
void TCustomDBGridGx::SetCenter(TDBGridGxCenter* Value) {
    if (Value == FCenter) return;
    if (FCenter) FCenter->RemoveGrid(this);
    FCenter = Value;
    if (FCenter) FCenter->AddGrid(this);
}

// ---- measuring ----------------------------------------------------------------------------------

int TCustomDBGridGx::MeasureTextWidth(TFont* Font, const String& Text) {
    TFont saved;
    saved.Assign(*Canvas()->Font());
    Canvas()->Font()->Assign(*Font);
    int w = Canvas()->TextWidth(Text);
    Canvas()->Font()->Assign(saved);
    return w;
}
int TCustomDBGridGx::MeasureTextHeight(TFont* Font, const String& Text) {
    TFont saved;
    saved.Assign(*Canvas()->Font());
    Canvas()->Font()->Assign(*Font);
    int h = Canvas()->TextHeight(Text);
    Canvas()->Font()->Assign(saved);
    return h;
}
TSize TCustomDBGridGx::MeasureTextBlock(TFont* Font, const String& Text, bool Wrap, int MaxWidth) {
    TFont saved;
    saved.Assign(*Canvas()->Font());
    const TScopeExit restore([&] { Canvas()->Font()->Assign(saved); });
    Canvas()->Font()->Assign(*Font);
    if (!Wrap) return Canvas()->TextExtent(Text);
    TRect r(0, 0, std::max(1, MaxWidth), 0);
    Canvas()->DrawText(Text, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return TSize(r.Width(), r.Height());
}
TTextMetric TCustomDBGridGx::MeasureMetrics(TFont* Font) {
    TFont saved;
    saved.Assign(*Canvas()->Font());
    Canvas()->Font()->Assign(*Font);
    TTextMetric tm = Canvas()->TextMetrics();
    Canvas()->Font()->Assign(saved);
    return tm;
}

int TCustomDBGridGx::SerialNoX(int IndicatorWidth, int TextWidth) {
    // A number wider than the room left of the image starts at the cell's left edge instead of
    // being pushed out of sight.
    return std::max(0, (IndicatorWidth - TextWidth - 11) / 2);
}


// ---- selection ----------------------------------------------------------------------------------

void TCustomDBGridGx::SetAllowedSelections(TDBGridGxAllowedSelections Value) {
    if (Value == AllowedSelections) return;
    AllowedSelections = Value;
    TDBGridGxSelectionType kind = FSelection->SelectionType();
    if (kind != gstNon && !(Value & (1 << kind))) FSelection->ClearSelection();
}

bool TCustomDBGridGx::SelectionAllowedNow(TDBGridGxSelectionType Kind) const {
    if (Kind == gstNon) return true;
    if (!(FOptions & dgMultiSelect) || !(AllowedSelections & (1 << Kind))) return false;
    return !((Kind == gstRectangle || Kind == gstColumns) && (FOptions & dgRowSelect));
}

void TCustomDBGridGx::InvalidateSelectionAndRow() {
    if (FSelection->SelectionType() == gstAll) {
        InvalidateWholeGrid();
    } else {
        TGridRect r = FSelection->ToGridRect();
        if (r.Left >= 0) InvalidateCellRange(r);
    }
    InvalidateOneRow(CurrentCell().Y);
    FFocusPainted = Focused() || (CellEditor() && CellEditor()->Focused());
}

void TCustomDBGridGx::ClearSelectionIfAllowed() {
    if ((FOptions & dgMultiSelect) && (FOptionsGx & dghClearSelection)) FBookmarks->Clear();
    SelectionAnchorSet = false;
    SelectionAnchor.clear();
    if (FSelection->SelectionType() != gstNon && (FOptionsGx & dghClearSelection)) {
        FSelection->ClearSelection();
        InvalidateWholeGrid();
        InvalidateEditor();
    }
}
