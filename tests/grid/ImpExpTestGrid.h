// A data grid stand-in for the export, import and clipboard tests: one column per field of a
// query, a selection the test sets, cell texts as the fields display them, footers the test
// describes, and the row position kept as a bookmark.
#pragma once

#include "grid/DBGridGxImpExp.h"
#include "platform/db/DbFixture.h"

#include <map>

class TTestMarks : public TBMListGx {
public:
    explicit TTestMarks(TDataSet* DataSet) : FDataSet(DataSet) {}
    ~TTestMarks() override { ReleaseMarks(); }

protected:
    TDataSet* ListDataSet() const override { return FDataSet; }

private:
    TDataSet* FDataSet;
};

class TTestImpExpGrid : public TDBGridGxImpExpSource {
public:
    explicit TTestImpExpGrid(TDataSet* DataSet) : FDataSet(DataSet), Marks(DataSet) {
        Marks.SetLinked(true);
        for (int i = 0; i < DataSet->FieldCount(); ++i) {
            Visible.push_back(true);
            Widths.push_back(64);
        }
    }

    TDataSet* DataSet() const override { return FDataSet; }
    TDBGridGxSelectionType SelectionKind() const override { return Kind; }
    TBMListGx* MarkedRows() const override { return const_cast<TTestMarks*>(&Marks); }
    int RectLeftCol() const override { return Left; }
    int RectRightCol() const override { return Right; }
    TBookmark RectTopRow() const override { return Top; }
    TBookmark RectBottomRow() const override { return Bottom; }
    std::vector<int> SelectedColumns() const override { return Selected; }
    void ClearSelection() override {
        Kind = gstNon;
        Marks.RemoveAllMarks();
    }
    int ColumnCount() const override { return FDataSet->FieldCount(); }
    bool ColumnVisible(int Col) const override { return Visible[static_cast<size_t>(Col)]; }
    TField* ColumnField(int Col) const override { return FDataSet->Fields()[Col]; }
    int ColumnWidth(int Col) const override { return Widths[static_cast<size_t>(Col)]; }
    void TitleParams(int Col, TCellParamsGx& P) const override {
        P.Text = ColumnField(Col)->DisplayLabel();
        P.Font.SetName("Tahoma");
        P.Background = clBtnFace;
        P.Alignment = taLeftJustify;
    }
    void DataCellParams(int Col, TCellParamsGx& P) override {
        TField* f = ColumnField(Col);
        P.Text = f->DisplayText();
        P.Font.SetName("宋体");
        P.Background = clWindow;
        P.Alignment = f->Alignment();
        if (OnCell) OnCell(Col, P);
    }
    bool CanModifyCell(int Col) const override { return ColumnField(Col)->CanModify(); }
    int CellKind(int Col) const override { return PickCol == Col ? 3 : 0; }
    const TStrings* PickList(int) const override { return &Picks; }
    const TStrings* KeyList(int) const override { return &Keys; }
    int FocusedColumnIndex() const override { return Focused; }
    void FocusColumnAt(int Col) override { Focused = Col; }
    int FooterRowCount() const override { return FooterRows; }
    TFooterValueTypeGx FooterValueType(int Col, int Row) const override {
        auto it = Footers.find({Col, Row});
        return it == Footers.end() ? fvtNon : it->second;
    }
    String FooterFieldName(int, int) const override { return String(); }
    void FooterCellParams(int Col, int Row, TCellParamsGx& P) override {
        if (FooterValueType(Col, Row) == fvtStaticText) P.Text = "Total";
        P.Font.SetName("Tahoma");
        P.Background = clBtnFace;
        P.Alignment = taRightJustify;
    }
    bool ShowTitles() const override { return Titles; }
    bool ConfirmDelete() const override { return Confirm; }
    bool AllowAppend() const override { return Append; }
    bool Flat() const override { return false; }
    int PixelsPerInch() const override { return 96; }
    void SaveRowPosition() override { Saved = FDataSet->GetBookmark(); }
    void RestoreRowPosition() override {
        if (!Saved.empty() && FDataSet->BookmarkValid(Saved)) FDataSet->GotoBookmark(Saved);
    }

    TDataSet* FDataSet;
    TTestMarks Marks;
    TDBGridGxSelectionType Kind = gstNon;
    int Left = 0, Right = 0, Focused = 0, PickCol = -1, FooterRows = 0;
    TBookmark Top, Bottom, Saved;
    std::vector<int> Selected;
    std::vector<bool> Visible;
    std::vector<int> Widths;
    std::map<std::pair<int, int>, TFooterValueTypeGx> Footers;
    TStringList Picks, Keys;
    bool Titles = true, Confirm = false, Append = false;
    std::function<void(int, TCellParamsGx&)> OnCell;
};
