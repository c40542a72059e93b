// The fee record editors: captions, the house by picker and by room code, the proposed reading,
// price and quantity, the deadline, continuous add, editing, a failing save, a house that must
// be looked up, and a paid row's kept figures.
#include "FeeScenario.h"

#include "app/fees/uFrmWYFYscEdit.h"
#include "app/fees/uFrmWYFYscEdit1.h"
#include "app/registers/uDLGfcinfoCX.h"

#include "app/core/FormControls.h"

#include "controls/kxCurrEdit.h"
#include "db/SqliteDatabase.h"
#include "grid/DBCtrlsGxNavigator.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"

namespace {

class FeeEditors : public FeeScenario {
protected:
    // Plays the picker: the estate's node, the room, 确定.
    void PlayPicker(const String& estate, const String& room) {
        Play<TDLGfcinfoCX>([=](TDLGfcinfoCX* picker) {
            for (int i = 0; i < picker->tvTree->Items()->Count(); ++i)
                if (picker->tvTree->Items()->Item(i)->Text() == estate) {
                    picker->tvTree->SetSelected(picker->tvTree->Items()->Item(i));
                    break;
                }
            picker->tvTree->OnDblClick(picker->tvTree);
            ASSERT_TRUE(picker->QryTable->Locate("F_code", room)) << room;
            picker->BitBtn1->Click();
        });
    }
    // Plays an editor of class T with the handler, opened by 新增 or 修改.
    // pick: the picker's estate and room when the editor opens it once.
    template <class T>
    void PlayEditor(TfrmWYFYscgl& ledger, bool edit, std::function<void(T*)> handler,
                    std::pair<String, String> pick = {}) {
        Play<T>(std::move(handler));
        if (!pick.first.empty()) PlayPicker(pick.first, pick.second);
        if (edit)
            static_cast<TListWindow&>(ledger).EditClick();
        else
            static_cast<TListWindow&>(ledger).NewClick();
    }
    static void Type(TCustomNumEdit* edit, double value) { edit->SetValue(value); }
};

TEST_F(FeeEditors, CaptionsByEditorAndMode) {
    auto ledger = LedgerOn("按用量", "水费");
    PlayEditor<TfrmWYFYscEdit>(*ledger, false, [](TfrmWYFYscEdit* editor) {
        EXPECT_EQ(editor->Caption(), "抄表记录 - 新增");
        EXPECT_TRUE(editor->CheckBox1->Visible());
        editor->Button2->Click();
    });
    ChooseMethod(*ledger, "按面积");
    AddFee({.House = House101, .Method = "按面积", .Item = "物业管理费", .Room = "1-0101", .Estate = "绿园"});
    ChooseItem(*ledger, "物业管理费");
    PlayEditor<TfrmWYFYscEdit1>(*ledger, true, [](TfrmWYFYscEdit1* editor) {
        EXPECT_EQ(editor->Caption(), "物费费用(物业管理费)记录 - 修改");
        EXPECT_TRUE(editor->DBNavigator1->Visible());
        editor->Button2->Click();
    });
}

TEST_F(FeeEditors, APickedHouseStartsAtItsPreviousReadingAndTheUsageFollows) {
    auto ledger = LedgerOn("按用量", "水费");
    PlayEditor<TfrmWYFYscEdit>(*ledger, false, [&](TfrmWYFYscEdit* editor) {
        EXPECT_EQ(editor->edtOperName->Text(), "admin");
        EXPECT_EQ(editor->cePrice->Value(), 3.2L);
        editor->sbFind->Click();
        EXPECT_EQ(editor->HouseId(), House101);
        EXPECT_EQ(editor->edtXQname->Text(), "绿园");
        EXPECT_EQ(editor->edtLDcode->Text(), "1");
        EXPECT_EQ(editor->edtFZname->Text(), "王一");
        EXPECT_EQ(editor->rceBamount->Value(), 1200.25L);
        EXPECT_EQ(editor->rceEamount->Value(), 1200.25L);
        EXPECT_EQ(editor->rceAmount->Value(), 0);
        Type(editor->rceEamount, 1234.5);
        EXPECT_EQ(editor->rceAmount->Value(), 34.25L);
        EXPECT_EQ(MoneyOf(editor->ceTotalPrice), Currency::FromRaw(1096000));
        editor->CheckBox1->SetChecked(false);
        editor->Button1->Click();
        EXPECT_EQ(editor->ModalResult(), mrOk);
    }, {"绿园", "1-0101"});
    EXPECT_EQ(One("select F_mainID, F_FZcode, F_XQname, F_LDcode, F_FZname, F_Bamount, F_Eamount, F_amount, F_price, "
                  "F_totalPrice, F_SFtype, F_SFname, F_OperName, F_JFflag, F_GTflag from T_wyFYrec where F_editDate = "
                  "#2027-05-31#"),
              IntToStr(House101) + "|1-0101|绿园|1|王一|1200.25|1234.5|34.25|3.2|109.6|按用量|水费|admin|False|0");
    EXPECT_EQ(ledger->QryTable->FieldByName("F_FZcode")->AsString(), "1-0101"); // the list on the new row
}

TEST_F(FeeEditors, ThePriceIsKeptUnlessZeroAndTheQuantityFollowsTheMethod) {
    struct TCase {
        const char* Method;
        const char* Item;
        double Typed;      // the quantity typed before the house is picked
        double Price;      // 单价 before the pick
        double Quantity;   // after the pick
        double PriceAfter; // after the pick
    };
    const TCase cases[] = {
        {"按面积", "物业管理费", 7, 0, 120, 1.5},
        {"按面积", "物业管理费", 7, 2.5, 120, 2.5},
        {"按住户", "卫生费", 7, 0, 4, 5},
        {"按自定义", "车位费", 7, 0, 7, 2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(String(c.Item) + " " + FloatToStr(c.Price));
        auto ledger = LedgerOn(c.Method, c.Item);
        PlayEditor<TfrmWYFYscEdit1>(*ledger, false, [&](TfrmWYFYscEdit1* editor) {
            Type(editor->rceAmount, c.Typed);
            Type(editor->cePrice, c.Price);
            editor->sbFind->Click();
            EXPECT_EQ(editor->rceAmount->Value(), static_cast<Extended>(c.Quantity));
            EXPECT_EQ(editor->cePrice->Value(), static_cast<Extended>(c.PriceAfter));
            EXPECT_EQ(MoneyOf(editor->ceTotalPrice), MulQuantity(Currency::FromDouble(c.PriceAfter), c.Quantity));
            editor->Button2->Click();
        }, {"绿园", "1-0102"});
    }
}

TEST_F(FeeEditors, TheRoomCodeLooksUpItsOneHouseOrOpensThePicker) {
    auto ledger = LedgerOn("按面积", "物业管理费");
    // 1-0101 is in both estates: the operator picks.
    PlayEditor<TfrmWYFYscEdit1>(*ledger, false, [&](TfrmWYFYscEdit1* editor) {
        editor->edtFZcode->SetFocus();
        editor->edtFZcode->SetText(" 1-0102 ");
        SimulateKey(editor->edtFZcode, VK_RETURN);
        EXPECT_EQ(editor->HouseId(), House102);
        EXPECT_EQ(editor->edtFZcode->Text(), "1-0102");
        EXPECT_EQ(editor->rceAmount->Value(), 120);
        EXPECT_NE(editor->ActiveControl(), editor->edtFZcode); // moved on
        editor->edtFZcode->SetFocus();
        editor->edtFZcode->SetText("1-0101");
        SimulateKey(editor->edtFZcode, VK_RETURN);
        EXPECT_EQ(editor->HouseId(), OtherEstate101);
        EXPECT_EQ(editor->edtXQname->Text(), "绿园二期");
        EXPECT_EQ(editor->rceAmount->Value(), 99);
        editor->Button2->Click();
    }, {"绿园二期", "1-0101"});
    EXPECT_EQ(User.Requests().size(), 2u); // the editor and the picker
}

TEST_F(FeeEditors, ThePeriodEndMovesTheDeadline) {
    auto ledger = LedgerOn("按用量", "水费");
    PlayEditor<TfrmWYFYscEdit>(*ledger, false, [](TfrmWYFYscEdit* editor) {
        EXPECT_EQ(editor->dtpSFdate->Date(), EncodeDate(2027, 5, 31));
        editor->dtpToDate->SetDate(EncodeDate(2027, 1, 31));
        editor->dtpToDate->OnChange(editor->dtpToDate);
        EXPECT_EQ(editor->dtpSFdate->Date(), EncodeDate(2027, 2, 28));
        editor->Button2->Click();
    });
}

TEST_F(FeeEditors, AContinuousAddStartsTheNextRecordEmpty) {
    auto ledger = LedgerOn("按面积", "物业管理费");
    PlayEditor<TfrmWYFYscEdit1>(*ledger, false, [&](TfrmWYFYscEdit1* editor) {
        editor->sbFind->Click();
        editor->cbbEmpName->SetText("张工");
        editor->Memo1->SetText("首期");
        editor->dtpFromDate->SetDate(EncodeDate(2027, 2, 28));
        editor->Button1->Click();
        EXPECT_EQ(editor->ModalResult(), mrNone);
        EXPECT_EQ(editor->HouseId(), -1);
        for (TEdit* box : {editor->edtFZcode, editor->edtXQname, editor->edtLDcode, editor->edtFZname})
            EXPECT_EQ(box->Text(), "") << box->Name();
        EXPECT_EQ(editor->cbbEmpName->Text(), "");
        EXPECT_EQ(editor->Memo1->Text(), "");
        EXPECT_EQ(editor->dtpFromDate->Date(), EncodeDate(2027, 5, 31));
        EXPECT_EQ(editor->rceAmount->Value(), 0);
        EXPECT_EQ(editor->cePrice->Value(), 1.5L);
        EXPECT_EQ(editor->ActiveControl(), editor->edtFZcode);
        editor->Button2->Click();
    }, {"绿园", "1-0101"});
    EXPECT_EQ(One("select F_FZcode, F_amount, F_totalPrice, F_empName, F_memo1, F_fromDate from T_wyFYrec where "
                  "F_SFname = '物业管理费'"),
              "1-0101|86.5|129.75|张工|首期|2027-02-28");
}

TEST_F(FeeEditors, AnEditKeepsMethodAndItemAndWritesTheOperatorWhoSaves) {
    const int id = AddFee({.House = House102, .Method = "按住户", .Item = "卫生费", .Price = "5", .Room = "1-0102",
                           .Estate = "绿园"});
    Dm->RunSQL("update T_wyFYrec set F_OperName = '前任', F_amount = 4, F_totalPrice = 20 where F_ID = " + IntToStr(id));
    auto ledger = LedgerOn("按住户", "卫生费");
    ledger->CurSFtype = "按面积"; // whatever the window holds now, the row keeps its own
    ledger->CurSFname = "物业管理费";
    PlayEditor<TfrmWYFYscEdit1>(*ledger, true, [&](TfrmWYFYscEdit1* editor) {
        EXPECT_EQ(editor->HouseId(), House102);
        EXPECT_EQ(editor->edtOperName->Text(), "前任");
        EXPECT_EQ(MoneyOf(editor->ceTotalPrice), Currency::FromRaw(200000));
        Type(editor->rceAmount, 3);
        EXPECT_EQ(MoneyOf(editor->ceTotalPrice), Currency::FromRaw(150000));
        Type(editor->ceTotalPrice, 14.5); // typed over
        editor->Button1->Click();
        EXPECT_EQ(editor->ModalResult(), mrOk);
    });
    EXPECT_EQ(One("select F_SFtype, F_SFname, F_OperName, F_amount, F_totalPrice from T_wyFYrec where F_ID = " +
                  IntToStr(id)),
              "按住户|卫生费|admin|3|14.5");
}

TEST_F(FeeEditors, AFailingSaveWritesNothingAndKeepsTheInput) {
    auto ledger = LedgerOn("按面积", "物业管理费");
    Dm->ADOcnn()->Database().ExecuteSql(
        "CREATE TRIGGER refuse_fee BEFORE INSERT ON T_wyFYrec BEGIN SELECT RAISE(ABORT, 'refused'); END");
    PlayEditor<TfrmWYFYscEdit1>(*ledger, false, [&](TfrmWYFYscEdit1* editor) {
        editor->sbFind->Click();
        Type(editor->rceAmount, 90);
        editor->Button1->Click();
        EXPECT_EQ(editor->ModalResult(), mrNone);
        EXPECT_EQ(editor->edtFZcode->Text(), "1-0101");
        EXPECT_EQ(editor->rceAmount->Value(), 90);
        EXPECT_EQ(MoneyOf(editor->ceTotalPrice), Currency::FromRaw(1350000));
        editor->Button2->Click();
    }, {"绿园", "1-0101"});
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{"保存失败，请检测数据库连接！", 3}}));
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_SFname = '物业管理费'"), "0");
}

