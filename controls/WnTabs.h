// The owner-drawn tab strip with a card (the page area) below it: its own list of tab records, five
// tab shapes on any of the four sides, one or several rows, fixed or measured tab sizes, scrolling
// when one row overflows, outlines turned into regions for painting and hit testing, and painting
// into an off-screen bitmap copied to the screen in one step. TWnPageControl builds on it.
#pragma once

#include "gui/Bitmap.h"
#include "gui/Controls.h"
#include "gui/ImgList.h"

#include <list>
#include <memory>
#include <vector>

class TTimer;
class TWnTabScroller;
class TWnTabCloseButton;
class TWnTabMenuButton;
class TWnCustomTabControl;

ORV_DECLARE_EXCEPTION(EWnTabControlError, Exception)

enum TWnTabStyle { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant };
ORV_ENUM(TWnTabStyle, tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant)
enum TWnTabOrientation { toTop, toLeft, toBottom, toRight };
ORV_ENUM(TWnTabOrientation, toTop, toLeft, toBottom, toRight)
enum TWnTabSequence { tsStandard, tsReverse };
ORV_ENUM(TWnTabSequence, tsStandard, tsReverse)
enum TOrientation { orHorizontal, orVertical };
ORV_ENUM(TOrientation, orHorizontal, orVertical)
enum TWnImagePosition { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
ORV_ENUM(TWnImagePosition, ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch)
enum TWnHorizontalAlignment { haLeft, haCenter, haRight };
ORV_ENUM(TWnHorizontalAlignment, haLeft, haCenter, haRight)
enum TWnVerticalAlignment { vaTop, vaCenter, vaBottom };
ORV_ENUM(TWnVerticalAlignment, vaTop, vaCenter, vaBottom)
enum TWnTabHotTrackStyle { htsTab, htsText };
ORV_ENUM(TWnTabHotTrackStyle, htsTab, htsText)
enum TWnHotTrackColorType { htctComplement, htctActual };
ORV_ENUM(TWnHotTrackColorType, htctComplement, htctActual)
enum TWnTextStyle { tsHotTrack, tsSelected, tsUnselected, tsDisabled };
ORV_ENUM(TWnTextStyle, tsHotTrack, tsSelected, tsUnselected, tsDisabled)

using TWnTabChangingEvent = std::function<void(TObject* Sender, int NewIndex, bool& AllowChange)>;
using TWnTabCloseEvent = std::function<void(TObject* Sender, bool& AllowClose)>;
using TWnTabOrderChangeEvent = std::function<void(TObject* Sender, int OldIndex, int NewIndex)>;
using TWnGetTextColorEvent =
    std::function<void(TObject* Sender, int ATabIndex, TWnTextStyle AStyle, TColor& AColor, bool& Handled)>;
using TWnPaintBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool& Handled)>;
using TWnPaintTabBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int ATabIndex, const TRect& ARect, bool& Handled)>;
using TWnPaintCardBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled)>;

// One tab.
class TWnTabData : public TPersistent {
    ORV_META(TWnTabData, TPersistent)
    TWnTabData() = default;
    // Copies caption, indexes, colour, enabled, visible and hint (not the place or row).
    void Assign(const TPersistent* Source) override;

    String Caption;
    TColor Color = clBtnFace;
    int DisabledIndex = -1;
    bool Enabled = true;
    String Hint;
    int ImageIndex = -1;
    // The tab's place in strip coordinates and its row, written by layout.
    TRect RawRect;
    bool Visible = true;
    int Row = 0;
};

// The control's tabs; the indices are the tab indices (hidden tabs keep theirs).
class TWnTabDataList : public TPersistent {
    ORV_META(TWnTabDataList, TPersistent)
    TWnTabDataList() = default;
    int Count() const { return static_cast<int>(FItems.size()); }
    TWnTabData* Items(int Index) const;
    // Frees the old record and keeps the new one.
    void SetItems(int Index, TWnTabData* Value);
    TWnTabData* Add();
    void Clear();
    void Assign(const TPersistent* Source) override;

private:
    std::vector<std::unique_ptr<TWnTabData>> FItems;
};

// Tab regions by rectangle, most recently used first.
class TWnTabRegionCache {
public:
    explicit TWnTabRegionCache(int Capacity = 1);
    int Capacity() const { return FCapacity; }
    // -1 (cache every region) or a positive count; anything else raises EWnTabControlError.
    void SetCapacity(int Value);
    int Count() const { return static_cast<int>(FItems.size()); }
    // The region kept for exactly this rectangle (moved to the front), nullptr when none.
    const TRegion* Lookup(const TRect& Rect);
    // Keeps the region at the front, dropping the oldest beyond the capacity.
    const TRegion* Insert(const TRect& Rect, TRegion Region);
    void Clear();

private:
    struct Item {
        TRect Rect{-1, -1, -1, -1};
        TRegion Region;
    };
    void Trim();
    std::list<Item> FItems;
    int FCapacity;
};

