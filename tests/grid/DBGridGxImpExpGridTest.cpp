// The exporters, importers and clipboard actions over a real data grid through its adapter:
// columns with titles, hidden columns, the column's cell-parameter event, the focused column,
// the grid's rectangle, marked-row and column selections and the row position.
#include "grid/DBGridGxImpExpGrid.h"
#include "DBGridGxFixture.h"
#include "gui/Interaction.h"
#include "rtl/CodePage.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

namespace {

class ImpExpGridTest : public DBGridTest {
protected:
    void SetUp() override {
        DBGridTest::SetUp();
        Fill(4);
        OpenGrid();
        Source.SetDataSet(Q.get());
        Adapter = std::make_unique<TDBGridGxImpExpGrid>(Grid);
    }
    template <class TExporter> std::string Export(bool all = false) {
        TMemoryStream s;
        WriteGridExport<TExporter>(Adapter.get(), s, all);
        return std::string(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
    }
    void Import(const std::string& bytes, bool all = false) {
        TMemoryStream s;
        s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        s.SetPosition(0);
        ReadGridImport<TDBGridGxImportAsText>(Adapter.get(), s, all);
    }
    TBookmark BookmarkAtRecNo(int n) {
        Q->SetRecNo(n);
        return Q->GetBookmark();
    }
    std::unique_ptr<TDBGridGxImpExpGrid> Adapter;
};

TEST_F(ImpExpGridTest, ExportsAllRowsWithTitlesCellTextsAndOnlyVisibleColumns) {
    Grid->SetOptions(Grid->Options() | dgTitles);
    Grid->Columns()->ColumnAt(1)->Title()->SetCaption("名称");
    Grid->Columns()->ColumnAt(2)->SetVisible(false);
    EXPECT_EQ(Export<TDBGridGxExportAsText>(false), ""); // no selection: nothing
    const std::string text = Export<TDBGridGxExportAsText>(true);
    EXPECT_EQ(text, "F_int\t" + AnsiFromUtf8("名称") + "\r\n1\tt1\r\n2\tt2\r\n3\tt3\r\n4\tt4");
}

TEST_F(ImpExpGridTest, TheColumnsCellEventShapesTheTextOnACopyOfTheFont) {
    TColumnGx* col = Grid->Columns()->ColumnAt(1);
    const int heightBefore = col->Font()->Height();
    col->OnGetCellParams = [](TObject*, bool EditMode, TColCellParamsGx* P) {
        EXPECT_FALSE(EditMode);
        P->Text = "<" + P->Text + ">";
        P->Font->SetHeight(-30);
    };
    Grid->Columns()->ColumnAt(0)->SetVisible(false);
    Grid->Columns()->ColumnAt(2)->SetVisible(false);
    Grid->SetOptions(Grid->Options() & ~dgTitles);
    EXPECT_EQ(Export<TDBGridGxExportAsCSV>(true), "\"<t1>\"\r\n\"<t2>\"\r\n\"<t3>\"\r\n\"<t4>\"");
    EXPECT_EQ(col->Font()->Height(), heightBefore);
}

TEST_F(ImpExpGridTest, RectangleSelectionAndMarkedRowsKeepTheRowPosition) {
    Grid->SetOptions(Grid->Options() & ~dgTitles);
    TDBGridGxSelection* sel = Grid->Selection();
    sel->Rect()->SelectCell(2, BookmarkAtRecNo(2), false);
    sel->Rect()->SelectCell(1, BookmarkAtRecNo(3), true);
    ASSERT_EQ(Adapter->SelectionKind(), gstRectangle);
    Q->SetRecNo(4);
    EXPECT_EQ(Export<TDBGridGxExportAsText>(), "t2\t1\r\nt3\t1.5");
    EXPECT_EQ(Q->RecNo(), 4);

    Q->SetRecNo(3);
    sel->Rows()->SetCurrentRowSelected(true);
    Q->SetRecNo(1);
    sel->Rows()->SetCurrentRowSelected(true);
    EXPECT_EQ(Adapter->SelectionKind(), gstRecordBookmarks);
    EXPECT_EQ(Export<TDBGridGxExportAsText>(), "1\tt1\t0.5\r\n3\tt3\t1.5");
    sel->Columns()->SelectColumn(Grid->Columns()->ColumnAt(1), false);
    EXPECT_EQ(Adapter->SelectedColumns(), std::vector<int>{1});
    EXPECT_EQ(Export<TDBGridGxExportAsText>(), "t1\r\nt2\r\nt3\r\nt4");
}

TEST_F(ImpExpGridTest, PasteWithoutSelectionStartsAtTheFocusedColumnOfTheCurrentRecord) {
    Grid->SetFocusCol(1 + Grid->IndicatorOffset());
    EXPECT_EQ(Adapter->FocusedColumnIndex(), 1);
    Q->SetRecNo(2);
    Import(std::string("x\t7.5\r\ny\0", 9)); // clipboard text ends in a zero the reader leaves
    if (Q->State() != dsBrowse) Q->Post();
    Q->First();
    std::vector<String> rows;
    for (; !Q->Eof(); Q->Next())
        rows.push_back(Q->FieldByName("F_text")->AsString() + "/" + Q->FieldByName("F_float")->AsString());
    EXPECT_EQ(rows, (std::vector<String>{"t1/0.5", "x/7.5", "y/1.5", "t4/2"}));
}

TEST_F(ImpExpGridTest, DeletingMarkedRowsAsksFirstAndClearsTheSelection) {
    Grid->SetOptions(Grid->Options() | dgConfirmDelete);
    Q->SetRecNo(1);
    Grid->Selection()->Rows()->SetCurrentRowSelected(true);
    Q->SetRecNo(4);
    Grid->Selection()->Rows()->SetCurrentRowSelected(true);
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(mrOk);
    DeleteGridSelection(Adapter.get(), false);
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Text, "Delete all selected records?");
    EXPECT_EQ(Q->RecordCount(), 2);
    EXPECT_EQ(Adapter->SelectionKind(), gstNon);
    EXPECT_EQ(Adapter->MarkedRows()->BookmarkCount(), 0);
}

TEST_F(ImpExpGridTest, RtfCellEdgesFollowTheColumnWidths) {
    Grid->Columns()->ColumnAt(0)->SetWidth(64);
    Grid->Columns()->ColumnAt(1)->SetWidth(100);
    Grid->Columns()->ColumnAt(2)->SetVisible(false);
    const std::string rtf = Export<TDBGridGxExportAsRTF>(true);
    EXPECT_NE(rtf.find("\\cellx960"), std::string::npos);
    EXPECT_NE(rtf.find("\\cellx2460"), std::string::npos);
}

TEST_F(ImpExpGridTest, FooterRowsExportTheColumnsFootersWithTotalsAndTheGridsTexts) {
    Grid->SetOptions(Grid->Options() & ~dgTitles);
    Grid->Columns()->ColumnAt(2)->SetVisible(false);
    Grid->SetFooterRowCount(1);
    Grid->Columns()->ColumnAt(0)->Footer()->SetValueType(fvtSum);
    Grid->Columns()->ColumnAt(1)->Footer()->SetValueType(fvtStaticText);
    Grid->Columns()->ColumnAt(1)->Footer()->SetValue("合  计");
    EXPECT_EQ(Export<TDBGridGxExportAsText>(true),
              "1\tt1\r\n2\tt2\r\n3\tt3\r\n4\tt4\r\n10\t" + AnsiFromUtf8("合  计"));
}

} // namespace
