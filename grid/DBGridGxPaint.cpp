// Painting of the data grid's cells: the indicator with its images, the title cells with the title
// tree, sort markers and indexes, the data cells with their colours, text, check boxes and marks,
// the footer cells, the 3D frames and the focus rectangle.
#include "grid/DBGridGxPaint.h"

#include "grid/DBGridGx.h"
#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxStyle.h"
#include "grid/DBGridGxText.h"
#include "gui/ClassicEdges.h"
#include "gui/ReadingOrder.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <algorithm>
#include <memory>

// ---- shared resources ---------------------------------------------------------------------------

void LoadGridGxBitmap(TBitmap& Bitmap, const String& Name) {
    for (int i = 0; i < GridGxResourceCount; ++i)
        if (SameText(Name, GridGxResources[i].Name)) {
            Bitmap.LoadFromBytes(
                std::vector<Byte>(GridGxResources[i].Data, GridGxResources[i].Data + GridGxResources[i].Size));
            return;
        }
    throw Exception("Resource " + Name + " not found");
}

namespace {

struct PaintResources {
    std::unique_ptr<TImageList> Indicators, Titles;
    std::unique_ptr<TFont> IndexFont;
    PaintResources() {
        TBitmap b;
        LoadGridGxBitmap(b, "DBGARROWGX");
        Indicators = std::make_unique<TImageList>(b.Width(), b.Height());
        const char* names[] = {"DBGARROWGX", "DBEDITGX", "DBINSERTGX", "DBMULTIDOTGX", "DBMULTIARROWGX"};
        for (const char* n : names) {
            LoadGridGxBitmap(b, n);
            Indicators->AddMasked(&b, clWhite);
        }
        LoadGridGxBitmap(b, "DBGARROWGXW");
        Indicators->AddMasked(&b, TColor(RGB(0, 128, 128)));
        // The current record during an incremental search: the same arrow on the search colour.
        // Drawn into a true-colour bitmap first: the stored one's palette has no room for the
        // search colour.
        TBitmap search(b.Width(), b.Height());
        search.Canvas()->Draw(0, 0, &b);
        const TColor back = IncSearchBackground == TColor(RGB(0, 128, 128)) ? TColor(RGB(0, 127, 127))
                                                                              : IncSearchBackground;
        for (int y = 0; y < search.Height(); ++y)
            for (int x = 0; x < search.Width(); ++x)
                if (search.Canvas()->Pixels(x, y) == TColor(RGB(0, 128, 128))) search.Canvas()->SetPixels(x, y, back);
        Indicators->AddMasked(&search, TColor(RGB(0, 128, 128)));

        LoadGridGxBitmap(b, "DBSMDOWNGX");
        Titles = std::make_unique<TImageList>(b.Width(), b.Height());
        Titles->AddMasked(&b, TColor(RGB(255, 0, 255)));
        LoadGridGxBitmap(b, "DBSMUPGX");
        Titles->AddMasked(&b, TColor(RGB(255, 0, 255)));
        LoadGridGxBitmap(b, "DROPDOWNGX");
        TBitmap wide(Titles->Width(), Titles->Height());
        wide.Canvas()->Brush()->SetColor(clWhite);
        wide.Canvas()->FillRect(TRect(0, 0, wide.Width(), wide.Height()));
        wide.Canvas()->Draw((wide.Width() - b.Width()) / 2, (wide.Height() - b.Height()) / 2, &b);
        Titles->AddMasked(&wide, clWhite);

        IndexFont = std::make_unique<TFont>();
        IndexFont->SetName("Arial");
        IndexFont->SetHeight(-(Titles->Height() - 1));
    }
};

PaintResources& Resources() {
    static PaintResources r;
    return r;
}

} // namespace

TImageList* GridIndicatorImages() { return Resources().Indicators.get(); }
TImageList* GridTitleImages() { return Resources().Titles.get(); }
TFont* SortIndexFont() { return Resources().IndexFont.get(); }

