// The settings of the image an edit shows at the left of its text.
#include "grid/DBCtrlsGxLink.h"
#include "gui/Controls.h"
#include "gui/ImgList.h"
#include "classes/MetaBuilder.h"

ORV_META_IMPL(TEditImageGx)
void TEditImageGx::DeclareMeta(meta::Class<TEditImageGx>& c) {
    c.Property("ImageIndex", &TEditImageGx::ImageIndex, &TEditImageGx::SetImageIndex).Default(-1);
    c.Property("Visible", &TEditImageGx::Visible, &TEditImageGx::SetVisible).Default(false);
    c.Property("Width", &TEditImageGx::Width, &TEditImageGx::SetWidth).Default(0);
    c.Property("UseImageHeight", &TEditImageGx::UseImageHeight, &TEditImageGx::SetUseImageHeight).Default(true);
}

TEditImageGx::TEditImageGx(TWinControl* AOwnerEdit) : FOwnerEdit(AOwnerEdit) {}

TPersistent* TEditImageGx::GetOwner() const {
    return FOwnerEdit;
}

void TEditImageGx::Changed() {
    if (FOwnerEdit) FOwnerEdit->Perform(CM_EDITIMAGECHANGEDGX, 0, 0);
}

void TEditImageGx::SetImages(TCustomImageList* Value) {
    if (Value == FImages) return;
    FImages = Value;
    if (FImages && FOwnerEdit) FImages->FreeNotification(FOwnerEdit);
    Changed();
}

void TEditImageGx::SetImageIndex(int Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    if (FOwnerEdit) FOwnerEdit->Invalidate();
}

void TEditImageGx::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    Changed();
}

void TEditImageGx::SetWidth(int Value) {
    if (Value == FWidth) return;
    FWidth = Value;
    Changed();
}

void TEditImageGx::SetUseImageHeight(bool Value) {
    if (Value == FUseImageHeight) return;
    FUseImageHeight = Value;
    Changed();
}

void TEditImageGx::Assign(const TPersistent* Source) {
    if (auto* other = dynamic_cast<const TEditImageGx*>(Source)) {
        SetImages(other->FImages);
        SetImageIndex(other->FImageIndex);
        SetVisible(other->FVisible);
        SetWidth(other->FWidth);
        return;
    }
    TPersistent::Assign(Source);
}
