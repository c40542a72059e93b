// The script code editor on a real display, hosted with the watch list on a test form: the user
// types a handler with a Chinese comment (the comment through the input method), asks for
// completion, clicks a breakpoint into the gutter and runs the script; at the breakpoint the
// debug line, a watch and an evaluation show. Pictures are kept in ScreenshotFolder().
#include "../../app/desktop/XServer.h"

#include "gui/Caret.h"
#include "gui/CheckLst.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/Screenshot.h"
#include "gui/StdCtrls.h"
#include "report/designer/vrDesgnCtrls.h"
#include "report/designer/vrEvaluate.h"
#include "report/designer/vrSynMemo.h"
#include "report/designer/vrWatch.h"
#include "report/designer/vrrcDesign.h"
#include "script/vs_iinterpreter.h"
#include "script/vs_itools_script.h"

#include <gtest/gtest.h>

#include <memory>

// Disabled until the crash after the completion step under openbox is found.
TEST(CodeEditorOnScreen, DISABLED_TypeCompleteBreakRunWatchEvaluate) {
    if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
    vrrcDesignStartUp();
    TForm form(nullptr);
    form.SetCaption("Code");
    form.SetBounds(60, 40, 720, 500);
    auto* memo = new TvrSyntaxMemo(&form);
    memo->SetParent(&form);
    memo->SetBorderStyle(bsSingle);
    memo->SetAlign(alClient);
    memo->SetSyntaxName("PascalScript");
    // The watch list floats below the editor, as it does undocked.
    auto* watch = new TvrWatchForm(&form);
    watch->SetBounds(60, 600, 411, 158);
    memo->OnCompletion = [](TObject*, const String&, TStrings* list) {
        list->AddObject("IntToStr(i: Integer): String", reinterpret_cast<TObject*>(std::uintptr_t(ckFunction)));
        list->AddObject("Total: Integer", reinterpret_cast<TObject*>(std::uintptr_t(ckVariable)));
        list->AddObject("ShowMessage(Msg: String)", reinterpret_cast<TObject*>(std::uintptr_t(ckProcedure)));
    };
    watch->Show();
    form.Show();
    ASSERT_TRUE(WaitFor([&] { return form.Active(); }));
    memo->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return memo->Focused(); }));
    EXPECT_EQ(TControlCaret::State().Control, memo);

    auto typeLine = [&](const String& text) {
        SimulateTyping(memo, text);
        SimulateKey(memo, VK_RETURN);
    };
    // Enter indents as the line above: Backspace steps back.
    typeLine("var Total: Integer;");
    typeLine("  Name: String;");
    SimulateKey(memo, VK_BACK);
    typeLine("begin");
    SimulateTyping(memo, "  // ");
    SimulateInputMethodText(memo, u"合计费用 物业");
    SimulateKey(memo, VK_RETURN);
    typeLine("Total := 40;");
    SimulateTyping(memo, "Name := ");
    // Completion asked and accepted at once: under this window manager the list window loses
    // its activation as soon as events run (see the report of this change).
    memo->ShowCompletion();
    ASSERT_NE(memo->CompletionForm(), nullptr);
    TListBox* list = memo->CompletionList();
    list->SetItemIndex(list->Items()->IndexOf("IntToStr(i: Integer): String"));
    memo->AcceptCompletion();
    Settle(100);
    SimulateTyping(memo, "Total");
    SimulateKey(memo, VK_END);
    SimulateTyping(memo, ";");
    SimulateKey(memo, VK_RETURN);
    typeLine("Total := Total + 2;");
    SimulateKey(memo, VK_BACK);
    SimulateTyping(memo, "end.");
    const String expected = "var Total: Integer;\r\n  Name: String;\r\nbegin\r\n  // 合计费用 物业\r\n"
                            "  Total := 40;\r\n  Name := IntToStr(Total);\r\n  Total := Total + 2;\r\nend.\r\n";
    EXPECT_EQ(memo->Text(), expected);

    // A breakpoint on line 7 by a click in the gutter.
    const int h = memo->CharHeight();
    SimulateClick(memo, 8, 6 * h + h / 2);
    EXPECT_TRUE(memo->IsBreakpoint(7));
    watch->SetWatchText("Total\r\nName\r\n");
    watch->Watches().SetObjects(0, reinterpret_cast<TObject*>(std::uintptr_t(1)));
    watch->Watches().SetObjects(1, reinterpret_cast<TObject*>(std::uintptr_t(1)));
    watch->UpdateWatches();
    EXPECT_EQ(watch->WatchLB->Items()->Strings(0), "Total: not accessible");

    TvsScript script(nullptr);
    script.AddRTTI();
    script.Lines().SetText(memo->Text());
    ASSERT_TRUE(script.Compile()) << script.ErrorText;
    watch->Script = &script;
    bool stopped = false;
    TvrEvaluateForm evaluate(&form);
    evaluate.Script = &script;
    script.OnRunLine = [&](TvsScript*, const String&, const String& pos) {
        const int line = static_cast<int>(ScriptPosToPoint(pos).Y);
        if (!memo->IsBreakpoint(line) || stopped) return;
        stopped = true;
        for (int y = 1; y <= memo->Lines().Count(); ++y)
            memo->SetExecutableLine(y, script.IsExecutableLine(y, ""));
        memo->SetDebugLine(line);
        watch->SetEvaluationAllowed(true);
        watch->UpdateWatches();
        evaluate.SetBounds(form.Left() + 380, form.Top() + 60, 300, 190);
        evaluate.ExpressionE->SetText("Total * 2");
        evaluate.Show();
        evaluate.EvaluateExpression();
        Settle(300);
        EXPECT_EQ(evaluate.ResultM->Text(), "80");
        EXPECT_EQ(watch->WatchLB->Items()->Strings(0), "Total: 40");
        EXPECT_EQ(watch->WatchLB->Items()->Strings(1), "Name: '40'");
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "code_editor_debug.png"));
        evaluate.Hide();
    };
    script.Execute();
    script.OnRunLine = nullptr;
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(memo->LineMarkedExecutable(5));
    EXPECT_FALSE(memo->LineMarkedExecutable(4));
    memo->SetDebugLine(-1);
    watch->SetEvaluationAllowed(false);
    watch->Script = nullptr;
}
