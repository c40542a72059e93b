// What the register dialogs take from their boxes is the application core's typed input.
#pragma once

#include "app/core/TypedInput.h"
