#include "app/core/uFrmBtnImage.h"

#include "app/core/Rights.h"
#include "app/core/uFrmMain.h"

#include "gui/ActnList.h"
#include "gui/Bitmap.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ImgList.h"
#include "gui/StdCtrls.h"

TFrmBtnImage* FrmBtnImage = nullptr;

namespace {

const int ButtonWidth = 120;
const int ButtonHeight = 64;
const int Gap = 24;
// The tabs stand on the left edge, each 60 pixels across.
const int TabHeight = 60;

} // namespace

TFrmBtnImage::TFrmBtnImage(TComponent* AOwner) : TForm(AOwner) {
    FrmBtnImage = this;
    SetName("FrmBtnImage");
    SetCaption("桌面");
    SetFormStyle(fsMDIChild);
    SetBorderStyle(bsSingle);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetClientWidth(TabHeight + 4 * ButtonWidth + 5 * Gap + 8);
    SetClientHeight(3 * ButtonHeight + 5 * Gap + 40);
    OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    SetShowHint(true); // the buttons' hints, such as "尚未提供" on actions not there yet

    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    PageControl1->SetTabPosition(tpLeft);
    PageControl1->SetTabHeight(TabHeight);

    for (const TDesktopPage& page : DesktopPages()) {
        TTabSheet* sheet = new TTabSheet(this);
        sheet->SetPageControl(PageControl1);
        sheet->SetCaption(page.Caption);
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
                        // The action's picture; drawn greyed while the action is disabled.
                        TBitmap glyph;
                        if (action && FrmMain->ActionImages()->GetBitmap(action->ImageIndex(), &glyph))
                            button->SetGlyph(&glyph);
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
