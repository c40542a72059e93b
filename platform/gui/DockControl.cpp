// Docking of controls and forms: docking into a site and floating through the sites' hooks,
// floating windows of controls other than forms, and the dock state of sites.
#include "gui/Docking.h"

#include "gui/qt/ControlImpl.h"
#include "gui/qt/DockAccess.h"
#include "gui/qt/FormAccess.h"

#include <algorithm>

namespace {

// The floating window of a control other than a form: a tool window whose client area the
// control fills. Closing it hides the control.
class TDockFloatForm : public TForm {
public:
    // owner: the form the control came from, which the window stays above.
    TDockFloatForm(TControl* client, TCustomForm* owner) : TForm(owner) {
        SetBorderStyle(bsSizeToolWin);
        SetCaption(client->Caption().empty() ? client->Name() : client->Caption());
        OnClose = [client](TObject*, TCloseAction& action) {
            client->Hide();
            action = caHide;
        };
    }
    String ClassName() const override { return "TDockFloatForm"; }
};

} // namespace

// --- the dock state -------------------------------------------------------------------------

int TDockAccess::SiteLength(const TWinControl* site) {
    switch (site->Align()) {
    case alLeft:
    case alRight:
        return site->Width();
    case alTop:
    case alBottom:
        return site->Height();
    default:
        return 0;
    }
}

void TDockAccess::SetSiteLength(TWinControl* site, int length) {
    switch (site->Align()) {
    case alLeft:
    case alRight:
        site->SetWidth(length);
        break;
    case alTop:
    case alBottom:
        site->SetHeight(length);
        break;
    default:
        break;
    }
}

void TDockAccess::GrowToFit(TWinControl* site, TControl* control) {
    if (!site->AutoSize()) return;
    const bool across = site->Align() == alLeft || site->Align() == alRight;
    const int wanted = across ? control->UndockWidth() : control->UndockHeight();
    if (SiteLength(site) < wanted) SetSiteLength(site, wanted);
}

void TDockAccess::EmptiedSite(TWinControl* site) {
    if (site->AutoSize() && site->DockSite() && SiteLength(site) > 0) SetSiteLength(site, 0);
}

void TDockAccess::Detach(TControl* control) {
    if (TWinControl* old = control->FHostDockSite) {
        auto& clients = old->FDockClients;
        clients.erase(std::remove(clients.begin(), clients.end(), control), clients.end());
        control->FHostDockSite = nullptr;
        if (old->FDockManager) old->FDockManager->RemoveControl(control);
        // The site lays out what stays (a control bar closes the gap).
        old->Realign();
        old->Invalidate();
    }
    if (TCustomForm* host = control->FFloatHost) {
        control->FFloatHost = nullptr;
        host->OnClose = nullptr;
        control->SetParent(nullptr);
        host->Release();
    }
}

void TDockAccess::Attach(TControl* control, TWinControl* site, TControl* dropControl, TAlign side) {
    if (control->FHostDockSite == site) {
        // Moved inside its site: only its place changes.
        if (dropControl && dropControl != control && site->FDockManager)
            site->FDockManager->InsertControl(control, side, dropControl);
        return;
    }
    Detach(control);
    // The size it leaves with is the size it came with.
    if (control->FUndockWidth == 0) control->FUndockWidth = control->FWidth;
    if (control->FUndockHeight == 0) control->FUndockHeight = control->FHeight;
    auto* form = dynamic_cast<TCustomForm*>(control);
    control->SetParent(site);
    if (form) TFormAccess::BecomeChild(form);
    control->FHostDockSite = site;
    site->FDockClients.push_back(control);
    GrowToFit(site, control);
    if (site->FUseDockManager && site->FDockManager)
        site->FDockManager->InsertControl(control, side, dropControl);
}

void TDockAccess::ControlDestroyed(TControl* control) {
    if (TWinControl* old = control->FHostDockSite) {
        auto& clients = old->FDockClients;
        clients.erase(std::remove(clients.begin(), clients.end(), control), clients.end());
        control->FHostDockSite = nullptr;
        if (old->FDockManager && !old->ComponentState().Contains(csDestroying))
            old->FDockManager->RemoveControl(control);
    }
    if (TCustomForm* host = control->FFloatHost) {
        control->FFloatHost = nullptr;
        host->OnClose = nullptr;
        // A window freed with the form it came from takes the control with it.
        if (!host->ComponentState().Contains(csDestroying)) host->Release();
    }
}

