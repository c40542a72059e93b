// The data grid over 100,000 houses and their fees on a real display (Xvfb with openbox, started
// by the test), its pictures read back from the screen and kept in ScreenshotFolder() to be
// looked at: the current row on the first column with row numbers, a money column too narrow for
// its total, the editor open on a money cell, and the find dialog.
#include "../app/desktop/XServer.h"
#include "../grid/DBGridGxFixture.h"

#include "db/ADODB.h"
#include "grid/DBCtrlsGxCheck.h"
#include "grid/DBCtrlsGxCombo.h"
#include "grid/DBGridGxFindDlgs.h"
#include "grid/DBGridGxInplaceEdit.h"
#include "gui/ScreenGrab.h"
#include "gui/Screenshot.h"

namespace {

constexpr int Houses = 100000;

struct DataGridOnScreenTest : DbTest {
    // The display comes up before any window, so the toolkit starts on it and not off screen.
    bool Display = XServerRunning();
    std::unique_ptr<TForm> Form;
    TDBGridGx* Grid = nullptr;
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source{nullptr};

    void SetUp() override {
        if (!Display) GTEST_SKIP() << XServerProblem();
        DbTest::SetUp();
        Run("create table T_fee (F_ID counter, F_house text(20), F_owner text(20), F_area double, "
            "F_fee currency)");
        Cnn->BeginTrans();
        TADOCommand cmd;
        cmd.SetConnection(Cnn.get());
        cmd.SetCommandText("insert into T_fee (F_house, F_owner, F_area, F_fee) values (:h, :o, :a, :f)");
        for (int i = 1; i <= Houses; ++i) {
            cmd.Parameters()->ParamByName("h")->SetValue(Variant("3-" + IntToStr(100 + i % 900) + "-" + IntToStr(i)));
            cmd.Parameters()->ParamByName("o")->SetValue(Variant(i % 2 ? String("刘䶮") : String("王物业")));
            cmd.Parameters()->ParamByName("a")->SetValue(Variant(60.0 + i % 90));
            cmd.Parameters()->ParamByName("f")->SetValue(Variant(i == 7 ? 13235252.61 : 100.0 + (i % 400) * 1.25));
            cmd.Execute();
        }
        Cnn->CommitTrans();
        Q = Query("select F_house, F_owner, F_area, F_fee from T_fee order by F_ID");
        Q->Open();
        Source.SetDataSet(Q.get());
        Form = std::make_unique<TForm>(nullptr);
        Form->SetCaption("Houses and fees");
        Form->SetBounds(40, 40, 620, 420);
        Grid = new TDBGridGx(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetAlign(alClient);
        Grid->SetOptions(Grid->Options() | dgEditing | dgAlwaysShowSelection);
        Grid->ShowSerialNo = true;
        Grid->SetUseMultiTitle(true);
        Grid->BeginLayout();
        const struct {
            const char* Field;
            const char* Title;
            int Width;
        } columns[] = {{"F_house", "房屋|编号", 120}, {"F_owner", "房屋|业主", 90}, {"F_area", "面积", 60},
                       {"F_fee", "物业费|金额", 150}};
        for (const auto& c : columns) {
            TColumnGx* col = Grid->Columns()->AddColumn();
            col->SetFieldName(c.Field);
            col->Title()->SetCaption(c.Title);
            col->SetWidth(c.Width);
        }
        Grid->EndLayout();
        TColumnGx* fee = Grid->Columns()->ColumnAt(3);
        fee->SetDisplayFormat("￥,0.00");
        fee->Footer()->SetDisplayFormat("￥,0.00");
        fee->Footer()->SetValueType(fvtSum);
        Grid->Columns()->ColumnAt(0)->Footer()->SetValueType(fvtStaticText);
        Grid->Columns()->ColumnAt(0)->Footer()->SetValue("合计");
        Grid->SetFooterRowCount(1);
        Grid->SumList()->SetActive(true);
        Grid->SetDataSource(&Source);
        Form->Show();
        ASSERT_TRUE(WaitFor([this] { return Form->Active(); }));
        Grid->SetFocus();
        Settle();
    }
    void TearDown() override {
        if (TDBGridGxFindDlg* d = GridFindDialog()) d->Hide();
        Form.reset();
        Q.reset();
    }
    void Shot(TControl* Control, const char* Name) {
        Settle(300);
        TBitmap b;
        ASSERT_TRUE(GrabControlFromScreen(Control, b));
        SaveBitmapAsPng(b, ScreenshotFolder() + Name);
    }
};

} // namespace

TEST_F(DataGridOnScreenTest, CurrentRowNarrowMoneyFooterEditorAndFindDialog) {
    // The current row on the first column: its number in the indicator stays readable.
    Q->MoveBy(5);
    Grid->SetFocusCol(Grid->IndicatorOffset());
    Shot(Form.get(), "datagrid_current_row.png");

    // The money column too narrow for its total and for one amount: '#' instead of a cut number.
    Grid->Columns()->ColumnAt(3)->SetWidth(70);
    Q->First();
    Shot(Form.get(), "datagrid_narrow_money.png");

    // The editor on a money cell keeps the amount on the right, where the cell showed it.
    Grid->Columns()->ColumnAt(3)->SetWidth(150);
    Q->MoveBy(2);
    Grid->SetFocusCol(Grid->IndicatorOffset() + 3);
    Grid->ShowCellEditor();
    Shot(Form.get(), "datagrid_money_editor.png");
    ASSERT_NE(Grid->InplaceEditor(), nullptr);
    EXPECT_EQ(Grid->InplaceEditor()->Alignment(), taRightJustify);
    Grid->CloseEditor();

    // The find dialog: captions with their access keys, the columns' title levels.
    ShowGridFindDialog(Grid, "刘", "", nullptr, false);
    TDBGridGxFindDlg* d = GridFindDialog();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(WaitFor([d] { return d->Visible(); }));
    Shot(d, "datagrid_find_dialog.png");
    EXPECT_EQ(d->cbFindIn->Items()->Strings(3), "物业费 - 金额");
}
