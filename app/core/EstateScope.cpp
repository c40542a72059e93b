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

// The length of the separator at pos: 1 for ",", 3 for the full-width "，" typed with Chinese
// input, 0 for none.
size_t SeparatorAt(const String& s, size_t pos) {
    static const String fullWidthComma = "，";
    if (pos < s.size() && s[pos] == ',') return 1;
    if (s.compare(pos, fullWidthComma.size(), fullWidthComma) == 0) return fullWidthComma.size();
    return 0;
}

// The position of the next separator from pos on (the end when there is none).
size_t FindSeparator(const String& s, size_t pos) {
    while (pos < s.size() && SeparatorAt(s, pos) == 0)
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
                    if (after >= list.size() || SeparatorAt(list, after) > 0) {
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
            const size_t comma = FindSeparator(list, pos);
            name = Trim(list.substr(pos, comma - pos));
            pos = comma;
        }
        if (!name.empty()) names.push_back(name);
        pos += SeparatorAt(list, pos);
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
