#include "script/vs_iclassesrtti.h"

#include "classes/Collection.h"
#include "classes/ObjectHandles.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/Lists.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"
#include "script/vs_iconst.h"
#include "script/vs_iinterpreter_strings.h"
#include "script/vs_xml.h"

#include <map>
#include <mutex>

namespace {

struct TPointerTable {
    std::mutex Lock;
    std::map<const void*, Integer> Handles;
};

TPointerTable& Pointers() {
    static TPointerTable t;
    return t;
}

TObject* Obj(TvsMethodHelper* C, Integer I) {
    return vsVariantToObject(C->GetParamValue(I));
}

template <class T> T* ObjAs(TvsMethodHelper* C, Integer I) {
    return vsVariantToObjectAs<T>(C->GetParamValue(I));
}

String Str(TvsMethodHelper* C, Integer I) {
    return VarToStr(C->GetParamValue(I));
}

Integer Int(TvsMethodHelper* C, Integer I) {
    return C->GetParamValue(I).AsInteger();
}

// Scripts own what they create until they free it; the script frees what is left when it is
// destroyed, unless something else owns it by then.
Variant Adopt(TvsScript* Script, TObject* O) {
    Script->AdoptObject(O);
    return vsObjectToVariant(O);
}

template <class T> T& Self(TObject* Instance) {
    T* t = dynamic_cast<T*>(Instance);
    if (!t) throw EInvalidCast("Invalid class typecast");
    return *t;
}

TSeekOrigin SeekOrigin(Integer Origin) {
    switch (Origin) {
    case 0:
        return TSeekOrigin::soBeginning;
    case 1:
        return TSeekOrigin::soCurrent;
    case 2:
        return TSeekOrigin::soEnd;
    default:
        throw ERangeError(Format("Invalid seek origin (%d)", {Origin}));
    }
}

Int64 CheckCount(Int64 Count) {
    if (Count < 0) throw ERangeError(Format(SNegativeCount, {static_cast<long long>(Count)}));
    return Count;
}

} // namespace

Variant vsPointerToVariant(void* Pointer) {
    if (!Pointer) return Variant(0);
    Integer handle = 0;
    {
        std::lock_guard lock(Pointers().Lock);
        auto it = Pointers().Handles.find(Pointer);
        if (it != Pointers().Handles.end()) handle = it->second;
    }
    if (handle) {
        // Stored by a script: the object must still be the one that was stored.
        if (!IsValidObjectHandle(handle) || HandleToObject(handle) != Pointer)
            throw EInvalidHandle("Invalid object handle");
        return Variant(handle);
    }
    return vsObjectToVariant(static_cast<TObject*>(Pointer));
}

TObject* vsNeedObject(TvsMethodHelper* Caller, Integer Index, const char* Call, const char* Param) {
    TObject* obj = vsVariantToObject(Caller->GetParamValue(Index));
    if (!obj) throw EvsScriptError(String(Call) + ": " + Param + " is nil");
    return obj;
}

void* vsVariantToPointer(const Variant& V) {
    TObject* obj = vsVariantToObject(V);
    if (obj) {
        std::lock_guard lock(Pointers().Lock);
        Pointers().Handles[obj] = ObjectToHandle(obj);
    }
    return obj;
}

