// The page workspace: creation, the settings the designer window makes, the selection and its
// bounds, grouping, insertion, deletion and editing requests.
#include "report/designer/vrDesgnWorkspace.h"

#include "classes/MetaBuilder.h"
#include "rtl/Format.h"

#include "gui/Bitmap.h"
#include "gui/CursorTable.h"
#include "gui/Forms.h"
#include "gui/MouseTracking.h"
#include "gui/ScreenStrokes.h"

#include <algorithm>
#include <cmath>

namespace {

// The pencil of line insertion: a 32 x 32 picture, its point at the bottom left.
void RegisterPencilCursor() {
    if (ScreenCursorRegistered(crPencil)) return;
    TBitmap picture(32, 32);
    TCanvas* c = picture.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, 32, 32));
    c->Pen()->SetColor(clBlack);
    // The shaft, running from the lower left up to the upper right.
    const TPoint outline[] = {{1, 20}, {13, 8}, {17, 12}, {5, 24}, {1, 24}, {1, 20}};
    c->Polyline(outline, 6);
    c->MoveTo(4, 17);
    c->LineTo(8, 21);
    c->MoveTo(11, 10);
    c->LineTo(15, 14);
    c->Brush()->SetColor(clBlack);
    c->FillRect(Rect(1, 22, 3, 25));
    RegisterScreenCursor(crPencil, picture, 1, 24);
}

} // namespace

ORV_META_IMPL(TvrDesignerWorkspace)
void TvrDesignerWorkspace::DeclareMeta(meta::Class<TvrDesignerWorkspace>& c) { (void)c; }

TvrDesignerWorkspace::TvrDesignerWorkspace(TComponent* AOwner) : TPanel(AOwner) {
    SetBevelOuter(bvNone);
    PaintWithBackground(false);
    SetColor(clWhite);
    RegisterPencilCursor();
    // Hover finds handles, band edges and text objects.
    SetMouseTracking(this, true);
    MarginsPanel = new TMarginsPanel(AOwner);
    MarginsPanel->Workspace = this;
    // The panel and the workspace belong to the same owner; each may go first.
    MarginsPanel->FreeNotification(this);
    InplaceMemo = new TInplaceMemo(this);
    InplaceMemo->Workspace = this;
    InplaceMemo->SetVisible(false);
    InplaceMemo->SetParent(this);
    SetWindowMovedHandler(this, [this] {
        if (OnOriginMoved) OnOriginMoved(this);
    });
}

TvrDesignerWorkspace::~TvrDesignerWorkspace() {
    if (MarginsPanel) MarginsPanel->Workspace = nullptr;
    ClearXorStrokes(this);
    SetWindowMovedHandler(this, nullptr);
}

void TvrDesignerWorkspace::Notification(TComponent* AComponent, TOperation Operation) {
    TPanel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == MarginsPanel) MarginsPanel = nullptr;
}

bool TvrDesignerWorkspace::IsDotMatrixPage() const { return Page && Page->InheritsFrom("TvrDMPPage"); }
bool TvrDesignerWorkspace::IsReportPage() const { return dynamic_cast<TvrReportPage*>(Page) != nullptr; }
bool TvrDesignerWorkspace::IsDialogPage() const { return dynamic_cast<TvrDialogPage*>(Page) != nullptr; }

void TvrDesignerWorkspace::SetParent(TWinControl* NewParent) {
    TPanel::SetParent(NewParent);
    if (MarginsPanel && !ComponentState().Contains(csDestroying)) {
        MarginsPanel->SetParent(NewParent);
        if (NewParent) BringToFront();
    }
}

void TvrDesignerWorkspace::BoundsChanged() {
    TPanel::BoundsChanged();
    if (OnOriginMoved) OnOriginMoved(this);
}

// --- settings -----------------------------------------------------------------------------------

