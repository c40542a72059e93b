// The designer window's workspace: page guides, alignment lines and guide snapping, drops from
// the rulers and the data tree, and the field drop-down of bound text objects.
#include "report/designer/vrDesgnWorkspaceTools.h"

#include "gui/ImgList.h"
#include "gui/StdCtrls.h"
#include "report/designer/vrDesgnComponent.h"
#include "report/vrClassBand.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrDMPClass.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "rtl/Format.h"

#include <algorithm>
#include <cmath>

namespace {

int GuidePx(Extended v) { return static_cast<int>(std::nearbyint(v)); }

Extended GuideValue(TStringList* list, int index) { return StrToFloatLoose((*list)[index]); }

// The data set of a text object's data band that has fields, nullptr otherwise.
TvrDataSet* BandDataSetWithFields(TvrComponent* memo) {
    auto* band = dynamic_cast<TvrDataBand*>(memo->Parent());
    if (!band || !band->DataSet()) return nullptr;
    TStringList fields;
    band->DataSet()->GetFieldList(fields);
    return fields.Count() > 0 ? band->DataSet() : nullptr;
}

} // namespace

// --- painting ------------------------------------------------------------------------------------------

void TDesignerWorkspace::DrawObjects() {
    TCanvas* c = DrawCanvas;
    auto* page = dynamic_cast<TvrReportPage*>(Page);
    if (c && page) {
        c->Pen()->SetMode(pmCopy);
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetWidth(1);
        if (page->Columns() > 1) {
            c->Pen()->SetColor(clSilver);
            TStringList* positions = page->ColumnPositions();
            for (int i = 0; i < positions->Count(); ++i) {
                const int x = GuidePx(StrToFloatLoose((*positions)[i]) * fr01cm * Scale);
                if (x == 0) continue;
                c->MoveTo(x, 0);
                c->LineTo(x, Height());
            }
        }
        if (ShowGuides) {
            c->Pen()->SetColor(vrGuideColor);
            for (int i = 0; i < page->HGuides()->Count(); ++i) {
                const int y = GuidePx(GuideValue(page->HGuides(), i) * Scale);
                c->MoveTo(0, y);
                c->LineTo(Width(), y);
            }
            for (int i = 0; i < page->VGuides()->Count(); ++i) {
                const int x = GuidePx(GuideValue(page->VGuides(), i) * Scale);
                c->MoveTo(x, 0);
                c->LineTo(x, Height());
            }
        }
    }
    TvrDesignerWorkspace::DrawObjects();
    if (!c) {
        VirtualGuides->Clear();
        return;
    }
    if (FieldListMemo && DesignerForm && DesignerForm->DropFields) {
        const int x = GuidePx((FieldListMemo->AbsLeft() + FieldListMemo->Width()) * Scale) - 16;
        const int y = GuidePx(FieldListMemo->AbsTop() * Scale) + 2;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(x, y, x + 16, y + 16));
        c->Pen()->SetColor(clBtnHighlight);
        c->MoveTo(x, y + 15);
        c->LineTo(x, y);
        c->LineTo(x + 15, y);
        c->Pen()->SetColor(clBtnShadow);
        c->LineTo(x + 15, y + 15);
        c->LineTo(x, y + 15);
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetColor(clBlack);
        const TPoint triangle[] = {{x + 4, y + 6}, {x + 7, y + 9}, {x + 10, y + 6}};
        c->Polygon(triangle, 3);
    }
    if (VirtualGuides->Count() > 0 && (MouseIsDown || Mode == wmInsert || Mode == wmInsertLine)) {
        c->Pen()->SetMode(pmCopy);
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetColor(vrGuideColor);
        for (int i = 0; i < VirtualGuides->Count(); ++i) {
            const TvrFloatRect& r = VirtualGuides->Items(i)->Rect;
            c->MoveTo(GuidePx(r.Left * Scale), GuidePx(r.Top * Scale));
            c->LineTo(GuidePx(r.Right * Scale), GuidePx(r.Bottom * Scale));
        }
    }
    VirtualGuides->Clear();
    if (FRulerLine >= 0) {
        c->Pen()->SetColor(clBlack);
        if (FRulerLineVertical) {
            c->MoveTo(FRulerLine, 0);
            c->LineTo(FRulerLine, Height());
        } else {
            c->MoveTo(0, FRulerLine);
            c->LineTo(Width(), FRulerLine);
        }
    }
}

