// TRegistryIniFile: ini-file reads and writes on keys of the registry stand-in.
#include "rtl/Registry.h"

#include "rtl/Format.h"
#include "rtl/StringList.h"

TRegistryIniFile::TRegistryIniFile(const String& fileName, HKEY rootKey)
    : TCustomIniFile(fileName), FRootKey(rootKey) {}

bool TRegistryIniFile::OpenSection(TRegistry& registry, const String& section, bool canCreate) const {
    registry.SetRootKey(FRootKey);
    String path = FFileName;
    if (path.empty() || path[0] != '\\') path = "\\" + path;
    if (!section.empty()) path += "\\" + section;
    return canCreate ? registry.OpenKey(path, true) : registry.OpenKeyReadOnly(path);
}

String TRegistryIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
    TRegistry registry;
    if (!OpenSection(registry, section, false)) return defaultValue;
    switch (registry.GetDataType(ident)) {
    case TRegDataType::rdString:
        return registry.ReadString(ident);
    case TRegDataType::rdInteger:
        return IntToStr(registry.ReadInteger(ident));
    default:
        return defaultValue;
    }
}

void TRegistryIniFile::WriteString(const String& section, const String& ident, const String& value) {
    TRegistry registry;
    OpenSection(registry, section, true);
    registry.WriteString(ident, value);
}

void TRegistryIniFile::ReadSection(const String& section, TStrings& strings) {
    strings.Clear();
    TRegistry registry;
    if (OpenSection(registry, section, false)) registry.GetValueNames(strings);
}

void TRegistryIniFile::ReadSections(TStrings& strings) {
    strings.Clear();
    TRegistry registry;
    if (OpenSection(registry, String(), false)) registry.GetKeyNames(strings);
}

void TRegistryIniFile::ReadSectionValues(const String& section, TStrings& strings) {
    strings.Clear();
    TStringList names;
    ReadSection(section, names);
    for (int i = 0; i < names.Count(); ++i)
        strings.Add(names.Strings(i) + "=" + ReadString(section, names.Strings(i), String()));
}

void TRegistryIniFile::EraseSection(const String& section) {
    TRegistry registry;
    if (OpenSection(registry, String(), false)) registry.DeleteKey(section);
}

void TRegistryIniFile::DeleteKey(const String& section, const String& ident) {
    TRegistry registry;
    if (OpenSection(registry, section, false)) registry.DeleteValue(ident);
}

bool TRegistryIniFile::ValueExists(const String& section, const String& ident) {
    TRegistry registry;
    return OpenSection(registry, section, false) && registry.ValueExists(ident);
}
