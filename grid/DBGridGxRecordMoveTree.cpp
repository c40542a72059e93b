// Tree nodes of a data set in tree view: each row's first visible column begins with its tree part
// (18 pixels per level: a line for every ancestor with a following sibling, then the node's own
// button or leaf connector), a press on the node's button expands or collapses it, and the keypad's
// "*", "+" and "-" toggle, expand and collapse the current node.
#include "grid/DBGridGx.h"

#include "grid/ToolCtrlsGxButtons.h"
#include "grid/ToolCtrlsGxMemTable.h"
#include "gui/Input.h"
#include "rtl/ScopeGuards.h"

namespace {

constexpr int TreeLevelWidth = 18;

// PaintTreeGlyph's kinds: buttons with the line above and below (not the last sibling) or above
// only (the last), leaf connectors likewise, and an ancestor's through line.
enum : int {
    tgMinusBetween = 0,
    tgMinusLast = 1,
    tgPlusBetween = 3,
    tgPlusLast = 4,
    tgLeafBetween = 6,
    tgLeafLast = 7,
    tgThroughLine = 9
};

// After a node flipped: the record it answered becomes current, or the data set refreshes.
void GoToNodeRecord(IMemTableGx* Table, TDataSet* DataSet, int RecNo) {
    if (RecNo >= 1 && RecNo != DataSet->RecNo())
        DataSet->SetRecNo(RecNo);
    else
        Table->MemTableRefresh();
}

} // namespace

int TCustomDBGridGx::TreeIndentWidth() {
    if (!FMemTable || !FMemTable->TreeViewMode()) return 0;
    return std::max(0, FMemTable->NodeLevel()) * TreeLevelWidth;
}

bool TCustomDBGridGx::TreeButtonClick(int X, int Y, bool CheckOnly) {
    if (!FMemTable || !FMemTable->TreeViewMode() || !FDataLink->Active() || FVisibleColumns.Count() == 0)
        return false;
    const TGridCoord cell = MouseCell(X, Y);
    if (cell.Y < FTitleOffset || cell.Y >= RowsCount()) return false;
    if (cell.X != FVisibleColumns.ColumnAt(0)->Index() + FIndicatorOffset) return false;
    const int dataRow = cell.Y - FTitleOffset;
    if (dataRow >= FDataLink->RecordCount()) return false;
    const TRect r = CellScreenRect(cell.X, cell.Y);
    const int offset = UseRightToLeftAlignment() ? r.Right - 1 - X : X - r.Left;
    int indent = 0;
    bool expanded = false;
    {
        ActivateRow(dataRow);
        TScopeExit restore([this] { RestoreActiveRecord(); });
        indent = TreeIndentWidth();
        expanded = FMemTable->NodeExpanded();
    }
    if (offset < 0 || offset >= indent) return false;
    if (CheckOnly) return true;
    const int top = TopLeftCell().Y;
    TDataSet* ds = FDataLink->DataSet();
    {
        ds->DisableControls();
        TScopeExit enable([ds] { ds->EnableControls(); });
        if (offset >= indent - TreeLevelWidth) {
            // The node's own button.
            GoToNodeRecord(FMemTable, ds, FMemTable->SetNodeExpanded(dataRow, !expanded));
        }
    }
    BeginPaintLock();
    {
        TScopeExit endPaintLock([this] { EndPaintLock(); });
        const GridLayout l = CalcGridLayout();
        SetFirstVisibleRow(std::clamp(
            top, FixedRowsCount(),
            std::max(FixedRowsCount(), MaxTopLeftFor(TGridCoord{FixedColsCount(), RowsCount() - 1}, l).Y)));
    }
    InvalidateWholeGrid();
    AdjustVertScrollBar();
    return true;
}

void TCustomDBGridGx::StepCurrentNode(int Mode) {
    if (!FMemTable || !FMemTable->TreeViewMode() || !FDataLink->Active()) return;
    const int row = FMemTable->MemTableCurrentRow();
    if (row < 0) return;
    bool children = false, expanded = false;
    {
        ActivateRow(row);
        TScopeExit restore([this] { RestoreActiveRecord(); });
        children = FMemTable->NodeHasChildren();
        expanded = FMemTable->NodeExpanded();
    }
    const bool wanted = Mode == 0 ? !expanded : Mode > 0;
    if (!children || wanted == expanded) return;
    GoToNodeRecord(FMemTable, FDataLink->DataSet(), FMemTable->SetNodeExpanded(row, wanted));
}

void TCustomDBGridGx::DrawTreeCell(const TRect& Rect, TColor Background, int ARow) {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Background);
    c->FillRect(Rect);
    const int level = FMemTable->NodeLevel();
    const int next = FMemTable->NextNodeLevel();
    const int phase = ARow % 2;
    TPen saved;
    saved.Assign(*c->Pen());
    TScopeExit restore([&] { c->Pen()->Assign(saved); });
    for (int l = 1; l <= level; ++l) {
        const TRect box(Rect.Left + (l - 1) * TreeLevelWidth, Rect.Top, Rect.Left + l * TreeLevelWidth,
                        Rect.Bottom);
        const bool sibling = FMemTable->ParentHasNextSibling(l);
        int kind = -1;
        if (l < level)
            kind = sibling ? tgThroughLine : -1;
        else if (FMemTable->NodeHasChildren())
            kind = FMemTable->NodeExpanded() ? (sibling ? tgMinusBetween : tgMinusLast)
                                             : (sibling ? tgPlusBetween : tgPlusLast);
        else
            kind = sibling ? tgLeafBetween : tgLeafLast;
        if (kind >= 0) PaintTreeGlyph(c, box, kind, phase, 1.0, 1.0, false);
        if ((FOptions & dgRowLines) && next > l) {
            // The level goes on in the next row: the row line under the box is painted over, so
            // a line shows only under a box that closes its level. It lies outside the clipped cell.
            const int saved = c->SaveDC();
            c->SelectClipRgn(nullptr);
            c->Brush()->SetColor(Background);
            c->FillRect(TRect(box.Left, Rect.Bottom, box.Right, Rect.Bottom + std::max(1, LineWidth())));
            c->RestoreDC(saved);
        }
    }
    if (FOptions & dgRowLines) {
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetWidth(1);
        c->Pen()->SetColor(clSilver);
        c->MoveTo(Rect.Right - 1, Rect.Top);
        c->LineTo(Rect.Right - 1, Rect.Bottom);
    }
}
