#include "app/registers/uFrmFYinfoGL.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/uFrmFYinfoEdit.h"

#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"

#include <memory>

namespace {

const TListWindowSpec FYinfoSpec{"费用项目设置", "T_FYinfo", "FYinfoGL", "frFYinfoGL.di3", "费用项目管理", 5};

} // namespace

TfrmFYinfoGL::TfrmFYinfoGL(TComponent* AOwner) : TListWindow(AOwner, FYinfoSpec) {
    SetName("frmFYinfoGL");
    BuildToolBar(FamilyButtons());
    tbQuery->SetVisible(false);
    ToolBar1->ArrangeButtons();
    BuildSearchPanel()->SetEntries({
        {"编号", "F_code", tmStartsWith, "", {}},
        {"类型", "F_SFtype", tmContains, "select f_name from t_code where F_type = 'sftype' ", {}},
        {"区域", "F_XQname", tmContains, "", {}},
        {"备注", "F_memo1", tmContains, "", {}},
    });
    BuildColumns({
        {"F_code", "编号", 60},
        {"F_name", "名称", 120},
        {"F_SFtype", "收费方式", 80},
        {"F_SFprice", "单位价格", 90},
        {"F_SFcycle", "收费周期", 70},
        {"F_XQname", "小区名称", 90},
        {"F_memo1", "备注", 180},
    });
    DBGridGx1->SetFooterRowCount(0);
}

bool TfrmFYinfoGL::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from T_FYinfo where (1=1) " + XQScopeSQL);
    SearchPanel->AddCondition(statement);
    statement.Add("order by f_code");
    return true;
}

void TfrmFYinfoGL::OpenEditor(bool editMode) {
    auto dialog = std::make_unique<TfrmFYinfoEdit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->ShowEditor(editMode);
}

String TfrmFYinfoGL::DeleteQuestion() const {
    return "真的要删除当前编号" + QryTable->FieldByName("F_code")->AsString() + "吗？";
}
