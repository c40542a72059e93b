// The boxes of the register dialogs are the application core's form controls.
#pragma once

#include "app/core/FormControls.h"
