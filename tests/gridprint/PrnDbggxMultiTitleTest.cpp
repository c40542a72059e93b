// Multi-level column titles on the printed page: captions split at "|" print through the grid's
// title tree, a shared leading level once over all its columns, the last levels below it.
#include "GridPrintFixture.h"

namespace {

class MultiTitlePrintTest : public GridPrintTest {
protected:
    void Captions(std::initializer_list<const char*> captions) {
        Grid->BeginLayout();
        int i = 0;
        for (const char* c : captions)
            Grid->Columns()->ColumnAt(i++)->Title()->SetCaption(c);
        Grid->SetUseMultiTitle(true);
        Grid->EndLayout();
    }
    int Count(int page, const String& text) const {
        int n = 0;
        for (const TMetaTextRecord& r : Texts(page))
            if (r.Text == text) ++n;
        return n;
    }
    static int CentreX(const TMetaTextRecord& r) { return (r.Bounds.Left + r.Bounds.Right) / 2; }
    static int CentreY(const TMetaTextRecord& r) { return (r.Bounds.Top + r.Bounds.Bottom) / 2; }
};

TEST_F(MultiTitlePrintTest, SharedLevelSpansItsColumnsAboveTheLeaves) {
    Fill(1);
    Open();
    Captions({"Fee|Amount", "Fee|Paid", "Owner"});
    Print();
    ASSERT_EQ(Pages(), 1);
    EXPECT_EQ(Count(1, "Fee"), 1);
    EXPECT_EQ(Count(1, "Fee|Amount"), 0);
    auto fee = Find(1, "Fee");
    auto amount = Find(1, "Amount");
    auto paid = Find(1, "Paid");
    auto owner = Find(1, "Owner");
    auto row = Find(1, "t1");
    ASSERT_TRUE(fee && amount && paid && owner && row);

    // Columns of (80 + 1) x 6.25 = 506 pixels from the left edge at 236 - 130: "Fee" is centred
    // over the first two, each leaf over its own column, "Owner" over the third.
    const int left = 236 - 130;
    EXPECT_NEAR(CentreX(*fee), left + 506, 2);
    EXPECT_NEAR(CentreX(*amount), left + 506 / 2, 2);
    EXPECT_NEAR(CentreX(*paid), left + 506 + 506 / 2, 2);
    EXPECT_NEAR(CentreX(*owner), left + 2 * 506 + 506 / 2, 2);

    // "Fee" sits a level above the leaves, which share one row; "Owner" takes the full title
    // height, centred between the top of "Fee" and the bottom of the leaves; the rows follow.
    EXPECT_EQ(amount->Y, paid->Y);
    EXPECT_LE(fee->Bounds.Bottom, amount->Bounds.Top);
    EXPECT_GT(owner->Y, fee->Y);
    EXPECT_LT(owner->Y, amount->Y);
    EXPECT_NEAR(CentreY(*owner), (fee->Bounds.Top + amount->Bounds.Bottom) / 2, 12);
    EXPECT_GT(row->Y, amount->Bounds.Bottom);
    EXPECT_EQ(Joined(1).find("Tint"), String::npos);
}

// Split over two pages, the shared level prints on both, each time centred over its whole width
// (the page boundary) and cut there.
TEST_F(MultiTitlePrintTest, SharedLevelOverTwoPagesIsCentredOverItsFullWidth) {
    Fill(1);
    Open();
    for (int i = 0; i < 3; ++i)
        Grid->Columns()->ColumnAt(i)->SetWidth(300); // 1881 pixels each, two columns a page
    Captions({"Owner", "Fee|Amount", "Fee|Paid"});
    Print();
    ASSERT_EQ(Pages(), 2);
    EXPECT_EQ(Joined(1), "Owner|Amount|Fee|1|t1");
    EXPECT_EQ(Joined(2), "Paid|Fee|0.5");
    const int left = 236 - 130;
    auto fee1 = Find(1, "Fee");
    auto fee2 = Find(2, "Fee");
    ASSERT_TRUE(fee1 && fee2);
    EXPECT_NEAR(CentreX(*fee1), left + 2 * 1881, 2); // the right edge of page 1
    EXPECT_NEAR(CentreX(*fee2), left, 2);            // the left edge of page 2
    EXPECT_EQ(fee1->Y, fee2->Y);
    EXPECT_LT(fee2->Y, Find(2, "Paid")->Y);
}

} // namespace
