#include "FeesFixture.h"

#include "gui/StdCtrls.h"
#include "rtl/FileUtils.h"
#include "rtl/StrUtils.h"

#include <filesystem>

int Fees::AddFee(const TFeeRow& row) {
    const int i = row.House - 1;
    const String estate = !row.Estate.empty() ? row.Estate : (i % 2 == 0 ? seed::EstateA : seed::EstateB);
    const String room = !row.Room.empty() ? row.Room : seed::RoomCode(i);
    const String owner = !row.Owner.empty() ? row.Owner : "业主" + IntToStr(row.House);
    TADOQuery insert(nullptr);
    insert.SetConnection(Dm->ADOcnn());
    insert.SQL()->SetText(
        "insert into T_wyFYrec (F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname, F_fromDate, F_toDate, "
        "F_SFdate, F_editDate, F_Bamount, F_Eamount, F_amount, F_price, F_totalPrice, F_memo1, F_SFtype, "
        "F_SFname, F_JFflag, F_JFcode) values (:main, :estate, :building, :room, :owner, '2027-04-30', "
        ":sfdate, :sfdate, :edit, " +
        row.Previous + ", " + row.Current + ", " + row.Amount + ", " + row.Price + ", " + row.Total +
        ", :memo, :method, :item, " + (row.Paid ? "True, '20270520001'" : "False, ''") + ")");
    insert.Parameters()->ParamByName("main")->SetValue(row.House);
    insert.Parameters()->ParamByName("estate")->SetValue(estate);
    insert.Parameters()->ParamByName("building")->SetValue(seed::Building(i));
    insert.Parameters()->ParamByName("room")->SetValue(room);
    insert.Parameters()->ParamByName("owner")->SetValue(owner);
    insert.Parameters()->ParamByName("sfdate")->SetValue(row.SFdate);
    insert.Parameters()->ParamByName("edit")->SetValue(row.EditDate);
    insert.Parameters()->ParamByName("memo")->SetValue(row.Memo);
    insert.Parameters()->ParamByName("method")->SetValue(row.Method);
    insert.Parameters()->ParamByName("item")->SetValue(row.Item);
    insert.ExecSQL();
    return StrToInt(One("select max(F_ID) from T_wyFYrec"));
}

std::unique_ptr<TfrmWYFYscgl> Fees::OpenLedger() {
    auto ledger = Open<TfrmWYFYscgl>();
    frmWYFYscgl = ledger.get();
    return ledger;
}

void Fees::ChooseMethod(TfrmWYFYscgl& ledger, const String& method) {
    const int index = ledger.cbbListType->Items()->IndexOf(method);
    ASSERT_GE(index, 0) << method;
    ledger.cbbListType->SetItemIndex(index);
    ledger.SelectFeeType();
}

std::vector<String> Fees::Listed(TfrmWYFYscgl& ledger, const String& field) {
    std::vector<String> values;
    if (!ledger.QryTable->Active()) return values;
    for (ledger.QryTable->First(); !ledger.QryTable->Eof(); ledger.QryTable->Next())
        values.push_back(ledger.QryTable->FieldByName(field)->AsString());
    ledger.QryTable->First();
    return values;
}

void Fees::InstallLayouts() {
    ForceDirectories(Prog() + "Qr");
    for (const auto& entry : std::filesystem::directory_iterator(String(ORV_SOURCE_DIR) + "/app/Qr"))
        if (entry.path().extension() == ".di3")
            std::filesystem::copy_file(entry.path(),
                                       std::filesystem::path(Prog() + "Qr") / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
}
