// Status bar, page control and progress bar.
#include "gui/ComCtrls.h"

#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/ImageListIcons.h"
#include "gui/qt/QtSupport.h"

#include <QPainter>
#include <QProgressBar>
#include <QCursor>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>

// ---------------------------------------------------------------------------------------------
// Status bar

void TStatusPanel::SetText(const String& v) {
    FText = v;
    FOwner->Invalidate();
}
void TStatusPanel::SetWidth(int v) {
    FWidth = v;
    FOwner->Invalidate();
}
void TStatusPanel::SetAlignment(TAlignment v) {
    FAlignment = v;
    FOwner->Invalidate();
}
int TStatusPanel::Index() const {
    for (int i = 0; i < FOwner->PanelCount(); ++i)
        if (FOwner->Panels(i) == this) return i;
    return -1;
}

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
    TControlAccess::Widget(this)->setFocusPolicy(Qt::NoFocus);
}

TStatusBar::~TStatusBar() = default;

TStatusPanel* TStatusBar::Panels(int Index) const {
    if (Index < 0 || Index >= PanelCount()) ListIndexError(Index);
    return FPanels[static_cast<size_t>(Index)].get();
}

TStatusPanel* TStatusBar::AddPanel() {
    FPanels.push_back(std::make_unique<TStatusPanel>(this));
    Invalidate();
    return FPanels.back().get();
}

void TStatusBar::ClearPanels() {
    FPanels.clear();
    Invalidate();
}

void TStatusBar::SetSimplePanel(bool v) {
    FSimplePanel = v;
    Invalidate();
}

void TStatusBar::SetSimpleText(const String& v) {
    FSimpleText = v;
    Invalidate();
}

TRect TStatusBar::PanelRect(int Index) const {
    int x = 0;
    for (int i = 0; i < Index; ++i)
        x += Panels(i)->Width();
    int w = Index == PanelCount() - 1 ? std::max(0, Width() - x) : Panels(Index)->Width();
    return Bounds(x, 0, w, Height());
}

void TStatusBar::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    auto cell = [&](TRect r, const String& text, TAlignment a) {
        c->Pen()->SetColor(clBtnShadow);
        c->MoveTo(r.Left, r.Bottom - 1);
        c->LineTo(r.Left, r.Top + 2);
        c->LineTo(r.Right - 2, r.Top + 2);
        c->Pen()->SetColor(clBtnHighlight);
        c->LineTo(r.Right - 2, r.Bottom - 1);
        InflateRect(r, -3, -1);
        r.Top += 2;
        c->Brush()->SetStyle(bsClear);
        Cardinal flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if (a == taCenter) flags |= DT_CENTER;
        if (a == taRightJustify) flags |= DT_RIGHT;
        c->DrawText(text, r, flags);
        c->Brush()->SetStyle(bsSolid);
    };
    if (FSimplePanel) {
        cell(ClientRect(), FSimpleText, taLeftJustify);
        return;
    }
    for (int i = 0; i < PanelCount(); ++i)
        cell(PanelRect(i), Panels(i)->Text(), Panels(i)->Alignment());
}

// ---------------------------------------------------------------------------------------------
// Page control: a row of tabs on one edge; the active page fills the rest.

