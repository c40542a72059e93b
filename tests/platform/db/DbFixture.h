// A database in a temporary folder for one test: made with its password, opened through a Jet
// connection string, with helpers to run statements and read a result as text.
#pragma once

#include "db/ADODB.h"
#include "db/SqliteDatabase.h"
#include "TempDir.h"
#include "rtl/FileUtils.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <memory>

inline String ConnectionStringFor(const String& file, const String& password) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file +
           ";Persist Security Info=True;Jet OLEDB:Database Password=" + password;
}

class DbTest : public ::testing::Test {
protected:
    void SetUp() override {
        FileName = Dir.File("wuyegl.mdb");
        TADOConnection::CreateDatabase(FileName, "tomervalix");
        Cnn = std::make_unique<TADOConnection>();
        Cnn->SetConnectionString(ConnectionStringFor(FileName, "tomervalix"));
        Cnn->Open();
    }

    void Run(const String& sql) { Cnn->Execute(sql); }

    std::unique_ptr<TADOQuery> Query(const String& sql, TADOLockType lock = ltOptimistic) {
        auto q = std::make_unique<TADOQuery>();
        q->SetConnection(Cnn.get());
        q->SetLockType(lock);
        q->SQL()->SetText(sql);
        return q;
    }

    // Rows as "a,b;c,d" (fields' AsString, Null as "null").
    String Rows(const String& sql) {
        auto q = Query(sql);
        q->Open();
        String out;
        for (q->First(); !q->Eof(); q->Next()) {
            if (!out.empty()) out += ";";
            for (int i = 0; i < q->FieldCount(); ++i) {
                if (i) out += ",";
                TField* f = q->Fields()[i];
                out += f->IsNull() ? String("null") : f->AsString();
            }
        }
        return out;
    }

    TempDir Dir;
    String FileName;
    std::unique_ptr<TADOConnection> Cnn;
};
