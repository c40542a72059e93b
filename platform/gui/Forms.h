// Forms and the application: TCustomForm/TForm (shown, modal with a modal result, closed through
// OnCloseQuery and OnClose, key preview, active control, menu, MDI frame and children), the
// scrolling window and scroll box, TApplication (message loop, title, main form, hints, idle and
// exception handling, message boxes) and TScreen (forms, active form, cursor, fonts, work area).
#pragma once

#include "gui/Controls.h"

#include <exception>
#include <memory>
#include <vector>

class TMainMenu;
class TMenuItem;
class TStrings;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
ORV_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
ORV_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
         poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
ORV_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
enum TCloseAction { caNone, caHide, caFree, caMinimize };
ORV_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
ORV_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = TSet<TBorderIcon>;
ORV_SET(TBorderIcons)
enum TTileMode { tbHorizontal, tbVertical };
ORV_ENUM(TTileMode, tbHorizontal, tbVertical)

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// A key that may be a shortcut, before menus and actions see it.
using TShortCutEvent = std::function<void(TShortCut ShortCut, bool& Handled)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

// The part of a hint before "|" and the part after it (all of it when there is no "|").
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

class TScrollingWinControl;
struct TFormMoving;

// One scroll bar of a scrolling window: Range is the scrolled extent, Position the offset shown.
class TControlScrollBar : public TPersistent {
    ORV_META(TControlScrollBar, TPersistent)
    explicit TControlScrollBar(TScrollingWinControl* control = nullptr, TScrollBarKind kind = sbHorizontal)
        : FControl(control), FKind(kind) {}
    TScrollBarKind Kind() const { return FKind; }
    int Range() const { return FRange; }
    void SetRange(int v);
    int Position() const;
    void SetPosition(int v);
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);

private:
    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    int FRange = 0;
    int FIncrement = 8;
    bool FVisible = true;
};

class TScrollingWinControl : public TWinControl {
    ORV_META(TScrollingWinControl, TWinControl)
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool v);
    TControlScrollBar* HorzScrollBar() { return &FHorz; }
    TControlScrollBar* VertScrollBar() { return &FVert; }
    // Scrolls so the control is in view.
    void ScrollInView(TControl* AControl);

protected:
    friend class TControlScrollBar;
    // The scroll bars changed (range, position, visibility).
    virtual void UpdateScrollBars() {}
    bool FAutoScroll = false;
    TControlScrollBar FHorz{this, sbHorizontal};
    TControlScrollBar FVert{this, sbVertical};
};

// A window whose contents scroll: the controls it holds lie on a scrolled area.
class TScrollBox : public TScrollingWinControl {
    ORV_META(TScrollBox, TScrollingWinControl)
    explicit TScrollBox(TComponent* AOwner);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TRect ClientRect() const override;

protected:
    void UpdateScrollBars() override;
    void Resize() override;

private:
    TBorderStyle FBorderStyle = bsSingle;
};

class TCustomForm : public TScrollingWinControl {
    ORV_META(TCustomForm, TScrollingWinControl)
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // --- showing and closing --------------------------------------------------------------------
    void Show();
    void Hide();
    void SetVisible(bool v) override;
    // Shows the form modally and returns its modal result. With an interaction responder
    // installed the responder plays the user (see gui/Interaction.h).
    virtual int ShowModal();
    // Closes as the platform does: a modal form gets mrCancel; otherwise OnCloseQuery, then
    // OnClose with the close action (caHide; caNone for MDI children; the main form ends the
    // application).
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the events now running have returned.
    void Release();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    bool Modal() const { return FModal; }
    bool Active() const;
    // Runs OnCreate (forms built in code call it at the end of their constructor) and OnDestroy
    // (called by the destructor unless a derived destructor already did).
    void DoCreate();
    void DoDestroy();

    // --- look and behaviour ---------------------------------------------------------------------
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState v);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    // Makes the control the one with the focus (it must be on this form).
    void SetActiveControl(TWinControl* v);
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* v);
    TCanvas* Canvas() const { return FCanvas.get(); }
    // The user moves the window by dragging any point of its client area where no control takes
    // input of its own (the form itself and the panels, labels and bars on it; not a tab stop), as
    // by a title bar: a borderless window can still be moved.
    bool DragsByClientArea() const;
    void SetDragsByClientArea(bool v);
    TRect ClientRect() const override;
    void SetClientWidth(int v) override;
    void SetClientHeight(int v) override;

    // --- MDI --------------------------------------------------------------------------------------
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int I) const;
    TCustomForm* ActiveMDIChild() const;
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void Next();
    void Previous();
    TTileMode TileMode() const { return FTileMode; }
    void SetTileMode(TTileMode v) { FTileMode = v; }
    // The menu (an item of the form's main menu) whose drop-down the MDI frame ends with a list of
    // its open child windows: a separator, then one entry per child with the active one checked;
    // choosing an entry activates that child. nullptr: no list.
    TMenuItem* WindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* v);

    // --- the key and focus path (the input bridge calls these) -----------------------------------
    // Menus and action lists that take the shortcut run it; true when one did.
    virtual bool IsShortCut(TShortCut ShortCut);
    // Tab moves the focus, Enter presses the default (or focused) button, Esc the cancel button.
    bool DialogKey(Word Key, TShiftState Shift) override;
    // Moves the focus to a control of this form (OnExit of the one leaving, OnEnter of the new one).
    void FocusControl(TWinControl* Control);
    // Qt moved the focus to a control of this form.
    void FocusChanged(TWinControl* Control);
    // A control left the form: it no longer can be the active control.
    void ControlRemoved(TControl* Control);
    // The window system asks to close the window; true when it may go.
    bool WindowCloseRequested();
    // Painting of the form's client area (OnPaint).
    virtual void Paint();
    // The form became the active one / stopped being it (OnActivate, OnDeactivate).
    virtual void Activate();
    virtual void Deactivate();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    void SetTextValue(const String& v) override;
    String GetText() const override;
    void BoundsChanged() override;
    void Resize() override;
    void AlignmentDone(const TRect& Rest) override;
    // The user finished moving or sizing the window: the window system's moves and sizes of it
    // came to rest.
    virtual void MoveSizeEnded() {}

