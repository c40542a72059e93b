// The edit that paints itself and hears of pastes, the drop-down window, the cursor table, and a
// control that refuses to be left keeping the focus.
#include "gui/PaintEdit.h"
#include "gui/Bitmap.h"
#include "gui/Clipbrd.h"
#include "gui/ControlShot.h"
#include "gui/CursorTable.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/PopupControl.h"

#include <gtest/gtest.h>

namespace {

class TTestPaintEdit : public TCustomPaintEdit {
public:
    explicit TTestPaintEdit(TComponent* AOwner) : TCustomPaintEdit(AOwner) {}
    bool PaintSelf = false;
    bool RefusePaste = false;
    int Pastes = 0;

protected:
    bool PaintsItself() const override { return PaintSelf; }
    void PaintEdit(TCanvas* Canvas) override {
        Canvas->Brush()->SetColor(clRed);
        Canvas->FillRect(Rect(4, 4, 12, 12));
    }
    void DoPaste() override {
        ++Pastes;
        if (!RefusePaste) PlatformPaste();
    }
};

} // namespace

TEST(PaintEdit, PaintsItselfOnlyWhenItSaysSo) {
    TForm form(nullptr);
    auto* e = new TTestPaintEdit(&form);
    e->SetParent(&form);
    e->SetText("abc");
    form.Show();
    TBitmap shot;
    GrabControl(e, shot);
    EXPECT_NE(ColorToPixelRGB(shot.Pixel(6, 6)), ColorToPixelRGB(clRed));
    e->PaintSelf = true;
    e->Invalidate();
    GrabControl(e, shot);
    EXPECT_EQ(ColorToPixelRGB(shot.Pixel(6, 6)), ColorToPixelRGB(clRed));
}

TEST(PaintEdit, PastesGoThroughTheControl) {
    TForm form(nullptr);
    auto* e = new TTestPaintEdit(&form);
    e->SetParent(&form);
    form.Show();
    e->SetFocus();
    Clipboard()->SetAsText("42");
    e->RefusePaste = true;
    SimulateKey(e, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(e->Pastes, 1);
    EXPECT_EQ(e->Text(), "");
    e->RefusePaste = false;
    e->PasteText();
    EXPECT_EQ(e->Pastes, 2);
    EXPECT_EQ(e->Text(), "42");
    e->SetReadOnly(true);
    e->PasteText();
    EXPECT_EQ(e->Text(), "42") << "a read-only edit takes no paste";
}

TEST(PaintEdit, AlignmentMarginsAndCaret) {
    TForm form(nullptr);
    auto* e = new TTestPaintEdit(&form);
    e->SetParent(&form);
    e->SetEditAlignment(taRightJustify);
    EXPECT_EQ(e->EditAlignment(), taRightJustify);
    e->SetTextMargins(0, 0, 21, 0);
    EXPECT_EQ(e->TextMargins().Right, 21);
    e->SetText("12345");
    e->SelectAll();
    e->SetCaretPosition(2);
    EXPECT_EQ(e->SelStart(), 2);
    EXPECT_EQ(e->SelLength(), 0);
    EXPECT_GE(e->FrameWidth(), 0);
}

TEST(PopupControl, ShowsAtAScreenPointWithoutTakingTheFocus) {
    TForm form(nullptr);
    form.SetBounds(100, 100, 200, 100);
    auto* e = new TEdit(&form);
    e->SetParent(&form);
    form.Show();
    e->SetFocus();
    TCustomPopupControl popup(&form);
    popup.SetBounds(0, 0, 50, 40);
    EXPECT_FALSE(popup.PopupShowing());
    EXPECT_EQ(popup.Parent(), nullptr);
    popup.SetParent(&form);
    EXPECT_EQ(popup.Parent(), nullptr) << "a drop-down stays a window of its own";
    popup.ShowAt(Point(300, 250));
    EXPECT_TRUE(popup.PopupShowing());
    EXPECT_EQ(popup.Left(), 300);
    EXPECT_EQ(popup.Top(), 250);
    EXPECT_EQ(popup.Width(), 50);
    EXPECT_EQ(FindFocusedControl(), e);
    popup.HidePopup();
    EXPECT_FALSE(popup.PopupShowing());
    const TRect screen = MonitorRectAt(Point(10, 10));
    EXPECT_GT(screen.Width(), 0);
    EXPECT_GT(screen.Height(), 0);
}

TEST(CursorTable, RegisteredCursorsByNumber) {
    TBitmap image(16, 16);
    image.Canvas()->Brush()->SetColor(clFuchsia);
    image.Canvas()->FillRect(Rect(0, 0, 16, 16));
    EXPECT_FALSE(ScreenCursorRegistered(15001));
    RegisterScreenCursor(15001, image, 1, 1);
    EXPECT_TRUE(ScreenCursorRegistered(15001));
    TForm form(nullptr);
    auto* e = new TEdit(&form);
    e->SetParent(&form);
    e->SetCursor(15001);
    EXPECT_EQ(e->Cursor(), 15001);
}

TEST(FormFocus, AControlThatRefusesToBeLeftKeepsTheFocus) {
    TForm form(nullptr);
    auto* a = new TEdit(&form);
    a->SetParent(&form);
    auto* b = new TEdit(&form);
    b->SetParent(&form);
    b->SetTop(40);
    form.Show();
    a->SetFocus();
    bool refuse = true;
    int enters = 0;
    a->OnExit = [&](TObject*) {
        if (refuse) throw Exception("not yet");
    };
    b->OnEnter = [&](TObject*) { ++enters; };
    EXPECT_THROW(b->SetFocus(), Exception);
    EXPECT_EQ(form.ActiveControl(), a);
    EXPECT_EQ(enters, 0);
    refuse = false;
    b->SetFocus();
    EXPECT_EQ(form.ActiveControl(), b);
    EXPECT_EQ(enters, 1);
}
