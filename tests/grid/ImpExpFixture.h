// The export fixture: a table with an integer, a float, a date, texts holding '"', ';', TAB,
// CR LF, '}' and Chinese, nulls and a blob, shown through the test grid.
#pragma once

#include "ImpExpTestGrid.h"
#include "rtl/Streams.h"

class ImpExpTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_exp (F_ID counter, F_int long, F_float double, F_date datetime, "
            "F_text text(50), F_blob longbinary)");
        Q = Query("select * from T_exp order by F_ID");
        Q->Open();
        AddRow({7, 1.5, VarFromDateTime(46082), "say \"hi\"; ok", String("\x01\x00\xff", 3)});
        AddRow({-3, 2.25, Null(), "a\tb\r\nc}", Null()});
        AddRow({Null(), Null(), VarFromDateTime(46083.4375), "物业费", Null()});
        Q->First();
        Grid = std::make_unique<TTestImpExpGrid>(Q.get());
    }
    void AddRow(std::vector<Variant> values) {
        Q->Append();
        for (size_t i = 0; i < values.size(); ++i)
            Q->Fields()[static_cast<int>(i) + 1]->SetAsVariant(values[i]);
        Q->Post();
    }
    template <class TExporter> std::string Export(bool all = false) {
        TMemoryStream s;
        WriteGridExport<TExporter>(Grid.get(), s, all);
        return std::string(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
    }
    std::unique_ptr<TADOQuery> Q;
    std::unique_ptr<TTestImpExpGrid> Grid;
};