private:
    friend struct TFormAccess;
    friend struct TFormMoving;
    struct FormImpl;
    void ShowWindow();
    void HideWindow();
    void ApplyWindowFlags();
    void SetTransientOwner();
    // Whether the border lets the user resize the window, and the size kept on the window.
    bool Sizeable() const;
    void ApplyFrameSize();
    void PlaceOnFirstShow();
    void CentreFrameOn(const TRect& r, const TRect& extents);
    void LayoutFrame();
    void CloseModal();
    int MenuHeight() const;

    std::unique_ptr<FormImpl> FForm;
    std::unique_ptr<TFormMoving> FMoving;
    std::unique_ptr<TCanvas> FCanvas;
    TModalResult FModalResult = mrNone;
    bool FModal = false;
    bool FShownOnce = false;
    bool FCreated = false;
    bool FDestroyed = false;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    bool FKeyPreview = false;
    TWinControl* FActiveControl = nullptr;
    TMainMenu* FMenu = nullptr;
    TMenuItem* FWindowMenu = nullptr;
    TTileMode FTileMode = tbHorizontal;
};

class TForm : public TCustomForm {
    ORV_META(TForm, TCustomForm)
    explicit TForm(TComponent* AOwner);
};

// MessageBox flags and results (Application()->MessageBox).
enum : Cardinal {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONHAND = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON1 = 0x0,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_APPLMODAL = 0x0,
    MB_SYSTEMMODAL = 0x1000,
    MB_TASKMODAL = 0x2000,
    MB_TYPEMASK = 0xF,
    MB_ICONMASK = 0xF0,
    MB_DEFMASK = 0xF00,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

class TApplication : public TComponent {
    ORV_META(TApplication, TComponent)
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize() {}
    // Creates a form owned by the application; the first one created becomes the main form.
    template <class T> void CreateForm(T*& Reference) {
        Reference = new T(this); // owned by the application
        if (!FMainForm) FMainForm = Reference;
    }
    // Shows the main form and runs the message loop until Terminate.
    void Run();
    // Handles the messages waiting now and returns.
    void ProcessMessages();
    // Handles waiting messages, or runs OnIdle and waits for one when there are none.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Forgets an earlier Terminate, for a program started again in the same process (the tests
    // start and end it many times).
    void ResetTerminated() { FTerminated = false; }

    const String& Title() const { return FTitle; }
    void SetTitle(const String& v);
    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* v) { FMainForm = v; }
    // The full path of the running program.
    String ExeName() const;
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool v) { FShowMainForm = v; }

    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    int HintPause() const { return FHintPause; }
    void SetHintPause(int v);
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int v) { FHintHidePause = v; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor v) { FHintColor = v; }
    // The long part of the hint of the control under the mouse (OnHint fires when it changes).
    const String& Hint() const { return FHint; }
    void SetHint(const String& v);

    // The exception being handled goes to OnException, or is shown in a message box (EAbort is
    // silent). Call from a catch block.
    void HandleException(TObject* Sender);
    void ShowException(const std::exception& E);
    // The platform's message box: MB_* flags in, ID* result out.
    int MessageBox(const String& Text, const String& Caption, Cardinal Flags = MB_OK);

    void Minimize();
    void Restore();
    void BringToFront();
    bool Active() const;
    // Forms shown modally now.
    int ModalLevel() const { return FModalLevel; }

    TIdleEvent OnIdle;
    TExceptionEvent OnException;
    TNotifyEvent OnHint;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TShortCutEvent OnShortCut;

    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Application-wide shortcuts (OnShortCut, then the main form's menus and actions).
    bool IsShortCut(TShortCut ShortCut);

private:
    friend class TCustomForm;
    void Idle();
    String FTitle;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FShowMainForm = true;
    bool FShowHint = true;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    TColor FHintColor = clInfoBk;
    String FHint;
    int FModalLevel = 0;
};

// The one application object.
TApplication* Application();
// True while the application object itself is being destroyed at process end.
bool ApplicationClosingDown();

class TScreen : public TComponent {
    ORV_META(TScreen, TComponent)
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    TRect DesktopRect() const;
    // The widths the window manager's frame adds around a top-level window's bounds (Left, Top,
    // Right, Bottom), as seen on the last window it framed; all 0 before that and without one.
    TRect FrameExtents() const { return FFrameExtents; }
    int PixelsPerInch() const { return 96; }
    int MonitorCount() const;

    // The cursor of the whole application (crDefault: each control's own).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);

    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int Index) const;
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const;
    // The names of the installed font families, sorted.
    TStrings* Fonts();
    TFont* HintFont() { return &FHintFont; }

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Kept by the forms.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void FormActivated(TCustomForm* Form);
    void FormHidden(TCustomForm* Form);
    void ActiveControlChanged();
    void FrameExtentsSeen(const TRect& Extents) { FFrameExtents = Extents; }

private:
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TCursor FCursor = crDefault;
    TRect FFrameExtents{0, 0, 0, 0};
    std::unique_ptr<TStrings> FFonts;
    TFont FHintFont;
};

TScreen* Screen();
