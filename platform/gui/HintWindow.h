// Hints a control decides itself: a per-control query answers, when the mouse rests on the
// control, whether a hint shows, its text, its position on the screen, the window class that
// shows it and the data handed to that window (the font an edit's tool tip is drawn in).
#pragma once

#include "gui/Controls.h"
#include "gui/Graphics.h"

#include <functional>
#include <memory>

class THintWindow;
using THintWindowFactory = std::function<std::unique_ptr<THintWindow>()>;

struct THintInfo {
    bool Show = true;
    String HintStr;
    TPoint HintPos; // screen position of the hint's top-left corner
    THintWindowFactory HintWindowClass; // empty: THintWindow
    const TFont* HintData = nullptr;
    TPoint CursorPos;   // the client point the hint is asked for
    TRect CursorRect;   // client area the hint belongs to: leaving it hides the hint (empty: none)
    int MaxWidth = 0;   // widest hint window; 0: the screen's width
};
using THintQuery = std::function<void(TControl* Control, THintInfo& Info)>;

// The window that shows a hint: the text on the hint colour inside a 1-pixel frame.
class THintWindow : public TCustomControl {
    ORV_META(THintWindow, TCustomControl)
    explicit THintWindow(TComponent* AOwner = nullptr);
    // The window's rectangle (at 0, 0) for Hint, at most MaxWidth wide, measured in the canvas font.
    virtual TRect CalcHintRect(int MaxWidth, const String& Hint, const TFont* Data);
    // Shows the hint in Rect (screen coordinates) without taking the focus.
    void ActivateHint(const TRect& Rect, const String& Hint);
    void ReleaseHandle();
    const String& HintText() const { return FHintText; }

protected:
    void Paint() override;

private:
    String FHintText;
};

// A hint window measured and drawn in the font handed over as hint data (an edit's tool tip).
class TToolTipsWindow : public THintWindow {
    ORV_META(TToolTipsWindow, THintWindow)
    explicit TToolTipsWindow(TComponent* AOwner = nullptr) : THintWindow(AOwner) {}
    TRect CalcHintRect(int MaxWidth, const String& Hint, const TFont* Data) override;
};

// Sets (an empty function removes) the control's hint query; the default hint (Hint with
// ShowHint) shows otherwise.
void SetControlHintQuery(TControl* Control, THintQuery Query);
// Shows the control's hint as resting the mouse at the client point Pos would; the window stays
// until the next hint or HideControlHint. Returns the window, nullptr when no hint shows.
THintWindow* ShowControlHint(TControl* Control, const TPoint& Pos);
void HideControlHint();
// The hint window that shows now, nullptr when none.
THintWindow* ShownHintWindow();

// The pause before the hint of a client point shows, in milliseconds, asked as the pointer moves
// over the control. An answer of 0 shows the hint of the point at once (it stays while the
// pointer remains in the area the hint belongs to); any other answer leaves the hint to the
// usual pause. An empty function removes the query.
using THintPauseQuery = std::function<int(TControl* Control, const TPoint& Pos)>;
void SetControlHintPauseQuery(TControl* Control, THintPauseQuery Query);
