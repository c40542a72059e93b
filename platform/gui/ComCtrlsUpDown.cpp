// The up-down control: two arrow buttons over Qt's tool buttons, stepping a position that the
// associated control shows.
#include "gui/ComCtrls.h"

#include "gui/Forms.h"
#include "gui/qt/ControlImpl.h"
#include "rtl/Format.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow) {
    auto* b = new QToolButton();
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return b;
}

} // namespace

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
    auto* box = new QWidget();
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QToolButton* up = ArrowButton(Qt::UpArrow);
    QToolButton* down = ArrowButton(Qt::DownArrow);
    layout->addWidget(up);
    layout->addWidget(down);
    TControlAccess::SetWidget(this, box);
    SetBounds(0, 0, 17, 21);
    auto clicked = [this](TUDBtnType button) {
        try {
            Click(button);
        } catch (...) {
            Application()->HandleException(this);
        }
    };
    QObject::connect(up, &QToolButton::clicked, box, [clicked] { clicked(btNext); });
    QObject::connect(down, &QToolButton::clicked, box, [clicked] { clicked(btPrev); });
}

TUpDown::~TUpDown() {
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
}

void TUpDown::SetAssociate(TWinControl* v) {
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
    FAssociate = v;
    if (!v) return;
    v->FreeNotification(this);
    if (v->Parent() && v->Parent() != Parent()) SetParent(v->Parent());
    v->SetWidth(v->Width() - Width());
    SetBounds(v->Left() + v->Width(), v->Top(), Width(), v->Height());
    SetPosition(FPosition);
}

void TUpDown::SetPosition(int v) {
    FPosition = std::clamp(v, std::min(FMin, FMax), std::max(FMin, FMax));
    if (FAssociate) FAssociate->SetText(IntToStr(FPosition));
}

void TUpDown::Click(TUDBtnType button) {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return;
    const int shown = FAssociate ? StrToIntDef(FAssociate->Text(), FPosition) : FPosition;
    SetPosition(shown + (button == btNext ? FIncrement : -FIncrement));
    if (OnClick) OnClick(this, button);
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociate) FAssociate = nullptr;
}
