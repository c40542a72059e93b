#include "app/core/uFrmBtnImage.h"

#include "app/core/IconNames.h"
#include "app/core/Rights.h"
#include "app/core/uFrmMain.h"

#include "controls/WnPageControl.h"

#include "gui/ActnList.h"
#include "gui/Bitmap.h"
#include "gui/Buttons.h"
#include "gui/ImgList.h"
#include "gui/StdCtrls.h"

TFrmBtnImage* FrmBtnImage = nullptr;

namespace {

const int ButtonWidth = 120;
const int ButtonHeight = 64;
const int Gap = 24;
// The tabs stand on the left edge, each 60 pixels long; the strip is as deep as the widest tab
// (its 32-pixel picture, the image margin and the caption), 132 pixels.
const int TabHeight = 60;
const int TabDepth = 132;
const int TabImageSize = 32;
// The desktop's colour: the tabs, the pages and the current tab's fill.
const TColor DesktopColor = 15330541;

// A button's glyph of two cells: the action's picture, and as the action's list draws it disabled
// (the theme's disabled rendering for a picture of the icon theme), on the button face.
bool ActionGlyph(TImageList* images, int index, TBitmap& glyph) {
    if (!images || index < 0 || index >= images->Count()) return false;
    const int w = images->Width(), h = images->Height();
    glyph.SetSize(2 * w, h);
    TCanvas* canvas = glyph.Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(TRect(0, 0, 2 * w, h));
    images->Draw(canvas, 0, 0, index, true);
    images->Draw(canvas, w, 0, index, false);
    return true;
}

// The first action of a desktop page.
int FirstAction(const TDesktopPage& page) {
    for (const TDesktopGroup& group : page.Groups)
        for (const auto& row : group.Rows)
            if (!row.empty()) return row.front();
    return 0;
}

} // namespace

TFrmBtnImage::TFrmBtnImage(TComponent* AOwner) : TForm(AOwner) {
    FrmBtnImage = this;
    SetName("FrmBtnImage");
    SetCaption("桌面");
    SetFormStyle(fsMDIChild);
    SetBorderStyle(bsSingle);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetClientWidth(TabDepth + 4 * ButtonWidth + 5 * Gap + 8);
    SetClientHeight(3 * ButtonHeight + 5 * Gap + 40);
    OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    SetShowHint(true); // the buttons' hints, such as "尚未提供" on actions not there yet

    PageControl1 = new TWnPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    PageControl1->SetAlignTabs(true);
    PageControl1->SetBackgroundColor(clTeal);
    PageControl1->SetBoldCurrentTab(true);
    PageControl1->SetColor(DesktopColor);
    PageControl1->SetUseColoredTabs(true);
    PageControl1->Font()->SetName("宋体");
    PageControl1->Font()->SetHeight(-14);
    PageControl1->Font()->SetCharset(GB2312_CHARSET);
    PageControl1->SetFlatColor(clBackground);
    PageControl1->SetImageMargin(8);
    PageControl1->SetHotTrackStyle(htsText);
    PageControl1->SetMultiLine(true);
    PageControl1->SetParentBackgroundColor(false);
    PageControl1->SetShowFocusRect(false);
    PageControl1->TabColors()->SetShadow(clWindow);
    PageControl1->TabColors()->SetUnselected(clBtnFace);
    PageControl1->SetTabHeight(TabHeight);
    PageControl1->SetTabOrientation(toLeft);
    PageControl1->SetTabSequence(tsReverse);
    PageControl1->SetTabStyle(tsRoundCorners);
    PageControl1->SetFixedDimension(TabDepth);
    // The pages' pictures; where the icon theme has none for a page, the picture of its first button.
    ImageList1 = new TImageList(TabImageSize, TabImageSize, this);
    ImageList1->SetName("ImageList1");
    for (const TDesktopPage& page : DesktopPages()) {
        TBitmap fallback;
        if (FrmMain) {
            const TAction* first = FrmMain->ActionOf(FirstAction(page));
            if (first) FrmMain->ActionImages()->GetBitmap(first->ImageIndex(), &fallback);
        }
        ImageList1->AddIconName(DesktopPageIconName(page.Caption), fallback.Empty() ? nullptr : &fallback);
    }
    PageControl1->SetImages(ImageList1);

    int pageNo = 0;
    for (const TDesktopPage& page : DesktopPages()) {
        TWnTabSheet* sheet = new TWnTabSheet(this);
        sheet->SetPageControl(PageControl1);
        sheet->SetCaption(page.Caption);
        sheet->SetColor(DesktopColor);
        sheet->SetImageIndex(pageNo++);
        int top = Gap;
        for (const TDesktopGroup& group : page.Groups) {
            if (group.Label) {
                TLabel* label = new TLabel(this);
                label->SetParent(sheet);
                label->SetBounds(Gap, top, 200, 20);
                label->SetCaption(group.Label);
                top += 24;
            }
            for (const auto& row : group.Rows) {
                int left = Gap;
                for (int code : row) {
                    TBitBtn* button = new TBitBtn(this);
                    button->SetName("btn" + std::to_string(code));
                    button->SetParent(sheet);
                    button->SetBounds(left, top, ButtonWidth, ButtonHeight);
                    button->SetLayout(blGlyphTop);
                    if (FrmMain) {
                        TAction* action = FrmMain->ActionOf(code);
                        button->SetAction(action);
                        // The action's picture, and its disabled look while the action is disabled.
                        TBitmap glyph;
                        if (action && ActionGlyph(FrmMain->ActionImages(), action->ImageIndex(), glyph)) {
                            button->SetGlyph(&glyph);
                            button->SetNumGlyphs(2);
                        }
                    }
                    button->SetTag(code);
                    Buttons.push_back(button);
                    left += ButtonWidth + Gap;
                }
                top += ButtonHeight + Gap;
            }
        }
    }
    PageControl1->SetActivePageIndex(0); // 日常管理
    DoCreate();
}

TFrmBtnImage::~TFrmBtnImage() {
    DestroyComponents();
    if (FrmBtnImage == this) FrmBtnImage = nullptr;
}

TButton* TFrmBtnImage::ButtonOf(int code) const {
    for (TButton* button : Buttons)
        if (button->Tag() == code) return button;
    return nullptr;
}
