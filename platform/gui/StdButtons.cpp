// Button, check box, radio button, group box and scroll bar.
#include "gui/StdCtrls.h"

#include "gui/Forms.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/QtSupport.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

// ---------------------------------------------------------------------------------------------
// Button

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
    auto* b = new QPushButton();
    b->setAutoDefault(false);
    TControlAccess::SetWidget(this, b);
    SetTabStop(true);
    SetColor(clBtnFace);
    SetBounds(0, 0, 75, 25);
    QObject::connect(b, &QPushButton::clicked, b, [this] {
        if (IsApplying(this)) return;
        try {
            Click();
        } catch (...) {
            Application()->HandleException(this);
        }
    });
}

void TButton::SetTextValue(const String& v) {
    TControlAccess::SetTextField(this, v);
    TControlAccess::As<QPushButton>(this)->setText(ToQString(v));
}

String TButton::GetText() const {
    return TControlAccess::TextField(this);
}

void TButton::SetDefault(bool v) {
    FDefault = v;
    TControlAccess::As<QPushButton>(this)->setDefault(v);
}

void TButton::Click() {
    if (TCustomForm* f = GetParentForm()) f->SetModalResult(FModalResult);
    TButtonControl::Click();
}

bool TButton::DialogKey(Word Key, TShiftState Shift) {
    if (!Shift.Empty() || !Visible() || !Enabled()) return false;
    bool active = false;
    if (Key == VK_RETURN) {
        // The focused button takes Enter; otherwise the default one, unless another button has the focus.
        TCustomForm* f = GetParentForm();
        TWinControl* focused = f ? f->ActiveControl() : nullptr;
        active = focused == this || (FDefault && !dynamic_cast<TButton*>(focused));
    } else if (Key == VK_ESCAPE) {
        active = FCancel;
    }
    if (!active || !CanFocus()) return false;
    Click();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Check box

struct TCheckBoxAccess {
    static void FromWidget(TCustomCheckBox* c, Qt::CheckState s) {
        TCheckBoxState st = s == Qt::Checked ? cbChecked : s == Qt::PartiallyChecked ? cbGrayed : cbUnchecked;
        if (st == c->FState) return;
        c->FState = st;
        c->Click();
    }
};

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    auto* b = new QCheckBox();
    TControlAccess::SetWidget(this, b);
    SetTabStop(true);
    SetColor(clBtnFace);
    SetParentColor(true);
    SetBounds(0, 0, 97, 17);
    QObject::connect(b, &QCheckBox::stateChanged, b, [this](int s) {
        if (IsApplying(this)) return;
        try {
            TCheckBoxAccess::FromWidget(this, static_cast<Qt::CheckState>(s));
        } catch (...) {
            Application()->HandleException(this);
        }
    });
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
    if (v == FState) return;
    FState = v;
    {
        TApplyGuard guard(this);
        TControlAccess::As<QCheckBox>(this)->setCheckState(v == cbChecked  ? Qt::Checked
                                                           : v == cbGrayed ? Qt::PartiallyChecked
                                                                           : Qt::Unchecked);
    }
    Click();
}

void TCustomCheckBox::SetAllowGrayed(bool v) {
    FAllowGrayed = v;
    TControlAccess::As<QCheckBox>(this)->setTristate(v);
}

void TCustomCheckBox::SetAlignment(TAlignment v) {
    FAlignment = v;
    TControlAccess::Widget(this)->setLayoutDirection(v == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCustomCheckBox::SetTextValue(const String& v) {
    TControlAccess::SetTextField(this, v);
    TControlAccess::As<QCheckBox>(this)->setText(ToQString(v));
}

String TCustomCheckBox::GetText() const {
    return TControlAccess::TextField(this);
}

// ---------------------------------------------------------------------------------------------
// Radio button

struct TRadioAccess {
    static void Toggled(TRadioButton* r, bool on) {
        if (on == r->FChecked) return;
        r->FChecked = on;
        if (on) r->Click();
    }
};

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    auto* b = new QRadioButton();
    b->setAutoExclusive(false);
    TControlAccess::SetWidget(this, b);
    SetColor(clBtnFace);
    SetParentColor(true);
    SetBounds(0, 0, 113, 17);
    QObject::connect(b, &QRadioButton::toggled, b, [this](bool on) {
        if (IsApplying(this)) return;
        try {
            if (on)
                SetChecked(true);
            else
                TRadioAccess::Toggled(this, false);
        } catch (...) {
            Application()->HandleException(this);
        }
    });
}

void TRadioButton::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    {
        TApplyGuard guard(this);
        TControlAccess::As<QRadioButton>(this)->setChecked(v);
    }
    SetTabStop(v);
    if (!v) return;
    // The other radio buttons of the parent go off.
    if (TWinControl* p = Parent())
        for (int i = 0; i < p->ControlCount(); ++i)
            if (auto* r = dynamic_cast<TRadioButton*>(p->Controls(i)); r && r != this) r->SetChecked(false);
    Click();
}

