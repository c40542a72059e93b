// Extra properties of an object beside its published ones: a class names them in
// DefineProperties, and readers and writers of the binary value stream call back its read and
// write procedures. Each extra property is stored as its name (one length byte, then the
// characters) followed by one value; a value starts with one of the value tags below.
//
//   void TMyThing::DefineProperties(TFiler& Filer) {
//       TPersistent::DefineProperties(Filer);
//       Filer.DefineProperty("Lines", [this](TReader& r) { ReadLines(r); },
//                            [this](TWriter& w) { WriteLines(w); }, !FLines.empty());
//   }
#pragma once

#include "classes/Persistent.h"
#include "rtl/Streams.h"

#include <functional>

class TCollection;
class TReader;
class TWriter;

// The value tags of the binary value stream.
enum TValueType : Byte {
    vaNull = 0,       // end of a list
    vaList = 1,       // a list of values up to vaNull
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,   // 10-byte extended float
    vaString = 6,     // one length byte, then the bytes
    vaIdent = 7,      // an identifier, stored as vaString
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,    // 4-byte length, then the bytes
    vaSet = 11,
    vaLString = 12,   // 4-byte length, then the bytes
    vaNil = 13,
    vaCollection = 14, // items as lists of named values, up to vaNull
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,   // 4-byte count of UTF-16 units, then the units
    vaInt64 = 19,
    vaUTF8String = 20 // 4-byte length, then UTF-8 bytes
};

using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;
using TStreamProc = std::function<void(TStream& Stream)>;

// What readers and writers share: the stream and the root object the stream belongs to.
class TFiler {
public:
    explicit TFiler(TStream& Stream) : FStream(Stream) {}
    virtual ~TFiler() = default;
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    TStream& Stream() const { return FStream; }
    // The object whose tree is read or written (a report for its objects); nullptr when none.
    TPersistent* Root = nullptr;

    // Called from DefineProperties: an extra property with its read and write procedures.
    // HasData tells the writer whether there is anything to write.
    virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                                bool HasData) = 0;
    // An extra property whose value is a block of bytes (vaBinary); the procedures read and
    // write the bytes themselves.
    virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData,
                                      const TStreamProc& WriteData, bool HasData) = 0;

private:
    TStream& FStream;
};

class TReader : public TFiler {
public:
    using TFiler::TFiler;

    // Reads one extra property of Instance: its name, then its value through the procedure
    // Instance defines for that name. A name Instance does not define, or a value that does not
    // fit its tag, raises EReadError.
    void ReadProperty(TPersistent& Instance);
    // Reads extra properties until the stream ends.
    void ReadProperties(TPersistent& Instance);
    bool AtEnd() const;

    TValueType ReadValue();
    TValueType NextValue() const; // the next tag without consuming it
    void CheckValue(TValueType Value);
    bool EndOfList() const { return NextValue() == vaNull; }
    void ReadListBegin() { CheckValue(vaList); }
    void ReadListEnd() { CheckValue(vaNull); }
    // Integers of any of the integer tags.
    Integer ReadInteger();
    Int64 ReadInt64();
    bool ReadBoolean();
    Extended ReadFloat();
    // vaString, vaLString, vaUTF8String and vaWString (converted to UTF-8); bytes as stored.
    String ReadString();
    // A name: one length byte, then the characters.
    String ReadStr();
    // vaBinary: the block's bytes.
    String ReadBinary();
    // vaCollection: every item is a list of published property names and their values; a dotted
    // name ("Footer.ValueType") reaches a property of a sub-object, and a nested collection fills
    // the item's collection property.
    void ReadCollection(TCollection& Collection);
    // Skips one value of any tag.
    void SkipValue();

    String ReadBytes(Int64 Count);
    Byte ReadByte();

private:
    const String* FWantedName = nullptr;
    bool FFound = false;
    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;
    // Reads the value of the published property the (possibly dotted) name gives; skips it when
    // there is none.
    void ReadStoredProperty(TObject& Instance, const String& Name);
};

class TWriter : public TFiler {
public:
    using TFiler::TFiler;

    // Writes every extra property of Instance that has data: name, then value.
    void WriteProperties(TPersistent& Instance);

    void WriteValue(TValueType Value);
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    // The smallest integer tag that holds the value.
    void WriteInteger(Int64 Value);
    void WriteBoolean(bool Value);
    void WriteFloat(Extended Value);
    // vaString up to 255 bytes, vaLString beyond; the bytes as they are.
    void WriteString(const String& Value);
    // Always vaLString (4-byte length).
    void WriteLongString(const String& Value);
    void WriteStr(const String& Name);
    void WriteBinary(const String& Bytes);
    // vaCollection: every item as a list of its stored published ordinal, float and string
    // properties; a sub-object's under its dotted name, a collection property as a nested
    // collection.
    void WriteCollection(TCollection& Collection);
    void WriteBytes(const void* Data, Int64 Count);

private:
    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;
    void WriteStoredProperties(TObject& Instance, const String& Prefix);
};
