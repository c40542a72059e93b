// One period of estate 绿园 billed end to end, headless (the desktop walk's road): three items
// generated and saved, a reading typed in grid edit, another in the metered editor, a row added
// through the picker, re-dated, printed; every figure exact, shown rounded.
#include "FeeScenario.h"

#include "PdfInfo.h"

#include "app/fees/uDLGggDateEdit.h"
#include "app/fees/uFrmWYFYscEdit.h"
#include "app/fees/uFrmWYFYscEdit1.h"
#include "app/registers/uDLGfcinfoCX.h"

#include "app/core/FormControls.h"

#include "controls/kxCurrEdit.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxInplaceEdit.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/Forms.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Printers.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "rtl/Format.h"

namespace {

class FeeBilling : public FeeScenario {};

TEST_F(FeeBilling, TheEstatesPeriodAsTabled) {
    InstallLayouts();
    auto ledger = OpenLedger();
    for (const auto& [method, item] : {std::pair{"按面积", "物业管理费"}, std::pair{"按住户", "卫生费"},
                                       std::pair{"按用量", "水费"}}) {
        ChooseMethod(*ledger, method);
        ChooseItem(*ledger, item);
        Generate(*ledger);
        ASSERT_TRUE(ledger->SaveEditClick()) << item;
    }

    // 1-0101's reading typed into the usage grid in grid edit.
    ledger->Action3->Execute();
    ASSERT_TRUE(ledger->QryTable->Locate("F_FZcode", String("1-0101")));
    TDBGridGx* grid = ledger->DBGridGx1;
    grid->SetFocus();
    grid->SetFocusCol(grid->ColumnByFieldName("F_Eamount")->Index() + grid->IndicatorOffset());
    grid->ShowCellEditor();
    Application()->ProcessMessages();
    TDBGridInplaceEdit* cell = grid->InplaceEditor();
    ASSERT_NE(cell, nullptr);
    cell->SelectAll();
    SimulateTyping(cell, "1234.50");
    SimulateKey(cell, VK_DOWN);
    ASSERT_TRUE(ledger->SaveEditClick());

    // 1-0102's in the metered editor.
    ASSERT_TRUE(ledger->QryTable->Locate("F_FZcode", String("1-0102")));
    Play<TfrmWYFYscEdit>([](TfrmWYFYscEdit* editor) {
        EXPECT_EQ(editor->Caption(), "抄表记录 - 修改");
        editor->rceEamount->SetValue(18);
        EXPECT_EQ(MoneyOf(editor->ceTotalPrice), Currency::FromRaw(576000));
        editor->Button1->Click();
    });
    ledger->tbEdit->Click();

    const std::vector<String> expected = {
        "1-0101|物业管理费|0|86.5|86.5|129.75",  "1-0101|卫生费|0|3|3|15",      "1-0101|水费|1200.25|1234.5|34.25|109.6",
        "1-0102|物业管理费|0|120|120|180",       "1-0102|卫生费|0|4|4|20",      "1-0102|水费|0|18|18|57.6",
        "2-0301|物业管理费|0|65.35|65.35|98.025", "2-0301|卫生费|0|1|1|5",       "2-0301|水费|500|500|0|0",
    };
    EXPECT_EQ(Rows("select F_FZcode, F_SFname, F_Bamount, F_Eamount, F_amount, F_totalPrice from T_wyFYrec where "
                   "F_toDate = #2027-03-31# order by F_FZcode, F_ID"),
              expected);
    EXPECT_EQ(Rows("select F_FZcode, sum(F_totalPrice) from T_wyFYrec where F_toDate = #2027-03-31# group by F_FZcode "
                   "order by F_FZcode"),
              (std::vector<String>{"1-0101|254.35", "1-0102|257.6", "2-0301|103.025"}));
    EXPECT_EQ(Rows("select F_SFname, sum(F_totalPrice) from T_wyFYrec where F_toDate = #2027-03-31# group by F_SFname "
                   "order by F_SFname"),
              (std::vector<String>{"卫生费|40", "水费|167.2", "物业管理费|407.775"}));
    TADOQuery sum(nullptr);
    sum.SetConnection(Dm->ADOcnn());
    sum.SQL()->SetText("select sum(F_totalPrice) from T_wyFYrec where F_toDate = #2027-03-31#");
    sum.Open();
    EXPECT_EQ(sum.Fields()[0]->AsCurrency(), Currency::FromRaw(6149750));
    EXPECT_EQ(FormatCurr(FmtTotal, sum.Fields()[0]->AsCurrency()), "￥614.98");
    EXPECT_EQ(FormatCurr(FmtTotal, Currency::FromRaw(1030250)), "￥103.03");

    // Shown rounded in the area item's grid and footer; generating it again adds nothing.
    ChooseMethod(*ledger, "按面积");
    ChooseItem(*ledger, "物业管理费");
    ASSERT_TRUE(ledger->QryTable->Locate("F_FZcode", String("2-0301")));
    TDBGridGx* area = ledger->DBGridGx2;
    EXPECT_EQ(area->ColumnByFieldName("F_totalPrice")->CurrentCellText(), "￥98.03");
    EXPECT_EQ(area->FooterValueText(0, area->ColumnByFieldName("F_totalPrice")), "￥407.78");
    Generate(*ledger);
    EXPECT_EQ(LastMessage(), "有 3 户本期费用已经存在，未重复生成！");
    EXPECT_EQ(ledger->QryTable->RecordCount(), 3);
    EXPECT_FALSE(ledger->Pending());

    // Printed: the list shows the rounded figures.
    ledger->PrintListClick();
    TvrReport* report = ledger->vrReport1;
    report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
    report->PrintOptions()->ShowDialog = false;
    report->PrintOptions()->OutputFileName = Prog() + "billing.pdf";
    ASSERT_TRUE(report->PreparedPages()->SendToPrinter());
    const String text = CommandOutput("pdftotext -layout '" + Prog() + "billing.pdf' -");
    for (const char* shown : {"2-0301", "98.03", "407.78"})
        EXPECT_NE(text.find(shown), String::npos) << shown << "\n" << text;

    // A row of 车位费 added through the picker, then re-dated with every listed row.
    ChooseMethod(*ledger, "按自定义");
    Play<TfrmWYFYscEdit1>([](TfrmWYFYscEdit1* editor) {
        EXPECT_EQ(editor->Caption(), "物费费用(车位费)记录 - 新增");
        editor->sbFind->Click();
        editor->rceAmount->SetValue(2);
        editor->CheckBox1->SetChecked(false);
        editor->Button1->Click();
    });
    Play<TDLGfcinfoCX>([](TDLGfcinfoCX* picker) {
        for (int i = 0; i < picker->tvTree->Items()->Count(); ++i)
            if (picker->tvTree->Items()->Item(i)->Text() == "绿园二期")
                picker->tvTree->SetSelected(picker->tvTree->Items()->Item(i));
        picker->tvTree->OnDblClick(picker->tvTree);
        picker->BitBtn1->Click();
    });
    ledger->tbNew->Click();
    ASSERT_EQ(ledger->QryTable->RecordCount(), 1);
    Play<TDLGggDateEdit>([](TDLGggDateEdit* dialog) {
        dialog->dtpToDate->SetDate(EncodeDate(2027, 3, 31));
        dialog->dtpFromDate->SetDate(EncodeDate(2027, 3, 1));
        dialog->CheckBox1->SetChecked(true);
        dialog->btnOk->Click();
    });
    ledger->Action2->Execute();
    ASSERT_TRUE(ledger->SaveEditClick());
    EXPECT_EQ(One("select F_XQname, F_FZcode, F_FZname, F_amount, F_totalPrice, F_fromDate, F_toDate from T_wyFYrec "
                  "where F_SFname = '车位费'"),
              "绿园二期|1-0101|李一|2|4|2027-03-01|2027-03-31");
    EXPECT_EQ(Messages.size(), 1u); // the one about the period billed already
}

} // namespace
