#include "app/core/uFrmDispFieldXZ.h"

#include "gui/CheckLst.h"
#include "gui/StdCtrls.h"

TFrmDispFieldXZ::TFrmDispFieldXZ(TComponent* AOwner) : TForm(AOwner) {
    SetName("FrmDispFieldXZ");
    SetCaption("字段列表");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{});
    SetPosition(poOwnerFormCenter);
    SetClientWidth(240);
    SetClientHeight(360);

    CheckListBox1 = new TCheckListBox(this);
    CheckListBox1->SetName("CheckListBox1");
    CheckListBox1->SetParent(this);
    CheckListBox1->SetBounds(8, 8, 224, 306);

    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(32, 324, 80, 26);
    btnOk->SetCaption("确定");
    btnOk->SetModalResult(mrOk);
    btnOk->SetDefault(true);
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetBounds(128, 324, 80, 26);
    btnCancel->SetCaption("取消");
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetCancel(true);
    DoCreate();
}
