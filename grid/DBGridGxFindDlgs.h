// Finding text in a data grid: the grid text search that walks the records comparing one column
// or every visible column with a text, and the find dialog ("Find text") that runs it once per
// "Find next".
#pragma once

#include "gui/Forms.h"

class TCustomDBGridGx;
class TColumnGx;
class TDBComboBoxGx;
class TDBCheckBoxGx;
class TLabel;
class TButton;

// Search option bits.
enum : int {
    gsoIgnoreCaseGx = 1, // both texts upper-cased before comparing
    gsoAllColumnsGx = 2, // every visible column, not only one
    gsoUseFormatGx = 4,  // the cell's display text instead of the field's AsString
    gsoStopOnKeyGx = 16, // stop when a key press waits to be handled
};
// Directions: towards the first record, towards the last, or from the first record on.
enum : int { gsdUpGx = 0, gsdDownGx = 1, gsdAllGx = 2 };
// Match types: the text anywhere in the cell, the whole cell, the cell's beginning.
enum : int { gsmAnyPartGx = 0, gsmWholeFieldGx = 1, gsmBeginningGx = 2 };

// Walks the grid's data set from the current cell (the first record for gsdAllGx) and leaves it on
// the first record whose cell matches, focusing the matching column; a field name picks that
// column, else the focused one starts the walk. Nothing found leaves record and top row as they
// were. A field name without a column raises "Field name '%s' not found". The tree range is for
// data sets that present a tree and is not used here.
bool SearchGridText(TCustomDBGridGx* Grid, const String& FieldName, const String& Text, int Options,
                    int Direction, int MatchType, int TreeRange);

// The find dialog: one for the whole program, created on first use and kept until the process
// ends, so that it keeps its search history and settings between uses.
class TDBGridGxFindDlg : public TForm {
public:
    explicit TDBGridGxFindDlg(TComponent* AOwner);
    ~TDBGridGxFindDlg() override;
    String ClassName() const override { return "TDBGridGxFindDlg"; }

    TLabel* lText;
    TDBComboBoxGx* cbText;
    TButton* bFind;
    TButton* bCancel;
    TLabel* lFindIn;
    TDBComboBoxGx* cbFindIn;
    TLabel* lMatchinType;
    TDBComboBoxGx* cbMatchinType;
    TLabel* lFindDirection;
    TDBComboBoxGx* cbFindDirection;
    TDBCheckBoxGx* cbCharCase;
    TDBCheckBoxGx* cbUseFormat;
    TLabel* lTreeFindRange;
    TDBComboBoxGx* dbcTreeFindRange;

    // Opens the dialog over the grid with the text: modal, or stay-on-top and focused.
    void Execute(TCustomDBGridGx* Grid, const String& Text, bool Modal);
    TCustomDBGridGx* Grid() const { return FGrid; }
    // The next search starts again at the first record when the direction is "All".
    bool FirstTry() const { return FFirstTry; }

    // "Find next": one search; Ctrl held reverses the direction.
    void bFindClick();
    void FindNext(bool CtrlDown);
    void bCancelClick();
    void cbFindInChange();
    void cbTextChange();
    void FormKeyDown(Word& Key, TShiftState Shift);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SetGrid(TCustomDBGridGx* Grid);
    TCustomDBGridGx* FGrid = nullptr;
    int FDesignedHeight = 0;
    bool FFirstTry = true;
};

// Shows the program's find dialog for the grid (creating it on first use). The second text and
// the column-field list are not used.
void ShowGridFindDialog(TCustomDBGridGx* Grid, const String& Text, const String& Text2,
                        TStrings* ColumnFields, bool Modal);
// The dialog once it exists; nullptr before the first find.
TDBGridGxFindDlg* GridFindDialog();

// The find-dialog hook through which a grid opens its find dialog when no registered data set
// entry shows one of its own; it starts as ShowGridFindDialog.
using TShowFindDialogProcGx = void (*)(TCustomDBGridGx* Grid, const String& Text, const String& Text2,
                                       TStrings* ColumnFields, bool Modal);
extern TShowFindDialogProcGx GridFindDialogProc;
