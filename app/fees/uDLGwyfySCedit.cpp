#include "app/fees/uDLGwyfySCedit.h"

#include "app/fees/FeeGeneration.h"
#include "app/fees/uFrmWYFYscgl.h"

#include "app/core/DataDm.h"
#include "app/core/FormControls.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "db/Field.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <map>
#include <set>

namespace {

constexpr int LabelWidth = 120;

// A box behind a label wider than the dialogs' usual one.
template <class T> T* Widen(T* control, int left) {
    control->SetLeft(left + LabelWidth);
    return control;
}

void WidenLabel(TWinControl* parent, const String& caption) {
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* label = dynamic_cast<TLabel*>(parent->Controls(i)); label && label->Caption() == caption)
            label->SetWidth(LabelWidth);
}

} // namespace

TDLGwyfySCedit::TDLGwyfySCedit(TfrmWYFYscgl* ledger) : TForm(ledger), FLedger(ledger) {
    SetName("DLGwyfySCedit");
    SetCaption(FeeGenerationCaption);
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetKeyPreview(true);
    SetClientWidth(330);
    SetClientHeight(190);
    const int left = 16;
    cbbXQname = Widen(AddEstateCombo(this, this, "cbbXQname", "小区名称：", left, 16, 170), left);
    edtSFname = Widen(AddEdit(this, this, "edtSFname", "费项名称：", left, 48, 170), left);
    edtSFname->SetReadOnly(true);
    edtSFname->SetTabStop(false);
    dtpToDate = Widen(AddDatePicker(this, this, "dtpToDate", "本次生成单据日期：", left, 80, 170), left);
    dtpSFdate = Widen(AddDatePicker(this, this, "dtpSFdate", "本次费用交费期限：", left, 112, 170), left);
    for (const char* caption : {"小区名称：", "费项名称：", "本次生成单据日期：", "本次费用交费期限："})
        WidenLabel(this, caption);
    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(130, 152, 80, 26);
    btnOk->SetCaption("确定");
    btnOk->SetDefault(true);
    btnOk->OnClick = [this](TObject*) { OkClick(); };
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetBounds(226, 152, 80, 26);
    btnCancel->SetCaption("取消");
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetCancel(true);
    DoCreate();
}

void TDLGwyfySCedit::DoShow() {
    dtpToDate->SetDate(Date());
    dtpSFdate->SetDate(IncMonth(Date(), 1));
    edtSFname->SetText(FLedger->CurSFname);
    TForm::DoShow();
}

void TDLGwyfySCedit::OkClick() {
    if (Trim(cbbXQname->Text()).empty()) {
        ShowMess(MsgEstateNameEmpty, 0);
        if (cbbXQname->CanFocus()) cbbXQname->SetFocus();
        return;
    }
    SetModalResult(mrOk);
}

int TDLGwyfySCedit::GenerateFeeRecords() {
    if (ShowModal() != mrOk) return 0;
    return AppendRows(Trim(cbbXQname->Text()));
}

