// The ledger's grid edit: the switch and what it locks, the field rules in exact money, the
// insert guard, saving all pending rows in one transaction (a failure keeps them pending),
// cancelling, a paid row's kept amounts, and closing with rows pending.
#include "FeesFixture.h"

#include "app/fees/FeeRules.h"

#include "db/SqliteDatabase.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/Colors.h"
#include "gui/ComCtrls.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"
#include "rtl/SysUtils.h"

namespace {

class FeeGridEdit : public Fees {
protected:
    // Rows of the area item 物业费 (按面积, 1.5), one per house.
    void AreaRows(int count, const String& amount = "0", const String& total = "0") {
        TFeeRow row;
        row.Method = "按面积";
        row.Item = "物业费";
        row.Price = "1.5";
        row.Amount = amount;
        row.Total = total;
        for (int house = 1; house <= count; ++house) {
            row.House = house;
            AddFee(row);
        }
    }
    static TColumnGx* Column(TDBGridGx* grid, const String& field) { return grid->ColumnByFieldName(field); }
    static void Set(TfrmWYFYscgl& ledger, const String& field, const String& text) {
        ledger.QryTable->Edit();
        ledger.QryTable->FieldByName(field)->SetAsString(text);
        ledger.QryTable->Post();
    }
};

TEST_F(FeeGridEdit, TheSwitchLocksWhatReloadsAndDrawsTheKeyColumnsAqua) {
    AreaRows(2);
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->Action3->Execute();
    EXPECT_FALSE(ledger->Action1->Enabled());
    EXPECT_FALSE(ledger->Action2->Enabled());
    EXPECT_FALSE(ledger->Action3->Enabled());
    EXPECT_TRUE(ledger->Action4->Enabled());
    EXPECT_TRUE(ledger->Action5->Enabled());
    EXPECT_FALSE(ledger->ToolBar1->Visible());
    for (TDBGridGx* grid : {ledger->DBGridGx1, ledger->DBGridGx2}) {
        SCOPED_TRACE(grid->Name());
        EXPECT_FALSE(grid->ReadOnly());
        for (const char* field : {"F_XQname", "F_LDcode", "F_FZcode", "F_fromDate", "F_toDate", "F_SFdate"}) {
            EXPECT_EQ(Column(grid, field)->Color(), clAqua) << field;
            EXPECT_TRUE(Column(grid, field)->ReadOnly()) << field;
        }
        EXPECT_FALSE(Column(grid, "F_amount")->ReadOnly());
    }
    for (TControl* locked : std::initializer_list<TControl*>{
             ledger->ComboBox1, ledger->Edit1, ledger->SpeedButton1, ledger->dtpFromDate, ledger->dtpToDate,
             ledger->cbbListType, ledger->vleList, ledger->Button1, ledger->tbNew, ledger->tbEdit,
             ledger->tbDel})
        EXPECT_FALSE(locked->Enabled()) << locked->Name();
    // The keys of 新增 and 删除 act only while their buttons are enabled.
    SimulateKey(ledger->DBGridGx2, VK_DELETE);
    SimulateKey(ledger->DBGridGx2, 'A', TShiftState{ssCtrl});
    EXPECT_TRUE(User.Requests().empty());
    EXPECT_TRUE(ledger->SaveEditClick());
    EXPECT_TRUE(ledger->ToolBar1->Visible());
    EXPECT_TRUE(ledger->Action3->Enabled());
    EXPECT_FALSE(ledger->Action4->Enabled());
    for (TDBGridGx* grid : {ledger->DBGridGx1, ledger->DBGridGx2}) {
        EXPECT_TRUE(grid->ReadOnly());
        EXPECT_EQ(Column(grid, "F_SFdate")->Color(), clWindow);
        EXPECT_TRUE(Column(grid, "F_SFdate")->ReadOnly());
    }
    EXPECT_TRUE(ledger->Edit1->Enabled());
    EXPECT_TRUE(ledger->tbDel->Enabled());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FeeGridEdit, AnAreaAtItsPriceOwesTheExactAmountShownRounded) {
    AreaRows(1);
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->GridEditClick();
    Set(*ledger, "F_amount", "65.35");
    EXPECT_EQ(ledger->QryTable->FieldByName("F_totalPrice")->AsCurrency(), Currency::FromRaw(980250));
    EXPECT_EQ(Column(ledger->DBGridGx2, "F_totalPrice")->CurrentCellText(), "￥98.03");
    EXPECT_EQ(ledger->DBGridGx2->FooterValueText(0, Column(ledger->DBGridGx2, "F_totalPrice")), "￥98.03");
    ASSERT_TRUE(ledger->SaveEditClick());
    EXPECT_EQ(
        One("select F_amount, F_totalPrice from T_wyFYrec where F_SFname = '物业费' and F_SFtype = '按面积'"),
        "65.35|98.025");
    // Read back as written.
    ledger->QueryFeeLedger();
    EXPECT_EQ(ledger->QryTable->FieldByName("F_totalPrice")->AsCurrency(), Currency::FromRaw(980250));
}

TEST_F(FeeGridEdit, ThreeTenthsSumToThirtyHundredths) {
    AreaRows(3, "1", "0.1");
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    EXPECT_EQ(ledger->DBGridGx2->FooterValueText(0, Column(ledger->DBGridGx2, "F_totalPrice")), "￥0.30");
    EXPECT_EQ(ledger->DBGridGx2->FooterValueText(0, Column(ledger->DBGridGx2, "F_XQname")), "合  计");
}

TEST_F(FeeGridEdit, ANewReadingRunsTheRuleChainUnrounded) {
    TFeeRow row;
    row.Previous = "1200.25";
    row.Current = "1200.25";
    row.Price = "0.5";
    AddFee(row);
    auto ledger = OpenLedger();
    ledger->GridEditClick();
    Set(*ledger, "F_Eamount", "1234.5");
    EXPECT_EQ(ledger->QryTable->FieldByName("F_amount")->AsFloat(), 34.25);
    EXPECT_EQ(ledger->QryTable->FieldByName("F_totalPrice")->AsCurrency(), Currency::FromRaw(171250));
    // Readings taken in decimal: 1234.3 - 1200.1 is 34.2, owing 17.1.
    Set(*ledger, "F_Eamount", "1234.3");
    Set(*ledger, "F_Bamount", "1200.1");
    EXPECT_EQ(ledger->QryTable->FieldByName("F_amount")->AsString(), "34.2");
    EXPECT_EQ(ledger->QryTable->FieldByName("F_totalPrice")->AsCurrency(), Currency::FromRaw(171000));
    // A new price too; a typed amount due stands.
    Set(*ledger, "F_price", "0.3333");
    EXPECT_EQ(ledger->QryTable->FieldByName("F_totalPrice")->AsCurrency(),
              Currency::FromRaw(113989)); // 11.39886
    Set(*ledger, "F_totalPrice", "11.4");
    ASSERT_TRUE(ledger->SaveEditClick());
    EXPECT_EQ(One("select F_Bamount, F_Eamount, F_amount, F_price, F_totalPrice from T_wyFYrec where "
                  "F_SFname = '水费'"),
              "1200.1|1234.3|34.2|0.3333|11.4");
}

TEST_F(FeeGridEdit, MovingDownFromTheLastRowAddsNoRow) {
    AreaRows(2);
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->GridEditClick();
    ledger->QryTable->Last();
    ledger->DBGridGx2->SetFocus();
    SimulateKey(ledger->DBGridGx2, VK_DOWN);
    EXPECT_EQ(ledger->QryTable->State(), dsBrowse);
    EXPECT_EQ(ledger->QryTable->RecordCount(), 2);
    EXPECT_FALSE(ledger->QryTable->HasPendingChanges());
    // Generation lifts the guard while it appends.
    ledger->InsertGuard = false;
    ledger->QryTable->Append();
    EXPECT_EQ(ledger->QryTable->State(), dsInsert);
    ledger->QryTable->Cancel();
}

TEST_F(FeeGridEdit, ASaveFailingAtTheLastOf200RowsWritesNoneAndStaysPending) {
    AreaRows(200);
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ASSERT_EQ(ledger->QryTable->RecordCount(), 200);
    ledger->GridEditClick();
    int last = 0;
    for (ledger->QryTable->First(); !ledger->QryTable->Eof(); ledger->QryTable->Next()) {
        Set(*ledger, "F_amount", "10");
        last = ledger->QryTable->FieldByName("F_ID")->AsInteger();
    }
    Dm->ADOcnn()->Database().ExecuteSql(
        "CREATE TRIGGER refuse_last BEFORE UPDATE ON T_wyFYrec WHEN OLD.F_ID = " + IntToStr(last) +
        " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_FALSE(ledger->SaveEditClick());
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{"保存失败，请检测数据库连接！", 3}}));
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_amount = 10"), "0");
    EXPECT_TRUE(ledger->Pending());
    EXPECT_FALSE(ledger->ToolBar1->Visible());
    EXPECT_TRUE(ledger->QryTable->HasPendingChanges());
    // Once the cause is gone the same batch is written whole.
    Dm->ADOcnn()->Database().ExecuteSql("DROP TRIGGER refuse_last");
    EXPECT_TRUE(ledger->SaveEditClick());
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_amount = 10 and F_totalPrice = 15"), "200");
    EXPECT_FALSE(ledger->Pending());
}

