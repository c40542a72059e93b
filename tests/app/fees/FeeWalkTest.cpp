// The desktop walk's road played offscreen: method and item, a typed search, a quantity typed
// into the grid in grid edit, saved, printed, exported and a row deleted.
#include "FeesFixture.h"

#include "PdfInfo.h"
#include "app/core/DesktopStandIns.h"

#include "grid/DBGridGx.h"
#include "grid/DBGridGxInplaceEdit.h"
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/Forms.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Printers.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "rtl/StrUtils.h"

namespace {

class FeeWalk : public Fees {};

TEST_F(FeeWalk, TheDesktopRoadHeadless) {
    InstallLayouts();
    const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
    TFeeRow row;
    row.Method = "按面积";
    row.Item = "物业费";
    row.Price = "1.5";
    row.Room = "A101";
    AddFee(row);
    row.House = 3;
    row.Room = "A102";
    row.Amount = "80";
    row.Total = "120";
    AddFee(row);
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->ComboBox1->SetItemIndex(0);
    ledger->Edit1->SetFocus();
    SimulateTyping(ledger->Edit1, "A102");
    EXPECT_EQ(Listed(*ledger, "F_FZcode"), std::vector<String>{"A102"});
    ledger->Edit1->SetText("");
    ASSERT_EQ(ledger->QryTable->RecordCount(), 2);

    ledger->Action3->Execute();
    ledger->QryTable->First();
    TDBGridGx* grid = ledger->DBGridGx2;
    grid->SetFocus();
    grid->SetFocusCol(grid->ColumnByFieldName("F_amount")->Index() + grid->IndicatorOffset());
    grid->ShowCellEditor();
    Application()->ProcessMessages();
    TDBGridInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    editor->SelectAll();
    SimulateTyping(editor, "65.35");
    SimulateKey(editor, VK_DOWN); // the next row: this one is posted
    EXPECT_EQ(ledger->QryTable->RecordCount(), 2);
    ASSERT_TRUE(ledger->SaveEditClick());
    EXPECT_EQ(One("select F_amount, F_totalPrice from T_wyFYrec where F_FZcode = 'A101'"), "65.35|98.025");

    ledger->PrintListClick();
    TvrReport* report = ledger->vrReport1;
    report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
    report->PrintOptions()->ShowDialog = false;
    report->PrintOptions()->OutputFileName = Prog() + "walk.pdf";
    ASSERT_TRUE(report->PreparedPages()->SendToPrinter());
    const String text = CommandOutput("pdftotext -layout '" + Prog() + "walk.pdf' -");
    for (const char* expected : {"A101", "98.03", "120.00", "218.03"})
        EXPECT_NE(text.find(expected), String::npos) << expected << "\n" << text;
    ledger->ExportClick();

    ledger->QryTable->Last();
    User.Answer(IDOK);
    ledger->DeleteClick();
    EXPECT_EQ(Listed(*ledger, "F_FZcode"), std::vector<String>{"A101"});
    EXPECT_TRUE(Messages.empty());
}

} // namespace
