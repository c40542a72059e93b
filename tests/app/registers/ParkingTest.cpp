// The parking register: a new space and its checks, the sale or rent of a space to a house from the
// picker (a house required, no second sale, the dialog closing after each deal), corrections with
// 修改, and the side grouping list.
#include "RegistersFixture.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/uDLGfcinfoCX.h"
#include "app/registers/uFrmCarPosEdit.h"
#include "app/registers/uFrmCarPosEdit1.h"
#include "app/registers/uFrmCarPosGL.h"

#include "controls/kxCurrEdit.h"
#include "grid/DBGridGx.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"

namespace {

// House 14 (index 13): estate B, building 1, occupied.
constexpr int SoldHouse = 14;

class Parking : public Registers {
protected:
    std::unique_ptr<TfrmCarPosGL> OpenList() { return Open<TfrmCarPosGL>(); }
    static void Pick(TDLGfcinfoCX* picker, const String& estate, const String& building, const String& room) {
        for (int i = 0; i < picker->tvTree->Items()->Count(); ++i) {
            TTreeNode* node = picker->tvTree->Items()->Item(i);
            if (node->Level() != 0 || node->Text() != estate) continue;
            for (int b = 0; b < node->Count(); ++b)
                if (node->Item(b)->Text() == building) picker->tvTree->SetSelected(node->Item(b));
        }
        picker->tvTree->OnDblClick(picker->tvTree);
        for (picker->QryTable->First(); !picker->QryTable->Eof(); picker->QryTable->Next())
            EXPECT_NE(picker->QryTable->FieldByName("F_curStatus")->AsString(), "未销售");
        ASSERT_TRUE(picker->QryTable->Locate("F_code", room));
        picker->BitBtn1->Click();
    }
    // The sale dialog on the space: picks house 14 from the picker and saves the deal.
    void Sell(TfrmCarPosGL& list, const String& code, const String& state) {
        ASSERT_TRUE(list.QryTable->Locate("F_code", code));
        Play<TfrmCarPosEdit1>([&](TfrmCarPosEdit1* dialog) {
            Play<TDLGfcinfoCX>([](TDLGfcinfoCX* picker) { Pick(picker, seed::EstateB, "1号楼", seed::RoomCode(13)); });
            dialog->sbFind->Click();
            dialog->cbbCQstatus->SetText(state);
            dialog->edtCarCode->SetText(" 浙A12345 ");
            dialog->ceSJprice->SetValue(120000.5);
            dialog->cbbEmpname->SetText("小刘");
            dialog->Button1->Click();
            EXPECT_EQ(dialog->ModalResult(), mrOk);
        });
        list.SellSpace();
    }
};

TEST_F(Parking, ANewSpaceIsFreeWithTheDatesThatAreNotSet) {
    auto list = OpenList();
    Play<TfrmCarPosEdit>([](TfrmCarPosEdit* dialog) {
        EXPECT_EQ(dialog->Caption(), "车位档案 - 新增");
        EXPECT_FALSE(dialog->CheckBox1->Visible());
        EXPECT_FALSE(dialog->DBNavigator1->Visible());
        dialog->edtCode->SetText("  ");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ActiveControl(), dialog->edtCode);
        dialog->edtCode->SetText(" C001 ");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ActiveControl(), dialog->edtCode);
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        dialog->edtCode->SetText(" C003 ");
        dialog->edtAddress->SetText("地下二层");
        dialog->ceYSprice->SetValue(150000.1234);
        dialog->ceYZprice->SetValue(300);
        dialog->Memo1->SetText(" 靠近电梯 ");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    list->NewClick();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgSpaceCodeEmpty, 0}, {MsgSpaceCodeTaken, 0}}));
    EXPECT_EQ(One("select F_code, F_address, F_YSprice, F_YZprice, F_memo1, F_flag, F_fromDate, F_toDate, "
                  "F_XQname is Null from T_carPos where F_code = 'C003'"),
              "C003|地下二层|150000.1234|300| 靠近电梯 |False|1900-08-14|3000-08-14|1");
    EXPECT_EQ(list->QryTable->FieldByName("F_code")->AsString(), "C003");
    EXPECT_EQ(list->QryTable->FieldByName("F_fromDate")->DisplayText(), "");
    // The sale dialog shows both dates unchecked.
    Play<TfrmCarPosEdit1>([](TfrmCarPosEdit1* dialog) {
        EXPECT_EQ(dialog->Caption(), "销售、租赁车位管理 - 修改");
        EXPECT_EQ(dialog->edtCode->Text(), "C003");
        EXPECT_TRUE(dialog->edtCode->ReadOnly());
        EXPECT_FALSE(dialog->dtpFromDate->Checked());
        EXPECT_FALSE(dialog->dtpToDate->Checked());
        EXPECT_EQ(dialog->HouseId(), -1);
        dialog->Button2->Click();
    });
    list->EditClick();
}

