#include "gui/ImgList.h"

#include "gui/qt/BitmapImpl.h"
#include "gui/qt/IconThemeSetup.h"
#include "gui/qt/ImageListIcons.h"
#include "gui/qt/QtSupport.h"

#include "classes/MetaBuilder.h"

#include <algorithm>
#include <map>

// One image: its pixels with the mask in the alpha channel. An entry that names a picture of the
// icon theme looks it up on first use (Pending), so a list of many names costs nothing until shown.
struct TCustomImageList::Image {
    QImage Pixels;   // Format_ARGB32; alpha 0 where transparent
    QImage Disabled; // the theme's disabled rendering (null for the entry's own image)
    String IconName;
    bool Pending = false;
};

namespace {

// A picture of the theme on a transparent image of the list's size (a theme that has the name
// only in smaller sizes gives a smaller picture, which is centred).
QImage FitToCell(const QPixmap& pixmap, int width, int height) {
    QImage cell(width, height, QImage::Format_ARGB32);
    cell.fill(0);
    if (pixmap.isNull()) return cell;
    QImage picture = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&cell);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage((width - picture.width()) / 2, (height - picture.height()) / 2, picture);
    painter.end();
    return cell;
}

} // namespace

// Icons of the images by (index, selected index), so that many items showing one image share it.
struct TCustomImageList::IconCache {
    std::map<std::pair<int, int>, QIcon> Icons;
};

TChangeLink::~TChangeLink() {
    if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(FSender);
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TCustomImageList(16, 16, AOwner) {}

TCustomImageList::TCustomImageList(int width, int height, TComponent* AOwner)
    : TComponent(AOwner), FWidth(std::max(1, width)), FHeight(std::max(1, height)) {}

TCustomImageList::~TCustomImageList() {
    Destroying();
    // The controls showing the list let go of it.
    std::vector<TChangeLink*> links;
    links.swap(FLinks);
    for (TChangeLink* link : links) {
        link->FSender = nullptr;
        link->Change();
    }
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
    if (!Value || Value->FSender == this) return;
    if (Value->FSender) Value->FSender->UnRegisterChanges(Value);
    Value->FSender = this;
    FLinks.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
    if (!Value) return;
    FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), Value), FLinks.end());
    if (Value->FSender == this) Value->FSender = nullptr;
}

ORV_META_IMPL(TImageList)
void TImageList::DeclareMeta(meta::Class<TImageList>&) {}

