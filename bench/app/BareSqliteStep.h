// The sqlite3 anchor of the list benchmarks: a query's statement stepped bare.
#pragma once

#include "rtl/Types.h"

#include <benchmark/benchmark.h>

#include <functional>

class TADOQuery;

// Steps the query's statement, as the connection translates it and with its parameters bound as
// text, on a read-only sqlite3 connection of its own, reading every column of every row on each
// iteration; `adapt` may rewrite the translated text first (for functions only the program's
// connection has). An iteration that does not see `expectedRows` rows is an error.
void RunBareSqliteStep(benchmark::State& state, TADOQuery* query, int expectedRows,
                       const std::function<String(String)>& adapt = {});
