// Creates the default database data/wuyegl.mdb beside the program (in the folder given as the
// first argument, when there is one) from the schema built into the program, unless a database is
// there already; an existing database is never touched. run.sh runs it before the program.
#include "app/core/DefaultDatabase.h"

#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"

#include <cstdio>

int main(int argc, char** argv) {
    const String programFolder = argc > 1 ? IncludeTrailingPathDelimiter(argv[1]) : ProgramFolder();
    const String folder = programFolder + "data/";
    try {
        if (CreateDefaultDatabase(folder))
            std::printf("Created the default database %swuyegl.mdb\n", folder.c_str());
        return 0;
    } catch (const Exception& e) {
        std::fprintf(stderr, "Cannot create the default database in %s: %s\n", folder.c_str(), e.what());
        return 1;
    }
}
