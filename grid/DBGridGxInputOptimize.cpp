// Fitting column widths to their contents: titles, every record's cell text and the footers.
#include "grid/DBGridGx.h"

#include <algorithm>

void TCustomDBGridGx::OptimizeColumnWidth(TColumnGx* Column) {
    std::vector<TColumnGx*> list;
    if (FSelection->SelectionType() == gstColumns) {
        for (int i = 0; i < FSelection->Columns()->Count(); ++i)
            list.push_back(FSelection->Columns()->Items(i));
    } else if (FSelection->SelectionType() == gstAll) {
        for (int i = 0; i < FColumns->Count(); ++i)
            list.push_back(FColumns->ColumnAt(i));
    }
    if (std::find(list.begin(), list.end(), Column) == list.end()) list.push_back(Column);
    OptimizeColumnsWidth(list);
}

void TCustomDBGridGx::OptimizeColumnsWidth(const std::vector<TColumnGx*>& Columns) {
    if (Columns.empty()) return;
    std::vector<int> widths(Columns.size(), 0);
    for (size_t i = 0; i < Columns.size(); ++i) {
        // A title image stands in place of the caption.
        TColumnTitleGx* title = Columns[i]->Title();
        widths[i] = 4 + (FTitleImages && title->ImageIndex() != -1
                             ? FTitleImages->Width()
                             : MeasureTextWidth(title->Font(), title->Caption()));
    }
    if (FDataLink->Active()) {
        TDataSet* ds = FDataLink->DataSet();
        TBookmark saved = ds->GetBookmark();
        // The walk runs with the data set's controls quiet; the position and the controls come
        // back also when a text or cell-parameter handler raises, so no control stays frozen.
        auto restore = [&] {
            try {
                if (!saved.empty()) ds->GotoBookmark(saved);
            } catch (...) {
            }
            ds->EnableControls();
        };
        ds->DisableControls();
        try {
            for (ds->First(); !ds->Eof(); ds->Next()) {
                for (size_t i = 0; i < Columns.size(); ++i) {
                    TColumnGx* c = Columns[i];
                    int kind = c->GetCellKind();
                    int w = 4;
                    if (kind == 5) {
                        w += 13;
                    } else if (kind != 4) {
                        TColCellParamsGx params;
                        params.Text = c->CurrentCellText();
                        params.Font = c->Font();
                        c->GetColCellParams(false, &params);
                        w += MeasureTextWidth(params.Font ? params.Font : Font(), params.Text);
                    }
                    widths[i] = std::max(widths[i], w);
                }
                if (ds->IsSequenced() && ds->RecNo() >= ds->RecordCount()) break;
            }
        } catch (...) {
            restore();
            throw;
        }
        restore();
    }
    if (!FAutoFitColWidths) BeginLayout();
    try {
        for (size_t i = 0; i < Columns.size(); ++i)
            Columns[i]->SetWidth(widths[i]);
    } catch (...) {
        if (!FAutoFitColWidths) EndLayout();
        throw;
    }
    if (!FAutoFitColWidths) EndLayout();
}
