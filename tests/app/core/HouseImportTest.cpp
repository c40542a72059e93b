// The house import wizard on the registers' seed, played offscreen through ShowMess and the
// Interaction responder, with workbooks written by python3-xlwt.
#include "AppFixture.h"
#include "DesktopStandIns.h"
#include "XlsFixture.h"
#include "app/RegisterSeed.h"

#include "app/core/EstateScope.h"
#include "app/core/HouseChecks.h"
#include "app/core/uDLGeditCurList.h"
#include "app/core/uFrmExcelImport.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxColumns.h"
#include "grid/DBGridGxSelection.h"
#include "gui/ComCtrls.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

namespace {

// The titles of the workbook's house sheet: those of the stored map (as the sample has them).
const std::vector<String> TitleNames = {
    "小区名称", "楼幢号",   "单元",     "房间编号",     "房型",         "楼层",         "房间朝向", "当前状态",
    "建筑面积", "实用面积", "产权状况", "房屋备注",     "合同编号",     "合同金额",     "合同日期", "合同类型",
    "业主姓名", "性别",     "联系电话", "联系手机",     "身份证号",     "业主单位",     "业主住址", "合同备注",
    "住户姓名", "入住日期", "住户联系电话", "住户联系手机", "住户身份证号", "从事行业", "住户备注", "实住人数"};

TXlsRow TitleRow() {
    TXlsRow row;
    for (const String& title : TitleNames)
        row.push_back(XlsText(title));
    return row;
}
const TXlsRow Titles = TitleRow();

int TitleIndex(const String& title) {
    for (size_t i = 0; i < TitleNames.size(); ++i)
        if (TitleNames[i] == title) return static_cast<int>(i);
    ADD_FAILURE() << title;
    return 0;
}

// A house row: the cells named, every other one empty.
TXlsRow Cells(const std::vector<std::pair<String, TXlsCell>>& cells) {
    TXlsRow row(TitleNames.size(), XlsEmpty());
    for (const auto& [title, cell] : cells)
        row[static_cast<size_t>(TitleIndex(title))] = cell;
    return row;
}

TXlsRow House(const String& code, const String& estate, const String& building, double area, const String& floor,
              const String& owner) {
    return Cells({{"房间编号", XlsText(code)},
                  {"小区名称", XlsText(estate)},
                  {"楼幢号", XlsText(building)},
                  {"建筑面积", XlsNumber(area)},
                  {"楼层", XlsText(floor)},
                  {"业主姓名", XlsText(owner)},
                  {"联系手机", XlsNumber(13800138000.0)},
                  {"合同日期", XlsDate("2021-05-01")}});
}

class HouseImport : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        delete dmData;
        Connect();
        dmData = Dm.get();
        seed::SeedRegisters(Dm->ADOcnn(), 24);
        FormatSettings().DateSeparator = '-';
        FormatSettings().ShortDateFormat = "yyyy-MM-dd";
        OperName = "admin";
        IsAdmin = true;
        HousesBefore = Rows("select F_ID, F_XQname, F_LDcode, F_code from T_FCinfo order by F_ID");
    }
    void TearDown() override {
        Wizard.reset();
        dmData = nullptr;
        AppFixture::TearDown();
    }

    // The usual workbook: a notes sheet first, then the houses with a blank row among them.
    String Book(const std::vector<TXlsRow>& houses, bool notesFirst = true) {
        std::vector<TXlsSheet> sheets;
        if (notesFirst) sheets.push_back({"说明", {{XlsText("说明"), XlsText("日期")}, {XlsText("请填写房屋表"), XlsEmpty()}}});
        TXlsSheet sheet{"房屋", {Titles}};
        for (const TXlsRow& row : houses)
            sheet.Rows.push_back(row);
        sheets.push_back(sheet);
        const String file = Dir.File("houses" + std::to_string(++FBooks) + ".xls");
        EXPECT_TRUE(WriteXls(file, sheets));
        return file;
    }

    // The wizard shown, the file typed, on the page of the step.
    void OpenWizard(const String& file, int step, const String& sheet = "房屋") {
        Wizard = std::make_unique<TfrmExcelImport>(nullptr);
        Wizard->SetTarget("T_FCinfo");
        Wizard->edtSample->SetText(Prog() + "sample.xls");
        Wizard->Show();
        Wizard->edtXlsFileName->SetText(file);
        while (Wizard->Step() < step) {
            const int before = Wizard->Step();
            Wizard->NextClick();
            if (Wizard->Step() == 1 && !sheet.empty()) ChooseSheet(sheet);
            if (Wizard->Step() <= before) return;
        }
    }
    void ChooseSheet(const String& sheet) {
        const int index = Wizard->cbbSheet->Items()->IndexOf(sheet);
        ASSERT_GE(index, 0) << sheet;
        Wizard->cbbSheet->SetItemIndex(index);
        Wizard->ChooseSheet(sheet);
    }
    std::vector<String> PickList() const {
        std::vector<String> items;
        TStrings* list = Wizard->DBGridGx2->Columns()->ColumnAt(1)->PickList();
        for (int i = 0; i < list->Count(); ++i)
            items.push_back(list->Strings(i));
        return items;
    }
    // The preview's values of a field, row by row ("" for empty).
    std::vector<String> Column(const String& field) const {
        std::vector<String> values;
        TADOQuery* q = Wizard->QryTable3;
        const TBookmark at = q->GetBookmark();
        for (q->First(); !q->Eof(); q->Next())
            values.push_back(q->FieldByName(field)->AsString());
        q->GotoBookmark(at);
        return values;
    }
    // Sets the map row of a field to an Excel column ("" clears it).
    void MapField(const String& field, const String& column) {
        TADOQuery* map = Wizard->QryTable2;
        ASSERT_TRUE(map->Locate("S_Field", field));
        map->Edit();
        map->FieldByName("F_Field")->SetAsString(column);
        map->Post();
    }
    // Marks preview rows (0-based) as the indicator's Ctrl clicks do.
    void Mark(const std::vector<int>& rows) {
        TADOQuery* q = Wizard->QryTable3;
        for (int row : rows) {
            q->First();
            q->MoveBy(row);
            Wizard->DBGridGx3->SelectedRows()->SetCurrentRowSelected(true);
        }
    }
    void FocusColumn(const String& field) {
        for (int i = 0; i < Wizard->DBGridGx3->Columns()->Count(); ++i)
            if (Wizard->DBGridGx3->Columns()->ColumnAt(i)->FieldName() == field) Wizard->DBGridGx3->SetFocusCol(i + 1);
        ASSERT_EQ(Wizard->DBGridGx3->SelectedField()->FieldName(), field);
    }
    std::vector<String> MessageTexts() const {
        std::vector<String> texts;
        for (const auto& [text, kind] : Messages)
            texts.push_back(text);
        return texts;
    }
    std::vector<String> Houses() { return Rows("select F_ID, F_XQname, F_LDcode, F_code from T_FCinfo order by F_ID"); }

    TClockOverride Clock{EncodeDate(2026, 3, 15) + EncodeTime(10, 30, 0, 0)};
    TScriptedResponder User;
    TInteractionScope Scope{User};
    std::unique_ptr<TfrmExcelImport> Wizard;
    std::vector<String> HousesBefore;

