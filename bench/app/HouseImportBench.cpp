// The house import of a 5,000-row workbook: opened, previewed and imported through the wizard
// (steps 1 to 4), against FreeXL's own walk over every cell of the sheet plus a raw sqlite3 insert
// of the rows into the house table in one transaction, in the same run; FreeXL's walk alone is
// reported too. Goal: the wizard within 3x of the walk plus the insert.
#include "XlsFixture.h"
#include "app/RegisterSeed.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmExcelImport.h"

#include "db/ADODB.h"
#include "db/SqliteDatabase.h"
#include "office/WorkbookReader.h"
#include "gui/StdCtrls.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>
#include <freexl.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int ImportRows = 5000;

const std::vector<std::string> MapTitles = {
    "小区名称", "楼幢号",   "单元",     "房间编号",     "房型",         "楼层",         "房间朝向", "当前状态",
    "建筑面积", "实用面积", "产权状况", "房屋备注",     "合同编号",     "合同金额",     "合同日期", "合同类型",
    "业主姓名", "性别",     "联系电话", "联系手机",     "身份证号",     "业主单位",     "业主住址", "合同备注",
    "住户姓名", "入住日期", "住户联系电话", "住户联系手机", "住户身份证号", "从事行业", "住户备注", "实住人数"};

struct TImportSide {
    String Folder;
    String Book;
    String Database;

    TImportSide() {
        char pattern[] = "/tmp/orv_houseimport_XXXXXX";
        Folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(Folder + "data/");
        Database = Folder + "data/wuyegl.mdb";
        SetProgramFolder(Folder);
        dmData = new TdmData(nullptr);
        dmData->DataModuleCreate();
        seed::SeedRegisters(dmData->ADOcnn(), 24);
        OperName = "admin";
        IsAdmin = true;
        SetShowMessHandler([](const String&, int) { return 1; });
        // Every title of the map; eight cells filled per row, the way an office fills them.
        TXlsSheet sheet{"房屋", {}};
        TXlsRow titles;
        for (const std::string& title : MapTitles)
            titles.push_back(XlsText(title));
        sheet.Rows.push_back(titles);
        for (int i = 0; i < ImportRows; ++i) {
            TXlsRow row(MapTitles.size(), XlsEmpty());
            row[0] = XlsText(seed::EstateA);
            row[1] = XlsText("导入" + std::to_string(i / 500 + 1) + "号楼");
            row[2] = XlsText("1单元");
            row[3] = XlsText(std::to_string(1000 + i));
            row[5] = XlsNumber(i % 30 + 1);
            row[8] = XlsNumber(60 + (i % 50) * 0.5);
            row[16] = XlsText("业主" + std::to_string(i));
            row[19] = XlsNumber(13800000000.0 + i);
            sheet.Rows.push_back(row);
        }
        Book = Folder + "houses.xls";
        if (!WriteXls(Book, {sheet})) std::abort();
    }
    void RemoveImported() { dmData->ADOcnn()->Execute("delete from T_FCinfo where F_LDcode like '导入%'"); }
};

TImportSide& Side() {
    static TImportSide* side = [] {
        auto* s = new TImportSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

void BM_ImportWorkbook(benchmark::State& state) {
    TImportSide& side = Side();
    for (auto _ : state) {
        state.PauseTiming();
        side.RemoveImported();
        state.ResumeTiming();
        TfrmExcelImport wizard(nullptr);
        wizard.SetTarget("T_FCinfo");
        wizard.edtXlsFileName->SetText(side.Book);
        for (int step = 1; step <= 3; ++step)
            wizard.NextClick();
        if (wizard.Step() != 3) state.SkipWithError("the wizard stopped before the preview");
        wizard.NextClick(); // 完成
        if (dmData->GetInteger("select count(*) from T_FCinfo where F_LDcode like '导入%'") != ImportRows)
            state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * ImportRows);
}
BENCHMARK(BM_ImportWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

// FreeXL's own walk: every cell of the sheet read.
int WalkWorkbook(const String& book, std::vector<std::vector<std::string>>* rows) {
    const void* handle = nullptr;
    if (freexl_open(book.c_str(), &handle) != FREEXL_OK) return -1;
    unsigned int rowCount = 0;
    unsigned short colCount = 0;
    freexl_select_active_worksheet(handle, 0);
    freexl_worksheet_dimensions(handle, &rowCount, &colCount);
    int cells = 0;
    char number[32];
    for (unsigned int r = 1; r < rowCount; ++r) {
        if (rows) rows->emplace_back(colCount);
        for (unsigned short c = 0; c < colCount; ++c) {
            FreeXL_CellValue value;
            freexl_get_cell_value(handle, r, c, &value);
            ++cells;
            if (!rows) continue;
            std::string& text = rows->back()[c];
            if (value.type == FREEXL_CELL_TEXT || value.type == FREEXL_CELL_SST_TEXT)
                text = value.value.text_value;
            else if (value.type == FREEXL_CELL_INT)
                text = std::to_string(value.value.int_value);
            else if (value.type == FREEXL_CELL_DOUBLE) {
                std::snprintf(number, sizeof number, "%.15g", value.value.double_value);
                text = number;
            }
        }
    }
    freexl_close(handle);
    return cells;
}

void BM_FreeXLWalk(benchmark::State& state) {
    TImportSide& side = Side();
    for (auto _ : state)
        if (WalkWorkbook(side.Book, nullptr) != ImportRows * static_cast<int>(MapTitles.size()))
            state.SkipWithError("wrong cell count");
    state.SetItemsProcessed(state.iterations() * ImportRows);
}
BENCHMARK(BM_FreeXLWalk)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FreeXLWalkAndSqliteInsert(benchmark::State& state) {
    TImportSide& side = Side();
    for (auto _ : state) {
        state.PauseTiming();
        side.RemoveImported();
        dmData->ADOcnn()->Close();
        state.ResumeTiming();
        std::vector<std::vector<std::string>> rows;
        WalkWorkbook(side.Book, &rows);
        sqlite3* db = nullptr;
        sqlite3_open_v2(side.Database.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        // The house table's column rules call the program's functions.
        RegisterJetFunctions(db);
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO T_FCinfo (F_XQname, F_LDcode, F_DYcode, F_code, F_LouCeng, F_buildArea, "
                           "F_FZname, F_handphone) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                           -1, &insert, nullptr);
        const int columns[8] = {0, 1, 2, 3, 5, 8, 16, 19};
        for (const auto& row : rows) {
            for (int i = 0; i < 8; ++i)
                sqlite3_bind_text(insert, i + 1, row[columns[i]].c_str(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(insert) != SQLITE_DONE) {
                state.SkipWithError(sqlite3_errmsg(db));
                break;
            }
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        if (state.error_occurred()) break;
        state.PauseTiming();
        if (dmData->GetInteger("select count(*) from T_FCinfo where F_LDcode like '导入%'") != ImportRows)
            state.SkipWithError("wrong row count");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * ImportRows);
}
BENCHMARK(BM_FreeXLWalkAndSqliteInsert)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

namespace {
// The workbook reader alone (read whole in a child process, which contains FreeXL's crashes on
// damaged files): the part of the wizard's time that the isolation costs.
void BM_WorkbookReaderOnly(benchmark::State& state) {
    TImportSide& side = Side();
    for (auto _ : state) {
        TWorkbookReader book(side.Book);
        book.SelectSheet(0);
        if (book.RowCount() != ImportRows + 1) state.SkipWithError("wrong row count");
    }
}
BENCHMARK(BM_WorkbookReaderOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace
