#include "app/fees/uDLGpjInfoXZ.h"

#include "app/core/FormControls.h"
#include "app/fees/uFrmCltBXGL.h"
#include "app/fees/uFrmCltBXedit.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/uFrmPJdepotEdit.h"
#include "app/registers/uFrmPJdepotGL.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/Buttons.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "rtl/Currency.h"
#include "rtl/StrUtils.h"

#include <memory>

TDLGpjInfoXZ::TDLGpjInfoXZ(TfrmCltBXedit* repair) : TForm(repair), FRepair(repair) {
    SetName("DLGpjInfoXZ");
    SetCaption("设备配件选择");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetKeyPreview(true);
    SetClientWidth(820);
    SetClientHeight(460);
    QryTable = new TADOQuery(this);
    QryTable->SetName("QryTable");
    QryTable->SetConnection(dmData->ADOcnn());
    dsTable = new TDataSource(this);
    dsTable->SetName("dsTable");
    dsTable->SetDataSet(QryTable);

    PanelFilter = new TPanel(this);
    PanelFilter->SetName("PanelFilter");
    PanelFilter->SetParent(this);
    PanelFilter->SetAlign(alTop);
    PanelFilter->SetHeight(38);
    PanelFilter->SetCaption("");
    AddLabel(this, PanelFilter, "按类别过滤：", 8, 8, 80);
    cbbType = new TComboBox(this);
    cbbType->SetName("cbbType");
    cbbType->SetParent(PanelFilter);
    cbbType->SetBounds(88, 8, 110, 22);
    cbbType->SetMaxLength(SearchTextLimit);
    cbbType->OnEnter = [this](TObject*) {
        dmData->FillCombo("select distinct F_name from t_code where (F_name <> '') and F_type = 'pjtype' ",
                          *cbbType->Items());
    };
    AddLabel(this, PanelFilter, "请输入配件的编号、名称或产地：", 212, 8, 200);
    edtQryCode = new TEdit(this);
    edtQryCode->SetName("edtQryCode");
    edtQryCode->SetParent(PanelFilter);
    edtQryCode->SetBounds(412, 8, 160, 22);
    edtQryCode->SetMaxLength(SearchTextLimit);
    BitBtn3 = AddPanelButton(this, PanelFilter, "BitBtn3", "查询", 584, 8, 86);
    BitBtn3->SetBounds(584, 5, 80, 28);
    BitBtn3->OnClick = [this](TObject*) { QueryPickerParts(); };

    PanelButtons = new TPanel(this);
    PanelButtons->SetName("PanelButtons");
    PanelButtons->SetParent(this);
    PanelButtons->SetAlign(alBottom);
    PanelButtons->SetHeight(44);
    PanelButtons->SetCaption("");
    BitBtn4 = AddPanelButton(this, PanelButtons, "BitBtn4", "新增配件", 12, 8, 86);
    BitBtn4->OnClick = [this](TObject*) { NewPartClick(); };
    BitBtn1 = AddPanelButton(this, PanelButtons, "BitBtn1", "确定", 630, 8, 86);
    BitBtn1->OnClick = [this](TObject*) {
        if (DBGridGx1->OnDblClick) DBGridGx1->OnDblClick(DBGridGx1);
    };
    BitBtn2 = AddPanelButton(this, PanelButtons, "BitBtn2", "关闭", 722, 8, 86);
    BitBtn2->SetModalResult(mrCancel);
    BitBtn2->SetCancel(true);

    DBGridGx1 = new TDBGridGx(this);
    DBGridGx1->SetName("DBGridGx1");
    DBGridGx1->SetParent(this);
    DBGridGx1->SetAlign(alClient);
    DBGridGx1->SetReadOnly(true);
    DBGridGx1->SetUseMultiTitle(true);
    DBGridGx1->DrawMemoText = true;
    DBGridGx1->SetOptions(DBGridGx1->Options() | dgRowSelect | dgMultiSelect | dgAlwaysShowSelection);
    DBGridGx1->SetFooterRowCount(1);
    DBGridGx1->SumList()->SetActive(true);
    DBGridGx1->SetDataSource(dsTable);
    DBGridGx1->BeginLayout();
    struct TPartColumn {
        const char* Field;
        const char* Caption;
        int Width;
        TFooterValueType Footer;
    };
    const TPartColumn columns[] = {
        {"F_code", "编号", 70, fvtStaticText}, {"F_name", "名称", 110, fvtNon},    {"F_type", "类别", 70, fvtNon},
        {"F_spec", "规格", 70, fvtNon},        {"F_unit", "单位", 44, fvtNon},     {"F_address", "产地", 80, fvtNon},
        {"F_price1", "预售单价", 80, fvtNon},  {"F_amount", "库存数量", 70, fvtSum}, {"F_mem", "备注", 140, fvtNon},
    };
    for (const TPartColumn& spec : columns) {
        TColumnGx* column = DBGridGx1->Columns()->AddColumn();
        column->SetFieldName(spec.Field);
        column->Title()->SetCaption(spec.Caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(spec.Width);
        column->Footer()->SetValueType(spec.Footer);
        if (spec.Footer == fvtStaticText) column->Footer()->SetValue("合  计");
    }
    DBGridGx1->EndLayout();
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    auto* fields = new TMenuItem(this);
    fields->SetCaption("显示字段列表");
    fields->OnClick = [this](TObject*) { dmData->ChooseGridColumns(DBGridGx1); };
    PopupMenu1->Items()->Add(fields);
    auto* save = new TMenuItem(this);
    save->SetCaption("保存当前设置");
    save->OnClick = [this](TObject*) {
        if (ShowMess("真的要保存当前网格设置吗？", 1) == 1) dmData->SaveGridLayout(DBGridGx1, "dlggoodxz");
    };
    PopupMenu1->Items()->Add(save);
    DBGridGx1->SetPopupMenu(PopupMenu1);
}

TDLGpjInfoXZ::~TDLGpjInfoXZ() {
    DBGridGx1->OnDblClick = nullptr;
}

int TDLGpjInfoXZ::ShowPartPicker() {
    dmData->RunSQL("delete from tempCode");
    if (Mode == 1)
        DBGridGx1->OnDblClick = [this](TObject*) { AddMaterialLine(); };
    else
        DBGridGx1->OnDblClick = [this](TObject*) { SetModalResult(mrOk); };
    if (!FLayoutLoaded) {
        FLayoutLoaded = true;
        dmData->LoadGridLayout(DBGridGx1, "dlggoodxz");
    }
    QueryPickerParts();
    BitBtn1->SetModalResult(mrNone);
    return ShowModal();
}

void TDLGpjInfoXZ::QueryPickerParts() {
    String sql = "select * from t_PJinfo where not(F_code in (select F_code from tempCode))";
    const String text = edtQryCode->Text(); // as typed
    const String category = Trim(cbbType->Text());
    if (!text.empty()) sql += " And (Left(F_code, Len(:code)) = :code Or InStr(F_name, :name) > 0 )";
    if (!category.empty()) sql += " And Left(F_type, Len(:type)) = :type ";
    sql += " order by F_code";
    QryTable->Close();
    QryTable->SQL()->SetText(sql);
    if (!text.empty()) {
        QryTable->Parameters()->ParamByName("code")->SetValue(text);
        QryTable->Parameters()->ParamByName("name")->SetValue(text);
    }
    if (!category.empty()) QryTable->Parameters()->ParamByName("type")->SetValue(category);
    try {
        QryTable->Open();
    } catch (const std::exception&) {
        QryTable->Close();
        ShowMess(MsgOpenFailed, 3);
    }
}

void TDLGpjInfoXZ::AddMaterialLine() {
    if (!QryTable->Active() || QryTable->IsEmpty()) return;
    TADOQuery* lines = FRepair->Register()->QryDetail;
    if (!lines->Active()) return;
    const String code = QryTable->FieldByName("F_code")->AsString();
    const Currency price = QryTable->FieldByName("F_price1")->AsCurrency();
    lines->Append();
    lines->FieldByName("F_PJcode")->SetAsString(code);
    lines->FieldByName("F_PJid")->SetAsInteger(QryTable->FieldByName("F_ID")->AsInteger());
    lines->FieldByName("F_PJname")->SetAsString(QryTable->FieldByName("F_name")->AsString());
    for (const char* field : {"F_type", "F_spec", "F_unit", "F_address"})
        lines->FieldByName(field)->SetAsString(QryTable->FieldByName(field)->AsString());
    lines->FieldByName("F_code")->SetAsString(FRepair->edtCode->Text());
    lines->FieldByName("F_price")->SetAsCurrency(price);
    lines->FieldByName("F_amount")->SetAsFloat(1);
    lines->FieldByName("F_totalprice")->SetAsCurrency(price);
    lines->Post();
    RememberPickedPart(code);
    QryTable->Close();
    try {
        QryTable->Open();
    } catch (const std::exception&) {
        ShowMess(MsgOpenFailed, 3);
    }
}

void TDLGpjInfoXZ::RememberPickedPart(const String& code) {
    TADOQuery* remembered = dmData->QryTemp();
    try {
        remembered->Close();
        remembered->SQL()->SetText("select F_code from tempCode ");
        remembered->Open();
        remembered->Append();
        remembered->FieldByName("F_code")->SetAsString(code);
        remembered->Post();
        remembered->Close();
    } catch (const std::exception&) {
        // A pick not remembered is offered again: nothing worse.
        if (remembered->State() == dsInsert) remembered->Cancel();
    }
}

void TDLGpjInfoXZ::NewPartClick() {
    // The card stands on the spare-parts register, which it re-opens after a save; that one is
    // not shown.
    auto parts = std::make_unique<TfrmPJdepotGL>(this);
    auto card = std::make_unique<TfrmPJdepotEdit>(parts.get());
    DispFormPos(card.get(), 1);
    card->ShowEditor(false);
    card.reset();
    parts.reset();
    QueryPickerParts();
}
