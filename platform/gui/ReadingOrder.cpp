#include "gui/ReadingOrder.h"

#include "gui/qt/ControlImpl.h"

namespace {
constexpr const char* BiDiProperty = "orvBiDiMode";
}

TBiDiMode ControlBiDiMode(const TControl* Control) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w) return bdLeftToRight;
    const QVariant v = w->property(BiDiProperty);
    return v.isValid() ? static_cast<TBiDiMode>(v.toInt()) : bdLeftToRight;
}

void SetControlBiDiMode(TControl* Control, TBiDiMode Mode) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w) return;
    w->setProperty(BiDiProperty, static_cast<int>(Mode));
    w->setLayoutDirection(Mode == bdRightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    Control->Invalidate();
}

bool UseRightToLeftAlignment(const TControl* Control) {
    return ControlBiDiMode(Control) == bdRightToLeft;
}

bool UseRightToLeftReading(const TControl* Control) {
    return ControlBiDiMode(Control) != bdLeftToRight;
}

namespace {
TBiDiMode& ApplicationMode() {
    static TBiDiMode mode = bdLeftToRight;
    return mode;
}
} // namespace

TBiDiMode ApplicationBiDiMode() {
    return ApplicationMode();
}

void SetApplicationBiDiMode(TBiDiMode Mode) {
    ApplicationMode() = Mode;
}

void FlipChildren(TWinControl* Control, bool AllLevels) {
    const int width = Control->ClientWidth();
    Control->DisableAlign();
    for (int i = 0; i < Control->ControlCount(); ++i) {
        TControl* c = Control->Controls(i);
        if (c->Align() == alLeft)
            c->SetAlign(alRight);
        else if (c->Align() == alRight)
            c->SetAlign(alLeft);
        TAnchors anchors = c->Anchors();
        const bool left = anchors.Contains(akLeft), right = anchors.Contains(akRight);
        if (left != right) {
            anchors >> (left ? akLeft : akRight);
            anchors << (left ? akRight : akLeft);
            c->SetAnchors(anchors);
        }
        c->SetBounds(width - c->Left() - c->Width(), c->Top(), c->Width(), c->Height());
        if (AllLevels)
            if (auto* w = dynamic_cast<TWinControl*>(c)) FlipChildren(w, true);
    }
    Control->EnableAlign();
}
