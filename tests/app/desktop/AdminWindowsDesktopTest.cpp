// The administration windows on a real display with a window manager, on the registers' seed:
// each opened from its menu as "admin" and as an operator holding only their rights, walked as a
// new user with Enter from box to box. Screenshots are kept in ScreenshotFolder() to be looked at.
#include "XServer.h"
#include "app/RegisterSeed.h"
#include "app/core/StartupFixture.h"

#include "app/core/AppStart.h"
#include "app/core/uDLGselectXQname.h"
#include "app/core/uFrmCodeMan.h"
#include "app/core/uFrmDataClear.h"
#include "app/core/uFrmLimitGl.h"
#include "app/core/uFrmModPass.h"
#include "app/core/uFrmOperGl.h"
#include "app/core/uFrmUserInfo.h"

#include "controls/WnPageControl.h"
#include "controls/kxCurrEdit.h"
#include "gui/ActnList.h"
#include "gui/CheckLst.h"
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/InputSimulation.h"
#include "gui/Menus.h"
#include "gui/Screenshot.h"

namespace {

bool ManagedWindow(TCustomForm* form) {
    return WaitFor([form] {
        return XProp(WindowSystemId(form), "_NET_WM_ALLOWED_ACTIONS").find("ACTION_MOVE") != String::npos;
    });
}

void Shot(const String& name) {
    Settle(250);
    SaveScreenAsPng(ScreenshotFolder() + name + ".png");
}

class AdminWindowsWalk : public Startup {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        Startup::SetUp();
    }
    // The seeded database with an operator "li" holding the administration rights only.
    void Start(const String& operatorName) {
        Connect();
        seed::SeedRegisters(Dm->ADOcnn());
        AddOperator("li", "", {"101", "102", "103", "105", "209"});
        Dm.reset();
        User.Form(Login(operatorName, {""}));
        ASSERT_TRUE(StartOrvanta());
        FrmMain->Show();
        ASSERT_TRUE(ManagedWindow(FrmMain));
        Settle(300);
    }
    // Clicks the menu item and plays the window it opens.
    template <class T> void FromMenu(int menu, const String& caption, std::function<void(T*)> play) {
        TMenuItem* item = FrmMain->mnuTop[menu]->Find(caption);
        ASSERT_NE(item, nullptr) << caption;
        ASSERT_TRUE(item->Visible()) << caption;
        ASSERT_TRUE(item->Enabled()) << caption;
        User.Form([play](TCustomForm* form) {
            T* window = dynamic_cast<T*>(form);
            EXPECT_NE(window, nullptr);
            if (!window) return static_cast<int>(mrCancel);
            EXPECT_TRUE(ManagedWindow(window));
            play(window);
            return static_cast<int>(mrCancel);
        });
        item->Click();
        EXPECT_EQ(User.Pending(), 0) << caption;
    }
    template <class T> void WhenShown(std::function<void(T*)> play, int result = mrCancel) {
        User.Form([play, result](TCustomForm* form) {
            T* window = dynamic_cast<T*>(form);
            EXPECT_NE(window, nullptr);
            if (!window) return static_cast<int>(mrCancel);
            EXPECT_TRUE(ManagedWindow(window));
            play(window);
            return result;
        });
    }
    // Enter moves the focus from each box to the next.
    static void EnterWalk(TCustomForm* form, const std::vector<TWinControl*>& boxes) {
        boxes.front()->SetFocus();
        Settle();
        for (size_t i = 0; i + 1 < boxes.size(); ++i) {
            EXPECT_EQ(form->ActiveControl(), boxes[i]) << boxes[i]->Name();
            SimulateKey(boxes[i], VK_RETURN);
            Settle(60);
        }
        EXPECT_EQ(form->ActiveControl(), boxes.back()) << boxes.back()->Name();
    }
    void Walk(const String& who) {
        FromMenu<TFrmUserInfo>(0, "公司信息资料", [&](TFrmUserInfo* w) {
            EXPECT_TRUE(w->BorderIcons().Empty());
            EnterWalk(w, {w->edtname, w->edtaddress, w->edtphone, w->edtfax, w->edtLinker, w->edtHomepage,
                          w->edtEmail});
            w->edtname->SetText("阳光物业管理有限公司");
            w->edtaddress->SetText("中山路100号");
            w->edtHomepage->SetText("www.example.cn");
            Shot("admin_company_" + who);
            w->PageControl1->SetActivePage(w->tsProfile);
            w->ceEnrolprice->SetValue(5000000);
            w->Mem->SetText("小区物业管理");
            Shot("admin_company_profile_" + who);
        });
        FromMenu<TfrmModPass>(0, "更改用户密码", [&](TfrmModPass* w) {
            EnterWalk(w, {w->edtOldPass, w->edtNewPass, w->edtAdjustPass});
            Shot("admin_password_" + who);
        });
        FromMenu<TfrmOperGl>(0, "用户权限管理", [&](TfrmOperGl* list) {
            EXPECT_EQ(list->btnEdit->Enabled(), who == "admin");
            list->LocateOperator("li");
            Shot("admin_operators_" + who);
            WhenShown<TFrmLimitGl>([&](TFrmLimitGl* editor) {
                EnterWalk(editor, {editor->cbbName, editor->edtPassWord, editor->edtRepPass, editor->Mem1});
                editor->cbbName->SetText("zhang");
                for (int i = 0; i < editor->clbOperLimt->Count(); i += 3)
                    editor->clbOperLimt->SetChecked(i, true);
                SimulateClick(editor->rgXQflag->Buttons(1), 6, 6);
                EXPECT_TRUE(editor->pXQname->Visible());
                WhenShown<TDLGselectXQname>(
                    [&](TDLGselectXQname* chooser) {
                        chooser->clbItemList->SetChecked(0, true);
                        Shot("admin_estates_" + who);
                    },
                    mrOk);
                editor->sbDept->Click();
                EXPECT_EQ(editor->edtXQname->Text(), "'" + seed::EstateA + "'");
                Shot("admin_operator_editor_" + who);
            });
            list->btnNew->Click();
        });
        FromMenu<TFrmDataClear>(0, "系统数据清理", [&](TFrmDataClear* w) {
            w->Boxes[11]->SetChecked(true);
            Shot("admin_clearing_" + who);
        });
        FromMenu<TFrmCodeMan>(1, "选项...", [&](TFrmCodeMan* w) {
            EXPECT_EQ(w->CurrentType(), "lcjiegou");
            w->NewClick();
            Shot("admin_codes_" + who);
            w->CancelClick();
            w->PageControl1->SetActivePageIndex(18);
            EXPECT_EQ(w->CurrentType(), "SKtype");
            Shot("admin_codes_sktype_" + who);
        });
    }
};

TEST_F(AdminWindowsWalk, AsAdmin) {
    Start("admin");
    Walk("admin");
}

// An operator with only the administration rights sees them and nothing else.
TEST_F(AdminWindowsWalk, AsARestrictedOperator) {
    Start("li");
    EXPECT_TRUE(FrmMain->mnuTop[0]->Visible());
    EXPECT_TRUE(FrmMain->mnuTop[1]->Visible());
    EXPECT_FALSE(FrmMain->mnuTop[2]->Visible());
    EXPECT_FALSE(FrmMain->ActionOf(108)->Visible());
    Walk("li");
}

} // namespace
