#include "gui/ListBoxScrollBars.h"

#include "gui/qt/ControlImpl.h"

#include <QListWidget>

void SetListBoxScrollBarsShown(TCustomListBox* ListBox, bool Shown) {
    auto* list = TControlAccess::As<QListWidget>(ListBox);
    if (!list) return;
    const Qt::ScrollBarPolicy policy = Shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    list->setVerticalScrollBarPolicy(policy);
    list->setHorizontalScrollBarPolicy(policy);
}
