#include "app/fees/FeeWindows.h"

#include "app/fees/StatisticsWindows.h"
#include "app/fees/uFrmCltBXGL.h"
#include "app/fees/uFrmGTFYinfoGL.h"
#include "app/fees/uFrmGTFYscgl.h"
#include "app/fees/uFrmWYFYscgl.h"
#include "app/fees/uFrmWuyeFYjsgl.h"

#include "app/core/Rights.h"
#include "app/core/uFrmMain.h"
#include "rtl/ScopeGuards.h"

#include <memory>

void RegisterFeeWindows() {
    const int placeMode = FindAction(303)->PlaceMode;
    RegisterActionWindow(303, [placeMode](TFrmMain* main) {
        auto window = std::make_unique<TfrmWYFYscgl>(main);
        // The record editors and batch dialogs reach the open ledger through frmWYFYscgl.
        frmWYFYscgl = window.get();
        const TScopeExit clear([] { frmWYFYscgl = nullptr; });
        PlaceAndShowModal(window.get(), placeMode);
    });
    const int collectPlace = FindAction(304)->PlaceMode;
    RegisterActionWindow(304, [collectPlace](TFrmMain* main) {
        auto window = std::make_unique<TfrmWuyeFYjsgl>(main);
        // The discount dialog reaches the open window through frmWuyeFYjsgl.
        frmWuyeFYjsgl = window.get();
        const TScopeExit clear([] { frmWuyeFYjsgl = nullptr; });
        PlaceAndShowModal(window.get(), collectPlace);
    });
    RegisterStatisticsWindows();
    const int repairPlace = FindAction(307)->PlaceMode;
    RegisterActionWindow(307, [repairPlace](TFrmMain* main) {
        auto window = std::make_unique<TfrmCltBXGL>(main);
        PlaceAndShowModal(window.get(), repairPlace);
    });
    for (const int action : {208, 309}) {
        const int place = FindAction(action)->PlaceMode;
        RegisterActionWindow(action, [action, place](TFrmMain* main) {
            if (action == 208) {
                auto window = std::make_unique<TfrmGTFYinfoGL>(main);
                PlaceAndShowModal(window.get(), place);
            } else {
                auto window = std::make_unique<TfrmGTFYscgl>(main);
                PlaceAndShowModal(window.get(), place);
            }
        });
    }
}
