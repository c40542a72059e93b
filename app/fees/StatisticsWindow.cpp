// The statistics family's member table and what every member is built of: tool bar, filter
// panel, grid with one footer row, popup, status bar and report component.
#include "app/fees/StatisticsWindow.h"

#include "app/registers/RegisterImages.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/uFrmMain.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"

#include <stdexcept>

const std::vector<TStatisticsMember>& StatisticsMembers() {
    // class, caption, action, menu entry, grids, load key, save key, column formats, "打印",
    // second layout, grid print, Excel title, first click " DESC", "mem" sorted, variables
    static const std::vector<TStatisticsMember> members = {
        {"TfrmJFTZbillTJ", "缴费通知单查询统计", 401, "缴费通知单查询", 1, "JFTZbillTJ", "JFTZbillTJ", 1,
         "frJFTZbillTJ.di3", "frJFTZbillTJ1.di3", false, "缴费通知单查询统计列表", true, false, true},
        {"TfrmJFSKbillTJ", "交费收款单查询统计", 402, "交费收款单查询", 2, "JFSKbillTJ", "JFSKbillTJ", 3,
         "frJFSKbillTJ.di3", "frJFSKbillTJ1.di3", false, "交费收款单查询统计列表", true, false, true},
        {"TfrmWYQKbillTJ", "个人欠费查询统计列表", 403, "个人欠费查询统计", 2, "WYQKbillTJ", "WYQKbillTJ", 3,
         "frWYQKbillTJ.di3", "frWYQKbillTJ1.di3", false, "个人欠费查询统计列表", true, false, true},
        {"TfrmKCPJdetailTJ", "库存配件查询汇总统计", 404, "配件库存查询统计", 1, "KCPJdetailTJ", "KCPJdetailTJ",
         1, "frKCPJdetailTJ.di3", "", false, "库存配件查询汇总统计", false, false, false},
        {"TfrmYJFYdetailTJ", "应交费用明细统计", 501, "应交费用明细统计", 1, "", "yjfydetailtj", 4,
         "frYJFYdetailTJ.di3", "", true, "应交费用明细统计", false, false, true},
        {"TfrmYJFYtotalTJ", "应交费用汇总统计", 502, "应交费用汇总统计", 3, "", "yjfytotaltj", 4, "", "", true,
         "", false, false, true},
        {"TfrmZHJFdetailTJ", "住户交费明细统计", 503, "住户交费明细统计", 1, "ZHJFdetailTJ", "ZHJFdetailTJ", 3,
         "frZHJFdetailTJ.di3", "", true, "住户交费明细统计列表", true, false, true},
        {"TfrmZHJFtotalTJ", "住户交费汇总统计", 504, "住户交费汇总统计", 3, "", "ZHJFtotalTJ", 4, "", "", true,
         "", false, false, true},
        {"TfrmWYJYtotalTJ", "物业收费经营分析统计", 506, "物业收费经营分析", 1, "WYJYtotalTJ", "WYJYtotalTJ", 0,
         "frWYJYtotalTJ.di3", "", true, "物业收费经营分析统计列表", false, false, true},
        {"TfrmBXdetailTj", "住户报修统计列表", 505, "物业报修查询统计", 1, "bxdetailtj", "bxdetailtj", 3,
         "frBXdetailTj.di3", "", true, "住户报修统计列表", false, true, true},
    };
    return members;
}

const TStatisticsMember& StatisticsMember(const String& className) {
    for (const TStatisticsMember& member : StatisticsMembers())
        if (member.ClassName == className) return member;
    throw std::out_of_range("no statistics member " + className);
}

