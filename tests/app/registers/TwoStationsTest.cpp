// Two stations on one database file at once: both add a facility, one renames an estate while the
// other saves a house in it, one deletes a house the other edits; both move one part's stock, one
// edits a part card while the other moves its stock, both save one space code or fee-item name.
// Codes stay distinct, the later save is told what happened, and nothing is lost or brought back.
#include "RegistersFixture.h"

#include "app/registers/SaveTransaction.h"
#include "app/registers/uDLGpjDepotJTH.h"
#include "app/registers/uFrmCarPosEdit.h"
#include "app/registers/uFrmCarPosGL.h"
#include "app/registers/uFrmFYinfoEdit.h"
#include "app/registers/uFrmFYinfoGL.h"
#include "app/registers/uFrmPJdepotEdit.h"
#include "app/registers/uFrmPJdepotGL.h"
#include "app/registers/uFrmFCinfoEdit.h"
#include "app/registers/uFrmFCinfoGL.h"
#include "app/registers/uFrmPublicSetEdit.h"
#include "app/registers/uFrmPublicSetGL.h"
#include "app/registers/uFrmXQinfoGL.h"

#include "controls/kxCurrEdit.h"
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/ScopeGuards.h"

namespace {

class TwoStations : public Registers {
protected:
    void SetUp() override {
        Registers::SetUp();
        Other = std::make_unique<TdmData>(nullptr);
        ASSERT_TRUE(Other->DataModuleCreate());
        dmData = Dm.get();
    }
    void TearDown() override {
        dmData = Dm.get();
        Other.reset();
        Registers::TearDown();
    }
    // Runs work as the other station: its data module is the program's meanwhile.
    void AsOther(const std::function<void()>& work) {
        dmData = Other.get();
        const TScopeExit back([this] { dmData = Dm.get(); });
        work();
    }
    void AsThis(const std::function<void()>& work) {
        TdmData* before = dmData;
        dmData = Dm.get();
        const TScopeExit back([before] { dmData = before; });
        work();
    }
    // A station's house list on a house of the estate's first building.
    std::unique_ptr<TfrmFCinfoGL> HouseList(bool other, const String& estate, const String& code) {
        std::unique_ptr<TfrmFCinfoGL> list;
        const std::function<void()> open = [&] {
            list = Open<TfrmFCinfoGL>();
            for (int i = 0; i < list->tvTree->Items()->Count(); ++i)
                if (list->tvTree->Items()->Item(i)->Text() == estate)
                    list->tvTree->SetSelected(list->tvTree->Items()->Item(i));
            list->RadioGroup1->SetItemIndex(3);
            list->RefreshList();
            EXPECT_TRUE(list->QryTable->Locate("F_code;F_LDcode", VarArrayOf({code, String("1号楼")})));
        };
        other ? AsOther(open) : AsThis(open);
        return list;
    }
    std::unique_ptr<TdmData> Other;
};

TEST_F(TwoStations, BothAddAFacilityAtOnce) {
    auto here = Open<TfrmPublicSetGL>();
    std::unique_ptr<TfrmPublicSetGL> there;
    AsOther([&] { there = Open<TfrmPublicSetGL>(); });
    Play<TfrmPublicSetEdit>([&](TfrmPublicSetEdit* dialog) {
        EXPECT_EQ(dialog->edtCode->Text(), "000006");
        dialog->edtName->SetText("这里的设施");
        AsOther([&] { there->NewClick(); }); // the other station adds and closes meanwhile
        dialog->Button1->Click();
        dialog->Button2->Click();
    });
    Play<TfrmPublicSetEdit>([](TfrmPublicSetEdit* dialog) {
        EXPECT_EQ(dialog->edtCode->Text(), "000006");
        dialog->edtName->SetText("那里的设施");
        dialog->Button1->Click();
        dialog->Button2->Click();
    });
    here->NewClick();
    EXPECT_EQ(Rows("select F_code, F_name from T_publicSet where F_ID > 5 order by F_code"),
              (std::vector<String>{"000006|那里的设施", "000007|这里的设施"}));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(TwoStations, ARenameWhileTheOtherSavesAHouseInTheEstate) {
    auto estates = Open<TfrmXQinfoGL>();
    auto houses = HouseList(true, seed::EstateA, seed::RoomCode(12));
    Play<TfrmFCinfoEdit>([&](TfrmFCinfoEdit* dialog) {
        AsThis([&] {
            estates->FirstClick();
            ASSERT_EQ(estates->QryTable->FieldByName("F_name")->AsString(), seed::EstateA);
            estates->EditClick();
            estates->edtName->SetText("阳光新城");
            EXPECT_TRUE(estates->SaveEstate());
        });
        dialog->edtZHname->SetText("新住户");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrNone); // still open, with what was typed
        EXPECT_EQ(dialog->edtZHname->Text(), "新住户");
        dialog->Button2->Click();
    });
    AsOther([&] { houses->EditClick(); });
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgRecordChanged, 3}}));
    EXPECT_EQ(One("select F_XQname, F_ZHname from T_FCinfo where F_code = '" + seed::RoomCode(12) +
                  "' and F_LDcode = '1号楼' and F_XQname <> '" + seed::EstateB + "'"),
              "阳光新城|住户13");

    // A new house in the estate by its old name: the estate is no longer there.
    Messages.clear();
    Play<TfrmFCinfoEdit>([&](TfrmFCinfoEdit* dialog) {
        dialog->cbbXQname->SetText(seed::EstateA);
        dialog->edtcode->SetText("888");
        dialog->Button1->Click();
        dialog->Button2->Click();
    });
    AsOther([&] { houses->NewClick(); });
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgHouseEstateUnknown, 0}}));
    EXPECT_EQ(One("select count(*) from T_FCinfo where F_code = '888'"), "0");
}

