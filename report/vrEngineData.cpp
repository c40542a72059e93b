// The band tree of a report page (headers, footers and groups attached to their data bands,
// details under their masters) and the walk of data bands over their data sets: rows, headers,
// footers, groups, band columns and drill-down.
#include "report/vrEngine.h"

#include "report/vrPreviewPages.h"
#include "report/vrRes.h"
#include "rtl/Format.h"
#include "script/vs_iinterpreter.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr Extended vrTolerance = 0.0001;

// Positions ordered as numbers rounded to hundredths, so negative and very large ones order
// right; two bands at the same rounded position share a key.
long long PositionKey(Extended v) {
    return std::llround(static_cast<double>(v) * 100.0);
}

bool SameValue(const Variant& a, const Variant& b) {
    const bool an = VarIsNull(a) || VarIsEmpty(a), bn = VarIsNull(b) || VarIsEmpty(b);
    if (an || bn) return an == bn;
    try {
        return a == b;
    } catch (const Exception&) {
        return VarToStr(a) == VarToStr(b);
    }
}

} // namespace

void TvrEngine::LinkBands(TStrings* Errors, bool Vertical) {
    TvrReportPage* page = FPage;
    page->AlignChildren();
    std::vector<TvrBand*>& top = Vertical ? FTopVertical[page] : FTopHorizontal[page];
    top.clear();
    std::vector<TvrBand*> bands, verticals;
    for (TvrComponent* c : page->Children())
        if (auto* b = dynamic_cast<TvrBand*>(c)) {
            if (b->Vertical) verticals.push_back(b);
            if (b->Vertical == Vertical) bands.push_back(b);
        }
    auto report = [&](const char* key, TvrBand* b) {
        if (Errors) Errors->Add(GetResources().GetString(key) + " " + b->Name());
    };
    for (TvrBand* b : bands) {
        b->NestedBands.clear();
        b->Header = b->Footer = b->Group = nullptr;
        b->HasVerticalBands = false;
        if (auto* d = dynamic_cast<TvrDataBand*>(b); d && !d->DataSet() && d->RowCount() > 0) {
            d->SetDataSet(d->RowCountDataSet());
            d->RowCountDataSet()->PrepareForRun();
        }
    }
    if (!Vertical) {
        // Cells moved into vertical bands by an earlier run still mark their home band.
        for (TvrBand* v : verticals)
            for (TvrComponent* c : v->Children())
                if (auto* home = dynamic_cast<TvrBand*>(c->SourceBand); home && home->Parent() == page)
                    home->HasVerticalBands = true;
        for (TvrBand* b : bands) {
            if (dynamic_cast<TvrOverlay*>(b)) continue;
            for (TvrComponent* obj : std::vector<TvrComponent*>(b->Children()))
                for (TvrBand* v : verticals) {
                    if (obj->Left() >= v->Left() - vrTolerance &&
                        obj->Left() + obj->Width() <= v->Left() + v->Width() + vrTolerance) {
                        obj->SetParent(v);
                        obj->SourceBand = b;
                        obj->SetLeft(obj->Left() - v->Left());
                        b->HasVerticalBands = true;
                        break;
                    }
                }
        }
    }
    // Bands of kinds 4 to 13 ordered by position; a second band at the same position is left out.
    std::map<long long, TvrBand*> sorted;
    for (TvrBand* b : bands) {
        const int kind = b->BandKindIndex();
        if (kind < 4 || kind > 13 || dynamic_cast<TvrNullBand*>(b)) continue;
        sorted.emplace(PositionKey(Vertical ? b->Left() : b->Top()), b);
    }
    std::vector<TvrBand*> list;
    for (auto& [key, b] : sorted)
        list.push_back(b);
    auto kindOf = [](TvrBand* b) { return b->BandKindIndex(); };
    // Groups: a run of group headers is a chain that the next data band takes.
    for (size_t i = 0; i < list.size(); ++i) {
        if (kindOf(list[i]) != 12) continue;
        if (i > 0 && kindOf(list[i - 1]) == 12) continue;
        TvrBand* first = list[i];
        size_t j = i;
        while (j < list.size() && kindOf(list[j]) == 12)
            first->NestedBands.push_back(list[j++]);
        while (j < list.size() && !dynamic_cast<TvrDataBand*>(list[j]))
            ++j;
        if (j < list.size())
            list[j]->Group = first;
        else
            report("enUnconnGroup", first);
    }
    std::vector<TvrBand*> rest;
    std::vector<TvrBand*> openHeaders;
    for (TvrBand* b : list) {
        const int kind = kindOf(b);
        if (kind == 12) {
            openHeaders.push_back(b);
        } else if (kind == 13) {
            if (!openHeaders.empty()) {
                openHeaders.back()->Footer = b;
                openHeaders.pop_back();
            } else {
                report("enUnconnGFooter", b);
            }
        } else {
            rest.push_back(b);
        }
    }
    // Headers and footers: directly before and after their data band.
    list.clear();
    std::vector<bool> used(rest.size(), false);
    for (size_t i = 0; i < rest.size(); ++i) {
        if (!dynamic_cast<TvrDataBand*>(rest[i])) continue;
        if (i > 0 && !used[i - 1] && kindOf(rest[i - 1]) == 4) {
            rest[i]->Header = rest[i - 1];
            used[i - 1] = true;
        }
        if (i + 1 < rest.size() && kindOf(rest[i + 1]) == 5) {
            rest[i]->Footer = rest[i + 1];
            used[i + 1] = true;
        }
    }
    for (size_t i = 0; i < rest.size(); ++i) {
        if (used[i]) continue;
        const int kind = kindOf(rest[i]);
        if (kind == 4 || kind == 5)
            report("enUnconnHeader", rest[i]);
        else
            list.push_back(rest[i]);
    }
    // The tree: masters at the top, each level's details under the band of the level above.
    std::vector<bool> taken(list.size(), false);
    std::function<void(TvrBand*, size_t)> collect = [&](TvrBand* owner, size_t from) {
        const int level = kindOf(owner);
        for (size_t k = from; k < list.size(); ++k) {
            if (taken[k]) continue;
            const int kind = kindOf(list[k]);
            if (kind <= level) break;
            if (kind != level + 1) continue;
            taken[k] = true;
            auto* d = dynamic_cast<TvrDataBand*>(list[k]);
            if (d && d->DataSet()) owner->NestedBands.push_back(d);
            if (kind != 11) collect(list[k], k + 1);
        }
    };
    for (size_t k = 0; k < list.size(); ++k) {
        if (taken[k] || kindOf(list[k]) != 6) continue;
        taken[k] = true;
        auto* d = dynamic_cast<TvrDataBand*>(list[k]);
        if (d && d->DataSet()) top.push_back(d);
        collect(list[k], k + 1);
    }
    for (size_t k = 0; k < list.size(); ++k)
        if (!taken[k]) report("enBandPos", list[k]);
}