void TvrDesignerWorkspace::SetScale(Extended scale) {
    Scale = scale;
    if (!MarginsPanel) {
        Invalidate();
        return;
    }
    auto r = [](Extended v) { return static_cast<int>(std::nearbyint(v)); };
    MarginsPanel->SetBounds(MarginsPanel->Left(), MarginsPanel->Top(), r(PageWidth * scale), r(PageHeight * scale));
    SetBounds(r(MarginLeft * scale) + MarginsPanel->Left(), r(MarginTop * scale) + MarginsPanel->Top(),
              MarginsPanel->Width() - r((MarginLeft + MarginRight - 1) * scale),
              MarginsPanel->Height() - r((MarginTop + MarginBottom - 1) * scale));
    MarginsPanel->Invalidate();
    Invalidate();
}

void TvrDesignerWorkspace::SetPageDimensions(Integer width, Integer height, const TRect& margins) {
    PageWidth = width;
    PageHeight = height;
    MarginLeft = margins.Left;
    MarginTop = margins.Top;
    MarginRight = margins.Right;
    MarginBottom = margins.Bottom;
    SetScale(Scale);
    AdjustBands(true);
}

void TvrDesignerWorkspace::SetOrigin(const TPoint& point) {
    if (MarginsPanel) MarginsPanel->SetBounds(point.X, point.Y, MarginsPanel->Width(), MarginsPanel->Height());
}

void TvrDesignerWorkspace::SetWorkspaceColor(TColor color) {
    SetColor(color);
    if (MarginsPanel) MarginsPanel->SetColor(color);
    Invalidate();
}

void TvrDesignerWorkspace::SetShowGrid(bool value) {
    ShowGrid = value;
    Invalidate();
}

void TvrDesignerWorkspace::SetGridType(Byte value) {
    GridType = value;
    UpdateBandHeader();
    AdjustBands(true);
    Invalidate();
    if (SelectedCount() > 0) MouseMove(TShiftState(), 0, 0);
}

void TvrDesignerWorkspace::SetShowBandCaptions(bool value) {
    ShowBandCaptions = value;
    UpdateBandHeader();
    AdjustBands(true);
    Invalidate();
}

void TvrDesignerWorkspace::UpdateBandHeader() {
    switch (GridType) {
    case 1:
        BandHeader = 18.89765;
        break;
    case 2:
        BandHeader = 19.2;
        break;
    case 4:
        BandHeader = fr1CharY;
        break;
    case 0:
    case 3:
        BandHeader = 16;
        break;
    default:
        break;
    }
    if (!ShowBandCaptions) BandHeader = 0;
}

void TvrDesignerWorkspace::Lock() {
    // The designer empties the lists after this and may free every object (undo, redo, another
    // page): nothing of the interaction may keep pointing at one. Text being typed in place is
    // dropped as by Escape; a press under way ends, since its release may come while locked.
    if (InplaceMemo && InplaceMemo->IsOpen()) {
        InplaceMemo->SetModified(false);
        InplaceMemo->Close();
    }
    if (FRubberShown) DrawRubberBand();
    if (FCrossShown) DrawCrossHair();
    Locked = true;
    InsertionState = 0;
    Mode = wmNone;
    ResizeHandle = 0;
    SizedBand = nullptr;
    MemoUnderMouse = nullptr;
    MouseIsDown = false;
    SavedAligns.clear();
}

void TvrDesignerWorkspace::UpdateView() {
    Invalidate();
    FireSelectionBounds();
}

// --- selection ----------------------------------------------------------------------------------

bool TvrDesignerWorkspace::IsSelected(const TvrComponent* object) const {
    return SelectedObjects &&
           std::find(SelectedObjects->begin(), SelectedObjects->end(), object) != SelectedObjects->end();
}

void TvrDesignerWorkspace::Select(TvrComponent* object) {
    if (SelectedObjects && object && !IsSelected(object)) SelectedObjects->push_back(object);
}

void TvrDesignerWorkspace::Unselect(TvrComponent* object) {
    if (!SelectedObjects) return;
    SelectedObjects->erase(std::remove(SelectedObjects->begin(), SelectedObjects->end(), object),
                           SelectedObjects->end());
}

