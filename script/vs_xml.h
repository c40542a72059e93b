// The script interpreter's own small XML model. It holds the language grammars, the intermediate
// form of compiled scripts and the function and class listings of the designer.
//
// An element keeps its attributes as the raw text between its name and the end of its tag
// («text="a" pos="1:5"», values escaped) and looks an attribute up by name in that text; there
// is no text content, no namespace and no entity table. Every value is carried in attributes.
#pragma once

#include "rtl/Object.h"
#include "rtl/Types.h"

#include <memory>
#include <vector>

class TStream;

// One element. An item owns its children: destroying it frees them and takes it out of its
// parent's list. The child list exists only once a child was added.
class TvsXMLItem : public TObject {
public:
    TvsXMLItem() = default;
    ~TvsXMLItem() override;
    String ClassName() const override { return "TvsXMLItem"; }

    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    // The raw attribute text, values escaped.
    const String& Text() const { return FText; }
    void SetText(const String& Value) { FText = Value; }
    // An integer for the caller's use; copied by Assign, never written to a file.
    Integer Data() const { return FData; }
    void SetData(Integer Value) { FData = Value; }
    TvsXMLItem* Parent() const { return FParent; }

    Integer Count() const { return FItems ? static_cast<Integer>(FItems->size()) : 0; }
    // The child at Index; raises EListError outside 0 .. Count - 1.
    TvsXMLItem* Items(Integer Index) const;
    TvsXMLItem* operator[](Integer Index) const { return Items(Index); }

    // Creates a child and appends it.
    TvsXMLItem* Add();
    // Appends Item, taking it out of its previous parent first. The item then belongs to this
    // one; an item without a parent is adopted. Add, AddItem and InsertItem raise EvsScriptError
    // STooDeep when an element would stand deeper than vsMaxXMLDepth levels (the root being 1).
    void AddItem(TvsXMLItem* Item);
    // As AddItem, at Index (0 .. Count).
    void InsertItem(Integer Index, TvsXMLItem* Item);
    // Frees all children and the child list.
    void Clear();
    // Index of the first child whose name equals Name without regard to case; -1 when none.
    Integer Find(const String& Name) const;
    // That child; a new child of that name is appended and returned when there is none.
    TvsXMLItem* FindItem(const String& Name);
    // The topmost ancestor (this item when it has no parent).
    TvsXMLItem* Root();

    // The value of the attribute Name (found without regard to case), decoded; empty when absent.
    String Prop(const String& Name) const;
    // Replaces the attribute's value in place, or appends the attribute.
    void SetProp(const String& Name, const String& Value);

    // Clears this item and copies Source's name, text, data and children into it; a null Source
    // only clears.
    void Assign(const TvsXMLItem* Source);

private:
    void Detach();
    // The number of levels below Item (0 for an item without children).
    static int Height(const TvsXMLItem& Item);

    String FName;
    String FText;
    Integer FData = 0;
    TvsXMLItem* FParent = nullptr;
    std::unique_ptr<std::vector<TvsXMLItem*>> FItems; // owned children
};

// A document: the root item and the indentation switch for writing.
class TvsXMLDocument : public TObject {
public:
    TvsXMLDocument();
    ~TvsXMLDocument() override;
    String ClassName() const override { return "TvsXMLDocument"; }

    TvsXMLItem* Root() const { return FRoot.get(); }
    // On: every tag on its own line (CR LF), two blanks of indentation per level. Off (the
    // default): no line breaks and no indentation.
    bool AutoIndent = false;

    // Clear the root and read a document into it from the stream's current position. The stream
    // is left just after the last byte the reader used (the end of the root element).
    // Raises EvsScriptError "Invalid file format" for a missing declaration, a "<" inside a tag,
    // an unterminated tag or a mismatched closing tag, and STooDeep for elements nested deeper
    // than vsMaxXMLDepth.
    void LoadFromStream(TStream& Stream);
    void LoadFromFile(const String& FileName);
    // Reads a document held in a string (grammars, intermediate form).
    void LoadFromString(const String& Text);

    // Write the declaration and the root.
    void SaveToStream(TStream& Stream) const;
    void SaveToFile(const String& FileName) const;
    String SaveToString() const;

private:
    std::unique_ptr<TvsXMLItem> FRoot;
};

// Escaping of attribute values: line feed, carriage return, double quote, "&", "<" and ">"
// become "&#N;" with N the decimal character code. Bytes 128 to 255 stay as they are.
String vsXMLEscape(const String& Value);
// Decoding: "&#N;" becomes the character of code N (low 8 bits), "&quot;" a double quote; any
// other "&" sequence stays as it is. A reference whose number is not a number raises
// EConvertError.
String vsXMLUnescape(const String& Value);