TEST_F(Parking, ASaleNeedsAHouseFromThePickerAndIsMadeOnce) {
    auto list = OpenList();
    ASSERT_TRUE(list->QryTable->Locate("F_code", String("C002")));
    Play<TfrmCarPosEdit1>([](TfrmCarPosEdit1* dialog) {
        EXPECT_EQ(dialog->Caption(), "销售、租赁车位管理 - 新增");
        EXPECT_FALSE(dialog->CheckBox1->Visible()); // no continuous entry
        EXPECT_FALSE(dialog->DBNavigator1->Visible());
        for (const char* state : {"出售", "出租"}) {
            dialog->cbbCQstatus->SetText(state);
            dialog->Button1->Click();
            EXPECT_EQ(dialog->ActiveControl(), dialog->edtFZcode);
            EXPECT_EQ(dialog->ModalResult(), mrNone);
        }
        dialog->Button2->Click();
    });
    list->SellSpace();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgSpaceHouseEmpty, 0}, {MsgSpaceHouseEmpty, 0}}));
    EXPECT_EQ(One("select F_CQstatus, F_mainID is Null from T_carPos where F_code = 'C002'"), "空闲|1");

    Messages.clear();
    Sell(*list, "C002", "出售");
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(One("select F_mainID, F_FZcode, F_XQname, F_LDcode, F_FZname, F_CarCode, F_CQstatus, F_SJprice, "
                  "F_empName, F_fromDate, F_toDate from T_carPos where F_code = 'C002'"),
              IntToStr(SoldHouse) + "|" + seed::RoomCode(13) + "|" + seed::EstateB + "|1号楼|业主14|浙A12345|出售|"
                  "120000.5|小刘|1900-08-14|3000-08-14");
    // The list stands on the space and shows the house.
    EXPECT_EQ(list->QryTable->FieldByName("F_code")->AsString(), "C002");
    EXPECT_EQ(list->QryTable->FieldByName("F_FZname")->AsString(), "业主14");
    // 销售 again is refused without a dialog.
    list->SellSpace();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgSpaceTaken, 0}}));
    EXPECT_EQ(User.Pending(), 0);
}

