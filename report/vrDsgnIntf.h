// The plug-in registries through which separately built parts of the report library find each
// other: report object classes with their palette buttons, component editors, property editors,
// export filters and wizards. Each is made on first use and freed at exit.
#pragma once

#include "classes/Collection.h"
#include "classes/Meta.h"

#include <functional>
#include <memory>
#include <vector>

class TBitmap;
class TvrComponent;
class TvrCustomExportFilter;

// Category flags of report objects.
enum : Byte { vrcfDataSets = 1, vrcfReportObjects = 2, vrcfDialogControls = 4, vrcfDotMatrix = 8 };

class TvrObjectItem : public TCollectionItem {
    ORV_META(TvrObjectItem, TCollectionItem)
    explicit TvrObjectItem(TCollection* Collection) : TCollectionItem(Collection) {}
    const meta::TClassInfo* ClassRef = nullptr; // nullptr for a category
    TBitmap* ButtonBitmap = nullptr;
    Integer ButtonImageIndex = -1;
    String ButtonHint;
    String CategoryName;
    Word GroupIndex = 0;
    Byte CategoryFlags = 0;
};

class TvrObjectCollection : public TCollection {
    ORV_META(TvrObjectCollection, TCollection)
    TvrObjectCollection();
    void RegisterObject(const meta::TClassInfo* ClassRef, TBitmap* ButtonBitmap, const String& ButtonHint,
                        const String& CategoryName, Word GroupIndex = 0, Integer ButtonImageIndex = -1,
                        Byte CategoryFlags = 0);
    void RegisterCategory(const String& CategoryName, TBitmap* ButtonBitmap, const String& ButtonHint,
                          Integer ButtonImageIndex = -1);
    void Unregister(const meta::TClassInfo* ClassRef);
    TvrObjectItem* Items(int Index) const { return static_cast<TvrObjectItem*>(TCollection::Items(Index)); }
};

// A component editor class: makes an editor for a component, a designer and a popup menu.
struct TvrComponentEditorClass {
    String Name;
    std::function<std::unique_ptr<TObject>(TvrComponent* Component, TObject* Designer, TObject* Menu)> Create;
};

class TvrComponentEditorItem : public TCollectionItem {
    ORV_META(TvrComponentEditorItem, TCollectionItem)
    explicit TvrComponentEditorItem(TCollection* Collection) : TCollectionItem(Collection) {}
    const meta::TClassInfo* ComponentClass = nullptr;
    const TvrComponentEditorClass* EditorClass = nullptr;
};

class TvrComponentEditorCollection : public TCollection {
    ORV_META(TvrComponentEditorCollection, TCollection)
    TvrComponentEditorCollection();
    void Register(const meta::TClassInfo* ComponentClass, const TvrComponentEditorClass* EditorClass);
    // The exact class's entry, else the last entry of an ancestor class; nullptr when none.
    const TvrComponentEditorClass* FindEditorClass(const TvrComponent* Component) const;
    std::unique_ptr<TObject> MakeComponentEditor(TvrComponent* Component, TObject* Designer, TObject* Menu) const;
    TvrComponentEditorItem* Items(int Index) const {
        return static_cast<TvrComponentEditorItem*>(TCollection::Items(Index));
    }
};

// A property editor class; nullptr in an entry hides the property.
struct TvrPropertyEditorClass {
    String Name;
};

class TvrPropertyEditorItem : public TCollectionItem {
    ORV_META(TvrPropertyEditorItem, TCollectionItem)
    explicit TvrPropertyEditorItem(TCollection* Collection) : TCollectionItem(Collection) {}
    String PropertyType; // the type's name; empty for none
    const meta::TClassInfo* ComponentClass = nullptr;
    String PropertyName;
    const TvrPropertyEditorClass* EditorClass = nullptr;
};

class TvrPropertyEditorCollection : public TCollection {
    ORV_META(TvrPropertyEditorCollection, TCollection)
    TvrPropertyEditorCollection();
    Integer EventEditorIndex = -1;
    void Register(const String& PropertyType, const meta::TClassInfo* ComponentClass, const String& PropertyName,
                  const TvrPropertyEditorClass* EditorClass);
    void RegisterEventEditor(const TvrPropertyEditorClass* EditorClass);
    Integer GetEditorIndex(const String& PropertyType, const TObject* Instance, const String& PropertyName) const;
    // Names separated by ";": each hidden for the class and its descendants.
    void HideProperties(const meta::TClassInfo* ClassRef, const String& Names);
    TvrPropertyEditorItem* Items(int Index) const {
        return static_cast<TvrPropertyEditorItem*>(TCollection::Items(Index));
    }
};

class TvrExportFilterItem : public TCollectionItem {
    ORV_META(TvrExportFilterItem, TCollectionItem)
    explicit TvrExportFilterItem(TCollection* Collection) : TCollectionItem(Collection) {}
    TvrCustomExportFilter* Filter = nullptr; // not owned
};

class TvrExportFilterCollection : public TCollection {
    ORV_META(TvrExportFilterCollection, TCollection)
    TvrExportFilterCollection();
    void Register(TvrCustomExportFilter* Filter);
    void Unregister(TvrCustomExportFilter* Filter);
    TvrExportFilterItem* Items(int Index) const { return static_cast<TvrExportFilterItem*>(TCollection::Items(Index)); }
};

class TvrWizardItem : public TCollectionItem {
    ORV_META(TvrWizardItem, TCollectionItem)
    explicit TvrWizardItem(TCollection* Collection) : TCollectionItem(Collection) {}
    const meta::TClassInfo* ClassRef = nullptr;
    TBitmap* ButtonBitmap = nullptr;
    Integer ButtonImageIndex = -1;
    bool IsToolsWizard = false; // kept for the designer; the registry does not use it
};

class TvrWizardCollection : public TCollection {
    ORV_META(TvrWizardCollection, TCollection)
    TvrWizardCollection();
    void Register(const meta::TClassInfo* ClassRef, Integer ButtonImageIndex);
    void Unregister(const meta::TClassInfo* ClassRef);
    TvrWizardItem* Items(int Index) const { return static_cast<TvrWizardItem*>(TCollection::Items(Index)); }
};

TvrObjectCollection* ReportObjectRegistry();
TvrComponentEditorCollection* ComponentEditorRegistry();
TvrPropertyEditorCollection* PropertyEditorRegistry();
TvrExportFilterCollection* ExportFilterRegistry();
TvrWizardCollection* WizardRegistry();
// Frees the five registries (the program's end; tests use it to start afresh).
void FreeRegistries();
