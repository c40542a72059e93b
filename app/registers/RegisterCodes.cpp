#include "app/registers/RegisterCodes.h"

#include "app/core/DataDm.h"

#include "db/ADODB.h"

String DigitCounterCodeSql(const String& table, int digits) {
    String pattern = "*";
    for (int i = 0; i < digits; ++i)
        pattern += "[0-9]";
    return "select max(F_code) from " + table + " where (F_code GLOB '" + pattern +
           "' or (F_code <> '' and not F_code GLOB '*[^0-9]*'))";
}

int RowWithCode(const String& table, const String& code) {
    TADOQuery query;
    query.SetConnection(dmData->ADOcnn());
    query.SQL()->SetText("select F_ID from " + table + " where F_code = :code");
    query.Parameters()->ParamByName("code")->SetValue(code);
    query.Open();
    return query.IsEmpty() ? 0 : query.Fields()[0]->AsInteger();
}

String CodeForEdit(const String& table, int digits, const String& code, int id) {
    const int holder = RowWithCode(table, code);
    if (holder > 0 && holder != id) return dmData->NextCode(DigitCounterCodeSql(table, digits), digits);
    return code;
}

String InsertUnderFreeCode(const String& table, int digits, const String& code,
                           const TdmData::TCodeInsert& insert) {
    if (RowWithCode(table, code) > 0)
        return dmData->NextCode(DigitCounterCodeSql(table, digits), digits, insert);
    insert(code);
    return code;
}
