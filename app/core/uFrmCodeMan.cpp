#include "app/core/uFrmCodeMan.h"

#include "app/core/AppErrors.h"
#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/TypedInput.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmOperGl.h"

#include "controls/WnPageControl.h"
#include "db/ADODB.h"
#include "db/DB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ComCtrls.h"
#include "gui/Input.h"
#include "rtl/StrUtils.h"

#include <functional>

const std::vector<TCodeCategory>& CodeCategories() {
    static const std::vector<TCodeCategory> categories = {
        {"lcjiegou", "楼层结构"}, {"FXtype", "房    型"},    {"chaoxiang", "房间朝向"},
        {"chanquan", "产权状况"}, {"curstatus", "使用状态"}, {"settype", "设备类型"},
        {"pinpai", "品    牌"},   {"pjtype", "配件类型"},    {"unit", "计量单位"},
        {"area", "区    域"},     {"bjtype", "保洁类型"},    {"batype", "保安类型"},
        {"sftype", "收费类型"},   {"sfcycle", "收费周期"},   {"HTtype", "合同类型"},
        {"Sltype", "受理状态"},   {"MYtype", "满 意 度"},    {"Contenttype", "内容类型"},
        {"SKtype", "收款方式"},   {"JDemp", "接待人员"},     {"WXemp", "维修人员"},
        {"SLemp", "受理员工"},    {"XLtype", "事件类型"},    {"EmpName", "经 手 人"},
    };
    return categories;
}

String DeleteCodeQuestion(const String& tabCaption, const String& name) {
    return "真的要删除 \"" + tabCaption + "\"" + name + "吗？";
}

TFrmCodeMan::TFrmCodeMan(TComponent* AOwner) : TForm(AOwner) {
    SetName("FrmCodeMan");
    SetCaption("选项设置");
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    SetClientWidth(640);
    SetClientHeight(480);

    QryTable = new TADOQuery(this);
    QryTable->SetName("QryTable");
    QryTable->SetConnection(dmData->ADOcnn());
    QryTable->SetLockType(ltBatchOptimistic);
    dsTable = new TDataSource(this);
    dsTable->SetName("dsTable");
    dsTable->SetDataSet(QryTable);

    ToolBar1 = new TToolBar(this);
    ToolBar1->SetName("ToolBar1");
    ToolBar1->SetParent(this);
    ToolBar1->SetAlign(alTop);
    ToolBar1->SetShowCaptions(true);
    ToolBar1->SetButtonWidth(52);
    ToolBar1->SetButtonHeight(26);
    ToolBar1->SetHeight(30);
    tbNew = AddButton("tbNew", "新增", [this] { NewClick(); });
    tbEdit = AddButton("tbEdit", "修改", [this] { EditClick(); });
    tbDel = AddButton("tbDel", "删除", [this] { DeleteClick(); });
    AddSeparator();
    tbSave = AddButton("tbSave", "保存", [this] { SaveClick(); });
    tbCancel = AddButton("tbCancel", "取消", [this] { CancelClick(); });
    AddSeparator();
    tbPrint = AddButton("tbPrint", "打印", [this] { PrintClick(); });
    tbRefresh = AddButton("tbRefresh", "刷新", [this] { RefreshClick(); });
    AddSeparator();
    tbExit = AddButton("tbExit", "退出", [this] { Close(); });
    ToolBar1->ArrangeButtons();
    tbSave->SetEnabled(false);
    tbCancel->SetEnabled(false);

    StatusBar1 = new TStatusBar(this);
    StatusBar1->SetName("StatusBar1");
    StatusBar1->SetParent(this);
    StatusBar1->SetAlign(alBottom);
    for (int width : {120, 160, 160, 190})
        StatusBar1->AddPanel()->SetWidth(width);
    StatusBar1->Panels(3)->SetAlignment(taRightJustify);

    PageControl1 = new TWnPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    PageControl1->SetMultiLine(true);
    PageControl1->SetTabHeight(22); // the rows of tabs as high as their captions
    for (const TCodeCategory& category : CodeCategories()) {
        auto* sheet = new TWnTabSheet(this);
        sheet->SetName(String("t") + category.Type);
        sheet->SetPageControl(PageControl1);
        sheet->SetCaption(category.Caption);
    }
    PageControl1->SetActivePageIndex(0);
    PageControl1->OnChange = [this](TObject*) { OpenCodeType(); };

    DBGridGx1 = new TDBGridGx(this);
    DBGridGx1->SetName("DBGridGx1");
    DBGridGx1->SetParent(PageControl1->ActivePage());
    DBGridGx1->SetAlign(alClient);
    DBGridGx1->SetReadOnly(true);
    DBGridGx1->SetDataSource(dsTable);
    TColumnGx* column = DBGridGx1->Columns()->AddColumn();
    column->SetFieldName("F_Name");
    column->Title()->SetAlignment(taCenter);
    column->SetWidth(400);
    DoCreate();
}

TFrmCodeMan::~TFrmCodeMan() = default;

TToolButton* TFrmCodeMan::AddButton(const char* name, const char* caption, std::function<void()> click) {
    auto* button = new TToolButton(this);
    button->SetName(name);
    button->SetCaption(caption);
    button->OnClick = [click](TObject*) { click(); };
    button->SetParent(ToolBar1);
    return button;
}

void TFrmCodeMan::AddSeparator() {
    auto* button = new TToolButton(this);
    button->SetStyle(tbsSeparator);
    button->SetWidth(8);
    button->SetParent(ToolBar1);
}

int TFrmCodeMan::ShowCodeTables() {
    return ShowModal();
}

