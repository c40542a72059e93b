// Menus: TMenuItem (caption with "&" accelerators, "-" for a separator, shortcut, checked and
// radio items, groups, enabled, visible, image, sub-items, OnClick, action), TMainMenu (the menu
// bar of a form) and TPopupMenu (shown at a point; through the Interaction service).
#pragma once

#include "classes/Component.h"
#include "gui/Input.h"

#include <memory>
#include <vector>

class TMenu;
class TBasicAction;
class TCustomImageList;
class TChangeLink;
struct TMenuAccess;

ORV_DECLARE_EXCEPTION(EMenuError, Exception)

class TMenuItem : public TComponent {
    ORV_META(TMenuItem, TComponent)
    explicit TMenuItem(TComponent* AOwner);
    // Frees its sub-items with it.
    ~TMenuItem() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    bool IsLine() const { return FCaption == "-"; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut v);
    bool Checked() const { return FChecked; }
    // A checked radio item unchecks the other radio items of its group among its siblings.
    void SetChecked(bool v);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool v) { FAutoCheck = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    // The image of the menu's Images shown before the caption (-1: none).
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    const String& Hint() const { return FHint; }
    void SetHint(const String& v) { FHint = v; }
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* v);

    // --- the tree ---------------------------------------------------------------------------------
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const;
    TMenuItem* operator[](int Index) const { return Items(Index); }
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void SetMenuIndex(int v);
    int IndexOf(const TMenuItem* Item) const;
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Frees the sub-item at Index.
    void Delete(int Index);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* Item);
    // Frees every sub-item.
    void Clear();
    // The sub-item with that caption (ignoring "&" and case), nullptr when none.
    TMenuItem* Find(const String& ACaption) const;
    // The menu the item belongs to (through its root).
    TMenu* GetParentMenu() const;

    // Runs the item: AutoCheck toggles, then OnClick or the action. Nothing when disabled.
    virtual void Click();
    // Lets the linked action update itself.
    void InitiateAction();
    void ActionChange(TBasicAction* Sender, bool CheckDefaults);

    TNotifyEvent OnClick;

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TMenu;
    friend struct TMenuAccess;

    ORV_DECLARE_EXCEPTION(EMenuError, Exception)
    void Changed();
    void Rebuild();
    void UpdateAction();
    // The item and its sub-items show their images anew.
    void UpdateImages();

    String FCaption;
    TShortCut FShortCut = scNone;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FAutoCheck = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    int FImageIndex = -1;
    String FHint;
    TBasicAction* FAction = nullptr;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item
    std::vector<TMenuItem*> FItems;
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

class TMenu : public TComponent {
    ORV_META(TMenu, TComponent)
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    // The root item; the menu's entries are its sub-items.
    TMenuItem* Items() const { return FItems.get(); }
    // The images the items show by their ImageIndex (not on the menu bar itself).
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    // Runs the enabled item with that shortcut; true when an item has it.
    bool IsShortCut(TShortCut ShortCut);
    // The item with that shortcut, nullptr when none.
    TMenuItem* FindItemByShortCut(TShortCut ShortCut) const;
    // The item at the caption path "File/Save" ("&" and case ignored), nullptr when none.
    TMenuItem* FindItemByPath(const String& Path) const;

protected:
    friend class TMenuItem;
    virtual void MenuChanged() {}

private:
    std::unique_ptr<TMenuItem> FItems;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageLink;
};

class TMainMenu : public TMenu {
    ORV_META(TMainMenu, TMenu)
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
    ~TMainMenu() override;
    // Used by the form: the bar that shows the menu (nullptr detaches it).
    void SetWindowMenuBar(void* bar);

protected:
    void MenuChanged() override;

private:
    void* FBar = nullptr; // QMenuBar of the form
};

enum TPopupAlignment { paLeft, paRight, paCenter };
ORV_ENUM(TPopupAlignment, paLeft, paRight, paCenter)

class TPopupMenu : public TMenu {
    ORV_META(TPopupMenu, TMenu)
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
    // Shows the menu at the screen point and runs the item chosen.
    virtual void Popup(int X, int Y);
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment v) { FAlignment = v; }
    // The control the menu was shown for.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* v) { FPopupComponent = v; }
    TNotifyEvent OnPopup;

private:
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    TComponent* FPopupComponent = nullptr;
};

// The caption without its "&" accelerator marks ("&&" stays one "&").
String StripHotkey(const String& Text);
// A new item (owned by AOwner) for building menus in code.
TMenuItem* NewItem(TComponent* AOwner, const String& ACaption, TShortCut AShortCut, bool AChecked,
                   bool AEnabled, TNotifyEvent AOnClick, const String& AName = String());
TMenuItem* NewLine(TComponent* AOwner);
