// The statistics windows on the seeded database, offscreen: the fee fixture with helpers that
// write repairs, parts and stock movements, run "查询" and read what a window lists.
#pragma once

#include "FeesFixture.h"

#include "app/fees/StatisticsWindow.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/ComCtrls.h"

#include <initializer_list>
#include <vector>

class Statistics : public Fees {
protected:
    void SetUp() override {
        Fees::SetUp();
        if (HasFatalFailure()) return;
        // The seed's own fee rows are no part of these fixtures.
        Exec("delete from T_wyFYrec");
    }
    // Runs a statement on the fixture's connection, with its parameters in order as :p1, :p2 ...
    void Exec(const String& sql, std::initializer_list<Variant> values = {}) {
        TADOQuery query(nullptr);
        query.SetConnection(Dm->ADOcnn());
        query.SQL()->SetText(sql);
        int i = 1;
        for (const Variant& value : values)
            query.Parameters()->ParamByName("p" + IntToStr(i++))->SetValue(value);
        query.ExecSQL();
    }
    // A repair report; the date texts as stored ("1900-08-14" for a repair not yet done).
    void AddRepair(const String& code, const String& estate, const String& room, const String& owner,
                   const String& bxDate, const String& xfDate, const String& service, const String& material,
                   const String& receptionist = "张三", const String& repairer = "李四",
                   const String& fault = "漏水", const String& result = "已修好", const String& satisfaction = "满意") {
        Exec("insert into T_ZHBX (F_code, F_XQname, F_FZcode, F_FZname, F_bxDate, F_xfDate, F_fwPrice, F_wlPrice, "
             "F_totalprice, F_JDemp, F_WXemp, F_memo1, F_memo2, F_MYtype) values (:p1, :p2, :p3, :p4, :p5, :p6, " +
                 service + ", " + material + ", " + service + " + " + material +
                 ", :p7, :p8, :p9, :p10, :p11)",
             {code, estate, room, owner, bxDate, xfDate, receptionist, repairer, fault, result, satisfaction});
    }
    // The values of a field in list order ("" for Null), as the field's text.
    static std::vector<String> Column(TStatisticsWindow& window, const String& field) {
        std::vector<String> values;
        TADOQuery* query = window.QryTable;
        if (!query->Active()) return values;
        for (query->First(); !query->Eof(); query->Next())
            values.push_back(query->FieldByName(field)->Text());
        query->First();
        return values;
    }
    static String Footer(TStatisticsWindow& window, const String& field) {
        return window.DBGridGx1->FooterValueText(0, window.DBGridGx1->ColumnByFieldName(field));
    }
    static String CountPanel(TStatisticsWindow& window) { return window.StatusBar->Panels(2)->Text(); }
    static void Tick(TDateTimePicker* picker, int year, int month, int day) {
        picker->SetDate(EncodeDate(year, month, day));
        picker->SetChecked(true);
    }
};
