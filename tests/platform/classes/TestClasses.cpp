#include "TestClasses.h"

#include "classes/MetaBuilder.h"

ORV_META_IMPL(TTestFont)
ORV_META_IMPL(TTestThing)
ORV_META_IMPL(TTestDerived)
ORV_META_IMPL(TLogComponent)
ORV_META_IMPL(TTestItem)
ORV_META_IMPL(TTestAbstract)

void TTestFont::DeclareMeta(meta::Class<TTestFont>& c) {
    c.Property("Name", &TTestFont::FaceName, &TTestFont::FaceName);
    c.Property("Size", &TTestFont::Size, &TTestFont::Size).Default(10);
    c.Property("Style", &TTestFont::Style, &TTestFont::Style).Default(TTestStyles{});
}

void TTestFont::Assign(const TPersistent* Source) {
    if (auto* f = dynamic_cast<const TTestFont*>(Source)) {
        FaceName = f->FaceName;
        Size = f->Size;
        Style = f->Style;
        return;
    }
    TPersistent::Assign(Source);
}

TTestThing::TTestThing(TComponent* AOwner) : TComponent(AOwner) {}

void TTestThing::SetLink(TComponent* Value) {
    if (FLink == Value) return;
    if (FLink) FLink->RemoveFreeNotification(this);
    FLink = Value;
    if (FLink) FLink->FreeNotification(this);
}

void TTestThing::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLink) FLink = nullptr;
}

void TTestThing::DeclareMeta(meta::Class<TTestThing>& c) {
    c.Property("Left", &TTestThing::Left, &TTestThing::Left).Default(0);
    c.Property("Small", &TTestThing::Small, &TTestThing::Small);
    c.Property("Letter", &TTestThing::Letter, &TTestThing::Letter).Default('A');
    c.Property("Align", &TTestThing::Align, &TTestThing::Align).Default(taNone);
    c.Property("Styles", &TTestThing::Styles, &TTestThing::Styles).Default(TTestStyles{});
    c.Property("Ratio", &TTestThing::Ratio, &TTestThing::Ratio);
    c.Property("When", &TTestThing::When, &TTestThing::When).TypeName("TDateTime");
    c.Property("Amount", &TTestThing::Amount, &TTestThing::Amount);
    c.Property("Caption", &TTestThing::Caption, &TTestThing::Caption);
    c.Property("WideCaption", &TTestThing::WideCaption, &TTestThing::WideCaption);
    c.Property("Enabled", &TTestThing::Enabled, &TTestThing::Enabled).Default(true);
    c.Property("Font", &TTestThing::Font, &TTestThing::SetFont);
    c.Property("Link", &TTestThing::Link, &TTestThing::SetLink);
    c.Property("Lines", &TTestThing::Lines, &TTestThing::SetLines);
    c.Property("Value", &TTestThing::Value, &TTestThing::Value);
    c.Property("Big", &TTestThing::Big, &TTestThing::Big);
    c.Property("Hidden", &TTestThing::Hidden, &TTestThing::Hidden).Stored(false);
    c.Property("Conditional", &TTestThing::Conditional, &TTestThing::Conditional)
        .Default(0)
        .Stored([](TTestThing& t) { return t.Enabled; });
    c.Property("Count", &TTestThing::Count);
    c.Event("OnChange", &TTestThing::OnChange);
    c.Event("OnKey", &TTestThing::OnKey, "TTestKeyEvent");
}

void TTestDerived::DeclareMeta(meta::Class<TTestDerived>& c) {
    c.Redeclare("Left").Default(5);
    c.Property("Extra", &TTestDerived::Extra, &TTestDerived::Extra).Default(0);
}

TLogComponent::TLogComponent(TComponent* AOwner, const String& AName, std::vector<String>* ALog)
    : TComponent(AOwner), Log(ALog) {
    SetName(AName);
}

TLogComponent::~TLogComponent() {
    if (Log) Log->push_back("free " + Name());
}

void TLogComponent::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Log && AComponent != this)
        Log->push_back(Name() + (Operation == opInsert ? " insert " : " remove ") + AComponent->Name());
}

void TLogComponent::Loaded() {
    TComponent::Loaded();
    if (Log) Log->push_back("loaded " + Name());
}

void TLogComponent::DeclareMeta(meta::Class<TLogComponent>&) {}

void TTestItem::DeclareMeta(meta::Class<TTestItem>& c) {
    c.Property("Title", &TTestItem::Title, &TTestItem::Title);
    c.Property("Width", &TTestItem::Width, &TTestItem::Width).Default(64);
}

void TTestItem::Assign(const TPersistent* Source) {
    if (auto* item = dynamic_cast<const TTestItem*>(Source)) {
        Title = item->Title;
        Width = item->Width;
        return;
    }
    TCollectionItem::Assign(Source);
}

void TTestAbstract::DeclareMeta(meta::Class<TTestAbstract>&) {}
