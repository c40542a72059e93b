#include "AppFixture.h"

#include "db/ADODB.h"

std::vector<String> AppFixture::Rows(const String& sql) {
    TADOQuery q;
    q.SetConnection(Dm->ADOcnn());
    q.SQL()->SetText(sql);
    q.Open();
    std::vector<String> rows;
    for (q.First(); !q.Eof(); q.Next()) {
        String row;
        for (int i = 0; i < q.FieldCount(); ++i) {
            if (i) row += '|';
            row += q.Fields()[i]->AsString();
        }
        rows.push_back(row);
    }
    return rows;
}
