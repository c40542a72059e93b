// The plug-in registries through which separately built parts of the report library find each
// other: report object classes with their palette buttons, component editors, property editors,
// export filters and wizards. Each is made on first use and freed at exit.
#pragma once

#include "classes/Collection.h"
#include "classes/Meta.h"

#include "rtl/StringList.h"

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

class TvrPropertyEditor;

// A property editor class: its name and how to make an editor for a designer. nullptr in an entry
// hides the property.
struct TvrPropertyEditorClass {
    String Name;
    TvrPropertyEditor* (*Create)(TObject* Designer) = nullptr;
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

// --- property and component editors -------------------------------------------------------------

class TCanvas;
class TMenuItem;
class TPopupMenu;
class TWinControl;
struct TRect;
namespace meta {
struct TPropInfo;
}

// One row of the object inspector: shows and edits one published property of the edited objects
// (the first one is read; writes go to all of them). The designer travels as a TObject*.
class TvrPropertyEditor : public TObject {
public:
    // Attribute bits of GetAttributes.
    enum : Integer {
        HasValueList = 1,     // a drop-down list of GetValues
        SortedValues = 2,     // GetValues sorts its list
        HasDialog = 4,        // a button that calls Edit
        MultiObject = 8,      // the row stays in a list built for several selected objects
        HasSubProperties = 16, // the row expands into sub-properties
        ReadOnlyText = 32,    // the value cannot be typed in
        OwnerDrawn = 64,      // PaintValue and DrawListItem draw the value and the list entries
    };

    explicit TvrPropertyEditor(TObject* Designer);
    ~TvrPropertyEditor() override;
    String ClassName() const override { return "TvrPropertyEditor"; }

    // The next value of GetValues after the current one (the first after the last or an unlisted
    // one); False when there are no values.
    virtual bool Edit();
    virtual Integer GetAttributes();
    virtual String GetName();
    virtual Integer GetExtraListWidth();
    virtual String ValueText();
    // Clears the value list, sorted exactly when the attributes hold SortedValues.
    virtual void GetValues();
    virtual void ApplyValueText(const String& Text);
    // listControl is a list box or a combo box; its canvas draws entry index into r.
    virtual void DrawListItem(TWinControl* ListControl, Integer Index, const TRect& R, Integer State);
    virtual void PaintValue(TCanvas* Canvas, const TRect& R);

    // An edited object and its property record (one per object, all for the same name).
    void AddObject(TPersistent* Obj, const meta::TPropInfo* Prop);
    Integer ObjectCount() const { return static_cast<Integer>(FObjects.size()); }
    TPersistent* Objects(Integer Index) const { return FObjects[static_cast<size_t>(Index)]; }
    TPersistent* EditedObject() const { return FObjects.empty() ? nullptr : FObjects.front(); }
    TvrComponent* GetReportComponent() const;
    const meta::TPropInfo* EditedPropertyInfo() const { return FProps.empty() ? nullptr : FProps.front(); }
    TObject* Designer() const { return FDesigner; }

    Int64 GetOrdValue() const;
    Extended GetFloatValue() const;
    String GetStrValue() const;
    // Write into every edited object whose property can be written; read-only ones are passed over.
    void SetOrdValue(Int64 Value);
    void SetFloatValue(Extended Value);
    void SetStrValue(const String& Value);
    // Appends to the value list (the call-back of the colour, charset and cursor enumerations).
    void AppendValue(const String& Text);
    TStringList& Values() { return *FValues; }

    Integer RowHeight = 0;

protected:
    // Raises the "prInvProp" error.
    [[noreturn]] static void InvalidValue();
    TObject* FDesigner;
    std::vector<TPersistent*> FObjects;
    std::vector<const meta::TPropInfo*> FProps;
    std::unique_ptr<TStringList> FValues;
};

// The class record of an editor class E, made once.
template <class E> const TvrPropertyEditorClass* vrPropertyEditorClassOf(const char* Name) {
    static const TvrPropertyEditorClass cls{Name, [](TObject* Designer) -> TvrPropertyEditor* { return new E(Designer); }};
    return &cls;
}

// The typed editors.
class TvrIntegerProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrIntegerProperty"; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
};

class TvrFloatProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrFloatProperty"; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
};

class TvrCharProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrCharProperty"; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
};

class TvrStringProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrStringProperty"; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
};

class TvrEnumProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrEnumProperty"; }
    Integer GetAttributes() override { return 11; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
    void GetValues() override;
};

class TvrSetProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrSetProperty"; }
    Integer GetAttributes() override { return 56; }
    String ValueText() override;
};

class TvrSetElementProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrSetElementProperty"; }
    Integer Element = 0;
    Integer GetAttributes() override { return 11; }
    String GetName() override;
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
    void GetValues() override;
};

class TvrClassProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrClassProperty"; }
    Integer GetAttributes() override { return 56; }
    String ValueText() override;
};

class TvrComponentProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrComponentProperty"; }
    Integer GetAttributes() override { return 11; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
    void GetValues() override;
};

class TvrNameProperty : public TvrStringProperty {
public:
    using TvrStringProperty::TvrStringProperty;
    String ClassName() const override { return "TvrNameProperty"; }
    Integer GetAttributes() override { return 0; }
};

