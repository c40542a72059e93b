// Shared meters and shared-fee records on the seeded database: the meter register with its
// households and the picker's pool, the shared-fee register with its exact shares, the stamped
// fee rows, and the refusals of a record with a paid share.
#include "../registers/RegistersFixture.h"

#include "app/fees/SharedShares.h"
#include "app/fees/uDLGgtbXZ.h"
#include "app/fees/uDLGgtcltXZ.h"
#include "app/fees/uFrmGTFYinfoEdit.h"
#include "app/fees/uFrmGTFYinfoGL.h"
#include "app/fees/uFrmGTFYscEdit.h"
#include "app/fees/uFrmGTFYscgl.h"
#include "app/fees/uFrmWYFYscgl.h"

#include "app/registers/DialogControls.h"
#include "PdfInfo.h"
#include "app/core/DesktopStandIns.h"
#include "controls/kxCurrEdit.h"
#include "gui/Printers.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "rtl/FileUtils.h"

#include <filesystem>
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"

namespace {

String Money(const std::vector<Currency>& shares) {
    String text;
    for (const Currency& share : shares)
        text += (text.empty() ? "" : " ") + FormatFloat("0.0000", static_cast<double>(share.ToDouble()));
    return text;
}

TEST(SplitMoney, SharesAddUpToTheAmountAtTheOfficesPlaces) {
    struct TCase {
        double Total;
        int Count;
        int Places;
        const char* Shares;
    } cases[] = {
        {100, 3, 2, "33.3400 33.3300 33.3300"},
        {100, 3, 4, "33.3334 33.3333 33.3333"},
        {100, 3, 0, "34.0000 33.0000 33.0000"},
        {-100, 3, 2, "-33.3400 -33.3300 -33.3300"},
        {0.05, 4, 2, "0.0200 0.0100 0.0100 0.0100"},
        {10, 1, 2, "10.0000"},
        {100, 3, 9, "33.3334 33.3333 33.3333"}, // held to four places
        {10.005, 2, 2, "5.0050 5.0000"},        // what the places cannot hold stays with the first
    };
    for (const TCase& c : cases) {
        const std::vector<Currency> shares = SplitMoney(Currency::FromDouble(c.Total), c.Count, c.Places);
        EXPECT_EQ(Money(shares), c.Shares) << c.Total << "/" << c.Count << "@" << c.Places;
        Currency sum;
        for (const Currency& share : shares)
            sum += share;
        EXPECT_EQ(sum, Currency::FromDouble(c.Total));
    }
    EXPECT_TRUE(SplitMoney(Currency::FromInt(5), 0, 2).empty());
}

class SharedFees : public Registers {
protected:
    void SetUp() override {
        Registers::SetUp();
        DecTotal = 2;
    }

    // Plays the household picker: each house (by F_ID) picked in turn; the codes listed before the
    // first pick into `listed`.
    void QueueHouseholdPicks(const std::vector<int>& houses, std::vector<String>* listed = nullptr,
                             std::function<void(TDLGgtcltXZ*)> before = nullptr) {
        User.Form([=](TCustomForm* form) {
            auto* picker = dynamic_cast<TDLGgtcltXZ*>(form);
            EXPECT_NE(picker, nullptr) << form->ClassName();
            if (!picker) return static_cast<int>(mrCancel);
            if (before) before(picker);
            if (listed)
                for (picker->QryTable->First(); !picker->QryTable->Eof(); picker->QryTable->Next())
                    listed->push_back(picker->QryTable->FieldByName("F_ID")->AsString());
            for (int id : houses) {
                EXPECT_TRUE(picker->QryTable->Locate("F_ID", id)) << id;
                picker->AddPickedHousehold();
            }
            return static_cast<int>(mrCancel);
        });
    }

    // Adds a meter through its dialog; true when it saved.
    bool AddMeter(TfrmGTFYinfoGL& reg, const String& code, const String& name, const std::vector<int>& houses,
                  std::function<void(TfrmGTFYinfoEdit*)> more = nullptr) {
        bool saved = false;
        User.Form([&](TCustomForm* form) {
            auto* d = dynamic_cast<TfrmGTFYinfoEdit*>(form);
            EXPECT_NE(d, nullptr);
            if (!d) return static_cast<int>(mrCancel);
            d->CheckBox1->SetChecked(false);
            d->edtCode->SetText(code);
            d->edtName->SetText(name);
            d->cbbType->SetText("水费");
            if (!houses.empty()) {
                QueueHouseholdPicks(houses);
                d->Action1->Execute();
            }
            if (more) more(d);
            saved = d->SaveMeter();
            return saved ? static_cast<int>(mrOk) : static_cast<int>(mrCancel);
        });
        reg.NewClick();
        return saved;
    }

