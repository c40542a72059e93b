// The image control: a picture drawn on the parent, placed by Center, Stretch and Proportional.
#include "gui/ExtCtrls.h"

#include "gui/Icon.h"
#include "gui/Metafile.h"
#include "gui/Picture.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
    SetBounds(0, 0, 105, 105);
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() {
    Destroying();
    FPicture->OnChange = nullptr;
}

void TImage::SetPicture(TPicture* v) {
    if (v != FPicture.get()) FPicture->Assign(v);
}

TCanvas* TImage::Canvas() {
    if (!FPicture->Graphic()) {
        auto bmp = std::make_unique<TBitmap>(Width(), Height());
        FPicture->SetGraphic(std::move(bmp));
    }
    auto* bmp = dynamic_cast<TBitmap*>(FPicture->Graphic());
    if (!bmp) throw EInvalidOperation("Can only modify an image if it contains a bitmap");
    // Drawing on the bitmap shows at once.
    bmp->Canvas()->OnChange = [this](TObject*) { Invalidate(); };
    return bmp->Canvas();
}

void TImage::PictureChanged() {
    if (FChanging) return;
    FChanging = true;
    try {
        if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
            SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
        // Metafiles and icons keep their own transparency.
        if (TGraphic* g = FPicture->Graphic(); g && !dynamic_cast<TMetafile*>(g) && !dynamic_cast<TIcon*>(g))
            g->SetTransparent(FTransparent);
    } catch (...) {
        FChanging = false;
        throw;
    }
    FChanging = false;
    Invalidate();
}

void TImage::SetAutoSize(bool v) {
    if (v == FAutoSize) return;
    FAutoSize = v;
    if (v) PictureChanged();
}

void TImage::SetCenter(bool v) {
    FCenter = v;
    PictureChanged();
}

void TImage::SetProportional(bool v) {
    FProportional = v;
    PictureChanged();
}

void TImage::SetStretch(bool v) {
    FStretch = v;
    PictureChanged();
}

void TImage::SetTransparent(bool v) {
    FTransparent = v;
    PictureChanged();
}

TRect TImage::DestRect() const {
    int w = FPicture->Width();
    int h = FPicture->Height();
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            // The longer side fills the client; the other follows the aspect, within the client.
            const double aspect = static_cast<double>(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<int>(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = static_cast<int>(ch * aspect);
                }
            } else {
                h = ch;
                w = static_cast<int>(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = static_cast<int>(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r(0, 0, w, h);
    if (FCenter) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint() {
    if (TGraphic* g = FPicture->Graphic()) TGraphicControl::Canvas()->StretchDraw(DestRect(), g);
}
