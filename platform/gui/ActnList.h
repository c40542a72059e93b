// Actions: a command with a caption, hint, image, shortcut and state (enabled, visible, checked)
// that menu items, buttons and tool buttons follow. Changing the action changes every linked
// client; clicking a client executes the action. Action lists hold actions, take their shortcuts
// and update them when the application is idle.
#pragma once

#include "classes/Component.h"
#include "gui/Input.h"

#include <memory>
#include <vector>

class TCustomActionList;
class TCustomImageList;
class TChangeLink;

class TBasicAction : public TComponent {
    ORV_META(TBasicAction, TComponent)
    explicit TBasicAction(TComponent* AOwner);
    ~TBasicAction() override;
    // Runs OnExecute; true when the action was handled.
    virtual bool Execute();
    // Runs OnUpdate; true when there was a handler.
    virtual bool Update();
    // The client (a control or menu item) that last executed the action.
    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* v) { FActionComponent = v; }

    // Clients follow the action: they are told of every change.
    void RegisterChanges(TComponent* Client);
    void UnregisterChanges(TComponent* Client);
    int ClientCount() const { return static_cast<int>(FClients.size()); }

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    // Tells every client of a change.
    void Change();

private:
    std::vector<TComponent*> FClients;
    TComponent* FActionComponent = nullptr;
};

// Links a client (a control or a menu item) whose action is held in `slot` to `action`: the client
// leaves the old action's clients, joins the new one's and hears when it is freed. True when the
// client now has a new action, whose properties it then takes; nullptr unlinks.
bool LinkActionClient(TComponent* client, TBasicAction*& slot, TBasicAction* action);

class TContainedAction : public TBasicAction {
    ORV_META(TContainedAction, TBasicAction)
    explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    ~TContainedAction() override;
    TCustomActionList* ActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* v);
    const String& Category() const { return FCategory; }
    void SetCategory(const String& v) { FCategory = v; }
    int Index() const;

private:
    friend class TCustomActionList;
    TCustomActionList* FActionList = nullptr;
    String FCategory;
};

class TCustomAction : public TContainedAction {
    ORV_META(TCustomAction, TContainedAction)
    explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}
    // Updates the action, then, when enabled, toggles AutoCheck and runs the action list's
    // OnExecute or the action's own.
    bool Execute() override;
    bool Update() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    bool Checked() const { return FChecked; }
    // A checked action of a group (GroupIndex > 0) unchecks the others of its list.
    void SetChecked(bool v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    const String& Hint() const { return FHint; }
    void SetHint(const String& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut v);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int v) { FHelpContext = v; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool v);
    // Disabled while it has no OnExecute (and its list none).
    bool DisableIfNoHandler() const { return FDisableIfNoHandler; }
    void SetDisableIfNoHandler(bool v) { FDisableIfNoHandler = v; }

private:
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    String FHint;
    int FImageIndex = -1;
    TShortCut FShortCut = scNone;
    int FHelpContext = 0;
    int FGroupIndex = 0;
    bool FAutoCheck = false;
    bool FDisableIfNoHandler = true;
};

class TAction : public TCustomAction {
    ORV_META(TAction, TCustomAction)
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;
enum TActionListState { asNormal, asSuspended, asSuspendedEnabled };
ORV_ENUM(TActionListState, asNormal, asSuspended, asSuspendedEnabled)

class TCustomActionList : public TComponent {
    ORV_META(TCustomActionList, TComponent)
    explicit TCustomActionList(TComponent* AOwner);
    ~TCustomActionList() override;
    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TContainedAction* Actions(int Index) const;
    // The images of the actions' ImageIndex (cleared when the list is freed).
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    TActionListState State() const { return FState; }
    void SetState(TActionListState v) { FState = v; }
    // Runs the enabled action with that shortcut; true when one ran.
    bool IsShortCut(TShortCut ShortCut);
    // Runs OnUpdate of every action (the application does it when idle).
    void UpdateActions();
    // The list's OnExecute may take an action's execution (Handled true).
    bool ExecuteAction(TBasicAction* Action);
    bool UpdateAction(TBasicAction* Action);

    TActionEvent OnExecute;
    TActionEvent OnUpdate;
    TNotifyEvent OnChange;

private:
    friend class TContainedAction;
    std::vector<TContainedAction*> FActions;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageLink;
    TActionListState FState = asNormal;
};

class TActionList : public TCustomActionList {
    ORV_META(TActionList, TCustomActionList)
    explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};
