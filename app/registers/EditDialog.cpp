#include "app/registers/EditDialog.h"

#include "app/registers/ListWindow.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBCtrlsGxNavigator.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"

TEditDialog::TEditDialog(TListWindow* list, const String& title) : TForm(list), FList(list), FTitle(title) {
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetKeyPreview(true);
    SetCaption(title);
    PanelBottom = new TPanel(this);
    PanelBottom->SetName("PanelBottom");
    PanelBottom->SetParent(this);
    PanelBottom->SetAlign(alBottom);
    PanelBottom->SetHeight(42);
    PanelBottom->SetBevelOuter(bvNone);
    PanelBottom->SetCaption("");
    CheckBox1 = new TCheckBox(this);
    CheckBox1->SetName("CheckBox1");
    CheckBox1->SetParent(PanelBottom);
    CheckBox1->SetBounds(12, 12, 90, 20);
    CheckBox1->SetCaption("连续新增");
    CheckBox1->SetChecked(true);
    CheckBox1->SetTabStop(false);
    DBNavigator1 = new TDBNavigator(this);
    DBNavigator1->SetName("DBNavigator1");
    DBNavigator1->SetParent(PanelBottom);
    DBNavigator1->SetBounds(110, 9, 128, 26);
    DBNavigator1->SetDataSource(list->dsTable);
    DBNavigator1->OnClick = [this](TObject*, TNavigateBtn) { LoadEditorFields(true); };
    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(PanelBottom);
    Button1->SetCaption("确定");
    Button1->OnClick = [this](TObject*) { SaveClick(); };
    Button2 = new TButton(this);
    Button2->SetName("Button2");
    Button2->SetParent(PanelBottom);
    Button2->SetCaption("取消");
    Button2->SetModalResult(mrCancel);
    Button2->SetCancel(true);
    PanelBottom->OnResize = [this](TObject*) {
        Button2->SetBounds(PanelBottom->ClientWidth() - 92, 8, 80, 28);
        Button1->SetBounds(PanelBottom->ClientWidth() - 180, 8, 80, 28);
    };
}

TEditDialog::~TEditDialog() {
    DestroyComponents();
}

int TEditDialog::ShowEditor(bool editMode) {
    SetEditorMode(editMode);
    LoadEditorFields(editMode);
    return ShowModal();
}

void TEditDialog::SetEditorMode(bool editMode) {
    FEditMode = editMode;
    CheckBox1->SetVisible(ContinuousAddAllowed());
    DBNavigator1->SetVisible(editMode);
    SetCaption(FTitle + (editMode ? " - 修改" : " - 新增"));
}

void TEditDialog::SetContinuousAddDefault(bool checked) {
    CheckBox1->SetChecked(checked);
}

void TEditDialog::RememberLoadedRow() {
    FLoaded = TRowSnapshot::Take(*FList->QryTable);
}

int TEditDialog::RecordId() const {
    return FList->CurrentId();
}

void TEditDialog::VerifyLoaded(const String& table, const std::vector<String>& ignored) const {
    FLoaded.Verify(FList->QryTable->Connection(), table, RecordId(), ignored);
}

int TEditDialog::InsertedId(const String& table) const {
    TADOQuery newest;
    newest.SetConnection(FList->QryTable->Connection());
    newest.SQL()->SetText("select max(F_ID) from " + table);
    newest.Open();
    return newest.Fields()[0]->AsInteger();
}
