// Ini files: TCustomIniFile with the typed reads and writes, TIniFile that reads and writes the
// file on every call, and TMemIniFile that works on a copy in memory until UpdateFile.
//
// Section and key names compare without regard to case. A rewrite keeps the file's order, its
// comment lines (";" or "#") and blank lines; new keys go after the last key of their section,
// new sections at the end. Values are the text after "=", without surrounding blanks, otherwise
// as written. Files are read as UTF-8 (a byte-order mark dropped), or as code page 936 when their
// bytes are not UTF-8, and written as UTF-8, atomically (a temporary file renamed over the old).
#pragma once

#include "rtl/IniDocument.h"
#include "rtl/Object.h"
#include "rtl/SysUtils.h"

class TStream;
class TStrings;

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& fileName);
    ~TCustomIniFile() override = default;
    String ClassName() const override { return "TCustomIniFile"; }

    const String& FileName() const { return FFileName; }

    virtual String ReadString(const String& section, const String& ident, const String& defaultValue) = 0;
    virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
    virtual void ReadSection(const String& section, TStrings& strings) = 0;       // key names
    virtual void ReadSections(TStrings& strings) = 0;                             // section names
    virtual void ReadSectionValues(const String& section, TStrings& strings) = 0; // name=value lines
    virtual void EraseSection(const String& section) = 0;
    virtual void DeleteKey(const String& section, const String& ident) = 0;
    virtual void UpdateFile() = 0;

    // True when the section has at least one key.
    virtual bool SectionExists(const String& section);
    virtual bool ValueExists(const String& section, const String& ident);

    // An integer in decimal, or in hexadecimal written "$1F" or "0x1F"; the default for anything else.
    Integer ReadInteger(const String& section, const String& ident, Integer defaultValue);
    void WriteInteger(const String& section, const String& ident, Integer value);
    // Any integer other than 0 is true; written "1" or "0".
    bool ReadBool(const String& section, const String& ident, bool defaultValue);
    void WriteBool(const String& section, const String& ident, bool value);
    // Through the formatting module; the default when the text does not convert.
    double ReadFloat(const String& section, const String& ident, double defaultValue);
    void WriteFloat(const String& section, const String& ident, double value);
    TDateTime ReadDate(const String& section, const String& ident, TDateTime defaultValue);
    void WriteDate(const String& section, const String& ident, TDateTime value);
    TDateTime ReadDateTime(const String& section, const String& ident, TDateTime defaultValue);
    void WriteDateTime(const String& section, const String& ident, TDateTime value);
    TDateTime ReadTime(const String& section, const String& ident, TDateTime defaultValue);
    void WriteTime(const String& section, const String& ident, TDateTime value);
    // Bytes as upper-case hexadecimal text. Writing takes the stream from its position to its end;
    // reading writes the bytes into the stream at its position, leaves the position at their
    // start and returns their count.
    Integer ReadBinaryStream(const String& section, const String& ident, TStream& value);
    void WriteBinaryStream(const String& section, const String& ident, TStream& value);

protected:
    String FFileName;
};

// Works on the file itself: every read sees the file as it is now (another program's changes
// included) and every write is in the file when the call returns.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const String& fileName);
    String ClassName() const override { return "TIniFile"; }

    String ReadString(const String& section, const String& ident, const String& defaultValue) override;
    void WriteString(const String& section, const String& ident, const String& value) override;
    void ReadSection(const String& section, TStrings& strings) override;
    void ReadSections(TStrings& strings) override;
    void ReadSectionValues(const String& section, TStrings& strings) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& ident) override;
    void UpdateFile() override {} // nothing is held back

private:
    // Reads the file again when it changed since the last read. With forWrite, a file that exists
    // but cannot be read raises instead of reading as empty (a write would wipe it).
    void Refresh(bool forWrite);
    void Save();
    template <typename F> void Change(F&& change);

    TIniDocument FDoc;
    struct TSignature {
        bool exists = false;
        long long mtimeNs = 0, size = 0, inode = 0;
        bool operator==(const TSignature&) const = default;
    } FSignature;
    bool FLoaded = false;
};

// Works on a copy in memory, read when created (a missing file is an empty one); UpdateFile
// writes it back.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(const String& fileName);
    String ClassName() const override { return "TMemIniFile"; }

    String ReadString(const String& section, const String& ident, const String& defaultValue) override;
    void WriteString(const String& section, const String& ident, const String& value) override;
    void ReadSection(const String& section, TStrings& strings) override;
    void ReadSections(TStrings& strings) override;
    void ReadSectionValues(const String& section, TStrings& strings) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& ident) override;
    // Writes the copy to the file; raises EIniFileException "Unable to write to <file>" when it cannot.
    void UpdateFile() override;

    void Clear();
    // The copy as lines of text, and replacing it by lines of text (the file is not touched).
    void GetStrings(TStrings& list) const;
    void SetStrings(const TStrings& list);
    // Works on another file from now on; with reload its content replaces the copy.
    void Rename(const String& fileName, bool reload);

private:
    void Load();
    TIniDocument FDoc;
};
