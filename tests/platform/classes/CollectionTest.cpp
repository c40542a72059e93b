#include "TestClasses.h"

#include "classes/MetaBuilder.h"

#include <gtest/gtest.h>

namespace {

// Records Update and Notify calls.
class TLoggedCollection : public TCollection {
public:
    explicit TLoggedCollection(TPersistent* Owner = nullptr)
        : TCollection(TTestItem::StaticClassInfo(), Owner) {}
    std::vector<String> Log;

protected:
    void Update(TCollectionItem* Item) override {
        Log.push_back(Item ? "update " + std::to_string(Item->ID()) : "update all");
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
        static const char* names[] = {"added ", "extracting ", "deleting "};
        Log.push_back(names[Action] + std::to_string(Item->ID()));
    }
};

// A component holding a collection in a published property, for name paths.
class TColumnsOwner : public TComponent {
    ORV_META(TColumnsOwner, TComponent)
    explicit TColumnsOwner(TComponent* AOwner) : TComponent(AOwner) {}
    TCollection* Columns() const { return FColumns.get(); }
    void SetColumns(TCollection* Value) { FColumns->Assign(Value); }

private:
    std::unique_ptr<TCollection> FColumns = std::make_unique<TCollection>(TTestItem::StaticClassInfo(), this);
};
ORV_META_IMPL(TColumnsOwner)
void TColumnsOwner::DeclareMeta(meta::Class<TColumnsOwner>& c) {
    c.Property("Columns", &TColumnsOwner::Columns, &TColumnsOwner::SetColumns);
}

TTestItem* Item(TCollection& c, int i) {
    return static_cast<TTestItem*>(c.Items(i));
}

} // namespace

TEST(Collection, AddInsertDeleteKeepOrderAndIDs) {
    TCollection c(TTestItem::StaticClassInfo());
    auto* a = static_cast<TTestItem*>(c.Add());
    auto* b = static_cast<TTestItem*>(c.Add());
    auto* x = static_cast<TTestItem*>(c.Insert(1));
    ASSERT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Items(0), a);
    EXPECT_EQ(c.Items(1), x);
    EXPECT_EQ(c.Items(2), b);
    EXPECT_EQ(a->ID(), 0);
    EXPECT_EQ(b->ID(), 1);
    EXPECT_EQ(x->ID(), 2);
    EXPECT_EQ(x->Index(), 1);
    EXPECT_EQ(x->Collection(), &c);
    c.Delete(1);
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.FindItemID(2), nullptr);
    // IDs are not reused.
    EXPECT_EQ(c.Add()->ID(), 3);
    EXPECT_EQ(c.FindItemID(1), b);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.Add()->ID(), 4);
}

TEST(Collection, ItemsOutOfRangeRaise) {
    TCollection c(TTestItem::StaticClassInfo());
    c.Add();
    for (int i : {-1, 1}) {
        try {
            c.Items(i);
            FAIL() << i;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(i) + ")");
        }
    }
    EXPECT_THROW(c.Delete(5), EListError);
}

TEST(Collection, ItemMovesAndLeaves) {
    TCollection c(TTestItem::StaticClassInfo());
    auto* a = c.Add();
    auto* b = c.Add();
    auto* d = c.Add();
    d->SetIndex(0);
    EXPECT_EQ(c.Items(0), d);
    EXPECT_EQ(c.Items(1), a);
    EXPECT_EQ(c.Items(2), b);
    delete a; // an item freed directly leaves its collection
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(b->Index(), 1);

    TCollection other(TTestItem::StaticClassInfo());
    b->SetCollection(&other);
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(other.Items(0), b);
    EXPECT_EQ(b->Collection(), &other);
}

TEST(Collection, ItemOfAnotherClassIsRefused) {
    // TCollectionItem is not a TTestItem.
    TCollection plain(TCollectionItem::StaticClassInfo());
    TCollectionItem* item = plain.Add();
    TCollection typed(TTestItem::StaticClassInfo());
    EXPECT_THROW(item->SetCollection(&typed), EListError);
    EXPECT_EQ(typed.Count(), 0);
    EXPECT_THROW(TCollection bad(TTestThing::StaticClassInfo()), EPropertyError);
}

TEST(Collection, UpdatesAndNotifications) {
    TLoggedCollection c;
    auto* a = c.Add();
    c.Add();
    EXPECT_EQ(c.Log, (std::vector<String>{"added 0", "update all", "added 1", "update all"}));
    c.Log.clear();
    a->SetDisplayName("x"); // a change of one item
    a->SetIndex(1);         // a change of the order
    EXPECT_EQ(c.Log, (std::vector<String>{"update 0", "update all"}));
    c.Log.clear();
    c.Delete(0);
    EXPECT_EQ(c.Log, (std::vector<String>{"deleting 1", "extracting 1", "update all"}));
    c.Log.clear();

    // Inside an update bracket only the closing EndUpdate reports, once for everything.
    c.BeginUpdate();
    c.BeginUpdate();
    c.Add();
    c.Add();
    a->SetDisplayName("y");
    c.EndUpdate();
    EXPECT_EQ(c.Log, (std::vector<String>{"added 2", "added 3"}));
    c.EndUpdate();
    EXPECT_EQ(c.Log.back(), "update all");
    EXPECT_EQ(c.Log.size(), 3u);
    c.Log.clear();
    c.Clear();
    EXPECT_EQ(c.Log.back(), "update all");
    EXPECT_EQ(std::count(c.Log.begin(), c.Log.end(), "update all"), 1);
}

TEST(Collection, AssignCopiesItemsInOneUpdate) {
    TCollection source(TTestItem::StaticClassInfo());
    for (const char* t : {"Code", "Name", "Area"}) {
        auto* item = static_cast<TTestItem*>(source.Add());
        item->Title = t;
        item->Width = static_cast<int>(std::string(t).size()) * 10;
    }
    TLoggedCollection dest;
    dest.Add();
    dest.Log.clear();
    dest.Assign(&source);
    ASSERT_EQ(dest.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Item(dest, i)->Title, Item(source, i)->Title);
        EXPECT_EQ(Item(dest, i)->Width, 40);
        EXPECT_NE(dest.Items(i), source.Items(i));
    }
    EXPECT_EQ(std::count(dest.Log.begin(), dest.Log.end(), "update all"), 1);
    EXPECT_EQ(dest.Log.back(), "update all");

    TTestFont font;
    EXPECT_THROW(dest.Assign(&font), EConvertError);
}

TEST(Collection, DisplayNameAndNamePath) {
    TComponent form(nullptr);
    auto* grid = new TColumnsOwner(&form);
    grid->SetName("Grid1");
    auto* item = static_cast<TTestItem*>(grid->Columns()->Add());
    grid->Columns()->Add();
    EXPECT_EQ(item->DisplayName(), "TTestItem");
    item->Title = "Code";
    EXPECT_EQ(item->DisplayName(), "Code");
    EXPECT_EQ(grid->Columns()->GetNamePath(), "Grid1.Columns");
    EXPECT_EQ(grid->Columns()->Items(1)->GetNamePath(), "Grid1.Columns[1]");
    EXPECT_EQ(item->GetOwner(), grid->Columns());
    EXPECT_EQ(grid->Columns()->GetOwner(), grid);

    TCollection loose(TTestItem::StaticClassInfo());
    EXPECT_EQ(loose.GetNamePath(), "TCollection");
    EXPECT_EQ(loose.Add()->GetNamePath(), "TCollection[0]");
}
