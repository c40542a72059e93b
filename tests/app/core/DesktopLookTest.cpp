// What the user sees of the program beyond the Parts' texts: the desktop's pictures, the hint of
// actions not there yet, platform errors inside the program's Chinese messages, and windows
// placed with the window manager's frame inside the work area.
#include "StartupFixture.h"
#include "app/core/ActionImages.h"
#include "app/core/AppErrors.h"
#include "app/core/AppStart.h"
#include "app/core/Rights.h"

#include "controls/WnPageControl.h"
#include "db/DB.h"
#include "gui/ActnList.h"
#include "gui/Bitmap.h"
#include "gui/Buttons.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"

#include <set>

namespace {

class DesktopLook : public Startup {
protected:
    void StartAsAdmin() {
        User.Form(Login("admin", {""}));
        ASSERT_TRUE(StartOrvanta());
        FrmMain->Show();
        ASSERT_NE(FrmBtnImage, nullptr);
    }
};

TEST_F(DesktopLook, EveryDesktopButtonShowsItsActionsPicture) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    StartAsAdmin();
    EXPECT_EQ(FrmMain->ActionImages()->Count(), 34);
    std::set<int> indexes;
    for (TButton* b : FrmBtnImage->Buttons) {
        auto* button = dynamic_cast<TBitBtn*>(b);
        ASSERT_NE(button, nullptr) << b->Tag();
        const int index = FrmMain->ActionOf(b->Tag())->ImageIndex();
        EXPECT_EQ(index, ActionImageIndex(b->Tag()));
        indexes.insert(index);
        ASSERT_FALSE(button->Glyph()->Empty()) << b->Tag();
        // The picture and its disabled look side by side.
        EXPECT_EQ(button->Glyph()->Width(), 2 * ActionImageSize);
        EXPECT_EQ(button->Glyph()->Height(), ActionImageSize);
        EXPECT_EQ(button->NumGlyphs(), 2);
        EXPECT_EQ(button->Layout(), blGlyphTop);
    }
    EXPECT_EQ(indexes.size(), 34u);
    // The tab strip holds the pages' pictures (32 pixels and the image margin beside the caption).
    EXPECT_EQ(FrmBtnImage->ImageList1->Count(), 5);
    EXPECT_EQ(FrmBtnImage->PageControl1->FixedDimension(), 132);
    EXPECT_EQ(*indexes.begin(), 0);
    EXPECT_EQ(ActionImageIndex(202), -1);
    // Pictures of different actions differ.
    TBitmap system, daily;
    ASSERT_TRUE(FrmMain->ImageList32->GetBitmap(ActionImageIndex(101), &system));
    ASSERT_TRUE(FrmMain->ImageList32->GetBitmap(ActionImageIndex(301), &daily));
    EXPECT_NE(system.Pixel(16, 3), daily.Pixel(16, 3));
}

TEST_F(DesktopLook, ActionsNotThereYetSayWhyUntilTheirWindowIsRegistered) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    StartAsAdmin();
    TButton* button = FrmBtnImage->ButtonOf(506);
    EXPECT_EQ(FrmMain->ActionOf(506)->Hint(), MsgNotYetProvided);
    EXPECT_EQ(button->Hint(), "尚未提供");
    EXPECT_TRUE(button->ShowHint());
    EXPECT_EQ(FrmMain->mnuTop[tmReport]->Find("物业收费经营分析")->Hint(), "尚未提供");
    RegisterActionWindow(506, [](TFrmMain*) {});
    EXPECT_EQ(button->Hint(), "");
    EXPECT_TRUE(button->Enabled());
    EXPECT_EQ(FrmMain->mnuTop[tmReport]->Find("物业收费经营分析")->Hint(), "");
    RegisterActionWindow(506, nullptr);
    EXPECT_EQ(button->Hint(), "尚未提供");
    EXPECT_FALSE(button->Enabled());
}

struct TErrorCase {
    const char* Name;
    std::function<void()> Raise;
    String Heading;
};

