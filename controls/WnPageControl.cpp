#include "controls/WnPageControl.h"

#include "classes/MetaBuilder.h"
#include "gui/Forms.h"
#include "rtl/Format.h"

#include <algorithm>

// ---- sheets

TWnTabSheet::TWnTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
    TCustomControl::SetVisible(false);
    TCustomControl::SetColor(clBtnFace);
    PaintWithBackground(false);
    SetAlign(alClient);
}

TWnTabSheet::~TWnTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TWnTabSheet::SetPageControl(TWnPageControl* Value) {
    if (Value == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(Value);
    if (Value) Value->InsertPage(this);
}

int TWnTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TWnTabSheet::SetPageIndex(int Value) {
    if (!FPageControl) return;
    const int last = FPageControl->PageCount() - 1;
    if (Value < 0 || Value > last)
        throw EWnTabControlError(
            Format("%d is an invalid PageIndex value. PageIndex must be between 0 and %d", {Value, last}));
    FPageControl->MovePage(this, Value);
}

int TWnTabSheet::SheetTabIndex() const {
    if (!FTabVisible || !FPageControl) return -1;
    int n = 0;
    for (TWnTabSheet* page : FPageControl->FPages) {
        if (page == this) return n;
        if (page->FTabVisible) ++n;
    }
    return -1;
}

void TWnTabSheet::Changed() {
    if (FPageControl) FPageControl->RequestLayout();
}

void TWnTabSheet::SetTabEnabled(bool Value) {
    if (Value == FTabEnabled) return;
    FTabEnabled = Value;
    Changed();
}

void TWnTabSheet::SetTabVisible(bool Value) {
    if (Value == FTabVisible) return;
    FTabVisible = Value;
    Changed();
}

void TWnTabSheet::SetImageIndex(int Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Changed();
}

void TWnTabSheet::SetDisabledIndex(int Value) {
    if (Value == FDisabledIndex) return;
    FDisabledIndex = Value;
    Changed();
}

void TWnTabSheet::SetColor(TColor Value) {
    if (Value == Color()) return;
    if (TWnPageControl* pc = FPageControl) {
        if (!pc->UseColoredTabs() && Value != pc->Color()) pc->SetUseColoredTabs(true);
        if (!pc->UseColoredTabs() && Color() == pc->Color()) return;
    }
    TCustomControl::SetColor(Value);
    Invalidate();
    Changed();
}

void TWnTabSheet::SetVisible(bool) {
    throw EWnTabControlError("You cannot change the Visible property of a page");
}

void TWnTabSheet::ShowSheet(bool Value) {
    if (Value == Visible()) return;
    TCustomControl::SetVisible(Value);
    try {
        if (Value && OnShow) OnShow(this);
        if (!Value && OnHide) OnHide(this);
    } catch (...) {
        Application()->HandleException(this);
    }
}

void TWnTabSheet::SetTextValue(const String& v) {
    TCustomControl::SetTextValue(v);
    Changed();
}

void TWnTabSheet::Paint() {
    const TRect r(0, 0, Width(), Height());
    bool handled = false;
    if (OnPaintBackground) OnPaintBackground(this, Canvas(), r, handled);
    if (handled) return;
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
}

// ---- page control

TWnPageControl::TWnPageControl(TComponent* AOwner) : TWnCustomTabControl(AOwner) {
    SetHeight(150);
    SetUseColoredTabs(false);
    TCustomControl::SetColor(clBtnFace);
}

TWnPageControl::~TWnPageControl() {
    for (TWnTabSheet* page : FPages)
        page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TWnTabSheet* TWnPageControl::Pages(int Index) const {
    if (Index < 0 || Index >= PageCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FPages[static_cast<size_t>(Index)];
}

void TWnPageControl::InsertPage(TWnTabSheet* Page) {
    FPages.push_back(Page);
    Page->FPageControl = this;
    RequestLayout();
}

void TWnPageControl::RemovePage(TWnTabSheet* Page) {
    if (Page == FActivePage) SetActivePage(nullptr);
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    Page->FPageControl = nullptr;
    RequestLayout();
}

void TWnPageControl::MovePage(TWnTabSheet* Page, int NewIndex) {
    const int old = Page->PageIndex();
    if (old == NewIndex) return;
    FPages.erase(FPages.begin() + old);
    FPages.insert(FPages.begin() + NewIndex, Page);
    RequestLayout();
    DoTabOrderChange(old, NewIndex);
}

void TWnPageControl::RequestLayout() {
    FTabs.Clear();
    for (TWnTabSheet* page : FPages) {
        if (!page->TabVisible()) continue;
        TWnTabData* tab = FTabs.Add();
        tab->Caption = page->Caption();
        tab->Color = page->Color();
        tab->Enabled = page->TabEnabled();
        tab->Visible = page->TabVisible();
        tab->Hint = page->Hint();
        tab->ImageIndex = page->ImageIndex();
        tab->DisabledIndex = page->DisabledIndex();
    }
    if (FActivePage) {
        const int t = FActivePage->SheetTabIndex();
        if (t != TabIndex()) SyncTabIndex(t);
    }
    TWnCustomTabControl::RequestLayout();
}

TWnTabSheet* TWnPageControl::PageForTab(int TabIndex) const {
    if (TabIndex < 0) return nullptr;
    for (TWnTabSheet* page : FPages)
        if (page->SheetTabIndex() == TabIndex) return page;
    return nullptr;
}

void TWnPageControl::SetActivePage(TWnTabSheet* Value) {
    if (Value && Value->FPageControl != this) return;
    if (Loading()) {
        FActivePage = Value;
        return;
    }
    const int t = Value ? Value->SheetTabIndex() : -1;
    if (t < 0) {
        ShowPage(Value);
        DoPageChange();
    }
    SetTabIndex(t);
}

int TWnPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TWnPageControl::SetActivePageIndex(int Value) {
    if (Value < 0 || Value >= PageCount())
        SetTabIndex(-1);
    else
        SetActivePage(Pages(Value));
}

void TWnPageControl::ShowPage(TWnTabSheet* Page) {
    if (Page == FActivePage) return;
    TWnTabSheet* old = FActivePage;
    TCustomForm* form = GetParentForm();
    const bool focusInOld =
        form && old && form->ActiveControl() && old->ContainsControl(form->ActiveControl());
    if (Page) {
        Page->BringToFront();
        Page->ShowSheet(true);
    }
    if (old) old->ShowSheet(false);
    FActivePage = Page;
    if (focusInOld) {
        // The focus does not stay on a control about to be hidden.
        TWinControl* next = nullptr;
        if (Page)
            for (TWinControl* c : Page->TabList())
                if (c->CanFocus()) {
                    next = c;
                    break;
                }
        if (!next && CanFocus()) next = this;
        if (next) next->SetFocus();
    }
}

void TWnPageControl::DoChanging(int NewIndex, bool& AllowChange) {
    if (!FLoadingGuard) TWnCustomTabControl::DoChanging(NewIndex, AllowChange);
    if (AllowChange) ShowPage(PageForTab(NewIndex));
}

void TWnPageControl::DoChange() {
    if (!FLoadingGuard) TWnCustomTabControl::DoChange();
}

void TWnPageControl::DoPageChange() {
    if (!FLoadingGuard) TWnCustomTabControl::DoPageChange();
}

void TWnPageControl::DoPaintCardBackground(TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled) {
    TWnCustomTabControl::DoPaintCardBackground(ACanvas, ARow, ARect, Handled);
    if (Handled || ARow != 0 || !FActivePage || TabIndex() < 0) return;
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(FActivePage->Color());
    ACanvas->FillRect(ARect);
    Handled = true;
}

void TWnPageControl::HideAllTabs() {
    for (TWnTabSheet* page : std::vector<TWnTabSheet*>(FPages))
        page->SetTabVisible(false);
}

void TWnPageControl::ShowAllTabs() {
    for (TWnTabSheet* page : std::vector<TWnTabSheet*>(FPages))
        page->SetTabVisible(true);
}

TWnTabSheet* TWnPageControl::FindNextPage(TWnTabSheet* Start, bool GoForward, bool CheckTabVisible) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), Start);
    int i = it == FPages.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(it - FPages.begin());
    const int start = i;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TWnTabSheet* page = FPages[static_cast<size_t>(i)];
        if (!CheckTabVisible || page->TabVisible()) return page;
    } while (i != start);
    return nullptr;
}

