#include "app/registers/uFrmPublicSetGL.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/uFrmPublicSetEdit.h"

#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "gui/StdCtrls.h"

#include <memory>

namespace {

const TListWindowSpec PublicSetSpec{"小区公共设施管理",  "T_publicSet",      "PublicSetGL",
                                    "frPublicSetGL.di3", "小区公共设施管理", 1};

std::vector<TSearchEntry> PublicSetSearch() {
    return {
        {"设施编号", "F_code", tmStartsWith, "", {}},
        {"设施名称", "F_name", tmStartsWith, "", {}},
        {"设施类型", "F_type", tmContains, "select f_name from t_code where F_type = 'settype' ", {}},
        {"品牌", "F_pinPai", tmContains, "select f_name from t_code where F_type = 'pinpai' ", {}},
        {"规格", "F_spec", tmContains, "", {}},
        {"产地", "F_Address", tmContains, "", {}},
        {"备注", "F_memo1", tmContains, "", {}},
    };
}

} // namespace

TfrmPublicSetGL::TfrmPublicSetGL(TComponent* AOwner) : TListWindow(AOwner, PublicSetSpec) {
    SetName("frmPublicSetGL");
    BuildToolBar(FamilyButtons());
    tbQuery->SetVisible(false);
    ToolBar1->ArrangeButtons();
    BuildSearchPanel()->SetEntries(PublicSetSearch());
    CheckBox2 = new TCheckBox(this);
    CheckBox2->SetName("CheckBox2");
    CheckBox2->SetParent(SearchPanel);
    CheckBox2->SetBounds(520, 8, 100, 20);
    CheckBox2->SetCaption("包含已停用");
    CheckBox2->OnClick = [this](TObject*) { RefreshList(); };
    BuildColumns({
        {"F_code", "设施编号", 80, fvtStaticText, "合  计"},
        {"F_name", "设施名称", 100},
        {"F_type", "类型", 80},
        {"F_pinpai", "品牌", 80},
        {"F_spec", "规格", 80},
        {"F_address", "产地", 80},
        {"F_amount", "数量", 80, fvtSum},
        {"F_price", "单价", 80},
        {"F_totalprice", "金额", 90, fvtSum},
        {"F_XQname", "小区名称", 80},
        {"F_memo1", "备注", 150},
    });
    RowIsStopped = [this] {
        TField* stopped = QryTable->FindField("F_useFlag");
        return stopped && stopped->AsBoolean();
    };
}

bool TfrmPublicSetGL::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from T_publicSet where (1=1) " + XQScopeSQL);
    SearchPanel->AddCondition(statement);
    if (!CheckBox2->Checked()) statement.Add("and F_Useflag = false ");
    statement.Add("order by f_code");
    return true;
}

void TfrmPublicSetGL::OpenEditor(bool editMode) {
    auto dialog = std::make_unique<TfrmPublicSetEdit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->ShowEditor(editMode);
}

String TfrmPublicSetGL::DeleteQuestion() const {
    return "真的要删除当前设施" + QryTable->FieldByName("F_Name")->AsString() + "吗？";
}
