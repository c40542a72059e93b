#include "app/registers/RegisterStatement.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "rtl/Format.h"

String TSqlStatement::NewParam(const Variant& value) {
    const String name = "p" + IntToStr(static_cast<int>(Params.size()) + 1);
    Params.emplace_back(name, value);
    return name;
}

TSqlStatement& TSqlStatement::Param(const String& name, const Variant& value) {
    Params.emplace_back(name, value);
    return *this;
}

void SetStatement(TADOQuery* query, const TSqlStatement& statement) {
    query->Close();
    query->SQL()->SetText(statement.Text);
    for (const auto& [name, value] : statement.Params)
        query->Parameters()->ParamByName(name)->SetValue(value);
}

bool OpenStatement(TADOQuery* query, const TSqlStatement& statement) {
    try {
        if (!query->Connection()->Connected()) query->Connection()->Open();
        SetStatement(query, statement);
        query->Open();
        return true;
    } catch (const Exception&) {
        query->Close();
        ShowMess(MsgOpenFailed, 3);
        return false;
    }
}

int ExecStatement(TADOQuery* query, const TSqlStatement& statement) {
    SetStatement(query, statement);
    query->ExecSQL();
    const int rows = query->RowsAffected();
    query->Close();
    query->SQL()->Clear();
    return rows;
}
