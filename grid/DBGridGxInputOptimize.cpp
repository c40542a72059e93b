// Fitting column widths to their contents: titles, every record's cell text and the footers.
#include "grid/DBGridGx.h"

#include "grid/ToolCtrlsGxButtons.h"
#include "gui/ImgList.h"
#include "rtl/ScopeGuards.h"

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

int TCustomDBGridGx::OptimizedTitleWidth(TColumnGx* Column) {
    TColumnTitleGx* title = Column->Title();
    const int marker = SortMarkerRoom(Column);
    const int amount = marker >= 3 ? marker + 2 : 4;
    // A title image stands in place of the caption.
    if (FTitleImages && title->ImageIndex() != -1) return amount + FTitleImages->Width();
    String caption = title->Caption();
    if (THeadTreeNode* leaf = FUseMultiTitle ? TitleLeaf(Column->Index()) : nullptr) caption = leaf->Text;
    if (title->Orientation() == tohVertical) return amount + MeasureTextHeight(title->Font(), caption);
    const bool wrap = FUseMultiTitle || FTitleHeight != 0 || FTitleLines != 0;
    return amount + MeasureTextBlock(title->Font(), caption, wrap, Column->Width() - amount).cx;
}

int TCustomDBGridGx::OptimizedCellWidth(TColumnGx* Column) {
    int width = 4;
    if (Column->AlwaysShowEditButton()) width += Column->EditButtonsWidth();
    if (FVisibleColumns.Count() > 0 && Column == FVisibleColumns.ColumnAt(0)) width += TreeIndentWidth();
    TCustomImageList* images = Column->ImageList();
    if (images && Column->ShowImageAndText()) width += images->Width() + 4;
    const int kind = Column->GetCellKind();
    if (kind == 4) return width + (images ? images->Width() : 0);
    if (kind == 5) return width + CheckBoxWidth();
    // The text as it is painted: the grid's and then the column's cell parameters may change it.
    TFont font;
    font.Assign(*Column->Font());
    TColCellParamsGx params;
    Column->InitCellParams(&params);
    params.Font = &font;
    if (OnGetCellParams) OnGetCellParams(this, Column, &font, params.Background, TGridDrawState());
    Column->GetColCellParams(false, &params);
    const bool wrap = Column->WordWrap() && FMultiLineRows;
    return width +
           MeasureTextBlock(params.Font ? params.Font : &font, params.Text, wrap, Column->Width() - width).cx;
}

int TCustomDBGridGx::OptimizedFooterWidth(TColumnGx* Column) {
    int width = 0;
    for (int row = 0; row < FFooterRowCount; ++row) {
        TColumnFooterGx* footer = Column->FooterForRow(row);
        TFont font;
        font.Assign(*footer->Font());
        TColor background = footer->Color();
        TAlignment alignment = footer->Alignment();
        String text = FooterValueText(row, Column);
        if (OnGetFooterParams)
            OnGetFooterParams(this, Column->Index(), row, Column, &font, background, alignment,
                              TGridDrawState(), text);
        width = std::max(width, MeasureTextWidth(&font, text) + 5);
    }
    return width;
}

void TCustomDBGridGx::OptimizeColumnsWidth(const std::vector<TColumnGx*>& Columns) {
    if (Columns.empty()) return;
    std::vector<int> widths(Columns.size(), 0);
    for (size_t i = 0; i < Columns.size(); ++i)
        widths[i] = OptimizedTitleWidth(Columns[i]);
    if (FDataLink->Active()) {
        TDataSet* ds = FDataLink->DataSet();
        const TBookmark saved = ds->GetBookmark();
        // The walk runs with the data set's controls quiet; the position and the controls come
        // back also when a text or cell-parameter handler raises, so no control stays frozen.
        // Enabled again, the data link keeps the record on the row of the window it was on.
        ds->DisableControls();
        TScopeExit restore([&] {
            TScopeExit enable([&] { ds->EnableControls(); });
            if (!saved.empty() && ds->BookmarkValid(saved)) ds->GotoBookmark(saved);
        });
        for (ds->First(); !ds->Eof(); ds->Next()) {
            for (size_t i = 0; i < Columns.size(); ++i)
                widths[i] = std::max(widths[i], OptimizedCellWidth(Columns[i]));
            if (ds->IsSequenced() && ds->RecNo() >= ds->RecordCount()) break;
        }
    }
    for (size_t i = 0; i < Columns.size(); ++i)
        widths[i] = std::max(widths[i], OptimizedFooterWidth(Columns[i]));
    const bool locked = !FAutoFitColWidths;
    if (locked) BeginLayout();
    TScopeExit unlock([&] {
        if (locked) EndLayout();
    });
    for (size_t i = 0; i < Columns.size(); ++i)
        Columns[i]->SetWidth(widths[i]);
}
