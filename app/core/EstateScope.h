// The estate scope of an operator: the stored list of estate names ('A','B') and the statement
// conditions built from it. The names are read back from the stored list and quoted anew, so a
// name holding a quote can neither break nor change a statement, and an empty list gives
// conditions that select no estate instead of a statement error.
#pragma once

#include "rtl/Types.h"

#include <vector>

// The names of a stored list: items separated by commas, each between single quotes (a doubled
// quote inside stands for one) or bare; blanks around items are dropped, empty items skipped. A
// quote inside an item that is not followed by a comma or the end is kept as part of the name.
// The full-width comma "，" separates items as "," does.
std::vector<String> ParseXQList(const String& list);
// The stored form of a list of names: each between single quotes with quotes doubled, joined by ",".
String FormatXQList(const std::vector<String>& names);

// "and ((F_XQname in (...))Or(F_XQname = '')or(F_XQname is Null)) " over the given list; the
// qualifier ("f." or "") stands before each F_XQname. An empty list keeps only the rows without
// an estate.
String BuildXQScopeSQL(const String& operXQList, const String& qualifier = String());
// "and (F_name in (...))" over the given list; an empty list selects no estate.
String BuildXQNameScopeSQL(const String& operXQList);
