// The report library's XML dialect: elements with a name, a raw attribute text and children.
// Attribute values stay escaped in the raw text and are searched by name only when asked for,
// so a large layout loads without parsing a single value. Layout, prepared-report, style,
// variable and resource files all go through these classes.
#pragma once

#include "rtl/Object.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"
#include "rtl/Variant.h"

#include <memory>
#include <vector>

// Raised by the reader for text that is not a document of this dialect.
class TvrInvalidXMLException : public Exception {
public:
    TvrInvalidXMLException() : Exception("Invalid file format") {}
    using Exception::Exception;
};

// Replaces line feed, carriage return, double quote, ampersand, "<" and ">" by decimal character
// references ("a<b" gives "a&#60;b", "&" gives "&#38;"). Every ampersand is escaped, so any text
// reads back through UnescapeXMLText exactly as it was written.
String EscapeXMLText(const String& text);
// Decodes decimal character references ("&#65;") and "&quot;", "&amp;", "&lt;", "&gt;" in one
// forward pass; a decoded character is not looked at again. An ampersand that begins none of
// these (a lone "&", "&apos;", "&#x41;", "&#;", "&#65" without ";") stays as it is.
String UnescapeXMLText(const String& text);
// The attribute text of a value: integers in decimal, floats and currency in the platform's
// shortest form, a date as its short date, strings escaped, a Boolean as "1" or "0", and an
// empty text for empty, null and arrays.
String VariantToXMLText(const Variant& value);

// One element. An element belongs to at most one parent, which owns it: appending it elsewhere
// takes it out of the old parent, and destroying it takes it out of its parent's list.
class TvrXMLItem : public TObject {
public:
    TvrXMLItem() = default;
    ~TvrXMLItem() override;
    String ClassName() const override { return "TvrXMLItem"; }

    String Name;                // element name; lookups by name ignore case
    String AttrText;            // raw attribute text, values still escaped
    String Content;             // written between the tags of a childless element; never filled by reading
    std::intptr_t UserData = 0; // for the owner's use
    bool IsLoaded = true;       // false while the children are swapped out
    bool IsUnloadable = false;  // the children may be swapped out to the document's stream
    Int64 StreamOffset = 0;     // where the element's tag starts in the stream it can be read from

    TvrXMLItem* Parent() const { return FParent; }

    // Frees every child; an unloadable element becomes not loaded.
    void Clear();
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    int GetCount() const { return ItemCount(); }
    // The child at index; EListError "List index out of bounds (%d)" outside the list.
    TvrXMLItem* GetItem(int index) const;
    // A new empty child appended at the end.
    TvrXMLItem* Add();
    // Appends an element (taking it from its old parent); this element owns it from then on.
    void AppendItem(TvrXMLItem* item);
    // Appends an element and moves it to index.
    void InsertItemAt(int index, TvrXMLItem* item);
    // Index of the first child whose name equals name without regard to case; -1 when none.
    int IndexOfName(const String& name) const;
    // That child, or a new child of that name appended at the end.
    TvrXMLItem* FindItem(const String& name);
    int IndexOfItem(const TvrXMLItem* item) const;

    // The unescaped value of the attribute name (case-blind), empty when absent.
    String GetProp(const String& name) const;
    // Replaces the attribute's value in place, or appends name="value" at the end.
    void SetProp(const String& name, const String& value);
    bool PropExists(const String& name) const;

private:
    friend class TvrXMLDocument;
    friend class TvrXMLReader;
    void DetachChild(TvrXMLItem* item);
    // Position of the name (after the search blank) in AttrText, or npos.
    size_t FindProp(const String& name) const;

    TvrXMLItem* FParent = nullptr;
    std::vector<TvrXMLItem*> FItems; // owned
    bool FInSwapFile = false;        // StreamOffset refers to the swap file, not the kept input stream
};

// Reads tags and element trees from a stream through a 4096-byte buffer. Destroying the reader
// leaves the stream just after the last character it consumed.
class TvrXMLReader {
public:
    explicit TvrXMLReader(TStream& stream);
    ~TvrXMLReader();
    TvrXMLReader(const TvrXMLReader&) = delete;
    TvrXMLReader& operator=(const TvrXMLReader&) = delete;