TStatisticsWindow::TStatisticsWindow(TComponent* AOwner, const String& memberClass)
    : TForm(AOwner), FMember(StatisticsMember(memberClass)) {
    SetCaption(FMember.Caption);
    SetBounds(0, 0, 960, 600);
    SetKeyPreview(true);
    QryTable = new TADOQuery(this);
    QryTable->SetName("QryTable");
    QryTable->SetConnection(dmData->ADOcnn());
    dsTable = new TDataSource(this);
    dsTable->SetName("dsTable");
    dsTable->SetDataSet(QryTable);
    vrReport1 = new TvrReport(this);
    vrReport1->SetName("vrReport1");
    if (FMember.ReportVariables)
        vrReport1->OnGetValue = [this](const String& name, Variant& value) {
            // A failure while answering leaves the value unset; the report goes on.
            try {
                vrReport1GetValue(name, value);
            } catch (const std::exception&) {
            }
        };
    BuildToolBar();
    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetAlign(alTop);
    Panel1->SetHeight(96);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetCaption("");
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(Panel1);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("查询条件");
    BuildStatusBar();
    BuildGrid();
    BuildPopupMenu();
}

TStatisticsWindow::~TStatisticsWindow() {
    DestroyComponents();
}

void TStatisticsWindow::BuildToolBar() {
    ToolBar1 = new TToolBar(this);
    ToolBar1->SetName("ToolBar1");
    ToolBar1->SetParent(this);
    ToolBar1->SetAlign(alTop);
    ToolBar1->SetShowCaptions(true);
    ToolBar1->SetFlat(true);
    ToolBar1->SetButtonWidth(44);
    ToolBar1->SetButtonHeight(42);
    ToolBar1->SetHeight(46);
    ToolBar1->SetImages(RegisterToolImages());
    struct TButtonSpec {
        const char* Name;
        const char* Caption;
        int Image;
        void (TStatisticsWindow::*Click)();
        TToolButton* TStatisticsWindow::*Field;
    };
    const TButtonSpec buttons[] = {
        {"tbQuery", "查询", tiQuery, &TStatisticsWindow::QueryClick, &TStatisticsWindow::tbQuery},
        {nullptr, nullptr, -1, nullptr, nullptr},
        {"tbFirst", "首项", tiFirst, &TStatisticsWindow::FirstClick, &TStatisticsWindow::tbFirst},
        {"tbPrior", "前项", tiPrior, &TStatisticsWindow::PriorClick, &TStatisticsWindow::tbPrior},
        {"tbNext", "后项", tiNext, &TStatisticsWindow::NextClick, &TStatisticsWindow::tbNext},
        {"tbLast", "末项", tiLast, &TStatisticsWindow::LastClick, &TStatisticsWindow::tbLast},
        {nullptr, nullptr, -1, nullptr, nullptr},
        {"tbPrint", "打印", tiPrint, nullptr, &TStatisticsWindow::tbPrint},
        {"tbSet", "设置", tiSet, nullptr, &TStatisticsWindow::tbSet},
        {"tbExpert", "导出", tiExport, &TStatisticsWindow::ExportClick, &TStatisticsWindow::tbExpert},
        {nullptr, nullptr, -1, nullptr, nullptr},
        {"tbExit", "退出", tiExit, &TStatisticsWindow::ExitClick, &TStatisticsWindow::tbExit},
    };
    for (const TButtonSpec& spec : buttons) {
        auto* button = new TToolButton(this);
        if (!spec.Name) {
            button->SetStyle(tbsSeparator);
            button->SetWidth(8);
        } else {
            button->SetName(spec.Name);
            button->SetCaption(spec.Caption);
            button->SetImageIndex(spec.Image);
            this->*spec.Field = button;
            if (spec.Click) {
                auto click = spec.Click;
                button->OnClick = [this, click](TObject*) { (this->*click)(); };
            }
        }
        button->SetParent(ToolBar1);
    }
    // Virtual: a member's print and design entries.
    tbPrint->OnClick = [this](TObject*) { PrintClick(); };
    tbSet->OnClick = [this](TObject*) { SetClick(); };
    ToolBar1->ArrangeButtons();
}

void TStatisticsWindow::BuildStatusBar() {
    StatusBar = new TStatusBar(this);
    StatusBar->SetName("StatusBar");
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    for (int width : {150, 150, 100, 50})
        StatusBar->AddPanel()->SetWidth(width);
    StatusBar->Panels(3)->SetAlignment(taRightJustify);
}