    std::vector<String> Households(const String& code) {
        return Rows("select F_mainID from t_GTdetail where F_code = '" + code + "' order by F_ID");
    }

    // A meter M1 on houses 7, 13 and 19 (estate A, building 1, rooms 102 to 104) with reading 100.
    void MeterM1() {
        auto reg = Open<TfrmGTFYinfoGL>();
        ASSERT_TRUE(AddMeter(*reg, "M1", "一号楼水表", {7, 13, 19}, [](TfrmGTFYinfoEdit* d) { d->rceAmount->SetValue(100); }));
    }

    // Records a reading of M1 through the shared-fee dialog: the meter picked, the new reading
    // typed; true when it saved.
    bool RecordReading(TfrmGTFYscgl& reg, double reading, std::function<void(TfrmGTFYscEdit*)> more = nullptr,
                       std::function<void(TDLGgtbXZ*)> pick = nullptr) {
        bool saved = false;
        User.Form([&](TCustomForm* form) {
            auto* d = dynamic_cast<TfrmGTFYscEdit*>(form);
            EXPECT_NE(d, nullptr);
            if (!d) return static_cast<int>(mrCancel);
            d->CheckBox1->SetChecked(false);
            User.Form([pick](TCustomForm* form) {
                auto* picker = dynamic_cast<TDLGgtbXZ*>(form);
                EXPECT_NE(picker, nullptr);
                if (!picker) return static_cast<int>(mrCancel);
                EXPECT_TRUE(picker->QryMeters->Locate("F_code", "M1"));
                if (pick) pick(picker);
                return static_cast<int>(mrOk);
            });
            d->Action1->Execute();
            d->rceEamount->SetValue(reading);
            if (more) more(d);
            saved = d->SaveSharedFee();
            return saved ? static_cast<int>(mrOk) : static_cast<int>(mrCancel);
        });
        reg.NewClick();
        return saved;
    }
};

TEST_F(SharedFees, MeterSaveRefusesEmptyAndTakenCodesAndNames) {
    auto reg = Open<TfrmGTFYinfoGL>();
    ASSERT_TRUE(AddMeter(*reg, "M1", "一号表", {}));
    struct TCase {
        const char* Code;
        const char* Name;
        const char* Message;
    } cases[] = {
        {"", "二号表", "项目编号不能为空！"},
        {"M1", "二号表", "费项编号重复，请修改！"},
        {" M1", "二号表", "费项编号重复，请修改！"},
        {"M2", "一号表", "费项名称重复，请修改！"},
        {"M2", " 一号表 ", "费项名称重复，请修改！"},
    };
    for (const TCase& c : cases) {
        Messages.clear();
        EXPECT_FALSE(AddMeter(*reg, c.Code, c.Name, {})) << c.Code;
        EXPECT_EQ(LastMessage(), c.Message) << c.Code << "/" << c.Name;
    }
    EXPECT_EQ(One("select count(*) from t_GTinfo"), "1");
}

TEST_F(SharedFees, HouseholdsAreWrittenWithTheMeterUnderTheCodeSaved) {
    auto reg = Open<TfrmGTFYinfoGL>();
    ASSERT_TRUE(AddMeter(*reg, "X", "一号表", {7, 13}, [](TfrmGTFYinfoEdit* d) {
        d->edtCode->SetText(" M1 "); // changed after picking
    }));
    EXPECT_EQ(Households("M1"), (std::vector<String>{"7", "13"}));
    EXPECT_EQ(One("select count(*) from t_GTdetail where F_code <> 'M1'"), "0");
    EXPECT_EQ(reg->QryDetail->RecordCount(), 2) << "the households follow the saved meter";
    EXPECT_EQ(One("select F_FZcode, F_LDcode, F_XQname from t_GTdetail where F_mainID = 7"),
              seed::RoomCode(6) + "|" + seed::Building(6) + "|" + seed::EstateA);
}

TEST_F(SharedFees, CancellingTheDialogLeavesTheHouseholdsAsStored) {
    MeterM1();
    auto reg = Open<TfrmGTFYinfoGL>();
    ASSERT_TRUE(reg->QryTable->Locate("F_code", "M1"));
    User.Form([&](TCustomForm* form) {
        auto* d = dynamic_cast<TfrmGTFYinfoEdit*>(form);
        QueueHouseholdPicks({25});
        d->Action1->Execute();
        Answer = 1;
        d->DeleteHousehold();
        return static_cast<int>(mrCancel);
    });
    reg->EditClick();
    EXPECT_EQ(Households("M1"), (std::vector<String>{"7", "13", "19"}));
    EXPECT_EQ(reg->QryDetail->RecordCount(), 3);
}

TEST_F(SharedFees, ThePoolWithholdsTheRoomCodesOnTheMeterAndTheOperatorsOtherEstates) {
    auto reg = Open<TfrmGTFYinfoGL>();
    std::vector<String> first, second, restricted, occupied;
    ASSERT_TRUE(AddMeter(*reg, "M1", "一号表", {}, [&](TfrmGTFYinfoEdit* d) {
        QueueHouseholdPicks({1}, &first); // room 101 of B 1号楼: every 101 leaves the pool
        d->Action1->Execute();
        QueueHouseholdPicks({}, &second);
        d->Action1->Execute();
        QueueHouseholdPicks({}, &occupied, [](TDLGgtcltXZ* picker) {
            picker->CheckBox1->SetChecked(true);
            picker->QueryMeterHouses();
        });
        d->Action1->Execute();
    }));
    EXPECT_EQ(first.size(), 120u);
    EXPECT_EQ(second.size(), 114u) << "the six houses of room code 101 are withheld";
    for (const char* id : {"1", "2", "3", "4", "5", "6"})
        EXPECT_EQ(std::count(second.begin(), second.end(), String(id)), 0) << id;
    EXPECT_EQ(occupied.size(), 78u) << "sold houses without residents stay: 114 less the 36 unsold";
    // A restricted operator is offered the houses of the estates given only.
    RestrictTo("'" + seed::EstateA + "'");
    ASSERT_TRUE(AddMeter(*reg, "M2", "二号表", {}, [&](TfrmGTFYinfoEdit* d) {
        QueueHouseholdPicks({}, &restricted);
        d->Action1->Execute();
    }));
    EXPECT_EQ(restricted.size(), 60u);
    for (const String& id : restricted)
        EXPECT_EQ(StrToInt(id) % 2, 1) << "houses of estate A have odd ids";
}

TEST_F(SharedFees, TheNextPickIsTheNextHouse) {
    auto reg = Open<TfrmGTFYinfoGL>();
    ASSERT_TRUE(AddMeter(*reg, "M1", "一号表", {}, [&](TfrmGTFYinfoEdit* d) {
        User.Form([](TCustomForm* form) {
            auto* picker = dynamic_cast<TDLGgtcltXZ*>(form);
            picker->QryTable->Locate("F_ID", 7);
            picker->AddPickedHousehold();
            picker->AddPickedHousehold(); // the current row moved on
            return static_cast<int>(mrCancel);
        });
        d->Action1->Execute();
    }));
    const std::vector<String> picked = Households("M1");
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(One("select F_FZcode from t_GTdetail where F_mainID = " + picked[1]), "103");
}

TEST_F(SharedFees, DeletingAMeterAsksAndTakesItsHouseholds) {
    MeterM1();
    auto reg = Open<TfrmGTFYinfoGL>();
    Answer = 1;
    reg->DeleteMeter();
    EXPECT_EQ(LastMessage(), "真的要删除当前公表编号为M1公摊用户记录吗？");
    EXPECT_EQ(One("select count(*) from t_GTinfo"), "0");
    EXPECT_EQ(One("select count(*) from t_GTdetail"), "0");
}

TEST_F(SharedFees, AReadingIsSplitExactlyAndEveryRowStamped) {
    MeterM1();
    Dm->RunSQL("insert into t_code (F_type, F_name) values ('empname', '王五')");
    auto reg = Open<TfrmGTFYscgl>();
    EXPECT_EQ(reg->CurSFname, "水费");
    ASSERT_TRUE(RecordReading(*reg, 131.25, [](TfrmGTFYscEdit* d) {
        EXPECT_EQ(d->rceBamount->Value(), 100);
        EXPECT_EQ(static_cast<double>(d->rceAmount->Value()), 31.25);
        d->cePrice->SetValue(3.2);
        EXPECT_EQ(MoneyOf(d->ceTotalPrice), Currency::FromInt(100));
        d->cbbEmpName->SetText(" 王五 ");
        d->dtpToDate->SetDate(EncodeDate(2027, 1, 31));
        d->dtpToDate->OnChange(d->dtpToDate); // as the operator's change
        EXPECT_EQ(FormatDateTime("yyyy-mm-dd", d->dtpSFdate->Date()), "2027-02-28");
    }));
    EXPECT_EQ(One("select F_GTid, F_GThs, F_totalPrice, F_SFtype, F_SFname from t_wyGTrec"),
              "00000001|3|100|按用量|水费");
    EXPECT_EQ(Rows("select F_mainID, F_totalPrice, F_price, F_amount from T_wyFYrec where F_GTid = '00000001' "
                   "order by F_ID"),
              (std::vector<String>{"7|33.34|3.2|10.4166666666667", "13|33.33|3.2|10.4166666666667",
                                   "19|33.33|3.2|10.4166666666667"}));
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_GTid = '00000001' and F_GTflag = 1 and F_JFflag = 0 "
                  "and F_SFtype = '按用量' and F_SFname = '水费' and F_memo1 = '一号楼水表:费用公摊' "
                  "and F_empName = '王五' and F_OperName = 'admin' and F_SFdate = #2027-02-28# "
                  "and F_toDate = #2027-01-31#"),
              "3");
    EXPECT_EQ(One("select sum(F_totalPrice) from T_wyFYrec where F_GTid = '00000001'"), "100");
    // The next id; a taken one gives way silently.
    ASSERT_TRUE(RecordReading(*reg, 140, [](TfrmGTFYscEdit* d) { d->edtGTid->SetText("00000001"); }));
    EXPECT_EQ(Rows("select F_GTid from t_wyGTrec order by F_ID"), (std::vector<String>{"00000001", "00000002"}));
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_GTid = '00000002'"), "3");
}

