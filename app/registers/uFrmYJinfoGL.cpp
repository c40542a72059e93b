#include "app/registers/uFrmYJinfoGL.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/uFrmYJinfoEdit.h"

#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"

#include <memory>

namespace {

const TListWindowSpec YJinfoSpec{"建议意见管理", "T_YJinfo", "YJinfoGL", "frYJinfoGL.di3", "建议意见管理", 0};

} // namespace

TfrmYJinfoGL::TfrmYJinfoGL(TComponent* AOwner) : TListWindow(AOwner, YJinfoSpec) {
    SetName("frmYJinfoGL");
    SetWidth(1000);
    BuildToolBar(FamilyButtons());
    tbQuery->SetVisible(false);
    ToolBar1->ArrangeButtons();
    // The register has no stop flag, so the list offers no "包含已停用".
    BuildSearchPanel()->SetEntries({
        {"单据编号", "F_code", tmContains, "", {}},
        {"业主门牌", "F_YZcode", tmContains, "", {}},
        {"业主姓名", "F_YZname", tmContains, "", {}},
        {"建议内容", "F_memo1", tmContains, "", {}},
        {"业主反馈", "F_memo2", tmContains, "", {}},
    });
    BuildGroupPanel({
        {"内容类型", "F_type"},
        {"受理状态", "F_SLtype"},
        {"业主姓名", "F_YZname"},
        {"接待人员", "F_JDemp"},
        {"受理人员", "F_SLemp"},
    });
    BuildColumns({
        {"F_code", "单据编号", 70},
        {"F_XQname", "小区名称", 90},
        {"F_YZcode", "业主门牌", 70},
        {"F_YZname", "业主姓名", 70},
        {"F_date", "建议时间", 80},
        {"F_JDemp", "接待员工", 70},
        {"F_memo1", "建议内容", 150},
        {"F_type", "内容类型", 80},
        {"F_SLdate", "受理时间", 80},
        {"F_SLemp", "受理员工", 70},
        {"F_memo2", "业主反馈", 150},
        {"F_SLtype", "受理状态", 70},
    });
    DBGridGx1->SetFooterRowCount(0);
}

bool TfrmYJinfoGL::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from T_YJinfo where (1=1) " + XQScopeSQL);
    SearchPanel->AddCondition(statement);
    AddGroupCondition(statement);
    statement.Add("order by f_code");
    return true;
}

void TfrmYJinfoGL::OpenEditor(bool editMode) {
    auto dialog = std::make_unique<TfrmYJinfoEdit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->ShowEditor(editMode);
}

String TfrmYJinfoGL::DeleteQuestion() const {
    return "真的要删除当前单据编号" + QryTable->FieldByName("F_code")->AsString() + "吗？";
}
