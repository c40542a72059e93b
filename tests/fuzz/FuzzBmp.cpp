// BMP reader of the bitmap: load from bytes and from a stream, write back.
#include "FuzzTarget.h"
#include "gui/Bitmap.h"
#include "rtl/Streams.h"

#include <vector>

ORV_FUZZ_TARGET(bmp) {
    const std::vector<Byte> bytes(data, data + size);
    TMemoryStream stream;
    if (size > 0) stream.WriteBuffer(data, static_cast<Int64>(size));
    stream.SetPosition(0);
    try {
        TBitmap fromStream;
        fromStream.LoadFromStream(stream);
    } catch (const Exception&) {
    }
    TBitmap bmp;
    bmp.LoadFromBytes(bytes);
    bmp.SaveToBytes();
}