int TDLGwyfySCedit::AppendRows(const String& estate) {
    TfrmWYFYscgl* ledger = FLedger;
    const String method = ledger->CurSFtype;
    const String item = ledger->CurSFname;
    const Currency price = ledger->CurSFprice;
    const TDateTime periodEnd = DateOf(dtpToDate->Date());
    const TDateTime periodStart = IncMonth(periodEnd, -1);
    const TDateTime deadline = DateOf(dtpSFdate->Date());
    const TDateTime today = Date();
    const bool metered = MeteredMethod(method);

    std::vector<TFeeHouse> houses;
    if (!ReadEstateHouses(estate, houses) || houses.empty()) return 0;
    std::map<int, double> readings;
    if (metered && !ReadPreviousReadings(estate, method, item, readings)) return 0;
    std::set<int> billed;
    try {
        billed = HousesBilledFor(method, item, periodEnd);
    } catch (const std::exception&) {
        ShowMess(MsgOpenFailed, 3);
        return 0;
    }

    TADOQuery* query = ledger->QryTable;
    if (!query->Active()) return 0;
    query->DisableControls();
    const TScopeExit enable([query] { query->EnableControls(); });
    // The rows the ledger holds for the period, saved or not yet, count as billed too.
    {
        TField* house = query->FieldByName("F_mainID");
        TField* end = query->FieldByName("F_toDate");
        for (query->First(); !query->Eof(); query->Next())
            if (!end->IsNull() && DateOf(end->AsDateTime()) == periodEnd) billed.insert(house->AsInteger());
    }

    ledger->InsertGuard = false;
    const TScopeExit guard([ledger] { ledger->InsertGuard = true; });
    TField* fMain = query->FieldByName("F_mainID");
    TField* fCode = query->FieldByName("F_FZcode");
    TField* fEstate = query->FieldByName("F_XQname");
    TField* fBuilding = query->FieldByName("F_LDcode");
    TField* fOwner = query->FieldByName("F_FZname");
    TField* fFrom = query->FieldByName("F_fromDate");
    TField* fTo = query->FieldByName("F_toDate");
    TField* fDeadline = query->FieldByName("F_SFdate");
    TField* fPrice = query->FieldByName("F_price");
    TField* fPrevious = query->FieldByName("F_Bamount");
    TField* fCurrent = query->FieldByName("F_Eamount");
    TField* fAmount = query->FieldByName("F_amount");
    TField* fTotal = query->FieldByName("F_totalPrice");
    TField* fMemo = query->FieldByName("F_memo1");
    TField* fMethod = query->FieldByName("F_SFtype");
    TField* fItem = query->FieldByName("F_SFname");
    TField* fEdit = query->FieldByName("F_editDate");
    // Every field is given its final value below, the ones the ledger's rules would derive
    // included: the rules rest while the rows are appended, and attach again afterwards.
    std::vector<std::pair<TField*, TFieldNotifyEvent>> rules;
    for (TField* ruled : {fPrevious, fCurrent, fAmount, fPrice}) {
        rules.emplace_back(ruled, ruled->OnChange);
        ruled->OnChange = nullptr;
    }
    const TScopeExit attach([&rules] {
        for (auto& [field, rule] : rules)
            field->OnChange = rule;
    });
    int appended = 0, skipped = 0;
    for (const TFeeHouse& house : houses) {
        if (billed.count(house.Id)) {
            ++skipped;
            continue;
        }
        query->Append();
        fMain->SetAsInteger(house.Id);
        fCode->SetAsString(house.Code);
        fEstate->SetAsString(house.Estate);
        fBuilding->SetAsString(house.Building);
        fOwner->SetAsString(house.Owner);
        fFrom->SetAsDateTime(periodStart);
        fTo->SetAsDateTime(periodEnd);
        fDeadline->SetAsDateTime(deadline);
        fPrice->SetAsCurrency(price);
        double quantity = 0;
        if (metered) {
            const auto it = readings.find(house.Id);
            const double previous = it == readings.end() ? 0 : it->second;
            fPrevious->SetAsFloat(previous);
            fCurrent->SetAsFloat(previous);
            fAmount->SetAsFloat(0);
        } else {
            quantity = MethodQuantity(method, house.Area, house.Residents);
            fPrevious->SetAsFloat(0);
            fCurrent->SetAsFloat(quantity);
            fAmount->SetAsFloat(quantity);
        }
        fTotal->SetAsCurrency(MulQuantity(price, quantity));
        fMemo->SetAsString("");
        fMethod->SetAsString(method);
        fItem->SetAsString(item);
        fEdit->SetAsDateTime(today);
        query->Post();
        billed.insert(house.Id);
        ++appended;
    }
    if (appended > 0) {
        ledger->RowsGenerated = true;
        ledger->ShowRowCount();
        ledger->SetGridEditMode(true);
    }
    if (skipped > 0) ShowMess(FeePeriodExistsMessage(skipped), 0);
    return appended;
}
