// The billing scenario of the batch generation and record editor tests: estate 绿园 with three
// houses (1-0101: 86.50 m², 3 residents; 1-0102: 120.00 m², 4; 2-0301: 65.35 m², 1, unsold) and
// 绿园二期 with a house of the same room code 1-0101; the items 物业管理费 (按面积, 1.50), 卫生费
// (按住户, 5.00), 水费 (按用量, 3.20, the seed's) and 车位费 (按自定义, 2.00); 1-0101's earlier 水费
// rows read 1200.25 and, later, 1195.00, 2-0301's 500.00; 1-0102 has none. The period ends on
// 2027-03-31.
#pragma once

#include "FeesFixture.h"

#include "app/fees/uDLGwyfySCedit.h"

#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"

class FeeScenario : public Fees {
protected:
    void SetUp() override {
        Fees::SetUp();
        if (HasFatalFailure()) return;
        Dm->RunSQL("insert into T_XQinfo (F_code, F_name) values ('091', '绿园')");
        Dm->RunSQL("insert into T_XQinfo (F_code, F_name) values ('092', '绿园二期')");
        House101 = AddHouse("绿园", "1", "1-0101", "王一", 86.5, 3, "已入住");
        House102 = AddHouse("绿园", "1", "1-0102", "王二", 120, 4, "已销售");
        House301 = AddHouse("绿园", "2", "2-0301", "王三", 65.35, 1, "未销售");
        OtherEstate101 = AddHouse("绿园二期", "1", "1-0101", "李一", 99, 2, "已入住");
        Dm->RunSQL("insert into T_FYinfo (F_code, F_name, F_SFtype, F_SFprice) values ('011', '物业管理费', '按面积', 1.5)");
        Dm->RunSQL("update T_FYinfo set F_SFprice = 5 where F_name = '卫生费'");
        Dm->RunSQL("insert into T_FYinfo (F_code, F_name, F_SFtype, F_SFprice) values ('012', '车位费', '按自定义', 2)");
        struct TEarlier {
            int House;
            const char* Room;
            const char* Reading;
            const char* End;
        };
        for (const TEarlier& row : {TEarlier{House101, "1-0101", "1200.25", "2027-01-31"},
                                    TEarlier{House101, "1-0101", "1195", "2027-02-28"},
                                    TEarlier{House301, "2-0301", "500", "2027-02-28"}})
            Dm->RunSQL(String("insert into T_wyFYrec (F_mainID, F_XQname, F_FZcode, F_toDate, F_editDate, F_Bamount, "
                              "F_Eamount, F_SFtype, F_SFname) values (") +
                       IntToStr(row.House) + ", '绿园', '" + row.Room + "', '" + row.End + "', '" + row.End + "', 0, " +
                       row.Reading + ", '按用量', '水费')");
    }

    int AddHouse(const String& estate, const String& building, const String& code, const String& owner, double area,
                 int residents, const String& state) {
        Dm->RunSQL("insert into T_FCinfo (F_XQname, F_LDcode, F_code, F_FZname, F_buildArea, F_ZHnum, F_curStatus) "
                   "values ('" + estate + "', '" + building + "', '" + code + "', '" + owner + "', " +
                   FloatToStr(area) + ", " + IntToStr(residents) + ", '" + state + "')");
        return StrToInt(One("select max(F_ID) from T_FCinfo"));
    }

    // Opens the ledger on the method and item.
    std::unique_ptr<TfrmWYFYscgl> LedgerOn(const String& method, const String& item) {
        auto ledger = OpenLedger();
        ChooseMethod(*ledger, method);
        ChooseItem(*ledger, item);
        return ledger;
    }
    static void ChooseItem(TfrmWYFYscgl& ledger, const String& item) {
        for (int row = 0; row < ledger.vleList->ItemCount(); ++row)
            if (ledger.vleList->Items(row)->SubItems()->Strings(0) == item) {
                ledger.SelectFeeItem(row);
                return;
            }
        ADD_FAILURE() << "no item " << item;
    }
    // Plays the generation dialog: the estate typed, the period end and (when given) the deadline.
    void PlayGeneration(const String& estate, TDateTime periodEnd, TDateTime deadline = 0) {
        Play<TDLGwyfySCedit>([=](TDLGwyfySCedit* dialog) {
            dialog->cbbXQname->SetText(estate);
            dialog->dtpToDate->SetDate(periodEnd);
            if (deadline != 0) dialog->dtpSFdate->SetDate(deadline);
            dialog->btnOk->Click();
        });
    }
    // Generates the item for the estate on the ledger, as 批量增加记录 does.
    void Generate(TfrmWYFYscgl& ledger, const String& estate = "绿园",
                  TDateTime periodEnd = EncodeDate(2027, 3, 31)) {
        PlayGeneration(estate, periodEnd, EncodeDate(2027, 4, 30));
        ledger.Action1->Execute();
    }
    // "F_FZcode|F_fromDate|F_toDate|F_SFdate|F_Bamount|F_Eamount|F_amount|F_price|F_totalPrice" of
    // the stored rows of the item, in room order.
    std::vector<String> Stored(const String& item) {
        return Rows("select F_FZcode, F_fromDate, F_toDate, F_SFdate, F_Bamount, F_Eamount, F_amount, F_price, "
                    "F_totalPrice from T_wyFYrec where F_SFname = '" + item +
                    "' and F_toDate = #2027-03-31# order by F_XQname, F_FZcode");
    }

    int House101 = 0, House102 = 0, House301 = 0, OtherEstate101 = 0;
};
