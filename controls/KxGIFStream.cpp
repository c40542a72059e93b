// The GIF picture's stream forms.
#include "controls/KxGIF.h"
#include "rtl/Streams.h"

void TGIFImage::LoadGif(Int64 count, TStream& stream, bool decodeFirstFrame) {
    if (count <= 0) {
        Reset();
        return;
    }
    // A count beyond what the stream holds is the stream read error, raised before anything of
    // that size is allocated (a damaged size prefix must not claim gigabytes).
    if (count > stream.Size() - stream.Position()) throw EReadError("Stream read error");
    std::vector<Byte> data(static_cast<std::size_t>(count));
    stream.ReadBuffer(data.data(), count);
    LoadGif(data.data(), count, decodeFirstFrame);
}

void TGIFImage::StoreGif(TStream& stream, bool withSizePrefix) {
    const std::vector<Byte> data = StoreGif(withSizePrefix);
    stream.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

void TGIFImage::LoadFromStream(TStream& stream) {
    const Int64 count = stream.Size() - stream.Position();
    LoadGif(count, stream, true);
}

void TGIFImage::ReadData(TStream& stream) {
    Byte size[4] = {0, 0, 0, 0};
    stream.ReadBuffer(size, 4);
    const Int64 count = size[0] | (size[1] << 8) | (size[2] << 16) | (Int64(size[3]) << 24);
    LoadGif(count, stream, true);
}
