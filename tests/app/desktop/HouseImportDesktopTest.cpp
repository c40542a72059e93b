// The house import on a real display with a window manager, as a new user on the registers'
// seed: opened from its menu, its four pages walked with the buttons, preview rows marked on the
// indicator with Ctrl and Shift. Screenshots are kept in ScreenshotFolder() to be looked at.
#include "XServer.h"
#include "XlsFixture.h"
#include "app/RegisterSeed.h"
#include "app/core/StartupFixture.h"

#include "app/core/AppStart.h"
#include "app/core/DataDm.h"
#include "app/core/uFrmExcelImport.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxSelection.h"
#include "gui/ExtCtrls.h"
#include "gui/InputSimulation.h"
#include "gui/Menus.h"
#include "gui/Screenshot.h"
#include "gui/StdCtrls.h"

namespace {

bool ImportWindowManaged(TCustomForm* form) {
    return WaitFor([form] {
        return XProp(WindowSystemId(form), "_NET_WM_ALLOWED_ACTIONS").find("ACTION_MOVE") != String::npos;
    });
}

void ImportShot(const String& name) {
    Settle(250);
    SaveScreenAsPng(ScreenshotFolder() + name + ".png");
}

class HouseImportWalk : public Startup {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        Startup::SetUp();
    }
};

TEST_F(HouseImportWalk, TheFourPagesFromTheMenu) {
    Connect();
    seed::SeedRegisters(Dm->ADOcnn());
    Dm.reset();
    // The sample's titles, six houses of a new building.
    const String book = Prog() + "houses.xls";
    TXlsSheet sheet{"房屋", {{XlsText("小区名称"), XlsText("楼幢号"), XlsText("单元"), XlsText("房间编号"),
                              XlsText("楼层"), XlsText("建筑面积"), XlsText("业主姓名"), XlsText("联系手机")}}};
    for (int i = 0; i < 6; ++i)
        sheet.Rows.push_back({XlsText(seed::EstateA), XlsText("8号楼"), XlsText("1单元"),
                              XlsText(std::to_string(801 + i)), XlsText("8"), XlsNumber(80 + i * 0.5),
                              XlsText("业主" + std::to_string(i + 1)), XlsNumber(13800138000.0 + i)});
    ASSERT_TRUE(WriteXls(book, {{"说明", {{XlsText("请在房屋表中填写")}}}, sheet}));

    User.Form(Login("admin", {""}));
    ASSERT_TRUE(StartOrvanta());
    FrmMain->Show();
    ASSERT_TRUE(ImportWindowManaged(FrmMain));
    Settle(300);
    TMenuItem* item = FrmMain->mnuTop[0]->Find("导入住户信息");
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->Visible());
    ASSERT_TRUE(item->Enabled());
    User.Form([&](TCustomForm* form) {
        auto* w = dynamic_cast<TfrmExcelImport*>(form);
        EXPECT_NE(w, nullptr);
        if (!w) return static_cast<int>(mrCancel);
        EXPECT_TRUE(ImportWindowManaged(w));
        EXPECT_EQ(w->Caption(), "Excel 数据导入");
        EXPECT_EQ(w->edtSample->Text(), Prog() + "sample.xls");
        w->edtXlsFileName->SetText(book);
        ImportShot("import_1_prepare");
        SimulateClick(w->btnNext, 10, 10);
        Settle(100);
        EXPECT_EQ(w->Step(), 1);
        w->cbbSheet->SetItemIndex(1);
        w->ChooseSheet("房屋");
        ImportShot("import_2_sheet");
        SimulateClick(w->btnNext, 10, 10);
        Settle(100);
        EXPECT_EQ(w->Step(), 2);
        // The map: the workbook lacks most titles; only those it has stay.
        TADOQuery* map = w->QryTable2;
        for (map->First(); !map->Eof(); map->Next()) {
            const String column = map->FieldByName("F_Field")->AsString();
            if (w->QryTable1->FindField(column)) continue;
            map->Edit();
            map->FieldByName("F_Field")->SetAsString("");
            map->Post();
        }
        map->First();
        ImportShot("import_3_map");
        SimulateClick(w->btnNext, 10, 10);
        Settle(100);
        EXPECT_EQ(w->Step(), 3);
        EXPECT_EQ(w->QryTable3->RecordCount(), 6);
        // Ctrl marks rows 2 and 4, Shift extends from 4 to 6.
        TDBGridGx* grid = w->DBGridGx3;
        const auto click = [grid](int row, TShiftState shift) {
            const TRect cell = grid->CellScreenRect(0, row);
            SimulateClick(grid, (cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2, mbLeft, shift);
            Settle(60);
        };
        click(2, TShiftState{ssCtrl});
        click(4, TShiftState{ssCtrl});
        click(6, TShiftState{ssShift});
        EXPECT_EQ(grid->SelectedRows()->BookmarkCount(), 4); // rows 2, 4, 5 and 6
        ImportShot("import_4_preview");
        SimulateClick(w->btnNext, 10, 10);
        Settle(100);
        return static_cast<int>(mrNone);
    });
    User.Answer(IDOK); // 导入非常成功
    item->Click();
    EXPECT_EQ(User.Pending(), 0);
    EXPECT_EQ(User.Requests().back().Text, MsgImportDone);
    EXPECT_EQ(dmData->GetInteger("select count(*) from T_FCinfo where F_LDcode = '8号楼'"), 6);
}

} // namespace
