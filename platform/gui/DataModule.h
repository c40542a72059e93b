// TDataModule: a component that holds other, non-visual components (data sets, dialogs, timers)
// and frees them with itself.
#pragma once

#include "classes/Component.h"

class TDataModule : public TComponent {
    ORV_META(TDataModule, TComponent)
    explicit TDataModule(TComponent* AOwner) : TComponent(AOwner) {}
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
};
