// Start-up and shut-down of the report library core.
#include "classes/ClassRegistry.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"

namespace {
bool started = false;
}

void vrStartUp() {
    if (started) return;
    started = true;
    LoadingLock();
    GlobalDataSetList();
    vrGlobalVariables();
    // The classes a layout may name, in the library's order; the object units add theirs below.
    RegisterClasses({&TvrChild::StaticClassInfo(),          &TvrColumnFooter::StaticClassInfo(),
                     &TvrColumnHeader::StaticClassInfo(),   &TvrCustomMemoView::StaticClassInfo(),
                     &TvrMasterData::StaticClassInfo(),     &TvrDetailData::StaticClassInfo(),
                     &TvrSubdetailData::StaticClassInfo(),  &TvrDataBand4::StaticClassInfo(),
                     &TvrDataBand5::StaticClassInfo(),      &TvrDataBand6::StaticClassInfo(),
                     &TvrDialogPage::StaticClassInfo(),     &TvrFooter::StaticClassInfo(),
                     &TvrFrame::StaticClassInfo(),          &TvrGroupFooter::StaticClassInfo(),
                     &TvrGroupHeader::StaticClassInfo(),    &TvrHeader::StaticClassInfo(),
                     &TvrHighlight::StaticClassInfo(),      &TvrLineView::StaticClassInfo(),
                     &TvrMemoView::StaticClassInfo(),       &TvrOverlay::StaticClassInfo(),
                     &TvrPageFooter::StaticClassInfo(),     &TvrPageHeader::StaticClassInfo(),
                     &TvrPictureView::StaticClassInfo(),    &TvrReport::StaticClassInfo(),
                     &TvrReportPage::StaticClassInfo(),     &TvrReportSummary::StaticClassInfo(),
                     &TvrReportTitle::StaticClassInfo(),    &TvrShapeView::StaticClassInfo(),
                     &TvrSubreport::StaticClassInfo(),      &TvrSysMemoView::StaticClassInfo(),
                     &TvrStyleItem::StaticClassInfo(),      &TvrNullBand::StaticClassInfo(),
                     &TvrCustomLineView::StaticClassInfo(), &TvrDataPage::StaticClassInfo()});
    vrRegisterObjectClasses();
}

void vrShutDown() {
    if (!started) return;
    started = false;
    vrUnregisterDMPClasses();
    vrUnregisterChartClasses();
    vrUnregisterCheckBoxClasses();
    vrGlobalVariables()->Clear();
}
