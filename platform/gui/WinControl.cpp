// TWinControl: the controls it holds, their alignment and anchors, tab order and focus, keys, and
// the window's own scroll bars; TCustomControl and TGraphicControl, which paint themselves.
#include "gui/Controls.h"

#include "gui/Docking.h"
#include "gui/Forms.h"
#include "gui/qt/ControlImpl.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    auto* w = new TOrvWidget(this);
    TControlAccess::SetWidget(this, w);
    TControlAccess::I(this).ClickEvents = false;
}

TWinControl::~TWinControl() {
    Destroying();
    // The platform frees the controls a window holds with it.
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        RemoveControl(c);
        c->FParent = nullptr;
        delete c;
    }
}

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= ControlCount()) ListIndexError(Index);
    return FControls[static_cast<size_t>(Index)];
}

void TWinControl::InsertControl(TControl* Control) {
    FControls.push_back(Control);
    if (auto* wc = dynamic_cast<TWinControl*>(Control)) FTabList.push_back(wc);
}

void TWinControl::RemoveControl(TControl* Control) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), Control), FControls.end());
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), Control), FTabList.end());
    if (TCustomForm* f = GetParentForm()) f->ControlRemoved(Control);
}

std::vector<TWinControl*> TWinControl::TabList() const {
    return FTabList;
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* c = Control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (c->Visible() && (AllowDisabled || c->Enabled()) && PtInRect(c->BoundsRect(), Pos)) return c;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Focus and tab order

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm();
    if (!form) return false;
    for (const TControl* c = this; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return form->Enabled();
}

bool TWinControl::Focused() const {
    QWidget* w = TControlAccess::Widget(this);
    if (w && w->hasFocus()) return true;
    TCustomForm* f = GetParentForm();
    return f && f != this && f->ActiveControl() == this && Screen()->ActiveForm() == f;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm();
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (form && form != this)
        form->FocusControl(this);
    else if (QWidget* w = TControlAccess::Widget(this))
        w->setFocus(Qt::OtherFocusReason);
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    auto& l = Parent()->FTabList;
    auto it = std::find(l.begin(), l.end(), this);
    return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

void TWinControl::SetTabOrder(int v) {
    if (!Parent()) return;
    auto& l = Parent()->FTabList;
    auto it = std::find(l.begin(), l.end(), this);
    if (it == l.end()) return;
    l.erase(it);
    if (v < 0 || v > static_cast<int>(l.size())) v = static_cast<int>(l.size());
    l.insert(l.begin() + v, this);
}

void TWinControl::SetTabStop(bool v) {
    FTabStop = v;
    if (QWidget* w = TControlAccess::Widget(this))
        if (!dynamic_cast<TOrvWidget*>(w) && !v) w->setFocusPolicy(Qt::ClickFocus);
}

namespace {
void AddTabOrder(const TWinControl* c, std::vector<TWinControl*>& out) {
    for (TWinControl* w : c->TabList()) {
        out.push_back(w);
        AddTabOrder(w, out);
    }
}
} // namespace

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> list;
    AddTabOrder(this, list);
    if (list.empty()) return nullptr;
    const int n = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), CurControl);
    int start = it == list.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - list.begin());
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == CurControl) continue;
        if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* c = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) c->SetFocus();
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}
void TWinControl::KeyPress(char16_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}
bool TWinControl::WantsKey(Word, TShiftState) const {
    return false;
}

bool TWinControl::DialogKey(Word Key, TShiftState Shift) {
    for (TControl* c : FControls)
        if (auto* wc = dynamic_cast<TWinControl*>(c))
            if (wc->Visible() && wc->DialogKey(Key, Shift)) return true;
    return false;
}
void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ---------------------------------------------------------------------------------------------
// Alignment and anchors

void TWinControl::DisableAlign() {
    ++FAlignLevel;
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
    if (FAlignLevel > 0) {
        FAlignPending = true;
        return;
    }
    FAlignPending = false;
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(nullptr, r);
    AlignmentDone(r);
    if (FUseDockManager && FDockManager) FDockManager->ResetBounds();
}

void TWinControl::AdjustClientRect(TRect&) const {}

TRect TWinControl::ClientRect() const {
    TRect r = TControl::ClientRect();
    const TControl::Impl& impl = TControlAccess::I(this);
    if (impl.BarShown[SB_VERT] || impl.BarShown[SB_HORZ]) {
        QWidget* w = TControlAccess::Widget(this);
        const int ext = w ? w->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
        if (impl.BarShown[SB_VERT]) r.Right = std::max(0, r.Right - ext);
        if (impl.BarShown[SB_HORZ]) r.Bottom = std::max(0, r.Bottom - ext);
    }
    return r;
}

namespace {

// The platform's order of the controls of one alignment: the one being aligned first, then by
// position, ties keeping the order of the list (bottom and right ones reversed).
bool InsertBefore(TControl* c1, TControl* c2, TAlign a) {
    switch (a) {
    case alTop:
        return c1->Top() < c2->Top();
    case alBottom:
        return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
    case alLeft:
        return c1->Left() < c2->Left();
    case alRight:
        return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
    default:
        return false;
    }
}

} // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    ++FAlignLevel;
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        if (AControl && AControl->Align() == a && AControl->Visible()) list.push_back(AControl);
        for (TControl* c : FControls) {
            if (c == AControl || c->Align() != a || !c->Visible()) continue;
            size_t j = AControl && !list.empty() && list[0] == AControl ? 1 : 0;
            while (j < list.size() && !InsertBefore(c, list[j], a))
                ++j;
            list.insert(list.begin() + static_cast<long>(j), c);
        }
        for (TControl* c : list) {
            const int w = std::max(0, Rect.Width());
            const int h = std::max(0, Rect.Height());
            switch (a) {
            case alTop:
                c->SetBounds(Rect.Left, Rect.Top, w, c->Height());
                Rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(Rect.Left, Rect.Bottom - c->Height(), w, c->Height());
                Rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(Rect.Left, Rect.Top, c->Width(), h);
                Rect.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(Rect.Right - c->Width(), Rect.Top, c->Width(), h);
                Rect.Right -= c->Width();
                break;
            case alClient:
                c->SetBounds(Rect.Left, Rect.Top, w, h);
                break;
            default:
                break;
            }
        }
    }
    --FAlignLevel;
    FAlignPending = false;
}

void TWinControl::AnchorChildren() {
    TRect r = ClientRect();
    ++FAlignLevel; // bounds set here keep the anchor distances
    for (TControl* c : FControls) {
        if (c->Align() != alNone || !c->FAnchorValid) continue;
        TAnchors a = c->Anchors();
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        if (a.Contains(akRight)) {
            if (a.Contains(akLeft))
                w = r.Width() - l - c->FAnchorRight;
            else
                l = r.Width() - w - c->FAnchorRight;
        }
        if (a.Contains(akBottom)) {
            if (a.Contains(akTop))
                h = r.Height() - t - c->FAnchorBottom;
            else
                t = r.Height() - h - c->FAnchorBottom;
        }
        c->SetBounds(l, t, std::max(0, w), std::max(0, h));
    }
    --FAlignLevel;
}

void TWinControl::Resize() {
    TRect r = ClientRect();
    if (FLastClientWidth > 0 && FLastClientHeight > 0) {
        AnchorChildren();
    } else {
        for (TControl* c : FControls)
            c->UpdateAnchorRules();
    }
    FLastClientWidth = r.Width();
    FLastClientHeight = r.Height();
    Realign();
    TControl::Resize();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : FControls)
        if (c->ParentFont()) c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* c : FControls)
        if (c->ParentColor()) c->ParentColorChanged();
}

// ---------------------------------------------------------------------------------------------
// The window's own scroll bars

namespace {

int MaxPos(const TScrollInfo& si) {
    return std::max(si.nMin, si.nMax - std::max(static_cast<int>(si.nPage) - 1, 0));
}


} // namespace

int TWinControl::SetScrollInfo(int BarFlag, const TScrollInfo& Info, bool Redraw) {
    (void)Redraw;
    if (BarFlag != SB_HORZ && BarFlag != SB_VERT) return 0;
    TControl::Impl& impl = TControlAccess::I(this);
    TScrollInfo& si = impl.Scroll[BarFlag];
    if (Info.fMask & SIF_RANGE) {
        si.nMin = Info.nMin;
        si.nMax = Info.nMax;
    }
    if (Info.fMask & SIF_PAGE) si.nPage = Info.nPage;
    if (Info.fMask & SIF_POS) si.nPos = Info.nPos;
    if (si.nPage > static_cast<Cardinal>(si.nMax - si.nMin + 1))
        si.nPage = static_cast<Cardinal>(std::max(0, si.nMax - si.nMin + 1));
    si.nPos = std::clamp(si.nPos, si.nMin, MaxPos(si));
    si.nTrackPos = si.nPos;
    // The bar shows while the range exceeds the page (or always with SIF_DISABLENOSCROLL).
    const bool needed =
        si.nMax > si.nMin && (si.nPage == 0 || static_cast<int>(si.nPage) <= si.nMax - si.nMin);
    const bool show = needed || (Info.fMask & SIF_DISABLENOSCROLL);
    QWidget* w = TControlAccess::Widget(this);
    if (!impl.Bars[BarFlag] && show && w) {
        auto* bar = new QScrollBar(BarFlag == SB_HORZ ? Qt::Horizontal : Qt::Vertical, w);
        impl.Bars[BarFlag] = bar;
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this, BarFlag, bar](int action) {
            if (IsApplying(this)) return;
            int pos = bar->sliderPosition();
            TScrollCode code = ScrollCodeOfSliderAction(action);
            TScrollInfo& s = TControlAccess::I(this).Scroll[BarFlag];
            if (code == scTrack) s.nTrackPos = pos;
            Scroll(BarFlag == SB_HORZ ? sbHorizontal : sbVertical, code, pos);
        });
        QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this, BarFlag, bar] {
            int pos = bar->sliderPosition();
            Scroll(BarFlag == SB_HORZ ? sbHorizontal : sbVertical, scPosition, pos);
            int end = pos;
            Scroll(BarFlag == SB_HORZ ? sbHorizontal : sbVertical, scEndScroll, end);
        });
    }
    if (QScrollBar* bar = impl.Bars[BarFlag]) {
        TApplyGuard guard(this);
        bar->setRange(si.nMin, MaxPos(si));
        bar->setPageStep(std::max(1, static_cast<int>(si.nPage)));
        bar->setValue(si.nPos);
        bar->setEnabled(needed);
        bar->setVisible(show);
    }
    if (impl.BarShown[BarFlag] != show) {
        impl.BarShown[BarFlag] = show;
        if (w) QCoreApplication::postEvent(w, new QResizeEvent(w->size(), w->size()));
        if (auto* ow = dynamic_cast<TOrvWidget*>(w)) {
            QResizeEvent re(ow->size(), ow->size());
            QCoreApplication::sendEvent(ow, &re);
        }
        Realign();
    }
    return si.nPos;
}