TEST(UserErrorText, PlatformErrorsStandInsideTheProgramsMessage) {
    const TErrorCase cases[] = {
        {"database", [] { throw EDatabaseError("no such table: SysInfo"); }, MsgOperationFailed},
        {"file", [] { throw EFCreateError("Cannot create file /x/y.xls"); }, MsgFileFailed},
        {"settings", [] { throw EIniFileException("Unable to write to /opt/orvanta/config.ini"); },
         MsgFileFailed},
        {"other", [] { throw EConvertError("'abc' is not a valid integer value"); }, MsgProgramError},
    };
    for (const TErrorCase& c : cases) {
        try {
            c.Raise();
        } catch (const std::exception& e) {
            EXPECT_EQ(UserErrorText(e), c.Heading + "\n\n" + e.what()) << c.Name;
        }
    }
    EXPECT_EQ(MsgOperationFailed, "操作失败，请检查数据连接... ");
}

TEST_F(DesktopLook, AnErrorOfTheShowHandlerIsToldInChineseAndTheProgramGoesOn) {
    Connect();
    ASSERT_TRUE(Dm->RunSQL("drop table SysInfo"));
    Dm.reset();
    User.Form(Login("admin", {""})).Answer(mrOk);
    ASSERT_TRUE(StartOrvanta());
    FrmMain->Show();
    const std::vector<String> texts = MessageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind(MsgOperationFailed + "\n\n", 0), 0u) << texts[0];
    EXPECT_NE(texts[0].find("sysInfo"), String::npos) << texts[0]; // the table the statement named
    EXPECT_TRUE(FrmMain->Visible());
    EXPECT_EQ(DecTotal, 0);
}

// A window manager's frame (4 pixels around, a 24-pixel title bar) as the forms learn it.
class FramedPlacement : public testing::Test {
protected:
    void SetUp() override { Screen()->FrameExtentsSeen(TRect(4, 24, 4, 4)); }
    void TearDown() override { Screen()->FrameExtentsSeen(TRect(0, 0, 0, 0)); }
};

TEST_F(FramedPlacement, DispFormPosKeepsTheWholeFrameInsideTheWorkArea) {
    const TRect area = Screen()->WorkAreaRect();
    const int roomWidth = area.Width() - 8, roomHeight = area.Height() - 28;
    struct {
        int Mode, Width, Height;
        TRect Expected;
    } cases[] = {
        {0, 5000, 4000, Bounds(area.Left, area.Top, roomWidth, roomHeight)},
        {1, 300, 200, Bounds(area.Left + (roomWidth - 300) / 2, area.Top + (roomHeight - 200) / 2, 300, 200)},
        {0, 300, 5000, Bounds(area.Left + (roomWidth - 300) / 2, area.Top, 300, roomHeight)},
    };
    for (const auto& c : cases) {
        TForm form(nullptr);
        form.SetBounds(0, 0, c.Width, c.Height);
        DispFormPos(&form, c.Mode);
        EXPECT_EQ(form.BoundsRect(), c.Expected) << c.Mode << " " << c.Width << "x" << c.Height;
        EXPECT_EQ(form.WindowState(), wsNormal);
    }
}

TEST_F(FramedPlacement, TheMainWindowIsMaximisedByTheWindowManager) {
    const TRect area = Screen()->WorkAreaRect();
    TForm form(nullptr);
    DispFormPos(&form, 2);
    EXPECT_EQ(form.WindowState(), wsMaximized);
    EXPECT_EQ(form.BoundsRect(), Bounds(area.Left, area.Top, area.Width() - 8, area.Height() - 28));
}

TEST_F(FramedPlacement, AScreenCentredFormCentresItsFrame) {
    const TRect area = Screen()->WorkAreaRect();
    TForm form(nullptr);
    form.SetBorderStyle(bsDialog);
    form.SetPosition(poScreenCenter);
    form.SetBounds(0, 0, 360, 170);
    form.Show();
    EXPECT_EQ(form.Left(), area.Left + (area.Width() - 368) / 2);
    EXPECT_EQ(form.Top(), area.Top + (area.Height() - 198) / 2);
    form.Hide();
}

} // namespace
