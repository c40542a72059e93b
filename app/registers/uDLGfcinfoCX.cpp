#include "app/registers/uDLGfcinfoCX.h"

#include "app/registers/EstateTree.h"
#include "app/registers/ListSearchPanel.h"
#include "app/registers/SearchCondition.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"

namespace {

TLabel* NewLabel(TComponent* owner, TWinControl* parent, const String& caption, int left) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetBounds(left, 12, 60, 16);
    label->SetCaption(caption);
    return label;
}

template <class T>
T* NewBox(TComponent* owner, TWinControl* parent, const String& name, int left, int width) {
    T* box = new T(owner);
    box->SetName(name);
    box->SetParent(parent);
    box->SetBounds(left, 8, width, 22);
    box->SetMaxLength(SearchTextLimit);
    return box;
}

TBitBtn* NewButton(TComponent* owner, TWinControl* parent, const String& name, const String& caption) {
    auto* button = new TBitBtn(owner);
    button->SetName(name);
    button->SetParent(parent);
    button->SetCaption(caption);
    return button;
}

} // namespace

TDLGfcinfoCX::TDLGfcinfoCX(TComponent* AOwner) : TForm(AOwner) {
    SetName("DLGfcinfoCX");
    SetCaption("房屋信息选择");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetClientWidth(860);
    SetClientHeight(480);
    QryTable = new TADOQuery(this);
    QryTable->SetName("QryTable");
    QryTable->SetConnection(dmData->ADOcnn());
    dsTable = new TDataSource(this);
    dsTable->SetDataSet(QryTable);

    PanelFilter = new TPanel(this);
    PanelFilter->SetParent(this);
    PanelFilter->SetAlign(alTop);
    PanelFilter->SetHeight(38);
    PanelFilter->SetCaption("");
    NewLabel(this, PanelFilter, "小区名称", 8);
    cbbXQname = NewBox<TComboBox>(this, PanelFilter, "cbbXQname", 66, 120);
    NewLabel(this, PanelFilter, "楼幢号", 196);
    edtLDcode = NewBox<TEdit>(this, PanelFilter, "edtLDcode", 244, 90);
    edtLDcode->SetText("");
    NewLabel(this, PanelFilter, "门牌编号", 344);
    edtCode = NewBox<TEdit>(this, PanelFilter, "edtCode", 402, 90);
    edtCode->SetText("");
    edtCode->SetTabStop(false);
    edtCode->OnChange = [this](TObject*) { QueryPickerHouses(); };
    NewLabel(this, PanelFilter, "产权状况", 502);
    cbbChanquan = NewBox<TComboBox>(this, PanelFilter, "cbbChanquan", 560, 110);
    BitBtn3 = NewButton(this, PanelFilter, "BitBtn3", "查询");
    BitBtn3->SetBounds(690, 6, 80, 26);
    BitBtn3->SetTabStop(false);
    BitBtn3->OnClick = [this](TObject*) { QueryPickerHouses(); };

    PanelButtons = new TPanel(this);
    PanelButtons->SetParent(this);
    PanelButtons->SetAlign(alBottom);
    PanelButtons->SetHeight(42);
    PanelButtons->SetCaption("");
    BitBtn1 = NewButton(this, PanelButtons, "BitBtn1", "确定");
    BitBtn1->SetBounds(680, 8, 80, 28);
    BitBtn1->SetModalResult(mrOk);
    BitBtn2 = NewButton(this, PanelButtons, "BitBtn2", "关闭");
    BitBtn2->SetBounds(768, 8, 80, 28);
    BitBtn2->SetModalResult(mrCancel);
    BitBtn2->SetCancel(true);

    tvTree = NewEstateTreeView(this, this, [this] { QueryPickerHouses(); });

    DBGridGx1 = new TDBGridGx(this);
    DBGridGx1->SetName("DBGridGx1");
    DBGridGx1->SetParent(this);
    DBGridGx1->SetAlign(alClient);
    DBGridGx1->SetReadOnly(true);
    DBGridGx1->SetUseMultiTitle(true);
    DBGridGx1->SetOptions(DBGridGx1->Options() | dgRowSelect | dgMultiSelect | dgAlwaysShowSelection);
    DBGridGx1->SetDataSource(dsTable);
    DBGridGx1->OnDblClick = [this](TObject*) { SetModalResult(mrOk); };
    DBGridGx1->BeginLayout();
    const std::pair<const char*, const char*> columns[] = {
        {"F_curStatus", "房屋状态"}, {"F_XQname", "小区名称"},   {"F_LDcode", "楼幢"},
        {"F_DYcode", "单元"},        {"F_code", "房间编号"},     {"F_FXtype", "房间户型"},
        {"F_LouCeng", "楼层"},       {"F_chaoXiang", "朝向"},    {"F_buildArea", "建筑面积"},
        {"F_useArea", "实用面积"},   {"F_chanquan", "产权状况"}, {"F_mem1", "备注"}};
    for (const auto& [field, caption] : columns) {
        TColumnGx* column = DBGridGx1->Columns()->AddColumn();
        column->SetFieldName(field);
        column->Title()->SetCaption(caption);
        column->SetWidth(72);
        if (String(field).find("Area") != String::npos) column->SetDisplayFormat(",0.##;-,0.##");
    }
    DBGridGx1->EndLayout();
}

TDLGfcinfoCX::~TDLGfcinfoCX() {
    DestroyComponents();
}

void TDLGfcinfoCX::QueryPickerHouses() {
    TTreeNode* node = tvTree->Selected();
    if (!node) return;
    TSqlStatement statement;
    statement.Add("select F_ID,F_curStatus,F_XQname,F_LDcode,F_DYcode,F_code,F_FXtype,F_louCeng, F_chaoxiang,"
                  "F_buildArea,F_useArea,F_chanquan,F_mem1 from T_FCinfo where (F_curStatus <> '未销售')" +
                  XQScopeSQL + " ");
    AddTextCondition(statement, "F_XQname", cbbXQname->Text(), tmContains);
    AddTextCondition(statement, "F_LDcode", edtLDcode->Text(), tmContains);
    AddTextCondition(statement, "F_code", edtCode->Text(), tmContains);
    AddTextCondition(statement, "F_chanQuan", cbbChanquan->Text(), tmContains);
    AddNodeCondition(statement, node);
    statement.Add(" order by F_code");
    OpenStatement(QryTable, statement);
}

int TDLGfcinfoCX::SelectHouse(int currentHouseId) {
    BuildEstateTree(tvTree);
    if (ShowModal() != mrOk || !QryTable->Active() || QryTable->IsEmpty()) return currentHouseId;
    return QryTable->FieldByName("F_ID")->AsInteger();
}