TvsClassesFunctions::TvsClassesFunctions(TvsScript* Script) : TvsRTTIModule(Script) {
    TvsScript& s = *Script;
    auto method = [this](TObject* i, const TvsClassRef* c, const String& n, TvsMethodHelper* h) {
        return CallMethod(i, c, n, h);
    };
    auto get = [this](TObject* i, const TvsClassRef* c, const String& n) { return GetProp(i, c, n); };
    auto set = [this](TObject* i, const TvsClassRef* c, const String& n, const Variant& v) {
        SetProp(i, c, n, v);
    };

    for (const auto& [name, value] :
         std::initializer_list<std::pair<const char*, Integer>>{{"fmCreate", 65535},
                                                                {"fmOpenRead", 0},
                                                                {"fmOpenWrite", 1},
                                                                {"fmOpenReadWrite", 2},
                                                                {"fmShareExclusive", 16},
                                                                {"fmShareDenyWrite", 32},
                                                                {"fmShareDenyNone", 64},
                                                                {"soFromBeginning", 0},
                                                                {"soFromCurrent", 1},
                                                                {"soFromEnd", 2}})
        s.AddConst(name, "Integer", Variant(value));
    s.AddEnum("TDuplicates", "dupIgnore, dupAccept, dupError");
    s.AddEnum("TPrinterOrientation", "poPortrait, poLandscape");

    if (TvsClassVariable* c = s.AddClass(vsClassOf<TObject>("TObject"), String())) {
        c->AddConstructor("constructor Create", method);
        c->AddMethod("procedure Free", method);
        c->AddMethod("function ClassName: String", method);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TPersistent>(), "TObject"))
        c->AddMethod("procedure Assign(Source: TPersistent)", method);
    s.AddClass(vsClassOf<TCollectionItem>(), "TPersistent");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TCollection>(), "TPersistent")) {
        c->AddMethod("procedure Clear", method);
        c->AddProperty("Count", "Integer", get);
        c->AddDefaultProperty("Items", "Integer", "TCollectionItem", method, true);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TList>("TList"), "TObject")) {
        c->AddMethod("function Add(Item: TObject): Integer", method);
        c->AddMethod("procedure Clear", method);
        c->AddMethod("procedure Delete(Index: Integer)", method);
        c->AddMethod("function IndexOf(Item: TObject): Integer", method);
        c->AddMethod("procedure Insert(Index: Integer; Item: TObject)", method);
        c->AddMethod("function Remove(Item: TObject): Integer", method);
        c->AddProperty("Count", "Integer", get);
        c->AddDefaultProperty("Items", "Integer", "TObject", method);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TStrings>("TStrings"), "TPersistent")) {
        for (const char* d :
             {"function Add(const S: string): Integer",
              "function AddObject(const S: string; AObject: TObject): Integer", "procedure Clear",
              "procedure Delete(Index: Integer)", "function IndexOf(const S: string): Integer",
              "function IndexOfName(const Name: string): Integer",
              "function IndexOfObject(AObject: TObject): Integer",
              "procedure Insert(Index: Integer; const S: string)",
              "procedure InsertObject(Index: Integer; const S: string; AObject: TObject)",
              "procedure LoadFromFile(const FileName: string)", "procedure LoadFromStream(Stream: TStream)",
              "procedure SaveToFile(const FileName: string)", "procedure Move(CurIndex, NewIndex: Integer)",
              "procedure SaveToStream(Stream: TStream)"})
            c->AddMethod(d, method);
        c->AddProperty("CommaText", "string", get, set);
        c->AddProperty("Count", "Integer", get);
        c->AddIndexProperty("Names", "Integer", "string", method, true);
        c->AddIndexProperty("Objects", "Integer", "TObject", method);
        c->AddIndexProperty("Values", "String", "string", method);
        c->AddDefaultProperty("Strings", "Integer", "string", method);
        c->AddProperty("Text", "string", get, set);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TStringList>("TStringList"), "TStrings")) {
        c->AddMethod("function Find(s: String; var Index: Integer): Boolean", method);
        c->AddMethod("procedure Sort", method);
        c->AddProperty("Duplicates", "TDuplicates", get, set);
        c->AddProperty("Sorted", "Boolean", get, set);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TStream>("TStream"), "TObject")) {
        c->AddMethod("function Read(var Buffer: string; Count: Longint): Longint", method);
        c->AddMethod("function Write(Buffer: string; Count: Longint): Longint", method);
        c->AddMethod("function Seek(Offset: Longint; Origin: Word): Longint", method);
        c->AddMethod("function CopyFrom(Source: TStream; Count: Longint): Longint", method);
        c->AddProperty("Position", "Longint", get, set);
        c->AddProperty("Size", "Longint", get);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TFileStream>("TFileStream"), "TStream"))
        c->AddConstructor("constructor Create(Filename: String; Mode: Word)", method);
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TMemoryStream>("TMemoryStream"), "TStream")) {
        c->AddMethod("procedure Clear", method);
        c->AddMethod("procedure LoadFromStream(Stream: TStream)", method);
        c->AddMethod("procedure LoadFromFile(Filename: String)", method);
        c->AddMethod("procedure SaveToStream(Stream: TStream)", method);
        c->AddMethod("procedure SaveToFile(Filename: String)", method);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TComponent>(), "TPersistent")) {
        c->AddConstructor("constructor Create(AOwner: TComponent)", method);
        c->AddProperty("Owner", "TComponent", get);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvsXMLItem>("TvsXMLItem"), "TObject")) {
        c->AddConstructor("constructor Create", method);
        for (const char* d :
             {"procedure AddItem(Item: TvsXMLItem)", "procedure Clear",
              "procedure InsertItem(Index: Integer; Item: TvsXMLItem)", "function Add: TvsXMLItem",
              "function Find(const Name: String): Integer",
              "function FindItem(const Name: String): TvsXMLItem", "function Root: TvsXMLItem"})
            c->AddMethod(d, method);
        c->AddProperty("Data", "Integer", get, set);
        c->AddProperty("Count", "Integer", get);
        c->AddDefaultProperty("Items", "Integer", "TvsXMLItem", method, true);
        c->AddIndexProperty("Prop", "String", "String", method);
        c->AddProperty("Name", "String", get, set);
        c->AddProperty("Parent", "TvsXMLItem", get);
        c->AddProperty("Text", "String", get, set);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvsXMLDocument>("TvsXMLDocument"), "TObject")) {
        c->AddConstructor("constructor Create", method);
        for (const char* d :
             {"procedure SaveToStream(Stream: TStream)", "procedure LoadFromStream(Stream: TStream)",
              "procedure SaveToFile(const FileName: String)",
              "procedure LoadFromFile(const FileName: String)"})
            c->AddMethod(d, method);
        c->AddProperty("Root", "TvsXMLItem", get);
    }
}

