#include "gui/ListBoxView.h"

#include "gui/qt/ControlImpl.h"

#include <QListWidget>

void SetListBoxScrollBarsShown(TCustomListBox* ListBox, bool Vertical, bool Horizontal) {
    auto* list = TControlAccess::As<QListWidget>(ListBox);
    if (!list) return;
    list->setVerticalScrollBarPolicy(Vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

int ListBoxFrameHeight(const TCustomListBox* ListBox) {
    auto* list = TControlAccess::As<QListWidget>(ListBox);
    return list ? 2 * list->frameWidth() : 0;
}