namespace {

// A plain column over a numeric field shows numbers, which never show clipped.
bool ShowsNumbers(TColumnGx* Column) {
    return dynamic_cast<TNumericField*>(Column->Field()) && Column->GetCellKind() == 0;
}

// Sums, averages and counts are numbers; so is the value of a numeric field.
bool FooterShowsNumber(TColumnFooterGx* Footer, TColumnGx* Column) {
    switch (Footer->ValueType()) {
    case fvtSum:
    case fvtAvg:
    case fvtCount:
        return true;
    case fvtFieldValue: {
        TDataSet* ds = Column->Field() ? Column->Field()->DataSet() : nullptr;
        return ds && dynamic_cast<TNumericField*>(ds->FindField(Footer->FieldName()));
    }
    default:
        return false;
    }
}

// A check box of the standard size centred in a cell; a dimension of the cell smaller than the box
// takes the whole cell.
TRect CheckBoxRectIn(const TRect& Cell) {
    const TSize box = StandardCheckBoxSize();
    TRect b = Cell;
    if (Cell.Width() > box.cx) b.Left = Cell.Left + (Cell.Width() - box.cx) / 2, b.Right = b.Left + box.cx;
    if (Cell.Height() > box.cy) b.Top = Cell.Top + (Cell.Height() - box.cy) / 2, b.Bottom = b.Top + box.cy;
    return b;
}

} // namespace

// ---- selection and colours ----------------------------------------------------------------------

bool TCustomDBGridGx::CellIs3D(int ACol, int ARow, TGridDrawState State) const {
    const int d = ACol - FIndicatorOffset, r = ARow - FTitleOffset;
    const bool fixed = State.Contains(gdFixed);
    if (FilterRowShown() && ARow == TitleRowCount() && ColumnHasVisibleFilter(d)) return false;
    const bool footer = FFooterRowCount > 0 && r > RowsCount() - FTitleOffset - 1;
    return (fixed && (FOptionsGx & dghFixed3D) && (d < 0 || r < 0)) || ((FOptionsGx & dghFooter3D) && footer) ||
           ((FOptionsGx & dghData3D) && !fixed && !footer) || ((FOptionsGx & dghFrozen3D) && fixed && d >= 0 && r >= 0);
}

bool TCustomDBGridGx::CellSelected(int ACol, int ARow, const TBookmark& Bookmark, int DataCol) const {
    const TDBGridGxSelection* sel = FSelection.get();
    if (!sel) return false;
    if (sel->SelectionType() == gstAll) return true;
    const int r = ARow - FTitleOffset;
    const bool dataRow = r >= 0 && ARow < RowsCount();
    if (ACol < FIndicatorOffset)
        return dataRow && sel->SelectionType() == gstRecordBookmarks && sel->CellSelected(-1, Bookmark);
    if (!dataRow) {
        if (sel->SelectionType() != gstColumns || DataCol < 0 || DataCol >= FColumns->Count()) return false;
        return sel->Columns()->Contains(FColumns->ColumnAt(DataCol));
    }
    return sel->CellSelected(DataCol, Bookmark);
}

bool TCustomDBGridGx::GetFixedCellColors(int ACol, int ARow, TFont* AFont, TColor& Background, bool Selected,
                                         TGridDrawState State, int CellType, int DataRow, int DataCol) {
    (void)DataRow;
    if (FStyle) return FStyle->GetFixedCellColors(this, ACol, ARow, State, Selected, CellType, DataCol, Background, AFont);
    if (!Selected) return false;
    if (DataCol < 0 || !(CellType & (ctDataRowGx | ctFooterRowGx))) {
        Background = TColor(RGB(64, 64, 64));
        AFont->SetColor(clWhite);
    } else if (Focused()) {
        Background = clHighlight;
        AFont->SetColor(clHighlightText);
    } else {
        Background = clBtnFace;
    }
    return true;
}

bool TCustomDBGridGx::DataCellHighlighted(int ACol, int ARow, TGridDrawState& State, bool InSelection,
                                          bool& FocusHighlight) const {
    FocusHighlight = false;
    if (InSelection) return true;
    const TGridCoord cur = CurrentCell();
    const bool rowSelect = FOptions & dgRowSelect;
    FocusHighlight = Focused() && (FOptionsGx & dghHighlightFocus);
    const TDBGridGxSelectionType kind = FSelection ? FSelection->SelectionType() : gstNon;
    if ((FOptionsGx & dghRowHighlight) && ARow == cur.Y && kind == gstNon && ACol != cur.X) {
        FocusHighlight = true;
        State.Include(gdSelected);
    }
    return (State.Contains(gdSelected) || (ARow == cur.Y && rowSelect)) &&
           ((FOptions & dgAlwaysShowSelection) || FocusHighlight) && (FUpdateLock == 0 || rowSelect);
}

