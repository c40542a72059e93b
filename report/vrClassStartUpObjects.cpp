// Registers the report object classes by name, so that layouts can create them.
#include "classes/ClassRegistry.h"
#include "report/vrClassObjects.h"

void vrRegisterObjectClasses() {
    RegisterClasses({&TvrShapeView::StaticClassInfo(), &TvrMemoView::StaticClassInfo(),
                     &TvrSysMemoView::StaticClassInfo(), &TvrReportPage::StaticClassInfo(),
                     &TvrLineView::StaticClassInfo(), &TvrCheckBoxView::StaticClassInfo(),
                     &TvrSubreport::StaticClassInfo(), &TvrPictureView::StaticClassInfo(),
                     &TvrChartView::StaticClassInfo()});
    vrRegisterBandClasses();
    vrRegisterDMPClasses();
    vrRegisterChartClasses();
    vrRegisterCheckBoxClasses();
}
