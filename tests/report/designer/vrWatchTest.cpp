// The evaluate window and the watch list: value texts, watches outside and inside a run, the
// list's commands through the interaction responder.
#include "report/designer/vrEvaluate.h"
#include "report/designer/vrWatch.h"

#include "gui/CheckLst.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "script/vs_iinterpreter.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TWatchScript {
    TWatchScript() : Script(nullptr) {
        Script.AddRTTI();
        Script.AddVariable("Name", "String", "Lee");
        Script.AddVariable("Pieces", "Integer", 7);
        Script.AddVariable("Nothing", "Variant", Null());
    }
    TvsScript Script;
};

TInteractionAnswer TypeExpression(const String& text, int result = mrOk) {
    TInteractionAnswer a;
    a.FormHandler = [text, result](TCustomForm* form) {
        auto* f = dynamic_cast<TvrEvaluateForm*>(form);
        EXPECT_NE(f, nullptr);
        if (f) {
            EXPECT_TRUE(f->WatchInput());
            f->ExpressionE->SetText(text);
        }
        return result;
    };
    return a;
}

} // namespace

TEST(WatchValues, ValueTexts) {
    TWatchScript s;
    struct {
        const char* Expression;
        const char* Text;
    } cases[] = {
        {"1 = 1", "True"}, {"Pieces > 10", "False"}, {"Name + '!'", "'Lee!'"},
        {"Nothing", "Null"}, {"Pieces * 6", "42"},  {"''", "''"},
    };
    for (auto c : cases)
        EXPECT_EQ(vrValueText(&s.Script, c.Expression), c.Text) << c.Expression;
    // A syntax error shows the compiler's message between apostrophes.
    const String error = vrValueText(&s.Script, "Pieces +");
    ASSERT_GE(error.size(), 3u);
    EXPECT_EQ(error.front(), '\'');
    EXPECT_EQ(error.back(), '\'');
    EXPECT_TRUE(s.Script.EvaluateFailed);
}

TEST(WatchValues, EnterInTheEvaluateWindowShowsTheValue) {
    TWatchScript s;
    TvrEvaluateForm form(nullptr);
    form.Script = &s.Script;
    form.ExpressionE->SetText("Pieces + 1");
    SimulateKey(form.ExpressionE, VK_RETURN);
    EXPECT_EQ(form.ResultM->Text(), "8");
    EXPECT_EQ(form.ExpressionE->SelLength(), 10);
}

TEST(WatchValues, WatchInputModeShowsOnlyTheExpressionAndButtons) {
    TvrEvaluateForm form(nullptr);
    form.SetWatchInput(true);
    form.Show();
    EXPECT_TRUE(form.OkB->Visible());
    EXPECT_TRUE(form.CancelB->Visible());
    EXPECT_FALSE(form.ResultM->Visible());
    EXPECT_FALSE(form.Label2->Visible());
    EXPECT_EQ(form.ClientHeight(), form.OkB->Top() + form.OkB->Height() + 4);
}

class WatchListTest : public ::testing::Test {
protected:
    void SetUp() override {
        Watch = std::make_unique<TvrWatchForm>(nullptr);
        Watch->Script = &S.Script;
    }
    std::vector<String> Shown() {
        std::vector<String> out;
        for (int i = 0; i < Watch->WatchLB->Items()->Count(); ++i)
            out.push_back(Watch->WatchLB->Items()->Strings(i));
        return out;
    }
    TWatchScript S;
    std::unique_ptr<TvrWatchForm> Watch;
};

TEST_F(WatchListTest, OutsideARunEveryEnabledWatchIsNotAccessible) {
    Watch->Watches().AddObject("Pieces", reinterpret_cast<TObject*>(std::uintptr_t(1)));
    Watch->Watches().AddObject("Name", nullptr);
    Watch->UpdateWatches();
    EXPECT_EQ(Shown(), (std::vector<String>{"Pieces: not accessible", "Name: disabled"}));
    Watch->SetEvaluationAllowed(true);
    Watch->UpdateWatches();
    EXPECT_EQ(Shown(), (std::vector<String>{"Pieces: 7", "Name: disabled"}));
    EXPECT_TRUE(Watch->WatchLB->Checked(0));
    EXPECT_FALSE(Watch->WatchLB->Checked(1));
    Watch->Script = nullptr;
    Watch->UpdateWatches();
    EXPECT_EQ(Shown()[0], "Pieces: not accessible");
}

TEST_F(WatchListTest, RestoredWatchesAreDisabledAndUnticked) {
    Watch->SetEvaluationAllowed(true);
    Watch->SetWatchText("Pieces\r\nName\r\n");
    EXPECT_EQ(Shown(), (std::vector<String>{"Pieces: disabled", "Name: disabled"}));
    EXPECT_FALSE(Watch->WatchLB->Checked(0));
    EXPECT_FALSE(Watch->WatchLB->Checked(1));
    EXPECT_EQ(Watch->WatchText(), "Pieces\r\nName\r\n");
}

TEST_F(WatchListTest, AddEditDeleteAndTickThroughTheResponder) {
    Watch->SetEvaluationAllowed(true);
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Add(TypeExpression("Pieces * 2"));
    user.Add(TypeExpression("ignored", mrCancel));
    Watch->AddWatch();
    Watch->AddWatch();
    EXPECT_EQ(Shown(), (std::vector<String>{"Pieces * 2: 14"}));

    Watch->WatchLB->SetItemIndex(0);
    user.Add(TypeExpression("Name"));
    Watch->EditWatch();
    EXPECT_EQ(Shown(), (std::vector<String>{"Name: 'Lee'"}));

    Watch->WatchLB->SetItemIndex(0);
    Watch->WatchChecked();
    EXPECT_EQ(Shown(), (std::vector<String>{"Name: disabled"}));
    EXPECT_FALSE(Watch->WatchLB->Checked(0));
    Watch->WatchChecked();
    EXPECT_EQ(Shown(), (std::vector<String>{"Name: 'Lee'"}));

    Watch->WatchLB->SetItemIndex(-1);
    Watch->DeleteWatch(); // nothing selected: nothing goes
    EXPECT_EQ(Shown().size(), 1u);
    Watch->WatchLB->SetItemIndex(0);
    Watch->DeleteWatch();
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(user.Requests().size(), 3u);
}

TEST_F(WatchListTest, TheUserCannotCloseTheList) {
    Watch->Show();
    Watch->Close();
    EXPECT_TRUE(Watch->Visible());
    EXPECT_FALSE(Watch->CloseQuery());
}
