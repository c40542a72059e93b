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
#include "app/registers/uDLGpjDepotJTH.h"
#include "app/registers/uFrmBJinfoEdit.h"
#include "app/registers/uFrmBJinfoGL.h"
#include "app/registers/uFrmCarPosEdit.h"
#include "app/registers/uFrmCarPosEdit1.h"
#include "app/registers/uFrmCarPosGL.h"
#include "app/registers/uFrmFYinfoEdit.h"
#include "app/registers/uFrmFYinfoGL.h"
#include "app/registers/uFrmPJdepotEdit.h"
#include "app/registers/uFrmPJdepotGL.h"
#include "app/registers/uFrmXLinfoEdit.h"
#include "app/registers/uFrmXLinfoGL.h"
#include "app/registers/uFrmYJinfoEdit.h"
#include "app/registers/uFrmYJinfoGL.h"

#include "controls/kxCurrEdit.h"
#include "gui/ActnList.h"

#include "gui/ComCtrls.h"
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

// The newest row of a table, its fields joined by "|".
String Newest(TdmData& dm, const String& table, const String& fields) {
    TADOQuery row;
    row.SetConnection(dm.ADOcnn());
    row.SQL()->SetText("select " + fields + " from " + table + " where F_ID = (select max(F_ID) from " + table +
                       ")");
    row.Open();
    String text;
    for (TField* field : row.Fields())
        text += (text.empty() ? "" : "|") + field->AsString();
    return text;
}

TEST_F(BadInput, SiteRegistersFeeItemsPartsAndParking) {
    auto cleaning = Open<TfrmBJinfoGL>();
    auto patrol = Open<TfrmXLinfoGL>();
    auto suggestions = Open<TfrmYJinfoGL>();
    auto items = Open<TfrmFYinfoGL>();
    auto parts = Open<TfrmPJdepotGL>();
    auto spaces = Open<TfrmCarPosGL>();
    for (const String& value : BadValues()) {
        const String tag = value.substr(0, 20);
        Play<TfrmBJinfoEdit>([&](TfrmBJinfoEdit* dialog) {
            TypeEverywhere(dialog, value);
            dialog->Button1->Click();
            dialog->Button2->Click();
        });
        cleaning->NewClick();
        EXPECT_EQ(Newest(*Dm, "T_BJinfo", "F_area, F_YSmem"),
                  Kept(value, 50) + "|" + TypedMemo(MemoValue(value)))
            << tag;
        Play<TfrmXLinfoEdit>([&](TfrmXLinfoEdit* dialog) {
            TypeEverywhere(dialog, value);
            dialog->edtCode->SetText(""); // numbered
            dialog->Button1->Click();
            dialog->Button2->Click();
        });
        patrol->NewClick();
        EXPECT_EQ(Newest(*Dm, "T_XLinfo", "F_DSRemp"), Kept(value, 50)) << tag;
        Play<TfrmYJinfoEdit>([&](TfrmYJinfoEdit* dialog) {
            TypeEverywhere(dialog, value);
            dialog->Button1->Click();
            dialog->Button2->Click();
        });
        suggestions->NewClick();
        EXPECT_EQ(Newest(*Dm, "T_YJinfo", "F_code, F_memo2"), Kept(value, 50) + "|" + TypedMemo(MemoValue(value)))
            << tag;
        suggestions->vleList->SetItemIndex(0); // 全部
        suggestions->ComboBox1->SetItemIndex(0);
        suggestions->SearchPanel->ColumnChanged();
        // The search box holds fewer characters than ten megabytes: it searches what it kept.
        suggestions->Edit1->SetText(value.size() > 1000 ? Kept(value, 50) : value);
        EXPECT_EQ(suggestions->QryTable->RecordCount(), 1) << tag;
        suggestions->Edit1->SetText("");
        suggestions->cbbListType->SetItemIndex(2); // 业主姓名: the value is offered and chosen
        suggestions->cbbListType->OnChange(suggestions->cbbListType);
        for (int i = 1; i < suggestions->vleList->ItemCount(); ++i)
            if (suggestions->vleList->Items(i)->SubItems()->Strings(0) == Kept(value, 50))
                suggestions->vleList->SetItemIndex(i);
        EXPECT_EQ(suggestions->QryTable->RecordCount(), 1) << tag;
        Play<TfrmFYinfoEdit>([&](TfrmFYinfoEdit* dialog) {
            TypeEverywhere(dialog, value);
            dialog->Button1->Click();
            dialog->Button2->Click();
        });
        items->NewClick();
        EXPECT_EQ(Newest(*Dm, "T_FYinfo", "F_name"), Kept(value, 50)) << tag;
        Play<TfrmPJdepotEdit>([&](TfrmPJdepotEdit* dialog) {
            TypeEverywhere(dialog, value);
            dialog->ceprice1->SetValue(1);
            dialog->cePrice2->SetValue(1);
            dialog->Button1->Click();
            EXPECT_EQ(dialog->ModalResult(), mrOk) << tag;
        });
        parts->NewClick();
        EXPECT_EQ(Newest(*Dm, "T_PJinfo", "F_code, F_mem"), Kept(value, 50) + "|" + TypedMemo(MemoValue(value)))
            << tag;
        Play<TDLGpjDepotJTH>([&](TDLGpjDepotJTH* dialog) {
            TypeEverywhere(dialog, value);
            dialog->rceAddAmount->SetValue(1);
            dialog->Button1->Click();
            EXPECT_EQ(dialog->ModalResult(), mrOk) << tag;
        });
        parts->Action1->Execute();
        parts->edtQryCode->SetText(value);
        EXPECT_EQ(parts->QryTable->RecordCount(), 1) << tag;
        parts->edtQryCode->SetText("");
        Play<TfrmCarPosEdit>([&](TfrmCarPosEdit* dialog) {
            TypeEverywhere(dialog, value);
            dialog->Button1->Click();
            EXPECT_EQ(dialog->ModalResult(), mrOk) << tag;
        });
        spaces->NewClick();
        EXPECT_EQ(Newest(*Dm, "T_carPos", "F_code"), Kept(value, 50)) << tag;
        Play<TfrmCarPosEdit1>([&](TfrmCarPosEdit1* dialog) {
            TypeEverywhere(dialog, value);
            dialog->Button1->Click();
            EXPECT_EQ(dialog->ModalResult(), mrOk) << tag;
        });
        spaces->EditClick();
        EXPECT_EQ(spaces->QryTable->FieldByName("F_CarCode")->AsString(), Kept(value, 50)) << tag;
    }
    EXPECT_TRUE(Messages.empty());
}

} // namespace
