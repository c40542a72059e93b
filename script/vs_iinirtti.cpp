#include "script/vs_iinirtti.h"

#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/IniFiles.h"
#include "rtl/StrUtils.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"
#include "script/vs_iclassesrtti.h"
#include "script/vs_iconst.h"

#include <map>

void vsWriteIniStrings(TCustomIniFile& ini, const String& section, const TStrings& value, bool isClear) {
    if (isClear) ini.EraseSection(section);
    for (Integer i = 0; i < value.Count(); ++i)
        ini.WriteString(section, "Items" + IntToStr(i), value.Strings(i));
    ini.WriteInteger(section, "Count", value.Count());
}

void vsReadIniStrings(TCustomIniFile& ini, const String& section, TStrings& value, bool isClear) {
    Integer count = ini.ReadInteger(section, "Count", 0);
    // A damaged count reads no more lines than the section has keys.
    TStringList keys;
    ini.ReadSection(section, keys);
    count = std::min(count, keys.Count());
    if (isClear) value.Clear();
    for (Integer i = 0; i < count; ++i)
        value.Add(ini.ReadString(section, "Items" + IntToStr(i), String()));
}

void vsReadIniSectionValuesEx(TCustomIniFile& ini, const String& section, TStrings& strings) {
    TStringList lines;
    ini.ReadSectionValues(section, lines);
    strings.Clear();
    for (Integer i = 0; i < lines.Count(); ++i)
        strings.Add(lines.Values(lines.Names(i)));
}

void vsSaveIniFileToStream(TCustomIniFile& ini, TStream& stream) {
    TStringList lines;
    if (dynamic_cast<TIniFile*>(&ini)) {
        TFileStream file(ini.FileName(), fmOpenRead | fmShareDenyNone);
        lines.LoadFromStream(file);
    } else if (auto* mem = dynamic_cast<TMemIniFile*>(&ini)) {
        mem->GetStrings(lines);
    } else {
        return;
    }
    lines.SaveToStream(stream);
}

void vsLoadIniFileFromStream(TCustomIniFile& ini, TStream& stream) {
    TStringList lines;
    lines.LoadFromStream(stream);
    if (dynamic_cast<TIniFile*>(&ini)) {
        // The file is replaced whole, never left half written.
        if (!SaveFileAtomic(ini.FileName(), lines.Text()))
            throw EFCreateError("Cannot create file \"" + ini.FileName() + "\"");
    } else if (auto* mem = dynamic_cast<TMemIniFile*>(&ini)) {
        mem->SetStrings(lines);
    }
}

namespace {

String Str(TvsMethodHelper* C, Integer I) {
    return VarToStr(C->GetParamValue(I));
}

TCustomIniFile& Ini(TObject* Instance) {
    auto* ini = dynamic_cast<TCustomIniFile*>(Instance);
    if (!ini) throw EInvalidCast("Invalid class typecast");
    return *ini;
}

using TIniCall = Variant (*)(TvsScript* Script, TCustomIniFile& Ini, TvsMethodHelper* C);

// The operations TIniFile and TMemIniFile both register, by upper-case name.
const std::map<String, TIniCall>& SharedCalls() {
    static const std::map<String, TIniCall> calls{
        {"WRITESTRING",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.WriteString(Str(C, 0), Str(C, 1), Str(C, 2));
             return Variant(0);
         }},
        {"READSTRING",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             return Variant(I.ReadString(Str(C, 0), Str(C, 1), Str(C, 2)));
         }},
        {"READSECTIONVALUESEX",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             vsReadIniSectionValuesEx(I, Str(C, 0), vsNeedObjectAs<TStrings>(C, 1, "ReadSectionValuesEx", "Strings"));
             return Variant(0);
         }},
        {"DELETEKEY",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.DeleteKey(Str(C, 0), Str(C, 1));
             return Variant(0);
         }},
        {"READSECTION",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.ReadSection(Str(C, 0), vsNeedObjectAs<TStrings>(C, 1, "ReadSection", "Strings"));
             return Variant(0);
         }},
        {"READSECTIONS",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.ReadSections(vsNeedObjectAs<TStrings>(C, 0, "ReadSections", "Strings"));
             return Variant(0);
         }},
        {"READSECTIONVALUES",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.ReadSectionValues(Str(C, 0), vsNeedObjectAs<TStrings>(C, 1, "ReadSectionValues", "Strings"));
             return Variant(0);
         }},
        {"ERASESECTION",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.EraseSection(Str(C, 0));
             return Variant(0);
         }},
        {"SAVEINIFILETOSTREAM",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             vsSaveIniFileToStream(I, vsNeedObjectAs<TStream>(C, 0, "SaveIniFileToStream", "oStream"));
             return Variant(0);
         }},
        {"LOADINIFILEFROMSTREAM",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             vsLoadIniFileFromStream(I, vsNeedObjectAs<TStream>(C, 0, "LoadIniFileFromStream", "oStream"));
             return Variant(0);
         }},
    };
    return calls;
}