TEST_F(SharedFees, FourPlacesAndNoHouseholdsAndFilteredOutHouseholds) {
    MeterM1();
    DecTotal = 4;
    auto reg = Open<TfrmGTFYscgl>();
    ASSERT_TRUE(RecordReading(*reg, 100, [](TfrmGTFYscEdit* d) { d->ceTotalPrice->SetValue(100); }));
    EXPECT_EQ(Rows("select F_totalPrice from T_wyFYrec where F_GTid = '00000001' order by F_ID"),
              (std::vector<String>{"33.3334", "33.3333", "33.3333"}));
    // A meter whose households are all filtered out keeps the rows already there.
    ASSERT_TRUE(RecordReading(
        *reg, 110, [](TfrmGTFYscEdit* d) { EXPECT_EQ(d->Register()->QryDetail->RecordCount(), 0); },
        [](TDLGgtbXZ* picker) { picker->edtLDcode->SetText("9号楼"); }));
    EXPECT_EQ(One("select F_GThs from t_wyGTrec where F_GTid = '00000002'"), "0");
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_GTid = '00000002'"), "0");
}

TEST_F(SharedFees, ARecordWithAPaidShareIsNeitherDeletedNorChanged) {
    MeterM1();
    auto reg = Open<TfrmGTFYscgl>();
    ASSERT_TRUE(RecordReading(*reg, 131.25, [](TfrmGTFYscEdit* d) { d->cePrice->SetValue(3.2); }));
    const std::vector<String> before = Rows("select F_ID, F_amount, F_totalPrice from T_wyFYrec where F_GTid = '00000001'");
    Dm->RunSQL("update T_wyFYrec set F_JFflag = True, F_JFcode = '20270101001' where F_mainID = 13 and F_GTflag = 1");
    Answer = 1;
    reg->DeleteSharedFee();
    EXPECT_EQ(LastMessage(), "当前公摊记录已有住户交费，不能删除！");
    User.Form([](TCustomForm* form) {
        auto* d = dynamic_cast<TfrmGTFYscEdit*>(form);
        EXPECT_TRUE(d->Settled());
        d->SplitEvenly(0);
        EXPECT_FALSE(d->SaveSharedFee());
        return static_cast<int>(mrCancel);
    });
    reg->EditClick();
    EXPECT_EQ(LastMessage(), "当前公摊记录已有住户交费，不能修改！");
    EXPECT_EQ(Rows("select F_ID, F_amount, F_totalPrice from T_wyFYrec where F_GTid = '00000001'"), before);
    EXPECT_EQ(One("select count(*) from t_wyGTrec"), "1");
    // Unpaid, it goes with its rows.
    Dm->RunSQL("update T_wyFYrec set F_JFflag = False");
    reg->DeleteSharedFee();
    EXPECT_EQ(One("select count(*) from t_wyGTrec"), "0");
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_GTflag = 1"), "0");
}

