// A shared-fee record of 1,000 households: the rows filled from the meter's households, a six-digit
// reading typed digit by digit (each digit re-splits every row) and the record saved, against one
// INSERT ... SELECT of the same share rows (and the header) stepped on the program's SQLite handle.
// Goal: within 3x for the save. The re-split of one digit is measured on its own beside them.
#include "app/RegisterSeed.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/fees/uFrmGTFYscEdit.h"
#include "app/fees/uFrmGTFYscgl.h"

#include "controls/kxCurrEdit.h"
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

constexpr int Households = 1000;

struct TSharedFeeSide {
    String Folder;
    std::unique_ptr<TfrmGTFYscgl> Register;

    TSharedFeeSide() {
        char pattern[] = "/tmp/orv_sharedfees_XXXXXX";
        Folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(Folder + "data/");
        SetProgramFolder(Folder);
        dmData = new TdmData(nullptr);
        dmData->DataModuleCreate();
        seed::SeedRegisters(dmData->ADOcnn(), Households);
        dmData->RunSQL("insert into t_GTinfo (F_code, F_name, F_type, F_amount) values ('M1', '总水表', '水费', 0)");
        dmData->RunSQL("insert into t_GTdetail (F_code, F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname) "
                       "select 'M1', F_ID, F_XQname, F_LDcode, F_code, F_FZname from t_FCinfo");
        dmData->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        OperName = "admin";
        IsAdmin = true;
        Register = std::make_unique<TfrmGTFYscgl>(nullptr);
        Register->Show();
    }
};

TSharedFeeSide& SharedFeeSide() {
    static TSharedFeeSide* side = [] {
        auto* s = new TSharedFeeSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

// The dialog's rows as the meter picker appends them.
void FillRows(TfrmGTFYscgl& reg) {
    TADOQuery households;
    households.SetConnection(dmData->ADOcnn());
    households.SQL()->SetText("select * from t_GTdetail where F_code = 'M1' order by F_XQname,F_LDcode");
    households.Open();
    TADOQuery* rows = reg.QryDetail;
    rows->DisableControls();
    for (households.First(); !households.Eof(); households.Next()) {
        rows->Append();
        rows->FieldByName("F_mainID")->SetAsInteger(households.FieldByName("F_mainID")->AsInteger());
        for (const char* field : {"F_XQname", "F_LDcode", "F_FZcode", "F_FZname"})
            rows->FieldByName(field)->SetAsString(households.FieldByName(field)->AsString());
        rows->FieldByName("F_JFflag")->SetAsBoolean(false);
        rows->FieldByName("F_GTflag")->SetAsInteger(1);
        rows->Post();
    }
    rows->EnableControls();
}

void BM_SharedFeeTypeAndSave(benchmark::State& state) {
    TSharedFeeSide& side = SharedFeeSide();
    for (auto _ : state) {
        TfrmGTFYscEdit dialog(side.Register.get());
        dialog.SetEditorMode(false);
        dialog.LoadEditorFields(false);
        dialog.CheckBox1->SetChecked(false);
        dialog.edtGTid->SetText(NextSharedFeeId());
        side.Register->DetachShareRows(dialog.edtGTid->Text());
        dialog.edtCode->SetText("M1");
        dialog.edtName->SetText("总水表");
        FillRows(*side.Register);
        dialog.cePrice->SetValue(3.2);
        for (const double reading : {1.0, 12.0, 123.0, 1234.0, 12345.0, 123456.0})
            dialog.rceEamount->SetValue(reading);
        if (!dialog.SaveSharedFee()) state.SkipWithError("not saved");
    }
    state.SetItemsProcessed(state.iterations() * Households);
}
BENCHMARK(BM_SharedFeeTypeAndSave)->Unit(benchmark::kMillisecond)->Iterations(4);

// The save alone (the rows filled and split outside the timing).
void BM_SharedFeeSaveOnly(benchmark::State& state) {
    TSharedFeeSide& side = SharedFeeSide();
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<TfrmGTFYscEdit>(side.Register.get());
        dialog->SetEditorMode(false);
        dialog->LoadEditorFields(false);
        dialog->CheckBox1->SetChecked(false);
        dialog->edtGTid->SetText(NextSharedFeeId());
        side.Register->DetachShareRows(dialog->edtGTid->Text());
        dialog->edtCode->SetText("M1");
        dialog->edtName->SetText("总水表");
        FillRows(*side.Register);
        dialog->cePrice->SetValue(3.2);
        dialog->rceEamount->SetValue(123456.0);
        state.ResumeTiming();
        if (!dialog->SaveSharedFee()) state.SkipWithError("not saved");
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Households);
}
BENCHMARK(BM_SharedFeeSaveOnly)->Unit(benchmark::kMillisecond)->Iterations(4);

// One digit: every row re-split (usage and money).
void BM_SharedFeeResplitOneDigit(benchmark::State& state) {
    TSharedFeeSide& side = SharedFeeSide();
    TfrmGTFYscEdit dialog(side.Register.get());
    dialog.SetEditorMode(false);
    dialog.LoadEditorFields(false);
    side.Register->DetachShareRows("bench");
    FillRows(*side.Register);
    dialog.cePrice->SetValue(3.2);
    double reading = 1;
    for (auto _ : state) {
        reading += 1;
        dialog.rceEamount->SetValue(reading);
    }
    side.Register->QryDetail->CancelBatch(arAll);
    side.Register->AttachShareRows();
    state.SetItemsProcessed(state.iterations() * Households);
}
BENCHMARK(BM_SharedFeeResplitOneDigit)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same share rows and header in one transaction through INSERT ... SELECT.
void BM_SharedFeeInsertSelectBare(benchmark::State& state) {
    SharedFeeSide();
    TSqliteDatabase& db = dmData->ADOcnn()->Database();
    int record = 90000000;
    for (auto _ : state) {
        const String id = IntToStr(++record);
        db.BeginTransaction();
        auto rows = db.Prepare(
            "INSERT INTO T_wyFYrec (F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname, F_amount, F_totalPrice, "
            "F_price, F_fromDate, F_toDate, F_SFdate, F_editDate, F_empName, F_OperName, F_GTid, F_GTflag, "
            "F_SFtype, F_SFname, F_memo1, F_JFflag) SELECT F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname, "
            "123.456, 395.06, 3.2, '2026-03-15', '2026-03-15', '2026-04-15', '2026-03-15', '', 'admin', ?, 1, "
            "'按用量', '水费', '总水表:费用公摊', 0 FROM t_GTdetail WHERE F_code = 'M1' ORDER BY F_ID");
        rows->Bind(1, Variant(id));
        while (rows->Step()) {
        }
        auto header = db.Prepare("INSERT INTO t_wyGTrec (F_GTid, F_GTcode, F_GTname, F_GThs, F_Eamount, F_amount, "
                                 "F_price, F_totalPrice, F_SFtype, F_SFname) VALUES (?, 'M1', '总水表', 1000, "
                                 "123456, 123456, 3.2, 395059.2, '按用量', '水费')");
        header->Bind(1, Variant(id));
        while (header->Step()) {
        }
        db.CommitTransaction();
    }
    state.SetItemsProcessed(state.iterations() * Households);
}
BENCHMARK(BM_SharedFeeInsertSelectBare)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace
