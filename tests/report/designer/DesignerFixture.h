// The database and report the designer's tests share: a database made from the built-in schema
// with 36 houses in T_FCinfo (three estates of 12; building areas 60.5 to 126.0 square metres),
// and a report whose data set "vrDM" is a database data set over a query of the houses. The
// designer's string tables are loaded, as at the program's start.
#pragma once

#include "../../platform/db/DbFixture.h"
#include "report/vrClass.h"
#include "report/vrDBSet.h"

#include <memory>

class DesignerTest : public DbTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The three estates, 12 houses each.
    static const char* const Estates[3];
    // The building area of house k (0 to 11) of estate e (0 to 2): 60.5 + 5.5 k + 2.5 e.
    static double Area(int e, int k) { return 60.5 + 5.5 * k + 2.5 * e; }

    TComponent Module{nullptr}; // owns vrDM, as the data module does
    std::unique_ptr<TADOQuery> Houses;
    TvrDBDataset* vrDM = nullptr;
    std::unique_ptr<TvrReport> Report;
};
