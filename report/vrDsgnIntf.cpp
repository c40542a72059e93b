// The five plug-in registries.
#include "report/vrDsgnIntf.h"

#include "classes/ClassRegistry.h"
#include "classes/MetaBuilder.h"
#include "report/vrClass.h"
#include "rtl/StrUtils.h"

#include <memory>

ORV_META_IMPL(TvrObjectItem)
void TvrObjectItem::DeclareMeta(meta::Class<TvrObjectItem>&) {}
ORV_META_IMPL(TvrObjectCollection)
void TvrObjectCollection::DeclareMeta(meta::Class<TvrObjectCollection>&) {}

TvrObjectCollection::TvrObjectCollection() : TCollection(TvrObjectItem::StaticClassInfo()) {}

void TvrObjectCollection::RegisterObject(const meta::TClassInfo* ClassRef, TBitmap* ButtonBitmap,
                                         const String& ButtonHint, const String& CategoryName, Word GroupIndex,
                                         Integer ButtonImageIndex, Byte CategoryFlags) {
    for (int i = 0; ClassRef && i < Count(); ++i)
        if (Items(i)->ClassRef == ClassRef && Items(i)->GroupIndex == GroupIndex) return;
    if (ClassRef) RegisterClass(*ClassRef);
    auto* item = static_cast<TvrObjectItem*>(Add());
    item->ClassRef = ClassRef;
    item->ButtonBitmap = ButtonBitmap;
    item->ButtonImageIndex = ButtonImageIndex;
    item->ButtonHint = ButtonHint;
    item->CategoryName = CategoryName;
    item->GroupIndex = GroupIndex;
    item->CategoryFlags = CategoryFlags;
    if (ClassRef && CategoryFlags == 0) {
        if (ClassRef->InheritsFrom(TvrDataSet::StaticClassInfo()) ||
            ClassRef->InheritsFrom(TvrCustomDatabase::StaticClassInfo()))
            item->CategoryFlags = vrcfDataSets;
        else if (ClassRef->InheritsFrom("TvrDialogControl") ||
                 ClassRef->InheritsFrom(TvrDialogComponent::StaticClassInfo()))
            item->CategoryFlags = vrcfDialogControls;
        else
            item->CategoryFlags = vrcfReportObjects;
    }
}

void TvrObjectCollection::RegisterCategory(const String& CategoryName, TBitmap* ButtonBitmap,
                                           const String& ButtonHint, Integer ButtonImageIndex) {
    RegisterObject(nullptr, ButtonBitmap, ButtonHint, CategoryName, 0, ButtonImageIndex, 0);
}

void TvrObjectCollection::Unregister(const meta::TClassInfo* ClassRef) {
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->ClassRef == ClassRef) Delete(i);
}

// --- component editors ----------------------------------------------------------------------------

ORV_META_IMPL(TvrComponentEditorItem)
void TvrComponentEditorItem::DeclareMeta(meta::Class<TvrComponentEditorItem>&) {}
ORV_META_IMPL(TvrComponentEditorCollection)
void TvrComponentEditorCollection::DeclareMeta(meta::Class<TvrComponentEditorCollection>&) {}

TvrComponentEditorCollection::TvrComponentEditorCollection()
    : TCollection(TvrComponentEditorItem::StaticClassInfo()) {}

void TvrComponentEditorCollection::Register(const meta::TClassInfo* ComponentClass,
                                            const TvrComponentEditorClass* EditorClass) {
    auto* item = static_cast<TvrComponentEditorItem*>(Add());
    item->ComponentClass = ComponentClass;
    item->EditorClass = EditorClass;
}

const TvrComponentEditorClass* TvrComponentEditorCollection::FindEditorClass(const TvrComponent* Component) const {
    if (!Component) return nullptr;
    const meta::TClassInfo& cls = meta::ClassInfoOf(*Component);
    const TvrComponentEditorClass* found = nullptr;
    for (int i = 0; i < Count(); ++i) {
        const TvrComponentEditorItem* item = Items(i);
        if (!item->ComponentClass) continue;
        if (item->ComponentClass == &cls) return item->EditorClass;
        if (cls.InheritsFrom(*item->ComponentClass)) found = item->EditorClass;
    }
    return found;
}

std::unique_ptr<TObject> TvrComponentEditorCollection::MakeComponentEditor(TvrComponent* Component,
                                                                           TObject* Designer, TObject* Menu) const {
    const TvrComponentEditorClass* editor = FindEditorClass(Component);
    if (!editor || !editor->Create) return nullptr;
    return editor->Create(Component, Designer, Menu);
}

// --- property editors -----------------------------------------------------------------------------

ORV_META_IMPL(TvrPropertyEditorItem)
void TvrPropertyEditorItem::DeclareMeta(meta::Class<TvrPropertyEditorItem>&) {}
ORV_META_IMPL(TvrPropertyEditorCollection)
void TvrPropertyEditorCollection::DeclareMeta(meta::Class<TvrPropertyEditorCollection>&) {}

TvrPropertyEditorCollection::TvrPropertyEditorCollection()
    : TCollection(TvrPropertyEditorItem::StaticClassInfo()) {}

