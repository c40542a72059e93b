// The title tree built from the column captions by a layout with UseMultiTitle, its measuring and
// geometry, and the node operations called directly.
#include "DBGridGxFixture.h"
#include "grid/DBGridGxText.h"
#include "gui/Bitmap.h"

#include <gtest/gtest.h>

namespace {

String Shape(const THeadTreeNode* N) {
    String s;
    N->ForEachChild([&](THeadTreeNode* c) {
        if (!s.empty()) s += ",";
        s += c->Text;
        if (c->Child) s += "(" + Shape(c) + ")";
    });
    return s;
}

class TitleTreeTest : public DBGridTest {
protected:
    // Columns without fields, with the captions and widths given, laid out with multi-titles.
    void Columns(std::vector<String> Captions, std::vector<int> Widths = {}) {
        Grid->BeginLayout();
        for (size_t i = 0; i < Captions.size(); ++i) {
            TColumnGx* c = Grid->Columns()->AddColumn();
            c->Title()->SetCaption(Captions[i]);
            c->SetWidth(i < Widths.size() ? Widths[i] : 60);
        }
        Grid->SetUseMultiTitle(true);
        Grid->EndLayout();
    }
    THeadTreeNode* Leaf(int I) { return Grid->TitleLeaf(I); }
    int TitleTextHeight(const String& Text, int Width) {
        TBitmap b(10, 10);
        b.Canvas()->Font()->Assign(*Grid->TitleFont());
        TRect r(0, 0, Width, 0);
        return b.Canvas()->DrawText(Text, r, CellTextAlignFlags[taLeftJustify] | DT_WORDBREAK | DT_CALCRECT);
    }
};

} // namespace

TEST_F(TitleTreeTest, CaptionsFormHeadersOverRunsOfColumns) {
    struct Case {
        std::vector<String> Captions;
        String Shape;
    } cases[] = {
        {{"Fee|Amount", "Fee|Paid", "Owner"}, "Fee(Amount,Paid),Owner"},
        {{"A|B|x", "A|B|y", "A|C|z"}, "A(B(x,y),C(z))"},
        {{"A|B", "C|D"}, "A(B),C(D)"},
        {{"A||B", "Plain"}, "A(B),Plain"},
        {{"|", "x"}, "|,x"}, // only delimiters: no words, the caption stays
    };
    for (const Case& c : cases) {
        Grid->Columns()->Clear();
        Columns(c.Captions);
        EXPECT_EQ(Shape(Grid->TitleRoot()), c.Shape);
        for (size_t i = 0; i < c.Captions.size(); ++i)
            EXPECT_EQ(Leaf(static_cast<int>(i))->Column, Grid->Columns()->ColumnAt(static_cast<int>(i)));
    }
}

TEST_F(TitleTreeTest, HeaderSpansItsColumnsAndTheLinesBetween) {
    Columns({"Fee|Amount", "Fee|Paid", "Owner"}, {60, 70, 50});
    THeadTreeNode* fee = Leaf(0)->Host;
    EXPECT_EQ(fee->Width, 60 + 70 + 1);
    EXPECT_EQ(fee, Leaf(1)->Host);
    EXPECT_EQ(Leaf(2)->Host, Grid->TitleRoot());
    // Owner fills the full height; Fee and Amount share it.
    EXPECT_EQ(Leaf(2)->Height, Grid->TitleRoot()->Height);
    EXPECT_EQ(fee->Height + Leaf(0)->Height, Leaf(2)->Height);
    EXPECT_EQ(Leaf(0)->Height, Leaf(1)->Height);

    Grid->Columns()->Clear();
    Grid->SetOptions(Grid->Options() & ~dgColLines);
    Columns({"Fee|Amount", "Fee|Paid"}, {60, 70});
    EXPECT_EQ(Leaf(0)->Host->Width, 130);
}

TEST_F(TitleTreeTest, HiddenColumnStaysInItsRun) {
    Columns({"Fee|A", "Fee|B", "Fee|C"}, {60, 40, 70});
    Grid->Columns()->ColumnAt(1)->SetVisible(false);
    Grid->RequestLayout();
    EXPECT_EQ(Shape(Grid->TitleRoot()), "Fee(A,B,C)");
    EXPECT_EQ(Leaf(1)->Width, -1);
    EXPECT_EQ(Leaf(0)->Host->Width, 61 + 0 + 71 - 1);
}

TEST_F(TitleTreeTest, TitleRowHeightIsTheTreeLessTheFrame) {
    Columns({"Fee|Amount", "Owner"});
    const int line = TitleTextHeight("Fee", 56);
    const int tree = 2 * (line + Grid->VTitleMargin());
    EXPECT_EQ(Grid->TitleRoot()->Height, tree);
    Grid->SetOptionsGx(Grid->OptionsGx() | dghFixed3D);
    EXPECT_EQ(Grid->RowHeightAt(0), tree - 1);
    Grid->SetOptionsGx(Grid->OptionsGx() & ~dghFixed3D);
    EXPECT_EQ(Grid->RowHeightAt(0), tree - 3);
}

