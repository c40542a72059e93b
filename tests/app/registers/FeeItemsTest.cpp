// The fee items: a unique name across methods and letter case, the rename of the item's ledger rows
// and shared-fee records in the save's transaction (and nothing of it when a part fails), the
// other changes leaving the ledger alone, and the search entries.
#include "RegistersFixture.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/SaveTransaction.h"
#include "app/registers/uFrmFYinfoEdit.h"
#include "app/registers/uFrmFYinfoGL.h"

#include "controls/kxCurrEdit.h"
#include "db/SqliteDatabase.h"
#include "gui/StdCtrls.h"

namespace {

class FeeItems : public Registers {
protected:
    void SetUp() override {
        Registers::SetUp();
        // Ledger rows of 物业费 under two methods, paid and unpaid, one of another item; shared-fee
        // records of 物业费 and of 水费.
        Dm->RunSQL("insert into T_wyFYrec (F_mainID, F_SFtype, F_SFname, F_price, F_JFflag) values "
                   "(9, '按面积', '物业费', 1.5, True)");
        Dm->RunSQL("insert into T_wyFYrec (F_mainID, F_SFtype, F_SFname, F_price, F_JFflag) values "
                   "(9, '按住户', '物业费', 2, False)");
        Dm->RunSQL("insert into T_wyFYrec (F_mainID, F_SFtype, F_SFname, F_price) values "
                   "(9, '按用量', '水费', 3.2)");
        Dm->RunSQL("insert into t_wyGTrec (F_GTid, F_SFtype, F_SFname) values ('00000001', '按面积', '物业费')");
        Dm->RunSQL("insert into t_wyGTrec (F_GTid, F_SFtype, F_SFname) values ('00000002', '按用量', '水费')");
    }
    // Opens the list on the item and plays the edit dialog with the handler.
    void EditItem(TfrmFYinfoGL& list, const String& code, std::function<void(TfrmFYinfoEdit*)> handler) {
        ASSERT_TRUE(list.QryTable->Locate("F_code", code));
        Play<TfrmFYinfoEdit>(std::move(handler));
        list.EditClick();
    }
    std::vector<String> LedgerNames() {
        return Rows("select F_SFname from T_wyFYrec order by F_ID");
    }
    std::vector<String> SharedNames() { return Rows("select F_SFname from t_wyGTrec order by F_ID"); }
};

TEST_F(FeeItems, ANameIsTakenWhateverItsMethodAndLetterCase) {
    Dm->RunSQL("insert into T_FYinfo (F_code, F_name, F_SFtype) values ('004', 'Parking', '按住户')");
    auto list = Open<TfrmFYinfoGL>();
    struct Case {
        String Name;
        String Method;
        bool Taken;
    } cases[] = {
        {"物业费", "按面积", true}, {" 物业费 ", "按用量", true}, {"PARKING", "按面积", true},
        {"parking", "按住户", true}, {"停车费", "按住户", false},
    };
    for (const Case& c : cases) {
        Messages.clear();
        Play<TfrmFYinfoEdit>([&](TfrmFYinfoEdit* dialog) {
            dialog->edtName->SetText(c.Name);
            dialog->cbbSFtype->SetText(c.Method);
            dialog->Button1->Click();
            if (c.Taken) {
                EXPECT_EQ(dialog->ActiveControl(), dialog->edtName) << c.Name;
                EXPECT_EQ(dialog->ModalResult(), mrNone);
            }
            dialog->Button2->Click();
        });
        list->NewClick();
        EXPECT_EQ(Messages.empty(), !c.Taken) << c.Name;
        if (c.Taken) {
            EXPECT_EQ(LastMessage(), MsgFeeItemNameTaken);
        }
    }
    EXPECT_EQ(One("select count(*) from T_FYinfo"), "5");
    // Renaming an item to another's name in other letters is refused too; to its own, not.
    Messages.clear();
    EditItem(*list, "004", [](TfrmFYinfoEdit* dialog) {
        dialog->edtName->SetText("水费");
        dialog->Button1->Click();
        dialog->edtName->SetText("PARKING");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgFeeItemNameTaken, 3}}));
    EXPECT_EQ(One("select F_name from T_FYinfo where F_code = '004'"), "PARKING");
}

