// Menus over Qt actions: each item has a QAction (a QMenu when it has sub-items); a main menu
// fills its form's menu bar; a popup menu runs through the Interaction service.
#include "gui/Menus.h"

#include "gui/ActnList.h"
#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/Interaction.h"
#include "gui/qt/ImageListIcons.h"
#include "gui/qt/MenuAccess.h"
#include "gui/qt/QtSupport.h"

#include "classes/MetaBuilder.h"
#include "rtl/StrUtils.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

struct TMenuItem::Impl {
    std::unique_ptr<QAction> Action;
    std::unique_ptr<QMenu> SubMenu;
    std::function<void(QMenu*)> ShowHook;
    QAction* Display(const TMenuItem* item) const {
        return item->Count() > 0 && SubMenu ? SubMenu->menuAction() : Action.get();
    }
};

String StripHotkey(const String& Text) {
    String r;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '&') {
            if (i + 1 < Text.size() && Text[i + 1] == '&') {
                r += '&';
                ++i;
            }
            continue;
        }
        r += Text[i];
    }
    return r;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FImpl(std::make_unique<Impl>()) {
    EnsureQtApp();
    FImpl->Action = std::make_unique<QAction>();
    QObject::connect(FImpl->Action.get(), &QAction::triggered, FImpl->Action.get(), [this] {
        try {
            Click();
        } catch (...) {
            // Errors of a menu command end here, shown by the application.
            Application()->HandleException(this);
        }
    });
    UpdateAction();
}

TMenuItem::~TMenuItem() {
    Destroying();
    LinkActionClient(this, FAction, nullptr);
    while (!FItems.empty()) {
        TMenuItem* c = FItems.back();
        FItems.pop_back();
        c->FParent = nullptr;
        delete c;
    }
    if (FParent) FParent->Remove(this);
    if (FImpl->SubMenu) FImpl->SubMenu->disconnect();
    FImpl->Action->disconnect();
}

void TMenuItem::UpdateAction() {
    QAction* a = FImpl->Action.get();
    // A "-" caption makes the item a separator line; it shows no text (a separator with a text
    // would show as a titled section).
    QString text;
    if (!IsLine()) {
        text = ToQString(FCaption);
        if (FShortCut != scNone) text += "\t" + ToQString(ShortCutToText(FShortCut));
    }
    a->setText(text);
    a->setSeparator(IsLine());
    a->setCheckable(FChecked || FRadioItem || FAutoCheck);
    a->setChecked(FChecked);
    a->setEnabled(FEnabled);
    a->setVisible(FVisible);
    QFont f = a->font();
    f.setBold(FDefault);
    a->setFont(f);
    // The image from the menu's list; items on a menu bar show their caption only.
    QIcon icon;
    TMenu* menu = GetParentMenu();
    const bool onBar = dynamic_cast<TMainMenu*>(menu) && FParent && !FParent->FParent;
    if (menu && menu->Images() && FImageIndex >= 0 && !onBar && !IsLine())
        icon = ImageListIcon(menu->Images(), FImageIndex);
    a->setIcon(icon);
    if (QMenu* m = FImpl->SubMenu.get()) {
        m->setIcon(icon);
        m->setTitle(ToQString(FCaption));
        m->menuAction()->setEnabled(FEnabled);
        m->menuAction()->setVisible(FVisible);
    }
}

void TMenuItem::Changed() {
    UpdateAction();
    if (TMenu* m = GetParentMenu()) m->MenuChanged();
}

void TMenuItem::UpdateImages() {
    UpdateAction();
    for (TMenuItem* c : FItems)
        c->UpdateImages();
}

void TMenuItem::SetImageIndex(int v) {
    if (v == FImageIndex) return;
    FImageIndex = v;
    Changed();
}

void TMenuItem::Rebuild() {
    if (!FItems.empty()) {
        if (!FImpl->SubMenu) {
            FImpl->SubMenu = std::make_unique<QMenu>();
            QObject::connect(FImpl->SubMenu.get(), &QMenu::aboutToShow, FImpl->SubMenu.get(), [this] {
                for (TMenuItem* c : FItems)
                    c->InitiateAction();
                if (FParent && OnClick) OnClick(this);
                if (FImpl->ShowHook) FImpl->ShowHook(FImpl->SubMenu.get());
            });
        }
        QMenu* m = FImpl->SubMenu.get();
        m->clear();
        for (TMenuItem* c : FItems)
            m->addAction(c->FImpl->Display(c));
    }
    UpdateAction();
    if (FParent)
        FParent->Rebuild();
    else if (TMenu* menu = GetParentMenu())
        menu->MenuChanged();
}

