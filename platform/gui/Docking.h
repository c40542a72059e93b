// Docking: controls and forms that dock into dock sites and float in windows of their own, the
// dock manager that tiles the controls of a site and keeps their arrangement as a stream, the
// control bar that holds tool bars in rows, and the dock drag that the user starts from a docked
// control's grabber, a control bar's grip or a dkDock control dragged automatically.
//
// The hooks of a site (TWinControl::DockOver, DockDrop, DoUnDock) may refuse; ManualDock and
// ManualFloat go through them as the user's drags do.
#pragma once

#include "gui/Controls.h"
#include "gui/Forms.h"

#include <functional>
#include <memory>
#include <vector>

class TStream;

// What is being docked: the control, the screen point of the pointer, the site under it and
// where in it (beside DropOnControl on the side DropAlign), and the screen rectangle it would
// take.
class TDragDockObject {
public:
    explicit TDragDockObject(TControl* control) : Control(control) {}
    TControl* Control;
    TPoint DragPos;
    TWinControl* DragTarget = nullptr;
    TControl* DropOnControl = nullptr;
    TAlign DropAlign = alNone;
    TRect DockRect;
};

// The dock manager of a site: the docked controls in order, each with a grabber (a strip with
// its caption and a close button) before it, stacked top to bottom in a site aligned left, right
// or to the client, and left to right in one aligned to the top or bottom; their sizes along the
// stacking direction keep their proportions when the site's size changes.
class TDockTree {
public:
    explicit TDockTree(TWinControl* site);
    ~TDockTree();
    TDockTree(const TDockTree&) = delete;
    TDockTree& operator=(const TDockTree&) = delete;

    TWinControl* DockSite() const { return FSite; }
    // Stacked left to right (a site aligned to the top or bottom) instead of top to bottom.
    bool Horizontal() const;
    // The grabber's thickness.
    static constexpr int GrabberSize = 12;

    // Takes the control in: beside DropControl (before it for alLeft and alTop, after it
    // otherwise), at the end without one.
    void InsertControl(TControl* control, TAlign insertAt, TControl* dropControl);
    void RemoveControl(TControl* control);
    // The controls in their order (hidden ones included).
    std::vector<TControl*> Controls() const;
    // Places the visible controls and their grabbers in the site's client area.
    void ResetBounds();
    // The grabber of a docked control in the site's client coordinates (empty when hidden).
    TRect GrabberRect(TControl* control) const;
    // The control whose place holds the client point, and the side of it the point is nearer to.
    TControl* ControlAt(const TPoint& client, TAlign& side) const;

    // The arrangement in our own format: the controls' names, sizes and visibility in order.
    void SaveToStream(TStream& stream) const;
    // Reads an arrangement back: each named control the site's ReloadDockedControl finds docks
    // here in the saved order with its saved size and visibility; docked controls the stream does
    // not name follow them. A stream that is not a whole arrangement changes nothing: false.
    bool LoadFromStream(TStream& stream);

private:
    friend struct TDockAccess;
    struct TZone;
    TZone* ZoneOf(TControl* control) const;
    TWinControl* FSite;
    std::vector<std::unique_ptr<TZone>> FZones;
    bool FRemoved = false; // a control left since the last placing
};

// A bar of tool bars: the controls docked in it lie in rows, each after a grip that moves it (a
// drag of the grip out of the bar floats it). It sizes its height to its rows.
class TControlBar : public TCustomControl {
    ORV_META(TControlBar, TCustomControl)
    explicit TControlBar(TComponent* AOwner);
    // The grip before a docked control, in client coordinates.
    TRect GripRect(TControl* control) const;
    static constexpr int GripWidth = 11;
    void DockDrop(TDragDockObject& Source, int X, int Y) override;
    // Places the docked controls in rows.
    void ArrangeBands();

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void AlignmentDone(const TRect& Rest) override;

private:
    TControl* GripAt(const TPoint& p) const;
    bool FArranging = false;
    TControl* FPressed = nullptr;
};

// --- the dock drag ----------------------------------------------------------------------------

// Starts dragging the control to dock it (from a grabber or a grip, at the screen point); it
// starts moving once the pointer passes the mouse's drag threshold.
void BeginDockDrag(TControl* Control, const TPoint& ScreenPos);
// The pointer moved while the button is held: the dock site under it is asked (DockOver) and
// the place the control would take shows.
void DockDragMove(const TPoint& ScreenPos);
// The button was released: the control docks into the site under the pointer that accepts it,
// or floats there when none does (Drop false cancels the drag).
void EndDockDrag(const TPoint& ScreenPos, bool Drop = true);
// The control being dock-dragged now (nullptr when none).
TControl* DockDragControl();
// Where the control would go now: the site accepting it (nullptr: it would float) and its
// rectangle on the screen.
TWinControl* DockDragTarget();
TRect DockDragRect();

// Simulates the user dragging a control by its grabber (docked in a dock manager's site), its
// grip (in a control bar) or itself (a dkDock control that drags automatically) to the screen
// point and releasing the button there.
void SimulateDockDrag(TControl* Control, const TPoint& To);
