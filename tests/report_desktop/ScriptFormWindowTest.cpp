// A new user runs a report whose script builds a form on a real display (Xvfb with a window
// manager): types a name, picks a month, ticks the box and presses OK; the prepared page holds
// what was entered. Screenshots of the form are kept in ScreenshotFolder() to be looked at.
#include "../app/desktop/XServer.h"
#include "../report/vrEngineFixture.h"
#include "../report/vrScriptFormRoad.h"

#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/Screenshot.h"

#include <gtest/gtest.h>

namespace {

class ScriptFormWindow : public EngineTest {};

} // namespace

TEST_F(ScriptFormWindow, ANewUserFillsTheScriptsFormAndThePageShowsIt) {
    if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
    LoadLayout(LayoutText(BandXml("TvrReportTitle", "ReportTitle1", 0, 40, "[Entered]")));
    Report->ScriptText()->SetText(ScriptFormRoadScript());
    Report->Variables()->SetVariable("Entered", "");

    TScriptedResponder user;
    TInteractionScope scope(user);
    bool shown = false;
    user.Form([&](TCustomForm* f) {
        shown = WaitFor([f] { return f->Visible(); });
        Settle(400);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "report_script_form_opened.png"));
        auto* name = dynamic_cast<TEdit*>(f->FindComponent("edName"));
        if (name) {
            name->SetFocus();
            SimulateTyping(name, "王五");
        }
        if (auto* month = dynamic_cast<TComboBox*>(f->FindComponent("cbMonth"))) month->SetItemIndex(2);
        if (auto* paid = dynamic_cast<TCheckBox*>(f->FindComponent("chkPaid"))) {
            SimulateClick(paid, 6, paid->Height() / 2);
        }
        Settle(300);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "report_script_form_filled.png"));
        if (auto* ok = dynamic_cast<TButton*>(f->FindComponent("btnOk"))) SimulateClick(ok, 10, 10);
        WaitFor([f] { return f->ModalResult() != mrNone; });
        return mrNone;
    });
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    EXPECT_TRUE(shown);
    EXPECT_EQ(Texts(0, "ReportTitle"), (std::vector<String>{"王五/三月/已付"}));
}
