// The object tree: names, lookup, positions, the font cascade, alignment, Diff, print bounds.
#include "report/vrClass.h"
#include "report/vrRes.h"
#include "vrClassTestObjects.h"

#include <gtest/gtest.h>

namespace {

struct Tree : ::testing::Test {
    void SetUp() override { RegisterTestObjects(); }
    TvrReport report{nullptr};
    TTestReportPage* NewPage() { return new TTestReportPage(&report); }
};

TEST_F(Tree, UniqueNamesIgnoreCaseAndFindObjectNeverFindsItself) {
    auto* page = NewPage();
    auto* a = new TTestView(page);
    a->NamePrefix = "Memo";
    a->CreateUniqueName();
    EXPECT_EQ(a->Name(), "Memo1");
    auto* b = new TTestView(page);
    b->SetName("memo2");
    auto* c = new TTestView(page);
    c->NamePrefix = "Memo";
    c->CreateUniqueName();
    EXPECT_EQ(c->Name(), "Memo3");
    EXPECT_EQ(report.FindObject("MEMO1"), a);
    EXPECT_EQ(a->FindObject("Memo1"), nullptr);
    EXPECT_EQ(report.FindObject("Nothing"), nullptr);
    // Without a prefix of its own, the class name less "Tvr"/"View" is the stem.
    auto* d = new TTestView(page);
    d->CreateUniqueName();
    EXPECT_EQ(d->Name(), "TTest1");
}

TEST_F(Tree, RenameToAnotherObjectsNameFailsWithPrDupl) {
    auto* page = NewPage();
    auto* a = new TTestView(page);
    a->SetName("Memo1");
    auto* b = new TTestView(page);
    b->SetName("Memo2");
    try {
        b->SetName("MEMO1");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), GetResources().GetString("prDupl"));
    }
    EXPECT_EQ(b->Name(), "Memo2");
    b->SetName("memo2"); // a change of case alone is not applied
    EXPECT_EQ(b->Name(), "Memo2");
    b->FromAncestor = true;
    try {
        b->SetName("Memo9");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Could not rename Memo2, it was introduced in the ancestor report");
    }
}

TEST_F(Tree, AbsLeftAddsParentsButNotADialogPage) {
    auto* page = NewPage();
    page->SetLeft(5);
    auto* band = new TTestBand(page);
    band->SetLeft(7);
    band->SetTop(100);
    auto* memo = new TTestView(band);
    memo->SetLeft(11);
    memo->SetTop(3);
    EXPECT_DOUBLE_EQ(static_cast<double>(memo->AbsLeft()), 23);
    EXPECT_DOUBLE_EQ(static_cast<double>(memo->AbsTop()), 103);
    auto* dialog = new TTestDialogPage(&report);
    dialog->SetLeft(300);
    auto* control = new TTestView(dialog);
    control->SetLeft(11);
    EXPECT_DOUBLE_EQ(static_cast<double>(control->AbsLeft()), 11);
    EXPECT_EQ(memo->GetReport(), &report);
    EXPECT_EQ(memo->Page(), page);
    std::vector<TvrComponent*> all = report.AllObjects();
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0], page);
    EXPECT_EQ(all[1], band);
    EXPECT_EQ(all[2], memo);
}

TEST_F(Tree, FontCascadesToChildrenThatFollowTheirParent) {
    auto* page = NewPage();
    auto* band = new TTestBand(page);
    auto* follows = new TTestView(band);
    auto* own = new TTestView(band);
    TFont mine;
    mine.SetName("Courier New");
    own->SetFont(&mine);
    EXPECT_FALSE(own->ParentFont());
    auto* grandchild = new TTestView(follows);

    TFont big;
    big.SetName("Tahoma");
    big.SetSize(20);
    band->SetFont(&big);
    EXPECT_FALSE(band->ParentFont());
    EXPECT_EQ(follows->Font()->Name(), "Tahoma");
    EXPECT_EQ(follows->Font()->Size(), 20);
    EXPECT_TRUE(follows->ParentFont());
    EXPECT_EQ(grandchild->Font()->Name(), "Tahoma");
    EXPECT_EQ(own->Font()->Name(), "Courier New");

    // Moving under a new parent takes that parent's font.
    auto* other = new TTestBand(page);
    TFont arialBlack;
    arialBlack.SetName("Arial Black");
    other->SetFont(&arialBlack);
    follows->SetParent(other);
    EXPECT_EQ(follows->Font()->Name(), "Arial Black");
    EXPECT_EQ(grandchild->Font()->Name(), "Arial Black");
}

struct TAlignCase {
    const char* Name;
    std::vector<std::tuple<TvrBandAlign, double, double, double, double>> In; // align, l, t, w, h
    std::vector<std::pair<double, double>> Out;                               // l, w
};

