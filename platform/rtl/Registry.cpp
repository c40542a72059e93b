#include "rtl/Registry.h"

#include "rtl/FileUtils.h"
#include "rtl/IniDocument.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

std::mutex& StorageMutex() {
    static std::mutex m;
    return m;
}

String& StorageOverride() {
    static String file;
    return file;
}

String RootName(HKEY key) {
    switch (key) {
    case HKEY_CLASSES_ROOT:
        return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER:
        return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE:
        return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS:
        return "HKEY_USERS";
    case HKEY_CURRENT_CONFIG:
        return "HKEY_CURRENT_CONFIG";
    default:
        return "HKEY_" + std::to_string(key);
    }
}

// "\"-separated path without empty parts.
String CleanPath(const String& path) {
    String r;
    for (const auto& part : SplitString(path, "\\")) {
        if (part.empty()) continue;
        if (!r.empty()) r += '\\';
        r += part;
    }
    return r;
}

// Value names in the file: characters the ini syntax would misread are written %XX; the
// default (unnamed) value is "@".
String EncodeName(const String& name) {
    if (name.empty()) return "@";
    String r;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool edge = i == 0 || i + 1 == name.size();
        const bool first = i == 0;
        if (c == '%' || c == '=' || c == '\r' || c == '\n' ||
            (edge && static_cast<unsigned char>(c) <= ' ') ||
            (first && (c == ';' || c == '#' || c == '[' || (c == '@' && name.size() == 1)))) {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", static_cast<unsigned char>(c));
            r += buf;
        } else {
            r += c;
        }
    }
    return r;
}

String DecodeName(const String& text) {
    if (text == "@") return String();
    String r;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            r += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
            continue;
        }
        r += text[i];
    }
    return r;
}

// A string value: quoted, with backslash, quote and line breaks escaped, so it stays one line and
// keeps blanks at its ends.
String QuoteString(const String& s) {
    String r = "\"";
    for (char c : s) {
        if (c == '\r') {
            r += "\\r";
        } else if (c == '\n') {
            r += "\\n";
        } else {
            if (c == '"' || c == '\\') r += '\\';
            r += c;
        }
    }
    return r + "\"";
}

bool ParseValue(const String& raw, TRegDataType& type, String& text, Integer& number) {
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"') {
        text.clear();
        for (size_t i = 1; i + 1 < raw.size(); ++i) {
            char c = raw[i];
            if (c == '\\' && i + 2 < raw.size()) {
                c = raw[++i];
                if (c == 'r') c = '\r';
                if (c == 'n') c = '\n';
            }
            text += c;
        }
        type = TRegDataType::rdString;
        return true;
    }
    if (StartsText("dword:", raw)) {
        char* end = nullptr;
        const unsigned long v = std::strtoul(raw.c_str() + 6, &end, 16);
        if (end && *end == '\0' && raw.size() > 6) {
            number = static_cast<Integer>(static_cast<std::uint32_t>(v));
            type = TRegDataType::rdInteger;
            return true;
        }
    }
    // Anything else (written by hand) reads as a string.
    text = raw;
    type = TRegDataType::rdString;
    return true;
}

TIniDocument LoadDocument(const String& file) {
    TIniDocument doc;
    std::string bytes;
    if (LoadFileBytes(file, bytes)) doc.LoadBytes(bytes);
    return doc;
}

// Runs one read-modify-write of the storage file under the folder's lock; change returns whether
// it changed the document. False when the file could not be written.
template <typename F> bool ChangeStorage(F&& change) {
    const String file = TRegistry::StorageFile();
    const String folder = ExtractFileDir(file);
    if (!ForceDirectories(folder)) return false;
    TFolderLock lock(folder);
    TIniDocument doc = LoadDocument(file);
    if (!change(doc)) return true;
    return SaveFileAtomic(file, doc.SaveBytes());
}

} // namespace

String TRegistry::StorageFile() {
    {
        std::lock_guard<std::mutex> lock(StorageMutex());
        if (!StorageOverride().empty()) return StorageOverride();
    }
    return UserConfigFolder() + "registry.ini";
}

void TRegistry::SetStorageFile(const String& fileName) {
    std::lock_guard<std::mutex> lock(StorageMutex());
    StorageOverride() = fileName;
}

void TRegistry::SetRootKey(HKEY key) {
    if (key == FRootKey) return;
    CloseKey();
    FRootKey = key;
}

String TRegistry::Section(const String& path) const {
    return path.empty() ? RootName(FRootKey) : RootName(FRootKey) + "\\" + path;
}

String TRegistry::ResolvePath(const String& key) const {
    const bool absolute = !key.empty() && key[0] == '\\';
    if (absolute || !FOpen || FCurrentPath.empty()) return CleanPath(key);
    return CleanPath(FCurrentPath + "\\" + key);
}

bool TRegistry::KeyExistsIn(const TIniDocument& doc, const String& path) const {
    const String section = Section(path);
    if (path.empty() || doc.HasSection(section)) return true;
    // A key that only has sub-keys exists too.
    const String prefix = AnsiUpperCase(section + "\\");
    for (const auto& name : doc.SectionNames())
        if (AnsiUpperCase(name).compare(0, prefix.size(), prefix) == 0) return true;
    return false;
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
    const String path = ResolvePath(key);
    bool exists = KeyExistsIn(LoadDocument(StorageFile()), path);
    if (!exists) {
        if (!canCreate) return false;
        exists = ChangeStorage([&](TIniDocument& doc) {
            if (KeyExistsIn(doc, path)) return false;
            doc.AddSection(Section(path));
            return true;
        });
        if (!exists) return false;
    }
    FCurrentPath = path;
    FOpen = true;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
    if (!OpenKey(key, false)) return false;
    FReadOnly = true;
    return true;
}

