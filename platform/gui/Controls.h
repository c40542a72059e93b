// The control hierarchy of the form library: TControl (bounds, parent, alignment, anchors,
// visibility, text, font, colour, hints, cursor, input events), TWinControl (a window that holds
// other controls and takes the focus), TCustomControl (a window that paints itself on a Canvas)
// and TGraphicControl (a control without a window of its own that paints itself). Every control
// is a component; its parent (where it shows) and its owner (who frees it) are separate, as on
// the platform. Freeing a windowed control frees the controls it holds.
//
// Coordinates: Left/Top are relative to the parent's client area; mouse events carry client
// coordinates of the control. Each control shows through a Qt widget that stays private.
#pragma once

#include "classes/Alignment.h"
#include "classes/Component.h"
#include "gui/Graphics.h"
#include "gui/Input.h"

#include <memory>
#include <vector>

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TBasicAction;
class TCanvas;
struct TControlAccess;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
ORV_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
ORV_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
using TAnchors = TSet<TAnchorKind>;
ORV_SET(TAnchors)

enum TTextLayout { tlTop, tlCenter, tlBottom };
ORV_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
ORV_ENUM(TBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
using TFormBorderStyle = TBorderStyle;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
ORV_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
using TBevelWidth = int;

// Cursors (crSize and crSizeAll are the same cursor).
using TCursor = SmallInt;
enum : TCursor {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crSQLWait = -17,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22,
    crSize = -22,
};

// Modal results: what closes a modal form and what dialogs return.
using TModalResult = int;
enum : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

// Scroll bars: the platform's scroll information (range nMin..nMax, page nPage, position nPos, the
// position being dragged nTrackPos; the largest position is nMax - max(nPage - 1, 0)).
enum : int { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };
enum : Cardinal {
    SIF_RANGE = 0x1,
    SIF_PAGE = 0x2,
    SIF_POS = 0x4,
    SIF_DISABLENOSCROLL = 0x8,
    SIF_TRACKPOS = 0x10,
    SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS,
};
struct TScrollInfo {
    Cardinal cbSize = sizeof(TScrollInfo);
    Cardinal fMask = 0;
    int nMin = 0;
    int nMax = 0;
    Cardinal nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
ORV_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom,
         scEndScroll)
enum TScrollBarKind { sbHorizontal, sbVertical };
ORV_ENUM(TScrollBarKind, sbHorizontal, sbVertical)
// OnScroll of a window's own scroll bars: which bar, the code, and the position (the handler may
// change it).
using TWindowScrollEvent =
    std::function<void(TObject* Sender, TScrollBarKind Kind, TScrollCode Code, int& Pos)>;

using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

// Dragging a control: by hand (BeginDrag) or on every left press (dmAutomatic).
enum TDragMode { dmManual, dmAutomatic };
ORV_ENUM(TDragMode, dmManual, dmAutomatic)
using TStartDragEvent = std::function<void(TObject* Sender)>;
// Target is the control under the pointer where the drag ended (nullptr when none); X, Y are its
// client coordinates there.
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

// Dragging a control moves it as a drag-and-drop source (dkDrag) or docks it (dkDock).
enum TDragKind { dkDrag, dkDock };
ORV_ENUM(TDragKind, dkDrag, dkDock)
// Where a drag stands against a control it passes over: it comes in, leaves, or moves inside.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
ORV_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove)
// A control being dragged (Source) is over this one at its client point: Accept false refuses
// the drop there (the pointer shows the no-drop cursor).
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
// The dragged control was dropped on this one at its client point.
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
class TDragDockObject;
class TDockTree;
// A dock site under a control being docked: Accept false refuses it (no feedback, no drop).
using TDockOverEvent =
    std::function<void(TObject* Sender, TDragDockObject& Source, int X, int Y, bool& Accept)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject& Source, int X, int Y)>;
// A docked control is about to leave for NewTarget (nullptr: it floats); Allow false keeps it.
using TUnDockEvent =
    std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;

