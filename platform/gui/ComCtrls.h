// The common controls: status bar with panels, tree view with nodes, page control with tab
// sheets, progress bar, list view (report style), date and time picker, tool bar with buttons.
#pragma once

#include "gui/Controls.h"

#include <memory>
#include <vector>

class TStrings;
class TPopupMenu;
class TCustomImageList;
class TChangeLink;

// ---------------------------------------------------------------------------------------------
// Status bar

class TStatusBar;

class TStatusPanel {
public:
    explicit TStatusPanel(TStatusBar* owner) : FOwner(owner) {}
    const String& Text() const { return FText; }
    void SetText(const String& v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    int Index() const;

private:
    TStatusBar* FOwner;
    String FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TStatusBar : public TCustomControl {
    ORV_META(TStatusBar, TCustomControl)
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;
    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    TStatusPanel* Panels(int Index) const;
    TStatusPanel* AddPanel();
    void ClearPanels();
    // With SimplePanel the bar shows SimpleText across its width instead of the panels.
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool v);
    const String& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const String& v);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v) { FSizeGrip = v; }
    // The rectangle of a panel in client coordinates (the last one reaches the right edge).
    TRect PanelRect(int Index) const;

protected:
    void Paint() override;

private:
    std::vector<std::unique_ptr<TStatusPanel>> FPanels;
    bool FSimplePanel = false;
    String FSimpleText;
    bool FSizeGrip = true;
};

// ---------------------------------------------------------------------------------------------
// Tree view

class TTreeView;
class TTreeNodes;

class TTreeNode {
public:
    const String& Text() const { return FText; }
    void SetText(const String& v);
    void* Data() const { return FData; }
    void SetData(void* v) { FData = v; }
    // The images of the tree's Images shown for the node, and while it is selected (-1: none).
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int v);
    TTreeNode* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int Index) const;
    bool HasChildren() const { return !FChildren.empty(); }
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node in the whole tree, depth first (nullptr after the last).
    TTreeNode* GetNext() const;
    int Index() const;
    // 0 for a top node.
    int Level() const;
    // Its position in the whole tree, depth first.
    int AbsoluteIndex() const;
    bool Expanded() const;
    void SetExpanded(bool v);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool Selected() const;
    void SetSelected(bool v);
    void MakeVisible();
    // Frees the node and its children.
    void Delete();
    void DeleteChildren();
    TTreeView* TreeView() const { return FTree; }
    TTreeNodes* Owner() const;

private:
    friend class TTreeNodes;
    friend struct TTreeAccess;
    TTreeNode(TTreeView* tree, TTreeNode* parent) : FTree(tree), FParent(parent) {}
    TTreeView* FTree;
    TTreeNode* FParent;
    String FText;
    void* FData = nullptr;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    void* FItem = nullptr; // QTreeWidgetItem
};

// The nodes of a tree view.
class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* tree) : FTree(tree) {}
    ~TTreeNodes();
    // Every node, depth first.
    int Count() const;
    TTreeNode* Item(int Index) const;
    TTreeNode* operator[](int Index) const { return Item(Index); }
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
    // A sibling after the last sibling of Sibling (a top node when Sibling is nullptr).
    TTreeNode* Add(TTreeNode* Sibling, const String& S);
    TTreeNode* AddObject(TTreeNode* Sibling, const String& S, void* Ptr);
    TTreeNode* AddChild(TTreeNode* Parent, const String& S);
    TTreeNode* AddChildObject(TTreeNode* Parent, const String& S, void* Ptr);
    TTreeNode* AddFirst(TTreeNode* Sibling, const String& S);
    TTreeNode* AddChildFirst(TTreeNode* Parent, const String& S);
    // Before Sibling.
    TTreeNode* Insert(TTreeNode* Sibling, const String& S);
    void Delete(TTreeNode* Node);
    void Clear();
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeNode;
    friend struct TTreeAccess;
    TTreeNode* InsertNode(TTreeNode* parent, int index, const String& s, void* ptr);
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent);
    TTreeView* FTree;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TTreeView : public TWinControl {
    ORV_META(TTreeView, TWinControl)
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;
    TTreeNodes* Items() const { return FItems.get(); }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v) { FHideSelection = v; }
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool v) { FShowLines = v; }
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool v);
    void FullExpand();
    void FullCollapse();
    TTreeNode* GetNodeAt(int X, int Y) const;
    TTreeNode* TopItem() const;

    // The selection changed (by the user or by code).
    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandedEvent OnExpanded;
    TTVExpandedEvent OnCollapsed;

    bool WantsKey(Word Key, TShiftState Shift) const override;

private:
    friend struct TTreeAccess;
    friend class TTreeNodes;
    void UpdateImages();
    std::unique_ptr<TTreeNodes> FItems;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageLink;
    bool FReadOnly = false;
    bool FHideSelection = true;
    bool FShowLines = true;
    bool FShowRoot = true;
    TTreeNode* FLastSelected = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Page control

class TPageControl;

