// The search conditions of the register lists: a typed text matches as typed. The text goes in
// as a parameter and is compared without wildcards ("%", "_", "*" and "?" are characters like
// any other), without regard to case as the database compares text; a text that is empty after
// trimming adds no condition, so a search column chosen with nothing typed hides no row.
#pragma once

#include "app/registers/RegisterStatement.h"

enum TTextMatch { tmStartsWith, tmContains, tmEquals };

// Appends "and <condition> " for the field and the trimmed text (NULs dropped); nothing when the
// text is empty. Returns whether a condition was added.
bool AddTextCondition(TSqlStatement& statement, const String& field, const String& text, TTextMatch match);
