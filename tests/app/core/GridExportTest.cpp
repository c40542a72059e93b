// The Excel export of a grid, read back with openpyxl, and how it reaches the desktop's
// spreadsheet program (stand-ins for xdg-mime and xdg-open on the PATH).
#include "DesktopStandIns.h"
#include "GridServicesFixture.h"
#include "WorkbookReader.h"

#include "gui/Interaction.h"
#include "office/WorkbookWriter.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"

#include <chrono>
#include <thread>

namespace {

class GridExport : public GridServices {
protected:
    void SetUp() override {
        GridServices::SetUp();
        // Exports go to the test's own temporary folder.
        const char* tmp = std::getenv("TMPDIR");
        FPreviousTmp = tmp ? tmp : "";
        ForceDirectories(Prog() + "tmp");
        setenv("TMPDIR", (Prog() + "tmp").c_str(), 1);
        Dm->ADOcnn()->Execute(
            "create table T_exp (F_ID counter, F_code text(10), F_name text(50), "
            "F_hidden text(20), F_date datetime, F_price currency, F_amount double, F_mem memo)");
        AddColumn(Grid, "F_code", "编号");
        AddColumn(Grid, "F_name", "名称");
        AddColumn(Grid, "F_hidden", "隐藏")->SetVisible(false);
        AddColumn(Grid, "F_date", "日期");
        AddColumn(Grid, "F_price", "金额", 120)->SetDisplayFormat("￥,0.00");
        AddColumn(Grid, "F_amount", "数量");
        AddColumn(Grid, "F_mem", "备注");
    }
    void TearDown() override {
        if (FPreviousTmp.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", FPreviousTmp.c_str(), 1);
        GridServices::TearDown();
    }
    void Insert(const String& code, const String& date, const Variant& price, const String& memo) {
        TADOQuery* q = Dm->QryPub();
        q->Close();
        q->SQL()->SetText("insert into T_exp (F_code, F_name, F_hidden, F_date, F_price, F_amount, F_mem) "
                          "values (:code, :name, :hidden, :date, :price, :amount, :mem)");
        q->Parameters()->ParamByName("code")->SetValue(code);
        q->Parameters()->ParamByName("name")->SetValue("名称" + code);
        q->Parameters()->ParamByName("hidden")->SetValue("隐" + code);
        q->Parameters()->ParamByName("date")->SetValue(date);
        q->Parameters()->ParamByName("price")->SetValue(price);
        q->Parameters()->ParamByName("amount")->SetValue(2.5);
        q->Parameters()->ParamByName("mem")->SetValue(memo);
        q->ExecSQL();
    }
    void ShowRows() { Show("select * from T_exp order by F_ID"); }

private:
    String FPreviousTmp;
};

TEST_F(GridExport, WhatTheGridShowsReadsBack) {
    Insert("007", "1900-08-14", 1234.5, String("a\0b", 3));
    Insert("008", "2024-03-05", Null(), String(10 * 1024 * 1024, 'x'));
    ShowRows();
    Query->Last();
    const TClockOverride clock(EncodeDateTime(2024, 3, 5, 10, 11, 12, 0));
    const String file = Dm->ExportGridToExcel(Grid, "房屋资料统计列表", false);
    EXPECT_EQ(file, Prog() + "tmp/房屋资料统计列表-20240305-101112.xlsx");
    EXPECT_TRUE(Query->Bof()); // left on the first record
    EXPECT_TRUE(Messages.empty());

    const TReadWorkbook book = ReadWorkbook(file);
    ASSERT_TRUE(book.Ok) << book.Output;
    EXPECT_EQ(book.Sheets, std::vector<std::string>{"房屋资料统计列表"});
    EXPECT_EQ(book.MaxRow, 3);
    const char* titles[] = {"编号", "名称", "隐藏", "日期", "金额", "数量", "备注"};
    for (int j = 0; j < 7; ++j)
        EXPECT_EQ(book.TextAt(0, j), titles[j]);
    EXPECT_EQ(book.At(1, 0)->Kind, "s");
    EXPECT_EQ(book.TextAt(1, 0), "007");   // a code without a format stays text, zeros and all
    EXPECT_EQ(book.TextAt(1, 2), "隐007"); // the hidden column too
    EXPECT_EQ(book.At(1, 3), nullptr);     // the date that is not set
    ASSERT_NE(book.At(1, 4), nullptr);
    EXPECT_EQ(book.At(1, 4)->Kind, "n");
    EXPECT_EQ(book.At(1, 4)->Number, 1234.5);
    EXPECT_EQ(book.At(1, 4)->Format, "￥#,##0.00");
    EXPECT_EQ(book.TextAt(1, 5), "2.5"); // a number without a format: text
    EXPECT_EQ(book.TextAt(1, 6), "ab");  // the NUL dropped
    EXPECT_EQ(book.TextAt(2, 3), "2024-03-05");
    EXPECT_EQ(book.At(2, 4), nullptr); // no amount
    EXPECT_EQ(book.TextAt(2, 6), std::string(WorkbookMaxCellChars, 'x'));
    EXPECT_GT(book.Widths.at(4), book.Widths.at(0)); // the grid's widths
}

TEST_F(GridExport, TwoExportsInOneSecondKeepAFileEach) {
    Insert("007", "1900-08-14", 1234.5, "a");
    ShowRows();
    const TClockOverride clock(EncodeDateTime(2024, 3, 5, 10, 11, 12, 0));
    const String first = Dm->ExportGridToExcel(Grid, "列表", false);
    const String second = Dm->ExportGridToExcel(Grid, "列表", false);
    EXPECT_EQ(first, Prog() + "tmp/列表-20240305-101112.xlsx");
    EXPECT_EQ(second, Prog() + "tmp/列表-20240305-101112-2.xlsx");
    EXPECT_TRUE(ReadWorkbook(first).Ok);
    EXPECT_TRUE(ReadWorkbook(second).Ok);
}

TEST_F(GridExport, AnEmptyListGivesTheTitleRowOnly) {
    ShowRows();
    const TReadWorkbook book = ReadWorkbook(Dm->ExportGridToExcel(Grid, "空列表", false));
    ASSERT_TRUE(book.Ok) << book.Output;
    EXPECT_EQ(book.MaxRow, 1);
    EXPECT_EQ(book.Cells.size(), 7u);
    EXPECT_EQ(book.TextAt(0, 6), "备注");
}

TEST_F(GridExport, TheDesktopsSpreadsheetProgramOpensTheWorkbook) {
    const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
    const String& record = desktop.OpenedRecord();
    Insert("001", "2024-01-02", 1, "");
    ShowRows();
    const String file = Dm->ExportGridToExcel(Grid, "a/b 列表");
    EXPECT_EQ(ExtractFileName(file).substr(0, 11), "a_b 列表-"); // no folder from the title
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!FileExists(record) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(TempDir::ReadAll(record), file + "\n");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(GridExport, WithoutASpreadsheetProgramTheUserIsToldAndNothingIsWritten) {
    const TDesktopStandIns desktop(Prog(), "");
    const String& record = desktop.OpenedRecord();
    Insert("001", "2024-01-02", 1, "");
    ShowRows();
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(IDOK);
    EXPECT_EQ(Dm->ExportGridToExcel(Grid, "列表"), "");
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::MessageBox);
    EXPECT_EQ(user.Requests()[0].Text, MsgExcelMissing);
    EXPECT_EQ(user.Requests()[0].Caption, "错误");
    EXPECT_EQ(user.Requests()[0].Flags & MB_ICONMASK, static_cast<Cardinal>(MB_ICONERROR));
    EXPECT_TRUE(FindFiles(Prog() + "tmp", "*.xlsx").empty());
    EXPECT_FALSE(FileExists(record));
}

} // namespace