void TMenuItem::SetCaption(const String& v) {
    FCaption = v;
    Changed();
}
void TMenuItem::SetShortCut(TShortCut v) {
    FShortCut = v;
    Changed();
}
void TMenuItem::SetChecked(bool v) {
    FChecked = v;
    if (v && FRadioItem && FParent)
        for (TMenuItem* s : FParent->FItems)
            if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex && s->FChecked) {
                s->FChecked = false;
                s->UpdateAction();
            }
    Changed();
}
void TMenuItem::SetRadioItem(bool v) {
    FRadioItem = v;
    Changed();
}
void TMenuItem::SetEnabled(bool v) {
    FEnabled = v;
    Changed();
}
void TMenuItem::SetVisible(bool v) {
    FVisible = v;
    Changed();
}
void TMenuItem::SetDefault(bool v) {
    FDefault = v;
    Changed();
}

void TMenuItem::SetAction(TBasicAction* v) {
    if (LinkActionClient(this, FAction, v)) ActionChange(v, false);
}

void TMenuItem::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (!a) return;
    if (!CheckDefaults || FCaption.empty()) FCaption = a->Caption();
    if (!CheckDefaults || !FChecked) FChecked = a->Checked();
    if (!CheckDefaults || FEnabled) FEnabled = a->Enabled();
    if (!CheckDefaults || FHint.empty()) FHint = a->Hint();
    if (!CheckDefaults || FImageIndex == -1) FImageIndex = a->ImageIndex();
    if (!CheckDefaults || FShortCut == scNone) FShortCut = a->ShortCut();
    if (!CheckDefaults || FVisible) FVisible = a->Visible();
    if (!CheckDefaults || FGroupIndex == 0) FGroupIndex = a->GroupIndex();
    if (!CheckDefaults || !FAutoCheck) FAutoCheck = a->AutoCheck();
    Changed();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAction) FAction = nullptr;
}

TMenuItem* TMenuItem::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
    return FItems[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i] == Item) return static_cast<int>(i);
    return -1;
}

int TMenuItem::MenuIndex() const {
    return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int v) {
    if (!FParent) return;
    TMenuItem* p = FParent;
    p->Remove(this);
    p->Insert(std::clamp(v, 0, p->Count()), this);
}

void TMenuItem::Add(TMenuItem* Item) {
    Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item->FParent) throw EMenuError("Menu inserted twice");
    if (Index < 0 || Index > Count()) throw EMenuError("Menu index out of range");
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    Item->UpdateImages();
    // A drop-down that already shows entries takes the new one in its place; the menus above it
    // show the same entries as before. (Rebuilding every menu up to the bar for each item made
    // building a menu of n items take n * n steps.)
    if (FParent && FImpl->SubMenu && Count() > 1) {
        TMenuItem* next = Index + 1 < Count() ? FItems[Index + 1] : nullptr;
        FImpl->SubMenu->insertAction(next ? next->FImpl->Display(next) : nullptr, Item->FImpl->Display(Item));
        return;
    }
    Rebuild();
}

void TMenuItem::Delete(int Index) {
    TMenuItem* c = Items(Index);
    delete c; // leaves this item's list
}

void TMenuItem::Remove(TMenuItem* Item) {
    int i = IndexOf(Item);
    if (i < 0) throw EMenuError("Sub-menu is not in menu");
    FItems.erase(FItems.begin() + i);
    Item->FParent = nullptr;
    if (!ComponentState().Contains(csDestroying)) Rebuild();
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        delete FItems.back();
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
    const String want = StripHotkey(ACaption);
    for (TMenuItem* c : FItems)
        if (AnsiSameText(StripHotkey(c->FCaption), want)) return c;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* i = this;
    while (i->FParent)
        i = i->FParent;
    return i->FMenu;
}

void TMenuItem::InitiateAction() {
    if (FAction) FAction->Update();
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    if (FAutoCheck && !(FAction && dynamic_cast<TCustomAction*>(FAction) &&
                        static_cast<TCustomAction*>(FAction)->AutoCheck()))
        SetChecked(!FChecked);
    if (OnClick)
        OnClick(this);
    else if (FAction)
        FAction->Execute();
}

// ---------------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    Destroying();
    FImageLink.reset();
    FItems.reset();
}