// Size limits of a control (0: no limit).
class TSizeConstraints : public TPersistent {
    ORV_META(TSizeConstraints, TPersistent)
    explicit TSizeConstraints(TControl* control = nullptr) : FControl(control) {}
    int MinWidth() const { return FMinWidth; }
    int MinHeight() const { return FMinHeight; }
    int MaxWidth() const { return FMaxWidth; }
    int MaxHeight() const { return FMaxHeight; }
    void SetMinWidth(int v);
    void SetMinHeight(int v);
    void SetMaxWidth(int v);
    void SetMaxHeight(int v);
    void Assign(const TPersistent* Source) override;

private:
    void Changed();
    TControl* FControl;
    int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

class TControl : public TComponent {
    ORV_META(TControl, TComponent)
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // --- place ----------------------------------------------------------------------------------
    TWinControl* Parent() const { return FParent; }
    // Moves the control into NewParent (nullptr takes it out of any window).
    virtual void SetParent(TWinControl* NewParent);
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    // Sets all four at once (constraints applied); the parent realigns its aligned controls.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The client area in client coordinates (origin 0,0).
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int v);
    virtual void SetClientHeight(int v);
    // The client origin in screen coordinates, and conversions.
    TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;
    // Converts client coordinates of this control to those of its parent.
    TPoint ClientToParent(const TPoint& p, TWinControl* AParent = nullptr) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors v);
    TSizeConstraints* Constraints() { return &FConstraints; }

    // --- state ----------------------------------------------------------------------------------
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    void Show();
    void Hide();
    // Visible here and in every parent up to a shown form.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);

    // Caption and Text are one value (a label's caption, an edit's text, a form's title).
    String Caption() const { return GetText(); }
    void SetCaption(const String& v) { SetText(v); }
    String Text() const { return GetText(); }
    void SetText(const String& v);
    int GetTextLen() const { return static_cast<int>(GetText().size()); }

    TFont* Font() { return &FFont; }
    void SetFont(TFont* v) {
        if (v) FFont.Assign(*v);
    }
    TColor Color() const { return FColor; }
    virtual void SetColor(TColor v);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);

    const String& Hint() const { return FHint; }
    void SetHint(const String& v);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v);
    // The action the control follows (caption, hint, enabled, visible, checked; clicking executes it).
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* v);

    // --- painting and order ---------------------------------------------------------------------
    void Invalidate();
    // Paints what is invalid now.
    void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // --- mouse ----------------------------------------------------------------------------------
    // All mouse input goes to this control until ReleaseCapture (or the button is released).
    void SetMouseCapture(bool v);
    bool MouseCapture() const;

    // --- dragging -------------------------------------------------------------------------------
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode v) { FDragMode = v; }
    // Starts dragging the control: at once, or (Immediate false) once the pointer has moved
    // Threshold pixels (-1: the mouse's threshold) away from where it was, with the button held.
    // Releasing the button ends the drag.
    void BeginDrag(bool Immediate, int Threshold = -1);
    // Ends the drag (or the wait for the threshold); OnEndDrag tells where when it had started.
    void EndDrag(bool Drop);
    // The drag has started (the threshold was passed).
    bool Dragging() const;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    // A drag passes over the control: Accept comes in true when OnDragOver is assigned and false
    // otherwise; the handler (or an override) decides.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // A drag that the control accepted ends over it.
    virtual void DragDrop(TObject* Source, int X, int Y);
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;

    // --- docking (gui/Docking.h) ----------------------------------------------------------------
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind v) { FDragKind = v; }
    // The dock site the control is docked in (nullptr when it is not docked).
    TWinControl* HostDockSite() const { return FHostDockSite; }
    // A form that is not docked, or a control that shows in a floating window of its own.
    bool Floating() const;
    // The window a floating control other than a form shows in (nullptr when none).
    TCustomForm* FloatHost() const { return FFloatHost; }
    // Docks the control into the site (beside DropControl on the side ControlSide when given): the
    // site it leaves may refuse (DoUnDock), then the new site's DockDrop takes it. True when docked.
    bool ManualDock(TWinControl* NewDockSite, TControl* DropControl = nullptr, TAlign ControlSide = alNone);
    // Floats the control at the screen rectangle: a form becomes a window of its own there, another
    // control goes into a floating tool window whose client area is the rectangle. False when the
    // site it leaves refuses.
    bool ManualFloat(const TRect& ScreenPos);
    // The size the control takes when it leaves a site (its own size until set).
    int UndockWidth() const { return FUndockWidth > 0 ? FUndockWidth : FWidth; }
    int UndockHeight() const { return FUndockHeight > 0 ? FUndockHeight : FHeight; }
    void SetUndockWidth(int v) { FUndockWidth = v; }
    void SetUndockHeight(int v) { FUndockHeight = v; }
    // A dock drag of the control starts, and it ends docked (Target the site) or floating (nullptr).
    TNotifyEvent OnStartDock;
    TEndDragEvent OnEndDock;

    // Simulates a click (runs OnClick or the action).
    virtual void Click();
    // The form the control is on (the nearest form up the parents), nullptr when none.
    TCustomForm* GetParentForm() const;
    // Sends a platform message the control answers (few are known: WM_SETREDRAW, WM_CLOSE,
    // CM_ENABLEDCHANGED ...); 0 when it does not answer.
    virtual Integer Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam);

    // --- events ---------------------------------------------------------------------------------
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TContextPopupEvent OnContextPopup;

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    // Called by the action link and the action's change broadcast.
    virtual void ActionChange(TBasicAction* Sender, bool CheckDefaults);

