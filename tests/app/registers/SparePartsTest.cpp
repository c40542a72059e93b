// The spare parts: stock in and returns by function keys with their movements, the quantity checks,
// the card's six checks in order, one code in two estates, a card edit leaving the stock alone,
// a failing movement leaving the stock as it was, and the list's search and category filter.
#include "RegistersFixture.h"

#include "app/registers/SaveTransaction.h"
#include "app/registers/uDLGpjDepotJTH.h"
#include "app/registers/uFrmPJdepotEdit.h"
#include "app/registers/uFrmPJdepotGL.h"

#include "controls/kxCurrEdit.h"
#include "db/SqliteDatabase.h"
#include "gui/ActnList.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"

namespace {

class SpareParts : public Registers {
protected:
    void SetUp() override {
        Registers::SetUp();
        Dm->RunSQL("insert into T_PJinfo (F_code, F_name, F_type, F_unit, F_address, F_price1, F_price2, F_amount, "
                   "F_XQname) values ('P001', '水管', '管材', '米', '宁波', 12.5, 8.25, 5, '" +
                   seed::EstateA + "')");
        OperName = "小王";
    }
    std::unique_ptr<TfrmPJdepotGL> OpenOn(const String& code) {
        auto list = Open<TfrmPJdepotGL>();
        EXPECT_TRUE(list->QryTable->Locate("F_code", code));
        return list;
    }
    // Plays the stock dialog: the choice (0 进货, 1 退货), the quantity; true when it closed saved.
    void Move(TfrmPJdepotGL& list, int choice, double quantity, bool saved, const String& memo = String()) {
        Play<TDLGpjDepotJTH>([=](TDLGpjDepotJTH* dialog) {
            dialog->RadioGroup1->SetItemIndex(choice);
            dialog->RadioGroup1->OnClick(dialog->RadioGroup1);
            EXPECT_EQ(dialog->lblflag->Caption(), choice == 0 ? "进货数量：" : "退货数量：");
            dialog->rceAddAmount->SetValue(quantity);
            dialog->Memo1->SetText(memo);
            dialog->Button1->Click();
            EXPECT_EQ(dialog->ModalResult() == mrOk, saved) << quantity;
            if (!saved) dialog->Button2->Click();
        });
        list.DBGridGx1->SetFocus();
        SimulateKey(list.DBGridGx1, VK_F5);
    }
    String Stock(const String& code = "P001") {
        return One("select F_amount from T_PJinfo where F_code = '" + code + "' and F_XQname = '" +
                   seed::EstateA + "'");
    }
};

TEST_F(SpareParts, StockInAndReturnsMoveTheStoredFigureWithTheirMovements) {
    auto list = OpenOn("P001");
    Move(*list, 0, 3, true, "第一批");
    EXPECT_EQ(Stock(), "8");
    EXPECT_EQ(list->QryTable->FieldByName("F_amount")->AsString(), "8");
    Move(*list, 1, 9, false);
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgStockShort, 0}}));
    EXPECT_EQ(Stock(), "8");
    Move(*list, 1, 8, true);
    EXPECT_EQ(Stock(), "0");
    Messages.clear();
    Move(*list, 0, 0, false);
    Move(*list, 1, -2, false);
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgStockInQuantity, 2}, {MsgReturnQuantity, 2}}));
    EXPECT_EQ(Rows("select F_PJcode, F_editDate, F_amount, F_memo1, F_price1, F_price2, F_OperName, F_OperFlag, "
                   "F_XQname from T_pjJHrec order by F_ID"),
              (std::vector<String>{"P001|2026-03-15|3|第一批|12.5|8.25|小王|1|" + seed::EstateA,
                                   "P001|2026-03-15|8||12.5|8.25|小王|-1|" + seed::EstateA}));
    // The part shown stays the list's; its code cannot be changed to book another part.
    Play<TDLGpjDepotJTH>([](TDLGpjDepotJTH* dialog) {
        EXPECT_TRUE(dialog->edtcode->ReadOnly());
        dialog->Button2->Click();
    });
    list->Action1->Execute();
}