bool TWinControl::GetScrollInfo(int BarFlag, TScrollInfo& Info) const {
    if (BarFlag != SB_HORZ && BarFlag != SB_VERT) return false;
    const TScrollInfo& si = TControlAccess::I(this).Scroll[BarFlag];
    const Cardinal mask = Info.fMask;
    if (mask & SIF_RANGE) {
        Info.nMin = si.nMin;
        Info.nMax = si.nMax;
    }
    if (mask & SIF_PAGE) Info.nPage = si.nPage;
    if (mask & SIF_POS) Info.nPos = si.nPos;
    if (mask & SIF_TRACKPOS) Info.nTrackPos = si.nTrackPos;
    return true;
}

void TWinControl::ShowScrollBar(int BarFlag, bool Show) {
    for (int b : {SB_HORZ, SB_VERT}) {
        if (BarFlag != b && BarFlag != SB_BOTH) continue;
        TControl::Impl& impl = TControlAccess::I(this);
        if (!Show) {
            if (impl.Bars[b]) impl.Bars[b]->hide();
            if (impl.BarShown[b]) {
                impl.BarShown[b] = false;
                Realign();
            }
        } else {
            TScrollInfo si = impl.Scroll[b];
            si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
            SetScrollInfo(b, si);
        }
    }
}

void TWinControl::EnableScrollBar(int BarFlag, bool Enable) {
    TControl::Impl& impl = TControlAccess::I(this);
    for (int b : {SB_HORZ, SB_VERT})
        if ((BarFlag == b || BarFlag == SB_BOTH) && impl.Bars[b]) impl.Bars[b]->setEnabled(Enable);
}

int TWinControl::GetScrollPos(int BarFlag) const {
    if (BarFlag != SB_HORZ && BarFlag != SB_VERT) return 0;
    return TControlAccess::I(this).Scroll[BarFlag].nPos;
}

int TWinControl::SetScrollPos(int BarFlag, int Pos, bool Redraw) {
    TScrollInfo si;
    si.fMask = SIF_POS;
    si.nPos = Pos;
    return SetScrollInfo(BarFlag, si, Redraw);
}

void TWinControl::Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos) {
    if (OnScroll) OnScroll(this, Kind, Code, Pos);
}

// ---------------------------------------------------------------------------------------------
// Self-painting controls

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
    FCanvas = std::make_unique<TControlCanvas>(this);
    TControlAccess::I(this).ClickEvents = true;
    TControlAccess::Widget(this)->setFocusPolicy(Qt::StrongFocus);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWithBackground(bool v) {
    if (auto* w = dynamic_cast<TOrvWidget*>(TControlAccess::Widget(this))) {
        w->FillBackground = v;
        // A control that covers every pixel itself is opaque: its pixels can be moved by scrolling.
        w->setAttribute(Qt::WA_OpaquePaintEvent, !v);
    }
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
    FCanvas = std::make_unique<TControlCanvas>(this);
    auto* w = new TOrvWidget(this);
    w->FillBackground = false;
    TControlAccess::SetWidget(this, w);
}

TGraphicControl::~TGraphicControl() = default;

TScrollCode ScrollCodeOfSliderAction(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return scLineDown;
    case QAbstractSlider::SliderSingleStepSub:
        return scLineUp;
    case QAbstractSlider::SliderPageStepAdd:
        return scPageDown;
    case QAbstractSlider::SliderPageStepSub:
        return scPageUp;
    case QAbstractSlider::SliderToMinimum:
        return scTop;
    case QAbstractSlider::SliderToMaximum:
        return scBottom;
    case QAbstractSlider::SliderMove:
        return scTrack;
    default:
        return scEndScroll;
    }
}
