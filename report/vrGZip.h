// Unpacking the compressed image resources of the report library: gzip members whose
// modification-time field carries the Adler-32 checksum of the content, and zlib inflating into a
// growing buffer.
#pragma once

#include "rtl/Streams.h"
#include "rtl/SysUtils.h"

#include <vector>

ORV_DECLARE_EXCEPTION(EZLibError, Exception)
ORV_DECLARE_EXCEPTION(EZDecompressionError, EZLibError)

// Inflates a zlib stream. The output starts with outEstimate bytes (or the input size rounded up
// to a multiple of 256 when 0) and grows by that rounded size as needed. A zlib error raises
// EZDecompressionError with zlib's text for the code ("data error", "buffer error", ...); so does a
// stream that needs a preset dictionary ("need dictionary").
void InflateBuffer(const void* input, Integer inputSize, std::vector<Byte>& output, Integer outEstimate = 0);

// Unpacks one gzip member from the stream's position into output and returns the stored file
// name (empty without one). A stream that is no gzip member, or whose extra, comment or header
// checksum fields stand before the data, fails with EZDecompressionError; a checksum field that
// is not the Adler-32 of the content fails with "data error".
String ReadGZipStream(TStream& gzip, TStream& output);
