#include "report/vrRes.h"

#include "TempDir.h"
#include "report/vrXML.h"
#include "rtl/FileUtils.h"
#include "script/vs_iconst.h"

#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

String Table(const String& codePage, const String& entries) {
    return "<?xml version=\"1.1\" encoding=\"utf-8\"?><Resources CodePage=\"" + codePage + "\">" + entries +
           "</Resources> ";
}

String Entry(const String& name, const String& text) {
    return "<StrRes Name=\"" + name + "\" Text=\"" + text + "\"/>";
}

class TNamed : public TObject {
public:
    explicit TNamed(String name) : FName(std::move(name)) {}
    String ClassName() const override { return FName; }

private:
    String FName;
};

// Runs the test with the program folder set to a temporary folder.
class vrResFolder : public ::testing::Test {
protected:
    void SetUp() override { SetProgramFolder(Dir.Path()); }
    void TearDown() override { SetProgramFolder(String()); }
    TempDir Dir;
};

} // namespace

TEST(vrRes, CoreTableTextsByKeyAndNumber) {
    TvrResources& r = GetResources();
    const std::pair<const char*, const char*> cases[] = {
        {"1", "确定"},
        {"2", "取消"},
        {"9", "输入页数/文件范围，并以逗号分隔(例如:1,3,5-12)"},
        {"202", "页 "},
        {"204", "自动分页(&T)"},
        {"207", "其它"}, // stored with a leading "!"
        {"211", "顺序"},
        {"510", "打印机文件 (*.prn)|*.prn"},
        {"poDirect", "直接 (1-9)"},
        {"poReverse", "反转 (9-1)"},
        {"clDSNotExist", "数据库 \"%s\" 不存在"},
        {"clFirstPass", "第一次处理过程: 页 "},
        {"CLPAGEOF", "页 %d / %d"}, // keys are case-blind
        {"enUnconnGFooter", "没有群组表尾er for"},
        {"SLangNotFound", "找不到 '%s' 语言"},
        {"SForError", "For loop variable must be numeric variable"},
        {"clStrNotFound", "Text not found"},
        {"NoSuchKey", "NoSuchKey"}, // a missing key shows as the key
        {"!Missing", "Missing"},    // ... without its leading "!"
    };
    for (auto [key, text] : cases)
        EXPECT_EQ(r.GetString(key), text) << key;
    EXPECT_EQ(GetResourceStringById(100), "预览");
    EXPECT_EQ(GetResourceStringById(601), "全部闭合");
    EXPECT_EQ(GetResourceStringById(99999), "99999");
    EXPECT_EQ(r.CodePage(), 936);
}

TEST(vrRes, CoreTableHoldsEveryKeyOnceInItsOrder) {
    TStringStream in(vrCoreResourceTable);
    TvrXMLDocument doc;
    doc.LoadFromStream(in);
    ASSERT_EQ(doc.RootItem()->Name, "Resources");
    EXPECT_EQ(doc.RootItem()->GetProp("CodePage"), "936");
    std::vector<String> numbers, names;
    for (int i = 0; i < doc.RootItem()->ItemCount(); ++i) {
        const TvrXMLItem* item = doc.RootItem()->GetItem(i);
        EXPECT_EQ(item->Name, "StrRes");
        const String key = item->GetProp("Name");
        (std::isdigit(static_cast<unsigned char>(key[0])) ? numbers : names).push_back(key);
    }
    EXPECT_EQ(numbers.size() + names.size(), 185u);

    std::vector<String> expectedNumbers;
    const std::pair<int, int> ranges[] = {{1, 9},     {100, 142},   {150, 152},  {200, 214},
                                          {216, 216}, {300, 305},   {400, 414},  {500, 510},
                                          {600, 601}, {5000, 5001}, {6000, 6003}};
    for (auto [from, to] : ranges)
        for (int n = from; n <= to; ++n)
            expectedNumbers.push_back(std::to_string(n));
    EXPECT_EQ(numbers, expectedNumbers);

    const std::vector<String> expectedNames = {"zmPageWidth",
                                               "zmWholePage",
                                               "ppAll",
                                               "ppOdd",
                                               "ppEven",
                                               "pgDefault",
                                               "pmDefault",
                                               "pmSplit",
                                               "pmJoin",
                                               "pmScale",
                                               "poDirect",
                                               "poReverse",
                                               "mbConfirm",
                                               "mbError",
                                               "mbInfo",
                                               "xrCantFindClass",
                                               "prVirtual",
                                               "prDefault",
                                               "prCustom",
                                               "enUnconnHeader",
                                               "enUnconnGroup",
                                               "enUnconnGFooter",
                                               "enBandPos",
                                               "dbNotConn",
                                               "dbFldNotFound",
                                               "clDSNotIncl",
                                               "clUnknownVar",
                                               "clScrError",
                                               "clDSNotExist",
                                               "clErrors",
                                               "clExprError",
                                               "clDP3files",
                                               "clSaving",
                                               "clCancel",
                                               "clClose",
                                               "clPrinting",
                                               "clLoading",
                                               "clPageOf",
                                               "clFirstPass",
                                               "clNoPrinters",
                                               "clDecompressError",
                                               "prRunningFirst",
                                               "prRunning",
                                               "prPrinting",
                                               "prExporting",
                                               "uCm",
                                               "uInch",
                                               "uPix",
                                               "uChar",
                                               "dupDefault",
                                               "dupVert",
                                               "dupHorz",
                                               "dupSimpl",
                                               "crFillMx",
                                               "crBuildMx",
                                               "SLangNotFound",
                                               "SInvalidLanguage",
                                               "SIdRedeclared",
                                               "SUnknownType",
                                               "SIncompatibleTypes",
                                               "SIdUndeclared",
                                               "SClassRequired",
                                               "SIndexRequired",
                                               "SStringError",
                                               "SClassError",
                                               "SArrayRequired",
                                               "SVarRequired",
                                               "SNotEnoughParams",
                                               "STooManyParams",
                                               "SLeftCantAssigned",
                                               "SForError",
                                               "SEventError",
                                               "clStrNotFound",
                                               "prInvProp"};
    EXPECT_EQ(names, expectedNames);

    // Every key the windows ask for has a text of its own, none shows as its key.
    TvrResources& r = GetResources();
    for (const String& key : numbers)
        EXPECT_NE(r.GetString(key), key) << key;
    for (const String& key : names)
        EXPECT_NE(r.GetString(key), key) << key;
}

