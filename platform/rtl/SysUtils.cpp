#include "rtl/SysUtils.h"

void Abort() { throw EAbort(); }