const std::map<String, TIniCall>& CustomCalls() {
    static const std::map<String, TIniCall> calls{
        {"READINTEGER",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             return Variant(I.ReadInteger(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsInteger()));
         }},
        {"WRITEINTEGER",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.WriteInteger(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsInteger());
             return Variant(0);
         }},
        {"READBOOL",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             return Variant(I.ReadBool(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsBoolean()));
         }},
        {"WRITEBOOL",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.WriteBool(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsBoolean());
             return Variant(0);
         }},
        {"READDATE",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             return VarFromDateTime(I.ReadDate(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsDouble()));
         }},
        {"WRITEDATE",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.WriteDate(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsDouble());
             return Variant(0);
         }},
        {"READDATETIME",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             return VarFromDateTime(I.ReadDateTime(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsDouble()));
         }},
        {"WRITEDATETIME",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.WriteDateTime(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsDouble());
             return Variant(0);
         }},
        {"READFLOAT",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             return Variant(I.ReadFloat(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsDouble()));
         }},
        {"WRITEFLOAT",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.WriteFloat(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsDouble());
             return Variant(0);
         }},
        {"READTIME",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             return VarFromDateTime(I.ReadTime(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsDouble()));
         }},
        {"WRITETIME",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.WriteTime(Str(C, 0), Str(C, 1), C->GetParamValue(2).AsDouble());
             return Variant(0);
         }},
        {"READBINARYSTREAM",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             return Variant(
                 I.ReadBinaryStream(Str(C, 0), Str(C, 1), vsNeedObjectAs<TStream>(C, 2, "ReadBinaryStream", "Value")));
         }},
        {"WRITEBINARYSTREAM",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             I.WriteBinaryStream(Str(C, 0), Str(C, 1), vsNeedObjectAs<TStream>(C, 2, "WriteBinaryStream", "Value"));
             return Variant(0);
         }},
        {"SECTIONEXISTS",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) { return Variant(I.SectionExists(Str(C, 0))); }},
        {"VALUEEXISTS",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             return Variant(I.ValueExists(Str(C, 0), Str(C, 1)));
         }},
        {"WRITETSTRINGS",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             vsWriteIniStrings(I, Str(C, 0), vsNeedObjectAs<TStrings>(C, 1, "WriteTStrings", "Value"),
                               C->GetParamValue(2).AsBoolean());
             return Variant(0);
         }},
        {"READTSTRINGS",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             vsReadIniStrings(I, Str(C, 0), vsNeedObjectAs<TStrings>(C, 1, "ReadTStrings", "Value"),
                              C->GetParamValue(2).AsBoolean());
             return Variant(String());
         }},
    };
    return calls;
}

const std::map<String, TIniCall>& MemCalls() {
    static const std::map<String, TIniCall> calls{
        {"CLEAR",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper*) {
             static_cast<TMemIniFile&>(I).Clear();
             return Variant(0);
         }},
        {"GETSTRINGS",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             static_cast<TMemIniFile&>(I).GetStrings(vsNeedObjectAs<TStrings>(C, 0, "GetStrings", "List"));
             return Variant(0);
         }},
        {"SETSTRINGS",
         [](TvsScript*, TCustomIniFile& I, TvsMethodHelper* C) {
             static_cast<TMemIniFile&>(I).SetStrings(vsNeedObjectAs<TStrings>(C, 0, "SetStrings", "List"));
             return Variant(0);
         }},
    };
    return calls;
}

// The constructor: an object of the class named in the call, for the file; the script owns it.
Variant CreateIni(TvsScript* Script, TObject* Instance, TvsMethodHelper* C) {
    const TvsClassRef* target = vsClassToConstruct(Instance);
    if (!target) return vsObjectToVariant(Instance);
    TCustomIniFile* made = nullptr;
    if (SameText(target->Name(), "TMemIniFile"))
        made = new TMemIniFile(Str(C, 0));
    else if (SameText(target->Name(), "TIniFile"))
        made = new TIniFile(Str(C, 0));
    else
        throw EvsScriptError("Cannot create an instance of " + target->Name());
    Script->AdoptObject(made);
    return vsObjectToVariant(made);
}

} // namespace

