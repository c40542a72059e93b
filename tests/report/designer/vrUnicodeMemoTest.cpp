// The designer's UTF-16 memo: characters outside the Chinese code page and beyond the basic plane
// survive typing, pasting and setting, also in the workspace's in-place editor; setting the text
// it already holds fires no change.
#include "report/designer/vrUnicodeMemo.h"

#include "WorkspaceFixture.h"

#include "gui/Clipbrd.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

#include <memory>

class UnicodeMemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Memo = new TUnicodeMemo(Form.get());
        Memo->SetParent(Form.get());
        Memo->OnChange = [this](TObject*) { ++Changes; };
    }

    // Types the text, a line break by the Return key.
    void Type(const WideString& text) {
        size_t start = 0;
        for (size_t br = text.find(u"\r\n"); br != WideString::npos; br = text.find(u"\r\n", start)) {
            SimulateTyping(Memo, WideToUtf8(text.substr(start, br - start)));
            SimulateKey(Memo, VK_RETURN);
            start = br + 2;
        }
        SimulateTyping(Memo, WideToUtf8(text.substr(start)));
    }

    std::unique_ptr<TForm> Form;
    TUnicodeMemo* Memo = nullptr;
    int Changes = 0;
};

namespace {

// Outside code page 936, Korean, beyond the basic plane, Chinese.
const char16_t* const Texts[] = {u"€", u"한", u"😀", u"费用", u"费用 € 한 😀\r\n第二行"};

} // namespace

TEST_F(UnicodeMemoTest, TypedPastedAndSetTextReadsBackUnchanged) {
    for (const char16_t* text : Texts) {
        const WideString wide = text;
        Memo->Clear();
        Type(wide);
        EXPECT_EQ(GetWideText(Memo), wide) << "typed " << WideToUtf8(wide);

        Memo->Clear();
        Clipboard()->SetAsText(WideToUtf8(wide));
        Memo->PasteFromClipboard();
        EXPECT_EQ(GetWideText(Memo), wide) << "pasted " << WideToUtf8(wide);

        SetWideText(Memo, u"x");
        SetWideText(Memo, wide);
        EXPECT_EQ(GetWideText(Memo), wide) << "set " << WideToUtf8(wide);
        EXPECT_EQ(Memo->Text(), WideToUtf8(wide));
    }
}

TEST_F(UnicodeMemoTest, TheSameTextTwiceFiresOnChangeOnce) {
    SetWideText(Memo, u"费用 😀");
    EXPECT_EQ(Changes, 1);
    SetWideText(Memo, u"费用 😀");
    EXPECT_EQ(Changes, 1);
    SetWideText(Memo, u"一\r\n二");
    EXPECT_EQ(Changes, 2);
    SetWideText(Memo, u"一\n二");
    EXPECT_EQ(Changes, 2) << "a line break of another kind is the same text";
    EXPECT_EQ(GetWideText(Memo), u"一\r\n二");
    SetWideText(Memo, u"");
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(GetWideText(Memo), u"");
}

// The workspace's in-place editor is such a memo: what is typed into it reaches the text object.
TEST_F(WorkspaceTest, TheInplaceEditorKeepsTypedCharactersOutsideTheCodePage) {
    auto* memo = new TvrMemoView(Page);
    memo->SetBounds(100, 100, 80, 20);
    memo->SetText(u"old");
    Reload();
    Ws->OpenInplaceEditor(memo);
    TInplaceMemo* editor = Ws->InplaceMemo;
    EXPECT_EQ(GetWideText(editor), u"old");
    SimulateTyping(editor, "€ 한 😀 费用");
    Click(700, 700);
    EXPECT_EQ(memo->Text(), u"€ 한 😀 费用\r\n");
}
