#include "RepairsFixture.h"

#include "controls/kxCurrEdit.h"
#include "gui/ActnList.h"
#include "gui/StdCtrls.h"

void Repairs::SetUp() {
    Registers::SetUp();
    if (HasFatalFailure()) return;
    Dm->RunSQL("insert into T_PJinfo (F_code, F_name, F_type, F_unit, F_address, F_price1, F_price2, F_amount, "
               "F_XQname) values ('P01', '水龙头', '五金', '个', '温州', 36, 21, 30, '" +
               seed::EstateB + "')");
    Dm->RunSQL("insert into T_PJinfo (F_code, F_name, F_type, F_spec, F_unit, F_address, F_price1, F_price2, "
               "F_amount, F_XQname) values ('P03', '水管', '管材', 'DN20', '米', '宁波', 12.5, 8, 10, '" +
               seed::EstateA + "')");
    Dm->RunSQL("insert into T_PJinfo (F_code, F_name, F_type, F_unit, F_address, F_price1, F_price2, F_amount, "
               "F_XQname) values ('P10', '电线', '电料', '米', '上海', 2, 1, 100, '" +
               seed::EstateB + "')");
    for (const char* type : {"五金", "电料", "管材"})
        Dm->RunSQL(String("insert into t_code (F_type, F_name) values ('pjtype', '") + type + "')");
}

int Repairs::PartId(const TPartRow& part) {
    return StrToInt(One("select F_ID from T_PJinfo where F_code = '" + part.Code + "' and F_XQname = '" +
                        part.Estate + "'"));
}

String Repairs::Stock(const TPartRow& part) {
    return One("select F_amount from T_PJinfo where F_code = '" + part.Code + "' and F_XQname = '" + part.Estate +
               "'");
}

namespace {

int PlayRepair(TfrmCltBXedit* dialog, const std::function<void(TfrmCltBXedit*)>& fill, bool& saved) {
    dialog->CheckBox1->SetChecked(false);
    fill(dialog);
    saved = dialog->SaveRepair();
    return saved ? static_cast<int>(mrNone) : static_cast<int>(mrCancel);
}

} // namespace

bool Repairs::AddRepair(TfrmCltBXGL& reg, const std::function<void(TfrmCltBXedit*)>& fill) {
    bool saved = false;
    User.Form([&](TCustomForm* form) {
        auto* dialog = dynamic_cast<TfrmCltBXedit*>(form);
        EXPECT_NE(dialog, nullptr) << form->ClassName();
        return dialog ? PlayRepair(dialog, fill, saved) : static_cast<int>(mrCancel);
    });
    reg.NewClick();
    return saved;
}

bool Repairs::EditRepair(TfrmCltBXGL& reg, const std::function<void(TfrmCltBXedit*)>& fill) {
    bool saved = false;
    User.Form([&](TCustomForm* form) {
        auto* dialog = dynamic_cast<TfrmCltBXedit*>(form);
        EXPECT_NE(dialog, nullptr) << form->ClassName();
        return dialog ? PlayRepair(dialog, fill, saved) : static_cast<int>(mrCancel);
    });
    reg.EditClick();
    return saved;
}

void Repairs::QueuePicks(const std::vector<TPartRow>& parts, const std::function<void(TDLGpjInfoXZ*)>& more) {
    std::vector<int> ids;
    for (const TPartRow& part : parts)
        ids.push_back(PartId(part));
    User.Form([ids, more](TCustomForm* form) {
        auto* picker = dynamic_cast<TDLGpjInfoXZ*>(form);
        EXPECT_NE(picker, nullptr) << form->ClassName();
        if (!picker) return static_cast<int>(mrCancel);
        for (int id : ids) {
            EXPECT_TRUE(picker->QryTable->Locate("F_ID", id)) << id;
            picker->BitBtn1->Click(); // 确定: the pick, the picker stays open
            EXPECT_EQ(picker->ModalResult(), mrNone);
        }
        if (more) more(picker);
        picker->BitBtn2->Click(); // 关闭
        return static_cast<int>(picker->ModalResult());
    });
}

void Repairs::Pick(TfrmCltBXedit* dialog, const std::vector<TPartRow>& parts) {
    QueuePicks(parts);
    dialog->Action1->Execute();
}

void Repairs::TypeLine(TfrmCltBXedit* dialog, const String& code, double quantity) {
    TADOQuery* lines = dialog->Register()->QryDetail;
    lines->Append();
    lines->FieldByName("F_PJcode")->SetAsString(code);
    lines->FieldByName("F_amount")->SetAsFloat(quantity);
    lines->Post();
}

void Repairs::SetQuantity(TfrmCltBXedit* dialog, double quantity) {
    TADOQuery* lines = dialog->Register()->QryDetail;
    lines->Edit();
    lines->FieldByName("F_amount")->SetAsFloat(quantity);
    lines->Post();
}

std::vector<String> Repairs::Listed(TDLGpjInfoXZ* picker) {
    std::vector<String> codes;
    if (!picker->QryTable->Active()) return codes;
    for (picker->QryTable->First(); !picker->QryTable->Eof(); picker->QryTable->Next())
        codes.push_back(picker->QryTable->FieldByName("F_code")->AsString() + "/" +
                        picker->QryTable->FieldByName("F_XQname")->AsString());
    picker->QryTable->First();
    return codes;
}

void Repairs::Owner(TfrmCltBXedit* dialog, const String& name) {
    dialog->edtFZname->SetText(name);
}