void TFrmCodeMan::DoShow() {
    SetEditMode(true);
    // The window opens on the active tab's category under its title, so what is added in the
    // first view joins a list that a drop-down reads.
    OpenCodeType();
    StatusBar1->Panels(3)->SetText(CompanyName + "  ");
    TForm::DoShow();
}

void TFrmCodeMan::OpenCodeType() {
    TWnTabSheet* page = PageControl1->ActivePage();
    if (!page) return;
    FCurType = page->Name().substr(1);
    DBGridGx1->SetParent(page);
    DBGridGx1->Columns()->ColumnAt(0)->Title()->SetCaption(page->Caption());
    dmData->OpenSQL("Select * From t_code where F_type = '" + FCurType + "' ", QryTable);
}

void TFrmCodeMan::SetEditMode(bool browsing) {
    FBrowsing = browsing;
    for (TToolButton* button : {tbNew, tbEdit, tbDel, tbExit, tbRefresh, tbPrint})
        button->SetEnabled(browsing);
    PageControl1->SetEnabled(browsing);
    tbSave->SetEnabled(!browsing);
    tbCancel->SetEnabled(!browsing);
}

void TFrmCodeMan::StampCodeType() {
    if (!QryTable->Active()) return;
    TField* type = QryTable->FieldByName("F_type");
    for (QryTable->First(); !QryTable->Eof(); QryTable->Next()) {
        // Categories compare without regard to case, as the readers of the lists compare them.
        if (SameText(type->AsString(), FCurType)) continue;
        QryTable->Edit();
        type->SetAsString(FCurType);
        QryTable->Post();
    }
}

void TFrmCodeMan::DropNuls() {
    TField* name = QryTable->FieldByName("F_Name");
    for (QryTable->First(); !QryTable->Eof(); QryTable->Next()) {
        const String text = name->AsString();
        if (text.find('\0') == String::npos) continue;
        QryTable->Edit();
        name->SetAsString(TypedMemo(text));
        QryTable->Post();
    }
}

void TFrmCodeMan::NewClick() {
    if (!QryTable->Active()) return;
    SetEditMode(false);
    DBGridGx1->SetReadOnly(false);
    QryTable->Append();
    if (DBGridGx1->CanFocus()) DBGridGx1->SetFocus();
}

void TFrmCodeMan::EditClick() {
    if (!QryTable->Active() || QryTable->IsEmpty()) {
        ShowMess(MsgListEmptyNothingToEdit, 3);
        return;
    }
    SetEditMode(false);
    DBGridGx1->SetReadOnly(false);
    if (DBGridGx1->CanFocus()) DBGridGx1->SetFocus();
}

void TFrmCodeMan::DeleteClick() {
    if (!QryTable->Active() || QryTable->IsEmpty()) {
        ShowMess(MsgCodeListEmptyNothingToDelete, 0);
        return;
    }
    const String question = DeleteCodeQuestion(PageControl1->ActivePage()->Caption(),
                                               QryTable->FieldByName("F_Name")->AsString());
    if (ShowMess(question, 1) != 1) return;
    QryTable->Delete();
    try {
        // Browsing holds no other change: the batch is the deletion alone.
        QryTable->UpdateBatch();
    } catch (const EDatabaseRowChanged&) {
        // Another station changed or deleted the option meanwhile: the option comes back.
        QryTable->CancelBatch();
        ShowMess(MsgRecordChanged, 3);
    }
}

bool TFrmCodeMan::SaveClick() {
    if (!QryTable->Active()) return false;
    if (QryTable->State() == dsEdit || QryTable->State() == dsInsert) QryTable->Post();
    DropNuls();
    StampCodeType();
    // The batch is written first: the window returns to browsing only when it was, so rows a
    // failed write left pending are neither hidden nor dropped by the next tab change.
    try {
        QryTable->UpdateBatch();
    } catch (const EDatabaseRowChanged&) {
        ShowMess(MsgRecordChanged, 3);
        return false;
    } catch (const std::exception&) {
        // An option longer than its column, or a lost connection.
        ShowMess(MsgSaveFailed, 3);
        return false;
    }
    SetEditMode(true);
    DBGridGx1->SetReadOnly(true);
    return true;
}

void TFrmCodeMan::CancelClick() {
    SetEditMode(true);
    DBGridGx1->SetReadOnly(true);
    if (QryTable->Active()) QryTable->CancelBatch();
}

void TFrmCodeMan::RefreshClick() {
    QryTable->Close();
    dmData->OpenSQL("Select * From t_code where F_type = '" + FCurType + "' ", QryTable);
}

void TFrmCodeMan::PrintClick() {
    dmData->PrintGrid(DBGridGx1, DBGridGx1->Columns()->ColumnAt(0)->Title()->Caption() + "设置", "", "date",
                      1);
}

void TFrmCodeMan::KeyDown(Word& Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl);
    auto press = [&Key](TToolButton* button) {
        if (!button->Enabled()) return false;
        Key = 0;
        button->Click();
        return true;
    };
    if (ctrl && Key == 'A') {
        if (press(tbNew)) return;
    } else if (ctrl && Key == 'E') {
        if (press(tbEdit)) return;
    } else if (ctrl && Key == 'S') {
        if (press(tbSave)) return;
    } else if (Key == VK_ESCAPE && !ctrl) {
        if (!press(tbCancel)) {
            Key = 0;
            tbExit->Click();
        }
        return;
    } else if (Key == VK_DELETE && !ctrl) {
        if (press(tbDel)) return;
    } else if (Key == VK_RETURN && !ctrl) {
        Key = 0;
        SelectNext(ActiveControl(), true, true);
        return;
    }
    TForm::KeyDown(Key, Shift);
}

void TFrmCodeMan::KeyPress(char16_t& Key) {
    if (Key == u'\r') Key = 0;
    TForm::KeyPress(Key);
}