TEST_F(FeeEditors, OnlyALookedUpHouseIsSaved) {
    const int orphan = AddFee({.House = -1, .Method = "按面积", .Item = "物业管理费", .Room = "9-9999", .Estate = "绿园"});
    struct TCase {
        const char* Name;
        bool Edit;
        std::function<void(TfrmWYFYscEdit1*)> Input;
    };
    const TCase cases[] = {
        {"no house", false, [](TfrmWYFYscEdit1*) {}},
        {"a code typed", false, [](TfrmWYFYscEdit1* e) { e->edtFZcode->SetText("1-0102"); }},
        {"a code typed over the picked one", false,
         [](TfrmWYFYscEdit1* e) {
             e->sbFind->Click();
             e->edtFZcode->SetText("1-0102");
         }},
        {"a row without a house", true, [](TfrmWYFYscEdit1*) {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Messages.clear();
        auto ledger = LedgerOn("按面积", "物业管理费");
        ASSERT_TRUE(ledger->QryTable->Locate("F_ID", orphan));
        PlayEditor<TfrmWYFYscEdit1>(*ledger, c.Edit, [&](TfrmWYFYscEdit1* editor) {
            c.Input(editor);
            editor->Button1->Click();
            EXPECT_EQ(editor->ModalResult(), mrNone);
            EXPECT_EQ(editor->ActiveControl(), editor->edtFZcode);
            editor->Button2->Click();
        }, {c.Edit ? String() : String("绿园"), "1-0101"});
        EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{"当前房间编号不能为空！", 0}}));
        EXPECT_EQ(Rows("select F_mainID from T_wyFYrec where F_SFname = '物业管理费'"), std::vector<String>{"-1"});
        User = TScriptedResponder();
    }
}