bool TvrEngine::DetailHasRows(TvrComponent* BandOrPage, bool PrintIfEmpty) {
    if (PrintIfEmpty) return true;
    auto* page = dynamic_cast<TvrReportPage*>(BandOrPage);
    const std::vector<TvrBand*> list =
        page ? TopLevelBands(page, false) : static_cast<TvrBand*>(BandOrPage)->NestedBands;
    if (list.empty()) return page == nullptr;
    for (TvrBand* b : list) {
        auto* d = dynamic_cast<TvrDataBand*>(b);
        if (!d || !d->DataSet()) continue;
        Report()->DoNotifyEvent(d, d->OnMasterDetail);
        TvrDataSet* ds = d->DataSet();
        for (ds->First(); !ds->Eof(); ds->Next())
            if (DetailHasRows(d, d->PrintIfDetailEmpty)) return true;
    }
    return false;
}

void TvrEngine::NotifyListeners(TvrBand* D) {
    TList* list = NotifyList();
    for (Integer i = 0; i < list->Count(); ++i)
        if (auto* obj = static_cast<TvrComponent*>(list->Items(i))) obj->BandNotify(vsObjectToVariant(D));
}

void TvrEngine::ShowDataBands(TvrComponent* Owner) {
    ProcessMessages();
    if (Terminated()) return;
    Extended y0 = CurY;
    Integer columnMark = 0, footerMark = 0;
    auto* page = dynamic_cast<TvrReportPage*>(Owner);
    const std::vector<TvrBand*> list =
        page ? TopLevelBands(page, false) : static_cast<TvrBand*>(Owner)->NestedBands;
    for (TvrBand* b : list) {
        auto* D = dynamic_cast<TvrDataBand*>(b);
        if (!D || !D->DataSet()) continue;
        TvrDataSet* ds = D->DataSet();
        TvrBand* header = D->Header;
        TvrBand* group = D->Group;
        ds->First();
        D->RowNumber = 1;
        D->OverallRowNumber = 1;
        D->SetCurColumn(1);
        ClearRepeatMemory(D);
        bool first = true, shown = false;
        while (!ds->Eof()) {
            if (DetailHasRows(D, D->PrintIfDetailEmpty)) {
                if (first) {
                    if (D->KeepHeader && header && !FFirstBand) {
                        FKeepHeader = true;
                        BeginKeep(D);
                    }
                    RememberHeader(header);
                    ShowBand(header);
                    if (D->KeepTogether) BeginKeep(D);
                } else if (!group && D->KeepTogether) {
                    BeginKeep(D);
                }
                if (group) {
                    if (first)
                        OpenGroups(D, group, true, 0);
                    else
                        TestGroupBreak(D, group, columnMark, y0);
                }
                if (D->KeepFooter) footerMark = Store()->CurrentPosition();
                if (D->Columns > 1 && D->CurColumn() == 1) columnMark = Store()->CurrentPosition();
                const Extended y1 = CurY;
                SetLineNumbers(D);
                ShowBand(D);
                NotifyListeners(D);
                if (first && D->KeepHeader && header) StopKeep(D);
                FBandTrail.emplace_back(D->Name(), D->OverallRowNumber);
                ++D->RowNumber;
                ++D->OverallRowNumber;
                y0 = y1;
                AdvanceBandColumn(D, columnMark, y0);
                AddBandToOutline(D);
                ShowDataBands(D);
                FBandTrail.pop_back();
                LeaveBandOutline(D);
                FFirstBand = false;
                if (D->FooterAfterEach) ShowBand(D->Footer);
                first = false;
                shown = true;
            }
            if (!group && D->KeepTogether) StopKeep(D);
            ds->Next();
            if (!(D->RowCount() == 0 || D->RowCount() >= D->RowNumber) || Terminated()) break;
        }
        D->SetCurColumn(D->Columns);
        AdvanceBandColumn(D, columnMark, y0);
        if (shown) {
            if (group) CloseGroups(group, 0, D);
            if (!D->FooterAfterEach) {
                if (D->KeepFooter) BeginKeep(D, footerMark);
                FKeepFooter = true;
                ShowBand(D->Footer);
                if (D->KeepFooter) StopKeep(D);
                FKeepFooter = false;
            }
            ForgetHeader(header);
            if (group && D->KeepTogether) StopKeep(D);
        }
        if (Terminated()) break;
        FFirstBand = false;
    }
}

