// The workspace the designer window creates: the palette's tools besides selection (hand, zoom,
// edit text, copy format), page guides dragged out of the rulers, alignment lines and guide
// snapping while objects move, drops from the data tree, the field drop-down of bound text
// objects and the pasted objects that follow the mouse.
#pragma once

#include "classes/Collection.h"
#include "report/designer/vrDesgnCtrls.h"
#include "report/designer/vrDesgnHost.h"
#include "report/designer/vrDesgnWorkspace.h"

#include <memory>

class TListBox;
class TStringList;
class TvrMemoView;

// One alignment line: from (Left, Top) to (Right, Bottom), in units.
class TvrGuideItem : public TCollectionItem {
    ORV_META(TvrGuideItem, TCollectionItem)
    explicit TvrGuideItem(TCollection* Collection);
    TvrFloatRect Rect{};
};

class TvrVirtualGuides : public TCollection {
    ORV_META(TvrVirtualGuides, TCollection)
    TvrVirtualGuides();
    void Add(const TvrFloatRect& rect);
    TvrGuideItem* Items(int index) const { return static_cast<TvrGuideItem*>(TCollection::Items(index)); }
};

// The palette's tools.
enum : Byte { vtSelect = 0, vtHand = 1, vtZoom = 2, vtEditText = 3, vtCopyFormat = 4 };

// The colour of page guides and alignment lines ($BBGGRR).
constexpr TColor vrGuideColor = static_cast<TColor>(0xFFCC00);

class TDesignerWorkspace : public TvrDesignerWorkspace {
    ORV_META(TDesignerWorkspace, TvrDesignerWorkspace)
    explicit TDesignerWorkspace(TvrDesignerHost* AOwner);
    ~TDesignerWorkspace() override;

    TvrDesignerHost* DesignerForm = nullptr;
    Integer GuideIndex = -1;
    TListBox* FieldList = nullptr;
    TvrMemoView* FieldListMemo = nullptr;
    TvrPopupForm* FieldListForm = nullptr;
    bool FieldListOpen = false;
    bool ShowGuides = false;
    bool PasteDragging = false;
    Byte Tool = vtSelect;
    std::unique_ptr<TvrVirtualGuides> VirtualGuides;
    std::unique_ptr<TvrObjectList> ObjectsSnapshot;

    void SetTool(Byte tool);
    void SetShowGuides(bool flag);
    // The current page's guides (nullptr on pages that are not report pages).
    TStringList* HGuides() const;
    TStringList* VGuides() const;
    // The pasted (selected) objects follow the mouse until the next click.
    void StartPasteDrag();
    // Opens the field drop-down on FieldListMemo.
    void ShowFieldList();
    // The field drop-down's choice of the field at index.
    void FieldChosen(int index);

    void DrawObjects() override;
    void DeleteSelected() override;
    void SetInsertion(const meta::TClassInfo* objectClass, Extended width, Extended height, Word flags) override;
    void AdjustDelta(Extended& dx, Extended& dy, bool& skip) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, int X, int Y) override;

    // The object name a drop makes of an insertion text (Latin letters, digits and underscores;
    // "Memo" when less than two thirds of the text remain).
    static String DropName(const String& insertionText);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void RefillSnapshot();
    TScrollingWinControl* ScrollParent() const;
    void HandMove(int X, int Y);
    void ZoomRelease(TMouseButton button, int X, int Y);
    bool EditTextRelease();
    void CopyFormatRelease(int X, int Y);
    void GuideHover(Extended x, Extended y);
    void GuideMove(TShiftState shift, Extended x, Extended y);
    void GuideRelease();
    void FieldButtonHover(Extended x, Extended y);
    // Snaps an edge at p to the guides of one list (vertical: x positions); true when it snapped.
    void SnapEdge(Extended p, Extended& d, bool vertical) const;
    void AddLines(TvrComponent* moving, Extended edge, bool vertical, Extended ox, Extended oy);
    bool IsRuler(TObject* source) const;
    bool IsDataTree(TObject* source) const;
    TvrCustomMemoView* NewDropMemo(const String& insertionText);

    bool FGuideVertical = false;
    // The guide position a ruler drag shows (pixels), -1 when none.
    int FRulerLine = -1;
    bool FRulerLineVertical = false;

public:
    // Where a drag from a ruler shows its guide now (pixels; -1 when none), and whether it is a
    // vertical line.
    int RulerLine() const { return FRulerLine; }
    bool RulerLineVertical() const { return FRulerLineVertical; }
};