private:
    int FBooks = 0;
};

TEST_F(HouseImport, TheSheetListAndThePickListFollowTheChosenSheet) {
    OpenWizard(Book({House("901", seed::EstateA, "9号楼", 85.5, "9", "王五")}), 1, "");
    ASSERT_EQ(Wizard->Step(), 1);
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(Wizard->TabSheet2->Visible());
    EXPECT_FALSE(Wizard->TabSheet1->Visible());
    EXPECT_EQ(Wizard->cbbSheet->Items()->Count(), 2);
    EXPECT_EQ(Wizard->cbbSheet->Items()->Strings(0), "说明");
    EXPECT_EQ(Wizard->cbbSheet->Items()->Strings(1), "房屋");
    EXPECT_EQ(Wizard->cbbSheet->Text(), "说明");
    EXPECT_EQ(PickList(), (std::vector<String>{"说明", "日期"}));
    ChooseSheet("房屋");
    EXPECT_EQ(PickList(), TitleNames);
    EXPECT_EQ(Wizard->QryTable1->RecordCount(), 1);
    for (int i = 0; i < Wizard->DBGridGx1->Columns()->Count(); ++i)
        EXPECT_EQ(Wizard->DBGridGx1->Columns()->ColumnAt(i)->Width(), 75);
    EXPECT_TRUE(Wizard->DBGridGx2->Columns()->ColumnAt(0)->ReadOnly());
}