void TvrEngine::AdvanceBandColumn(TvrDataBand* D, Integer ColumnMark, Extended Y0) {
    if (D->Columns < 2) return;
    D->LowestBottom = std::max(D->LowestBottom, CurY);
    if (D->CurColumn() < D->Columns) {
        CurY = Y0;
    } else if (D->LowestBottom <= PageHeight() - BottomBandsHeight() || FPage->EndlessHeight) {
        CurY = D->LowestBottom;
    } else if (FKeeping) {
        NewColumn();
    } else {
        Store()->CutFromPosition(ColumnMark);
        NewColumn();
        Store()->PasteCutObjects(CurX, CurY);
        CurY += D->LowestBottom - Y0;
    }
    if (D->Visible()) D->SetCurColumn(D->CurColumn() + 1);
}

void TvrEngine::OpenGroups(TvrDataBand* D, TvrBand* FirstHeader, bool Resetting, int FromIndex) {
    const std::vector<TvrBand*> chain = FirstHeader->NestedBands;
    for (size_t i = FromIndex; i < chain.size(); ++i) {
        TvrBand* h = chain[i];
        if (Resetting) {
            h->RowNumber = 1;
            h->OverallRowNumber = 1;
            ClearRepeatMemory(h);
        } else {
            ++h->RowNumber;
            if (i + 1 < chain.size()) chain[i + 1]->RowNumber = 0;
            ++h->OverallRowNumber;
        }
    }
    ApplyDrillDown(D, FirstHeader);
    for (size_t i = FromIndex; i < chain.size(); ++i) {
        auto* h = static_cast<TvrGroupHeader*>(chain[i]);
        SetLineNumbers(h);
        Report()->CurrentObjectName = h->Name();
        h->LastValue = Report()->Calc(h->Condition);
        if (h->KeepTogether) BeginKeep(h);
        ShowBand(h);
        AddBandToOutline(h);
        RememberHeader(h);
    }
}

