// The report component: loading and saving files, host options, name resolution and evaluation,
// the script functions and the self-naming variable.
#include "TempDir.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPassw.h"
#include "report/vrRes.h"
#include "vrClassTestObjects.h"

#include <gtest/gtest.h>

namespace {

struct Report : ::testing::Test {
    void SetUp() override {
        RegisterTestObjects();
        report.EngineOptions()->NewSilentMode = simReThrow;
    }
    TvrReport report{nullptr};
};

TEST_F(Report, MissingFileGivesFalseAnEmptyReportAndNoMessage) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    new TTestReportPage(&report);
    report.EngineOptions()->NewSilentMode = simMessageBoxes;
    EXPECT_FALSE(report.LoadFromFile("/nonexistent/Qr/none.di3"));
    EXPECT_EQ(report.GetPagesCount(), 0);
    EXPECT_TRUE(user.Requests().empty());
}

TEST_F(Report, HostOptionsSurviveALoadExceptTheLayoutsOwn) {
    TempDir dir;
    {
        TvrReport layout(nullptr);
        layout.EngineOptions()->ConvertNulls = false;
        layout.EngineOptions()->DoublePass = true;
        layout.EngineOptions()->IgnoreDevByZero = true;
        layout.EngineOptions()->MaxMemSize = 99;
        layout.PreviewOptions()->OutlineVisible = true;
        layout.PreviewOptions()->OutlineWidth = 200;
        layout.PreviewOptions()->OutlineExpand = false;
        layout.PreviewOptions()->PagesInCache = 7;
        layout.PreviewOptions()->ThumbnailVisible = true;
        layout.PreviewOptions()->Zoom = 2;
        layout.PreviewOptions()->Modal = false;
        layout.ShowProgress = false;
        layout.IniFile = "layout.ini";
        layout.SaveToFile(dir.File("a.di3"));
    }
    report.EngineOptions()->MaxMemSize = 10;
    report.PreviewOptions()->Zoom = 1.25;
    report.IniFile = "host.ini";
    ASSERT_TRUE(report.LoadFromFile(dir.File("a.di3")));
    EXPECT_FALSE(report.EngineOptions()->ConvertNulls);
    EXPECT_TRUE(report.EngineOptions()->DoublePass);
    EXPECT_TRUE(report.EngineOptions()->IgnoreDevByZero);
    EXPECT_EQ(report.EngineOptions()->MaxMemSize, 10);
    EXPECT_TRUE(report.PreviewOptions()->OutlineVisible);
    EXPECT_EQ(report.PreviewOptions()->OutlineWidth, 200);
    EXPECT_FALSE(report.PreviewOptions()->OutlineExpand);
    EXPECT_EQ(report.PreviewOptions()->PagesInCache, 7);
    EXPECT_TRUE(report.PreviewOptions()->ThumbnailVisible);
    EXPECT_DOUBLE_EQ(static_cast<double>(report.PreviewOptions()->Zoom), 1.25);
    EXPECT_TRUE(report.PreviewOptions()->Modal);
    EXPECT_TRUE(report.ShowProgress);
    EXPECT_EQ(report.IniFile, "host.ini");
    EXPECT_EQ(report.LayoutFileName, dir.File("a.di3"));
}

TEST_F(Report, AFailedSaveKeepsTheOldFile) {
    TempDir dir;
    const String file = dir.File("keep.di3");
    auto* page = new TTestReportPage(&report);
    auto* v = new TTestView(page);
    v->SetName("Memo1");
    report.SaveToFile(file);
    const String before = TempDir::ReadAll(file);
    v->Blob = "fail";
    EXPECT_THROW(report.SaveToFile(file), Exception);
    EXPECT_EQ(TempDir::ReadAll(file), before);
}

TEST_F(Report, ValuesByNameInTheirOrder) {
    TvrUserDataSet ds(nullptr);
    ds.SetName("UserDS");
    ds.SetUserName("vrDM");
    ds.Fields()->Add("Amount");
    ds.OnGetValue = [](const String&, Variant& v) { v = Null(); };
    report.Datasets()->Add(&ds);
    report.Variables()->SetVariable("Sum", "1 + 2");
    report.Variables()->SetVariable("Plain", "1 + 2\r\n");
    report.Variables()->SetVariable("Number", 7);
    report.Variables()->SetVariable("Hooked", "100");
    vrGlobalVariables()->SetVariable("GlobalOne", "3 + 3");
    vrGlobalVariables()->SetVariable("CopyName0", "副本");
    report.OnGetValue = [](const String& name, Variant& v) {
        if (name == "Hooked") v = "from the event";
    };
    Variant v;
    ASSERT_TRUE(report.GetValueByName("vrDM.\"Amount\"", v)); // a Null numeric field with ConvertNulls
    EXPECT_EQ(VarType(v), varInteger);
    EXPECT_EQ(v.AsInteger(), 0);
    report.EngineOptions()->ConvertNulls = false;
    ASSERT_TRUE(report.GetValueByName("vrDM.\"Amount\"", v));
    EXPECT_TRUE(VarIsNull(v));
    ASSERT_TRUE(report.GetValueByName("copyname#", v));
    EXPECT_EQ(v.AsString(), "副本");
    ASSERT_TRUE(report.GetValueByName("Hooked", v));
    EXPECT_EQ(v.AsString(), "from the event"); // events before variables
    ASSERT_TRUE(report.GetValueByName("SUM", v));
    EXPECT_EQ(v.AsInteger(), 3);
    ASSERT_TRUE(report.GetValueByName("Plain", v));
    EXPECT_EQ(v.AsString(), "1 + 2\r\n");
    ASSERT_TRUE(report.GetValueByName("Number", v));
    EXPECT_EQ(v.AsInteger(), 7);
    ASSERT_TRUE(report.GetValueByName("GlobalOne", v));
    EXPECT_EQ(v.AsString(), "3 + 3"); // not evaluated
    ASSERT_TRUE(report.PrepareScript());
    ASSERT_TRUE(report.GetValueByName("Report", v)); // a script item
    EXPECT_FALSE(report.GetValueByName("NoSuchName", v));
    vrGlobalVariables()->Clear();
}

