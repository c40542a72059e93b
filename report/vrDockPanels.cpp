// The tool-bar panel and the dock site.
#include "report/vrDock.h"

#include "classes/MetaBuilder.h"
#include "rtl/StrUtils.h"

ORV_META_IMPL(TvrTBPanel)
void TvrTBPanel::DeclareMeta(meta::Class<TvrTBPanel>&) {}

ORV_META_IMPL(TvrDockSite)
void TvrDockSite::DeclareMeta(meta::Class<TvrDockSite>& c) {
    c.Property("Size", &TvrDockSite::Size, &TvrDockSite::SetSize).Default(0);
}

// --- the tool-bar panel ---------------------------------------------------------------------

TvrTBPanel::TvrTBPanel(TComponent* AOwner) : TPanel(AOwner) {
    SetAlign(alLeft);
    SetBounds(0, 0, 8, 8);
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
}

// In a vertical tool bar (a panel whose parent lies along the left or right) the panel lies on top.
void TvrTBPanel::SetParent(TWinControl* NewParent) {
    TPanel::SetParent(NewParent);
    if (ComponentState().Contains(csDestroying)) return;
    if (auto* panel = dynamic_cast<TPanel*>(NewParent)) {
        TWinControl* outer = panel->Parent();
        const bool vertical = outer && (outer->Align() == alLeft || outer->Align() == alRight);
        SetAlign(vertical ? alTop : alLeft);
    }
}

void TvrTBPanel::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, Width(), Height()));
    if (ComponentState().Contains(csDesigning)) {
        c->Pen()->SetColor(clBtnShadow);
        c->Pen()->SetStyle(psDot);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(0, 0, Width() - 1, Height() - 1);
        c->Pen()->SetStyle(psSolid);
        c->Brush()->SetStyle(bsSolid);
    }
}

// --- the dock site --------------------------------------------------------------------------

TvrDockSite::TvrDockSite(TComponent* AOwner) : TPanel(AOwner) {
    SetAlign(alLeft);
    SetCaption(" ");
    SetAutoSize(true);
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBounds(0, 0, 10, 10);
    // The designer switches docking on for its own sites.
    SetDockSite(ComponentState().Contains(csDesigning));
    SetUseDockManager(true);
    FSplitter = new TDockSplitter(this);
    FSplitter->SetVisible(false);
}

void TvrDockSite::SetDesignerForm(TCustomForm* value) {
    FDesignerForm = value;
    if (value) value->FreeNotification(this);
}

void TvrDockSite::Notification(TComponent* AComponent, TOperation Operation) {
    TPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FDesignerForm) FDesignerForm = nullptr;
    if (AComponent == FSplitter) FSplitter = nullptr;
}

void TvrDockSite::SetParent(TWinControl* NewParent) {
    TPanel::SetParent(NewParent);
    if (FSplitter && !ComponentState().Contains(csDestroying)) FSplitter->SetParent(NewParent);
}

// The splitter takes the site's alignment and lies just after a site on the top or left, just
// before one on the bottom or right.
void TvrDockSite::BoundsChanged() {
    TPanel::BoundsChanged();
    if (!FSplitter || !FSplitter->Parent() || FSplitter->Align() == Align()) return;
    const int t = TDockSplitter::Thickness;
    switch (Align()) {
    case alTop:
        FSplitter->SetBounds(Left(), Top() + Height() + t, Width(), t);
        break;
    case alBottom:
        FSplitter->SetBounds(Left(), Top() - t, Width(), t);
        break;
    case alLeft:
        FSplitter->SetBounds(Left() + Width() + t, Top(), t, Height());
        break;
    case alRight:
        FSplitter->SetBounds(Left() - t, Top(), t, Height());
        break;
    default:
        break;
    }
    FSplitter->SetAlign(Align());
}

bool TvrDockSite::Welcomes(const TControl* control) const {
    const String ownerName = control->Owner() ? control->Owner()->Name() : String();
    const String designerName = FDesignerForm ? FDesignerForm->Name() : String();
    return ownerName == designerName;
}

void TvrDockSite::DockOver(TDragDockObject& Source, int X, int Y, bool& Accept) {
    if (!Welcomes(Source.Control)) {
        Accept = false;
        return;
    }
    FDraggedSize = Horizontal() ? Source.Control->Height() : Source.Control->Width();
    TPanel::DockOver(Source, X, Y, Accept);
}

// After the drop the site is at least as thick as what was dragged over it, and its splitter
// shows.
void TvrDockSite::DockDrop(TDragDockObject& Source, int X, int Y) {
    if (!Welcomes(Source.Control)) return;
    TPanel::DockDrop(Source, X, Y);
    const int thickness = Horizontal() ? Height() : Width();
    if (thickness < FDraggedSize) {
        SetAutoSize(false);
        if (Horizontal())
            SetHeight(FDraggedSize);
        else
            SetWidth(FDraggedSize);
        SetAutoSize(true);
    }
    if (FSplitter) FSplitter->Show();
}

bool TvrDockSite::DoUnDock(TWinControl* NewTarget, TControl* Client) {
    if (NewTarget && NewTarget->Owner() != Owner()) return false;
    if (!TPanel::DoUnDock(NewTarget, Client)) return false;
    if (FSplitter && DockClientCount() <= 1) FSplitter->Hide();
    return true;
}

void TvrDockSite::ReloadDockedControl(const String& ControlName, TControl*& Control) {
    Control = nullptr;
    if (!ControlName.empty() && FDesignerForm && FDesignerForm->ComponentCount() > 0)
        for (int i = 0; i < FDesignerForm->ComponentCount(); ++i) {
            TComponent* c = FDesignerForm->Components(i);
            if (ContainsStr(c->Name(), ControlName)) {
                Control = dynamic_cast<TControl*>(c);
                return;
            }
        }
    Control = dynamic_cast<TControl*>(FindGlobalComponent(ControlName));
}
