// The common base of every element of a report layout: the object tree (parent and ordered
// children), units, names, lookup by name, absolute positions, the font cascade, the alignment of
// children, the text diff against a template and the print protocol; and the pages and
// non-visual components that hold the report's data sets.
#pragma once

#include "classes/Component.h"
#include "classes/Set.h"
#include "gui/Graphics.h"
#include "report/vrUtils.h"

#include <memory>
#include <vector>

class TvrReport;
class TvrPage;
class TvrDataSet;
class TCanvas;

ORV_DECLARE_EXCEPTION(EAbstractError, Exception)

// Report units are 1/96 inch.
constexpr Extended fr01cm = 3.77953;
constexpr Extended fr1cm = 37.7953;
constexpr Extended fr01in = 9.6;
constexpr Extended fr1in = 96;
constexpr Extended fr1CharX = 9.6;
constexpr Extended fr1CharY = 17;
constexpr TColor clTransparent = 0x1FFFFFFF;
constexpr int crHand = 150;
constexpr int crZoom = 151;
constexpr int crFormat = 152;

// Two geometry values differ when they are more than 0.0001 apart.
bool vrDiffers(Extended a, Extended b);
// The value rounded to eight decimal places.
Extended vrRound8(Extended value);

enum TvrObjectFlag { ofContainer, ofPreviewCopy, ofAttributeDiff };
ORV_ENUM(TvrObjectFlag, ofContainer, ofPreviewCopy, ofAttributeDiff)
using TvrObjectFlags = TSet<TvrObjectFlag>;
ORV_SET(TvrObjectFlags)

enum TvrRestriction { rfDontModify, rfDontSize, rfDontMove, rfDontDelete, rfDontEdit };
ORV_ENUM(TvrRestriction, rfDontModify, rfDontSize, rfDontMove, rfDontDelete, rfDontEdit)
using TvrRestrictions = TSet<TvrRestriction>;
ORV_SET(TvrRestrictions)

enum TvrBandAlign { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient };
ORV_ENUM(TvrBandAlign, baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient)

struct TvrBounds {
    Extended Left = 0, Top = 0, Width = 0, Height = 0;
};

class TvrComponent : public TComponent {
    ORV_META(TvrComponent, TComponent)

    // With a TvrComponent owner the object becomes its child and the owner's report owns it;
    // with any other owner that owner owns it and it has no parent.
    explicit TvrComponent(TComponent* AOwner);
    ~TvrComponent() override;

    // --- tree ---
    TvrComponent* Parent() const { return FParent; }
    virtual void SetParent(TvrComponent* Value);
    const std::vector<TvrComponent*>& Children() const { return FChildren; }
    const std::vector<TvrComponent*>& ChildList() const { return FChildren; }
    // Every descendant, depth first, children in order; the object itself is not in it.
    std::vector<TvrComponent*> AllObjects() const;
    // Moves a child to another place in the child list.
    void MoveChild(TvrComponent* Child, int Index);
    // The first descendant named so (ASCII case ignored); never the object itself.
    TvrComponent* FindObject(const String& AName) const;
    TvrReport* GetReport() const;
    TvrPage* Page() const;

    // --- geometry (units) ---
    Extended Left() const { return FLeft; }
    Extended Top() const { return FTop; }
    Extended Width() const { return FWidth; }
    Extended Height() const { return FHeight; }
    virtual void SetLeft(Extended Value);
    virtual void SetTop(Extended Value);
    virtual void SetWidth(Extended Value);
    virtual void SetHeight(Extended Value);
    void SetBounds(Extended ALeft, Extended ATop, Extended AWidth, Extended AHeight);
    // Left (Top) plus the parents' positions, up to a parent that adds none (a dialog page).
    Extended AbsLeft() const;
    Extended AbsTop() const;

