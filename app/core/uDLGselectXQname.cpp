#include "app/core/uDLGselectXQname.h"

#include "app/core/DataDm.h"
#include "app/core/EstateScope.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "gui/CheckLst.h"
#include "gui/StdCtrls.h"

#include <algorithm>

TDLGselectXQname::TDLGselectXQname(TComponent* AOwner) : TForm(AOwner) {
    SetName("DLGselectXQname");
    SetCaption("请选择");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetClientWidth(380);
    SetClientHeight(300);

    lblHint = new TLabel(this);
    lblHint->SetName("lblHint");
    lblHint->SetParent(this);
    lblHint->SetBounds(12, 10, 356, 18);
    lblHint->SetCaption("请从以下列表中勾选所需项目：");
    clbItemList = new TCheckListBox(this);
    clbItemList->SetName("clbItemList");
    clbItemList->SetParent(this);
    clbItemList->SetBounds(12, 32, 356, 220);
    clbItemList->SetColumns(2);
    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(196, 264, 80, 26);
    btnOk->SetCaption("确定");
    btnOk->SetModalResult(mrOk);
    btnOk->SetDefault(true);
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetBounds(288, 264, 80, 26);
    btnCancel->SetCaption("取消");
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetCancel(true);
    DoCreate();
}

String TDLGselectXQname::SelectEstates(const String& current) {
    TADOQuery* query = dmData->QryPub();
    if (!dmData->OpenSQL("select F_name from T_XQinfo order by F_ID", query)) return current;
    if (query->IsEmpty()) {
        query->Close();
        ShowMess(MsgNoEstates, 0);
        return current;
    }
    clbItemList->Items()->Clear();
    for (query->First(); !query->Eof(); query->Next())
        clbItemList->Items()->Add(query->FieldByName("F_name")->AsString());
    query->Close();
    MarkEstates(current);
    if (ShowModal() != mrOk) return current;
    return TickedEstates();
}

void TDLGselectXQname::MarkEstates(const String& current) {
    const std::vector<String> names = ParseXQList(current);
    for (int i = 0; i < clbItemList->Count(); ++i) {
        const String& item = clbItemList->Items()->Strings(i);
        clbItemList->SetChecked(i, std::find(names.begin(), names.end(), item) != names.end());
    }
}

String TDLGselectXQname::TickedEstates() const {
    std::vector<String> ticked;
    for (int i = 0; i < clbItemList->Count(); ++i)
        if (clbItemList->Checked(i)) ticked.push_back(clbItemList->Items()->Strings(i));
    return FormatXQList(ticked);
}
