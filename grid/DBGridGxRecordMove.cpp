// Record moving: a press in the indicator (dghRecordMoving) drags the record, or the marked records,
// a move line follows the pointer between the rows (at a tree level for a data set in tree view),
// and the release moves them through OnMoveRecords, the data set's own mover or the centre.
#include "grid/DBGridGx.h"

#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxStyle.h"
#include "grid/ToolCtrlsGxMemTable.h"
#include "rtl/ScopeGuards.h"

namespace {

// The grid's tracking state while records are dragged.
constexpr int RecordMovingState = 7;
// The move line's timer.
constexpr Cardinal RecordMoveInterval = 60;
// Width of one tree level.
constexpr int TreeLevelWidth = 18;
// Half the height of the line's tick and the pen's width.
constexpr int MoveTickHalf = 5;
constexpr int MovePenWidth = 5;

} // namespace

bool TCustomDBGridGx::RecordMoving() const {
    return FTrackingState == RecordMovingState;
}

bool TCustomDBGridGx::RecordMoveAllowed(int, int, TPoint) {
    return true;
}

// ---- starting ---------------------------------------------------------------------------------------

bool TCustomDBGridGx::CanStartRecordMoving(int X, int Y, TShiftState Shift, bool CheckOnly) {
    if (!FDataLink->Active() || !(FOptionsGx & dghRecordMoving)) return false;
    const TGridCoord cell = MouseCell(X, Y);
    if (cell.X < 0 || cell.X >= FIndicatorOffset || cell.Y < FTitleOffset || cell.Y >= RowsCount())
        return false;
    TDataSet* ds = FDataLink->DataSet();
    const int dataRow = cell.Y - FTitleOffset;
    if (ds->IsEmpty() || dataRow >= FDataLink->RecordCount()) return false;
    TBookmark bookmark;
    int level = -1;
    {
        ActivateRow(dataRow);
        TScopeExit restore([this] { RestoreActiveRecord(); });
        bookmark = ds->GetBookmark();
        if (FMemTable && FMemTable->TreeViewMode()) level = FMemTable->NodeLevel();
    }
    if (SelectionAllowedNow(gstRecordBookmarks)) {
        // Marked records move together: only a marked row starts, and only without modifiers.
        if (Shift.Contains(ssShift) || Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) return false;
        if (FBookmarks->IndexOfBookmark(bookmark) < 0) return false;
    }
    if (CheckOnly) return true;
    if (!RecordMoveAllowed(cell.Y, cell.Y, TPoint(X, Y))) return false;
    FMoveSourceRow = FMoveTargetRow = cell.Y;
    FMoveBookmark = bookmark;
    FMoveSourceLevel = level;
    FMoveLastPoint = TPoint(X, Y);
    FTrackingState = RecordMovingState;
    Repaint();
    int targetLevel = -1;
    const int x = TreeRowHit(cell.Y, TPoint(X, Y), targetLevel);
    FMoveTargetLevel = targetLevel;
    DrawRecordMoveMark(x, ClientWidth());
    FRecordMoveTimer->SetInterval(RecordMoveInterval);
    FRecordMoveTimer->SetEnabled(true);
    SetMouseCapture(true);
    return true;
}

bool TCustomDBGridGx::RecordMoveMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button != mbLeft) return false;
    return CanStartRecordMoving(X, Y, Shift, false) || TreeButtonClick(X, Y, false);
}

// ---- the drop level and the move line ---------------------------------------------------------------

int TCustomDBGridGx::TreeRowHit(int Row, TPoint Point, int& Level) {
    int left = DataCellsLeft();
    if (FVisibleColumns.Count() > 0) {
        const TRect first = CellScreenRect(FVisibleColumns.ColumnAt(0)->Index() + FIndicatorOffset, Row);
        if (!IsRectEmpty(first)) left = first.Left;
    }
    Level = -1;
    if (!FMemTable || !FMemTable->TreeViewMode() || Row < FTitleOffset || Row >= RowsCount()) return left;
    int level = 0, next = 0, parent = 1;
    {
        ActivateRow(Row - FTitleOffset);
        TScopeExit restore([this] { RestoreActiveRecord(); });
        level = FMemTable->NodeLevel();
        next = FMemTable->NextNodeLevel();
        parent = std::max(1, FMemTable->ParentNodeLevel());
    }
    Level = level;
    int x = left + level * TreeLevelWidth;
    if (Row > FMoveSourceRow) {
        Level = parent;
        x = left + parent * TreeLevelWidth;
    }
    if (Point.X > x) {
        Level = std::min((Point.X - left) / TreeLevelWidth, next + 1);
        x = left + Level * TreeLevelWidth;
    }
    return x;
}

