// Helpers of the picture codec tests: a temporary folder, files as bytes, running the independent
// readers and writers (python3 with Pillow, giflib's tools, gifsicle) and deterministic test pixels.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace codectest {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvcodecXXXXXX").string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        if (mkdtemp(buf.data())) FPath = buf.data();
    }
    ~TempFolder() {
        std::error_code ec;
        if (!FPath.empty()) std::filesystem::remove_all(FPath, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string operator/(const std::string& name) const { return (FPath / name).string(); }
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

inline std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::vector<unsigned char>& data) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs a shell command; returns its exit status and, when asked, what it printed.
inline int Run(const std::string& command, std::string* output = nullptr) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
        text.append(buf, n);
    const int status = pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The Debian python3 (which has Pillow) before whatever python3 comes first on the PATH.
inline const std::string& Python() {
    static const std::string python = [] {
        for (const char* candidate : {"/usr/bin/python3", "python3"})
            if (Run(std::string(candidate) + " -c \"import PIL\"") == 0) return std::string(candidate);
        return std::string();
    }();
    return python;
}

// Runs a python script in the folder; returns its exit status and output.
inline int RunPython(const TempFolder& dir, const std::string& script, std::string* output) {
    const std::string file = dir / "script.py";
    WriteText(file, script);
    return Run(Python() + " " + file + " " + dir.Path().string(), output);
}

// A small deterministic pseudo-random sequence.
class Noise {
public:
    explicit Noise(unsigned seed) : FState(seed * 2654435761u + 1) {}
    unsigned Next() {
        FState ^= FState << 13;
        FState ^= FState >> 17;
        FState ^= FState << 5;
        return FState;
    }

private:
    unsigned FState;
};

inline std::string Hex(const std::vector<unsigned char>& data) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    s.reserve(data.size() * 2);
    for (unsigned char b : data) {
        s.push_back(digits[b >> 4]);
        s.push_back(digits[b & 15]);
    }
    return s;
}

} // namespace codectest
