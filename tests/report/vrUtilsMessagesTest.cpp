// The report library's message boxes and its error policy, answered through the Interaction
// service.
#include "report/vrUtils.h"

#include "gui/Forms.h"
#include "gui/Interaction.h"

#include <gtest/gtest.h>

TEST(vrUtilsMessages, BoxesCarryTheResourceCaptionsAndIcons) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(IDOK).Answer(IDNO).Answer(IDOK);
    ShowErrorMessage("数据库 Q1 未连接至数据库");
    EXPECT_EQ(ShowConfirmMessage("保存修改吗？", MB_YESNOCANCEL), IDNO);
    ShowInfoMessage("完成");

    const auto& r = user.Requests();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].Kind, TInteractionKind::MessageBox);
    EXPECT_EQ(r[0].Caption, "错误");
    EXPECT_EQ(r[0].Text, "数据库 Q1 未连接至数据库");
    EXPECT_EQ(r[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(r[1].Caption, "确认");
    EXPECT_EQ(r[1].Flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(r[2].Caption, "资讯");
    EXPECT_EQ(r[2].Flags, MB_OK | MB_ICONINFORMATION);
}

TEST(vrUtilsMessages, ReportLibraryErrorFollowsTheSilentMode) {
    TScriptedResponder user; // no answers: any box asked for beyond the first raises
    TInteractionScope scope(user);
    user.Answer(IDOK);
    ReportLibraryError(simMessageBoxes, "发生下列的错误:");
    ReportLibraryError(simSilent, "dropped");
    try {
        ReportLibraryError(simReThrow, "字段不存在:Price");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "字段不存在:Price");
    }
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Caption, "错误");
    EXPECT_EQ(user.Requests()[0].Text, "发生下列的错误:");
    EXPECT_EQ(user.Requests()[0].Flags, MB_OK | MB_ICONERROR);
}
