// Basic types shared by every library of the system.
#pragma once

#include <cstdint>
#include <string>

// Text is UTF-8 in a std::string; UTF-16 where a library keeps wide text.
using String = std::string;
using WideString = std::u16string;
// Bytes in the program's 8-bit code page (936, GBK) or another named code page. Only used where
// bytes leave or enter in that code page; everywhere else text is UTF-8 `String`.
using AnsiString = std::string;

using Extended = long double;
using TDateTime = double; // days since 1899-12-30, time as the fraction

using Byte = std::uint8_t;
using Word = std::uint16_t;
using ShortInt = std::int8_t;
using SmallInt = std::int16_t;
using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
