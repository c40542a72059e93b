// The find dialog ("Find text"): the text with its history, the column or "<All>", the kind of
// match, the direction and the case and format switches; each "Find next" runs one search
// through the grid's locate operation.
#include "grid/DBGridGxFindDlgs.h"

#include "grid/DBCtrlsGxCheck.h"
#include "grid/DBCtrlsGxCombo.h"
#include "grid/DBGridGx.h"
#include "grid/ToolCtrlsGxMemTable.h"
#include "gui/Input.h"
#include "gui/StdCtrls.h"
#include "rtl/StrUtils.h"

namespace {

const char* const AllColumnsText = "<All>";
TDBGridGxFindDlg* TheDialog = nullptr;

// A column's title as the grid shows it: with the title tree on, the levels of a caption written
// "Fee|Amount" read "Fee - Amount" (the tree draws them one above the other, not the bars).
String FindInCaption(TCustomDBGridGx* Grid, TColumnGx* Column) {
    const String caption = Column->Title()->Caption();
    if (!Grid->UseMultiTitle()) return caption;
    String shown;
    size_t start = 0;
    for (;;) {
        const size_t bar = caption.find('|', start);
        const String level = Trim(caption.substr(start, bar == String::npos ? String::npos : bar - start));
        if (!level.empty()) shown += (shown.empty() ? "" : " - ") + level;
        if (bar == String::npos) break;
        start = bar + 1;
    }
    return shown;
}

TLabel* AddLabel(TForm* Form, const char* Caption, int X, int Y) {
    auto* l = new TLabel(Form);
    l->SetParent(Form);
    l->SetBounds(X, Y, 76, 16);
    l->SetCaption(Caption);
    return l;
}

TDBComboBoxGx* AddCombo(TForm* Form, const char* Name, int X, int Y, int Width,
                        std::initializer_list<const char*> Items, bool Keys) {
    auto* c = new TDBComboBoxGx(Form);
    c->SetName(Name);
    c->SetParent(Form);
    c->SetBounds(X, Y, Width, 21);
    c->DropDownBox()->SetRows(17);
    c->DropDownBox()->SetSizable(true);
    for (const char* item : Items) {
        c->Items()->Add(item);
        if (Keys) c->KeyItems()->Add(item);
    }
    return c;
}

TDBCheckBoxGx* AddCheck(TForm* Form, const char* Name, const char* Caption, int X, int Y, bool Checked) {
    auto* c = new TDBCheckBoxGx(Form);
    c->SetName(Name);
    c->SetParent(Form);
    c->SetBounds(X, Y, 120, 17);
    c->SetCaption(Caption);
    c->SetChecked(Checked);
    return c;
}

TButton* AddButton(TForm* Form, const char* Name, const char* Caption, int Y) {
    auto* b = new TButton(Form);
    b->SetName(Name);
    b->SetParent(Form);
    b->SetBounds(416, Y, 81, 25);
    b->SetCaption(Caption);
    return b;
}

} // namespace

TShowFindDialogProcGx GridFindDialogProc = &ShowGridFindDialog;

TDBGridGxFindDlg::TDBGridGxFindDlg(TComponent* AOwner) : TForm(AOwner) {
    SetName("DBGridGxFindDlg");
    SetCaption("Find text");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    Font()->SetHeight(-10);
    SetClientWidth(505);
    SetClientHeight(150);

    lText = AddLabel(this, "Fi&nd What:", 8, 12);
    cbText = AddCombo(this, "cbText", 88, 8, 316, {}, false);
    bFind = AddButton(this, "bFind", "&Find next", 8);
    bFind->SetDefault(true);
    bCancel = AddButton(this, "bCancel", "Close", 38);
    bCancel->SetCancel(true);
    bCancel->SetModalResult(mrCancel);
    lFindIn = AddLabel(this, "Find &in:", 8, 42);
    cbFindIn = AddCombo(this, "cbFindIn", 88, 38, 192, {}, false);
    lMatchinType = AddLabel(this, "Matc&h:", 8, 72);
    cbMatchinType = AddCombo(this, "cbMatchinType", 88, 68, 192,
                             {"From any part of field", "Whole field", "From beging of field"}, true);
    cbMatchinType->SetItemIndex(0);
    lFindDirection = AddLabel(this, "Sea&rch:", 8, 102);
    cbFindDirection = AddCombo(this, "cbFindDirection", 88, 98, 192, {"Up", "Down", "All"}, false);
    cbFindDirection->SetItemIndex(2);
    cbCharCase = AddCheck(this, "cbCharCase", "Match &Case", 296, 70, false);
    cbUseFormat = AddCheck(this, "cbUseFormat", "Match F&ormat", 296, 100, true);
    lTreeFindRange = AddLabel(this, "Find in Tree:", 8, 128);
    dbcTreeFindRange =
        AddCombo(this, "dbcTreeFindRange", 88, 124, 192,
                 {"In all nodes", "In expanded nodes", "In current level", "In current node"}, false);
    dbcTreeFindRange->SetItemIndex(0);

    bFind->OnClick = [this](TObject*) { bFindClick(); };
    bCancel->OnClick = [this](TObject*) { bCancelClick(); };
    cbFindIn->OnChange = [this](TObject*) { cbFindInChange(); };
    cbText->OnChange = [this](TObject*) { cbTextChange(); };
    cbFindDirection->OnChange = [this](TObject*) { cbTextChange(); };
    dbcTreeFindRange->OnChange = [this](TObject*) { cbTextChange(); };
    OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { FormKeyDown(Key, Shift); };
    FDesignedHeight = ClientHeight();
    DoCreate();
}

