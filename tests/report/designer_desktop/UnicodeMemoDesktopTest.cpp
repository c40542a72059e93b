// The designer's UTF-16 memo on a real display: a text editor window captioned from the designer's
// string table, with Chinese, Korean and emoji text typed into its memo; the picture is kept in
// ScreenshotFolder() to be looked at.
#include "../../app/desktop/XServer.h"

#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/Screenshot.h"
#include "gui/StdCtrls.h"
#include "report/designer/vrUnicodeMemo.h"
#include "report/designer/vrrcDesign.h"
#include "report/vrRes.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

#include <memory>

TEST(UnicodeMemoOnScreen, MixedScriptsTypedIntoTheMemo) {
    if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
    vrrcDesignStartUp();
    TForm form(nullptr);
    form.SetCaption(GetResourceStringById(3900)); // the text editor's caption
    form.SetBounds(80, 60, 520, 300);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetBounds(12, 10, 300, 20);
    label->SetCaption(GetResourceStringById(3905) + " / " + GetResources().GetString("dsCode"));
    auto* memo = new TUnicodeMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(12, 36, 488, 180);
    auto* hint = new TLabel(&form);
    hint->SetParent(&form);
    hint->SetBounds(12, 228, 488, 20);
    hint->SetCaption(GetResources().GetString("propMemo"));
    form.Show();
    ASSERT_TRUE(WaitFor([&] { return form.Active(); }));
    memo->SetFocus();
    const char* const lines[] = {"物业费用 合计 € 120.50", "관리비 납부 완료 😀", "第二季度 😀 한국어"};
    WideString text;
    for (const char* line : lines) {
        if (!text.empty()) {
            SimulateKey(memo, VK_RETURN);
            text += u"\r\n";
        }
        SimulateTyping(memo, line);
        text += Utf8ToWide(line);
    }
    Settle(200);
    EXPECT_EQ(GetWideText(memo), text);
    EXPECT_EQ(form.Caption(), "备忘");
    EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "unicode_memo.png"));
}
