// The settings object over config.ini: the file beside the program, and the user's own copy in
// the user's configuration folder for installations where the program's folder cannot be written
// (a system-wide install, a read-only folder, an immutable file).
//
// Reading: a key the user's file holds is read from there; every other key from the file beside
// the program. Writing: into the file beside the program while there is no user's file and that
// file can be written; otherwise (and from then on) into the user's file, whose folder is made
// when missing. So an office whose program folder is writable keeps the one file it always had.
#pragma once

#include "rtl/IniFiles.h"

#include <memory>

class TConfigIni : public TCustomIniFile {
public:
    TConfigIni(const String& programFile, const String& userFile);
    String ClassName() const override { return "TConfigIni"; }

    const String& UserFileName() const { return FUserName; }

    String ReadString(const String& section, const String& ident, const String& defaultValue) override;
    // Raises EIniFileException "Unable to write to <user file>" only when neither file can be written.
    void WriteString(const String& section, const String& ident, const String& value) override;
    void ReadSection(const String& section, TStrings& strings) override;
    void ReadSections(TStrings& strings) override;
    void ReadSectionValues(const String& section, TStrings& strings) override;
    // Erase from both files (the program's only where it can be written).
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& ident) override;
    void UpdateFile() override {}

private:
    bool UserFileExists() const;
    template <typename F> void ChangeBoth(F&& change);

    String FUserName;
    std::unique_ptr<TIniFile> FProgram;
    std::unique_ptr<TIniFile> FUser;
};

// The user's copy of config.ini: UserConfigFolder() + "config.ini".
String UserConfigFilePath();
// The settings object of the program: config.ini beside the program, with the user's copy.
std::unique_ptr<TCustomIniFile> OpenConfigIni();
