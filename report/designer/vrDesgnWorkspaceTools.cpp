// The designer window's workspace: the hand, zoom, edit-text and copy-format tools, the paste
// drag and the key handling around it.
#include "report/designer/vrDesgnWorkspaceTools.h"

#include "classes/MetaBuilder.h"
#include "gui/Forms.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrClassSubreport.h"
#include "report/vrDMPClass.h"

#include <algorithm>
#include <cmath>

ORV_META_IMPL(TvrGuideItem)
void TvrGuideItem::DeclareMeta(meta::Class<TvrGuideItem>&) {}

TvrGuideItem::TvrGuideItem(TCollection* Collection) : TCollectionItem(Collection) {}

ORV_META_IMPL(TvrVirtualGuides)
void TvrVirtualGuides::DeclareMeta(meta::Class<TvrVirtualGuides>&) {}

TvrVirtualGuides::TvrVirtualGuides() : TCollection(TvrGuideItem::StaticClassInfo()) {}

void TvrVirtualGuides::Add(const TvrFloatRect& rect) { static_cast<TvrGuideItem*>(TCollection::Add())->Rect = rect; }

ORV_META_IMPL(TDesignerWorkspace)
void TDesignerWorkspace::DeclareMeta(meta::Class<TDesignerWorkspace>&) {}

TDesignerWorkspace::TDesignerWorkspace(TvrDesignerHost* AOwner)
    : TvrDesignerWorkspace(AOwner), DesignerForm(AOwner), VirtualGuides(std::make_unique<TvrVirtualGuides>()),
      ObjectsSnapshot(std::make_unique<TvrObjectList>()) {}

TDesignerWorkspace::~TDesignerWorkspace() {
    if (FieldListForm) {
        FieldListForm->RemoveFreeNotification(this);
        delete FieldListForm;
    }
}

void TDesignerWorkspace::Notification(TComponent* AComponent, TOperation Operation) {
    TvrDesignerWorkspace::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FieldListForm) {
        FieldListForm = nullptr;
        FieldList = nullptr;
        FieldListOpen = false;
    }
}

void TDesignerWorkspace::SetTool(Byte tool) { Tool = tool; }

void TDesignerWorkspace::SetShowGuides(bool flag) {
    ShowGuides = flag;
    Invalidate();
}

TStringList* TDesignerWorkspace::HGuides() const {
    auto* page = dynamic_cast<TvrReportPage*>(Page);
    return page ? page->HGuides() : nullptr;
}

TStringList* TDesignerWorkspace::VGuides() const {
    auto* page = dynamic_cast<TvrReportPage*>(Page);
    return page ? page->VGuides() : nullptr;
}

void TDesignerWorkspace::RefillSnapshot() { *ObjectsSnapshot = Objects ? *Objects : TvrObjectList(); }

TScrollingWinControl* TDesignerWorkspace::ScrollParent() const { return dynamic_cast<TScrollingWinControl*>(Parent()); }

void TDesignerWorkspace::SetInsertion(const meta::TClassInfo* objectClass, Extended width, Extended height,
                                      Word flags) {
    TvrDesignerWorkspace::SetInsertion(objectClass, width, height, flags);
    RefillSnapshot();
}

void TDesignerWorkspace::DeleteSelected() {
    FieldListMemo = nullptr;
    bool subreport = false;
    if (SelectedObjects)
        for (TvrComponent* o : *SelectedObjects)
            if (dynamic_cast<TvrSubreport*>(o)) subreport = true;
    TvrComponent* page = Page;
    TvrDesignerWorkspace::DeleteSelected();
    if (subreport && DesignerForm && page) {
        int index = 0;
        if (TvrReport* report = page->GetReport()) {
            const auto& pages = report->Children();
            index = static_cast<int>(std::find(pages.begin(), pages.end(), page) - pages.begin());
        }
        DesignerForm->ReloadPages(index);
    }
}

// --- press, move, release ------------------------------------------------------------------------------

void TDesignerWorkspace::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Locked) return;
    if (Tool == vtHand) {
        Mode = wmNone;
        MouseIsDown = true;
        LastX = X;
        LastY = Y;
        return;
    }
    if (Tool == vtZoom || Tool == vtEditText) {
        Mode = wmRubberBand;
        RubberBand = {Extended(X), Extended(Y), Extended(X), Extended(Y)};
    } else if (Tool == vtCopyFormat) {
        Mode = wmNone;
        return;
    }
    if (InsertionState == 0 && FieldListMemo && DesignerForm && DesignerForm->DropFields) {
        const Extended x = X / Scale, y = Y / Scale;
        const Extended right = FieldListMemo->AbsLeft() + FieldListMemo->Width(), top = FieldListMemo->AbsTop();
        if (x >= right - 16 && x <= right && y >= top && y <= top + 16) {
            ShowFieldList();
            Mode = wmNone;
            MouseIsDown = false;
            return;
        }
    }
    if (!(Tool == vtZoom && Button != mbLeft)) TvrDesignerWorkspace::MouseDown(Button, Shift, X, Y);
    RefillSnapshot();
}

