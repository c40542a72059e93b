// The binary value stream of extra properties.
#include "classes/Filer.h"

#include "classes/Collection.h"
#include "classes/MetaProps.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <cstring>

namespace {

[[noreturn]] void ReadError() {
    throw EReadError("Stream read error");
}

[[noreturn]] void InvalidValue() {
    throw EReadError("Invalid property value");
}

Cardinal ToCardinal(const String& b) {
    return static_cast<Cardinal>(static_cast<Byte>(b[0])) | static_cast<Cardinal>(static_cast<Byte>(b[1])) << 8 |
           static_cast<Cardinal>(static_cast<Byte>(b[2])) << 16 |
           static_cast<Cardinal>(static_cast<Byte>(b[3])) << 24;
}

} // namespace

// --- TReader ------------------------------------------------------------------------------------

Byte TReader::ReadByte() {
    Byte b = 0;
    if (Stream().Read(&b, 1) != 1) ReadError();
    return b;
}

String TReader::ReadBytes(Int64 Count) {
    // A length beyond the stream's end is damage, not a reason to allocate it.
    if (Count < 0 || Count > Stream().Size() - Stream().Position()) ReadError();
    String s(static_cast<size_t>(Count), '\0');
    if (Count > 0) Stream().ReadBuffer(s.data(), Count);
    return s;
}

bool TReader::AtEnd() const {
    return Stream().Position() >= Stream().Size();
}

TValueType TReader::ReadValue() {
    return static_cast<TValueType>(ReadByte());
}

TValueType TReader::NextValue() const {
    Byte b = 0;
    if (Stream().Read(&b, 1) != 1) ReadError();
    Stream().Seek(-1, TSeekOrigin::soCurrent);
    return static_cast<TValueType>(b);
}

void TReader::CheckValue(TValueType Value) {
    if (ReadValue() != Value) InvalidValue();
}

Int64 TReader::ReadInt64() {
    switch (ReadValue()) {
    case vaInt8:
        return static_cast<int8_t>(ReadByte());
    case vaInt16: {
        const String b = ReadBytes(2);
        return static_cast<int16_t>(static_cast<Byte>(b[0]) | static_cast<Byte>(b[1]) << 8);
    }
    case vaInt32:
        return static_cast<Integer>(ToCardinal(ReadBytes(4)));
    case vaInt64: {
        const String b = ReadBytes(8);
        UInt64 v = 0;
        for (int i = 7; i >= 0; --i)
            v = v << 8 | static_cast<Byte>(b[static_cast<size_t>(i)]);
        return static_cast<Int64>(v);
    }
    default:
        InvalidValue();
    }
}

Integer TReader::ReadInteger() {
    const Int64 v = ReadInt64();
    if (v < INT32_MIN || v > INT32_MAX) InvalidValue();
    return static_cast<Integer>(v);
}

bool TReader::ReadBoolean() {
    switch (ReadValue()) {
    case vaTrue:
        return true;
    case vaFalse:
        return false;
    default:
        InvalidValue();
    }
}

Extended TReader::ReadFloat() {
    const TValueType t = NextValue();
    if (t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64) return static_cast<Extended>(ReadInt64());
    ReadValue();
    switch (t) {
    case vaExtended: {
        const String b = ReadBytes(10);
        long double v = 0;
        std::memcpy(&v, b.data(), 10);
        return v;
    }
    case vaSingle: {
        const String b = ReadBytes(4);
        float v = 0;
        std::memcpy(&v, b.data(), 4);
        return v;
    }
    case vaDate: {
        const String b = ReadBytes(8);
        double v = 0;
        std::memcpy(&v, b.data(), 8);
        return v;
    }
    default:
        InvalidValue();
    }
}

String TReader::ReadString() {
    switch (ReadValue()) {
    case vaString:
    case vaIdent:
        return ReadBytes(ReadByte());
    case vaLString:
    case vaUTF8String:
        return ReadBytes(ToCardinal(ReadBytes(4)));
    case vaWString: {
        const String bytes = ReadBytes(static_cast<Int64>(ToCardinal(ReadBytes(4))) * 2);
        WideString w(bytes.size() / 2, u'\0');
        for (size_t i = 0; i < w.size(); ++i)
            w[i] = static_cast<char16_t>(static_cast<Byte>(bytes[2 * i]) |
                                         static_cast<Byte>(bytes[2 * i + 1]) << 8);
        return WideToUtf8(w);
    }
    default:
        InvalidValue();
    }
}

String TReader::ReadStr() {
    return ReadBytes(ReadByte());
}

String TReader::ReadBinary() {
    CheckValue(vaBinary);
    return ReadBytes(ToCardinal(ReadBytes(4)));
}