TEST_F(SpareParts, AFailingMovementLeavesTheStockAsItWas) {
    Dm->ADOcnn()->Database().ExecuteSql(
        "CREATE TRIGGER no_moves BEFORE INSERT ON T_pjJHrec BEGIN SELECT RAISE(ABORT, 'refused'); END");
    auto list = OpenOn("P001");
    Move(*list, 0, 3, false);
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgSaveFailed, 3}}));
    EXPECT_EQ(Stock(), "5");
    EXPECT_EQ(One("select count(*) from T_pjJHrec"), "0");
}

TEST_F(SpareParts, TheCardChecksInOrder) {
    auto list = Open<TfrmPJdepotGL>();
    Play<TfrmPJdepotEdit>([&](TfrmPJdepotEdit* dialog) {
        EXPECT_EQ(dialog->Caption(), "配件资料 - 新增");
        EXPECT_FALSE(dialog->CheckBox1->Checked());
        EXPECT_FALSE(dialog->rceAmount->ReadOnly());
        struct Step {
            std::function<void()> Type; // what is typed before 确定
            String Message;
            TWinControl* Focus;
        } steps[] = {
            {[] {}, MsgPartCodeEmpty, dialog->edtcode},
            {[&] { dialog->edtcode->SetText(" P001 "); }, MsgPartNameEmpty, dialog->edtname},
            {[&] { dialog->edtname->SetText("水管"); }, MsgPartPrice1, dialog->ceprice1},
            {[&] { dialog->ceprice1->SetValue(10); }, MsgPartPrice2, dialog->cePrice2},
            {[&] { dialog->cePrice2->SetValue(6); }, MsgPartTypeEmpty, dialog->cbbtype},
            {[&] {
                 dialog->cbbtype->SetText("管材");
                 dialog->cbbXQname->SetText(" " + seed::EstateA); // trimmed as saved: taken
             },
             MsgPartCodeTaken, dialog->edtcode},
        };
        for (const Step& step : steps) {
            Messages.clear();
            step.Type();
            dialog->Button1->Click();
            EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{step.Message, 0}}));
            EXPECT_EQ(dialog->ActiveControl(), step.Focus) << step.Message;
        }
        // The same code in the other estate is another part.
        Messages.clear();
        dialog->cbbXQname->SetText(seed::EstateB);
        dialog->rceAmount->SetValue(7);
        dialog->Button1->Click();
        EXPECT_TRUE(Messages.empty());
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    list->Action2->Execute();
    EXPECT_EQ(Rows("select F_XQname, F_amount, F_rate from T_PJinfo where F_code = 'P001' order by F_ID"),
              (std::vector<String>{seed::EstateA + "|5|0", seed::EstateB + "|7|0"}));
    // A second card of the code in an estate is refused by the database as well.
    EXPECT_FALSE(Dm->RunSQL("insert into T_PJinfo (F_code, F_XQname) values ('P001', '" + seed::EstateA + "')"));
}

