// The program's start loads only what the login and the main window need: the libraries that
// write and read workbooks and the print service's library are loaded when a workbook or a
// printer is first used, so they cost neither time nor memory at every start.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#ifdef ORV_PROGRAM

TEST(StartLibraries, TheWorkbookAndPrintLibrariesAreNotLoadedAtStart) {
    // The loader lists what it would load for the program, and runs nothing of it.
    const std::string command = "LD_TRACE_LOADED_OBJECTS=1 '" + std::string(ORV_PROGRAM) + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string listed;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        listed += buffer;
    ASSERT_EQ(pclose(pipe), 0) << listed;
    ASSERT_NE(listed.find("libQt6Widgets"), std::string::npos) << listed; // the list is the loader's
    for (const char* library : {"libxlsxwriter", "libfreexl", "libcrypto", "libcups"})
        EXPECT_EQ(listed.find(library), std::string::npos) << library << " in\n" << listed;
}

#endif