TEST_F(HouseImport, TheMapComesFromStoredRowsAndAClearedRowLeavesItsFieldEmpty) {
    OpenWizard(Book({House("901", seed::EstateA, "9号楼", 85.5, "9", "王五"),
                     House("902", seed::EstateA, "9号楼", 64.25, "9", "赵六")}),
               2);
    ASSERT_EQ(Wizard->Step(), 2);
    EXPECT_EQ(Wizard->QryTable2->RecordCount(), 32);
    EXPECT_EQ(Wizard->DBGridGx3->Columns()->Count(), 32);
    TColumnGx* first = Wizard->DBGridGx3->Columns()->ColumnAt(0);
    EXPECT_EQ(first->FieldName(), "F_XQname");
    EXPECT_EQ(first->Title()->Caption(), "小区名称");
    EXPECT_EQ(first->Width(), 75);
    MapField("F_LouCeng", "");
    Wizard->NextClick();
    ASSERT_EQ(Wizard->Step(), 3);
    EXPECT_EQ(Wizard->btnNext->Caption(), "完成");
    EXPECT_EQ(Column("F_code"), (std::vector<String>{"901", "902"}));
    EXPECT_EQ(Column("F_LouCeng"), (std::vector<String>{"", ""}));
    EXPECT_EQ(Column("F_buildArea"), (std::vector<String>{"85.5", "64.25"}));
    EXPECT_EQ(Column("F_handphone"), (std::vector<String>{"13800138000", "13800138000"}));
    EXPECT_EQ(Column("F_HTdate"), (std::vector<String>{"2021-05-01", "2021-05-01"}));
    // Back to the map and forward again: the stored map, so the floor is there again.
    Wizard->PriorClick();
    ASSERT_EQ(Wizard->Step(), 2);
    EXPECT_EQ(Wizard->btnNext->Caption(), "下一步");
    ASSERT_TRUE(Wizard->QryTable2->Locate("S_Field", "F_LouCeng"));
    EXPECT_EQ(Wizard->QryTable2->FieldByName("F_Field")->AsString(), "楼层");
    Wizard->NextClick();
    EXPECT_EQ(Column("F_LouCeng"), (std::vector<String>{"9", "9"}));
    EXPECT_TRUE(Messages.empty()) << MessageTexts().front();
    EXPECT_EQ(Rows("select count(*) from cfg_import where F_Field = '楼层'"), std::vector<String>{"1"});
}

