#include "app/fees/uDLGgtcltXZ.h"

#include "app/core/FormControls.h"
#include "app/fees/uFrmGTFYinfoEdit.h"
#include "app/fees/uFrmGTFYinfoGL.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/RegisterStatement.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/Buttons.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"

TDLGgtcltXZ::TDLGgtcltXZ(TfrmGTFYinfoEdit* meter) : TForm(meter), FMeter(meter) {
    SetName("DLGgtcltXZ");
    SetCaption("房屋信息选择");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetKeyPreview(true);
    SetClientWidth(700);
    SetClientHeight(440);
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
    AddLabel(this, PanelFilter, "小区名称：", 8, 8, 64);
    cbbXQname = new TComboBox(this);
    cbbXQname->SetName("cbbXQname");
    cbbXQname->SetParent(PanelFilter);
    cbbXQname->SetBounds(72, 8, 120, 22);
    cbbXQname->SetMaxLength(SearchTextLimit);
    cbbXQname->OnEnter = [this](TObject*) {
        const String text = cbbXQname->Text();
        dmData->FillCombo("select f_name from T_XQinfo where f_name <> '' " + XQNameScopeSQL, *cbbXQname->Items());
        cbbXQname->SetText(text);
    };
    AddLabel(this, PanelFilter, "楼幢号：", 204, 8, 52);
    edtLDcode = new TEdit(this);
    edtLDcode->SetName("edtLDcode");
    edtLDcode->SetParent(PanelFilter);
    edtLDcode->SetBounds(256, 8, 90, 22);
    edtLDcode->SetMaxLength(SearchTextLimit);
    BitBtn3 = AddPanelButton(this, PanelFilter, "BitBtn3", "查询", 356, 5);
    CheckBox1 = new TCheckBox(this);
    CheckBox1->SetName("CheckBox1");
    CheckBox1->SetParent(PanelFilter);
    CheckBox1->SetBounds(450, 10, 140, 20);
    CheckBox1->SetCaption("只显示有住户房间");
    BitBtn3->OnClick = [this](TObject*) { QueryMeterHouses(); };
    cbbXQname->OnChange = [this](TObject*) { QueryMeterHouses(); };
    edtLDcode->OnChange = [this](TObject*) { QueryMeterHouses(); };

    PanelButtons = new TPanel(this);
    PanelButtons->SetName("PanelButtons");
    PanelButtons->SetParent(this);
    PanelButtons->SetAlign(alBottom);
    PanelButtons->SetHeight(44);
    PanelButtons->SetCaption("");
    BitBtn1 = AddPanelButton(this, PanelButtons, "BitBtn1", "确定", 510, 8);
    BitBtn1->SetModalResult(mrOk);
    BitBtn2 = AddPanelButton(this, PanelButtons, "BitBtn2", "关闭", 600, 8);
    BitBtn2->SetModalResult(mrCancel);
    BitBtn2->SetCancel(true);

    DBGridGx1 = new TDBGridGx(this);
    DBGridGx1->SetName("DBGridGx1");
    DBGridGx1->SetParent(this);
    DBGridGx1->SetAlign(alClient);
    DBGridGx1->SetReadOnly(true);
    DBGridGx1->SetOptions(DBGridGx1->Options() | dgRowSelect | dgMultiSelect | dgAlwaysShowSelection);
    DBGridGx1->SetDataSource(dsTable);
    DBGridGx1->BeginLayout();
    const std::pair<const char*, const char*> columns[] = {
        {"F_curStatus", "房屋状态"}, {"F_XQname", "小区名称"}, {"F_LDcode", "楼幢"},
        {"F_code", "房间编号"},      {"F_FZname", "业主姓名"}, {"F_DYcode", "单元"},
    };
    for (const auto& [field, caption] : columns) {
        TColumnGx* column = DBGridGx1->Columns()->AddColumn();
        column->SetFieldName(field);
        column->Title()->SetCaption(caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(90);
    }
    DBGridGx1->EndLayout();
    DBGridGx1->OnDblClick = [this](TObject*) { AddPickedHousehold(); };
}

TDLGgtcltXZ::~TDLGgtcltXZ() {
    DBGridGx1->OnDblClick = nullptr;
    cbbXQname->OnChange = nullptr;
    edtLDcode->OnChange = nullptr;
}

void TDLGgtcltXZ::QueryMeterHouses() {
    TSqlStatement statement;
    // The operator's estate scope narrows the houses offered, as in the house picker.
    statement.Add("select F_ID,F_curStatus,F_XQname,F_LDcode,F_DYcode,F_code,F_FZname from t_FCinfo "
                  "where (F_code in (select F_code from tempCode)) " +
                  XQScopeSQL);
    if (CheckBox1->Checked()) statement.Add("and F_curStatus <> '未销售' ");
    const String estate = cbbXQname->Text();
    if (!estate.empty()) statement.Add("and F_XQname like :" + statement.NewParam("%" + estate + "%") + " ");
    const String building = edtLDcode->Text();
    if (!building.empty()) statement.Add("and F_LDcode like :" + statement.NewParam("%" + building + "%") + " ");
    statement.Add(" order by F_code");
    OpenStatement(QryTable, statement);
}

void TDLGgtcltXZ::AddPickedHousehold() {
    if (!QryTable->Active() || QryTable->IsEmpty()) return;
    const String room = QryTable->FieldByName("F_code")->AsString();
    TADOQuery* households = FMeter->Register()->QryDetail;
    households->Append();
    households->FieldByName("F_code")->SetAsString(FMeter->edtCode->Text());
    households->FieldByName("F_mainID")->SetAsInteger(QryTable->FieldByName("F_ID")->AsInteger());
    households->FieldByName("F_FZcode")->SetAsString(room);
    for (const char* field : {"F_FZname", "F_XQname", "F_LDcode"})
        households->FieldByName(field)->SetAsString(QryTable->FieldByName(field)->AsString());
    households->Post();
    TSqlStatement out;
    out.Add("delete from tempCode where F_code = :code").Param("code", room);
    ExecStatement(dmData->QryPub(), out);
    // The next house: the first row after this one of another room code (the houses of this
    // room code leave the pool together).
    String next;
    for (QryTable->Next(); !QryTable->Eof(); QryTable->Next())
        if (QryTable->FieldByName("F_code")->AsString() != room) {
            next = QryTable->FieldByName("F_code")->AsString();
            break;
        }
    QueryMeterHouses();
    if (!next.empty() && QryTable->Active()) QryTable->Locate("F_code", next);
}