void TRegistry::CloseKey() {
    FCurrentPath.clear();
    FOpen = false;
    FReadOnly = false;
}

bool TRegistry::KeyExists(const String& key) {
    return KeyExistsIn(LoadDocument(StorageFile()), ResolvePath(key));
}

bool TRegistry::HasSubKeys() {
    TStringList names;
    GetKeyNames(names);
    return names.Count() > 0;
}

bool TRegistry::DeleteKey(const String& key) {
    const String path = ResolvePath(key);
    if (path.empty()) return false;
    bool existed = false;
    const bool written = ChangeStorage([&](TIniDocument& doc) {
        if (!KeyExistsIn(doc, path)) return false;
        existed = true;
        const String section = Section(path);
        const String prefix = AnsiUpperCase(section + "\\");
        for (const auto& name : doc.SectionNames())
            if (AnsiSameText(name, section) || AnsiUpperCase(name).compare(0, prefix.size(), prefix) == 0)
                doc.EraseSection(name);
        return true;
    });
    // The open key goes when it was deleted itself or with a parent.
    const String upperCurrent = AnsiUpperCase(FCurrentPath + "\\");
    if (existed && written && FOpen &&
        upperCurrent.compare(0, path.size() + 1, AnsiUpperCase(path + "\\")) == 0)
        CloseKey();
    return existed && written;
}

void TRegistry::GetKeyNames(TStrings& strings) {
    strings.Clear();
    if (!FOpen) return;
    const String prefix = Section(FCurrentPath) + "\\";
    const String upperPrefix = AnsiUpperCase(prefix);
    TStringList seen;
    seen.SetSorted(true);
    for (const auto& name : LoadDocument(StorageFile()).SectionNames()) {
        if (AnsiUpperCase(name).compare(0, upperPrefix.size(), upperPrefix) != 0) continue;
        String child = name.substr(prefix.size());
        const auto sep = child.find('\\');
        if (sep != String::npos) child.erase(sep);
        if (child.empty() || seen.IndexOf(child) >= 0) continue;
        seen.Add(child);
        strings.Add(child);
    }
}

void TRegistry::GetValueNames(TStrings& strings) {
    strings.Clear();
    if (!FOpen) return;
    for (const auto& key : LoadDocument(StorageFile()).KeyNames(Section(FCurrentPath)))
        strings.Add(DecodeName(key));
}

bool TRegistry::ReadRaw(const String& name, String& raw) {
    if (!FOpen) return false;
    return LoadDocument(StorageFile()).Read(Section(FCurrentPath), EncodeName(name), raw);
}

bool TRegistry::ValueExists(const String& name) {
    String raw;
    return ReadRaw(name, raw);
}

TRegDataType TRegistry::GetDataType(const String& name) {
    String raw, text;
    Integer number = 0;
    TRegDataType type = TRegDataType::rdUnknown;
    if (ReadRaw(name, raw)) ParseValue(raw, type, text, number);
    return type;
}

bool TRegistry::DeleteValue(const String& name) {
    if (!FOpen || FReadOnly) return false;
    bool existed = false;
    const bool written = ChangeStorage([&](TIniDocument& doc) {
        existed = doc.DeleteKey(Section(FCurrentPath), EncodeName(name));
        return existed;
    });
    return existed && written;
}

String TRegistry::ReadString(const String& name) {
    String raw, text;
    if (!ReadRaw(name, raw)) return String();
    TRegDataType type;
    Integer number = 0;
    ParseValue(raw, type, text, number);
    if (type != TRegDataType::rdString) throw ERegistryException("Invalid data type for '" + name + "'");
    return text;
}

Integer TRegistry::ReadInteger(const String& name) {
    String raw, text;
    if (!ReadRaw(name, raw)) throw ERegistryException("Failed to get data for '" + name + "'");
    TRegDataType type;
    Integer number = 0;
    ParseValue(raw, type, text, number);
    if (type != TRegDataType::rdInteger) throw ERegistryException("Invalid data type for '" + name + "'");
    return number;
}

bool TRegistry::ReadBool(const String& name) {
    return ReadInteger(name) != 0;
}

void TRegistry::CheckWritable(const String& name) const {
    if (!FOpen || FReadOnly) throw ERegistryException("Failed to set data for '" + name + "'");
}

void TRegistry::WriteRaw(const String& name, const String& raw) {
    CheckWritable(name);
    const bool written = ChangeStorage([&](TIniDocument& doc) {
        doc.Write(Section(FCurrentPath), EncodeName(name), raw);
        return true;
    });
    if (!written) throw ERegistryException("Failed to set data for '" + name + "'");
}

void TRegistry::WriteString(const String& name, const String& value) {
    WriteRaw(name, QuoteString(value));
}

void TRegistry::WriteInteger(const String& name, Integer value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(static_cast<std::uint32_t>(value)));
    WriteRaw(name, buf);
}

void TRegistry::WriteBool(const String& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}