void TvrDesignerWorkspace::SelectOnly(TvrComponent* object) {
    if (!SelectedObjects) return;
    SelectedObjects->clear();
    Select(object);
}

void TvrDesignerWorkspace::SelectPageIfEmpty() {
    if (SelectedObjects && SelectedObjects->empty() && Page) SelectedObjects->push_back(Page);
}

void TvrDesignerWorkspace::RemovePageFromSelection() {
    if (Page) Unselect(Page);
}

void TvrDesignerWorkspace::Forget(TvrComponent* object) {
    Unselect(object);
    if (Objects) Objects->erase(std::remove(Objects->begin(), Objects->end(), object), Objects->end());
    if (SizedBand == object) SizedBand = nullptr;
    if (MemoUnderMouse == object) MemoUnderMouse = nullptr;
    if (InplaceMemo && InplaceMemo->Target == object) {
        InplaceMemo->Target = nullptr;
        InplaceMemo->SetVisible(false);
    }
}

void TvrDesignerWorkspace::SelectionChanged() {
    if (SelectedObjects) {
        const TvrObjectList before = *SelectedObjects;
        for (TvrComponent* s : before) {
            if (!dynamic_cast<TvrReportComponent*>(s) || s->GroupIndex == 0 || !Objects) continue;
            for (TvrComponent* o : *Objects)
                if (o->GroupIndex == s->GroupIndex && !IsSelected(o)) SelectedObjects->push_back(o);
        }
    }
    if (OnSelectionChange) OnSelectionChange(this);
    Invalidate();
}

void TvrDesignerWorkspace::NotifyModified() {
    if (ModifyPending && OnModified) OnModified(this);
    ModifyPending = false;
}

int TvrDesignerWorkspace::SelectedCount() const {
    if (!SelectedObjects) return 0;
    if (SelectedObjects->size() == 1) {
        TvrComponent* only = SelectedObjects->front();
        if (only == Page || dynamic_cast<TvrReport*>(only)) return 0;
    }
    return static_cast<int>(SelectedObjects->size());
}

void TvrDesignerWorkspace::GetSelectionBounds(TvrFloatRect& rect) const {
    rect = TvrFloatRect{};
    if (SelectedCount() == 0) return;
    if (SelectedObjects->size() == 1) {
        TvrComponent* o = SelectedObjects->front();
        rect = {o->Left(), o->Top(), o->Width(), o->Height()};
        return;
    }
    Extended minX = 1e10, minY = 1e10, maxX = -1e10, maxY = -1e10;
    for (TvrComponent* o : *SelectedObjects) {
        minX = std::min(minX, o->AbsLeft());
        minY = std::min(minY, o->AbsTop());
        maxX = std::max(maxX, o->AbsLeft() + o->Width());
        maxY = std::max(maxY, o->AbsTop() + o->Height());
    }
    rect = {minX, minY, maxX - minX, maxY - minY};
}

TvrComponent* TvrDesignerWorkspace::GetGroupHandleObject() const {
    TvrComponent* result = nullptr;
    if (!SelectedObjects) return result;
    Extended right = 0, bottom = 0;
    for (TvrComponent* o : *SelectedObjects) {
        const Extended r = o->AbsLeft() + o->Width(), b = o->AbsTop() + o->Height();
        if (r > right || (r == right && b > bottom)) {
            right = r;
            bottom = b;
            result = o;
        }
    }
    return result;
}

void TvrDesignerWorkspace::GroupSelection() {
    if (!SelectedObjects || !Objects) return;
    for (TvrComponent* o : *SelectedObjects) o->GroupIndex = 0;
    Integer index = 1;
    for (bool used = true; used; ++index) {
        used = std::any_of(Objects->begin(), Objects->end(), [&](TvrComponent* o) { return o->GroupIndex == index; });
        if (!used) break;
    }
    for (TvrComponent* o : *SelectedObjects) o->GroupIndex = index;
    ModifyPending = true;
}