    // Reads the "<?xml ...?>" declaration (comments before it are skipped) and sets LegacyFormat.
    void ReadDeclaration();
    void ReadHeader() { ReadDeclaration(); }
    // Reads the next tag; false (with an empty name) when the input ends outside a tag.
    bool ReadTag(String& name, String& attrText);
    // Reads one element with its children into item. False when an end mark (a closing tag or
    // the end of the input) came instead of an element. Unless readAll, an element marked
    // ld="0" is left swapped out: no children, IsLoaded false, StreamOffset at its tag.
    bool ReadRootItem(TvrXMLItem& item, bool readAll);

    bool LegacyFormat() const { return FLegacyFormat; }
    // The stream position of the next character to be consumed.
    Int64 Position() const { return FBufferStart + static_cast<Int64>(FBufferPos); }

    // Deeper nesting than this is taken for a damaged file.
    static constexpr int MaxDepth = 1000;

private:
    enum class TEndMark { None, ClosingTag, EndOfInput };
    TEndMark ReadElement(TvrXMLItem& item, bool readAll, int depth, String& closingName);
    bool FillBuffer();

    TStream& FStream;
    Int64 FSize = 0;
    Int64 FBufferStart = 0; // stream position of FBuffer[0]
    size_t FBufferPos = 0;
    size_t FBufferLen = 0;
    std::vector<char> FBuffer;
    String FTag; // collects the text of one tag
    bool FLegacyFormat = false;
};

// Writes element trees to a stream, in pieces of a little over 4096 characters.
class TvrXMLWriter {
public:
    explicit TvrXMLWriter(TStream& stream);
    TvrXMLWriter(const TvrXMLWriter&) = delete;
    TvrXMLWriter& operator=(const TvrXMLWriter&) = delete;

    bool IndentOutput = false;
    // The document whose swapped-out elements are read back while they are written.
    class TvrXMLDocument* ReadBackDocument = nullptr;

    void AppendLine(const String& s);
    // The declaration line; with standalone, standalone="no" is added (see DeclareUtf8Texts).
    void WriteDeclaration(bool standalone = false);
    void WriteTag(const TvrXMLItem& item, int level);
    // Writes item with all its children and writes the buffer out.
    void WriteTree(TvrXMLItem& item, int level = 0);
    void Flush();

private:
    void WriteItems(TvrXMLItem& item, int level);

    TStream& FStream;
    String FBuffer;
};

// A tree of elements bound to a stream; large documents can keep parts swapped out.
class TvrXMLDocument : public TObject {
public:
    TvrXMLDocument();
    ~TvrXMLDocument() override;
    String ClassName() const override { return "TvrXMLDocument"; }

    bool IndentOutput = false; // one element per line, two blanks of indent per level
    String TempFolder;         // folder of the swap file; empty for the system's temporary folder
    bool LegacyFormat = true;  // after a load: the file's declaration is version 1.0 without standalone
    // The declaration written says standalone="no": the document's texts are UTF-8, and a
    // reader takes it for a document of the current format (LegacyFormat false).
    bool DeclareUtf8Texts = false;

    TvrXMLItem* RootItem() const { return FRoot.get(); }
    TvrXMLItem* Root() const { return FRoot.get(); }

    // Clears the root and releases the swap file and any kept input stream.
    void Clear();
    // Reads the declaration and the first element in full; the stream stays the caller's.
    void LoadFromStream(TStream& stream);
    // The document takes the stream. With partial loading, elements marked ld="0" stay in the
    // stream, which the document keeps until it is cleared, loads again or is destroyed.
    void LoadFromStream(std::unique_ptr<TStream> stream, bool allowPartialLoading);
    // Opens the file for reading and loads it with partial loading; the file stays open.
    void LoadFromFile(const String& fileName);
    void SaveToStream(TStream& stream);
    // Writes the document to a new file beside fileName and renames it over fileName, so a
    // failed write leaves the old file as it was.
    void SaveToFile(const String& fileName);

    // Reads a swapped-out element back; its attribute text as it stands in memory is kept.
    void LoadItem(TvrXMLItem& item);
    // Appends a loaded, unloadable element's tree to the swap file and frees its children.
    void UnloadItem(TvrXMLItem& item);

private:
    friend class TvrXMLWriter;
    void Load(TStream& stream, bool readAll);
    void ReleaseStreams();
    void OpenSwapFile();
    TStream* StreamOf(const TvrXMLItem& item) const;
    // Reads the element back from its stream into item, keeping item's attribute text.
    void ReadBack(TvrXMLItem& item);

    std::unique_ptr<TvrXMLItem> FRoot;
    std::unique_ptr<TStream> FInputStream; // kept after a partial load
    std::unique_ptr<TStream> FSwapStream;  // the swap file
    String FSwapFileName;
};
