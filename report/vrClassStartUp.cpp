// Start-up and shut-down of the report library core.
#include "classes/ClassRegistry.h"
#include "gui/Bitmap.h"
#include "gui/CursorTable.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrClassRTTI.h"
#include "report/vrDsgnIntf.h"
#include "report/vrRes.h"
#include "script/gui/vs_iguimodules.h"

namespace {

bool started = false;

// The library's three cursors: number, picture in the program's resources, hot spot.
struct TCursorResource {
    TCursor Id;
    const char* Name;
    int HotX, HotY;
};
constexpr TCursorResource vrCursors[] = {
    {crHand, "vrHAND", 8, 8},
    {crZoom, "vrZOOM", 6, 6},
    {crFormat, "vrFORMAT", 5, 14},
};

void LoadCursors() {
    for (const TCursorResource& c : vrCursors) {
        const std::vector<Byte> bytes = ReadProgramResource(c.Name);
        TBitmap picture;
        picture.LoadFromBytes(bytes);
        RegisterScreenCursor(c.Id, picture, c.HotX, c.HotY);
    }
}

} // namespace

void vrStartUp() {
    if (started) return;
    started = true;
    LoadingLock();
    // The script bindings of graphics, forms and dialogs, before the first report makes its script.
    vsRegisterGuiModules();
    vrRegisterScriptModules();
    GlobalDataSetList();
    vrGlobalVariables();
    LoadCursors();
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
    vrRegisterStandardPropertyEditors();
}

void vrShutDown() {
    if (!started) return;
    started = false;
    vrUnregisterDMPClasses();
    vrUnregisterChartClasses();
    vrUnregisterCheckBoxClasses();
    vrGlobalVariables()->Clear();
    vrUnregisterScriptModules();
    vsUnregisterGuiModules();
}
