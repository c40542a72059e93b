// TRegistry: the platform's registry class over an ini file in the user's configuration folder
// ($ORVANTA_CONFIG_HOME, else $XDG_CONFIG_HOME, else ~/.config; file "orvanta/registry.ini").
// Each key is a section named by its root and "\"-separated path ("HKEY_CURRENT_USER\Software\x");
// key and value names compare without regard to case. Strings are stored quoted ("text"),
// integers as dword:0000002a. Every call reads the file and every change is written at once.
#pragma once

#include "rtl/IniFiles.h"
#include "rtl/Object.h"
#include "rtl/SysUtils.h"

#include <cstdint>

class TStrings;
class TIniDocument;

using HKEY = std::uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

enum class TRegDataType { rdUnknown, rdString, rdInteger };

class TRegistry : public TObject {
public:
    TRegistry() = default;
    ~TRegistry() override = default;
    String ClassName() const override { return "TRegistry"; }

    // The file every TRegistry works on; SetStorageFile("") returns to the one the environment names.
    static String StorageFile();
    static void SetStorageFile(const String& fileName);

    HKEY RootKey() const { return FRootKey; }
    void SetRootKey(HKEY key); // closes the open key
    // The open key's path without the root ("Software\x"); "" when none is open.
    const String& CurrentPath() const { return FCurrentPath; }
    bool KeyOpen() const { return FOpen; }

    // A path starting with "\" is taken from the root, otherwise from the open key. False when the
    // key does not exist and may not be created.
    bool OpenKey(const String& key, bool canCreate);
    bool OpenKeyReadOnly(const String& key);
    void CloseKey();
    bool KeyExists(const String& key);
    bool HasSubKeys();
    // Deletes the key with its sub-keys and values.
    bool DeleteKey(const String& key);
    void GetKeyNames(TStrings& strings);   // sub-keys of the open key
    void GetValueNames(TStrings& strings); // values of the open key

    bool ValueExists(const String& name);
    TRegDataType GetDataType(const String& name);
    bool DeleteValue(const String& name);
    // "" when the value does not exist; raises ERegistryException "Invalid data type for 'x'" for an
    // integer value.
    String ReadString(const String& name);
    // Raises ERegistryException "Failed to get data for 'x'" when the value does not exist and
    // "Invalid data type for 'x'" for a string value.
    Integer ReadInteger(const String& name);
    bool ReadBool(const String& name);
    // Raise ERegistryException "Failed to set data for 'x'" without an open key or with a key
    // opened read-only, or when the file cannot be written.
    void WriteString(const String& name, const String& value);
    void WriteInteger(const String& name, Integer value);
    void WriteBool(const String& name, bool value);

private:
    String Section(const String& path) const; // root name + "\" + path
    String ResolvePath(const String& key) const;
    bool KeyExistsIn(const TIniDocument& doc, const String& path) const;
    void CheckWritable(const String& name) const;
    bool ReadRaw(const String& name, String& raw);
    void WriteRaw(const String& name, const String& raw);

    HKEY FRootKey = HKEY_CURRENT_USER;
    String FCurrentPath;
    bool FOpen = false;
    bool FReadOnly = false;
};

// The settings of an ini file kept in the registry: the file name is a key path below the root
// ("\Software\Vure Vuviror"), each section a key under it and each ident a value of that key.
// Strings are written as strings; an integer value reads as its decimal text.
class TRegistryIniFile : public TCustomIniFile {
public:
    explicit TRegistryIniFile(const String& fileName, HKEY rootKey = HKEY_CURRENT_USER);
    String ClassName() const override { return "TRegistryIniFile"; }

    String ReadString(const String& section, const String& ident, const String& defaultValue) override;
    void WriteString(const String& section, const String& ident, const String& value) override;
    void ReadSection(const String& section, TStrings& strings) override;
    void ReadSections(TStrings& strings) override;
    void ReadSectionValues(const String& section, TStrings& strings) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& ident) override;
    void UpdateFile() override {} // every write is in the registry at once
    bool ValueExists(const String& section, const String& ident) override;

private:
    // Opens the section's key (created when asked); false when it does not exist.
    bool OpenSection(TRegistry& registry, const String& section, bool canCreate) const;
    HKEY FRootKey;
};
