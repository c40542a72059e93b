// A shown grid over a test data set of plain rows (no tree) that offers IMemTableGx, so the grid
// shows it row by row: Count top-level rows, row i named Name(i).
#pragma once

#include "DBGridGxFixture.h"
#include "MemTableGxTestData.h"

#include <functional>

struct TRowModeGrid {
    TRowModeGrid(int Count, const std::function<String(int)>& Name) {
        std::vector<TTreeTestDataSet::TNode> nodes;
        for (int i = 0; i < Count; ++i)
            nodes.push_back({Name(i), 1});
        Data = std::make_unique<TTreeTestDataSet>(nodes);
        Data->Tree = false;
        Data->Open();
        Grid = ShowGridOnForm(Form);
        Source.SetDataSet(Data.get());
        Grid->SetDataSource(&Source);
    }
    // Declared so that the form (with the grid) goes first and the data set last.
    std::unique_ptr<TTreeTestDataSet> Data;
    TDataSource Source{nullptr};
    TForm Form{nullptr};
    TDBGridGx* Grid = nullptr;
};