int TCustomDBGridGx::DataCellsLeft() const {
    const GridLayout l = CalcGridLayout();
    return l.Cols.FrozenStart;
}

TRect TCustomDBGridGx::MoveLineRect() const {
    const int reach = MoveTickHalf + MovePenWidth;
    return TRect(std::min(FMoveLineX, FMoveLineRight) - reach, FMoveLineY - reach,
                 std::max(FMoveLineX, FMoveLineRight) + reach, FMoveLineY + reach + 1);
}

void TCustomDBGridGx::DrawRecordMoveMark(int X, int Right) {
    if (!RecordMoving()) return;
    HideRecordMoveMark();
    const TRect row = CellScreenRect(0, FMoveTargetRow);
    const bool down = FMoveTargetRow > FMoveSourceRow ||
                      (FMoveTargetRow == FMoveSourceRow && FMoveTargetLevel < FMoveSourceLevel);
    FMoveLineX = X;
    FMoveLineY = down ? row.Bottom : row.Top;
    FMoveLineRight = Right;
    FMoveLineShown = true;
    InvalidateGridRect(MoveLineRect());
}

void TCustomDBGridGx::HideRecordMoveMark() {
    if (!FMoveLineShown) return;
    FMoveLineShown = false;
    InvalidateGridRect(MoveLineRect());
}

void TCustomDBGridGx::PaintOverCells() {
    if (FMoveLineShown && RecordMoving()) PaintMoveLine();
}

void TCustomDBGridGx::PaintMoveLine() {
    TCanvas* c = Canvas();
    TPen saved;
    saved.Assign(*c->Pen());
    TScopeExit restore([&] { c->Pen()->Assign(saved); });
    c->Pen()->SetStyle(psDot);
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetWidth(MovePenWidth);
    c->Pen()->SetColor(clSilver);
    c->MoveTo(FMoveLineX, FMoveLineY);
    c->LineTo(FMoveLineRight, FMoveLineY);
    c->MoveTo(FMoveLineX, FMoveLineY - MoveTickHalf);
    c->LineTo(FMoveLineX, FMoveLineY + MoveTickHalf);
}

// ---- tracking -----------------------------------------------------------------------------------

void TCustomDBGridGx::TrackRecordMove(int Y, int Row, TPoint Point, bool FromTimer) {
    (void)FromTimer;
    if (!RecordMoving()) return;
    const GridLayout l = CalcGridLayout();
    const int top = l.Rows.FixedEnd;
    const int lastRow = RowsCount() - 1;
    int target = std::clamp(Row, FTitleOffset, lastRow);
    if (FMemTable) {
        const int topRow = TopLeftCell().Y;
        if (Y < top) {
            if (topRow > FixedRowsCount()) {
                HideRecordMoveMark();
                SetFirstVisibleRow(topRow - 1);
                Repaint();
            }
            target = TopLeftCell().Y;
        } else if (Y >= l.Rows.ScrollEnd) {
            if (topRow < MaxTopLeftFor(TGridCoord{FixedColsCount(), lastRow}, l).Y) {
                HideRecordMoveMark();
                SetFirstVisibleRow(topRow + 1);
                Repaint();
            }
            target = std::clamp(CalcGridLayout().Rows.LastFullCell, FTitleOffset, lastRow);
        }
    } else {
        const TRect last = CellScreenRect(0, lastRow);
        if (Y >= last.Bottom || Point.X >= l.Cols.WholeEnd) {
            // One more record comes into view below.
            FDataLink->MoveBy(FDataLink->RecordCount() - FDataLink->ActiveRecord());
            target = RowsCount() - 1;
        } else if (Y < top) {
            FDataLink->MoveBy(-(FDataLink->ActiveRecord() + 1));
            target = FTitleOffset;
        }
    }
    int level = -1;
    const int x = TreeRowHit(target, Point, level);
    if (!MoveSelectedRecords(target - FTitleOffset, level, true)) return; // the line stays
    FMoveTargetRow = target;
    FMoveTargetLevel = level;
    DrawRecordMoveMark(x, ClientWidth());
}

