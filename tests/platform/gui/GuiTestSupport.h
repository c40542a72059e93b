// Helpers of the windowing layer's tests: temporary files and the independent readers (Pillow,
// small Python scripts) that check what the layer writes.
#pragma once

#include "rtl/Types.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

// A fresh folder under the system's temporary folder, removed with the object.
class TTempDir {
public:
    TTempDir() {
        auto base = std::filesystem::temp_directory_path();
        for (int i = 0;; ++i) {
            FPath = base / ("orv_gui_test_" + std::to_string(::getpid()) + "_" + std::to_string(i));
            if (std::filesystem::create_directory(FPath)) break;
        }
    }
    ~TTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    String File(const String& name) const { return (FPath / name).string(); }

private:
    std::filesystem::path FPath;
};

// The Python interpreter that has the system's packages (Pillow), or "" when there is none.
inline String SystemPython() {
    for (const char* p : {"/usr/bin/python3", "/usr/local/bin/python3"})
        if (std::filesystem::exists(p)) return p;
    return String();
}

// Runs a Python script and returns what it printed; ok is false when it failed.
inline String RunPython(const String& script, bool& ok) {
    ok = false;
    String python = SystemPython();
    if (python.empty()) return String();
    TTempDir dir;
    String file = dir.File("check.py");
    if (FILE* f = std::fopen(file.c_str(), "w")) {
        std::fputs(script.c_str(), f);
        std::fclose(f);
    }
    String out;
    FILE* p = popen((python + " " + file + " 2>&1").c_str(), "r");
    if (!p) return out;
    char buf[512];
    while (std::fgets(buf, sizeof buf, p))
        out += buf;
    ok = pclose(p) == 0;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

inline bool HasPillow() {
    bool ok = false;
    RunPython("import PIL\n", ok);
    return ok;
}
