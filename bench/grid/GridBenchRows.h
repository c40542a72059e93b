// The records the grid benchmarks walk: a database in a temporary folder with the table T_page of
// generated rows (F_ID counter, F_code "C<i>", F_name "Name <i mod 977>", F_price, F_n).
#pragma once

#include "db/ADODB.h"
#include "rtl/Format.h"

#include <stdlib.h>

inline String GridBenchCode(int i) {
    return "C" + IntToStr(i);
}
inline String GridBenchName(int i) {
    return "Name " + IntToStr(i % 977);
}

// Makes the database in a new folder named from Pattern (ending in XXXXXX), opens Cnn on it and
// fills T_page with Rows records; answers the folder, which the caller removes.
inline String CreateGridBenchRows(TADOConnection& Cnn, String Pattern, int Rows) {
    String dir = ::mkdtemp(Pattern.data());
    String file = dir + "/wuyegl.mdb";
    TADOConnection::CreateDatabase(file, "pw");
    Cnn.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file +
                            ";Jet OLEDB:Database Password=pw");
    Cnn.Open();
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
        set("c", GridBenchCode(i));
        set("n", GridBenchName(i));
        set("p", 12.5 + i % 100);
        set("i", i);
        cmd.Execute();
    }
    Cnn.CommitTrans();
    return dir;
}
