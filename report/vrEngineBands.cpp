// The output of one band: showing a band with its children, stretching it to its contents,
// shifting the objects below a grown one, splitting a band over pages, keeping blocks together
// and running its subreports.
#include "report/vrEngine.h"

#include "report/vrPreviewPages.h"
#include "rtl/Format.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Extended vrTolerance = 0.0001;

bool Overlap(Extended a, Extended a2, Extended b, Extended b2) {
    return a < b2 - vrTolerance && a2 > b + vrTolerance;
}

struct TRectF {
    Extended Left, Top, Right, Bottom;
};

TRectF RectOf(const TvrComponent* c) {
    return {c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
}

// Positions ordered as numbers rounded to hundredths; a stable sort keeps equal ones in order.
long long PositionKey(Extended v) {
    return std::llround(static_cast<double>(v) * 100.0);
}

bool IsDMPMemoWithBottomLine(TvrComponent* c) {
    auto* v = dynamic_cast<TvrView*>(c);
    return v && v->ClassName() == "TvrDMPMemoView" && v->Frame()->Typ.Contains(ftBottom);
}

} // namespace

void TvrEngine::SetLineNumbers(TvrBand* Band) {
    CurLine = Band->RowNumber;
    CurLineThrough = Band->OverallRowNumber;
}

void TvrEngine::ShowBand(TvrComponent* Obj) {
    auto* band = dynamic_cast<TvrBand*>(Obj);
    if (!band) return;
    if (band->KeepChild) BeginKeep(band);
    PlaceBand(band);
    if (band->Child() && (band->Visible() || band->PrintChildIfInvisible)) ShowBand(band->Child());
    if (band->KeepChild) StopKeep(band);
    // A row counts after the row and its child bands are printed.
    if (dynamic_cast<TvrDataBand*>(band)) FAggregates->AccumulateValue(band, 0);
}

bool TvrEngine::IsHeaderPrintOfPage(TvrBand* Band) const {
    return dynamic_cast<TvrChild*>(Band) && FFromPageHeader;
}

void TvrEngine::PlaceBand(TvrBand* Band) {
    TvrReport* r = Report();
    const bool isPageHeader = dynamic_cast<TvrPageHeader*>(Band) != nullptr;
    bool withVertical = false;
    if (Band->HasVerticalBands && !isPageHeader) {
        Band->BeforePrint();
        r->DoBeforePrint(Band);
        ShowVerticalBands(Band);
        CurX = 0;
        SetLineNumbers(Band);
        Store()->AddPageAction = TvrPreviewPages::apAdd;
        withVertical = true;
    } else if (Band->Vertical) {
        PlaceVerticalBand(Band);
        return;
    }
    auto* data = dynamic_cast<TvrDataBand*>(Band);
    const bool columns = data && data->Columns >= 2;
    const bool isNull = dynamic_cast<TvrNullBand*>(Band) != nullptr;
    const bool isOverlay = dynamic_cast<TvrOverlay*>(Band) != nullptr;
    auto* group = dynamic_cast<TvrGroupHeader*>(Band);
    if (!FFromPageStart && Band->Visible() && Band->StartNewPage && !FOutputBand &&
        !((data || group) && Band->RowNumber == 1)) {
        FForcingBand = Band;
        if (group && group->ResetPageNumbers) Store()->RestartLogicalPages();
        NewPage();
        FForcingBand = nullptr;
    }
    StretchBand(Band);
    Band->GrownHeight = Band->Height();
    bool split = false;
    if (Band->Visible() && !columns && !isOverlay && !isNull && !FOutputBand &&
        FreeSpace() < Band->Height()) {
        if ((!Band->AllowSplit || FKeeping) &&
            (Band->Height() <= PageHeight() - BottomBandsHeight() || Band->HasVerticalBands)) {
            if (!FKeeping) RecalcRepeatedValues(Band);
            if (!IsHeaderPrintOfPage(Band)) NewColumn();
        } else {
            if (!Band->AllowSplit && Band->OverallRowNumber > 1 && !Band->StartNewPage) {
                FCurBand = Band;
                NewColumn();
            }
            if (FKeeping) ResetKeeping();
            SplitBand(Band);
            split = true;
        }
    }
    if (!split) {
        if (!isNull) {
            Band->SetLeft(columns ? CurX + Band->Left() : CurX);
            Band->SetTop(CurY);
        }
        if (FOutputBand) {
            CopyIntoOutputBand(Band);
        } else if (!withVertical || isPageHeader) {
            if (!FFromPageStart || !Store()->HasBandOnPage(Band)) Store()->AddBandToPage(Band);
        } else {
            PlaceVerticalCells(Band);
        }
        // A hidden band (a closed drill-down group, a script's choice) takes no room.
        if (!isNull && Band->Visible()) CurY += Band->Height();
    }
    RestoreBand(Band);
    FAggregates->ResetBand(Band);
    if (Band->Visible()) RunSubreports(Band);
}

