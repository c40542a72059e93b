#include "app/fees/uFrmWuyeFYjsgl.h"

#include "app/fees/FeeCollection.h"

#include "app/core/DataDm.h"
#include "app/core/FormControls.h"
#include "app/core/PubUnit.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxColumns.h"
#include "gui/Buttons.h"
#include "gui/Colors.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "rtl/DateUtils.h"

TfrmWuyeFYjsgl* frmWuyeFYjsgl = nullptr;

namespace {

struct TColumnSpec {
    const char* Field;
    const char* Caption;
    int Width;
};

const TColumnSpec HouseColumns[] = {
    {"F_XQname", "小区名称", 90}, {"F_code", "房间编号", 70}, {"F_FZname", "业主姓名", 70},
    {"F_LDcode", "楼幢号", 50},   {"F_DYcode", "单元", 40},
};

const TColumnSpec FeeColumns[] = {
    {"F_JFflag", "交费", 36},         {"F_SFname", "费项名称", 80},     {"F_XQname", "小区名称", 80},
    {"F_LDcode", "楼幢号", 50},       {"F_FZcode", "房间编号", 70},     {"F_fromDate", "上次报表日期", 84},
    {"F_toDate", "本次报表日期", 84}, {"F_SFdate", "交费限期", 80},     {"F_amount", "计费单位", 60},
    {"F_price", "单位价格", 60},      {"F_totalPrice", "应交费用", 80}, {"F_editDate", "编辑日期", 80},
    {"F_memo1", "备注", 120},
};

template <size_t N> void AddColumns(TDBGridGx* grid, const TColumnSpec (&specs)[N]) {
    grid->BeginLayout();
    for (const TColumnSpec& spec : specs) {
        TColumnGx* column = grid->Columns()->AddColumn();
        column->SetFieldName(spec.Field);
        column->Title()->SetCaption(spec.Caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(spec.Width);
    }
    grid->EndLayout();
}

TButton* AddButton(TComponent* owner, TWinControl* parent, const String& name, const String& caption, int left,
                   int top, int width, std::function<void()> click) {
    auto* button = new TButton(owner);
    button->SetName(name);
    button->SetParent(parent);
    button->SetBounds(left, top, width, 26);
    button->SetCaption(caption);
    button->OnClick = [click](TObject*) { click(); };
    return button;
}

TCurrencyEdit* AddMoneyBox(TComponent* owner, TWinControl* parent, const String& name, const String& caption,
                           int left, int top, bool readOnly = true) {
    TCurrencyEdit* edit = AddCurrencyEdit(owner, parent, name, caption, left, top, 110);
    edit->SetDecimalPlaces(4);
    edit->SetReadOnly(readOnly);
    return edit;
}

TPanel* AddPanel(TComponent* owner, TWinControl* parent, const String& name, TAlign align, int size) {
    auto* panel = new TPanel(owner);
    panel->SetName(name);
    panel->SetParent(parent);
    panel->SetAlign(align);
    if (align == alLeft || align == alRight)
        panel->SetWidth(size);
    else
        panel->SetHeight(size);
    panel->SetBevelOuter(bvNone);
    panel->SetCaption("");
    return panel;
}

} // namespace

TfrmWuyeFYjsgl::TfrmWuyeFYjsgl(TComponent* AOwner) : TForm(AOwner) {
    SetName("frmWuyeFYjsgl");
    SetCaption(FeeCollectionCaption);
    SetBounds(0, 0, 1000, 660);
    QryTable = new TADOQuery(this);
    QryTable->SetName("QryTable");
    QryTable->SetConnection(dmData->ADOcnn());
    QryTable->AfterScroll = [this](TDataSet*) { HouseChanged(); };
    dsTable = new TDataSource(this);
    dsTable->SetName("dsTable");
    dsTable->SetDataSet(QryTable);
    QryTable1 = new TADOQuery(this);
    QryTable1->SetName("QryTable1");
    QryTable1->SetConnection(dmData->ADOcnn());
    QryTable1->SetLockType(ltBatchOptimistic);
    QryTable1->AfterPost = [this](TDataSet*) {
        if (!FTicking) TicksChanged();
    };
    dsTable1 = new TDataSource(this);
    dsTable1->SetName("dsTable1");
    dsTable1->SetDataSet(QryTable1);
    QryTemp = new TADOQuery(this);
    QryTemp->SetName("QryTemp");
    QryTemp->SetConnection(dmData->ADOcnn());
    QryTemp->SetLockType(ltBatchOptimistic);
    vrReport1 = new TvrReport(this);
    vrReport1->SetName("vrReport1");
    vrReport1->OnGetValue = [this](const String& name, Variant& value) {
        // A value that fails is left to the report.
        try {
            vrReport1GetValue(name, value);
        } catch (const std::exception&) {
        }
    };
    BuildSearch();
    BuildAmounts();
    BuildButtons();
    BuildGrids();
    BuildFilter();
    ShowAmounts();
    DoCreate();
}

TfrmWuyeFYjsgl::~TfrmWuyeFYjsgl() {
    // The queries' events name this window: they go before its parts do.
    QryTable->AfterScroll = nullptr;
    QryTable1->AfterPost = nullptr;
    vrReport1->OnGetValue = nullptr;
}

void TfrmWuyeFYjsgl::BuildSearch() {
    PanelTop = AddPanel(this, this, "PanelTop", alTop, 40);
    cbbXQname = AddEstateCombo(this, PanelTop, "cbbXQname", "小区名称", 10, 8, 140);
    cbbXQname->OnChange = [this](TObject*) { QueryHouses(); };
    auto* label = AddLabel(this, PanelTop, "房间编号或业主姓名：", 240, 8);
    label->SetWidth(130);
    edtQRYcode = new TEdit(this);
    edtQRYcode->SetName("edtQRYcode");
    edtQRYcode->SetParent(PanelTop);
    edtQRYcode->SetBounds(372, 8, 130, 22);
    edtQRYcode->SetText("");
    SpeedButton1 = new TSpeedButton(this);
    SpeedButton1->SetName("SpeedButton1");
    SpeedButton1->SetParent(PanelTop);
    SpeedButton1->SetBounds(506, 8, 24, 22);
    SpeedButton1->SetCaption("…");
    SpeedButton1->SetHint("查询");
    SpeedButton1->OnClick = [this](TObject*) { QueryHouses(); };
    lblHint = new TLabel(this);
    lblHint->SetName("lblHint");
    lblHint->SetParent(PanelTop);
    lblHint->SetBounds(540, 12, 440, 16);
    lblHint->SetCaption(FeeCollectionHint);
    lblHint->Font()->SetColor(clRed);
}

void TfrmWuyeFYjsgl::BuildAmounts() {
    TPanel* panel = AddPanel(this, this, "PanelAmounts", alBottom, 176);
    const int c1 = 10, c2 = 200, c3 = 390, c4 = 580;
    edtFZcode = AddEdit(this, panel, "edtFZcode", "房间编号", c1, 8, 110);
    edtFZcode->SetReadOnly(true);
    edtFZname = AddEdit(this, panel, "edtFZname", "业主姓名", c2, 8, 110);
    edtFZname->SetReadOnly(true);
    rceQFnum = AddCalcEdit(this, panel, "rceQFnum", "欠费笔数", c1, 38, 110);
    rceQFnum->SetReadOnly(true);
    ceQFprice = AddMoneyBox(this, panel, "ceQFprice", "欠费合计", c2, 38);
    rceXDnum = AddCalcEdit(this, panel, "rceXDnum", "选定笔数", c3, 38, 110);
    rceXDnum->SetReadOnly(true);
    ceFKprice = AddMoneyBox(this, panel, "ceFKprice", "本次交款", c4, 38);
    ceBankPrice = AddMoneyBox(this, panel, "ceBankPrice", "帐户余额", c1, 68);
    ceYHprice = AddMoneyBox(this, panel, "ceYHprice", "优惠金额", c2, 68);
    ceYSprice = AddMoneyBox(this, panel, "ceYSprice", "应收金额", c3, 68);
    dtpJFdate = AddDatePicker(this, panel, "dtpJFdate", "收款日期", c4, 68, 110);
    cbbSKtype = AddCombo(this, panel, "cbbSKtype", "收款方式", c1, 98, 110);
    cbbSKtype->Items()->Add("现  金");
    cbbSKtype->Items()->Add(PrepaymentPayType);
    cbbSKtype->SetText("现  金");
    cbbSKtype->OnEnter = [this](TObject*) {
        const String text = cbbSKtype->Text();
        dmData->FillCombo("select F_Name from t_code where F_type='SKtype' ", *cbbSKtype->Items());
        cbbSKtype->SetText(text);
    };
    ceSKprice = AddMoneyBox(this, panel, "ceSKprice", "收款金额", c2, 98, false);
    ceSKprice->OnChange = [this](TObject*) {
        if (!FShowing) SetSKprice(MoneyOf(ceSKprice));
    };
    ceZLprice = AddMoneyBox(this, panel, "ceZLprice", "找    零", c3, 98);
    Memo1 = AddMemo(this, panel, "Memo1", "备    注", c1, 128, 490, 40);
}

void TfrmWuyeFYjsgl::BuildButtons() {
    auto* panel = static_cast<TPanel*>(FindComponent("PanelAmounts"));
    const int left = 660, top = 128;
    bYH = AddButton(this, panel, "bYH", "优惠", left - 80, 98, 70, [this] { ShowDiscount(); });
    bSK = AddButton(this, panel, "bSK", "收款", left - 80, top, 70, [this] { CollectClick(); });
    bSet = AddButton(this, panel, "bSet", "设置单据", left, top, 80, [this] { DesignClick(); });
    bPrint = AddButton(this, panel, "bPrint", "打印单据", left + 90, top, 80, [this] { PrintClick(); });
    Button6 = AddButton(this, panel, "Button6", "退出", left + 180, top, 70, [this] { Close(); });
    Button6->SetCancel(true);
}

void TfrmWuyeFYjsgl::BuildGrids() {
    DBGridGx1 = new TDBGridGx(this);
    DBGridGx1->SetName("DBGridGx1");
    DBGridGx1->SetParent(this);
    DBGridGx1->SetAlign(alLeft);
    DBGridGx1->SetWidth(340);
    DBGridGx1->SetReadOnly(true);
    DBGridGx1->SetOptions(DBGridGx1->Options() | dgRowSelect | dgAlwaysShowSelection);
    DBGridGx1->SetDataSource(dsTable);
    AddColumns(DBGridGx1, HouseColumns);
    DBGridGx1->OnTitleClick = [this](TColumnGx* column) { TitleClick(DBGridGx1, QryTable, column); };

    DBGridGx2 = new TDBGridGx(this);
    DBGridGx2->SetName("DBGridGx2");
    DBGridGx2->SetParent(this);
    DBGridGx2->SetAlign(alClient);
    DBGridGx2->SetOptions((DBGridGx2->Options() | dgRowSelect | dgAlwaysShowSelection) & ~dgEditing);
    DBGridGx2->SetFooterRowCount(1);
    DBGridGx2->SetDataSource(dsTable1);
    AddColumns(DBGridGx2, FeeColumns);
    // The tick is the only thing the rows take: a click on its check box toggles it.
    TColumnGx* tick = DBGridGx2->ColumnByFieldName("F_JFflag");
    tick->SetCheckboxes(true);
    DBGridGx2->OnCellClick = [this](TColumnGx* column) {
        if (column && SameText(column->FieldName(), "F_JFflag")) ToggleTick();
    };
    DBGridGx2->OnTitleClick = [this](TColumnGx* column) { TitleClick(DBGridGx2, QryTable1, column); };
}

void TfrmWuyeFYjsgl::BuildFilter() {
    TPanel* panel = AddPanel(this, this, "PanelFilter", alTop, 40);
    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->SetName("RadioGroup1");
    RadioGroup1->SetParent(panel);
    RadioGroup1->SetBounds(10, 2, 290, 34);
    RadioGroup1->SetCaption("");
    RadioGroup1->SetColumns(3);
    RadioGroup1->Items()->Add("所有欠款");
    RadioGroup1->Items()->Add("指定月份");
    RadioGroup1->Items()->Add("指定费项");
    RadioGroup1->SetItemIndex(0);
    RadioGroup1->OnClick = [this](TObject*) { ChoiceChanged(); };
    dtpYF = new TDateTimePicker(this);
    dtpYF->SetName("dtpYF");
    dtpYF->SetParent(panel);
    dtpYF->SetBounds(310, 9, 90, 22);
    dtpYF->SetFormat("yyyy-MM");
    dtpYF->SetDateMode(dmUpDown);
    dtpYF->SetDate(Date());
    dtpYF->SetVisible(false);
    dtpYF->OnChange = [this](TObject*) { LoadUnpaidFees(); };
    cbbSX = new TComboBox(this);
    cbbSX->SetName("cbbSX");
    cbbSX->SetParent(panel);
    cbbSX->SetBounds(310, 9, 120, 22);
    cbbSX->SetVisible(false);
    cbbSX->OnEnter = [this](TObject*) {
        const String text = cbbSX->Text();
        dmData->FillCombo("select distinct F_name from T_FYinfo where F_name <> '' group by F_name ", *cbbSX->Items());
        cbbSX->SetText(text);
    };
    cbbSX->OnChange = [this](TObject*) { LoadUnpaidFees(); };
    Button1 = AddButton(this, panel, "Button1", "全选", 450, 7, 60, [this] { SelectAllClick(); });
    Button2 = AddButton(this, panel, "Button2", "重选", 516, 7, 60, [this] { ReselectClick(); });
}

void TfrmWuyeFYjsgl::DoShow() {
    if (!FShown) {
        FShown = true;
        dmData->LoadGridLayout(DBGridGx1, "wuyeFYjsgl");
        dmData->ApplyColumnFormats(DBGridGx1, 1);
        dmData->ApplyColumnFormats(DBGridGx2, 1);
        for (TCurrencyEdit* edit : {ceQFprice, ceFKprice, ceBankPrice, ceYHprice, ceYSprice, ceSKprice, ceZLprice})
            edit->SetDisplayFormat(FmtTotal);
        dtpJFdate->SetDate(Date());
        bSet->SetVisible(LowerCase(OperName) == "admin");
        ShowAmounts();
    }
    TForm::DoShow();
}
