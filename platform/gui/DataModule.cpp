#include "gui/DataModule.h"

#include "classes/MetaBuilder.h"

ORV_META_IMPL(TDataModule)
void TDataModule::DeclareMeta(meta::Class<TDataModule>& c) {
    c.Event("OnCreate", &TDataModule::OnCreate);
    c.Event("OnDestroy", &TDataModule::OnDestroy);
}
