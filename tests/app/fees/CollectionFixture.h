// The collection window and its units on the billing scenario (FeeScenario.h) with the period's
// rows as generation left them (deadline 2027-04-30): 1-0101 owes 129.75 + 15 + 109.6 = 254.35,
// 1-0102 180 + 20 + 57.6 = 257.60, 2-0301 98.025 + 5 + 0 = 103.025 (beside the scenario's earlier
// readings, unpaid rows of 0); 2-0301 has a prepayment balance of 100.00. The clock stands at
// 2027-04-05 10:00.
#pragma once

#include "FeeScenario.h"

#include "app/fees/FeeCollection.h"
#include "app/fees/uDLGFKman.h"
#include "app/fees/uFrmWuyeFYjsgl.h"

#include "controls/kxCurrEdit.h"
#include "grid/DBGridGx.h"
#include "gui/ExtCtrls.h"

class Collection : public FeeScenario {
protected:
    void SetUp() override {
        FeeScenario::SetUp();
        if (HasFatalFailure()) return;
        struct TPeriodRow {
            int House;
            const char* Room;
            const char* Owner;
            const char* Method;
            const char* Item;
            const char* Amount;
            const char* Price;
            const char* Total;
        };
        for (const TPeriodRow& r : {TPeriodRow{House101, "1-0101", "王一", "按面积", "物业管理费", "86.5", "1.5", "129.75"},
                                    TPeriodRow{House101, "1-0101", "王一", "按住户", "卫生费", "3", "5", "15"},
                                    TPeriodRow{House101, "1-0101", "王一", "按用量", "水费", "34.25", "3.2", "109.6"},
                                    TPeriodRow{House102, "1-0102", "王二", "按面积", "物业管理费", "120", "1.5", "180"},
                                    TPeriodRow{House102, "1-0102", "王二", "按住户", "卫生费", "4", "5", "20"},
                                    TPeriodRow{House102, "1-0102", "王二", "按用量", "水费", "18", "3.2", "57.6"},
                                    TPeriodRow{House301, "2-0301", "王三", "按面积", "物业管理费", "65.35", "1.5", "98.025"},
                                    TPeriodRow{House301, "2-0301", "王三", "按住户", "卫生费", "1", "5", "5"},
                                    TPeriodRow{House301, "2-0301", "王三", "按用量", "水费", "0", "3.2", "0"}}) {
            TFeeRow row;
            row.House = r.House;
            row.Room = r.Room;
            row.Owner = r.Owner;
            row.Estate = "绿园";
            row.Method = r.Method;
            row.Item = r.Item;
            row.Amount = r.Amount;
            row.Price = r.Price;
            row.Total = r.Total;
            row.SFdate = "2027-04-30";
            AddFee(row);
        }
        Deposit(House301, "100");
    }
    void TearDown() override {
        frmWuyeFYjsgl = nullptr;
        FeeScenario::TearDown();
    }

    void Deposit(int house, const String& amount) {
        Dm->RunSQL("insert into T_YSKrec (F_mainID, F_XQname, F_FZcode, F_SFdate, F_price, F_memo1, F_OperFlag) "
                   "values (" + IntToStr(house) + ", '绿园', '', '2027-04-01', " + amount + ", '存入', 1)");
    }
    String Balance(int house) {
        return One("select sum(F_price * F_OperFlag) from T_YSKrec where F_mainID = " + IntToStr(house));
    }

    // The window as the action opens it.
    std::unique_ptr<TfrmWuyeFYjsgl> OpenCollection() {
        auto window = std::make_unique<TfrmWuyeFYjsgl>(nullptr);
        frmWuyeFYjsgl = window.get();
        window->Show();
        return window;
    }
    // Searches the estate and room; the house found is current.
    static void FindHouse(TfrmWuyeFYjsgl& window, const String& room, const String& estate = "绿园") {
        window.edtQRYcode->SetText(room);
        window.cbbXQname->SetText(estate);
        window.QueryHouses();
    }
    // Ticks the listed rows whose field has that value, as a click on their check box does.
    static void TickWhere(TfrmWuyeFYjsgl& window, const String& field, const String& value) {
        std::vector<int> ids;
        TADOQuery* rows = window.QryTable1;
        for (rows->First(); !rows->Eof(); rows->Next())
            if (rows->FieldByName(field)->AsString() == value) ids.push_back(rows->FieldByName("F_ID")->AsInteger());
        for (int id : ids) {
            ASSERT_TRUE(rows->Locate("F_ID", id));
            window.ToggleTick();
        }
    }
    // Questions answered in order (1 yes, 2 no); further ones are answered yes.
    void AnswerInOrder(std::vector<int> answers) {
        SetShowMessHandler([this, answers, next = size_t(0)](const String& text, int kind) mutable {
            Messages.emplace_back(text, kind);
            if (kind != 1) return 1;
            return next < answers.size() ? answers[next++] : 1;
        });
    }
    static Currency Money(const char* text) { return StrToCurr(text); }

    TClockOverride CollectClock{EncodeDate(2027, 4, 5) + EncodeTime(10, 0, 0, 0)};
};