TEST_F(FeeGridEdit, ARowAnotherStationChangedMeanwhileKeepsTheBatchPending) {
    AreaRows(3);
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->GridEditClick();
    const int id = ledger->QryTable->FieldByName("F_ID")->AsInteger();
    Set(*ledger, "F_amount", "20");
    ledger->QryTable->Next();
    Set(*ledger, "F_amount", "30");
    TADOConnection other(nullptr);
    other.SetConnectionString(Dm->ADOcnn()->ConnectionString());
    other.Open();
    other.Execute("update T_wyFYrec set F_amount = 99, F_totalPrice = 148.5 where F_ID = " + IntToStr(id));
    EXPECT_FALSE(ledger->SaveEditClick());
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{"保存失败，请检测数据库连接！", 3}}));
    EXPECT_EQ(Rows("select F_amount from T_wyFYrec where F_SFtype = '按面积' order by F_ID"),
              (std::vector<String>{"99", "0", "0"}));
    EXPECT_TRUE(ledger->Pending());
    // Cancelling drops the batch; the other station's change stands.
    ledger->CancelEditClick();
    EXPECT_FALSE(ledger->Pending());
    EXPECT_FALSE(ledger->QryTable->HasPendingChanges());
    EXPECT_EQ(One("select F_amount from T_wyFYrec where F_ID = " + IntToStr(id)), "99");
}

