// Lets the main window's actions open the statistics windows that have come: 401 payment
// notices, 403 arrears per household, 404 spare-part stock summary, 505 repair statistics.
#pragma once

void RegisterStatisticsWindows();
