// The option code window: the category it opens on, tab changes, the client batch saved or
// cancelled, deletions written at once, the locked tabs, the keys, printing, and two stations.
#include "CodecTestTools.h"
#include "GridServicesFixture.h"
#include "app/core/AdminWindows.h"
#include "app/core/AppErrors.h"
#include "app/core/PubUnit.h"
#include "app/core/uFrmCodeMan.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmOperGl.h"

#include "controls/WnPageControl.h"
#include "gridprint/PrvFrmGx.h"
#include "gui/ComCtrls.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/Printers.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"

namespace {

using CodeMessages = std::vector<std::pair<String, int>>;

class CodeTables : public GridServices {
protected:
    void SetUp() override {
        GridServices::SetUp();
        RegisterAdminWindows();
    }
    void TearDown() override {
        RegisterActionWindow(209, nullptr);
        if (TPreviewFormGx* preview = SharedPreviewForm()) preview->Hide();
        GridServices::TearDown();
    }
    void Open(std::function<void(TFrmCodeMan*)> play) {
        User.Form([play](TCustomForm* form) {
            auto* window = dynamic_cast<TFrmCodeMan*>(form);
            EXPECT_NE(window, nullptr);
            if (window) play(window);
            return static_cast<int>(mrCancel);
        });
        ASSERT_TRUE(HasActionWindow(209));
        // As action 209 opens it: created, placed and shown through ShowCodeTables.
        auto window = std::make_unique<TFrmCodeMan>(nullptr);
        DispFormPos(window.get(), 1);
        window->ShowCodeTables();
    }
    static void Add(TFrmCodeMan* w, const String& text) {
        w->NewClick();
        w->QryTable->FieldByName("F_Name")->SetAsString(text);
    }
    std::vector<String> Options(const String& type) {
        return Rows("select F_Name from t_code where F_type = '" + type + "' order by F_ID");
    }
    // A key pressed in the grid; the window sees it first.
    static void Press(TFrmCodeMan* w, Word key, TShiftState shift = {}) {
        SimulateKey(w->DBGridGx1, key, shift);
    }
    TScriptedResponder User;
    TInteractionScope Scope{User};
};

TEST_F(CodeTables, OpensOnTheFirstTabsCategoryUnderItsTitle) {
    Dm->RunSQL("insert into t_code (F_Name, F_type) values ('一层', 'lcjiegou')");
    Open([](TFrmCodeMan* w) {
        EXPECT_EQ(w->Caption(), "选项设置");
        EXPECT_EQ(w->PageControl1->PageCount(), 24);
        EXPECT_TRUE(w->PageControl1->MultiLine());
        EXPECT_EQ(w->PageControl1->ActivePageIndex(), 0);
        EXPECT_EQ(w->PageControl1->ActivePage()->Name(), "tlcjiegou");
        EXPECT_EQ(w->CurrentType(), "lcjiegou");
        EXPECT_EQ(w->DBGridGx1->Columns()->ColumnAt(0)->Title()->Caption(), "楼层结构");
        EXPECT_EQ(w->QryTable->RecordCount(), 1);
        EXPECT_EQ(w->StatusBar1->Panels(3)->Text(), CompanyName + "  ");
        EXPECT_TRUE(w->Browsing());
        EXPECT_FALSE(w->tbSave->Enabled());
        EXPECT_FALSE(w->tbCancel->Enabled());
        EXPECT_TRUE(w->DBGridGx1->ReadOnly());
        // A tab change loads its category.
        w->PageControl1->SetActivePageIndex(18); // 收款方式
        EXPECT_EQ(w->CurrentType(), "SKtype");
        EXPECT_EQ(w->DBGridGx1->Columns()->ColumnAt(0)->Title()->Caption(), "收款方式");
        EXPECT_EQ(w->QryTable->RecordCount(), 2);
        EXPECT_EQ(w->DBGridGx1->Parent(), w->PageControl1->ActivePage());
    });
}

TEST_F(CodeTables, AdditionsCancelledReachNothingAndSavedOnesCarryTheCategory) {
    Open([&](TFrmCodeMan* w) {
        Add(w, "一层");
        Add(w, "二层");
        EXPECT_FALSE(w->Browsing());
        EXPECT_FALSE(w->PageControl1->Enabled()); // the tabs are locked while editing
        EXPECT_FALSE(w->DBGridGx1->ReadOnly());
        w->CancelClick();
        EXPECT_TRUE(w->Browsing());
        EXPECT_EQ(w->QryTable->RecordCount(), 0);
        EXPECT_TRUE(Options("lcjiegou").empty());

        Add(w, "一层");
        Add(w, "二层");
        EXPECT_TRUE(w->SaveClick());
        EXPECT_TRUE(w->Browsing());
        EXPECT_TRUE(w->PageControl1->Enabled());
        EXPECT_TRUE(w->DBGridGx1->ReadOnly());
    });
    EXPECT_EQ(Options("lcjiegou"), (std::vector<String>{"一层", "二层"}));
    EXPECT_TRUE(Messages.empty());
}

// A deletion is written at once, after the question with the tab's title and the option.
TEST_F(CodeTables, DeleteWritesAtOnceAfterTheQuestion) {
    Dm->RunSQL("insert into t_code (F_Name, F_type) values ('一层', 'lcjiegou')");
    Dm->RunSQL("insert into t_code (F_Name, F_type) values ('二层', 'lcjiegou')");
    Open([&](TFrmCodeMan* w) {
        w->QryTable->First();
        Answer = 2;
        w->DeleteClick();
        EXPECT_EQ(Options("lcjiegou").size(), 2u);
        Answer = 1;
        w->DeleteClick();
        EXPECT_EQ(Options("lcjiegou"), std::vector<String>{"二层"});
        w->DeleteClick();
        w->DeleteClick(); // empty now
        w->EditClick();
    });
    EXPECT_EQ(Messages, (CodeMessages{{DeleteCodeQuestion("楼层结构", "一层"), 1},
                                      {DeleteCodeQuestion("楼层结构", "一层"), 1},
                                      {DeleteCodeQuestion("楼层结构", "二层"), 1},
                                      {MsgCodeListEmptyNothingToDelete, 0},
                                      {MsgListEmptyNothingToEdit, 3}}));
    EXPECT_EQ(DeleteCodeQuestion("楼层结构", "一层"), "真的要删除 \"楼层结构\"一层吗？");
}

// StampCodeType changes only the rows of another category.
TEST_F(CodeTables, StampingChangesOnlyRowsOfAnotherCategory) {
    Dm->RunSQL("insert into t_code (F_Name, F_type) values ('一层', 'LCJIEGOU')");
    Open([&](TFrmCodeMan* w) {
        w->EditClick();
        Add(w, "二层");
        w->QryTable->Post();
        w->StampCodeType();
        EXPECT_TRUE(w->QryTable->HasPendingChanges());
        w->QryTable->First();
        EXPECT_EQ(w->QryTable->UpdateStatus(), usUnmodified); // same category in other letters
        EXPECT_TRUE(w->SaveClick());
    });
    EXPECT_EQ(Rows("select F_Name, F_type from t_code where F_type = 'lcjiegou' order by F_ID"),
              (std::vector<String>{"一层|LCJIEGOU", "二层|lcjiegou"}));
}

TEST_F(CodeTables, KeysWorkAsTheirButtonsWhenEnabled) {
    Open([&](TFrmCodeMan* w) {
        Press(w, 'A', TShiftState{ssCtrl}); // 新增
        EXPECT_FALSE(w->Browsing());
        w->QryTable->FieldByName("F_Name")->SetAsString("一层");
        Press(w, VK_DELETE);                // 删除 is disabled while editing
        Press(w, 'S', TShiftState{ssCtrl}); // 保存
        EXPECT_TRUE(w->Browsing());
        Press(w, 'E', TShiftState{ssCtrl}); // 修改
        EXPECT_FALSE(w->Browsing());
        w->QryTable->Edit();
        w->QryTable->FieldByName("F_Name")->SetAsString("首层");
        Press(w, VK_ESCAPE); // 取消
        EXPECT_TRUE(w->Browsing());
        EXPECT_EQ(w->QryTable->FieldByName("F_Name")->AsString(), "一层");
        Answer = 1;
        Press(w, VK_DELETE); // 删除
        EXPECT_EQ(w->QryTable->RecordCount(), 0);
        Press(w, VK_ESCAPE); // 退出
        EXPECT_EQ(w->ModalResult(), mrCancel);
    });
    EXPECT_TRUE(Options("lcjiegou").empty());
    EXPECT_EQ(Messages, (CodeMessages{{DeleteCodeQuestion("楼层结构", "一层"), 1}}));
}

// One station deletes an option the other has changed in its batch: the other's save is
// refused with the registers' message, and it stays in edit mode with its rows.
TEST_F(CodeTables, ASaveMeetingAnotherStationsDeletionKeepsTheRows) {
    Dm->RunSQL("insert into t_code (F_Name, F_type) values ('一层', 'lcjiegou')");
    auto other = std::make_unique<TdmData>(nullptr);
    ASSERT_TRUE(other->DataModuleCreate());
    Open([&](TFrmCodeMan* w) {
        w->EditClick();
        w->QryTable->Edit();
        w->QryTable->FieldByName("F_Name")->SetAsString("首层");
        Add(w, "二层");
        ASSERT_TRUE(other->RunSQL("delete from t_code where F_Name = '一层'"));
        EXPECT_FALSE(w->SaveClick());
        EXPECT_FALSE(w->Browsing());
        EXPECT_FALSE(w->PageControl1->Enabled());
        EXPECT_TRUE(w->QryTable->HasPendingChanges());
        EXPECT_EQ(w->QryTable->RecordCount(), 2);
        w->CancelClick();
    });
    EXPECT_EQ(Messages, (CodeMessages{{MsgRecordChanged, 3}}));
    EXPECT_TRUE(Options("lcjiegou").empty());
}

// And the other way: deleting an option another station has deleted meanwhile.
TEST_F(CodeTables, DeletingAnOptionAnotherStationDeletedTellsIt) {
    Dm->RunSQL("insert into t_code (F_Name, F_type) values ('一层', 'lcjiegou')");
    auto other = std::make_unique<TdmData>(nullptr);
    ASSERT_TRUE(other->DataModuleCreate());
    Open([&](TFrmCodeMan* w) {
        ASSERT_TRUE(other->RunSQL("delete from t_code where F_Name = '一层'"));
        w->DeleteClick();
        EXPECT_EQ(w->QryTable->RecordCount(), 1); // back in view until refreshed
        EXPECT_FALSE(w->QryTable->HasPendingChanges());
        w->RefreshClick();
        EXPECT_TRUE(w->QryTable->IsEmpty());
    });
    EXPECT_EQ(Messages, (CodeMessages{{DeleteCodeQuestion("楼层结构", "一层"), 1}, {MsgRecordChanged, 3}}));
}

// Quotes, "%", NUL and an over-long option: saved as typed (NUL dropped) or a clear message.
TEST_F(CodeTables, BadInputIsSavedAsTypedOrRefusedClearly) {
    Open([&](TFrmCodeMan* w) {
        Add(w, String("o'%\0k", 5));
        EXPECT_TRUE(w->SaveClick());
        Add(w, String(10 * 1024 * 1024, 'x'));
        EXPECT_FALSE(w->SaveClick());
        EXPECT_FALSE(w->Browsing());
        w->CancelClick();
    });
    EXPECT_EQ(Options("lcjiegou"), std::vector<String>{"o'%k"});
    EXPECT_EQ(Messages, (CodeMessages{{MsgSaveFailed, 3}}));
}

TEST_F(CodeTables, PrintsTheGridTitledByItsCategory) {
    std::string found;
    if (codectest::Run("command -v pdftotext", &found) != 0 || found.empty())
        GTEST_FAIL() << "pdftotext is missing";
    Dm->RunSQL("insert into t_code (F_Name, F_type) values ('一层', 'lcjiegou')");
    const TClockOverride clock(EncodeDate(2027, 4, 5));
    TPrinter* own = SharedPrinterPreview()->OwnPrinter();
    const std::vector<String>& names = own->Printers();
    own->SetPrinterIndex(
        static_cast<int>(std::find(names.begin(), names.end(), TPrinter::PdfPrinterName) - names.begin()));
    own->SetPaper(DMPAPER_A4);
    const String file = Prog() + "codes.pdf";
    own->SetOutputFile(file);
    Open([&](TFrmCodeMan* w) { w->PrintClick(); });
    TInteractionAnswer answer;
    answer.Result = 1;
    answer.Text = TPrinter::PdfPrinterName;
    answer.PrintRange = 0;
    User.Add(answer);
    SharedPreviewForm()->PreviewGx1->PrintPages();
    std::string text;
    codectest::Run("pdftotext -layout '" + file + "' -", &text);
    for (const char* expected : {"楼层结构设置", "楼层结构", "一层", "打印日期：2027-04-05"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

} // namespace