TEST_F(SpareParts, ACardEditLeavesTheStockThatMovedMeanwhile) {
    auto list = OpenOn("P001");
    Play<TfrmPJdepotEdit>([&](TfrmPJdepotEdit* dialog) {
        EXPECT_EQ(dialog->Caption(), "配件资料 - 修改");
        EXPECT_TRUE(dialog->rceAmount->ReadOnly());
        EXPECT_FALSE(dialog->rceAmount->TabStop());
        // A repair elsewhere takes two meanwhile.
        Dm->RunSQL("update T_PJinfo set F_amount = F_amount - 2 where F_code = 'P001'");
        dialog->edtname->SetText("PVC水管");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    list->DBGridGx1->SetFocus();
    SimulateKey(list->DBGridGx1, VK_F3);
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(One("select F_name, F_amount from T_PJinfo where F_code = 'P001' and F_XQname = '" + seed::EstateA +
                  "'"),
              "PVC水管|3");
}

TEST_F(SpareParts, TheListSearchesThreeColumnsAndFiltersByCategory) {
    auto list = Open<TfrmPJdepotGL>();
    EXPECT_EQ(list->QryTable->RecordCount(), 3);
    struct Case {
        String Text;
        String Category;
        int Count;
    } cases[] = {{"P0", "", 3},   {"水", "", 2},  {"宁波", "", 1}, {"", "管", 1},
                 {"", "材", 0},   {"P", "五", 1}, {"%", "", 0},    {"'", "", 0}};
    for (const Case& c : cases) {
        list->edtQryCode->SetText(c.Text); // every change runs the list
        list->cbbPJtype->SetText(c.Category);
        list->cbbPJtype->OnChange(list->cbbPJtype);
        EXPECT_EQ(list->QryTable->RecordCount(), c.Count) << c.Text << " " << c.Category;
        EXPECT_EQ(list->StatusBar->Panels(2)->Text(), "记录数：" + IntToStr(c.Count));
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(SpareParts, KeysRunTheActionsAndEscAsksBeforeClosing) {
    auto list = OpenOn("P001");
    list->DBGridGx1->SetFocus();
    Answer = 2;
    SimulateKey(list->DBGridGx1, VK_ESCAPE);
    EXPECT_TRUE(list->Visible());
    EXPECT_EQ(LastMessage(), "真的要退 \"库存配件管理\" 操作界面吗？");
    Answer = 2;
    SimulateKey(list->DBGridGx1, VK_F4); // the delete question answered no
    EXPECT_EQ(LastMessage(), "真的要删除当前配件 \"水管\"？");
    EXPECT_EQ(One("select count(*) from T_PJinfo"), "3");
    Answer = 1;
    SimulateKey(list->DBGridGx1, VK_F4);
    EXPECT_EQ(One("select count(*) from T_PJinfo"), "2");
    Play<TfrmPJdepotEdit>([](TfrmPJdepotEdit* dialog) {
        EXPECT_EQ(dialog->Caption(), "配件资料 - 新增");
        dialog->Button2->Click();
    });
    SimulateKey(list->DBGridGx1, VK_F2);
    EXPECT_EQ(User.Pending(), 0);
    Dm->RunSQL("delete from T_PJinfo");
    list->RefreshList();
    Messages.clear();
    SimulateKey(list->DBGridGx1, VK_F5);
    SimulateKey(list->DBGridGx1, VK_F3);
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgNoPartToMove, 3}, {MsgNothingToEdit, 3}}));
    Answer = 1;
    SimulateKey(list->DBGridGx1, VK_ESCAPE);
    EXPECT_FALSE(list->Visible());
}

TEST_F(SpareParts, TheCardAndTheStockDialogAskBeforeEscCloses) {
    auto list = OpenOn("P001");
    Play<TfrmPJdepotEdit>([&](TfrmPJdepotEdit* dialog) {
        dialog->Memo1->SetFocus();
        SimulateKey(dialog->Memo1, VK_RETURN); // Enter moves on from the memo too
        EXPECT_NE(dialog->ActiveControl(), dialog->Memo1);
        Answer = 2;
        SimulateKey(dialog->edtname, VK_ESCAPE);
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        Answer = 1;
        SimulateKey(dialog->edtname, VK_ESCAPE);
        EXPECT_EQ(dialog->ModalResult(), mrCancel);
    });
    list->Action3->Execute();
    Play<TDLGpjDepotJTH>([&](TDLGpjDepotJTH* dialog) {
        SimulateKey(dialog->rceAddAmount, VK_ESCAPE);
        EXPECT_EQ(dialog->ModalResult(), mrCancel);
    });
    list->Action1->Execute();
    EXPECT_EQ(MessageTexts(), (std::vector<String>{"真的要退 \"配件资料 - 修改\" 操作界面吗？",
                                                   "真的要退 \"配件资料 - 修改\" 操作界面吗？",
                                                   "真的要退 \"配件进 (退) 货\" 操作界面吗？"}));
    EXPECT_EQ(One("select count(*) from T_pjJHrec"), "0");
}

} // namespace
