// Actions and action lists: clients follow an action's state; shortcuts and idle updates.
#include "gui/ActnList.h"

#include "gui/Controls.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "gui/qt/ImageListIcons.h"

#include <algorithm>

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
    Destroying();
    // Clients forget the action (they were told through the free notification too).
    std::vector<TComponent*> clients = FClients;
    for (TComponent* c : clients) {
        if (auto* ctl = dynamic_cast<TControl*>(c))
            ctl->SetAction(nullptr);
        else if (auto* mi = dynamic_cast<TMenuItem*>(c))
            mi->SetAction(nullptr);
    }
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterChanges(TComponent* Client) {
    if (std::find(FClients.begin(), FClients.end(), Client) == FClients.end()) FClients.push_back(Client);
}

void TBasicAction::UnregisterChanges(TComponent* Client) {
    FClients.erase(std::remove(FClients.begin(), FClients.end(), Client), FClients.end());
}

bool LinkActionClient(TComponent* client, TBasicAction*& slot, TBasicAction* action) {
    if (action == slot) return false;
    if (slot) slot->UnregisterChanges(client);
    slot = action;
    if (!action) return false;
    action->RegisterChanges(client);
    action->FreeNotification(client);
    return true;
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) {
        UnregisterChanges(AComponent);
        if (AComponent == FActionComponent) FActionComponent = nullptr;
    }
}

void TBasicAction::Change() {
    std::vector<TComponent*> clients = FClients;
    for (TComponent* c : clients) {
        if (auto* ctl = dynamic_cast<TControl*>(c))
            ctl->ActionChange(this, false);
        else if (auto* mi = dynamic_cast<TMenuItem*>(c))
            mi->ActionChange(this, false);
    }
}

// ---------------------------------------------------------------------------------------------

TContainedAction::~TContainedAction() {
    SetActionList(nullptr);
}

void TContainedAction::SetActionList(TCustomActionList* v) {
    if (v == FActionList) return;
    if (FActionList) {
        auto& l = FActionList->FActions;
        l.erase(std::remove(l.begin(), l.end(), this), l.end());
        if (FActionList->OnChange) FActionList->OnChange(FActionList);
    }
    FActionList = v;
    if (v) {
        v->FActions.push_back(this);
        if (v->OnChange) v->OnChange(v);
    }
}

int TContainedAction::Index() const {
    if (!FActionList) return -1;
    auto& l = FActionList->FActions;
    auto it = std::find(l.begin(), l.end(), this);
    return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

// ---------------------------------------------------------------------------------------------

void TCustomAction::SetCaption(const String& v) {
    if (v == FCaption) return;
    FCaption = v;
    Change();
}

void TCustomAction::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    if (v && FGroupIndex > 0 && ActionList())
        for (int i = 0; i < ActionList()->ActionCount(); ++i)
            if (auto* a = dynamic_cast<TCustomAction*>(ActionList()->Actions(i)))
                if (a != this && a->FGroupIndex == FGroupIndex && a->FChecked) a->SetChecked(false);
    Change();
}

void TCustomAction::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Change();
}

void TCustomAction::SetVisible(bool v) {
    if (v == FVisible) return;
    FVisible = v;
    Change();
}

void TCustomAction::SetHint(const String& v) {
    if (v == FHint) return;
    FHint = v;
    Change();
}

void TCustomAction::SetImageIndex(int v) {
    if (v == FImageIndex) return;
    FImageIndex = v;
    Change();
}

void TCustomAction::SetShortCut(TShortCut v) {
    if (v == FShortCut) return;
    FShortCut = v;
    Change();
}

void TCustomAction::SetGroupIndex(int v) {
    FGroupIndex = v;
    Change();
}

void TCustomAction::SetAutoCheck(bool v) {
    FAutoCheck = v;
    Change();
}

bool TCustomAction::Update() {
    if (ActionList() && ActionList()->State() != asNormal) return false;
    if (ActionList() && ActionList()->UpdateAction(this)) return true;
    return TContainedAction::Update();
}

bool TCustomAction::Execute() {
    if (ActionList() && ActionList()->State() == asSuspended) return false;
    Update();
    if (!FEnabled) return false;
    if (FAutoCheck) SetChecked(!FChecked);
    if (ActionList() && ActionList()->ExecuteAction(this)) return true;
    return TContainedAction::Execute();
}

// ---------------------------------------------------------------------------------------------

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

void TCustomActionList::SetImages(TCustomImageList* v) {
    FollowImageList(FImages, v, FImageLink, nullptr);
}

TCustomActionList::~TCustomActionList() {
    Destroying();
    FImageLink.reset();
    std::vector<TContainedAction*> actions = FActions;
    for (TContainedAction* a : actions)
        a->FActionList = nullptr;
    FActions.clear();
}

TContainedAction* TCustomActionList::Actions(int Index) const {
    if (Index < 0 || Index >= ActionCount()) ListIndexError(Index);
    return FActions[static_cast<size_t>(Index)];
}

bool TCustomActionList::IsShortCut(TShortCut ShortCut) {
    if (ShortCut == scNone || FState != asNormal) return false;
    for (TContainedAction* a : FActions)
        if (auto* ca = dynamic_cast<TCustomAction*>(a))
            if (ca->ShortCut() == ShortCut) return ca->Execute();
    return false;
}

void TCustomActionList::UpdateActions() {
    if (FState != asNormal) return;
    std::vector<TContainedAction*> actions = FActions;
    for (TContainedAction* a : actions)
        a->Update();
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
    bool handled = false;
    if (OnExecute) OnExecute(Action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
    bool handled = false;
    if (OnUpdate) OnUpdate(Action, handled);
    return handled;
}
