// Editing a text object in place: Alt+click opens the editor over it in its font at the scale,
// the editor grows with its text, Escape keeps the old text, a widened editor widens the object,
// and Chinese text and characters beyond the basic plane come back as typed.
#include "WorkspaceFixture.h"

#include "rtl/CodePage.h"

namespace {

TvrMemoView* TextObject(TvrComponent* parent, const WideString& text) {
    auto* memo = new TvrMemoView(parent);
    memo->SetBounds(100, 100, 80, 20);
    memo->SetText(text);
    memo->Font()->SetName("Arial");
    memo->Font()->SetHeight(-13);
    return memo;
}

} // namespace

TEST_F(WorkspaceTest, AltClickOpensTheEditorOverTheObjectAtTheScale) {
    auto* memo = TextObject(Page, u"Total\r\n");
    Reload();
    Ws->Scale = 2;
    Move(220, 220, Keys({ssAlt}));
    EXPECT_EQ(Ws->Mode, wmInplace);
    EXPECT_EQ(Ws->MemoUnderMouse, memo);
    EXPECT_EQ(Ws->Cursor(), crIBeam);
    Down(220, 220, Keys({ssAlt}));
    Up(220, 220, Keys({ssAlt}));
    TInplaceMemo* editor = Ws->InplaceMemo;
    ASSERT_TRUE(editor->IsOpen());
    EXPECT_EQ(Selected, TvrObjectList{memo});
    EXPECT_EQ(editor->Left(), 200);
    EXPECT_EQ(editor->Top(), 200);
    EXPECT_EQ(editor->Width(), 161);
    EXPECT_EQ(editor->Height(), 41);
    EXPECT_EQ(editor->Font()->Height(), -26);
    EXPECT_EQ(editor->Text(), "Total") << "without the final line break";
    EXPECT_EQ(editor->Color(), clWhite) << "a transparent object edits on white";
    EXPECT_EQ(editor->SelLength(), 5);
}

TEST_F(WorkspaceTest, TheEditorGrowsWithItsLines) {
    auto* memo = TextObject(Page, u"a");
    Reload();
    Ws->OpenInplaceEditor(memo);
    TInplaceMemo* editor = Ws->InplaceMemo;
    const int h = editor->Font()->Height();
    ASSERT_LT(h, 0);
    editor->SetText("one\r\ntwo\r\nthree");
    EXPECT_EQ(editor->Height(), 3 * (3 - h) + 4);
    const int before = editor->Width();
    editor->SetText("a much longer line than the object is wide, surely");
    EXPECT_GT(editor->Width(), before);
}

TEST_F(WorkspaceTest, EscapeKeepsTheText) {
    auto* memo = TextObject(Page, u"old");
    Reload();
    Ws->OpenInplaceEditor(memo);
    SimulateTyping(Ws->InplaceMemo, "new");
    SimulateKey(Ws->InplaceMemo, VK_ESCAPE);
    EXPECT_FALSE(Ws->InplaceMemo->IsOpen());
    EXPECT_FALSE(Ws->InplaceMemo->Visible());
    EXPECT_EQ(WideToUtf8(memo->Text()), "old\r\n");
    EXPECT_EQ(Modified, 0);
}

TEST_F(WorkspaceTest, TypedTextComesBackIntoTheObject) {
    for (const char* text : {"合计", "😀", "合计 😀\r\n第二行"}) {
        auto* memo = TextObject(Page, u"old");
        Reload();
        Modified = 0;
        Ws->OpenInplaceEditor(memo);
        Ws->InplaceMemo->SetText(text);
        Ws->InplaceMemo->SetModified(true);
        // A press on the workspace closes the editor.
        Click(700, 700);
        EXPECT_FALSE(Ws->InplaceMemo->IsOpen());
        EXPECT_EQ(WideToUtf8(memo->Text()), String(text) + "\r\n");
        EXPECT_EQ(Modified, 1);
        delete memo;
        Reload();
    }
    // Typed key by key as well.
    auto* memo = TextObject(Page, u"old");
    Reload();
    Ws->OpenInplaceEditor(memo);
    SimulateTyping(Ws->InplaceMemo, "合计");
    Click(700, 700);
    EXPECT_EQ(WideToUtf8(memo->Text()), "合计\r\n");
}

TEST_F(WorkspaceTest, AWidenedEditorWidensTheObject) {
    auto* memo = TextObject(Page, u"a");
    Reload();
    Ws->Scale = 2;
    Ws->OpenInplaceEditor(memo);
    Ws->InplaceMemo->SetText("a much longer line than the object is wide, surely");
    Ws->InplaceMemo->SetModified(true);
    const int pixels = Ws->InplaceMemo->Width();
    ASSERT_GT(pixels, 161);
    Ws->InplaceMemo->Close();
    EXPECT_NEAR(memo->Width(), (pixels + 5) / 2.0, Eps);
    EXPECT_NEAR(memo->Height(), 20, Eps) << "the height did not change";
}
