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
