// Building gzip members as the report library's packed resources store them, for the tests.
#pragma once

#include "rtl/Types.h"

#include <zlib.h>

namespace gziptest {

inline String RawDeflate(const String& data) {
    z_stream zs{};
    deflateInit2(&zs, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    String out(compressBound(static_cast<uLong>(data.size())) + 16, '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

inline uLong Adler(const String& s) {
    return adler32(adler32(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(s.data()),
                   static_cast<uInt>(s.size()));
}

// A member as the resources store them: the Adler-32 of the content, most significant byte first,
// in the place of the modification time.
inline String Member(const String& content, Byte flags, const String& fields, uLong checksum) {
    String m = "\x1F\x8B\x08";
    m += static_cast<char>(flags);
    for (int shift = 24; shift >= 0; shift -= 8)
        m += static_cast<char>((checksum >> shift) & 0xFF);
    m += String("\x00\x03", 2);
    m += fields;
    m += RawDeflate(content);
    m += String(8, '\0'); // CRC and size: not read
    return m;
}

inline String Member(const String& content) {
    return Member(content, 0, "", Adler(content));
}

} // namespace gziptest
