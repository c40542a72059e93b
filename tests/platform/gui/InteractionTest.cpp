// The Interaction service: a responder answers message boxes, input boxes and file dialogs in
// order and records what was asked; a request with no answer left fails loudly.
#include "gui/Interaction.h"
#include "gui/Dialogs.h"
#include "gui/Forms.h"

#include "rtl/StringList.h"

#include <gtest/gtest.h>

TEST(Interaction, ResponderAnswersBoxesAndRecordsThem) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(IDCANCEL).Answer(mrYes).Input("864209").Input("", false).Answer(mrOk);
    EXPECT_EQ(Application()->MessageBox("真的要删除该记录吗？", "系统提示", MB_OKCANCEL | MB_ICONQUESTION),
              IDCANCEL);
    EXPECT_EQ(MessageDlg("保存修改吗？", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0), mrYes);
    String code;
    EXPECT_TRUE(InputQuery("恢复数据", "请输入恢复码：", code));
    EXPECT_EQ(code, "864209");
    EXPECT_EQ(InputBox("标题", "提示", "默认"), "默认"); // cancelled
    ShowMessage("完成");

    const auto& r = user.Requests();
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0].Kind, TInteractionKind::MessageBox);
    EXPECT_EQ(r[0].Caption, "系统提示");
    EXPECT_EQ(r[0].Text, "真的要删除该记录吗？");
    EXPECT_EQ(r[0].Flags, MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(r[1].DlgType, mtConfirmation);
    EXPECT_EQ(r[1].Caption, "Confirm");
    EXPECT_EQ(r[1].Buttons, (TMsgDlgButtons{mbYes, mbNo}).Bits());
    EXPECT_EQ(r[2].Kind, TInteractionKind::InputQuery);
    EXPECT_EQ(r[2].Caption, "恢复数据");
    EXPECT_EQ(r[2].Text, "请输入恢复码：");
    EXPECT_EQ(r[3].Value, "默认");
    EXPECT_EQ(r[4].DlgType, mtCustom);
    EXPECT_EQ(r[4].Buttons, (TMsgDlgButtons{mbOK}).Bits());
    EXPECT_EQ(user.Pending(), 0);
}

TEST(Interaction, UnansweredRequestRaisesNamingIt) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    try {
        ShowMessage("没有人回答");
        FAIL();
    } catch (const EInteractionError& e) {
        EXPECT_NE(String(e.what()).find("没有人回答"), String::npos);
    }
}

TEST(Interaction, ScopeRestoresThePreviousResponder) {
    TScriptedResponder outer, inner;
    {
        TInteractionScope a(outer);
        {
            TInteractionScope b(inner);
            EXPECT_EQ(Interaction::Responder(), &inner);
        }
        EXPECT_EQ(Interaction::Responder(), &outer);
    }
    EXPECT_EQ(Interaction::Responder(), nullptr);
}

TEST(Interaction, FileDialogsTakeFilterAndAddTheDefaultExtension) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    TSaveDialog dlg(nullptr);
    dlg.SetTitle("导出");
    dlg.SetFilter("Excel 文件|*.xls|所有文件|*.*");
    dlg.SetDefaultExt("xls");
    dlg.SetOptions(TOpenOptions{ofOverwritePrompt});
    user.File("/tmp/报表", 1).Cancel();
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), "/tmp/报表.xls");
    EXPECT_EQ(dlg.Files()->Count(), 1);
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), "/tmp/报表.xls");
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::SaveFile);
    EXPECT_EQ(user.Requests()[0].Filter, "Excel 文件|*.xls|所有文件|*.*");
    EXPECT_EQ(user.Requests()[0].Caption, "导出");
    EXPECT_TRUE(user.Requests()[0].Options & (UInt64(1) << ofOverwritePrompt));

    TOpenDialog open(nullptr);
    open.SetOptions(TOpenOptions{ofAllowMultiSelect, ofFileMustExist});
    user.Files({"/a.txt", "/b.txt"});
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.Files()->CommaText(), "/a.txt,/b.txt");
    EXPECT_EQ(open.FileName(), "/a.txt");

    String dir = "/start";
    user.File("/data");
    EXPECT_TRUE(SelectDirectory("选择文件夹", "", dir));
    EXPECT_EQ(dir, "/data");

    TColorDialog color(nullptr);
    user.PickColor(clRed);
    EXPECT_TRUE(color.Execute());
    EXPECT_EQ(color.Color(), clRed);
}
