// Internal to platform/gui: the docking state of controls and sites that the docking units and
// forms share.
#pragma once

#include "gui/Docking.h"

class QWidget;

struct TDockAccess {
    // The dock drag running now has passed its threshold.
    static bool DragStarted();
    // The grabber widget of a control docked in the dock manager (nullptr when none).
    static QWidget* Grabber(const TDockTree* tree, TControl* control);
    // The control docks into the site at once, beside dropControl on the side given (no hooks are
    // asked): out of its old site or floating window, into the site's dock manager.
    static void Attach(TControl* control, TWinControl* site, TControl* dropControl, TAlign side);
    // The control leaves its site or its floating window (no hooks are asked).
    static void Detach(TControl* control);
    // The control is being destroyed: it leaves its site, and its floating window goes.
    static void ControlDestroyed(TControl* control);
    // An auto-sized site grows (never shrinks) to the size of a control that docks or shows in it.
    static void GrowToFit(TWinControl* site, TControl* control);
    // Nothing docked shows in the site any more: an auto-sized site shrinks to nothing.
    static void EmptiedSite(TWinControl* site);
    // The site's width (aligned left or right) or height (aligned top or bottom); 0 otherwise.
    static int SiteLength(const TWinControl* site);
    static void SetSiteLength(TWinControl* site, int length);
};
