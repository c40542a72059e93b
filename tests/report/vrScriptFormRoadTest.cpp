// A report's script builds a form, shows it through the responder and puts what was entered on
// the prepared page; Cancel puts its own text there.
#include "gui/Interaction.h"
#include "vrEngineFixture.h"
#include "vrScriptFormRoad.h"

namespace {

struct ScriptFormRoad : EngineTest {
    void LoadRoad() {
        LoadLayout(LayoutText(BandXml("TvrReportTitle", "ReportTitle1", 0, 40, "[Entered]")));
        Report->ScriptText()->SetText(ScriptFormRoadScript());
        Report->Variables()->SetVariable("Entered", "");
    }
};

TEST_F(ScriptFormRoad, WhatWasEnteredReachesThePreparedPage) {
    LoadRoad();
    TScriptedResponder user;
    TInteractionScope scope(user);
    std::vector<String> controls;
    user.Form([&](TCustomForm* f) {
        for (int i = 0; i < f->ComponentCount(); ++i)
            controls.push_back(f->Components(i)->ClassName());
        ScriptFormRoadFill(f, "张三");
        dynamic_cast<TButton*>(f->FindComponent("btnOk"))->Click();
        return mrNone; // the button's modal result closes the form
    });
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Caption, "收费月份");
    EXPECT_EQ(controls, (std::vector<String>{"TEdit", "TComboBox", "TCheckBox", "TButton", "TButton"}));
    EXPECT_EQ(Texts(0, "ReportTitle"), (std::vector<String>{"张三/二月/已付"}));
}

TEST_F(ScriptFormRoad, CancelLeavesItsOwnText) {
    LoadRoad();
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([](TCustomForm* f) {
        ScriptFormRoadFill(f, "李四");
        dynamic_cast<TButton*>(f->FindComponent("btnCancel"))->Click();
        return mrNone;
    });
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    EXPECT_EQ(Texts(0, "ReportTitle"), (std::vector<String>{"取消"}));
}

} // namespace
