#include "app/registers/uFrmCarPosGL.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/RegisterImages.h"
#include "app/registers/uFrmCarPosEdit.h"
#include "app/registers/uFrmCarPosEdit1.h"

#include "app/core/DataDm.h"
#include "app/core/NotSetDate.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "gui/Buttons.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"

#include <memory>

namespace {

const TListWindowSpec CarPosSpec{"车位管理", "T_carPos", "CarPosGL", "frCarPosGL.di3", "车位档案统计列表", 3};
const char* const CarPosLayouts[] = {"frCarPosGL.di3", "frCarPosGL1.di3"};

TMenuItem* AddItem(TComponent* owner, TPopupMenu* menu, const String& name, const String& caption,
                   std::function<void()> click) {
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = [click](TObject*) { click(); };
    menu->Items()->Add(item);
    return item;
}

} // namespace

TfrmCarPosGL::TfrmCarPosGL(TComponent* AOwner) : TListWindow(AOwner, CarPosSpec) {
    SetName("frmCarPosGL");
    SetWidth(1000);
    BuildToolBar({
        {"tbNew", "新增", tiNew, [this] { NewClick(); }},
        {"tbPZ", "销售", tiSale, [this] { SellSpace(); }},
        {"tbEdit", "修改", tiEdit, [this] { EditClick(); }},
        {"tbDel", "删除", tiDelete, [this] { DeleteClick(); }},
        {},
        NavButton(0),
        NavButton(1),
        NavButton(2),
        NavButton(3),
        {},
        {"tbPrint", "打印", tiPrint, [this] { PrintFormat(0); }},
        {"tbset", "设置", tiSet, [this] { DesignFormat(0); }},
        {"ToolButton1", "导出", tiExport, [this] { ExportClick(); }},
        {},
        {"tbExit", "退出", tiExit, [this] { ExitClick(); }},
    });
    tbPZ = dynamic_cast<TToolButton*>(FindComponent("tbPZ"));
    pmPrint = new TPopupMenu(this);
    pmPrint->SetName("pmPrint");
    nPrint1 = AddItem(this, pmPrint, "nPrint1", "车位档案统计列表", [this] { PrintFormat(0); });
    nPrint2 = AddItem(this, pmPrint, "nPrint2", "车位销售租赁表格", [this] { PrintFormat(1); });
    pmSet = new TPopupMenu(this);
    pmSet->SetName("pmSet");
    nSet1 = AddItem(this, pmSet, "nSet1", "车位档案统计列表", [this] { DesignFormat(0); });
    nSet2 = AddItem(this, pmSet, "nSet2", "车位销售租赁表格", [this] { DesignFormat(1); });
    tbPrint->SetStyle(tbsDropDown);
    tbPrint->SetDropdownMenu(pmPrint);
    tbset->SetStyle(tbsDropDown);
    tbset->SetDropdownMenu(pmSet);
    ToolBar1->ArrangeButtons();
    BuildSearchPanel()->SetEntries({
        {"车位编号", "F_code", tmContains, "", {}},
        {"车位位置", "F_address", tmContains, "", {}},
        {"房间编号", "F_FZcode", tmContains, "", {}},
        {"业主姓名", "F_FZname", tmContains, "", {}},
        {"车辆号码", "F_CarCode", tmContains, "", {}},
        {"联系电话", "F_phone", tmContains, "", {}},
        {"手    机", "F_handPhone", tmContains, "", {}},
        {"备    注", "F_memo1", tmContains, "", {}},
    });
    SpeedButton2 = new TSpeedButton(this);
    SpeedButton2->SetName("SpeedButton2");
    SpeedButton2->SetParent(SearchPanel);
    SpeedButton2->SetBounds(510, 6, 24, 22);
    SpeedButton2->SetCaption("≡");
    SpeedButton2->SetHint("显示或隐藏分组列表");
    SpeedButton2->SetShowHint(true);
    SpeedButton2->OnClick = [this](TObject*) { PanelGroup->SetVisible(!PanelGroup->Visible()); };
    BuildGroupPanel({{"产权状态", "F_CQstatus"}, {"经 手 人", "F_empName"}});
    BuildColumns({
        {"F_code", "车位编号", 70, fvtStaticText, "合  计"},
        {"F_address", "位置", 90},
        {"F_YSprice", "预售价格", 80},
        {"F_YZprice", "预租价格", 80},
        {"F_XQname", "小区名称", 80},
        {"F_FZcode", "房间编号", 70},
        {"F_FZname", "业主姓名", 70},
        {"F_CarCode", "车辆号码", 80},
        {"F_phone", "联系电话", 90},
        {"F_handPhone", "手机", 90},
        {"F_fromDate", "起始日期", 80},
        {"F_toDate", "终止日期", 80},
        {"F_CQstatus", "产权状态", 60},
        {"F_SJprice", "价格", 80, fvtSum},
        {"F_Haddress", "用户地址", 100},
        {"F_memo1", "备注", 120},
    });
    QryTable->AfterOpen = [this](TDataSet*) {
        for (const char* name : {"F_fromDate", "F_toDate"})
            if (TField* field = QryTable->FindField(name)) ShowNotSetDateEmpty(*field);
    };
}

bool TfrmCarPosGL::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from T_carPos where (1=1) " + XQScopeSQL);
    SearchPanel->AddCondition(statement);
    AddGroupCondition(statement);
    statement.Add("order by F_code");
    return true;
}

void TfrmCarPosGL::NewClick() {
    auto dialog = std::make_unique<TfrmCarPosEdit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->ShowEditor(false);
}

void TfrmCarPosGL::SellSpace() {
    if (ListEmpty()) {
        ShowMess(MsgNoSpaceToSell, 3);
        return;
    }
    const String state = QryTable->FieldByName("F_CQstatus")->AsString();
    if (state == "出售" || state == "出租") {
        ShowMess(MsgSpaceTaken, 0);
        return;
    }
    OpenEditor(false);
}

void TfrmCarPosGL::EditClick() {
    if (ListEmpty()) {
        ShowMess(MsgNoSpaceToEdit, 3);
        return;
    }
    OpenEditor(true);
}

void TfrmCarPosGL::OpenEditor(bool editMode) {
    auto dialog = std::make_unique<TfrmCarPosEdit1>(this);
    DispFormPos(dialog.get(), 1);
    dialog->ShowEditor(editMode);
}

String TfrmCarPosGL::DeleteQuestion() const {
    return "真的要删除当前车位编号 为 " + QryTable->FieldByName("F_code")->AsString() + " 车位记录吗？";
}

void TfrmCarPosGL::PrintFormat(int format) {
    if (ListEmpty()) return;
    dmData->ShowLayoutReport(vrReport1, CarPosLayouts[format == 1 ? 1 : 0], QryTable);
}

void TfrmCarPosGL::DesignFormat(int format) {
    dmData->DesignLayoutReport(vrReport1, CarPosLayouts[format == 1 ? 1 : 0], QryTable);
}
