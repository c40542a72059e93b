// The inheritance-clash window's layout and the question asked through it.
#include "report/vrInheritError.h"

#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/ExtCtrls.h"
#include "gui/ImgList.h"
#include "gui/StdCtrls.h"
#include "report/vrRes.h"
#include "report/vrWindows.h"

#include <memory>

namespace {

// Picture 0 of the window's image list: a warning sign on the magenta the list takes as
// transparent.
void DrawWarning(TBitmap& bitmap) {
    bitmap.SetSize(32, 32);
    TCanvas* c = bitmap.Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(Rect(0, 0, 32, 32));
    const TPoint triangle[] = {TPoint(16, 2), TPoint(30, 29), TPoint(2, 29)};
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clYellow);
    c->Polygon(triangle, 3);
    c->Brush()->SetColor(clBlack);
    c->FillRect(Rect(15, 10, 18, 21));
    c->FillRect(Rect(15, 23, 18, 26));
}

} // namespace

ORV_META_IMPL(TvrInheritErrorForm)
void TvrInheritErrorForm::DeclareMeta(meta::Class<TvrInheritErrorForm>&) {}

TvrInheritErrorForm::TvrInheritErrorForm(TComponent* AOwner) : TForm(AOwner) {
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(256);
    SetClientHeight(152);
    SetCaption("Error");
    ImageList1 = new TImageList(this);
    ImageList1->SetWidth(32);
    ImageList1->SetHeight(32);
    {
        TBitmap warning;
        DrawWarning(warning);
        ImageList1->AddMasked(&warning, clFuchsia);
    }
    PaintBox1 = new TPaintBox(this);
    PaintBox1->SetParent(this);
    PaintBox1->SetBounds(10, 10, 32, 32);
    PaintBox1->SetParentColor(true);
    PaintBox1->OnPaint = [this](TObject*) {
        TCanvas* c = PaintBox1->Canvas();
        c->Brush()->SetColor(PaintBox1->Color());
        c->FillRect(Rect(0, 0, 32, 32));
        ImageList1->Draw(c, 0, 0, 0);
    };
    MessageL = new TLabel(this);
    MessageL->SetParent(this);
    MessageL->SetAutoSize(false);
    MessageL->SetWordWrap(true);
    MessageL->SetBounds(52, 10, 194, 42);
    DeleteRB = new TRadioButton(this);
    DeleteRB->SetParent(this);
    DeleteRB->SetBounds(52, 60, 194, 17);
    DeleteRB->SetCaption("Delete duplicates");
    DeleteRB->SetChecked(true);
    RenameRB = new TRadioButton(this);
    RenameRB->SetParent(this);
    RenameRB->SetBounds(52, 84, 194, 17);
    RenameRB->SetCaption("Rename duplicates");
    OkB = new TButton(this);
    OkB->SetParent(this);
    OkB->SetBounds(90, 118, 75, 25);
    OkB->SetDefault(true);
    OkB->SetModalResult(mrOk);
    CancelB = new TButton(this);
    CancelB->SetParent(this);
    CancelB->SetBounds(171, 118, 75, 25);
    CancelB->SetCancel(true);
    CancelB->SetModalResult(mrCancel);

    SetCaption(GetResourceStringById(6000));
    OkB->SetCaption(GetResourceStringById(1));
    CancelB->SetCaption(GetResourceStringById(2));
    MessageL->SetCaption(GetResourceStringById(6001));
    DeleteRB->SetCaption(GetResourceStringById(6002));
    RenameRB->SetCaption(GetResourceStringById(6003));
    vrMirrorForReadingOrder(this);
}

TvrInheritAnswer vrAskInheritClash() {
    auto form = std::make_unique<TvrInheritErrorForm>(nullptr);
    if (form->ShowModal() != mrOk) return TvrInheritAnswer::Cancel;
    return form->DeleteRB->Checked() ? TvrInheritAnswer::DeleteDuplicates
                                     : TvrInheritAnswer::RenameDuplicates;
}