void TDesignerWorkspace::HandMove(int X, int Y) {
    TScrollingWinControl* box = ScrollParent();
    if (!box) return;
    TControlScrollBar* h = box->HorzScrollBar();
    TControlScrollBar* v = box->VertScrollBar();
    const int oldH = h->Position(), oldV = v->Position();
    h->SetPosition(oldH - (X - static_cast<int>(LastX)));
    v->SetPosition(oldV - (Y - static_cast<int>(LastY)));
    if (h->Position() == oldH) LastX = X;
    if (v->Position() == oldV) LastY = Y;
}

void TDesignerWorkspace::MouseMove(TShiftState Shift, int X, int Y) {
    if (Locked) {
        TvrDesignerWorkspace::MouseMove(Shift, X, Y);
        return;
    }
    const Extended x = X / Scale, y = Y / Scale;
    if (MouseIsDown && (Tool == vtHand || Mode == wmGuide)) {
        // The page follows the hand, or a guide the mouse: no object moves.
        TPanel::MouseMove(Shift, X, Y);
        if (Tool == vtHand) {
            SetCursor(crHand);
            HandMove(X, Y);
        } else
            GuideMove(Shift, x, y);
        return;
    }
    TvrDesignerWorkspace::MouseMove(Shift, X, Y);
    switch (Tool) {
    case vtHand:
        SetCursor(crHand);
        break;
    case vtZoom:
        SetCursor(crZoom);
        break;
    case vtEditText:
        SetCursor(crIBeam);
        break;
    case vtCopyFormat:
        SetCursor(crFormat);
        break;
    default:
        break;
    }
    if (!MouseIsDown && InsertionState == 0 && (Mode == wmNone || Mode == wmGuide) && !FieldListOpen) {
        GuideHover(x, y);
        if (Mode == wmNone) FieldButtonHover(x, y);
    }
}

void TDesignerWorkspace::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Locked) {
        TvrDesignerWorkspace::MouseUp(Button, Shift, X, Y);
        return;
    }
    PasteDragging = false;
    ObjectsSnapshot->clear();
    if (Tool == vtZoom) {
        ZoomRelease(Button, X, Y);
    } else if (Tool == vtEditText && MouseIsDown) {
        if (EditTextRelease()) return;
    } else if (Tool == vtCopyFormat) {
        CopyFormatRelease(X, Y);
    }
    if (Mode == wmGuide) GuideRelease();
    TvrDesignerWorkspace::MouseUp(Button, Shift, X, Y);
}

void TDesignerWorkspace::DblClick() {
    if (Tool == vtSelect) TvrDesignerWorkspace::DblClick();
}

void TDesignerWorkspace::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE && PasteDragging) {
        Key = VK_DELETE;
        MouseUp(mbLeft, TShiftState(), 0, 0);
    }
    TvrDesignerWorkspace::KeyDown(Key, Shift);
}

void TDesignerWorkspace::StartPasteDrag() {
    Mode = wmMove;
    TvrFloatRect r;
    GetSelectionBounds(r);
    const int x = static_cast<int>(std::nearbyint(r.Left * Scale)) + 20;
    const int y = static_cast<int>(std::nearbyint(r.Top * Scale)) + 20;
    TvrDesignerWorkspace::MouseDown(mbLeft, TShiftState(), x, y);
    RefillSnapshot();
    PasteDragging = true;
}

// --- tools ------------------------------------------------------------------------------------------------

namespace {

TvrFloatRect Normalized(TvrFloatRect r) {
    if (r.Right < r.Left) std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
    return r;
}

int RoundPx(Extended v) { return static_cast<int>(std::nearbyint(v)); }

} // namespace