TEST_F(FeeItems, ARenameRewritesTheItemsRowsOfEveryMethodAndItsSharedFees) {
    auto list = Open<TfrmFYinfoGL>();
    EditItem(*list, "001", [](TfrmFYinfoEdit* dialog) {
        EXPECT_EQ(dialog->Caption(), "费用项目 - 修改");
        EXPECT_TRUE(dialog->edtCode->ReadOnly());
        dialog->edtName->SetText(" 管理费 ");
        dialog->Button1->Click();
    });
    EXPECT_EQ(LedgerNames(), (std::vector<String>{"管理费", "管理费", "管理费", "管理费", "水费"}));
    EXPECT_EQ(SharedNames(), (std::vector<String>{"管理费", "水费"}));
    EXPECT_EQ(One("select F_name from T_FYinfo where F_code = '001'"), "管理费");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FeeItems, APriceMethodOrCycleChangeLeavesTheLedgerAlone) {
    auto list = Open<TfrmFYinfoGL>();
    const std::vector<String> ledger = Rows("select F_SFtype, F_SFname, F_price from T_wyFYrec order by F_ID");
    EditItem(*list, "001", [](TfrmFYinfoEdit* dialog) {
        dialog->ceSFprice->SetValue(2.25);
        dialog->cbbSFtype->SetText("按住户");
        dialog->cbbSFcycle->SetText("季");
        dialog->Button1->Click();
    });
    EXPECT_EQ(One("select F_name, F_SFtype, F_SFprice, F_SFcycle from T_FYinfo where F_code = '001'"),
              "物业费|按住户|2.25|季");
    EXPECT_EQ(Rows("select F_SFtype, F_SFname, F_price from T_wyFYrec order by F_ID"), ledger);
    EXPECT_EQ(SharedNames(), (std::vector<String>{"物业费", "水费"}));
    // Adding an item does not touch them either.
    Play<TfrmFYinfoEdit>([](TfrmFYinfoEdit* dialog) {
        EXPECT_EQ(dialog->edtCode->Text(), "004");
        dialog->edtName->SetText("电费");
        dialog->Button1->Click();
        dialog->Button2->Click();
    });
    list->NewClick();
    EXPECT_EQ(Rows("select F_SFtype, F_SFname, F_price from T_wyFYrec order by F_ID"), ledger);
}

TEST_F(FeeItems, AFailingRenameKeepsNothing) {
    for (const char* table : {"T_wyFYrec", "t_wyGTrec"}) {
        SCOPED_TRACE(table);
        Dm->ADOcnn()->Database().ExecuteSql(String("CREATE TRIGGER no_rename BEFORE UPDATE OF F_SFname ON ") + table +
                              " BEGIN SELECT RAISE(ABORT, 'locked'); END");
        auto list = Open<TfrmFYinfoGL>();
        Messages.clear();
        EditItem(*list, "001", [](TfrmFYinfoEdit* dialog) {
            dialog->edtName->SetText("管理费");
            dialog->ceSFprice->SetValue(9);
            dialog->Button1->Click();
            EXPECT_EQ(dialog->ModalResult(), mrNone); // still open, with what was typed
            EXPECT_EQ(dialog->edtName->Text(), "管理费");
            dialog->Button2->Click();
        });
        EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgSaveFailed, 3}}));
        EXPECT_EQ(One("select F_name, F_SFprice from T_FYinfo where F_code = '001'"), "物业费|1.5");
        EXPECT_EQ(LedgerNames(), (std::vector<String>{"物业费", "物业费", "物业费", "物业费", "水费"}));
        EXPECT_EQ(SharedNames(), (std::vector<String>{"物业费", "水费"}));
        Dm->ADOcnn()->Database().ExecuteSql("DROP TRIGGER no_rename");
    }
}

TEST_F(FeeItems, TheSearchEntriesSearchMethodEstateAndRemark) {
    Dm->RunSQL("update T_FYinfo set F_memo1 = '每月一次' where F_code = '002'");
    auto list = Open<TfrmFYinfoGL>();
    std::vector<String> entries;
    for (int i = 0; i < list->ComboBox1->Items()->Count(); ++i)
        entries.push_back(list->ComboBox1->Items()->Strings(i));
    EXPECT_EQ(entries, (std::vector<String>{"编号", "类型", "区域", "备注"}));
    struct Case {
        int Column;
        String Text;
        int Count;
    } cases[] = {{0, "00", 3}, {0, "02", 0}, {1, "面积", 1}, {1, "按", 3},
                 {2, "翠湖", 1}, {2, "小区", 2}, {3, "每月", 1}};
    for (const Case& c : cases) {
        list->ComboBox1->SetItemIndex(c.Column);
        list->SearchPanel->ColumnChanged();
        EXPECT_EQ(list->ComboBox2->Visible(), c.Column == 1);
        if (c.Column == 1) {
            list->ComboBox2->SetText(c.Text);
            list->SpeedButton1->Click();
        } else
            list->Edit1->SetText(c.Text);
        EXPECT_EQ(list->QryTable->RecordCount(), c.Count) << c.Column << " " << c.Text;
    }
    EXPECT_TRUE(Messages.empty());
}

} // namespace
