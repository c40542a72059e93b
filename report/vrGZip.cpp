// gzip members of the image resources and zlib inflating.
#include "report/vrGZip.h"

#include <zlib.h>

namespace {

const char* ZLibMessage(int code) {
    switch (code) {
    case Z_NEED_DICT:
        return "need dictionary";
    case Z_ERRNO:
        return "file error";
    case Z_STREAM_ERROR:
        return "stream error";
    case Z_DATA_ERROR:
        return "data error";
    case Z_MEM_ERROR:
        return "insufficient memory";
    case Z_BUF_ERROR:
        return "buffer error";
    case Z_VERSION_ERROR:
        return "incompatible version";
    default:
        return "data error";
    }
}

} // namespace

void InflateBuffer(const void* input, Integer inputSize, std::vector<Byte>& output, Integer outEstimate) {
    output.clear();
    const size_t step = (static_cast<size_t>(inputSize > 0 ? inputSize : 0) + 255) / 256 * 256;
    const size_t grow = step > 0 ? step : 256;
    output.resize(outEstimate > 0 ? static_cast<size_t>(outEstimate) : grow);

    z_stream zs{};
    zs.next_in = static_cast<Bytef*>(const_cast<void*>(input));
    zs.avail_in = static_cast<uInt>(inputSize > 0 ? inputSize : 0);
    zs.next_out = output.data();
    zs.avail_out = static_cast<uInt>(output.size());
    int rc = inflateInit(&zs);
    if (rc != Z_OK) {
        output.clear();
        throw EZDecompressionError(ZLibMessage(rc));
    }
    for (;;) {
        rc = inflate(&zs, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) break;
        // A stream that asks for a preset dictionary can never go on: taken as an error too, or
        // the buffer would grow without end.
        if (rc < 0 || rc == Z_NEED_DICT || (rc == Z_OK && zs.avail_in == 0 && zs.avail_out > 0)) {
            // Out of input before the end of the stream: zlib reports no progress as a buffer error.
            if (rc == Z_OK) rc = Z_BUF_ERROR;
            inflateEnd(&zs);
            output.clear();
            throw EZDecompressionError(ZLibMessage(rc));
        }
        const size_t done = zs.total_out;
        output.resize(output.size() + grow);
        zs.next_out = output.data() + done;
        zs.avail_out = static_cast<uInt>(output.size() - done);
    }
    const size_t total = zs.total_out;
    inflateEnd(&zs);
    output.resize(total);
}

String ReadGZipStream(TStream& gzip, TStream& output) {
    Byte header[4] = {0, 0, 0, 0};
    if (gzip.Read(header, 4) != 4 || header[0] != 0x1F || header[1] != 0x8B || header[2] != 0x08)
        throw EZDecompressionError("data error");
    const Byte flags = header[3];
    Byte checksum[4] = {0, 0, 0, 0};
    Byte extra[2];
    if (gzip.Read(checksum, 4) != 4 || gzip.Read(extra, 2) != 2) throw EZDecompressionError("data error");
    String name;
    if (flags & 8) {
        char c = 0;
        while (gzip.Read(&c, 1) == 1 && c != 0)
            name += c;
    }
    // A zlib stream: its header, the deflate data (all but the 8 trailing bytes) and the checksum.
    const Int64 start = gzip.Position();
    const Int64 dataSize = gzip.Size() - 8 - start;
    std::vector<Byte> zlib;
    zlib.reserve(static_cast<size_t>(dataSize > 0 ? dataSize : 0) + 6);
    zlib.push_back(0x78);
    zlib.push_back(0xDA);
    if (dataSize > 0) {
        zlib.resize(2 + static_cast<size_t>(dataSize));
        gzip.ReadBuffer(zlib.data() + 2, dataSize);
    }
    zlib.insert(zlib.end(), checksum, checksum + 4);

    std::vector<Byte> content;
    InflateBuffer(zlib.data(), static_cast<Integer>(zlib.size()), content);
    if (!content.empty()) output.WriteBuffer(content.data(), static_cast<Int64>(content.size()));
    return name;
}
