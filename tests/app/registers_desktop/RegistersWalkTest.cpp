// The registers walked through on a real display with a window manager (Xvfb and openbox, started
// by the test), as a new user on the seeded database: log in, add and rename an estate, add a
// facility, add, sell, move into and vacate a house with Enter through the fields, export and
// print the list; then the site registers, fee items, parking (a space sold to a house from the
// picker) and spare parts (stock in and a return by function keys). Screenshots are kept in
// ScreenshotFolder() to be looked at.
#include "app/RegisterSeed.h"
#include "app/core/StartupFixture.h"
#include "app/desktop/XServer.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/RegisterWindows.h"
#include "app/registers/uDLGfcinfoCX.h"
#include "app/registers/uDLGpjDepotJTH.h"
#include "app/registers/uFrmBJinfoEdit.h"
#include "app/registers/uFrmBJinfoGL.h"
#include "app/registers/uFrmCarPosEdit.h"
#include "app/registers/uFrmCarPosEdit1.h"
#include "app/registers/uFrmCarPosGL.h"
#include "app/registers/uFrmFYinfoEdit.h"
#include "app/registers/uFrmFYinfoGL.h"
#include "app/registers/uFrmPJdepotEdit.h"
#include "app/registers/uFrmPJdepotGL.h"
#include "app/registers/uFrmXLinfoEdit.h"
#include "app/registers/uFrmXLinfoGL.h"
#include "app/registers/uFrmYJinfoEdit.h"
#include "app/registers/uFrmYJinfoGL.h"
#include "app/registers/uFrmFCinfoEdit.h"
#include "app/registers/uFrmFCinfoGL.h"
#include "app/registers/uFrmPublicSetEdit.h"
#include "app/registers/uFrmPublicSetGL.h"
#include "app/registers/uFrmXQinfoGL.h"

#include "app/core/AppStart.h"
#include "app/core/DesktopStandIns.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Menus.h"
#include "gui/Screenshot.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "rtl/FileUtils.h"

namespace {

bool Managed(TCustomForm* form) {
    return WaitFor([form] {
        return XProp(WindowSystemId(form), "_NET_WM_ALLOWED_ACTIONS").find("ACTION_MOVE") != String::npos;
    });
}

void Shot(const String& name) {
    Settle(200);
    SaveScreenAsPng(ScreenshotFolder() + name + ".png");
}

// Enter pressed on the focused control moves the focus on, as Tab does; the names passed.
std::vector<String> EnterThrough(TCustomForm* form, int presses) {
    std::vector<String> names;
    for (int i = 0; i < presses; ++i) {
        TWinControl* focused = form->ActiveControl();
        if (!focused) break;
        names.push_back(focused->Name());
        SimulateKey(focused, VK_RETURN);
        Settle(30);
    }
    return names;
}

class RegistersWalk : public Startup {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        Startup::SetUp();
    }
    void StartAsNewUser() {
        ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
        RegisterRegisterWindows();
        User.Form(Login("admin", {""}));
        ASSERT_TRUE(StartOrvanta());
        FrmMain->Show();
        ASSERT_TRUE(Managed(FrmMain));
        seed::SeedRegisters(dmData->ADOcnn());
        Settle(300);
    }
    // Rows of a statement on the program's connection, columns joined by "|".
    static std::vector<String> Read(const String& sql) {
        TADOQuery q;
        q.SetConnection(dmData->ADOcnn());
        q.SQL()->SetText(sql);
        q.Open();
        std::vector<String> rows;
        for (q.First(); !q.Eof(); q.Next()) {
            String row;
            for (int i = 0; i < q.FieldCount(); ++i)
                row += (i ? "|" : "") + q.Fields()[i]->AsString();
            rows.push_back(row);
        }
        return rows;
    }
    // Runs an action of the main window whose window the handler plays.
    template <class T> void RunAction(int code, std::function<void(T*)> play) {
        User.Form([play](TCustomForm* form) {
            T* window = dynamic_cast<T*>(form);
            EXPECT_NE(window, nullptr);
            if (!window) return static_cast<int>(mrCancel);
            EXPECT_TRUE(Managed(window));
            play(window);
            return static_cast<int>(mrCancel);
        });
        ASSERT_TRUE(FrmMain->ActionOf(code)->Enabled());
        FrmMain->ActionOf(code)->Execute();
        EXPECT_EQ(User.Pending(), 0);
    }
    template <class T> void Dialog(std::function<void(T*)> play) {
        User.Form([play](TCustomForm* form) {
            T* dialog = dynamic_cast<T*>(form);
            EXPECT_NE(dialog, nullptr);
            if (dialog) {
                EXPECT_TRUE(Managed(dialog));
                play(dialog);
            }
            return static_cast<int>(mrNone);
        });
    }
};