// --- snapping and alignment lines ----------------------------------------------------------------------

void TDesignerWorkspace::SnapEdge(Extended p, Extended& d, bool vertical) const {
    TStringList* list = vertical ? VGuides() : HGuides();
    if (!list) return;
    for (int i = 0; i < list->Count(); ++i) {
        const Extended g = GuideValue(list, i);
        if (std::fabs(p + d - g) < 6) {
            d = g - p;
            return;
        }
    }
}

void TDesignerWorkspace::AddLines(TvrComponent* moving, Extended edge, bool vertical, Extended ox, Extended oy) {
    for (TvrComponent* o : *ObjectsSnapshot) {
        if (o == moving || !dynamic_cast<TvrReportComponent*>(o)) continue;
        if (vertical) {
            const Extended l = o->AbsLeft(), r = l + o->Width();
            if (std::fabs(edge - l) < 0.001 || std::fabs(edge - r) < 0.001)
                VirtualGuides->Add({edge, o->AbsTop(), edge, oy});
        } else {
            const Extended t = o->AbsTop(), b = t + o->Height();
            if (std::fabs(edge - t) < 0.001 || std::fabs(edge - b) < 0.001)
                VirtualGuides->Add({o->AbsLeft(), edge, ox, edge});
        }
    }
}

void TDesignerWorkspace::AdjustDelta(Extended& dx, Extended& dy, bool& skip) {
    TvrDesignerWorkspace::AdjustDelta(dx, dy, skip);
    if (!ShowGuides) return;
    VirtualGuides->Clear();
    const bool insertion = Mode == wmInsert || Mode == wmInsertLine;
    if (MouseIsDown && Mode == wmBandEdge && SizedBand) {
        SnapEdge(SizedBand->Top() + SizedBand->Height(), dy, false);
    } else if (insertion) {
        TvrInsertion& ins = Insertion;
        SnapEdge(ins.Left, dx, true);
        SnapEdge(ins.Top, dy, false);
        AddLines(nullptr, ins.Left + dx, true, ins.Left + dx, ins.Top + dy);
        AddLines(nullptr, ins.Top + dy, false, ins.Left + dx, ins.Top + dy);
        if (!MouseIsDown) {
            SnapEdge(ins.Left + ins.Width, dx, true);
            SnapEdge(ins.Top + ins.Height, dy, false);
            AddLines(nullptr, ins.Left + ins.Width + dx, true, ins.Left + dx, ins.Top + dy);
            AddLines(nullptr, ins.Top + ins.Height + dy, false, ins.Left + dx, ins.Top + dy);
        }
    } else if (MouseIsDown && Mode == wmMove && SelectedObjects) {
        for (TvrComponent* o : *SelectedObjects) {
            if (o == Page || !dynamic_cast<TvrReportComponent*>(o)) continue;
            SnapEdge(o->Left(), dx, true);
            AddLines(o, o->AbsLeft() + dx, true, o->AbsLeft() + dx, o->AbsTop() + dy);
            AddLines(o, o->AbsTop() + dy, false, o->AbsLeft() + dx, o->AbsTop() + dy);
            SnapEdge(o->AbsTop(), dy, false);
            SnapEdge(o->Top(), dy, false);
            SnapEdge(o->Left() + o->Width(), dx, true);
            AddLines(o, o->AbsLeft() + o->Width() + dx, true, o->AbsLeft() + dx, o->AbsTop() + dy);
            AddLines(o, o->AbsTop() + o->Height() + dy, false, o->AbsLeft() + dx, o->AbsTop() + dy);
            SnapEdge(o->AbsTop() + o->Height(), dy, false);
        }
    } else if (MouseIsDown && Mode == wmResize && SelectedCount() == 1) {
        TvrComponent* o = SelectedObjects->front();
        const Byte h = ResizeHandle;
        const Extended l = o->AbsLeft(), t = o->AbsTop(), r = l + o->Width(), b = t + o->Height();
        if (h == 1 || h == 4 || h == 6) {
            SnapEdge(l, dx, true);
            AddLines(o, l + dx, true, l + dx, t);
        }
        if (h == 1 || h == 3 || h == 7) {
            SnapEdge(t, dy, false);
            AddLines(o, t + dy, false, l, t + dy);
        }
        if (h == 2 || h == 3 || h == 5) {
            SnapEdge(r, dx, true);
            AddLines(o, r + dx, true, r + dx, t);
        }
        if (h == 2 || h == 4 || h == 8) {
            SnapEdge(b, dy, false);
            AddLines(o, b + dy, false, l, b + dy);
        }
    }
}

