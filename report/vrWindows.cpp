#include "report/vrWindows.h"

#include "gui/Forms.h"
#include "gui/ReadingOrder.h"

void vrMirrorForReadingOrder(TCustomForm* form) {
    if (ApplicationBiDiMode() != bdRightToLeft) return;
    SetControlBiDiMode(form, bdRightToLeft);
    FlipChildren(form, true);
}
