#include "app/registers/EstateRename.h"

#include "app/registers/RegisterStatement.h"

#include "app/core/DataDm.h"
#include "app/core/EstateScope.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "rtl/StrUtils.h"

namespace {

bool SameEstate(const String& listed, const String& oldName) {
    return SameText(Trim(listed), Trim(oldName));
}

// The list with oldName replaced; false when it does not hold oldName.
bool RenamedList(const String& list, const String& oldName, const String& newName, String& renamed) {
    std::vector<String> names = ParseXQList(list);
    bool changed = false;
    for (String& name : names)
        if (SameEstate(name, oldName)) {
            name = newName;
            changed = true;
        }
    if (changed) renamed = FormatXQList(names);
    return changed;
}

} // namespace

const std::vector<String>& EstateNamingTables() {
    static const std::vector<String> tables = {"T_BJinfo",    "T_CarPos",  "T_FCinfo",  "T_FYinfo",
                                               "T_GTdetail",  "T_GTinfo",  "T_PJinfo",  "T_pjJHrec",
                                               "T_PublicSet", "T_wyFKrec", "T_wyFYrec", "T_wyGTrec",
                                               "T_XLinfo",    "T_YJinfo",  "T_YSKrec",  "T_ZHBX"};
    return tables;
}

int RowsNamingEstate(const String& name) {
    TADOQuery count;
    count.SetConnection(dmData->ADOcnn());
    int rows = 0;
    for (const String& table : EstateNamingTables()) {
        count.Close();
        count.SQL()->SetText("select count(*) from " + table + " where F_XQname = :name");
        count.Parameters()->ParamByName("name")->SetValue(name);
        count.Open();
        rows += count.Fields()[0]->AsInteger();
    }
    return rows;
}

void RenameEstate(const String& oldName, const String& newName) {
    TADOQuery* query = dmData->QryPub();
    for (const String& table : EstateNamingTables()) {
        TSqlStatement rename;
        rename.Add("update " + table + " set F_XQname = :newName where F_XQname = :oldName ")
            .Param("newName", newName)
            .Param("oldName", oldName);
        ExecStatement(query, rename);
    }
    // Restricted operators keep the estate under its new name.
    TADOQuery operators;
    operators.SetConnection(dmData->ADOcnn());
    operators.SQL()->SetText("select F_ID, F_XQname from OperList where F_XQname <> ''");
    operators.Open();
    std::vector<std::pair<int, String>> changed;
    for (operators.First(); !operators.Eof(); operators.Next()) {
        String renamed;
        if (RenamedList(operators.Fields()[1]->AsString(), oldName, newName, renamed))
            changed.emplace_back(operators.Fields()[0]->AsInteger(), renamed);
    }
    for (const auto& [id, list] : changed) {
        TSqlStatement update;
        update.Add("update OperList set F_XQname = :list where F_ID = :ID")
            .Param("list", list)
            .Param("ID", id);
        ExecStatement(query, update);
    }
}

void RenameInOperatorScope(const String& oldName, const String& newName) {
    String renamed;
    if (!RenamedList(OperXQList, oldName, newName, renamed)) return;
    OperXQList = renamed;
    if (XQScopeFlag == 1) {
        XQScopeSQL = BuildXQScopeSQL(OperXQList);
        XQNameScopeSQL = BuildXQNameScopeSQL(OperXQList);
    }
}
