// The grid's clipboard keys: copy, cut, paste, select all and delete of the selection, each only
// when the grid allows the action and the selection or the clipboard lets it act.
#include "DBGridGxFixture.h"
#include "gui/Clipbrd.h"
#include "gui/Dialogs.h"
#include "gui/Interaction.h"

namespace {

class DBGridClipboardKeysTest : public DBGridTest {
protected:
    void Open(int Rows) {
        Fill(Rows);
        OpenGrid();
        Grid->SetOptions(Grid->Options() | dgMultiSelect);
        Grid->EditActions = geaCutGx | geaCopyGx | geaPasteGx | geaDeleteGx | geaSelectAllGx;
    }
    void Key(Word K, TShiftState Shift) { Grid->KeyDown(K, Shift); }
    void MarkRecord(int RecNo) {
        Q->First();
        Q->MoveBy(RecNo - 1);
        Grid->SelectedRows()->SetCurrentRowSelected(true);
    }
    String Texts() {
        String out;
        for (Q->First(); !Q->Eof(); Q->Next())
            out += Q->FieldByName("F_text")->AsString() + ";";
        return out;
    }
};

} // namespace

TEST_F(DBGridClipboardKeysTest, CopyKeysNeedTheActionAndASelection) {
    Open(3);
    struct Case {
        const char* Name;
        Word Key;
        TShiftState Shift;
        uint8_t Actions;
        bool Marked;
        bool Copied;
    };
    const TShiftState ctrl{ssCtrl};
    const uint8_t all = 0x1F;
    const Case cases[] = {
        {"Ctrl+C", 'C', ctrl, all, true, true},
        {"Ctrl+Insert", VK_INSERT, ctrl, all, true, true},
        {"Ctrl+C without the copy action", 'C', ctrl, uint8_t(all & ~geaCopyGx), true, false},
        {"Ctrl+C without a selection", 'C', ctrl, all, false, false},
    };
    for (const Case& c : cases) {
        Grid->Selection()->ClearSelection();
        if (c.Marked) MarkRecord(2);
        Grid->EditActions = c.Actions;
        Clipboard()->SetAsText("before");
        Key(c.Key, c.Shift);
        const String text = Clipboard()->AsText();
        EXPECT_EQ(text.find("t2") != String::npos, c.Copied) << c.Name << ": " << text;
        EXPECT_EQ(Q->RecordCount(), 3) << c.Name;
    }
}

TEST_F(DBGridClipboardKeysTest, CutAsksThenCopiesAndDeletes) {
    Open(3);
    for (Word key : {Word('X'), Word(VK_DELETE)}) {
        const TShiftState shift = key == 'X' ? TShiftState{ssCtrl} : TShiftState{ssShift};
        Grid->Selection()->ClearSelection();
        MarkRecord(1);
        TScriptedResponder user;
        TInteractionScope scope(user);
        user.Answer(mrCancel).Answer(mrOk);
        Key(key, shift); // cancelled: copied, nothing deleted
        EXPECT_EQ(Q->RecordCount(), key == 'X' ? 3 : 2);
        Key(key, shift);
        ASSERT_EQ(user.Requests().size(), 2u);
        EXPECT_EQ(user.Requests()[0].Text, "Delete record?");
        EXPECT_NE(Clipboard()->AsText().find(key == 'X' ? "t1" : "t2"), String::npos);
    }
    EXPECT_EQ(Texts(), "t3;");
}

TEST_F(DBGridClipboardKeysTest, PasteAndSelectAll) {
    Open(3);
    Q->First();
    Q->Next();
    Grid->SetFocusCol(Grid->IndicatorOffset() + 1); // F_text of the second record
    Clipboard()->SetAsText("pasted");
    Key('V', TShiftState{ssCtrl});
    EXPECT_EQ(Texts(), "t1;pasted;t3;");
    Q->First();
    Clipboard()->SetAsText("again");
    Key(VK_INSERT, TShiftState{ssShift});
    EXPECT_EQ(Texts(), "again;pasted;t3;");
    // Without the paste action, or read-only, nothing is pasted.
    Grid->EditActions &= uint8_t(~geaPasteGx);
    Clipboard()->SetAsText("no");
    Key('V', TShiftState{ssCtrl});
    Grid->EditActions |= geaPasteGx;
    Grid->SetReadOnly(true);
    Key('V', TShiftState{ssCtrl});
    EXPECT_EQ(Texts(), "again;pasted;t3;");
    Grid->SetReadOnly(false);
    // Ctrl+A selects everything when the action and the kind are allowed.
    Grid->SetAllowedSelections(Grid->AllowedSelections & ~(1 << gstAll));
    Key('A', TShiftState{ssCtrl});
    EXPECT_EQ(Grid->Selection()->SelectionType(), gstNon);
    Grid->SetAllowedSelections(0x1E);
    Key('A', TShiftState{ssCtrl});
    EXPECT_EQ(Grid->Selection()->SelectionType(), gstAll);
}

