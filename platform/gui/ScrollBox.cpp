// Scrolling windows: TControlScrollBar, TScrollingWinControl and TScrollBox over a Qt scroll area
// whose scrolled widget holds the controls.
#include "gui/Forms.h"

#include "gui/qt/ControlImpl.h"

#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

void TControlScrollBar::SetRange(int v) {
    FRange = std::max(0, v);
    if (FControl) FControl->UpdateScrollBars();
}

int TControlScrollBar::Position() const {
    if (!FControl) return 0;
    if (auto* sa = qobject_cast<QScrollArea*>(TControlAccess::Widget(FControl)))
        return (FKind == sbHorizontal ? sa->horizontalScrollBar() : sa->verticalScrollBar())->value();
    return 0;
}

void TControlScrollBar::SetPosition(int v) {
    if (!FControl) return;
    if (auto* sa = qobject_cast<QScrollArea*>(TControlAccess::Widget(FControl)))
        (FKind == sbHorizontal ? sa->horizontalScrollBar() : sa->verticalScrollBar())->setValue(v);
}

void TControlScrollBar::SetVisible(bool v) {
    FVisible = v;
    if (FControl) FControl->UpdateScrollBars();
}

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {}
TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool v) {
    FAutoScroll = v;
    UpdateScrollBars();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
    if (!AControl || !ContainsControl(AControl)) return;
    if (auto* sa = qobject_cast<QScrollArea*>(TControlAccess::Widget(this)))
        if (QWidget* w = TControlAccess::Widget(AControl)) sa->ensureWidgetVisible(w, 0, 0);
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
    auto* area = new QScrollArea();
    auto* content = new TOrvWidget(this);
    area->setWidget(content);
    area->setWidgetResizable(false);
    TControlAccess::SetWidget(this, area, content);
    FAutoScroll = true;
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TBorderStyle v) {
    FBorderStyle = v;
    if (auto* sa = qobject_cast<QScrollArea*>(TControlAccess::Widget(this)))
        sa->setFrameShape(v == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

TRect TScrollBox::ClientRect() const {
    if (auto* sa = qobject_cast<QScrollArea*>(TControlAccess::Widget(this))) {
        QSize vs = sa->maximumViewportSize();
        return Rect(0, 0, vs.width(), vs.height());
    }
    return TScrollingWinControl::ClientRect();
}

void TScrollBox::UpdateScrollBars() {
    auto* sa = qobject_cast<QScrollArea*>(TControlAccess::Widget(this));
    QWidget* content = TControlAccess::Client(this);
    if (!sa || !content) return;
    TRect view = ClientRect();
    int w = std::max(view.Width(), FHorz.Range());
    int h = std::max(view.Height(), FVert.Range());
    if (FAutoScroll)
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (!c->Visible() || c->Align() != alNone) continue;
            w = std::max(w, c->Left() + c->Width());
            h = std::max(h, c->Top() + c->Height());
        }
    content->resize(w, h);
    sa->setHorizontalScrollBarPolicy(FHorz.Visible() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    sa->setVerticalScrollBarPolicy(FVert.Visible() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TScrollBox::Resize() {
    UpdateScrollBars();
    TScrollingWinControl::Resize();
}
