#include "rtl/IniFiles.h"

#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"

#include <sys/stat.h>

namespace {

[[noreturn]] void RaiseWriteError(const String& fileName) {
    throw EIniFileException("Unable to write to " + fileName);
}

void FillStrings(TStrings& strings, const std::vector<String>& items) {
    const TUpdateGuard updating(strings);
    strings.Clear();
    for (const auto& s : items)
        strings.Add(s);
}

void FillValues(TStrings& strings, const std::vector<std::pair<String, String>>& items) {
    const TUpdateGuard updating(strings);
    strings.Clear();
    for (const auto& kv : items)
        strings.Add(kv.first + "=" + kv.second);
}


} // namespace

// --- TCustomIniFile --------------------------------------------------------------------------------

TCustomIniFile::TCustomIniFile(const String& fileName) : FFileName(fileName) {}

bool TCustomIniFile::SectionExists(const String& section) {
    TStringList keys;
    ReadSection(section, keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& section, const String& ident) {
    TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(ident) >= 0;
}

Integer TCustomIniFile::ReadInteger(const String& section, const String& ident, Integer defaultValue) {
    String text = ReadString(section, ident, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
    return StrToIntDef(text, defaultValue);
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, Integer value) {
    WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool defaultValue) {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const String& section, const String& ident, double defaultValue) {
    const String text = ReadString(section, ident, "");
    Extended value = 0;
    if (text.empty() || !TryStrToFloat(text, value)) return defaultValue;
    return static_cast<double>(value);
}

void TCustomIniFile::WriteFloat(const String& section, const String& ident, double value) {
    WriteString(section, ident, FloatToStr(value));
}

namespace {

// A date or time value as one of the runtime's parsers reads it; the default when the value is
// missing or is not read.
TDateTime ParsedOr(const String& text, TDateTime defaultValue, bool (*parse)(const String&, TDateTime&)) {
    TDateTime value = 0;
    return !text.empty() && parse(text, value) ? value : defaultValue;
}

} // namespace

TDateTime TCustomIniFile::ReadDate(const String& section, const String& ident, TDateTime defaultValue) {
    return ParsedOr(ReadString(section, ident, ""), defaultValue, TryStrToDate);
}

void TCustomIniFile::WriteDate(const String& section, const String& ident, TDateTime value) {
    WriteString(section, ident, DateToStr(value));
}

TDateTime TCustomIniFile::ReadDateTime(const String& section, const String& ident, TDateTime defaultValue) {
    return ParsedOr(ReadString(section, ident, ""), defaultValue, TryStrToDateTime);
}

void TCustomIniFile::WriteDateTime(const String& section, const String& ident, TDateTime value) {
    WriteString(section, ident, DateTimeToStr(value));
}

TDateTime TCustomIniFile::ReadTime(const String& section, const String& ident, TDateTime defaultValue) {
    return ParsedOr(ReadString(section, ident, ""), defaultValue, TryStrToTime);
}

void TCustomIniFile::WriteTime(const String& section, const String& ident, TDateTime value) {
    WriteString(section, ident, TimeToStr(value));
}

Integer TCustomIniFile::ReadBinaryStream(const String& section, const String& ident, TStream& value) {
    const String text = ReadString(section, ident, "");
    std::string bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const int hi = HexDigitValue(text[i]), lo = HexDigitValue(text[i + 1]);
        if (hi < 0 || lo < 0) break;
        bytes += static_cast<char>(hi * 16 + lo);
    }
    if (bytes.empty()) return 0;
    const Int64 start = value.Position();
    value.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    value.SetPosition(start);
    return static_cast<Integer>(bytes.size());
}

void TCustomIniFile::WriteBinaryStream(const String& section, const String& ident, TStream& value) {
    static const char digits[] = "0123456789ABCDEF";
    String text;
    Byte buf[4096];
    for (;;) {
        const Int64 n = value.Read(buf, sizeof buf);
        if (n <= 0) break;
        for (Int64 i = 0; i < n; ++i) {
            text += digits[buf[i] >> 4];
            text += digits[buf[i] & 15];
        }
    }
    WriteString(section, ident, text);
}

// --- TIniFile --------------------------------------------------------------------------------------

TIniFile::TIniFile(const String& fileName) : TCustomIniFile(fileName) {}

void TIniFile::Refresh(bool forWrite) {
    TSignature sig;
    struct stat st {};
    if (::stat(NormalizePath(FFileName).c_str(), &st) == 0) {
        sig.exists = true;
        sig.mtimeNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
        sig.size = static_cast<long long>(st.st_size);
        sig.inode = static_cast<long long>(st.st_ino);
    }
    if (FLoaded && sig == FSignature) return;
    std::string bytes;
    if (sig.exists && !LoadFileBytes(FFileName, bytes)) {
        if (forWrite) RaiseWriteError(FFileName);
        FDoc.Clear();
        FLoaded = false;
        return;
    }
    FDoc.LoadBytes(bytes);
    FSignature = sig;
    FLoaded = true;
}

void TIniFile::Save() {
    if (!SaveFileAtomic(FFileName, FDoc.SaveBytes())) {
        FLoaded = false; // what is in memory is not what the file holds
        RaiseWriteError(FFileName);
    }
    FLoaded = false; // read the file's new signature on the next call
}

template <typename F> void TIniFile::Change(F&& change) {
    // One read-modify-write at a time among the processes writing files in that folder.
    TFolderLock lock(ExtractFileDir(ExpandFileName(FFileName)));
    Refresh(true);
    if (change()) Save();
}

String TIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
    Refresh(false);
    String value;
    return FDoc.Read(section, ident, value) ? value : defaultValue;
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
    Change([&] {
        FDoc.Write(section, ident, value);
        return true;
    });
}

