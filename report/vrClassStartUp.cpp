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
    RegisterClasses({&TvrReport::StaticClassInfo(), &TvrDataPage::StaticClassInfo(),
                     &TvrStyleItem::StaticClassInfo()});
    vrRegisterObjectClasses();
}

void vrShutDown() {
    if (!started) return;
    started = false;
    vrUnregisterDMPClasses();
    vrGlobalVariables()->Clear();
}