TDBGridGxFindDlg::~TDBGridGxFindDlg() {
    SetGrid(nullptr);
    if (TheDialog == this) TheDialog = nullptr;
}

void TDBGridGxFindDlg::SetGrid(TCustomDBGridGx* Grid) {
    if (FGrid == Grid) return;
    if (FGrid) FGrid->RemoveFreeNotification(this);
    FGrid = Grid;
    if (FGrid) FGrid->FreeNotification(this);
}

// A freed grid leaves the dialog without a grid and without its columns.
void TDBGridGxFindDlg::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGrid) {
        FGrid = nullptr;
        auto onChange = std::move(cbFindIn->OnChange);
        cbFindIn->Items()->Clear();
        cbFindIn->KeyItems()->Clear();
        cbFindIn->OnChange = std::move(onChange);
    }
}

void TDBGridGxFindDlg::Execute(TCustomDBGridGx* Grid, const String& Text, bool Modal) {
    // The tree range shows only for an open data set that presents its rows as a tree.
    TDataSet* ds = Grid->DataSource() ? Grid->DataSource()->DataSet() : nullptr;
    IMemTableGx* rows = Grid->MemTable();
    const bool tree = ds && ds->Active() && rows && rows->TreeViewMode();
    lTreeFindRange->SetVisible(tree);
    dbcTreeFindRange->SetVisible(tree);
    SetClientHeight(tree ? FDesignedHeight : dbcTreeFindRange->Top());
    cbText->SetText(Text);
    SetGrid(Grid);

    auto onChange = std::move(cbFindIn->OnChange);
    cbFindIn->Items()->Clear();
    cbFindIn->KeyItems()->Clear();
    TColumnsGxList& visible = Grid->VisibleColumns();
    for (int i = 0; i < visible.Count(); ++i) {
        TColumnGx* col = visible.ColumnAt(i);
        const String caption = FindInCaption(Grid, col);
        cbFindIn->Items()->AddObject(caption, col);
        cbFindIn->KeyItems()->Add(caption);
    }
    cbFindIn->Items()->Add(AllColumnsText);
    cbFindIn->KeyItems()->Add(AllColumnsText);
    int selected = cbFindIn->Items()->Count() - 1;
    int focused = Grid->FocusedColumnIndex();
    if (focused >= 0 && focused < Grid->Columns()->Count()) {
        String caption = FindInCaption(Grid, Grid->Columns()->ColumnAt(focused));
        for (int i = 0; i < visible.Count(); ++i)
            if (cbFindIn->Items()->Strings(i) == caption) {
                selected = i;
                break;
            }
    }
    cbFindIn->SetItemIndex(selected);
    cbFindIn->OnChange = std::move(onChange);

    FFirstTry = true;
    if (Visible()) Hide();
    SetActiveControl(cbText);
    if (Modal) {
        SetFormStyle(fsNormal);
        ShowModal();
    } else {
        SetFormStyle(fsStayOnTop);
        Show();
        SetFocus();
    }
}

void TDBGridGxFindDlg::bFindClick() {
    FindNext(GetKeyState(VK_CONTROL) < 0);
}

void TDBGridGxFindDlg::FindNext(bool CtrlDown) {
    String text = cbText->Text();
    if (cbText->Items()->IndexOf(text) < 0) cbText->Items()->Add(text);
    if (!FGrid || !FGrid->DataSource() || !FGrid->DataSource()->DataSet() ||
        !FGrid->DataSource()->DataSet()->Active())
        return;
    int last = cbFindIn->Items()->Count() - 1;
    int options = 0;
    if (!cbCharCase->Checked()) options |= gsoIgnoreCaseGx;
    if (cbUseFormat->Checked()) options |= gsoUseFormatGx;
    if (cbFindIn->ItemIndex() == last) options |= gsoAllColumnsGx;
    int direction = cbFindDirection->ItemIndex();
    if (direction < gsdUpGx || direction > gsdAllGx) direction = gsdAllGx;
    if (CtrlDown) direction = direction == gsdUpGx ? gsdDownGx : gsdUpGx;
    if (!FFirstTry && direction == gsdAllGx) direction = gsdDownGx;
    int match = std::max(cbMatchinType->ItemIndex(), 0);
    int tree = std::max(dbcTreeFindRange->ItemIndex(), 0);
    String field;
    int i = cbFindIn->ItemIndex();
    if (i >= 0 && i < last)
        if (auto* col = dynamic_cast<TColumnGx*>(cbFindIn->Items()->Objects(i))) field = col->FieldName();
    if (FGrid->CenterLocateText(field, text, options, direction, match, tree)) FFirstTry = false;
}

void TDBGridGxFindDlg::bCancelClick() {
    Close();
}

void TDBGridGxFindDlg::cbFindInChange() {
    FFirstTry = true;
}
void TDBGridGxFindDlg::cbTextChange() {
    FFirstTry = true;
}

void TDBGridGxFindDlg::FormKeyDown(Word& Key, TShiftState Shift) {
    if (Key != VK_RETURN && Key != VK_ESCAPE) return;
    if (TWinControl* c = ActiveControl(); c && c->WantsKey(Key, Shift)) return;
    if (Key == VK_ESCAPE) {
        // A modal dialog closes through its cancel button.
        if (!Modal()) {
            Key = 0;
            Close();
        }
    } else {
        Key = 0;
        bFindClick();
    }
    cbText->SetModified(false);
}

TDBGridGxFindDlg* GridFindDialog() {
    return TheDialog;
}

void ShowGridFindDialog(TCustomDBGridGx* Grid, const String& Text, const String&, TStrings*, bool Modal) {
    if (!TheDialog) TheDialog = new TDBGridGxFindDlg(Application());
    TheDialog->Execute(Grid, Text, Modal);
}
