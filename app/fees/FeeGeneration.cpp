#include "app/fees/FeeGeneration.h"

#include "app/registers/RegisterStatement.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "db/JetSql.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <tuple>

String FeePeriodExistsMessage(int houses) {
    return "有 " + IntToStr(houses) + " 户本期费用已经存在，未重复生成！";
}

bool MeteredMethod(const String& method) {
    return AnsiContainsStr(method, "用量");
}

double MethodQuantity(const String& method, double area, double residents) {
    return AnsiContainsStr(method, "面积") ? area : residents;
}

bool ReadEstateHouses(const String& estate, std::vector<TFeeHouse>& houses) {
    houses.clear();
    TSqlStatement statement;
    statement
        .Add("select F_ID,F_code,F_XQname,F_LDcode,F_FZname,F_buildArea,F_ZHnum from T_FCinfo "
             "where F_XQname = :estate " +
             XQScopeSQL + "order by F_ID")
        .Param("estate", Trim(estate));
    TADOQuery query(nullptr);
    query.SetConnection(dmData->ADOcnn());
    if (!OpenStatement(&query, statement)) return false;
    TField* id = query.FieldByName("F_ID");
    TField* code = query.FieldByName("F_code");
    TField* name = query.FieldByName("F_XQname");
    TField* building = query.FieldByName("F_LDcode");
    TField* owner = query.FieldByName("F_FZname");
    TField* area = query.FieldByName("F_buildArea");
    TField* residents = query.FieldByName("F_ZHnum");
    houses.reserve(static_cast<size_t>(query.RecordCount()));
    for (query.First(); !query.Eof(); query.Next())
        houses.push_back({id->AsInteger(), code->AsString(), name->AsString(), building->AsString(),
                          owner->AsString(), area->AsFloat(), residents->AsFloat()});
    return true;
}

bool ReadPreviousReadings(const String& estate, const String& method, const String& item,
                          std::map<int, double>& readings) {
    readings.clear();
    TSqlStatement statement;
    statement
        .Add("select F_mainID, max(F_Eamount) as F_reading from T_wyFYrec where F_SFtype = :method and "
             "F_SFname = :item and F_mainID in (select F_ID from T_FCinfo where F_XQname = :estate " +
             XQScopeSQL + ") group by F_mainID")
        .Param("method", method)
        .Param("item", item)
        .Param("estate", Trim(estate));
    TADOQuery query(nullptr);
    query.SetConnection(dmData->ADOcnn());
    if (!OpenStatement(&query, statement)) return false;
    TField* house = query.Fields()[0];
    TField* reading = query.Fields()[1];
    for (query.First(); !query.Eof(); query.Next())
        if (!reading->IsNull()) readings[house->AsInteger()] = reading->AsFloat();
    return true;
}

std::set<int> HousesBilledFor(const String& method, const String& item, TDateTime periodEnd) {
    TADOQuery query(nullptr);
    query.SetConnection(dmData->ADOcnn());
    query.SQL()->SetText("select distinct F_mainID from T_wyFYrec where F_SFtype = :method and F_SFname = :item "
                         "and F_toDate = " +
                         JetDateLiteral(DateOf(periodEnd)));
    query.Parameters()->ParamByName("method")->SetValue(method);
    query.Parameters()->ParamByName("item")->SetValue(item);
    query.Open();
    std::set<int> houses;
    TField* house = query.Fields()[0];
    for (query.First(); !query.Eof(); query.Next())
        if (!house->IsNull()) houses.insert(house->AsInteger());
    return houses;
}

std::vector<TPendingFeeRow> PendingInsertedRows(TADOQuery* query) {
    std::vector<TPendingFeeRow> rows;
    if (!query->Active() || !query->HasPendingChanges()) return rows;
    query->DisableControls();
    const TBookmark position = query->GetBookmark();
    const TScopeExit restore([&] {
        if (query->BookmarkValid(position)) query->GotoBookmark(position);
        query->EnableControls();
    });
    TField* house = query->FieldByName("F_mainID");
    TField* method = query->FieldByName("F_SFtype");
    TField* item = query->FieldByName("F_SFname");
    TField* end = query->FieldByName("F_toDate");
    for (query->First(); !query->Eof(); query->Next())
        if (query->UpdateStatus() == usInserted)
            rows.push_back({house->AsInteger(), method->AsString(), item->AsString(),
                            end->IsNull() ? 0 : DateOf(end->AsDateTime())});
    return rows;
}

int PendingRowsAlreadyBilled(const std::vector<TPendingFeeRow>& rows) {
    // One read per period (method, item and end) among the rows, mostly just one.
    std::map<std::tuple<String, String, TDateTime>, std::set<int>> billed;
    std::set<int> counted;
    for (const TPendingFeeRow& row : rows) {
        const auto key = std::make_tuple(UpperCase(row.Method), UpperCase(row.Item), row.PeriodEnd);
        auto it = billed.find(key);
        if (it == billed.end()) it = billed.emplace(key, HousesBilledFor(row.Method, row.Item, row.PeriodEnd)).first;
        if (it->second.count(row.House)) counted.insert(row.House);
    }
    return static_cast<int>(counted.size());
}