TEST_F(DBGridClipboardKeysTest, CtrlVWhileSearchingSearchesTheClipboardText) {
    Open(12);
    Grid->SetFocusCol(Grid->IndicatorOffset() + 1);
    Grid->IncrementalSearch("t", 1500, 2);
    Clipboard()->SetAsText("11");
    Key('V', TShiftState{ssCtrl});
    EXPECT_EQ(Grid->IncSearchText(), "t11");
    EXPECT_EQ(Q->FieldByName("F_int")->AsInteger(), 11);
    EXPECT_EQ(Q->FieldByName("F_text")->AsString(), "t11"); // nothing was pasted
    EXPECT_EQ(Q->State(), dsBrowse);
}

TEST_F(DBGridClipboardKeysTest, CtrlDeleteClearsASelectedRectangle) {
    Open(3);
    Q->First();
    TBookmark first = Q->GetBookmark();
    Q->Next();
    Grid->Selection()->Rect()->SelectCell(1, first, false);
    Grid->Selection()->Rect()->SelectCell(1, Q->GetBookmark(), true);
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(mrOk);
    Key(VK_DELETE, TShiftState{ssCtrl});
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Text, "Clear selected cells?");
    EXPECT_EQ(Texts(), ";;t3;");
    EXPECT_EQ(Q->RecordCount(), 3);
}

TEST_F(DBGridClipboardKeysTest, AvailabilityOfTheEditActions) {
    Open(2);
    struct Case {
        const char* Name;
        TDBGridGxSelectionType Kind;
        TDBGridGxAllowedOperations Operations;
        bool ReadOnly;
        bool Copy, Cut, Delete;
    };
    const Case cases[] = {
        {"nothing selected", gstNon, 0x0F, false, false, false, false},
        {"marked rows", gstRecordBookmarks, 0x0F, false, true, true, true},
        {"marked rows, no deleting", gstRecordBookmarks, alopUpdateGx, false, true, false, false},
        {"rectangle, no deleting", gstRectangle, alopUpdateGx, false, true, true, true},
        {"rectangle, no updating", gstRectangle, alopDeleteGx, false, true, false, false},
        {"everything, read-only", gstAll, 0x0F, true, true, false, false},
    };
    for (const Case& c : cases) {
        Grid->Selection()->ClearSelection();
        Q->First();
        if (c.Kind == gstRecordBookmarks) Grid->SelectedRows()->SetCurrentRowSelected(true);
        if (c.Kind == gstRectangle) {
            TBookmark a = Q->GetBookmark();
            Q->Next();
            Grid->Selection()->Rect()->SelectCell(0, a, false);
            Grid->Selection()->Rect()->SelectCell(1, Q->GetBookmark(), true);
        }
        if (c.Kind == gstAll) Grid->Selection()->SelectAll();
        Grid->AllowedOperations = c.Operations;
        Grid->SetReadOnly(c.ReadOnly);
        EXPECT_EQ(Grid->CanCopySelection(), c.Copy) << c.Name;
        EXPECT_EQ(Grid->CanCutSelection(), c.Cut) << c.Name;
        EXPECT_EQ(Grid->CanDeleteSelection(), c.Delete) << c.Name;
    }
    // Pasting needs text or grid data on the clipboard, and the update right unless inserting.
    Grid->SetReadOnly(false);
    Grid->AllowedOperations = 0x0F;
    Clipboard()->Clear();
    EXPECT_FALSE(Grid->CanPasteIntoGrid());
    Clipboard()->SetAsText("x");
    EXPECT_TRUE(Grid->CanPasteIntoGrid());
    Grid->AllowedOperations = alopInsertGx;
    EXPECT_FALSE(Grid->CanPasteIntoGrid());
    Q->Insert();
    EXPECT_TRUE(Grid->CanPasteIntoGrid());
    Q->Cancel();
}