TEST_F(Parking, EditingCorrectsTheDealAndKeepsTheHouseWithoutThePicker) {
    auto list = OpenList();
    ASSERT_TRUE(list->QryTable->Locate("F_code", String("C001")));
    Play<TfrmCarPosEdit1>([](TfrmCarPosEdit1* dialog) {
        EXPECT_TRUE(dialog->DBNavigator1->Visible());
        EXPECT_EQ(dialog->HouseId(), seed::ReferencedHouse);
        EXPECT_TRUE(dialog->dtpFromDate->Checked());
        EXPECT_EQ(dialog->dtpFromDate->Date(), EncodeDate(2024, 1, 1));
        EXPECT_FALSE(dialog->dtpToDate->Checked()); // the open end
        dialog->dtpToDate->SetChecked(true);
        dialog->dtpToDate->SetDate(EncodeDate(2027, 12, 31));
        dialog->cbbCQstatus->SetText("出租");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    list->EditClick();
    EXPECT_EQ(One("select F_mainID, F_FZcode, F_XQname, F_CQstatus, F_fromDate, F_toDate from T_carPos where "
                  "F_code = 'C001'"),
              IntToStr(seed::ReferencedHouse) + "|" + seed::RoomCode(7) + "|" + seed::EstateB +
                  "|出租|2024-01-01|2027-12-31");
    // Back to free: 修改 works whatever the state.
    Play<TfrmCarPosEdit1>([](TfrmCarPosEdit1* dialog) {
        dialog->cbbCQstatus->SetText("空闲");
        dialog->Button1->Click();
    });
    list->EditClick();
    EXPECT_EQ(One("select F_CQstatus, F_mainID from T_carPos where F_code = 'C001'"),
              "空闲|" + IntToStr(seed::ReferencedHouse));
    Play<TfrmCarPosEdit1>([](TfrmCarPosEdit1* dialog) { dialog->Button2->Click(); });
    list->SellSpace(); // free again: it can be sold
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Parking, EmptyListsAndTheDeleteQuestion) {
    Dm->RunSQL("delete from T_carPos");
    auto list = OpenList();
    list->SellSpace();
    list->EditClick();
    list->DeleteClick();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgNoSpaceToSell, 3}, {MsgNoSpaceToEdit, 3}}));
    EXPECT_TRUE(User.Requests().empty());
    Dm->RunSQL("insert into T_carPos (F_code, F_flag) values ('C009', False)");
    list->RefreshList();
    User.Answer(IDOK);
    list->DeleteClick();
    ASSERT_EQ(User.Requests().size(), 1u);
    EXPECT_EQ(User.Requests()[0].Text, "真的要删除当前车位编号 为 C009 车位记录吗？");
    EXPECT_TRUE(list->ListEmpty());
}

TEST_F(Parking, TheSideListGroupsByStateAndHandler) {
    Dm->RunSQL("update T_carPos set F_empName = '小刘' where F_code = 'C001'");
    Dm->RunSQL("insert into T_carPos (F_code, F_CQstatus, F_empName, F_flag) values ('C005', '出租', '小陈', False)");
    auto list = OpenList();
    auto codes = [&] {
        String all;
        for (list->QryTable->First(); !list->QryTable->Eof(); list->QryTable->Next())
            all += (all.empty() ? "" : ",") + list->QryTable->FieldByName("F_code")->AsString();
        return all;
    };
    EXPECT_EQ(list->vleList->ItemCount(), 4); // 全部, 出售, 出租, 空闲
    EXPECT_EQ(list->vleList->Column(1)->Caption(), "产权状态");
    EXPECT_EQ(codes(), "C001,C002,C005");
    for (int i = 1; i < list->vleList->ItemCount(); ++i)
        if (list->vleList->Items(i)->SubItems()->Strings(0) == "出租") list->vleList->SetItemIndex(i);
    EXPECT_EQ(codes(), "C005");
    list->cbbListType->SetItemIndex(1);
    list->cbbListType->OnChange(list->cbbListType);
    EXPECT_EQ(list->vleList->Column(1)->Caption(), "经 手 人");
    EXPECT_EQ(list->vleList->ItemCount(), 3);
    EXPECT_EQ(codes(), "C001,C002,C005");
    for (int i = 1; i < list->vleList->ItemCount(); ++i)
        if (list->vleList->Items(i)->SubItems()->Strings(0) == "小刘") list->vleList->SetItemIndex(i);
    EXPECT_EQ(codes(), "C001");
    list->SpeedButton2->Click();
    EXPECT_FALSE(list->PanelGroup->Visible());
}

} // namespace
