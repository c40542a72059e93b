// The layout serializer: report object trees to elements of the report XML dialect and back, each
// object's published properties written as attributes. It also reads and writes the items of
// style, variable and data-set collections.
#pragma once

#include "classes/Meta.h"
#include "report/vrXML.h"
#include "rtl/StringList.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class TPersistent;
class TComponent;
class TCollectionItem;
class TvrComponent;
class TvrReport;

struct TvrFixupItem {
    TObject* Instance = nullptr;
    const meta::TPropInfo* Prop = nullptr;
    String Reference;
};

using TvrAncestorLookup = std::function<TvrComponent*(const String& Name)>;

class TvrXMLSerializer : public TObject {
public:
    // Stream: read from or written to by the tree operations without an element.
    explicit TvrXMLSerializer(TStream* Stream = nullptr);
    ~TvrXMLSerializer() override;
    String ClassName() const override { return "TvrXMLSerializer"; }

    // Sorted, duplicates ignored: every error met while reading.
    TStringList& ErrorList() { return FErrorList; }
    std::vector<TvrFixupItem>& PendingReferences() { return FFixups; }
    TComponent* OwnerReport = nullptr;
    bool WriteDefaults = false;
    // The texts read are in the local 8-bit code page (files of the old declaration).
    bool LegacyFormat = true;
    TvrAncestorLookup AncestorLookup;

    // The attribute text of Obj (each attribute after a blank), against Ancestor when given.
    String WritePropsText(TPersistent* Obj, const String& Prefix, TPersistent* Ancestor);
    // Sets Obj's properties from an attribute text.
    void ReadProps(const String& Text, TPersistent* Obj);
    void WriteComponentTree(TvrComponent* Obj, bool SaveChildren, bool KeepClassNames, TvrXMLItem* Item);
    void ReadComponentTree(TvrComponent* Root, TvrXMLItem* Item);
    // "ClassName attr..." ↔ object.
    TvrComponent* ReadObjectText(TComponent* Owner, const String& Text);
    String WriteObjectText(TvrComponent* Obj);
    void ReadItemText(TComponent* Owner, TCollectionItem* Item, const String& Text);
    void ResolveReferences();
    void CopyPendingReferences(std::vector<TvrFixupItem>& List) const;

private:
    String ValueText(TPersistent* Obj, const meta::TPropInfo& Prop, const String& Prefix, TPersistent* Ancestor);
    void WriteItem(TvrComponent* Obj, bool SaveChildren, bool KeepClassNames, TvrXMLItem& Item, bool IsRoot);
    void ReadItem(TvrComponent* Obj, TvrXMLItem& Item);
    void SetProp(TPersistent* Obj, const String& Name, const String& RawValue);
    void ReadPropData(TPersistent* Obj, const String& Hex);
    String DecodeText(const String& Unescaped) const;
    void IndexOwnedComponents();

    TStream* FStream;
    TStringList FErrorList;
    std::vector<TvrFixupItem> FFixups;
    std::vector<TvrComponent*> FReadObjects;
    // The components OwnerReport owns, by upper-case name, while a tree is read.
    std::unordered_map<String, TComponent*> FOwnedByName;
};

// The attribute text of a collection item, as layout property data and style and variable files
// hold it.
String vrItemText(TCollectionItem& Item, TComponent* OwnerReport);

// Side files of the serializer (variables, styles, style sheets): reads a whole document and hands
// its root to Read when the root is named RootName (case ignored); any other root reads nothing.
void vrReadXMLRoot(TStream& Stream, const String& RootName,
                   const std::function<void(TvrXMLItem& Root, bool LegacyFormat)>& Read);
// Writes an indented document declaring UTF-8 texts whose root Write fills.
void vrWriteXMLRoot(TStream& Stream, const String& RootName, const std::function<void(TvrXMLItem& Root)>& Write);