// --- page guides ----------------------------------------------------------------------------------------

void TDesignerWorkspace::GuideHover(Extended x, Extended y) {
    if (!IsReportPage() || !ShowGuides) {
        if (Mode == wmGuide) Mode = wmNone;
        return;
    }
    if (Mode == wmGuide) Mode = wmNone;
    TStringList* h = HGuides();
    for (int i = 0; i < h->Count(); ++i)
        if (std::fabs(GuideValue(h, i) - y) <= 5) {
            Mode = wmGuide;
            SetCursor(crVSplit);
            GuideIndex = i;
            FGuideVertical = false;
        }
    TStringList* v = VGuides();
    for (int i = 0; i < v->Count(); ++i)
        if (std::fabs(GuideValue(v, i) - x) <= 5) {
            Mode = wmGuide;
            SetCursor(crHSplit);
            GuideIndex = i;
            FGuideVertical = true;
        }
}

void TDesignerWorkspace::GuideMove(TShiftState shift, Extended x, Extended y) {
    TStringList* list = FGuideVertical ? VGuides() : HGuides();
    if (!list || GuideIndex < 0 || GuideIndex >= list->Count()) return;
    Extended step = FGuideVertical ? x - LastX : y - LastY;
    const Extended grid = FGuideVertical ? GridX : GridY;
    bool skip = false;
    if (GridAlign != shift.Contains(ssAlt)) {
        if (std::fabs(step) < grid)
            skip = true;
        else
            step = std::trunc(step / grid) * grid;
    }
    if (step == 0) skip = true;
    Extended value = GuideValue(list, GuideIndex);
    if (!skip) {
        ModifyPending = true;
        value = vrRound8(value + step);
        if (FGuideVertical)
            LastX += step;
        else
            LastY += step;
    }
    list->SetStrings(GuideIndex, FloatToStr(value));
    Invalidate();
}

void TDesignerWorkspace::GuideRelease() {
    TStringList* list = FGuideVertical ? VGuides() : HGuides();
    if (list && GuideIndex >= 0 && GuideIndex < list->Count()) {
        const Extended value = GuideValue(list, GuideIndex);
        const Extended limit = (FGuideVertical ? Width() : Height()) / Scale - 3;
        if (value < 3 || value > limit) {
            list->Delete(GuideIndex);
            ModifyPending = true;
        }
    }
    GuideIndex = -1;
    Invalidate();
}

// --- field drop-down -------------------------------------------------------------------------------------

void TDesignerWorkspace::FieldButtonHover(Extended x, Extended y) {
    TvrMemoView* found = nullptr;
    if (Objects)
        for (auto it = Objects->rbegin(); it != Objects->rend() && !found; ++it) {
            auto* memo = dynamic_cast<TvrMemoView*>(*it);
            if (!memo) continue;
            const Extended l = memo->AbsLeft(), t = memo->AbsTop();
            if (x >= l && x <= l + memo->Width() - 4 && y >= t && y <= t + memo->Height() &&
                BandDataSetWithFields(memo))
                found = memo;
        }
    if (found != FieldListMemo) {
        FieldListMemo = found;
        Invalidate();
    }
}

