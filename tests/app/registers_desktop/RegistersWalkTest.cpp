// The registers walked through on a real display with a window manager (Xvfb and openbox, started
// by the test), as a new user on the seeded database: log in, add and rename an estate, add a
// facility, add, sell, move into and vacate a house with Enter through the fields, export and
// print the list. Screenshots are kept in ScreenshotFolder() to be looked at.
#include "app/RegisterSeed.h"
#include "app/core/StartupFixture.h"
#include "app/desktop/XServer.h"

#include "app/registers/RegisterWindows.h"
#include "app/registers/uFrmFCinfoEdit.h"
#include "app/registers/uFrmFCinfoGL.h"
#include "app/registers/uFrmPublicSetEdit.h"
#include "app/registers/uFrmPublicSetGL.h"
#include "app/registers/uFrmXQinfoGL.h"

#include "app/core/AppStart.h"
#include "app/core/DesktopStandIns.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Menus.h"
#include "gui/Screenshot.h"
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

} // namespace