class TTabSheet : public TWinControl {
    ORV_META(TTabSheet, TWinControl)
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* v);
    int PageIndex() const;
    void SetPageIndex(int v);
    // Its position among the visible tabs (-1 when its tab is hidden).
    int TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    // The image of the page control's Images shown on the tab (-1: none).
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void SetTextValue(const String& v) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// How the tabs of a page control look: tabs over a framed page, or a row of buttons (the chosen
// one pressed) over a page without a frame, raised or flat.
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
ORV_ENUM(TTabStyle, tsTabs, tsButtons, tsFlatButtons)

// The edge the tabs of a page control stand on (tabs on the left or right read bottom to top).
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
ORV_ENUM(TTabPosition, tpTop, tpBottom, tpLeft, tpRight)

class TPageControl : public TWinControl {
    ORV_META(TPageControl, TWinControl)
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int Index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    // Shows the page (no OnChanging/OnChange: those run when the user changes tabs).
    void SetActivePage(TTabSheet* v);
    int ActivePageIndex() const;
    void SetActivePageIndex(int v);
    // The next visible page after CurrentPage (wrapping).
    TTabSheet* FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible) const;
    void SelectNextPage(bool GoForward);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition v);
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle v);
    // The size of every tab (0: fitted to its caption): TabHeight across the row of tabs (the
    // height of tabs on top or bottom, the width of tabs on the left or right), TabWidth along it.
    SmallInt TabHeight() const { return FTabHeight; }
    void SetTabHeight(SmallInt v);
    SmallInt TabWidth() const { return FTabWidth; }
    void SetTabWidth(SmallInt v);
    // The rectangle of the tab at Index (counted among the visible tabs), in client coordinates;
    // an empty rectangle when there is no such tab.
    TRect TabRect(int Index) const;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void AdjustClientRect(TRect& Rect) const override;
    void Resize() override;

private:
    friend class TTabSheet;
    friend struct TPageAccess;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void UpdateTabs();
    void ShowPage(TTabSheet* Page);
    void PlaceActivePage();
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageLink;
    bool FUpdatingTabs = false;
    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    SmallInt FTabHeight = 0;
    SmallInt FTabWidth = 0;
};

// ---------------------------------------------------------------------------------------------
// Progress bar

class TProgressBar : public TWinControl {
    ORV_META(TProgressBar, TWinControl)
    explicit TProgressBar(TComponent* AOwner);
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    int Step() const { return FStep; }
    void SetStep(int v) { FStep = v; }
    // Advances by Step; past Max it starts again from Min, as on the platform.
    void StepIt();
    void StepBy(int Delta);

private:
    void Apply();
    int FMin = 0, FMax = 100, FPosition = 0, FStep = 10;
};

// ---------------------------------------------------------------------------------------------
// Up-down: a pair of arrow buttons that steps a number, shown in the control it is associated with

enum TUDBtnType { btNext, btPrev };
ORV_ENUM(TUDBtnType, btNext, btPrev)
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;

class TUpDown : public TWinControl {
    ORV_META(TUpDown, TWinControl)
    explicit TUpDown(TComponent* AOwner);
    ~TUpDown() override;
    // The control that shows the position: the up-down sits at its right edge, as high as it,
    // and takes its own width off the control's width.
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* v);
    int Min() const { return FMin; }
    void SetMin(int v) { FMin = v; }
    int Max() const { return FMax; }
    void SetMax(int v) { FMax = v; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    // Kept between Min and Max; shown in the associated control.
    int Position() const { return FPosition; }
    void SetPosition(int v);
    // Steps from the number the associated control shows (Position when it shows none), up for
    // btNext and down for btPrev, then runs OnClick.
    void Click(TUDBtnType button);

    TUDClickEvent OnClick;

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TWinControl* FAssociate = nullptr;
    int FMin = 0, FMax = 100, FIncrement = 1, FPosition = 0;
};

// ---------------------------------------------------------------------------------------------
// List view (report style)

class TListView;

class TListColumn {
public:
    explicit TListColumn(TListView* owner) : FOwner(owner) {}
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    int Index() const;

private:
    TListView* FOwner;
    String FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TListItem {
public:
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    // The texts of the columns after the first.
    TStrings* SubItems() const { return FSubItems.get(); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    void* Data() const { return FData; }
    void SetData(void* v) { FData = v; }
    bool Checked() const;
    void SetChecked(bool v);
    bool Selected() const;
    void SetSelected(bool v);
    int Index() const;
    TListView* ListView() const { return FOwner; }
    void Delete();
    void Update();
    ~TListItem();

private:
    friend class TListView;
    friend struct TListViewAccess;
    explicit TListItem(TListView* owner);
    TListView* FOwner;
    String FCaption;
    std::unique_ptr<TStrings> FSubItems;
    int FImageIndex = -1;
    void* FData = nullptr;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
ORV_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport)
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

class TListView : public TWinControl {
    ORV_META(TListView, TWinControl)
    explicit TListView(TComponent* AOwner);
    ~TListView() override;
    // Columns.
    int ColumnCount() const { return static_cast<int>(FColumns.size()); }
    TListColumn* Column(int Index) const;
    TListColumn* AddColumn();
    void ClearColumns();
    // Items.
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    TListItem* Items(int Index) const;
    TListItem* AddItem();
    TListItem* InsertItem(int Index);
    void DeleteItem(int Index);
    void ClearItems();
    TListItem* Selected() const;
    void SetSelected(TListItem* v);
    int SelCount() const;
    int ItemIndex() const;
    void SetItemIndex(int v);
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle v) { FViewStyle = v; }
    bool Checkboxes() const { return FCheckboxes; }
    void SetCheckboxes(bool v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v) { FRowSelect = v; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool v) { FGridLines = v; }
    // The images items show by their ImageIndex.
    TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* v);
    TListItem* GetItemAt(int X, int Y) const;

