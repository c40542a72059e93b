// The data grid scrolled with its data set on a real display (Xvfb with openbox, started by the
// test): a short scroll moves the rows already painted and repaints only what changed, which must
// leave on the screen what a fresh paint of the same state shows, the current row's highlight and
// indicator included. A picture is kept in ScreenshotFolder() to be looked at.
#include "../app/desktop/XServer.h"
#include "../grid/DBGridGxFixture.h"
#include "../grid/GridListScene.h"

#include "db/ADODB.h"
#include "gui/ControlShot.h"
#include "gui/ScreenGrab.h"
#include "gui/Screenshot.h"

namespace {

struct DataGridScrollOnScreenTest : DbTest {
    bool Display = XServerRunning();
    std::unique_ptr<TForm> Form;
    TDBGridGx* Grid = nullptr;
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source{nullptr};

    void SetUp() override {
        if (!Display) GTEST_SKIP() << XServerProblem();
        DbTest::SetUp();
        Run("create table T_rows (F_ID counter, F_code text(20), F_name text(20), F_fee currency)");
        Cnn->BeginTrans();
        TADOCommand cmd;
        cmd.SetConnection(Cnn.get());
        cmd.SetCommandText("insert into T_rows (F_code, F_name, F_fee) values (:c, :n, :f)");
        for (int i = 1; i <= 400; ++i) {
            cmd.Parameters()->ParamByName("c")->SetValue(Variant("C" + IntToStr(i)));
            cmd.Parameters()->ParamByName("n")->SetValue(Variant("Name " + IntToStr(i % 17)));
            cmd.Parameters()->ParamByName("f")->SetValue(Variant(10.0 + i * 1.25));
            cmd.Execute();
        }
        Cnn->CommitTrans();
        Q = Query("select F_code, F_name, F_fee from T_rows order by F_ID");
        Q->Open();
        Source.SetDataSet(Q.get());
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(40, 40, 520, 380);
        Grid = new TDBGridGx(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetAlign(alClient);
        Grid->ShowSerialNo = true;
        Grid->SetOptions(Grid->Options() | dgAlwaysShowSelection);
        Grid->SetOddRowColor(clInfoBk);
        Grid->SetDataSource(&Source);
        Form->Show();
        ASSERT_TRUE(WaitFor([this] { return Form->Active(); }));
        Grid->SetFocus();
        Settle();
    }
    void TearDown() override {
        Form.reset();
        Q.reset();
    }
};

} // namespace

TEST_F(DataGridScrollOnScreenTest, ScrolledRowsMatchAFreshPaint) {
    // Line and page steps through the scroll bar, moves of the data set by a few records both
    // ways, and a jump larger than the window.
    const struct {
        TScrollCode Code;
        int MoveBy;
    } steps[] = {{scLineDown, 0},  {scLineDown, 0},   {scPageDown, 0}, {scLineUp, 0},     {scPageDown, 0},
                 {scEndScroll, 3}, {scEndScroll, -2}, {scPageUp, 0},   {scEndScroll, 60}, {scLineDown, 0}};
    int step = 0;
    for (const auto& s : steps) {
        if (s.MoveBy != 0) {
            Q->MoveBy(s.MoveBy);
        } else {
            int pos = 0;
            Grid->Scroll(sbVertical, s.Code, pos);
        }
        Settle(50);
        TBitmap screen, fresh;
        ASSERT_TRUE(GrabControlFromScreen(Grid, screen));
        GrabControl(Grid, fresh);
        if (++step == 1) SaveBitmapAsPng(screen, ScreenshotFolder() + "datagrid_scrolled.png");
        ASSERT_EQ(screen.Width(), fresh.Width());
        ASSERT_EQ(screen.Height(), fresh.Height());
        int differing = 0;
        for (int y = 0; y < Grid->ClientHeight(); ++y)
            for (int x = 0; x < Grid->ClientWidth(); ++x)
                if (PixelAt(screen, x, y) != PixelAt(fresh, x, y)) ++differing;
        EXPECT_EQ(differing, 0) << "after step " << step;
    }
}
