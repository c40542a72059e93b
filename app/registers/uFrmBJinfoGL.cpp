#include "app/registers/uFrmBJinfoGL.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/uFrmBJinfoEdit.h"

#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"

#include <memory>

namespace {

const TListWindowSpec BJinfoSpec{"保洁绿化管理", "T_BJinfo", "BJinfoGL", "frBJinfoGL.di3", "保洁绿化管理", 0};

} // namespace

TfrmBJinfoGL::TfrmBJinfoGL(TComponent* AOwner) : TListWindow(AOwner, BJinfoSpec) {
    SetName("frmBJinfoGL");
    BuildToolBar(FamilyButtons());
    tbQuery->SetVisible(false);
    ToolBar1->ArrangeButtons();
    BuildSearchPanel()->SetEntries({
        {"编号", "F_code", tmStartsWith, "", {}},
        {"类型", "F_type", tmContains, "select f_name from t_code where F_type = 'bjtype' ", {}},
        {"区域", "F_area", tmContains, "", {}},
        {"负责人", "F_FZRemp", tmContains, "", {}},
        {"备注", "F_memo1", tmContains, "", {}},
    });
    BuildColumns({
        {"F_code", "编号", 70},
        {"F_type", "类型", 80},
        {"F_area", "区域", 80},
        {"F_FZRemp", "负责人", 70},
        {"F_date", "日期", 80},
        {"F_YSmem", "验收", 150},
        {"F_XQname", "小区名称", 90},
        {"F_memo1", "备注", 150},
    });
    DBGridGx1->SetFooterRowCount(0);
}

bool TfrmBJinfoGL::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from T_BJinfo where (1=1) " + XQScopeSQL);
    SearchPanel->AddCondition(statement);
    statement.Add("order by f_code");
    return true;
}

void TfrmBJinfoGL::OpenEditor(bool editMode) {
    auto dialog = std::make_unique<TfrmBJinfoEdit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->ShowEditor(editMode);
}

String TfrmBJinfoGL::DeleteQuestion() const {
    return "真的要删除当前编号" + QryTable->FieldByName("F_code")->AsString() + "吗？";
}
