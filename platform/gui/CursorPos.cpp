#include "gui/CursorPos.h"

#include <QCursor>

TPoint GetCursorPos() {
    const QPoint p = QCursor::pos();
    return TPoint(p.x(), p.y());
}
