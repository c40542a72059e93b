// The drop-down list box's image column, external items and wheel, and the drop-down calendar's
// size and wheel.
#include "grid/ToolCtrlsGxListBox.h"
#include "grid/ToolCtrlsGxCalendar.h"
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/InputSimulation.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

namespace {

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(0, 0, 300, 300);
        List = new TPopupListboxGx(&form);
        List->SetParent(&form);
        List->SetItemHeight(16);
        List->SetBounds(10, 10, 150, List->NonClientHeight() + 16 * 4);
        form.Show();
        Application()->ProcessMessages();
    }
    TForm form{nullptr};
    TPopupListboxGx* List = nullptr;
};

TEST_F(ListBoxTest, ItemImagesStandInAColumnLeftOfTheTexts) {
    TImageList images(12, 12, &form);
    for (TColor c : {clRed, clLime, clBlue}) {
        TBitmap b(12, 12);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect(TRect(0, 0, 12, 12));
        images.Add(&b, nullptr);
    }
    ASSERT_EQ(images.Count(), 3);
    for (const char* t : {"zero", "one", "two"})
        List->Items()->Add(t);
    List->ItemImages = &images;
    std::vector<int> asked;
    List->ImageIndexHook = [&](TObject* Sender, int Item, int& Image) {
        EXPECT_EQ(Sender, &form);
        asked.push_back(Item);
        if (Item == 1) Image = 2; // the second row shows the blue image
    };
    List->Invalidate();
    Application()->ProcessMessages();
    TBitmap shot;
    GrabControl(List, shot);
    const int frame = (List->Width() - List->ClientWidth()) / 2;
    auto pixel = [&](int Row, int X) {
        return shot.Canvas()->Pixels(frame + X, frame + Row * 16 + 8) & 0xFFFFFF;
    };
    EXPECT_EQ(pixel(0, 8), clRed);
    EXPECT_EQ(pixel(1, 8), clBlue);
    EXPECT_EQ(pixel(2, 8), clBlue);
    EXPECT_FALSE(asked.empty());
    // The text starts right of the column: no ink in the column's right margin.
    for (int row = 0; row < 3; ++row)
        EXPECT_NE(pixel(row, 15), clBlack);
}

TEST_F(ListBoxTest, ExternalItemsAndTheWheelStepOneRow) {
    TStringList outside;
    for (int i = 0; i < 20; ++i)
        outside.Add("row " + IntToStr(i));
    List->SetExternalItems(&outside);
    EXPECT_EQ(List->Count(), 20);
    EXPECT_EQ(List->Items()->Strings(7), "row 7");
    outside.Add("row 20");
    List->RefreshExternalItems();
    EXPECT_EQ(List->Count(), 21);

    EXPECT_EQ(List->TopIndex(), 0);
    SimulateWheel(List, -120, 20, 20);
    EXPECT_EQ(List->TopIndex(), 1);
    SimulateWheel(List, 120, 20, 20);
    SimulateWheel(List, 120, 20, 20);
    EXPECT_EQ(List->TopIndex(), 0);
}

TEST(PopupCalendarSizeTest, OneMonthPlusTheFrameAndTheWheelStepsADay) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 400);
    TPopupMonthCalendarGx calendar(&form);
    calendar.SetParent(&form);
    const TPoint month = calendar.MinimumMonthSize();
    ASSERT_GT(month.X, 0);
    EXPECT_EQ(calendar.FrameWidth(), 2);
    EXPECT_EQ(calendar.Width(), month.X + 4);
    EXPECT_EQ(calendar.Height(), month.Y + 4);
    calendar.SetCtl3D(false);
    EXPECT_EQ(calendar.Width(), month.X);

    form.Show();
    calendar.SetDate(EncodeDate(2026, 2, 28));
    const TPoint p = calendar.DateCellPoint(EncodeDate(2026, 2, 28));
    SimulateWheel(&calendar, -120, p.X, p.Y);
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 3, 1));
    SimulateWheel(&calendar, 120, p.X, p.Y);
    SimulateWheel(&calendar, 120, p.X, p.Y);
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 2, 27));
}

} // namespace
