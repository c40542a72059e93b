// The font substitution table: the Windows font names the programs ask for, mapped to fonts
// installed here (WenQuanYi Micro Hei for Chinese faces, Liberation Sans, Serif and Mono for the
// Latin ones), so text always renders, Chinese included.
#pragma once

#include "rtl/Types.h"

#include <utility>
#include <vector>

// The installed family that stands for a requested face name (compared without regard to case).
// A name not in the table is returned unchanged when a font of that family is installed, else
// the default sans-serif substitute.
String SubstituteFontName(const String& name);

// The table's rows (requested name, installed family), in table order.
const std::vector<std::pair<String, String>>& FontSubstitutionTable();

// True for symbol faces whose 8-bit codes are translated to Unicode symbols when drawn ("Wingdings").
bool IsSymbolFontName(const String& name);