void TReader::SkipValue() {
    switch (NextValue()) {
    case vaNull:
    case vaNil:
    case vaFalse:
    case vaTrue:
        ReadValue();
        return;
    case vaList:
        ReadValue();
        while (!EndOfList())
            SkipValue();
        ReadValue();
        return;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
        ReadInt64();
        return;
    case vaExtended:
    case vaSingle:
    case vaDate:
        ReadFloat();
        return;
    case vaCurrency:
        ReadValue();
        ReadBytes(8);
        return;
    case vaString:
    case vaIdent:
    case vaLString:
    case vaUTF8String:
    case vaWString:
        ReadString();
        return;
    case vaBinary:
        ReadBinary();
        return;
    case vaSet:
        ReadValue();
        while (!ReadStr().empty()) {
        }
        return;
    case vaCollection:
        ReadValue();
        while (!EndOfList()) {
            CheckValue(vaList);
            while (!EndOfList()) {
                ReadStr();
                SkipValue();
            }
            ReadValue();
        }
        ReadValue();
        return;
    default:
        InvalidValue();
    }
}

void TReader::ReadCollection(TCollection& Collection) {
    CheckValue(vaCollection);
    Collection.BeginUpdate();
    try {
        Collection.Clear();
        while (!EndOfList()) {
            CheckValue(vaList);
            TCollectionItem* item = Collection.Add();
            while (!EndOfList())
                ReadStoredProperty(*item, ReadStr());
            ReadValue();
        }
        ReadValue();
    } catch (...) {
        Collection.EndUpdate();
        throw;
    }
    Collection.EndUpdate();
}

void TReader::ReadStoredProperty(TObject& Instance, const String& Name) {
    // "Footer.ValueType" names a property of a sub-object.
    TObject* holder = nullptr;
    const meta::TPropInfo* prop = FindPropPath(&Instance, Name, holder);
    if (!prop || !holder) {
        SkipValue();
        return;
    }
    switch (NextValue()) {
    case vaFalse:
    case vaTrue:
        SetOrdProp(holder, *prop, ReadBoolean() ? 1 : 0);
        break;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
        if (prop->Kind == meta::TPropKind::Float)
            SetFloatProp(holder, *prop, static_cast<Extended>(ReadInt64()));
        else
            SetOrdProp(holder, *prop, ReadInt64());
        break;
    case vaExtended:
    case vaSingle:
    case vaDate:
        SetFloatProp(holder, *prop, ReadFloat());
        break;
    case vaString:
    case vaLString:
    case vaUTF8String:
    case vaWString:
    case vaIdent:
        SetPropValue(holder, *prop, Variant(ReadString()));
        break;
    case vaCollection:
        if (prop->Kind == meta::TPropKind::Object)
            if (auto* collection = dynamic_cast<TCollection*>(GetObjectProp(holder, *prop))) {
                ReadCollection(*collection);
                break;
            }
        SkipValue();
        break;
    default:
        SkipValue();
    }
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
    if (FFound || !FWantedName || !SameText(Name, *FWantedName) || !ReadData) return;
    FFound = true;
    ReadData(*this);
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&,
                                   bool) {
    if (FFound || !FWantedName || !SameText(Name, *FWantedName) || !ReadData) return;
    FFound = true;
    const String bytes = ReadBinary();
    TMemoryStream block;
    if (!bytes.empty()) block.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    block.SetPosition(0);
    ReadData(block);
}

void TReader::ReadProperty(TPersistent& Instance) {
    const String name = ReadStr();
    FWantedName = &name;
    FFound = false;
    try {
        Instance.DefineProperties(*this);
    } catch (...) {
        FWantedName = nullptr;
        throw;
    }
    FWantedName = nullptr;
    if (!FFound) throw EReadError("Error reading " + Instance.ClassName() + "." + name + ": Property " + name +
                                  " does not exist");
}

void TReader::ReadProperties(TPersistent& Instance) {
    while (!AtEnd())
        ReadProperty(Instance);
}

// --- TWriter ------------------------------------------------------------------------------------

void TWriter::WriteBytes(const void* Data, Int64 Count) {
    if (Count > 0) Stream().WriteBuffer(Data, Count);
}

void TWriter::WriteValue(TValueType Value) {
    const Byte b = Value;
    WriteBytes(&b, 1);
}

namespace {
void PutLittleEndian(TWriter& w, UInt64 v, int bytes) {
    Byte b[8];
    for (int i = 0; i < bytes; ++i)
        b[i] = static_cast<Byte>(v >> (8 * i));
    w.WriteBytes(b, bytes);
}
} // namespace

void TWriter::WriteInteger(Int64 Value) {
    if (Value >= -128 && Value <= 127) {
        WriteValue(vaInt8);
        PutLittleEndian(*this, static_cast<UInt64>(Value), 1);
    } else if (Value >= -32768 && Value <= 32767) {
        WriteValue(vaInt16);
        PutLittleEndian(*this, static_cast<UInt64>(Value), 2);
    } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
        WriteValue(vaInt32);
        PutLittleEndian(*this, static_cast<UInt64>(Value), 4);
    } else {
        WriteValue(vaInt64);
        PutLittleEndian(*this, static_cast<UInt64>(Value), 8);
    }
}