TEST_F(SharedFees, TwoStationsPickingAtOnceKeepTheirOwnPools) {
    TADOConnection other;
    other.SetConnectionString(Dm->ADOcnn()->ConnectionString());
    other.AddTemporaryTable("tempCode");
    auto reg = Open<TfrmGTFYinfoGL>();
    std::vector<String> listed;
    ASSERT_TRUE(AddMeter(*reg, "M1", "一号表", {}, [&](TfrmGTFYinfoEdit* d) {
        User.Form([&](TCustomForm* form) {
            auto* picker = dynamic_cast<TDLGgtcltXZ*>(form);
            // The other station fills and empties its own pool meanwhile.
            other.Execute("delete from tempCode");
            other.Execute("insert into tempCode(F_code) select F_code from t_FCinfo where F_code <> '103'");
            EXPECT_TRUE(picker->QryTable->Locate("F_ID", 7));
            picker->AddPickedHousehold();
            other.Execute("delete from tempCode where F_code = '104'");
            picker->QueryMeterHouses();
            for (picker->QryTable->First(); !picker->QryTable->Eof(); picker->QryTable->Next())
                listed.push_back(picker->QryTable->FieldByName("F_code")->AsString());
            return static_cast<int>(mrCancel);
        });
        d->Action1->Execute();
    }));
    EXPECT_EQ(listed.size(), 114u);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), String("103")), 6);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), String("104")), 6);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), String("102")), 0);
    TADOQuery pool;
    pool.SetConnection(&other);
    pool.SQL()->SetText("select count(*) from tempCode where F_code = '102'");
    pool.Open();
    EXPECT_EQ(pool.Fields()[0]->AsInteger(), 6) << "the other station's pool keeps room 102";
}