void TDesignerWorkspace::ShowFieldList() {
    if (!FieldListMemo) return;
    TvrDataSet* dataSet = BandDataSetWithFields(FieldListMemo);
    if (!dataSet) return;
    if (FieldListForm) delete FieldListForm;
    FieldListForm = new TvrPopupForm(this);
    FieldListForm->FreeNotification(this);
    FieldList = new TListBox(FieldListForm);
    FieldList->SetParent(FieldListForm);
    FieldList->SetAlign(alClient);
    FieldList->SetStyle(lbOwnerDrawFixed);
    FieldList->SetItemHeight(16);
    dataSet->GetFieldList(*FieldList->Items());
    FieldList->SetItemIndex(FieldList->Items()->IndexOf(FieldListMemo->DataField));
    TListBox* list = FieldList;
    FieldList->OnDrawItem = [list](TWinControl*, int index, TRect rect, TOwnerDrawState) {
        TCanvas* c = list->Canvas();
        c->FillRect(rect);
        GetResources().GetDesignerImages()->Draw(c, rect.Left, rect.Top, 54);
        c->TextOut(rect.Left + 20, rect.Top + 1, (*list->Items())[index]);
    };
    FieldList->OnClick = [this](TObject*) {
        if (FieldList) FieldChosen(FieldList->ItemIndex());
    };
    int left = GuidePx((FieldListMemo->AbsLeft() + FieldListMemo->Width()) * Scale) - 140;
    if (left < 0) left = 0;
    const TPoint p = ClientToScreen(Point(left, GuidePx(FieldListMemo->AbsTop() * Scale) + 18));
    FieldListForm->SetBounds(p.X, p.Y, 140, 162);
    FieldListOpen = true;
    FieldListForm->Show();
}

void TDesignerWorkspace::FieldChosen(int index) {
    if (!FieldListMemo || !FieldList || index < 0 || index >= FieldList->Items()->Count()) return;
    TvrDataSet* dataSet = BandDataSetWithFields(FieldListMemo);
    if (!dataSet) return;
    FieldListMemo->SetDataSet(dataSet);
    FieldListMemo->DataField = (*FieldList->Items())[index];
    // Closing frees the window a moment later, which clears FieldListOpen.
    if (FieldListForm) FieldListForm->Close();
    ModifyPending = true;
    NotifyModified();
    Invalidate();
}

// --- drag and drop -----------------------------------------------------------------------------------------

String TDesignerWorkspace::DropName(const String& insertionText) {
    String name;
    for (size_t i = 0; i < insertionText.size(); ++i) {
        const char ch = insertionText[i];
        const bool letter = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_';
        const bool digit = ch >= '0' && ch <= '9';
        if (letter || (digit && i > 0)) name += ch;
    }
    const size_t length = insertionText.size();
    // A name must not begin with a digit either.
    if (name.size() < length * 2 / 3 || name.empty() || (name[0] >= '0' && name[0] <= '9')) return "Memo";
    return name;
}

bool TDesignerWorkspace::IsRuler(TObject* source) const {
    auto* ruler = dynamic_cast<TvrRuler*>(source);
    return ruler && DesignerForm && (ruler->Owner() == DesignerForm || ruler->GetParentForm() == DesignerForm);
}

bool TDesignerWorkspace::IsDataTree(TObject* source) const {
    TvrDataTreeSource* tree = DesignerForm ? DesignerForm->DataTree() : nullptr;
    return tree && source && source == tree->TreeView();
}

void TDesignerWorkspace::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = false;
    if (State == dsDragLeave) {
        FRulerLine = -1;
        if (InsertionState == 2) SetInsertion(nullptr, 0, 0, 0);
        Invalidate();
        return;
    }
    TvrDataTreeSource* tree = DesignerForm ? DesignerForm->DataTree() : nullptr;
    const bool ruler = IsRuler(Source) && ShowGuides;
    const bool fromTree =
        IsDataTree(Source) && !tree->InsertionText().empty() && IsAllowed(drDontInsertObject);
    if (!(ruler || fromTree) || !IsReportPage()) return;
    Accept = true;
    InsertionState = 2;
    if (ruler) {
        auto* r = static_cast<TvrRuler*>(Source);
        FRulerLineVertical = r->IsVertical();
        int p = FRulerLineVertical ? X : Y;
        if (GridAlign) {
            const Extended step = (FRulerLineVertical ? GridX : GridY) * Scale;
            p = GuidePx(std::trunc(p / step) * step);
        }
        FRulerLine = p;
        Invalidate();
        MouseMove(TShiftState(), X, Y);
        return;
    }
    if (!Insertion.ObjectClass || Mode != wmInsert) {
        if (tree->InsFieldCB() || tree->InsCaptionCB() || !tree->DataTabActive()) {
            const String text = tree->InsertionText();
            Integer chars = 10;
            if (TvrReport* report = Page ? Page->GetReport() : nullptr; report && text.size() >= 2) {
                TvrDataSet* dataSet = nullptr;
                String field;
                try {
                    report->GetDatasetAndField(text.substr(1, text.size() - 2), dataSet, field);
                    if (dataSet && !field.empty()) chars = dataSet->DisplayWidth(field);
                } catch (const Exception&) {
                    chars = 10;
                }
            }
            chars = std::min<Integer>(chars, 50);
            const Extended width = std::nearbyint(chars * 8 / GridX) * GridX;
            SetInsertion(&TvrMemoView::StaticClassInfo(), width, DesignerForm->DefaultObjectHeight(), 0);
            InsertionState = 2;
        }
    }
    if (Insertion.ObjectClass) MouseMove(TShiftState(), X - 8, Y - 8);
}