// Fill colours of the tabs; changes repaint the owning control.
class TWnTabColors : public TPersistent {
    ORV_META(TWnTabColors, TPersistent)
    explicit TWnTabColors(TWnCustomTabControl* Owner = nullptr) : FOwner(Owner) {}
    void Assign(const TPersistent* Source) override;
    TColor HighlightBar() const { return FHighlightBar; }
    virtual void SetHighlightBar(TColor Value);
    TColor Shadow() const { return FShadow; }
    virtual void SetShadow(TColor Value);
    TColor Unselected() const { return FUnselected; }
    virtual void SetUnselected(TColor Value);

private:
    void Changed();
    TWnCustomTabControl* FOwner;
    TColor FHighlightBar = clHighlight;
    TColor FShadow = clBtnFace;
    TColor FUnselected = clWindow;
};

// Text colours of the tabs by state.
class TWnTextColors : public TPersistent {
    ORV_META(TWnTextColors, TPersistent)
    explicit TWnTextColors(TWnCustomTabControl* Owner = nullptr) : FOwner(Owner) {}
    void Assign(const TPersistent* Source) override;
    TColor Disabled() const { return FDisabled; }
    virtual void SetDisabled(TColor Value);
    TColor Selected() const { return FSelected; }
    virtual void SetSelected(TColor Value);
    TColor Unselected() const { return FUnselected; }
    virtual void SetUnselected(TColor Value);

private:
    void Changed();
    TWnCustomTabControl* FOwner;
    TColor FDisabled = clGrayText;
    TColor FSelected = clBtnText;
    TColor FUnselected = clBtnText;
};

class TWnCustomTabControl : public TCustomControl {
    ORV_META(TWnCustomTabControl, TCustomControl)
    explicit TWnCustomTabControl(TComponent* AOwner);
    ~TWnCustomTabControl() override;

    // --- tabs and geometry -----------------------------------------------------------------
    TWnTabDataList* Tabs() { return &FTabs; }
    // A tab's rectangle, outline region (nullptr when the shape has too few points), the card of a
    // row, and the page area for child controls, in control coordinates.
    TRect GetTabRect(int Index);
    const TRegion* GetTabRegion(int Index, const TRect& Rect);
    TRect GetCardRect(int Row) const;
    TRect GetDisplayRect() const;
    // The strip's tab area rectangle and its depth across the strip.
    TRect TabAreaRect() const;
    int TabAreaDepth() const;
    int FixedDimension() const { return FFixedDimension; }
    // The depth of one row as stored with a form; used until the first layout.
    void SetFixedDimension(int Value) { FFixedDimension = Value; }
    int RowCount() const { return FRowCount; }
    bool ScrollNeeded() const { return FScrollNeeded; }
    int FirstShownTab() const { return FFirstShownTab; }
    bool TabInView(int Index) const;
    void ScrollTabs(bool Forward);
    int FirstVisibleTab() const;
    int LastVisibleTab() const;
    int ButtonSize();
    int TabAtPos(int X, int Y);
    bool CanChangeTo(int Index);
    // Measures and places the tabs when a layout is due (every paint starts with it).
    void UpdateLayout();
    bool LayoutDirty() const { return FLayoutDirty; }
    // The polygon of a tab's outline in control coordinates (for the region and the outline).
    std::vector<TPoint> TabShape(int Index, const TRect& StripRect) const;
    // An accelerator typed on the form: the first enabled, visible tab whose caption marks the
    // character becomes current; true when a tab took it.
    bool DialogChar(char16_t Ch);
    // Closes the current tab when OnClose allows it.
    void CloseTab();
    // Raises EWnTabControlError "Incorrect number of points in tab shape" when a shape of the style
    // has another number of points than the style's outline needs.
    static void CheckTabShape(TWnTabStyle Style, bool SoftCorners, int Count);

