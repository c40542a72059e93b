// Vertical bands: for a horizontal band whose objects lie in vertical bands, the vertical data
// bands are walked across the page, each printing a copy of the cells of that horizontal band,
// breaking to further pages when the width is used up.
#include "report/vrEngine.h"

#include "report/vrPreviewPages.h"

void TvrEngine::ShowVerticalBands(TvrBand* Master) {
    FVMaster = Master;
    Master->BaseObjectCount = static_cast<Integer>(Master->Children().size());
    Master->AllowSplit = false;
    const Integer page0 = Store()->CurPage;
    FVHeaders.clear();
    FVPageMarks.clear();
    FVPageMarks.push_back(0);
    CurVColumn = 0;
    ShowVerticalDataBands(TopLevelBands(FPage, true));
    FVPageMarks.push_back(static_cast<Integer>(Master->Children().size()));
    Store()->CurPage = page0;
}

void TvrEngine::ShowVerticalDataBands(const std::vector<TvrBand*>& Bands) {
    for (TvrBand* b : Bands) {
        auto* V = dynamic_cast<TvrDataBand*>(b);
        if (!V || !V->DataSet() || Terminated()) continue;
        TvrDataSet* ds = V->DataSet();
        TvrBand* group = V->Group;
        ds->First();
        V->RowNumber = 1;
        V->OverallRowNumber = 1;
        V->SetCurColumn(1);
        ClearRepeatMemory(V);
        bool first = true, shown = false;
        while (!ds->Eof() && !Terminated()) {
            if (first && V->Header) {
                ShowBand(V->Header);
                FVHeaders.push_back(V->Header);
            }
            if (group) {
                if (first)
                    OpenGroups(V, group, true, 0);
                else
                    TestGroupBreak(V, group, 0, 0);
            }
            SetLineNumbers(V);
            ShowBand(V);
            NotifyListeners(V);
            ++V->RowNumber;
            ++V->OverallRowNumber;
            ShowVerticalDataBands(V->NestedBands);
            if (V->FooterAfterEach) ShowBand(V->Footer);
            first = false;
            shown = true;
            ds->Next();
            if (V->RowCount() > 0 && V->RowNumber > V->RowCount()) break;
        }
        if (group && shown) CloseGroups(group, 0, V);
        if (shown) {
            std::erase(FVHeaders, V->Header);
            if (!V->FooterAfterEach) ShowBand(V->Footer);
        }
    }
}

void TvrEngine::PlaceVerticalBand(TvrBand* Band) {
    TvrReport* r = Report();
    const bool isData = dynamic_cast<TvrDataBand*>(Band) != nullptr;
    const int kind = Band->BandKindIndex();
    const bool isFooter = kind == 5 || kind == 13;
    if (isData) ++CurVColumn;
    FCurBand = isFooter ? Band : FVMaster;
    Band->BeforePrint();
    r->DoBeforePrint(Band);
    if (Band->Visible() && FVMaster) {
        if (CurX + Band->Width() > PageWidth) {
            if (FPage->EndlessWidth) {
                PageWidth += Band->Width();
            } else {
                if (Store()->CurPage + 1 >= Store()->GetPageCount()) {
                    Store()->AddPageAction = TvrPreviewPages::apAdd;
                    Store()->StartPreparedPage(FPage);
                } else {
                    ++Store()->CurPage;
                }
                CurX = 0;
                FVPageMarks.push_back(static_cast<Integer>(FVMaster->Children().size()));
                for (TvrBand* h : std::vector<TvrBand*>(FVHeaders)) {
                    const Integer line = CurLine;
                    PlaceVerticalBand(h);
                    CurLine = line;
                }
            }
        }
        for (TvrComponent* c : std::vector<TvrComponent*>(Band->Children())) {
            auto* obj = dynamic_cast<TvrReportComponent*>(c);
            if (!obj || obj->SourceBand != FVMaster) continue;
            r->CurrentObjectName = obj->Name();
            obj->BeforePrint();
            r->DoBeforePrint(obj);
            if (obj->Visible()) {
                obj->GetData();
                r->DoNotifyEvent(obj, obj->OnAfterData);
            }
            auto* copy = dynamic_cast<TvrComponent*>(meta::ClassInfoOf(*obj).CreateComponent(FVMaster));
            if (copy) {
                copy->Assign(obj);
                if (copy->Parent() != FVMaster) copy->SetParent(FVMaster);
                copy->SetLeft(copy->Left() + CurX);
                copy->PreparedAlias = obj->PreparedAlias;
                copy->SourceObject = obj->SourceObject;
            }
            obj->AfterPrint();
        }
        CurX += Band->Width();
    }
    r->DoAfterPrint(Band);
    Band->AfterPrint();
    if (isData && FVMaster) FAggregates->AccumulateValue(FVMaster, CurVColumn);
    if (isFooter) FAggregates->ResetBand(Band);
}

void TvrEngine::PlaceVerticalCells(TvrBand* Master) {
    const Integer page0 = Store()->CurPage;
    const Extended y0 = CurY, x0 = CurX;
    Store()->AddPageAction = TvrPreviewPages::apWriteOver;
    std::vector<TvrComponent*> full = Master->Children();
    std::vector<bool> visible;
    for (TvrComponent* c : full)
        visible.push_back(c->Visible());
    const bool suppress = FSuppressHeaders;
    for (size_t piece = 0; piece + 1 < FVPageMarks.size(); ++piece) {
        const size_t from = static_cast<size_t>(FVPageMarks[piece]),
                     to = static_cast<size_t>(FVPageMarks[piece + 1]);
        // The master's own objects (before its initial count) and the cells of this page.
        for (size_t i = 0; i < full.size(); ++i) {
            const bool own = static_cast<Integer>(i) < Master->BaseObjectCount;
            full[i]->SetVisible(visible[i] && (own ? piece == 0 : (i >= from && i < to)));
        }
        Master->SetTop(CurY);
        Store()->AddBandToPage(Master);
        if (piece + 2 < FVPageMarks.size()) {
            FSuppressHeaders = true;
            NewPage();
            FSuppressHeaders = suppress;
        }
    }
    for (size_t i = 0; i < full.size(); ++i)
        full[i]->SetVisible(visible[i]);
    Store()->CurPage = page0;
    CurY = y0;
    CurX = x0;
    Store()->AddPageAction = TvrPreviewPages::apAdd;
}
