// The house list and the house dialog: the tree and the list it chooses, the search columns and
// state filters, the five modes, sale, move-in and vacate, room codes per building, the dates
// that are not set, the operator's estates, and the guarded deletion.
#include "RegistersFixture.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/uFrmFCinfoEdit.h"
#include "app/registers/uFrmFCinfoGL.h"

#include "app/core/NotSetDate.h"

#include "controls/kxCurrEdit.h"
#include "grid/DBCtrlsGxNavigator.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "grid/DBGridGx.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"

#include <filesystem>

namespace {

class Houses : public Registers {
protected:
    std::unique_ptr<TfrmFCinfoGL> OpenList() { return Open<TfrmFCinfoGL>(); }
    static TTreeNode* Node(TfrmFCinfoGL& list, const String& estate, const String& building = String()) {
        for (int i = 0; i < list.tvTree->Items()->Count(); ++i) {
            TTreeNode* node = list.tvTree->Items()->Item(i);
            if (node->Level() == 0 && node->Text() == estate) {
                if (building.empty()) return node;
                for (int b = 0; b < node->Count(); ++b)
                    if (node->Item(b)->Text() == building) return node->Item(b);
            }
        }
        return nullptr;
    }
    // Chooses the node as the user does: selected, then a double click.
    static void Choose(TfrmFCinfoGL& list, const String& estate, const String& building = String()) {
        TTreeNode* node = Node(list, estate, building);
        ASSERT_NE(node, nullptr) << estate << building;
        list.tvTree->SetSelected(node);
        list.tvTree->OnDblClick(list.tvTree);
    }
    static void State(TfrmFCinfoGL& list, int index) {
        list.RadioGroup1->SetItemIndex(index);
        list.RadioGroup1->OnClick(list.RadioGroup1);
    }
    static int Count(TfrmFCinfoGL& list) {
        return list.QryTable->Active() ? list.QryTable->RecordCount() : -1;
    }
    // Goes to the house with the room code (in the listed rows).
    static void GoTo(TfrmFCinfoGL& list, const String& code) {
        ASSERT_TRUE(list.QryTable->Locate("F_code", code)) << code;
    }
};

TEST_F(Houses, TheListIsEmptyUntilANodeIsChosen) {
    auto list = OpenList();
    EXPECT_FALSE(list->QryTable->Active());
    EXPECT_EQ(list->StatusBar->Panels(2)->Text(), "");
    ASSERT_EQ(list->tvTree->Items()->Count(), 8); // two estates with three buildings each
    EXPECT_EQ(Node(*list, seed::EstateA)->ImageIndex(), 0);
    EXPECT_EQ(Node(*list, seed::EstateA, "2号楼")->ImageIndex(), 3);
    list->tvTree->SetSelected(Node(*list, seed::EstateA)); // a single click runs nothing
    EXPECT_FALSE(list->QryTable->Active());
    Choose(*list, seed::EstateA);
    EXPECT_EQ(Count(*list), 21); // the unsold houses of the estate
    EXPECT_EQ(list->StatusBar->Panels(2)->Text(), "记录数：21");
    Choose(*list, seed::EstateA, "2号楼");
    EXPECT_EQ(Count(*list), 7);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Houses, TheSearchColumnsAndTheStateFilters) {
    Dm->RunSQL("insert into T_FCinfo (F_XQname, F_LDcode, F_code, F_curStatus) values ('" + seed::EstateA +
               "', '1号楼', '901', '未销售 ')");
    Dm->RunSQL("insert into T_FCinfo (F_XQname, F_LDcode, F_code, F_curStatus) values ('" + seed::EstateA +
               "', '1号楼', '902', Null)");
    auto list = OpenList();
    ASSERT_EQ(list->ComboBox1->Items()->Count(), 26);
    int named = 0;
    for (int i = 0; i < 26; ++i)
        named += !list->ComboBox1->Items()->Strings(i).empty();
    EXPECT_EQ(named, 22);
    Choose(*list, seed::EstateA, "1号楼");
    struct Case {
        int State;
        int Rows;
    } states[] = {{0, 8}, {1, 7}, {2, 6}, {3, 22}}; // "未销售 " under 未销售, Null under 全  部 only
    for (const Case& c : states) {
        State(*list, c.State);
        EXPECT_EQ(Count(*list), c.Rows) << c.State;
    }
    struct Search {
        int Column;
        String Text;
        int Rows;
    } searches[] = {
        {0, "10", 9}, {0, "9", 2},   {0, "0", 0},     {8, "业主", 13}, {8, "业主1", 3},
        {9, "女", 0}, {9, "男", 13}, {16, "住户", 6}, {22, "", 22}, // an empty entry adds nothing
    };
    for (const Search& s : searches) {
        list->ComboBox1->SetItemIndex(s.Column);
        list->SearchPanel->ColumnChanged();
        (list->ComboBox2->Visible() ? static_cast<TWinControl*>(list->ComboBox2) : list->Edit1)
            ->SetText(s.Text);
        list->SpeedButton1->Click();
        EXPECT_EQ(Count(*list), s.Rows) << s.Column << " " << s.Text;
    }
}

TEST_F(Houses, TheFiveModesShowLockAndWriteTheirState) {
    auto list = OpenList();
    Choose(*list, seed::EstateA, "1号楼");
    State(*list, 3);
    GoTo(*list, seed::RoomCode(0)); // unsold
    struct Case {
        int Mode;
        String Caption;
        bool Continuous, Navigator, BasicLocked, ContractLocked;
        String State;
        int Page;
    } cases[] = {
        {0, "房产住户档案 - 新增", true, false, false, false, "未销售", 0},
        {1, "房产住户档案 - 修改", false, true, false, false, "未销售", 0},
        {2, "房产住户档案 - 复制", true, false, false, false, "未销售", 0},
        {3, "房产销售 - 编辑", false, false, true, false, "已销售", 0},
        {4, "住户入住 - 编辑", false, false, true, true, "已入住", 1},
    };
    for (const Case& c : cases) {
        Play<TfrmFCinfoEdit>([&](TfrmFCinfoEdit* dialog) {
            EXPECT_EQ(dialog->Caption(), c.Caption);
            EXPECT_EQ(dialog->CheckBox1->Visible(), c.Continuous) << c.Mode;
            EXPECT_FALSE(dialog->CheckBox1->Checked());
            EXPECT_EQ(dialog->DBNavigator1->Visible(), c.Navigator) << c.Mode;
            EXPECT_EQ(!dialog->cbbXQname->Enabled(), c.BasicLocked) << c.Mode;
            EXPECT_EQ(dialog->edtcode->ReadOnly(), c.BasicLocked) << c.Mode;
            EXPECT_EQ(dialog->rcebuildarea->ReadOnly(), c.BasicLocked) << c.Mode;
            EXPECT_EQ(dialog->edtHTcode->ReadOnly(), c.ContractLocked) << c.Mode;
            EXPECT_EQ(!dialog->dtpHTDate->Enabled(), c.ContractLocked) << c.Mode;
            EXPECT_FALSE(dialog->edtZHname->ReadOnly()); // the resident page is never locked
            EXPECT_EQ(dialog->cbbCurStatus->Text(), c.State) << c.Mode;
            EXPECT_EQ(dialog->PageControl1->ActivePageIndex(), c.Page) << c.Mode;
            EXPECT_EQ(dialog->edtcode->Text(), c.Mode == 0 ? String() : seed::RoomCode(0));
            dialog->Button2->Click();
        });
        list->OpenHouseDialog(c.Mode);
    }
    EXPECT_EQ(User.Pending(), 0);
}

TEST_F(Houses, SaleMoveInAndVacate) {
    auto list = OpenList();
    Choose(*list, seed::EstateA, "1号楼");
    State(*list, 3);
    GoTo(*list, seed::RoomCode(12)); // sold
    list->SaleClick();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgHouseAlreadySold, 0}}));
    Messages.clear();

    GoTo(*list, seed::RoomCode(0)); // unsold: sold now
    const int id = list->CurrentId();
    Play<TfrmFCinfoEdit>([](TfrmFCinfoEdit* dialog) {
        dialog->edtFZname->SetText(" 王小明 ");
        dialog->ceHTprice->SetValue(456789.12);
        dialog->Button1->Click();
    });
    list->SaleClick();
    EXPECT_EQ(
        One("select F_curStatus, F_FZname, F_HTprice, F_HTdate from T_FCinfo where F_ID = " + IntToStr(id)),
        "已销售|王小明|456789.12|1900-08-14"); // the contract date left unticked is not set
    EXPECT_EQ(list->CurrentId(), id);

    Play<TfrmFCinfoEdit>([](TfrmFCinfoEdit* dialog) {
        EXPECT_FALSE(dialog->dtpRZdate->Checked());
        dialog->edtZHname->SetText("王大妈");
        dialog->dtpRZdate->SetChecked(true);
        dialog->rceZHnum->SetValue(2);
        dialog->Button1->Click();
    });
    list->MoveInClick();
    EXPECT_EQ(
        One("select F_curStatus, F_ZHname, F_RZdate, F_ZHnum from T_FCinfo where F_ID = " + IntToStr(id)),
        "已入住|王大妈|2026-03-15|2");

    Answer = 1;
    list->VacateClick();
    EXPECT_EQ(LastMessage(), "真的要置空当前所选的房间编号为“" + seed::RoomCode(0) + "”的房间吗？");
    EXPECT_EQ(One("select F_curStatus, F_ZHname, F_RZdate, F_ZHnum, F_FZname from T_FCinfo where F_ID = " +
                  IntToStr(id)),
              "已入住||1900-08-14|0|王小明");
    EXPECT_EQ(list->QryTable->FieldByName("F_RZdate")->DisplayText(), ""); // not set: shown empty
}