TEST_F(RegistersWalk, EstatesFacilitiesAndAHouseFromAddToVacate) {
    StartAsNewUser();

    RunAction<TfrmXQinfoGL>(201, [&](TfrmXQinfoGL* estates) {
        estates->NewClick();
        EXPECT_EQ(estates->edtCode->Text(), "003");
        SimulateTyping(estates->edtName, "新星小区");
        EXPECT_EQ(EnterThrough(estates, 3), (std::vector<String>{"edtName", "edtAddress", "rceLDamount"}));
        Shot("estate_new");
        SimulateKey(estates->edtAddress, 'S', TShiftState{ssCtrl});
        EXPECT_FALSE(estates->Panel1->Visible());
        estates->EditClick();
        estates->edtName->SetText("新星家园");
        EXPECT_TRUE(estates->SaveEstate());
        Shot("estates");
        EXPECT_TRUE(dmData->ShowLayoutReport(estates->vrReport1, "frXQinfoGL.di3", estates->QryTable));
        estates->PrintClick();
        estates->ExitClick();
    });
    EXPECT_EQ(Read("select F_code, F_name from T_XQinfo where F_code = '003'"),
              std::vector<String>{"003|新星家园"});

    RunAction<TfrmPublicSetGL>(203, [&](TfrmPublicSetGL* facilities) {
        Dialog<TfrmPublicSetEdit>([](TfrmPublicSetEdit* dialog) {
            dialog->cbbXQname->SetText("新星家园");
            dialog->edtName->SetText("电动门");
            dialog->rceAmount->SetValue(2);
            dialog->ceprice->SetValue(3.5);
            Shot("facility_edit");
            dialog->CheckBox1->SetChecked(false);
            dialog->Button1->Click();
        });
        facilities->NewClick();
        facilities->CheckBox2->SetChecked(true);
        facilities->RefreshList();
        Shot("facilities");
        const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
        facilities->ExportClick();
        EXPECT_TRUE(WaitFor([&] { return FileExists(desktop.OpenedRecord()); }, 5000));
        facilities->ExitClick();
    });
    EXPECT_EQ(Read("select F_totalprice from T_publicSet where F_name = '电动门'"), std::vector<String>{"7"});

    RunAction<TfrmFCinfoGL>(301, [&](TfrmFCinfoGL* houses) {
        for (int i = 0; i < houses->tvTree->Items()->Count(); ++i)
            if (houses->tvTree->Items()->Item(i)->Text() == seed::EstateA)
                houses->tvTree->SetSelected(houses->tvTree->Items()->Item(i));
        houses->RadioGroup1->SetItemIndex(3);
        houses->RefreshList();
        Shot("houses");
        Dialog<TfrmFCinfoEdit>([](TfrmFCinfoEdit* dialog) {
            dialog->cbbXQname->SetFocus();
            dialog->cbbXQname->SetText(seed::EstateA);
            EXPECT_EQ(EnterThrough(dialog, 4),
                      (std::vector<String>{"cbbXQname", "edtDYcode", "edtcode", "edtLouceng"}));
            dialog->edtLDcode->SetText("8号楼");
            dialog->edtDYcode->SetText("1单元");
            dialog->edtcode->SetText("801");
            dialog->rcebuildarea->SetValue(96.5);
            Shot("house_new");
            dialog->Button1->Click();
        });
        houses->NewClick();
        Dialog<TfrmFCinfoEdit>([](TfrmFCinfoEdit* dialog) {
            dialog->edtFZname->SetText("李明");
            dialog->cbbFZsex->SetText("男");
            dialog->ceHTprice->SetValue(520000);
            dialog->dtpHTDate->SetChecked(true);
            Shot("house_sale");
            dialog->Button1->Click();
        });
        houses->SaleClick();
        Dialog<TfrmFCinfoEdit>([](TfrmFCinfoEdit* dialog) {
            dialog->edtZHname->SetText("李明");
            dialog->dtpRZdate->SetChecked(true);
            dialog->rceZHnum->SetValue(3);
            Shot("house_movein");
            dialog->Button1->Click();
        });
        houses->MoveInClick();
        User.Answer(IDYES);
        houses->VacateClick();
        Shot("houses_after");
        houses->miPrint2->Click();
        const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
        houses->ExportClick();
        EXPECT_TRUE(WaitFor([&] { return FileExists(desktop.OpenedRecord()); }, 5000));
        houses->ExitClick();
    });
    EXPECT_EQ(Read("select F_curStatus, F_FZname, F_ZHname, F_RZdate from T_FCinfo where F_code = '801'"),
              std::vector<String>{"已入住|李明||1900-08-14"});
}

