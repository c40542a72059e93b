// The data module's grid services on the default database: a grid on a form, its designed
// columns, and a small list table T_list whose rows a test fills.
#pragma once

#include "AppFixture.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/Forms.h"

#include <memory>
#include <vector>

class GridServices : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        // The test's data module is the program's one (windows reach it through dmData, layouts
        // find its vrDM and vrDD): one left by an earlier start goes, as a new start lets it go.
        delete dmData;
        Connect();
        dmData = Dm.get();
        Grid = NewGrid();
    }
    void TearDown() override {
        Query.reset();
        AppFixture::TearDown();
    }

    TDBGridGx* NewGrid() {
        auto* grid = new TDBGridGx(&Form);
        grid->SetParent(&Form);
        grid->SetBounds(0, 0, 600, 300);
        return grid;
    }
    // A designed column.
    TColumnGx* AddColumn(TDBGridGx* grid, const String& field, const String& caption, int width = 64) {
        TColumnGx* column = grid->Columns()->AddColumn();
        column->SetFieldName(field);
        column->Title()->SetCaption(caption);
        column->SetWidth(width);
        return column;
    }
    static std::vector<String> Fields(TDBGridGx* grid) {
        std::vector<String> fields;
        for (int i = 0; i < grid->Columns()->Count(); ++i)
            fields.push_back(grid->Columns()->ColumnAt(i)->FieldName());
        return fields;
    }
    // Opens the statement into Query and shows it in the grid.
    void Show(const String& sql, TDBGridGx* grid = nullptr) {
        Query = std::make_unique<TADOQuery>();
        Query->SetConnection(Dm->ADOcnn());
        Query->SQL()->SetText(sql);
        Query->Open();
        Source.SetDataSet(Query.get());
        (grid ? grid : Grid)->SetDataSource(&Source);
    }

    TForm Form{nullptr};
    TDBGridGx* Grid = nullptr;
    TDataSource Source{nullptr};
    std::unique_ptr<TADOQuery> Query;
};