TEST_F(FeeGridEdit, NothingReloadsTheListOverPendingRows) {
    AreaRows(2);
    Dm->RunSQL(
        "insert into T_FYinfo (F_code, F_name, F_SFtype, F_SFprice) values ('006', '车位费', '按面积', 2)");
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->GridEditClick();
    Set(*ledger, "F_amount", "40");
    ledger->ComboBox1->SetItemIndex(0);
    ledger->Edit1->SetText("不存在"); // would list nothing
    ledger->SpeedButton1->Click();
    ledger->vleList->SetItemIndex(1);
    ledger->Button1->Click();
    ledger->dtpFromDate->SetDate(EncodeDate(2030, 1, 1));
    ledger->QueryFeeLedger();
    EXPECT_EQ(ledger->CurSFname, "物业费");
    EXPECT_EQ(ledger->QryTable->RecordCount(), 2);
    EXPECT_TRUE(ledger->QryTable->HasPendingChanges());
    EXPECT_EQ(Listed(*ledger, "F_amount"), (std::vector<String>{"40", "0"}));
}

TEST_F(FeeGridEdit, APaidRowKeepsWhatItsReceiptCovers) {
    TFeeRow row;
    row.Method = "按面积";
    row.Item = "物业费";
    row.Price = "1.5";
    row.Amount = "10";
    row.Total = "15";
    row.Paid = true;
    AddFee(row);
    row.Paid = false;
    row.House = 2;
    AddFee(row);
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->GridEditClick();
    ASSERT_TRUE(FeeRowPaid(ledger->QryTable));
    // The cell editor of a paid row's amounts is read-only; its remark is not.
    for (const char* field : {"F_amount", "F_price", "F_totalPrice", "F_memo1"}) {
        TColCellParamsGx params;
        Column(ledger->DBGridGx2, field)->GetColCellParams(true, &params);
        EXPECT_EQ(params.ReadOnly, String(field) != "F_memo1") << field;
    }
    // And the row itself refuses the change, whoever writes it.
    ledger->QryTable->Edit();
    EXPECT_THROW(ledger->QryTable->FieldByName("F_totalPrice")->SetAsCurrency(Currency::FromInt(1)), EAbort);
    EXPECT_THROW(ledger->QryTable->FieldByName("F_amount")->SetAsFloat(3), EAbort);
    ledger->QryTable->FieldByName("F_memo1")->SetAsString("已核对");
    ledger->QryTable->Post();
    ledger->QryTable->Next(); // the unpaid row takes changes
    TColCellParamsGx params;
    Column(ledger->DBGridGx2, "F_totalPrice")->GetColCellParams(true, &params);
    EXPECT_FALSE(params.ReadOnly);
    Set(*ledger, "F_amount", "20");
    ASSERT_TRUE(ledger->SaveEditClick());
    EXPECT_EQ(
        Rows("select F_amount, F_totalPrice, F_memo1 from T_wyFYrec where F_SFtype = '按面积' order by F_ID"),
        (std::vector<String>{"10|15|已核对", "20|30|"}));
}