TEST_F(TitleTreeTest, MeasuringCases) {
    const int margin = Grid->VTitleMargin();
    TBitmap b(10, 10);
    b.Canvas()->Font()->Assign(*Grid->TitleFont());
    const int wFee = b.Canvas()->TextWidth("Fee");
    const int blank = TitleTextHeight(" ", 56);
    // A caption that fits in 60 - 4 but not in 60 - 16 - 4 wraps once a sort marker takes its room.
    String two = "Wide words";
    const int width = b.Canvas()->TextWidth(two) + 4;
    struct Case {
        const char* Name;
        String Caption;
        int Width;
        TTextOrientationGx Orientation;
        TSortMarkerGx Marker;
        int Height;
    } cases[] = {
        {"vertical", "Fee", 60, tohVertical, smNoneGx, wFee + 6},
        {"empty as a blank", "", 60, tohHorizontal, smNoneGx, blank + margin},
        {"fits", two, width, tohHorizontal, smNoneGx, TitleTextHeight(two, width - 4) + margin},
        {"marker narrows", two, width, tohHorizontal, smDownGx, TitleTextHeight(two, width - 20) + margin},
    };
    for (const Case& c : cases) {
        Grid->Columns()->Clear();
        Columns({c.Caption}, {c.Width});
        Grid->BeginLayout();
        Grid->Columns()->ColumnAt(0)->Title()->SetOrientation(c.Orientation);
        Grid->Columns()->ColumnAt(0)->Title()->SetSortMarker(c.Marker);
        Grid->EndLayout();
        EXPECT_EQ(Grid->TitleRoot()->Height, c.Height) << c.Name;
        EXPECT_EQ(Leaf(0)->Indent, c.Marker != smNoneGx ? 16 : 0) << c.Name;
    }
    EXPECT_GT(TitleTextHeight(two, width - 20), TitleTextHeight(two, width - 4)) << "the case shows the marker";
}

TEST_F(TitleTreeTest, AncestorCellsLieAboveTheLeafAndSpanTheRun) {
    Columns({"A|B|x", "A|B|y", "A|C|z"}, {60, 70, 50});
    const TRect cell(200, 0, 270, Grid->RowHeightAt(0)); // the title cell of column y
    THeadTreeNode* y = Leaf(1);
    TRect area = TCustomDBGridGx::LeafCaptionRect(cell, y);
    EXPECT_EQ(area.Top, cell.Bottom - y->Height + 3);
    TRect b = Grid->AncestorCellRect(area, y, y->Host);
    EXPECT_EQ(b, TRect(200 - 61, area.Top - 1 - y->Host->Height, 200 - 61 + 131, area.Top - 1));
    TRect a = Grid->AncestorCellRect(area, y, y->Host->Host);
    EXPECT_EQ(a.Left, b.Left);
    EXPECT_EQ(a.Right - a.Left, 60 + 70 + 50 + 2);
    EXPECT_EQ(a.Bottom, b.Top - 1);
}

TEST(THeadTreeNode, DirectCallsCheckTheirNodes) {
    THeadTreeNode root("Root", 0, 0), other("Other", 0, 0);
    THeadTreeNode* a = root.AppendChildNode(&root, "a", 10, 5);
    THeadTreeNode* b = root.AddSibling(a, "b", 20, 5);
    THeadTreeNode* c = root.AppendChildNode(&root, "c", 30, 5);
    EXPECT_EQ(Shape(&root), "a,b,c");
    EXPECT_EQ(THeadTreeNode::NodeLevel(b), 1);
    EXPECT_TRUE(root.FindNode(c));
    EXPECT_FALSE(root.FindNode(&other));
    auto message = [](auto Fn) {
        try {
            Fn();
        } catch (const Exception& e) {
            return e.Message();
        }
        return String("no error");
    };
    EXPECT_EQ(message([&] { root.AddSibling(&other, "x", 1, 1); }), "Node not in Tree");
    EXPECT_EQ(message([&] { root.AppendChildNode(&other, "x", 1, 1); }), "Node not in Tree");
    EXPECT_EQ(message([&] { root.InsertParent(&other, &other, 1, "x"); }), "Node not in Tree");
    EXPECT_EQ(message([&] { root.InsertParent(b, a, 1, "x"); }), "ATo not in level");
    EXPECT_EQ(message([&] { root.InsertParent(a, &other, 1, "x"); }), "ATo not in level");
    EXPECT_EQ(Shape(&root), "a,b,c") << "a failed call changes nothing";

    root.InsertParent(b, c, 2, "H");
    EXPECT_EQ(Shape(&root), "a,H(b,c)");
    EXPECT_EQ(b->Height, 3);
    EXPECT_EQ(b->Host->Width, 50);
    root.InsertParent(a, b->Host, 1, "T");
    EXPECT_EQ(Shape(&root), "T(a,H(b,c))");
    EXPECT_EQ(THeadTreeNode::NodeLevel(c), 3);
    root.FreeAllChildren();
    EXPECT_EQ(root.Child, nullptr);
}

TEST(THeadTreeNode, WordRoutines) {
    const std::set<char> d{'|'};
    struct Case {
        String Text;
        int N, Start;
        String Word;
    } cases[] = {{"Fee|Amount", 1, 1, "Fee"}, {"Fee|Amount", 2, 5, "Amount"}, {"A||B", 2, 4, "B"},
                 {"|A", 1, 2, "A"},          {"A", 2, 0, ""},              {"物业|费用", 2, 8, "费用"}};
    for (const Case& c : cases) {
        EXPECT_EQ(WordStart(c.N, c.Text, d), c.Start) << c.Text << " " << c.N;
        int pos = -1;
        EXPECT_EQ(WordAtPos(c.N, c.Text, d, pos), c.Word);
        EXPECT_EQ(pos, c.Start);
    }
}