namespace {

// The tab row: tabs fitted to their captions unless the page control gives them a size.
class TPageTabBar : public QTabBar {
public:
    explicit TPageTabBar(QWidget* parent) : QTabBar(parent) {}
    int TabHeight = 0; // across the row
    int TabWidth = 0;  // along the row
    TTabStyle Style = tsTabs;

protected:
    // Buttons: each tab a push button, the current one pressed; flat buttons show only the
    // current one's panel and the one under the mouse.
    void paintEvent(QPaintEvent* event) override {
        if (Style == tsTabs) {
            QTabBar::paintEvent(event);
            return;
        }
        QPainter p(this);
        const QPoint mouse = mapFromGlobal(QCursor::pos());
        for (int i = 0; i < count(); ++i) {
            QStyleOptionButton option;
            option.initFrom(this);
            option.rect = tabRect(i).adjusted(1, 1, -1, -1);
            option.text = tabText(i);
            option.icon = tabIcon(i);
            option.iconSize = iconSize();
            const bool current = i == currentIndex();
            const bool hot = option.rect.contains(mouse) && underMouse();
            if (current) option.state |= QStyle::State_Sunken | QStyle::State_On;
            else option.state |= QStyle::State_Raised;
            if (Style == tsFlatButtons) {
                option.features |= QStyleOptionButton::Flat;
                if (!current && !hot) option.state &= ~QStyle::State_Raised;
            }
            style()->drawControl(QStyle::CE_PushButton, &option, &p, this);
        }
    }
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        const bool vertical = shape() == QTabBar::RoundedWest || shape() == QTabBar::RoundedEast;
        int& across = vertical ? size.rwidth() : size.rheight();
        int& along = vertical ? size.rheight() : size.rwidth();
        if (TabHeight > 0) across = TabHeight;
        if (TabWidth > 0) along = TabWidth;
        return size;
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

// The line around the pages that the tabs stand on, in the colour of the tabs' outline; the
// selected tab covers it where it joins the pages.
class TPageFrame : public QWidget {
public:
    explicit TPageFrame(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(palette().window().color().darker(140));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

struct TPageAccess {
    static void UserSelected(TPageControl* pc, int tab) {
        if (pc->FUpdatingTabs) return;
        TTabSheet* target = nullptr;
        for (TTabSheet* p : pc->FPages)
            if (p->TabIndex() == tab) target = p;
        if (!target || target == pc->FActivePage) return;
        bool allow = true;
        if (pc->OnChanging) pc->OnChanging(pc, allow);
        if (!allow) {
            pc->UpdateTabs();
            return;
        }
        pc->ShowPage(target);
        if (pc->OnChange) pc->OnChange(pc);
    }
};

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    SetColor(clBtnFace);
    SetAlign(alNone);
    TControlAccess::SetVisibleField(this, false);
    TControlAccess::Widget(this)->hide();
}

TTabSheet::~TTabSheet() {
    Destroying();
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* v) {
    if (v == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(v);
    if (v) v->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    for (int i = 0; i < FPageControl->PageCount(); ++i)
        if (FPageControl->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::SetPageIndex(int v) {
    if (!FPageControl) return;
    auto& pages = FPageControl->FPages;
    pages.erase(std::find(pages.begin(), pages.end(), this));
    v = std::clamp(v, 0, static_cast<int>(pages.size()));
    pages.insert(pages.begin() + v, this);
    FPageControl->UpdateTabs();
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int n = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabVisible) ++n;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool v) {
    FTabVisible = v;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(int v) {
    FImageIndex = v;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetTextValue(const String& v) {
    TWinControl::SetTextValue(v);
    if (FPageControl) FPageControl->UpdateTabs();
}

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
    auto* bar = new TPageTabBar(TControlAccess::Widget(this));
    bar->setObjectName("orvTabs");
    bar->setExpanding(false);
    bar->setUsesScrollButtons(true);
    bar->setDrawBase(false);
    auto* frame = new TPageFrame(TControlAccess::Widget(this));
    frame->setObjectName("orvPageFrame");
    frame->lower();
    QObject::connect(bar, &QTabBar::currentChanged, bar, [this](int i) {
        try {
            TPageAccess::UserSelected(this, i);
        } catch (...) {
            Application()->HandleException(this);
        }
    });
    SetColor(clBtnFace);
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    Destroying();
    FImageLink.reset();
    for (TTabSheet* p : FPages)
        p->FPageControl = nullptr;
    FPages.clear();
}

TTabSheet* TPageControl::Pages(int Index) const {
    if (Index < 0 || Index >= PageCount()) ListIndexError(Index);
    return FPages[static_cast<size_t>(Index)];
}

namespace {
QTabBar* TabsOf(const TPageControl* pc) {
    return TControlAccess::Widget(pc)->findChild<QTabBar*>("orvTabs", Qt::FindDirectChildrenOnly);
}
QWidget* PageFrameOf(const TPageControl* pc) {
    return TControlAccess::Widget(pc)->findChild<QWidget*>("orvPageFrame", Qt::FindDirectChildrenOnly);
}
} // namespace

void TPageControl::InsertPage(TTabSheet* Page) {
    Page->FPageControl = this;
    FPages.push_back(Page);
    UpdateTabs();
    if (!FActivePage) ShowPage(Page);
    Realign();
}

void TPageControl::RemovePage(TTabSheet* Page) {
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    Page->FPageControl = nullptr;
    if (FActivePage == Page) {
        FActivePage = nullptr;
        if (!ComponentState().Contains(csDestroying)) ShowPage(FindNextPage(nullptr, true, true));
    }
    if (!ComponentState().Contains(csDestroying)) UpdateTabs();
}

void TPageControl::UpdateTabs() {
    QTabBar* bar = TabsOf(this);
    FUpdatingTabs = true;
    while (bar->count() > 0)
        bar->removeTab(0);
    for (TTabSheet* p : FPages)
        if (p->FTabVisible) {
            if (FImages && p->FImageIndex >= 0)
                bar->addTab(ImageListIcon(FImages, p->FImageIndex), ToQString(p->Caption()));
            else
                bar->addTab(ToQString(p->Caption()));
        }
    if (FImages) bar->setIconSize(QSize(FImages->Width(), FImages->Height()));
    if (FActivePage && FActivePage->TabIndex() >= 0) bar->setCurrentIndex(FActivePage->TabIndex());
    const QSize hint = bar->sizeHint();
    switch (FTabPosition) {
    case tpBottom:
        bar->setGeometry(0, Height() - hint.height(), Width(), hint.height());
        break;
    case tpLeft:
        bar->setGeometry(0, 0, hint.width(), Height());
        break;
    case tpRight:
        bar->setGeometry(Width() - hint.width(), 0, hint.width(), Height());
        break;
    default:
        bar->setGeometry(0, 0, Width(), hint.height());
        break;
    }
    // The frame around the pages; the tabs overlap its edge so the selected one joins it.
    TRect pane = ClientRect();
    AdjustClientRect(pane);
    InflateRect(pane, 2, 2);
    const int overlap = bar->style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, bar);
    switch (FTabPosition) {
    case tpBottom:
        pane.Bottom += overlap;
        break;
    case tpLeft:
        pane.Left -= overlap;
        break;
    case tpRight:
        pane.Right += overlap;
        break;
    default:
        pane.Top -= overlap;
        break;
    }
    QWidget* frame = PageFrameOf(this);
    frame->setGeometry(pane.Left, pane.Top, pane.Width(), pane.Height());
    frame->setVisible(FStyle == tsTabs);
    frame->update();
    bar->raise();
    FUpdatingTabs = false;
}

void TPageControl::SetTabPosition(TTabPosition v) {
    if (v == FTabPosition) return;
    FTabPosition = v;
    static const QTabBar::Shape shapes[] = {QTabBar::RoundedNorth, QTabBar::RoundedSouth,
                                            QTabBar::RoundedWest, QTabBar::RoundedEast};
    TabsOf(this)->setShape(shapes[v]);
    UpdateTabs();
    PlaceActivePage();
    Realign();
}

void TPageControl::SetStyle(TTabStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    QTabBar* bar = TabsOf(this);
    static_cast<TPageTabBar*>(bar)->Style = v;
    bar->setAttribute(Qt::WA_Hover, v == tsFlatButtons);
    UpdateTabs();
    bar->update();
}

void TPageControl::SetTabHeight(SmallInt v) {
    if (v < 0) throw EInvalidOperation("Tab height must not be negative");
    FTabHeight = v;
    static_cast<TPageTabBar*>(TabsOf(this))->TabHeight = v;
    UpdateTabs();
    PlaceActivePage();
    Realign();
}

void TPageControl::SetTabWidth(SmallInt v) {
    if (v < 0) throw EInvalidOperation("Tab width must not be negative");
    FTabWidth = v;
    static_cast<TPageTabBar*>(TabsOf(this))->TabWidth = v;
    UpdateTabs();
    PlaceActivePage();
    Realign();
}

TRect TPageControl::TabRect(int Index) const {
    QTabBar* bar = TabsOf(this);
    if (Index < 0 || Index >= bar->count()) return TRect();
    const QRect r = bar->tabRect(Index).translated(bar->pos());
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

void TPageControl::PlaceActivePage() {
    if (!FActivePage) return;
    TRect r = ClientRect();
    AdjustClientRect(r);
    FActivePage->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::SetImages(TCustomImageList* v) {
    FollowImageList(FImages, v, FImageLink, [this] {
        if (!ComponentState().Contains(csDestroying)) UpdateTabs();
    });
}

void TPageControl::ShowPage(TTabSheet* Page) {
    if (Page == FActivePage) return;
    TTabSheet* old = FActivePage;
    FActivePage = Page;
    if (old) {
        old->SetVisible(false);
        if (old->OnHide) old->OnHide(old);
    }
    if (Page) {
        PlaceActivePage();
        Page->SetVisible(true);
        if (Page->OnShow) Page->OnShow(Page);
    }
    UpdateTabs();
}

void TPageControl::SetActivePage(TTabSheet* v) {
    if (v && v->FPageControl != this) return;
    ShowPage(v);
}

int TPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int v) {
    SetActivePage(v >= 0 && v < PageCount() ? FPages[static_cast<size_t>(v)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible) const {
    const int n = PageCount();
    if (n == 0) return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), CurrentPage);
    int start = it == FPages.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - FPages.begin());
    int i = start;
    for (int k = 0; k < n; ++k) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TTabSheet* p = FPages[static_cast<size_t>(i)];
        if (!CheckTabVisible || p->TabVisible()) return p;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
    TTabSheet* p = FindNextPage(FActivePage, GoForward, true);
    if (!p || p == FActivePage) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return;
    ShowPage(p);
    if (OnChange) OnChange(this);
}

void TPageControl::AdjustClientRect(TRect& Rect) const {
    const QSize tabs = TabsOf(this)->sizeHint();
    switch (FTabPosition) {
    case tpBottom:
        Rect.Bottom -= tabs.height();
        break;
    case tpLeft:
        Rect.Left += tabs.width();
        break;
    case tpRight:
        Rect.Right -= tabs.width();
        break;
    default:
        Rect.Top += tabs.height();
        break;
    }
    InflateRect(Rect, -2, -2);
}

void TPageControl::Resize() {
    TWinControl::Resize();
    UpdateTabs();
    PlaceActivePage();
}

// ---------------------------------------------------------------------------------------------
// Progress bar

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
    TControlAccess::SetWidget(this, new QProgressBar());
    SetBounds(0, 0, 150, 16);
    Apply();
}

void TProgressBar::Apply() {
    auto* p = TControlAccess::As<QProgressBar>(this);
    p->setTextVisible(false);
    p->setRange(FMin, FMax);
    p->setValue(FPosition);
}

void TProgressBar::SetMin(int v) {
    FMin = v;
    FPosition = std::max(FPosition, FMin);
    Apply();
}
void TProgressBar::SetMax(int v) {
    FMax = v;
    FPosition = std::min(FPosition, FMax);
    Apply();
}
void TProgressBar::SetPosition(int v) {
    FPosition = std::clamp(v, FMin, std::max(FMin, FMax));
    Apply();
}
void TProgressBar::StepBy(int Delta) {
    SetPosition(FPosition + Delta);
}
void TProgressBar::StepIt() {
    int p = FPosition + FStep;
    if (p > FMax) p = FMin; // wraps as the platform's progress bar does
    SetPosition(p);
}
