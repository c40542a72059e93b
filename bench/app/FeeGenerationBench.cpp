// Batch generation of one fee item for an estate of 10,000 houses, generated into the ledger's
// client batch and saved (the period check and one transaction), "按面积" and "按用量" over the
// houses' earlier readings, against sqlite3 running one INSERT ... SELECT of the same rows (a
// correlated max for the readings) on the same data, in the same run. Goal: within 3x.
#include "app/RegisterSeed.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/fees/uDLGwyfySCedit.h"
#include "app/fees/uFrmWYFYscgl.h"

#include "db/ADODB.h"
#include "db/SqliteDatabase.h"
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int EstateHouses = 10000;
const String BenchEstate = "万家花园";

// A program folder with the default database, the seed, an estate of 10,000 houses with two
// earlier water readings each, the data module and the ledger.
struct TGenerationSide {
    String Folder;
    std::unique_ptr<TClockOverride> Clock;
    std::unique_ptr<TfrmWYFYscgl> Ledger;

    TGenerationSide() {
        char pattern[] = "/tmp/orv_feegen_XXXXXX";
        Folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(Folder + "data/");
        SetProgramFolder(Folder);
        Clock = std::make_unique<TClockOverride>(EncodeDate(2027, 5, 31));
        dmData = new TdmData(nullptr);
        dmData->DataModuleCreate();
        seed::SeedRegisters(dmData->ADOcnn(), 20);
        TSqliteDatabase& db = dmData->ADOcnn()->Database();
        db.ExecuteSql("insert into T_XQinfo (F_code, F_name) values ('099', '" + BenchEstate + "')");
        db.ExecuteSql("with recursive n(i) as (select 0 union all select i + 1 from n where i < " +
                      std::to_string(EstateHouses - 1) +
                      ") insert into T_FCinfo (F_XQname, F_LDcode, F_code, F_FZname, F_buildArea, F_ZHnum, "
                      "F_curStatus) select '" + BenchEstate + "', (i / 200 + 1) || '号楼', 'W' || i, '业主' || i, "
                      "60 + (i % 500) * 0.05, i % 5 + 1, '已销售' from n");
        for (const char* end : {"2027-01-31", "2027-02-28"})
            db.ExecuteSql(String("insert into T_wyFYrec (F_mainID, F_XQname, F_FZcode, F_toDate, F_editDate, "
                                 "F_Eamount, F_SFtype, F_SFname) select F_ID, F_XQname, F_code, '") +
                          end + "', '" + end + "', 1000 + (F_ID % 97) * 1.25, '按用量', '水费' from T_FCinfo "
                          "where F_XQname = '" + BenchEstate + "'");
        dmData->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        OperName = "admin";
        Ledger = std::make_unique<TfrmWYFYscgl>(nullptr);
        frmWYFYscgl = Ledger.get();
        Ledger->SetBounds(0, 0, 1200, 700);
        Ledger->Show();
    }
    // The ledger on the method's first item (水费 or 物业费 of the seed).
    void Choose(int method) {
        Ledger->cbbListType->SetItemIndex(method);
        Ledger->SelectFeeType();
    }
    // The generated period removed again.
    static void DropPeriod() {
        dmData->ADOcnn()->Database().ExecuteSql("delete from T_wyFYrec where F_toDate = '2027-03-31'");
    }
};

TGenerationSide& GenerationSide() {
    static TGenerationSide* side = [] {
        auto* s = new TGenerationSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

// 批量增加记录 for the estate and 保存当前编辑.
void GenerateAndSave(benchmark::State& state, int method) {
    TGenerationSide& side = GenerationSide();
    side.Choose(method);
    TScriptedResponder user;
    TInteractionScope scope(user);
    const auto generate = [&] {
        user.Form([](TCustomForm* form) {
            auto* dialog = static_cast<TDLGwyfySCedit*>(form);
            dialog->cbbXQname->SetText(BenchEstate);
            dialog->dtpToDate->SetDate(EncodeDate(2027, 3, 31));
            dialog->btnOk->Click();
            return static_cast<int>(mrNone);
        });
        side.Ledger->Action1->Execute();
    };
    // One round untimed, cancelled: the statements prepared, the caches warm.
    generate();
    side.Ledger->CancelEditClick();
    for (auto _ : state) {
        generate();
        if (side.Ledger->QryTable->RecordCount() != EstateHouses) state.SkipWithError("wrong row count");
        if (!side.Ledger->SaveEditClick()) state.SkipWithError("save failed");
        state.PauseTiming();
        TGenerationSide::DropPeriod();
        side.Ledger->QueryFeeLedger();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * EstateHouses);
}

void BM_GenerateAreaItem(benchmark::State& state) {
    GenerateAndSave(state, 1);
}
BENCHMARK(BM_GenerateAreaItem)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_GenerateMeteredItem(benchmark::State& state) {
    GenerateAndSave(state, 0);
}
BENCHMARK(BM_GenerateMeteredItem)->Unit(benchmark::kMillisecond)->Iterations(5);

// sqlite3: the same rows in one statement, on the program's connection (its date triggers).
void BareInsertSelect(benchmark::State& state, const std::string& sql) {
    GenerationSide();
    TSqliteDatabase& db = dmData->ADOcnn()->Database();
    db.ExecuteSql(sql); // one round untimed, as on the program's side
    TGenerationSide::DropPeriod();
    for (auto _ : state) {
        if (db.ExecuteSql(sql) != EstateHouses) state.SkipWithError("wrong row count");
        state.PauseTiming();
        TGenerationSide::DropPeriod();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * EstateHouses);
}

const std::string BareColumns =
    "insert into T_wyFYrec (F_mainID, F_FZcode, F_XQname, F_LDcode, F_FZname, F_fromDate, F_toDate, F_SFdate, "
    "F_price, F_Bamount, F_Eamount, F_amount, F_totalPrice, F_memo1, F_SFtype, F_SFname, F_editDate) ";

void BM_AreaItemBareInsertSelect(benchmark::State& state) {
    BareInsertSelect(state, BareColumns +
                                "select F_ID, F_code, F_XQname, F_LDcode, F_FZname, '2027-02-28', '2027-03-31', "
                                "'2027-04-30', 1.5, 0, F_buildArea, F_buildArea, F_buildArea * 1.5, '', '按面积', "
                                "'物业费', '2027-05-31' from T_FCinfo where F_XQname = '" +
                                BenchEstate + "'");
}
BENCHMARK(BM_AreaItemBareInsertSelect)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MeteredItemBareInsertSelect(benchmark::State& state) {
    BareInsertSelect(state, BareColumns +
                                "select h.F_ID, h.F_code, h.F_XQname, h.F_LDcode, h.F_FZname, '2027-02-28', "
                                "'2027-03-31', '2027-04-30', 3.2, p.r, p.r, 0, 0, '', '按用量', '水费', "
                                "'2027-05-31' from T_FCinfo h, (select h2.F_ID as id, coalesce((select "
                                "max(F_Eamount) from T_wyFYrec r where r.F_mainID = h2.F_ID and r.F_SFtype = "
                                "'按用量' and r.F_SFname = '水费'), 0) as r from T_FCinfo h2) p where p.id = "
                                "h.F_ID and h.F_XQname = '" +
                                BenchEstate + "'");
}
BENCHMARK(BM_MeteredItemBareInsertSelect)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