bool TCustomDBGridGx::GetDataCellColors(int ACol, int ARow, int DataCol, int DataRow, TFont* AFont,
                                        TColor& Background, TGridDrawState State, bool InSelection) {
    if (FStyle)
        return FStyle->GetDataCellColors(this, ACol, ARow, DataCol, DataRow, State, InSelection, Background, AFont);
    bool focusHighlight = false;
    if (!DataCellHighlighted(ACol, ARow, State, InSelection, focusHighlight)) return false;
    const TGridCoord cur = CurrentCell();
    const bool rowSelect = FOptions & dgRowSelect;
    if (Focused()) {
        Background = clHighlight;
        AFont->SetColor(clHighlightText);
    } else if (ARow == cur.Y && (ACol == cur.X || rowSelect) &&
               (focusHighlight || (FOptions & dgAlwaysShowSelection))) {
        Background = clBtnShadow;
        AFont->SetColor(clHighlightText);
    } else {
        Background = clBtnFace;
    }
    return true;
}

// ---- cells --------------------------------------------------------------------------------------

void TCustomDBGridGx::PaintCell(int Col, int Row, const TRect& Rect, TGridDrawState State) {
    if (Rect.Width() <= 0) return;
    TCanvas* c = Canvas();
    if (ComponentState().Contains(csLoading)) {
        c->Brush()->SetColor(Color());
        c->FillRect(Rect);
        return;
    }
    FPaintedCell = Rect;
    int dc = 0, dr = 0;
    const int type = GetCellType(Col, Row, dc, dr);
    const bool is3D = CellIs3D(Col, Row, State);
    TRect r = Rect;
    if (is3D) InflateRect(r, -1, -1);
    const int f = is3D ? 1 : 2;
    const int t = Flat() ? f - 1 : f;
    bool highlighted = false;
    TFont savedFont;
    savedFont.Assign(*c->Font());
    try {
        if (dc < 0)
            PaintIndicatorCell(Col, Row, r, State, type, dr, f, highlighted);
        else if (!(type & (ctDataRowGx | ctFooterRowGx)) && !(type & ctFilterRowGx))
            PaintTitleCell(Col, Row, r, State, type, dc, f, t, highlighted);
        else if (type & ctFilterRowGx)
            DrawFixedCell(Col, Row, highlighted, State, r, type, dr, dc);
        else if (type & ctFooterRowGx)
            PaintFooterCell(Col, Row, r, State, type, dc, dr, f, t, highlighted);
        else
            PaintDataCell(Col, Row, r, State, dc, dr, f, t, highlighted);
        // A pressed title button under the pointer is sunken like a highlighted cell.
        const bool pressed = (FTitleHot && Col == FPressedTitleCol && Row < TitleRowCount()) ||
                             IndicatorTitlePressed(Col, Row);
        if (is3D && !FixedCellsThemed()) DrawCellEdge(Rect, highlighted || pressed, true, true);
        if (dc >= 0 && (type & (ctDataRowGx | ctFooterRowGx)) && DefaultDrawing && State.Contains(gdFocused) &&
            Focused() && !(FOptions & dgRowSelect) && FUpdateLock == 0 && FStyle && FStyle->DrawFocusRectangle)
            c->DrawFocusRect(Rect);
        if (dc >= 0 && !(type & (ctDataRowGx | ctFooterRowGx | ctFilterRowGx)) && FUseMultiTitle &&
            TitleLeaf(dc) && TitleLeaf(dc)->Host != FTitleRoot.get()) {
            c->Font()->Assign(*FTitleFont);
            c->Brush()->SetColor(highlighted ? TColor(RGB(64, 64, 64)) : FixedColor());
            PaintTitleAncestors(Col, Rect, LeafCaptionRect(r, TitleLeaf(dc)), FColumns->ColumnAt(dc), State);
        }
    } catch (...) {
        c->Font()->Assign(savedFont);
        throw;
    }
    c->Font()->Assign(savedFont);
}

bool TCustomDBGridGx::IndicatorTitlePressed(int ACol, int ARow) const {
    return ACol < FIndicatorOffset && ARow == 0 && (FOptions & dgTitles) && FIndicatorTitle->Pressed();
}

void TCustomDBGridGx::PaintIndicatorCell(int ACol, int ARow, TRect R, TGridDrawState State, int Type, int DataRow,
                                         int F, bool& Highlighted) {
    TCanvas* c = Canvas();
    TColor back = FixedColor();
    const TDBGridGxSelectionType kind = FSelection ? FSelection->SelectionType() : gstNon;
    if (!(Type & ctDataRowGx)) {
        const bool indicatorTitle = ARow == 0 && (FOptions & dgTitles);
        if (indicatorTitle && kind == gstAll)
            Highlighted = GetFixedCellColors(ACol, ARow, c->Font(), back, true, State, Type, DataRow, -1);
        c->Brush()->SetColor(back);
        FillFixedCellBackground(R, Highlighted);
        // The drop-down sign of the indicator title moves down and right while the button is pressed.
        if (indicatorTitle && FIndicatorTitle->ShowDropDownSign()) {
            const int offset = IndicatorTitlePressed(ACol, ARow) ? 1 : 0;
            TRect sign = R;
            OffsetRect(sign, 0, offset);
            DrawImageClipped(GridTitleImages(), nullptr, c, taCenter, offset, 2, sign);
        }
        return;
    }
    if (!FDataLink->Active() || DataRow >= FDataLink->RecordCount()) {
        c->Brush()->SetColor(back);
        FillFixedCellBackground(R, false);
        return;
    }
    const int current = FDataLink->ActiveRecord();
    bool selected = kind == gstAll;
    if (!selected && (FOptions & dgMultiSelect)) {
        ActivateRow(DataRow);
        try {
            selected = CellSelected(ACol, ARow, FDataLink->DataSet()->GetBookmark(), -1);
        } catch (...) {
            RestoreActiveRecord();
            throw;
        }
        RestoreActiveRecord();
    }
    if (selected) Highlighted = GetFixedCellColors(ACol, ARow, c->Font(), back, true, State, Type, DataRow, -1);
    c->Brush()->SetColor(back);
    FillFixedCellBackground(R, Highlighted);
    const bool isCurrent = DataRow == current;
    if (!isCurrent && !selected) return;
    TDataSet* ds = FDataLink->DataSet();
    int image = -1;
    if (ds) switch (ds->State()) {
        case dsBrowse: image = isCurrent ? (selected ? 5 : FIncSearchActive ? 6 : 0) : -1; break;
        case dsEdit: image = 1; break;
        case dsInsert: image = 2; break;
        default: image = 0; break;
        }
    if (image >= 0 && (isCurrent || ds->State() == dsBrowse)) {
        TImageList* list = GridIndicatorImages();
        list->Draw(c, R.Right - list->Width() - F,
                   static_cast<int>(static_cast<unsigned>(R.Top + R.Bottom - list->Height()) / 2), image, true);
    }
    if (isCurrent) FSelectedIndicatorRow = ARow;
}

int TCustomDBGridGx::SortMarkerRoom(TColumnGx* Column) {
    TColumnTitleGx* title = Column->Title();
    if (title->SortMarker() == smNoneGx) return 0;
    if (FSortMarkedColumns.Count() < 2) return 16;
    return 16 + MeasureTextWidth(SortIndexFont(), IntToStr(title->SortIndex()));
}

void TCustomDBGridGx::PaintTitleCell(int ACol, int ARow, TRect R, TGridDrawState State, int Type, int DataCol,
                                     int F, int T, bool& Highlighted) {
    TCanvas* c = Canvas();
    if (DataCol >= FColumns->Count()) {
        c->Brush()->SetColor(FixedColor());
        FillFixedCellBackground(R, false);
        return;
    }
    TColumnGx* col = FColumns->ColumnAt(DataCol);
    TColumnTitleGx* title = col->Title();
    c->Font()->Assign(*title->Font());
    TColor back = title->Color();
    TRect cell = R;
    const bool hot = FTitleHot && ACol == FPressedTitleCol;
    const bool themed = FixedCellsThemed();
    String caption = title->Caption();
    THeadTreeNode* leaf = FUseMultiTitle ? TitleLeaf(DataCol) : nullptr;
    if (leaf) {
        caption = leaf->Text;
        R.Top = R.Bottom - leaf->Height + 3;
    }
    // A title image stands in place of the caption.
    const bool image = FTitleImages && title->ImageIndex() != -1;
    const int w = image ? FTitleImages->Width() : 0;
    if (image) caption.clear();
    // The title's paint parameters: first the sort marker and the background, then the font.
    TSortMarkerGx marker = title->SortMarker();
    const bool askParams = OnGetBtnParams && col->Field();
    if (askParams) OnGetBtnParams(this, col, hot, marker, back, c->Font());
    // A pressed title under the pointer moves its caption down and right.
    const bool tall = FUseMultiTitle || FTitleHeight != 0 || FTitleLines != 0;
    const int offset = hot ? (tall ? 2 : 1) : 0;
    // Room for the sort marker and the sort index; a title too narrow for its image drops the
    // marker, then the index.
    TRect text = R;
    int s = 0;
    bool drawMarker = marker != smNoneGx;
    bool drawIndex = false;
    if (drawMarker) {
        text.Right -= 16;
        if (FSortMarkedColumns.Count() > 1) {
            TFont saved;
            saved.Assign(*c->Font());
            c->Font()->Assign(*SortIndexFont());
            s = c->TextWidth(IntToStr(title->SortIndex()));
            c->Font()->Assign(saved);
            drawIndex = true;
        }
        if (text.Width() < w) {
            drawMarker = false;
            text.Right += 14 - s;
            if (text.Width() < w) {
                text.Right += s + 2;
                drawIndex = false;
            }
        }
    }
    c->Font()->Assign(*title->Font());
    if (askParams) OnGetBtnParams(this, col, hot, marker, back, c->Font());
    Highlighted = GetFixedCellColors(ACol, ARow, c->Font(), back, CellSelected(ACol, ARow, TBookmark(), DataCol),
                                     State, Type, 0, DataCol);
    c->Brush()->SetColor(back);
    if (themed)
        FillFixedCellBackground(R, hot || Highlighted);
    else if (text.Right < R.Right)
        c->FillRect(TRect(text.Right, R.Top, R.Right, R.Bottom));
    const bool vertical = title->Orientation() == tohVertical;
    if (tall) {
        const TAlignment align = FUseMultiTitle ? taCenter : title->Alignment();
        TRect t = text;
        t.Top += offset;
        if (vertical)
            DrawRotatedCellText(c, t, !themed, F + offset, T + 2, caption, align, tlBottom, false, false);
        else
            PaintCellText(col, c, t, !themed, 0, 0, caption, align, tlCenter, true, title->EndEllipsis(), offset,
                          -offset);
    } else {
        TRect t = text;
        OffsetRect(t, offset, offset);
        if (vertical)
            DrawRotatedCellText(c, t, !themed, F, T, caption, title->Alignment(), tlBottom, false, false);
        else
            PaintCellText(col, c, t, !themed, F, T, caption, title->Alignment(), tlTop, false, title->EndEllipsis(), 0,
                          0);
    }
    if (image) {
        TRect place = text;
        OffsetRect(place, 0, offset);
        DrawImageClipped(FTitleImages, nullptr, c, FUseMultiTitle ? taCenter : title->Alignment(), offset,
                         title->ImageIndex(), place);
    }
    TImageList* images = GridTitleImages();
    const int y = (R.Top + R.Bottom - images->Height()) / 2 + offset;
    if (drawMarker)
        images->Draw(c, cell.Right + offset - images->Width() - s - 2, y, marker == smDownGx ? 0 : 1, true);
    if (drawIndex && s > 0) {
        TFont saved;
        saved.Assign(*c->Font());
        c->Font()->Assign(*SortIndexFont());
        if (Highlighted) c->Font()->SetColor(clWhite);
        if (themed) c->Brush()->SetStyle(bsClear);
        c->TextOut(cell.Right + offset - s - 2, y - 1, IntToStr(title->SortIndex()));
        c->Brush()->SetStyle(bsSolid);
        c->Font()->Assign(saved);
    }
}

void TCustomDBGridGx::PaintTitleAncestors(int ACol, const TRect& Cell, const TRect& Caption,
                                          TColumnGx* Column, TGridDrawState State) {
    TCanvas* c = Canvas();
    const bool themed = FixedCellsThemed();
    const bool framed = State.Contains(gdFixed) && (FOptionsGx & dghFixed3D);
    const bool highlighted = c->Brush()->Color() != FixedColor();
    THeadTreeNode* leaf = TitleLeaf(Column->Index());
    // The pieces cover the whole cell across, its frame included, and reach one pixel beyond it,
    // over the line to the next column, so that a header reads as one cell over its columns;
    // not so for the last frozen column's cell while the grid is not scrolled.
    const bool lastFrozen =
        FrozenColCount() > 0 && ACol == FixedColsCount() - 1 && TopLeftCell().X == FixedColsCount();
    const int beyond = lastFrozen ? 0 : 1;
    const int left = Cell.Left, right = Cell.Right + beyond;
    const int savedClip = c->SaveDC();
    const TScopeExit restoreClip([c, savedClip] { c->RestoreDC(savedClip); });
    c->SelectClipRgn(nullptr);
    // Everything above the leaf's own caption, below the leaf's top frame, belongs to the
    // ancestors; the rows between their framed pieces take the brush too.
    const TRect area(left, framed ? Cell.Top + 1 : Cell.Top, right, Caption.Top);
    c->IntersectClipRect(area);
    c->FillRect(area);
    for (THeadTreeNode* a = leaf->Host; a && a != FTitleRoot.get(); a = a->Host) {
        const TRect acell = AncestorCellRect(Caption, leaf, a);
        TRect piece(left, acell.Top, right, acell.Bottom);
        if (framed) InflateRect(piece, 0, -1);
        // The caption is laid out over the ancestor's whole cell, two pixels in from its sides.
        const int leftMargin = acell.Left + 2 - piece.Left;
        const int rightMargin = piece.Right - (acell.Right + beyond - 2);
        const bool starts = acell.Left == Caption.Left, ends = acell.Right <= Caption.Right + 1;
        if (themed) FillFixedCellBackground(piece, highlighted, &piece);
        DrawCellText(c, piece, !themed, 0, 0, a->Text, taCenter, tlCenter, true, Column->Title()->EndEllipsis(),
                     leftMargin, rightMargin, false);
        a->Painted = true;
        if (framed && !themed) DrawCellEdge(piece, false, starts, ends);
        if ((FOptions & dgRowLines) && !themed) {
            TColor pen = c->Pen()->Color();
            c->Pen()->SetColor(Flat() ? TColor(RGB(128, 128, 128)) : clBlack);
            c->MoveTo(piece.Left, acell.Bottom);
            c->LineTo(piece.Right, acell.Bottom);
            c->Pen()->SetColor(pen);
        }
    }
}

