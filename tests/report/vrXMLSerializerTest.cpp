// The layout serializer and the layout file format, through the report's load and save.
#include "report/vrXMLSerializer.h"
#include "ReportTextTools.h"
#include "TempDir.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrInheritError.h"
#include "report/vrRes.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "vrClassTestObjects.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

String Save(TvrReport& r) {
    return SaveReportText(r);
}

void Load(TvrReport& r, const String& text) {
    LoadReportText(r, text);
}

std::vector<String> AttributeNames(const String& line) {
    std::vector<String> names;
    static const std::regex attr(R"( ([A-Za-z.]+)=")");
    for (auto it = std::sregex_iterator(line.begin(), line.end(), attr); it != std::sregex_iterator(); ++it)
        names.push_back((*it)[1]);
    return names;
}

struct Serializer : ::testing::Test {
    void SetUp() override { RegisterTestObjects(); }
    TvrReport report{nullptr};
    void Quiet() { report.EngineOptions()->NewSilentMode = simSilent; }
};

TEST_F(Serializer, DefaultReportWritesExactlyItsListedAttributes) {
    const String text = Save(report);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?>\r\n", 0), 0u);
    const size_t start = text.find("<TvrReport");
    ASSERT_NE(start, String::npos);
    const String root = text.substr(start);
    const std::vector<String> expected = {"Version",
                                          "DotMatrixReport",
                                          "IniFile",
                                          "PreviewOptions.Buttons",
                                          "PreviewOptions.Zoom",
                                          "PrintOptions.Printer",
                                          "PrintOptions.PrintOnSheet",
                                          "ReportOptions.CreateDate",
                                          "ReportOptions.Description.Text",
                                          "ReportOptions.LastChange",
                                          "ScriptLanguage",
                                          "ScriptText.Text",
                                          "PropData"};
    EXPECT_EQ(AttributeNames(root), expected);
    EXPECT_NE(root.find("Version=\"4.9.32\""), String::npos);
    EXPECT_NE(root.find("DotMatrixReport=\"False\""), String::npos);
    EXPECT_NE(root.find("PreviewOptions.Buttons=\"4095\""), String::npos);
    EXPECT_NE(root.find("PropData=\"0844617461736574730100095661726961626C65730100055374796C650100\""),
              String::npos);
    EXPECT_NE(root.find("ScriptText.Text=\"begin&#13;&#10;&#13;&#10;end.\""), String::npos);
}

TEST_F(Serializer, EveryPropertyKindRoundTrips) {
    auto* page = new TTestReportPage(&report);
    page->SetName("Page1");
    auto* target = new TTestView(page);
    target->SetName("Target");
    auto* v = new TTestView(page);
    v->SetName("Memo1");
    v->SetBounds(1.25, 2, 30, 40);
    v->Number = -7;
    v->Flag = true;
    v->Kind = tkThree;
    v->Kinds = TTestKinds{tkOne, tkThree};
    v->Ratio = 0.125;
    v->Caption = "a \"quoted\" <text> & more";
    v->Wide = u"宽字符";
    v->Data = 3.5;
    v->Link = target;
    v->Lines()->SetText("one\r\ntwo\r\n");
    v->Memo = "line 1\r\nline 2";
    v->Blob = String(300, 'x');
    TFont f;
    f.SetName("Tahoma");
    f.SetSize(12);
    f.SetStyle(TFontStyles{fsBold});
    v->SetFont(&f);
    const String text = Save(report);
    EXPECT_NE(text.find("Kinds=\"5\""), String::npos);
    EXPECT_NE(text.find("Kind=\"tkThree\""), String::npos);
    EXPECT_NE(text.find("Font.Style=\"1\""), String::npos);
    EXPECT_NE(text.find("Link=\"Target\""), String::npos);

    TvrReport copy(nullptr);
    Load(copy, text);
    EXPECT_EQ(copy.ErrorList()->Count(), 0) << copy.ErrorList()->Text();
    auto* r = dynamic_cast<TTestView*>(copy.FindObject("Memo1"));
    ASSERT_NE(r, nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(r->Left()), 1.25);
    EXPECT_EQ(r->Number, -7);
    EXPECT_TRUE(r->Flag);
    EXPECT_EQ(r->Kind, tkThree);
    EXPECT_EQ(r->Kinds, (TTestKinds{tkOne, tkThree}));
    EXPECT_DOUBLE_EQ(static_cast<double>(r->Ratio), 0.125);
    EXPECT_EQ(r->Caption, v->Caption);
    EXPECT_EQ(r->Wide, u"宽字符");
    EXPECT_EQ(r->Data.AsString(), "3.5"); // a variant comes back as its text
    EXPECT_EQ(r->Link, copy.FindObject("Target"));
    EXPECT_EQ(r->Lines()->Count(), 2);
    EXPECT_EQ(r->Memo, "line 1\r\nline 2");
    EXPECT_EQ(r->Blob, String(300, 'x'));
    EXPECT_EQ(r->Font()->Name(), "Tahoma");
    EXPECT_FALSE(r->ParentFont());
    // The data page was added in front on loading.
    EXPECT_NE(dynamic_cast<TvrDataPage*>(copy.GetPage(0)), nullptr);
}