TvsIniFunctions::TvsIniFunctions(TvsScript* Script) : TvsRTTIModule(Script) {
    TvsScript& s = *Script;
    auto method = [this](TObject* i, const TvsClassRef* c, const String& n, TvsMethodHelper* h) {
        return CallMethod(i, c, n, h);
    };
    auto get = [this](TObject* i, const TvsClassRef* c, const String& n) { return GetProp(i, c, n); };
    const char* const shared[] = {
        "procedure WriteString(const Section, Ident, Value: String)",
        "function ReadString(const Section, Ident, Default: String): String;",
        "procedure ReadSectionValuesEx(const Section: String; Strings: TStrings)",
        "procedure DeleteKey(const Section, Ident: String)",
        "procedure ReadSection(const Section: String; Strings: TStrings)",
        "procedure ReadSections(Strings: TStrings)",
        "procedure ReadSectionValues(const Section: String; Strings: TStrings)",
        "procedure EraseSection(const Section: String)"};

    if (TvsClassVariable* c = s.AddClass(vsClassOf<TCustomIniFile>("TCustomIniFile"), "TObject")) {
        c->AddConstructor("constructor Create(const FileName: String)", method);
        for (const char* d :
             {"function ReadInteger(const Section, Ident: String; Default: LongInt): LongInt",
              "procedure WriteInteger(const Section, Ident: String; Value: LongInt)",
              "function ReadBool(const Section, Ident: String; Default: Boolean): Boolean",
              "procedure WriteBool(const Section, Ident: String; Value: Boolean)",
              "function ReadDate(const Section, Name: String; Default: TDateTime): TDateTime",
              "procedure WriteDate(const Section, Name: String; Value: TDateTime)",
              "function ReadDateTime(const Section, Name: String; Default: TDateTime): TDateTime",
              "procedure WriteDateTime(const Section, Name: String; Value: TDateTime)",
              "function ReadFloat(const Section, Name: String; Default: Double): Double",
              "procedure WriteFloat(const Section, Name: String; Value: Double)",
              "function ReadTime(const Section, Name: String; Default: TDateTime): TDateTime",
              "procedure WriteTime(const Section, Name: String; Value: TDateTime);",
              "function ReadBinaryStream(const Section, Name: String; Value: TStream): Integer",
              "procedure WriteBinaryStream(const Section, Name: String; Value: TStream)",
              "function SectionExists(const Section: String): Boolean",
              "function ValueExists(const Section, Ident: String): Boolean",
              "procedure WriteTStrings(const Section :String; Value :TStrings; IsClear :Boolean = True)",
              "function ReadTStrings(const Section :String; Value :TStrings; IsClear :Boolean = True): String;"})
            c->AddMethod(d, method);
        c->AddProperty("FileName", "String", get);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TMemIniFile>("TMemIniFile"), "TCustomIniFile")) {
        c->AddConstructor("constructor Create(const FileName: String)", method);
        for (const char* d : shared)
            c->AddMethod(d, method);
        for (const char* d : {"procedure Clear", "procedure GetStrings(List: TStrings)",
                              "procedure SetStrings(List: TStrings)",
                              "procedure SaveIniFileToStream(oStream: TStream)",
                              "procedure LoadIniFileFromStream(oStream: TStream)"})
            c->AddMethod(d, method);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TIniFile>("TIniFile"), "TCustomIniFile")) {
        for (const char* d : shared)
            c->AddMethod(d, method);
        for (const char* d :
             {"procedure SaveIniFileToStream(oStream: TStream)", "procedure LoadIniFileFromStream(oStream: TStream)"})
            c->AddMethod(d, method);
    }
}

Variant TvsIniFunctions::CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& M,
                                    TvsMethodHelper* C) {
    const String& cls = ClassType->Name();
    if (M == "CREATE" && (cls == "TCustomIniFile" || cls == "TMemIniFile")) return CreateIni(FScript, Instance, C);
    const std::map<String, TIniCall>* tables[2] = {nullptr, nullptr};
    if (cls == "TCustomIniFile")
        tables[0] = &CustomCalls();
    else if (cls == "TMemIniFile") {
        tables[0] = &SharedCalls();
        tables[1] = &MemCalls();
        if (!dynamic_cast<TMemIniFile*>(Instance)) throw EInvalidCast("Invalid class typecast");
    } else if (cls == "TIniFile")
        tables[0] = &SharedCalls();
    for (const auto* table : tables) {
        if (!table) continue;
        const auto it = table->find(M);
        if (it != table->end()) return it->second(FScript, Ini(Instance), C);
    }
    return Variant(0);
}

Variant TvsIniFunctions::GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& P) {
    if (Instance && ClassType->Name() == "TCustomIniFile" && P == "FILENAME") return Variant(Ini(Instance).FileName());
    return Variant(0);
}
