// The preview of a report's prepared pages: the page areas (the main workspace and the thumbnail
// strip) that lay pages out in centred rows, paint, scroll, hit-test and search them; the preview
// control that owns them with the outline, zoom, paging and the commands; and the preview window
// with its tool bar and status bar that a report opens when no preview control of the
// application's own is attached.
//
// All workspace geometry is in pixels at the workspace's zoom. While a report is built the
// control is told through BuildStarted, BuildStep and BuildFinished and lets pending messages run
// after every page, so the first pages show while the engine goes on.
#pragma once

#include "classes/Collection.h"
#include "gui/ComCtrls.h"
#include "gui/Forms.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "report/vrClassCollaborators.h"
#include "report/vrClassOptions.h"
#include "report/vrCtrls.h"

#include <functional>
#include <memory>

class TMetafile;
class TvrPreview;
class TvrPreviewForm;
class TvrPreviewPages;
class TvrReport;
class TvrTBPanel;
class TSpeedButton;
class TSplitter;

// One prepared page's rectangle in the unscrolled workspace.
class TvrPageItem : public TCollectionItem {
    ORV_META(TvrPageItem, TCollectionItem)
    explicit TvrPageItem(TCollection* Collection) : TCollectionItem(Collection) {}
    Integer Height = 0, Width = 0, Left = 0, Top = 0;
};

// The pages of a workspace laid out in centred rows, 10 pixels apart.
class TvrPageList : public TCollection {
    ORV_META(TvrPageList, TCollection)
    TvrPageList();
    TvrPageItem* Item(int Index) const { return static_cast<TvrPageItem*>(Items(Index)); }
    // The width of the widest row of the last layout, trailing gap included.
    Integer MaxRowWidth = 0;

    // A page of round(zoom x width) by round(zoom x height).
    void AppendPage(Integer Width, Integer Height, Extended Zoom);
    // Rows as wide as AvailableWidth allows (at least one page each), each centred.
    void LayoutRows(Integer AvailableWidth);
    // The page at the unscrolled point; with X 0 the page at the top of a view whose top is Y
    // (a page counts from a fifth of its height below the top). -1 above the first page.
    Integer PageAt(Integer Y, Integer X) const;
    // The rectangle of page Index; an index out of range gives an A4 page centred in ClientWidth.
    TRect PageBounds(Integer Index, Integer ClientWidth, bool RightToLeft, Extended Zoom) const;
    // (MaxRowWidth, bottom of the last page); (0, 0) without pages.
    TPoint ExtentSize() const;
};

// The text search state that all workspaces share (set up by the preview control from the
// search dialog).
struct TvrSearchState {
    String Text;
    bool CaseSensitive = false;
    bool Found = false;
    // The ordinal of the last matching text record on the page being searched (-1: none yet).
    Integer LastFoundRecord = -1;
    // The hit in page coordinates at scale 1.
    TRect FoundRect;
};
TvrSearchState& vrPreviewSearch();

// A scrolling page area of the preview control.
class TvrPreviewWorkspace : public TvrScrollWin {
    ORV_META(TvrPreviewWorkspace, TvrScrollWin)
    explicit TvrPreviewWorkspace(TComponent* AOwner);
    ~TvrPreviewWorkspace() override;

    TvrPreview* Preview = nullptr;
    TvrPreviewPages* PreviewPages = nullptr;
    TvrPageList* PageList() const { return FPageList.get(); }
    Extended Zoom = 1.0;
    Integer PageNo = 1;
    TPoint ScrollOffset() const { return TPoint(HorzScrollOffset(), VertScrollOffset()); }
    TColor BackColor = 8421504;
    TColor FrameColor = 0;
    TColor ActiveFrameColor = 8405024;
    bool ThumbnailMode = false;
    bool Locked = false;
    bool SuppressScroll = false;
    bool RightToLeftPreview = false;
    TCursor DefaultCursor = crDefault;
    // The page where the search goes on.
    Integer SearchPage = 0;
    // The page the search metafile holds (-1: none).
    Integer CachedSearchPage() const { return FSearchPageIndex; }
    void InvalidateSearchCache() { FSearchPageIndex = -1; }
    TMouseEvent OnWorkspaceMouseDown;