void TCustomDBGridGx::PaintSerialNo(int ARow, int RecNo, const TRect& R) {
    TDataSet* ds = FDataLink->DataSet();
    String no;
    if (ds->State() == dsInsert) {
        // The inserted record has no number yet: the rows count by their place in the grid, from
        // the records before the shown ones. The data set already counts the inserted record,
        // which is not one of those.
        const int k = ds->RecordCount() - 1 - (RowsCount() - FTitleOffset);
        no = IntToStr((k >= 0 ? k + 1 : 0) + ARow);
    } else if (!ds->IsEmpty()) {
        no = IntToStr(RecNo);
    }
    if (no.empty()) return;
    TCanvas* c = Canvas();
    const TRect ind = CellScreenRect(0, ARow);
    // The data cell's clip does not reach the indicator.
    const int savedClip = c->SaveDC();
    const TScopeExit restoreClip([c, savedClip] { c->RestoreDC(savedClip); });
    c->SelectClipRgn(nullptr);
    c->IntersectClipRect(ind);
    // The number is written in the grid's font, not in whatever the highlighted data cell left on
    // the canvas (white text on the light indicator when the first column was highlighted).
    TFont cellFont;
    cellFont.Assign(*c->Font());
    const TScopeExit restoreFont([c, &cellFont] { c->Font()->Assign(cellFont); });
    c->Font()->Assign(*Font());
    c->Brush()->SetStyle(bsClear);
    c->TextOut(ind.Left + SerialNoX(ind.Width(), c->TextWidth(no)), R.Bottom - c->TextHeight("0") - 2, no);
    c->Brush()->SetStyle(bsSolid);
}