void TvrPropertyEditorCollection::Register(const String& PropertyType, const meta::TClassInfo* ComponentClass,
                                           const String& PropertyName, const TvrPropertyEditorClass* EditorClass) {
    auto* item = static_cast<TvrPropertyEditorItem*>(Add());
    item->PropertyType = PropertyType;
    item->ComponentClass = ComponentClass;
    item->PropertyName = PropertyName;
    item->EditorClass = EditorClass;
}

void TvrPropertyEditorCollection::RegisterEventEditor(const TvrPropertyEditorClass* EditorClass) {
    Register(String(), nullptr, String(), EditorClass);
    EventEditorIndex = Count() - 1;
}

Integer TvrPropertyEditorCollection::GetEditorIndex(const String& PropertyType, const TObject* Instance,
                                                    const String& PropertyName) const {
    const String lower = LowerCase(PropertyType);
    const size_t ev = lower.find("event");
    if (StartsStr("tvr", lower) && ev != String::npos && ev + 5 == lower.size()) return EventEditorIndex;
    Integer typeOnly = -1;
    for (int i = Count() - 1; i >= 0; --i) {
        const TvrPropertyEditorItem* item = Items(i);
        if (static_cast<Integer>(i) == EventEditorIndex) continue;
        if (!item->ComponentClass) {
            if (item->PropertyType.empty() || item->PropertyType != PropertyType) continue;
            if (item->PropertyName.empty())
                typeOnly = i;
            else if (SameText(item->PropertyName, PropertyName))
                return i;
        } else if (Instance && meta::ClassInfoOf(*Instance).InheritsFrom(*item->ComponentClass) &&
                   SameText(item->PropertyName, PropertyName)) {
            return i;
        }
    }
    return typeOnly;
}

void TvrPropertyEditorCollection::HideProperties(const meta::TClassInfo* ClassRef, const String& Names) {
    size_t start = 0;
    while (start <= Names.size()) {
        size_t end = Names.find(';', start);
        if (end == String::npos) end = Names.size();
        const String name = Trim(Names.substr(start, end - start));
        if (!name.empty()) Register(String(), ClassRef, name, nullptr);
        start = end + 1;
    }
}

// --- export filters and wizards ---------------------------------------------------------------------

ORV_META_IMPL(TvrExportFilterItem)
void TvrExportFilterItem::DeclareMeta(meta::Class<TvrExportFilterItem>&) {}
ORV_META_IMPL(TvrExportFilterCollection)
void TvrExportFilterCollection::DeclareMeta(meta::Class<TvrExportFilterCollection>&) {}

TvrExportFilterCollection::TvrExportFilterCollection() : TCollection(TvrExportFilterItem::StaticClassInfo()) {}

void TvrExportFilterCollection::Register(TvrCustomExportFilter* Filter) {
    if (!Filter) return;
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Filter == Filter) return;
    static_cast<TvrExportFilterItem*>(Add())->Filter = Filter;
}

void TvrExportFilterCollection::Unregister(TvrCustomExportFilter* Filter) {
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->Filter == Filter) Delete(i);
}

ORV_META_IMPL(TvrWizardItem)
void TvrWizardItem::DeclareMeta(meta::Class<TvrWizardItem>&) {}
ORV_META_IMPL(TvrWizardCollection)
void TvrWizardCollection::DeclareMeta(meta::Class<TvrWizardCollection>&) {}

TvrWizardCollection::TvrWizardCollection() : TCollection(TvrWizardItem::StaticClassInfo()) {}

void TvrWizardCollection::Register(const meta::TClassInfo* ClassRef, Integer ButtonImageIndex) {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->ClassRef == ClassRef) return;
    auto* item = static_cast<TvrWizardItem*>(Add());
    item->ClassRef = ClassRef;
    item->ButtonImageIndex = ButtonImageIndex;
}

void TvrWizardCollection::Unregister(const meta::TClassInfo* ClassRef) {
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->ClassRef == ClassRef) Delete(i);
}

// --- accessors ------------------------------------------------------------------------------------

namespace {
struct TRegistries {
    std::unique_ptr<TvrObjectCollection> Objects;
    std::unique_ptr<TvrComponentEditorCollection> ComponentEditors;
    std::unique_ptr<TvrPropertyEditorCollection> PropertyEditors;
    std::unique_ptr<TvrExportFilterCollection> ExportFilters;
    std::unique_ptr<TvrWizardCollection> Wizards;
};
TRegistries& Registries() {
    static TRegistries r;
    return r;
}
template <class T> T* Lazy(std::unique_ptr<T>& p) {
    if (!p) p = std::make_unique<T>();
    return p.get();
}
} // namespace

TvrObjectCollection* ReportObjectRegistry() {
    return Lazy(Registries().Objects);
}
TvrComponentEditorCollection* ComponentEditorRegistry() {
    return Lazy(Registries().ComponentEditors);
}
TvrPropertyEditorCollection* PropertyEditorRegistry() {
    return Lazy(Registries().PropertyEditors);
}
TvrExportFilterCollection* ExportFilterRegistry() {
    return Lazy(Registries().ExportFilters);
}
TvrWizardCollection* WizardRegistry() {
    return Lazy(Registries().Wizards);
}

void FreeRegistries() {
    TRegistries& r = Registries();
    r.Objects.reset();
    r.ComponentEditors.reset();
    r.PropertyEditors.reset();
    r.ExportFilters.reset();
    r.Wizards.reset();
}
