#include "app/registers/RegisterImages.h"

#include "app/core/ActionImages.h"

#include "gui/ImgList.h"

#include <memory>

namespace {

std::unique_ptr<TImageList> Unpack(const Byte* packed, size_t size, int cell,
                                   void (*name)(TCustomImageList&)) {
    auto list = std::make_unique<TImageList>(cell, cell, nullptr);
    LoadPackedImages(*list, packed, size);
    name(*list);
    return list;
}

} // namespace

TImageList* RegisterToolImages() {
    static std::unique_ptr<TImageList> list =
        Unpack(ToolImagesPacked, ToolImagesPackedSize, ToolImageSize, NameToolImages);
    return list.get();
}

TImageList* ImageTree() {
    static std::unique_ptr<TImageList> list =
        Unpack(TreeImagesPacked, TreeImagesPackedSize, TreeImageSize, NameTreeImages);
    return list.get();
}