TEST_F(Serializer, TolerantFloatsUnknownAttributesAndUnknownClasses) {
    Quiet();
    for (const char* zoom : {"1,5", "1.5", " 1.5 "}) {
        TvrXMLSerializer s;
        TvrReport r(nullptr);
        s.ReadProps(String(" PreviewOptions.Zoom=\"") + zoom + "\" Foo.Bar=\"1\" Nothing=\"2\"", &r);
        EXPECT_DOUBLE_EQ(static_cast<double>(r.PreviewOptions()->Zoom), 1.5) << zoom;
        EXPECT_EQ(s.ErrorList().Count(), 0) << zoom;
    }
    Load(report, "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?><TvrReport>"
                 "<TTestReportPage Name=\"Page1\"><TvrNoSuchView Name=\"X\"><TTestView Name=\"Inner\"/></TvrNoSuchView>"
                 "<TTestView Name=\"Memo1\" Number=\"abc\" Caption=\"ok\"/></TTestReportPage></TvrReport>");
    ASSERT_EQ(report.ErrorList()->Count(), 2) << report.ErrorList()->Text();
    EXPECT_EQ(report.ErrorList()->IndexOf("不明的类别 TvrNoSuchView") >= 0, true);
    auto* memo = dynamic_cast<TTestView*>(report.FindObject("Memo1"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Caption, "ok"); // the attribute after the bad one is still read
    EXPECT_EQ(report.FindObject("X"), nullptr);
    EXPECT_EQ(report.FindObject("Inner"), nullptr);
}

TEST_F(Serializer, PasswordIsStoredShiftedByTenAsBytes) {
    Quiet();
    report.EngineOptions()->HeadlessMode = true; // no password question
    struct TCase {
        String Clear, Stored;
    };
    for (const TCase& c : {TCase{"abc", "WXY"}, TCase{String(1, '\x05'), String(1, '\xFB')}}) {
        report.ReportOptions()->Password = c.Clear;
        const String text = Save(report);
        EXPECT_NE(text.find("ReportOptions.Password=\"" + c.Stored + "\""), String::npos);
        EXPECT_EQ(report.ReportOptions()->Password, c.Clear); // back after writing
        TvrReport copy(nullptr);
        copy.EngineOptions()->HeadlessMode = true;
        Load(copy, text);
        EXPECT_EQ(copy.ReportOptions()->Password, c.Clear);
    }
}

TEST_F(Serializer, TextsOutsideTheLocalCodePageRoundTrip) {
    auto* page = new TTestReportPage(&report);
    page->SetName("Page1");
    auto* v = new TTestView(page);
    v->SetName("Memo1");
    v->Caption = "€ 😀 中文";
    v->Memo = "😀";
    v->Lines()->Add("€");
    TvrReport copy(nullptr);
    Load(copy, Save(report));
    auto* r = dynamic_cast<TTestView*>(copy.FindObject("Memo1"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Caption, "€ 😀 中文");
    EXPECT_EQ(r->Memo, "😀");
    EXPECT_EQ((*r->Lines())[0], "€");
}

TEST_F(Serializer, OldLayoutsInTheLocalCodePageStillRead) {
    // Written the old way: GBK bytes under a declaration without standalone; the Text attribute
    // of text objects was UTF-8 even then.
    const String xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TvrReport><TTestReportPage Name=\"Page1\">"
                       "<TTestView Name=\"Memo1\" Caption=\"" +
                       AnsiFromUtf8("物业管理") + "\" Lines.Text=\"" + AnsiFromUtf8("收费") +
                       "\" Text=\"中文\"/></TTestReportPage></TvrReport>";
    Load(report, xml);
    auto* r = dynamic_cast<TTestView*>(report.FindObject("Memo1"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Caption, "物业管理");
    EXPECT_EQ((*r->Lines())[0], "收费");
    EXPECT_EQ(r->Memo, "中文");
}

TEST_F(Serializer, DamagedPropDataIsReported) {
    Quiet();
    // "Blob" then a long string whose length runs past the end.
    Load(report, "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?><TvrReport>"
                 "<TTestReportPage Name=\"Page1\"><TTestView Name=\"Memo1\" PropData=\"04426C6F620CFF000000414243\"/>"
                 "<TTestView Name=\"Memo2\" PropData=\"044E6F6E650603616263\"/></TTestReportPage></TvrReport>");
    EXPECT_EQ(report.ErrorList()->Count(), 2) << report.ErrorList()->Text();
    EXPECT_NE(report.FindObject("Memo1"), nullptr);
    EXPECT_NE(report.FindObject("Memo2"), nullptr);
}

TEST_F(Serializer, ItemTextsAndObjectTexts) {
    TvrXMLSerializer s;
    s.LegacyFormat = false;
    TTestView* v = static_cast<TTestView*>(s.ReadObjectText(nullptr, "TTestView Number=\"5\" l=\"1,5\" u=\"&#36;x\""));
    ASSERT_NE(v, nullptr);
    std::unique_ptr<TTestView> owned(v);
    EXPECT_EQ(v->Number, 5);
    EXPECT_DOUBLE_EQ(static_cast<double>(v->Left()), 1.5);
    EXPECT_EQ(v->Memo, "$x");
    EXPECT_EQ(s.WriteObjectText(v).rfind("TTestView Left=\"1.5\"", 0), 0u);
}

TEST_F(Serializer, MissingParentLayoutLeavesOnlyTheChildsOwnObjects) {
    Quiet();
    SetProgramFolder("/nonexistent-folder-of-the-program");
    Load(report, "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?><TvrReport ParentReport=\"nothere.di3\">"
                 "<TTestReportPage Name=\"Page1\"><inherited Name=\"FromParent\"/><TTestView Name=\"Own\"/>"
                 "</TTestReportPage></TvrReport>");
    SetProgramFolder("");
    EXPECT_EQ(report.FindObject("FromParent"), nullptr);
    EXPECT_NE(report.FindObject("Own"), nullptr);
}

} // namespace

namespace {

struct Inheritance : ::testing::Test {
    void SetUp() override {
        RegisterTestObjects();
        TvrReport parent(nullptr);
        auto* page = new TTestReportPage(&parent);
        page->SetName("Page1");
        auto* memo = new TTestView(page);
        memo->SetName("Memo1");
        memo->Caption = "parent";
        parent.ScriptText()->SetText("parent script");
        parent.SaveToFile(dir.File("parent.di3"));

        child.EngineOptions()->NewSilentMode = simSilent;
        auto* childPage = new TTestReportPage(&child);
        childPage->SetName("Page1");
        auto* clash = new TTestView(childPage);
        clash->SetName("Memo1");
        clash->Caption = "child";
        auto* own = new TTestView(childPage);
        own->SetName("Memo2");
        own->Link = clash;
        child.ScriptText()->SetText("child script");
        child.SaveToFile(dir.File("child.di3"));
        child.LoadFromFile(dir.File("child.di3"));
    }
    TempDir dir;
    TvrReport child{nullptr};
};

TEST_F(Inheritance, ClashModeOneKeepsTheParentsObjects) {
    ASSERT_TRUE(child.InheritFromFile(dir.File("parent.di3"), 1));
    auto* memo1 = dynamic_cast<TTestView*>(child.FindObject("Memo1"));
    ASSERT_NE(memo1, nullptr);
    EXPECT_EQ(memo1->Caption, "parent");
    EXPECT_TRUE(memo1->FromAncestor);
    auto* memo2 = dynamic_cast<TTestView*>(child.FindObject("Memo2"));
    ASSERT_NE(memo2, nullptr);
    EXPECT_FALSE(memo2->FromAncestor);
    EXPECT_EQ(memo2->Link, memo1);
    EXPECT_EQ(child.ParentReport(), "parent.di3");
    EXPECT_EQ(child.ScriptText()->Text(),
              "child script\r\n{\r\n**********Script from parent report**********\r\nparent script\r\n}\r\n");
    // Saved, the inherited object is written as "inherited" with only what differs.
    const String text = Save(child);
    EXPECT_NE(text.find("<inherited Name=\"Memo1\"/>"), String::npos) << text;
}

TEST_F(Inheritance, ClashModeTwoRenamesTheFormerObjects) {
    ASSERT_TRUE(child.InheritFromFile(dir.File("parent.di3"), 2));
    EXPECT_EQ(dynamic_cast<TTestView*>(child.FindObject("Memo1"))->Caption, "parent");
    TTestView* renamed = nullptr;
    for (TvrComponent* o : child.AllObjects())
        if (auto* v = dynamic_cast<TTestView*>(o); v && v->Caption == "child") renamed = v;
    ASSERT_NE(renamed, nullptr);
    EXPECT_NE(renamed->Name(), "Memo1");
    EXPECT_EQ(dynamic_cast<TTestView*>(child.FindObject("Memo2"))->Link, renamed);
    EXPECT_FALSE(child.InheritFromFile(child.LayoutFileName, 1));
}

// With clash mode 0 the inheritance-clash window asks: Cancel gives the former report back, OK
// drops or renames the duplicates as its choice says.
TEST_F(Inheritance, ClashModeZeroAsksTheInheritanceWindow) {
    struct Case {
        bool Rename, Ok;
        bool Inherited;
        String Memo1Caption;
        int Views;
    } cases[] = {
        {false, true, true, "parent", 2}, {true, true, true, "parent", 3}, {false, false, false, "child", 2}};
    for (const Case& c : cases) {
        child.LoadFromFile(dir.File("child.di3"));
        TScriptedResponder user;
        TInteractionScope scope(user);
        user.Form([&c](TCustomForm* f) {
            auto* form = dynamic_cast<TvrInheritErrorForm*>(f);
            if (!form) return mrAbort;
            if (c.Rename) SimulateClick(form->RenameRB, 2, 2);
            (c.Ok ? form->OkB : form->CancelB)->Click();
            return mrNone;
        });
        EXPECT_EQ(child.InheritFromFile(dir.File("parent.di3"), 0), c.Inherited);
        ASSERT_EQ(user.Requests().size(), 1u);
        EXPECT_EQ(user.Requests()[0].Caption, "继承错误");
        EXPECT_EQ(child.ParentReport(), c.Inherited ? "parent.di3" : "");
        EXPECT_EQ(dynamic_cast<TTestView*>(child.FindObject("Memo1"))->Caption, c.Memo1Caption);
        int views = 0;
        for (TvrComponent* o : child.AllObjects())
            if (dynamic_cast<TTestView*>(o)) ++views;
        EXPECT_EQ(views, c.Views) << c.Rename << c.Ok;
    }
}

} // namespace

#include "gui/Bitmap.h"
#include "gui/Picture.h"

namespace {

TEST_F(Serializer, TheReportPictureTravelsAsClassNameAndData) {
    TBitmap bitmap(3, 2);
    report.ReportOptions()->Picture()->SetGraphic(&bitmap);
    const String text = Save(report);
    const size_t at = text.find("ReportOptions.Picture.PropData=\"0444617461"); // "Data", then the block
    ASSERT_NE(at, String::npos) << text;
    TvrReport copy(nullptr);
    Load(copy, text);
    EXPECT_EQ(copy.ErrorList()->Count(), 0) << copy.ErrorList()->Text();
    EXPECT_EQ(copy.ReportOptions()->Picture()->Width(), 3);
    EXPECT_EQ(copy.ReportOptions()->Picture()->Height(), 2);
}

} // namespace

TEST_F(Serializer, MemoTextSavesAsItReads) {
    vrStartUp();
    auto* page = new TvrReportPage(&report);
    page->SetName("Page1");
    auto* memo = new TvrMemoView(page);
    memo->SetName("Memo1");
    struct Case {
        const char16_t* Text;
        const char* Attribute;
    };
    const Case cases[] = {
        {u"物业费清单", " Text=\"物业费清单\""},
        {u"a\r\nb", " Text=\"a&#13;&#10;b\""},
        {u"[Line#]", " Text=\"[Line#]\""},
    };
    for (const Case& c : cases) {
        memo->SetText(c.Text);
        const String first = Save(report);
        EXPECT_NE(first.find(c.Attribute), String::npos) << first;
        TvrReport copy(nullptr);
        Load(copy, first);
        auto* read = dynamic_cast<TvrMemoView*>(copy.FindObject("Memo1"));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(WideToUtf8(read->Memo()->Text()), WideToUtf8(memo->Memo()->Text()));
        auto memoElement = [](const String& layout) {
            const size_t at = layout.find("<TvrMemoView");
            return at == String::npos ? String() : layout.substr(at, layout.find("/>", at) - at);
        };
        EXPECT_EQ(memoElement(Save(copy)), memoElement(first));
    }
}

TEST_F(Serializer, PropDataWithABadDigitIsALoadError) {
    Quiet();
    // "Blob" with the string "abc", followed by a damaged tail: decoding up to the damage gives a
    // whole value, so only the bad digit tells that something was lost.
    Load(report, "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?><TvrReport>"
                 "<TTestReportPage Name=\"Page1\"><TTestView Name=\"Memo1\" PropData=\"04426C6F620603616263Z004\"/>"
                 "</TTestReportPage></TvrReport>");
    ASSERT_EQ(report.ErrorList()->Count(), 1) << report.ErrorList()->Text();
    EXPECT_NE(report.ErrorList()->Text().find("hexadecimal"), String::npos) << report.ErrorList()->Text();
    EXPECT_NE(report.FindObject("Memo1"), nullptr);
}
