#include "script/gui/vs_iguimodules.h"

#include "script/gui/vs_idialogsrtti.h"
#include "script/gui/vs_iformsrtti.h"
#include "script/gui/vs_igraphicsrtti.h"

#include <algorithm>

namespace {

const TvsRTTIModuleClass GuiModules[] = {&vsModuleClass<TvsGraphicsFunctions>, &vsModuleClass<TvsFormsFunctions>,
                                         &vsModuleClass<TvsDialogsFunctions>};

} // namespace

void vsRegisterGuiModules() {
    std::vector<TvsRTTIModuleClass>* list = RTTIModuleClassList();
    if (!list) return;
    for (TvsRTTIModuleClass m : GuiModules)
        if (std::find(list->begin(), list->end(), m) == list->end()) RegisterRTTIModule(m);
}

void vsUnregisterGuiModules() {
    for (TvsRTTIModuleClass m : GuiModules)
        UnregisterRTTIModule(m);
}
