// Internal to platform/gui: moving a form by its client area, and noticing when the window
// system's moves and sizes of a form come to rest.
#pragma once

#include "gui/Forms.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

struct TFormMoving {
    explicit TFormMoving(TCustomForm* form);
    ~TFormMoving();
    // Watches presses on the form's client area (while DragsByClientArea is set).
    void SetDragging(bool v);
    bool Dragging() const { return FFilter != nullptr; }
    // The window system moved or sized the window: MoveSizeEnded runs once this comes to rest.
    void MovedOrSized();

    // How long the window must keep still before a move or size counts as ended (ms).
    static constexpr int RestInterval = 150;

private:
    class TPressFilter;
    TCustomForm* FForm;
    TPressFilter* FFilter = nullptr;
    QPointer<QTimer> FRest;
};