TEST_F(SharedFees, TheFeeLedgerLeavesSharedRowsOut) {
    MeterM1();
    auto reg = Open<TfrmGTFYscgl>();
    ASSERT_TRUE(RecordReading(*reg, 131.25));
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_GTflag = 1 and F_JFflag = 0 and F_mainID = 7"), "1")
        << "an unpaid fee of the house, as collection, notices and arrears read them";
    auto ledger = Open<TfrmWYFYscgl>();
    ledger->cbbListType->SetItemIndex(0); // 按用量
    ledger->SelectFeeType();
    ASSERT_EQ(ledger->CurSFname, "水费");
    EXPECT_EQ(ledger->QryTable->RecordCount(), 0);
}

class SharedFeePrint : public SharedFees {
protected:
    void SetUp() override {
        SharedFees::SetUp();
        ForceDirectories(Prog() + "Qr");
        for (const char* file : {"frGTFYinfoGL.di3", "frGTFYscgl.di3", "frGTFYscgl1.di3"})
            std::filesystem::copy_file(String(ORV_SOURCE_DIR) + "/app/Qr/" + file, Prog() + "Qr/" + file,
                                       std::filesystem::copy_options::overwrite_existing);
    }
    String Printed(TvrReport* report, const String& name) {
        report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
        report->PrintOptions()->ShowDialog = false;
        report->PrintOptions()->OutputFileName = Prog() + name;
        EXPECT_TRUE(report->PreparedPages()->SendToPrinter());
        return CommandOutput("pdftotext -layout '" + Prog() + name + "' -");
    }
    static void ExpectAll(const String& text, std::initializer_list<String> expected) {
        for (const String& e : expected)
            EXPECT_NE(text.find(e), String::npos) << e << "\n" << text;
    }
};

TEST_F(SharedFeePrint, EveryEntryPrintsItsRows) {
    MeterM1();
    auto meters = Open<TfrmGTFYinfoGL>();
    meters->PrintClick();
    ExpectAll(Printed(meters->vrReport1, "meters.pdf"), {"公摊费用项目列表", "M1", "一号楼水表", "102", "103", "104"});
    auto reg = Open<TfrmGTFYscgl>();
    ASSERT_TRUE(RecordReading(*reg, 131.25, [](TfrmGTFYscEdit* d) { d->cePrice->SetValue(3.2); }));
    reg->PrintFormat(0);
    ExpectAll(Printed(reg->vrReport1, "records.pdf"), {"公摊费用记录列表", "统计日期", "00000001", "M1", "100.00"});
    reg->PrintFormat(1);
    ExpectAll(Printed(reg->vrReport1, "shares.pdf"), {"公摊费用分布表格", "00000001", "33.34", "33.33", "102", "104"});
}

} // namespace
