#include "gui/FontSubstitutes.h"

#include "gui/qt/QtSupport.h"
#include "rtl/StrUtils.h"

#include <QFontDatabase>

#include <algorithm>
#include <cctype>

namespace {

const char* const ChineseFace = "WenQuanYi Micro Hei";
const char* const SansFace = "Liberation Sans";
const char* const SerifFace = "Liberation Serif";
const char* const MonoFace = "Liberation Mono";

} // namespace

const std::vector<std::pair<String, String>>& FontSubstitutionTable() {
    static const std::vector<std::pair<String, String>> table = {
        {"宋体", ChineseFace},
        {"SimSun", ChineseFace},
        {"新宋体", ChineseFace},
        {"NSimSun", ChineseFace},
        {"黑体", ChineseFace},
        {"SimHei", ChineseFace},
        {"仿宋", ChineseFace},
        {"仿宋_GB2312", ChineseFace},
        {"FangSong", ChineseFace},
        {"楷体", ChineseFace},
        {"楷体_GB2312", ChineseFace},
        {"KaiTi", ChineseFace},
        {"隶书", ChineseFace},
        {"幼圆", ChineseFace},
        {"微软雅黑", ChineseFace},
        {"Microsoft YaHei", ChineseFace},
        {"Arial", SansFace},
        {"Tahoma", SansFace},
        {"MS Sans Serif", SansFace},
        {"Microsoft Sans Serif", SansFace},
        {"MS Shell Dlg", SansFace},
        {"MS Shell Dlg 2", SansFace},
        {"Verdana", SansFace},
        {"System", SansFace},
        {"Small Fonts", SansFace},
        {"Segoe UI", SansFace},
        {"Helvetica", SansFace},
        {"Arial Narrow", "Liberation Sans Narrow"},
        {"Times New Roman", SerifFace},
        {"MS Serif", SerifFace},
        {"Times", SerifFace},
        {"Georgia", SerifFace},
        {"Courier New", MonoFace},
        {"Courier", MonoFace},
        {"Fixedsys", MonoFace},
        {"Terminal", MonoFace},
        {"Lucida Console", MonoFace},
        {"Consolas", MonoFace},
        {"Wingdings", ChineseFace},
    };
    return table;
}

bool IsSymbolFontName(const String& name) {
    return LowerCase(name) == "wingdings";
}

String SubstituteFontName(const String& name) {
    String key = LowerCase(name);
    for (const auto& [from, to] : FontSubstitutionTable())
        if (LowerCase(from) == key) return to;
    if (!name.empty()) {
        EnsureQtApp();
        if (QFontDatabase::hasFamily(QString::fromStdString(name))) return name;
    }
    return SansFace;
}