void TvrEngine::CopyIntoOutputBand(TvrBand* Band) {
    auto* copy = dynamic_cast<TvrComponent*>(meta::ClassInfoOf(*Band).CreateComponent(FOutputBand));
    if (!copy) return;
    copy->Assign(Band);
    if (copy->Parent() != FOutputBand) copy->SetParent(FOutputBand);
    for (TvrComponent* c : Band->Children()) {
        if (!c->Visible()) continue;
        auto* cc = dynamic_cast<TvrComponent*>(meta::ClassInfoOf(*c).CreateComponent(copy));
        if (!cc) continue;
        cc->Assign(c);
        if (cc->Parent() != copy) cc->SetParent(copy);
    }
}

void TvrEngine::StretchBand(TvrBand* Band) {
    TvrReport* r = Report();
    FCurBand = Band;
    BuildShiftLinks(Band);
    const bool master = Band == FVMaster;
    if (!master) {
        r->CurrentObjectName = Band->Name();
        Band->BeforePrint();
        r->DoBeforePrint(Band);
    }
    const std::vector<TvrComponent*> objects = Band->Children();
    const size_t limit =
        master && Band->BaseObjectCount >= 0 ? static_cast<size_t>(Band->BaseObjectCount) : objects.size();
    bool grew = false, inline_ = false;
    for (size_t i = 0; i < objects.size() && i < limit; ++i) {
        auto* obj = dynamic_cast<TvrReportComponent*>(objects[i]);
        if (!obj) continue;
        if (auto* s = dynamic_cast<TvrSubreport*>(obj); s && s->PrintOnParent) inline_ = true;
        r->CurrentObjectName = obj->Name();
        obj->BeforePrint();
        if (Band->Visible()) r->DoBeforePrint(obj);
        if (obj->Visible()) {
            r->SetSelfVariable(obj);
            obj->GetData();
            r->DoNotifyEvent(obj, obj->OnAfterData);
        }
        auto* s = dynamic_cast<TvrStretcheable*>(obj);
        if (Band->Visible() && obj->Visible() && s && s->StretchMode != smDontStretch) {
            const Extended h = s->CalcHeight();
            if (h <= s->Height()) {
                s->GrowthAmount = 0;
            } else {
                s->GrowthAmount = h - s->Height();
                s->SetHeight(h);
                grew = true;
            }
        }
    }
    if (!Band->Visible()) return;
    if (grew) ShiftBelow(Band, 0);
    if (inline_) InlineSubreports(Band);
    Extended bottom = 0;
    TvrComponent* lowest = nullptr;
    for (TvrComponent* c : Band->Children()) {
        if (c->Top() + c->Height() > bottom || !lowest) {
            bottom = std::max(bottom, c->Top() + c->Height());
            lowest = c;
        }
    }
    if (lowest && IsDMPMemoWithBottomLine(lowest)) bottom += 17;
    if (Band->Stretched) Band->SetHeight(bottom);
    r->DoNotifyEvent(Band, Band->OnAfterCalcHeight);
    for (TvrComponent* c : Band->Children())
        if (auto* s = dynamic_cast<TvrStretcheable*>(c); s && s->StretchMode == smMaxHeight)
            s->SetHeight(bottom - s->Top() - (IsDMPMemoWithBottomLine(s) ? 17 : 0));
}

