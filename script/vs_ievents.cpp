#include "script/vs_ievents.h"

void TvsCustomEvent::RunHandler(const std::vector<Variant>& Args) {
    if (FHandler->Executing()) return;
    const Integer n = FHandler->ParamCount();
    for (Integer i = 0; i < n && static_cast<size_t>(i) < Args.size(); ++i)
        FHandler->Param(i)->StoreValue(Args[static_cast<size_t>(i)]);
    FHandler->FetchValue();
}

TvsEventHelper::TvsEventHelper(const String& Name, const TvsEventAdapterClass* AdapterClass)
    : TvsCustomHelper(Name, fvtString, String(), TvsItemKind::ikEvent), FAdapterClass(AdapterClass) {}

Variant TvsEventHelper::FetchValue() {
    return Variant(String());
}

void TvsEventHelper::StoreValue(const Variant& V) {
    TObject* instance = ParentObject();
    if (!instance) return;
    const String text = VarIsNull(V) || VarIsEmpty(V) ? String("0") : V.AsString();
    if (text == "0") {
        ClearEvent(instance, FName);
        return;
    }
    TvsCustomVariable* item = Script ? Script->Find(text) : nullptr;
    if (!item || item->Kind() != TvsItemKind::ikProc || !FAdapterClass) throw EvsScriptError(SEventError);
    TvsCustomEvent* adapter = FAdapterClass->Create(instance, static_cast<TvsProcVariable*>(item));
    Script->Add(String(), adapter);
    SetMethodProp(instance, FName, adapter->HandlerAddress());
}
