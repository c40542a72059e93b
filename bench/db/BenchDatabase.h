// A database in a temporary folder for the database benchmarks: one table of the program's usual
// column kinds, the values each row gets, and the parameterised Jet insert that writes them.
#pragma once

#include "db/ADODB.h"

#include <filesystem>
#include <string>

class TBenchDatabase {
public:
    // Creates the file and the (empty) table, with the usual columns unless others are given.
    explicit TBenchDatabase(const String& table,
                            const String& columns = "F_ID counter, F_code text(20), F_name text(50), "
                                                    "F_price currency, F_amount double, F_flag yesno, "
                                                    "F_date datetime, F_n long")
        : Table(table) {
        char pattern[] = "/tmp/orv_dbbench_XXXXXX";
        Dir = ::mkdtemp(pattern);
        File = Dir + "/wuyegl.mdb";
        TADOConnection::CreateDatabase(File, "pw");
        TADOConnection cnn;
        cnn.SetConnectionString(ConnectionString());
        cnn.Execute("create table " + Table + " (" + columns + ")");
    }
    ~TBenchDatabase() { std::filesystem::remove_all(Dir); }
    TBenchDatabase(const TBenchDatabase&) = delete;
    TBenchDatabase& operator=(const TBenchDatabase&) = delete;

    String ConnectionString() const {
        return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + File + ";Jet OLEDB:Database Password=pw";
    }
    String InsertSql() const {
        return "insert into " + Table +
               " (F_code, F_name, F_price, F_amount, F_flag, F_date, F_n) "
               "values (:c, :n, :p, :a, :f, :d, :i)";
    }

    // The values of row i.
    static String Code(int i) { return "C" + std::to_string(i); }
    static String Name(int i) { return "Name of house " + std::to_string(i % 977); }
    static double Price(int i) { return 12.5 + i % 100; }
    static double Amount(int i) { return i * 0.25; }
    static bool Flag(int i) { return i % 3 == 0; }
    static String Day(int i) {
        return String("2026-03-") + (i % 28 < 9 ? "0" : "") + std::to_string(i % 28 + 1);
    }

    // Runs the insert (a command on InsertSql) for rows 0 .. count-1.
    static void InsertRows(TADOCommand& cmd, int count) {
        TParameters& p = *cmd.Parameters();
        for (int i = 0; i < count; ++i) {
            p.ParamByName("c")->SetValue(Code(i));
            p.ParamByName("n")->SetValue(Name(i));
            p.ParamByName("p")->SetValue(Price(i));
            p.ParamByName("a")->SetValue(Amount(i));
            p.ParamByName("f")->SetValue(Flag(i));
            p.ParamByName("d")->SetValue(Day(i));
            p.ParamByName("i")->SetValue(i);
            cmd.Execute();
        }
    }

    String Table, Dir, File;
};
