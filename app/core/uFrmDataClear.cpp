#include "app/core/uFrmDataClear.h"

#include "app/core/DataClear.h"
#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "gui/StdCtrls.h"
#include "rtl/Format.h"

TFrmDataClear::TFrmDataClear(TComponent* AOwner) : TForm(AOwner) {
    SetName("FrmDataClear");
    SetCaption("数据清理");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetClientWidth(400);
    SetClientHeight(372);

    lblTitle = new TLabel(this);
    lblTitle->SetName("lblTitle");
    lblTitle->SetParent(this);
    lblTitle->SetBounds(0, 12, 400, 30);
    lblTitle->SetAutoSize(false);
    lblTitle->SetAlignment(taCenter);
    lblTitle->Font()->SetSize(16);
    lblTitle->Font()->SetStyle(TFontStyles{fsBold});
    lblTitle->SetCaption("数据清理");

    auto* group = new TGroupBox(this);
    group->SetName("GroupBox1");
    group->SetParent(this);
    group->SetBounds(16, 50, 368, 226);
    const std::vector<TClearGroup>& groups = ClearGroups();
    Boxes.assign(groups.size(), nullptr);
    const std::vector<int>& shown = ClearGroupsShown();
    for (size_t place = 0; place < shown.size(); ++place) {
        const int index = shown[place];
        auto* box = new TCheckBox(this);
        box->SetName("CheckBox" + IntToStr(index + 1));
        box->SetParent(group);
        const int column = static_cast<int>(place) / 8, row = static_cast<int>(place) % 8;
        box->SetBounds(24 + column * 176, 20 + row * 25, 150, 22);
        box->SetCaption(groups[index].Caption);
        Boxes[index] = box;
    }

    auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new TButton(this);
        b->SetName(name);
        b->SetParent(this);
        b->SetBounds(left, 288, 80, 26);
        b->SetCaption(caption);
        return b;
    };
    btnAll = button("btnAll", "全选", 16);
    btnAll->OnClick = [this](TObject*) { TickAll(true); };
    btnNone = button("btnNone", "全清", 112);
    btnNone->OnClick = [this](TObject*) { TickAll(false); };
    btnOk = button("btnOk", "确定", 208);
    btnOk->OnClick = [this](TObject*) { btnOkClick(); };
    btnClose = button("btnClose", "关闭", 304);
    btnClose->SetModalResult(mrCancel);
    btnClose->SetCancel(true);

    lblNote = new TLabel(this);
    lblNote->SetName("lblNote");
    lblNote->SetParent(this);
    lblNote->SetAutoSize(false);
    lblNote->SetWordWrap(true);
    lblNote->SetBounds(16, 326, 368, 36);
    lblNote->Font()->SetColor(clRed);
    lblNote->SetCaption("    清理掉不需要的数据，及测试数据，数据被清理将不能恢复，请做好备份");
    DoCreate();
}

void TFrmDataClear::TickAll(bool ticked) {
    for (TCheckBox* box : Boxes)
        box->SetChecked(ticked);
}

void TFrmDataClear::btnOkClick() {
    if (ShowMess(MsgClearQuestion, 1) != 1) return;
    std::vector<bool> ticked;
    for (TCheckBox* box : Boxes)
        ticked.push_back(box->Checked());
    TADOConnection* connection = dmData->ADOcnn();
    bool begun = false;
    try {
        if (!connection->Connected()) connection->Open();
        connection->BeginTrans();
        begun = true;
        RunClearGroups(dmData->QryPub(), ticked);
        connection->CommitTrans();
    } catch (const std::exception&) {
        if (begun) {
            try {
                connection->RollbackTrans();
            } catch (const std::exception&) {
                // The connection is gone: the database dropped the transaction with it.
            }
        }
        dmData->QryPub()->Close();
        ShowMess(MsgClearFailed, 3);
        return;
    }
    dmData->QryPub()->Close();
    ShowMess(MsgClearDone, 0);
}
