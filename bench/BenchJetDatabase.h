// A password-protected database file in a new temporary folder for a benchmark, opened on the
// given connection. The caller removes the folder it returns when the run ends.
#pragma once

#include "db/ADODB.h"

#include <stdlib.h>

inline String OpenBenchJetDatabase(const char* prefix, TADOConnection& cnn) {
    String pattern = String("/tmp/") + prefix + "_XXXXXX";
    const String dir = ::mkdtemp(pattern.data());
    const String file = dir + "/wuyegl.mdb";
    TADOConnection::CreateDatabase(file, "pw");
    cnn.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file +
                            ";Jet OLEDB:Database Password=pw");
    cnn.Open();
    return dir;
}
