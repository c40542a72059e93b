// JPEG reader: load from a stream and draw into a bitmap.
#include "FuzzTarget.h"
#include "gui/Bitmap.h"
#include "gui/Jpeg.h"
#include "rtl/Streams.h"

ORV_FUZZ_TARGET(jpeg) {
    TMemoryStream stream;
    if (size > 0) stream.WriteBuffer(data, static_cast<Int64>(size));
    stream.SetPosition(0);
    TJPEGImage jpeg;
    jpeg.LoadFromStream(stream);
    if (jpeg.Width() > 0 && jpeg.Height() > 0 && jpeg.Width() * static_cast<Int64>(jpeg.Height()) < 4000000) {
        TBitmap bmp(jpeg.Width(), jpeg.Height(), pf24bit);
        jpeg.Draw(*bmp.Canvas(), TRect(0, 0, jpeg.Width(), jpeg.Height()));
    }
}
