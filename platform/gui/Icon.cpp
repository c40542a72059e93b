#include "gui/Icon.h"

#include "gui/Bitmap.h"
#include "gui/qt/BitmapImpl.h"
#include "gui/qt/QtSupport.h"
#include "rtl/Streams.h"

#include <QBuffer>
#include <QImageReader>

struct TIcon::Impl {
    std::vector<Byte> Data;
    QImage Image; // the largest image of the file
};

TIcon::TIcon() : FImpl(std::make_unique<Impl>()) {}
TIcon::~TIcon() = default;

int TIcon::Width() const {
    return FImpl->Image.width();
}
int TIcon::Height() const {
    return FImpl->Image.height();
}
void TIcon::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}
void TIcon::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}
bool TIcon::Empty() const {
    return FImpl->Image.isNull();
}

void TIcon::LoadFromStream(TStream& stream) {
    std::vector<Byte> bytes;
    Byte buf[65536];
    Int64 n;
    while ((n = stream.Read(buf, sizeof buf)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    if (bytes.size() < 6 || bytes[0] != 0 || bytes[1] != 0 || bytes[2] != 1 || bytes[3] != 0)
        throw EInvalidGraphic("Icon image is not valid");
    EnsureQtApp();
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QImage best;
    for (int i = 0; i < std::max(1, reader.imageCount()); ++i) {
        if (!reader.jumpToImage(i) && i > 0) break;
        QImage img = reader.read();
        if (!img.isNull() && (best.isNull() || img.width() * img.height() > best.width() * best.height()))
            best = img;
    }
    if (best.isNull()) throw EInvalidGraphic("Icon image is not valid");
    FImpl->Data = std::move(bytes);
    FImpl->Image = best.convertToFormat(QImage::Format_ARGB32);
    Changed();
}

void TIcon::SaveToStream(TStream& stream) {
    if (!FImpl->Data.empty()) stream.WriteBuffer(FImpl->Data.data(), static_cast<Int64>(FImpl->Data.size()));
}

void TIcon::Draw(TCanvas& canvas, const TRect& r) {
    if (Empty()) return;
    auto b = BitmapWithAlpha(FImpl->Image);
    canvas.StretchBlt(r, *b, TRect(0, 0, Width(), Height()), cmSrcCopy);
}

void TIcon::Assign(const TGraphic& source) {
    if (&source == this) return;
    auto* icon = dynamic_cast<const TIcon*>(&source);
    if (!icon) TGraphic::Assign(source);
    *FImpl = *icon->FImpl;
    Changed();
}
