// The money columns of the program's database: amounts round-trip exactly, a database file with
// the earlier DOUBLE money columns still works, and a numeric edit shows and stores what the
// currency field it is bound to holds.
#include "AppFixture.h"
#include "app/core/AppConfig.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "db/SqliteDatabase.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <random>

namespace {

using MoneyColumns = AppFixture;

// 1,000 random amounts with four decimals, written through the fee ledger's query, read back and
// summed by the database: every amount and the sum are exact.
TEST_F(MoneyColumns, RandomAmountsRoundTripExactly) {
    Connect();
    std::mt19937_64 random(36);
    std::uniform_int_distribution<Int64> raw(-99999999999LL, 99999999999LL); // +-9,999,999.9999
    std::vector<Int64> written;
    __int128 total = 0;
    TADOQuery q;
    q.SetConnection(Dm->ADOcnn());
    q.SQL()->SetText("select F_mainID, F_price, F_totalPrice from T_wyFYrec order by F_ID");
    q.Open();
    Dm->ADOcnn()->BeginTrans();
    for (int i = 0; i < 1000; ++i) {
        const Int64 amount = i == 0 ? 999999999999999LL : i == 1 ? -999999999999999LL : raw(random);
        written.push_back(amount);
        total += amount;
        q.Append();
        q.FieldByName("F_mainID")->SetAsInteger(i);
        q.FieldByName("F_totalPrice")->SetAsCurrency(Currency::FromRaw(amount));
        q.Post();
    }
    Dm->ADOcnn()->CommitTrans();
    q.Close();
    q.Open();
    ASSERT_EQ(q.RecordCount(), 1000);
    size_t i = 0;
    for (q.First(); !q.Eof(); q.Next(), ++i)
        ASSERT_EQ(q.FieldByName("F_totalPrice")->AsCurrency().Value, written[i]) << i;
    TADOQuery sum;
    sum.SetConnection(Dm->ADOcnn());
    sum.SQL()->SetText("select sum(F_totalPrice) as F_sum from T_wyFYrec");
    sum.Open();
    EXPECT_EQ(sum.Fields()[0]->AsCurrency().Value, static_cast<Int64>(total));
}

// A database made by an earlier build keeps its DOUBLE money columns: it opens, lists, computes
// and saves as before.
TEST_F(MoneyColumns, ADatabaseWithTheEarlierDoubleColumnsStillOpensListsAndSaves) {
    const String folder = Prog() + "data/";
    ASSERT_TRUE(ForceDirectories(folder));
    TADOConnection::CreateDatabase(DatabaseFileIn(folder), DatabasePassword);
    {
        TADOConnection cnn;
        cnn.SetLoginPrompt(false);
        cnn.SetConnectionString(ConnectionStringFor(folder));
        cnn.Open();
        for (String statement : DefaultDatabaseStatements()) {
            // The work tables of the statistics and the company information had money columns then.
            if (!ContainsText(statement, "tempFYrec") && !ContainsText(statement, "tempJYrec") &&
                !ContainsText(statement, "SysInfo"))
                statement = ReplaceStr(statement, " CURRENCY ", " DOUBLE ");
            cnn.Execute(statement);
        }
        cnn.Execute("insert into T_wyFYrec (F_mainID, F_amount, F_price, F_totalPrice) "
                    "values (7, 65.35, 1.5, 98.02499999999999)");
    }
    Dm = std::make_unique<TdmData>(nullptr);
    ASSERT_TRUE(Dm->DataModuleCreate());
    TADOQuery q;
    q.SetConnection(Dm->ADOcnn());
    ASSERT_TRUE(Dm->OpenSQL("select * from T_wyFYrec where F_mainID = 7", &q));
    TField* total = q.FieldByName("F_totalPrice");
    EXPECT_EQ(total->DataType(), ftFloat);
    EXPECT_EQ(q.FieldByName("F_price")->DataType(), ftFloat);
    EXPECT_DOUBLE_EQ(total->AsFloat(), 98.02499999999999);
    q.Edit();
    q.FieldByName("F_price")->SetAsFloat(1.75);
    total->SetAsFloat(65.35 * 1.75);
    q.Post();
    EXPECT_EQ(Rows("select F_price, F_totalPrice from T_wyFYrec"), std::vector<String>{"1.75|114.3625"});
    EXPECT_TRUE(Dm->RunSQL("update T_wyFYrec set F_totalPrice = F_amount * F_price"));
    EXPECT_DOUBLE_EQ(Dm->GetFloat("select sum(F_totalPrice) from T_wyFYrec"), 65.35 * 1.75);
    EXPECT_TRUE(Messages.empty());
}

// An amount edit bound to a money field shows what the field's cell shows, and stores what it
// shows; a third decimal is refused as the edit's two places say.
TEST_F(MoneyColumns, ANumericEditBoundToACurrencyFieldShowsAndStoresTheSameAmount) {
    Connect();
    ASSERT_TRUE(Dm->RunSQL("insert into T_wyFYrec (F_mainID, F_totalPrice) values (1, 98.025)"));
    ASSERT_TRUE(Dm->RunSQL("insert into T_wyFYrec (F_mainID, F_totalPrice) values (2, 1.005)"));
    TADOQuery q;
    q.SetConnection(Dm->ADOcnn());
    ASSERT_TRUE(Dm->OpenSQL("select F_mainID, F_totalPrice from T_wyFYrec order by F_mainID", &q));
    auto* field = dynamic_cast<TNumericField*>(q.FieldByName("F_totalPrice"));
    ASSERT_TRUE(field);
    field->SetDisplayFormat("￥,0.00");
    TForm form(nullptr);
    form.SetBounds(100, 100, 300, 120);
    auto* edit = new TCurrencyEdit(&form);
    edit->SetParent(&form);
    edit->SetDecimalPlaces(2);
    edit->SetDisplayFormat("￥,0.00");
    auto* other = new TCurrencyEdit(&form);
    other->SetParent(&form);
    other->SetTop(40);
    form.Show();
    const char* shown[] = {"￥98.03", "￥1.01"};
    for (int row = 0; row < 2; ++row) {
        if (row > 0) q.Next();
        edit->SetValue(field->AsCurrency().ToDouble());
        EXPECT_EQ(field->DisplayText(), shown[row]);
        EXPECT_EQ(edit->PaintedText(), shown[row]);
        q.Edit();
        field->SetAsCurrency(Currency::FromDouble(edit->Value()));
        q.Post();
        EXPECT_EQ(field->DisplayText(), shown[row]) << "stored as shown";
    }
    EXPECT_EQ(Rows("select F_totalPrice from T_wyFYrec order by F_mainID"),
              (std::vector<String>{"98.03", "1.01"}));
    edit->SetFocus();
    edit->Clear();
    SimulateTyping(edit, "98.025");
    EXPECT_EQ(edit->Text(), "98.02");
    other->SetFocus();
    EXPECT_EQ(edit->PaintedText(), "￥98.02");
}

} // namespace