void TvrEngine::ShiftBelow(TvrComponent* Obj, Extended Amount) {
    auto it = FShiftChildren.find(Obj);
    if (it == FShiftChildren.end()) return;
    const bool isBand = Obj->IsBand();
    const Extended objBottom = Obj->Top() + Obj->Height();
    for (TvrComponent* c : it->second) {
        auto* rc = dynamic_cast<TvrReportComponent*>(c);
        const Extended growth = rc ? rc->GrowthAmount : 0;
        auto* v = dynamic_cast<TvrView*>(c);
        const TvrShiftMode mode = v ? v->ShiftMode : smAlways;
        Extended passed = 0;
        switch (mode) {
        case smAlways:
            c->SetTop(c->Top() + Amount);
            passed = Amount + growth;
            break;
        case smDontShift:
            passed = Amount + growth;
            break;
        case smWhenOverlapped:
            if (isBand || c->Top() >= objBottom) {
                passed = growth;
            } else {
                const Extended old = c->Top();
                c->SetTop(objBottom);
                passed = objBottom - old + growth;
            }
            break;
        }
        ShiftBelow(c, passed);
        if (rc) rc->GrowthAmount = 0;
    }
}

void TvrEngine::BuildShiftLinks(TvrBand* Band) {
    if (!FShiftLinksBuilt.insert(Band).second) return;
    std::vector<TvrComponent*> order(Band->Children().begin(), Band->Children().end());
    std::stable_sort(order.begin(), order.end(), [](TvrComponent* a, TvrComponent* b) {
        return PositionKey(a->Top()) < PositionKey(b->Top());
    });
    std::vector<TRectF> rects;
    rects.push_back({0, -2, Band->Width(), -1}); // the sentinel above everything
    for (TvrComponent* c : order) {
        rects.push_back(RectOf(c));
        FShiftChildren[c].clear();
    }
    order.insert(order.begin(), Band);
    auto& bandChildren = FShiftChildren[Band];
    bandChildren.clear();
    for (size_t i = 0; i < rects.size(); ++i) {
        const TRectF& a = rects[i];
        for (size_t j = i + 1; j < rects.size(); ++j) {
            const TRectF& b = rects[j];
            if (Overlap(a.Top, a.Bottom, b.Top, b.Bottom) || !(a.Top < b.Top) ||
                !Overlap(a.Left, a.Right, b.Left, b.Right))
                continue;
            const Extended il = std::max(a.Left, b.Left), ir = std::min(a.Right, b.Right);
            bool between = false;
            for (size_t k = i + 1; k < j && !between; ++k) {
                const TRectF& c = rects[k];
                between = !Overlap(c.Top, c.Bottom, a.Top, a.Bottom) &&
                          !Overlap(c.Top, c.Bottom, b.Top, b.Bottom) && Overlap(c.Left, c.Right, il, ir);
            }
            if (!between) FShiftChildren[order[i]].push_back(order[j]);
        }
    }
}

void TvrEngine::RestoreBand(TvrBand* Band) {
    TvrReport* r = Report();
    const bool master = Band == FVMaster;
    const std::vector<TvrComponent*> objects = Band->Children();
    const size_t limit =
        master && Band->BaseObjectCount >= 0 ? static_cast<size_t>(Band->BaseObjectCount) : objects.size();
    if (Band->Visible())
        for (TvrComponent* c : objects)
            if (auto* rc = dynamic_cast<TvrReportComponent*>(c)) {
                r->CurrentObjectName = rc->Name();
                r->DoAfterPrint(rc);
            }
    for (size_t i = 0; i < objects.size() && i < limit; ++i)
        if (auto* rc = dynamic_cast<TvrReportComponent*>(objects[i])) rc->AfterPrint();
    r->DoAfterPrint(Band);
    Band->AfterPrint();
    if (Band->BaseObjectCount != -1) {
        while (static_cast<int>(Band->Children().size()) > Band->BaseObjectCount)
            delete Band->Children().back();
        Band->BaseObjectCount = -1;
    }
}

void TvrEngine::ClearRepeatMemory(TvrBand* Band) {
    for (TvrComponent* c : Band->Children())
        if (auto* m = dynamic_cast<TvrCustomMemoView*>(c); m && m->SuppressRepeated) m->ClearLastValue();
}

void TvrEngine::RecalcRepeatedValues(TvrBand* Band) {
    bool any = false;
    for (TvrComponent* c : Band->Children())
        if (auto* m = dynamic_cast<TvrCustomMemoView*>(c); m && m->SuppressRepeated) {
            m->ClearLastValue();
            any = true;
        }
    if (!any || Band->HasVerticalBands) return;
    RestoreBand(Band);
    SetLineNumbers(Band);
    SecondScriptCall = true;
    StretchBand(Band);
    SecondScriptCall = false;
}

