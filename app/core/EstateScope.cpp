#include "app/core/EstateScope.h"

#include "rtl/StrUtils.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The position after the blanks from pos on.
size_t SkipBlanks(const String& s, size_t pos) {
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
    return pos;
}

// The joined "in" list of the names, or "" when there is none.
String InList(const String& operXQList) {
    return FormatXQList(ParseXQList(operXQList));
}

} // namespace

std::vector<String> ParseXQList(const String& list) {
    std::vector<String> names;
    size_t pos = 0;
    while (true) {
        pos = SkipBlanks(list, pos);
        if (pos >= list.size()) break;
        String name;
        if (list[pos] == '\'') {
            ++pos;
            while (pos < list.size()) {
                char c = list[pos];
                if (c == '\'') {
                    if (pos + 1 < list.size() && list[pos + 1] == '\'') {
                        name += '\'';
                        pos += 2;
                        continue;
                    }
                    // A closing quote ends the item only before a comma or the end of the list.
                    size_t after = SkipBlanks(list, pos + 1);
                    if (after >= list.size() || list[after] == ',') {
                        pos = after;
                        break;
                    }
                    name += '\'';
                    ++pos;
                    continue;
                }
                name += c;
                ++pos;
            }
        } else {
            size_t comma = list.find(',', pos);
            if (comma == String::npos) comma = list.size();
            name = Trim(list.substr(pos, comma - pos));
            pos = comma;
        }
        if (!name.empty()) names.push_back(name);
        if (pos < list.size() && list[pos] == ',') ++pos;
    }
    return names;
}

String FormatXQList(const std::vector<String>& names) {
    String result;
    for (const String& name : names) {
        if (!result.empty()) result += ',';
        result += QuotedStr(name);
    }
    return result;
}

String BuildXQScopeSQL(const String& operXQList, const String& qualifier) {
    const String field = qualifier + "F_XQname";
    const String in = InList(operXQList);
    const String listed = in.empty() ? String("1=0") : field + " in (" + in + ")";
    return "and ((" + listed + ")Or(" + field + " = '')or(" + field + " is Null)) ";
}

String BuildXQNameScopeSQL(const String& operXQList) {
    const String in = InList(operXQList);
    if (in.empty()) return "and (1=0)";
    return "and (F_name in (" + in + "))";
}
