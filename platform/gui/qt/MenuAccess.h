// Internal to platform/gui: the Qt action that shows a menu item (the form's menu bar and tool
// buttons with drop-down menus use it).
#pragma once

#include "gui/Menus.h"

#include <functional>

class QAction;
class QMenu;

struct TMenuAccess {
    static QAction* Display(TMenuItem* item);
    // The Qt menu of the item's sub-items (nullptr when it has none).
    static QMenu* SubMenu(TMenuItem* item);
    // Runs each time the item's drop-down is about to show, after its items updated themselves
    // (an MDI frame adds its window list there); nullptr removes it.
    static void SetShowHook(TMenuItem* item, std::function<void(QMenu*)> hook);
};