TEST_F(FeeEditors, APaidRowKeepsItsHouseAndFigures) {
    AddFee({.House = House101, .Previous = "1200.25", .Current = "1234.5", .Amount = "34.25", .Total = "109.6",
            .Paid = true, .Room = "1-0101", .Estate = "绿园"});
    auto ledger = LedgerOn("按用量", "水费");
    ASSERT_EQ(ledger->QryTable->RecordCount(), 1);
    PlayEditor<TfrmWYFYscEdit>(*ledger, true, [](TfrmWYFYscEdit* editor) {
        EXPECT_TRUE(editor->edtFZcode->ReadOnly());
        EXPECT_FALSE(editor->sbFind->Enabled());
        for (TCustomNumEdit* figure : std::initializer_list<TCustomNumEdit*>{
                 editor->rceBamount, editor->rceEamount, editor->rceAmount, editor->cePrice, editor->ceTotalPrice})
            EXPECT_TRUE(figure->ReadOnly()) << figure->Name();
        EXPECT_FALSE(editor->Memo1->ReadOnly());
        editor->Memo1->SetText("已收");
        editor->Button1->Click();
        EXPECT_EQ(editor->ModalResult(), mrOk);
    });
    EXPECT_EQ(One("select F_Eamount, F_totalPrice, F_memo1, F_JFflag from T_wyFYrec where F_SFname = '水费' and "
                  "F_JFflag = True"),
              "1234.5|109.6|已收|True");
}

} // namespace
