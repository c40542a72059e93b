// Whatever is typed or pasted into the boxes of the register windows (quotes, "%", "_", "*",
// "?", a NUL, ten megabytes) is stored as typed (NULs dropped, trimmed, cut at the column's
// length) or answered with a clear message, and never breaks a statement.
#include "RegistersFixture.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmFCinfoEdit.h"
#include "app/registers/uFrmFCinfoGL.h"
#include "app/registers/uFrmPublicSetEdit.h"
#include "app/registers/uFrmPublicSetGL.h"
#include "app/registers/uFrmXQinfoGL.h"

#include "gui/StdCtrls.h"

namespace {

const String Nul("前\0后", 7);
const std::vector<String>& BadValues() {
    static const std::vector<String> values = {"O'Brien",
                                               "50% off",
                                               "a_b",
                                               "*?[x]",
                                               "'; drop table T_FCinfo; --",
                                               Nul,
                                               String(10 * 1024 * 1024, 'x')};
    return values;
}

// Ten megabytes of lines for the memos (a memo lays out a single line of that length for minutes).
String MemoValue(const String& value) {
    if (value.size() < 1024 * 1024) return value;
    String lines;
    lines.reserve(value.size());
    while (lines.size() + 100 <= value.size())
        lines += String(98, 'x') + "\r\n";
    return lines;
}

// Every text box, combo box and memo of the form that can be typed into.
void TypeEverywhere(TCustomForm* form, const String& value) {
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        if (auto* memo = dynamic_cast<TCustomMemo*>(c))
            memo->SetText(MemoValue(value));
        else if (auto* edit = dynamic_cast<TCustomEdit*>(c); edit && !edit->ReadOnly() &&
                                                             edit->ClassName() != "TKxCalcEdit" &&
                                                             edit->ClassName() != "TCurrencyEdit")
            edit->SetText(value);
        else if (auto* combo = dynamic_cast<TComboBox*>(c); combo && combo->Enabled())
            combo->SetText(value);
    }
}

// What a box over a column of the length keeps of the value.
String Kept(const String& value, int length) {
    const String typed = TypedText(value);
    return typed.size() > static_cast<size_t>(length) && typed.find_first_not_of('x') == String::npos
               ? typed.substr(0, static_cast<size_t>(length))
               : typed;
}

class BadInput : public Registers {};

TEST_F(BadInput, FacilitiesAndTheirSearch) {
    auto list = Open<TfrmPublicSetGL>();
    for (const String& value : BadValues()) {
        Play<TfrmPublicSetEdit>([&](TfrmPublicSetEdit* dialog) {
            TypeEverywhere(dialog, value);
            dialog->Button1->Click();
            dialog->Button2->Click();
        });
        list->NewClick();
        EXPECT_TRUE(Messages.empty()) << value.substr(0, 20);
        TADOQuery row;
        row.SetConnection(Dm->ADOcnn());
        row.SQL()->SetText("select F_name, F_spec, F_memo1 from T_publicSet where F_ID = (select max(F_ID) "
                           "from T_publicSet)");
        row.Open();
        EXPECT_EQ(row.Fields()[0]->AsString(), Kept(value, 255)) << value.substr(0, 20);
        EXPECT_EQ(row.Fields()[2]->AsString(), TypedMemo(MemoValue(value))) << value.substr(0, 20);

        list->ComboBox1->SetItemIndex(1);
        list->SearchPanel->ColumnChanged();
        list->Edit1->SetText(value);
        EXPECT_EQ(list->QryTable->RecordCount(), 1) << value.substr(0, 20);
        list->Edit1->SetText("");
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(BadInput, EstatesAndHouses) {
    auto estates = Open<TfrmXQinfoGL>();
    auto houses = Open<TfrmFCinfoGL>();
    for (const String& value : BadValues()) {
        estates->NewClick();
        TypeEverywhere(estates.get(), value);
        EXPECT_TRUE(estates->SaveEstate()) << value.substr(0, 20);
        EXPECT_EQ(estates->QryTable->FieldByName("F_name")->AsString(), Kept(value, 255));
        EXPECT_EQ(estates->QryTable->FieldByName("F_mem1")->AsString(), TypedMemo(MemoValue(value)));

        Play<TfrmFCinfoEdit>([&](TfrmFCinfoEdit* dialog) {
            TypeEverywhere(dialog, value);
            dialog->cbbXQname->SetText(seed::EstateA);
            dialog->Button1->Click();
            EXPECT_EQ(dialog->ModalResult(), mrOk) << value.substr(0, 20);
        });
        houses->NewClick();
        TADOQuery row;
        row.SetConnection(Dm->ADOcnn());
        row.SQL()->SetText(
            "select F_code, F_FZname, F_mem2 from T_FCinfo where F_ID = (select max(F_ID) from T_FCinfo)");
        row.Open();
        EXPECT_EQ(row.Fields()[0]->AsString(), Kept(value, 50)) << value.substr(0, 20);
        EXPECT_EQ(row.Fields()[2]->AsString(), TypedMemo(MemoValue(value))) << value.substr(0, 20);
    }
    EXPECT_TRUE(Messages.empty());
}

} // namespace