void TCustomDBGridGx::PaintDataCell(int ACol, int ARow, TRect R, TGridDrawState State, int DataCol, int DataRow,
                                    int F, int T, bool& Highlighted) {
    TCanvas* c = Canvas();
    TColumnGx* col = DataCol < FColumns->Count() ? FColumns->ColumnAt(DataCol) : nullptr;
    if (!col || !FDataLink->Active() || DataRow >= FDataLink->RecordCount()) {
        TColor back = col ? col->Color() : Color();
        if (col && FDataLink->Active())
            Highlighted = GetFixedCellColors(ACol, ARow, c->Font(), back, CellSelected(ACol, ARow, TBookmark(), DataCol),
                                             State, ctDataRowGx | 1, DataRow, DataCol);
        c->Brush()->SetColor(back);
        if (col && FDataLink->Active() && F == 1)
            FillFixedCellBackground(R, Highlighted);
        else
            c->FillRect(R);
        return;
    }
    const int current = FDataLink->ActiveRecord();
    // The record number of the drawn row: the data set numbers its current record only.
    const int recNo = FDataLink->DataSet()->RecNo() + (DataRow - current);
    ActivateRow(DataRow);
    try {
        TDataSet* ds = FDataLink->DataSet();
        c->Font()->Assign(*col->Font());
        TColor back = col->Color();
        if (back == Color() && (ds->IsSequenced() || (FSumList->Active() && FSumList->VirtualRecords())))
            back = (recNo % 2) ? OddRowColor() : EvenRowColor();
        // The edit buttons shown in every row keep their width at the cell's end.
        const TRect cellRect = R;
        const int buttonsWidth = col->AlwaysShowEditButton() ? col->EditButtonsWidth() : 0;
        if (buttonsWidth > 0) {
            if (UseRightToLeftAlignment())
                R.Left = std::min(R.Right, R.Left + buttonsWidth);
            else
                R.Right = std::max(R.Left, R.Right - buttonsWidth);
        }
        TColCellParamsGx params;
        params.Row = ARow;
        params.Col = ACol;
        params.State = State;
        params.Font = c->Font();
        params.Alignment = col->Alignment();
        params.Background = back;
        params.Text = col->CurrentCellText();
        params.ImageIndex = col->CurrentImageIndex();
        params.CheckState = col->CurrentCheckboxState();
        if (OnGetCellParams) OnGetCellParams(this, col, c->Font(), params.Background, State);
        col->GetColCellParams(false, &params);
        back = params.Background;
        const bool inSelection = CellSelected(ACol, ARow, ds->GetBookmark(), DataCol);
        Highlighted = GetDataCellColors(ACol, ARow, DataCol, DataRow, c->Font(), back, State, inSelection);
        if (Highlighted) State.Include(gdSelected);
        c->Brush()->SetColor(back);
        // In a tree view the first visible column begins with the row's tree part.
        if (const int indent = TreeIndentWidth(); indent > 0 && col == FVisibleColumns.ColumnAt(0)) {
            DrawTreeCell(TRect(R.Left, R.Top, std::min(R.Right, R.Left + indent), R.Bottom), back, ARow);
            R.Left += indent - (F == 1 ? 1 : 0);
            c->Brush()->SetColor(back);
        }
        // A run of equal values shows its first cell only; only records in the buffer are compared.
        bool hideLineAbove = false, hideLineBelow = false;
        if (col->HideDuplicates()) {
            hideLineBelow = DataRow + 1 < FDataLink->RecordCount() &&
                            ComparedCellText(col, DataRow + 1, ACol, ARow + 1) == params.Text;
            if (DataRow > 0 && ComparedCellText(col, DataRow - 1, ACol, ARow - 1) == params.Text) {
                params.Text.clear();
                params.ImageIndex = -1;
                hideLineAbove = true;
            }
        }
        if (DefaultDrawing && !IsRectEmpty(R)) {
            // Images beside the text keep their own area at the cell's left.
            TRect textArea = R;
            if (col->ImageList() && col->ShowImageAndText())
                textArea = PaintImageBesideText(col, R, params.ImageIndex);
            const int kind = col->GetCellKind();
            if (kind == 5) {
                c->FillRect(textArea);
                PaintCheckBox(c, CheckBoxRectIn(textArea), params.CheckState, true, false, Flat(), false,
                              back);
            } else if (kind == 4) {
                c->FillRect(R);
                DrawImageClipped(col->ImageList(), nullptr, c, taCenter, 0, params.ImageIndex, R);
            } else {
                const String text = ShowsNumbers(col)
                                        ? FitNumberText(c, params.Text, CellTextRoom(textArea, F, params.Alignment))
                                        : params.Text;
                PaintCellText(col, c, textArea, true, F, T, text, params.Alignment, col->Layout(),
                              col->WordWrap() && FMultiLineRows, col->EndEllipsis(), 0, 0);
            }
        }
        if (buttonsWidth > 0) PaintCellEditButtons(col, R, cellRect, back);
        TField* field = col->Field();
        if (col->HighlightRequired() && DataRow == current && (ds->State() == dsEdit || ds->State() == dsInsert) &&
            field && field->Required() && field->IsNull()) {
            TPen saved;
            saved.Assign(*c->Pen());
            c->Pen()->SetColor(TColor(RGB(255, 0, 0)));
            c->Pen()->SetStyle(psDot);
            c->Pen()->SetWidth(1);
            c->MoveTo(R.Left + 2, R.Bottom - 1);
            c->LineTo(R.Right - 3, R.Bottom - 1);
            c->Pen()->Assign(saved);
        }
        if (ShowSerialNo && (FOptions & dgIndicator) && DataCol == 0) {
            PaintSerialNo(ARow, recNo, R);
            c->Brush()->SetColor(back);
        }
        if (OnDrawDataCell && FColumns->State() == csDefaultGx) OnDrawDataCell(this, R, field, State);
        if (OnDrawColumnCell) OnDrawColumnCell(this, R, DataCol, col, State);
        if (FIncSearchActive && State.Contains(gdSelected) && DataRow == current && ACol == CurrentCell().X &&
            ((FOptions & dgAlwaysShowSelection) || Focused()) && !ComponentState().Contains(csDesigning) &&
            FUpdateLock == 0 && IsActiveControl())
            PaintIncSearchMark(col, R, F, T, params.Text, col->Alignment(), col->WordWrap() && FMultiLineRows);
        if ((FOptions & dgRowLines) && (hideLineAbove || hideLineBelow)) {
            // The row lines inside a run of duplicates take the column's colour.
            TRect full = R;
            if (F == 1) InflateRect(full, 1, 1);
            const int w = std::max(1, LineWidth());
            c->Brush()->SetColor(col->Color());
            // The lines lie outside the cell the painting is clipped to.
            const int savedClip = c->SaveDC();
            c->SelectClipRgn(nullptr);
            if (hideLineAbove) c->FillRect(TRect(full.Left, full.Top - w, full.Right, full.Top));
            if (hideLineBelow) c->FillRect(TRect(full.Left, full.Bottom, full.Right, full.Bottom + w));
            c->RestoreDC(savedClip);
            c->Brush()->SetColor(back);
        }
    } catch (...) {
        RestoreActiveRecord();
        throw;
    }
    RestoreActiveRecord();
}

