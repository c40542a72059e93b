// The data grid the grid benchmarks measure: on a shown form, over a query of the table T_page
// of a database in a temporary folder with Rows generated records (F_ID counter, F_code "C<i>",
// F_name "Name <i mod 977>", F_price, F_n). One for the whole run; the folder goes at exit.
#pragma once

#include "../BenchJetDatabase.h"
#include "grid/DBGridGx.h"

#include "db/ADODB.h"
#include "gui/Forms.h"
#include "rtl/Format.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdlib.h>

namespace gridbench {

constexpr int Rows = 100000;
constexpr int Width = 800;
constexpr int Height = 600;
const char* const FontName = "Liberation Sans";
constexpr int FontPoints = 9;

inline String Code(int i) {
    return "C" + IntToStr(i);
}
inline String Name(int i) {
    return "Name " + IntToStr(i % 977);
}

struct TGridSide {
    String Dir;
    TADOConnection Cnn;
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source{nullptr};
    std::unique_ptr<TForm> Form;
    TDBGridGx* Grid = nullptr;

    TGridSide() {
        Dir = OpenBenchJetDatabase("orv_dbgridbench", Cnn);
        Cnn.Execute(
            "create table T_page (F_ID counter, F_code text(20), F_name text(50), F_price double, F_n long)");
        Cnn.BeginTrans();
        TADOCommand cmd;
        cmd.SetConnection(&Cnn);
        cmd.SetCommandText("insert into T_page (F_code, F_name, F_price, F_n) values (:c, :n, :p, :i)");
        for (int i = 0; i < Rows; ++i) {
            auto set = [&](const char* name, const Variant& v) {
                cmd.Parameters()->ParamByName(name)->SetValue(v);
            };
            set("c", Code(i));
            set("n", Name(i));
            set("p", 12.5 + i % 100);
            set("i", i);
            cmd.Execute();
        }
        Cnn.CommitTrans();
        Q = std::make_unique<TADOQuery>();
        Q->SetConnection(&Cnn);
        Q->SQL()->SetText("select F_ID, F_code, F_name, F_price, F_n from T_page order by F_ID");
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, Width, Height);
        Form->SetBorderStyle(bsNone);
        Grid = new TDBGridGx(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, Width, Height);
        Grid->Font()->SetName(FontName);
        Grid->Font()->SetSize(FontPoints);
        Grid->SetDataSource(&Source);
        Form->Show();
        Application()->ProcessMessages();
    }
    void Open() {
        Q->Close();
        Source.SetDataSet(nullptr);
        Q->Open();
        Source.SetDataSet(Q.get());
    }
};

// Lives until the process ends (its window must not outlive the application's teardown).
inline TGridSide& GridSide() {
    static TGridSide* side = [] {
        auto* s = new TGridSide;
        static String dir = s->Dir;
        std::atexit([] { std::filesystem::remove_all(dir); });
        return s;
    }();
    return *side;
}

} // namespace gridbench
