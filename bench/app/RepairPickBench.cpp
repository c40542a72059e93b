// A repair of 50 parts picked one by one in the part picker from 20,000 parts (the list runs
// again after every pick) and saved with its stock moves, against the same statements stepped
// through the program's SQLite handle without the windows and data sets. Goal: within 1.5x. Both
// in the same run.
#include "app/RegisterSeed.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/fees/uDLGpjInfoXZ.h"
#include "app/fees/uFrmCltBXGL.h"
#include "app/fees/uFrmCltBXedit.h"

#include "db/ADODB.h"
#include "db/SqliteDatabase.h"
#include "gui/StdCtrls.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int PickerParts = 20000;
constexpr int PickedParts = 50;

// A program folder with the default database, the seed and 20,000 parts; the repair register open.
struct TRepairSide {
    String Folder;
    std::unique_ptr<TfrmCltBXGL> Register;

    TRepairSide() {
        char pattern[] = "/tmp/orv_repairs_XXXXXX";
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
                              "F_amount, F_XQname) values (:code, :name, '五金', '宁波', 12.5, 8, 100000, :XQ)");
        for (int i = 0; i < PickerParts; ++i) {
            insert.Parameters()->ParamByName("code")->SetValue("J" + Format("%.5d", {i}));
            insert.Parameters()->ParamByName("name")->SetValue("配件" + IntToStr(i));
            insert.Parameters()->ParamByName("XQ")->SetValue(i % 2 ? seed::EstateB : seed::EstateA);
            insert.ExecSQL();
        }
        connection->CommitTrans();
        dmData->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        OperName = "admin";
        IsAdmin = true;
        Register = std::make_unique<TfrmCltBXGL>(nullptr);
        Register->Show();
    }
};

TRepairSide& RepairSide() {
    static TRepairSide* side = [] {
        auto* s = new TRepairSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

// The dialog of 新增 and its picker, played without their modal loops: 50 picks of the first part
// listed, each re-running the list, then 确定.
void BM_RepairPick50AndSave(benchmark::State& state) {
    TRepairSide& side = RepairSide();
    for (auto _ : state) {
        TfrmCltBXedit dialog(side.Register.get());
        dialog.SetEditorMode(false);
        dialog.LoadEditorFields(false);
        dialog.CheckBox1->SetChecked(false);
        dialog.edtFZname->SetText("业主");
        dialog.edtCode->SetText(NextRepairCode());
        side.Register->ShowDetailForCode(dialog.edtCode->Text());
        {
            TDLGpjInfoXZ picker(&dialog);
            dmData->RunSQL("delete from tempCode");
            picker.QueryPickerParts();
            const int listed = picker.QryTable->RecordCount();
            for (int i = 0; i < PickedParts; ++i) {
                picker.QryTable->First();
                picker.AddMaterialLine();
            }
            if (listed < PickerParts || picker.QryTable->RecordCount() != listed - PickedParts)
                state.SkipWithError("not picked");
        }
        if (!dialog.SaveRepair()) state.SkipWithError("not saved");
    }
    state.SetItemsProcessed(state.iterations() * PickedParts);
}
BENCHMARK(BM_RepairPick50AndSave)->Unit(benchmark::kMillisecond)->Iterations(4);

// The same statements stepped on the program's SQLite handle (its column rules need the program's
// functions): 50 times the pick remembered and the list stepped over every column of every row,
// then in one transaction 50 stock moves, the record and its 50 lines.
void BM_RepairPickBareSqlite(benchmark::State& state) {
    RepairSide();
    TSqliteDatabase& db = dmData->ADOcnn()->Database();
    int record = 900;
    for (auto _ : state) {
        db.ExecuteSql("DELETE FROM tempCode");
        std::vector<std::pair<Int64, String>> picked;
        // The list as the picker opens, then after each of the 50 picks: the pick remembered, the
        // list again.
        for (int i = 0; i <= PickedParts; ++i) {
            if (i > 0) {
                auto remember = db.Prepare("INSERT INTO tempCode (F_code) VALUES (?)");
                remember->Bind(1, Variant(picked.back().second));
                while (remember->Step()) {
                }
            }
            auto list = db.Prepare("SELECT * FROM t_PJinfo WHERE NOT (F_code IN (SELECT F_code FROM tempCode)) "
                                   "ORDER BY F_code");
            int rows = 0;
            size_t length = 0;
            while (list->Step()) {
                if (rows == 0 && i < PickedParts)
                    picked.emplace_back(list->ColumnInt64(0), VarToStr(list->ColumnValue(1)));
                for (int c = 0; c < list->ColumnCount(); ++c)
                    benchmark::DoNotOptimize(list->ColumnText(c, length));
                ++rows;
            }
            if (rows < PickerParts - PickedParts) state.SkipWithError("list too short");
        }
        const String code = IntToStr(++record);
        db.BeginTransaction();
        for (const auto& [id, partCode] : picked) {
            auto stock = db.Prepare("UPDATE T_PJinfo SET F_amount = F_amount - 1 WHERE F_ID = ?");
            stock->Bind(1, Variant(id));
            while (stock->Step()) {
            }
            auto line = db.Prepare("INSERT INTO t_ZHBXdetail (F_code, F_PJcode, F_PJid, F_PJname, F_amount, F_price, "
                                   "F_totalprice) VALUES (?, ?, ?, '配件', 1, 12.5, 12.5)");
            line->Bind(1, Variant(code));
            line->Bind(2, Variant(partCode));
            line->Bind(3, Variant(id));
            while (line->Step()) {
            }
        }
        auto insert = db.Prepare("INSERT INTO t_ZHBX (F_code, F_mainID, F_FZname, F_bxDate, F_xfDate, F_fwPrice, "
                                 "F_wlPrice, F_totalprice) VALUES (?, -1, '业主', '2026-03-15', '1900-08-14', 0, "
                                 "625, 625)");
        insert->Bind(1, Variant(code));
        while (insert->Step()) {
        }
        db.CommitTransaction();
    }
    state.SetItemsProcessed(state.iterations() * PickedParts);
}
BENCHMARK(BM_RepairPickBareSqlite)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace
