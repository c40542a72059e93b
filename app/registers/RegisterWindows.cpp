#include "app/registers/RegisterWindows.h"

#include "app/registers/uFrmBJinfoGL.h"
#include "app/registers/uFrmCarPosGL.h"
#include "app/registers/uFrmFCinfoGL.h"
#include "app/registers/uFrmFYinfoGL.h"
#include "app/registers/uFrmPJdepotGL.h"
#include "app/registers/uFrmPublicSetGL.h"
#include "app/registers/uFrmXLinfoGL.h"
#include "app/registers/uFrmXQinfoGL.h"
#include "app/registers/uFrmYJinfoGL.h"

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
    RegisterWindow<TfrmBJinfoGL>(204);
    RegisterWindow<TfrmXLinfoGL>(205);
    RegisterWindow<TfrmPJdepotGL>(206);
    RegisterWindow<TfrmFYinfoGL>(207);
    RegisterWindow<TfrmFCinfoGL>(301);
    RegisterWindow<TfrmCarPosGL>(306);
    RegisterWindow<TfrmYJinfoGL>(308);
}
