// Lets the main window's actions open the statistics windows that have come: 401 payment
// notices, 403 arrears per household, 404 spare-part stock summary, 501 and 502 receivable fees,
// 503 and 504 paid fees, 505 repair statistics, 506 business analysis.
#pragma once

void RegisterStatisticsWindows();