void TStatisticsWindow::BuildGrid() {
    DBGridGx1 = NewGrid("DBGridGx1", this, dsTable);
    DBGridGx1->OnTitleClick = [this](TColumnGx* column) { TitleClick(column); };
}

TDBGridGx* TStatisticsWindow::NewGrid(const String& name, TWinControl* parent, TDataSource* source) {
    auto* grid = new TDBGridGx(this);
    grid->SetName(name);
    grid->SetParent(parent);
    grid->SetAlign(alClient);
    grid->SetReadOnly(true);
    grid->DrawMemoText = true;
    grid->SetOptions(grid->Options() | dgRowSelect | dgAlwaysShowSelection);
    grid->SetFooterRowCount(1);
    grid->SumList()->SetActive(true);
    grid->SetDataSource(source);
    if (PopupMenu1) grid->SetPopupMenu(PopupMenu1);
    return grid;
}

void TStatisticsWindow::BuildColumns(const std::vector<TGridColumnSpec>& columns, TDBGridGx* grid) {
    if (!grid) grid = DBGridGx1;
    grid->BeginLayout();
    for (const TGridColumnSpec& spec : columns) {
        TColumnGx* column = grid->Columns()->AddColumn();
        column->SetFieldName(spec.Field);
        column->Title()->SetCaption(spec.Caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(spec.Width);
        column->Footer()->SetValueType(spec.Footer);
        if (!spec.FooterText.empty()) column->Footer()->SetValue(spec.FooterText);
    }
    grid->EndLayout();
}

void TStatisticsWindow::BuildPopupMenu() {
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    N1 = new TMenuItem(this);
    N1->SetName("N1");
    N1->SetCaption("显示字段列表");
    N1->OnClick = [this](TObject*) { ShowFieldList(); };
    PopupMenu1->Items()->Add(N1);
    N2 = new TMenuItem(this);
    N2->SetName("N2");
    N2->SetCaption("保存当前设置");
    N2->OnClick = [this](TObject*) { SaveGridSettings(); };
    PopupMenu1->Items()->Add(N2);
    DBGridGx1->SetPopupMenu(PopupMenu1);
}

namespace {

TMenuItem* AddDropEntry(TComponent* owner, TPopupMenu*& menu, const char* menuName, TToolButton* button,
                        const String& name, const String& caption, std::function<void()> click) {
    if (!menu) {
        menu = new TPopupMenu(owner);
        menu->SetName(menuName);
        button->SetStyle(tbsDropDown);
        button->SetDropdownMenu(menu);
    }
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = [click](TObject*) { click(); };
    menu->Items()->Add(item);
    return item;
}

} // namespace

TMenuItem* TStatisticsWindow::AddPrintEntry(const String& name, const String& caption,
                                            std::function<void()> click) {
    return AddDropEntry(this, PopupMenu2, "PopupMenu2", tbPrint, name, caption, std::move(click));
}

TMenuItem* TStatisticsWindow::AddSetEntry(const String& name, const String& caption, std::function<void()> click) {
    return AddDropEntry(this, PopupMenu3, "PopupMenu3", tbSet, name, caption, std::move(click));
}

void TStatisticsWindow::DoShow() {
    if (!FOpened) {
        FOpened = true;
        StatusBar->Panels(3)->SetText(CompanyName + "  ");
        if (!FMember.LoadKey.empty()) dmData->LoadGridLayout(DBGridGx1, FMember.LoadKey);
        if (FMember.ColumnFormats > 0) dmData->ApplyColumnFormats(DBGridGx1, FMember.ColumnFormats);
        Opened();
        if (FMember.GridPrint) EnableNavButtons(this, false);
    }
    TForm::DoShow();
}

String TStatisticsWindow::CountText() const {
    return StatisticsCountLabel;
}

bool TStatisticsWindow::ResultEmpty() const {
    const TADOQuery* query = ActiveQuery();
    return !query->Active() || query->IsEmpty();
}
