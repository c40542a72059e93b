#include "rtl/SysLocale.h"
#include "rtl/CodePage.h"

const TSysLocale& SysLocale() {
    // Code page 936 (and the other double-byte pages) are Far East pages.
    static const TSysLocale locale{DefaultAnsiCodePage() == 936 || DefaultAnsiCodePage() == 932 ||
                                       DefaultAnsiCodePage() == 949 || DefaultAnsiCodePage() == 950,
                                   false};
    return locale;
}
