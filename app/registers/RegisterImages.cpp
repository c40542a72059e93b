#include "app/registers/RegisterImages.h"

#include "gui/Bitmap.h"
#include "gui/ImgList.h"
#include "report/vrGZip.h"
#include "rtl/Streams.h"

#include <memory>

namespace {

std::unique_ptr<TImageList> Unpack(const Byte* packed, size_t size, int cell) {
    auto list = std::make_unique<TImageList>(cell, cell, nullptr);
    TMemoryStream gzip;
    gzip.WriteBuffer(packed, static_cast<Int64>(size));
    gzip.SetPosition(0);
    TMemoryStream bmp;
    ReadGZipStream(gzip, bmp);
    bmp.SetPosition(0);
    TBitmap strip;
    strip.LoadFromStream(bmp);
    list->AddMasked(&strip, clDefault);
    return list;
}

} // namespace

TImageList* RegisterToolImages() {
    static std::unique_ptr<TImageList> list = Unpack(ToolImagesPacked, ToolImagesPackedSize, ToolImageSize);
    return list.get();
}

TImageList* ImageTree() {
    static std::unique_ptr<TImageList> list = Unpack(TreeImagesPacked, TreeImagesPackedSize, TreeImageSize);
    return list.get();
}
