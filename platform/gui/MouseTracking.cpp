#include "gui/MouseTracking.h"

#include "gui/qt/ControlImpl.h"

#include <QWidget>

void SetMouseTracking(TControl* Control, bool Track) {
    if (QWidget* w = TControlAccess::Widget(Control)) w->setMouseTracking(Track);
    if (QWidget* c = TControlAccess::Client(Control)) c->setMouseTracking(Track);
}
