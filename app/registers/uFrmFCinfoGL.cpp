#include "app/registers/uFrmFCinfoGL.h"

#include "app/registers/EstateTree.h"
#include "app/registers/ListSearchPanel.h"
#include "app/registers/RegisterImages.h"

#include "app/core/NotSetDate.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/Buttons.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/Menus.h"
#include "rtl/StrUtils.h"

namespace {

const TListWindowSpec HouseSpec{"房屋信息档案管理", "T_FCinfo",         "FCinfoGL",
                                "frFCinfoGL.di3",   "房间信息档案管理", 0};

std::vector<TSearchEntry> HouseSearch() {
    std::vector<TSearchEntry> entries = {
        {"门牌编号", "F_code", tmStartsWith, "", {}},
        {"单元", "F_DYcode", tmContains, "", {}},
        {"房型", "F_FXtype", tmStartsWith, "select f_name from t_code where f_type = 'fxtype'", {}},
        {"房间朝向",
         "F_chaoxiang",
         tmStartsWith,
         "select f_name from t_code where F_type = 'chaoxiang' ",
         {}},
        {"产权状况", "F_chanQuan", tmStartsWith, "select f_name from t_code where F_type = 'chanquan' ", {}},
        {"房屋备注", "f_mem1", tmContains, "", {}},
        {"合同编号", "F_HTcode", tmContains, "", {}},
        {"合同类型", "F_HTtype", tmStartsWith, "select f_name from t_code where f_type = 'HTtype'", {}},
        {"业主姓名", "F_FZname", tmContains, "", {}},
        {"业主性别", "F_FZsex", tmStartsWith, "", {"男", "女"}},
        {"业主电话", "F_FZphone", tmContains, "", {}},
        {"业主手机", "F_HandPhone", tmContains, "", {}},
        {"业主身份证号", "F_SFZcode", tmContains, "", {}},
        {"业主单位", "F_FZunit", tmContains, "", {}},
        {"业主住址", "F_FZaddress", tmContains, "", {}},
        {"合同备注", "F_mem2", tmContains, "", {}},
        {"住户姓名", "F_ZHname", tmContains, "", {}},
        {"住户电话", "F_ZHphone", tmContains, "", {}},
        {"住户手机", "F_ZHhandPhone", tmContains, "", {}},
        {"住户身份证号", "F_ZHsfzCode", tmContains, "", {}},
        {"住户从事行业", "F_ZHwork", tmContains, "", {}},
        {"住户备注", "F_mem3", tmContains, "", {}},
    };
    // Four empty entries close the list; choosing one changes nothing.
    for (int i = 0; i < 4; ++i)
        entries.push_back({"", "", tmContains, "", {}});
    return entries;
}

// The conditions of the state filter, by RadioGroup1's index (全  部 adds none).
const char* const StateConditions[] = {"and F_curStatus Like '%未销售%' ", "and F_curStatus Like '%已销售%' ",
                                       "and F_curStatus Like '%已入住%' "};

TMenuItem* NewMenuItem(TComponent* owner, TPopupMenu* menu, const String& name, const String& caption,
                       std::function<void()> click) {
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = [click](TObject*) { click(); };
    menu->Items()->Add(item);
    return item;
}

} // namespace

