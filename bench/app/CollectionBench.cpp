// A collection of twelve fee rows against a numbered receipt (CollectFees: the balance read, the
// number taken by its insert, the rows through the optimistic batch, the settled rows counted, the
// withdrawal) and its void, on a ledger of 1,000 houses with twelve unpaid rows each; against the
// same writes stepped bare in one transaction on the program's SQLite handle. Goal: within 3x.
#include "app/RegisterSeed.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"
#include "app/fees/FeeCollection.h"

#include "db/ADODB.h"
#include "db/SqliteDatabase.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

constexpr int Houses = 1000;
constexpr int RowsPerHouse = 12;

struct TCollectionSide {
    String Folder;

    TCollectionSide() {
        char pattern[] = "/tmp/orv_collection_XXXXXX";
        Folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(Folder + "data/");
        SetProgramFolder(Folder);
        dmData = new TdmData(nullptr);
        dmData->DataModuleCreate();
        seed::SeedRegisters(dmData->ADOcnn(), Houses);
        dmData->ADOcnn()->BeginTrans();
        for (int i = 0; i < RowsPerHouse; ++i)
            dmData->RunSQL("insert into T_wyFYrec (F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname, F_SFdate, "
                           "F_SFtype, F_SFname, F_amount, F_price, F_totalPrice) select F_ID, F_XQname, F_LDcode, "
                           "F_code, F_FZname, '2026-0" + IntToStr(1 + i % 9) + "-28', '按自定义', '物业管理费', 1, " +
                           IntToStr(10 + i) + ".25, " + IntToStr(10 + i) + ".25 from t_FCinfo");
        dmData->RunSQL("insert into T_YSKrec (F_mainID, F_SFdate, F_price, F_memo1, F_OperFlag) select F_ID, "
                       "'2026-03-01', 100000, '存入', 1 from t_FCinfo");
        dmData->ADOcnn()->CommitTrans();
        dmData->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        OperName = "admin";
        IsAdmin = true;
        SetShowMessHandler([](const String&, int) { return 1; });
    }
};

TCollectionSide& CollectionSide() {
    static TCollectionSide* side = [] {
        auto* s = new TCollectionSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

// A house's unpaid rows in a client batch, all ticked, with the receipt that settles them.
struct TTicked {
    std::unique_ptr<TADOQuery> Rows = std::make_unique<TADOQuery>(nullptr);
    TFeeReceipt Receipt;
};

TTicked TickAll(int house, bool prepaid) {
    TTicked t;
    t.Rows->SetConnection(dmData->ADOcnn());
    t.Rows->SetLockType(ltBatchOptimistic);
    t.Rows->SQL()->SetText("select * from T_wyFYrec where (F_JFflag = false) and F_mainID = " + IntToStr(house) +
                           " order by F_SFdate ");
    t.Rows->Open();
    t.Receipt.HouseId = house;
    for (t.Rows->First(); !t.Rows->Eof(); t.Rows->Next()) {
        t.Rows->Edit();
        t.Rows->FieldByName("F_JFflag")->SetAsBoolean(true);
        t.Rows->Post();
        ++t.Receipt.XDnum;
        t.Receipt.FKprice += t.Rows->FieldByName("F_totalPrice")->AsCurrency();
    }
    t.Receipt.QFnum = t.Receipt.XDnum;
    t.Receipt.QFprice = t.Receipt.FKprice;
    t.Receipt.SKtype = prepaid ? PrepaymentPayType : String("现  金");
    t.Receipt.SKprice = t.Receipt.YSprice();
    return t;
}

void BM_CollectTwelveRows(benchmark::State& state) {
    CollectionSide();
    const bool prepaid = state.range(0) == 1;
    int house = 0;
    for (auto _ : state) {
        state.PauseTiming();
        house = house % Houses + 1;
        TTicked t = TickAll(house, prepaid);
        state.ResumeTiming();
        String code;
        if (!CollectFees(t.Rows.get(), t.Receipt, code)) state.SkipWithError("not collected");
        state.PauseTiming();
        VoidReceipt(code);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * RowsPerHouse);
}
BENCHMARK(BM_CollectTwelveRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_VoidTwelveRows(benchmark::State& state) {
    CollectionSide();
    int house = 0;
    for (auto _ : state) {
        state.PauseTiming();
        house = house % Houses + 1;
        TTicked t = TickAll(house, true);
        String code;
        if (!CollectFees(t.Rows.get(), t.Receipt, code)) state.SkipWithError("not collected");
        state.ResumeTiming();
        if (!VoidReceipt(code)) state.SkipWithError("not voided");
    }
    state.SetItemsProcessed(state.iterations() * RowsPerHouse);
}
BENCHMARK(BM_VoidTwelveRows)->Unit(benchmark::kMillisecond)->Iterations(200);

// The collection's writes stepped bare: receipt, each row, settled count, withdrawal, in one transaction.
void BM_CollectTwelveRowsBare(benchmark::State& state) {
    CollectionSide();
    TSqliteDatabase& db = dmData->ADOcnn()->Database();
    int house = 0, number = 0;
    for (auto _ : state) {
        house = house % Houses + 1;
        const String code = "B" + IntToStr(++number);
        db.BeginTransaction();
        auto balance = db.Prepare("SELECT sum(F_price * F_OperFlag) FROM T_YSKrec WHERE F_mainID = ?");
        balance->Bind(1, Variant(house));
        balance->Step();
        auto receipt = db.Prepare("INSERT INTO T_wyFKrec (F_mainID, F_code, F_XDnum, F_FKprice, F_SKtype, F_SKprice, "
                                  "F_JFdate, F_OperName) VALUES (?, ?, 12, 1386, '预收款', 1386, '2026-03-15', 'admin')");
        receipt->Bind(1, Variant(house));
        receipt->Bind(2, Variant(code));
        receipt->Step();
        // Each row on its own, as it was read (the batch writes them so).
        auto ids = db.Prepare("SELECT rowid FROM T_wyFYrec WHERE F_mainID = ? AND F_JFflag = 0");
        ids->Bind(1, Variant(house));
        std::vector<Int64> rowIds;
        while (ids->Step())
            rowIds.push_back(ids->ColumnInt64(0));
        for (Int64 rowId : rowIds) {
            auto row = db.Prepare("UPDATE T_wyFYrec SET F_JFflag = -1, F_JFcode = ? WHERE rowid = ? AND F_JFflag = 0");
            row->Bind(1, Variant(code));
            row->Bind(2, Variant(rowId));
            row->Step();
        }
        auto settled = db.Prepare("SELECT count(*), sum(F_totalPrice) FROM T_wyFYrec WHERE F_JFcode = ?");
        settled->Bind(1, Variant(code));
        settled->Step();
        auto withdrawal = db.Prepare("INSERT INTO T_YSKrec (F_mainID, F_SFdate, F_price, F_memo1, F_OperFlag) "
                                     "VALUES (?, '2026-03-15', 1386, '支出物业费', -1)");
        withdrawal->Bind(1, Variant(house));
        withdrawal->Step();
        db.CommitTransaction();
        state.PauseTiming();
        db.ExecuteSql("UPDATE T_wyFYrec SET F_JFflag = 0, F_JFcode = '' WHERE F_JFcode = '" + code +
                      "'; DELETE FROM T_wyFKrec WHERE F_code = '" + code + "'; DELETE FROM T_YSKrec WHERE F_OperFlag = -1");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * RowsPerHouse);
}
BENCHMARK(BM_CollectTwelveRowsBare)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace
