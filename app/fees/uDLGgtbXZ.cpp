#include "app/fees/uDLGgtbXZ.h"

#include "app/core/FormControls.h"
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

namespace {

void MeterPickerColumns(TDBGridGx* grid, const std::vector<std::pair<const char*, const char*>>& columns) {
    grid->BeginLayout();
    for (const auto& [field, caption] : columns) {
        TColumnGx* column = grid->Columns()->AddColumn();
        column->SetFieldName(field);
        column->Title()->SetCaption(caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(80);
    }
    grid->EndLayout();
}

} // namespace

TDLGgtbXZ::TDLGgtbXZ(TComponent* AOwner) : TForm(AOwner) {
    SetName("DLGgtbXZ");
    SetCaption("公摊表选择");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetKeyPreview(true);
    SetClientWidth(760);
    SetClientHeight(420);
    QryMeters = new TADOQuery(this);
    QryMeters->SetName("QryMeters");
    QryMeters->SetConnection(dmData->ADOcnn());
    QryHouseholds = new TADOQuery(this);
    QryHouseholds->SetName("QryHouseholds");
    QryHouseholds->SetConnection(dmData->ADOcnn());
    dsMeters = new TDataSource(this);
    dsMeters->SetDataSet(QryMeters);
    dsHouseholds = new TDataSource(this);
    dsHouseholds->SetDataSet(QryHouseholds);

    PanelFilter = new TPanel(this);
    PanelFilter->SetName("PanelFilter");
    PanelFilter->SetParent(this);
    PanelFilter->SetAlign(alTop);
    PanelFilter->SetHeight(38);
    PanelFilter->SetCaption("");
    auto* estate = new TLabel(this);
    estate->SetParent(PanelFilter);
    estate->SetBounds(8, 12, 64, 16);
    estate->SetCaption("小区名称：");
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
    auto* building = new TLabel(this);
    building->SetParent(PanelFilter);
    building->SetBounds(204, 12, 52, 16);
    building->SetCaption("楼幢号：");
    edtLDcode = new TEdit(this);
    edtLDcode->SetName("edtLDcode");
    edtLDcode->SetParent(PanelFilter);
    edtLDcode->SetBounds(256, 8, 90, 22);
    edtLDcode->SetMaxLength(SearchTextLimit);
    BitBtn3 = AddPanelButton(this, PanelFilter, "BitBtn3", "查询", 356, 5);
    BitBtn3->OnClick = [this](TObject*) { QuerySharedMeters(); };
    cbbXQname->OnChange = [this](TObject*) { QuerySharedMeters(); };
    edtLDcode->OnChange = [this](TObject*) { QuerySharedMeters(); };

    PanelButtons = new TPanel(this);
    PanelButtons->SetName("PanelButtons");
    PanelButtons->SetParent(this);
    PanelButtons->SetAlign(alBottom);
    PanelButtons->SetHeight(44);
    PanelButtons->SetCaption("");
    BitBtn1 = AddPanelButton(this, PanelButtons, "BitBtn1", "确定", 570, 8);
    BitBtn1->SetModalResult(mrOk);
    BitBtn2 = AddPanelButton(this, PanelButtons, "BitBtn2", "关闭", 660, 8);
    BitBtn2->SetModalResult(mrCancel);
    BitBtn2->SetCancel(true);

    DBGridGx1 = new TDBGridGx(this);
    DBGridGx1->SetName("DBGridGx1");
    DBGridGx1->SetParent(this);
    DBGridGx1->SetAlign(alLeft);
    DBGridGx1->SetWidth(280);
    DBGridGx1->SetReadOnly(true);
    DBGridGx1->SetOptions(DBGridGx1->Options() | dgRowSelect | dgAlwaysShowSelection);
    DBGridGx1->SetDataSource(dsMeters);
    MeterPickerColumns(DBGridGx1, {{"F_code", "编号"}, {"F_name", "名称"}, {"F_type", "类型"}});
    DBGridGx1->OnDblClick = [this](TObject*) { SetModalResult(mrOk); };
    DBGridGx2 = new TDBGridGx(this);
    DBGridGx2->SetName("DBGridGx2");
    DBGridGx2->SetParent(this);
    DBGridGx2->SetAlign(alClient);
    DBGridGx2->SetReadOnly(true);
    DBGridGx2->SetOptions(DBGridGx2->Options() | dgRowSelect | dgAlwaysShowSelection);
    DBGridGx2->SetDataSource(dsHouseholds);
    MeterPickerColumns(DBGridGx2, {{"F_XQname", "小区名称"},
                                   {"F_LDcode", "楼幢编号"},
                                   {"F_FZcode", "房间编号"},
                                   {"F_FZname", "业主姓名"},
                                   {"F_memo1", "备注"}});
    // The households follow the current meter.
    QryMeters->AfterScroll = [this](TDataSet*) {
        TSqlStatement statement;
        statement.Add("select * from t_GTdetail where F_code = :" +
                      statement.NewParam(QryMeters->IsEmpty() ? String() : QryMeters->FieldByName("F_code")->AsString()) +
                      " ");
        if (!cbbXQname->Text().empty())
            statement.Add("and F_XQname like :" + statement.NewParam("%" + cbbXQname->Text() + "%") + " ");
        if (!edtLDcode->Text().empty())
            statement.Add("and F_LDcode like :" + statement.NewParam("%" + edtLDcode->Text() + "%") + " ");
        statement.Add(" order by F_XQname,F_LDcode");
        OpenStatement(QryHouseholds, statement);
    };
}

TDLGgtbXZ::~TDLGgtbXZ() {
    QryMeters->AfterScroll = nullptr;
    cbbXQname->OnChange = nullptr;
    edtLDcode->OnChange = nullptr;
    DBGridGx1->OnDblClick = nullptr;
}

void TDLGgtbXZ::QuerySharedMeters() {
    TSqlStatement statement;
    statement.Add("select * from t_GTinfo where (1=1)" + XQScopeSQL + " order by F_code ");
    if (OpenStatement(QryMeters, statement) && QryMeters->AfterScroll) QryMeters->AfterScroll(QryMeters);
}