    // --- properties ------------------------------------------------------------------------
    bool AlignTabs() const { return FAlignTabs; }
    virtual void SetAlignTabs(bool Value);
    TColor BackgroundColor() const { return FBackgroundColor; }
    virtual void SetBackgroundColor(TColor Value);
    bool BoldCurrentTab() const { return FBoldCurrentTab; }
    virtual void SetBoldCurrentTab(bool Value);
    virtual void SetLayoutDirty(bool Value);
    bool ShowCard() const { return FShowCard; }
    virtual void SetShowCard(bool Value);
    bool ShowCardFrame() const { return FShowCardFrame; }
    virtual void SetShowCardFrame(bool Value);
    bool ShowFullFrame() const { return FShowFullFrame; }
    virtual void SetShowFullFrame(bool Value);
    bool ShowCloseButton() const { return FShowCloseButton; }
    virtual void SetShowCloseButton(bool Value);
    bool ShowMenuButton() const { return FShowMenuButton; }
    virtual void SetShowMenuButton(bool Value);
    bool UseColoredTabs() const { return FUseColoredTabs; }
    virtual void SetUseColoredTabs(bool Value);
    int CutCornerSize() const { return FCutCornerSize; }
    virtual void SetCutCornerSize(int Value);
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor Value);
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    // Held inside -255..255, the range the luminance shift accepts.
    virtual void SetFlatColorAdjustment(int Value);
    TWnImagePosition ImagePosition() const { return FImagePosition; }
    virtual void SetImagePosition(TWnImagePosition Value);
    TWnHorizontalAlignment ImageAlignment() const { return FImageAlignment; }
    virtual void SetImageAlignment(TWnHorizontalAlignment Value);
    int ImageMargin() const { return FImageMargin; }
    virtual void SetImageMargin(int Value);
    TWnVerticalAlignment ImageAlignmentVertical() const { return FImageAlignmentVertical; }
    virtual void SetImageAlignmentVertical(TWnVerticalAlignment Value);
    bool HotTrack() const { return FHotTrack; }
    virtual void SetHotTrack(bool Value);
    TColor HotTrackColor() const { return FHotTrackColor; }
    virtual void SetHotTrackColor(TColor Value);
    TWnHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    virtual void SetHotTrackColorType(TWnHotTrackColorType Value);
    TWnTabHotTrackStyle HotTrackStyle() const { return FHotTrackStyle; }
    virtual void SetHotTrackStyle(TWnTabHotTrackStyle Value);
    TCustomImageList* Images() const { return FImages; }
    virtual void SetImages(TCustomImageList* Value);
    int Margin() const { return FMargin; }
    virtual void SetMargin(int Value);
    bool MultiLine() const { return FMultiLine; }
    virtual void SetMultiLine(bool Value);
    bool ParentBackgroundColor() const { return FParentBackgroundColor; }
    virtual void SetParentBackgroundColor(bool Value);
    int RowIndent() const { return FRowIndent; }
    virtual void SetRowIndent(int Value);
    int RowOverlap() const { return FRowOverlap; }
    virtual void SetRowOverlap(int Value);
    bool ShowFocusRect() const { return FShowFocusRect; }
    virtual void SetShowFocusRect(bool Value);
    bool ShowShadow() const { return FShowShadow; }
    virtual void SetShowShadow(bool Value);
    bool SoftCorners() const { return FSoftCorners; }
    virtual void SetSoftCorners(bool Value);
    int TabOverlap() const { return FTabOverlap; }
    virtual void SetTabOverlap(int Value);
    TOrientation TextOrientation() const { return FTextOrientation; }
    virtual void SetTextOrientation(TOrientation Value);
    TWnTabColors* TabColors() { return &FTabColors; }
    virtual void SetTabColors(TWnTabColors* Value);
    int TabHeight() const { return FTabHeight; }
    virtual void SetTabHeight(int Value);
    bool TabHints() const { return FTabHints; }
    virtual void SetTabHints(bool Value);
    int TabIndex() const { return FTabIndex; }
    virtual void SetTabIndex(int Value);
    TWnTabOrientation TabOrientation() const { return FTabOrientation; }
    virtual void SetTabOrientation(TWnTabOrientation Value);
    int RegionCacheSize() const { return FRegionCache.Capacity(); }
    virtual void SetRegionCacheSize(int Value);
    TWnTabSequence TabSequence() const { return FTabSequence; }
    virtual void SetTabSequence(TWnTabSequence Value);
    TWnTabStyle TabStyle() const { return FTabStyle; }
    virtual void SetTabStyle(TWnTabStyle Value);
    int TabWidth() const { return FTabWidth; }
    virtual void SetTabWidth(int Value);
    TWnTextColors* TextColors() { return &FTextColors; }
    virtual void SetTextColors(TWnTextColors* Value);
    TWnHorizontalAlignment TextAlignment() const { return FTextAlignment; }
    virtual void SetTextAlignment(TWnHorizontalAlignment Value);
    TWnVerticalAlignment TextAlignmentVertical() const { return FTextAlignmentVertical; }
    virtual void SetTextAlignmentVertical(TWnVerticalAlignment Value);
    bool UseGradients() const { return FUseGradients; }
    virtual void SetUseGradients(bool Value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool AllowTabDragging() const { return FAllowTabDragging; }
    void SetAllowTabDragging(bool Value) { FAllowTabDragging = Value; }

    void SetColor(TColor Value) override;
    // While ParentBackgroundColor is set the strip's background takes the new parent's colour.
    void SetParent(TWinControl* NewParent) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // --- state for painting and tests ---------------------------------------------------------
    int HotTab() const { return FHotTab; }
    TTimer* HotTrackTimer() const { return FHotTrackTimer; }
    TTimer* DragScrollTimer() const { return FDragScrollTimer; }
    bool Dragging() const { return FDragging; }
    int DragOverTab() const { return FDragOverTab; }
    // The drop marker rectangle while it shows (empty otherwise).
    TRect DropMarker() const { return FMarkerShown ? FMarkerRect : TRect(); }
    TWnTabScroller* Scroller() const { return FScroller; }
    TWnTabCloseButton* CloseButton() const { return FCloseButton; }
    TWnTabMenuButton* MenuButton() const { return FMenuButton; }
    // The picture the last paint produced.
    TBitmap* OffscreenBitmap() { return &FBitmap; }
    // Paints the whole control into the off-screen picture (what Paint copies to the screen).
    void PaintOffscreen();

    TWnTabChangingEvent OnChanging;
    TNotifyEvent OnChange;
    TNotifyEvent OnPageChange;
    TNotifyEvent OnTabClick;
    TWnTabCloseEvent OnClose;
    TWnTabOrderChangeEvent OnTabOrderChange;
    TNotifyEvent OnScrolledTabs;
    TWnGetTextColorEvent OnGetTextColor;
    TWnPaintBackgroundEvent OnPaintBackground;
    TWnPaintTabBackgroundEvent OnPaintTabBackground;
    TWnPaintCardBackgroundEvent OnPaintCardBackground;

    // Runs the colour-change handling (the platform's colour-changed notice).
    virtual void ColorChangedNotice();
    // Rebuilds and repaints the tab list (the page control refills it first).
    virtual void RequestLayout();
    virtual void InvalidateTabs();
    virtual void HideAllTabs() {}
    virtual void ShowAllTabs() {}

protected:
    virtual void DoChanging(int NewIndex, bool& AllowChange);
    virtual void DoGetTextColor(int TabIndex, TWnTextStyle Style, bool& Handled, TColor& Color);
    virtual void DoTabClick();
    virtual void DoPaintBackground(TCanvas* ACanvas, const TRect& ARect, bool& Handled);
    virtual void DoPaintCardBackground(TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled);
    virtual void DoPaintTabBackground(TCanvas* ACanvas, int ATabIndex, const TRect& ARect, bool& Handled);
    virtual void DrawDropMarker(const TRect& Rect);
    virtual void CloseActiveTab() {}
    virtual void MoveActiveTab(int NewIndex) { (void)NewIndex; }
    virtual void DoChange();
    virtual void DoTabOrderChange(int OldIndex, int NewIndex);
    virtual void DoPageChange();
    virtual bool DoClose();
    // The cursor in client coordinates (the timers read it).
    virtual TPoint CursorPos() const;

    void Paint() override;
    void AdjustClientRect(TRect& Rect) const override;
    void AlignmentDone(const TRect& Rest) override;
    void Resize() override;
    void FontChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoEnter() override;
    void DoExit() override;
    // Places the close button, the menu button and the scroller along the strip.
    virtual void PlaceStripButtons();
    // Dragging a tab over (X, Y): Accept tells whether a drop there moves the tab.
    void TabDragOver(int X, int Y, bool& Accept);
    void TabDragDrop(int X, int Y);
    void TabDragLeave();
    bool Loading() const { return FLoading; }
    void SetLoading(bool Value) { FLoading = Value; }

    void ComputeTabLayout();
    // Re-derives the current tab of an unchanged page after the tab list was rebuilt: no event
    // fires, because nothing the user sees as a choice changed.
    void SyncTabIndex(int Value) {
        FTabIndex = Value;
        InvalidateTabs();
    }
    TWnTabDataList FTabs;
    bool FPaintedOnce = false;

private:
    friend class TWnTabScroller;
    friend class TWnTabCloseButton;
    friend class TWnTabMenuButton;
    friend struct TWnTabPainter;
    // Geometry helpers (strip coordinates: x along the strip, y from the outer edge).
    bool Horz() const { return FTabOrientation == toTop || FTabOrientation == toBottom; }
    bool Vertical() const { return FTextOrientation == orVertical; }
    int SlantWidth(int V) const;
    int StripLength() const;
    int StripButtonsLength();
    int CloseButtonSize();
    int MenuButtonSize();
    int ScrollOffset() const;
    TPoint MapPoint(int X, int Y) const;
    TSize TextExtentOf(TCanvas* Canvas, const String& Caption) const;
    TSize ImageSize(const TWnTabData* Tab) const;
    TSize MinimumSize(TCanvas* Canvas) const;
    TSize ContentSize(TCanvas* Canvas, const TWnTabData* Tab) const;
    TSize TabSizeFor(TSize Content) const;
    int TabLength(TCanvas* Canvas, const TWnTabData* Tab, TSize MaxContent, int Limit) const;
    int CountRows(TCanvas* Canvas, TSize MaxContent);
    void PositionTabs(TCanvas* Canvas, TSize MaxContent);
    void AlignRows();
    void RotateRows();
    void UpdateScrollNeeded();
    TRect StripRectOf(int Index) const;
    // Makes a tab current that was already approved (OnChanging is not asked again).
    void ApplyApprovedTab(int Index);
    void ClearHotTrack();
    void StopHotTrackTimer();
    void HotTrackTick();
    void DragScrollTick();
    void StripButtonsChanged();
    void ImagesChanged();
    TRect MarkerRectFor(int Target) const;

    TBitmap FBitmap;
    TWnTabRegionCache FRegionCache;
    TFont FWorkFont;
    TWnTabColors FTabColors{this};
    TWnTextColors FTextColors{this};
    TChangeLink FImageChangeLink;

    bool FAlignTabs = false;
    TColor FBackgroundColor = clBtnFace;
    bool FBoldCurrentTab = false;
    bool FUseColoredTabs = false;
    int FCutCornerSize = 6;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 0;
    TWnHorizontalAlignment FImageAlignment = haCenter;
    int FImageMargin = 2;
    TWnImagePosition FImagePosition = ipLeft;
    TWnVerticalAlignment FImageAlignmentVertical = vaCenter;
    bool FHotTrack = true;
    TColor FHotTrackColor = 1350640;
    TWnHotTrackColorType FHotTrackColorType = htctActual;
    TWnTabHotTrackStyle FHotTrackStyle = htsTab;
    TCustomImageList* FImages = nullptr;
    int FMargin = 0;
    bool FMultiLine = false;
    bool FParentBackgroundColor = true;
    int FRowIndent = 5;
    int FRowOverlap = 5;
    bool FShowCard = true;
    bool FShowCardFrame = true;
    bool FShowCloseButton = false;
    bool FShowMenuButton = false;
    bool FShowFocusRect = true;
    bool FShowFullFrame = true;
    bool FShowShadow = true;
    bool FSoftCorners = false;
    int FTabOverlap = -1;
    TOrientation FTextOrientation = orHorizontal;
    int FTabHeight = 0;
    bool FTabHints = false;
    int FTabIndex = -1;
    TWnTabOrientation FTabOrientation = toTop;
    TWnTabSequence FTabSequence = tsStandard;
    TWnTabStyle FTabStyle = tsSingleSlant;
    int FTabWidth = 0;
    TWnHorizontalAlignment FTextAlignment = haCenter;
    TWnVerticalAlignment FTextAlignmentVertical = vaCenter;
    bool FTransparent = false;
    bool FUseGradients = true;
    bool FAllowTabDragging = false;

    bool FLoading = false;
    bool FLayoutDirty = true;
    int FFixedDimension = 0;
    int FFirstShownTab = -1;
    int FRowCount = 1;
    bool FScrollNeeded = false;
    int FHotTab = -1;
    int FPressedTab = -1;
    TPoint FPressPos;
    String FSavedHint;
    bool FSkipChanging = false;
    TTimer* FHotTrackTimer = nullptr;
    TTimer* FDragScrollTimer = nullptr;
    bool FDragging = false;
    int FDragOverTab = -1;
    TRect FMarkerRect;
    bool FMarkerShown = false;
    TRect FLastDisplayRect;
    TWnTabScroller* FScroller = nullptr;
    TWnTabCloseButton* FCloseButton = nullptr;
    TWnTabMenuButton* FMenuButton = nullptr;
};