namespace {

// One method of a bound class: the class it was registered on, its upper-case name (index
// properties with ".GET" or ".SET") and what it does. Procedures answer 0.
using TMethodCall = Variant (*)(TvsScript* Script, TObject* Instance, TvsMethodHelper* C);
struct TMethodEntry {
    const char* Class;
    const char* Method;
    TMethodCall Call;
};

// The constructor of a class created without an owner: the stand-in of a class name gives a new
// object the script owns; an existing object calls it on itself and stays as it is.
Variant CreatePlain(TvsScript* Script, TObject* Instance, TvsMethodHelper*) {
    const TvsClassRef* target = vsClassToConstruct(Instance);
    if (!target) return vsObjectToVariant(Instance);
    return Adopt(Script, target->CreateInstance(nullptr));
}

const TMethodEntry kMethods[] = {
    // TObject
    {"TObject", "CREATE", &CreatePlain},
    {"TObject", "FREE",
     [](TvsScript*, TObject* I, TvsMethodHelper*) {
         if (I && !vsClassToConstruct(I)) delete I;
         return Variant(0);
     }},
    {"TObject", "CLASSNAME",
     [](TvsScript*, TObject* I, TvsMethodHelper*) {
         if (const TvsClassRef* target = vsClassToConstruct(I)) return Variant(target->Name());
         return Variant(I ? I->ClassName() : String("TObject"));
     }},
    // TPersistent
    {"TPersistent", "ASSIGN",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         TObject* source = vsNeedObject(C, 0, "TPersistent.Assign", "Source");
         if (auto* dest = dynamic_cast<TPersistent*>(I))
             dest->Assign(dynamic_cast<TPersistent*>(source));
         else if (auto* list = dynamic_cast<TStrings*>(I); list && dynamic_cast<TStrings*>(source))
             list->Assign(*dynamic_cast<TStrings*>(source));
         else
             throw EConvertError("Cannot assign a " + String(source ? source->ClassName() : "nil") + " to a " +
                                 (I ? I->ClassName() : String("nil")));
         return Variant(0);
     }},
    // TCollection
    {"TCollection", "CLEAR",
     [](TvsScript*, TObject* I, TvsMethodHelper*) {
         Self<TCollection>(I).Clear();
         return Variant(0);
     }},
    {"TCollection", "ITEMS.GET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         return vsObjectToVariant(Self<TCollection>(I).Items(Int(C, 0)));
     }},
    // TList
    {"TList", "ADD",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         return Variant(Self<TList>(I).Add(vsVariantToPointer(C->GetParamValue(0))));
     }},
    {"TList", "CLEAR",
     [](TvsScript*, TObject* I, TvsMethodHelper*) {
         Self<TList>(I).Clear();
         return Variant(0);
     }},
    {"TList", "DELETE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TList>(I).Delete(Int(C, 0));
         return Variant(0);
     }},
    {"TList", "INDEXOF",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TList>(I).IndexOf(Obj(C, 0))); }},
    {"TList", "INSERT",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TList>(I).Insert(Int(C, 0), vsVariantToPointer(C->GetParamValue(1)));
         return Variant(0);
     }},
    {"TList", "REMOVE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TList>(I).Remove(Obj(C, 0))); }},
    {"TList", "ITEMS.GET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         return vsPointerToVariant(Self<TList>(I).Items(Int(C, 0)));
     }},
    {"TList", "ITEMS.SET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TList>(I).SetItems(Int(C, 0), vsVariantToPointer(C->GetParamValue(1)));
         return Variant(0);
     }},
    // TStrings
    {"TStrings", "ADD",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TStrings>(I).Add(Str(C, 0))); }},
    {"TStrings", "ADDOBJECT",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         return Variant(Self<TStrings>(I).AddObject(
             Str(C, 0), static_cast<TObject*>(vsVariantToPointer(C->GetParamValue(1)))));
     }},
    {"TStrings", "CLEAR",
     [](TvsScript*, TObject* I, TvsMethodHelper*) {
         Self<TStrings>(I).Clear();
         return Variant(0);
     }},
    {"TStrings", "DELETE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).Delete(Int(C, 0));
         return Variant(0);
     }},
    {"TStrings", "INDEXOF",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TStrings>(I).IndexOf(Str(C, 0))); }},
    {"TStrings", "INDEXOFNAME",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         return Variant(Self<TStrings>(I).IndexOfName(Str(C, 0)));
     }},
    {"TStrings", "INDEXOFOBJECT",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         return Variant(Self<TStrings>(I).IndexOfObject(Obj(C, 0)));
     }},
    {"TStrings", "INSERT",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).Insert(Int(C, 0), Str(C, 1));
         return Variant(0);
     }},
    {"TStrings", "INSERTOBJECT",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).InsertObject(Int(C, 0), Str(C, 1),
                                        static_cast<TObject*>(vsVariantToPointer(C->GetParamValue(2))));
         return Variant(0);
     }},
    {"TStrings", "LOADFROMFILE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).LoadFromFile(Str(C, 0));
         return Variant(0);
     }},
    {"TStrings", "LOADFROMSTREAM",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).LoadFromStream(Self<TStream>(Obj(C, 0)));
         return Variant(0);
     }},
    {"TStrings", "SAVETOFILE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).SaveToFile(Str(C, 0));
         return Variant(0);
     }},
    {"TStrings", "MOVE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).Move(Int(C, 0), Int(C, 1));
         return Variant(0);
     }},
    {"TStrings", "SAVETOSTREAM",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).SaveToStream(Self<TStream>(Obj(C, 0)));
         return Variant(0);
     }},
    {"TStrings", "NAMES.GET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         auto& l = Self<TStrings>(I);
         const Integer i = Int(C, 0);
         if (i < 0 || i >= l.Count()) StringListIndexError(i);
         return Variant(l.Names(i));
     }},
    {"TStrings", "OBJECTS.GET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         return vsPointerToVariant(Self<TStrings>(I).Objects(Int(C, 0)));
     }},
    {"TStrings", "OBJECTS.SET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).SetObjects(Int(C, 0), static_cast<TObject*>(vsVariantToPointer(C->GetParamValue(1))));
         return Variant(0);
     }},
    {"TStrings", "VALUES.GET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TStrings>(I).Values(Str(C, 0))); }},
    {"TStrings", "VALUES.SET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).SetValues(Str(C, 0), Str(C, 1));
         return Variant(0);
     }},
    {"TStrings", "STRINGS.GET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TStrings>(I).Strings(Int(C, 0))); }},
    {"TStrings", "STRINGS.SET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TStrings>(I).SetStrings(Int(C, 0), Str(C, 1));
         return Variant(0);
     }},
    // TStringList
    {"TStringList", "FIND",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Integer index = 0;
         const bool found = Self<TStringList>(I).Find(Str(C, 0), index);
         C->PutParamValue(1, Variant(index));
         return Variant(found);
     }},
    {"TStringList", "SORT",
     [](TvsScript*, TObject* I, TvsMethodHelper*) {
         Self<TStringList>(I).Sort();
         return Variant(0);
     }},
    // TStream. The bytes a script reads and writes are those of its texts' 8-bit form (code page
    // 936), the unit in which Length counts: Write(S, Length(S)) writes all of S, and what Read
    // returns reads back as the text that was written. Write clips a count beyond the text to it.
    {"TStream", "READ",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         auto& st = Self<TStream>(I);
         const Int64 count = CheckCount(C->GetParamValue(1).AsInt64());
         const Int64 left = st.Size() - st.Position();
         AnsiString buffer(static_cast<size_t>(std::max<Int64>(0, std::min(count, left))), '\0');
         const Int64 n = buffer.empty() ? 0 : st.Read(buffer.data(), static_cast<Int64>(buffer.size()));
         buffer.resize(static_cast<size_t>(n));
         C->PutParamValue(0, Variant(Utf8FromAnsi(buffer)));
         return Variant(static_cast<Integer>(n));
     }},
    {"TStream", "WRITE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         auto& st = Self<TStream>(I);
         const AnsiString buffer = AnsiFromUtf8(Str(C, 0));
         const Int64 count =
             std::min(CheckCount(C->GetParamValue(1).AsInt64()), static_cast<Int64>(buffer.size()));
         return Variant(static_cast<Integer>(st.Write(buffer.data(), count)));
     }},
    {"TStream", "SEEK",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         return Variant(static_cast<long long>(
             Self<TStream>(I).Seek(C->GetParamValue(0).AsInt64(), SeekOrigin(Int(C, 1)))));
     }},
    {"TStream", "COPYFROM",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         auto& st = Self<TStream>(I);
         auto& source = Self<TStream>(Obj(C, 0));
         return Variant(static_cast<long long>(st.CopyFrom(source, CheckCount(C->GetParamValue(1).AsInt64()))));
     }},
    // TFileStream
    {"TFileStream", "CREATE",
     [](TvsScript* S, TObject*, TvsMethodHelper* C) {
         const Integer mode = Int(C, 1);
         const Word rtlMode = mode == 65535 ? static_cast<Word>(fmCreate) : static_cast<Word>(mode & 0xFFFF);
         return Adopt(S, new TFileStream(Str(C, 0), rtlMode));
     }},
    // TMemoryStream
    {"TMemoryStream", "CLEAR",
     [](TvsScript*, TObject* I, TvsMethodHelper*) {
         Self<TMemoryStream>(I).Clear();
         return Variant(0);
     }},
    {"TMemoryStream", "LOADFROMSTREAM",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TMemoryStream>(I).LoadFromStream(Self<TStream>(Obj(C, 0)));
         return Variant(0);
     }},
    {"TMemoryStream", "LOADFROMFILE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TMemoryStream>(I).LoadFromFile(Str(C, 0));
         return Variant(0);
     }},
    {"TMemoryStream", "SAVETOSTREAM",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TMemoryStream>(I).SaveToStream(Self<TStream>(Obj(C, 0)));
         return Variant(0);
     }},
    {"TMemoryStream", "SAVETOFILE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TMemoryStream>(I).SaveToFile(Str(C, 0));
         return Variant(0);
     }},
    // TComponent: a component made with an owner belongs to the owner, else to the script.
    {"TComponent", "CREATE",
     [](TvsScript* S, TObject* I, TvsMethodHelper* C) {
         const TvsClassRef* target = vsClassToConstruct(I);
         if (!target) return vsObjectToVariant(I);
         auto* owner = ObjAs<TComponent>(C, 0);
         TObject* made = target->CreateInstance(owner);
         if (!owner) S->AdoptObject(made);
         return vsObjectToVariant(made);
     }},
    // TvsXMLItem
    {"TvsXMLItem", "CREATE", &CreatePlain},
    {"TvsXMLItem", "ADDITEM",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TvsXMLItem>(I).AddItem(ObjAs<TvsXMLItem>(C, 0));
         return Variant(0);
     }},
    {"TvsXMLItem", "CLEAR",
     [](TvsScript*, TObject* I, TvsMethodHelper*) {
         Self<TvsXMLItem>(I).Clear();
         return Variant(0);
     }},
    {"TvsXMLItem", "INSERTITEM",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         auto& x = Self<TvsXMLItem>(I);
         const Integer index = Int(C, 0);
         if (index < 0 || index > x.Count()) ListIndexError(index);
         x.InsertItem(index, ObjAs<TvsXMLItem>(C, 1));
         return Variant(0);
     }},
    {"TvsXMLItem", "ADD",
     [](TvsScript*, TObject* I, TvsMethodHelper*) { return vsObjectToVariant(Self<TvsXMLItem>(I).Add()); }},
    {"TvsXMLItem", "FIND",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TvsXMLItem>(I).Find(Str(C, 0))); }},
    {"TvsXMLItem", "FINDITEM",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         return vsObjectToVariant(Self<TvsXMLItem>(I).FindItem(Str(C, 0)));
     }},
    {"TvsXMLItem", "ROOT",
     [](TvsScript*, TObject* I, TvsMethodHelper*) { return vsObjectToVariant(Self<TvsXMLItem>(I).Root()); }},
    {"TvsXMLItem", "ITEMS.GET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         return vsObjectToVariant(Self<TvsXMLItem>(I).Items(Int(C, 0)));
     }},
    {"TvsXMLItem", "PROP.GET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TvsXMLItem>(I).Prop(Str(C, 0))); }},
    {"TvsXMLItem", "PROP.SET",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TvsXMLItem>(I).SetProp(Str(C, 0), Str(C, 1));
         return Variant(0);
     }},
    // TvsXMLDocument
    {"TvsXMLDocument", "CREATE", &CreatePlain},
    {"TvsXMLDocument", "SAVETOSTREAM",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TvsXMLDocument>(I).SaveToStream(Self<TStream>(Obj(C, 0)));
         return Variant(0);
     }},
    {"TvsXMLDocument", "LOADFROMSTREAM",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TvsXMLDocument>(I).LoadFromStream(Self<TStream>(Obj(C, 0)));
         return Variant(0);
     }},
    {"TvsXMLDocument", "SAVETOFILE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TvsXMLDocument>(I).SaveToFile(Str(C, 0));
         return Variant(0);
     }},
    {"TvsXMLDocument", "LOADFROMFILE",
     [](TvsScript*, TObject* I, TvsMethodHelper* C) {
         Self<TvsXMLDocument>(I).LoadFromFile(Str(C, 0));
         return Variant(0);
     }},
};

} // namespace

