// The page workspace of the report designer: one page of a report with its objects, on which the
// user selects, moves, resizes, inserts, deletes and edits objects with mouse and keyboard; the
// paper panel behind it and the in-place text editor over a text object.
#pragma once

#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "report/designer/vrUnicodeMemo.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"

#include <functional>
#include <vector>

class TvrDesignerWorkspace;

// The designer window's lists of objects (not owned by the lists).
using TvrObjectList = std::vector<TvrComponent*>;

// The pencil cursor of line insertion, registered when the first workspace is made.
constexpr TCursor crPencil = 11;

// Interaction modes of the workspace.
enum : Byte {
    wmNone = 0,
    wmMove = 1,
    wmResize = 2,
    wmBandEdge = 3,
    wmGroupResize = 4,
    wmInplace = 5,
    wmRubberBand = 6,
    wmInsert = 7,
    wmInsertLine = 8,
    wmGuide = 9,
    wmContainer = 10
};

// The object about to be inserted: class, rectangle in units, default size and the flags that
// the designer window hands to the object's design-time constructor.
struct TvrInsertion {
    const meta::TClassInfo* ObjectClass = nullptr;
    Extended Left = 0, Top = 0, Width = 0, Height = 0, DefaultWidth = 0, DefaultHeight = 0;
    Word Flags = 0;
};

using TvrPositionInfoEvent = std::function<void(const TvrFloatRect& Rect)>;

// The whole sheet of paper behind the workspace with the margin outline; passes the mouse on to
// the workspace.
class TMarginsPanel : public TPanel {
    ORV_META(TMarginsPanel, TPanel)
    explicit TMarginsPanel(TComponent* AOwner);
    TvrDesignerWorkspace* Workspace = nullptr;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TPoint ToWorkspace(int x, int y) const;
};

// The editor over a text object: the text in the object's font at the workspace's scale; grows
// with its text and writes it back when closed.
class TInplaceMemo : public TUnicodeMemo {
    ORV_META(TInplaceMemo, TUnicodeMemo)
    explicit TInplaceMemo(TComponent* AOwner);
    TvrDesignerWorkspace* Workspace = nullptr;
    TvrCustomMemoView* Target = nullptr;
    int StartWidth = 0, StartHeight = 0;

    // Opens on the object: its text, place, font and colour; shown, focused, all selected.
    void Open(TvrCustomMemoView* Memo);
    // Takes the text over (unless Escape cleared the modified flag) and hides the editor.
    void Close();
    bool IsOpen() const { return Target != nullptr; }
    // Makes the editor tall and wide enough for its lines.
    void Grow();

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
};

class TvrDesignerWorkspace : public TPanel {
    ORV_META(TvrDesignerWorkspace, TPanel)
    explicit TvrDesignerWorkspace(TComponent* AOwner);
    ~TvrDesignerWorkspace() override;

    Extended BandHeader = 18.89765;
    TCanvas* DrawCanvas = nullptr;
    Byte ResizeHandle = 0;
    bool IgnoreNextMouseDown = false;
    bool Locked = false;
    bool FreeBands = false;
    Integer BandsGap = 4;
    bool GridAlign = true;
    bool GridLCD = false;
    Byte GridType = 1;
    Extended GridX = fr01cm, GridY = fr01cm;
    TInplaceMemo* InplaceMemo = nullptr;
    TvrCustomMemoView* MemoUnderMouse = nullptr;
    TvrInsertion Insertion;
    Extended LastX = 0, LastY = 0;
    Integer MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;
    TMarginsPanel* MarginsPanel = nullptr;
    Byte InsertionState = 0;
    Byte Mode = wmNone;
    bool ModifyPending = false;
    bool MouseIsDown = false;
    TvrObjectList* Objects = nullptr;
    TvrComponent* Page = nullptr;
    Integer PageHeight = 0, PageWidth = 0;
    Extended Scale = 1;
    TvrFloatRect GroupRect{}, GroupRectStart{};
    TvrObjectList* SelectedObjects = nullptr;
    std::vector<TvrBandAlign> SavedAligns;
    TvrFloatRect RubberBand{};
    bool ShowBandCaptions = true;
    bool ShowEdges = true;
    bool ShowGrid = true;
    TvrBand* SizedBand = nullptr;

    TNotifyEvent OnModified, OnEditRequest, OnInsertRequest, OnSelectionChange, OnOriginMoved;
    TvrPositionInfoEvent OnPositionInfo;