String TCustomDBGridGx::ComparedCellText(TColumnGx* Column, int DataRow, int ACol, int ARow) {
    const int back = FDataLink->ActiveRecord();
    FDataLink->SetActiveRecord(DataRow);
    try {
        TFont font;
        font.Assign(*Column->Font());
        TColCellParamsGx params;
        params.Row = ARow;
        params.Col = ACol;
        params.Font = &font;
        params.Alignment = Column->Alignment();
        params.Background = Column->Color();
        params.Text = Column->CurrentCellText();
        params.ImageIndex = Column->CurrentImageIndex();
        params.CheckState = Column->CurrentCheckboxState();
        Column->GetColCellParams(false, &params);
        FDataLink->SetActiveRecord(back);
        return params.Text;
    } catch (...) {
        FDataLink->SetActiveRecord(back);
        throw;
    }
}

void TCustomDBGridGx::PaintFooterCell(int ACol, int ARow, TRect R, TGridDrawState State, int Type, int DataCol,
                                      int DataRow, int F, int T, bool& Highlighted) {
    TCanvas* c = Canvas();
    if (DataCol >= FColumns->Count()) {
        c->Brush()->SetColor(FooterColor());
        c->FillRect(R);
        return;
    }
    TColumnGx* col = FColumns->ColumnAt(DataCol);
    TColumnFooterGx* footer = col->FooterForRow(DataRow);
    c->Font()->Assign(*footer->Font());
    TColor back = footer->Color();
    String text;
    TAlignment align = footer->Alignment();
    if (DefaultDrawing) text = FooterValueText(DataRow, col);
    if (OnGetFooterParams) OnGetFooterParams(this, DataCol, DataRow, col, c->Font(), back, align, State, text);
    Highlighted = GetFixedCellColors(ACol, ARow, c->Font(), back, CellSelected(ACol, ARow, TBookmark(), DataCol),
                                     State, Type, DataRow, DataCol);
    c->Brush()->SetColor(back);
    // A 3D footer of a themed grid sits on the themed background, which shows through in clBtnFace.
    const bool themed = F == 1 && FixedCellsThemed();
    if (themed) FillFixedCellBackground(R, Highlighted);
    if (FooterShowsNumber(footer, col)) text = FitNumberText(c, text, CellTextRoom(R, F, align));
    PaintCellText(col, c, R, !(themed && back == clBtnFace), F, T, text, align, col->Layout(),
                  footer->WordWrap() && FMultiLineRows, footer->EndEllipsis(), 0, 0);
    if (OnDrawFooterCell) OnDrawFooterCell(this, DataCol, State, R, col, DataRow);
}

void TCustomDBGridGx::DrawColumnCellStandard(const TRect& Rect, int DataCol, TColumnGx* Column,
                                             TGridDrawState State) {
    (void)DataCol, (void)State;
    TCanvas* c = Canvas();
    TRect r = Rect;
    int f = 2;
    if ((FOptionsGx & dghFooter3D) && !(FOptionsGx & dghData3D)) {
        InflateRect(r, -1, -1);
        f = 1;
    }
    const int t = Flat() ? f - 1 : f;
    const int kind = Column->GetCellKind();
    if (kind == 5) {
        c->FillRect(r);
        PaintCheckBox(c, CheckBoxRectIn(r), Column->CurrentCheckboxState(), true, false, Flat(), false,
                      c->Brush()->Color());
    } else if (kind == 4) {
        c->FillRect(r);
        DrawImageClipped(Column->ImageList(), nullptr, c, taCenter, 0, Column->CurrentImageIndex(), r);
    } else {
        const String text = ShowsNumbers(Column)
                                ? FitNumberText(c, Column->CurrentCellText(), CellTextRoom(r, f, Column->Alignment()))
                                : Column->CurrentCellText();
        DrawCellText(c, r, true, f, t, text, Column->Alignment(), Column->Layout(),
                     Column->WordWrap() && FMultiLineRows, Column->EndEllipsis(), 0, 0,
                     ::UseRightToLeftReading(this));
    }
}
