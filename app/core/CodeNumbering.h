// Business code numbering: the next code after the highest existing one. The last n characters
// are a zero-padded counter that is counted up by one; the characters before it are kept. With
// no code yet, NextCode starts from nothing and NewDatedCode from a prefix and today's date
// (yyyymmdd), each followed by n-1 zeros and a 1.
//
// A full counter (all nines) is not wrapped to zeros: that would hand out a code that exists
// already. It raises ECodeNumberingError instead. A counter that is not made of digits raises
// EConvertError.
#pragma once

#include "rtl/SysUtils.h"
#include "rtl/Types.h"

ORV_DECLARE_EXCEPTION(ECodeNumberingError, Exception)

// The code after `highest` ("" when there is none) with a counter of `digits` digits (1 to 18).
// A highest code shorter than `digits` is counted up as a whole ("12" with 3 digits gives "13").
String NextCodeAfter(const String& highest, int digits);
// The same, starting from prefix + the date of `now` as yyyymmdd when there is no code yet.
String NewDatedCodeAfter(const String& highest, const String& prefix, int digits, TDateTime now);