TEST_F(Houses, ARoomCodeIsUniqueWithinItsBuildingOnly) {
    auto list = OpenList();
    Choose(*list, seed::EstateA, "1号楼");
    GoTo(*list, seed::RoomCode(0));
    Play<TfrmFCinfoEdit>([](TfrmFCinfoEdit* dialog) {
        dialog->Button1->Click(); // a copy as it stands: taken
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        dialog->edtLDcode->SetText("9号楼");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    list->CopyClick();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgHouseCodeTaken, 3}}));
    EXPECT_EQ(One("select count(*) from T_FCinfo where F_code = '" + seed::RoomCode(0) +
                  "' and F_XQname = '" + seed::EstateA + "'"),
              "4"); // one in each of the three buildings, and the copy
    // The new building is in the tree.
    EXPECT_NE(Node(*list, seed::EstateA, "9号楼"), nullptr);
}

TEST_F(Houses, ANewHouseIsLocatedByIdAndDatesLeftUntickedStayNotSet) {
    auto list = OpenList();
    Choose(*list, seed::EstateA, "1号楼");
    Play<TfrmFCinfoEdit>([](TfrmFCinfoEdit* dialog) {
        EXPECT_FALSE(dialog->dtpHTDate->Checked());
        dialog->cbbXQname->SetText(seed::EstateA);
        dialog->edtLDcode->SetText("1号楼");
        dialog->edtcode->SetText("001");
        dialog->Button1->Click();
    });
    list->NewClick();
    EXPECT_EQ(list->QryTable->FieldByName("F_code")->AsString(), "001"); // not the last row
    const String id = IntToStr(list->CurrentId());
    EXPECT_EQ(One("select F_HTdate, F_RZdate, F_curStatus from T_FCinfo where F_ID = " + id),
              "1900-08-14|1900-08-14|未销售");
    Play<TfrmFCinfoEdit>([](TfrmFCinfoEdit* dialog) {
        dialog->edtDYcode->SetText("3单元");
        dialog->Button1->Click();
    });
    list->EditClick();
    EXPECT_EQ(One("select F_HTdate, F_DYcode from T_FCinfo where F_ID = " + id), "1900-08-14|3单元");
}

