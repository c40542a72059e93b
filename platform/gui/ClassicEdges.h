// The classic three-dimensional edges and frame controls (buttons, check boxes, scroll arrows),
// drawn by our own code on any canvas, for controls that draw the platform's classic look.
#pragma once

#include "gui/Graphics.h"

// Edge kinds (combine one outer and one inner) and sides.
enum : unsigned {
    BDR_RAISEDOUTER = 0x0001,
    BDR_SUNKENOUTER = 0x0002,
    BDR_RAISEDINNER = 0x0004,
    BDR_SUNKENINNER = 0x0008,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    BF_LEFT = 0x0001,
    BF_TOP = 0x0002,
    BF_RIGHT = 0x0004,
    BF_BOTTOM = 0x0008,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_MIDDLE = 0x0800, // fill the inside with the button face
    BF_ADJUST = 0x2000, // shrink the rectangle by what was drawn
};

// Frame control kinds and states.
enum : unsigned {
    DFC_SCROLL = 3,
    DFC_BUTTON = 4,
    DFCS_SCROLLUP = 0x0000,
    DFCS_SCROLLDOWN = 0x0001,
    DFCS_SCROLLCOMBOBOX = 0x0005,
    DFCS_BUTTONCHECK = 0x0000,
    DFCS_BUTTONPUSH = 0x0010,
    DFCS_BUTTON3STATE = 0x0008,
    DFCS_INACTIVE = 0x0100,
    DFCS_PUSHED = 0x0200,
    DFCS_CHECKED = 0x0400,
    DFCS_FLAT = 0x4000,
};

// Draws the edge on the given sides; with BF_ADJUST the rectangle shrinks by the edge drawn.
void DrawEdge(TCanvas* Canvas, TRect& Rect, unsigned Edge, unsigned Flags);
// A classic frame control over the rectangle: a scroll arrow button (up, down, the combo box's
// down arrow) or a check box, in the state the flags give.
void DrawFrameControl(TCanvas* Canvas, const TRect& Rect, unsigned Kind, unsigned State);

// Whether controls that can draw either look draw the themed elements of the toolkit's style
// (the default) or the classic look above; a change counts as a change of the system colours.
bool ThemedElementsEnabled();
void SetThemedElementsEnabled(bool Value);
// The standard check box's size (the classic 13 x 13).
TSize StandardCheckBoxSize();
// Listeners told when the system colours (or the themed look) change, so they drop what they
// painted ahead. Returns an id for RemoveSysColorChangeListener.
int AddSysColorChangeListener(std::function<void()> Listener);
void RemoveSysColorChangeListener(int Id);
void NotifySysColorChange();

// Elements of the toolkit's style (the themed look).
// SpinLeft and SpinRight are the halves of a horizontal spin button; CloseButton is a window's
// close button.
enum class TThemedElement {
    PushButton,
    ToolButton,
    ComboDropDown,
    SpinUp,
    SpinDown,
    CheckBox,
    SpinLeft,
    SpinRight,
    CloseButton
};
enum class TThemedState { Normal, Hot, Pressed, Disabled };
// Draws the element over the rectangle; CheckState 0 unchecked, 1 checked, 2 mixed.
void DrawThemedElement(TCanvas* Canvas, const TRect& Rect, TThemedElement Element, TThemedState State,
                       int CheckState = 0);
