// The lookup grid's painting: the record of the chosen key highlighted (and no other row), and the
// special row above the data rows with each column's special-row cell.
#include "grid/DBLookupGridsGx.h"

#include "grid/ToolCtrlsGxData.h"
#include "rtl/ScopeGuards.h"

bool TDBLookupGridGx::GetDataCellColors(int ACol, int ARow, int DataCol, int DataRow, TFont* AFont,
                                        TColor& Background, TGridDrawState State, bool InSelection) {
    (void)ACol, (void)ARow, (void)DataCol, (void)DataRow, (void)State, (void)InSelection;
    // The painted record is the active one of the data link.
    if (VarIsNull(FKeyValue) || !DataLink()->Active() || FKeyField.empty() || UpdateLock() != 0) return false;
    if (!VariantsEqual(ActiveRecordKey(), FKeyValue)) return false;
    Background = clHighlight;
    AFont->SetColor(clHighlightText);
    return true;
}

void TDBLookupGridGx::PaintCell(int Col, int Row, const TRect& Rect, TGridDrawState State) {
    if (FSpecRow && FSpecRow->Visible() && Row == TitleOffset() - 1 && Col >= IndicatorOffset() &&
        !ComponentState().Contains(csLoading)) {
        PaintSpecRowCell(Col, Rect);
        return;
    }
    TCustomDBGridGx::PaintCell(Col, Row, Rect, State);
}

void TDBLookupGridGx::PaintSpecRowCell(int Col, const TRect& Rect) {
    TCanvas* c = Canvas();
    const int dataCol = Col - IndicatorOffset();
    auto* column = dataCol < Columns()->Count() ? dynamic_cast<TDBLookupGridColumnGx*>(Columns()->ColumnAt(dataCol))
                                                : nullptr;
    if (!column) {
        c->Brush()->SetColor(Color());
        c->FillRect(Rect);
        return;
    }
    TFont saved;
    saved.Assign(*c->Font());
    const TScopeExit restore([c, &saved] { c->Font()->Assign(saved); });
    TGridColumnSpecCellGx* cell = column->SpecCell();
    c->Font()->Assign(*cell->Font());
    TColor back = cell->Color();
    if (FSpecRowSelected) {
        back = clHighlight;
        c->Font()->SetColor(clHighlightText);
    }
    c->Brush()->SetColor(back);
    const int margin = 2;
    PaintCellText(column, c, Rect, true, margin, Flat() ? margin - 1 : margin, cell->Text(), column->Alignment(),
                  column->Layout(), false, column->EndEllipsis(), 0, 0);
    if (FSpecRowSelected) {
        // One focus rectangle around the band of scrolling columns; each cell draws its part.
        const GridLayout layout = CalcGridLayout();
        TRect band(layout.Cols.FixedEnd, Rect.Top, layout.Cols.ScrollEnd, Rect.Bottom);
        if (UseRightToLeftAlignment()) band = TRect(ClientWidth() - band.Right, band.Top, ClientWidth() - band.Left, band.Bottom);
        c->DrawFocusRect(band);
    }
    c->Font()->Assign(saved);
    c->Brush()->SetColor(clWindow);
}