TEST_F(Houses, AnEstateOutsideTheOperatorsScopeIsRefused) {
    RestrictTo("'" + seed::EstateA + "'");
    auto list = OpenList();
    EXPECT_EQ(list->tvTree->Items()->Count(), 4); // one estate with its buildings
    Choose(*list, seed::EstateA);
    Play<TfrmFCinfoEdit>([](TfrmFCinfoEdit* dialog) {
        dialog->cbbXQname->SetText(seed::EstateB);
        dialog->edtcode->SetText("999");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ActiveControl(), dialog->cbbXQname);
        dialog->cbbXQname->SetText(" " + seed::EstateA + " ");
        dialog->Button1->Click();
    });
    list->NewClick();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgHouseEstateUnknown, 0}}));
    EXPECT_EQ(Rows("select F_XQname from T_FCinfo where F_code = '999'"), std::vector<String>{seed::EstateA});
}

TEST_F(Houses, AHouseThatRecordsReferToIsNotDeleted) {
    auto list = OpenList();
    Choose(*list, seed::EstateB, "1号楼");
    State(*list, 3);
    ASSERT_TRUE(list->QryTable->Locate("F_ID", seed::ReferencedHouse));
    User.Answer(IDOK).Answer(IDOK);
    list->DeleteClick();
    EXPECT_EQ(User.Requests()[0].Text, "真的要删除房间号为 \"" + seed::RoomCode(7) + "\" 的房间吗？");
    EXPECT_EQ(Messages,
              (std::vector<std::pair<String, int>>{{"当前房间还有 3 条相关业务记录，不能删除！", 0}}));
    EXPECT_EQ(One("select count(*) from T_FCinfo where F_ID = " + IntToStr(seed::ReferencedHouse)), "1");
    GoTo(*list, seed::RoomCode(13));
    list->DeleteClick();
    EXPECT_EQ(One("select count(*) from T_FCinfo where F_code = '" + seed::RoomCode(13) +
                  "' and F_XQname = '" + seed::EstateB + "' and F_LDcode = '1号楼'"),
              "0");
}