TEST_F(RegistersWalk, SiteRegistersFeeItemsParkingAndSpareParts) {
    StartAsNewUser();
    // Each list: a record added in its dialog, a search, print and export.
    auto walkList = [&](TListWindow* list, const String& name, int searchColumn, const String& text) {
        list->ComboBox1->SetItemIndex(searchColumn);
        list->SearchPanel->ColumnChanged();
        if (list->ComboBox2->Visible()) {
            list->ComboBox2->SetText(text);
            list->SpeedButton1->Click();
        } else
            SimulateTyping(list->Edit1, text);
        EXPECT_EQ(list->QryTable->RecordCount(), 1) << name;
        Shot(name);
        list->PrintClick();
        const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
        list->ExportClick();
        EXPECT_TRUE(WaitFor([&] { return FileExists(desktop.OpenedRecord()); }, 5000)) << name;
        list->ExitClick();
    };
    RunAction<TfrmBJinfoGL>(204, [&](TfrmBJinfoGL* list) {
        Dialog<TfrmBJinfoEdit>([](TfrmBJinfoEdit* dialog) {
            dialog->cbbXQname->SetText(seed::EstateA);
            dialog->cbbArea->SetText("东区");
            dialog->edtFZRemp->SetText("张三");
            dialog->cbbtype->SetText("保洁");
            dialog->YSmem->SetText("合格");
            Shot("cleaning_edit");
            dialog->CheckBox1->SetChecked(false);
            SimulateKey(dialog->edtFZRemp, 'S', TShiftState{ssCtrl});
        });
        list->NewClick();
        walkList(list, "cleaning", 3, "张");
    });
    RunAction<TfrmXLinfoGL>(205, [&](TfrmXLinfoGL* list) {
        Dialog<TfrmXLinfoEdit>([](TfrmXLinfoEdit* dialog) {
            dialog->edtDSRemp->SetText("王五");
            dialog->cbbXLtype->SetText("巡查");
            dialog->Memo1->SetText("夜间巡查正常");
            Shot("patrol_edit");
            dialog->CheckBox1->SetChecked(false);
            dialog->Button1->Click();
        });
        list->NewClick();
        walkList(list, "patrol", 1, "王");
    });
    RunAction<TfrmYJinfoGL>(308, [&](TfrmYJinfoGL* list) {
        Dialog<TfrmYJinfoEdit>([](TfrmYJinfoEdit* dialog) {
            dialog->edtYZcode->SetText("1-101");
            dialog->edtYZname->SetText("业主1");
            dialog->cbbContenttype->SetText("绿化");
            dialog->Memo1->SetText("希望增加花坛");
            Shot("suggestion_edit");
            dialog->CheckBox1->SetChecked(false);
            dialog->Button1->Click();
        });
        list->NewClick();
        list->Button1->Click(); // 刷新列表: the new content type is offered
        EXPECT_EQ(list->vleList->ItemCount(), 2);
        walkList(list, "suggestions", 2, "业主");
    });
    RunAction<TfrmFYinfoGL>(207, [&](TfrmFYinfoGL* list) {
        Dialog<TfrmFYinfoEdit>([](TfrmFYinfoEdit* dialog) {
            dialog->edtName->SetText("电梯费");
            dialog->cbbSFtype->SetText("按住户");
            dialog->ceSFprice->SetValue(12.5);
            Shot("feeitem_edit");
            dialog->CheckBox1->SetChecked(false);
            dialog->Button1->Click();
        });
        list->NewClick();
        walkList(list, "feeitems", 0, "004");
    });
    EXPECT_EQ(Read("select F_code, F_SFprice from T_FYinfo where F_name = '电梯费'"),
              std::vector<String>{"004|12.5"});

    RunAction<TfrmCarPosGL>(306, [&](TfrmCarPosGL* list) {
        Dialog<TfrmCarPosEdit>([](TfrmCarPosEdit* dialog) {
            SimulateTyping(dialog->edtCode, "C003");
            dialog->edtAddress->SetText("地下二层");
            dialog->ceYSprice->SetValue(150000);
            Shot("space_new");
            dialog->Button1->Click();
        });
        list->NewClick();
        Dialog<TfrmCarPosEdit1>([this](TfrmCarPosEdit1* dialog) {
            User.Form([](TCustomForm* form) {
                TTreeNode* building = nullptr;
                auto* picker = dynamic_cast<TDLGfcinfoCX*>(form);
                EXPECT_NE(picker, nullptr);
                if (!picker) return static_cast<int>(mrCancel);
                EXPECT_TRUE(Managed(picker));
                for (int i = 0; i < picker->tvTree->Items()->Count() && !building; ++i)
                    if (picker->tvTree->Items()->Item(i)->Text() == seed::EstateB)
                        building = picker->tvTree->Items()->Item(i)->Item(0);
                picker->tvTree->SetSelected(building);
                picker->tvTree->OnDblClick(picker->tvTree);
                picker->QryTable->Locate("F_code", seed::RoomCode(13));
                Shot("space_picker");
                picker->BitBtn1->Click();
                return static_cast<int>(mrNone);
            });
            dialog->sbFind->Click();
            dialog->cbbCQstatus->SetText("出售");
            dialog->ceSJprice->SetValue(160000);
            Shot("space_sale");
            dialog->Button1->Click();
        });
        list->SellSpace();
        walkList(list, "parking", 0, "C003");
    });
    EXPECT_EQ(Read("select F_CQstatus, F_FZname from T_carPos where F_code = 'C003'"),
              std::vector<String>{"出售|业主14"});

    RunAction<TfrmPJdepotGL>(206, [&](TfrmPJdepotGL* list) {
        Dialog<TfrmPJdepotEdit>([](TfrmPJdepotEdit* dialog) {
            dialog->edtcode->SetText("P001");
            dialog->edtname->SetText("水管");
            dialog->cbbtype->SetText("管材");
            dialog->ceprice1->SetValue(12.5);
            dialog->cePrice2->SetValue(8);
            dialog->rceAmount->SetValue(5);
            dialog->cbbXQname->SetText(seed::EstateA);
            Shot("part_new");
            dialog->Button1->Click();
        });
        list->DBGridGx1->SetFocus();
        SimulateKey(list->DBGridGx1, VK_F2);
        Dialog<TDLGpjDepotJTH>([](TDLGpjDepotJTH* dialog) {
            EXPECT_EQ(dialog->ActiveControl(), dialog->rceAddAmount);
            SimulateTyping(dialog->rceAddAmount, "3");
            Shot("part_stockin");
            dialog->Button1->Click();
        });
        SimulateKey(list->DBGridGx1, VK_F5);
        Dialog<TDLGpjDepotJTH>([](TDLGpjDepotJTH* dialog) {
            dialog->RadioGroup1->SetItemIndex(1);
            dialog->RadioGroup1->OnClick(dialog->RadioGroup1);
            dialog->rceAddAmount->SetValue(2);
            Shot("part_return");
            dialog->Button1->Click();
        });
        SimulateKey(list->DBGridGx1, VK_F5);
        SimulateTyping(list->edtQryCode, "水");
        Shot("parts");
        list->PrintClick();
        const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
        list->ExportClick();
        EXPECT_TRUE(WaitFor([&] { return FileExists(desktop.OpenedRecord()); }, 5000));
        list->ExitClick();
    });
    EXPECT_EQ(Read("select F_amount from T_PJinfo where F_code = 'P001'"), std::vector<String>{"6"});
    EXPECT_EQ(Read("select F_OperFlag, F_amount, F_OperName from T_pjJHrec order by F_ID"),
              (std::vector<String>{"1|3|admin", "-1|2|admin"}));
}

} // namespace
