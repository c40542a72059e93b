#include "app/core/ActionImages.h"

#include "app/core/Rights.h"

#include "gui/Bitmap.h"
#include "gui/ImgList.h"
#include "report/vrGZip.h"
#include "rtl/Streams.h"

void LoadActionImages(TCustomImageList& list) {
    LoadPackedImages(list, ActionImagesPacked, ActionImagesPackedSize);
}

void LoadPackedImages(TCustomImageList& list, const Byte* packed, size_t size) {
    TMemoryStream gzip;
    gzip.WriteBuffer(packed, static_cast<Int64>(size));
    gzip.SetPosition(0);
    TMemoryStream bmp;
    ReadGZipStream(gzip, bmp);
    bmp.SetPosition(0);
    TBitmap strip;
    strip.LoadFromStream(bmp);
    list.AddMasked(&strip, clDefault);
}

int ActionImageIndex(int code) {
    const std::vector<TActionInfo>& actions = AppActions();
    for (size_t i = 0; i < actions.size(); ++i)
        if (actions[i].Code == code) return static_cast<int>(i);
    return -1;
}
