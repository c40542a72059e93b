// Lets the main window's actions open the fee windows: 303 the fee ledger (生成物业费), kept in
// frmWYFYscgl while it is open, 304 fee collection (收取物业费), kept in frmWuyeFYjsgl, and the
// statistics windows (StatisticsWindows.h). Called by the program before it starts.
#pragma once

void RegisterFeeWindows();
