// Report variables: named values grouped in categories, the process-wide vrGlobalVariables, the
// script's associative array and variables files (root "variables").
#pragma once

#include "classes/Collection.h"
#include "rtl/StringList.h"

class TvrXMLItem;

class TvrVariable : public TCollectionItem {
    ORV_META(TvrVariable, TCollectionItem)
    explicit TvrVariable(TCollection* Collection) : TCollectionItem(Collection), Value(Null()) {}
    void Assign(const TPersistent* Source) override;
    String Name;
    Variant Value;
};

// An item whose Name begins with a blank is a category; its variables follow it.
class TvrVariables : public TCollection {
    ORV_META(TvrVariables, TCollection)
    TvrVariables();

    TvrVariable* Add() { return static_cast<TvrVariable*>(TCollection::Add()); }
    TvrVariable* Insert(int Index) { return static_cast<TvrVariable*>(TCollection::Insert(Index)); }
    TvrVariable* GetItem(int Index) const { return static_cast<TvrVariable*>(Items(Index)); }
    int IndexOf(const String& Name) const;
    // Null when there is no such variable; writing appends a missing one.
    Variant Variables(const String& Name) const;
    void SetVariable(const String& Name, const Variant& Value);

    void GetCategoriesList(TStrings& List, bool ClearFirst = true) const;
    void GetVariablesList(const String& Category, TStrings& List) const;
    void DeleteCategory(const String& Category);
    void DeleteVariable(const String& Name);
    void AddVariable(const String& Category, const String& Name, const Variant& Value);

    void LoadFromFile(const String& FileName);
    void LoadFromStream(TStream& Stream);
    // The file is replaced only once it is written completely.
    void SaveToFile(const String& FileName);
    void SaveToStream(TStream& Stream);
    void LoadFromXMLItem(TvrXMLItem& Item, bool LegacyFormat);
    void SaveToXMLItem(TvrXMLItem& Item);

private:
    int CategoryIndex(const String& Category) const;
};

// A small associative array for scripts: item names are the text forms of the index values.
class TvrArray : public TCollection {
    ORV_META(TvrArray, TCollection)
    TvrArray();
    int IndexOf(const Variant& Index) const;
    Variant Variables(const Variant& Index) const;
    void SetVariable(const Variant& Index, const Variant& Value);
};

// The process-wide variables that every report's expressions also find.
TvrVariables* vrGlobalVariables();