void TvrDesignerWorkspace::UngroupSelection() {
    if (!SelectedObjects) return;
    for (TvrComponent* o : *SelectedObjects) o->GroupIndex = 0;
    ModifyPending = true;
}

void TvrDesignerWorkspace::FirePositionInfo(const TvrFloatRect& rect) {
    if (OnPositionInfo) OnPositionInfo(rect);
}

void TvrDesignerWorkspace::FireSelectionBounds() {
    TvrFloatRect r;
    GetSelectionBounds(r);
    FirePositionInfo(r);
}

// --- insertion, deletion, editing ------------------------------------------------------------------

void TvrDesignerWorkspace::SetInsertion(const meta::TClassInfo* objectClass, Extended width, Extended height,
                                        Word flags) {
    Insertion.ObjectClass = objectClass;
    Insertion.Width = Insertion.DefaultWidth = width;
    Insertion.Height = Insertion.DefaultHeight = height;
    Insertion.Flags = flags;
    InsertionState = 1;
    if (!objectClass) {
        InsertionState = 0;
        Mode = wmNone;
        SetCursor(crDefault);
        return;
    }
    if (objectClass->InheritsFrom(TvrCustomLineView::StaticClassInfo())) {
        SetCursor(crPencil);
        Mode = wmInsertLine;
        const Extended part = GridType == 4 ? 0.5 : 1;
        Insertion.Left = -GridX * part;
        Insertion.Top = -GridY * part;
    } else {
        SetCursor(crCross);
        Mode = wmInsert;
        Insertion.Left = -1000 * GridX;
        Insertion.Top = -1000 * GridY;
    }
}

void TvrDesignerWorkspace::DeleteSelected() {
    if (SelectedCount() == 0) return;
    // No interaction state may keep a reference to an object freed below.
    if (InplaceMemo && InplaceMemo->IsOpen()) InplaceMemo->Close();
    if (FRubberShown) DrawRubberBand();
    if (FCrossShown) DrawCrossHair();
    if (InsertionState == 0) Mode = wmNone;
    ResizeHandle = 0;
    SizedBand = nullptr;
    MemoUnderMouse = nullptr;
    const TvrObjectList candidates = *SelectedObjects;
    bool deleted = false;
    auto announce = [&] {
        SelectPageIfEmpty();
        AdjustBands(true);
        if (deleted) ModifyPending = true;
        NotifyModified();
        SelectionChanged();
    };
    for (TvrComponent* obj : candidates) {
        // An object freed with an object deleted before it has left the selection.
        if (!IsSelected(obj) || obj == Page || !dynamic_cast<TvrReportComponent*>(obj)) continue;
        if (obj->Restrictions.Contains(rfDontDelete)) continue;
        if (obj->IsInherited()) {
            const String message =
                "Could not delete " + obj->Name() + ", it was introduced in the ancestor report";
            // What was deleted before stays deleted; the designer learns of it before the error.
            announce();
            throw Exception(message);
        }
        Forget(obj);
        for (TvrComponent* inner : obj->AllObjects()) Forget(inner);
        delete obj;
        deleted = true;
    }
    announce();
}

void TvrDesignerWorkspace::EditSelected() {
    if (SelectedObjects && SelectedObjects->size() == 1 && OnEditRequest) OnEditRequest(this);
}

void TvrDesignerWorkspace::OpenInplaceEditor(TvrCustomMemoView* memo) {
    if (!memo) return;
    InplaceMemo->Open(memo);
}

void TvrDesignerWorkspace::InplaceEditDone(bool changed) {
    if (changed) {
        ModifyPending = true;
        NotifyModified();
    }
    Invalidate();
    SetCursor(crDefault);
}

void TvrDesignerWorkspace::AdjustDelta(Extended& dx, Extended& dy, bool& skip) { (void)dx, (void)dy, (void)skip; }

bool vrBandTakesColumnWidth(const TvrBand* band) {
    // Header .. ColumnFooter in the kind order Header, Footer, MasterData ... ColumnFooter.
    const int kind = band->BandKindIndex();
    return kind >= 4 && kind <= 16;
}
