// A list or save statement of the registers with its named parameters: typed values always go in
// as parameters, never into the statement's text.
#pragma once

#include "rtl/Types.h"
#include "rtl/Variant.h"

#include <utility>
#include <vector>

class TADOQuery;

struct TSqlStatement {
    String Text;
    std::vector<std::pair<String, Variant>> Params;

    TSqlStatement& Add(const String& text) {
        Text += text;
        return *this;
    }
    // A parameter that is not yet in the statement: "p1", "p2" ... in the order asked.
    String NewParam(const Variant& value);
    TSqlStatement& Param(const String& name, const Variant& value);
};

// Puts the statement and its parameters into the query (closed first).
void SetStatement(TADOQuery* query, const TSqlStatement& statement);
// Opens the statement as dmData->OpenSQL does: a failure shows "打开操作失败，请检查数据连接... ",
// leaves the query closed and answers false.
bool OpenStatement(TADOQuery* query, const TSqlStatement& statement);
// Runs a statement inside a save; errors reach the caller. Returns the rows it changed.
int ExecStatement(TADOQuery* query, const TSqlStatement& statement);
