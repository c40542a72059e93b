// The text of an ini file as lines, kept as they stand so a rewrite keeps the file's order,
// comments and blank lines. Section and key names compare without regard to case; the first of
// two sections (or keys) of the same name is the one read and written. Used by the ini files and
// the registry stand-in.
#pragma once

#include "rtl/Types.h"

#include <vector>

class TIniDocument {
public:
    // Bytes of a file: a UTF-8 byte-order mark is dropped; bytes that are not UTF-8 are read as
    // code page 936. Lines end at CR LF, LF or CR.
    void LoadBytes(const std::string& bytes);
    void SetLines(std::vector<String> lines);
    const std::vector<String>& Lines() const { return FLines; }
    // The text to write: UTF-8, each line ended by the file's own line break (CR LF for a new file).
    std::string SaveBytes() const;
    void Clear() { FLines.clear(); }

    bool HasSection(const String& section) const; // its header is there
    bool HasKey(const String& section, const String& key) const;
    // The key's value; false when the section or the key is not there.
    bool Read(const String& section, const String& key, String& value) const;
    // Replaces the key's value in place, or adds the key after the section's last key, or adds the
    // section at the end. Line breaks in the value become spaces (a value is one line).
    void Write(const String& section, const String& key, const String& value);
    // Adds an empty section at the end when there is none of that name.
    void AddSection(const String& section);
    bool DeleteKey(const String& section, const String& key);
    // Removes every section of that name with its lines.
    void EraseSection(const String& section);
    std::vector<String> SectionNames() const; // each name once, in file order
    std::vector<String> KeyNames(const String& section) const;
    std::vector<std::pair<String, String>> KeyValues(const String& section) const;

private:
    // Line index of the section's header, or -1.
    long FindSection(const String& section) const;
    // End (exclusive) of the section whose header is at index header.
    size_t SectionEnd(size_t header) const;
    long FindKey(size_t header, const String& key) const;

    std::vector<String> FLines;
    bool FCrLf = true;
    bool FBom = false; // the file began with a UTF-8 byte-order mark, written back with it
};