void TWnPageControl::SelectNextPage(bool GoForward) {
    if (TWnTabSheet* page = FindNextPage(FActivePage, GoForward, true)) SetActivePage(page);
}

bool TWnPageControl::DialogKey(Word Key, TShiftState Shift) {
    if (TWnCustomTabControl::DialogKey(Key, Shift)) return true;
    if (Key != VK_TAB || !Shift.Contains(ssCtrl)) return false;
    TCustomForm* form = GetParentForm();
    TWinControl* active = form ? form->ActiveControl() : nullptr;
    if (!active || (active != this && !ContainsControl(active))) return false;
    SelectNextPage(!Shift.Contains(ssShift));
    return true;
}

void TWnPageControl::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_TAB && Shift.Contains(ssCtrl)) {
        SelectNextPage(!Shift.Contains(ssShift));
        Key = 0;
        return;
    }
    TWnCustomTabControl::KeyDown(Key, Shift);
}

void TWnPageControl::DoEnter() {
    TWnCustomTabControl::DoEnter();
    if (!FActivePage || FActivePage->TabVisible()) return;
    for (TWinControl* c : FActivePage->TabList())
        if (c->CanFocus()) {
            c->SetFocus();
            return;
        }
}

void TWnPageControl::CloseActiveTab() {
    if (!FActivePage) return;
    const int old = TabIndex();
    TWnTabSheet* page = FActivePage;
    delete page;
    SetTabIndex(old > 0 ? old - 1 : 0);
}

void TWnPageControl::MoveActiveTab(int NewIndex) {
    // The tab index counts visible tabs only; the page of that tab gives the place in page order.
    TWnTabSheet* target = PageForTab(NewIndex);
    if (FActivePage && target) FActivePage->SetPageIndex(target->PageIndex());
}

void TWnPageControl::SetUseColoredTabs(bool Value) {
    if (Value == UseColoredTabs()) return;
    TWnCustomTabControl::SetUseColoredTabs(Value);
    if (!Value && Parent()) ColorChangedNotice();
}

void TWnPageControl::ColorChangedNotice() {
    if (!UseColoredTabs())
        for (TWnTabSheet* page : FPages)
            page->SetColor(Color());
    TWnCustomTabControl::ColorChangedNotice();
}

void TWnPageControl::Loaded() {
    // The whole load is quiet, the base's choice of tab 0 included: the form is still loading.
    FLoadingGuard = true;
    try {
        TWnCustomTabControl::Loaded();
        ComputeTabLayout();
        SetTabIndex(-1);
        TWnTabSheet* page = FActivePage;
        if (ActivePageDefault && ActivePageDefault != page) {
            if (page) page->ShowSheet(false);
            page = ActivePageDefault;
        }
        FActivePage = nullptr;
        RequestLayout();
        SetActivePage(page);
    } catch (...) {
        FLoadingGuard = false;
        throw;
    }
    FLoadingGuard = false;
}