TEST_F(Report, PageNumberNamesCompileNothing) {
    ASSERT_TRUE(report.PrepareScript());
    Variant v;
    for (const char* name : {"Page#", "PAGE#", "Date", "Line#"}) {
        v = report.Calc(name);
        EXPECT_EQ(report.ExpressionCache()->Count(), 0) << name;
    }
}

TEST_F(Report, ScriptFunctionsGetSetAndIIF) {
    report.Variables()->SetVariable("Rate", 4);
    ASSERT_TRUE(report.PrepareScript()) << report.ErrorList()->Text();
    EXPECT_EQ(report.Calc("Get('Rate') * 2").AsInteger(), 8);
    report.Calc("IIF(1 = 1, Set('Mark', 1), Set('Mark', 2))");
    EXPECT_EQ(report.Variables()->Variables("Mark").AsInteger(), 1);
    // Only the chosen branch runs: the other would fail.
    EXPECT_EQ(report.Calc("IIF(2 > 1, 5, 1 / 0)").AsInteger(), 5);
    EXPECT_EQ(report.Calc("IIF(2 < 1, 1 / 0, 'no')").AsString(), "no");
    EXPECT_TRUE(VarIsNull(report.Calc("Get('Unknown')")));
    EXPECT_GE(report.ErrorList()->IndexOf(GetResources().GetString("clUnknownVar") + " Unknown"), 0);
}

TEST_F(Report, DivisionByZeroGivesNullWhenIgnored) {
    ASSERT_TRUE(report.PrepareScript());
    report.CurrentObjectName = "Memo1";
    try {
        report.Calc("1 / 0");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind("Memo1: ", 0), 0u) << e.Message();
        EXPECT_GE(report.ErrorList()->IndexOf(e.Message()), 0);
    }
    report.EngineOptions()->IgnoreDevByZero = true;
    EXPECT_TRUE(VarIsNull(report.Calc("1 / 0")));
    try {
        report.Calc("1 +", vrScriptCallMark());
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind("Error in Calc expression: ", 0), 0u) << e.Message();
    }
}

TEST_F(Report, AVariableNamingItselfRaisesAnErrorNamingIt) {
    report.Variables()->SetVariable("Loop", "Loop");
    report.Variables()->SetVariable("A", "B");
    report.Variables()->SetVariable("B", "A");
    for (const char* name : {"Loop", "A"}) {
        try {
            report.Calc(name);
            FAIL() << "no error for " << name;
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find("refers to itself"), String::npos) << e.Message();
        }
    }
}

TEST_F(Report, CheckDataPageGathersTheDataComponents) {
    auto* page = new TTestReportPage(&report);
    page->SetName("Data");
    auto* a = new TvrUserDataSet(page);
    auto* b = new TvrUserDataSet(page);
    report.CheckDataPage();
    auto* dataPage = dynamic_cast<TvrDataPage*>(report.GetPage(0));
    ASSERT_NE(dataPage, nullptr);
    EXPECT_NE(dataPage->Name(), "Data");
    EXPECT_DOUBLE_EQ(static_cast<double>(dataPage->Width()), 1000);
    EXPECT_EQ(a->Parent(), dataPage);
    EXPECT_DOUBLE_EQ(static_cast<double>(a->Left()), 60);
    EXPECT_DOUBLE_EQ(static_cast<double>(b->Left()), 124);
    EXPECT_DOUBLE_EQ(static_cast<double>(b->Top()), 20);
}

TEST_F(Report, ClearResetsTheLayoutAndLoadAsksForThePassword) {
    TempDir dir;
    report.ReportOptions()->Password = "密码";
    new TTestReportPage(&report);
    report.SaveToFile(dir.File("p.di3"));
    TScriptedResponder user;
    TInteractionScope scope(user);
    auto typePassword = [](const String& text) {
        return [text](TCustomForm* f) {
            static_cast<TvrPasswordForm*>(f)->PasswordE->SetText(text);
            return mrOk;
        };
    };
    user.Form(typePassword("wrong"));
    report.EngineOptions()->NewSilentMode = simSilent;
    ASSERT_TRUE(report.LoadFromFile(dir.File("p.di3")));
    EXPECT_EQ(report.GetPagesCount(), 0); // refused: cleared
    user.Form(typePassword("密码"));
    ASSERT_TRUE(report.LoadFromFile(dir.File("p.di3")));
    EXPECT_EQ(report.GetPagesCount(), 2); // its page and the data page
    EXPECT_EQ(report.ReportOptions()->AcceptedPassword, "密码");
    report.Clear();
    EXPECT_EQ(report.ScriptText()->Text(), "begin\r\n\r\nend.\r\n");
    EXPECT_EQ(report.SystemVariables()->Count(), 9);
}

} // namespace
