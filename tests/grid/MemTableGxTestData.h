// A data set for the grid's tests that offers IMemTableGx: nodes given in tree order with their
// levels (1 for the top nodes), shown as rows while every ancestor is expanded. It moves no
// records itself: it notes every move it is asked for and answers AllowMove.
#pragma once

#include "db/DataSet.h"
#include "grid/ToolCtrlsGxMemTable.h"
#include "rtl/StringList.h"

#include <memory>
#include <vector>

class TTreeTestDataSet : public TDataSet, public IMemTableGx {
public:
    struct TNode {
        String Name;
        int Level = 1;
        bool Expanded = true;
    };
    struct TMoveCall {
        std::vector<String> Bookmarks;
        int ToRecNo = 0;
        int TreeLevel = 0;
        bool CheckOnly = false;
    };

    explicit TTreeTestDataSet(std::vector<TNode> Nodes) : FNodes(std::move(Nodes)) {
        OnFilterRecord = [this](TDataSet*, bool& Accept) {
            Accept = NodeShown(FieldByName("F_ID")->AsInteger());
        };
        SetFiltered(true);
        RebuildShown();
    }

    bool Tree = true;
    bool AllowMove = true;
    int FetchedRows = 0;
    int Refreshes = 0;
    std::vector<TMoveCall> Moves;

    // Moves asked for real (not only checked).
    int PerformedMoves() const {
        int n = 0;
        for (const TMoveCall& m : Moves)
            n += m.CheckOnly ? 0 : 1;
        return n;
    }
    const TNode& NodeAt(int Index) const { return FNodes.at(static_cast<size_t>(Index)); }

    // ---- IMemTableGx --------------------------------------------------------------------------
    int MemTableRowCount() override { return RecordCount(); }
    int MemTableCurrentRow() override { return CurrentIndex(); }
    void InstantReadEnter(int Row) override { SetActiveIndex(Row); }
    void InstantReadLeave() override { SetActiveIndex(-1); }
    bool TreeViewMode() override { return Tree; }
    int NodeLevel() override { return Node().Level; }
    int NextNodeLevel() override {
        const int row = ActiveIndex() + 1;
        return row < static_cast<int>(FShown.size()) ? FNodes[FShown[static_cast<size_t>(row)]].Level : 0;
    }
    int ParentNodeLevel() override { return Node().Level - 1; }
    bool NodeHasChildren() override {
        const size_t i = NodeIndex();
        return i + 1 < FNodes.size() && FNodes[i + 1].Level > FNodes[i].Level;
    }
    bool NodeExpanded() override { return Node().Expanded; }
    bool ParentHasNextSibling(int Level) override {
        const size_t i = NodeIndex();
        for (size_t k = i + 1; k < FNodes.size(); ++k)
            if (FNodes[k].Level <= Level) return FNodes[k].Level == Level;
        return false;
    }
    int SetNodeExpanded(int Row, bool Expanded) override {
        const int node = FShown.at(static_cast<size_t>(Row));
        FNodes[static_cast<size_t>(node)].Expanded = Expanded;
        RebuildShown();
        Refilter();
        for (size_t r = 0; r < FShown.size(); ++r)
            if (FShown[r] == node) return static_cast<int>(r) + 1;
        return 0;
    }
    void MemTableRefresh() override { ++Refreshes; }
    void FetchRecords(int Count) override { FetchedRows += Count; }
    bool MoveRecords(TStrings* BookmarkList, int ToRecNo, int TreeLevel, bool CheckOnly) override {
        TMoveCall call;
        for (int i = 0; i < BookmarkList->Count(); ++i)
            call.Bookmarks.push_back(BookmarkList->Strings(i));
        call.ToRecNo = ToRecNo;
        call.TreeLevel = TreeLevel;
        call.CheckOnly = CheckOnly;
        Moves.push_back(call);
        return AllowMove;
    }
    std::unique_ptr<IDistinctValuesGx> FieldValueList(const String& FieldName) override {
        auto list = std::make_unique<TDatasetFieldValueListGx>();
        list->SetValueFieldName(FieldName);
        list->SetValueDataSet(this);
        return list;
    }

protected:
    void InternalOpen() override {
        FieldDefs().Clear();
        FieldDefs().Add(TFieldDef{"F_ID", ftInteger});
        FieldDefs().Add(TFieldDef{"F_name", ftString, 20});
        FieldDefs().Add(TFieldDef{"F_level", ftInteger});
        for (size_t i = 0; i < FNodes.size(); ++i)
            AddLoadedRecord(
                {Variant(static_cast<int>(i)), Variant(FNodes[i].Name), Variant(FNodes[i].Level)});
    }

private:
    size_t NodeIndex() const { return static_cast<size_t>(FieldByName("F_ID")->AsInteger()); }
    const TNode& Node() const { return FNodes.at(NodeIndex()); }
    // Shown while every ancestor is expanded.
    bool NodeShown(int Index) const {
        int level = FNodes[static_cast<size_t>(Index)].Level;
        for (int j = Index - 1; j >= 0 && level > 1; --j) {
            const TNode& n = FNodes[static_cast<size_t>(j)];
            if (n.Level >= level) continue;
            if (!n.Expanded) return false;
            level = n.Level;
        }
        return true;
    }
    void RebuildShown() {
        FShown.clear();
        for (size_t i = 0; i < FNodes.size(); ++i)
            if (NodeShown(static_cast<int>(i))) FShown.push_back(static_cast<int>(i));
    }

    std::vector<TNode> FNodes;
    std::vector<int> FShown;
};