void TvrEngine::SplitBand(TvrBand* Band) {
    const std::vector<TvrComponent*> all = Band->Children();
    std::vector<TvrComponent*> pending;
    std::unordered_map<TvrComponent*, Extended> remaining, rememberedTop;
    std::unordered_map<TvrComponent*, bool> visible;
    for (TvrComponent* c : all) {
        visible[c] = c->Visible();
        if (dynamic_cast<TvrSubreport*>(c)) continue;
        pending.push_back(c);
        if (auto* s = dynamic_cast<TvrStretcheable*>(c)) {
            s->InitPart();
            remaining[c] = s->Height();
        }
    }
    const size_t firstCount = pending.size();
    Extended space = FreeSpace();
    bool printedAny = false, freshPage = false;
    const Extended pageRoom = PageHeight() - BottomBandsHeight();
    while (!pending.empty() && !Terminated()) {
        ProcessMessages();
        std::vector<TvrComponent*> part, next;
        std::unordered_set<TvrComponent*> moved;
        // Pending objects below o that overlap it horizontally move down with it.
        auto pushDown = [&](TvrComponent* o, Extended amount) {
            const Extended bottom = o->Top() + o->Height();
            for (TvrComponent* p : pending) {
                if (p == o || moved.count(p) || p->Top() < bottom) continue;
                if (!Overlap(p->Left(), p->Left() + p->Width(), o->Left(), o->Left() + o->Width())) continue;
                p->SetTop(p->Top() + amount);
                moved.insert(p);
            }
        };
        for (TvrComponent* o : pending) {
            auto* s = dynamic_cast<TvrStretcheable*>(o);
            Extended h = o->Height(), u = 0;
            if (s) {
                rememberedTop[o] = o->Top();
                o->SetHeight(space - o->Top());
                if (o->Top() < space) u = s->DrawPart();
                h = remaining[o];
            }
            if (o->Top() + h <= space) {
                o->SetHeight(h);
                part.push_back(o);
            } else if (!s) {
                if (o->Height() <= pageRoom) {
                    pushDown(o, space - o->Top());
                    o->SetTop(space);
                    next.push_back(o);
                } else {
                    part.push_back(o); // taller than a page: cut at the page edge
                }
            } else if (o->Top() < space) {
                pushDown(o, u);
                if (std::fabs(u - o->Height()) >= vrTolerance) {
                    remaining[o] = u + remaining[o] - o->Height();
                    part.push_back(o);
                } else {
                    o->SetTop(space);
                    o->SetHeight(remaining[o]);
                }
                next.push_back(o);
            } else {
                o->SetHeight(remaining[o]);
                next.push_back(o);
            }
        }
        if (part.empty() && freshPage) {
            // Nothing fits even on a fresh page (the headers leave no room): the objects go into
            // this part as they are, cut at the page edge, instead of breaking pages for ever.
            for (TvrComponent* o : next) {
                if (auto* m = dynamic_cast<TvrCustomMemoView*>(o)) m->SetText(m->PartText);
                if (remaining.count(o)) o->SetHeight(remaining[o]);
                part.push_back(o);
            }
            next.clear();
        }
        pending = next;
        Extended partHeight = 0;
        for (TvrComponent* o : part)
            partHeight = std::max(partHeight, o->Top() + o->Height());
        if (pending.empty())
            for (TvrComponent* o : part) {
                if (auto* v = dynamic_cast<TvrView*>(o); v && v->Align == baBottom)
                    o->SetTop(partHeight - o->Height());
                if (auto* s = dynamic_cast<TvrStretcheable*>(o); s && s->StretchMode == smMaxHeight)
                    o->SetHeight(partHeight - o->Top());
            }
        // Only the objects of this part are written with the band.
        for (TvrComponent* c : all)
            c->SetVisible(visible[c] && std::find(part.begin(), part.end(), c) != part.end());
        Band->SetLeft(CurX);
        Band->SetTop(CurY);
        Band->SetHeight(partHeight);
        Store()->AddBandToPage(Band);
        for (TvrComponent* c : all)
            c->SetVisible(visible[c]);
        CurY += partHeight;
        FCurBand = Band;
        if (!part.empty()) printedAny = true;
        freshPage = false;
        if (!pending.empty()) {
            NewColumn();
            freshPage = true;
        }
        const bool allPending = !printedAny && pending.size() == firstCount;
        for (TvrComponent* o : pending) {
            o->SetTop(o->Top() - space);
            if (dynamic_cast<TvrStretcheable*>(o)) {
                if (allPending) o->SetTop(rememberedTop[o]);
                if (o->Top() < 0) o->SetTop(0);
                o->SetHeight(remaining[o]);
            }
        }
        space = FreeSpace();
    }
}