void TDesignerWorkspace::ZoomRelease(TMouseButton button, int X, int Y) {
    (void)X, (void)Y;
    Mode = wmNone;
    if (FRubberShown) DrawRubberBand();
    RubberBand = Normalized(RubberBand);
    TScrollingWinControl* box = ScrollParent();
    if (!DesignerForm) return;
    const Extended old = Scale;
    const TRect client = box ? box->ClientRect() : ClientRect();
    const Extended w = client.Width(), h = client.Height();
    auto* page = dynamic_cast<TvrReportPage*>(Page);
    const Extended marginX = page ? page->LeftMargin * fr01cm : 0, marginY = page ? page->TopMargin * fr01cm : 0;
    const Extended bw = RubberBand.Right - RubberBand.Left, bh = RubberBand.Bottom - RubberBand.Top;
    if (bw > 5 && bh > 5) {
        const Extended cw = w - 16, ch = h - 16;
        const Extended scale = bw / cw >= bh / ch ? cw / bw * old : ch / bh * old;
        DesignerForm->SetScale(scale);
        const Extended now = DesignerForm->Scale();
        if (box) {
            box->HorzScrollBar()->SetPosition(RoundPx((RubberBand.Left / old + marginX) * now));
            box->VertScrollBar()->SetPosition(RoundPx((RubberBand.Top / old + marginY) * now));
        }
        return;
    }
    Extended scale = old;
    if (button == mbLeft)
        scale = old >= 1 ? old + 1 : old + 0.25;
    else if (old >= 2)
        scale = old - 1;
    else if (old > 0.4)
        scale = old - 0.25;
    if (scale == old) return;
    DesignerForm->SetScale(scale);
    const Extended now = DesignerForm->Scale();
    if (box) {
        box->HorzScrollBar()->SetPosition(RoundPx((RubberBand.Left / old + marginX) * now - w * 0.5));
        box->VertScrollBar()->SetPosition(RoundPx((RubberBand.Top / old + marginY) * now - h * 0.5));
    }
}

bool TDesignerWorkspace::EditTextRelease() {
    Mode = wmNone;
    MouseIsDown = false;
    if (FRubberShown) DrawRubberBand();
    RubberBand = Normalized(RubberBand);
    if (InplaceMemo->IsOpen()) InplaceMemo->Close();
    MemoUnderMouse = nullptr;
    Extended l = RubberBand.Left, t = RubberBand.Top, r = RubberBand.Right, b = RubberBand.Bottom;
    if (r - l >= 5 && b - t >= 5) {
        if (GridAlign) {
            l = std::trunc(l / GridX) * GridX;
            r = std::trunc(r / GridX) * GridX;
            t = std::trunc(t / GridY) * GridY;
            b = std::trunc(b / GridY) * GridY;
        }
        Insertion.ObjectClass =
            IsDotMatrixPage() ? &TvrDMPMemoView::StaticClassInfo() : &TvrMemoView::StaticClassInfo();
        Insertion.Left = l / Scale;
        Insertion.Top = t / Scale;
        Insertion.Width = (r - l) / Scale;
        Insertion.Height = (b - t) / Scale;
        Insertion.Flags = 0;
        if (OnInsertRequest) OnInsertRequest(this);
        AdjustBands(true);
        if (SelectedObjects && !SelectedObjects->empty())
            MemoUnderMouse = dynamic_cast<TvrCustomMemoView*>(SelectedObjects->front());
    } else if (Objects) {
        const TvrFloatRect u{l / Scale, t / Scale, r / Scale, b / Scale};
        for (TvrComponent* o : *Objects)
            if (auto* memo = dynamic_cast<TvrCustomMemoView*>(o); memo && Touches(memo, u)) MemoUnderMouse = memo;
    }
    if (MemoUnderMouse) {
        TvrCustomMemoView* memo = MemoUnderMouse;
        SelectOnly(memo);
        SelectionChanged();
        OpenInplaceEditor(memo);
    }
    return true;
}

void TDesignerWorkspace::CopyFormatRelease(int X, int Y) {
    RubberBand = {Extended(X), Extended(Y), Extended(X + 1), Extended(Y + 1)};
    if (!Objects || !SelectedObjects || SelectedObjects->empty()) return;
    // Only a text object has a format to hand on.
    auto* from = dynamic_cast<TvrCustomMemoView*>(SelectedObjects->front());
    if (!from) return;
    const TvrFloatRect u{X / Scale, Y / Scale, (X + 1) / Scale, (Y + 1) / Scale};
    for (auto it = Objects->rbegin(); it != Objects->rend(); ++it) {
        auto* to = dynamic_cast<TvrMemoView*>(*it);
        if (!to || to == from || to->Restrictions.Contains(rfDontModify) || !Touches(to, u)) continue;
        to->Color = from->Color;
        to->SetFont(from->Font());
        to->SetFrame(from->Frame());
        to->BrushStyle = from->BrushStyle;
        to->HAlign = from->HAlign;
        to->VAlign = from->VAlign;
        ModifyPending = true;
        break;
    }
}