void TWriter::WriteBoolean(bool Value) {
    WriteValue(Value ? vaTrue : vaFalse);
}

void TWriter::WriteFloat(Extended Value) {
    WriteValue(vaExtended);
    Byte b[16] = {};
    long double v = Value;
    std::memcpy(b, &v, sizeof(v) < 10 ? sizeof(v) : 10);
    WriteBytes(b, 10);
}

void TWriter::WriteString(const String& Value) {
    if (Value.size() <= 255) {
        WriteValue(vaString);
        PutLittleEndian(*this, Value.size(), 1);
        WriteBytes(Value.data(), static_cast<Int64>(Value.size()));
    } else {
        WriteLongString(Value);
    }
}

void TWriter::WriteLongString(const String& Value) {
    WriteValue(vaLString);
    PutLittleEndian(*this, Value.size(), 4);
    WriteBytes(Value.data(), static_cast<Int64>(Value.size()));
}

void TWriter::WriteStr(const String& Name) {
    const size_t n = Name.size() > 255 ? 255 : Name.size();
    PutLittleEndian(*this, n, 1);
    WriteBytes(Name.data(), static_cast<Int64>(n));
}

void TWriter::WriteBinary(const String& Bytes) {
    WriteValue(vaBinary);
    PutLittleEndian(*this, Bytes.size(), 4);
    WriteBytes(Bytes.data(), static_cast<Int64>(Bytes.size()));
}

void TWriter::WriteCollection(TCollection& Collection) {
    WriteValue(vaCollection);
    for (int i = 0; i < Collection.Count(); ++i) {
        WriteListBegin();
        WriteStoredProperties(*Collection.Items(i), String());
        WriteListEnd();
    }
    WriteListEnd();
}

void TWriter::WriteStoredProperties(TObject& Instance, const String& Prefix) {
    for (const meta::TPropInfo* prop : GetPropList(&Instance)) {
        if (!IsStoredProp(&Instance, *prop)) continue;
        const String name = Prefix + prop->Name;
        switch (prop->Kind) {
        case meta::TPropKind::Boolean:
            if (!IsDefaultPropValue(&Instance, *prop)) {
                WriteStr(name);
                WriteBoolean(GetOrdProp(&Instance, *prop) != 0);
            }
            break;
        case meta::TPropKind::Integer:
        case meta::TPropKind::Char:
        case meta::TPropKind::Set:
        case meta::TPropKind::Int64:
            if (!IsDefaultPropValue(&Instance, *prop)) {
                WriteStr(name);
                WriteInteger(GetOrdProp(&Instance, *prop));
            }
            break;
        case meta::TPropKind::Enumeration:
            if (!IsDefaultPropValue(&Instance, *prop)) {
                WriteStr(name);
                WriteValue(vaIdent);
                const String id = prop->EnumInfo->NameOf(GetOrdProp(&Instance, *prop));
                PutLittleEndian(*this, id.size(), 1);
                WriteBytes(id.data(), static_cast<Int64>(id.size()));
            }
            break;
        case meta::TPropKind::Float:
            WriteStr(name);
            WriteFloat(GetFloatProp(&Instance, *prop));
            break;
        case meta::TPropKind::String:
        case meta::TPropKind::WideString:
        case meta::TPropKind::Variant: {
            const String s = GetPropValue(&Instance, *prop).AsString();
            if (!s.empty()) {
                WriteStr(name);
                WriteString(s);
            }
            break;
        }
        case meta::TPropKind::Object: {
            // A sub-object: a collection as a nested collection, any other one as its own
            // properties under "Name.".
            TObject* sub = GetObjectProp(&Instance, *prop);
            if (auto* collection = dynamic_cast<TCollection*>(sub)) {
                WriteStr(name);
                WriteCollection(*collection);
            } else if (sub) {
                WriteStoredProperties(*sub, name + ".");
            }
            break;
        }
        default:
            break;
        }
    }
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData,
                             bool HasData) {
    if (!HasData || !WriteData) return;
    WriteStr(Name);
    WriteData(*this);
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData) {
    if (!HasData || !WriteData) return;
    TMemoryStream block;
    WriteData(block);
    String bytes(static_cast<size_t>(block.Size()), '\0');
    block.SetPosition(0);
    if (!bytes.empty()) block.ReadBuffer(bytes.data(), block.Size());
    WriteStr(Name);
    WriteBinary(bytes);
}

void TWriter::WriteProperties(TPersistent& Instance) {
    Instance.DefineProperties(*this);
}