ORV_META_IMPL(TCustomImageList)
void TCustomImageList::DeclareMeta(meta::Class<TCustomImageList>& c) {
    c.Property("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor)
        .TypeName("TColor")
        .Default(clNone);
    c.Property("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight).Default(16);
    c.Property("Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked).Default(true);
    c.Property("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth).Default(16);
    c.Event("OnChange", &TCustomImageList::OnChange);
}

void TCustomImageList::Changed() {
    FIcons.reset();
    if (OnChange) OnChange(this);
    // A link may unregister (or free another) while it runs.
    std::vector<TChangeLink*> links = FLinks;
    for (TChangeLink* link : links)
        if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->Change();
}

void TCustomImageList::SetWidth(int width) {
    SetSize(width, FHeight);
}
void TCustomImageList::SetHeight(int height) {
    SetSize(FWidth, height);
}

void TCustomImageList::SetSize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    Clear();
}

int TCustomImageList::AddImages(TBitmap* image, const std::vector<Byte>* mask) {
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

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
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

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) return -1;
    int w = image->Width(), h = image->Height();
    const TColor key =
        static_cast<TColor>(ColorToPixelRGB(maskColor == clDefault ? image->Pixel(0, h - 1) : maskColor));
    std::vector<Byte> m(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            m[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                image->Pixel(x, y) == key;
    return AddImages(image, &m);
}

TCustomImageList::Image& TCustomImageList::Entry(int index) const {
    Image& image = *FImages[static_cast<size_t>(index)];
    if (!image.Pending) return image;
    image.Pending = false;
    PrepareIconTheme();
    const QIcon icon = QIcon::fromTheme(ToQString(image.IconName));
    if (icon.isNull()) return image;
    const QSize size(FWidth, FHeight);
    const QPixmap normal = icon.pixmap(size, 1.0, QIcon::Normal);
    if (normal.isNull()) return image;
    image.Pixels = FitToCell(normal, FWidth, FHeight);
    image.Disabled = FitToCell(icon.pixmap(size, 1.0, QIcon::Disabled), FWidth, FHeight);
    return image;
}

void TCustomImageList::SetIconName(int index, const String& name) {
    if (index < 0 || index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
    Image& image = *FImages[static_cast<size_t>(index)];
    if (image.IconName == name) return;
    if (!image.Disabled.isNull()) {
        // The entry showed another name's picture: it goes back to nothing of its own.
        image.Pixels = QImage(FWidth, FHeight, QImage::Format_ARGB32);
        image.Pixels.fill(0);
        image.Disabled = QImage();
    }
    image.IconName = name;
    image.Pending = !name.empty();
    Changed();
}

String TCustomImageList::IconName(int index) const {
    if (index < 0 || index >= Count()) return String();
    return FImages[static_cast<size_t>(index)]->IconName;
}

int TCustomImageList::AddIconName(const String& name, TBitmap* fallback) {
    EnsureQtApp();
    if (fallback && !fallback->Empty()) {
        // The first square cell of the picture, pixel for pixel at the list's size.
        const int side = std::min(fallback->Width(), fallback->Height());
        TBitmap cell(FWidth, FHeight);
        cell.Canvas()->StretchBlt(TRect(0, 0, FWidth, FHeight), *fallback, TRect(0, 0, side, side),
                                  cmSrcCopy);
        const int index = AddMasked(&cell, fallback->Pixel(0, fallback->Height() - 1));
        SetIconName(index, name);
        return index;
    }
    auto image = std::make_unique<Image>();
    image->Pixels = QImage(FWidth, FHeight, QImage::Format_ARGB32);
    image->Pixels.fill(0);
    image->IconName = name;
    image->Pending = !name.empty();
    FImages.push_back(std::move(image));
    Changed();
    return Count() - 1;
}

bool TCustomImageList::FromIconTheme(int index) const {
    if (index < 0 || index >= Count()) return false;
    return !Entry(index).Disabled.isNull();
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    if (index < 0 || index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
    int at = Add(image, mask);
    if (at < 0) return;
    FImages[static_cast<size_t>(index)] = std::move(FImages[static_cast<size_t>(at)]);
    FImages.resize(static_cast<size_t>(at));
    Changed();
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
    FImages.erase(FImages.begin() + index);
    Changed();
}

void TCustomImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Changed();
}

void TCustomImageList::Move(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count())
        throw EInvalidOperation("Invalid ImageList Index");
    auto img = std::move(FImages[static_cast<size_t>(from)]);
    FImages.erase(FImages.begin() + from);
    FImages.insert(FImages.begin() + to, std::move(img));
    Changed();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    Draw(canvas, x, y, index, dsNormal, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle, bool enabled) {
    if (!canvas || index < 0 || index >= Count()) return;
    const Image& entry = Entry(index);
    const QImage& px = entry.Pixels;
    TRect src(0, 0, FWidth, FHeight);
    if (!enabled && !entry.Disabled.isNull()) {
        // A picture of the theme, disabled as the theme renders it.
        auto disabled = BitmapWithAlpha(entry.Disabled);
        canvas->StretchBlt(Bounds(x, y, FWidth, FHeight), *disabled, src, cmSrcCopy);
        return;
    }
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
    // Greyed: the image's shape embossed in the button highlight and shadow colours.
    auto greyed = BitmapWithAlpha(GreyedImage(px));
    canvas->StretchBlt(Bounds(x, y, FWidth + 1, FHeight + 1), *greyed, TRect(0, 0, FWidth + 1, FHeight + 1),
                       cmSrcCopy);
}

bool TCustomImageList::GetBitmap(int index, TBitmap* bitmap) {
    if (!bitmap || index < 0 || index >= Count()) return false;
    bitmap->SetSize(FWidth, FHeight);
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(FBkColor == clNone ? clBtnFace : FBkColor);
    c->FillRect(TRect(0, 0, FWidth, FHeight));
    Draw(c, 0, 0, index, true);
    return true;
}

// ---------------------------------------------------------------------------------------------
// The Qt side: images of a list as icons of Qt widgets.

const QImage* TImageListAccess::Pixels(const TCustomImageList* list, int index) {
    if (!list || index < 0 || index >= list->Count()) return nullptr;
    return &list->Entry(index).Pixels;
}

const QImage* TImageListAccess::ThemeDisabledPixels(const TCustomImageList* list, int index) {
    if (!list || index < 0 || index >= list->Count()) return nullptr;
    const QImage& disabled = list->Entry(index).Disabled;
    return disabled.isNull() ? nullptr : &disabled;
}

QImage GreyedImage(const QImage& image) {
    // The dark parts of the image as a shape, in the highlight colour one pixel down and right,
    // then in the shadow colour over it (one pixel larger than the image for the offset).
    QImage out(image.width() + 1, image.height() + 1, QImage::Format_ARGB32);
    out.fill(0);
    const QRgb light = ToQRgb(clBtnHighlight);
    const QRgb dark = ToQRgb(clBtnShadow);
    auto inShape = [&](int x, int y) {
        QRgb p = image.pixel(x, y);
        return qAlpha(p) != 0 && qGray(p) < 192;
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inShape(x, y)) out.setPixel(x + 1, y + 1, light);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inShape(x, y)) out.setPixel(x, y, dark);
    return out;
}

namespace {

QPixmap ListPixmap(TCustomImageList* list, int index) {
    const QImage* px = TImageListAccess::Pixels(list, index);
    if (px) return QPixmap::fromImage(*px);
    // No image: a transparent one keeps the place, as the platform leaves it empty.
    QPixmap empty(list->Width(), list->Height());
    empty.fill(Qt::transparent);
    return empty;
}

} // namespace

const QIcon* TImageListAccess::CachedIcon(const TCustomImageList* list, int index, int selectedIndex) {
    if (!list->FIcons) return nullptr;
    auto it = list->FIcons->Icons.find({index, selectedIndex});
    return it == list->FIcons->Icons.end() ? nullptr : &it->second;
}

void TImageListAccess::CacheIcon(TCustomImageList* list, int index, int selectedIndex, const QIcon& icon) {
    if (!list->FIcons) list->FIcons = std::make_unique<TCustomImageList::IconCache>();
    list->FIcons->Icons[{index, selectedIndex}] = icon;
}

QIcon ImageListIcon(TCustomImageList* Images, int Index, TCustomImageList* DisabledImages,
                    int SelectedIndex) {
    if (!Images) return QIcon();
    // Icons with the list's own greyed look are kept (a list of other disabled images changes on
    // its own, so those are made each time).
    if (!DisabledImages)
        if (const QIcon* cached = TImageListAccess::CachedIcon(Images, Index, SelectedIndex)) return *cached;
    EnsureQtApp();
    QIcon icon;
    QPixmap normal = ListPixmap(Images, Index);
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(normal, QIcon::Active);
    // Selected items show their selected image (nothing when it has none), untinted.
    icon.addPixmap(SelectedIndex == TImageListKeepImage ? normal : ListPixmap(Images, SelectedIndex),
                   QIcon::Selected);
    QPixmap disabled;
    if (DisabledImages && TImageListAccess::Pixels(DisabledImages, Index))
        disabled = ListPixmap(DisabledImages, Index);
    else if (const QImage* themed = TImageListAccess::ThemeDisabledPixels(Images, Index))
        disabled = QPixmap::fromImage(*themed);
    else if (const QImage* px = TImageListAccess::Pixels(Images, Index))
        disabled = QPixmap::fromImage(GreyedImage(*px).copy(0, 0, px->width(), px->height()));
    else
        disabled = normal;
    icon.addPixmap(disabled, QIcon::Disabled);
    if (!DisabledImages) TImageListAccess::CacheIcon(Images, Index, SelectedIndex, icon);
    return icon;
}

void FollowImageList(TCustomImageList*& Ref, TCustomImageList* List, std::unique_ptr<TChangeLink>& Link,
                     std::function<void()> Changed) {
    if (List == Ref) return;
    Ref = List;
    if (!Link) Link = std::make_unique<TChangeLink>();
    TChangeLink* link = Link.get();
    TCustomImageList** ref = &Ref;
    link->OnChange = [link, ref, Changed](TObject*) {
        if (!link->Sender()) *ref = nullptr; // the list is being freed
        if (Changed) Changed();
    };
    if (List)
        List->RegisterChanges(link);
    else if (link->Sender())
        link->Sender()->UnRegisterChanges(link);
    if (Changed) Changed();
}
