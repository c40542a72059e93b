// The register family on the public-facility register: search, keys and button states, the
// amount proposed from quantity and price, stopped rows, continuous add, the navigator, deletion
// and the code numbering.
#include "RegistersFixture.h"

#include "app/registers/DialogControls.h"
#include "app/registers/ListSearchPanel.h"
#include "app/registers/uFrmPublicSetEdit.h"
#include "app/registers/uFrmPublicSetGL.h"

#include "controls/kxCurrEdit.h"
#include "grid/DBCtrlsGxNavigator.h"
#include "grid/DBGridGx.h"
#include "gui/Bitmap.h"
#include "gui/Buttons.h"
#include "gui/ControlShot.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"

namespace {

class PublicSet : public Registers {
protected:
    std::unique_ptr<TfrmPublicSetGL> OpenList() { return Open<TfrmPublicSetGL>(); }
    static int Count(TfrmPublicSetGL& list) { return list.QryTable->RecordCount(); }
    static String Names(TfrmPublicSetGL& list) {
        String names;
        for (list.QryTable->First(); !list.QryTable->Eof(); list.QryTable->Next())
            names += (names.empty() ? "" : ",") + list.QryTable->FieldByName("F_name")->AsString();
        return names;
    }
    // Red text pixels in the grid as it shows.
    static int RedPixels(TfrmPublicSetGL& list) {
        TBitmap shot;
        GrabControl(list.DBGridGx1, shot);
        int red = 0;
        for (int y = 0; y < shot.Height(); ++y) {
            const Byte* row = shot.ScanLine(y);
            for (int x = 0; x < shot.Width(); ++x)
                red += row[3 * x + 2] > 180 && row[3 * x + 1] < 80 && row[3 * x] < 80;
        }
        return red;
    }
};

TEST_F(PublicSet, TheSevenSearchColumnsMatchTheirTextAsTyped) {
    Dm->RunSQL(
        "insert into T_publicSet (F_code, F_name, F_type, F_spec, F_address, F_memo1, F_useFlag) values "
        "('000009', '门禁%_*?', '安防', Null, '上海', Null, False)");
    auto list = OpenList();
    ASSERT_EQ(list->ComboBox1->Items()->Count(), 7);
    const char* captions[] = {"设施编号", "设施名称", "设施类型", "品牌", "规格", "产地", "备注"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(list->ComboBox1->Items()->Strings(i), captions[i]);
    EXPECT_EQ(list->ComboBox1->ItemIndex(), -1);
    EXPECT_EQ(Count(*list), 5); // the stopped facility is hidden
    struct Case {
        int Column;
        String Text;
        String Names;
    } cases[] = {
        {0, "00000", "电梯,水泵,监控摄像头,路灯,门禁%_*?"},
        {0, "000002", "水泵"},
        {1, "监控", "监控摄像头"},
        {1, "摄像头", ""}, // starts with
        {1, "门禁%_", "门禁%_*?"},
        {1, "门禁_", ""},  // "_" is a character, not a wildcard
        {1, "门禁%*", ""}, // nor "*"
        {1, "门禁%_*?", "门禁%_*?"},
        {2, "安", "监控摄像头,门禁%_*?"},
        {3, "通", "电梯,水泵,监控摄像头,路灯"},
        {4, "标", "电梯,水泵,监控摄像头,路灯"},
        {4, "", "电梯,水泵,监控摄像头,路灯,门禁%_*?"}, // nothing typed hides no row, Null fields included
        {5, "州", "电梯,水泵,监控摄像头,路灯"},
        {6, "  ", "电梯,水泵,监控摄像头,路灯,门禁%_*?"},
        {6, "'", ""},
    };
    for (const Case& c : cases) {
        list->ComboBox1->SetItemIndex(c.Column);
        list->SearchPanel->ColumnChanged();
        const bool coded = c.Column == 2 || c.Column == 3;
        EXPECT_EQ(list->ComboBox2->Visible(), coded) << c.Column;
        EXPECT_EQ(list->Edit1->Visible(), !coded) << c.Column;
        if (coded) {
            list->ComboBox2->SetText(c.Text); // as a value chosen from the list
            list->SpeedButton1->Click();
        } else
            list->Edit1->SetText(c.Text); // each change runs the search
        EXPECT_EQ(Names(*list), c.Names) << c.Column << " " << c.Text;
        EXPECT_EQ(list->StatusBar->Panels(2)->Text(), "记录数：" + IntToStr(Count(*list)));
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(PublicSet, KeysActOnlyWhileTheirButtonIsEnabledAndLeaveTextBoxesAlone) {
    auto list = OpenList();
    list->DBGridGx1->SetFocus();
    SimulateKey(list->DBGridGx1, VK_HOME);
    EXPECT_FALSE(list->tbFirst->Enabled());
    EXPECT_FALSE(list->tbPrior->Enabled());
    EXPECT_TRUE(list->tbNext->Enabled());
    EXPECT_EQ(list->QryTable->RecNo(), 1);
    SimulateKey(list->DBGridGx1, VK_END);
    EXPECT_TRUE(list->tbFirst->Enabled());
    EXPECT_FALSE(list->tbNext->Enabled());
    EXPECT_FALSE(list->tbLast->Enabled());
    EXPECT_EQ(list->QryTable->RecNo(), 4);
    list->NextClick(); // at the end: the row stays
    EXPECT_EQ(list->QryTable->RecNo(), 4);

    // Del in the search box edits the box; in the grid it offers to delete the row.
    list->ComboBox1->SetItemIndex(1);
    list->SearchPanel->ColumnChanged();
    list->Edit1->SetFocus();
    SimulateTyping(list->Edit1, "路");
    SimulateKey(list->Edit1, VK_HOME);
    SimulateKey(list->Edit1, VK_DELETE);
    EXPECT_EQ(list->Edit1->Text(), "");
    EXPECT_TRUE(User.Requests().empty());
    list->DBGridGx1->SetFocus();
    User.Answer(IDCANCEL);
    SimulateKey(list->DBGridGx1, VK_DELETE);
    ASSERT_EQ(User.Requests().size(), 1u);
    EXPECT_EQ(User.Requests()[0].Caption, "系统提示");

    // Ctrl+E opens the dialog on the row; with 修改 disabled it does not.
    Play<TfrmPublicSetEdit>([](TfrmPublicSetEdit* dialog) {
        EXPECT_EQ(dialog->Caption(), "公共设施资料 - 修改");
        dialog->Button2->Click();
    });
    SimulateKey(list->DBGridGx1, 'E', TShiftState{ssCtrl});
    EXPECT_EQ(User.Pending(), 0);
    list->tbEdit->SetEnabled(false);
    SimulateKey(list->DBGridGx1, 'E', TShiftState{ssCtrl});
    EXPECT_EQ(User.Requests().size(), 2u);
    SimulateKey(list->DBGridGx1, VK_ESCAPE);
    EXPECT_FALSE(list->Visible());
}

TEST_F(PublicSet, AddingProposesTheAmountAsMoneyAndKeepsTheEstateForTheNextRecord) {
    auto list = OpenList();
    Play<TfrmPublicSetEdit>([&](TfrmPublicSetEdit* dialog) {
        EXPECT_EQ(dialog->Caption(), "公共设施资料 - 新增");
        EXPECT_TRUE(dialog->CheckBox1->Visible());
        EXPECT_TRUE(dialog->CheckBox1->Checked());
        EXPECT_FALSE(dialog->DBNavigator1->Visible());
        EXPECT_EQ(dialog->edtCode->Text(), "000006");
        dialog->cbbXQname->SetText(seed::EstateB);
        dialog->edtName->SetText("消防栓");
        dialog->rceAmount->SetValue(2);
        dialog->ceprice->SetValue(3.5);
        EXPECT_EQ(dialog->ceTotalprice->Value(), 7);
        dialog->ceprice->SetValue(0.3333);
        dialog->rceAmount->SetValue(3);
        EXPECT_EQ(MoneyOf(dialog->ceTotalprice), Currency::FromDouble(0.9999L));
        dialog->Button1->Click(); // saved; the next record starts
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        EXPECT_EQ(dialog->edtCode->Text(), "000007");
        EXPECT_EQ(dialog->cbbXQname->Text(), seed::EstateB);
        EXPECT_EQ(dialog->edtName->Text(), "");
        EXPECT_EQ(dialog->ceTotalprice->Value(), 0);
        dialog->Button2->Click();
    });
    list->NewClick();
    EXPECT_EQ(One("select F_code, F_name, F_amount, F_price, F_totalprice, F_XQname from T_publicSet where "
                  "F_name = "
                  "'消防栓'"),
              "000006|消防栓|3|0.3333|0.9999|" + seed::EstateB);
    // The list stands on the saved row.
    EXPECT_EQ(list->QryTable->FieldByName("F_name")->AsString(), "消防栓");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(PublicSet, AStoppedFacilityIsHiddenOrDrawnInRed) {
    auto list = OpenList();
    list->SetBounds(0, 0, 1000, 400);
    EXPECT_EQ(Count(*list), 4);
    EXPECT_EQ(RedPixels(*list), 0);
    list->CheckBox2->SetChecked(true);
    list->CheckBox2->Click();
    EXPECT_EQ(Count(*list), 5);
    EXPECT_GT(RedPixels(*list), 20);
}

TEST_F(PublicSet, TheNavigatorMovesTheListAndTheSaveUpdatesTheRowShown) {
    auto list = OpenList();
    Play<TfrmPublicSetEdit>([&](TfrmPublicSetEdit* dialog) {
        EXPECT_FALSE(dialog->CheckBox1->Visible());
        EXPECT_TRUE(dialog->DBNavigator1->Visible());
        EXPECT_TRUE(dialog->edtCode->ReadOnly());
        EXPECT_EQ(dialog->edtName->Text(), "电梯");
        EXPECT_FALSE(dialog->DBNavigator1->Button(nbPrior)->Enabled());
        dialog->DBNavigator1->BtnClick(nbNext);
        EXPECT_EQ(dialog->edtName->Text(), "水泵");
        EXPECT_EQ(dialog->ceTotalprice->Value(), 4 * 5200.5);
        dialog->edtName->SetText("水泵（二号）");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    list->EditClick();
    EXPECT_EQ(One("select F_name from T_publicSet where F_code = '000001'"), "电梯");
    EXPECT_EQ(One("select F_name, F_totalprice from T_publicSet where F_code = '000002'"),
              "水泵（二号）|20802");
    EXPECT_EQ(list->QryTable->FieldByName("F_code")->AsString(), "000002");
}

TEST_F(PublicSet, DeletingAsksAboutTheFacilityByName) {
    auto list = OpenList();
    User.Answer(IDCANCEL).Answer(IDOK);
    list->DeleteClick();
    EXPECT_EQ(Count(*list), 4);
    list->DeleteClick();
    ASSERT_EQ(User.Requests().size(), 2u);
    EXPECT_EQ(User.Requests()[0].Text, "真的要删除当前设施电梯吗？");
    EXPECT_EQ(User.Requests()[0].Flags & MB_TYPEMASK, static_cast<Cardinal>(MB_OKCANCEL));
    EXPECT_EQ(Count(*list), 3);
    EXPECT_EQ(One("select count(*) from T_publicSet where F_name = '电梯'"), "0");
}

TEST_F(PublicSet, ATakenCodeGivesWayAndACodeWithoutDigitsBlocksNoNumbering) {
    Dm->RunSQL("insert into T_publicSet (F_code, F_name, F_useFlag) values ('ZZ-X', '手写编号', False)");
    auto list = OpenList();
    Play<TfrmPublicSetEdit>([&](TfrmPublicSetEdit* dialog) {
        EXPECT_EQ(dialog->edtCode->Text(), "000006");
        dialog->edtCode->SetText("000003"); // taken: the next free code without a message
        dialog->edtName->SetText("门铃");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->edtCode->Text(), "000007");
        dialog->edtCode->SetText("");
        dialog->edtName->SetText("雨棚");
        dialog->Button1->Click();
        dialog->Button2->Click();
    });
    list->NewClick();
    EXPECT_EQ(Rows("select F_code, F_name from T_publicSet where F_ID > 6 order by F_ID"),
              (std::vector<String>{"000006|门铃", "|雨棚"}));
    EXPECT_TRUE(Messages.empty());
}

} // namespace
