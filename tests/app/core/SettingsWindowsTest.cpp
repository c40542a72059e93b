// The decimal places window (action 108) and the column chooser, played through the Interaction
// responder.
#include "GridServicesFixture.h"
#include "app/core/uFrmDispFieldXZ.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmSysInfoGl.h"

#include "controls/kxCurrEdit.h"
#include "db/DB.h"
#include "gui/CheckLst.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"

namespace {

class DecimalPlacesWindow : public GridServices {
protected:
    void SetUp() override {
        GridServices::SetUp();
        Dm->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        RegisterSysInfoWindow();
    }
    void TearDown() override {
        RegisterActionWindow(108, nullptr);
        GridServices::TearDown();
    }
    // Opens the window as action 108 does (a dialog, shown modally), with the user's play.
    void OpenFromAction(std::function<int(TfrmSysInfoGl*)> play) {
        User.Form([play](TCustomForm* form) {
            auto* window = dynamic_cast<TfrmSysInfoGl*>(form);
            EXPECT_NE(window, nullptr);
            return window ? play(window) : static_cast<int>(mrCancel);
        });
        ASSERT_TRUE(HasActionWindow(108));
        ModalActionWindow<TfrmSysInfoGl>(1)(nullptr);
    }
    TScriptedResponder User;
    TInteractionScope Scope{User};
};

TEST_F(DecimalPlacesWindow, ShowsTheCountsAndWritesNewOnesBeforeUsingThem) {
    int shownAmount = -1, shownPrice = -1, shownTotal = -1;
    TModalResult result = mrNone;
    OpenFromAction([&](TfrmSysInfoGl* window) {
        EXPECT_EQ(window->Caption(), "软件当前设置");
        shownAmount = static_cast<int>(window->rceAmount->Value());
        shownPrice = static_cast<int>(window->rcePrice->Value());
        shownTotal = static_cast<int>(window->rceTotal->Value());
        window->rceAmount->SetText("3");
        window->rcePrice->SetText("4");
        window->rceTotal->SetText("0");
        window->btnOk->Click();
        result = window->ModalResult();
        return static_cast<int>(mrNone);
    });
    EXPECT_EQ(shownAmount, 2);
    EXPECT_EQ(shownPrice, 2);
    EXPECT_EQ(shownTotal, 2);
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Rows("select F_iAmount, F_iPrice, F_iTotal from SysInfo"), std::vector<String>{"3|4|0"});
    EXPECT_EQ(DecAmount, 3);
    EXPECT_EQ(DecPrice, 4);
    EXPECT_EQ(DecTotal, 0);
    EXPECT_EQ(FmtAmount, "0.###");
    EXPECT_EQ(FmtPrice, "￥,0.00##");
    EXPECT_EQ(FmtTotal, "￥,0.");
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgSettingsSaved, 0}}));
}

// The edits keep the counts within 0 to 10 whatever is typed.
TEST_F(DecimalPlacesWindow, TheEditsRefuseCountsOutsideTheRange) {
    OpenFromAction([&](TfrmSysInfoGl* window) {
        for (TKxCalcEdit* edit : {window->rceAmount, window->rcePrice, window->rceTotal}) {
            EXPECT_EQ(edit->DecimalPlaces(), 0);
            edit->SetFocus();
            edit->SelectAll();
            SimulateTyping(edit, "-1");
            EXPECT_EQ(edit->Text(), "-"); // no negative count can be typed
            edit->SelectAll();
            SimulateTyping(edit, "1.5");
            EXPECT_EQ(edit->Text(), "1."); // nor a decimal
        }
        window->rceAmount->SetFocus();
        window->rceAmount->SelectAll();
        SimulateTyping(window->rceAmount, "11");
        window->rcePrice->SetText("-1");
        window->rceTotal->SetText("10");
        EXPECT_EQ(window->rceAmount->Value(), 10); // typed, then kept within the range
        EXPECT_EQ(window->rcePrice->Value(), 0);
        window->btnOk->Click();
        return static_cast<int>(mrNone);
    });
    EXPECT_EQ(Rows("select F_iAmount, F_iPrice, F_iTotal from SysInfo"), std::vector<String>{"10|0|10"});
}

// A failing update leaves the program with the counts the database still holds.
TEST_F(DecimalPlacesWindow, AFailingUpdateKeepsTheOldCounts) {
    Dm->ADOcnn()->Execute("alter table SysInfo rename to SysInfo_away");
    bool raised = false;
    TModalResult result = mrNone;
    OpenFromAction([&](TfrmSysInfoGl* window) {
        window->rceAmount->SetText("5");
        window->rceTotal->SetText("6");
        try {
            window->btnOkClick();
        } catch (const EDatabaseError&) {
            raised = true;
        }
        result = window->ModalResult();
        return static_cast<int>(mrCancel);
    });
    EXPECT_TRUE(raised);
    EXPECT_EQ(result, mrNone); // the window stays open
    EXPECT_EQ(DecAmount, 2);
    EXPECT_EQ(DecTotal, 2);
    EXPECT_EQ(FmtTotal, "￥,0.00");
    EXPECT_TRUE(Messages.empty());
}

class ColumnChooser : public GridServices {
protected:
    TScriptedResponder User;
    TInteractionScope Scope{User};
};

TEST_F(ColumnChooser, TicksAreTheVisibleColumnsAndConfirmingAppliesThem) {
    AddColumn(Grid, "F_code", "编号");
    AddColumn(Grid, "F_name", "名称")->SetVisible(false);
    AddColumn(Grid, "F_mem", "备注");
    std::vector<String> lines;
    std::vector<bool> ticks;
    User.Form([&](TCustomForm* form) {
        auto* chooser = dynamic_cast<TFrmDispFieldXZ*>(form);
        EXPECT_NE(chooser, nullptr);
        if (!chooser) return static_cast<int>(mrCancel);
        EXPECT_EQ(chooser->Caption(), "字段列表");
        EXPECT_TRUE(chooser->BorderIcons().Empty());
        for (int i = 0; i < chooser->CheckListBox1->Items()->Count(); ++i) {
            lines.push_back(chooser->CheckListBox1->Items()->Strings(i));
            ticks.push_back(chooser->CheckListBox1->Checked(i));
        }
        chooser->CheckListBox1->SetChecked(1, true);
        chooser->CheckListBox1->SetChecked(2, false);
        chooser->btnOk->Click();
        return static_cast<int>(mrNone);
    });
    Dm->ChooseGridColumns(Grid);
    EXPECT_EQ(lines, (std::vector<String>{"编号", "名称", "备注"}));
    EXPECT_EQ(ticks, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(Grid->Columns()->ColumnAt(0)->Visible());
    EXPECT_TRUE(Grid->Columns()->ColumnAt(1)->Visible());
    EXPECT_FALSE(Grid->Columns()->ColumnAt(2)->Visible());

    // Cancelled (Esc), nothing changes.
    User.Form([](TCustomForm* form) {
        auto* chooser = static_cast<TFrmDispFieldXZ*>(form);
        chooser->CheckListBox1->SetChecked(0, false);
        EXPECT_TRUE(chooser->btnCancel->Cancel());
        return static_cast<int>(mrCancel);
    });
    Dm->ChooseGridColumns(Grid);
    EXPECT_TRUE(Grid->Columns()->ColumnAt(0)->Visible());
    EXPECT_FALSE(Grid->Columns()->ColumnAt(2)->Visible());
}

} // namespace