TfrmFCinfoGL::TfrmFCinfoGL(TComponent* AOwner) : TListWindow(AOwner, HouseSpec) {
    SetName("frmFCinfoGL");
    SetBounds(0, 0, 1000, 620);
    BuildToolBar({
        {"tbNew", "新增", tiNew, [this] { NewClick(); }},
        {"tbSale", "销售", tiSale, [this] { SaleClick(); }},
        {"tbEdit", "修改", tiEdit, [this] { EditClick(); }},
        {"tbRZ", "入住", tiMoveIn, [this] { MoveInClick(); }},
        {"tbZK", "置空", tiVacate, [this] { VacateClick(); }},
        {"tbCopy", "复制", tiCopy, [this] { CopyClick(); }},
        {"tbDel", "删除", tiDelete, [this] { DeleteClick(); }},
        {},
        NavButton(0),
        NavButton(1),
        NavButton(2),
        NavButton(3),
        {},
        {"tbPrint", "打印", tiPrint, [this] { PrintClick(); }},
        {"tbset", "设置", tiSet, [this] { SetClick(); }},
        {"ToolButton1", "导出", tiExport, [this] { ExportClick(); }},
        {},
        {"tbExit", "退出", tiExit, [this] { ExitClick(); }},
    });
    auto find = [this](const char* name) { return dynamic_cast<TToolButton*>(FindComponent(name)); };
    tbSale = find("tbSale");
    tbRZ = find("tbRZ");
    tbZK = find("tbZK");
    tbCopy = find("tbCopy");
    PopupPrint = new TPopupMenu(this);
    miPrint1 = NewMenuItem(this, PopupPrint, "miPrint1", "打印房屋档案列表", [this] { PrintClick(); });
    miPrint2 = NewMenuItem(this, PopupPrint, "miPrint2", "打印房屋档案详单", [this] { PrintDetailClick(); });
    PopupSet = new TPopupMenu(this);
    miSet1 = NewMenuItem(this, PopupSet, "miSet1", "设置房屋档案列表", [this] { SetClick(); });
    miSet2 = NewMenuItem(this, PopupSet, "miSet2", "设置房屋档案详单", [this] { SetDetailClick(); });
    tbPrint->SetStyle(tbsDropDown);
    tbPrint->SetDropdownMenu(PopupPrint);
    tbset->SetStyle(tbsDropDown);
    tbset->SetDropdownMenu(PopupSet);
    ToolBar1->ArrangeButtons();

    BuildSearchPanel()->SetEntries(HouseSearch());
    SpeedButton2 = new TSpeedButton(this);
    SpeedButton2->SetName("SpeedButton2");
    SpeedButton2->SetParent(SearchPanel);
    SpeedButton2->SetBounds(508, 6, 24, 22);
    SpeedButton2->SetCaption("◧");
    SpeedButton2->SetHint("显示或隐藏小区列表");
    SpeedButton2->OnClick = [this](TObject*) {
        tvTree->SetVisible(!tvTree->Visible());
        Splitter1->SetVisible(tvTree->Visible());
    };
    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->SetName("RadioGroup1");
    RadioGroup1->SetParent(SearchPanel);
    RadioGroup1->SetBounds(540, 0, 330, 32);
    RadioGroup1->SetColumns(4);
    for (const char* state : {"未销售", "已销售", "已入住", "全  部"})
        RadioGroup1->Items()->Add(state);
    RadioGroup1->SetItemIndex(0);
    RadioGroup1->OnClick = [this](TObject*) { RefreshList(); };

    tvTree = NewEstateTreeView(this, this, [this] { RefreshList(); });
    Splitter1 = new TSplitter(this);
    Splitter1->SetParent(this);
    Splitter1->SetAlign(alLeft);
    Splitter1->SetLeft(tvTree->Width() + 1);

    std::vector<TGridColumnSpec> columns = {
        {"F_XQname", "小区名称", 80, fvtStaticText, "合  计"},
        {"F_LDcode", "楼幢号"},
        {"F_DYcode", "单元", 60},
        {"F_code", "房间编号"},
        {"F_FXtype", "房型"},
        {"F_LouCeng", "楼层", 60},
        {"F_chaoXiang", "朝向", 60},
        {"F_curStatus", "当前状态"},
        {"F_buildArea", "建筑面积"},
        {"F_useArea", "使用面积"},
        {"F_chanquan", "产权状况"},
        {"F_mem1", "房屋备注", 150},
        {"F_HTcode", "合同编号"},
        {"F_HTprice", "合同金额", 90, fvtSum},
        {"F_HTdate", "合同日期"},
        {"F_HTtype", "合同类型"},
        {"F_FZname", "业主姓名"},
        {"F_FZsex", "业主性别"},
        {"F_FZphone", "业主电话"},
        {"F_handphone", "业主手机"},
        {"F_SFZcode", "身份证号"},
        {"F_FZunit", "业主单位"},
        {"F_FZaddress", "业主住址"},
        {"F_mem2", "合同备注", 150},
        {"F_ZHname", "住户姓名"},
        {"F_RZdate", "入住日期"},
        {"F_ZHphone", "住户电话"},
        {"F_ZHhandphone", "住户手机"},
        {"F_ZHSFZcode", "住户身份证"},
        {"F_ZHwork", "从事行业"},
        {"F_ZHnum", "住户人数"},
        {"F_mem3", "住户备注", 150},
    };
    BuildColumns(columns);
    // Areas in the quantity format; a saved layout replaces this with its own formats.
    for (int i = 0; i < DBGridGx1->Columns()->Count(); ++i) {
        TColumnGx* column = DBGridGx1->Columns()->ColumnAt(i);
        if (Pos("area", LowerCase(column->FieldName())) > 0) {
            column->SetDisplayFormat(FmtAmount);
            column->Footer()->SetDisplayFormat(FmtAmount);
        }
    }
    EnableTitleSort(false);
    // Dates that are not set show empty.
    QryTable->AfterOpen = [this](TDataSet*) {
        for (const char* name : {"F_RZdate", "F_HTdate"})
            if (TField* field = QryTable->FindField(name)) ShowNotSetDateEmpty(*field);
    };
    BuildEstateTree();
}

void TfrmFCinfoGL::BuildEstateTree() {
    ::BuildEstateTree(tvTree);
}

bool TfrmFCinfoGL::BuildListStatement(TSqlStatement& statement) {
    TTreeNode* node = tvTree->Selected();
    if (!node) return false;
    statement.Add("select * from T_FCinfo where (1=1) ");
    SearchPanel->AddCondition(statement);
    AddNodeCondition(statement, node);
    const int state = RadioGroup1->ItemIndex();
    if (state >= 0 && state < 3) statement.Add(StateConditions[state]);
    statement.Add("order by F_XQname,F_LDcode,F_DYcode,F_code ");
    return true;
}

bool TfrmFCinfoGL::HandleListKey(Word key, TShiftState shift) {
    if (key == 'Q' && shift.Contains(ssCtrl)) return false; // the house list has no 查询
    return TListWindow::HandleListKey(key, shift);
}