Variant TvsClassesFunctions::CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& M,
                                        TvsMethodHelper* C) {
    static const std::map<std::pair<String, String>, TMethodCall> methods = [] {
        std::map<std::pair<String, String>, TMethodCall> m;
        for (const TMethodEntry& e : kMethods)
            m.emplace(std::make_pair(String(e.Class), String(e.Method)), e.Call);
        return m;
    }();
    const auto it = methods.find({ClassType->Name(), M});
    return it == methods.end() ? Variant(0) : it->second(FScript, Instance, C);
}

Variant TvsClassesFunctions::GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& P) {
    const String& cls = ClassType->Name();
    if (!Instance) return Variant(0);
    if (cls == "TCollection" && P == "COUNT") return Variant(Self<TCollection>(Instance).Count());
    if (cls == "TList" && P == "COUNT") return Variant(Self<TList>(Instance).Count());
    if (cls == "TStrings") {
        auto& l = Self<TStrings>(Instance);
        if (P == "COMMATEXT") return Variant(l.CommaText());
        if (P == "COUNT") return Variant(l.Count());
        if (P == "TEXT") return Variant(l.Text());
    }
    if (cls == "TStringList") {
        auto& l = Self<TStringList>(Instance);
        if (P == "DUPLICATES") return Variant(static_cast<Integer>(l.Duplicates()));
        if (P == "SORTED") return Variant(l.Sorted());
    }
    if (cls == "TStream") {
        auto& st = Self<TStream>(Instance);
        if (P == "POSITION") return Variant(static_cast<long long>(st.Position()));
        if (P == "SIZE") return Variant(static_cast<long long>(st.Size()));
    }
    if (cls == "TComponent" && P == "OWNER") return vsObjectToVariant(Self<TComponent>(Instance).Owner());
    if (cls == "TvsXMLItem") {
        auto& x = Self<TvsXMLItem>(Instance);
        if (P == "DATA") return Variant(x.Data());
        if (P == "COUNT") return Variant(x.Count());
        if (P == "NAME") return Variant(x.Name());
        if (P == "PARENT") return vsObjectToVariant(x.Parent());
        if (P == "TEXT") return Variant(x.Text());
    }
    if (cls == "TvsXMLDocument" && P == "ROOT")
        return vsObjectToVariant(Self<TvsXMLDocument>(Instance).Root());
    return Variant(0);
}