// --- controls -------------------------------------------------------------------------------

bool TControl::Floating() const {
    return FFloatHost != nullptr || (dynamic_cast<const TCustomForm*>(this) && !FParent && !FHostDockSite);
}

bool TControl::ManualDock(TWinControl* NewDockSite, TControl* DropControl, TAlign ControlSide) {
    if (!NewDockSite || NewDockSite == this) return false;
    if (FHostDockSite && FHostDockSite != NewDockSite && !FHostDockSite->DoUnDock(NewDockSite, this))
        return false;
    TDragDockObject source(this);
    source.DragTarget = NewDockSite;
    source.DropOnControl = DropControl;
    source.DropAlign = ControlSide;
    source.DragPos = NewDockSite->ClientToScreen(Point(0, 0));
    source.DockRect = Bounds(source.DragPos.X, source.DragPos.Y, NewDockSite->Width(), NewDockSite->Height());
    NewDockSite->DockDrop(source, 0, 0);
    if (FHostDockSite != NewDockSite) return false;
    if (OnEndDock) OnEndDock(this, NewDockSite, 0, 0);
    return true;
}

bool TControl::ManualFloat(const TRect& ScreenPos) {
    if (FHostDockSite && !FHostDockSite->DoUnDock(nullptr, this)) return false;
    if (auto* form = dynamic_cast<TCustomForm*>(this)) {
        TDockAccess::Detach(this);
        SetParent(nullptr);
        TFormAccess::BecomeWindow(form);
        form->SetBounds(ScreenPos.Left, ScreenPos.Top, ScreenPos.Width(), ScreenPos.Height());
    } else if (FFloatHost) {
        FFloatHost->SetBounds(ScreenPos.Left, ScreenPos.Top, FFloatHost->Width(), FFloatHost->Height());
        FFloatHost->SetClientWidth(ScreenPos.Width());
        FFloatHost->SetClientHeight(ScreenPos.Height());
    } else {
        TCustomForm* from = GetParentForm();
        if (!from) from = dynamic_cast<TCustomForm*>(Owner());
        TDockAccess::Detach(this);
        // Released when the control docks again or goes (or freed with the form it came from).
        auto* host = new TDockFloatForm(this, from);
        host->SetBounds(ScreenPos.Left, ScreenPos.Top, ScreenPos.Width(), ScreenPos.Height());
        host->SetClientWidth(ScreenPos.Width());
        host->SetClientHeight(ScreenPos.Height());
        FFloatHost = host;
        SetParent(host);
        SetAlign(alClient);
        if (Visible()) host->Show();
    }
    if (OnEndDock) OnEndDock(this, nullptr, ScreenPos.Left, ScreenPos.Top);
    return true;
}

// --- sites ----------------------------------------------------------------------------------

TControl* TWinControl::DockClients(int Index) const {
    if (Index < 0 || Index >= DockClientCount()) ListIndexError(Index);
    return FDockClients[static_cast<size_t>(Index)];
}

void TWinControl::SetUseDockManager(bool v) {
    FUseDockManager = v;
    if (v && !FDockManager) FDockManager = std::make_unique<TDockTree>(this);
}

void TWinControl::SetAutoSize(bool v) {
    FAutoSize = v;
}

void TWinControl::DockOver(TDragDockObject& Source, int X, int Y, bool& Accept) {
    if (OnDockOver) OnDockOver(this, Source, X, Y, Accept);
}

void TWinControl::DockDrop(TDragDockObject& Source, int X, int Y) {
    TDockAccess::Attach(Source.Control, this, Source.DropOnControl, Source.DropAlign);
    if (OnDockDrop) OnDockDrop(this, Source, X, Y);
}

bool TWinControl::DoUnDock(TWinControl* NewTarget, TControl* Client) {
    bool allow = true;
    if (OnUnDock) OnUnDock(this, Client, NewTarget, allow);
    return allow;
}

void TWinControl::ReloadDockedControl(const String& ControlName, TControl*& Control) {
    Control = Owner() ? dynamic_cast<TControl*>(Owner()->FindComponent(ControlName)) : nullptr;
}
