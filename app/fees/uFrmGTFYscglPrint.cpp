// The shared-fee register's two layouts in the preview and the designer.
#include "app/fees/uFrmGTFYscgl.h"

#include "app/core/DataDm.h"

#include "db/ADODB.h"
#include "report/vrClass.h"
#include "report/vrClassMemo.h"
#include "rtl/CodePage.h"

void TfrmGTFYscgl::PrintFormat(int format) {
    if (ListEmpty()) return;
    if (format == 1) {
        dmData->ShowLayoutReport(vrReport1, SharedFeeLayouts[1], QryTable, QryDetail);
        return;
    }
    dmData->ShowLayoutReport(vrReport1, SharedFeeLayouts[0], QryTable, nullptr, [this](TvrReport* report) {
        try {
            // A layout without the period's text object still prints.
            if (auto* memo = dynamic_cast<TvrCustomMemoView*>(report->FindObject("MemoDate")))
                memo->SetText(Utf8ToWide(dmData->PeriodCaption(dtpFromDate, dtpToDate)));
        } catch (const std::exception&) {
        }
    });
}

void TfrmGTFYscgl::DesignFormat(int format) {
    dmData->DesignLayoutReport(vrReport1, SharedFeeLayouts[format == 1 ? 1 : 0], QryTable,
                               format == 1 ? QryDetail : nullptr);
}