protected:
    // The value behind Caption/Text (controls that hold their text in the widget override both).
    virtual String GetText() const { return FText; }
    virtual void SetTextValue(const String& v);
    // Hooks the input path calls; overriders call the base to fire the events.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DblClick();
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    // The mouse came over the control, and left it again (a held control's area counts as the
    // control's own).
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // Whether a left press (or double click) starts an automatic drag instead of reaching
    // MouseDown: with dmAutomatic. A control may take the press itself and drag later.
    virtual bool AutoDragOnPress(TShiftState Shift);
    virtual void Resize();
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    // The control's font or colour changed (its own or, following the parent, the parent's).
    virtual void FontChanged();
    virtual void ColorChanged();
    // The bounds changed (after the widget moved).
    virtual void BoundsChanged();
    // The enabled state changed.
    virtual void EnabledChanged();
    // Whether the control's widget takes the text colour from Font and the background from Color
    // (standard controls keep the style's look unless set).
    bool FParentColorApplied = false;

private:
    friend struct TControlAccess;
    friend struct TDockAccess;
    friend class TWinControl;
    friend class TSizeConstraints;
    void ApplyBounds();
    void ApplyFont();
    void ApplyColor();
    void ApplyHint();
    void ParentFontChanged();
    void ParentColorChanged();
    void ParentShowHintChanged();
    void UpdateAnchorRules();
    void DoFontChange(TObject*);
    bool EffectiveShowHint() const;

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TSizeConstraints FConstraints{this};
    bool FVisible = true;
    bool FEnabled = true;
    String FText;
    TFont FFont;
    TColor FColor = clWindow;
    bool FParentFont = true;
    bool FParentColor = false;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TWinControl* FHostDockSite = nullptr;
    TCustomForm* FFloatHost = nullptr;
    int FUndockWidth = 0, FUndockHeight = 0;
    TPopupMenu* FPopupMenu = nullptr;
    TBasicAction* FAction = nullptr;
    bool FFontFromParent = false;
    // Distances to the parent's right and bottom edges kept by akRight/akBottom.
    int FAnchorRight = 0, FAnchorBottom = 0;
    bool FAnchorValid = false;

public:
    // The Qt side (private to the library).
    struct Impl;

protected:
    std::unique_ptr<Impl> FImpl;
};

class TWinControl : public TControl {
    ORV_META(TWinControl, TControl)
    explicit TWinControl(TComponent* AOwner);
    // Frees the controls it holds first (as the platform does).
    ~TWinControl() override;