TEST_F(TwoStations, OneDeletesAHouseTheOtherEdits) {
    auto here = HouseList(false, seed::EstateA, seed::RoomCode(6));
    auto houses = HouseList(true, seed::EstateA, seed::RoomCode(6));
    const int id = here->CurrentId();
    Play<TfrmFCinfoEdit>([&](TfrmFCinfoEdit* dialog) {
        AsThis([&] { here->DeleteClick(); });
        dialog->edtFZname->SetText("改了名字");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        dialog->Button2->Click();
    });
    User.Answer(IDOK);
    AsOther([&] { houses->EditClick(); });
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgRecordChanged, 3}}));
    EXPECT_EQ(One("select count(*) from T_FCinfo where F_ID = " + IntToStr(id)), "0");
    EXPECT_EQ(One("select count(*) from T_FCinfo where F_FZname = '改了名字'"), "0");
}

TEST_F(TwoStations, AStockInAndAReturnAtOnceKeepBoth) {
    auto here = Open<TfrmPJdepotGL>();
    std::unique_ptr<TfrmPJdepotGL> there;
    AsOther([&] { there = Open<TfrmPJdepotGL>(); });
    ASSERT_TRUE(here->QryTable->Locate("F_code", String("P01")));
    ASSERT_TRUE(there->QryTable->Locate("F_code", String("P01")));
    Play<TDLGpjDepotJTH>([&](TDLGpjDepotJTH* dialog) {
        EXPECT_EQ(dialog->rceAmount->Value(), 50);
        Play<TDLGpjDepotJTH>([](TDLGpjDepotJTH* other) {
            other->RadioGroup1->SetItemIndex(1);
            other->rceAddAmount->SetValue(20);
            other->Button1->Click();
        });
        AsOther([&] { there->Action1->Execute(); }); // the other returns 20 meanwhile
        dialog->rceAddAmount->SetValue(30);
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    here->Action1->Execute();
    EXPECT_EQ(One("select F_amount from T_PJinfo where F_code = 'P01'"), "60");
    EXPECT_EQ(Rows("select F_amount, F_OperFlag from T_pjJHrec order by F_ID"),
              (std::vector<String>{"20|-1", "30|1"}));
    EXPECT_EQ(here->QryTable->FieldByName("F_amount")->AsString(), "60");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(TwoStations, ACardEditWhileTheOtherMovesTheStockKeepsBoth) {
    auto here = Open<TfrmPJdepotGL>();
    std::unique_ptr<TfrmPJdepotGL> there;
    AsOther([&] { there = Open<TfrmPJdepotGL>(); });
    ASSERT_TRUE(here->QryTable->Locate("F_code", String("P02")));
    ASSERT_TRUE(there->QryTable->Locate("F_code", String("P02")));
    Play<TfrmPJdepotEdit>([&](TfrmPJdepotEdit* dialog) {
        Play<TDLGpjDepotJTH>([](TDLGpjDepotJTH* other) {
            other->rceAddAmount->SetValue(15);
            other->Button1->Click();
        });
        AsOther([&] { there->Action1->Execute(); });
        dialog->edtname->SetText("节能灯泡");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    here->Action3->Execute();
    EXPECT_EQ(One("select F_name, F_amount from T_PJinfo where F_code = 'P02'"), "节能灯泡|215");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(TwoStations, OneSpaceCodeOrFeeItemNameSavedAtOnce) {
    auto spaces = Open<TfrmCarPosGL>();
    std::unique_ptr<TfrmCarPosGL> otherSpaces;
    AsOther([&] { otherSpaces = Open<TfrmCarPosGL>(); });
    Play<TfrmCarPosEdit>([&](TfrmCarPosEdit* dialog) {
        dialog->edtCode->SetText("C010");
        Play<TfrmCarPosEdit>([](TfrmCarPosEdit* other) {
            other->edtCode->SetText("C010");
            other->edtAddress->SetText("那里");
            other->Button1->Click();
        });
        AsOther([&] { otherSpaces->NewClick(); });
        dialog->edtAddress->SetText("这里");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        dialog->Button2->Click();
    });
    spaces->NewClick();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgSpaceCodeTaken, 0}}));
    EXPECT_EQ(Rows("select F_address from T_carPos where F_code = 'C010'"), std::vector<String>{"那里"});

    Messages.clear();
    auto items = Open<TfrmFYinfoGL>();
    std::unique_ptr<TfrmFYinfoGL> otherItems;
    AsOther([&] { otherItems = Open<TfrmFYinfoGL>(); });
    Play<TfrmFYinfoEdit>([&](TfrmFYinfoEdit* dialog) {
        dialog->edtName->SetText("电梯费");
        Play<TfrmFYinfoEdit>([](TfrmFYinfoEdit* other) {
            other->edtName->SetText("电梯费");
            other->cbbSFtype->SetText("按住户");
            other->Button1->Click();
            other->Button2->Click();
        });
        AsOther([&] { otherItems->NewClick(); });
        dialog->cbbSFtype->SetText("按面积");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        dialog->Button2->Click();
    });
    items->NewClick();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgFeeItemNameTaken, 3}}));
    EXPECT_EQ(Rows("select F_code, F_SFtype from T_FYinfo where F_name = '电梯费'"),
              std::vector<String>{"004|按住户"});
}

} // namespace