void TIniFile::ReadSection(const String& section, TStrings& strings) {
    Refresh(false);
    FillStrings(strings, FDoc.KeyNames(section));
}

void TIniFile::ReadSections(TStrings& strings) {
    Refresh(false);
    FillStrings(strings, FDoc.SectionNames());
}

void TIniFile::ReadSectionValues(const String& section, TStrings& strings) {
    Refresh(false);
    FillValues(strings, FDoc.KeyValues(section));
}

void TIniFile::EraseSection(const String& section) {
    Change([&] {
        if (!FDoc.HasSection(section)) return false;
        FDoc.EraseSection(section);
        return true;
    });
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
    Change([&] { return FDoc.DeleteKey(section, ident); });
}

// --- TMemIniFile -----------------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& fileName) : TCustomIniFile(fileName) {
    Load();
}

void TMemIniFile::Load() {
    FDoc.Clear();
    if (FFileName.empty() || !FileExists(FFileName)) return;
    std::string bytes;
    if (!LoadFileBytes(FFileName, bytes)) {
        TFileStream probe(FFileName, fmOpenRead); // raises with the reason
    }
    FDoc.LoadBytes(bytes);
}

String TMemIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
    String value;
    return FDoc.Read(section, ident, value) ? value : defaultValue;
}

void TMemIniFile::WriteString(const String& section, const String& ident, const String& value) {
    FDoc.Write(section, ident, value);
}

void TMemIniFile::ReadSection(const String& section, TStrings& strings) {
    FillStrings(strings, FDoc.KeyNames(section));
}

void TMemIniFile::ReadSections(TStrings& strings) {
    FillStrings(strings, FDoc.SectionNames());
}

void TMemIniFile::ReadSectionValues(const String& section, TStrings& strings) {
    FillValues(strings, FDoc.KeyValues(section));
}

void TMemIniFile::EraseSection(const String& section) {
    FDoc.EraseSection(section);
}

void TMemIniFile::DeleteKey(const String& section, const String& ident) {
    FDoc.DeleteKey(section, ident);
}

void TMemIniFile::UpdateFile() {
    if (!SaveFileAtomic(FFileName, FDoc.SaveBytes())) RaiseWriteError(FFileName);
}

void TMemIniFile::Clear() {
    FDoc.Clear();
}

void TMemIniFile::GetStrings(TStrings& list) const {
    FillStrings(list, FDoc.Lines());
}

void TMemIniFile::SetStrings(const TStrings& list) {
    std::vector<String> lines;
    lines.reserve(static_cast<size_t>(list.Count()));
    for (Integer i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    FDoc.SetLines(std::move(lines));
}

void TMemIniFile::Rename(const String& fileName, bool reload) {
    FFileName = fileName;
    if (reload) Load();
}
