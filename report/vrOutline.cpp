// The outline of a prepared report: a tree of "item" elements under the store's "outline".
#include "report/vrPreviewPages.h"

#include "classes/MetaBuilder.h"

#include "rtl/SysUtils.h"

ORV_META_IMPL(TvrOutline)
void TvrOutline::DeclareMeta(meta::Class<TvrOutline>&) {}

TvrOutline::TvrOutline(TvrCustomPreviewPages* PreviewPages) : TvrCustomOutline(PreviewPages) {}

TvrPreviewPages* TvrOutline::Pages() const {
    return static_cast<TvrPreviewPages*>(PreviewPages());
}

TvrXMLItem* TvrOutline::Root() {
    return Pages()->RootChild("outline");
}

Integer TvrOutline::ChildCount() {
    return CurItem()->ItemCount();
}

void TvrOutline::AddItem(const String& Text, Integer Top) {
    TvrXMLItem* item = CurItem()->Add();
    item->Name = "item";
    item->AttrText = vrPageItemText(Text, Pages()->CurPage, Top);
    FCurItem = item;
}

void TvrOutline::EnterChild(Integer Index) {
    FCurItem = CurItem()->GetItem(Index);
}

void TvrOutline::LevelRoot() {
    FCurItem = Root();
}

void TvrOutline::LevelUp() {
    TvrXMLItem* cur = CurItem();
    if (cur != Root() && cur->Parent()) FCurItem = cur->Parent();
}

void TvrOutline::ReadChild(Integer Index, String& Text, Integer& Page, Integer& Top) {
    TvrXMLItem* item = CurItem()->GetItem(Index);
    Text = item->GetProp("text");
    if (item->PropExists("page")) Page = StrToInt(item->GetProp("page"));
    if (item->PropExists("top")) Top = StrToInt(item->GetProp("top"));
}

TvrXMLItem* TvrOutline::LastChildItem() {
    TvrXMLItem* cur = CurItem();
    return cur->ItemCount() ? cur->GetItem(cur->ItemCount() - 1) : nullptr;
}

namespace {
void ShiftTree(TvrXMLItem* item, Integer delta) {
    item->SetProp("page", IntToStr(StrToIntDef(item->GetProp("page"), 0) + 1));
    item->SetProp("top", IntToStr(StrToIntDef(item->GetProp("top"), 0) + delta));
    for (int i = 0; i < item->ItemCount(); ++i) ShiftTree(item->GetItem(i), delta);
}
} // namespace

void TvrOutline::ShiftFollowing(TvrXMLItem* From, Integer NewTop) {
    if (!From || !From->Parent()) return;
    TvrXMLItem* parent = From->Parent();
    const int next = parent->IndexOfItem(From) + 1;
    if (next >= parent->ItemCount()) return;
    TvrXMLItem* sibling = parent->GetItem(next);
    ShiftTree(sibling, NewTop - StrToIntDef(sibling->GetProp("top"), 0));
}