    // --- set by the designer window ---
    void SetScale(Extended scale);
    void SetPageDimensions(Integer width, Integer height, const TRect& margins);
    void SetOrigin(const TPoint& point);
    void SetWorkspaceColor(TColor color);
    void SetShowGrid(bool value);
    void SetGridType(Byte value);
    void SetShowBandCaptions(bool value);
    void UpdateBandHeader();
    void Lock();
    void Unlock() { Locked = false; }
    void UpdateView();
    void SelectionChanged();
    void NotifyModified();
    int SelectedCount() const;
    void GetSelectionBounds(TvrFloatRect& rect) const;
    TvrComponent* GetGroupHandleObject() const;
    void GroupSelection();
    void UngroupSelection();
    void MouseLeft();

    // --- keyboard operations ---
    void MoveSelection(bool byPixel, Extended dx, Extended dy);
    void ResizeSelection(Extended dx, Extended dy);
    void SelectNearest(int dx, int dy);
    void MoveToNearest(int dx, int dy);
    void SelectNext();

    // --- band layout ---
    void AdjustBands(bool stick);
    void FitBandToChildren(TvrBand* band);

    // --- the five operations a descendant may change ---
    virtual void AdjustDelta(Extended& dx, Extended& dy, bool& skip);
    virtual void DrawObjects();
    virtual void DeleteSelected();
    virtual void EditSelected();
    virtual void SetInsertion(const meta::TClassInfo* objectClass, Extended width, Extended height, Word flags);

    // Opens the in-place editor on a text object (it becomes the only selected object first).
    void OpenInplaceEditor(TvrCustomMemoView* memo);
    // The in-place editor took its text over and closed.
    void InplaceEditDone(bool changed);

    // --- queries used by the mouse handling, public for the designer's other views ---
    // The object passes the hit test at (x, y) in units.
    bool HitTest(TvrComponent* object, Extended x, Extended y) const;
    // (x, y) lies near the point (px, py): px - 2 <= x <= px + 3, likewise y.
    static bool IsNear(Extended x, Extended y, Extended px, Extended py);
    // The cursor for a resize handle.
    static TCursor HandleCursor(Byte handle);
    bool IsDotMatrixPage() const;
    bool IsReportPage() const;
    bool IsDialogPage() const;

    void SetParent(TWinControl* NewParent) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;

protected:
    void Paint() override;
    void MouseLeave() override;
    void BoundsChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // What a descendant workspace builds on.
protected:
    bool IsSelected(const TvrComponent* object) const;
    void Select(TvrComponent* object);
    void Unselect(TvrComponent* object);
    void SelectOnly(TvrComponent* object);
    void SelectPageIfEmpty();
    void RemovePageFromSelection();
    // The object lists without a freed object.
    void Forget(TvrComponent* object);
    void Hover(TShiftState shift, Extended x, Extended y);
    void DragStep(TShiftState shift, Extended x, Extended y, int px, int py);
    void ResizeStep(TvrComponent* object, Extended dx, Extended dy);
    void GroupResizeStep(Extended dx, Extended dy);
    void MoveStep(TShiftState shift, Extended dx, Extended dy);
    void FireSelectionBounds();
    void FirePositionInfo(const TvrFloatRect& rect);
    void FinishRubberBand();
    void FinishInsertion();
    void DrawRubberBand();
    void DrawCrossHair();
    void ScrollToMouse(int x, int y);
    TvrComponent* ContainerChildAt(TvrComponent* container, Extended x, Extended y) const;
    bool DiagonalCrossesRect(TvrComponent* line, const TvrFloatRect& r) const;
    bool Touches(TvrComponent* object, const TvrFloatRect& r) const;
    // Drawing parts (painting).
    void PaintGrid(TCanvas* canvas, const TRect& area);
    void DrawObject(TvrReportComponent* object);
    void DrawBandFrame(TvrBand* band);
    void DrawCornerMarks(TvrReportComponent* object);
    void DrawEventMarker(TvrReportComponent* object);
    void DrawSelection();
    void DrawHandle(int x, int y, TColor color);
    void DrawInsertionOutline();

    bool FRubberShown = false;
    TRect FRubberDrawn{};
    bool FCrossShown = false;
    TPoint FCrossStart{}, FCrossEnd{};
    bool FCrossLine = false;
    bool FFirstMoveStep = false;
};

// The band kinds ReportTitle ... Overlay between Header and ColumnFooter get the column width on
// multi-column pages; exposed for the painting tests.
bool vrBandTakesColumnWidth(const TvrBand* band);