TEST_F(HouseImport, ACellThatDoesNotFitItsFieldStopsThePreview) {
    const struct {
        TXlsCell Area;
        String Code;
        const char* Message;
    } cases[] = {{XlsText("85.5㎡"), "903", "字段“建筑面积”出错，导入失败！"},
                 {XlsNumber(70), String(51, '8'), "字段“房间编号”出错，导入失败！"}};
    for (const auto& c : cases) {
        Messages.clear();
        TXlsRow bad = House(c.Code, seed::EstateA, "9号楼", 0, "9", "王五");
        bad[static_cast<size_t>(TitleIndex("建筑面积"))] = c.Area;
        OpenWizard(Book({House("901", seed::EstateA, "9号楼", 85.5, "9", "王五"),
                         House("902", seed::EstateA, "9号楼", 60, "9", "王五"), bad,
                         House("904", seed::EstateA, "9号楼", 60, "9", "王五")}),
                   3);
        ASSERT_EQ(Wizard->Step(), 3);
        EXPECT_EQ(MessageTexts(), std::vector<String>{c.Message});
        EXPECT_EQ(Messages.back().second, 3);
        EXPECT_EQ(Column("F_code"), (std::vector<String>{"901", "902"}));
        EXPECT_FALSE(Wizard->ProgressBar1->Visible());
    }
}

TEST_F(HouseImport, BatchEditSetsTheMarkedRowsOfTheCurrentColumn) {
    OpenWizard(Book({House("901", seed::EstateA, "9号楼", 1, "1", "甲"), House("902", seed::EstateA, "9号楼", 2, "2", "乙"),
                     House("903", seed::EstateA, "9号楼", 3, "3", "丙"), House("904", seed::EstateA, "9号楼", 4, "4", "丁"),
                     House("905", seed::EstateA, "9号楼", 5, "5", "戊")}),
               3);
    ASSERT_EQ(Wizard->Step(), 3);
    // Nothing marked: the hint.
    Wizard->BatchEditClick();
    EXPECT_EQ(MessageTexts(), std::vector<String>{"请选中要更新的行，前面的固定行显示为箭头，\r\n表示选中行！"});
    Mark({0, 2, 4});
    FocusColumn("F_LouCeng");
    User.Form([](TCustomForm* form) {
        auto* dialog = dynamic_cast<TDLGeditCurList*>(form);
        EXPECT_NE(dialog, nullptr);
        if (dialog) dialog->edtCurValue->SetText("12");
        return static_cast<int>(mrOk);
    });
    Wizard->BatchEditClick();
    EXPECT_EQ(User.Requests().back().Caption, "批量修改当前列");
    EXPECT_EQ(Column("F_LouCeng"), (std::vector<String>{"12", "2", "12", "4", "12"}));
    // An empty value, and a cancelled dialog, change nothing.
    User.Form([](TCustomForm*) { return static_cast<int>(mrOk); });
    Wizard->BatchEditClick();
    User.Form([](TCustomForm* form) {
        static_cast<TDLGeditCurList*>(form)->edtCurValue->SetText("7");
        return static_cast<int>(mrCancel);
    });
    Wizard->BatchEditClick();
    EXPECT_EQ(Column("F_LouCeng"), (std::vector<String>{"12", "2", "12", "4", "12"}));
    // A value the field cannot take: its message, the rows as they were.
    FocusColumn("F_buildArea");
    User.Form([](TCustomForm* form) {
        static_cast<TDLGeditCurList*>(form)->edtCurValue->SetText("大约80");
        return static_cast<int>(mrOk);
    });
    Wizard->BatchEditClick();
    EXPECT_EQ(MessageTexts().back(), "字段“建筑面积”出错，导入失败！");
    EXPECT_EQ(Column("F_buildArea"), (std::vector<String>{"1", "2", "3", "4", "5"}));
}

