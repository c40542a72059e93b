#include "app/registers/uFrmXLinfoGL.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/uFrmXLinfoEdit.h"

#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "db/Field.h"

#include <memory>

namespace {

const TListWindowSpec XLinfoSpec{"保安巡逻管理", "T_XLinfo", "XLinfoGL", "frXLinfoGL.di3", "保安巡逻管理", 0};

} // namespace

TfrmXLinfoGL::TfrmXLinfoGL(TComponent* AOwner) : TListWindow(AOwner, XLinfoSpec) {
    SetName("frmXLinfoGL");
    BuildToolBar(FamilyButtons());
    tbQuery->SetVisible(false);
    ToolBar1->ArrangeButtons();
    // The register has no stop flag, so the list offers no "包含已停用".
    BuildSearchPanel()->SetEntries({
        {"档案编号", "F_code", tmStartsWith, "", {}},
        {"当事人", "F_DSRemp", tmStartsWith, "", {}},
        {"事件类型", "F_type", tmContains, "select f_name from t_code where F_type = 'XLtype' ", {}},
        {"区域", "F_area", tmContains, "select f_name from t_code where F_type = 'area' ", {}},
        {"处理人", "F_CLRemp", tmContains, "", {}},
    });
    BuildColumns({
        {"F_code", "档案编号", 70},
        {"F_DSRemp", "当事人", 70},
        {"F_type", "事件类型", 80},
        {"F_area", "区域", 80},
        {"F_CLRemp", "处理人", 70},
        {"F_date", "日期", 80},
        {"F_time", "时间", 70},
        {"F_CLmem", "处理结果", 150},
        {"F_memo1", "事件简要", 150},
        {"F_XQname", "小区名称", 90},
    });
    DBGridGx1->SetFooterRowCount(0);
    QryTable->AfterOpen = [this](TDataSet*) {
        if (auto* time = dynamic_cast<TDateTimeField*>(QryTable->FindField("F_time")))
            time->SetDisplayFormat("hh:nn:ss");
    };
}

bool TfrmXLinfoGL::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from T_XLinfo where (1=1) " + XQScopeSQL);
    SearchPanel->AddCondition(statement);
    statement.Add("order by f_code");
    return true;
}

void TfrmXLinfoGL::OpenEditor(bool editMode) {
    auto dialog = std::make_unique<TfrmXLinfoEdit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->ShowEditor(editMode);
}

String TfrmXLinfoGL::DeleteQuestion() const {
    return "真的要删除当前巡逻资料" + QryTable->FieldByName("F_code")->AsString() + "吗？";
}
