// The ini-file bindings: TCustomIniFile, TMemIniFile and TIniFile for scripts, with a string list
// kept in a section (WriteTStrings, ReadTStrings), a section's values alone (ReadSectionValuesEx)
// and a whole ini file copied to and from a stream.
#pragma once

#include "script/vs_iinterpreter.h"

class TCustomIniFile;
class TStream;
class TStrings;

class TvsIniFunctions : public TvsRTTIModule {
public:
    explicit TvsIniFunctions(TvsScript* Script);
    String ClassName() const override { return "TvsIniFunctions"; }

private:
    Variant CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& MethodName,
                       TvsMethodHelper* Caller);
    Variant GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName);
};

// The operations of the bindings beyond the ini classes' own, for the host too.
// Erases the section first when isClear; keys "Items0".."ItemsN-1" and "Count".
void vsWriteIniStrings(TCustomIniFile& ini, const String& section, const TStrings& value, bool isClear);
// Appends "Count" lines (never more than the section has keys; a missing "Count" adds none).
void vsReadIniStrings(TCustomIniFile& ini, const String& section, TStrings& value, bool isClear);
// The values of the section's lines, each looked up by its key.
void vsReadIniSectionValuesEx(TCustomIniFile& ini, const String& section, TStrings& strings);
// The file (TIniFile) or the copy in memory (TMemIniFile) as lines ending in CR LF.
void vsSaveIniFileToStream(TCustomIniFile& ini, TStream& stream);
// The stream's remaining text replaces the file whole (TIniFile) or the copy in memory.
void vsLoadIniFileFromStream(TCustomIniFile& ini, TStream& stream);
