#include "app/core/HouseChecks.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"

namespace {

// The first column of the first row of a statement with its parameters (0 without a row).
int FirstHouseId(const String& sql, const std::vector<std::pair<String, String>>& params) {
    TADOQuery query;
    query.SetConnection(dmData->ADOcnn());
    query.SQL()->SetText(sql);
    for (const auto& [name, value] : params)
        query.Parameters()->ParamByName(name)->SetValue(value);
    query.Open();
    return query.IsEmpty() ? 0 : query.Fields()[0]->AsInteger();
}

} // namespace

THouseRefusal CheckHouseGiven(const String& estate, const String& code) {
    if (estate.empty()) return {MsgHouseEstateEmpty, 0, THouseField::Estate};
    if (code.empty()) return {MsgHouseCodeEmpty, 0, THouseField::Code};
    return {};
}

THouseRefusal CheckHouseStored(const String& estate, const String& building, const String& code, int ownId) {
    if (FirstHouseId("select F_ID from T_XQinfo where F_name = :name " + XQNameScopeSQL, {{"name", estate}}) <= 0)
        return {MsgHouseEstateUnknown, 0, THouseField::Estate};
    const int holder = FirstHouseId(
        "Select F_ID From T_FCinfo Where (F_Code = :code and F_XQname = :XQname and F_LDcode = :LDcode) ",
        {{"code", code}, {"XQname", estate}, {"LDcode", building}});
    if (holder > 0 && holder != ownId) return {MsgHouseCodeTaken, 3, THouseField::Code};
    return {};
}

THouseRefusal CheckHouse(const String& estate, const String& building, const String& code, int ownId) {
    THouseRefusal refusal = CheckHouseGiven(estate, code);
    if (!refusal.Passed()) return refusal;
    return CheckHouseStored(estate, building, code, ownId);
}