TEST_F(HouseImport, DeletingRowsAsksFirst) {
    OpenWizard(Book({House("901", seed::EstateA, "9号楼", 1, "1", "甲"), House("902", seed::EstateA, "9号楼", 2, "2", "乙"),
                     House("903", seed::EstateA, "9号楼", 3, "3", "丙"), House("904", seed::EstateA, "9号楼", 4, "4", "丁"),
                     House("905", seed::EstateA, "9号楼", 5, "5", "戊")}),
               3);
    ASSERT_EQ(Wizard->Step(), 3);
    TADOQuery* q = Wizard->QryTable3;
    q->First();
    q->MoveBy(1);
    Answer = 2; // no
    Wizard->DeleteRowsClick();
    EXPECT_EQ(Column("F_code").size(), 5u);
    Answer = 1;
    Wizard->DeleteRowsClick();
    EXPECT_EQ(Column("F_code"), (std::vector<String>{"901", "903", "904", "905"}));
    Mark({0, 1, 3});
    Answer = 2;
    Wizard->DeleteRowsClick();
    EXPECT_EQ(Column("F_code").size(), 4u);
    Answer = 1;
    Wizard->DeleteRowsClick();
    EXPECT_EQ(Column("F_code"), (std::vector<String>{"904"}));
    EXPECT_EQ(MessageTexts(), (std::vector<String>{"真的要删除当前行吗？", "真的要删除当前行吗？", "真的要删除当前选中的多行数据吗？",
                                                   "真的要删除当前选中的多行数据吗？"}));
}

TEST_F(HouseImport, TheImportWritesExactlyTheRowsInOneStep) {
    OpenWizard(Book({House("901", seed::EstateA, "9号楼", 85.5, "9", "王五"),
                     {},
                     House("902", seed::EstateB, "9号楼", 64.25, "9", "赵六"),
                     Cells({{"楼幢号", XlsText("  ")}})}),
               3);
    ASSERT_EQ(Wizard->Step(), 3);
    EXPECT_EQ(Column("F_code").size(), 4u); // blank rows are shown; the import skips them
    Wizard->NextClick();
    EXPECT_EQ(MessageTexts(), std::vector<String>{"导入非常成功，请检查资料表核对！"});
    EXPECT_EQ(Wizard->ModalResult(), mrOk);
    std::vector<String> expected = HousesBefore;
    expected.push_back("25|阳光小区|9号楼|901");
    expected.push_back("26|翠湖花园|9号楼|902");
    EXPECT_EQ(Houses(), expected);
    EXPECT_EQ(Rows("select F_buildArea, F_LouCeng, F_FZname, F_handphone, F_HTdate, F_DYcode, F_mem1, F_mem3, "
                   "F_ZHnum, F_HTprice, F_RZdate is null from T_FCinfo where F_ID >= 25 order by F_ID"),
              (std::vector<String>{"85.5|9|王五|13800138000|2021-05-01||||0|0|1",
                                   "64.25|9|赵六|13800138000|2021-05-01||||0|0|1"}));
    // Unmapped texts are empty text, as the house dialog writes them.
    EXPECT_EQ(Rows("select count(*) from T_FCinfo where F_ID >= 25 and F_DYcode = '' and F_mem2 = '' and "
                   "F_ZHname = ''"),
              std::vector<String>{"2"});
}

TEST_F(HouseImport, ARefusedRowStopsTheImportWithItsMessageAndBecomesCurrent) {
    const String taken = seed::RoomCode(0); // house 0: estate A, its building
    const String takenBuilding = seed::Building(0);
    const struct {
        const char* What;
        TXlsRow Row;
        String Message;
        int Kind;
        bool Restricted;
    } cases[] = {
        {"no estate", House("903", "", "9号楼", 1, "1", "x"), MsgHouseEstateEmpty, 0, false},
        {"unknown estate", House("903", "无名小区", "9号楼", 1, "1", "x"), MsgHouseEstateUnknown, 0, false},
        {"outside the scope", House("903", seed::EstateB, "9号楼", 1, "1", "x"), MsgHouseEstateUnknown, 0, true},
        {"no room code", House(" ", seed::EstateA, "9号楼", 1, "1", "x"), MsgHouseCodeEmpty, 0, false},
        {"taken in the table", House(taken, seed::EstateA, takenBuilding, 1, "1", "x"), MsgHouseCodeTaken, 3, false},
        {"twice in the import", House(" 901", seed::EstateA, "9号楼", 1, "1", "x"), MsgHouseCodeTaken, 3, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Messages.clear();
        ResetOperatorState();
        OperName = "admin";
        IsAdmin = true;
        if (c.Restricted) {
            OperName = "clerk";
            IsAdmin = false;
            XQScopeFlag = 1;
            OperXQList = "'" + seed::EstateA + "'";
            XQScopeSQL = BuildXQScopeSQL(OperXQList);
            XQNameScopeSQL = BuildXQNameScopeSQL(OperXQList);
        }
        OpenWizard(Book({House("901", seed::EstateA, "9号楼", 1, "1", "a"), House("902", seed::EstateA, "9号楼", 2, "2", "b"),
                         c.Row, House("904", seed::EstateA, "9号楼", 4, "4", "d")}),
                   3);
        ASSERT_EQ(Wizard->Step(), 3);
        Wizard->QryTable3->First();
        Wizard->NextClick();
        ASSERT_EQ(MessageTexts(), std::vector<String>{c.Message});
        EXPECT_EQ(Messages.back().second, c.Kind);
        EXPECT_EQ(Wizard->QryTable3->RecNo(), 3);
        EXPECT_EQ(Wizard->Step(), 3);
        EXPECT_EQ(Houses(), HousesBefore);
        EXPECT_EQ(Wizard->QryTable3->RecordCount(), 4);
        // "完成" tries again; "上一步" goes to the map.
        Wizard->NextClick();
        EXPECT_EQ(Messages.size(), 2u);
        EXPECT_EQ(Wizard->Step(), 3);
        Wizard->PriorClick();
        EXPECT_EQ(Wizard->Step(), 2);
        EXPECT_EQ(Houses(), HousesBefore);
    }
}

TEST_F(HouseImport, ARowAnotherStationAddsMeanwhileStopsTheImport) {
    OpenWizard(Book({House("901", seed::EstateA, "9号楼", 1, "1", "a"), House("902", seed::EstateA, "9号楼", 2, "2", "b")}), 3);
    ASSERT_EQ(Wizard->Step(), 3);
    TADOConnection other;
    other.SetConnectionString(Dm->ADOcnn()->ConnectionString());
    other.Open();
    other.Execute("insert into T_FCinfo (F_XQname, F_LDcode, F_code) values ('" + seed::EstateA + "', '9号楼', '902')");
    const std::vector<String> meanwhile = Houses();
    Wizard->NextClick();
    EXPECT_EQ(MessageTexts(), std::vector<String>{MsgHouseCodeTaken});
    EXPECT_EQ(Wizard->QryTable3->RecNo(), 2);
    EXPECT_EQ(Houses(), meanwhile);
    // Once the other row is gone, "完成" imports both.
    other.Execute("delete from T_FCinfo where F_code = '902' and F_LDcode = '9号楼'");
    Wizard->NextClick();
    EXPECT_EQ(MessageTexts().back(), MsgImportDone);
    EXPECT_EQ(Houses().size(), HousesBefore.size() + 2);
}

TEST_F(HouseImport, BadCellsAreKeptAsTypedOrRefusedByTheirField) {
    // A long memo (the reader takes texts of up to some 16,400 characters; a longer one makes the
    // workbook unreadable, below).
    const String longText(16000, 'x');
    TXlsRow quoted = House("O'Neil \"1\"", seed::EstateA, "9号楼", 1, "100%", "50% 'a'");
    quoted[static_cast<size_t>(TitleIndex("房屋备注"))] = XlsText(longText);
    TXlsRow nul = House("9\x01" "05", seed::EstateA, "9号楼", 2, "2", std::string("a\0b", 3));
    OpenWizard(Book({quoted, nul}), 3);
    ASSERT_EQ(Wizard->Step(), 3);
    Wizard->NextClick();
    ASSERT_EQ(MessageTexts(), std::vector<String>{MsgImportDone});
    EXPECT_EQ(Rows("select F_code, F_LouCeng, F_FZname, len(F_mem1) from T_FCinfo where F_LDcode = '9号楼' order by F_ID"),
              (std::vector<String>{"O'Neil \"1\"|100%|50% 'a'|16000", "9\x01" "05|2|a|0"}));
    // A 30,000-character cell: the workbook is refused on the first page.
    Messages.clear();
    TXlsRow tooLong = House("906", seed::EstateA, "9号楼", 1, "1", "x");
    tooLong[static_cast<size_t>(TitleIndex("房屋备注"))] = XlsText(String(30000, 'y'));
    OpenWizard(Book({tooLong}), 1);
    EXPECT_EQ(Wizard->Step(), 0);
    EXPECT_EQ(MessageTexts(), std::vector<String>{MsgImportNoWorkbook});
}

TEST_F(HouseImport, AnUnreadableWorkbookKeepsTheFirstPage) {
    const String good = Book({House("901", seed::EstateA, "9号楼", 1, "1", "a")});
    const std::string bytes = TempDir::ReadAll(good);
    std::string flipped = bytes;
    for (size_t i = 600; i < flipped.size(); i += 5)
        flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
    const String protectedBook = Dir.File("protected.xls");
    ASSERT_TRUE(WriteXls(protectedBook, {{"房屋", {Titles}}}, true));
    const String newer = Dir.File("newer.xls");
    TempDir::WriteAll(newer, std::string("PK\x03\x04", 4) + std::string(300, '\0'));
    const struct {
        const char* What;
        String File;
    } cases[] = {{"truncated", Dir.File("truncated.xls")}, {"bytes flipped", Dir.File("flipped.xls")},
                 {"password", protectedBook},              {"text named .xls", Dir.File("text.xls")},
                 {"newer workbook", newer},                {"empty name", "   "},
                 {"missing", Dir.File("none.xls")}};
    TempDir::WriteAll(Dir.File("truncated.xls"), bytes.substr(0, bytes.size() / 2));
    TempDir::WriteAll(Dir.File("flipped.xls"), flipped);
    TempDir::WriteAll(Dir.File("text.xls"), "房间编号,小区名称\n901,阳光小区\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Messages.clear();
        OpenWizard(c.File, 1, "");
        EXPECT_EQ(Wizard->Step(), 0);
        EXPECT_TRUE(Wizard->TabSheet1->Visible());
        EXPECT_EQ(MessageTexts(), std::vector<String>{"请选择要导入的excel源文件！"});
    }
}

TEST_F(HouseImport, TheSampleOpensThroughTheDesktop) {
    OpenWizard("", 0);
    Wizard->OpenSampleClick();
    EXPECT_EQ(MessageTexts(), std::vector<String>{"例子Excel文件不存在，请检查！"});
    Messages.clear();
    TempDir::WriteAll(Prog() + "sample.xls", TempDir::ReadAll(ORV_SOURCE_DIR "/app/sample.xls"));
    const TDesktopStandIns desktop(Prog() + "opens/", "");
    Wizard->OpenSampleClick();
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(TempDir::ReadAll(desktop.OpenedRecord()), Prog() + "sample.xls\n");
    // The file dialog of the second "打开".
    User.File(Dir.File("chosen.xls"));
    Wizard->OpenFileClick();
    EXPECT_EQ(Wizard->edtXlsFileName->Text(), Dir.File("chosen.xls"));
    EXPECT_EQ(User.Requests().back().Filter, "Excel文件(*.xls)|*.xls");
    EXPECT_EQ(User.Requests().back().Caption, "请选择excel源文件");
}

TEST_F(HouseImport, TheSampleWorkbookImportsItsTwoHouses) {
    OpenWizard(ORV_SOURCE_DIR "/app/sample.xls", 3, "");
    ASSERT_EQ(Wizard->Step(), 3);
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Column("F_code"), (std::vector<String>{"101", "102"}));
    EXPECT_EQ(Column("F_HTprice").front(), "360000");
    // The seed holds room 101 of building 1 in estate A already.
    Wizard->NextClick();
    EXPECT_EQ(MessageTexts(), std::vector<String>{MsgHouseCodeTaken});
}

} // namespace