TvrCustomMemoView* TDesignerWorkspace::NewDropMemo(const String& insertionText) {
    TvrCustomMemoView* memo = IsDotMatrixPage() ? static_cast<TvrCustomMemoView*>(new TvrDMPMemoView(Page))
                                                : static_cast<TvrCustomMemoView*>(new TvrMemoView(Page));
    const String name = DropName(insertionText);
    TvrReport* report = Page->GetReport();
    if (name == "Memo" || (report && report->FindObject(name))) {
        memo->NamePrefix = name;
        memo->CreateUniqueName();
    } else
        memo->SetName(name);
    memo->InDesigner = true;
    return memo;
}

void TDesignerWorkspace::DragDrop(TObject* Source, int X, int Y) {
    FRulerLine = -1;
    TvrDataTreeSource* tree = DesignerForm ? DesignerForm->DataTree() : nullptr;
    if (IsRuler(Source) && IsReportPage()) {
        auto* r = static_cast<TvrRuler*>(Source);
        const bool vertical = r->IsVertical();
        Extended p = (vertical ? X : Y) / Scale;
        if (GridAlign) {
            const Extended grid = vertical ? GridX : GridY;
            p = std::trunc(p / grid) * grid;
        }
        (vertical ? VGuides() : HGuides())->Add(FloatToStr(vrRound8(p)));
        InsertionState = 0;
    } else if (IsDataTree(Source) && (tree->InsFieldCB() || tree->InsCaptionCB() || !tree->DataTabActive())) {
        const String text = tree->InsertionText();
        TvrReport* report = Page->GetReport();
        if (SelectedObjects) SelectedObjects->clear();
        TvrComponent* last = nullptr;
        auto place = [&](TvrCustomMemoView* memo) {
            memo->SetBounds(vrRound8(Insertion.Left), vrRound8(Insertion.Top), vrRound8(Insertion.Width),
                            vrRound8(Insertion.Height));
            DesignerForm->SampleFormat()->ApplyTo(memo);
            if (Objects) Objects->push_back(memo);
            if (SelectedObjects) SelectedObjects->push_back(memo);
            last = memo;
        };
        TvrCustomMemoView* memo = NewDropMemo(text);
        if (tree->DataTabActive() && !tree->InsFieldCB()) {
            delete memo;
        } else {
            TvrDataSet* dataSet = nullptr;
            String field;
            if (report && text.size() >= 2) report->GetDatasetAndField(text.substr(1, text.size() - 2), dataSet, field);
            if (dataSet && !field.empty()) {
                memo->SetDataSet(dataSet);
                memo->DataField = field;
            } else {
                const String inner = !text.empty() && text[0] == '<' ? text.substr(1, text.size() - 2) : text;
                memo->SetLayoutText("[" + inner + "]");
            }
            place(memo);
            Insertion.Top -= Insertion.Height;
        }
        if (tree->DataTabActive() && tree->InsCaptionCB()) {
            TvrCustomMemoView* caption = NewDropMemo(text);
            TvrDataSet* dataSet = nullptr;
            String field;
            if (report && text.size() >= 2) report->GetDatasetAndField(text.substr(1, text.size() - 2), dataSet, field);
            caption->SetLayoutText(field);
            place(caption);
        }
        if (last && DesignerComponent && DesignerComponent->OnInsertObject) DesignerComponent->OnInsertObject(last);
        SetInsertion(nullptr, 0, 0, 0);
    }
    ModifyPending = true;
    MouseUp(mbLeft, TShiftState(), X, Y);
    SelectionChanged();
}
