// The statistics members the main window's actions open: each created with the main window as
// owner, placed as its action says and shown modally; freed when it closes.
#include "app/fees/StatisticsWindows.h"

#include "app/fees/uFrmBXdetailTj.h"
#include "app/fees/uFrmJFTZbillTJ.h"
#include "app/fees/uFrmKCPJdetailTJ.h"
#include "app/fees/uFrmWYJYtotalTJ.h"
#include "app/fees/uFrmWYQKbillTJ.h"
#include "app/fees/uFrmYJFYdetailTJ.h"
#include "app/fees/uFrmYJFYtotalTJ.h"
#include "app/fees/uFrmZHJFdetailTJ.h"
#include "app/fees/uFrmZHJFtotalTJ.h"

#include "app/core/Rights.h"
#include "app/core/uFrmMain.h"

namespace {

template <class T> void RegisterMember(int action) {
    RegisterActionWindow(action, ModalActionWindow<T>(FindAction(action)->PlaceMode));
}

} // namespace

void RegisterStatisticsWindows() {
    RegisterMember<TfrmJFTZbillTJ>(401);
    RegisterMember<TfrmWYQKbillTJ>(403);
    RegisterMember<TfrmKCPJdetailTJ>(404);
    RegisterMember<TfrmYJFYdetailTJ>(501);
    RegisterMember<TfrmYJFYtotalTJ>(502);
    RegisterMember<TfrmZHJFdetailTJ>(503);
    RegisterMember<TfrmZHJFtotalTJ>(504);
    RegisterMember<TfrmBXdetailTj>(505);
    RegisterMember<TfrmWYJYtotalTJ>(506);
}
