// Preparing a report: the data-set check, the script, the engine's build, and the layout put
// back as it was before the script and the dialogs changed it.
#include "report/vrClass.h"
#include "report/vrRes.h"
#include "rtl/Format.h"
#include "rtl/Streams.h"
#include "script/vs_iinterpreter.h"

bool TvrReport::PrepareReport(bool ClearLastReport) {
    if (ClearLastReport && FPreparedPages) FPreparedPages->ClearAll();
    FPrintOptions->DuplexOverride = dmNone;
    FErrorList->Clear();
    Terminated = false;
    for (int i = 0; i < FDatasets->Count(); ++i) {
        TvrDataSetItem* item = FDatasets->GetItem(i);
        if (!item->DataSet())
            FErrorList->Add(Format(GetResources().GetString("clDSNotExist"), {item->DataSetName()}));
    }
    bool result = false;
    struct TPreparingGuard {
        bool& Flag;
        bool Was;
        explicit TPreparingGuard(bool& f) : Flag(f), Was(f) { Flag = true; }
        ~TPreparingGuard() { Flag = Was; }
    } preparing(Preparing);
    if (FErrorList->Count() == 0) {
        std::unique_ptr<TMemoryStream> saved;
        const String password = FReportOptions->Password;
        const Integer overlap = FPrintOptions->SpliceOverlap;
        if (FEngineOptions->DestroyForms) {
            FReportOptions->Password.clear();
            saved = std::make_unique<TMemoryStream>();
            SaveToStream(*saved, true, false);
        }
        try {
            if (OnBeginDoc) OnBeginDoc(this);
            if (PrepareScript()) {
                if (OnAfterScriptCompile) OnAfterScriptCompile(this);
                FScript->Execute();
                if (!Terminated && FEngine) result = FEngine->BuildReport();
                if (result && OnEndDoc) OnEndDoc(this);
            }
        } catch (const Exception& e) {
            FErrorList->Add(e.Message());
            result = false;
        }
        if (saved) {
            // Reading the layout back undoes what the script and the dialogs changed.
            TStringList errors;
            errors.Assign(*FErrorList);
            saved->SetPosition(0);
            InternalReload = true;
            try {
                LoadFromStream(*saved);
            } catch (const Exception& e) {
                errors.Add(e.Message());
            }
            InternalReload = false;
            FReportOptions->Password = password;
            FPrintOptions->SpliceOverlap = overlap;
            FErrorList->Assign(errors);
        }
    }
    if (FErrorList->Count() > 0) {
        ReportErrors();
        return false;
    }
    return result;
}
