// The stock list of 10,000 parts: one keystroke in its search box (code, name and place of origin at
// once) against sqlite3 stepping the same statement over every column, goal within 3x; and a
// fee-item rename carried over 200,000 ledger rows, saved through the item's dialog, against the
// two UPDATE statements run by sqlite3 in one transaction, goal within 1.5x. Both in the same run.
#include "BareSqliteStep.h"
#include "app/RegisterSeed.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/registers/uFrmFYinfoEdit.h"
#include "app/registers/uFrmFYinfoGL.h"
#include "app/registers/uFrmPJdepotGL.h"

#include "db/ADODB.h"
#include "db/JetSql.h"
#include "db/SqliteDatabase.h"
#include "grid/DBGridGx.h"
#include "gui/StdCtrls.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int StockParts = 10000;
constexpr int LedgerRows = 200000;

// A program folder with the default database, the seed, 10,000 parts of the first estate and
// 200,000 ledger rows of the fee item 物业费; the stock list and the fee-item list open.
struct TPartsAndItemsSide {
    String Folder;
    std::unique_ptr<TfrmPJdepotGL> Parts;
    std::unique_ptr<TfrmFYinfoGL> Items;

    TPartsAndItemsSide() {
        char pattern[] = "/tmp/orv_parts_XXXXXX";
        Folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(Folder + "data/");
        SetProgramFolder(Folder);
        dmData = new TdmData(nullptr);
        dmData->DataModuleCreate();
        seed::SeedRegisters(dmData->ADOcnn(), 120);
        TADOConnection* connection = dmData->ADOcnn();
        connection->BeginTrans();
        TADOQuery insert;
        insert.SetConnection(connection);
        insert.SQL()->SetText("insert into T_PJinfo (F_code, F_name, F_type, F_address, F_price1, F_price2, "
                              "F_amount, F_XQname) values (:code, :name, '五金', :address, 12.5, 8, 10, :XQ)");
        for (int i = 0; i < StockParts; ++i) {
            insert.Parameters()->ParamByName("code")->SetValue("J" + Format("%.5d", {i}));
            insert.Parameters()->ParamByName("name")->SetValue("配件" + IntToStr(i));
            insert.Parameters()->ParamByName("address")->SetValue(i % 2 ? String("宁波") : String("杭州"));
            insert.Parameters()->ParamByName("XQ")->SetValue(seed::EstateA);
            insert.ExecSQL();
        }
        insert.SQL()->SetText("insert into T_wyFYrec (F_mainID, F_XQname, F_SFtype, F_SFname, F_price, F_JFflag) "
                              "values (:house, :XQ, '按面积', '物业费', 1.5, :paid)");
        for (int i = 0; i < LedgerRows; ++i) {
            insert.Parameters()->ParamByName("house")->SetValue(i % 120 + 1);
            insert.Parameters()->ParamByName("XQ")->SetValue(i % 2 ? seed::EstateB : seed::EstateA);
            insert.Parameters()->ParamByName("paid")->SetValue(i % 3 == 0);
            insert.ExecSQL();
        }
        connection->CommitTrans();
        dmData->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        Parts = std::make_unique<TfrmPJdepotGL>(nullptr);
        Parts->SetBounds(0, 0, 1200, 700);
        Parts->Show();
        Items = std::make_unique<TfrmFYinfoGL>(nullptr);
        Items->Show();
    }
};

TPartsAndItemsSide& PartsSide() {
    static TPartsAndItemsSide* side = [] {
        auto* s = new TPartsAndItemsSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

// One keystroke in the stock list's search box: the list runs again with the text (all parts of
// the estate match "配件"; a tenth of them "配件1").
void BM_StockSearchKeystroke(benchmark::State& state) {
    TPartsAndItemsSide& side = PartsSide();
    bool odd = false;
    for (auto _ : state) {
        side.Parts->edtQryCode->SetText(odd ? "配件1" : "配件");
        side.Parts->DBGridGx1->Repaint();
        odd = !odd;
    }
    state.SetItemsProcessed(state.iterations() * StockParts);
}
BENCHMARK(BM_StockSearchKeystroke)->Unit(benchmark::kMillisecond)->Iterations(6);

// sqlite3 stepping the stock list's statement (as the connection translates it, with its
// parameters; the text "配件") over every column of every row.
void BM_StockBareSqliteStep(benchmark::State& state) {
    TPartsAndItemsSide& side = PartsSide();
    side.Parts->edtQryCode->SetText("配件");
    RunBareSqliteStep(state, side.Parts->QryTable, StockParts, [](String sql) {
        // The bare connection has none of the program's functions: its InStr is sqlite's own.
        for (size_t at = sql.find("orv_instr"); at != String::npos; at = sql.find("orv_instr", at))
            sql.replace(at, 9, "instr");
        return sql;
    });
}
BENCHMARK(BM_StockBareSqliteStep)->Unit(benchmark::kMillisecond)->Iterations(6);

// The fee item 物业费 renamed through its dialog (and back, in turn): the item, its 200,000
// ledger rows and its shared-fee records in one save.
void BM_FeeItemRename(benchmark::State& state) {
    TPartsAndItemsSide& side = PartsSide();
    bool back = false;
    for (auto _ : state) {
        side.Items->QryTable->Locate("F_code", String("001"));
        TfrmFYinfoEdit dialog(side.Items.get());
        dialog.SetEditorMode(true);
        dialog.LoadEditorFields(true);
        dialog.edtName->SetText(back ? "物业费" : "管理费");
        if (!dialog.SaveClick()) state.SkipWithError("not saved");
        back = !back;
    }
    state.SetItemsProcessed(state.iterations() * LedgerRows);
}
BENCHMARK(BM_FeeItemRename)->Unit(benchmark::kMillisecond)->Iterations(4);

// The same rename as the two UPDATE statements run by sqlite3 in one transaction, on the program's
// database handle (whose column rules need the program's SQL functions), without the dialog.
void BM_FeeRenameBareSqlite(benchmark::State& state) {
    PartsSide();
    TSqliteDatabase& db = dmData->ADOcnn()->Database();
    bool back = false;
    for (auto _ : state) {
        const String from = back ? "管理费" : "物业费", to = back ? "物业费" : "管理费";
        db.ExecuteSql("BEGIN IMMEDIATE");
        for (const char* table : {"T_wyFYrec", "t_wyGTrec"})
            db.ExecuteSql(String("update ") + table + " set F_SFname = '" + to + "' where F_SFname = '" + from +
                          "'");
        db.ExecuteSql("COMMIT");
        back = !back;
    }
    state.SetItemsProcessed(state.iterations() * LedgerRows);
}
BENCHMARK(BM_FeeRenameBareSqlite)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace
