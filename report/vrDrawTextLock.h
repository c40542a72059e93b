// Holds a canvas's own lock for a scope (the layout object measures under it).
#pragma once

#include "gui/Graphics.h"

class TCanvasLock {
public:
    explicit TCanvasLock(TCanvas& canvas) : FCanvas(canvas) { FCanvas.Lock(); }
    ~TCanvasLock() { FCanvas.Unlock(); }
    TCanvasLock(const TCanvasLock&) = delete;
    TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
    TCanvas& FCanvas;
};
