// Ctrl+F: an incremental search, the find dialog, or the dialog after a running search, by the
// grid's options.
#include "DBGridGxFixture.h"
#include "grid/DBGridGxFindDlgs.h"

namespace {

int DialogsOpened = 0;
bool DialogModal = false;

void RecordFindDialog(TCustomDBGridGx*, const String&, const String&, TStrings*, bool Modal) {
    ++DialogsOpened;
    DialogModal = Modal;
}

} // namespace

TEST_F(DBGridTest, CtrlFSearchesOrOpensTheFindDialog) {
    Fill(3);
    OpenGrid();
    const TShowFindDialogProcGx saved = GridFindDialogProc;
    GridFindDialogProc = &RecordFindDialog;
    struct Case {
        const char* Name;
        TDBGridGxOptions Options;
        bool Searching;
        bool WantSearch;
        int WantDialogs;
    };
    const Case cases[] = {
        {"search only", dghIncSearch, false, true, 0},
        {"search only, again", dghIncSearch, true, true, 0},
        {"dialog only", dghDialogFind, false, false, 1},
        {"both, not searching", dghIncSearch | dghDialogFind, false, true, 0},
        {"both, searching", dghIncSearch | dghDialogFind, true, false, 1},
        {"neither", 0, false, false, 0},
    };
    for (const Case& c : cases) {
        Grid->SetOptionsGx(c.Options);
        Grid->StopIncrementalSearch();
        if (c.Searching) Grid->IncrementalSearch("t", -1, 2);
        DialogsOpened = 0;
        Word key = 'F';
        Grid->KeyDown(key, TShiftState{ssCtrl});
        EXPECT_EQ(Grid->IncSearchActive(), c.WantSearch) << c.Name;
        EXPECT_EQ(DialogsOpened, c.WantDialogs) << c.Name;
        if (c.WantDialogs) {
            EXPECT_TRUE(DialogModal) << c.Name;
        }
    }
    GridFindDialogProc = saved;
}
