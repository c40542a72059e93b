#include "app/fees/uFrmYJFYtotalTJ.h"

TfrmYJFYtotalTJ::TfrmYJFYtotalTJ(TComponent* AOwner)
    : TStatisticsTotals(AOwner, "TfrmYJFYtotalTJ",
                        {TTotalsPage{"frYJFYtotalTJ.di3", "应交费用(按用户)汇总统计列表", "yjfytotaltj"},
                         TTotalsPage{"frYJFYtotalTJ1.di3", "应交费用(按楼幢)汇总统计列表", "yjfytotaltj1"},
                         TTotalsPage{"frYJFYtotalTJ2.di3", "应交费用(按小区)汇总统计列表", "yjfytotaltj2"}}) {
    SetName("frmYJFYtotalTJ");
    FFilters = AddReceivableFilters();
    cbbXQname = FFilters.Estate;
    edtLDcode = FFilters.Building;
    edtFZcode = FFilters.Room;
    edtFZname = FFilters.Owner;
    cbbEmpName = FFilters.Handler;
    edtMemo1 = FFilters.Memo;
    dtpFromDate = FFilters.From;
    dtptoDate = FFilters.To;
}

void TfrmYJFYtotalTJ::SetClick() {
    if (ResultEmpty()) return;
    TStatisticsTotals::SetClick();
}

TSqlStatement TfrmYJFYtotalTJ::ItemStatement(int position, const String& name) {
    return ReceivableItemStatement(position, name, FFilters);
}
