#include "app/core/AdminWindows.h"

#include "app/core/Rights.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmCodeMan.h"
#include "app/core/uFrmDataClear.h"
#include "app/core/uFrmExcelImport.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmModPass.h"
#include "app/core/uFrmOperGl.h"
#include "app/core/uFrmUserInfo.h"

#include <memory>

namespace {

template <class T> void RegisterWindow(int code) {
    RegisterActionWindow(code, ModalActionWindow<T>(FindAction(code)->PlaceMode));
}

} // namespace

void RegisterAdminWindows() {
    RegisterWindow<TFrmUserInfo>(101);
    RegisterWindow<TfrmModPass>(102);
    RegisterWindow<TfrmOperGl>(103);
    RegisterWindow<TFrmDataClear>(105);
    RegisterImportWindow();
    // The option window shows itself (ShowCodeTables) once placed.
    RegisterActionWindow(209, [](TFrmMain* main) {
        auto form = std::make_unique<TFrmCodeMan>(main);
        DispFormPos(form.get(), FindAction(209)->PlaceMode);
        form->ShowCodeTables();
    });
}