    // --- font ---
    TFont* Font() const { return FFont.get(); }
    virtual void SetFont(const TFont* Value);
    bool ParentFont() const { return FParentFont; }
    virtual void SetParentFont(bool Value);
    // The font changed: ParentFont goes off, and the children that follow their parent take it.
    virtual void FontChanged();

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);

    // --- state ---
    Integer GroupIndex = 0;
    bool InDesigner = false;
    bool InLoading = false;
    bool InPrinting = false;
    bool InWriting = false;
    TvrRestrictions Restrictions;
    bool FromAncestor = false;
    TvrObjectFlags Flags;
    String PreparedAlias;
    String NamePrefix;
    TvrComponent* SourceObject = nullptr;
    TvrComponent* SourceBand = nullptr;
    TvrBounds SavedBounds;
    // After LoadFromStream: the texts read were in the local code page (an old file).
    bool LoadedLegacyFormat = false;

    // --- names ---
    void SetName(const String& NewName) override;
    void CreateUniqueName();
    bool IsInherited() const;
    bool LoadingState() const;

    // --- copying ---
    void CopyFrom(TvrComponent* Source, bool KeepClassNames = false);
    void Assign(const TPersistent* Source) override;

    // The data set of that name for a data-set property (see TvrReport::FindDataSet).
    TvrDataSet* FindDataSet(TvrDataSet* Current, const String& AName) const;

    // --- virtual operations ---
    virtual String GetDescription() const;
    virtual void AlignChildren();
    virtual void BeforeStartReport() {}
    // Frees every child except those from an ancestor, which are cleared in turn.
    virtual void Clear();
    virtual void LoadFromStream(TStream& Stream);
    virtual void SaveToStream(TStream& Stream, bool SaveChildren = true, bool SaveDefaultValues = false,
                              bool KeepClassNames = false);
    virtual void BandNotify(const Variant& Value) { (void)Value; }
    virtual String Diff(TvrComponent* Template);
    virtual bool AcceptChild(TvrComponent* Obj) {
        (void)Obj;
        return false;
    }
    // Hooks of container objects (ofContainer in Flags) for the designer's workspace: taking a
    // dropped object, and the mouse at workspace pixels while the container handles it itself.
    virtual bool ContainerAdd(TvrComponent* Obj) {
        (void)Obj;
        return false;
    }
    virtual bool ContainerMouseDown(TObject* Workspace, int X, int Y) {
        (void)Workspace, (void)X, (void)Y;
        return false;
    }
    virtual void ContainerMouseMove(TObject* Workspace, int X, int Y) { (void)Workspace, (void)X, (void)Y; }
    virtual void ContainerMouseUp(TObject* Workspace, int X, int Y) { (void)Workspace, (void)X, (void)Y; }
    // The designer pasted the object onto a page (it has its parent and name by then).
    virtual void AfterPaste() {}

    // --- hooks of the descendants ---
    // Views take part in AlignChildren with their Align.
    virtual bool TakesPartInAlignment() const { return false; }
    virtual TvrBandAlign AlignKind() const { return baNone; }
    // Bands always record their top in Diff.
    virtual bool IsBand() const { return false; }
    // Text objects with AutoWidth never record their width in Diff.
    virtual bool HasAutoWidth() const { return false; }
    // A dialog page does not add its own position to its children's absolute positions.
    virtual bool AddsPositionToChildren() const { return true; }
    // The object's own text as the layout's Text attribute (UTF-8); false for objects without.
    virtual bool GetLayoutText(String& Utf8) const {
        (void)Utf8;
        return false;
    }
    virtual bool SetLayoutText(const String& Utf8) {
        (void)Utf8;
        return false;
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void FontChangedEvent(TObject* Sender);

    std::unique_ptr<TFont> FFont;
    std::vector<TvrComponent*> FChildren;
    TvrComponent* FParent = nullptr;
    Extended FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FParentFont = false;
    bool FVisible = true;
    bool FInFontChange = false;
};

// What the engine prints: the print protocol, export text, absolute bounds and event names.
class TvrReportComponent : public TvrComponent {
    ORV_META(TvrReportComponent, TvrComponent)

    explicit TvrReportComponent(TComponent* AOwner);
    ~TvrReportComponent() override;

    String Description;
    String OnAfterData, OnAfterPrint, OnBeforePrint, OnPreviewClick, OnPreviewDblClick;
    Extended GrowthAmount = 0;
    std::vector<TvrComponent*> FollowerObjects;

    virtual void Draw(TCanvas* Canvas, Extended ScaleX, Extended ScaleY, Extended OffsetX, Extended OffsetY);
    // Remembers the bounds / restores them.
    virtual void BeforePrint();
    virtual void GetData() {}
    virtual void AfterPrint();
    virtual String GetComponentText() { return String(); }
    virtual TvrFloatRect GetRealBounds() const;
};

// A page of the report: a report page, dialog page or data page.
class TvrPage : public TvrComponent {
    ORV_META(TvrPage, TvrComponent)
    explicit TvrPage(TComponent* AOwner);
    bool IsFontStored() const { return !ParentFont(); }
};

// The page that holds the report's non-visual data components.
class TvrDataPage : public TvrPage {
    ORV_META(TvrDataPage, TvrPage)
    explicit TvrDataPage(TComponent* AOwner);
    String GetDescription() const override;
};

// A non-visual component (data set, database) on a data page or on an application window.
class TvrDialogComponent : public TvrReportComponent {
    ORV_META(TvrDialogComponent, TvrReportComponent)
    explicit TvrDialogComponent(TComponent* AOwner);
    ~TvrDialogComponent() override;

    TComponent* Component() const { return FComponent.get(); }
    Integer ImageIndex = 0;

    // Stores Left and Top as the extra integer properties "pLeft" and "pTop" inside a report.
    void DefineProperties(TFiler& Filer) override;
    void Draw(TCanvas* Canvas, Extended ScaleX, Extended ScaleY, Extended OffsetX, Extended OffsetY) override;

protected:
    // The platform component a descendant wraps; freed with this object.
    std::unique_ptr<TComponent> FComponent;
};
