// The page macros of the header and footer blocks: "&[Page]", "&[ShortDate]", "&[Date]",
// "&[LongDate]", "&[Time]" and "&[Pages]". Names match without regard to case everywhere, in the
// expansion and in the test that decides whether the page total must be counted first. A name
// preceded by a second "&" stays as it is.
#pragma once

#include "rtl/StrUtils.h"

class TPageColontitle;

// The values of the macros but "&[Page]", taken at one moment.
struct TPageMacroValues {
    String ShortDate;
    String Date;
    String LongDate;
    String Time;
    String Pages;
};

// Date and time now in the platform's formats, and the page count.
TPageMacroValues ComputePageMacroValues(int pageCount);

// Replaces name in text by value; an occurrence preceded by escape is written back unchanged
// (with the name's own letter case).
String ReplaceMacro(const String& text, const String& name, const String& value, char escape, unsigned flags);
// Expands all six macros, "&[Page]" with pageNumber.
String ExpandPageMacros(const String& text, const TPageMacroValues& values, int pageNumber);
// True when a text of either block holds "&[Pages]" in any letter case.
bool UsesPageCountMacro(const TPageColontitle& header, const TPageColontitle& footer);
