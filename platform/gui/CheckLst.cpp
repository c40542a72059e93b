// The check list box over the list box's Qt list: the states are the items' check states, shown
// by the view; toggling is the control's own, so the platform's order of states holds.
#include "gui/CheckLst.h"

#include "gui/qt/ControlImpl.h"
#include "gui/qt/ItemStrings.h"
#include "gui/qt/QtSupport.h"

#include "rtl/StringList.h"

#include <QListWidget>
#include <QStyle>

namespace {

// Item data of a disabled entry.
constexpr int DisabledRole = Qt::UserRole + 1;

QListWidgetItem* ItemAt(const TCheckListBox* box, int index) {
    auto* list = TControlAccess::As<QListWidget>(box);
    if (index < 0 || index >= list->count()) ListIndexError(index);
    return list->item(index);
}

} // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
    static_cast<TListItemStrings*>(FItems.get())->SetCheckable(true);
}

bool TCheckListBox::Checked(int Index) const {
    return State(Index) == cbChecked;
}

void TCheckListBox::SetChecked(int Index, bool v) {
    if (v != Checked(Index)) SetState(Index, v ? cbChecked : cbUnchecked);
}

TCheckBoxState TCheckListBox::State(int Index) const {
    switch (ItemAt(this, Index)->checkState()) {
    case Qt::Checked:
        return cbChecked;
    case Qt::PartiallyChecked:
        return cbGrayed;
    default:
        return cbUnchecked;
    }
}

void TCheckListBox::SetState(int Index, TCheckBoxState v) {
    QListWidgetItem* item = ItemAt(this, Index);
    TApplyGuard guard(this);
    item->setCheckState(v == cbChecked ? Qt::Checked : v == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

bool TCheckListBox::ItemEnabled(int Index) const {
    return !ItemAt(this, Index)->data(DisabledRole).toBool();
}

void TCheckListBox::SetItemEnabled(int Index, bool v) {
    QListWidgetItem* item = ItemAt(this, Index);
    TApplyGuard guard(this);
    item->setData(DisabledRole, v ? QVariant() : QVariant(true));
    item->setData(Qt::ForegroundRole, v ? QVariant() : QVariant(ToQColor(clGrayText)));
}

void TCheckListBox::SetFlat(bool v) {
    FFlat = v;
    Invalidate();
}

void TCheckListBox::ToggleClickCheck(int Index) {
    if (Index < 0 || Index >= Count() || !ItemEnabled(Index)) return;
    TCheckBoxState s = State(Index);
    switch (s) {
    case cbUnchecked:
        s = FAllowGrayed ? cbGrayed : cbChecked;
        break;
    case cbChecked:
        s = cbUnchecked;
        break;
    case cbGrayed:
        s = cbChecked;
        break;
    }
    SetState(Index, s);
    ClickCheck();
}

void TCheckListBox::ClickCheck() {
    if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomListBox::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    // A press on an entry's box toggles it.
    auto* list = TControlAccess::As<QListWidget>(this);
    const QPoint p = list->viewport()->mapFrom(list, QPoint(X, Y));
    QListWidgetItem* item = list->itemAt(p);
    if (!item) return;
    QStyle* style = list->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int boxWidth = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list) + 2 * margin;
    if (p.x() - list->visualItemRect(item).left() < boxWidth) ToggleClickCheck(list->row(item));
}

void TCheckListBox::KeyPress(char16_t& Key) {
    if (Key == u' ') ToggleClickCheck(ItemIndex());
    TCustomListBox::KeyPress(Key);
}