TEST_F(FeeGridEdit, ClosingWithPendingRowsAsksFirst) {
    AreaRows(1);
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->GridEditClick();
    Set(*ledger, "F_amount", "7");
    Answer = 1; // "是": the window stays, the rows pending, to be saved
    EXPECT_FALSE(ledger->CloseQuery());
    EXPECT_EQ(Messages.back(), (std::pair<String, int>{"当前交费已经更改，保存当前更改吗？", 1}));
    EXPECT_TRUE(ledger->Pending());
    EXPECT_TRUE(ledger->QryTable->HasPendingChanges());
    Answer = 2; // "否": closes, the rows lost
    EXPECT_TRUE(ledger->CloseQuery());
    EXPECT_EQ(One("select F_amount from T_wyFYrec where F_SFtype = '按面积'"), "0");
    Messages.clear();
    EXPECT_TRUE(ledger->CloseQuery()); // nothing pending: no question
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FeeGridEdit, TheSwitchSkipsAKeyColumnASavedLayoutLacks) {
    Dm->RunSQL(
        "update cfg_Grid set F_FieldName = '' where F_name = 'wuyeFYscgl2' and F_FieldName = 'F_SFdate'");
    auto ledger = OpenLedger();
    EXPECT_EQ(ledger->DBGridGx2->Columns()->Count(), 10);
    EXPECT_NO_THROW(ledger->GridEditClick());
    EXPECT_EQ(Column(ledger->DBGridGx2, "F_toDate")->Color(), clAqua);
    EXPECT_EQ(Column(ledger->DBGridGx1, "F_SFdate")->Color(), clAqua);
    EXPECT_TRUE(ledger->Action4->Enabled());
    EXPECT_NO_THROW(ledger->CancelEditClick());
    EXPECT_EQ(Column(ledger->DBGridGx2, "F_toDate")->Color(), clWindow);
}

} // namespace
