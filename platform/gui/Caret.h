// The caret of a control that draws its own text (a code editor on a custom control): a bar of
// the size asked for, blinking at the desktop's rate. There is one caret at a time, as there is
// one keyboard focus: making one for a control takes it from the control that had it. It shows
// only while its control has the focus and it is shown; a position outside the control (the
// editors put it at (-100, -100) to hide it) shows nothing.
//
// A control that owns the caret also takes text from the input method: committed text reaches
// it as typed characters (KeyPress, one UTF-16 unit each, a pair for a character beyond the basic
// plane), and the input method is told the caret's rectangle to place its candidate window.
#pragma once

#include "gui/Controls.h"

class TControlCaret {
public:
    // A new caret of width x height pixels for the control, hidden until Show.
    static void Create(TWinControl* control, int width, int height);
    // Removes the caret when the control owns it.
    static void Destroy(TWinControl* control);
    // Moves the caret (client coordinates) when the control owns it.
    static void SetPos(TWinControl* control, int x, int y);
    static void Show(TWinControl* control);
    static void Hide(TWinControl* control);

    // The caret as it is now.
    struct TState {
        TWinControl* Control = nullptr; // its owner; nullptr without a caret
        TRect Bounds;                   // client coordinates of the owner
        bool Shown = false;             // shown and its owner focused (blinking apart)
    };
    static TState State();
};

// Text committed by the input method to the control with the focus (tests): what the desktop's
// input method sends when the user picks a candidate.
void SimulateInputMethodText(TWinControl* target, const WideString& text);
// The caret rectangle the control gives the input method (client coordinates); empty when the
// control gives none.
TRect InputMethodCaretRect(TWinControl* target);
