// The part picker: a pick appends a line and leaves the list until the next opening; the search
// (code from the start, name anywhere, origin never) and the category; 确定 on an empty list; 关闭;
// 新增配件; the picked codes kept per connection.
#include "RepairsFixture.h"

#include "app/registers/uFrmPJdepotEdit.h"

#include "controls/kxCurrEdit.h"
#include "gui/Buttons.h"
#include "gui/StdCtrls.h"

namespace {

class PartPicker : public Repairs {
protected:
    // Opens a new repair and plays the picker once with `play`; then cancels the repair.
    void WithPicker(const std::function<void(TfrmCltBXedit*, TDLGpjInfoXZ*)>& play) {
        auto reg = OpenRegister();
        User.Form([&](TCustomForm* form) {
            auto* d = dynamic_cast<TfrmCltBXedit*>(form);
            if (!d) return static_cast<int>(mrCancel);
            User.Form([&, d](TCustomForm* inner) {
                auto* picker = dynamic_cast<TDLGpjInfoXZ*>(inner);
                EXPECT_NE(picker, nullptr);
                if (picker) play(d, picker);
                return static_cast<int>(mrCancel);
            });
            d->PickParts();
            return static_cast<int>(mrCancel);
        });
        reg->NewClick();
    }
    const std::vector<String> All = {"P01/" + seed::EstateA, "P01/" + seed::EstateB, "P02/" + seed::EstateB,
                                     "P03/" + seed::EstateA, "P10/" + seed::EstateB};
};

TEST_F(PartPicker, APickAppendsALineAndLeavesTheListUntilTheNextOpening) {
    auto reg = OpenRegister();
    User.Form([&](TCustomForm* form) {
        auto* d = dynamic_cast<TfrmCltBXedit*>(form);
        if (!d) return static_cast<int>(mrCancel);
        d->edtCode->SetText("007");
        QueuePicks({Pipe}, [&](TDLGpjInfoXZ* picker) {
            EXPECT_EQ(picker->Caption(), "设备配件选择");
            // Both rows of P01 go: the pool holds codes.
            EXPECT_EQ(Listed(picker), (std::vector<String>{All[0], All[1], All[2], All[4]}));
            EXPECT_TRUE(picker->QryTable->Locate("F_code", "P10"));
            picker->DBGridGx1->OnDblClick(picker->DBGridGx1); // a double click picks too
            EXPECT_EQ(Listed(picker), (std::vector<String>{All[0], All[1], All[2]}));
        });
        d->Action1->Execute();
        TADOQuery* lines = d->Register()->QryDetail;
        EXPECT_EQ(lines->RecordCount(), 2);
        lines->First();
        EXPECT_EQ(lines->FieldByName("F_PJcode")->AsString(), "P03");
        EXPECT_EQ(lines->FieldByName("F_code")->AsString(), "007");
        EXPECT_EQ(lines->FieldByName("F_PJname")->AsString(), "水管");
        EXPECT_EQ(lines->FieldByName("F_spec")->AsString(), "DN20");
        EXPECT_EQ(lines->FieldByName("F_unit")->AsString(), "米");
        EXPECT_EQ(lines->FieldByName("F_address")->AsString(), "宁波");
        EXPECT_EQ(lines->FieldByName("F_amount")->AsString(), "1");
        EXPECT_EQ(lines->FieldByName("F_price")->AsString(), "12.5");
        EXPECT_EQ(lines->FieldByName("F_totalprice")->AsString(), "12.5");
        EXPECT_EQ(lines->FieldByName("F_PJid")->AsInteger(), PartId(Pipe));
        // The next opening offers everything again.
        QueuePicks({}, [&](TDLGpjInfoXZ* picker) { EXPECT_EQ(Listed(picker), All); });
        d->Action1->Execute();
        return static_cast<int>(mrCancel);
    });
    reg->NewClick();
    EXPECT_EQ(One("select count(*) from t_ZHBXdetail"), "0");
}

TEST_F(PartPicker, SearchesTheCodeFromTheStartTheNameAnywhereAndNeverTheOrigin) {
    struct TCase {
        String Text;
        String Category;
        std::vector<String> Listed;
    };
    const std::vector<TCase> cases = {
        {"P0", "", {All[0], All[1], All[2], All[3]}},
        {"01", "", {}},                 // not the middle of a code
        {"灯", "", {All[2]}},           // a name from its start
        {"管", "", {All[3]}},           // a name in its middle
        {"宁波", "", {}},               // the origin is not searched
        {"", "电", {All[2], All[4]}},   // a category from its start
        {"P1", "电料", {All[4]}},
        {"'", "", {}},                  // a quote is a character like any other
        {"%", "", {}},
    };
    WithPicker([&](TfrmCltBXedit*, TDLGpjInfoXZ* picker) {
        for (const TCase& c : cases) {
            picker->edtQryCode->SetText(c.Text);
            picker->cbbType->SetText(c.Category);
            picker->BitBtn3->Click();
            EXPECT_EQ(Listed(picker), c.Listed) << c.Text << " / " << c.Category;
        }
    });
}

TEST_F(PartPicker, ConfirmOnAnEmptyListDoesNothingAndCloseEndsThePicking) {
    WithPicker([&](TfrmCltBXedit* d, TDLGpjInfoXZ* picker) {
        picker->edtQryCode->SetText("无此配件");
        picker->BitBtn3->Click();
        picker->BitBtn1->Click();
        EXPECT_EQ(picker->ModalResult(), mrNone);
        EXPECT_EQ(d->Register()->QryDetail->RecordCount(), 0);
        picker->BitBtn2->Click();
        EXPECT_EQ(picker->ModalResult(), mrCancel);
    });
}

TEST_F(PartPicker, NewPartOpensThePartCardAndTheListShowsTheNewPart) {
    WithPicker([&](TfrmCltBXedit*, TDLGpjInfoXZ* picker) {
        Play<TfrmPJdepotEdit>([](TfrmPJdepotEdit* card) {
            card->edtcode->SetText("P20");
            card->edtname->SetText("阀门");
            card->cbbtype->SetText("五金");
            card->ceprice1->SetValue(15);
            card->cePrice2->SetValue(9);
            card->rceAmount->SetValue(6);
            card->cbbXQname->SetText(seed::EstateA);
            card->Button1->Click();
        });
        picker->BitBtn4->Click();
        EXPECT_EQ(Listed(picker).back(), "P20/" + seed::EstateA);
    });
    EXPECT_EQ(One("select F_name, F_amount from T_PJinfo where F_code = 'P20'"), "阀门|6");
}

TEST_F(PartPicker, PicksAreKeptPerConnectionAndTheFilesTableStaysEmpty) {
    // Another station's picks in the file's table (as an older program would leave them) hide nothing.
    TADOConnection plain;
    plain.SetConnectionString(Dm->ADOcnn()->ConnectionString());
    plain.Execute("insert into tempCode (F_code) values ('P02')");
    WithPicker([&](TfrmCltBXedit*, TDLGpjInfoXZ* picker) {
        EXPECT_EQ(Listed(picker), All);
        ASSERT_TRUE(picker->QryTable->Locate("F_code", "P03"));
        picker->BitBtn1->Click();
        EXPECT_EQ(One("select F_code from tempCode"), "P03");
    });
    TADOQuery file;
    file.SetConnection(&plain);
    file.SQL()->SetText("select F_code from tempCode");
    file.Open();
    EXPECT_EQ(file.RecordCount(), 1);
    EXPECT_EQ(file.Fields()[0]->AsString(), "P02");
    file.Close();
    // After the connection was closed (compaction, restore) the pool works on the new connection.
    Dm->ADOcnn()->Close();
    WithPicker([&](TfrmCltBXedit*, TDLGpjInfoXZ* picker) {
        EXPECT_EQ(Listed(picker), All);
        ASSERT_TRUE(picker->QryTable->Locate("F_code", "P10"));
        picker->BitBtn1->Click();
        EXPECT_EQ(Listed(picker), (std::vector<String>{All[0], All[1], All[2], All[3]}));
    });
}

} // namespace
