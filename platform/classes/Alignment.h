// Horizontal alignment of text in a field, a column or a control; shared by the data and window
// layers.
#pragma once

#include "classes/Meta.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
ORV_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