    // The controls shown in this one, in insertion (z) order.
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int Index) const;
    // Those controls that are windows of their own, in tab order.
    std::vector<TWinControl*> TabList() const;
    bool ContainsControl(const TControl* Control) const;
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled = false) const;

    // Focus.
    bool CanFocus() const;
    bool Focused() const;
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot.
    virtual void SetFocus();
    int TabOrder() const;
    void SetTabOrder(int v);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v);
    // The next control in tab order after CurControl among those this one holds (nested ones
    // included), wrapping; CheckTabStop skips controls without TabStop.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

    // Alignment of the controls held: the platform's order (top, bottom, left, right, client).
    void DisableAlign();
    void EnableAlign();
    void Realign();
    void AlignControls(TControl* AControl, TRect& Rect);

    // The platform's scroll-bar functions on the control's own scroll bars (SB_HORZ, SB_VERT);
    // custom controls that draw scrolled contents use them. SetScrollInfo returns the position.
    int SetScrollInfo(int BarFlag, const TScrollInfo& Info, bool Redraw = true);
    bool GetScrollInfo(int BarFlag, TScrollInfo& Info) const;
    void ShowScrollBar(int BarFlag, bool Show);
    void EnableScrollBar(int BarFlag, bool Enable);
    int GetScrollPos(int BarFlag) const;
    int SetScrollPos(int BarFlag, int Pos, bool Redraw = true);
    // The user moved a scroll bar (line, page, drag, ...).
    TWindowScrollEvent OnScroll;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // Hooks of the key path (the input path and the form call them); true / Key 0 when handled.
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(char16_t& Key);
    // Whether the control takes the key itself instead of the form's dialog handling (Tab moving
    // the focus, Enter pressing the default button, Esc the cancel button, arrows moving focus).
    virtual bool WantsKey(Word Key, TShiftState Shift) const;
    // A dialog key (Enter, Esc) offered to the controls held until one takes it (buttons do).
    virtual bool DialogKey(Word Key, TShiftState Shift);
    virtual void DoEnter();
    virtual void DoExit();
    // The user scrolled one of the window's own scroll bars.
    virtual void Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos);

    // --- docking (gui/Docking.h) ----------------------------------------------------------------
    // Controls dragged with dkDock may dock here.
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool v) { FDockSite = v; }
    // The dock manager tiles the docked controls (it is made when this is switched on).
    bool UseDockManager() const { return FUseDockManager; }
    void SetUseDockManager(bool v);
    TDockTree* DockManager() const { return FDockManager.get(); }
    int DockClientCount() const { return static_cast<int>(FDockClients.size()); }
    TControl* DockClients(int Index) const;
    // A dock site that sizes itself: as wide (left or right aligned) or high (top or bottom
    // aligned) as what docks into it when that comes, and 0 while nothing docked shows.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    // Hooks of docking: a control dragged over the site (Accept starts true when the site is a
    // dock site; OnDockOver may refuse), the drop (the control docks; OnDockDrop follows), a docked
    // control leaving for NewTarget (OnUnDock may refuse), and the control of a name a saved
    // arrangement names (the owner's component of that name).
    virtual void DockOver(TDragDockObject& Source, int X, int Y, bool& Accept);
    virtual void DockDrop(TDragDockObject& Source, int X, int Y);
    virtual bool DoUnDock(TWinControl* NewTarget, TControl* Client);
    virtual void ReloadDockedControl(const String& ControlName, TControl*& Control);
    TDockOverEvent OnDockOver;
    TDockDropEvent OnDockDrop;
    TUnDockEvent OnUnDock;

protected:
    // Shrinks the rectangle aligned controls share (borders, captions).
    virtual void AdjustClientRect(TRect& Rect) const;

    // Alignment placed the aligned controls; Rest is the area they left free.
    virtual void AlignmentDone(const TRect& Rest) { (void)Rest; }

public:
    // The area inside the window's own scroll bars.
    TRect ClientRect() const override;

protected:
    void Resize() override;
    void FontChanged() override;
    void ColorChanged() override;

private:
    friend class TControl;
    friend struct TControlAccess;
    friend struct TDockAccess;
    void InsertControl(TControl* Control);
    void RemoveControl(TControl* Control);
    void AnchorChildren();
    void UpdateTabOrder();

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    int FAlignLevel = 0;
    bool FAlignPending = false;
    int FLastClientWidth = -1, FLastClientHeight = -1;
    bool FDockSite = false;
    bool FUseDockManager = false;
    bool FAutoSize = false;
    std::vector<TControl*> FDockClients;
    std::unique_ptr<TDockTree> FDockManager;
};

// A window control that paints itself: override Paint and draw on Canvas.
class TCustomControl : public TWinControl {
    ORV_META(TCustomControl, TWinControl)
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    // The canvas of the control; drawing reaches the screen while Paint runs.
    TCanvas* Canvas() const { return FCanvas.get(); }
    // Whether the control's background is filled with Color before Paint (true by default).
    void PaintWithBackground(bool v);

protected:
    friend struct TControlAccess;
    virtual void Paint() {}
    std::unique_ptr<TCanvas> FCanvas;
};

// A control without a window of its own (labels, shapes, speed buttons) that paints itself.
class TGraphicControl : public TControl {
    ORV_META(TGraphicControl, TControl)
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    friend struct TControlAccess;
    virtual void Paint() {}
    std::unique_ptr<TCanvas> FCanvas;
};

// Platform messages Perform understands.
enum : Cardinal {
    WM_SETREDRAW = 0x000B,
    WM_CLOSE = 0x0010,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    CM_BASE = 0xB000,
    CM_ENABLEDCHANGED = CM_BASE + 3,
    CM_FONTCHANGED = CM_BASE + 5,
    CM_COLORCHANGED = CM_BASE + 6,
    CM_TEXTCHANGED = CM_BASE + 18,
};

// The control that shows the given screen point, nullptr when none of ours does.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The control under the mouse now, and the window control that has the focus.
TControl* FindVCLWindowAtCursor();
TWinControl* FindFocusedControl();
// Releases mouse capture held by any control.
void ReleaseCapture();
TControl* GetCaptureControl();
// Sends the platform's beep (MB_OK default sound).
void MessageBeep(Cardinal uType);