    // Appends a page of the size at zoom 1 at this workspace's zoom.
    void AppendPage(Integer Width, Integer Height) { FPageList->AppendPage(Width, Height, Zoom); }
    // Lays the pages out for the available width; -1: the workspace's own (its width less the
    // vertical scroll bar and 26 pixels).
    void LayoutPages(Integer AvailableWidth = -1);
    Integer AvailableWidth() const;
    void ClearPages() { FPageList->Clear(); }
    void UpdateScrollRanges();
    void ScrollToPage(Integer PageNumber);
    void ScrollToPageOffset(Integer PageNumber, Integer Y);
    // The rectangle of page Index on screen (moved by the scroll offset).
    TRect ScreenBounds(Integer Index) const;
    // Paints the next time with or without the pages (a page change repaints frames only).
    void RepaintFrames();
    void RepaintAll() { FFramesOnly = false; Invalidate(); }
    // Paints the workspace on the canvas; framesOnly leaves the pages as they are.
    void PaintWorkspace(TCanvas* Canvas, bool FramesOnly);
    // Finds the next occurrence of the shared search text; false after "Text not found".
    bool FindNextText();
    // The tick of the last click (0 after a double click).
    Cardinal LastClickTick() const { return FLastClickTick; }
    bool IsDragging() const { return FDragging; }

    // The platform's input path, public for tests that play the mouse.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void KeyDown(Word& Key, TShiftState Shift) override;

protected:
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Paint() override;
    void Resize() override;
    void HorzScrollChanged() override;
    void VertScrollChanged() override;

private:
    Integer PageUnder(int X, int Y) const;
    std::unique_ptr<TvrPageList> FPageList;
    std::unique_ptr<TMetafile> FSearchMetafile;
    Integer FSearchPageIndex = -1;
    bool FDragging = false;
    TPoint FLastPoint;
    Cardinal FLastClickTick = 0;
    bool FFramesOnly = false;
    bool FScrollingToPage = false;
};

using TvrPageChangedEvent = std::function<void(TvrPreview* Sender, Integer PageNo)>;

// The preview control: outline, thumbnail strip, splitter and main workspace.
class TvrPreview : public TvrCustomPreview {
    ORV_META(TvrPreview, TvrCustomPreview)
    explicit TvrPreview(TComponent* AOwner);
    ~TvrPreview() override;

    // --- children ---
    TPopupMenu* OutlinePopup() const { return FOutlinePopup; }
    TTreeView* OutlineTree() const { return FOutline; }
    TvrPreviewWorkspace* Thumbnails() const { return FThumbnails; }
    TSplitter* Splitter() const { return FSplitter; }
    TvrPreviewWorkspace* Workspace() const { return FWorkspace; }
    TPanel* MessagePanel() const { return FMessagePanel; }
    TLabel* MessageLabel() const { return FMessageLabel; }
    TButton* CancelButton() const { return FCancelButton; }

    // --- the collaborator's operations ---
    void InitPreview() override;
    void LockView() override;
    void UnlockView() override;
    void RebuildReport() override;
    void BuildStarted() override;
    void BuildStep(Integer PageIndex) override;
    void BuildFinished() override;

    // --- state ---
    TvrPreviewPages* Pages() const;
    Integer PageNo() const { return FPageNo; }
    void SetPageNo(Integer Value);
    Integer PageCount() const;
    Extended Zoom() const { return FZoom; }
    void SetZoom(Extended Value);
    TvrZoomMode ZoomMode() const { return FZoomMode; }
    void SetZoomMode(TvrZoomMode Value);
    bool Locked() const { return FLocked; }
    bool Running() const { return FRunning; }
    bool Refreshing() const { return FRefreshing; }
    bool FindNextAllowed() const { return FAllowFindNext; }
    // Pages between intermediate updates during a build.
    Integer UpdateInterval() const { return FInterval; }

    // --- published ---
    TColor ActiveFrameColor() const;
    void SetActiveFrameColor(TColor Value);
    TColor BackColor() const;
    void SetBackColor(TColor Value);
    TColor FrameColor() const;
    void SetFrameColor(TColor Value);
    TColor OutlineColor() const { return FOutlineColor; }
    void SetOutlineColor(TColor Value);
    bool OutlineVisible() const;
    void SetOutlineVisible(bool Value);
    Integer OutlineWidth() const;
    void SetOutlineWidth(Integer Value);
    bool ThumbnailVisible() const;
    void SetThumbnailVisible(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value) { FBorderStyle = Value; }
    TvrPageChangedEvent OnPageChanged;
    TMouseEvent& WorkspaceMouseDown();

    // --- commands ---
    void GoToFirstPage() { SetPageNo(1); }
    void GoToPriorPage() { SetPageNo(FPageNo - 1); }
    void GoToNextPage() { SetPageNo(FPageNo + 1); }
    void GoToLastPage() { SetPageNo(PageCount()); }
    void ShowPosition(Integer PageNumber, Integer Y);
    void PrintPages();
    void ExportPages(TvrCustomExportFilter* Filter);
    void LoadFromFileDialog();
    void LoadFromFile(const String& FileName);
    void SaveToFileDialog();
    void SaveToFile(const String& FileName);
    void FindTextDialog();
    void FindAgain();
    void PageSettingsDialog();
    void EditCurrentPage();
    void DesignTemplate();
    void ClearPreview();
    void InsertEmptyPage();
    void DeleteCurrentPage();
    void CancelBuild();
    void WheelScroll(int Delta, bool Horizontal, bool Zoom);
    void RelayoutPages();
    void RebuildOutline();
    void ShowMessagePanel(const String& Text);
    void HideMessagePanel();
    // Runs a click on an outline node.
    void OutlineClick(TTreeNode* Node);
    // The preview window that holds the control (nullptr when it sits elsewhere).
    TvrPreviewForm* PreviewForm() const;

