#include "rtl/Lists.h"

#include <gtest/gtest.h>

namespace {
int a = 1, b = 2, c = 3, d = 4, e = 5;
void* A = &a;
void* B = &b;
void* C = &c;
void* D = &d;

std::vector<void*> Items(const TList& l) {
    return l.List();
}
} // namespace

TEST(List, AddInsertDeleteRemove) {
    TList l;
    EXPECT_EQ(l.Add(A), 0);
    EXPECT_EQ(l.Add(B), 1);
    EXPECT_EQ(l.Add(C), 2);
    EXPECT_EQ(l.Add(D), 3);
    l.Insert(0, D);
    l.Insert(5, nullptr);
    EXPECT_EQ(Items(l), (std::vector<void*>{D, A, B, C, D, nullptr}));
    EXPECT_EQ(l.IndexOf(D), 0);
    EXPECT_EQ(l.Remove(D), 0);
    EXPECT_EQ(l.Remove(&e), -1);
    EXPECT_EQ(l.Count(), 5);
    l.Delete(1);
    EXPECT_EQ(Items(l), (std::vector<void*>{A, C, D, nullptr}));
    l.Pack();
    EXPECT_EQ(Items(l), (std::vector<void*>{A, C, D}));
    EXPECT_EQ(l.Extract(C), C);
    EXPECT_EQ(l.Extract(C), nullptr);
    EXPECT_EQ(l.First(), A);
    EXPECT_EQ(l.Last(), D);
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
}

TEST(List, IndexErrors) {
    TList l;
    l.Add(A);
    struct Case {
        std::function<void()> op;
        String message;
    };
    const Case cases[] = {
        {[&] { l.Items(1); }, "List index out of bounds (1)"},
        {[&] { l.Items(-1); }, "List index out of bounds (-1)"},
        {[&] { l.Delete(1); }, "List index out of bounds (1)"},
        {[&] { l.Insert(2, B); }, "List index out of bounds (2)"},
        {[&] { l.SetItems(5, B); }, "List index out of bounds (5)"},
        {[&] { l.Exchange(0, 3); }, "List index out of bounds (3)"},
        {[&] { l.Move(0, 1); }, "List index out of bounds (1)"},
        {[&] { l.SetCapacity(0); }, "List capacity out of bounds (0)"},
        {[&] { l.SetCount(-1); }, "List count out of bounds (-1)"},
    };
    for (const auto& c : cases) {
        try {
            c.op();
            ADD_FAILURE() << "no exception for " << c.message;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    EXPECT_EQ(l.Count(), 1);
}

TEST(List, ExchangeMoveSortAndCount) {
    TList l;
    for (void* p : {C, A, D, B})
        l.Add(p);
    l.Exchange(0, 3);
    EXPECT_EQ(Items(l), (std::vector<void*>{B, A, D, C}));
    l.Move(0, 2);
    EXPECT_EQ(Items(l), (std::vector<void*>{A, D, B, C}));
    l.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(Items(l), (std::vector<void*>{A, B, C, D}));
    l.SetCount(6);
    EXPECT_EQ(l.Items(5), nullptr);
    l.SetCount(2);
    EXPECT_EQ(Items(l), (std::vector<void*>{A, B}));
    l.SetCapacity(100);
    EXPECT_GE(l.Capacity(), 100);
    TList copy;
    copy.Assign(l);
    EXPECT_EQ(Items(copy), Items(l));
}

// A list that counts its notifications, as an owning list would use them.
class TCountingList : public TList {
public:
    int added = 0, deleted = 0, extracted = 0;
    ~TCountingList() override { Clear(); }

protected:
    void Notify(void*, TListNotification action) override {
        if (action == TListNotification::lnAdded) ++added;
        if (action == TListNotification::lnDeleted) ++deleted;
        if (action == TListNotification::lnExtracted) ++extracted;
    }
};

TEST(List, NotifiesAddsAndRemovals) {
    TCountingList l;
    l.Add(A);
    l.Add(nullptr); // nil entries are not notified
    l.Insert(0, B);
    l.SetItems(0, C);
    l.Extract(A);
    l.Clear();
    EXPECT_EQ(l.added, 3);
    EXPECT_EQ(l.deleted, 2); // B replaced, C cleared
    EXPECT_EQ(l.extracted, 1);
}