TEST_F(Tree, AlignChildrenCases) {
    const std::vector<TAlignCase> cases = {
        {"left views follow each other", {{baLeft, 50, 0, 10, 10}, {baLeft, 80, 0, 20, 10}}, {{0, 10}, {10, 20}}},
        {"left view alone moves to 0", {{baLeft, 50, 0, 10, 10}, {baNone, 5, 100, 10, 10}}, {{0, 10}, {5, 10}}},
        {"width fills the gap", {{baNone, 0, 0, 30, 10}, {baWidth, 40, 0, 10, 10}, {baNone, 120, 0, 30, 10}},
         {{0, 30}, {30, 90}, {120, 30}}},
        {"right view to the parent's edge", {{baRight, 10, 0, 20, 10}}, {{180, 20}}},
        {"center", {{baCenter, 0, 0, 50, 10}}, {{75, 50}}},
        {"client", {{baClient, 5, 5, 5, 5}}, {{0, 200}}},
    };
    for (const TAlignCase& c : cases) {
        TTestBand band(nullptr);
        band.SetWidth(200);
        band.SetHeight(100);
        std::vector<TTestView*> views;
        for (const auto& [a, l, t, w, h] : c.In) {
            auto* v = new TTestView(&band);
            v->Align = a;
            v->SetBounds(l, t, w, h);
            views.push_back(v);
        }
        band.AlignChildren();
        for (size_t i = 0; i < views.size(); ++i) {
            EXPECT_DOUBLE_EQ(static_cast<double>(views[i]->Left()), c.Out[i].first) << c.Name << " #" << i;
            EXPECT_DOUBLE_EQ(static_cast<double>(views[i]->Width()), c.Out[i].second) << c.Name << " #" << i;
        }
    }
}

TEST_F(Tree, DiffAgainstEqualTemplateIsEmptyExceptABandsTop) {
    TTestView a(nullptr), b(nullptr);
    a.SetBounds(1, 2, 3, 4);
    b.SetBounds(1, 2, 3, 4);
    EXPECT_EQ(a.Diff(&b), "");
    TTestBand band(nullptr), bandTemplate(nullptr);
    band.SetTop(7.5);
    bandTemplate.SetTop(7.5);
    EXPECT_EQ(band.Diff(&bandTemplate), " t=\"7.5\"");
    a.SetLeft(10);
    a.SetVisible(false);
    a.SetTag(3);
    EXPECT_EQ(a.Diff(&b), " l=\"10\" Visible=\"False\" Tag=\"3\"");
    TFont bold;
    bold.SetName("Arial");
    bold.SetSize(10);
    bold.SetColor(0);
    bold.SetStyle(TFontStyles{fsBold});
    a.SetFont(&bold);
    EXPECT_EQ(a.Diff(&b), " l=\"10\" Visible=\"False\" Font.Style=\"1\" ParentFont=\"False\" Tag=\"3\"");
}

TEST_F(Tree, PrintBracketRestoresTheLayoutBounds) {
    TTestView v(nullptr);
    v.SetBounds(1, 2, 3, 4);
    v.BeforePrint();
    v.SetBounds(10, 20, 30, 40);
    v.AfterPrint();
    EXPECT_DOUBLE_EQ(static_cast<double>(v.Left()), 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(v.Top()), 2);
    EXPECT_DOUBLE_EQ(static_cast<double>(v.Width()), 3);
    EXPECT_DOUBLE_EQ(static_cast<double>(v.Height()), 4);
    const TvrFloatRect r = v.GetRealBounds();
    EXPECT_DOUBLE_EQ(static_cast<double>(r.Right), 4);
}

TEST_F(Tree, ClearKeepsInheritedObjectsAndCopyFromDuplicates) {
    auto* page = NewPage();
    page->SetName("Page1");
    auto* kept = new TTestView(page);
    kept->SetName("Kept");
    kept->FromAncestor = true;
    auto* gone = new TTestView(kept);
    gone->SetName("Gone");
    auto* other = new TTestView(page);
    other->SetName("Other");
    page->Clear();
    ASSERT_EQ(page->Children().size(), 1u);
    EXPECT_EQ(page->Children()[0], kept);
    EXPECT_TRUE(kept->Children().empty());

    TTestView source(nullptr);
    source.SetName("Src");
    source.Caption = "hello";
    source.Number = 42;
    new TTestView(&source);
    TTestView copy(nullptr);
    copy.CopyFrom(&source);
    EXPECT_EQ(copy.Caption, "hello");
    EXPECT_EQ(copy.Number, 42);
    EXPECT_EQ(copy.Children().size(), 1u);
    TTestView assigned(nullptr);
    assigned.Assign(&source);
    EXPECT_EQ(assigned.Number, 42);
    EXPECT_TRUE(assigned.Children().empty());
}

TEST_F(Tree, DrawOfTheBaseIsAnAbstractCall) {
    class TPlain : public TvrReportComponent {
    public:
        using TvrReportComponent::TvrReportComponent;
    } plain(nullptr);
    EXPECT_THROW(plain.Draw(nullptr, 1, 1, 0, 0), EAbstractError);
}

} // namespace
