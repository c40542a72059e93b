#include "app/fees/FeeTables.h"

#include "app/registers/RegisterStatement.h"

#include "app/core/DataDm.h"

#include "db/ADODB.h"

#include <functional>

namespace {

// Opens the statement and hands its first row's first field to read; false when there is no
// value (no row, Null, or a failed read, whose message OpenStatement has shown).
bool ReadFirst(const TSqlStatement& statement, const std::function<void(TField*)>& read) {
    TADOQuery query(nullptr);
    query.SetConnection(dmData->ADOcnn());
    if (!OpenStatement(&query, statement) || query.IsEmpty()) return false;
    TField* field = query.Fields()[0];
    if (field->IsNull()) return false;
    read(field);
    return true;
}

Currency FirstMoney(const TSqlStatement& statement) {
    Currency value;
    ReadFirst(statement, [&](TField* field) { value = field->AsCurrency(); });
    return value;
}

} // namespace

double PreviousReading(int houseId, const String& method, const String& item) {
    TSqlStatement statement;
    statement
        .Add("select max(F_Eamount) from T_wyFYrec where F_mainID = :id and F_SFtype = :method "
             "and F_SFname = :item ")
        .Param("id", houseId)
        .Param("method", method)
        .Param("item", item);
    double value = 0;
    ReadFirst(statement, [&](TField* field) { value = field->AsFloat(); });
    return value;
}

Currency PrepaymentBalance(int houseId) {
    TSqlStatement statement;
    statement.Add("select sum(F_price * F_operFlag) as F_price from T_YSKrec where F_mainID = :id ")
        .Param("id", houseId);
    return FirstMoney(statement);
}

Currency FeeItemPrice(const String& method, const String& item) {
    TSqlStatement statement;
    statement.Add("select F_SFprice from T_FYinfo where F_SFtype = :method and F_name = :item ")
        .Param("method", method)
        .Param("item", item);
    return FirstMoney(statement);
}
