// TCustomPopupControl: a frameless window of its own that drops down from a control (a calendar,
// a calculator): shown on top at a screen point without taking the activation or the keyboard
// focus, so the control it belongs to keeps typing going to it. Its Left and Top are screen
// coordinates; it has no parent.
#pragma once

#include "gui/Controls.h"

class TCustomPopupControl : public TCustomControl {
    ORV_META(TCustomPopupControl, TCustomControl)
    explicit TCustomPopupControl(TComponent* AOwner);
    // Moves the window to the screen point (its size kept) and shows it on top, not activated.
    void ShowAt(const TPoint& ScreenPos);
    // Hides the window without moving or activating anything.
    void HidePopup();
    // The window shows now.
    bool PopupShowing() const;
    void SetParent(TWinControl* NewParent) override;
    ~TCustomPopupControl() override;

protected:
    // While the window shows, a mouse press anywhere outside it and outside the control that owns
    // it (the platform's cancel mode): Target is the control pressed (nullptr when none of ours).
    virtual void CancelMode(TControl* Target) { (void)Target; }

private:
    class TOutsideWatch;
    TOutsideWatch* FWatch = nullptr;
};

// The rectangle of the screen (monitor) that holds the point, the primary one when none does.
TRect MonitorRectAt(const TPoint& ScreenPos);
