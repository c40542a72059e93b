// Property lists of the object inspector: the rows of one object and the shared rows of a
// selection.
#include "classes/MetaBuilder.h"
#include "classes/MetaProps.h"
#include "report/vrDsgnIntf.h"
#include "rtl/StrUtils.h"

#include <algorithm>

ORV_META_IMPL(TvrPropertyItem)
void TvrPropertyItem::DeclareMeta(meta::Class<TvrPropertyItem>&) {}
ORV_META_IMPL(TvrPropertyList)
void TvrPropertyList::DeclareMeta(meta::Class<TvrPropertyList>&) {}

TvrPropertyItem::~TvrPropertyItem() = default;

TvrPropertyList::TvrPropertyList(TObject* Designer)
    : TCollection(TvrPropertyItem::StaticClassInfo()), FDesigner(Designer) {}

namespace proplist {

bool DescendsFrom(const meta::TClassInfo* cls, const meta::TClassInfo& base) {
    return cls && cls->InheritsFrom(base);
}

// The default editor of a property kind; nullptr for a kind that gets no row.
const TvrPropertyEditorClass* DefaultEditor(const meta::TPropInfo& prop) {
    using meta::TPropKind;
    switch (prop.Kind) {
    case TPropKind::Integer:
        return vrPropertyEditorClassOf<TvrIntegerProperty>("TvrIntegerProperty");
    case TPropKind::Char:
        return vrPropertyEditorClassOf<TvrCharProperty>("TvrCharProperty");
    case TPropKind::Enumeration:
    case TPropKind::Boolean:
        return vrPropertyEditorClassOf<TvrEnumProperty>("TvrEnumProperty");
    case TPropKind::Float:
        return vrPropertyEditorClassOf<TvrFloatProperty>("TvrFloatProperty");
    case TPropKind::String:
    case TPropKind::WideString:
        return vrPropertyEditorClassOf<TvrStringProperty>("TvrStringProperty");
    case TPropKind::Set:
        return vrPropertyEditorClassOf<TvrSetProperty>("TvrSetProperty");
    case TPropKind::Component:
    case TPropKind::Object:
    case TPropKind::Strings: {
        const meta::TClassInfo* cls = prop.PropClass();
        if (prop.Kind == TPropKind::Strings) return vrPropertyEditorClassOf<TvrClassProperty>("TvrClassProperty");
        if (DescendsFrom(cls, TComponent::StaticClassInfo()))
            return vrPropertyEditorClassOf<TvrComponentProperty>("TvrComponentProperty");
        if (DescendsFrom(cls, TPersistent::StaticClassInfo()))
            return vrPropertyEditorClassOf<TvrClassProperty>("TvrClassProperty");
        return nullptr;
    }
    default:
        return nullptr;
    }
}

// The editor of a property of obj through the registry: nullptr for a hidden property or a kind
// without an editor.
std::unique_ptr<TvrPropertyEditor> MakeEditor(TPersistent* obj, const meta::TPropInfo& prop, TObject* designer) {
    const TvrPropertyEditorClass* cls = DefaultEditor(prop);
    if (!cls) return nullptr;
    TvrPropertyEditorCollection* registry = PropertyEditorRegistry();
    const Integer index = registry->GetEditorIndex(prop.TypeName, obj, prop.Name);
    if (index >= 0) cls = registry->Items(index)->EditorClass;
    if (!cls || !cls->Create) return nullptr;
    std::unique_ptr<TvrPropertyEditor> editor(cls->Create(designer));
    editor->AddObject(obj, &prop);
    return editor;
}

// Merging a selection: rows stay when the other list has a row of the same kind and name, and
// allow several objects; their sub-rows merge the same way.
const meta::TPropInfo* RowProp(const TvrPropertyItem* item) {
    return item->Editor->EditedPropertyInfo();
}

TvrPropertyItem* Counterpart(const TvrPropertyList* other, TvrPropertyItem* row) {
    if (!other) return nullptr;
    const String name = row->Editor->GetName();
    for (int i = 0; i < other->Count(); ++i) {
        TvrPropertyItem* o = other->Items(i);
        if (RowProp(o)->Kind == RowProp(row)->Kind && o->Editor->GetName() == name) return o;
    }
    return nullptr;
}

void Prune(TvrPropertyList* list, const TvrPropertyList* other) {
    for (int i = list->Count() - 1; i >= 0; --i) {
        TvrPropertyItem* row = list->Items(i);
        TvrPropertyItem* match = Counterpart(other, row);
        if (!match || !(row->Editor->GetAttributes() & TvrPropertyEditor::MultiObject)) {
            list->Delete(i);
            continue;
        }
        if (row->SubProperties) Prune(row->SubProperties.get(), match->SubProperties.get());
    }
}

void Merge(TvrPropertyList* first, const TvrPropertyList* other) {
    for (int i = 0; i < first->Count() && i < other->Count(); ++i) {
        TvrPropertyItem* row = first->Items(i);
        const TvrPropertyItem* o = other->Items(i);
        for (Integer k = 0; k < o->Editor->ObjectCount(); ++k)
            row->Editor->AddObject(o->Editor->Objects(k), RowProp(o));
        if (row->SubProperties && o->SubProperties) Merge(row->SubProperties.get(), o->SubProperties.get());
    }
}

} // namespace proplist