    void KeyDown(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void ApplyHitTest(TvrPreviewWorkspace* Sender);
    friend class TvrPreviewWorkspace;
    TPopupMenu* FOutlinePopup = nullptr;
    TTreeView* FOutline = nullptr;
    TvrPreviewWorkspace* FThumbnails = nullptr;
    TSplitter* FSplitter = nullptr;
    TvrPreviewWorkspace* FWorkspace = nullptr;
    TPanel* FMessagePanel = nullptr;
    TLabel* FMessageLabel = nullptr;
    TButton* FCancelButton = nullptr;
    Integer FPageNo = 1;
    Extended FZoom = 1.0;
    TvrZoomMode FZoomMode = zmDefault;
    bool FLocked = false, FRefreshing = false, FRunning = false, FAllowFindNext = false;
    Integer FInterval = 5;
    Cardinal FFirstPageTick = 0;
    TColor FOutlineColor = clWindow;
    TBorderStyle FBorderStyle = bsSingle;
};

// The preview window.
class TvrPreviewForm : public TForm {
    ORV_META(TvrPreviewForm, TForm)
    explicit TvrPreviewForm(TComponent* AOwner);
    ~TvrPreviewForm() override;

    TToolBar* ToolBar = nullptr;
    TToolButton *PrintB = nullptr, *OpenB = nullptr, *SaveB = nullptr, *ExportB = nullptr, *PdfB = nullptr,
                *EmailB = nullptr, *FindB = nullptr, *Sep1 = nullptr, *ZoomPlusB = nullptr,
                *ZoomMinusB = nullptr, *FullScreenBtn = nullptr, *Sep2 = nullptr, *OutlineB = nullptr,
                *ThumbB = nullptr, *PageSettingsB = nullptr, *DesignerB = nullptr, *Sep5 = nullptr,
                *FirstB = nullptr, *PriorB = nullptr, *NextB = nullptr, *LastB = nullptr;
    TvrTBPanel *Sep3 = nullptr, *Sep4 = nullptr, *frTBPanel1 = nullptr;
    TvrComboBox* ZoomCB = nullptr;
    TEdit* PageE = nullptr;
    TSpeedButton* CancelB = nullptr;
    TStatusBar* StatusBar = nullptr;
    TPopupMenu* ExportPopup = nullptr;
    TPopupMenu* HiddenMenu = nullptr;
    TMenuItem* Showtemplate1 = nullptr;
    TPopupMenu* RightMenu = nullptr;
    TMenuItem *CollapseMI = nullptr, *ExpandMI = nullptr, *N1 = nullptr;

    TvrPreview* Preview() const { return FPreview; }
    TvrReport* Report() const;
    bool FreeOnClose = false;
    bool FullScreen() const { return FFullScreen; }
    TvrCustomExportFilter* PdfFilter = nullptr;
    TvrCustomExportFilter* EmailFilter = nullptr;

    // Called once by the report before the window shows.
    void Init();
    void UpdateControls();
    // The zoom as round(Zoom x 100) followed by "%".
    void ShowZoom();
    void PageChanged(Integer PageNo);
    // Object texts and hints of the hit test.
    void SetStatusText(const String& Text, bool Hint);
    void SetFullScreen(bool Value);
    void ZoomChoice();
    void GoToTypedPage();
    void CollapseAll(bool Expand);
    void CloseOrCancel();
    // Runs the export through the registry's filter at that index.
    void ExportThrough(Integer Index);

    bool CloseQuery() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    // The right-click menu's copy of a tool button (nullptr when it has none).
    TMenuItem* MenuItemOf(const TToolButton* Button) const;

protected:
    void DoClose(TCloseAction& Action) override;
    void Resize() override;

private:
    TToolButton* AddButton(const String& Name, int Image, TToolButtonStyle Style = tbsButton);
    void CreateControls();
    void SetCaptions();
    void BuildRightMenu();
    std::vector<std::pair<const TToolButton*, TMenuItem*>> FButtonItems;
    TvrPreview* FPreview = nullptr;
    bool FFullScreen = false;
    TFormBorderStyle FSavedBorderStyle = bsSizeable;
    TWindowState FSavedWindowState = wsNormal;
};
