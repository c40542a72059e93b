// Hints of the data grid: a title's own hint, and tool tips that show a cell's whole text where
// the cell cuts it, placed so that the tip's text lies over the cell's text.
#include "grid/DBGridGx.h"

#include "gui/Forms.h"
#include "gui/HintWindow.h"
#include "gui/Input.h"

void TCustomDBGridGx::CellHint(THintInfo& Info) {
    TGridCoord cell = MouseCell(Info.CursorPos.X, Info.CursorPos.Y);
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
    String text;
    TFont* font = nullptr;
    TAlignment alignment = taLeftJustify;
    bool always = false;
    if (title) {
        text = column->Title()->Caption();
        font = column->Title()->Font();
        alignment = column->Title()->Alignment();
    } else if (footer) {
        text = FooterValueText(footerRow, column);
        font = footer->Font();
        alignment = footer->Alignment();
    } else {
        ActivateRow(cell.Y - FTitleOffset);
        try {
            int kind = column->GetCellKind();
            always = kind == 4 || kind == 5;
            text = column->CurrentCellText();
            TColCellParamsGx params;
            params.Text = text;
            params.Font = column->Font();
            params.Alignment = always ? taLeftJustify : column->Alignment();
            column->GetColCellParams(false, &params);
            text = params.Text;
            font = params.Font ? params.Font : column->Font();
            alignment = params.Alignment;
        } catch (...) {
            RestoreActiveRecord();
            throw;
        }
        RestoreActiveRecord();
    }
    int colRight = R.Left + ColWidthAt(cell.X);
    int spacing = Flat() ? 2 : 4;
    int w = MeasureTextWidth(font, text);
    int h = MeasureTextHeight(font, text);
    bool cut = alignment == taRightJustify && R.Right < colRight - 2;
    bool needed = !text.empty() && (always || w > R.Width() - 2 || h > R.Height() - spacing + 1 || cut);
    if (!needed) {
        Info.HintStr.clear();
        return;
    }
    FToolTipFont->Assign(*font);
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
