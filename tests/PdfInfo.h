// What shell commands such as poppler's tools print, and the page sizes of a PDF file as
// poppler's pdfinfo reads them: "595x842" per page, in points rounded to whole numbers (empty
// when pdfinfo cannot run).
#pragma once

#include "CodecTestTools.h"

#include <cmath>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

// What a shell command prints (through the tests' shared command runner).
inline std::string CommandOutput(const std::string& command) {
    std::string out;
    codectest::Run(command, &out);
    return out;
}

inline std::vector<std::string> PdfPageSizes(const std::string& file, int pages) {
    std::vector<std::string> sizes;
    const std::string command = "pdfinfo -f 1 -l " + std::to_string(pages) + " '" + file + "' 2>/dev/null";
    FILE* out = ::popen(command.c_str(), "r");
    if (!out) return sizes;
    static const std::regex size(R"(Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)");
    char line[512];
    while (std::fgets(line, sizeof line, out)) {
        std::cmatch m;
        if (std::regex_search(line, m, size))
            sizes.push_back(std::to_string(std::lround(std::stod(m[1]))) + "x" +
                            std::to_string(std::lround(std::stod(m[2]))));
    }
    ::pclose(out);
    return sizes;
}
