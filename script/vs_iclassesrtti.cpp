#include "script/vs_iclassesrtti.h"

#include "classes/Collection.h"
#include "classes/ObjectHandles.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/Lists.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"
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

Variant TvsClassesFunctions::CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& M,
                                        TvsMethodHelper* C) {
    const String& cls = ClassType->Name();
    if (cls == "TObject") {
        if (M == "CREATE") {
            const TvsClassRef* target = vsClassToConstruct(Instance);
            if (!target) return vsObjectToVariant(Instance);
            return Adopt(FScript, target->CreateInstance(nullptr));
        }
        if (M == "FREE") {
            if (Instance && !vsClassToConstruct(Instance)) delete Instance;
            return Variant(0);
        }
        if (M == "CLASSNAME") {
            if (const TvsClassRef* target = vsClassToConstruct(Instance)) return Variant(target->Name());
            return Variant(Instance ? Instance->ClassName() : String("TObject"));
        }
    } else if (cls == "TPersistent") {
        if (M == "ASSIGN") {
            TObject* source = Obj(C, 0);
            if (auto* dest = dynamic_cast<TPersistent*>(Instance))
                dest->Assign(dynamic_cast<TPersistent*>(source));
            else if (auto* list = dynamic_cast<TStrings*>(Instance); list && dynamic_cast<TStrings*>(source))
                list->Assign(*dynamic_cast<TStrings*>(source));
            else
                throw EConvertError("Cannot assign a " + String(source ? source->ClassName() : "nil") +
                                    " to a " + (Instance ? Instance->ClassName() : String("nil")));
        }
    } else if (cls == "TCollection") {
        auto& c = Self<TCollection>(Instance);
        if (M == "CLEAR") c.Clear();
        if (M == "ITEMS.GET") return vsObjectToVariant(c.Items(Int(C, 0)));
    } else if (cls == "TList") {
        auto& l = Self<TList>(Instance);
        if (M == "ADD") return Variant(l.Add(vsVariantToPointer(C->GetParamValue(0))));
        if (M == "CLEAR") l.Clear();
        if (M == "DELETE") l.Delete(Int(C, 0));
        if (M == "INDEXOF") return Variant(l.IndexOf(Obj(C, 0)));
        if (M == "INSERT") l.Insert(Int(C, 0), vsVariantToPointer(C->GetParamValue(1)));
        if (M == "REMOVE") return Variant(l.Remove(Obj(C, 0)));
        if (M == "ITEMS.GET") return vsPointerToVariant(l.Items(Int(C, 0)));
        if (M == "ITEMS.SET") l.SetItems(Int(C, 0), vsVariantToPointer(C->GetParamValue(1)));
    } else if (cls == "TStrings") {
        auto& l = Self<TStrings>(Instance);
        if (M == "ADD") return Variant(l.Add(Str(C, 0)));
        if (M == "ADDOBJECT")
            return Variant(
                l.AddObject(Str(C, 0), static_cast<TObject*>(vsVariantToPointer(C->GetParamValue(1)))));
        if (M == "CLEAR") l.Clear();
        if (M == "DELETE") l.Delete(Int(C, 0));
        if (M == "INDEXOF") return Variant(l.IndexOf(Str(C, 0)));
        if (M == "INDEXOFNAME") return Variant(l.IndexOfName(Str(C, 0)));
        if (M == "INDEXOFOBJECT") return Variant(l.IndexOfObject(Obj(C, 0)));
        if (M == "INSERT") l.Insert(Int(C, 0), Str(C, 1));
        if (M == "INSERTOBJECT")
            l.InsertObject(Int(C, 0), Str(C, 1),
                           static_cast<TObject*>(vsVariantToPointer(C->GetParamValue(2))));
        if (M == "LOADFROMFILE") l.LoadFromFile(Str(C, 0));
        if (M == "LOADFROMSTREAM") l.LoadFromStream(Self<TStream>(Obj(C, 0)));
        if (M == "SAVETOFILE") l.SaveToFile(Str(C, 0));
        if (M == "MOVE") l.Move(Int(C, 0), Int(C, 1));
        if (M == "SAVETOSTREAM") l.SaveToStream(Self<TStream>(Obj(C, 0)));
        if (M == "NAMES.GET") {
            const Integer i = Int(C, 0);
            if (i < 0 || i >= l.Count()) StringListIndexError(i);
            return Variant(l.Names(i));
        }
        if (M == "OBJECTS.GET") return vsPointerToVariant(l.Objects(Int(C, 0)));
        if (M == "OBJECTS.SET")
            l.SetObjects(Int(C, 0), static_cast<TObject*>(vsVariantToPointer(C->GetParamValue(1))));
        if (M == "VALUES.GET") return Variant(l.Values(Str(C, 0)));
        if (M == "VALUES.SET") l.SetValues(Str(C, 0), Str(C, 1));
        if (M == "STRINGS.GET") return Variant(l.Strings(Int(C, 0)));
        if (M == "STRINGS.SET") l.SetStrings(Int(C, 0), Str(C, 1));
    } else if (cls == "TStringList") {
        auto& l = Self<TStringList>(Instance);
        if (M == "FIND") {
            Integer index = 0;
            const bool found = l.Find(Str(C, 0), index);
            C->PutParamValue(1, Variant(index));
            return Variant(found);
        }
        if (M == "SORT") l.Sort();
    } else if (cls == "TStream") {
        auto& st = Self<TStream>(Instance);
        // The bytes a script reads and writes are those of its texts' 8-bit form (code page
        // 936), the unit in which Length counts: Write(S, Length(S)) writes all of S, and what
        // Read returns reads back as the text that was written.
        if (M == "READ") {
            const Int64 count = CheckCount(C->GetParamValue(1).AsInt64());
            const Int64 left = st.Size() - st.Position();
            AnsiString buffer(static_cast<size_t>(std::max<Int64>(0, std::min(count, left))), '\0');
            const Int64 n = buffer.empty() ? 0 : st.Read(buffer.data(), static_cast<Int64>(buffer.size()));
            buffer.resize(static_cast<size_t>(n));
            C->PutParamValue(0, Variant(Utf8FromAnsi(buffer)));
            return Variant(static_cast<Integer>(n));
        }
        if (M == "WRITE") {
            const AnsiString buffer = AnsiFromUtf8(Str(C, 0));
            const Int64 count = CheckCount(C->GetParamValue(1).AsInt64());
            if (count > static_cast<Int64>(buffer.size()))
                throw ERangeError(Format(SNegativeCount, {static_cast<long long>(count)}));
            return Variant(static_cast<Integer>(st.Write(buffer.data(), count)));
        }
        if (M == "SEEK")
            return Variant(
                static_cast<long long>(st.Seek(C->GetParamValue(0).AsInt64(), SeekOrigin(Int(C, 1)))));
        if (M == "COPYFROM") {
            auto& source = Self<TStream>(Obj(C, 0));
            return Variant(
                static_cast<long long>(st.CopyFrom(source, CheckCount(C->GetParamValue(1).AsInt64()))));
        }
    } else if (cls == "TFileStream") {
        if (M == "CREATE") {
            const Integer mode = Int(C, 1);
            const Word rtlMode =
                mode == 65535 ? static_cast<Word>(fmCreate) : static_cast<Word>(mode & 0xFFFF);
            return Adopt(FScript, new TFileStream(Str(C, 0), rtlMode));
        }
    } else if (cls == "TMemoryStream") {
        auto& st = Self<TMemoryStream>(Instance);
        if (M == "CLEAR") st.Clear();
        if (M == "LOADFROMSTREAM") st.LoadFromStream(Self<TStream>(Obj(C, 0)));
        if (M == "LOADFROMFILE") st.LoadFromFile(Str(C, 0));
        if (M == "SAVETOSTREAM") st.SaveToStream(Self<TStream>(Obj(C, 0)));
        if (M == "SAVETOFILE") st.SaveToFile(Str(C, 0));
    } else if (cls == "TComponent") {
        if (M == "CREATE") {
            const TvsClassRef* target = vsClassToConstruct(Instance);
            if (!target) return vsObjectToVariant(Instance);
            auto* owner = ObjAs<TComponent>(C, 0);
            TObject* made = target->CreateInstance(owner);
            if (!owner) FScript->AdoptObject(made);
            return vsObjectToVariant(made);
        }
    } else if (cls == "TvsXMLItem") {
        if (M == "CREATE") {
            const TvsClassRef* target = vsClassToConstruct(Instance);
            if (!target) return vsObjectToVariant(Instance);
            return Adopt(FScript, target->CreateInstance(nullptr));
        }
        auto& x = Self<TvsXMLItem>(Instance);
        if (M == "ADDITEM") x.AddItem(ObjAs<TvsXMLItem>(C, 0));
        if (M == "CLEAR") x.Clear();
        if (M == "INSERTITEM") {
            const Integer index = Int(C, 0);
            if (index < 0 || index > x.Count()) ListIndexError(index);
            x.InsertItem(index, ObjAs<TvsXMLItem>(C, 1));
        }
        if (M == "ADD") return vsObjectToVariant(x.Add());
        if (M == "FIND") return Variant(x.Find(Str(C, 0)));
        if (M == "FINDITEM") return vsObjectToVariant(x.FindItem(Str(C, 0)));
        if (M == "ROOT") return vsObjectToVariant(x.Root());
        if (M == "ITEMS.GET") return vsObjectToVariant(x.Items(Int(C, 0)));
        if (M == "PROP.GET") return Variant(x.Prop(Str(C, 0)));
        if (M == "PROP.SET") x.SetProp(Str(C, 0), Str(C, 1));
    } else if (cls == "TvsXMLDocument") {
        if (M == "CREATE") {
            const TvsClassRef* target = vsClassToConstruct(Instance);
            if (!target) return vsObjectToVariant(Instance);
            return Adopt(FScript, target->CreateInstance(nullptr));
        }
        auto& d = Self<TvsXMLDocument>(Instance);
        if (M == "SAVETOSTREAM") d.SaveToStream(Self<TStream>(Obj(C, 0)));
        if (M == "LOADFROMSTREAM") d.LoadFromStream(Self<TStream>(Obj(C, 0)));
        if (M == "SAVETOFILE") d.SaveToFile(Str(C, 0));
        if (M == "LOADFROMFILE") d.LoadFromFile(Str(C, 0));
    }
    return Variant(0);
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
