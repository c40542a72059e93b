// The packed resources of the program and the image lists the resource manager fills from them.
#include "gui/Bitmap.h"
#include "gui/ImgList.h"
#include "report/vrGZip.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "rtl/StrUtils.h"

#include <map>
#include <mutex>

namespace {

struct TResourceOverrides {
    std::mutex Lock;
    std::map<String, std::vector<Byte>> Data; // keyed by the upper-case name
};

TResourceOverrides& Overrides() {
    static TResourceOverrides overrides;
    return overrides;
}

} // namespace

std::vector<Byte> ReadProgramResource(const String& name) {
    {
        TResourceOverrides& o = Overrides();
        std::lock_guard<std::mutex> guard(o.Lock);
        auto it = o.Data.find(AnsiUpperCase(name));
        if (it != o.Data.end()) return it->second;
    }
    for (int i = 0; i < vrBuiltInResourceCount; ++i) {
        const TvrBuiltInResource& r = vrBuiltInResources[i];
        if (SameText(name, r.Name)) return std::vector<Byte>(r.Data, r.Data + r.Size);
    }
    throw EResNotFound("Resource " + name + " not found");
}

void SetProgramResource(const String& name, std::vector<Byte> data) {
    TResourceOverrides& o = Overrides();
    std::lock_guard<std::mutex> guard(o.Lock);
    if (data.empty())
        o.Data.erase(AnsiUpperCase(name));
    else
        o.Data[AnsiUpperCase(name)] = std::move(data);
}

TImageList* TvrResources::FillImages(TImageList* list, const char* resource, TImageSetter setter) {
    if (list->Count() > 0) return list;
    const std::vector<Byte> packed = ReadProgramResource(resource);
    TMemoryStream gzip;
    if (!packed.empty()) gzip.WriteBuffer(packed.data(), static_cast<Int64>(packed.size()));
    gzip.SetPosition(0);
    TMemoryStream bmp;
    ReadGZipStream(gzip, bmp);
    bmp.SetPosition(0);
    TBitmap bitmap;
    bitmap.LoadFromStream(bmp);
    (this->*setter)(&bitmap, false);
    return list;
}

TImageList* TvrResources::GetDesignerImages() {
    return FillImages(FDesignerImages.get(), "DesgnButtons", &TvrResources::SetDesignerImages);
}

TImageList* TvrResources::GetDisabledDesignerImages() {
    // The disabled forms come with the designer images, from the same strip.
    if (FDesignerImages->Count() == 0) GetDesignerImages();
    return FDisabledDesignerImages.get();
}

TImageList* TvrResources::GetPreviewImages() {
    return FillImages(FPreviewImages.get(), "PreviewButtons", &TvrResources::SetPreviewImages);
}

TImageList* TvrResources::GetObjectImages() {
    return FillImages(FObjectImages.get(), "ObjectButtons", &TvrResources::SetObjectImages);
}

TImageList* TvrResources::GetWizardImages() {
    return FillImages(FWizardImages.get(), "WizardButtons", &TvrResources::SetWizardImages);
}

void TvrResources::SetDesignerImages(TBitmap* bitmap, bool clearFirst) {
    if (clearFirst) {
        FDesignerImages->Clear();
        FDisabledDesignerImages->Clear();
    }
    SplitBitmapIntoImageLists(bitmap, 16, 16, FDesignerImages.get(), FDisabledDesignerImages.get());
}

void TvrResources::SetPreviewImages(TBitmap* bitmap, bool clearFirst) {
    if (clearFirst) FPreviewImages->Clear();
    SplitBitmapIntoImageLists(bitmap, 16, 16, FPreviewImages.get(), nullptr);
}

void TvrResources::SetObjectImages(TBitmap* bitmap, bool clearFirst) {
    if (clearFirst) FObjectImages->Clear();
    SplitBitmapIntoImageLists(bitmap, 16, 16, FObjectImages.get(), nullptr);
}

void TvrResources::SetWizardImages(TBitmap* bitmap, bool clearFirst) {
    if (clearFirst) FWizardImages->Clear();
    SplitBitmapIntoImageLists(bitmap, 32, 32, FWizardImages.get(), nullptr);
}
