#include "gui/ImgList.h"

#include "gui/qt/BitmapImpl.h"
#include "gui/qt/QtSupport.h"

#include "classes/MetaBuilder.h"

#include <algorithm>

// One image: its pixels with the mask in the alpha channel.
struct TImageList::Image {
    QImage Pixels; // Format_ARGB32; alpha 0 where transparent
};

TImageList::TImageList(TComponent* AOwner) : TImageList(16, 16, AOwner) {}

TImageList::TImageList(int width, int height, TComponent* AOwner)
    : TComponent(AOwner), FWidth(std::max(1, width)), FHeight(std::max(1, height)) {}

TImageList::~TImageList() = default;

ORV_META_IMPL(TImageList)
void TImageList::DeclareMeta(meta::Class<TImageList>& c) {
    c.Property("BkColor", &TImageList::BkColor, &TImageList::SetBkColor).TypeName("TColor").Default(clNone);
    c.Property("Height", &TImageList::Height, &TImageList::SetHeight).Default(16);
    c.Property("Masked", &TImageList::Masked, &TImageList::SetMasked).Default(true);
    c.Property("Width", &TImageList::Width, &TImageList::SetWidth).Default(16);
    c.Event("OnChange", &TImageList::OnChange);
}

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TImageList::SetWidth(int width) {
    SetSize(width, FHeight);
}
void TImageList::SetHeight(int height) {
    SetSize(FWidth, height);
}

void TImageList::SetSize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    Clear();
}

int TImageList::AddImages(TBitmap* image, const std::vector<Byte>* mask) {
    if (!image || image->Empty()) return -1;
    EnsureQtApp();
    const QImage& src = image->impl().SurfaceForRead();
    int first = Count();
    int count = std::max(1, src.width() / FWidth);
    for (int n = 0; n < count; ++n) {
        auto img = std::make_unique<Image>();
        img->Pixels = QImage(FWidth, FHeight, QImage::Format_ARGB32);
        img->Pixels.fill(0);
        for (int y = 0; y < FHeight && y < src.height(); ++y)
            for (int x = 0; x < FWidth && n * FWidth + x < src.width(); ++x) {
                int sx = n * FWidth + x;
                bool transparent = mask && (*mask)[static_cast<size_t>(y) * static_cast<size_t>(src.width()) +
                                                   static_cast<size_t>(sx)];
                if (!transparent) img->Pixels.setPixel(x, y, src.pixel(sx, y) | 0xFF000000u);
            }
        FImages.push_back(std::move(img));
    }
    Changed();
    return first;
}

int TImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image) return -1;
    if (!mask || mask->Empty()) return AddImages(image, nullptr);
    int w = image->Width(), h = image->Height();
    std::vector<Byte> m(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    for (int y = 0; y < h && y < mask->Height(); ++y)
        for (int x = 0; x < w && x < mask->Width(); ++x)
            m[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                mask->Pixel(x, y) != clBlack;
    return AddImages(image, &m);
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) return -1;
    int w = image->Width(), h = image->Height();
    TColor key = maskColor == clDefault ? image->Pixel(0, h - 1) : static_cast<TColor>(ColorToRGB(maskColor));
    std::vector<Byte> m(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            m[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                image->Pixel(x, y) == key;
    return AddImages(image, &m);
}

void TImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    if (index < 0 || index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
    int at = Add(image, mask);
    if (at < 0) return;
    FImages[static_cast<size_t>(index)] = std::move(FImages[static_cast<size_t>(at)]);
    FImages.resize(static_cast<size_t>(at));
    Changed();
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
    FImages.erase(FImages.begin() + index);
    Changed();
}

void TImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Changed();
}

void TImageList::Move(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count())
        throw EInvalidOperation("Invalid ImageList Index");
    auto img = std::move(FImages[static_cast<size_t>(from)]);
    FImages.erase(FImages.begin() + from);
    FImages.insert(FImages.begin() + to, std::move(img));
    Changed();
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    Draw(canvas, x, y, index, dsNormal, enabled);
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle, bool enabled) {
    if (!canvas || index < 0 || index >= Count()) return;
    const QImage& px = FImages[static_cast<size_t>(index)]->Pixels;
    TRect src(0, 0, FWidth, FHeight);
    if (enabled) {
        QImage img = px;
        if (!FMasked || FBkColor != clNone) {
            // Unmasked drawing fills the transparent parts with the background colour.
            QImage filled(px.size(), QImage::Format_ARGB32);
            filled.fill(ToQColor(FBkColor == clNone ? clBtnFace : FBkColor));
            QPainter p(&filled);
            p.drawImage(0, 0, px);
            p.end();
            img = filled;
        }
        auto b = BitmapWithAlpha(img);
        canvas->StretchBlt(Bounds(x, y, FWidth, FHeight), *b, src, cmSrcCopy);
        return;
    }
    // Greyed: the dark parts of the image as a shape, in the highlight colour one pixel down
    // and right, then in the shadow colour.
    auto shape = [&](TColor colour) {
        QImage s(px.size(), QImage::Format_ARGB32);
        s.fill(0);
        QRgb c = ToQRgb(colour);
        for (int yy = 0; yy < px.height(); ++yy)
            for (int xx = 0; xx < px.width(); ++xx) {
                QRgb p = px.pixel(xx, yy);
                if (qAlpha(p) == 0) continue;
                if (qGray(p) < 192) s.setPixel(xx, yy, c);
            }
        return BitmapWithAlpha(s);
    };
    auto light = shape(clBtnHighlight);
    auto dark = shape(clBtnShadow);
    canvas->StretchBlt(Bounds(x + 1, y + 1, FWidth, FHeight), *light, src, cmSrcCopy);
    canvas->StretchBlt(Bounds(x, y, FWidth, FHeight), *dark, src, cmSrcCopy);
}

bool TImageList::GetBitmap(int index, TBitmap* bitmap) {
    if (!bitmap || index < 0 || index >= Count()) return false;
    bitmap->SetSize(FWidth, FHeight);
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(FBkColor == clNone ? clBtnFace : FBkColor);
    c->FillRect(TRect(0, 0, FWidth, FHeight));
    Draw(c, 0, 0, index, true);
    return true;
}