void TCustomDBGridGx::RecordMoveTimerTick() {
    if (!RecordMoving()) {
        FRecordMoveTimer->SetEnabled(false);
        return;
    }
    TrackRecordMove(FMoveLastPoint.Y, MouseCell(FMoveLastPoint.X, FMoveLastPoint.Y).Y, FMoveLastPoint, true);
}

bool TCustomDBGridGx::RecordMoveMouseMove(int X, int Y) {
    if (!RecordMoving()) return false;
    if (UseRightToLeftAlignment()) X = ClientWidth() - X;
    FMoveLastPoint = TPoint(X, Y);
    TrackRecordMove(Y, MouseCell(X, Y).Y, FMoveLastPoint, false);
    return true;
}

// ---- ending and moving ----------------------------------------------------------------------------

void TCustomDBGridGx::EndRecordDrag(int X, int Y, bool Perform) {
    FRecordMoveTimer->SetEnabled(false);
    HideRecordMoveMark();
    const bool wasMoving = RecordMoving();
    if (wasMoving) FTrackingState = 0;
    if (MouseCapture()) SetMouseCapture(false);
    if (!Perform || !wasMoving) return;
    int origin = FMoveSourceRow, destination = FMoveTargetRow;
    if (!FinishRowDrag(origin, destination, TPoint(X, Y))) return;
    if (FMoveTargetRow != FMoveSourceRow || FMoveTargetLevel != FMoveSourceLevel)
        MoveSelectedRecords(FMoveTargetRow - FTitleOffset, FMoveTargetLevel, false);
}

int TCustomDBGridGx::RecNoOfDataRow(int DataRow) {
    if (FMemTable) return DataRow + 1;
    TDataSet* ds = FDataLink->DataSet();
    return ds ? ds->RecNo() + (DataRow - FDataLink->ActiveRecord()) : 0;
}

bool TCustomDBGridGx::MoveSelectedRecords(int TargetDataRow, int Level, bool CheckOnly) {
    TStringList bookmarks;
    if (FBookmarks->BookmarkCount() > 0)
        for (int i = 0; i < FBookmarks->BookmarkCount(); ++i)
            bookmarks.Add(FBookmarks->BookmarkAt(i));
    else
        bookmarks.Add(FMoveBookmark);
    return MoveRecordsTo(&bookmarks, RecNoOfDataRow(TargetDataRow), Level, CheckOnly);
}

bool TCustomDBGridGx::MoveRecordsTo(TStrings* BookmarkList, int ToRecNo, int Level, bool CheckOnly) {
    if (OnMoveRecords) return OnMoveRecords(this, BookmarkList, ToRecNo, Level, CheckOnly);
    return DefaultMoveRecords(BookmarkList, ToRecNo, Level, CheckOnly);
}

bool TCustomDBGridGx::DefaultMoveRecords(TStrings* BookmarkList, int ToRecNo, int Level, bool CheckOnly) {
    if (FMemTable) return FMemTable->MoveRecords(BookmarkList, ToRecNo, Level, CheckOnly);
    TDataSet* ds = FDataLink->DataSet();
    if (!ds || !FCenter) return false;
    // The view stays: the middle shown record and the current one's distance from it come back.
    const int middle = RecNoOfDataRow(std::max(0, FDataLink->RecordCount() - 1) / 2);
    const int distance = ds->RecNo() - middle;
    const bool moved = FCenter->MoveRecords(this, BookmarkList, ToRecNo, Level, CheckOnly) != 0;
    if (!CheckOnly && middle >= 1 && middle <= ds->RecordCount()) {
        ds->SetRecNo(middle);
        ds->MoveBy(distance);
    }
    return moved;
}

// ---- the centre's record mover --------------------------------------------------------------------

int TDBGridGxCenter::MoveRecords(TCustomDBGridGx* Grid, TStrings* BookmarkList, int ToRecNo, int TreeLevel,
                                 bool CheckOnly) {
    return DefaultMoveRecords(Grid, BookmarkList, ToRecNo, TreeLevel, CheckOnly);
}

int TDBGridGxCenter::DefaultMoveRecords(TCustomDBGridGx* Grid, TStrings* BookmarkList, int ToRecNo,
                                        int TreeLevel, bool CheckOnly) {
    TDataSet* ds = Grid->DataLink()->DataSet();
    TDataSetCapabilitiesGx* features = FindDatasetFeatures(ds);
    if (!features) return 0;
    return features->MoveRecords(Grid, ds, BookmarkList, ToRecNo, TreeLevel, CheckOnly) ? 1 : 0;
}