void TvrEngine::TestGroupBreak(TvrDataBand* D, TvrBand* FirstHeader, Integer ColumnMark, Extended Y0) {
    ApplyDrillDown(D, FirstHeader);
    const std::vector<TvrBand*> chain = FirstHeader->NestedBands;
    for (size_t i = 0; i < chain.size(); ++i) {
        auto* h = static_cast<TvrGroupHeader*>(chain[i]);
        Report()->CurrentObjectName = h->Name();
        const Variant v = Report()->Calc(h->Condition);
        if (SameValue(v, h->LastValue)) continue;
        D->SetCurColumn(D->Columns);
        AdvanceBandColumn(D, ColumnMark, Y0);
        // The footers show the previous group's data: step back a record while they print.
        bool back = false;
        try {
            D->DataSet()->Prior();
            back = true;
        } catch (const Exception&) {
            back = false;
        }
        CloseGroups(FirstHeader, static_cast<int>(i), D);
        if (back) D->DataSet()->Next();
        OpenGroups(D, FirstHeader, false, static_cast<int>(i));
        D->RowNumber = 1;
        ClearRepeatMemory(D);
        return;
    }
}

void TvrEngine::CloseGroups(TvrBand* FirstHeader, int FromIndex, TvrDataBand* D) {
    const std::vector<TvrBand*> chain = FirstHeader->NestedBands;
    for (int i = static_cast<int>(chain.size()) - 1; i >= FromIndex; --i) {
        auto* h = static_cast<TvrGroupHeader*>(chain[i]);
        if (h->Footer) {
            auto* gf = dynamic_cast<TvrGroupFooter*>(h->Footer);
            if (gf && gf->HideIfSingleDataRecord && D->RowNumber < 3)
                FAggregates->ResetBand(gf);
            else
                ShowBand(h->Footer);
        }
        LeaveBandOutline(h);
        ForgetHeader(h);
        if (h->KeepTogether) StopKeep(h);
    }
}

void TvrEngine::ApplyDrillDown(TvrDataBand* D, TvrBand* FirstHeader) {
    const std::vector<TvrBand*> chain = FirstHeader->NestedBands;
    auto* first = static_cast<TvrGroupHeader*>(FirstHeader);
    for (size_t i = 0; i < chain.size(); ++i) {
        auto* h = static_cast<TvrGroupHeader*>(chain[i]);
        if (!h->DrillDown) continue;
        String name;
        for (const auto& [band, number] : FBandTrail)
            name += band + "." + IntToStr(number) + ".";
        name += h->Name() + "." + IntToStr(h->OverallRowNumber);
        h->DrillName = name;
        bool open = Report()->DrillDownNames()->IndexOf(name) >= 0;
        if (h->ExpandDrillDown) open = !open;
        if (h->Child() && !first->ShowChildIfDrillDown) h->Child()->SetVisible(open);
        for (size_t j = i + 1; j < chain.size(); ++j) {
            chain[j]->SetVisible(open);
            if (chain[j]->Footer) chain[j]->Footer->SetVisible(open);
        }
        D->SetVisible(open);
        if (!h->ShowFooterIfDrillDown && h->Footer) h->Footer->SetVisible(open);
        if (!open) break;
    }
}