void TMenu::SetImages(TCustomImageList* v) {
    FollowImageList(FImages, v, FImageLink, [this] { FItems->UpdateImages(); });
}

namespace {

TMenuItem* FindShortCut(TMenuItem* item, TShortCut sc) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* c = item->Items(i);
        if (c->ShortCut() == sc && !c->IsLine()) return c;
        if (TMenuItem* f = FindShortCut(c, sc)) return f;
    }
    return nullptr;
}

void CollectPaths(const TMenuItem* item, const String& prefix, std::vector<String>& out) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* c = item->Items(i);
        if (!c->Visible() || c->IsLine()) continue;
        String path = prefix + StripHotkey(c->Caption());
        out.push_back(path);
        CollectPaths(c, path + "/", out);
    }
}

} // namespace

TMenuItem* TMenu::FindItemByShortCut(TShortCut ShortCut) const {
    if (ShortCut == scNone) return nullptr;
    return FindShortCut(FItems.get(), ShortCut);
}

TMenuItem* TMenu::FindItemByPath(const String& Path) const {
    TMenuItem* item = FItems.get();
    String rest = Path;
    while (item && !rest.empty()) {
        size_t p = rest.find('/');
        String part = rest.substr(0, p);
        rest = p == String::npos ? String() : rest.substr(p + 1);
        item = item->Find(part);
    }
    return item == FItems.get() ? nullptr : item;
}

bool TMenu::IsShortCut(TShortCut ShortCut) {
    TMenuItem* item = FindItemByShortCut(ShortCut);
    if (!item) return false;
    // An item under a disabled parent does not run.
    for (TMenuItem* p = item->Parent(); p; p = p->Parent())
        if (!p->Enabled()) return true;
    item->InitiateAction();
    item->Click();
    return true;
}

TMainMenu::~TMainMenu() {
    SetWindowMenuBar(nullptr);
}

void TMainMenu::SetWindowMenuBar(void* bar) {
    if (FBar && FBar != bar) static_cast<QMenuBar*>(FBar)->clear();
    FBar = bar;
    MenuChanged();
}

void TMainMenu::MenuChanged() {
    auto* bar = static_cast<QMenuBar*>(FBar);
    if (!bar) return;
    bar->clear();
    for (int i = 0; i < Items()->Count(); ++i) {
        TMenuItem* c = Items()->Items(i);
        bar->addAction(TMenuAccess::Display(c));
    }
}

QAction* TMenuAccess::Display(TMenuItem* item) {
    return item->FImpl->Display(item);
}

void TPopupMenu::Popup(int X, int Y) {
    if (OnPopup) OnPopup(this);
    for (int i = 0; i < Items()->Count(); ++i)
        Items()->Items(i)->InitiateAction();
    if (Interaction::HasResponder()) {
        TInteractionRequest r;
        r.Kind = TInteractionKind::PopupMenu;
        r.Caption = Name();
        r.Position = TPoint(X, Y);
        CollectPaths(Items(), String(), r.Items);
        TInteractionAnswer a = Interaction::Ask(r);
        if (a.Text.empty()) return;
        TMenuItem* item = FindItemByPath(a.Text);
        if (!item) throw EMenuError("No menu item \"" + a.Text + "\" in " + Name());
        item->Click();
        return;
    }
    QMenu menu;
    for (int i = 0; i < Items()->Count(); ++i)
        menu.addAction(TMenuAccess::Display(Items()->Items(i)));
    menu.exec(QPoint(X, Y));
}

TMenuItem* NewItem(TComponent* AOwner, const String& ACaption, TShortCut AShortCut, bool AChecked,
                   bool AEnabled, TNotifyEvent AOnClick, const String& AName) {
    auto* item = new TMenuItem(AOwner); // owned by AOwner (or by the caller when it has none)
    if (!AName.empty()) item->SetName(AName);
    item->SetCaption(ACaption);
    item->SetShortCut(AShortCut);
    item->SetChecked(AChecked);
    item->SetEnabled(AEnabled);
    item->OnClick = std::move(AOnClick);
    return item;
}

TMenuItem* NewLine(TComponent* AOwner) {
    return NewItem(AOwner, "-", scNone, false, true, nullptr);
}

QMenu* TMenuAccess::SubMenu(TMenuItem* item) {
    return item->Count() > 0 ? item->FImpl->SubMenu.get() : nullptr;
}

void TMenuAccess::SetShowHook(TMenuItem* item, std::function<void(QMenu*)> hook) {
    item->FImpl->ShowHook = std::move(hook);
}