void TvsClassesFunctions::SetProp(TObject* Instance, const TvsClassRef* ClassType, const String& P,
                                  const Variant& V) {
    const String& cls = ClassType->Name();
    if (!Instance) return;
    if (cls == "TStrings") {
        auto& l = Self<TStrings>(Instance);
        if (P == "COMMATEXT") l.SetCommaText(VarToStr(V));
        if (P == "TEXT") l.SetText(VarToStr(V));
    } else if (cls == "TStringList") {
        auto& l = Self<TStringList>(Instance);
        if (P == "DUPLICATES") {
            const Integer d = V.AsInteger();
            if (d < 0 || d > 2) throw ERangeError(Format("Invalid TDuplicates value (%d)", {d}));
            l.SetDuplicates(static_cast<TDuplicates>(d));
        }
        if (P == "SORTED") l.SetSorted(V.AsBoolean());
    } else if (cls == "TStream") {
        if (P == "POSITION") {
            const Int64 pos = V.AsInt64();
            if (pos < 0)
                throw ERangeError(Format("Invalid stream position (%d)", {static_cast<long long>(pos)}));
            Self<TStream>(Instance).SetPosition(pos);
        }
    } else if (cls == "TvsXMLItem") {
        auto& x = Self<TvsXMLItem>(Instance);
        if (P == "DATA") x.SetData(V.AsInteger());
        if (P == "NAME") x.SetName(VarToStr(V));
        if (P == "TEXT") x.SetText(VarToStr(V));
    }
}
