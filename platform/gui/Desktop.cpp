#include "gui/Desktop.h"

#include "gui/qt/QtSupport.h"
#include "rtl/FileUtils.h"

#include <QProcess>
#include <QStringList>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

bool StartDetached(const String& program, const std::vector<String>& args) {
    if (program.empty()) return false;
    QStringList list;
    for (const auto& a : args)
        list << ToQString(a);
    return QProcess::startDetached(ToQString(program), list);
}

bool IsUrl(const String& s) {
    auto colon = s.find(':');
    // "C:\..." is a drive, not a scheme.
    return colon != String::npos && colon > 1 && s.find_first_of("/\\") > colon;
}

} // namespace

const std::vector<String>& CalculatorPrograms() {
    static const std::vector<String> programs = {"gnome-calculator", "kcalc",         "galculator",
                                                 "mate-calc",        "qalculate-gtk", "xcalc"};
    return programs;
}

const std::vector<String>& TextEditorPrograms() {
    // Editors with a window of their own; a terminal editor would need a terminal to show it.
    static const std::vector<String> programs = {
        "gedit", "gnome-text-editor", "mousepad", "kate", "kwrite", "xed", "pluma", "leafpad", "featherpad"};
    return programs;
}

String FindProgram(const std::vector<String>& candidates) {
    const char* path = std::getenv("PATH");
    if (!path) return String();
    std::vector<String> dirs;
    std::stringstream ss(path);
    String dir;
    while (std::getline(ss, dir, ':'))
        if (!dir.empty()) dirs.push_back(dir);
    for (const auto& name : candidates)
        for (const auto& d : dirs) {
            std::filesystem::path p = std::filesystem::path(d) / name;
            std::error_code ec;
            auto st = std::filesystem::status(p, ec);
            if (!ec && std::filesystem::is_regular_file(st) &&
                (st.permissions() & std::filesystem::perms::others_exec) != std::filesystem::perms::none)
                return p.string();
            if (!ec && std::filesystem::is_regular_file(st) &&
                (st.permissions() & std::filesystem::perms::owner_exec) != std::filesystem::perms::none)
                return p.string();
        }
    return String();
}

bool ShellOpen(const String& target) {
    if (target.empty()) return false;
    String opener = FindProgram({"xdg-open"});
    if (opener.empty()) return false;
    String what = IsUrl(target) ? target : NormalizePath(target);
    if (!IsUrl(target) && !FileExists(what) && !DirectoryExists(what)) return false;
    return StartDetached(opener, {what});
}

bool StartCalculator() {
    return StartDetached(FindProgram(CalculatorPrograms()), {});
}

bool StartTextEditor(const String& fileName) {
    String editor = FindProgram(TextEditorPrograms());
    if (editor.empty()) return false;
    if (fileName.empty()) return StartDetached(editor, {});
    return StartDetached(editor, {NormalizePath(fileName)});
}
