#include "app/core/ActionImages.h"

#include "app/core/IconNames.h"
#include "app/core/Rights.h"

#include "gui/Bitmap.h"
#include "gui/ImgList.h"
#include "report/vrGZip.h"
#include "rtl/Streams.h"

void LoadActionImages(TCustomImageList& list) {
    const int first = list.Count();
    LoadPackedImages(list, ActionImagesPacked, ActionImagesPackedSize);
    const std::vector<TActionInfo>& actions = AppActions();
    for (size_t i = 0; i < actions.size() && first + static_cast<int>(i) < list.Count(); ++i)
        list.SetIconName(first + static_cast<int>(i), ActionIconName(actions[i].Code));
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
    const int cell = strip.Height();
    if (cell > 0 && (cell != list.Width() || cell != list.Height())) {
        // Pixel for pixel (no blending), so the background colour stays the mask.
        const int cells = strip.Width() / cell;
        TBitmap scaled(cells * list.Width(), list.Height());
        scaled.Canvas()->StretchBlt(TRect(0, 0, scaled.Width(), scaled.Height()), strip,
                                    TRect(0, 0, cells * cell, cell), cmSrcCopy);
        list.AddMasked(&scaled, clDefault);
        return;
    }
    list.AddMasked(&strip, clDefault);
}

int ActionImageIndex(int code) {
    const std::vector<TActionInfo>& actions = AppActions();
    for (size_t i = 0; i < actions.size(); ++i)
        if (actions[i].Code == code) return static_cast<int>(i);
    return -1;
}