void TRadioButton::SetTextValue(const String& v) {
    TControlAccess::SetTextField(this, v);
    TControlAccess::As<QRadioButton>(this)->setText(ToQString(v));
}

String TRadioButton::GetText() const {
    return TControlAccess::TextField(this);
}

// ---------------------------------------------------------------------------------------------
// Group box

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
    TControlAccess::SetWidget(this, new QGroupBox());
    SetColor(clBtnFace);
    SetParentColor(true);
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) const {
    QFontMetrics fm(TControlAccess::Widget(this)->font());
    Rect.Top += fm.height();
    InflateRect(Rect, -2, -2);
}

void TCustomGroupBox::SetTextValue(const String& v) {
    TControlAccess::SetTextField(this, v);
    TControlAccess::As<QGroupBox>(this)->setTitle(ToQString(v));
}

String TCustomGroupBox::GetText() const {
    return TControlAccess::TextField(this);
}

// ---------------------------------------------------------------------------------------------
// Scroll bar

struct TScrollBarAccess {
    static void Moved(TScrollBar* s, TScrollCode code, int pos) {
        if (s->OnScroll) s->OnScroll(s, code, pos);
        s->SetPosition(pos);
    }
};

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    auto* bar = new QScrollBar(Qt::Horizontal);
    TControlAccess::SetWidget(this, bar);
    SetTabStop(true);
    SetBounds(0, 0, 121, 17);
    Apply();
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this, bar](int action) {
        if (IsApplying(this)) return;
        TScrollBarAccess::Moved(this, ScrollCodeOfSliderAction(action), bar->sliderPosition());
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this, bar] {
        TScrollBarAccess::Moved(this, scPosition, bar->sliderPosition());
        TScrollBarAccess::Moved(this, scEndScroll, FPosition);
    });
}

void TScrollBar::Apply() {
    auto* bar = TControlAccess::As<QScrollBar>(this);
    TApplyGuard guard(this);
    bar->setOrientation(FKind == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
    bar->setRange(FMin, std::max(FMin, FMax - std::max(FPageSize - 1, 0)));
    bar->setPageStep(std::max(1, FPageSize > 0 ? FPageSize : FLargeChange));
    bar->setSingleStep(FSmallChange);
    bar->setValue(FPosition);
}

void TScrollBar::SetKind(TScrollBarKind v) {
    if (v == FKind) return;
    FKind = v;
    SetBounds(Left(), Top(), Height(), Width());
    Apply();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
    if (AMax < AMin) throw EInvalidOperation("Scroll bar property out of range");
    const int maxPos = std::max(AMin, AMax - std::max(FPageSize - 1, 0));
    APosition = std::clamp(APosition, AMin, maxPos);
    const bool changed = APosition != FPosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    Apply();
    if (changed && OnChange) OnChange(this);
}

void TScrollBar::SetPageSize(int v) {
    if (v < 0 || v > FMax - FMin + 1) throw EInvalidOperation("Scroll bar property out of range");
    FPageSize = v;
    SetParams(FPosition, FMin, FMax);
}

void TScrollBar::SetSmallChange(int v) {
    FSmallChange = v;
    Apply();
}

void TScrollBar::SetLargeChange(int v) {
    FLargeChange = v;
    Apply();
}

bool TScrollBar::WantsKey(Word Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}
