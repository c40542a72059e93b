// The mouse's drag settings (the platform's Mouse object): whether a drag started by hand begins
// at once, and how far the pointer must move before one that waits begins. TControl::BeginDrag
// and the automatic drag mode read them.
#pragma once

#include "gui/Controls.h"

class TMouse {
public:
    bool DragImmediate() const { return FDragImmediate; }
    void SetDragImmediate(bool v) { FDragImmediate = v; }
    int DragThreshold() const { return FDragThreshold; }
    void SetDragThreshold(int v) { FDragThreshold = v; }

private:
    bool FDragImmediate = true;
    int FDragThreshold = 5;
};

TMouse* Mouse();

// The cursor the running drag shows: crDrag over a control that accepts it, crNoDrop elsewhere;
// crDefault when no drag runs.
TCursor DragCursor();