TEST(vrRes, CoreTableTextsOfTheEngineMessages) {
    TvrResources& r = GetResources();
    const std::pair<const char*, const char*> cases[] = {
        {"205", "份数(&C)"},
        {"209", "属性(&P)"},
        {"210", "输出至文件(&L)"},
        {"mbConfirm", "确认"},
        {"mbError", "错误"},
        {"mbInfo", "资讯"},
        {"xrCantFindClass", "不明的类别"},
        {"enUnconnHeader", "未连接至表首"},
        {"enUnconnGroup", "群组未连接至数据库"},
        {"enBandPos", "Band的位置错误:"},
        {"dbNotConn", "数据库 %s 未连接至数据库"},
        {"dbFldNotFound", "字段不存在:"},
        {"clDSNotIncl", "(数据库未加入至 Report.DataSets)"},
        {"clUnknownVar", "未知的变量或数据库字段:"},
        {"clScrError", "Script 错误在 %s: %s"},
        {"clErrors", "发生下列的错误:"},
        {"clExprError", "运算式错误"},
        {"clClose", "关闭(&X)"},
        {"clNoPrinters", "在你的系统没有安装打印机"},
        {"clDecompressError", "Stream 解压缩发生错误"},
        {"prRunningFirst", "第一次过程: 页 %d"},
        {"prRunning", "准备页 %d"},
        {"prPrinting", "打印页 %d"},
        {"prExporting", "导出页 %d"},
        {"uCm", "cm"},
        {"uInch", "in"},
        {"uPix", "px"},
        {"uChar", "chr"},
        {"SClassError", "类(Class) %s 没有预设的属性"},
    };
    for (auto [key, text] : cases)
        EXPECT_EQ(r.GetString(key), text) << key;
}

TEST(vrRes, TableTextsAreUnescapedTwice) {
    TvrResources r;
    r.LoadFromXMLString(Table("936", Entry("q", "&#38;#34;x&#38;#34;") + Entry("amp", "a&amp;b") +
                                         Entry("lt", "&#38;lt;") + Entry("cjk", "报表")));
    EXPECT_EQ(r.GetString("q"), "\"x\"");
    EXPECT_EQ(r.GetString("amp"), "a&b");
    EXPECT_EQ(r.GetString("lt"), "<");
    EXPECT_EQ(r.GetString("cjk"), "报表");
}

TEST(vrRes, LaterTablesReplaceTextsAndSetTheCodePage) {
    TvrResources r;
    r.LoadFromXMLString(Table("936", Entry("1", "确定") + Entry("2", "取消")));
    r.LoadFromXMLString(Table("936", Entry("1", "OK")));
    EXPECT_EQ(r.GetString("1"), "OK");
    EXPECT_EQ(r.GetString("2"), "取消");
    // The code page of the last table applies to every text handed out: 1252 lacks Chinese.
    r.LoadFromXMLString(Table("1252", Entry("3", "caf\xC3\xA9")));
    EXPECT_EQ(r.CodePage(), 1252);
    EXPECT_EQ(r.GetString("2"), "??");
    EXPECT_EQ(r.GetString("3"), "caf\xC3\xA9");

    r.AddAnsiString("2", "Cancel");
    EXPECT_EQ(r.GetString("2"), "Cancel");
    r.AddWideString("new", u"x");
    EXPECT_EQ(r.GetString("NEW"), "x");
}

