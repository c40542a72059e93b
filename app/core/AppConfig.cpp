#include "app/core/AppConfig.h"

#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/StrUtils.h"

String ConfigFilePath() {
    return ProgramFolder() + ConfigFileName;
}

String DatabaseFolderFromDs(const String& ds) {
    const String trimmed = Trim(ds);
    if (trimmed.empty()) return ProgramFolder() + "data/";
    String folder = NormalizePath(trimmed);
    if (folder[0] != '/') folder = ProgramFolder() + folder;
    return IncludeTrailingPathDelimiter(folder);
}

String ReadDatabaseFolder(TCustomIniFile& ini) {
    return DatabaseFolderFromDs(ini.ReadString(ConfigSection, "ds", String()));
}

String DsForPickedFile(const String& fileName) {
    return IncludeTrailingPathDelimiter(ExtractFilePath(ExpandFileName(NormalizePath(fileName))));
}

void WriteDatabaseFolder(TCustomIniFile& ini, const String& folder) {
    ini.WriteString(ConfigSection, "ds", folder);
}

String ConnectionStringFor(const String& folder) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder + DatabaseFileName +
           ";Persist Security Info=True;Jet OLEDB:Database Password=" + DatabasePassword;
}

String DatabaseFileIn(const String& folder) {
    return IncludeTrailingPathDelimiter(NormalizePath(folder)) + DatabaseFileName;
}

int ReadAutoBackupMode(TCustomIniFile& ini) {
    return ini.ReadInteger(ConfigSection, "ibak", 0);
}

bool AutoBackupDue(int mode, TDateTime today) {
    switch (mode) {
    case 1:
        return true;
    case 2:
        return DayOfTheWeek(today) == 1;
    case 3:
        return DayOf(today) == 1;
    default:
        return false;
    }
}

String ReadCurOperName(TCustomIniFile& ini) {
    return ini.ReadString("Config", "CurOperName", String());
}

void WriteCurOperName(TCustomIniFile& ini, const String& name) {
    ini.WriteString("Config", "CurOperName", name);
}
