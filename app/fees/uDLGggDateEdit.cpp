#include "app/fees/uDLGggDateEdit.h"

#include "app/fees/FeeGeneration.h"
#include "app/fees/uFrmWYFYscgl.h"

#include "app/core/FormControls.h"
#include "app/core/Vardessa.h"

#include "controls/WnPageControl.h"
#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxSelection.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/ScopeGuards.h"

TDLGggDateEdit::TDLGggDateEdit(TfrmWYFYscgl* ledger) : TForm(ledger), FLedger(ledger) {
    SetName("DLGggDateEdit");
    SetCaption(PeriodDatesCaption);
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetKeyPreview(true);
    SetClientWidth(290);
    SetClientHeight(200);
    const int left = 20;
    dtpFromDate = AddDatePicker(this, this, "dtpFromDate", "上次日期：", left, 16, 170);
    dtpToDate = AddDatePicker(this, this, "dtpToDate", "本次日期：", left, 48, 170);
    dtpSFdate = AddDatePicker(this, this, "dtpSFdate", "交费期限：", left, 80, 170);
    CheckBox1 = AddCheck(this, this, "CheckBox1", "作用于所有业主", left + 70, 114);
    CheckBox1->SetWidth(150);
    CheckBox1->SetChecked(false);
    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(94, 160, 80, 26);
    btnOk->SetCaption("确定");
    btnOk->SetDefault(true);
    btnOk->SetModalResult(mrOk);
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetBounds(190, 160, 80, 26);
    btnCancel->SetCaption("取消");
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetCancel(true);
    DoCreate();
}

void TDLGggDateEdit::DoShow() {
    dtpFromDate->SetDate(IncMonth(Date(), -1));
    dtpToDate->SetDate(Date());
    dtpSFdate->SetDate(IncMonth(Date(), 1));
    TForm::DoShow();
}

bool TDLGggDateEdit::RedateCurrentRow() {
    TADOQuery* query = FLedger->QryTable;
    try {
        query->Edit();
        query->FieldByName("F_fromDate")->SetAsDateTime(DateOf(dtpFromDate->Date()));
        query->FieldByName("F_toDate")->SetAsDateTime(DateOf(dtpToDate->Date()));
        query->FieldByName("F_SFdate")->SetAsDateTime(DateOf(dtpSFdate->Date()));
        query->Post();
        return true;
    } catch (const std::exception&) {
        // A row that refuses the change keeps its dates; the others go on.
        if (query->State() == dsEdit) query->Cancel();
        return false;
    }
}

int TDLGggDateEdit::ApplyPeriodDates() {
    if (ShowModal() != mrOk) return 0;
    TADOQuery* query = FLedger->QryTable;
    if (!query->Active()) return 0;
    int changed = 0;
    if (CheckBox1->Checked()) {
        query->DisableControls();
        const TScopeExit enable([query] { query->EnableControls(); });
        for (query->First(); !query->Eof(); query->Next())
            if (RedateCurrentRow()) ++changed;
    } else {
        // The selection of the page the operator sees.
        TDBGridGx* grid = FLedger->rpcList->ActivePageIndex() == 0 ? FLedger->DBGridGx1 : FLedger->DBGridGx2;
        TBookmarkListGx* selected = grid->SelectedRows();
        if (selected->BookmarkCount() == 0) {
            ShowMess(MsgNoFeeRowSelected, 0);
            return 0;
        }
        std::vector<TBookmark> marks;
        for (int i = 0; i < selected->BookmarkCount(); ++i)
            marks.push_back(selected->BookmarkAt(i));
        query->DisableControls();
        const TScopeExit enable([query] { query->EnableControls(); });
        for (const TBookmark& mark : marks) {
            if (!query->BookmarkValid(mark)) continue;
            query->GotoBookmark(mark);
            if (RedateCurrentRow()) ++changed;
        }
    }
    FLedger->SetGridEditMode(true);
    return changed;
}
