// Internal to platform/gui: the Qt side of forms that other units of the library reach (the
// window that shows a form, the MDI frame's list of child windows in its window menu).
#pragma once

#include "gui/Forms.h"

class QMenu;
class QWidget;
class QWindow;

struct TFormAccess {
    // The window that shows the form: its MDI sub-window, or its own top-level window.
    static QWidget* FrameWindow(const TCustomForm* Form);
    // The user moved or resized the sub-window of an MDI child: the form takes over the bounds.
    static void SubWindowGeometryChanged(TCustomForm* Form, QWidget* SubWindow);
    // The sub-window of an MDI child was maximised, minimised or restored (by the user or the
    // program): the form takes over the window state.
    static void SubWindowStateChanged(TCustomForm* Form, QWidget* SubWindow);
    // Puts the frame's list of open child windows at the end of its window menu's drop-down (a
    // separator and one entry per child, the active one checked), replacing the list it had.
    static void UpdateWindowList(TCustomForm* Frame, QMenu* Menu);
    // The window manager framed the top-level window of a form just shown.
    static void FrameShown(TCustomForm* Form, QWindow* Window);
    // The window system moved or sized the form's window (the user dragged it); once that comes
    // to rest the form's MoveSizeEnded runs.
    static void WindowSystemMovedOrSized(TCustomForm* Form);
    static void MoveSizeEnded(TCustomForm* Form);
    // A form docked into a site shows as a child window of it; a form that floats again is a
    // window of its own with its border.
    static void BecomeChild(TCustomForm* Form);
    static void BecomeWindow(TCustomForm* Form);
    // The window manager minimised a modal form: it is shown again at once.
    static void KeepModalInView(TCustomForm* Form, QWidget* Frame);
};
