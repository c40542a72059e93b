#include "rtl/IniDocument.h"

#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

namespace {

enum class TLineKind { Blank, Comment, Section, Key, Other };

struct TLineInfo {
    TLineKind kind;
    String name;  // section or key name
    String value; // key value
};

TLineInfo Classify(const String& line) {
    const String t = Trim(line);
    if (t.empty()) return {TLineKind::Blank, {}, {}};
    if (t[0] == ';' || t[0] == '#') return {TLineKind::Comment, {}, {}};
    if (t[0] == '[') {
        const auto close = t.rfind(']');
        const String name = close == String::npos || close == 0 ? t.substr(1) : t.substr(1, close - 1);
        return {TLineKind::Section, Trim(name), {}};
    }
    const auto eq = t.find('=');
    if (eq == String::npos) return {TLineKind::Other, {}, {}};
    return {TLineKind::Key, Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

String OneLine(const String& value) {
    String r = value;
    for (char& c : r)
        if (c == '\r' || c == '\n') c = ' ';
    return r;
}

} // namespace

void TIniDocument::LoadBytes(const std::string& bytes) {
    std::string text = bytes;
    // Only the first mark is the file's: a second one belongs to the first line and is kept there.
    FBom = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (FBom) text.erase(0, 3);
    if (!IsValidUtf8(text)) text = Utf8FromAnsi(text);
    FLines.clear();
    FCrLf = text.find('\n') == String::npos || text.find("\r\n") != String::npos;
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n')
            ++i;
        FLines.push_back(text.substr(start, i - start));
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
    }
}

void TIniDocument::SetLines(std::vector<String> lines) {
    FLines = std::move(lines);
}

std::string TIniDocument::SaveBytes() const {
    const char* brk = FCrLf ? "\r\n" : "\n";
    std::string r = FBom ? "\xEF\xBB\xBF" : "";
    for (const auto& line : FLines) {
        r += line;
        r += brk;
    }
    return r;
}

long TIniDocument::FindSection(const String& section) const {
    const String name = Trim(section);
    for (size_t i = 0; i < FLines.size(); ++i) {
        const String& line = FLines[i];
        // Cheap test first: only lines holding '[' can be headers.
        if (line.find('[') == String::npos) continue;
        const TLineInfo info = Classify(line);
        if (info.kind == TLineKind::Section && AnsiSameText(info.name, name)) return static_cast<long>(i);
    }
    return -1;
}

size_t TIniDocument::SectionEnd(size_t header) const {
    for (size_t i = header + 1; i < FLines.size(); ++i)
        if (FLines[i].find('[') != String::npos && Classify(FLines[i]).kind == TLineKind::Section) return i;
    return FLines.size();
}

long TIniDocument::FindKey(size_t header, const String& key) const {
    const String name = Trim(key);
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        const TLineInfo info = Classify(FLines[i]);
        if (info.kind == TLineKind::Key && AnsiSameText(info.name, name)) return static_cast<long>(i);
    }
    return -1;
}

bool TIniDocument::HasSection(const String& section) const {
    return FindSection(section) >= 0;
}

bool TIniDocument::HasKey(const String& section, const String& key) const {
    const long header = FindSection(section);
    return header >= 0 && FindKey(static_cast<size_t>(header), key) >= 0;
}

bool TIniDocument::Read(const String& section, const String& key, String& value) const {
    const long header = FindSection(section);
    if (header < 0) return false;
    const long line = FindKey(static_cast<size_t>(header), key);
    if (line < 0) return false;
    value = Classify(FLines[static_cast<size_t>(line)]).value;
    return true;
}

void TIniDocument::Write(const String& section, const String& key, const String& value) {
    const String keyName = Trim(OneLine(key));
    const String text = OneLine(value);
    long header = FindSection(section);
    if (header < 0) {
        AddSection(section);
        FLines.push_back(keyName + "=" + text);
        return;
    }
    const long line = FindKey(static_cast<size_t>(header), keyName);
    if (line >= 0) {
        // The key keeps the spelling it has in the file.
        const String existing = Classify(FLines[static_cast<size_t>(line)]).name;
        FLines[static_cast<size_t>(line)] = existing + "=" + text;
        return;
    }
    // After the section's last key (or right after its header), so trailing blank lines and
    // comments that introduce the next section stay where they are.
    size_t insertAt = static_cast<size_t>(header) + 1;
    const size_t end = SectionEnd(static_cast<size_t>(header));
    for (size_t i = insertAt; i < end; ++i) {
        const TLineKind kind = Classify(FLines[i]).kind;
        if (kind == TLineKind::Key || kind == TLineKind::Other) insertAt = i + 1;
    }
    FLines.insert(FLines.begin() + static_cast<long>(insertAt), keyName + "=" + text);
}

void TIniDocument::AddSection(const String& section) {
    if (FindSection(section) >= 0) return;
    if (!FLines.empty() && !Trim(FLines.back()).empty()) FLines.emplace_back();
    FLines.push_back("[" + Trim(OneLine(section)) + "]");
}

bool TIniDocument::DeleteKey(const String& section, const String& key) {
    const long header = FindSection(section);
    if (header < 0) return false;
    const long line = FindKey(static_cast<size_t>(header), key);
    if (line < 0) return false;
    FLines.erase(FLines.begin() + line);
    return true;
}

void TIniDocument::EraseSection(const String& section) {
    for (long header = FindSection(section); header >= 0; header = FindSection(section)) {
        const size_t end = SectionEnd(static_cast<size_t>(header));
        FLines.erase(FLines.begin() + header, FLines.begin() + static_cast<long>(end));
    }
}

std::vector<String> TIniDocument::SectionNames() const {
    std::vector<String> names;
    for (const auto& line : FLines) {
        if (line.find('[') == String::npos) continue;
        const TLineInfo info = Classify(line);
        if (info.kind != TLineKind::Section) continue;
        bool seen = false;
        for (const auto& n : names)
            if (AnsiSameText(n, info.name)) {
                seen = true;
                break;
            }
        if (!seen) names.push_back(info.name);
    }
    return names;
}

std::vector<String> TIniDocument::KeyNames(const String& section) const {
    std::vector<String> names;
    for (auto& kv : KeyValues(section))
        names.push_back(std::move(kv.first));
    return names;
}

std::vector<std::pair<String, String>> TIniDocument::KeyValues(const String& section) const {
    std::vector<std::pair<String, String>> result;
    const long header = FindSection(section);
    if (header < 0) return result;
    const size_t end = SectionEnd(static_cast<size_t>(header));
    for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
        TLineInfo info = Classify(FLines[i]);
        if (info.kind == TLineKind::Key) result.emplace_back(std::move(info.name), std::move(info.value));
    }
    return result;
}
