#include "rtl/EditMask.h"

#include <cctype>

bool IsMaskClassChar(char C) {
    switch (C) {
    case '0':
    case '9':
    case '#':
    case 'L':
    case 'l':
    case 'A':
    case 'a':
    case 'C':
    case 'c':
    case '&':
        return true;
    default:
        return false;
    }
}

TEditMaskInfo ReadEditMask(const String& EditMask) {
    TEditMaskInfo info;
    String mask = EditMask;
    // The sections after the picture: ";0" drops literals from the value, a third one is the blank.
    const size_t s1 = mask.find(';');
    if (s1 != String::npos) {
        String rest = mask.substr(s1 + 1);
        mask.erase(s1);
        const size_t s2 = rest.find(';');
        info.KeepLiterals = rest.substr(0, s2) != "0";
        if (s2 != String::npos && s2 + 1 < rest.size()) info.Blank = rest[s2 + 1];
    }
    info.Picture = mask;
    int caseMode = 0;
    for (size_t i = 0; i < mask.size(); ++i) {
        const char m = mask[i];
        TEditMaskInfo::TSlot slot;
        switch (m) {
        case '>':
            caseMode = 1;
            continue;
        case '<':
            if (i + 1 < mask.size() && mask[i + 1] == '>') {
                caseMode = 0;
                ++i;
            } else {
                caseMode = -1;
            }
            continue;
        case '!':
            continue;
        case '\\':
            if (i + 1 >= mask.size()) continue;
            slot.Literal = mask[++i];
            break;
        default:
            if (IsMaskClassChar(m)) {
                slot.Kind = m;
                slot.Case = caseMode;
            } else {
                slot.Literal = m;
            }
            break;
        }
        info.Slots.push_back(slot);
    }
    return info;
}

String FormatMaskText(const String& EditMask, const String& Value) {
    const TEditMaskInfo info = ReadEditMask(EditMask);
    String result;
    size_t v = 0;
    for (const TEditMaskInfo::TSlot& slot : info.Slots) {
        if (slot.Kind == 0) {
            result += slot.Literal;
            if (info.KeepLiterals && v < Value.size() && Value[v] == slot.Literal) ++v;
            continue;
        }
        char ch = v < Value.size() ? Value[v++] : info.Blank;
        if (slot.Case > 0) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (slot.Case < 0) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        result += ch;
    }
    return result;
}
