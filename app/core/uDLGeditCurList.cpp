#include "app/core/uDLGeditCurList.h"

#include "gui/StdCtrls.h"

TDLGeditCurList::TDLGeditCurList(TComponent* AOwner) : TForm(AOwner) {
    SetName("DLGeditCurList");
    SetCaption("批量修改当前列");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetClientWidth(320);
    SetClientHeight(120);

    Label1 = new TLabel(this);
    Label1->SetName("Label1");
    Label1->SetParent(this);
    Label1->SetBounds(16, 14, 288, 18);
    Label1->SetCaption("请输入要填写的字段值：");
    edtCurValue = new TEdit(this);
    edtCurValue->SetName("edtCurValue");
    edtCurValue->SetParent(this);
    edtCurValue->SetBounds(16, 38, 288, 22);
    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(136, 80, 80, 26);
    btnOk->SetCaption("确定");
    btnOk->SetModalResult(mrOk);
    btnOk->SetDefault(true);
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetBounds(224, 80, 80, 26);
    btnCancel->SetCaption("取消");
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetCancel(true);
    DoCreate();
}