class TvrColorProperty : public TvrIntegerProperty {
public:
    using TvrIntegerProperty::TvrIntegerProperty;
    String ClassName() const override { return "TvrColorProperty"; }
    Integer GetAttributes() override { return 73; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
    void GetValues() override;
    bool Edit() override;
    void DrawListItem(TWinControl* ListControl, Integer Index, const TRect& R, Integer State) override;
    void PaintValue(TCanvas* Canvas, const TRect& R) override;
};

class TvrFontProperty : public TvrClassProperty {
public:
    using TvrClassProperty::TvrClassProperty;
    String ClassName() const override { return "TvrFontProperty"; }
    Integer GetAttributes() override { return 60; }
    bool Edit() override;
};

class TvrFontNameProperty : public TvrStringProperty {
public:
    using TvrStringProperty::TvrStringProperty;
    String ClassName() const override { return "TvrFontNameProperty"; }
    Integer GetAttributes() override { return 11; }
    void GetValues() override;
};

class TvrFontCharsetProperty : public TvrIntegerProperty {
public:
    using TvrIntegerProperty::TvrIntegerProperty;
    String ClassName() const override { return "TvrFontCharsetProperty"; }
    Integer GetAttributes() override { return 11; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
    void GetValues() override;
};

class TvrModalResultProperty : public TvrIntegerProperty {
public:
    using TvrIntegerProperty::TvrIntegerProperty;
    String ClassName() const override { return "TvrModalResultProperty"; }
    Integer GetAttributes() override { return 9; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
    void GetValues() override;
};

class TvrShortCutProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrShortCutProperty"; }
    Integer GetAttributes() override { return 9; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
    void GetValues() override;
};

class TvrCursorProperty : public TvrIntegerProperty {
public:
    using TvrIntegerProperty::TvrIntegerProperty;
    String ClassName() const override { return "TvrCursorProperty"; }
    Integer GetAttributes() override { return 11; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
    void GetValues() override;
};

class TvrDateTimeProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrDateTimeProperty"; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
};

class TvrDateProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrDateProperty"; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
};

class TvrTimeProperty : public TvrPropertyEditor {
public:
    using TvrPropertyEditor::TvrPropertyEditor;
    String ClassName() const override { return "TvrTimeProperty"; }
    String ValueText() override;
    void ApplyValueText(const String& Text) override;
};

// Enters the standard editors into the property-editor registry (the library's start-up).
void vrRegisterStandardPropertyEditors();

// The context-menu and double-click editor of a report object; made by MakeComponentEditor with
// the object, the designer and the popup menu it may fill.
class TvrComponentEditor : public TObject {
public:
    TvrComponentEditor(TvrComponent* Component, TObject* Designer, TPopupMenu* Menu)
        : FComponent(Component), FDesigner(Designer), FMenu(Menu) {}
    String ClassName() const override { return "TvrComponentEditor"; }
    virtual bool Edit() { return false; }
    virtual bool HasEditor() { return false; }
    virtual void GetMenuItems() {}
    // Applies a menu command; true when the report changed.
    virtual bool Execute(Integer Tag, bool Checked) {
        (void)Tag;
        (void)Checked;
        return false;
    }
    // A menu item owned by the popup menu, appended to its items.
    TMenuItem* AddMenuItem(const String& Caption, Integer Tag, bool Checked);
    TvrComponent* Component() const { return FComponent; }
    TObject* Designer() const { return FDesigner; }
    TPopupMenu* Menu() const { return FMenu; }

protected:
    TvrComponent* FComponent;
    TObject* FDesigner;
    TPopupMenu* FMenu;
};

class TvrPropertyList;

// A row of a property list: its editor, whether the inspector shows it expanded, and its
// sub-property list (nullptr for a plain row). The item frees both.
class TvrPropertyItem : public TCollectionItem {
    ORV_META(TvrPropertyItem, TCollectionItem)
    explicit TvrPropertyItem(TCollection* Collection) : TCollectionItem(Collection) {}
    ~TvrPropertyItem() override;
    std::unique_ptr<TvrPropertyEditor> Editor;
    bool Expanded = false;
    std::unique_ptr<TvrPropertyList> SubProperties;
};

// The rows of one object's published properties, sorted by name, one editor each.
class TvrPropertyList : public TCollection {
    ORV_META(TvrPropertyList, TCollection)
    explicit TvrPropertyList(TObject* Designer = nullptr);
    TvrPropertyItem* Items(int Index) const { return static_cast<TvrPropertyItem*>(TCollection::Items(Index)); }
    TvrPropertyItem* Add() { return static_cast<TvrPropertyItem*>(TCollection::Add()); }
    // Remembers the object, clears the list and fills it.
    void SetComponent(TPersistent* Obj);
    TPersistent* Component() const { return FComponent; }
    TObject* Designer() const { return FDesigner; }
    TvrPropertyList* ParentList = nullptr;

private:
    TPersistent* FComponent = nullptr;
    TObject* FDesigner;
};

// The list for a selection: the properties every object shares (same kind and name, editors that
// allow several objects), each editor editing all of them. nullptr for an empty selection.
std::unique_ptr<TvrPropertyList> BuildSelectionPropertyList(const std::vector<TPersistent*>& Objects,
                                                           TObject* Designer);
