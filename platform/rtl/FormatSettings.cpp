#include "rtl/Format.h"

TFormatSettings::TFormatSettings() {
    static const char* const shortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static const char* const longMonths[12] = {"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    static const char* const shortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const longDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 12; ++i) {
        ShortMonthNames[i] = shortMonths[i];
        LongMonthNames[i] = longMonths[i];
    }
    for (int i = 0; i < 7; ++i) {
        ShortDayNames[i] = shortDays[i];
        LongDayNames[i] = longDays[i];
    }
}

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}
