// Hints of the data grid: a title's own hint, and tool tips that show a cell's whole text where
// the cell cuts it, placed so that the tip's text lies over the cell's text.
#include "grid/DBGridGx.h"

#include "gui/Forms.h"
#include "gui/HintWindow.h"
#include "gui/Input.h"
#include "rtl/ScopeGuards.h"

namespace {

// The pick-list entry a key-image or check-box cell stands for: at the key-list index of the
// field's edit text (images) or of the check state (entry 0 checked, entry 1 unchecked).
String ListedCellText(TColumnGx* column, int kind) {
    int index = -1;
    if (kind == 4) {
        if (TField* f = column->Field()) index = column->KeyList()->IndexOf(f->EditText());
    } else {
        const TCheckBoxState state = column->CurrentCheckboxState();
        index = state == cbChecked ? 0 : state == cbUnchecked ? 1 : -1;
    }
    TStrings* pick = column->PickList();
    return index >= 0 && index < pick->Count() ? pick->Strings(index) : String();
}

} // namespace

void TCustomDBGridGx::CellHint(THintInfo& Info) {
    const TPoint point = Info.CursorPos;
    TGridCoord cell = MouseCell(point.X, point.Y);
    int dc = cell.X - FIndicatorOffset;
    if (dc < 0 || dc >= FColumns->Count() || cell.Y < 0) return;
    TColumnGx* column = FColumns->ColumnAt(dc);
    TRect R = CellScreenRect(cell.X, cell.Y);
    bool title = (FOptions & dgTitles) && cell.Y == 0;
    if (title && !column->Title()->Hint.empty()) {
        Info.HintStr = GetShortHint(column->Title()->Hint);
        Info.CursorRect = R;
        Info.Show = true;
        return;
    }
    bool data = cell.Y >= FTitleOffset && cell.Y < RowsCount() && FDataLink->Active();
    const int footerRow = cell.Y - RowsCount();
    TColumnFooterGx* footer = footerRow >= 0 && cell.Y < TotalRowsCount() && FDataLink->Active()
                                  ? column->FooterForRow(footerRow)
                                  : nullptr;
    bool wanted = (title && column->Title()->ToolTips()) || (data && column->ToolTips()) ||
                  (footer && footer->ToolTips());
    if (!wanted || GetCaptureControl() || (GetKeyState(VK_CONTROL) < 0)) return;
    int colRight = R.Left + ColWidthAt(cell.X);
    String text;
    TFont font;
    TAlignment alignment = taLeftJustify;
    bool always = false, wrap = false;
    if (title) {
        TColumnTitleGx* t = column->Title();
        if (const int marker = SortMarkerRoom(column); marker > 2) {
            R.Right -= marker;
            colRight -= marker;
        }
        text = t->Caption();
        if (THeadTreeNode* leaf = FUseMultiTitle ? TitleLeaf(dc) : nullptr) {
            // Only the column's own caption under its parents' headers has a tip.
            const TRect part = LeafCaptionRect(R, leaf);
            text = PtInRect(part, point) ? leaf->Text : String();
            R.Top = part.Top;
        }
        wrap = (FUseMultiTitle || FTitleHeight != 0 || FTitleLines != 0) && t->Orientation() != tohVertical;
        font.Assign(*t->Font());
        alignment = t->Alignment();
    } else if (footer) {
        text = FooterValueText(footerRow, column);
        font.Assign(*footer->Font());
        alignment = footer->Alignment();
        wrap = footer->WordWrap() && FMultiLineRows;
    } else {
        ActivateRow(cell.Y - FTitleOffset);
        const TScopeExit restore([this] { RestoreActiveRecord(); });
        const int kind = column->GetCellKind();
        always = kind == 4 || kind == 5;
        text = always ? ListedCellText(column, kind) : column->CurrentCellText();
        // The buttons shown in every row, the tree part and a cell image are no part of the text.
        if (column->AlwaysShowEditButton()) {
            R.Right -= column->EditButtonsWidth();
            if (point.X >= R.Right) text.clear();
        }
        if (FVisibleColumns.Count() > 0 && column == FVisibleColumns.ColumnAt(0)) R.Left += TreeIndentWidth();
        if (column->ShowImageAndText() && column->ImageList()) R.Left += column->ImageList()->Width() + 5;
        if (point.X < R.Left) text.clear();
        font.Assign(*column->Font());
        TColCellParamsGx params;
        column->InitCellParams(&params);
        params.Text = text;
        params.Font = &font;
        if (always) params.Alignment = taLeftJustify;
        if (OnGetCellParams) OnGetCellParams(this, column, &font, params.Background, TGridDrawState());
        column->GetColCellParams(false, &params);
        text = params.Text;
        if (params.Font && params.Font != &font) font.Assign(*params.Font);
        alignment = params.Alignment;
        wrap = column->WordWrap() && FMultiLineRows;
    }
    const int spacing = Flat() ? 2 : 4;
    const TSize size = MeasureTextBlock(&font, text, wrap, R.Width() - (wrap ? 4 : 2));
    const int w = size.cx;
    bool cut = alignment == taRightJustify && R.Right < colRight - 2;
    bool needed = !text.empty() &&
                  (always || w > R.Width() - (wrap ? 4 : 2) || size.cy > R.Height() - spacing + 1 || cut);
    if (!needed) {
        Info.HintStr.clear();
        return;
    }
    FToolTipFont->Assign(font);
    int d = Flat() ? 2 : 1;
    int x = R.Left - 1;
    if (alignment == taRightJustify)
        x = colRight - w - 6;
    else if (alignment == taCenter)
        x = colRight + w / 2 - w - (colRight - R.Left - 4) / 2 - 5;
    Info.Show = true;
    Info.HintStr = text;
    Info.CursorRect = R;
    Info.HintWindowClass = [] { return std::make_unique<TToolTipsWindow>(); };
    Info.HintData = FToolTipFont.get();
    if (wrap) Info.MaxWidth = R.Width() - 4;
    Info.HintPos = ClientToScreen(TPoint(x, R.Top - d));
}

int TCustomDBGridGx::HintPauseAt(const TPoint& P) {
    const TGridCoord cell = MouseCell(P.X, P.Y);
    const int dc = cell.X - FIndicatorOffset;
    if (dc >= 0 && dc < FColumns->Count() && cell.Y >= 0) {
        TColumnGx* column = FColumns->ColumnAt(dc);
        const int footerRow = cell.Y - RowsCount();
        if (footerRow >= 0 && cell.Y < TotalRowsCount()) {
            if (column->FooterForRow(footerRow)->ToolTips()) return 0;
        } else if (cell.Y >= FTitleOffset) {
            if (column->ToolTips()) return 0;
        } else if ((FOptions & dgTitles) && cell.Y == 0) {
            if (column->Title()->ToolTips() && column->Title()->Hint.empty()) return 0;
        }
    }
    return Application()->HintPause();
}