TEST_F(Houses, TitleClicksSortTheListUpAndDown) {
    auto list = OpenList();
    Choose(*list, seed::EstateA, "1号楼");
    TColumnGx* code = list->DBGridGx1->ColumnByFieldName("F_code");
    TColumnGx* remark = list->DBGridGx1->ColumnByFieldName("F_mem1");
    struct Case {
        TColumnGx* Column;
        TSortMarkerGx Marker;
        String Sort, First;
    } cases[] = {
        {code, smUpGx, "F_code ASC", "101"},
        {code, smDownGx, "F_code DESC", "119"},
        {remark, smUpGx, "F_mem1 ASC", "101"}, // memo columns sort too: "房屋1" first
    };
    for (const Case& c : cases) {
        list->DBGridGx1->OnTitleClick(c.Column);
        EXPECT_EQ(c.Column->Title()->SortMarker(), c.Marker);
        EXPECT_EQ(list->QryTable->Sort(), c.Sort);
        list->QryTable->First();
        EXPECT_EQ(list->QryTable->FieldByName("F_code")->AsString(), c.First) << c.Sort;
    }
    EXPECT_EQ(code->Title()->SortMarker(), smNoneGx);
}

TEST_F(Houses, TheDetailSheetPrintsOneHousePerPage) {
    std::filesystem::create_directories(Prog() + "Qr");
    for (const char* file : {"frFCinfoGL.di3", "frFCinfoGL1.di3"})
        std::filesystem::copy_file(String(ORV_SOURCE_DIR) + "/app/Qr/" + file, Prog() + "Qr/" + file);
    auto list = OpenList();
    Choose(*list, seed::EstateB, "2号楼"); // 7 unsold houses
    list->PrintDetailClick();
    EXPECT_EQ(static_cast<TvrPreviewPages*>(list->vrReport1->PreparedPages())->GetPageCount(), 7);
    list->PrintClick();
    EXPECT_EQ(static_cast<TvrPreviewPages*>(list->vrReport1->PreparedPages())->GetPageCount(), 1);
    EXPECT_TRUE(Messages.empty());
}

} // namespace
