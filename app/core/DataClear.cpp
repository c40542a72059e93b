#include "app/core/DataClear.h"

#include "db/ADODB.h"

const std::vector<TClearGroup>& ClearGroups() {
    static const std::vector<TClearGroup> groups = {
        {"楼宇信息资料", {"delete from T_XQinfo"}},
        {"房屋信息档案", {"delete from T_FCinfo"}},
        {"小区公共设施", {"delete from T_publicSet"}},
        {"保洁绿化", {"delete from T_BJinfo "}},
        {"保安巡逻", {"delete from T_XLinfo "}},
        {"配件管理", {"delete from T_pjInfo"}},
        {"物业收费项目", {"delete from T_FYinfo"}},
        {"公摊费用项目", {"delete from T_GTdetail", "delete from T_GTinfo"}},
        {"选项...", {"delete from T_code where F_type <> 'sftype' "}},
        {"物业应交费用", {"delete from T_wyFYrec where F_GTflag = 0"}},
        {"物业公摊费用", {"delete from T_wyFYrec where F_GTflag = 1", "delete from T_wyGTrec"}},
        // The receipts go, their fees become unpaid, and with them go what collections and voids
        // wrote into the prepayment accounts for the receipts: the withdrawals of fees paid from
        // an account and the deposits that gave a voided receipt's money back. Otherwise the
        // account would pay the fees a second time when they are collected again.
        {"住户交费记录",
         {"delete from T_wyFKrec ", "update t_wyFYrec set F_JFflag = false,F_JFcode = '' ",
          "delete from T_YSKrec where ((F_OperFlag = -1) and (F_memo1 = '支出物业费') and "
          "((F_billCode = '') or (F_billCode is null))) or ((F_OperFlag = 1) and (F_memo1 = "
          "'作废收款单退回')) "}},
        {"住户预交款", {"delete from T_yskREC "}},
        {"车位管理", {"delete from T_carPos"}},
        {"报修管理", {"delete from t_ZHBX ", "delete from t_ZHBXdetail "}},
        {"建议意见", {"delete from T_YJinfo"}},
    };
    return groups;
}

const std::vector<int>& ClearGroupsShown() {
    static const std::vector<int> shown = {0, 1, 2, 3, 4, 5, 6, 7, 13, 12, 8, 9, 10, 11, 14, 15};
    return shown;
}

void RunClearGroups(TADOQuery* query, const std::vector<bool>& ticked) {
    const std::vector<TClearGroup>& groups = ClearGroups();
    for (size_t i = 0; i < groups.size() && i < ticked.size(); ++i) {
        if (!ticked[i]) continue;
        for (const String& statement : groups[i].Statements) {
            query->Close();
            query->SQL()->SetText(statement);
            query->ExecSQL();
        }
    }
}