// --- keeping ---

void TvrEngine::BeginKeep(TvrBand* Band, Integer Position) {
    if (FKeeping || FFirstBand) return;
    FKeepStartY = CurY;
    FKeeping = true;
    FKeepBand = Band;
    FKeepPosition = Position ? Position : Store()->CurrentPosition();
    FKeepOutlineCount = Store()->PagesOutline()->CurItem()->ItemCount();
    FKeepAnchorPosition = Store()->AnchorPosition();
    FAggregates->StartKeepAll();
}

void TvrEngine::StopKeep(TvrBand* Band) {
    if (Band != FKeepBand) return;
    ResetKeeping();
}

void TvrEngine::ResetKeeping() {
    FKeepStartY = 0;
    FKeeping = false;
    FKeepBand = nullptr;
    FAggregates->EndKeepAll();
    FKeepHeader = false;
}

// --- subreports ---

void TvrEngine::RunSubreports(TvrBand* Band) {
    std::vector<TvrSubreport*> subs;
    for (TvrComponent* c : Band->Children())
        if (auto* s = dynamic_cast<TvrSubreport*>(c); s && s->Visible() && !s->PrintOnParent && s->Page())
            subs.push_back(s);
    if (subs.empty()) return;
    const Integer page0 = Store()->CurPage, column0 = CurColumn;
    const Extended x0 = CurX, offset0 = FColumnOffset, top0 = CurY - Band->GrownHeight;
    Integer bestPage = page0, bestColumn = column0;
    Extended bestY = CurY;
    for (TvrSubreport* s : subs) {
        Store()->CurPage = page0;
        CurColumn = column0;
        FColumnOffset = offset0 + s->Left();
        CurX = x0 + s->Left();
        CurY = top0 + s->Top();
        ShowDataBands(s->Page());
        const auto better =
            std::tuple(Store()->CurPage, CurColumn, CurY) > std::tuple(bestPage, bestColumn, bestY);
        if (better) {
            bestPage = Store()->CurPage;
            bestColumn = CurColumn;
            bestY = CurY;
        }
    }
    Store()->CurPage = bestPage;
    CurColumn = bestColumn;
    CurY = bestY;
    CurX = x0 + ColumnPosition(bestColumn);
    FColumnOffset = offset0;
}

void TvrEngine::InlineSubreports(TvrBand* Band) {
    // Subreports printed on their parent: the bands of the subreport page become objects of the
    // host band at their place.
    std::vector<TvrSubreport*> subs;
    for (TvrComponent* c : Band->Children())
        if (auto* s = dynamic_cast<TvrSubreport*>(c); s && s->Visible() && s->PrintOnParent && s->Page())
            subs.push_back(s);
    if (subs.empty()) return;
    const bool outermost = FOutputBand == nullptr;
    std::unique_ptr<TvrNullBand> output;
    if (outermost) {
        if (Band->BaseObjectCount == -1)
            Band->BaseObjectCount = static_cast<Integer>(Band->Children().size());
        output = std::make_unique<TvrNullBand>(nullptr);
        FOutputBand = output.get();
    }
    const Extended x0 = CurX, y0 = CurY, offset0 = FColumnOffset;
    TvrBand* cur = FCurBand;
    for (TvrSubreport* s : subs) {
        FColumnOffset = offset0 + s->Left();
        CurX = s->Left();
        CurY = s->Top();
        ShowDataBands(s->Page());
    }
    CurX = x0;
    CurY = y0;
    FColumnOffset = offset0;
    FCurBand = cur;
    if (!outermost) return;
    FOutputBand = nullptr;
    for (TvrComponent* copyBand : std::vector<TvrComponent*>(output->Children())) {
        for (TvrComponent* v : std::vector<TvrComponent*>(copyBand->Children())) {
            if (dynamic_cast<TvrSubreport*>(v)) continue;
            const Extended l = copyBand->Left() + v->Left(), t = copyBand->Top() + v->Top();
            v->SetParent(Band);
            v->SetLeft(l);
            v->SetTop(t);
            v->SetParentFont(false);
            if (auto* s = dynamic_cast<TvrStretcheable*>(v)) s->StretchMode = smDontStretch;
        }
    }
}
