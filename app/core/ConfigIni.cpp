#include "app/core/ConfigIni.h"

#include "app/core/AppConfig.h"

#include "rtl/FileUtils.h"
#include "rtl/StringList.h"

TConfigIni::TConfigIni(const String& programFile, const String& userFile)
    : TCustomIniFile(programFile), FUserName(userFile), FProgram(std::make_unique<TIniFile>(programFile)),
      FUser(std::make_unique<TIniFile>(userFile)) {}

bool TConfigIni::UserFileExists() const {
    return FileExists(FUserName);
}

String TConfigIni::ReadString(const String& section, const String& ident, const String& defaultValue) {
    if (UserFileExists() && FUser->ValueExists(section, ident))
        return FUser->ReadString(section, ident, defaultValue);
    return FProgram->ReadString(section, ident, defaultValue);
}

void TConfigIni::WriteString(const String& section, const String& ident, const String& value) {
    if (!UserFileExists()) {
        try {
            FProgram->WriteString(section, ident, value);
            return;
        } catch (const EIniFileException&) {
            // The program's folder or file is not writable: the user's copy takes the setting.
        }
    }
    ForceDirectories(ExtractFilePath(FUserName));
    FUser->WriteString(section, ident, value);
}

void TConfigIni::ReadSection(const String& section, TStrings& strings) {
    TStringList keys;
    FProgram->ReadSection(section, keys);
    if (UserFileExists()) {
        TStringList own;
        FUser->ReadSection(section, own);
        for (int i = 0; i < own.Count(); ++i)
            if (keys.IndexOf(own[i]) < 0) keys.Add(own[i]);
    }
    strings.Assign(keys);
}

void TConfigIni::ReadSections(TStrings& strings) {
    TStringList sections;
    FProgram->ReadSections(sections);
    if (UserFileExists()) {
        TStringList own;
        FUser->ReadSections(own);
        for (int i = 0; i < own.Count(); ++i)
            if (sections.IndexOf(own[i]) < 0) sections.Add(own[i]);
    }
    strings.Assign(sections);
}

void TConfigIni::ReadSectionValues(const String& section, TStrings& strings) {
    TStringList keys;
    ReadSection(section, keys);
    TStringList values;
    for (int i = 0; i < keys.Count(); ++i)
        values.Add(keys[i] + "=" + ReadString(section, keys[i], String()));
    strings.Assign(values);
}

template <typename F> void TConfigIni::ChangeBoth(F&& change) {
    if (UserFileExists()) change(*FUser);
    try {
        change(*FProgram);
    } catch (const EIniFileException&) {
        // A read-only program folder keeps its file; the user's copy was changed.
    }
}

void TConfigIni::EraseSection(const String& section) {
    ChangeBoth([&](TIniFile& ini) { ini.EraseSection(section); });
}

void TConfigIni::DeleteKey(const String& section, const String& ident) {
    ChangeBoth([&](TIniFile& ini) { ini.DeleteKey(section, ident); });
}

String UserConfigFilePath() {
    return UserConfigFolder() + ConfigFileName;
}

std::unique_ptr<TCustomIniFile> OpenConfigIni() {
    return std::make_unique<TConfigIni>(ConfigFilePath(), UserConfigFilePath());
}
