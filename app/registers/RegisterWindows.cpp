#include "app/registers/RegisterWindows.h"

#include "app/registers/uFrmFCinfoGL.h"
#include "app/registers/uFrmPublicSetGL.h"
#include "app/registers/uFrmXQinfoGL.h"

#include "app/core/Rights.h"
#include "app/core/uFrmMain.h"

namespace {

template <class T> void RegisterWindow(int code) {
    RegisterActionWindow(code, ModalActionWindow<T>(FindAction(code)->PlaceMode));
}

} // namespace

void RegisterRegisterWindows() {
    RegisterWindow<TfrmXQinfoGL>(201);
    RegisterWindow<TfrmPublicSetGL>(203);
    RegisterWindow<TfrmFCinfoGL>(301);
}