    TLVSelectItemEvent OnSelectItem;

    bool WantsKey(Word Key, TShiftState Shift) const override;

private:
    friend class TListItem;
    friend class TListColumn;
    friend struct TListViewAccess;
    void UpdateColumns();
    void UpdateItem(TListItem* item);
    std::vector<std::unique_ptr<TListColumn>> FColumns;
    std::vector<std::unique_ptr<TListItem>> FItems;
    TViewStyle FViewStyle = vsIcon;
    bool FCheckboxes = false;
    bool FMultiSelect = false;
    bool FRowSelect = false;
    bool FReadOnly = false;
    bool FGridLines = false;
    TCustomImageList* FSmallImages = nullptr;
    std::unique_ptr<TChangeLink> FImageLink;
};

// ---------------------------------------------------------------------------------------------
// Date and time picker

enum TDateTimeKind { dtkDate, dtkTime };
ORV_ENUM(TDateTimeKind, dtkDate, dtkTime)
enum TDTDateFormat { dfShort, dfLong };
ORV_ENUM(TDTDateFormat, dfShort, dfLong)
enum TDTDateMode { dmComboBox, dmUpDown };
ORV_ENUM(TDTDateMode, dmComboBox, dmUpDown)

class TDateTimePicker : public TWinControl {
    ORV_META(TDateTimePicker, TWinControl)
    explicit TDateTimePicker(TComponent* AOwner);
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind v);
    TDateTime DateTime() const { return FDateTime; }
    void SetDateTime(TDateTime v);
    // The date part (whole days) and the time part (the fraction).
    TDateTime Date() const;
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);
    // A check box in the control; Checked false means "no value".
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    // The display format in the platform's notation ("yyyy-MM-dd", "HH:mm:ss"); empty: the
    // short date or the long time format.
    const String& Format() const { return FFormat; }
    void SetFormat(const String& v);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat v);
    // A date opens a calendar (dmComboBox) or steps the part under the cursor with arrows
    // (dmUpDown, the month pickers).
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode v);
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime v);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime v);

    TNotifyEvent OnChange;

    bool WantsKey(Word Key, TShiftState Shift) const override;

private:
    friend struct TPickerAccess;
    void Apply();
    TDateTimeKind FKind = dtkDate;
    TDateTime FDateTime = 0;
    bool FShowCheckbox = false;
    bool FChecked = true;
    String FFormat;
    TDTDateFormat FDateFormat = dfShort;
    TDTDateMode FDateMode = dmComboBox;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
};

// ---------------------------------------------------------------------------------------------
// Tool bar

class TToolBar;
enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
ORV_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider)

class TToolButton : public TGraphicControl {
    ORV_META(TToolButton, TGraphicControl)
    explicit TToolButton(TComponent* AOwner);
    ~TToolButton() override;
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle v);
    // The image of the tool bar's Images (greyed, or from DisabledImages, while disabled).
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    // Checked buttons of a group: one down at a time among neighbours with Grouped.
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool v) { FGrouped = v; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v) { FAllowAllUp = v; }
    TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* v);
    TToolBar* ToolBar() const;
    int Index() const;
    void Click() override;
    void ActionChange(TBasicAction* Sender, bool CheckDefaults) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetParent(TWinControl* NewParent) override;

protected:
    void SetTextValue(const String& v) override;
    void EnabledChanged() override;

private:
    friend struct TToolAccess;
    friend class TToolBar;
    void Apply();
    TToolButtonStyle FStyle = tbsButton;
    int FImageIndex = -1;
    bool FDown = false;
    bool FGrouped = false;
    bool FAllowAllUp = false;
    TPopupMenu* FDropdownMenu = nullptr;
};

class TToolBar : public TWinControl {
    ORV_META(TToolBar, TWinControl)
    explicit TToolBar(TComponent* AOwner);
    ~TToolBar() override;
    int ButtonCount() const;
    TToolButton* Buttons(int Index) const;
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool v);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    // The images disabled buttons show instead of the greyed ones of Images.
    TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* v);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { FFlat = v; }
    // Places the buttons from left to right in their order.
    void ArrangeButtons();

protected:
    void Resize() override;

private:
    void UpdateButtons();
    bool FShowCaptions = false;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FDisabledImages = nullptr;
    std::unique_ptr<TChangeLink> FImageLink;
    std::unique_ptr<TChangeLink> FDisabledImageLink;
    int FButtonWidth = 23, FButtonHeight = 22;
    bool FFlat = false;
};