void TvrPropertyList::SetComponent(TPersistent* Obj) {
    FComponent = Obj;
    Clear();
    if (!Obj) return;
    std::vector<const meta::TPropInfo*> props;
    for (const meta::TPropInfo* p : GetPropList(Obj))
        if (p->Kind != meta::TPropKind::Method) props.push_back(p);
    std::stable_sort(props.begin(), props.end(),
                     [](const meta::TPropInfo* a, const meta::TPropInfo* b) { return CompareText(a->Name, b->Name) < 0; });
    for (const meta::TPropInfo* p : props) {
        std::unique_ptr<TvrPropertyEditor> editor = proplist::MakeEditor(Obj, *p, FDesigner);
        if (!editor) continue;
        TvrPropertyItem* row = Add();
        if (p->Kind == meta::TPropKind::Set && p->EnumInfo) {
            // One row per element of the set, lowest to highest.
            auto sub = std::make_unique<TvrPropertyList>(FDesigner);
            sub->ParentList = this;
            sub->FComponent = Obj;
            std::vector<Int64> elements;
            for (const auto& v : p->EnumInfo->Values())
                elements.push_back(v.Value);
            std::sort(elements.begin(), elements.end());
            TvrPropertyEditorCollection* registry = PropertyEditorRegistry();
            const Integer index = registry->GetEditorIndex(p->TypeName, Obj, p->Name);
            if (index < 0 || registry->Items(index)->EditorClass)
                for (Int64 element : elements) {
                    auto* e = new TvrSetElementProperty(FDesigner);
                    e->Element = static_cast<Integer>(element);
                    e->AddObject(Obj, p);
                    sub->Add()->Editor.reset(e);
                }
            row->SubProperties = std::move(sub);
        } else if (dynamic_cast<TvrClassProperty*>(editor.get())) {
            // The rows of the object the property holds; none for an unassigned property.
            auto* held = dynamic_cast<TPersistent*>(GetObjectProp(Obj, *p));
            auto sub = std::make_unique<TvrPropertyList>(FDesigner);
            sub->ParentList = this;
            if (held) sub->SetComponent(held);
            if (sub->Count() > 0) row->SubProperties = std::move(sub);
        }
        row->Editor = std::move(editor);
    }
}

std::unique_ptr<TvrPropertyList> BuildSelectionPropertyList(const std::vector<TPersistent*>& Objects,
                                                           TObject* Designer) {
    if (Objects.empty()) return nullptr;
    std::vector<std::unique_ptr<TvrPropertyList>> lists;
    for (TPersistent* obj : Objects) {
        lists.push_back(std::make_unique<TvrPropertyList>(Designer));
        lists.back()->SetComponent(obj);
    }
    TvrPropertyList* first = lists.front().get();
    for (size_t i = 1; i < lists.size(); ++i)
        proplist::Prune(first, lists[i].get());
    for (size_t i = 1; i < lists.size(); ++i) {
        proplist::Prune(lists[i].get(), first);
        proplist::Merge(first, lists[i].get());
        lists[i].reset();
    }
    return std::move(lists.front());
}