TEST(vrRes, BadTablesRaiseOrLoadNothing) {
    TvrResources r;
    EXPECT_THROW(r.LoadFromXMLString(Table("abc", Entry("k", "v"))), EConvertError);
    EXPECT_THROW(
        r.LoadFromXMLString("<?xml version=\"1.1\"?><Resources><StrRes Name=\"k\" Text=\"v\"/></Resources>"),
        EConvertError);
    EXPECT_EQ(r.GetString("k"), "k"); // no text of a failed table is loaded
    EXPECT_THROW(r.LoadFromXMLString("<Resources CodePage=\"936\"/>"), TvrInvalidXMLException);

    r.LoadFromXMLString("<?xml version=\"1.1\"?><Other CodePage=\"936\">" + Entry("k", "v") + "</Other>");
    EXPECT_EQ(r.GetString("k"), "k");
    r.LoadFromXMLString(Table("936", "<Item Name=\"k\" Text=\"v\"/>" + Entry("j", "w")));
    EXPECT_EQ(r.GetString("k"), "k");
    EXPECT_EQ(r.GetString("j"), "w");
}

TEST(vrRes, ScriptMessagesAreRefreshedAfterEveryTable) {
    const String savedLang = SLangNotFound, savedEvent = SEventError;
    TvrResources r;
    r.LoadFromXMLString(Table("936", Entry("SLangNotFound", "找不到 '%s' 语言")));
    EXPECT_EQ(SLangNotFound, "找不到 '%s' 语言");
    EXPECT_EQ(SEventError, "SEventError"); // a key no table holds leaves the message equal to its key
    r.LoadFromXMLString(vrCoreResourceTable);
    EXPECT_EQ(SEventError, "Event handler must be a procedure");
    EXPECT_EQ(SClassError, "类(Class) %s 没有预设的属性");
    SLangNotFound = savedLang;
    SEventError = savedEvent;
}

TEST_F(vrResFolder, LanguageFilesAreListedAndReplaceTexts) {
    TempDir::WriteAll(Dir.File("ENGLISH.DRC"),
                      Table("1252", Entry("1", "OK") + Entry("clClose", "&amp;Close")));
    TempDir::WriteAll(Dir.File("russian.drc"), Table("1251", Entry("1", "Да")));
    TempDir::WriteAll(Dir.File("notes.txt"), "x");
    std::filesystem::create_directory(Dir.File("folder.drc"));

    TvrResources r;
    ASSERT_EQ(r.Languages().Count(), 2);
    EXPECT_EQ(r.Languages().Strings(0), "English");
    EXPECT_EQ(r.Languages().Strings(1), "Russian");

    r.LoadFromXMLString(vrCoreResourceTable);
    r.LoadFromFile(Dir.File("ENGLISH.DRC"));
    EXPECT_EQ(r.GetString("1"), "OK");
    EXPECT_EQ(r.GetString("clClose"), "&Close");
    EXPECT_EQ(r.GetString("2"), "??");       // untouched Chinese text, handed out in code page 1252
    r.LoadFromFile(Dir.File("missing.drc")); // ignored
    EXPECT_EQ(r.GetString("1"), "OK");
}

TEST_F(vrResFolder, HelpOpensTheHelpFileAtTheTopicOfTheWindowClass) {
    TvrResources r;
    const String folder = ProgramFolder();
    TNamed memoEditor("TvrMemoEditorForm"), designer("tvrdesignerform"), other("TvrPreviewForm");
    EXPECT_EQ(r.HelpPath(&memoEditor), folder + "DODade.chm::/Text_object.htm");
    EXPECT_EQ(r.HelpPath(&designer), folder + "DODade.chm::/Designer.htm");
    EXPECT_EQ(r.HelpPath(&other), folder + "DODade.chm");
    EXPECT_EQ(r.HelpPath(nullptr), folder + "DODade.chm");
    EXPECT_EQ(TvrResources::HelpTopic("TvrSQLEditorForm"), "TvrADOQuery.htm");

    TvrHelpViewer previous = SetHelpViewer(nullptr);
    r.OpenHelpTopic(&memoEditor); // no viewer: nothing happens
    std::vector<std::pair<String, String>> shown;
    SetHelpViewer([&](const String& file, const String& topic) { shown.emplace_back(file, topic); });
    r.OpenHelpTopic(&memoEditor);
    r.ShowHelp(nullptr);
    SetHelpViewer(previous);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(folder + "DODade.chm", String("Text_object.htm")));
    EXPECT_EQ(shown[1], std::make_pair(folder + "DODade.chm", String()));
}
